// Shift-JIS (code page 932) byte texts: every text of the system is one.
#pragma once

// IsLeadByte: whether c is the first byte of a double-byte character
// (0x81..0x9F, 0xE0..0xFC).  Half-width katakana (0xA1..0xDF) are single
// bytes: counting them as lead bytes would put a walk through a text out of
// step and split the double-byte character after them.
inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// CutDoubleByteSafe: cuts a Shift-JIS text to at most n bytes without
// splitting a double-byte character; a lead byte that would be left alone at
// the last position becomes a blank.  The buffer must hold n + 1 bytes.
// Returns szText.
char* CutDoubleByteSafe(char* szText, int n);

// HasControlCharacter: whether a Shift-JIS text holds a control character
// (0x01..0x1F or 0x7F: a line break, a tab, an escape ...).  A name with
// one would break the one-line lists and could steer a terminal.  Trail
// bytes of double-byte characters are 0x40 or above, so every such byte is
// a character of its own.
bool HasControlCharacter(const char* szText);

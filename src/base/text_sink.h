// A text being built into a caller's buffer of fixed capacity: the one
// bounded printf of the system.  Appends never write past the buffer: a
// text that does not fit is cut without splitting a double-byte character,
// and the buffer always stays zero-terminated.
#pragma once

#include <cstdarg>

#if defined(__GNUC__)
#define HORO_PRINTF_LIKE(iFormat, iFirst) __attribute__((format(gnu_printf, iFormat, iFirst)))
#else
#define HORO_PRINTF_LIKE(iFormat, iFirst)
#endif

struct TextSink {
  char* sz;  // the caller's buffer
  int cb;    // its capacity in bytes
  int len;   // bytes written, without the terminating zero
};

// Starts an empty text in szBuf of cbBuf bytes (cbBuf >= 1).
void SinkStart(TextSink* pSink, char* szBuf, int cbBuf);
// Goes on with the zero-terminated text already in szBuf (cbBuf bytes).
void SinkResume(TextSink* pSink, char* szBuf, int cbBuf);
// Appends a formatted text.
void SinkPrintf(TextSink* pSink, const char* szFormat, ...) HORO_PRINTF_LIKE(2, 3);
void SinkVPrintf(TextSink* pSink, const char* szFormat, va_list args);
// Appends a plain text.
void SinkAppend(TextSink* pSink, const char* szText);
// Bytes of the buffer not yet used (the terminating zero counts as used).
inline int SinkRoom(const TextSink& sink) { return sink.cb - sink.len; }

// PrintField: a whole fixed field (cbField bytes) written with a format:
// SinkStart and SinkPrintf in one.  Returns the length written.
int PrintField(char* szField, int cbField, const char* szFormat, ...) HORO_PRINTF_LIKE(3, 4);

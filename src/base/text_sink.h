// A text being built into a caller's buffer of fixed capacity.  Appends
// never write past the buffer: a text that does not fit is cut, and the
// buffer always stays zero-terminated.
#pragma once

struct TextSink {
  char* sz;  // the caller's buffer
  int cb;    // its capacity in bytes
  int len;   // bytes written, without the terminating zero
};

// Starts an empty text in szBuf of cbBuf bytes (cbBuf >= 1).
void SinkStart(TextSink* pSink, char* szBuf, int cbBuf);
// Appends a formatted text.
void SinkPrintf(TextSink* pSink, const char* szFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
// Appends a plain text.
void SinkAppend(TextSink* pSink, const char* szText);
// Bytes of the buffer not yet used (the terminating zero counts as used).
inline int SinkRoom(const TextSink& sink) { return sink.cb - sink.len; }

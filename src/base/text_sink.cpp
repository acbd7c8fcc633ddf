// Bounded text building: the listings, the reports and the fixed fields of
// the records.
#include "base/text_sink.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/shift_jis.h"

void SinkStart(TextSink* pSink, char* szBuf, int cbBuf) {
  pSink->sz = szBuf;
  pSink->cb = cbBuf;
  pSink->len = 0;
  if (cbBuf > 0) szBuf[0] = '\0';
}

void SinkResume(TextSink* pSink, char* szBuf, int cbBuf) {
  pSink->sz = szBuf;
  pSink->cb = cbBuf;
  pSink->len = static_cast<int>(strlen(szBuf));
}

void SinkVPrintf(TextSink* pSink, const char* szFormat, va_list args) {
  const int iRoom = pSink->cb - pSink->len;
  if (iRoom <= 1) return;
  const int n = vsnprintf(pSink->sz + pSink->len, static_cast<size_t>(iRoom), szFormat, args);
  if (n < 0) {
    pSink->sz[pSink->len] = '\0';
    return;
  }
  if (n < iRoom) {
    pSink->len += n;
    return;
  }
  // A cut text fills the buffer up to its last byte, without splitting a
  // double-byte character.
  CutDoubleByteSafe(pSink->sz, pSink->cb - 1);
  pSink->len = static_cast<int>(strlen(pSink->sz));
}

void SinkPrintf(TextSink* pSink, const char* szFormat, ...) {
  va_list args;
  va_start(args, szFormat);
  SinkVPrintf(pSink, szFormat, args);
  va_end(args);
}

void SinkAppend(TextSink* pSink, const char* szText) { SinkPrintf(pSink, "%s", szText); }

int PrintField(char* szField, int cbField, const char* szFormat, ...) {
  TextSink sink;
  SinkStart(&sink, szField, cbField);
  va_list args;
  va_start(args, szFormat);
  SinkVPrintf(&sink, szFormat, args);
  va_end(args);
  return sink.len;
}

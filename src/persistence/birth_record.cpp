// The birth record's list line, the double-byte-safe cut and the record of
// the present moment.
#include "persistence/birth_record.h"

#include <cstdio>
#include <cstring>

namespace {

// First byte of a Shift-JIS double-byte character.  Half-width katakana
// (0xA1..0xDF) are single bytes: counting them as lead bytes would put the
// walk out of step and split the double-byte character after them.
bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

char* CutDoubleByteSafe(char* szText, int n) {
  if (n < 0) n = 0;
  for (int i = 0; i < n && szText[i] != '\0';) {
    if (!IsLeadByte(static_cast<unsigned char>(szText[i]))) {
      ++i;
      continue;
    }
    if (i == n - 1) {
      // Only the lead byte would fit: a blank takes its place.
      szText[i] = ' ';
      break;
    }
    if (szText[i + 1] == '\0') break;
    i += 2;
  }
  if (strlen(szText) > static_cast<size_t>(n)) szText[n] = '\0';
  return szText;
}

bool HasControlCharacter(const char* szText) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(szText); *p; ++p) {
    if (*p < 0x20 || *p == 0x7F) return true;
  }
  return false;
}

void BuildListLine(BirthRecord* pRec) {
  constexpr int kNameWidth = 22;   // bytes of the name in the line
  constexpr int kPadWidth = 24;    // name column, padded with "."
  char szWork[100];
  memcpy(szWork, pRec->szName, sizeof pRec->szName);
  szWork[sizeof pRec->szName] = '\0';
  CutDoubleByteSafe(szWork, kNameWidth);
  const size_t iLen = strlen(szWork);
  memset(szWork + iLen, '.', kPadWidth - iLen);
  szWork[kPadWidth] = '\0';
  snprintf(pRec->szListLine, sizeof pRec->szListLine, " %s%4d年%2d月%2d日", szWork, pRec->time.year,
           pRec->time.month, pRec->time.day);
}

void FillWithPresentMoment(BirthRecord* pRec, double dLat, double dLong) {
  LocalClock now;
  PlatformLocalTime(&now);
  pRec->dBirthLat = dLat;
  pRec->dBirthLong = dLong;
  pRec->bTimeKnown = 1;
  pRec->bSecondsGiven = 1;
  pRec->time.year = now.year;
  pRec->time.month = now.month;
  pRec->time.day = now.day;
  pRec->time.hour = now.hour;
  pRec->time.minute = now.minute;
  pRec->time.second = now.second + 0.001 * now.millisecond;
}

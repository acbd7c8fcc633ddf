// The birth record's list line.
#include "base/birth_record.h"

#include <cstdio>
#include <cstring>

#include "base/shift_jis.h"

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

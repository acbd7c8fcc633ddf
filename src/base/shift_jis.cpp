// The double-byte-safe cut of a Shift-JIS text and its control characters.
#include "base/shift_jis.h"

#include <cstring>

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

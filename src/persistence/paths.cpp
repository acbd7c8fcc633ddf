// Paths: quotes, extensions, comparison without case, joining a folder and
// a name, the default birth-data file.
#include "persistence/paths.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "base/shift_jis.h"
#include "base/text_sink.h"
#include "platform/os_services.h"

namespace {

const char kDefaultDataFileName[] = "出生ﾃﾞｰﾀ.Bd5";

// Whether the text ends with a real separator (not the trail byte 0x5C of
// a double-byte character).
bool EndsWithSeparator(const char* sz) {
  bool bSep = false;
  for (const char* p = sz; *p; ++p) {
    bSep = false;
    if (IsLeadByte(static_cast<unsigned char>(*p)) && p[1]) {
      ++p;
      continue;
    }
    bSep = *p == '\\' || *p == '/';
  }
  return bSep;
}

}  // namespace

char* StripQuotes(char* szText) {
  const size_t n = strlen(szText);
  if (n >= 2 && szText[0] == '"' && szText[n - 1] == '"') {
    memmove(szText, szText + 1, n - 2);
    szText[n - 2] = '\0';
  }
  return szText;
}

int ClassifyPath(const char* szPath) {
  size_t n = strlen(szPath);
  size_t iStart = 0;
  if (n >= 2 && szPath[0] == '"' && szPath[n - 1] == '"') {
    iStart = 1;
    --n;
  }
  if (n < iStart + 4) return kFileClassOther;
  char ext[5];
  for (int i = 0; i < 4; ++i) ext[i] = static_cast<char>(tolower(static_cast<unsigned char>(szPath[n - 4 + i])));
  ext[4] = '\0';
  if (strcmp(ext, ".bd5") == 0) return kFileClassBirthData;
  if (strcmp(ext, ".cd5") == 0) return kFileClassChartData;
  if (strcmp(ext, ".txt") == 0) return kFileClassText;
  return kFileClassOther;
}

bool SamePath(const char* szA, const char* szB) {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(szA);
  const unsigned char* b = reinterpret_cast<const unsigned char*>(szB);
  while (*a && *b) {
    if (IsLeadByte(*a)) {
      if (a[0] != b[0] || a[1] != b[1]) return false;
      if (!a[1]) return true;
      a += 2;
      b += 2;
      continue;
    }
    if (tolower(*a) != tolower(*b)) return false;
    ++a;
    ++b;
  }
  return *a == *b;
}

int JoinPath(char* szOut, size_t cbOut, const char* szDir, const char* szName) {
  if (cbOut == 0) return 0;
  const size_t nDir = strlen(szDir);
  const bool bSep = nDir > 0 && !EndsWithSeparator(szDir);
  const size_t nTotal = nDir + (bSep ? 1 : 0) + strlen(szName);
  if (nTotal >= cbOut) {
    szOut[0] = '\0';
    return 0;
  }
  char szSep[2] = {kPathSeparator, '\0'};
  snprintf(szOut, cbOut, "%s%s%s", szDir, bSep ? szSep : "", szName);
  return 1;
}

void DefaultDataFilePath(char* szOut, size_t cbOut) {
  char szDir[kPathFieldSize];
  PlatformCurrentDirectory(szDir, sizeof szDir);
  if (!JoinPath(szOut, cbOut, szDir, kDefaultDataFileName)) {
    PrintField(szOut, static_cast<int>(cbOut), "%s", kDefaultDataFileName);
  }
}

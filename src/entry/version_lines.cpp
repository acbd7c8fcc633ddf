// The lines of the version box.
#include <cstdio>
#include <cstring>

#include "base/shift_jis.h"
#include "entry/entry_rules.h"
#include "readings/help_texts.h"

namespace {

// The folder is shown with at most this many bytes.
constexpr int kFolderBytes = 50;

int Clamp(int n, int cbOut) { return n < 0 ? 0 : (n < cbOut ? n : cbOut - 1); }

}  // namespace

int VersionOsIndex(int iMajor, int iMinor, bool bNtFamily) {
  if (bNtFamily) return 1;
  if (iMajor < 4) return 3;
  if (iMajor == 4 && iMinor == 0) return 0;
  return 2;
}

int VersionOsLine(int iOsIndex, char* szOut, int cbOut) {
  if (iOsIndex < 0 || iOsIndex > 3) iOsIndex = 3;
  return Clamp(snprintf(szOut, cbOut, "%s%s", kVersionOsLabel, kVersionOsNames[iOsIndex]), cbOut);
}

int VersionFolderLine(const char* szFolder, char* szOut, int cbOut) {
  char szCut[kFolderBytes + 4];
  snprintf(szCut, sizeof szCut, "%.*s", kFolderBytes, szFolder);
  CutDoubleByteSafe(szCut, kFolderBytes);
  // "..." marks a folder that did not fit, not one that fits exactly.
  if (strlen(szFolder) > static_cast<size_t>(kFolderBytes)) strcat(szCut, "...");
  return Clamp(snprintf(szOut, cbOut, kVersionFolderFormat, szCut), cbOut);
}

double FreeMegabytes(uint32_t dwSectorsPerCluster, uint32_t dwBytesPerSector, uint32_t dwFreeClusters) {
  return static_cast<double>(dwSectorsPerCluster) * dwBytesPerSector * dwFreeClusters / 1048576.0;
}

int VersionFreeSpaceLine(const char* szFolder, double dMegabytes, char* szOut, int cbOut) {
  return Clamp(snprintf(szOut, cbOut, kVersionFreeSpaceFormat, szFolder, dMegabytes), cbOut);
}

// Safe replacement of a file through a temporary file in the same folder.
#include "persistence/safe_file.h"

#include <cstring>

#include "platform/os_services.h"

int SafeFileOpen(SafeFile* pFile, const char* szPath) {
  memset(pFile, 0, sizeof *pFile);
  const size_t n = szPath ? strlen(szPath) : 0;
  if (n == 0 || n >= kSafePathMax) return 0;
  memcpy(pFile->szPath, szPath, n + 1);
  memcpy(pFile->szTempPath, szPath, n);
  memcpy(pFile->szTempPath + n, ".tmp", 5);
  pFile->f = PlatformOpenFile(pFile->szTempPath, "wb");
  return pFile->f ? 1 : 0;
}

int SafeFileWrite(SafeFile* pFile, const void* pData, size_t n) {
  if (!pFile->f || pFile->bFailed) return 0;
  if (!PlatformWriteFile(pFile->f, pData, n)) pFile->bFailed = 1;
  return pFile->bFailed ? 0 : 1;
}

int SafeFileCommit(SafeFile* pFile) {
  if (!pFile->f) return 0;
  if (pFile->bFailed) {
    SafeFileAbandon(pFile);
    return 0;
  }
  const int iFlushed = PlatformCommitFile(pFile->f);
  pFile->f = nullptr;
  if (!iFlushed || !PlatformReplaceFile(pFile->szTempPath, pFile->szPath)) {
    PlatformDeleteFile(pFile->szTempPath);
    return 0;
  }
  return 1;
}

void SafeFileAbandon(SafeFile* pFile) {
  if (pFile->f) {
    fclose(pFile->f);
    pFile->f = nullptr;
  }
  PlatformDeleteFile(pFile->szTempPath);
}

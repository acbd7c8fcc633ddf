// Safe replacement of a file's contents: a temporary file beside the target,
// then one replacing step, or for a hard-linked file a backup copy and a
// rewrite in place (see safe_file.h).
#include "persistence/safe_file.h"

#include <cstring>

#include "platform/os_services.h"

namespace {

// Copies the whole file szFrom into the open stream fTo (not yet pushed to
// the disk).  Returns 1, or 0 when reading or writing failed.
int CopyContents(const char* szFrom, FILE* fTo) {
  FILE* fFrom = PlatformOpenFile(szFrom, "rb");
  if (!fFrom) return 0;
  char buf[16384];
  int iOk = 1;
  size_t n;
  while (iOk && (n = fread(buf, 1, sizeof buf, fFrom)) > 0) iOk = PlatformWriteFile(fTo, buf, n);
  if (ferror(fFrom)) iOk = 0;
  fclose(fFrom);
  return iOk;
}

// Replaces the contents of the file szPath, in place, by those of szFrom
// and pushes them to the disk.  The file keeps its names and rights.
int RewriteInPlace(const char* szPath, const char* szFrom) {
  FILE* f = PlatformOpenFile(szPath, "wb");
  if (!f) return 0;
  const int iCopied = CopyContents(szFrom, f);
  const int iCommitted = PlatformCommitFile(f);
  return iCopied && iCommitted;
}

// The in-place way for a file with several names (safe_file.h, 2b).
int CommitInPlace(SafeFile* pFile) {
  char szBackup[kSafePathMax + 8];
  snprintf(szBackup, sizeof szBackup, "%s.bak", pFile->szPath);
  FILE* fBackup = PlatformCreateFile(szBackup, pFile->szPath, 1);
  if (!fBackup) {
    PlatformFileFacts facts;
    pFile->iError = PlatformInspectFile(szBackup, &facts) == kFileAbsent ? kSafeFileCannotCreate
                                                                         : kSafeFileBackupExists;
    PlatformDeleteFile(pFile->szTempPath);
    return 0;
  }
  const int iCopied = CopyContents(pFile->szPath, fBackup);
  if (!PlatformCommitFile(fBackup) || !iCopied) {
    // The target was not touched yet.
    PlatformDeleteFile(szBackup);
    PlatformDeleteFile(pFile->szTempPath);
    pFile->iError = kSafeFileWriteFailed;
    return 0;
  }
  if (!RewriteInPlace(pFile->szPath, pFile->szTempPath)) {
    // The old contents go back; the backup stays when even that fails.
    if (RewriteInPlace(pFile->szPath, szBackup)) PlatformDeleteFile(szBackup);
    PlatformDeleteFile(pFile->szTempPath);
    pFile->iError = kSafeFileWriteFailed;
    return 0;
  }
  PlatformDeleteFile(szBackup);
  PlatformDeleteFile(pFile->szTempPath);
  return 1;
}

}  // namespace

int SafeFileOpen(SafeFile* pFile, const char* szPath) {
  memset(pFile, 0, sizeof *pFile);
  pFile->iError = kSafeFileCannotCreate;
  if (!szPath || !szPath[0] || !PlatformResolveLinks(szPath, pFile->szPath, kSafePathMax)) return 0;
  PlatformFileFacts facts;
  switch (PlatformInspectFile(pFile->szPath, &facts)) {
    case kFileAbsent:
      break;
    case kFileRegular:
      if (!facts.bReadable) {
        pFile->iError = kSafeFileUnreadable;
        return 0;
      }
      pFile->bInPlace = facts.nLinks > 1;
      break;
    case kFileOther:
      pFile->iError = kSafeFileNotRegular;
      return 0;
    default:
      return 0;
  }
  snprintf(pFile->szTempPath, sizeof pFile->szTempPath, "%s.tmp", pFile->szPath);
  pFile->f = PlatformCreateFile(pFile->szTempPath, pFile->szPath, 0);
  if (!pFile->f) return 0;
  pFile->iError = kSafeFileOk;
  return 1;
}

int SafeFileWrite(SafeFile* pFile, const void* pData, size_t n) {
  if (!pFile->f || pFile->bFailed) return 0;
  if (!PlatformWriteFile(pFile->f, pData, n)) pFile->bFailed = 1;
  return pFile->bFailed ? 0 : 1;
}

int SafeFileCommit(SafeFile* pFile) {
  if (!pFile->f) return 0;
  pFile->iError = kSafeFileWriteFailed;
  if (pFile->bFailed) {
    SafeFileAbandon(pFile);
    return 0;
  }
  const int iPushed = PlatformCommitFile(pFile->f);
  pFile->f = nullptr;
  if (!iPushed) {
    PlatformDeleteFile(pFile->szTempPath);
    return 0;
  }
  if (pFile->bInPlace) {
    if (!CommitInPlace(pFile)) return 0;
  } else if (!PlatformReplaceFile(pFile->szTempPath, pFile->szPath)) {
    PlatformDeleteFile(pFile->szTempPath);
    return 0;
  }
  pFile->iError = kSafeFileOk;
  return 1;
}

void SafeFileAbandon(SafeFile* pFile) {
  if (pFile->f) {
    fclose(pFile->f);
    pFile->f = nullptr;
  }
  PlatformDeleteFile(pFile->szTempPath);
}

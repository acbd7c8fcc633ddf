// Safe replacement of a file: everything is written to a temporary file in
// the same folder, pushed to the disk, and only then put in the place of
// the old file in one step.  A failure at any point leaves the old file as
// it was and removes the temporary file.
#pragma once

#include <cstddef>
#include <cstdio>

// Longest path a safe write accepts (the temporary name adds 4 bytes).
constexpr size_t kSafePathMax = 512;

// A file being written safely.
struct SafeFile {
  FILE* f;                          // the temporary file, null when not open
  char szPath[kSafePathMax];        // the file to replace
  char szTempPath[kSafePathMax + 8];  // szPath + ".tmp"
  int bFailed;                      // a write failed
};

// SafeFileOpen: creates the temporary file for szPath.  Returns 1, or 0 when
// it cannot be created (nothing is left behind).
int SafeFileOpen(SafeFile* pFile, const char* szPath);

// SafeFileWrite: appends n bytes.  Returns 1, or 0 once any write failed.
int SafeFileWrite(SafeFile* pFile, const void* pData, size_t n);

// SafeFileCommit: flushes the temporary file to the disk and replaces the
// target with it.  Returns 1 when the target now holds exactly what was
// written; 0 after any failure (target untouched, temporary file removed).
int SafeFileCommit(SafeFile* pFile);

// SafeFileAbandon: closes and removes the temporary file.
void SafeFileAbandon(SafeFile* pFile);

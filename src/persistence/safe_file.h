// Safe replacement of a file's contents.
//
// What a file was stays what it is: a write through a symbolic link reaches
// the link's target and the link stays; the permission bits (and, where the
// system allows, the owner) are kept; hard links keep sharing one file.
// Only a regular file is replaced, and only one this program may read: a
// folder, a device or a file it cannot read is refused and left untouched.
//
// How nothing is lost when the process or the machine stops at any moment:
//   1. Everything is written to a temporary file PATH.tmp beside the target
//      (links followed), created with the target's permission bits, and
//      pushed to the disk.  Until then the target is untouched; a failed
//      write removes the temporary file.
//   2a. A file with one name (the usual case): the temporary file replaces
//      it in one step (rename; on Windows ReplaceFileA, which also keeps the
//      attributes, or MoveFileExA).  The target is either all old or all new.
//   2b. A file with several names (hard links), which a replacement would
//      split: the old contents are first copied to PATH.bak (created anew,
//      never over an existing file) and pushed to the disk; then the target
//      is rewritten in place from the temporary file and pushed to the
//      disk; then PATH.bak and PATH.tmp are removed.  A stop during the
//      rewrite leaves the old contents complete in PATH.bak and the new ones
//      in PATH.tmp.  A PATH.bak found at the next write is a copy of such an
//      interrupted write: it is never overwritten, and that write is refused
//      until the user has looked at it.
#pragma once

#include <cstddef>
#include <cstdio>

// Longest path a safe write accepts (the temporary names add 4 bytes).
constexpr size_t kSafePathMax = 512;

// Why a safe write failed.
enum SafeFileError : int {
  kSafeFileOk = 0,
  kSafeFileNotRegular = 1,    // a folder, a device, a pipe ...
  kSafeFileUnreadable = 2,    // exists but this program may not read it
  kSafeFileCannotCreate = 3,  // the temporary file cannot be made (no folder, no rights, path too long)
  kSafeFileWriteFailed = 4,   // a write, the push to the disk or the replacement failed
  kSafeFileBackupExists = 5,  // PATH.bak of an interrupted write is in the way
};

// A file being written safely.
struct SafeFile {
  FILE* f;                            // the temporary file, null when not open
  char szPath[kSafePathMax];          // the file to replace, links followed
  char szTempPath[kSafePathMax + 8];  // szPath + ".tmp"
  int bInPlace;                       // several names: rewritten in place (2b)
  int bFailed;                        // a write failed
  int iError;                         // SafeFileError of the failure
};

// SafeFileOpen: checks the target and creates the temporary file.
// Returns 1, or 0 with iError set (nothing is left behind).
int SafeFileOpen(SafeFile* pFile, const char* szPath);

// SafeFileWrite: appends n bytes.  Returns 1, or 0 once any write failed.
int SafeFileWrite(SafeFile* pFile, const void* pData, size_t n);

// SafeFileCommit: pushes the temporary file to the disk and puts its
// contents in the target (2a or 2b above).  Returns 1 when the target now
// holds exactly what was written; 0 with iError set after any failure (the
// target as it was, or restored from PATH.bak).
int SafeFileCommit(SafeFile* pFile);

// SafeFileAbandon: closes and removes the temporary file.
void SafeFileAbandon(SafeFile* pFile);

// Operating-system services the engine uses for its files and its registry
// entries: file streams by Shift-JIS path, the safe replacement of a file,
// the program's folders, the screen size and the keys under
// HKEY_CLASSES_ROOT.
//
// Two implementations: Win32 (kernel32, advapi32, user32) and native (the
// Linux file system; an in-memory registry, settable folders and screen size
// and failure hooks for the tests, see native/native_control.h).
#pragma once

#include <cstddef>
#include <cstdio>

// Separator between a folder and a file name ("\" on Windows, "/" natively).
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// --- Files ------------------------------------------------------------------

// PlatformOpenFile: opens a file stream by a Shift-JIS path.
//   szMode  a standard mode ("rb", "wb")
// Returns the stream, or null when it cannot be opened.
FILE* PlatformOpenFile(const char* szPath, const char* szMode);

// PlatformWriteFile: writes n bytes to a stream opened by PlatformOpenFile.
// Returns 1 when all were written, 0 otherwise.
int PlatformWriteFile(FILE* f, const void* pData, size_t n);

// PlatformCommitFile: pushes a written stream to the disk (library buffers
// and the system's cache) and closes it.  Returns 1 on success, 0 when
// flushing or closing failed (the stream is closed in every case).
int PlatformCommitFile(FILE* f);

// What a path names, its symbolic links followed.
enum PlatformFileKind : int {
  kFileAbsent = 0,       // nothing (a link to nothing included: a write creates its target)
  kFileRegular = 1,      // a regular file
  kFileOther = 2,        // a folder, a device, a pipe ...
  kFileUnreachable = 3,  // cannot be examined (no permission on a folder, a loop of links)
};
struct PlatformFileFacts {
  int iKind;                  // PlatformFileKind
  int bReadable;              // a regular file this program may open for reading
  unsigned nLinks;            // names of a regular file (more than 1: hard links)
  unsigned long long nBytes;  // size of a readable regular file
};

// PlatformInspectFile: what szPath names.  Always fills *pFacts; returns
// its iKind.
int PlatformInspectFile(const char* szPath, PlatformFileFacts* pFacts);

// PlatformResolveLinks: the path a write through szPath reaches: natively
// every symbolic link is followed (a relative link from its own folder), on
// Windows the path itself.  Returns 1, or 0 when it cannot be resolved (a
// loop of links, a result longer than cbOut).
int PlatformResolveLinks(const char* szPath, char* szOut, size_t cbOut);

// PlatformCreateFile: creates (truncates) szPath for writing raw bytes.
// When the regular file szLikePath exists, the new file gets its permission
// bits and, where the system allows, its owner (Windows keeps attributes at
// the replacement instead).  bExclusive: fail when szPath exists.
// Returns the stream, or null.
FILE* PlatformCreateFile(const char* szPath, const char* szLikePath, int bExclusive);

// PlatformReplaceFile: puts the file szNewPath in the place of szPath in one
// step, replacing an existing file; both lie in the same folder.  Windows:
// ReplaceFileA, which keeps the replaced file's attributes, or MoveFileExA
// (replace existing, write through) where that fails (no file to replace
// yet); natively rename, then the folder is pushed to the disk.
// Returns 1 on success, 0 when nothing was replaced.
int PlatformReplaceFile(const char* szNewPath, const char* szPath);

// PlatformDeleteFile: deletes a file.  Returns 1 on success, 0 otherwise.
int PlatformDeleteFile(const char* szPath);

// --- Folders and screen -----------------------------------------------------

// PlatformCurrentDirectory / PlatformModuleDirectory / PlatformWindowsDirectory:
// the current folder, the folder of the program file and the Windows folder,
// as Shift-JIS paths without a final separator (a drive root keeps its "\").
// Each returns 1 and fills szDir (cbDir bytes) or returns 0 and leaves "".
// Natively there is no Windows folder unless a test sets one.
int PlatformCurrentDirectory(char* szDir, size_t cbDir);
int PlatformModuleDirectory(char* szDir, size_t cbDir);
int PlatformWindowsDirectory(char* szDir, size_t cbDir);

// PlatformFullPath: the full path of szPath, a path relative to the current
// folder made absolute (Windows: GetFullPathNameA, which also resolves "."
// and ".."; natively the current folder is put in front of a path that does
// not start with "/").  Returns 1, or 0 (szOut "") when it does not fit
// cbOut bytes.
int PlatformFullPath(const char* szPath, char* szOut, size_t cbOut);

// PlatformScreenSize: width and height of the primary screen in pixels.
void PlatformScreenSize(int* piWidth, int* piHeight);

// --- Registry (keys under HKEY_CLASSES_ROOT) ---------------------------------

// An open registry key, opaque to the engine.  Key names are compared
// without regard to case, as the registry does.
using RegKeyRef = void*;

// PlatformRegCreateKey: creates (or opens) a key and its missing parents
// with full access.  Returns 1 and the open key, or 0.
int PlatformRegCreateKey(const char* szSubKey, RegKeyRef* phKey);

// PlatformRegOpenKey: opens an existing key with full access.  Returns 1 and
// the open key, or 0 when it does not exist or cannot be opened.
int PlatformRegOpenKey(const char* szSubKey, RegKeyRef* phKey);

// PlatformRegSetDefault: sets the key's default value, type REG_SZ, stored
// with the string's length without its terminating NUL.  Returns 1 or 0.
int PlatformRegSetDefault(RegKeyRef hKey, const char* szValue);

// PlatformRegQueryDefault: reads the key's default value into szValue
// (cbValue bytes, always terminated).  Returns 0 when there is none or when
// it does not fit, else 1.
int PlatformRegQueryDefault(RegKeyRef hKey, char* szValue, size_t cbValue);

// PlatformRegDeleteDefault: deletes the key's default value.  Returns 1, or
// 0 when there was none or it cannot be deleted.
int PlatformRegDeleteDefault(RegKeyRef hKey);

// PlatformRegFlushKey / PlatformRegCloseKey: writes the key to the disk /
// closes it.  Flush returns 1 or 0.
int PlatformRegFlushKey(RegKeyRef hKey);
void PlatformRegCloseKey(RegKeyRef hKey);

// PlatformRegDeleteKey: deletes a key that has no subkeys.  Returns 1, or 0
// when it does not exist, has subkeys or cannot be deleted.
int PlatformRegDeleteKey(const char* szSubKey);

// Win32 operating-system services: files by ANSI (Shift-JIS) path, the
// write-through replacement of a file, the program's folders, the screen,
// the registry under HKEY_CLASSES_ROOT, the common file dialogs, the
// recent-files menu and the title page.
#include <windows.h>
#include <commdlg.h>
#include <fcntl.h>
#include <io.h>

#include <cstring>

#include "base/shift_jis.h"
#include "platform/os_services.h"
#include "platform/platform.h"

namespace {

// Cuts a Shift-JIS path after its last real "\" (a trail byte 0x5C is not
// one), leaving the folder; a drive root keeps its "\".
void CutToFolder(char* szPath) {
  char* pLast = nullptr;
  for (char* p = szPath; *p; ++p) {
    if (IsLeadByte(static_cast<unsigned char>(*p)) && p[1]) {
      ++p;
      continue;
    }
    if (*p == '\\') pLast = p;
  }
  if (!pLast) return;
  if (pLast > szPath && pLast[-1] == ':') pLast[1] = '\0';
  else *pLast = '\0';
}

int CopyDir(const char* szSrc, DWORD n, char* szDir, size_t cbDir) {
  if (cbDir == 0) return 0;
  szDir[0] = '\0';
  if (n == 0 || n >= cbDir) return 0;
  memcpy(szDir, szSrc, n + 1);
  return 1;
}

HKEY KeyOf(RegKeyRef hKey) { return static_cast<HKEY>(hKey); }

}  // namespace

// --- Files ------------------------------------------------------------------

FILE* PlatformOpenFile(const char* szPath, const char* szMode) {
  if (!szPath || !szPath[0]) return nullptr;
  return fopen(szPath, szMode);
}

int PlatformWriteFile(FILE* f, const void* pData, size_t n) { return fwrite(pData, 1, n, f) == n ? 1 : 0; }

int PlatformCommitFile(FILE* f) {
  int iOk = fflush(f) == 0;
  if (iOk && _commit(_fileno(f)) != 0) iOk = 0;
  if (fclose(f) != 0) iOk = 0;
  return iOk;
}

int PlatformInspectFile(const char* szPath, PlatformFileFacts* pFacts) {
  *pFacts = PlatformFileFacts{kFileAbsent, 0, 0, 0};
  if (!szPath || !szPath[0]) return pFacts->iKind;
  const DWORD dwAttr = GetFileAttributesA(szPath);
  if (dwAttr == INVALID_FILE_ATTRIBUTES) {
    const DWORD e = GetLastError();
    pFacts->iKind = e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? kFileAbsent : kFileUnreachable;
    return pFacts->iKind;
  }
  if (dwAttr & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) {
    pFacts->iKind = kFileOther;
    return pFacts->iKind;
  }
  pFacts->iKind = kFileRegular;
  pFacts->nLinks = 1;
  // Opening tells what the rights and the other programs' sharing allow.
  HANDLE h = CreateFileA(szPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return pFacts->iKind;
  if (GetFileType(h) != FILE_TYPE_DISK) {
    pFacts->iKind = kFileOther;  // a device name such as NUL or CON
  } else {
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(h, &info)) {
      pFacts->bReadable = 1;
      pFacts->nLinks = info.nNumberOfLinks;
      pFacts->nBytes = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    }
  }
  CloseHandle(h);
  return pFacts->iKind;
}

int PlatformResolveLinks(const char* szPath, char* szOut, size_t cbOut) {
  // Links are rare on the program's file systems: a write reaches the path
  // as given.
  if (!szPath || cbOut == 0 || strlen(szPath) >= cbOut) return 0;
  memcpy(szOut, szPath, strlen(szPath) + 1);
  return 1;
}

FILE* PlatformCreateFile(const char* szPath, const char* /*szLikePath*/, int bExclusive) {
  if (!szPath || !szPath[0]) return nullptr;
  if (!bExclusive) return fopen(szPath, "wb");
  HANDLE h = CreateFileA(szPath, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(h);
    return nullptr;
  }
  FILE* f = _fdopen(fd, "wb");
  if (!f) _close(fd);
  return f;
}

int PlatformReplaceFile(const char* szNewPath, const char* szPath) {
  // ReplaceFile keeps the replaced file's attributes, security and streams.
  if (ReplaceFileA(szPath, szNewPath, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) return 1;
  // No file to replace yet, or a file system that cannot: a plain move.
  return MoveFileExA(szNewPath, szPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
}

int PlatformDeleteFile(const char* szPath) { return DeleteFileA(szPath) ? 1 : 0; }

// --- Folders and screen -----------------------------------------------------

int PlatformCurrentDirectory(char* szDir, size_t cbDir) {
  char buf[MAX_PATH + 1];
  const DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
  return CopyDir(buf, n < sizeof buf ? n : 0, szDir, cbDir);
}

int PlatformModuleDirectory(char* szDir, size_t cbDir) {
  char buf[MAX_PATH + 1];
  const DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return CopyDir(buf, 0, szDir, cbDir);
  buf[n] = '\0';
  CutToFolder(buf);
  return CopyDir(buf, static_cast<DWORD>(strlen(buf)), szDir, cbDir);
}

int PlatformFullPath(const char* szPath, char* szOut, size_t cbOut) {
  char buf[MAX_PATH + 1];
  const DWORD n = GetFullPathNameA(szPath, sizeof buf, buf, nullptr);
  return CopyDir(buf, n < sizeof buf ? n : 0, szOut, cbOut);
}

int PlatformWindowsDirectory(char* szDir, size_t cbDir) {
  char buf[MAX_PATH + 1];
  const UINT n = GetWindowsDirectoryA(buf, sizeof buf);
  return CopyDir(buf, n < sizeof buf ? n : 0, szDir, cbDir);
}

void PlatformScreenSize(int* piWidth, int* piHeight) {
  *piWidth = GetSystemMetrics(SM_CXSCREEN);
  *piHeight = GetSystemMetrics(SM_CYSCREEN);
}

// --- Registry -----------------------------------------------------------------

int PlatformRegCreateKey(const char* szSubKey, RegKeyRef* phKey) {
  HKEY hKey = nullptr;
  DWORD dwDisposition = 0;
  const LONG r = RegCreateKeyExA(HKEY_CLASSES_ROOT, szSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &hKey, &dwDisposition);
  *phKey = r == ERROR_SUCCESS ? hKey : nullptr;
  return r == ERROR_SUCCESS ? 1 : 0;
}

int PlatformRegOpenKey(const char* szSubKey, RegKeyRef* phKey) {
  HKEY hKey = nullptr;
  const LONG r = RegOpenKeyExA(HKEY_CLASSES_ROOT, szSubKey, 0, KEY_ALL_ACCESS, &hKey);
  *phKey = r == ERROR_SUCCESS ? hKey : nullptr;
  return r == ERROR_SUCCESS ? 1 : 0;
}

int PlatformRegSetDefault(RegKeyRef hKey, const char* szValue) {
  // Stored with the string's length, without its terminating NUL.
  return RegSetValueExA(KeyOf(hKey), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(szValue),
                        static_cast<DWORD>(strlen(szValue))) == ERROR_SUCCESS
             ? 1
             : 0;
}

int PlatformRegQueryDefault(RegKeyRef hKey, char* szValue, size_t cbValue) {
  if (cbValue == 0) return 0;
  szValue[0] = '\0';
  DWORD dwType = 0;
  DWORD cb = static_cast<DWORD>(cbValue - 1);  // room for the terminator we add
  const LONG r = RegQueryValueExA(KeyOf(hKey), nullptr, nullptr, &dwType,
                                  reinterpret_cast<BYTE*>(szValue), &cb);
  if (r != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ)) {
    szValue[0] = '\0';
    return 0;
  }
  // A value stored without its NUL comes back without one.
  szValue[cb < cbValue ? cb : cbValue - 1] = '\0';
  return 1;
}

int PlatformRegDeleteDefault(RegKeyRef hKey) {
  return RegDeleteValueA(KeyOf(hKey), nullptr) == ERROR_SUCCESS ? 1 : 0;
}

int PlatformRegFlushKey(RegKeyRef hKey) { return RegFlushKey(KeyOf(hKey)) == ERROR_SUCCESS ? 1 : 0; }

void PlatformRegCloseKey(RegKeyRef hKey) {
  if (hKey) RegCloseKey(KeyOf(hKey));
}

int PlatformRegDeleteKey(const char* szSubKey) {
  return RegDeleteKeyA(HKEY_CLASSES_ROOT, szSubKey) == ERROR_SUCCESS ? 1 : 0;
}

// --- File dialogs, menu, title page -------------------------------------------

int PlatformFileDialog(FileDialogKind kind, FileDialogSettings* p) {
  OPENFILENAMEA ofn;
  memset(&ofn, 0, sizeof ofn);
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = static_cast<HWND>(p->hOwner);
  ofn.lpstrFilter = p->szFilter;
  ofn.nFilterIndex = p->nFilterIndex;
  ofn.lpstrFile = p->szFile;
  ofn.nMaxFile = p->cbFile;
  ofn.lpstrFileTitle = p->szFileTitle;
  ofn.nMaxFileTitle = p->cbFileTitle;
  ofn.Flags = p->dwFlags;
  ofn.lpstrDefExt = p->szDefExt;
  if (kind == kFileDialogSave) {
    // "File must exist" would forbid saving under a new name.
    ofn.Flags &= ~static_cast<DWORD>(OFN_FILEMUSTEXIST);
    return GetSaveFileNameA(&ofn) ? 1 : 0;
  }
  return GetOpenFileNameA(&ofn) ? 1 : 0;
}

void PlatformRebuildRecentMenu(MenuRef hMenu, int iFirstCommand, int nItems, const char* const* pszTexts) {
  HMENU hFile = GetSubMenu(static_cast<HMENU>(hMenu), 0);
  if (!hFile) return;
  for (int i = 0; i < 10; ++i) DeleteMenu(hFile, iFirstCommand + i, MF_BYCOMMAND);
  for (int i = 0; i < nItems; ++i) AppendMenuA(hFile, MF_STRING, iFirstCommand + i, pszTexts[i]);
  SetMenuDefaultItem(hFile, iFirstCommand, FALSE);
}

namespace {

INT_PTR CALLBACK NoButtonDFunc(HWND, UINT uMsg, WPARAM, LPARAM) { return uMsg == WM_INITDIALOG; }

// A plain bordered window with the lines centred, when the program's
// "NoButtonDB" template is not there.
HWND PlainTitleWindow(const char* const* pszLines, int nLines) {
  char szText[512] = "";
  for (int i = 0; i < nLines && i < 3; ++i) {
    if (i) strncat(szText, "\r\n", sizeof szText - strlen(szText) - 1);
    strncat(szText, pszLines[i] ? pszLines[i] : "", sizeof szText - strlen(szText) - 1);
  }
  const int cx = 360, cy = 120;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - cx) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - cy) / 2;
  return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", szText,
                         WS_POPUP | WS_BORDER | WS_VISIBLE | SS_CENTER, x, y, cx, cy, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

void PlatformShowTitlePage(const char* const* pszLines, int nLines, int iMilliseconds) {
  // The box without buttons ("NoButtonDB", three lines 256..258) owned by
  // the desktop; the thread sleeps while it is shown.
  constexpr int kFirstLine = 256;
  HWND hWnd = CreateDialogParamA(GetModuleHandleA(nullptr), "NoButtonDB", nullptr, NoButtonDFunc, 0);
  if (hWnd) {
    for (int i = 0; i < 3; ++i) SetDlgItemTextA(hWnd, kFirstLine + i, i < nLines && pszLines[i] ? pszLines[i] : "");
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
  } else {
    hWnd = PlainTitleWindow(pszLines, nLines);
  }
  if (hWnd) UpdateWindow(hWnd);
  Sleep(static_cast<DWORD>(iMilliseconds));
  if (hWnd) DestroyWindow(hWnd);
}

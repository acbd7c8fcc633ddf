// Win32 operating-system services: files by Shift-JIS path, the
// write-through replacement of a file, the program's folders, the screen,
// the class keys of the user in the registry, the common file dialogs, the
// recent-files menu and the title page.  Paths and texts go to Windows as
// UTF-16 (win32_text.h); a path Windows gives that Shift-JIS cannot hold is
// refused, never cut.
#include <windows.h>
#include <commdlg.h>
#include <fcntl.h>
#include <io.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/shift_jis.h"
#include "platform/os_services.h"
#include "platform/platform.h"
#include "platform/reports.h"
#include "platform/win32/win32_text.h"

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

// A folder or path Windows gave (n characters of buf) as Shift-JIS.
int CopyDir(const wchar_t* buf, DWORD n, char* szDir, size_t cbDir) {
  if (cbDir == 0) return 0;
  szDir[0] = '\0';
  if (n == 0) return 0;
  return PathFromWide(buf, szDir, cbDir) ? 1 : 0;
}

std::wstring W(const char* sz) { return WideFromSjis(sz); }

HKEY KeyOf(RegKeyRef hKey) { return static_cast<HKEY>(hKey); }

}  // namespace

// --- Files ------------------------------------------------------------------

FILE* PlatformOpenFile(const char* szPath, const char* szMode) {
  if (!szPath || !szPath[0]) return nullptr;
  return _wfopen(W(szPath).c_str(), W(szMode).c_str());
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
  const DWORD dwAttr = GetFileAttributesW(W(szPath).c_str());
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
  HANDLE h = CreateFileW(W(szPath).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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
  if (!bExclusive) return _wfopen(W(szPath).c_str(), L"wb");
  HANDLE h = CreateFileW(W(szPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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
  if (ReplaceFileW(W(szPath).c_str(), W(szNewPath).c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                   nullptr)) {
    return 1;
  }
  // No file to replace yet, or a file system that cannot: a plain move.
  return MoveFileExW(W(szNewPath).c_str(), W(szPath).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1
                                                                                                                 : 0;
}

int PlatformDeleteFile(const char* szPath) { return DeleteFileW(W(szPath).c_str()) ? 1 : 0; }

// --- Folders and screen -----------------------------------------------------

constexpr DWORD kPathChars = MAX_PATH + 1;

int PlatformCurrentDirectory(char* szDir, size_t cbDir) {
  wchar_t buf[kPathChars];
  const DWORD n = GetCurrentDirectoryW(kPathChars, buf);
  return CopyDir(buf, n < kPathChars ? n : 0, szDir, cbDir);
}

int PlatformModuleDirectory(char* szDir, size_t cbDir) {
  wchar_t buf[kPathChars];
  const DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return CopyDir(buf, 0, szDir, cbDir);
  buf[n] = L'\0';
  char szPath[kPathChars * 2];
  if (!PathFromWide(buf, szPath, sizeof szPath)) return CopyDir(buf, 0, szDir, cbDir);
  CutToFolder(szPath);
  if (strlen(szPath) >= cbDir) return CopyDir(buf, 0, szDir, cbDir);
  memcpy(szDir, szPath, strlen(szPath) + 1);
  return 1;
}

int PlatformFullPath(const char* szPath, char* szOut, size_t cbOut) {
  wchar_t buf[kPathChars];
  const DWORD n = GetFullPathNameW(W(szPath).c_str(), kPathChars, buf, nullptr);
  return CopyDir(buf, n < kPathChars ? n : 0, szOut, cbOut);
}

int PlatformWindowsDirectory(char* szDir, size_t cbDir) {
  wchar_t buf[kPathChars];
  const UINT n = GetWindowsDirectoryW(buf, kPathChars);
  return CopyDir(buf, n < kPathChars ? n : 0, szDir, cbDir);
}

void PlatformScreenSize(int* piWidth, int* piHeight) {
  *piWidth = GetSystemMetrics(SM_CXSCREEN);
  *piHeight = GetSystemMetrics(SM_CYSCREEN);
}

// --- Registry -----------------------------------------------------------------

// The classes of the user who runs the program: HKEY_CLASSES_ROOT shows
// them above the machine's, and a user without administrator rights may
// write them (a new key written through HKEY_CLASSES_ROOT goes to the
// machine's classes, which only an administrator may change).
namespace {

const wchar_t kUserClasses[] = L"Software\\Classes\\";

std::wstring UserClassKey(const char* szSubKey) { return kUserClasses + W(szSubKey); }

}  // namespace

int PlatformRegCreateKey(const char* szSubKey, RegKeyRef* phKey) {
  HKEY hKey = nullptr;
  DWORD dwDisposition = 0;
  const LONG r = RegCreateKeyExW(HKEY_CURRENT_USER, UserClassKey(szSubKey).c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey, &dwDisposition);
  *phKey = r == ERROR_SUCCESS ? hKey : nullptr;
  return r == ERROR_SUCCESS ? 1 : 0;
}

int PlatformRegOpenKey(const char* szSubKey, RegKeyRef* phKey) {
  HKEY hKey = nullptr;
  const LONG r = RegOpenKeyExW(HKEY_CURRENT_USER, UserClassKey(szSubKey).c_str(), 0, KEY_ALL_ACCESS, &hKey);
  *phKey = r == ERROR_SUCCESS ? hKey : nullptr;
  return r == ERROR_SUCCESS ? 1 : 0;
}

int PlatformRegSetDefault(RegKeyRef hKey, const char* szValue) {
  // Stored with the string's length, without its terminating NUL.
  const std::wstring w = W(szValue);
  return RegSetValueExW(KeyOf(hKey), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                        static_cast<DWORD>(w.size() * sizeof(wchar_t))) == ERROR_SUCCESS
             ? 1
             : 0;
}

int PlatformRegQueryDefault(RegKeyRef hKey, char* szValue, size_t cbValue) {
  if (cbValue == 0) return 0;
  szValue[0] = '\0';
  DWORD dwType = 0;
  wchar_t buf[1024];
  DWORD cb = static_cast<DWORD>(sizeof buf - sizeof(wchar_t));  // room for the terminator we add
  const LONG r = RegQueryValueExW(KeyOf(hKey), nullptr, nullptr, &dwType, reinterpret_cast<BYTE*>(buf), &cb);
  if (r != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ)) return 0;
  // A value stored without its NUL comes back without one.
  buf[cb / sizeof(wchar_t)] = L'\0';
  return PathFromWide(buf, szValue, cbValue) ? 1 : 0;
}

int PlatformRegDeleteDefault(RegKeyRef hKey) {
  return RegDeleteValueW(KeyOf(hKey), nullptr) == ERROR_SUCCESS ? 1 : 0;
}

int PlatformRegFlushKey(RegKeyRef hKey) { return RegFlushKey(KeyOf(hKey)) == ERROR_SUCCESS ? 1 : 0; }

void PlatformRegCloseKey(RegKeyRef hKey) {
  if (hKey) RegCloseKey(KeyOf(hKey));
}

int PlatformRegDeleteKey(const char* szSubKey) {
  return RegDeleteKeyW(HKEY_CURRENT_USER, UserClassKey(szSubKey).c_str()) == ERROR_SUCCESS ? 1 : 0;
}

// --- File dialogs, menu, title page -------------------------------------------

int PlatformFileDialog(FileDialogKind kind, FileDialogSettings* p) {
  std::vector<wchar_t> file(p->cbFile + 1, L'\0');
  std::vector<wchar_t> title(p->cbFileTitle + 1, L'\0');
  wcsncpy(file.data(), W(p->szFile).c_str(), p->cbFile);
  const std::wstring filter = WideFilterFromSjis(p->szFilter);
  const std::wstring defExt = W(p->szDefExt);
  OPENFILENAMEW ofn;
  memset(&ofn, 0, sizeof ofn);
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = static_cast<HWND>(p->hOwner);
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = p->nFilterIndex;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = p->cbFile;
  ofn.lpstrFileTitle = title.data();
  ofn.nMaxFileTitle = p->cbFileTitle;
  ofn.Flags = p->dwFlags;
  ofn.lpstrDefExt = p->szDefExt ? defExt.c_str() : nullptr;
  BOOL bChosen;
  if (kind == kFileDialogSave) {
    // "File must exist" would forbid saving under a new name.
    ofn.Flags &= ~static_cast<DWORD>(OFN_FILEMUSTEXIST);
    bChosen = GetSaveFileNameW(&ofn);
  } else {
    bChosen = GetOpenFileNameW(&ofn);
  }
  if (!bChosen) return 0;
  // A name Shift-JIS cannot hold is refused: the program could keep it
  // neither in its settings nor in its list of recent files.
  if (!PathFromWide(file.data(), p->szFile, p->cbFile + 1) ||
      !PathFromWide(title.data(), p->szFileTitle, p->cbFileTitle + 1)) {
    std::string sName;
    SjisFromWide(file.data(), &sName);
    AppOkMsg(p->hOwner, "エラー", sName.c_str(), kUnusableNameLine1, kUnusableNameLine2);
    return 0;
  }
  return 1;
}

void PlatformRebuildRecentMenu(MenuRef hMenu, int iFirstCommand, int nItems, const char* const* pszTexts) {
  HMENU hFile = GetSubMenu(static_cast<HMENU>(hMenu), 0);
  if (!hFile) return;
  for (int i = 0; i < 10; ++i) DeleteMenu(hFile, iFirstCommand + i, MF_BYCOMMAND);
  for (int i = 0; i < nItems; ++i) AppendMenuSjis(hFile, MF_STRING, iFirstCommand + i, pszTexts[i]);
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
  return CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", W(szText).c_str(),
                         WS_POPUP | WS_BORDER | WS_VISIBLE | SS_CENTER, x, y, cx, cy, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

void PlatformShowTitlePage(const char* const* pszLines, int nLines, int iMilliseconds) {
  // The box without buttons ("NoButtonDB", three lines 256..258) owned by
  // the desktop; the thread sleeps while it is shown.
  constexpr int kFirstLine = 256;
  HWND hWnd = CreateDialogParamW(GetModuleHandleW(nullptr), L"NoButtonDB", nullptr, NoButtonDFunc, 0);
  if (hWnd) {
    for (int i = 0; i < 3; ++i) SetDlgItemTextSjis(hWnd, kFirstLine + i, i < nLines && pszLines[i] ? pszLines[i] : "");
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
  } else {
    hWnd = PlainTitleWindow(pszLines, nLines);
  }
  if (hWnd) UpdateWindow(hWnd);
  Sleep(static_cast<DWORD>(iMilliseconds));
  if (hWnd) DestroyWindow(hWnd);
}

std::string PlatformCp932ToUtf8(const std::string& sCp932) {
  if (sCp932.empty()) return std::string();
  const int nIn = static_cast<int>(sCp932.size());
  const int nWide = MultiByteToWideChar(932, 0, sCp932.data(), nIn, nullptr, 0);
  if (nWide <= 0) return std::string(sCp932.size(), '?');
  std::wstring ws(static_cast<size_t>(nWide), L'\0');
  MultiByteToWideChar(932, 0, sCp932.data(), nIn, &ws[0], nWide);
  const int nOut = WideCharToMultiByte(CP_UTF8, 0, ws.data(), nWide, nullptr, 0, nullptr, nullptr);
  if (nOut <= 0) return std::string(sCp932.size(), '?');
  std::string s(static_cast<size_t>(nOut), '\0');
  WideCharToMultiByte(CP_UTF8, 0, ws.data(), nWide, &s[0], nOut, nullptr, nullptr);
  return s;
}

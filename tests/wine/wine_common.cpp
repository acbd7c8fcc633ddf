// Helpers of the Wine tests.
#include "wine_common.h"

#include <cstdio>

namespace {

volatile LONG g_nFailures = 0;
volatile LONG g_nChecks = 0;

struct WindowQuery {
  const char* szClass;
  const char* szTitle;
  DWORD dwProcessId;
  HWND hFound;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam) {
  WindowQuery* q = reinterpret_cast<WindowQuery*>(lParam);
  if (q->dwProcessId) {
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid != q->dwProcessId) return TRUE;
  }
  char szBuf[256];
  if (q->szClass && (!GetClassNameA(hWnd, szBuf, sizeof szBuf) || lstrcmpA(szBuf, q->szClass) != 0)) {
    return TRUE;
  }
  if (q->szTitle && WindowText(hWnd) != q->szTitle) return TRUE;
  q->hFound = hWnd;
  return FALSE;
}

std::string Hex(const std::string& s) {
  std::string out;
  char sz[4];
  for (unsigned char c : s) {
    snprintf(sz, sizeof sz, "%02x ", c);
    out += sz;
  }
  return out;
}

void Count(bool bOk) {
  InterlockedIncrement(&g_nChecks);
  if (!bOk) InterlockedIncrement(&g_nFailures);
}

bool FileExists(const std::string& sPath) {
  return GetFileAttributesA(sPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

HWND WaitForWindow(const char* szClass, const char* szTitle, DWORD dwProcessId, DWORD dwTimeoutMs) {
  const DWORD dwStart = GetTickCount();
  for (;;) {
    WindowQuery q{szClass, szTitle, dwProcessId, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&q));
    if (q.hFound && IsWindowVisible(q.hFound)) return q.hFound;
    if (GetTickCount() - dwStart >= dwTimeoutMs) return nullptr;
    Sleep(50);
  }
}

std::string WindowText(HWND hWnd) {
  char szBuf[1024];
  const int n = GetWindowTextA(hWnd, szBuf, sizeof szBuf);
  return std::string(szBuf, n > 0 ? n : 0);
}

std::string ControlText(HWND hDlg, int iId) {
  HWND hCtl = GetDlgItem(hDlg, iId);
  return hCtl ? WindowText(hCtl) : std::string("<no control>");
}

std::vector<std::pair<int, std::string>> PushButtons(HWND hDlg) {
  std::vector<std::pair<int, std::string>> buttons;
  for (HWND h = GetWindow(hDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    char szClass[64];
    if (!GetClassNameA(h, szClass, sizeof szClass) || lstrcmpiA(szClass, "Button") != 0) continue;
    const LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE) & BS_TYPEMASK;
    if (style != BS_PUSHBUTTON && style != BS_DEFPUSHBUTTON) continue;
    buttons.emplace_back(GetDlgCtrlID(h), WindowText(h));
  }
  return buttons;
}

bool HasIcon(HWND hDlg) {
  for (HWND h = GetWindow(hDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    char szClass[64];
    if (!GetClassNameA(h, szClass, sizeof szClass) || lstrcmpiA(szClass, "Static") != 0) continue;
    if ((GetWindowLongPtrA(h, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    if (SendMessageA(h, STM_GETICON, 0, 0) != 0) return true;
  }
  return false;
}

bool ExpectTrue(const char* szWhat, bool bOk) {
  Count(bOk);
  printf("%s %s\n", bOk ? "ok  " : "FAIL", szWhat);
  fflush(stdout);
  return bOk;
}

bool ExpectEqual(const char* szWhat, long long iGot, long long iWant) {
  const bool bOk = iGot == iWant;
  Count(bOk);
  if (bOk) {
    printf("ok   %s\n", szWhat);
  } else {
    printf("FAIL %s: got %lld, want %lld\n", szWhat, iGot, iWant);
  }
  fflush(stdout);
  return bOk;
}

bool ExpectBytes(const char* szWhat, const std::string& sGot, const std::string& sWant) {
  const bool bOk = sGot == sWant;
  Count(bOk);
  if (bOk) {
    printf("ok   %s\n", szWhat);
  } else {
    printf("FAIL %s\n     got:  %s\n     want: %s\n", szWhat, Hex(sGot).c_str(), Hex(sWant).c_str());
  }
  fflush(stdout);
  return bOk;
}

int Finish(const char* szTestName) {
  printf("%s: %ld checks, %ld failed\n", szTestName, static_cast<long>(g_nChecks),
         static_cast<long>(g_nFailures));
  fflush(stdout);
  return g_nFailures == 0 && g_nChecks > 0 ? 0 : 1;
}

void Abandon(const char* szWhy) {
  printf("FAIL %s (test abandoned)\n", szWhy);
  fflush(stdout);
  ExitProcess(1);
}

void AwaitScreenshot(const char* szDir, const char* szName, DWORD dwTimeoutMs) {
  if (!szDir || !szDir[0]) return;
  const std::string sBase = std::string(szDir) + "\\" + szName;
  HANDLE hFile = CreateFileA((sBase + ".ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (hFile == INVALID_HANDLE_VALUE) {
    printf("note: cannot signal the screenshot (%s.ready)\n", sBase.c_str());
    return;
  }
  CloseHandle(hFile);
  const DWORD dwStart = GetTickCount();
  while (!FileExists(sBase + ".done")) {
    if (GetTickCount() - dwStart >= dwTimeoutMs) {
      printf("note: no screenshot taken of %s\n", szName);
      return;
    }
    Sleep(50);
  }
}

namespace {

bool NothingToPaint(HWND hWnd) {
  if (GetUpdateRect(hWnd, nullptr, FALSE)) return false;
  for (HWND h = GetWindow(hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (GetUpdateRect(h, nullptr, FALSE)) return false;
  }
  return true;
}

}  // namespace

bool WaitForPainted(HWND hWnd, DWORD dwTimeoutMs) {
  constexpr DWORD kSettleMs = 300;  // for the display to show what was painted
  const DWORD dwStart = GetTickCount();
  for (;;) {
    DWORD_PTR dwResult = 0;
    SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &dwResult);
    if (NothingToPaint(hWnd)) {
      Sleep(kSettleMs);
      if (NothingToPaint(hWnd)) return true;
    }
    if (GetTickCount() - dwStart >= dwTimeoutMs) return false;
    Sleep(50);
  }
}

void RemoveFileAssociation() {
  for (const char* sz : {"Horomap\\shell\\open\\command", "Horomap\\shell\\open", "Horomap\\shell",
                         "Horomap\\DefaultIcon", "Horomap", ".bd5"}) {
    RegDeleteKeyA(HKEY_CLASSES_ROOT, sz);
  }
}

void SetClientSize(HWND hWnd, int iWidth, int iHeight) {
  // The frame is measured rather than computed: a menu bar wraps to more
  // lines in a narrow window, so a second step may be needed.  The window
  // is not painted until it has its final size: a paint at the size between
  // would show what belongs to that size (the box of points that do not
  // fit), earlier or later as the machine is busy.
  SendMessageA(hWnd, WM_SETREDRAW, FALSE, 0);
  for (int iTry = 0; iTry < 3; ++iTry) {
    RECT rcWindow, rcClient;
    GetWindowRect(hWnd, &rcWindow);
    GetClientRect(hWnd, &rcClient);
    if (rcClient.right == iWidth && rcClient.bottom == iHeight) break;
    const int cx = rcWindow.right - rcWindow.left + iWidth - rcClient.right;
    const int cy = rcWindow.bottom - rcWindow.top + iHeight - rcClient.bottom;
    SetWindowPos(hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
    DWORD_PTR r = 0;
    SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
  }
  SendMessageA(hWnd, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

double ClientPixels::Share(DWORD dwRgb) const {
  if (rgb.empty()) return 0.0;
  size_t n = 0;
  for (DWORD d : rgb) n += d == dwRgb;
  return static_cast<double>(n) / rgb.size();
}

ClientPixels ReadClientPixels(HWND hWnd) {
  ClientPixels px;
  RECT rc;
  GetClientRect(hWnd, &rc);
  POINT origin{0, 0};
  ClientToScreen(hWnd, &origin);
  const int w = rc.right, h = rc.bottom;
  if (w <= 0 || h <= 0) return px;
  const HDC hScreen = GetDC(nullptr);
  const HDC hMem = CreateCompatibleDC(hScreen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top row first
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* pBits = nullptr;
  const HBITMAP hDib = CreateDIBSection(hScreen, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  if (hDib && pBits) {
    const HGDIOBJ hOld = SelectObject(hMem, hDib);
    if (BitBlt(hMem, 0, 0, w, h, hScreen, origin.x, origin.y, SRCCOPY)) {
      const DWORD* p = static_cast<const DWORD*>(pBits);
      px.iWidth = w;
      px.iHeight = h;
      px.rgb.assign(p, p + static_cast<size_t>(w) * h);
      for (DWORD& d : px.rgb) d &= 0xFFFFFF;
    }
    SelectObject(hMem, hOld);
    DeleteObject(hDib);
  }
  DeleteDC(hMem);
  ReleaseDC(nullptr, hScreen);
  return px;
}

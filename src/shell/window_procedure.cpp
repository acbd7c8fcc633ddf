// WindowProcedure: the main window's message handler.
#include "platform/win32/win32_platform.h"
#include "shell/shell.h"

const char kMainTitle[] = "ホロミラ";

namespace {

// Background of the chart view: palette entry 0 of the standard background
// ("灰緑色－標準").
constexpr COLORREF kStandardBackground = RGB(104, 160, 128);

// WM_CREATE: accepts the creation and shows the program name in the
// caption.  The window-name text of the creation is the command line, the
// file to open at start; no file is opened yet.
LRESULT OnCreate(HWND hWnd) {
  SetWindowTextA(hWnd, kMainTitle);
  return 0;
}

// WM_PAINT: the class has no background brush, so the whole invalid area is
// filled here.
void OnPaint(HWND hWnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hWnd, &ps);
  HBRUSH hBrush = CreateSolidBrush(kStandardBackground);
  FillRect(hdc, &ps.rcPaint, hBrush);
  DeleteObject(hBrush);
  EndPaint(hWnd, &ps);
}

// WM_DESTROY: the window is gone; the message loop ends with code 0.
void OnDestroy() {
  Win32SetMainWindow(nullptr);
  PostQuitMessage(0);
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_CREATE: return OnCreate(hWnd);
    case WM_PAINT: OnPaint(hWnd); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    default: return DefWindowProcA(hWnd, uMsg, wParam, lParam);
  }
}

// Win32 platform layer: system message boxes, the main window and the local
// clock.
#include "platform/win32/win32_platform.h"

#include "platform/platform.h"
#include "platform/win32/win32_text.h"

namespace {

// The program's main window, set by the shell once it exists.
HWND g_hMainWindow = nullptr;
// Commands running, and an end of the program asked for meanwhile.
int g_nRunningCommands = 0;
bool g_bEndAsked = false;

void DestroyMainWindowNow() {
  g_bEndAsked = false;
  if (g_hMainWindow && IsWindow(g_hMainWindow)) DestroyWindow(g_hMainWindow);
}

}  // namespace

void Win32SetMainWindow(HWND hWnd) { g_hMainWindow = hWnd; }

int PlatformMessageBox(WindowRef hOwner, const char* szText, const char* szTitle, unsigned uStyle) {
  return MessageBoxSjis(static_cast<HWND>(hOwner), szText, szTitle, uStyle);
}

WindowRef PlatformMainWindow() { return g_hMainWindow; }

// Destroying the main window runs its WM_DESTROY, which posts the quit
// message: the message loop ends and so does the program.
void PlatformDestroyMainWindow() {
  if (g_nRunningCommands > 0) {
    g_bEndAsked = true;
    return;
  }
  DestroyMainWindowNow();
}

void Win32CommandBegins() { ++g_nRunningCommands; }

void Win32CommandEnds() {
  if (g_nRunningCommands > 0) --g_nRunningCommands;
  if (g_nRunningCommands == 0 && g_bEndAsked) DestroyMainWindowNow();
}

int Win32RunningCommands() { return g_nRunningCommands; }

void PlatformLocalTime(LocalClock* p) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  *p = LocalClock{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

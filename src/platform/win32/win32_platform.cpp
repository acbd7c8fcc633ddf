// Win32 platform layer (first cut: message boxes only).
#include <windows.h>

#include "platform/platform.h"

int PlatformMessageBox(WindowRef hOwner, const char* szText, const char* szTitle, unsigned uStyle) {
  return MessageBoxA(static_cast<HWND>(hOwner), szText, szTitle, uStyle);
}

int PlatformAppBox(AppBoxKind, WindowRef, const AppBoxTexts&) { return -1; }

WindowRef PlatformMainWindow() { return nullptr; }

void PlatformDestroyMainWindow() {}

void PlatformLocalTime(LocalClock* p) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  *p = LocalClock{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

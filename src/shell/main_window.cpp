// WindowProcedure: the main window's message handler, one small handler per
// message.  Every message is handled under a checkpoint: a processor
// exception is reported as "WindowProcedure" (level 2) and the message
// counts as handled.
#include <windowsx.h>

#include "platform/win32/exception_guard.h"
#include "shell/aux_windows.h"
#include "shell/command_dispatch.h"
#include "shell/main_window.h"
#include "shell/shell.h"

const char kMainTitle[] = "ホロミラ";

namespace {

bool Dragging(const AppState* lpAb) { return (lpAb->bState0 & kState0Dragging) != 0; }
bool Animating(const AppState* lpAb) { return (lpAb->bState1 & kState1Animating) != 0; }

// WM_SIZE: the animation stops; the bars follow the new width.
void OnSize(HWND hWnd, int cx) {
  AppState* lpAb = MainAppState();
  if (Animating(lpAb)) SendMessageA(hWnd, kMsgStopAnimation, 0, 0);
  LayoutBars(lpAb, cx);
}

// WM_COMMAND: the command number and the low half of lParam (the markers
// -999 and -2000, a wizard step) go to the dispatcher.
void OnCommand(HWND hWnd, WPARAM wParam, LPARAM lParam) {
  AppState* lpAb = MainAppState();
  if (Dragging(lpAb)) return;
  IDM_Clip(hWnd, LOWORD(wParam), static_cast<short>(LOWORD(lParam)), MainSettings(), MainChartSlots(), lpAb);
}

// WM_HELP (F1): the fairy.
void OnHelp(HWND hWnd) {
  if (!Dragging(MainAppState())) OnCommand(hWnd, IDM_FAIRY, 0);
}

// WM_KEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN: a running animation stops;
// otherwise a left click may start dragging the quick menu and a right
// click opens the small menu.  Returns true when the message was used.
bool OnPress(HWND hWnd, UINT uMsg, LPARAM lParam) {
  AppState* lpAb = MainAppState();
  if (Animating(lpAb)) {
    SendMessageA(hWnd, kMsgStopAnimation, 0, 0);
    return true;
  }
  if (uMsg == WM_LBUTTONDOWN && QuickMenuVisible()) {
    return DragQuickMenu(hWnd, uMsg, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), lpAb) != 0;
  }
  if (uMsg == WM_RBUTTONDOWN) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hWnd, &pt);
    ShowRightButtonMenu(hWnd, pt.x, pt.y);
    return true;
  }
  return false;
}

// WM_KEYUP: Enter released while the animation runs.
void OnKeyUp() {
  AppState* lpAb = MainAppState();
  if (Animating(lpAb) && GetKeyState(VK_RETURN) >= 0) lpAb->bState1 |= kState1EnterReleased;
}

// WM_MOUSEMOVE and WM_LBUTTONUP: a tooltip's text leaves the status bar;
// the dragged quick menu follows the mouse.
void OnMouse(HWND hWnd, UINT uMsg, LPARAM lParam) {
  AppState* lpAb = MainAppState();
  if (uMsg == WM_MOUSEMOVE && (lpAb->bState1 & kState1Tooltip)) {
    ShowChartStatus(lpAb, MainChartSlots());
    return;
  }
  if (Dragging(lpAb)) DragQuickMenu(hWnd, uMsg, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), lpAb);
}

// WM_TIMER: one frame of the animation (ten minutes forward); after the
// last frame the animation stops.
void OnTimer(HWND hWnd, UINT_PTR idTimer) {
  AppState* lpAb = MainAppState();
  if (idTimer != kAnimationTimer || !Animating(lpAb)) return;
  if (++lpAb->nAnimFrames > kAnimationMaxFrames) {
    SendMessageA(hWnd, kMsgStopAnimation, 0, 0);
    return;
  }
  SendMessageA(hWnd, WM_COMMAND, IDM_ANIMATION_STEP, 0);
}

// Every message, under the checkpoint "WindowProcedure".
LRESULT HandleMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_CREATE: return OnCreate(hWnd, reinterpret_cast<CREATESTRUCTA*>(lParam)->lpszName);
    case WM_DESTROY: OnDestroy(hWnd); return 0;
    case WM_ENDSESSION: OnEndSession(hWnd, wParam != 0); return 0;
    case WM_SIZE: OnSize(hWnd, LOWORD(lParam)); return 0;
    case WM_PAINT: OnPaint(hWnd); return 0;
    case WM_CLOSE: return OnClose(hWnd) ? DefWindowProcA(hWnd, uMsg, wParam, lParam) : 0;
    case WM_NOTIFY: return OnToolbarNotify(MainAppState(), MainChartSlots(), reinterpret_cast<NMHDR*>(lParam));
    case WM_HELP: OnHelp(hWnd); return TRUE;
    case WM_COMMAND: OnCommand(hWnd, wParam, lParam); return 0;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (OnPress(hWnd, uMsg, lParam)) return 0;
      break;
    case WM_KEYUP: OnKeyUp(); break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: OnMouse(hWnd, uMsg, lParam); return 0;
    case WM_TIMER: OnTimer(hWnd, wParam); return 0;
    case WM_USER: OnRedraw(hWnd); return 0;
    case kMsgNewRecord: OnNewRecord(hWnd, reinterpret_cast<const ChartRecord*>(lParam)); return 0;
    case kMsgStopAnimation: StopAnimation(hWnd, MainAppState()); return 0;
    case kMsgStatusBack: ShowChartStatus(MainAppState(), MainChartSlots()); return 0;
  }
  return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  CaughtException caught;
  if (!RunGuarded([&] { lResult = HandleMessage(hWnd, uMsg, wParam, lParam); }, &caught)) {
    ReportCaught("WindowProcedure", caught);
    return uMsg == WM_CREATE ? -1 : 0;
  }
  return lResult;
}

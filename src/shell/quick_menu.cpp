// The quick menu ("簡単メニュー"): its state around commands and the dragging
// of its card.  The card itself is drawn with the chart view.
#include "platform/reports.h"
#include "shell/aux_windows.h"
#include "shell/gdi_canvas.h"
#include "shell/logic/shell_logic.h"
#include "shell/shell.h"

namespace {

int g_iQuickMenu = kQuickMenuPlace;   // shown and centred at the first paint
int g_iSavedQuickMenu = kQuickMenuHidden;

// The drag in progress: the outline's corner and the last mouse point.
struct Drag {
  int iLeft, iTop;
  int xLast, yLast;
  int iOldRop;
  HGDIOBJ hOldPen, hOldBrush;
};
Drag g_drag;

void CheckQuickMenuItem(const AppState* lpAb, bool bChecked) {
  CheckMenuItem(lpAb->hMenu, IDM_QUICK_MENU, MF_BYCOMMAND | (bChecked ? MF_CHECKED : MF_UNCHECKED));
}

// The card's place with its shadow, to be painted again.
void InvalidateCard(HWND hWnd, const AppState* lpAb) {
  constexpr int kShadow = 5;
  const ChartViewState& v = lpAb->view;
  const RECT rc{v.iQuickLeft, v.iQuickTop, v.iQuickLeft + v.iQuickSize + kShadow, v.iQuickTop + v.iQuickSize + kShadow};
  InvalidateRect(hWnd, &rc, FALSE);
}

void Hide(HWND hWnd, AppState* lpAb) {
  lpAb->view.bQuickMenu = 0;
  HideQuickMenuCard(hWnd, lpAb->view);
}

void Show(HWND hWnd, AppState* lpAb) {
  if (lpAb->view.iQuickSize <= 0) {
    g_iQuickMenu = kQuickMenuPlace;  // never placed yet: the next paint centres it
    InvalidateRect(hWnd, nullptr, FALSE);
    return;
  }
  InvalidateCard(hWnd, lpAb);
}

void Outline(HDC hdc, int iLeft, int iTop, int iSize) { Rectangle(hdc, iLeft, iTop, iLeft + iSize, iTop + iSize); }

void BeginDrag(HWND hWnd, int x, int y, AppState* lpAb) {
  lpAb->bState0 |= kState0Dragging;
  SetCapture(hWnd);
  const HDC hdc = GetDC(hWnd);
  lpAb->hdc = hdc;
  g_drag = Drag{lpAb->view.iQuickLeft, lpAb->view.iQuickTop, x, y, SetROP2(hdc, R2_XORPEN),
                SelectObject(hdc, lpAb->hPen[kPenDrag]), SelectObject(hdc, GetStockObject(NULL_BRUSH))};
  Outline(hdc, g_drag.iLeft, g_drag.iTop, lpAb->view.iQuickSize);
}

// The card moves to where the outline ended.
void FinishDrag(HWND hWnd, AppState* lpAb) {
  const HDC hdc = lpAb->hdc;
  SetROP2(hdc, g_drag.iOldRop);
  SelectObject(hdc, g_drag.hOldPen);
  SelectObject(hdc, g_drag.hOldBrush);
  ReleaseDC(hWnd, hdc);
  lpAb->hdc = nullptr;
  ReleaseCapture();
  HideQuickMenuCard(hWnd, lpAb->view);
  lpAb->view.iQuickLeft = g_drag.iLeft;
  lpAb->view.iQuickTop = g_drag.iTop;
  InvalidateCard(hWnd, lpAb);
  lpAb->bState0 &= static_cast<uint8_t>(~kState0Dragging);
}

// Moves the outline by the mouse's way since the last point.
void MoveOutline(int x, int y, AppState* lpAb) {
  Outline(lpAb->hdc, g_drag.iLeft, g_drag.iTop, lpAb->view.iQuickSize);
  g_drag.iLeft += x - g_drag.xLast;
  g_drag.iTop += y - g_drag.yLast;
  g_drag.xLast = x;
  g_drag.yLast = y;
}

}  // namespace

int QuickMenuState() { return g_iQuickMenu; }
bool QuickMenuVisible() { return g_iQuickMenu == kQuickMenuPlace || g_iQuickMenu == kQuickMenuShown; }
void MarkQuickMenuPlaced() { g_iQuickMenu = kQuickMenuShown; }

void ToggleQuickMenu(HWND hWnd, AppState* lpAb) {
  if (QuickMenuVisible()) {
    CloseQuickMenu(hWnd, lpAb);
    return;
  }
  g_iQuickMenu = kQuickMenuShown;
  CheckQuickMenuItem(lpAb, true);
  Show(hWnd, lpAb);
}

void CloseQuickMenu(HWND hWnd, AppState* lpAb) {
  if (QuickMenuVisible()) Hide(hWnd, lpAb);
  g_iQuickMenu = kQuickMenuHidden;
  CheckQuickMenuItem(lpAb, false);
}

void SuspendQuickMenu(HWND hWnd, AppState* lpAb) {
  if (!QuickMenuVisible()) return;
  g_iSavedQuickMenu = g_iQuickMenu;
  g_iQuickMenu = kQuickMenuSuspended;
  Hide(hWnd, lpAb);
}

void ResumeQuickMenu(HWND hWnd, AppState* lpAb) {
  if (g_iQuickMenu != kQuickMenuSuspended) return;
  g_iQuickMenu = g_iSavedQuickMenu;
  if (QuickMenuVisible()) Show(hWnd, lpAb);
}

int DragQuickMenu(HWND hWnd, UINT uMessage, int x, int y, AppState* lpAb) {
  const bool bDragging = (lpAb->bState0 & kState0Dragging) != 0;
  const int iSize = lpAb->view.iQuickSize;
  switch (uMessage) {
    case WM_LBUTTONDOWN:
      if (bDragging || !InQuickMenuDragBand(x, y, lpAb->view.iQuickLeft, lpAb->view.iQuickTop, iSize)) return 0;
      BeginDrag(hWnd, x, y, lpAb);
      return 1;
    case WM_MOUSEMOVE: {
      if (!bDragging) return 0;
      MoveOutline(x, y, lpAb);
      const RECT& rc = lpAb->rcChart;
      if (ConfineQuickMenu(ShellRect{rc.left, rc.top, rc.right, rc.bottom}, iSize, &g_drag.iLeft, &g_drag.iTop)) {
        FinishDrag(hWnd, lpAb);
      } else {
        Outline(lpAb->hdc, g_drag.iLeft, g_drag.iTop, iSize);
      }
      return 1;
    }
    case WM_LBUTTONUP:
      if (!bDragging) return 0;
      MoveOutline(x, y, lpAb);
      FinishDrag(hWnd, lpAb);
      return 1;
  }
  return ReportPlaceKind("DragQuickMenu", "Abnormal uMessage", 0);
}

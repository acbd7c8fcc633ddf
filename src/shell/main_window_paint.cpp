// WM_PAINT and WM_USER: the chart view drawn through the GDI canvas, then
// the caption, the status text, the menus and the tool bar.
#include <cstring>
#include <string>

#include "chart/chart_view.h"
#include "platform/reports.h"
#include "platform/win32/exception_guard.h"
#include "shell/aux_windows.h"
#include "shell/command_dispatch.h"
#include "shell/gdi_canvas.h"
#include "shell/main_window.h"
#include "shell/shell.h"

namespace {

// Julian Days outside which the Sun's place is less certain: 1800 and
// 2100 of dynamical time, roughly.
constexpr long double kPreciseFromJd = 2378496.2L;
constexpr long double kPreciseToJd = 2469807.1L;
const char kPrecisionWarning[] =
    "精度に注意\n\n力学時-2000年～+6000年に対して太陽位置の精度±1″が保証されますが、+1800年より前の力学時は"
    "やや精度が劣り、未来の力学時は正確には決定できません。";

// The list of points the wheel could not place, shown once per list.
std::string g_sOverflowShown;

GdiResources ResourcesOf(const AppState* lpAb) {
  GdiResources res{};
  res.hPal = lpAb->hPal;
  static_assert(sizeof res.hBmp == sizeof lpAb->hBmp, "the same 26 bitmaps");
  memcpy(res.hBmp, lpAb->hBmp, sizeof res.hBmp);
  res.hBmpTitle = lpAb->hBmpHoromiraIcon;
  return res;
}

// Draws the chart view into a device context of the main window.  Returns
// the wheel's result (0 when points were left out).
int DrawChartView(HWND hWnd, HDC hdc, AppState* lpAb, ChartSlots* pSlots) {
  const RECT rcArea = ChartArea(hWnd, lpAb);
  const ChartViewArea area{rcArea.right - rcArea.left, rcArea.bottom - rcArea.top, rcArea.top};
  lpAb->rcChart = rcArea;
  if (QuickMenuState() == kQuickMenuPlace) CentreQuickMenu(area, &lpAb->view);
  lpAb->view.bQuickMenu = QuickMenuVisible() ? 1 : 0;
  const GdiResources res = ResourcesOf(lpAb);
  int iResult;
  lpAb->hdc = hdc;
  {
    SelectedPalette pal(hdc, lpAb->hPal);
    if (lpAb->bState1 & kState1NoPalette) SelectPalette(hdc, lpAb->hPal, TRUE);
    SelectedObject font(hdc, GetStockObject(SYSTEM_FIXED_FONT));
    GdiCanvas gdi{hdc, hWnd, &res};
    iResult = PaintChartView(MakeGdiCanvas(&gdi), pSlots, &lpAb->view, area, &lpAb->layout);
  }
  lpAb->hdc = nullptr;
  const ChartLayout& lay = lpAb->layout;
  lpAb->rcText = RECT{lay.rcPanel.left, lay.rcPanel.top, lay.rcPanel.right, lay.rcPanel.bottom};
  lpAb->bState1 &= static_cast<uint8_t>(~kState1SizeMask);
  if (lay.bTooSmall) {
    lpAb->bState1 |= kState1TooSmall;
  } else if (!lay.bPanel && (pSlots->iViewMode == kViewChart || pSlots->iViewMode == kViewDouble)) {
    lpAb->bState1 |= kState1SizeMask & 0x02;
  }
  if (lay.bTooSmall || !lpAb->view.bQuickMenu) DestroyQuickMenuButtons(hWnd);
  if (QuickMenuState() == kQuickMenuPlace && !lay.bTooSmall) MarkQuickMenuPlaced();
  return iResult;
}

// Points the wheel left out are listed in a box.  The box covers the window
// and has it painted again: a list is shown once, until the chart fits
// again.
void ShowOverflow(HWND hWnd, const AppState* lpAb, int iResult) {
  if (iResult != 0) {
    g_sOverflowShown.clear();
    return;
  }
  if (g_sOverflowShown == lpAb->view.szOverflow) return;
  g_sOverflowShown = lpAb->view.szOverflow;
  ReportBox(hWnd, lpAb->view.szOverflow, kMbOk | kMbIconInformation);
}

void PaintSequence(HWND hWnd, AppState* lpAb, ChartSlots* pSlots) {
  PAINTSTRUCT ps;
  const HDC hdc = BeginPaint(hWnd, &ps);
  const int iResult = DrawChartView(hWnd, hdc, lpAb, pSlots);
  EndPaint(hWnd, &ps);
  if (lpAb->layout.bTooSmall) return;
  UpdateChartFrame(hWnd, lpAb, pSlots);
  lpAb->bState0 &= static_cast<uint8_t>(~kState0FirstPaint);
  lpAb->view.bFirstPaint = 0;
  ShowOverflow(hWnd, lpAb, iResult);
  if (lpAb->iOpenRequest == kOpenRequestAsk) {
    lpAb->iOpenRequest = kOpenRequestDialog;
    SendMessageA(hWnd, WM_COMMAND, IDM_OPEN, 0);
  } else if (lpAb->iOpenRequest == kOpenRequestList) {
    lpAb->iOpenRequest = kOpenRequestNone;
    SendMessageA(hWnd, WM_COMMAND, IDM_FROM_FILE, 0);
  }
}

void RedrawSequence(HWND hWnd, AppState* lpAb, ChartSlots* pSlots) {
  CheckChartSlotIndexes(pSlots, "WM_USER");
  const HDC hdc = GetDC(hWnd);
  lpAb->view.bOpaque = 1;
  const int iResult = DrawChartView(hWnd, hdc, lpAb, pSlots);
  lpAb->view.bOpaque = 0;
  ReleaseDC(hWnd, hdc);
  // Child windows over the chart (the quick-menu buttons) draw themselves again.
  RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_NOERASE | RDW_NOFRAME);
  ValidateRect(hWnd, nullptr);
  if (lpAb->layout.bTooSmall) return;
  UpdateChartFrame(hWnd, lpAb, pSlots);
  ShowOverflow(hWnd, lpAb, iResult);
  if (!(lpAb->bState0 & kState0NewChart)) return;
  lpAb->bState0 &= static_cast<uint8_t>(~kState0NewChart);
  const long double ldJd = CurrentChart(pSlots)->ldJd;
  if (ldJd < kPreciseFromJd || ldJd > kPreciseToJd) ReportBox(hWnd, kPrecisionWarning, kMbOk | kMbIconWarning);
}

}  // namespace

RECT ChartArea(HWND hWnd, const AppState* lpAb) {
  RECT rc;
  GetClientRect(hWnd, &rc);
  if (lpAb->hToolbar && IsWindowVisible(lpAb->hToolbar)) {
    RECT rcBar;
    GetWindowRect(lpAb->hToolbar, &rcBar);
    rc.top += rcBar.bottom - rcBar.top;
  }
  if (lpAb->hStatus && IsWindowVisible(lpAb->hStatus)) {
    RECT rcBar;
    GetWindowRect(lpAb->hStatus, &rcBar);
    rc.bottom -= rcBar.bottom - rcBar.top;
  }
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  return rc;
}

void OnPaint(HWND hWnd) {
  AppState* lpAb = MainAppState();
  CaughtException caught;
  if (!RunGuarded([&] { PaintSequence(hWnd, lpAb, MainChartSlots()); }, &caught)) {
    // Painting ends for this message; the area is not asked for again in a loop.
    if (lpAb->hdc) ReleaseDC(hWnd, lpAb->hdc);
    lpAb->hdc = nullptr;
    ValidateRect(hWnd, nullptr);
    ReportErrorLines(hWnd, "Exception", "WM_PAINT");
  }
}

void OnRedraw(HWND hWnd) {
  CaughtException caught;
  AppState* lpAb = MainAppState();
  if (!RunGuarded([&] { RedrawSequence(hWnd, lpAb, MainChartSlots()); }, &caught)) {
    if (lpAb->hdc) ReleaseDC(hWnd, lpAb->hdc);
    lpAb->hdc = nullptr;
    ReportException(hWnd, "WM_USER");
  }
}

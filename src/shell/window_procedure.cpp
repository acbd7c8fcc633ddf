// WindowProcedure: the main window's message handler.
//
// Until the main window has its tool bar, menus and commands, it shows the
// built-in default person's charts: the natal chart with equal houses on
// the chart view, and the quick-menu card, whose "閉じる" button closes it.
#include <string>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "chart/chart_view.h"
#include "chart/houses.h"
#include "persistence/settings.h"
#include "platform/reports.h"
#include "platform/win32/win32_platform.h"
#include "shell/gdi_canvas.h"
#include "shell/shell.h"

const char kMainTitle[] = "ホロミラ";

namespace {

// Quick-menu states: shown with its place still to be found at the next
// paint, shown, hidden.
constexpr int kQuickMenuToPlace = -1;
constexpr int kQuickMenuShown = 1;
constexpr int kQuickMenuHidden = 0;
constexpr int kIdQuickMenuClose = kIdQuickMenuFirst + 3;  // 57052

// The size factor: the width of a 20-character sample of the system fixed
// font x 0.00625 (1 for the usual 8-pixel font).
constexpr float kScalePerSamplePixel = 0.00625f;
const char kScaleSample[] = "00000000000000000000";

ChartSlots g_slots;       // the chart-slot block
ChartViewState g_view;    // what the chart view is drawn with
GdiResources g_gdi;       // palette and bitmaps
int g_iQuickMenu = kQuickMenuHidden;
std::string g_sOverflowShown;  // the list of left-out points last shown in a box

float MeasureScale(HWND hWnd) {
  const HDC hdc = GetDC(hWnd);
  SIZE size{};
  {
    SelectedObject sel(hdc, GetStockObject(SYSTEM_FIXED_FONT));
    GetTextExtentPoint32A(hdc, kScaleSample, sizeof kScaleSample - 1, &size);
  }
  ReleaseDC(hWnd, hdc);
  return size.cx * kScalePerSamplePixel;
}

// The default person's natal chart in slot 0, its progressed and transit
// charts for the present moment at its current place in slots 1 and 2;
// the natal chart is shown.
void ComputeDefaultPersonCharts() {
  ResetChartSlots(&g_slots);
  BirthRecord person;
  MakeDefaultPerson(&person, __DATE__, __TIME__);
  HoromiraMain(person, person, &g_slots.charts[kSlotNatal], kChartNatal, 0, 1.0, kOriginOrdinary);
  BirthRecord now = person;
  FillWithPresentMoment(&now, person.dCurrentLat, person.dCurrentLong);
  HoromiraMain(now, person, &g_slots.charts[kSlotProgressed], kChartProgressed, 0, 1.0, kOriginOrdinary);
  HoromiraMain(now, person, &g_slots.charts[kSlotTransit], kChartTransit, 0, 1.0, kOriginOrdinary);
  g_slots.bDerived = 1;
  g_slots.iViewMode = kViewChart;
  g_slots.iCurKind = kChartNatal;
  g_slots.bCurSlot = kSlotNatal;
  g_slots.bInnerSlot = kSlotPrevNatal;
}

// WM_CREATE: the program name in the caption, the bitmaps and the palette,
// the default person's charts.  The window-name text of the creation is the
// command line, the file to open at start; no file is opened yet.
LRESULT OnCreate(HWND hWnd) {
  SetWindowTextA(hWnd, kMainTitle);
  if (!CreateGdiResources(g_hInstance, 0, &g_gdi)) {
    ReportFatal("ビットマップをロードできません");
    return -1;
  }
  g_view = ChartViewState{};
  g_view.HouseType = kHouseTypeEqualAsc;
  g_view.fScale = MeasureScale(hWnd);
  ComputeDefaultPersonCharts();
  g_view.bFirstPaint = 1;
  g_iQuickMenu = kQuickMenuToPlace;
  return 0;
}

// WM_PAINT: the chart view of the client area (the class has no background
// brush: the view paints all of it).  Points the wheel could not place are
// listed in a box once the painting is done.
void OnPaint(HWND hWnd) {
  PAINTSTRUCT ps;
  const HDC hdc = BeginPaint(hWnd, &ps);
  RECT rc;
  GetClientRect(hWnd, &rc);
  const ChartViewArea area{rc.right, rc.bottom, 0};
  if (g_iQuickMenu == kQuickMenuToPlace) {
    CentreQuickMenu(area, &g_view);
    g_iQuickMenu = kQuickMenuShown;
  }
  g_view.bQuickMenu = g_iQuickMenu == kQuickMenuShown;
  ChartLayout layout;
  int iResult;
  {
    SelectedPalette pal(hdc, g_gdi.hPal);
    SelectedObject font(hdc, GetStockObject(SYSTEM_FIXED_FONT));
    GdiCanvas gdi{hdc, hWnd, &g_gdi};
    iResult = PaintChartView(MakeGdiCanvas(&gdi), &g_slots, &g_view, area, &layout);
  }
  EndPaint(hWnd, &ps);
  // A window too small for the view shows no card, and so no buttons.
  if (layout.bTooSmall || !g_view.bQuickMenu) DestroyQuickMenuButtons(hWnd);
  g_view.bFirstPaint = 0;
  // The box would cover the window and have it painted again: a list is
  // shown once, until the chart fits again.
  if (iResult != 0) {
    g_sOverflowShown.clear();
  } else if (g_sOverflowShown != g_view.szOverflow) {
    g_sOverflowShown = g_view.szOverflow;
    ReportBox(hWnd, g_view.szOverflow, kMbOk | kMbIconInformation);
  }
}

// WM_COMMAND: the quick menu's "閉じる" button (57052) closes the card.
bool OnCommand(HWND hWnd, int iId) {
  if (iId != kIdQuickMenuClose) return false;
  if (g_iQuickMenu == kQuickMenuShown) HideQuickMenuCard(hWnd, g_view);
  g_iQuickMenu = kQuickMenuHidden;
  return true;
}

// WM_DESTROY: the window is gone; the message loop ends with code 0.
void OnDestroy() {
  DeleteGdiResources(&g_gdi);
  Win32SetMainWindow(nullptr);
  PostQuitMessage(0);
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_CREATE: return OnCreate(hWnd);
    case WM_PAINT: OnPaint(hWnd); return 0;
    case WM_COMMAND:
      if (OnCommand(hWnd, LOWORD(wParam))) return 0;
      break;
    case WM_DESTROY: OnDestroy(); return 0;
  }
  return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

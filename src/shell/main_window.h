// The pieces of the main window's message handling, shared by its files:
// creation and exit (main_window_life.cpp), painting and redrawing
// (main_window_paint.cpp), the tool bar, status bar, caption and menus
// (main_window_bars.cpp) and the GDI objects (main_window_gdi.cpp).
#pragma once

#include <windows.h>

#include "shell/app_state.h"

// --- Creation and exit -----------------------------------------------------------

// OnCreate (WM_CREATE): the creation sequence; szArgument is the window-name
// text (the command line).  Returns 0, or -1 when creation is refused (the
// failure was reported and everything made so far is freed).
LRESULT OnCreate(HWND hWnd, const char* szArgument);

// OnClose (WM_CLOSE): an untitled file with rows is named first (the save
// dialog; cancelled, the window stays); one without rows is given up after
// "登録データのないファイル".  Returns true when the window may close.
bool OnClose(HWND hWnd);

// OnDestroy (WM_DESTROY): the exit sequence: the modeless windows closed,
// the birth-data table written (SaveAtExit), the placement and settings
// saved, everything freed, the clock stopped and the quit message posted.
void OnDestroy(HWND hWnd);

// OnEndSession (WM_ENDSESSION): when Windows ends the session the process
// ends without WM_DESTROY: the table and the settings are saved as at exit.
void OnEndSession(HWND hWnd, bool bEnding);

// OnNewRecord (message 2048): a new person was confirmed; pConfirmed is the
// chart the confirmation box held (null: the working chart).  The person is
// filed when asked for, and the chart becomes slot 0.
void OnNewRecord(HWND hWnd, const ChartRecord* pConfirmed);

// ShowDefaultPersonCharts: the default person's double circle with the
// transit chart outside (start-up).
void ShowDefaultPersonCharts(AppState* lpAb, ChartSlots* pSlots, const SystemIniInf* pSii);

// --- Painting ------------------------------------------------------------------------

// OnPaint (WM_PAINT) and OnRedraw (WM_USER): the chart view, then caption,
// status text, menus and tool bar; OnPaint also takes up a pending start-up
// request and OnRedraw the precision warning of a new chart.
void OnPaint(HWND hWnd);
void OnRedraw(HWND hWnd);

// The chart area of the client window: below the tool bar, above the status
// bar.
RECT ChartArea(HWND hWnd, const AppState* lpAb);

// --- Bars, caption, menus ----------------------------------------------------------------

// CreateBars: the tool bar (control 1025, with tooltips) and the status bar
// (control 64).  Returns 1, or 0 after "ﾂｰﾙﾊﾞｰが作れません" (tool bar) and
// "ツールバーまたはステータスウィンドウを生成できません".
int CreateBars(HWND hWnd, AppState* lpAb);

// LayoutBars (WM_SIZE): the tool bar re-sized, the status bar divided for
// the client width and moved to the bottom edge.
void LayoutBars(AppState* lpAb, int iClientWidth);

// SetStatusMessage: a text in status part 0 (without borders).
void SetStatusMessage(const AppState* lpAb, const char* szText);

// ShowChartStatus: the shown chart's title in status part 0; the tooltip
// mark of bState1 is cleared.
void ShowChartStatus(AppState* lpAb, ChartSlots* pSlots);

// OnToolbarNotify (WM_NOTIFY): a tooltip request of the tool bar: the
// button's short text, and its long text in the status bar.
LRESULT OnToolbarNotify(AppState* lpAb, const ChartSlots* pSlots, NMHDR* pHdr);

// UpdateChartFrame: caption "%s - %s - [%s]", the chart's status text, the
// clock's date (unless the double circle is shown), the menus and the tool
// bar in step with the chart state.
void UpdateChartFrame(HWND hWnd, AppState* lpAb, ChartSlots* pSlots);

// SyncMenuAndToolbar: the menus' checks and greys and the tool bar's pressed
// buttons for the chart state.
void SyncMenuAndToolbar(AppState* lpAb, const ChartSlots* pSlots);

// ShowRightButtonMenu: the small popup menu at a screen point: recall,
// new data, exit.
void ShowRightButtonMenu(HWND hWnd, int xScreen, int yScreen);

// --- GDI objects ---------------------------------------------------------------------------

// LoadChartBitmaps: the title bitmap and the 26 glyph bitmaps.  Returns 1,
// or 0 when one is missing.
int LoadChartBitmaps(AppState* lpAb);
// CreatePens: the six pens.  Returns 1, or 0 when one could not be made.
int CreatePens(AppState* lpAb);
// BuildPalette: the palette and the four brushes for the settings'
// background (at creation and when the background changes).  A background
// of 6 or more is refused ("初期化情報が異常 ...", settings reset); a palette
// that cannot be made is reported and marked in bState1.  Returns 1 or 0.
int BuildPalette(HWND hWnd, SystemIniInf* pSii, AppState* lpAb);
// DeleteMainWindowGdi: bitmaps, brushes, pens and the title bitmap;
// DeleteMainPalette: the palette and its description.  Failures are reported.
void DeleteMainWindowGdi(HWND hWnd, AppState* lpAb);
void DeleteMainPalette(HWND hWnd, AppState* lpAb);

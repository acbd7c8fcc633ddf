// The chart view of the main window: layout, wheel, summary panel, the two
// text views and the quick-menu card, drawn through a Canvas.
//
// The paint handler calls PaintChartView, which runs the sequence layout,
// wheel (views 0 and 3), panel (views 0 and 3) or text view (views 1 and
// 2), quick-menu card.  The routines read the chart-slot block and the
// inputs the shell keeps for the drawing (ChartViewState).
#pragma once

#include <cstdint>

#include "chart/canvas.h"
#include "chart/chart_record.h"

// Room for the list of points the wheel cannot place: the heading and up to
// 28 lines of a label and a short position line.
constexpr int kOverflowTextSize = 4096;

// What the drawing takes from the shell's state and gives back to it.  The
// main window's state block holds one; horomira and the tests fill their
// own.
struct ChartViewState {
  int32_t HouseType;    // house system of the wheel (HouseTypeValue); 1 at start
  int32_t iBackColor;   // background setting 0..5 (bBackColor of the settings)
  float fScale;         // size factor k: width of a 20-character sample of the system fixed font x 0.00625
  int32_t bFirstPaint;  // set by the data loader; cleared by the wheel when it switches to the transit chart
  int32_t bOpaque;      // texts painted on an opaque background (redraw without erase)
  int32_t bQuickMenu;   // the quick-menu card is shown
  int32_t iQuickLeft;   // quick-menu card: left, top and side, pixels
  int32_t iQuickTop;
  int32_t iQuickSize;
  char szOverflow[kOverflowTextSize];  // points the wheel left out (when DrawWheel returns 0)
};

// The area of the client window below the tool bar and above the status
// bar: width W, height H and top y0, pixels.
struct ChartViewArea {
  int iWidth;
  int iHeight;
  int iTop;
};

// Geometry of the chart view, held between paints.
struct ChartLayout {
  int32_t bTooSmall;     // the area is too small: nothing but the notice is drawn
  int32_t bPanel;        // the summary panel is shown
  int32_t iSide;         // side a of the wheel's square
  int32_t iSampleWidth;  // sx: width of the panel's widest row in the system fixed font
  int32_t cx, cy, R;     // wheel centre and outer radius
  CanvasRect rcPanel;    // panel rectangle (also the text area of views 1 and 2)
  int32_t iMargin;       // left margin of the panel's rows
  int32_t nTextWidth;    // bytes of the panel's title lines
};

// Labels of the chart points on the panel and in the overflow list
// ("太陽", "ｱｾﾝﾀﾞﾝﾄ", ... "ＭＣ").
extern const char* const kPanelPointLabels[kNumChartPoints];

// Texts of the chart view.
extern const char kTooSmallText[];     // "小さすぎるｳｲﾝﾄﾞｳ"
extern const char kProductName[];      // "HoroMira 5.4.0.2"
extern const char kOverflowHeading[];  // "次のデータがチャートに描ききれません\r\n\r\n"
extern const char kPanelNote[];        // " 詳細ﾃﾞｰﾀ → [Shift]+[D] "
extern const char kTextViewNote[];     // " ﾁｬｰﾄの表示 → [Shift]+[C] "
extern const char* const kQuickMenuItems[4];  // " 説   明        →" ...

// Resource ids of the bitmaps the drawing uses.
constexpr int kIdBmpSignFirst = 3101;  // sign s: 3101 + s
constexpr int kIdBmpPointFirst = 700;  // ChartPoint i: 700 + i
constexpr int kIdBmpTitle = 5000;      // 32 x 32 title bitmap
// Commands of the quick-menu buttons: 57049 + i for item i.
constexpr int kIdQuickMenuFirst = 57049;

// LayoutChartView: the geometry of the view for an area.  A size factor
// k <= 0 is reported ("k<=0 at WM_PAINT", title "異常値検出") and set to 1.
// Returns 0 when the area is too small (W <= 245 and the bottom at or
// above 120); then only DrawTooSmall may be drawn.  Returns 1 otherwise.
int LayoutChartView(const Canvas& canvas, const ChartViewArea& area, ChartViewState* pState,
                    ChartLayout* pLayout);

// DrawTooSmall: the area filled black and "小さすぎるｳｲﾝﾄﾞｳ" at (5, 55).
void DrawTooSmall(const Canvas& canvas, const ChartViewArea& area);

// DrawWheel: the wheel of the chart on view (views 0 and 3: the outer chart
// and the inner chart of the double circle).  Returns 1 when every point
// found a place; 0 when points were left out: their list is then in
// pState->szOverflow.  On the first paint after new data (bFirstPaint) a
// chart that does not fit is replaced by the transit chart alone (view 0,
// kind 2, slot 2), which is drawn instead, and the flag is cleared.
int DrawWheel(const Canvas& canvas, ChartSlots* pSlots, ChartViewState* pState, const ChartLayout& layout);

// DrawPanel: the summary panel of the chart on view (views 0 and 3): the
// title, subtitle, time and place lines fitted to nTextWidth bytes (kept
// in the chart's szPanel), one row per chart point, and a raised frame.
// A margin below 4 is drawn as "margin<4 Abnormal" and taken as 4.  A
// computed chart without a subtitle is reported in the self-repair box;
// any answer but Ignore closes the main window and the panel stops.
// Returns 1; 0 when the main window was closed.
int DrawPanel(const Canvas& canvas, ChartSlots* pSlots, const CanvasRect& rcPanel, int iMargin,
              int nTextWidth, const ChartViewState& state);

// DrawTextView: the detailed view (view 1: szDetail) or the geodesy and
// time view (view 2: szTime) of the chart on view, between the top and
// bottom of rcText, from x = 30.
void DrawTextView(const Canvas& canvas, const ChartSlots& slots, const CanvasRect& rcText,
                  const ChartViewState& state);

// CentreQuickMenu: puts the quick-menu card (side 300 k) in the middle of
// the area.
void CentreQuickMenu(const ChartViewArea& area, ChartViewState* pState);

// DrawQuickMenuCard: the quick-menu card at its stored place with its four
// items and numbered buttons.  Returns 1; 0 without a canvas or a state
// (the shell then removes the buttons and the card).
int DrawQuickMenuCard(const Canvas* pCanvas, const ChartViewState* pState);

// CheckChartSlotIndexes: the self-repair check of the shown and inner slot
// indexes.  When either is 7 or more, the plain box "Horomira 自己修復ルーチン
// : レベル１ ..." names the place (szPlace: "WM_PAINT" ...) and the indexes,
// and they are reset to 0 and 3 (the natal chart of the current person).
// Returns 1 when the indexes were sound, 0 when they were reset.
int CheckChartSlotIndexes(ChartSlots* pSlots, const char* szPlace);

// PaintChartView: the whole chart view of an area: the background, then
// the too-small notice, or the slot check, the wheel and panel (views 0
// and 3) or a text view (views 1 and 2), then the quick-menu card when it
// is shown.
// *pLayout receives the geometry.  Returns DrawWheel's result (1 in the
// text views and when the area is too small).
int PaintChartView(const Canvas& canvas, ChartSlots* pSlots, ChartViewState* pState,
                   const ChartViewArea& area, ChartLayout* pLayout);

// DrawTextView: the detailed view and the geodesy and time view.
#include <algorithm>

#include "chart/chart_view.h"

namespace {

constexpr int kTextLeft = 30;      // lines start 30 px from the window's left edge
constexpr int kNoteLeft = 400;     // the [Shift]+[C] note
constexpr int kLinesPerArea = 20;  // the area is stretched to hold 20 lines
constexpr int kMarginLines = 19;   // below 19 lines + 10 px the margin r is 0
constexpr int kMargin = 10;
constexpr int kHeaderLines = 3;
constexpr int kFooterLine = 14;

const CanvasColor kLightGrey = CanvasRgb(192, 192, 192);
const CanvasColor kRed = CanvasRgb(255, 0, 0);
const CanvasColor kWhite = CanvasRgb(255, 255, 255);
const CanvasColor kBlack = CanvasRgb(0, 0, 0);

// The dark backgrounds ("深い青", "黒") take white text.
bool IsDarkBackground(int iBackColor) { return iBackColor == 2 || iBackColor == 5; }

}  // namespace

void DrawTextView(const Canvas& c, const ChartSlots& slots, const CanvasRect& rc,
                  const ChartViewState& state) {
  const int L = c.LineHeight(c.pContext, kSystemFixedFont);
  const int iHeight = rc.bottom - rc.top;
  const float k = std::max(1.0f, static_cast<float>(iHeight) / (kLinesPerArea * L));
  const int r = iHeight < kMarginLines * L + 10 ? 0 : kMargin;
  CanvasColor crBack = kCanvasNone;
  if (state.bOpaque) crBack = state.iBackColor != 0 ? CanvasPaletteEntry(0) : kLightGrey;

  const ChartRecord& chart = slots.charts[slots.bCurSlot];
  for (int i = 0; i < kHeaderLines; ++i) {
    c.Text(c.pContext, Tag(kRoleTextHeader), kTextLeft, rc.top + r + static_cast<int>(i * L * k),
           chart.szHeader[i], kSystemFixedFont, CanvasPaletteEntry(9), crBack);
  }
  const char(*lines)[kLineDetail] = slots.iViewMode == kViewDetail ? chart.szDetail : chart.szTime;
  const CanvasColor crText = IsDarkBackground(state.iBackColor) ? kWhite : kBlack;
  for (int i = 0; i <= kFooterLine; ++i) {
    int y = rc.top + 2 * r + static_cast<int>((i + kHeaderLines) * L * k);
    if (i == kFooterLine) y += r;
    // The lines that do not fit give way to the hint at the chart.
    if (i < kFooterLine && rc.bottom - (y + L) < L + 12) {
      c.Text(c.pContext, Tag(kRoleTextNote), kNoteLeft, y, kTextViewNote, kSystemFixedFont, kRed, kWhite);
      return;
    }
    c.Text(c.pContext, Tag(kRoleTextLine), kTextLeft, y, lines[i], kSystemFixedFont,
           i == kFooterLine ? CanvasPaletteEntry(10) : crText, crBack);
  }
}

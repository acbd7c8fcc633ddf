// DrawPanel: the summary panel beside the wheel.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "chart/chart_view.h"
#include "platform/reports.h"
#include "time/timescale.h"

namespace {

constexpr int kMinMargin = 4;
constexpr int kPanelInset = 5;        // title lines and rows start 5 px inside the panel
constexpr int kLinesPerPanel = 20;    // the panel is stretched to hold 20 lines
constexpr int kShortPanelLines = 17;  // below 17 lines + 10 px the rows close up to the title
constexpr int kTitleLines = 4;
constexpr int kShortSubtitle = 5;  // a computed chart has a subtitle of at least 5 bytes

const CanvasColor kBlack = CanvasRgb(0, 0, 0);
const CanvasColor kRed = CanvasRgb(255, 0, 0);
const CanvasColor kWhite = CanvasRgb(255, 255, 255);
const CanvasColor kLuminaryColor = CanvasRgb(0, 64, 0);    // Sun, ASC and Moon rows
const CanvasColor kPositionColor = CanvasRgb(0, 128, 64);  // the other rows' positions
const CanvasColor kPlutoColor = CanvasRgb(128, 128, 0);
const CanvasColor kTitleColors[kTitleLines] = {kBlack, CanvasPaletteEntry(9), CanvasPaletteEntry(8),
                                               CanvasPaletteEntry(8)};

const char kSelfRepairFormat[] =
    "Horomira 自己修復ルーチン : "
    "\n\nOutputData関数内で異常値を検出しました。続けるとｴﾗｰになるかも知れません。"
    "いったん終了します。\n\nszStatus2: %s\nTime: %s";

// The consistency check of a chart about to be shown: a computed chart
// (its target has a month) always has a subtitle.  Returns false when the
// user chose to end the program.
bool ChartLooksSound(const ChartRecord& chart) {
  if (strlen(chart.szSubtitle) >= kShortSubtitle || chart.target.time.month == 0) return true;
  char szText[1024];
  snprintf(szText, sizeof szText, kSelfRepairFormat, chart.szTitle, TimeToStr(&chart.target.time));
  if (ReportBox(PlatformMainWindow(), szText, kMbAbortRetryIgnore | kMbIconWarning) == kIdIgnore) return true;
  PlatformDestroyMainWindow();
  return false;
}

// The four title lines in the chart's szPanel, each fitted to n bytes.  The
// fields hold 199 bytes: a wider panel still shows 199.
void MakeTitleLines(ChartRecord* pChart, bool bDouble, int nTextWidth) {
  const char* const szSources[kTitleLines] = {pChart->szTitle, pChart->szSubtitle, pChart->szTimeLine,
                                              pChart->szPlaceLine};
  const int n = std::min(std::max(nTextWidth, 3), kLineLong - 1);
  for (int i = 0; i < kTitleLines; ++i) {
    char sz[kLineLong];
    snprintf(sz, sizeof sz, i == 0 && bDouble ? "外側: %s" : "%s", szSources[i]);
    FitText(sz, n);
    memcpy(pChart->szPanel[i], sz, sizeof sz);
  }
}

CanvasColor LabelColor(int i) { return i <= Moon ? kLuminaryColor : CanvasPaletteEntry(7); }
CanvasColor PositionColor(int i) {
  if (i <= Moon) return kLuminaryColor;
  return i == Pluto ? kPlutoColor : kPositionColor;
}

}  // namespace

int DrawPanel(const Canvas& c, ChartSlots* pSlots, const CanvasRect& rc, int iMargin, int nTextWidth,
              const ChartViewState& state) {
  const int L = c.LineHeight(c.pContext, kSystemFixedFont);
  const int iHeight = rc.bottom - rc.top;
  const float s = std::max(1.0f, static_cast<float>(iHeight) / (kLinesPerPanel * L));
  const CanvasColor crBack = state.bOpaque ? CanvasPaletteEntry(3) : kCanvasNone;
  if (iMargin < kMinMargin) {
    c.Text(c.pContext, Tag(kRoleAbnormal), 100, 100, "margin<4 Abnormal", kSystemFixedFont, kBlack, crBack);
    iMargin = kMinMargin;
  }
  const int r = iHeight < kShortPanelLines * L + 10 ? 5 : L;

  ChartRecord* pChart = &pSlots->charts[pSlots->bCurSlot];
  if (!ChartLooksSound(*pChart)) return 0;
  MakeTitleLines(pChart, pSlots->iViewMode == kViewDouble, nTextWidth);
  for (int i = 0; i < kTitleLines; ++i) {
    const int y = rc.top + kPanelInset + static_cast<int>(i * L * s);
    c.Text(c.pContext, Tag(kRolePanelLine), rc.left + kPanelInset, y, pChart->szPanel[i], kSystemFixedFont,
           kTitleColors[i], crBack);
  }

  const int x = rc.left + iMargin;
  const int xPosition = x + c.TextWidth(c.pContext, kSystemFixedFont, kPanelPointLabels[Asc]);
  for (int i = 0; i < kNumChartPoints; ++i) {
    const int y = rc.top + kPanelInset + static_cast<int>((i + kTitleLines) * L * s) + r;
    // The rows that do not fit give way to the hint at the detailed view.
    if (i < kNumChartPoints - 1 && rc.bottom - (y + L) < 2 * L + 5) {
      c.Text(c.pContext, Tag(kRolePanelNote), x, y, kPanelNote, kSystemFixedFont, kRed, kWhite);
      break;
    }
    c.Text(c.pContext, Tag(kRolePanelRow), x, y, kPanelPointLabels[i], kSystemFixedFont, LabelColor(i),
           crBack);
    c.Text(c.pContext, Tag(kRolePanelRow), xPosition, y, pChart->szShort[i], kSystemFixedFont,
           PositionColor(i), crBack);
  }
  c.Frame3D(c.pContext, Tag(kRolePanelFrame), rc);
  return 1;
}

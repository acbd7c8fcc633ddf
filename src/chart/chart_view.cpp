// The chart view: its texts, its layout and the paint sequence.
#include "chart/chart_view.h"

#include <algorithm>
#include <cstdio>

#include "base/version.h"
#include "platform/reports.h"

const char* const kPanelPointLabels[kNumChartPoints] = {
    "太陽", "ｱｾﾝﾀﾞﾝﾄ", "月",     "水星",   "金星",    "火星",    "木星",
    "土星", "天王星",  "海王星", "冥王星", "DragonH", "DragonT", "ＭＣ",
};

const char kTooSmallText[] = "小さすぎるｳｲﾝﾄﾞｳ";
const char kProductName[] = "HoroMira " HORO_VERSION_TEXT;
const char kOverflowHeading[] = "次のデータがチャートに描ききれません\r\n\r\n";
const char kPanelNote[] = " 詳細ﾃﾞｰﾀ → [Shift]+[D] ";
const char kTextViewNote[] = " ﾁｬｰﾄの表示 → [Shift]+[C] ";

namespace {

// Widest row of the panel: label, sign, position and motion mark.
const char kPanelSample[] = "ｱｾﾝﾀﾞﾝﾄ てんびん 12..34..56..SR";

constexpr int kTooSmallWidth = 245;    // an area at most this wide ...
constexpr int kTooSmallBottom = 120;   // ... whose bottom is at most this low shows only the notice
constexpr int kPanelGap = 23;          // least room beside the wheel for the panel besides its rows
constexpr int kMinPanelSide = 220;     // a wheel must stay wider than this to make room for the panel
constexpr int kEdge = 5;               // gaps around the wheel and the panel
constexpr int kPanelBytesWidth = 272;  // a panel 272 k pixels wide holds 33 bytes per line
constexpr int kPanelBytes = 33;

}  // namespace

int LayoutChartView(const Canvas& c, const ChartViewArea& area, ChartViewState* pState,
                    ChartLayout* pLayout) {
  ChartLayout& lay = *pLayout;
  lay = ChartLayout{};
  const int W = area.iWidth, H = area.iHeight, y0 = area.iTop, iBottom = y0 + H;
  if (W <= kTooSmallWidth && iBottom <= kTooSmallBottom) {
    lay.bTooSmall = 1;
    return 0;
  }
  const int sx = c.TextWidth(c.pContext, kSystemFixedFont, kPanelSample);
  int a = H;
  lay.bPanel = 1;
  if (W - a - sx < kPanelGap) {
    const int b = W - sx - kPanelGap;
    if (b > kMinPanelSide) {
      a = b;
    } else {
      // No panel: the wheel takes the area, but never more than its width.
      lay.bPanel = 0;
      a = std::min(a, W);
    }
  }
  lay.iSide = a;
  lay.iSampleWidth = sx;
  lay.cx = a / 2;
  lay.cy = y0 + a / 2;
  lay.R = a / 2 - kEdge;
  lay.rcPanel = CanvasRect{a + kEdge, y0 + kEdge, W - kEdge, iBottom - kEdge};
  lay.iMargin = (W - a - sx - 10) / 2;
  if (!(pState->fScale > 0.0f)) {
    PlatformMessageBox(PlatformMainWindow(), "k<=0 at WM_PAINT", "異常値検出", kMbOk | kMbIconWarning);
    pState->fScale = 1.0f;
  }
  lay.nTextWidth = static_cast<int>((W - a - 10) * kPanelBytes / (kPanelBytesWidth * pState->fScale));
  return 1;
}

void DrawTooSmall(const Canvas& c, const ChartViewArea& area) {
  const CanvasRect rc{0, area.iTop, area.iWidth, area.iTop + area.iHeight};
  c.FillRect(c.pContext, Tag(kRoleTooSmall), rc, CanvasRgb(0, 0, 0));
  // Drawn as a fresh device context draws: black on white.
  c.Text(c.pContext, Tag(kRoleTooSmall), 5, 55, kTooSmallText, kSystemFixedFont, CanvasRgb(0, 0, 0),
         CanvasRgb(255, 255, 255));
}

int CheckChartSlotIndexes(ChartSlots* pSlots, const char* szPlace) {
  if (pSlots->bCurSlot < kNumChartSlots && pSlots->bInnerSlot < kNumChartSlots) return 1;
  char szText[256];
  snprintf(szText, sizeof szText,
           "Horomira 自己修復ルーチン : レベル１\n\n出生図を出力します\n\nOutData at %s: %d %d", szPlace,
           pSlots->bCurSlot, pSlots->bInnerSlot);
  ReportBox(PlatformMainWindow(), szText, kMbOk);
  pSlots->bCurSlot = kSlotNatal;
  pSlots->bInnerSlot = kSlotPrevNatal;
  return 0;
}

int PaintChartView(const Canvas& c, ChartSlots* pSlots, ChartViewState* pState, const ChartViewArea& area,
                   ChartLayout* pLayout) {
  if (!LayoutChartView(c, area, pState, pLayout)) {
    DrawTooSmall(c, area);
    return 1;
  }
  CheckChartSlotIndexes(pSlots, "WM_PAINT");
  const CanvasRect rcArea{0, area.iTop, area.iWidth, area.iTop + area.iHeight};
  c.FillRect(c.pContext, Tag(kRoleBackground), rcArea, CanvasPaletteEntry(0));
  int iResult = 1;
  if (pSlots->iViewMode == kViewDetail || pSlots->iViewMode == kViewTime) {
    DrawTextView(c, *pSlots, pLayout->rcPanel, *pState);
  } else {
    iResult = DrawWheel(c, pSlots, pState, *pLayout);
    if (pLayout->bPanel &&
        !DrawPanel(c, pSlots, pLayout->rcPanel, pLayout->iMargin, pLayout->nTextWidth, *pState)) {
      return iResult;  // the program is ending
    }
  }
  if (pState->bQuickMenu) DrawQuickMenuCard(&c, pState);
  return iResult;
}

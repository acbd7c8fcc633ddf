// DrawQuickMenuCard: the quick-menu card over the chart view.
#include <algorithm>

#include "chart/chart_view.h"

const char* const kQuickMenuItems[4] = {
    " 説   明        →",
    " きょう の 運勢 →",
    " 性 格 占 い    →",
    " 閉  じ  る     →",
};

namespace {

constexpr int kCardSide = 300;  // side of the card at k = 1, pixels
constexpr int kShadowWidth = 5;
constexpr int kIconInset = 16;    // the title bitmap's corner inside the card
constexpr int kItemColumn = 224;  // the items are centred in the card's first 224 k pixels
constexpr int kMinItemLeft = 5;
constexpr int kItemGap = 20;  // between an item and its button, at k = 1
constexpr int kButtonSide = 36;

const CanvasColor kCardColor = CanvasRgb(230, 230, 200);
const CanvasColor kNameColor = CanvasRgb(0, 0, 128);
const CanvasColor kKanaColor = CanvasRgb(128, 64, 128);
const CanvasColor kBlack = CanvasRgb(0, 0, 0);

int Scaled(float k, int iPixels) { return static_cast<int>(iPixels * k); }

}  // namespace

void CentreQuickMenu(const ChartViewArea& area, ChartViewState* pState) {
  const int g = Scaled(pState->fScale, kCardSide);
  pState->iQuickSize = g;
  pState->iQuickLeft = (area.iWidth - g) / 2;
  pState->iQuickTop = area.iTop + (area.iHeight - g) / 2;
}

int DrawQuickMenuCard(const Canvas* pCanvas, const ChartViewState* pState) {
  if (!pCanvas || !pState) return 0;
  const Canvas& c = *pCanvas;
  const float k = pState->fScale;
  const int left = pState->iQuickLeft, top = pState->iQuickTop, g = pState->iQuickSize;
  const CanvasTag tag = Tag(kRoleQuickMenu);

  const CanvasColor crShadow = CanvasPaletteEntry(1);
  c.FillRect(c.pContext, tag,
             CanvasRect{left + g, top + kShadowWidth, left + g + kShadowWidth, top + g + kShadowWidth},
             crShadow);
  c.FillRect(c.pContext, tag, CanvasRect{left + kShadowWidth, top + g, left + g, top + g + kShadowWidth},
             crShadow);
  const CanvasRect rcCard{left, top, left + g, top + g};
  c.FillRect(c.pContext, tag, rcCard, kCardColor);
  c.Frame3D(c.pContext, tag, rcCard);
  c.Bitmap(c.pContext, tag, kIdBmpTitle, left + kIconInset, top + kIconInset);

  const CanvasFont nameFont = {kFaceTimesNewRoman, 0, Scaled(k, 36), Scaled(k, 16), 500, true};
  c.Text(c.pContext, tag, left + Scaled(k, 100), top + Scaled(k, 20), "Horomira", nameFont, kNameColor,
         kCanvasNone);
  c.Text(c.pContext, tag, left + Scaled(k, 120), top + Scaled(k, 64), "ホロミラ", kSystemFixedFont,
         kKanaColor, kCanvasNone);

  const CanvasFont itemFont = {kFaceMsGothic, 0, Scaled(k, 20), Scaled(k, 10), 400, false};
  const int x0 = std::max(
      kMinItemLeft, (Scaled(k, kItemColumn) - c.TextWidth(c.pContext, itemFont, kQuickMenuItems[0])) / 2);
  for (int i = 0; i < 4; ++i) {
    c.Text(c.pContext, tag, left + x0, top + Scaled(k, 110 + 50 * i), kQuickMenuItems[i], itemFont, kBlack,
           kCanvasNone);
    if (!c.Button) continue;
    const char szCaption[2] = {static_cast<char>('1' + i), '\0'};
    const int xButton =
        left + x0 + Scaled(k, kItemGap) + c.TextWidth(c.pContext, itemFont, kQuickMenuItems[i]);
    c.Button(c.pContext, Tag(kRoleQuickMenuButton), kIdQuickMenuFirst + i, szCaption, xButton,
             top + Scaled(k, 102 + 50 * i), Scaled(k, kButtonSide));
  }
  return 1;
}

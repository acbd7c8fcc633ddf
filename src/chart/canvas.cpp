// The program's palette and the names of the drawing's elements.
#include "chart/canvas.h"

namespace {

// Entry 0 by background setting: "灰緑色－標準", "あわい青", "深い青",
// "うすいピンク", "白", "黒".
const CanvasColor kBackgrounds[kNumBackgrounds] = {
    CanvasRgb(104, 160, 128), CanvasRgb(36, 144, 193),  CanvasRgb(0, 32, 128),
    CanvasRgb(200, 170, 170), CanvasRgb(255, 255, 255), CanvasRgb(0, 0, 0),
};
constexpr int kBlackBackground = 5;

// Entries 2..15.
const CanvasColor kFixedEntries[kPaletteSize - 2] = {
    CanvasRgb(196, 196, 255), CanvasRgb(160, 200, 200), CanvasRgb(130, 144, 193), CanvasRgb(174, 168, 217),
    CanvasRgb(128, 128, 128), CanvasRgb(0, 30, 130),    CanvasRgb(54, 128, 108),  CanvasRgb(30, 127, 40),
    CanvasRgb(128, 0, 0),     CanvasRgb(128, 30, 30),   CanvasRgb(10, 128, 36),   CanvasRgb(20, 50, 130),
    CanvasRgb(150, 200, 200), CanvasRgb(0, 0, 0),
};

const char* const kRoleNames[kNumCanvasRoles] = {
    "background", "too-small",  "product-name",      "wheel-outer",  "wheel-inner", "wheel-middle",
    "sign-line",  "sign-glyph", "house-line",        "house-number", "point-glyph", "panel-frame",
    "panel-line", "panel-row",  "panel-note",        "abnormal",     "text-header", "text-line",
    "text-note",  "quick-menu", "quick-menu-button", "overflow",
};

}  // namespace

CanvasColor PaletteRgb(int iBackColor, int iEntry) {
  if (iBackColor < 0 || iBackColor >= kNumBackgrounds) iBackColor = 0;
  if (iEntry == 1) return iBackColor == kBlackBackground ? CanvasRgb(0, 0, 0) : CanvasRgb(85, 0, 20);
  if (iEntry >= 2 && iEntry < kPaletteSize) return kFixedEntries[iEntry - 2];
  return kBackgrounds[iBackColor];
}

CanvasColor ResolveColor(CanvasColor cr, int iBackColor) {
  return IsPaletteColor(cr) ? PaletteRgb(iBackColor, static_cast<int>(cr & 0xFFu)) : cr;
}

const char* CanvasRoleName(int iRole) {
  return iRole >= 0 && iRole < kNumCanvasRoles ? kRoleNames[iRole] : "unknown";
}

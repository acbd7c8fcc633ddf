// DrawWheel: circles, signs, houses and the glyphs of the chart points.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "chart/chart_view.h"
#include "chart/houses.h"

namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;

constexpr int kSignRingWidth = 26;   // R - r1: the band of the sign glyphs, pixels
constexpr int kSignGlyphInset = 13;  // sign glyphs centred at R - 13
constexpr int kGlyphHalf = 7;  // a 15 x 15 glyph's top-left corner lies 7 px left of and above its point
constexpr int kHouseNumberRadius = 30;
constexpr int kHouseNumberDx = 5;  // house numbers drawn 5 px left and 7 px up of their point
constexpr int kHouseNumberDy = 7;
constexpr int kFirstLevelInset = 13;     // the first level of points lies 13 px inside its circle
constexpr int kLevelStep = 20;           // each further level 20 px further in
constexpr int kMovedPointOutset = 7;     // the first point that does not fit goes 7 px outside r1
constexpr int kInnermostRadius = 8;      // no glyph is drawn at or inside this radius
constexpr int kMiddleCircleOffset = 30;  // r2 = (r1 + 30) / 2
constexpr float kCloseDegrees = 10.0f;   // points closer than this share a direction

const CanvasColor kGreyPen = CanvasRgb(128, 128, 128);
const CanvasColor kLightGrey = CanvasRgb(192, 192, 192);
const CanvasColor kWheelBlue = CanvasRgb(0, 20, 200);

const CanvasFont kProductFont = {kFaceCourierNew, 9, 0, 0, 400, false};
const CanvasFont kPlacidusNumberFont = {kFaceTimesNewRomanBold, 9, 0, 0, 700, true};
const CanvasFont kEqualNumberFont = {kFaceTimesNewRomanBold, 9, 0, 0, 900, true};

// Centre and orientation of the wheel: a longitude lam lies at the screen
// angle 180 - lam + l, so that the first cusp l is on the left and the
// longitudes increase anticlockwise.
struct WheelFrame {
  int cx, cy;
  float l;  // first cusp, degrees (single precision, as the houses give it)
};

double ScreenAngle(const WheelFrame& f, double dLongitude) { return 180.0 - dLongitude + f.l; }

// The pixel at radius rho and screen angle theta (degrees, y downwards).
void PointAt(const WheelFrame& f, double rho, double theta, int* px, int* py) {
  *px = static_cast<int>(std::lround(f.cx + rho * std::cos(theta * kRad)));
  *py = static_cast<int>(std::lround(f.cy + rho * std::sin(theta * kRad)));
}

void DrawGlyph(const Canvas& c, const CanvasTag& tag, int iResourceId, const WheelFrame& f, double rho,
               double theta) {
  int x, y;
  PointAt(f, rho, theta, &x, &y);
  c.Bitmap(c.pContext, tag, iResourceId, x - kGlyphHalf, y - kGlyphHalf);
}

// A point outside its computable period (-1) has no place on the wheel,
// nor has any point of an absent chart (ldJde 0: all longitudes 0).
bool HasPlace(const ChartRecord& chart, int i) { return chart.ldJde != 0 && chart.dLong[i] != -1.0; }

// Stacking levels: a point close to an earlier point of the same level
// (less than 10° apart, 359° and 2° included) moves one level inwards.
void StackLevels(const ChartRecord& chart, int v[kNumChartPoints]) {
  for (int i = 0; i < kNumChartPoints; ++i) {
    v[i] = 0;
    if (!HasPlace(chart, i)) continue;
    for (int j = 0; j < i; ++j) {
      if (!HasPlace(chart, j)) continue;
      const float d = static_cast<float>(std::fabs(chart.dLong[i] - chart.dLong[j]));
      if ((d < kCloseDegrees || d > 360.0f - kCloseDegrees) && v[i] == v[j]) ++v[i];
    }
  }
}

void AppendOverflow(ChartViewState* pState, const char* szFormat, int i, const ChartRecord& chart) {
  const size_t n = strlen(pState->szOverflow);
  if (n + 1 >= sizeof pState->szOverflow) return;
  snprintf(pState->szOverflow + n, sizeof pState->szOverflow - n, szFormat, kPanelPointLabels[i],
           chart.szShort[i]);
}

void DrawSigns(const Canvas& c, const WheelFrame& f, int R, int r1) {
  for (int i = 0; i < 12; ++i) {
    const double theta = 30.0 * i + f.l;
    int x1, y1, x2, y2;
    PointAt(f, R, theta, &x1, &y1);
    PointAt(f, r1, theta, &x2, &y2);
    c.Line(c.pContext, Tag(kRoleSignLine), x1, y1, x2, y2, kGreyPen);
    DrawGlyph(c, Tag(kRoleSignGlyph), kIdBmpSignFirst + 11 - i, f, R - kSignGlyphInset, theta + 195.0);
  }
}

void DrawHouseNumber(const Canvas& c, const WheelFrame& f, int iHouse, double theta, const CanvasFont& font) {
  int x, y;
  PointAt(f, kHouseNumberRadius, theta, &x, &y);
  char sz[8];
  snprintf(sz, sizeof sz, "%d", iHouse);
  c.Text(c.pContext, Tag(kRoleHouseNumber), x - kHouseNumberDx, y - kHouseNumberDy, sz, font, kWheelBlue,
         kCanvasNone);
}

// House lines from the centre to r1 and the house numbers at radius 30:
// the stored cusps (Placidus, or at high latitudes the equal cusps from
// the ASC), or equal houses at fixed screen angles.
void DrawHouses(const Canvas& c, const WheelFrame& f, int r1, const ChartRecord& houses, bool bPlacidus) {
  for (int i = 0; i < 12; ++i) {
    double G, theta;
    if (bPlacidus) {
      G = Normalize360(180.0 - houses.dCusp[i] + f.l);
      double H = Normalize360(180.0 - houses.dCusp[(i + 1) % 12] + f.l);
      if (H < G) H += 360.0;
      theta = (G + H) / 2.0 + 180.0;
    } else {
      G = 30.0 * i;
      theta = 165.0 - 30.0 * i;
    }
    int x, y;
    PointAt(f, r1, G, &x, &y);
    c.Line(c.pContext, Tag(kRoleHouseLine), f.cx, f.cy, x, y, kGreyPen);
    DrawHouseNumber(c, f, i + 1, theta, bPlacidus ? kPlacidusNumberFont : kEqualNumberFont);
  }
}

// The points of one chart, stacked inwards from rhoStart - 13.  A point
// whose place would be at or inside rhoLimit is left out: on the outer
// ring the first of them is drawn just outside r1, the others are listed.
// Returns the number of points left out.
int DrawPoints(const Canvas& c, const WheelFrame& f, const ChartRecord& chart, int iRing, int rhoStart,
               int rhoLimit, int r1, ChartViewState* pState) {
  int v[kNumChartPoints];
  StackLevels(chart, v);
  int nLeftOut = 0;
  for (int i = 0; i < kNumChartPoints; ++i) {
    if (!HasPlace(chart, i)) continue;
    const CanvasTag tag{kRolePointGlyph, i, iRing};
    const double theta = ScreenAngle(f, chart.dLong[i]);
    const int rho = rhoStart - kFirstLevelInset - kLevelStep * v[i];
    if (rho > rhoLimit) {
      DrawGlyph(c, tag, kIdBmpPointFirst + i, f, rho, theta);
      continue;
    }
    ++nLeftOut;
    if (iRing == kRingOuter && nLeftOut == 1) {
      DrawGlyph(c, tag, kIdBmpPointFirst + i, f, r1 + kMovedPointOutset, theta);
    } else {
      AppendOverflow(pState, iRing == kRingOuter ? "%sも合: %s\n" : "%sも合(内側のﾁｬｰﾄ): %s\n", i, chart);
    }
  }
  return nLeftOut;
}

}  // namespace

int DrawWheel(const Canvas& c, ChartSlots* pSlots, ChartViewState* pState, const ChartLayout& layout) {
  const bool bDouble = pSlots->iViewMode == kViewDouble;
  const ChartRecord& outer = pSlots->charts[pSlots->bCurSlot];
  const ChartRecord& inner = pSlots->charts[pSlots->bInnerSlot];
  const ChartRecord& houses = bDouble ? inner : outer;

  c.Text(c.pContext, Tag(kRoleProductName), 5, 35, kProductName, kProductFont, kWheelBlue, kCanvasNone);

  bool bPlacidus = false;
  const WheelFrame f{layout.cx, layout.cy,
                     static_cast<float>(WheelFirstCusp(houses, pState->HouseType, &bPlacidus))};
  const int R = layout.R;
  const int r1 = R - kSignRingWidth;
  int r2 = kInnermostRadius;
  c.Circle(c.pContext, Tag(kRoleWheelOuter), f.cx, f.cy, R, kGreyPen, kLightGrey);
  c.Circle(c.pContext, Tag(kRoleWheelInner), f.cx, f.cy, r1, kGreyPen, kCanvasNone);
  if (bDouble) {
    r2 = (r1 + kMiddleCircleOffset) / 2;
    c.Circle(c.pContext, Tag(kRoleWheelMiddle), f.cx, f.cy, r2, kGreyPen, kCanvasNone);
  }
  DrawSigns(c, f, R, r1);
  DrawHouses(c, f, r1, houses, bPlacidus);

  snprintf(pState->szOverflow, sizeof pState->szOverflow, "%s", kOverflowHeading);
  const int nOuterLeftOut = DrawPoints(c, f, outer, kRingOuter, r1, r2, r1, pState);
  const int nInnerLeftOut =
      bDouble ? DrawPoints(c, f, inner, kRingInner, r2, kInnermostRadius, r1, pState) : 0;
  if (nOuterLeftOut < 2 && nInnerLeftOut == 0) return 1;
  if (!pState->bFirstPaint) return 0;
  // Newly loaded data that does not fit: show the transit chart alone.
  pState->bFirstPaint = 0;
  pSlots->iViewMode = kViewChart;
  pSlots->iCurKind = kChartTransit;
  pSlots->bCurSlot = kSlotTransit;
  return DrawWheel(c, pSlots, pState, layout);
}

// The chart view drawn on the recording canvas: wheel geometry, stacking,
// houses, the overflow list, the first-paint switch, the layout, the panel,
// the text views and the quick-menu card.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/angles.h"
#include "chart/chart_text.h"
#include "chart/chart_view.h"
#include "chart/houses.h"
#include "chart_fixture.h"
#include "recording_canvas.h"
#include "test_support.h"
#include "time/timescale.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

ChartViewState MakeState(int iHouseType = kHouseTypeEqualAsc) {
  ChartViewState st{};
  st.HouseType = iHouseType;
  st.fScale = 1.0f;
  return st;
}

struct Painted {
  RecordingCanvas rc;
  ChartLayout layout;
  int iResult;
};

Painted Paint(ChartSlots* pSlots, ChartViewState* pState, int W = 800, int H = 560, int y0 = 0) {
  Painted p{};
  const Canvas c = MakeRecordingCanvas(&p.rc);
  p.iResult = PaintChartView(c, pSlots, pState, ChartViewArea{W, H, y0}, &p.layout);
  return p;
}

// Polar place of a glyph's centre (its corner + 7) around the wheel centre.
double RadiusOf(const RecordedOp& op, const ChartLayout& l) {
  return std::hypot(op.x1 + 7 - l.cx, op.y1 + 7 - l.cy);
}
double AngleOf(int x, int y, const ChartLayout& l) {
  double a = std::atan2(y - l.cy, x - l.cx) * 180.0 / kPi;
  return a < 0 ? a + 360.0 : a;
}
double AngleDiff(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180.0 ? 360.0 - d : d;
}

const RecordedOp* PointGlyph(const std::vector<RecordedOp>& ops, int iPoint, int iRing = kRingOuter) {
  const RecordedOp* pFound = nullptr;  // the last one: a redrawn wheel replaces the first
  for (const RecordedOp& op : ops) {
    if (op.tag.iRole == kRolePointGlyph && op.tag.iPoint == iPoint && op.tag.iRing == iRing) pFound = &op;
  }
  return pFound;
}

class ChartView : public BoxTest {};

// --- Wheel --------------------------------------------------------------------

TEST_F(ChartView, ClosePointsStackInwards) {
  struct Case {
    const char* szWhat;
    int iFirst, iSecond, iThird;  // points moved together (-1: none)
    double d1, d2, d3;
    int iLevel2, iLevel3;  // expected levels of the second and third
  };
  const Case kCases[] = {
      {"Sun, Mercury, Venus within 10°", Sun, Mercury, Venus, 100, 105, 108, 1, 2},
      {"359° and 2° are close", Sun, Moon, -1, 359, 2, 0, 1, 0},
      {"exactly 10° apart is not close", Sun, Mercury, -1, 100, 110, 0, 0, 0},
      {"exactly 350° apart is not close", Sun, Mercury, -1, 5, 355, 0, 0, 0},
      {"a third point close only to the first shares the second's level", Sun, Mercury, Venus, 100, 108, 92,
       1, 1},
  };
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.szWhat);
    // The other points 20° apart, away from 350°..10° and 90°..110°.
    const double kOthers[] = {40, 60, 130, 150, 170, 190, 210, 230, 250, 270, 290, 310, 330};
    double d[kNumChartPoints];
    int iOther = 0;
    for (int i = 0; i < kNumChartPoints; ++i) {
      d[i] = i == k.iFirst ? k.d1 : i == k.iSecond ? k.d2 : i == k.iThird ? k.d3 : kOthers[iOther++];
    }
    ChartSlots& s = NatalSlots(d);
    ChartViewState st = MakeState();
    const Painted p = Paint(&s, &st);
    ASSERT_EQ(p.iResult, 1);
    const int r1 = p.layout.R - 26;
    const auto glyphs = p.rc.Find(kRolePointGlyph);
    EXPECT_EQ(glyphs.size(), 14u);
    EXPECT_NEAR(RadiusOf(*PointGlyph(glyphs, k.iFirst), p.layout), r1 - 13, 1.0);
    EXPECT_NEAR(RadiusOf(*PointGlyph(glyphs, k.iSecond), p.layout), r1 - 13 - 20 * k.iLevel2, 1.0);
    if (k.iThird >= 0) {
      EXPECT_NEAR(RadiusOf(*PointGlyph(glyphs, k.iThird), p.layout), r1 - 13 - 20 * k.iLevel3, 1.0);
    }
    // Every glyph is the bitmap of its point, in the direction of its longitude.
    const double l = d[Asc];
    for (const RecordedOp& g : glyphs) {
      EXPECT_EQ(g.iId, 700 + g.tag.iPoint);
      EXPECT_NEAR(AngleDiff(AngleOf(g.x1 + 7, g.y1 + 7, p.layout), 180.0 - d[g.tag.iPoint] + l), 0.0, 0.6);
    }
  }
}

TEST_F(ChartView, WheelCirclesSignsAndProductName) {
  ChartSlots& s = NatalSlots(kSpread);
  ChartViewState st = MakeState();
  const Painted p = Paint(&s, &st);
  const ChartLayout& l = p.layout;
  // 800 x 560 with a 248-pixel panel sample: the wheel shrinks to 529.
  EXPECT_EQ(l.iSide, 529);
  EXPECT_EQ(l.R, 259);
  const auto outer = p.rc.Find(kRoleWheelOuter);
  const auto inner = p.rc.Find(kRoleWheelInner);
  ASSERT_EQ(outer.size(), 1u);
  ASSERT_EQ(inner.size(), 1u);
  EXPECT_EQ(outer[0].r, 259);
  EXPECT_EQ(outer[0].crBack, CanvasRgb(192, 192, 192));
  EXPECT_EQ(outer[0].cr, CanvasRgb(128, 128, 128));
  EXPECT_EQ(inner[0].r, 233);
  EXPECT_EQ(inner[0].crBack, kCanvasNone);
  EXPECT_TRUE(p.rc.Find(kRoleWheelMiddle).empty());

  const RecordedOp* name = p.rc.FindText("HoroMira 5.4.0.2");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->x1, 5);
  EXPECT_EQ(name->y1, 35);
  EXPECT_EQ(name->font.iFace, kFaceCourierNew);
  EXPECT_EQ(name->font.iPoints, 9);
  EXPECT_EQ(name->cr, CanvasRgb(0, 20, 200));

  // Sign s centred in its 30° at R - 13; boundaries from R to r1.
  const double l0 = kSpread[Asc];
  const auto signs = p.rc.Find(kRoleSignGlyph);
  ASSERT_EQ(signs.size(), 12u);
  for (const RecordedOp& g : signs) {
    const int iSign = g.iId - 3101;
    ASSERT_GE(iSign, 0);
    ASSERT_LT(iSign, 12);
    EXPECT_NEAR(RadiusOf(g, l), 259 - 13, 1.0);
    EXPECT_NEAR(AngleDiff(AngleOf(g.x1 + 7, g.y1 + 7, l), 180.0 - (30.0 * iSign + 15.0) + l0), 0.0, 0.5);
  }
  for (const RecordedOp& ln : p.rc.Find(kRoleSignLine)) {
    EXPECT_NEAR(std::hypot(ln.x1 - l.cx, ln.y1 - l.cy), 259, 1.0);
    EXPECT_NEAR(std::hypot(ln.x2 - l.cx, ln.y2 - l.cy), 233, 1.0);
    const double a = AngleOf(ln.x1, ln.y1, l) - (180.0 + l0);
    EXPECT_NEAR(std::remainder(a, 30.0), 0.0, 0.5);
  }
}

// The first cusp by house type and birth time: the point expected on the
// left of the centre, and whether the stored cusps are drawn.
TEST_F(ChartView, FirstCuspAndHouses) {
  struct Case {
    const char* szWhat;
    int iHouseType;
    int bTimeKnown;
    int iHouseMode;
    int iLeftPoint;  // the point on the first cusp (-1: 0° Aries, Jupiter is put there)
    bool bStoredCusps;
  };
  const Case kCases[] = {
      {"equal houses from the ASC", kHouseTypeEqualAsc, 1, 1, Asc, false},
      {"equal houses from the Sun", kHouseTypeEqualSun, 1, 1, Sun, false},
      {"0° Aries on the first cusp", kHouseTypeEqualAries, 1, 1, -1, false},
      {"Placidus", kHouseTypePlacidus, 1, 1, Asc, true},
      {"Placidus asked at 65° N draws the stored equal cusps", kHouseTypePlacidus, 1, 0, Asc, true},
      {"no birth time: the Sun whatever the setting (ASC)", kHouseTypeEqualAsc, 0, 1, Sun, false},
      {"no birth time: the Sun whatever the setting (Placidus)", kHouseTypePlacidus, 0, 1, Sun, false},
  };
  const double kPlacidus[12] = {105.56, 126.70, 150.61, 180.0, 215.49, 252.59,
                                285.56, 306.70, 330.61, 0.0,   395.49, 72.59};
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.szWhat);
    double d[kNumChartPoints];
    memcpy(d, kSpread, sizeof d);
    d[Jupiter] = 0.0;
    d[Asc] = 105.56;
    ChartSlots& s = NatalSlots(d, k.bTimeKnown);
    ChartRecord& c = s.charts[kSlotNatal];
    c.iHouseMode = k.iHouseMode;
    for (int i = 0; i < 12; ++i) c.dCusp[i] = k.iHouseMode ? kPlacidus[i] : 105.56 + 30.0 * i;
    ChartViewState st = MakeState(k.iHouseType);
    const Painted p = Paint(&s, &st);
    const ChartLayout& l = p.layout;
    const RecordedOp* g = PointGlyph(p.rc.ops, k.iLeftPoint < 0 ? Jupiter : k.iLeftPoint);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->y1 + 7, l.cy);
    EXPECT_LT(g->x1 + 7, l.cx);

    const auto lines = p.rc.Find(kRoleHouseLine);
    const auto numbers = p.rc.Find(kRoleHouseNumber);
    ASSERT_EQ(lines.size(), 12u);
    ASSERT_EQ(numbers.size(), 12u);
    const double l0 = k.bStoredCusps ? c.dCusp[0] : (k.iLeftPoint < 0 ? 0.0 : d[k.iLeftPoint]);
    for (int i = 0; i < 12; ++i) {
      // Each line lies on a cusp: the stored cusp of its index, or one of the equal cusps.
      double dBest = 360.0;
      for (int j = 0; j < 12; ++j) {
        const double dCusp = k.bStoredCusps ? c.dCusp[i] : l0 + 30.0 * j;
        dBest = std::min(dBest, AngleDiff(AngleOf(lines[i].x2, lines[i].y2, l), 180.0 - dCusp + l0));
      }
      EXPECT_NEAR(dBest, 0.0, 0.5) << "line " << i + 1;
      const double dCusp = k.bStoredCusps ? c.dCusp[i] : l0 + 30.0 * i;
      const double dNext = k.bStoredCusps ? c.dCusp[(i + 1) % 12] : dCusp + 30.0;
      double dMid = Normalize360(dCusp + Normalize360(dNext - dCusp) / 2.0);
      EXPECT_EQ(lines[i].x1, l.cx);
      EXPECT_EQ(lines[i].y1, l.cy);
      EXPECT_NEAR(std::hypot(lines[i].x2 - l.cx, lines[i].y2 - l.cy), 233, 1.0);
      // The number in the middle of its house at radius 30, 5 px left and 7 up.
      EXPECT_EQ(numbers[i].text, std::to_string(i + 1));
      EXPECT_NEAR(AngleDiff(AngleOf(numbers[i].x1 + 5, numbers[i].y1 + 7, l), 180.0 - dMid + l0), 0.0, 2.5)
          << "house " << i + 1;
      EXPECT_NEAR(std::hypot(numbers[i].x1 + 5 - l.cx, numbers[i].y1 + 7 - l.cy), 30, 1.0);
      EXPECT_EQ(numbers[i].font.iFace, kFaceTimesNewRomanBold);
      EXPECT_EQ(numbers[i].font.iWeight, k.bStoredCusps ? 700 : 900);
      EXPECT_TRUE(numbers[i].font.bItalic);
    }
  }
}

// Fourteen points within a few degrees on a small wheel: five levels fit,
// the sixth point goes outside the inner circle, the rest are listed.
const double kBunched[kNumChartPoints] = {100,   100.5, 101,   101.5, 102,   102.5, 103,
                                          103.5, 104,   104.5, 105,   105.5, 106,   106.5};

TEST_F(ChartView, PointsThatDoNotFitAreListed) {
  ChartSlots& s = NatalSlots(kBunched);
  ChartViewState st = MakeState();
  const Painted p = Paint(&s, &st, 800, 300);
  EXPECT_EQ(p.iResult, 0);
  const int r1 = p.layout.R - 26;
  ASSERT_EQ(r1, 119);
  const auto glyphs = p.rc.Find(kRolePointGlyph);
  ASSERT_EQ(glyphs.size(), 6u);
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(RadiusOf(glyphs[i], p.layout), r1 - 13 - 20 * i, 1.0);
  EXPECT_EQ(glyphs[5].tag.iPoint, Mars);
  EXPECT_NEAR(RadiusOf(glyphs[5], p.layout), r1 + 7, 1.0);
  EXPECT_EQ(std::string(st.szOverflow),
            "次のデータがチャートに描ききれません\r\n\r\n"
            "木星も合: short6\n土星も合: short7\n天王星も合: short8\n海王星も合: short9\n"
            "冥王星も合: short10\nDragonHも合: short11\nDragonTも合: short12\nＭＣも合: short13\n");
  // Painted once more, the list is made afresh, not appended to.
  const std::string sFirst = st.szOverflow;
  EXPECT_EQ(Paint(&s, &st, 800, 300).iResult, 0);
  EXPECT_EQ(st.szOverflow, sFirst);
}

TEST_F(ChartView, OnePointMovedOutsideStillFits) {
  double d[kNumChartPoints];
  memcpy(d, kSpread, sizeof d);
  for (int i : {Sun, Mercury, Venus, Mars, Jupiter, Saturn}) d[i] = 100.0 + i * 0.1;
  ChartSlots& s = NatalSlots(d);
  ChartViewState st = MakeState();
  const Painted p = Paint(&s, &st, 800, 300);
  EXPECT_EQ(p.iResult, 1);
  EXPECT_EQ(p.rc.Find(kRolePointGlyph).size(), 14u);
  EXPECT_STREQ(st.szOverflow, kOverflowHeading);
}

TEST_F(ChartView, FirstPaintSwitchesToTheTransitChart) {
  ChartSlots& s = NatalSlots(kBunched);
  MakeChart(&s.charts[kSlotTransit], kSpread);
  ChartViewState st = MakeState();
  st.bFirstPaint = 1;
  const Painted p = Paint(&s, &st, 800, 300);
  EXPECT_EQ(p.iResult, 1);
  EXPECT_EQ(st.bFirstPaint, 0);
  EXPECT_EQ(s.iViewMode, kViewChart);
  EXPECT_EQ(s.iCurKind, kChartTransit);
  EXPECT_EQ(s.bCurSlot, kSlotTransit);
  // The wheel was drawn twice; the second shows the transit chart, and the
  // panel shows it too.
  EXPECT_EQ(p.rc.Find(kRoleWheelOuter).size(), 2u);
  const auto glyphs = p.rc.Find(kRolePointGlyph);
  ASSERT_EQ(glyphs.size(), 6u + 14u);
  for (size_t i = 6; i < glyphs.size(); ++i) {
    EXPECT_NEAR(AngleDiff(AngleOf(glyphs[i].x1 + 7, glyphs[i].y1 + 7, p.layout),
                          180.0 - kSpread[glyphs[i].tag.iPoint] + kSpread[Asc]),
                0.0, 0.6);
  }
  EXPECT_EQ(std::string(s.charts[kSlotTransit].szPanel[0]).substr(0, 8), "テスト: ");

  // A transit chart that does not fit either: the flag is spent, result 0.
  NatalSlots(kBunched);
  MakeChart(&s.charts[kSlotTransit], kBunched);
  st.bFirstPaint = 1;
  EXPECT_EQ(Paint(&s, &st, 800, 300).iResult, 0);
  EXPECT_EQ(st.bFirstPaint, 0);
  EXPECT_EQ(s.bCurSlot, kSlotTransit);
}

TEST_F(ChartView, DoubleCircle) {
  ChartSlots& s = NatalSlots(kSpread);
  double d[kNumChartPoints];
  for (int i = 0; i < kNumChartPoints; ++i) d[i] = Normalize360(kSpread[i] + 5.0);
  MakeChart(&s.charts[kSlotTransit], d);
  s.charts[kSlotNatal].dCusp[0] = 111.0;  // houses come from the inner chart
  s.iViewMode = kViewDouble;
  s.bCurSlot = kSlotTransit;
  s.bInnerSlot = kSlotNatal;
  ChartViewState st = MakeState(kHouseTypePlacidus);
  const Painted p = Paint(&s, &st);
  EXPECT_EQ(p.iResult, 1);
  const int r1 = p.layout.R - 26, r2 = (r1 + 30) / 2;
  const auto middle = p.rc.Find(kRoleWheelMiddle);
  ASSERT_EQ(middle.size(), 1u);
  EXPECT_EQ(middle[0].r, r2);
  for (int i = 0; i < kNumChartPoints; ++i) {
    const RecordedOp* pOuter = PointGlyph(p.rc.ops, i, kRingOuter);
    const RecordedOp* pInner = PointGlyph(p.rc.ops, i, kRingInner);
    ASSERT_TRUE(pOuter && pInner);
    EXPECT_NEAR(RadiusOf(*pOuter, p.layout), r1 - 13, 1.0);
    EXPECT_NEAR(RadiusOf(*pInner, p.layout), r2 - 13, 1.0);
    EXPECT_NEAR(AngleDiff(AngleOf(pOuter->x1 + 7, pOuter->y1 + 7, p.layout), 180.0 - d[i] + 111.0), 0.0, 0.6);
    EXPECT_NEAR(AngleDiff(AngleOf(pInner->x1 + 7, pInner->y1 + 7, p.layout), 180.0 - kSpread[i] + 111.0), 0.0,
                0.6);
  }
  EXPECT_EQ(std::string(s.charts[kSlotTransit].szPanel[0]).substr(0, 6), "外側: ");

  // An inner chart whose points pile up: one left out is already too many.
  MakeChart(&s.charts[kSlotNatal], kBunched);
  const Painted q = Paint(&s, &st);
  EXPECT_EQ(q.iResult, 0);
  EXPECT_TRUE(Contains(st.szOverflow, "も合(内側のﾁｬｰﾄ): short"));
  EXPECT_FALSE(Contains(st.szOverflow, "も合: "));
}

TEST_F(ChartView, NothingDrawnForAbsentChartsAndPointsOutOfPeriod) {
  double d[kNumChartPoints];
  memcpy(d, kSpread, sizeof d);
  d[Pluto] = -1.0;
  ChartSlots& s = NatalSlots(d);
  ChartViewState st = MakeState();
  Painted p = Paint(&s, &st);
  EXPECT_EQ(p.rc.Find(kRolePointGlyph).size(), 13u);
  EXPECT_EQ(PointGlyph(p.rc.ops, Pluto), nullptr);

  ResetChartSlots(&s);  // no chart at all: an empty wheel, no list
  p = Paint(&s, &st);
  EXPECT_EQ(p.iResult, 1);
  EXPECT_TRUE(p.rc.Find(kRolePointGlyph).empty());
  EXPECT_EQ(p.rc.Find(kRoleHouseLine).size(), 12u);
}

// --- Layout -------------------------------------------------------------------

TEST_F(ChartView, LayoutByAreaSize) {
  struct Case {
    int W, H, y0;
    bool bTooSmall, bPanel;
    int iSide;
  };
  const Case kCases[] = {
      {245, 120, 0, true, false, 0},     // too small: at most 245 wide, bottom at most 120
      {245, 92, 28, true, false, 0},     // the bottom counts, below a tool bar
      {246, 120, 0, false, false, 120},  // one pixel wider: a wheel, no panel
      {245, 121, 0, false, false, 121},
      {800, 560, 0, false, true, 529},   // the panel's room takes from the wheel
      {1000, 560, 0, false, true, 560},  // room enough: the wheel keeps the full height
      {500, 400, 0, false, true, 229},   // b = 500 - 248 - 23 = 229 > 220
      {491, 400, 0, false, false, 400},  // b = 220: no panel, the wheel keeps the height
      {300, 500, 0, false, false, 300},  // no panel, and never wider than the area
  };
  for (const Case& k : kCases) {
    SCOPED_TRACE(testing::Message() << k.W << "x" << k.H << "+" << k.y0);
    ChartSlots& s = NatalSlots(kSpread);
    ChartViewState st = MakeState();
    const Painted p = Paint(&s, &st, k.W, k.H, k.y0);
    EXPECT_EQ(p.layout.bTooSmall != 0, k.bTooSmall);
    if (k.bTooSmall) {
      // Only the black fill and the notice.
      ASSERT_EQ(p.rc.ops.size(), 2u);
      EXPECT_EQ(p.rc.ops[0].kind, kOpFill);
      EXPECT_EQ(p.rc.ops[0].cr, CanvasRgb(0, 0, 0));
      EXPECT_EQ(p.rc.ops[0].y2, k.y0 + k.H);
      EXPECT_EQ(p.rc.ops[1].text, "小さすぎるｳｲﾝﾄﾞｳ");
      EXPECT_EQ(p.rc.ops[1].x1, 5);
      EXPECT_EQ(p.rc.ops[1].y1, 55);
      continue;
    }
    EXPECT_EQ(p.layout.bPanel != 0, k.bPanel);
    EXPECT_EQ(p.layout.iSide, k.iSide);
    EXPECT_EQ(p.layout.cx, k.iSide / 2);
    EXPECT_EQ(p.layout.cy, k.y0 + k.iSide / 2);
    EXPECT_EQ(p.layout.R, k.iSide / 2 - 5);
    EXPECT_EQ(p.rc.Find(kRolePanelRow).empty(), !k.bPanel);
    EXPECT_EQ(p.rc.Find(kRolePanelFrame).size(), k.bPanel ? 1u : 0u);
    if (k.bPanel) {
      EXPECT_EQ(p.layout.rcPanel.left, k.iSide + 5);
      EXPECT_EQ(p.layout.rcPanel.right, k.W - 5);
      EXPECT_EQ(p.layout.rcPanel.top, k.y0 + 5);
      EXPECT_EQ(p.layout.rcPanel.bottom, k.y0 + k.H - 5);
      EXPECT_EQ(p.layout.iMargin, (k.W - k.iSide - 248 - 10) / 2);
    }
  }
}

TEST_F(ChartView, SizeFactorAndMarginFallBackToSafeValues) {
  ChartSlots& s = NatalSlots(kSpread);
  ChartViewState st = MakeState();
  st.fScale = 0.0f;
  const Painted p = Paint(&s, &st, 1000, 560);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "k<=0 at WM_PAINT");
  EXPECT_EQ(Boxes()[0].title, "異常値検出");
  EXPECT_EQ(st.fScale, 1.0f);
  EXPECT_EQ(p.layout.nTextWidth, (1000 - 560 - 10) * 33 / 272);
  EXPECT_EQ(strlen(s.charts[kSlotNatal].szPanel[0]), static_cast<size_t>(p.layout.nTextWidth));

  // A margin below 4: the notice at (100, 100), the rows at margin 4.
  RecordingCanvas rc;
  const CanvasRect rcPanel{565, 5, 995, 555};
  DrawPanel(MakeRecordingCanvas(&rc), &s, rcPanel, 2, 40, st);
  const RecordedOp* pNote = rc.FindText("margin<4 Abnormal");
  ASSERT_NE(pNote, nullptr);
  EXPECT_EQ(pNote->x1, 100);
  EXPECT_EQ(pNote->y1, 100);
  EXPECT_EQ(rc.FindText("太陽")->x1, 565 + 4);
  EXPECT_EQ(rc.FindText("short0")->x1, 565 + 4 + 7 * 8);

  // A very wide panel: its lines fill their 199-byte fields, no more.
  DrawPanel(MakeRecordingCanvas(&rc), &s, rcPanel, 10, 5000, st);
  EXPECT_EQ(strlen(s.charts[kSlotNatal].szPanel[0]), 199u);
  EXPECT_TRUE(ChartRecordIntact(s.charts[kSlotNatal]));
}

// --- Panel --------------------------------------------------------------------

TEST_F(ChartView, PanelLinesAndRows) {
  ChartSlots& s = NatalSlots(kSpread);
  const ChartViewState st = MakeState();
  struct Case {
    int iTop, iHeight;
    int iRows;  // rows drawn before the note (14: all, no note)
  };
  // L = 16: a panel of 550 px stretches by 550 / 320; below 17 L + 10 = 282
  // px the rows close up to the title (offset 5 instead of L).
  const Case kCases[] = {{5, 550, 14}, {33, 550, 14}, {5, 300, 11}, {5, 281, 10}, {5, 200, 5}};
  for (const Case& k : kCases) {
    SCOPED_TRACE(testing::Message() << "panel " << k.iHeight << " at " << k.iTop);
    RecordingCanvas rc;
    const CanvasRect rcPanel{540, k.iTop, 795, k.iTop + k.iHeight};
    ASSERT_EQ(DrawPanel(MakeRecordingCanvas(&rc), &s, rcPanel, 7, 30, st), 1);
    const auto lines = rc.Find(kRolePanelLine);
    ASSERT_EQ(lines.size(), 4u);
    const CanvasColor kColors[4] = {CanvasRgb(0, 0, 0), CanvasPaletteEntry(9), CanvasPaletteEntry(8),
                                    CanvasPaletteEntry(8)};
    const float sStretch = std::max(1.0f, k.iHeight / 320.0f);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(lines[i].x1, 545);
      EXPECT_EQ(lines[i].y1, k.iTop + 5 + static_cast<int>(i * 16 * sStretch));
      EXPECT_EQ(lines[i].text.size(), 30u);
      EXPECT_EQ(lines[i].cr, kColors[i]);
      EXPECT_EQ(lines[i].crBack, kCanvasNone);
    }
    EXPECT_EQ(lines[0].text, std::string("テスト: 出生図 ") + std::string(15, ' '));
    const auto rows = rc.Find(kRolePanelRow);
    ASSERT_EQ(rows.size(), 2u * k.iRows);
    const int r = k.iHeight < 282 ? 5 : 16;
    for (int i = 0; i < k.iRows; ++i) {
      const RecordedOp& label = rows[2 * i];
      const RecordedOp& pos = rows[2 * i + 1];
      EXPECT_EQ(label.text, kPanelPointLabels[i]);
      EXPECT_EQ(pos.text, "short" + std::to_string(i));
      EXPECT_EQ(label.x1, 547);
      EXPECT_EQ(pos.x1, 547 + 56);  // after the width of "ｱｾﾝﾀﾞﾝﾄ"
      EXPECT_EQ(label.y1, k.iTop + 5 + static_cast<int>((i + 4) * 16 * sStretch) + r);
      EXPECT_EQ(pos.y1, label.y1);
      EXPECT_LE(label.y1 + 16, rcPanel.bottom);
      const bool bLuminary = i == Sun || i == Asc || i == Moon;
      EXPECT_EQ(label.cr, bLuminary ? CanvasRgb(0, 64, 0) : CanvasPaletteEntry(7));
      EXPECT_EQ(pos.cr, bLuminary    ? CanvasRgb(0, 64, 0)
                        : i == Pluto ? CanvasRgb(128, 128, 0)
                                     : CanvasRgb(0, 128, 64));
    }
    const auto notes = rc.Find(kRolePanelNote);
    if (k.iRows == 14) {
      EXPECT_TRUE(notes.empty());
    } else {
      ASSERT_EQ(notes.size(), 1u);
      EXPECT_EQ(notes[0].text, " 詳細ﾃﾞｰﾀ → [Shift]+[D] ");
      EXPECT_EQ(notes[0].text.size(), 25u);
      EXPECT_EQ(notes[0].cr, CanvasRgb(255, 0, 0));
      EXPECT_EQ(notes[0].crBack, CanvasRgb(255, 255, 255));
      EXPECT_EQ(notes[0].x1, 547);
      EXPECT_GT(notes[0].y1, rows.back().y1);
      EXPECT_LE(notes[0].y1 + 16, rcPanel.bottom);
    }
    const auto frame = rc.Find(kRolePanelFrame);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(frame[0].y2, rcPanel.bottom);
  }
}

TEST_F(ChartView, PanelSelfRepairBox) {
  ChartSlots& s = NatalSlots(kSpread);
  s.charts[kSlotNatal].szSubtitle[0] = '\0';
  const ChartViewState st = MakeState();
  const CanvasRect rcPanel{540, 5, 795, 555};
  struct Case {
    int iAnswer;
    bool bGoesOn;
  };
  for (const Case& k : {Case{kIdIgnore, true}, Case{kIdAbort, false}, Case{kIdRetry, false}}) {
    NativeClearBoxes();
    NativeSetMainWindow(reinterpret_cast<WindowRef>(0x1234));
    NativeQueueAnswer(k.iAnswer);
    RecordingCanvas rc;
    EXPECT_EQ(DrawPanel(MakeRecordingCanvas(&rc), &s, rcPanel, 7, 30, st), k.bGoesOn ? 1 : 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].style, static_cast<unsigned>(kMbAbortRetryIgnore | kMbIconWarning));
    EXPECT_EQ(Boxes()[0].text,
              "Horomira 自己修復ルーチン : \n\nOutputData関数内で異常値を検出しました。続けるとｴﾗｰになるかも"
              "知れません。いったん終了します。\n\nszStatus2: テスト: 出生図 \nTime: " +
                  std::string(TimeToStr(&s.charts[kSlotNatal].target.time)));
    EXPECT_EQ(NativeMainWindowDestroyed(), !k.bGoesOn);
    EXPECT_EQ(rc.Find(kRolePanelRow).empty(), !k.bGoesOn);
  }
  NativeSetMainWindow(nullptr);
  // A chart never computed (no month) is not checked.
  NativeClearBoxes();
  ResetChartSlots(&s);
  RecordingCanvas rc;
  EXPECT_EQ(DrawPanel(MakeRecordingCanvas(&rc), &s, rcPanel, 7, 30, st), 1);
  EXPECT_TRUE(Boxes().empty());
}

// --- Text views ----------------------------------------------------------------

TEST_F(ChartView, TextViews) {
  ChartSlots& s = NatalSlots(kSpread);
  ChartRecord& c = s.charts[kSlotNatal];
  for (int i = 0; i < 3; ++i) snprintf(c.szHeader[i], sizeof c.szHeader[i], "header%d", i);
  for (int i = 0; i < 14; ++i) {
    snprintf(c.szDetail[i], sizeof c.szDetail[i], "detail%d", i);
    snprintf(c.szTime[i], sizeof c.szTime[i], "time%d", i);
  }
  struct Case {
    int iView;
    int iBackColor;
    int H;       // area height; the text area is H - 10
    int iLines;  // lines drawn before the note (15: all)
  };
  // L = 16: r = 10 from 19 L + 10 = 314 px of text area; k stretches above 320 px.
  const Case kCases[] = {{kViewDetail, 0, 560, 15},
                         {kViewTime, 2, 560, 15},
                         {kViewDetail, 5, 330, 15},
                         {kViewTime, 0, 300, 13},
                         {kViewDetail, 0, 200, 7}};
  for (const Case& k : kCases) {
    SCOPED_TRACE(testing::Message() << "view " << k.iView << " height " << k.H);
    s.iViewMode = k.iView;
    ChartViewState st = MakeState();
    st.iBackColor = k.iBackColor;
    const Painted p = Paint(&s, &st, 800, k.H);
    EXPECT_TRUE(p.rc.Find(kRoleWheelOuter).empty());
    EXPECT_TRUE(p.rc.Find(kRolePanelRow).empty());
    const int iTop = p.layout.rcPanel.top, iHeight = p.layout.rcPanel.bottom - iTop;
    const int r = iHeight < 19 * 16 + 10 ? 0 : 10;
    const float kk = std::max(1.0f, iHeight / 320.0f);
    const auto headers = p.rc.Find(kRoleTextHeader);
    ASSERT_EQ(headers.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(headers[i].text, "header" + std::to_string(i));
      EXPECT_EQ(headers[i].x1, 30);
      EXPECT_EQ(headers[i].y1, iTop + r + static_cast<int>(i * 16 * kk));
      EXPECT_EQ(headers[i].cr, CanvasPaletteEntry(9));
    }
    const auto lines = p.rc.Find(kRoleTextLine);
    ASSERT_EQ(lines.size(), static_cast<size_t>(k.iLines));
    const CanvasColor crText =
        k.iBackColor == 2 || k.iBackColor == 5 ? CanvasRgb(255, 255, 255) : CanvasRgb(0, 0, 0);
    for (int i = 0; i < k.iLines; ++i) {
      const std::string sWant = i == 14 ? std::string(k.iView == kViewDetail ? c.szDetail[14] : c.szTime[14])
                                        : (k.iView == kViewDetail ? "detail" : "time") + std::to_string(i);
      EXPECT_EQ(lines[i].text, sWant);
      EXPECT_EQ(lines[i].x1, 30);
      EXPECT_EQ(lines[i].y1, iTop + 2 * r + static_cast<int>((i + 3) * 16 * kk) + (i == 14 ? r : 0));
      EXPECT_EQ(lines[i].cr, i == 14 ? CanvasPaletteEntry(10) : crText);
      EXPECT_LE(lines[i].y1 + 16, p.layout.rcPanel.bottom);
    }
    const auto notes = p.rc.Find(kRoleTextNote);
    if (k.iLines == 15) {
      EXPECT_TRUE(notes.empty());
    } else {
      ASSERT_EQ(notes.size(), 1u);
      EXPECT_EQ(notes[0].text, " ﾁｬｰﾄの表示 → [Shift]+[C] ");
      EXPECT_EQ(notes[0].text.size(), 27u);
      EXPECT_EQ(notes[0].x1, 400);
      EXPECT_EQ(notes[0].cr, CanvasRgb(255, 0, 0));
      EXPECT_EQ(notes[0].crBack, CanvasRgb(255, 255, 255));
    }
  }
}

TEST_F(ChartView, OpaqueBackgrounds) {
  ChartSlots& s = NatalSlots(kSpread);
  ChartViewState st = MakeState();
  st.bOpaque = 1;
  Painted p = Paint(&s, &st);
  EXPECT_EQ(p.rc.Find(kRolePanelRow)[0].crBack, CanvasPaletteEntry(3));
  s.iViewMode = kViewDetail;
  p = Paint(&s, &st);
  EXPECT_EQ(p.rc.Find(kRoleTextLine)[0].crBack, CanvasRgb(192, 192, 192));
  st.iBackColor = 3;
  p = Paint(&s, &st);
  EXPECT_EQ(p.rc.Find(kRoleTextLine)[0].crBack, CanvasPaletteEntry(0));
}

// --- Quick menu, slot check, palette ---------------------------------------------

TEST_F(ChartView, QuickMenuCard) {
  for (float k : {1.0f, 1.5f}) {
    SCOPED_TRACE(k);
    ChartViewState st = MakeState();
    st.fScale = k;
    CentreQuickMenu(ChartViewArea{800, 560, 28}, &st);
    const int g = static_cast<int>(300 * k);
    EXPECT_EQ(st.iQuickSize, g);
    EXPECT_EQ(st.iQuickLeft, (800 - g) / 2);
    EXPECT_EQ(st.iQuickTop, 28 + (560 - g) / 2);
    RecordingCanvas rc;
    const Canvas c = MakeRecordingCanvas(&rc);
    ASSERT_EQ(DrawQuickMenuCard(&c, &st), 1);
    const int left = st.iQuickLeft, top = st.iQuickTop;
    const RecordedOp* pCard = nullptr;
    for (const RecordedOp& op : rc.ops) {
      if (op.kind == kOpFill && op.cr == CanvasRgb(230, 230, 200)) pCard = &op;
    }
    ASSERT_NE(pCard, nullptr);
    EXPECT_EQ(pCard->x1, left);
    EXPECT_EQ(pCard->y2, top + g);
    const auto bitmaps = [&] {
      std::vector<RecordedOp> v;
      for (const RecordedOp& op : rc.ops) {
        if (op.kind == kOpBitmap) v.push_back(op);
      }
      return v;
    }();
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0].iId, 5000);
    EXPECT_EQ(bitmaps[0].x1, left + 16);
    const RecordedOp* pName = rc.FindText("Horomira");
    ASSERT_NE(pName, nullptr);
    EXPECT_EQ(pName->font.iFace, kFaceTimesNewRoman);
    EXPECT_EQ(pName->font.iHeight, static_cast<int>(36 * k));
    EXPECT_EQ(pName->font.iWidth, static_cast<int>(16 * k));
    EXPECT_EQ(pName->font.iWeight, 500);
    EXPECT_TRUE(pName->font.bItalic);
    EXPECT_EQ(pName->cr, CanvasRgb(0, 0, 128));
    EXPECT_EQ(pName->x1, left + static_cast<int>(100 * k));
    EXPECT_EQ(rc.FindText("ホロミラ")->cr, CanvasRgb(128, 64, 128));
    const int iItemWidth = 18 * static_cast<int>(10 * k);
    const int x0 = std::max(5, (static_cast<int>(224 * k) - iItemWidth) / 2);
    const auto buttons = rc.Find(kRoleQuickMenuButton);
    ASSERT_EQ(buttons.size(), 4u);
    for (int i = 0; i < 4; ++i) {
      const RecordedOp* pItem = rc.FindText(kQuickMenuItems[i]);
      ASSERT_NE(pItem, nullptr);
      EXPECT_EQ(pItem->font.iFace, kFaceMsGothic);
      EXPECT_EQ(pItem->x1, left + x0);
      EXPECT_EQ(pItem->y1, top + static_cast<int>((110 + 50 * i) * k));
      EXPECT_EQ(buttons[i].iId, 57049 + i);
      EXPECT_EQ(buttons[i].text, std::string(1, static_cast<char>('1' + i)));
      EXPECT_EQ(buttons[i].r, static_cast<int>(36 * k));
      EXPECT_EQ(buttons[i].x1, left + x0 + static_cast<int>(20 * k) + iItemWidth);
      EXPECT_EQ(buttons[i].y1, top + static_cast<int>((102 + 50 * i) * k));
    }
    EXPECT_EQ(std::string(kQuickMenuItems[0]).size(), 18u);
  }
  ChartViewState st = MakeState();
  EXPECT_EQ(DrawQuickMenuCard(nullptr, &st), 0);
  RecordingCanvas rc;
  const Canvas c = MakeRecordingCanvas(&rc, false);  // a surface without windows: no buttons
  EXPECT_EQ(DrawQuickMenuCard(&c, nullptr), 0);
  CentreQuickMenu(ChartViewArea{800, 560, 0}, &st);
  EXPECT_EQ(DrawQuickMenuCard(&c, &st), 1);
  EXPECT_TRUE(rc.Find(kRoleQuickMenuButton).empty());
  EXPECT_EQ(rc.Find(kRoleQuickMenu).size(), 3u + 1u + 1u + 2u + 4u);  // fills, frame, bitmap, names, items
}

TEST_F(ChartView, QuickMenuDrawnLastWhenShown) {
  ChartSlots& s = NatalSlots(kSpread);
  ChartViewState st = MakeState();
  st.bQuickMenu = 1;
  CentreQuickMenu(ChartViewArea{800, 560, 0}, &st);
  const Painted p = Paint(&s, &st);
  EXPECT_EQ(p.rc.ops.back().tag.iRole, kRoleQuickMenuButton);
}

TEST_F(ChartView, BadSlotIndexesAreRepaired) {
  ChartSlots& s = NatalSlots(kSpread);
  s.bCurSlot = 9;
  ChartViewState st = MakeState();
  const Painted p = Paint(&s, &st);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text,
            "Horomira 自己修復ルーチン : レベル１\n\n出生図を出力します\n\nOutData at WM_PAINT: 9 0");
  EXPECT_EQ(s.bCurSlot, kSlotNatal);
  EXPECT_EQ(s.bInnerSlot, kSlotPrevNatal);
  EXPECT_EQ(p.rc.Find(kRolePointGlyph).size(), 14u);
}

TEST_F(ChartView, Palette) {
  EXPECT_EQ(PaletteRgb(0, 0), CanvasRgb(104, 160, 128));
  EXPECT_EQ(PaletteRgb(3, 0), CanvasRgb(200, 170, 170));
  EXPECT_EQ(PaletteRgb(0, 1), CanvasRgb(85, 0, 20));
  EXPECT_EQ(PaletteRgb(5, 1), CanvasRgb(0, 0, 0));
  EXPECT_EQ(PaletteRgb(4, 7), CanvasRgb(0, 30, 130));
  EXPECT_EQ(PaletteRgb(4, 9), CanvasRgb(30, 127, 40));
  EXPECT_EQ(PaletteRgb(0, 15), CanvasRgb(0, 0, 0));
  EXPECT_EQ(PaletteRgb(6, 0), CanvasRgb(104, 160, 128));  // a bad setting reads as the standard
  EXPECT_EQ(ResolveColor(CanvasPaletteEntry(0), 2), CanvasRgb(0, 32, 128));
  EXPECT_EQ(ResolveColor(CanvasRgb(1, 2, 3), 2), CanvasRgb(1, 2, 3));
}

}  // namespace

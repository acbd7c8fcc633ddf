// MC, Ascendant, Placidus and equal cusps, and the house type.
#include <cmath>
#include <cstring>

#include "base/angles.h"
#include "chart/houses.h"
#include "test_support.h"
#include "time/timescale.h"

namespace {

constexpr double kEps = 23.4393;

struct HouseResult {
  int iResult;
  PositionData pd;
  ChartRecord chart;
};

HouseResult& Compute(double dRamc, double dPhi, double dGivenLat) {
  static HouseResult r;
  memset(&r, 0, sizeof r);
  r.chart.iHouseMode = 7;  // marks "not written"
  for (double& c : r.chart.dCusp) c = -99.0;
  r.iResult = SetChartAngles(SiderealAngles{kEps, dPhi, dRamc, dGivenLat}, &r.pd, &r.chart);
  return r;
}
HouseResult& Compute(double dRamc, double dPhi) { return Compute(dRamc, dPhi, dPhi); }

class Houses : public BoxTest {};

TEST_F(Houses, PlacidusAtRamcZero) {
  const HouseResult& r = Compute(0.0, 35.0);
  ASSERT_EQ(r.iResult, 1);
  EXPECT_EQ(r.chart.iHouseMode, 1);
  EXPECT_NEAR(r.pd.dLong[MC], 0.0, 1e-9);
  EXPECT_NEAR(r.pd.dLong[Asc], 105.5639, 5e-5);
  const double expected[12] = {105.5639, 126.6952, 150.6088, 180.0,    215.486,  252.5886,
                               285.5639, 306.6952, 330.6088, 0.0,      35.486,   72.5886};
  for (int k = 0; k < 12; ++k) EXPECT_NEAR(r.chart.dCusp[k], expected[k], 5e-4) << "cusp " << k + 1;
}

// Wherever Placidus cusps are given they follow each other round the
// zodiac, each less than 180° after the one before; where the method does
// not hold (far south, a semi-arc argument beyond ±1) the equal houses from
// the ASC take their place, with their mode.  At 65° S it always holds.
TEST_F(Houses, PlacidusOnlyWhereItsSemiArcsExist) {
  for (const double dPhi : {-60.0, -65.0, -66.5, -70.0, -75.0, -85.0}) {
    SCOPED_TRACE(dPhi);
    int nEqual = 0;
    for (double dRamc = 0.0; dRamc < 360.0; dRamc += 5.0) {
      const HouseResult& r = Compute(dRamc, dPhi);
      ASSERT_EQ(r.iResult, 1);
      const double* c = r.chart.dCusp;
      if (r.chart.iHouseMode == 0) {
        ++nEqual;
        for (int k = 0; k < 12; ++k) EXPECT_DOUBLE_EQ(c[k], c[0] + 30.0 * k);
        continue;
      }
      ASSERT_EQ(r.chart.iHouseMode, 1);
      for (int k = 0; k < 12; ++k) {
        const double dStep = Normalize360(c[(k + 1) % 12] - c[k]);
        EXPECT_GT(dStep, 0.0) << "RAMC " << dRamc << " cusp " << k + 1;
        EXPECT_LT(dStep, 180.0) << "RAMC " << dRamc << " cusp " << k + 1;
      }
    }
    if (dPhi >= -66.5) {
      EXPECT_EQ(nEqual, 0);
    } else {
      EXPECT_GT(nEqual, 0);
    }
  }
}

TEST_F(Houses, MidheavenOnTheOtherSide) {
  const HouseResult& r = Compute(180.5, 35.0);
  ASSERT_EQ(r.iResult, 1);
  EXPECT_NEAR(r.pd.dLong[MC], 180.545, 5e-4);
  EXPECT_NEAR(r.pd.dLong[Asc], 254.8621, 5e-5);
}

TEST_F(Houses, CuspElevenPastZeroStaysUnreduced) {
  const HouseResult& r = Compute(350.0, 35.0);
  ASSERT_EQ(r.iResult, 1);
  EXPECT_NEAR(r.pd.dLong[MC], 349.1212, 5e-5);
  EXPECT_NEAR(r.chart.dCusp[10], 383.9741, 5e-5);
  EXPECT_NEAR(r.chart.dCusp[11], 62.2619, 5e-5);
  for (int k = 3; k <= 8; ++k) {
    EXPECT_GE(r.chart.dCusp[k], 0.0);
    EXPECT_LT(r.chart.dCusp[k], 360.0);
  }
  EXPECT_NEAR(r.chart.dCusp[4], Normalize360(383.9741 + 180.0), 5e-5);
}

TEST_F(Houses, SixtyDegreesIsTheLimitInTheNorthOnly) {
  EXPECT_EQ(Compute(0.0, 60.0).chart.iHouseMode, 1);

  const HouseResult& high = Compute(0.0, 60.0001);
  ASSERT_EQ(high.iResult, 1);
  EXPECT_EQ(high.chart.iHouseMode, 0);
  for (int k = 0; k < 12; ++k) EXPECT_DOUBLE_EQ(high.chart.dCusp[k], high.pd.dLong[Asc] + 30.0 * k);
  EXPECT_GT(high.chart.dCusp[11], 360.0);  // equal cusps are not reduced

  const HouseResult& south = Compute(0.0, -65.0);
  ASSERT_EQ(south.iResult, 1);
  EXPECT_EQ(south.chart.iHouseMode, 1);
}

TEST_F(Houses, PoleStopsBeforeTheAscendant) {
  const HouseResult& r = Compute(100.0, 90.0);
  EXPECT_EQ(r.iResult, -90);
  EXPECT_EQ(r.chart.iHouseMode, 7);
  EXPECT_EQ(r.chart.dCusp[0], -99.0);
  const double dMc = r.pd.dLong[MC];  // packed block: copied, not bound
  EXPECT_GT(dMc, 0.0);
  // The Tokyo-datum pole lands 0.5 km off the IAU pole; it is still a pole.
  EXPECT_EQ(Compute(100.0, 89.995, 90.0).iResult, -90);
  EXPECT_EQ(Compute(100.0, -90.0).iResult, -90);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Houses, UndefinedAscendant) {
  // On the equator at RAMC 0 the denominator of the ASC formula is 0.
  HouseResult& r = Compute(0.0, 0.0);
  EXPECT_EQ(r.iResult, -7);
  const double dAsc = r.pd.dLong[Asc];  // packed block: copied, not bound
  EXPECT_EQ(dAsc, 0.0);
  EXPECT_EQ(r.chart.iHouseMode, 7);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "ASCを計算できませんでした。");
  EXPECT_EQ(Boxes()[0].title, "ホロミラ");
  EXPECT_EQ(Boxes()[0].style & kMbIconMask, static_cast<unsigned>(kMbIconWarning));
}

TEST(AcosDeg, ClampsBeyondOne) {
  EXPECT_EQ(AcosDeg(1.5), 0.0);
  EXPECT_EQ(AcosDeg(-1.5), 180.0);
  EXPECT_NEAR(AcosDeg(0.5), 60.0, 1e-12);
}

TEST(AngleAfter, PicksThePointWithin180After) {
  EXPECT_DOUBLE_EQ(AngleAfter(10.0, 0.0), 10.0);
  EXPECT_DOUBLE_EQ(AngleAfter(-80.0, 0.0), 100.0);    // 280 is too far: 100
  EXPECT_DOUBLE_EQ(AngleAfter(5.0, 350.0), 365.0);    // past 0°, unreduced
  EXPECT_DOUBLE_EQ(AngleAfter(-170.0, 350.0), 10.0);  // 190 -> 370 -> 10
}

TEST_F(Houses, WheelCuspsByHouseType) {
  static ChartRecord chart;
  memset(&chart, 0, sizeof chart);
  chart.target.bTimeKnown = 1;
  chart.dLong[Sun] = 100.0;
  chart.dLong[Asc] = 200.0;
  for (int k = 0; k < 12; ++k) chart.dCusp[k] = 350.0 + 25.0 * k;
  double c[12];
  HouseCuspsForWheel(chart, kHouseTypeEqualAsc, c);
  EXPECT_DOUBLE_EQ(c[0], 200.0);
  EXPECT_DOUBLE_EQ(c[6], 20.0);
  HouseCuspsForWheel(chart, kHouseTypeEqualSun, c);
  EXPECT_DOUBLE_EQ(c[1], 130.0);
  HouseCuspsForWheel(chart, kHouseTypeEqualAries, c);
  EXPECT_DOUBLE_EQ(c[3], 90.0);
  HouseCuspsForWheel(chart, kHouseTypePlacidus, c);
  EXPECT_DOUBLE_EQ(c[1], 15.0);
  chart.target.bTimeKnown = 0;  // no birth time: the Sun, whatever the setting
  HouseCuspsForWheel(chart, kHouseTypePlacidus, c);
  EXPECT_DOUBLE_EQ(c[0], 100.0);
}

TEST_F(Houses, ChoosingPlacidusAtHighLatitude) {
  static ChartRecord chart;
  memset(&chart, 0, sizeof chart);
  int iHouseType = kHouseTypeEqualAsc;
  EXPECT_EQ(ChooseHouseType(nullptr, chart, kCmdHousePlacidus, &iHouseType), 0);
  EXPECT_EQ(iHouseType, kHouseTypeEqualAsc);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].title, "高緯度の特例");

  NativeClearBoxes();
  chart.iHouseMode = 1;
  EXPECT_EQ(ChooseHouseType(nullptr, chart, kCmdHousePlacidus, &iHouseType), 1);
  EXPECT_EQ(iHouseType, kHouseTypePlacidus);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].kind, "AppOkCancelMsg");
  EXPECT_EQ(Boxes()[0].lines[0], "ハウスシステム");
  EXPECT_EQ(Boxes()[0].lines[1], "プラシーダス方式（参考）");

  NativeQueueAnswer(kIdCancel);
  EXPECT_EQ(ChooseHouseType(nullptr, chart, kCmdHouseAries, &iHouseType), 0);
  EXPECT_EQ(iHouseType, kHouseTypePlacidus);
  EXPECT_EQ(ChooseHouseType(nullptr, chart, kCmdHouseSun, &iHouseType), 1);
  EXPECT_EQ(iHouseType, kHouseTypeEqualSun);
}

}  // namespace

namespace {

// A chart record with the time scales of a JST moment.
ChartRecord& ChartAt(const DateTime& jst) {
  static ChartRecord chart;
  memset(&chart, 0, sizeof chart);
  chart.ldJd = DateToJd(jst, 9.0f);
  SetChartTimeScales(chart.ldJd, jst.second, &chart);
  return chart;
}

class GetAscExTest : public BoxTest {};

TEST_F(GetAscExTest, TimeAndGeodesyLinesAtJ2000) {
  const DateTime jst{2000, 1, 1, 21, 0, 0.0};
  ChartRecord& chart = ChartAt(jst);
  PositionData pd{};
  ASSERT_EQ(GetAscEx(jst, 9.0f, 35.0 + 40.0 / 60.0, 139.75, 1, &pd, &chart), 1);
  EXPECT_STREQ(chart.szTime[6], "グリニジ平均恒星時      18時41分50.5秒");
  // Nutation in longitude -13.92" at J2000: the equation of the equinoxes
  // is -0.85 s of time.
  EXPECT_STREQ(chart.szTime[7], "グリニジ視恒星時        18時41分49.7秒  (分点差 -0.9秒を含む)");
  EXPECT_STREQ(chart.szTime[8], "日本測地系 北緯   35°40′ 0.0″ =   +35.666667°");
  EXPECT_STREQ(chart.szTime[9], "ＩＡＵ76系 北緯   35°40′11.7″ =   +35.669917°");
  EXPECT_STREQ(chart.szTime[10], "日本測地系 東経  139°45′ 0.0″ =  +139.750000°");
  EXPECT_STREQ(chart.szTime[11], "ＩＡＵ76系 東経  139°44′48.4″ =  +139.746765°");
  EXPECT_STREQ(chart.szTime[12], "グリニジとの時差      +9時間18分59.2秒");
  EXPECT_STREQ(chart.szTime[13], "地方視恒星時             4時 0分48.9秒");
  EXPECT_EQ(chart.iHouseMode, 1);
  EXPECT_DOUBLE_EQ(chart.dCusp[0], pd.dLong[Asc]);
  EXPECT_DOUBLE_EQ(chart.dCusp[9], pd.dLong[MC]);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GetAscExTest, AbnormalLatitudeStopsAtOnce) {
  const DateTime jst{2000, 1, 1, 21, 0, 0.0};
  ChartRecord& chart = ChartAt(jst);
  strcpy(chart.szTime[8], "old");
  PositionData pd{};
  EXPECT_EQ(GetAscEx(jst, 9.0f, 91.0, 139.75, 1, &pd, &chart), -1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Abnormal Lati 91.000000");
  EXPECT_EQ(Boxes()[0].title, "");
  EXPECT_EQ(Boxes()[0].owner, nullptr);
  EXPECT_STREQ(chart.szTime[8], "old");
  EXPECT_EQ(pd.dLong[MC], 0.0);

  // Without the datum the same latitude is refused as converted (-5).
  NativeClearBoxes();
  EXPECT_EQ(GetAscEx(jst, 9.0f, -91.0, 139.75, 0, &pd, &chart), -5);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Abnormal Lati -91.000000");
}

}  // namespace

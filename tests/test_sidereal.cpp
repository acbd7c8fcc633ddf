// Sidereal time, the Tokyo datum and the texts of day seconds and angles.
#include <cmath>
#include <string>

#include "base/angles.h"
#include "test_support.h"
#include "time/sidereal.h"

namespace {

std::string DaySeconds(double x, int bSigned, double* pdReduced = nullptr) {
  char sz[kAngleTextSize];
  const double d = FormatDaySeconds(x, sz, sizeof sz, bSigned);
  if (pdReduced) *pdReduced = d;
  return sz;
}

std::string LatLong(double v, int bLongitude, int* piResult = nullptr) {
  char sz[kAngleTextSize];
  const int r = FormatLatLong(v, sz, sizeof sz, bLongitude);
  if (piResult) *piResult = r;
  return sz;
}

TEST(Normalize360, ReducesIntoOneTurn) {
  EXPECT_DOUBLE_EQ(Normalize360(370.0), 10.0);
  EXPECT_DOUBLE_EQ(Normalize360(-10.0), 350.0);
  EXPECT_DOUBLE_EQ(Normalize360(720.0), 0.0);
  // A tiny negative value rounds to 360 and becomes 0.
  EXPECT_EQ(Normalize360(-1e-15), 0.0);
  EXPECT_LT(Normalize360(-1e-13), 360.0);
}

TEST(SiderealTime, GmstAtJ2000) {
  // 2000-01-01 21:00 JST is JD(UT) 2451545.0, Tu = 0.
  const DateTime jst{2000, 1, 1, 21, 0, 0.0};
  const long double ldJd = DateToJd(jst, 9.0f);
  ASSERT_EQ(ldJd, 2451545.0L);
  double dReduced;
  EXPECT_EQ(DaySeconds(GreenwichMeanSiderealSeconds(jst, 9.0f, ldJd), 0, &dReduced), "18時41分50.5秒");
  EXPECT_NEAR(dReduced, 67310.54841, 1e-6);
}

TEST(SiderealTime, GmstBeforeJ2000IsReducedUpwards) {
  // 1990-05-17 03:00 JST: the UT hour is negative and Tu < 0, so the raw
  // sum is negative; the text must still be a clock reading of one day.
  // Reference: GMST 1990-05-16 18:00 UT = 9h 36m 44.46s (IAU 1982).
  const DateTime jst{1990, 5, 17, 3, 0, 0.0};
  double dReduced;
  const std::string s = DaySeconds(GreenwichMeanSiderealSeconds(jst, 9.0f, DateToJd(jst, 9.0f)), 0, &dReduced);
  EXPECT_GE(dReduced, 0.0);
  EXPECT_LT(dReduced, 86400.0);
  EXPECT_EQ(s, " 9時36分44.5秒");
}

TEST(FormatDaySeconds, TimeDifferences) {
  EXPECT_EQ(DaySeconds(135.0 * 240.0, 1), "   +9時間 0分00.0秒");
  double d;
  EXPECT_EQ(DaySeconds(-75.0 * 240.0, 1, &d), "   -5時間 0分00.0秒");
  EXPECT_DOUBLE_EQ(d, 18000.0);
  // Twelve hours exactly still counts as east.
  EXPECT_EQ(DaySeconds(43200.0, 1), "  +12時間 0分00.0秒");
  // Less than an hour west keeps its sign.
  EXPECT_EQ(DaySeconds(-0.5 * 240.0, 1), "   -0時間 2分00.0秒");
}

TEST(FormatDaySeconds, RoundsBeforeSplitting) {
  EXPECT_EQ(DaySeconds(3599.97, 0), " 1時 0分00.0秒");
  EXPECT_EQ(DaySeconds(86399.97, 0), " 0時 0分00.0秒");
  EXPECT_EQ(DaySeconds(86400.0 + 61.0, 0), " 0時 1分01.0秒");
}

TEST(FormatLatLong, LatitudesAndLongitudes) {
  EXPECT_EQ(LatLong(35.5, 0), "北緯   35°30′ 0.0″ =   +35.500000°");
  EXPECT_EQ(LatLong(-33.25, 0), "南緯   33°15′ 0.0″ =   -33.250000°");
  EXPECT_EQ(LatLong(139.75, 1), "東経  139°45′ 0.0″ =  +139.750000°");
  EXPECT_EQ(LatLong(200.0, 1), "西経  160° 0′ 0.0″ =  -160.000000°");
  EXPECT_EQ(LatLong(-200.0, 1), "東経  160° 0′ 0.0″ =  +160.000000°");
  EXPECT_EQ(LatLong(180.0, 1), "東経  180° 0′ 0.0″ =  +180.000000°");
}

TEST(FormatLatLong, AbnormalLatitude) {
  int r;
  EXPECT_EQ(LatLong(91.0, 0, &r), "Abnormal Lati 91.000000");
  EXPECT_EQ(r, 0);
  EXPECT_EQ(LatLong(-90.0, 0, &r), "南緯   90° 0′ 0.0″ =   -90.000000°");
  EXPECT_EQ(r, 1);
  LatLong(std::nan(""), 0, &r);
  EXPECT_EQ(r, 0);
}

TEST(JapanGeoToIAU76, TokyoDatumShift) {
  double lat = 35.0 + 40.0 / 60.0, lon = 139.75;
  ASSERT_EQ(JapanGeoToIAU76(&lat, &lon), 1);
  EXPECT_NEAR(lat, 35.669917, 5e-7);
  EXPECT_NEAR(lon, 139.746765, 5e-7);
  // +11.7" in latitude, -11.6" in longitude.
  EXPECT_NEAR((lat - (35.0 + 40.0 / 60.0)) * 3600.0, 11.7, 0.05);
  EXPECT_NEAR((lon - 139.75) * 3600.0, -11.6, 0.05);
}

TEST(JapanGeoToIAU76, PoleStaysNearThePole) {
  double lat = 90.0, lon = 139.75;
  ASSERT_EQ(JapanGeoToIAU76(&lat, &lon), 1);
  EXPECT_GT(lat, 89.99);
  EXPECT_LE(lat, 90.0);
}

TEST(MeanObliquity, KnownValues) {
  EXPECT_DOUBLE_EQ(MeanObliquity(0.0), 23.4392911);
  // 1987 April 10.0 TD (T = -0.127296372348): 23°26′27.407″.
  EXPECT_NEAR(MeanObliquity(-0.127296372348) * 3600.0, 23 * 3600.0 + 26 * 60.0 + 27.407, 0.001);
}

}  // namespace

// The Moon: longitude, latitude, rates, nodes and the detail record.
#include <cmath>

#include "ephemeris/ephemeris.h"
#include "ephemeris_test_support.h"
#include "test_support.h"

namespace {

double Centuries(double dJde) { return (dJde - 2451545.0) / 36525.0; }

class MoonTest : public BoxTest {};

TEST_F(MoonTest, AtJ2000) {
  MoonDetail d;
  const double dApp = GetMoonData(2451545.0, nullptr, &d);
  EXPECT_TRUE(Printed(d.dGeoLong, "223.31894"));
  EXPECT_TRUE(Printed(d.dGeoLat, "5.17086"));
  EXPECT_TRUE(Printed(dApp, "223.31489"));
  EXPECT_EQ(d.dAppLong, dApp);
  EXPECT_TRUE(Printed(d.dMeanNode, "125.044555"));
  EXPECT_TRUE(Printed(GetMeanNode(0.0), "125.044555"));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MoonTest, On1992April12) {
  MoonDetail d;
  GetMoonData(2448724.5, nullptr, &d);
  EXPECT_TRUE(Printed(d.dGeoLong, "133.16236"));
  EXPECT_TRUE(Printed(d.dGeoLat, "-3.22920"));
  EXPECT_TRUE(Printed(d.dMeanNode, "274.400655"));
  EXPECT_TRUE(Printed(GetMeanNode(Centuries(2448724.5)), "274.400655"));
}

TEST_F(MoonTest, LongitudeOnlyPathGivesTheSameLongitude) {
  for (double dJde = 625000.0; dJde < 4650000.0; dJde += 123456.789) {
    double dNode = -1.0;
    MoonDetail d;
    const double dFast = GetMoonData(dJde, nullptr, nullptr);
    EXPECT_EQ(GetMoonData(dJde, &dNode, nullptr), dFast) << dJde;
    EXPECT_EQ(GetMoonData(dJde, nullptr, &d), dFast) << dJde;
    EXPECT_GE(dFast, 0.0);
    EXPECT_LT(dFast, 360.0);
  }
}

TEST_F(MoonTest, RatesAreTheDerivativesOfTheSeries) {
  // Central differences over 0.01 day against the analytic rates; the rates
  // leave out the small series' own values (below 0.0005 degree/century).
  for (double dJde : {2451545.0, 2448724.5, 2460000.3, 2305000.0, 2600000.0}) {
    const double h = 0.005;
    MoonDetail a, b, d;
    GetMoonData(dJde - h, nullptr, &a);
    GetMoonData(dJde + h, nullptr, &b);
    GetMoonData(dJde, nullptr, &d);
    const double dLon = std::remainder(b.dGeoLong - a.dGeoLong, 360.0) / (2 * h) * 36525.0;
    const double dLat = (b.dGeoLat - a.dGeoLat) / (2 * h) * 36525.0;
    EXPECT_NEAR(d.dLongRate, dLon, 0.1) << dJde;  // of about 480000 degrees/century
    EXPECT_NEAR(d.dLatRate, dLat, 0.1) << dJde;
    EXPECT_GT(d.dLongRate / 36525.0, 11.7);
    EXPECT_LT(d.dLongRate / 36525.0, 15.4);
  }
}

TEST_F(MoonTest, TrueNodeOscillatesAboutTheMeanNode) {
  // The node requested alone is the detail path's node; it stays within
  // about 1.7 degrees of the mean node.
  for (double dJde = 2440000.0; dJde < 2441000.0; dJde += 7.3) {
    double dNode = -1.0;
    GetMoonData(dJde, &dNode, nullptr);
    EXPECT_GE(dNode, 0.0);
    EXPECT_LT(dNode, 360.0);
    const double dMean = GetMeanNode(Centuries(dJde));
    EXPECT_LT(std::fabs(std::remainder(dNode - dMean, 360.0)), 1.8) << dJde;
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MoonTest, ApparentLatitudeDiffersByTheSmallCorrectionOnly) {
  MoonDetail d;
  GetMoonData(2455000.5, nullptr, &d);
  EXPECT_LE(std::fabs(d.dAppLat - d.dGeoLat), 0.00001754);
  EXPECT_LE(std::fabs(d.dGeoLat), 5.4);
}

TEST_F(MoonTest, LongitudeNearThreeSixtyIsNeverThreeSixty) {
  // Find the moment the apparent longitude wraps after JDE 2451545 and step
  // through it one representable JDE at a time.
  double lo = 2451545.0 + 10.0, hi = lo + 27.4;
  // lo: just after the wrap before, hi: just before the next wrap.
  while ((GetMoonData(hi, nullptr, nullptr) > 180.0) == (GetMoonData(lo, nullptr, nullptr) > 180.0)) hi -= 1.0;
  for (int i = 0; i < 60; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (GetMoonData(mid, nullptr, nullptr) > 180.0) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  EXPECT_GT(GetMoonData(lo, nullptr, nullptr), 359.99999);
  // Every representable JDE around the wrap.
  double dJde = lo;
  for (int i = 0; i < 200; ++i) dJde = std::nextafter(dJde, 0.0);
  for (int i = 0; i < 400; ++i, dJde = std::nextafter(dJde, 1e7)) {
    const double d = GetMoonData(dJde, nullptr, nullptr);
    EXPECT_GE(d, 0.0);
    EXPECT_LT(d, 360.0);
  }
}

}  // namespace

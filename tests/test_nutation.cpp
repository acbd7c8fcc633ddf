// Nutation (IAU 1980), aberration in longitude and the motion code.
#include <cmath>
#include <cstring>

#include "ephemeris/ephemeris.h"
#include "ephemeris_test_support.h"
#include "test_support.h"

namespace {

constexpr double kJ2000 = 2451545.0;
double Centuries(double dJde) { return (dJde - kJ2000) / 36525.0; }

TEST(GetNutation, AtJ2000) {
  double dEps = 0.0;
  const double dPsi = GetNutation(0.0, &dEps);
  EXPECT_TRUE(Printed(dPsi, "-0.0038676"));
  EXPECT_TRUE(Printed(dEps, "-0.0016038"));
  EXPECT_TRUE(Printed(dPsi * 3600.0, "-13.923"));
  EXPECT_TRUE(Printed(dEps * 3600.0, "-5.774"));
}

TEST(GetNutation, On1987April10) {
  double dEps = 0.0;
  const double dPsi = GetNutation(Centuries(2446895.5), &dEps);
  EXPECT_TRUE(Printed(dPsi * 3600.0, "-3.788"));
  EXPECT_TRUE(Printed(dEps * 3600.0, "9.442"));
}

TEST(GetNutation, LongitudeDoesNotDependOnAskingForObliquity) {
  for (double T : {-60.0, -3.1, 0.0, 0.47, 2.0, 60.0}) {
    double dEps = 0.0;
    EXPECT_EQ(GetNutation(T, nullptr), GetNutation(T, &dEps)) << T;
    // Both stay within the theory's amplitude (17.2" and 9.2" plus the small terms).
    EXPECT_LT(std::fabs(GetNutation(T, nullptr)) * 3600.0, 19.0 + 0.02 * std::fabs(T)) << T;
    EXPECT_LT(std::fabs(dEps) * 3600.0, 10.5) << T;
  }
}

TEST(GetLongitudeAberration, SunAndOppositionOfAPlanet) {
  // A body in the direction of the Sun lags by the constant of aberration
  // (less the eccentricity term); a body opposite leads by the same.
  const double T = 0.0;
  const double dSun = 100.0;
  const double dConj = GetLongitudeAberration(T, dSun, dSun, 0.0) * 3600.0;
  const double dOpp = GetLongitudeAberration(T, dSun, dSun + 180.0, 0.0) * 3600.0;
  EXPECT_NEAR(dConj, -dOpp, 1e-9);
  EXPECT_NEAR(std::fabs(dConj), 20.4955, 0.35);
  // Latitude enlarges the effect by 1 / cos(beta).
  EXPECT_NEAR(GetLongitudeAberration(T, dSun, 40.0, 60.0), 2.0 * GetLongitudeAberration(T, dSun, 40.0, 0.0),
              1e-12);
}

class MotionCodeTest : public BoxTest {};

TEST_F(MotionCodeTest, StationaryBandAndItsEdges) {
  EXPECT_EQ(GetMotionCode(0.0), 3);
  EXPECT_EQ(GetMotionCode(0.0003), 2);
  EXPECT_EQ(GetMotionCode(0.00031), 0);
  EXPECT_EQ(GetMotionCode(-0.0003), 3);
  EXPECT_EQ(GetMotionCode(-0.00031), 1);
  EXPECT_EQ(GetMotionCode(0.0001), 2);
  EXPECT_EQ(GetMotionCode(-0.0001), 3);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MotionCodeTest, UnwrapsAcrossZeroAries) {
  EXPECT_EQ(GetMotionCode(359.9999), 3);  // -0.0001 after unwrapping
  EXPECT_EQ(GetMotionCode(-359.999), 0);  // +0.001
  EXPECT_EQ(GetMotionCode(359.5), 1);     // -0.5
  EXPECT_EQ(GetMotionCode(-359.9999), 2);  // +0.0001
  EXPECT_EQ(GetMotionCode(360.0), 3);     // a full turn is no motion
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MotionCodeTest, MoreThanATurnIsReportedAndDirect) {
  EXPECT_EQ(GetMotionCode(361.0), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_TRUE(IsPlaceKindBox(Boxes()[0], "GetMotionCode", "abnormal arg"));
  NativeClearBoxes();
  EXPECT_EQ(GetMotionCode(-400.0), 0);
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST(MotionLabels, FixedWidthsInShiftJis) {
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(strlen(kMotionLabels[i]), 10u) << i;
    EXPECT_EQ(strlen(kMotionShortLabels[i]), 2u) << i;
  }
  EXPECT_STREQ(kMotionLabels[0], "          ");
  EXPECT_STREQ(kMotionLabels[1], "逆行      ");
  EXPECT_STREQ(kMotionLabels[2], "留／順行？");
  EXPECT_STREQ(kMotionLabels[3], "留／逆行？");
  EXPECT_STREQ(kMotionShortLabels[1], "R ");
  EXPECT_STREQ(kMotionShortLabels[3], "SR");
  EXPECT_STREQ(kMotionListLabels[0], "");
  EXPECT_STREQ(kMotionListLabels[2], "留/順行?");
  EXPECT_STREQ(kMotionListLabels[3], "留/逆行?");
}

}  // namespace

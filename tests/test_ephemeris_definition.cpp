// The program's ephemeris against its definition evaluated term by term
// (ephemeris_reference.h), on 1200 moments from -4000 to 8000, in every
// form of the vector kernel this processor runs.  The Wine test
// test_ephemeris runs the same comparison in the Windows build.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include <gtest/gtest.h>

#include "ephemeris/trig_arrays.h"
#include "ephemeris/vsop87.h"
#include "ephemeris_reference.h"

namespace {

constexpr double kNanodegree = 1e-9;
constexpr int kMoments = 1200;

class Definition : public ::testing::TestWithParam<TrigVariant> {
 protected:
  void SetUp() override {
    if (!SelectTrigVariant(GetParam())) GTEST_SKIP() << "not available on this processor";
  }
  void TearDown() override { SelectTrigVariant(kTrigAuto); }
};

TEST_P(Definition, EveryResultWithinANanodegree) {
  const definition::Comparison c = definition::CompareWithDefinition(kMoments);
  definition::PrintComparison(c);
  EXPECT_EQ(c.iMoments, kMoments);
  EXPECT_LT(c.positions.dValue, kNanodegree) << c.positions.szWhat;
  EXPECT_LT(c.moon.dValue, kNanodegree) << c.moon.szWhat;
  EXPECT_LT(c.moonRates.dValue, kNanodegree) << c.moonRates.szWhat;  // degrees per century
  EXPECT_LT(c.nutation.dValue, kNanodegree) << c.nutation.szWhat;
  EXPECT_LT(c.series.dValue, kNanodegree) << c.series.szWhat;
  EXPECT_EQ(c.iMotionCodesDiffering, 0);
}

// The evaluation near a kept moment (angle addition for the light time and
// the motion steps, term by term beyond) gives the position of a direct
// evaluation, for every body and for steps on both sides of the limit.
TEST_P(Definition, NearMomentsGiveTheDirectPositions) {
  for (int iBody = kMercury; iBody <= kNeptune; ++iBody) {
    for (double tau : {-5.9, -0.2, 0.0, 0.37, 5.9}) {
      VsopBase base;
      VsopEvaluateBase(iBody, tau, &base);
      const HeliocentricLBR atBase = definition::Vsop(kVsop87D[iBody], tau);
      EXPECT_NEAR(base.lbr.L, atBase.L, kNanodegree) << iBody << " " << tau;
      for (double dt : {-2.3e-8, 1.1e-7, -3.4e-6, 1e-4, -2.5e-3}) {
        HeliocentricLBR near, direct;
        VsopEvaluateNear(base, tau + dt, &near);
        VsopEvaluate(kVsop87D[iBody], tau + dt, &direct);
        const HeliocentricLBR def = definition::Vsop(kVsop87D[iBody], tau + dt);
        EXPECT_NEAR(near.L, def.L, kNanodegree) << iBody << " " << tau << " " << dt;
        EXPECT_NEAR(near.B, def.B, 1e-13) << iBody << " " << tau << " " << dt;
        EXPECT_NEAR(near.R, def.R, 1e-14) << iBody << " " << tau << " " << dt;
        EXPECT_NEAR(near.L, direct.L, kNanodegree);
      }
    }
  }
}

// Far from J2000 the longitude runs to millions of degrees and its last
// place is a nanodegree: there the series must give the definition's
// longitude to the last bit.  The large constant leading each L1 series
// (2.6e12 units for Mercury) is what makes this depend on the order of the
// sum.
TEST_P(Definition, LongitudesOfExtremeDatesKeepTheLastBit) {
  for (double tau : {-6.0, -5.123456, -4.0001, 4.4, 5.987654}) {
    for (int iBody = kMercury; iBody <= kNeptune; ++iBody) {
      HeliocentricLBR lbr;
      GetPlanetPositionLBR(iBody, tau, &lbr);
      EXPECT_EQ(lbr.L, definition::Vsop(kVsop87D[iBody], tau).L) << iBody << " " << tau;
    }
  }
}

// The term counts the evaluation's buffers are sized by.
TEST(VsopTables, TermCountsFitTheBuffers) {
  const auto Count = [](const VsopBody& body) {
    int n = 0;
    for (const auto& coordinate : body.series) {
      for (const VsopSeries& s : coordinate) n += s.iCount;
    }
    return n;
  };
  int nAll = 0, nLargest = 0;
  for (int iBody = kMercury; iBody <= kNeptune; ++iBody) {
    nAll += Count(kVsop87D[iBody]);
    nLargest = std::max(nLargest, Count(kVsop87D[iBody]));
  }
  EXPECT_EQ(nAll, kNumVsop87DTerms);
  EXPECT_EQ(Count(kVsop87BEarth), kNumVsop87BEarthTerms);
  EXPECT_EQ(nLargest, kMaxVsopTerms);
  EXPECT_LE(kNumVsop87BEarthTerms, kMaxVsopTerms);
}

INSTANTIATE_TEST_SUITE_P(EveryForm, Definition, ::testing::Values(kTrigSse2, kTrigAvx2, kTrigAvx512),
                         [](const ::testing::TestParamInfo<TrigVariant>& info) {
                           return info.param == kTrigSse2 ? "Sse2" : info.param == kTrigAvx2 ? "Avx2" : "Avx512";
                         });

}  // namespace

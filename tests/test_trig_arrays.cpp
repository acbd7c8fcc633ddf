// The vector kernel of the series: every form of its loops against the
// library's sine and cosine, angle addition against direct evaluation, and
// the angles the kernel leaves to the library.
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "ephemeris/trig_arrays.h"

namespace {

constexpr double kPi = 3.141592653589793;
// Two units in the last place of 1: the kernel's bound against the library.
constexpr double kTolerance = 2.3e-16;

// The forms this processor runs; the automatic choice is restored after.
class TrigForms : public ::testing::TestWithParam<TrigVariant> {
 protected:
  void SetUp() override {
    if (!SelectTrigVariant(GetParam())) GTEST_SKIP() << "not available on this processor";
  }
  void TearDown() override { SelectTrigVariant(kTrigAuto); }
};

// Angles of every kind the series produce, and the edges of the reduction.
std::vector<double> TestAngles() {
  std::vector<double> x = {0.0, -0.0, 1e-300, 1e-9, kPi / 4, -kPi / 4, kPi / 4 + 1e-15, kPi / 2, kPi, 1.5 * kPi,
                           2 * kPi, 100 * kPi, 12345.678, -98765.4321, 1.4e6, 3.4e6, 1.3e7, -1.3e7};
  // Near multiples of π/2, where one of the two is tiny.
  for (int k = 1; k < 2000000; k = k * 3 + 1) {
    x.push_back(k * (kPi / 2));
    x.push_back(-k * (kPi / 2) + 1e-12 * k);
  }
  // A spread over the arguments of the planetary and lunar series.
  double v = 0.1;
  for (int i = 0; i < 3000; ++i) {
    v = std::fmod(v * 7.123456789 + 0.31, 1.0);
    x.push_back((v - 0.5) * std::pow(10.0, i % 8));
  }
  return x;
}

TEST_P(TrigForms, SinesAndCosinesAgreeWithTheLibrary) {
  const std::vector<double> x = TestAngles();
  const int n = static_cast<int>(x.size());
  std::vector<double> s(n), c(n), sOnly(n);
  SinCosArray(x.data(), s.data(), c.data(), n);
  SinArray(x.data(), sOnly.data(), n);
  for (int i = 0; i < n; ++i) {
    EXPECT_NEAR(s[i], std::sin(x[i]), kTolerance) << x[i];
    EXPECT_NEAR(c[i], std::cos(x[i]), kTolerance) << x[i];
    // The Moon's longitude-only path must give the longitude of the full one.
    EXPECT_EQ(sOnly[i], s[i]) << x[i];
  }
  EXPECT_EQ(s[0], 0.0);
  EXPECT_EQ(c[0], 1.0);
}

TEST_P(TrigForms, AnglesBeyondTheReductionGoToTheLibrary) {
  const double kInf = std::numeric_limits<double>::infinity();
  const std::vector<double> x = {0.5, 1.4e7, -2e9, 1e300, kInf, -kInf, std::nan(""), 0.25};
  const int n = static_cast<int>(x.size());
  std::vector<double> s(n), c(n);
  SinCosArray(x.data(), s.data(), c.data(), n);
  for (int i = 1; i < 4; ++i) {
    EXPECT_EQ(s[i], std::sin(x[i])) << x[i];
    EXPECT_EQ(c[i], std::cos(x[i])) << x[i];
  }
  for (int i = 4; i < 7; ++i) EXPECT_TRUE(std::isnan(s[i]) && std::isnan(c[i])) << x[i];
  // The others in the same call keep the kernel's values.
  EXPECT_NEAR(s[0], std::sin(0.5), kTolerance);
  EXPECT_NEAR(c[7], std::cos(0.25), kTolerance);
}

// A series of terms A cos(B + C tau) like the planets' (fast terms of small
// amplitude, a constant term), evaluated directly, keeping the angles, and by
// angle addition from them.
TEST_P(TrigForms, CosineTermsDirectKeptAndNear) {
  const std::vector<double> A = {4e8, 4.1e7, 1.2e5, 3560.0, 27.0, -114.0};
  const std::vector<double> B = {0.0, 1.48302034, 4.4778549, 1.5120, 5.09, 3.1416};
  const std::vector<double> C = {0.0, 26087.90314157, 52175.8062831, 1109.3786, 234791.13, 0.0};
  const CosineTerms terms = {A.data(), B.data(), C.data(), static_cast<int>(A.size())};
  const int n = terms.n;
  for (double tau : {-6.0, -0.37, 0.0, 0.0912, 5.99}) {
    std::vector<double> v(n), kept(n), s(n), c(n), near(n);
    CosineTermValues(terms, tau, v.data());
    CosineTermValuesKept(terms, tau, s.data(), c.data(), kept.data());
    for (int i = 0; i < n; ++i) {
      const double x = B[i] + C[i] * tau;
      EXPECT_NEAR(v[i], A[i] * std::cos(x), std::fabs(A[i]) * kTolerance) << tau;
      EXPECT_EQ(kept[i], v[i]);
      EXPECT_EQ(kept[i], A[i] * c[i]);
      EXPECT_NEAR(s[i], std::sin(x), kTolerance);
    }
    // Steps of the light time and the motion step (arguments up to 0.01 rad
    // away), and one beyond, which is evaluated directly.
    for (double dt : {1e-12, 2.3e-8, -3.3e-9, 4.2e-8, -1e-6}) {
      CosineTermValuesNear(terms, tau, s.data(), c.data(), tau + dt, near.data());
      for (int i = 0; i < n; ++i) {
        const double x = B[i] + C[i] * (tau + dt);
        EXPECT_NEAR(near[i], A[i] * std::cos(x), std::fabs(A[i]) * 2 * kTolerance) << tau << " " << dt;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, TrigForms, ::testing::Values(kTrigSse2, kTrigAvx2, kTrigAvx512),
                         [](const ::testing::TestParamInfo<TrigVariant>& info) {
                           return info.param == kTrigSse2 ? "Sse2" : info.param == kTrigAvx2 ? "Avx2" : "Avx512";
                         });

}  // namespace

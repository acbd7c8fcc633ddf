// Nutation in longitude and obliquity (IAU 1980) and the annual aberration
// in ecliptic longitude.
#include <cmath>

#include "ephemeris/ephemeris.h"
#include "ephemeris/ephemeris_tables.h"
#include "ephemeris/trig_arrays.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;
// 0.00001 arcsec in degrees.
constexpr double kTableUnitToDeg = 2.777777777777778e-9;

// An angle in degrees reduced to 0..360 and turned into radians, so that the
// integer combinations of the arguments stay small.
double ReducedRadians(double dDeg) { return std::fmod(dDeg, 360.0) * kDegToRad; }

// The table as arrays of doubles for the vector loops, built once (the
// integers convert exactly): multipliers by argument, then S, S', C, C'.
struct NutationArrays {
  double dMultiplier[5][kNumNutationTerms];
  double dS[kNumNutationTerms], dS1[kNumNutationTerms], dC[kNumNutationTerms], dC1[kNumNutationTerms];
};

const NutationArrays& Arrays() {
  static const NutationArrays kArrays = [] {
    NutationArrays a;
    for (int i = 0; i < kNumNutationTerms; ++i) {
      const NutationTerm& t = kNutationTerms[i];
      for (int k = 0; k < 5; ++k) a.dMultiplier[k][i] = t.iArg[k];
      a.dS[i] = t.lS;
      a.dS1[i] = t.lS1;
      a.dC[i] = t.lC;
      a.dC1[i] = t.lC1;
    }
    return a;
  }();
  return kArrays;
}

// Σ (c[i] + c1[i] T) x[i] in four running sums: the definition sums term by
// term; the order touches only the last bits, far below 1e-15 degree.
double SumTerms(const double* c, const double* c1, double T, const double* x, int n) {
  const int nWhole = n - n % 4;
  double d0 = 0.0, d1 = 0.0, d2 = 0.0, d3 = 0.0;
  for (int i = 0; i < nWhole; i += 4) {
    d0 += (c[i] + c1[i] * T) * x[i];
    d1 += (c[i + 1] + c1[i + 1] * T) * x[i + 1];
    d2 += (c[i + 2] + c1[i + 2] * T) * x[i + 2];
    d3 += (c[i + 3] + c1[i + 3] * T) * x[i + 3];
  }
  for (int i = nWhole; i < n; ++i) d0 += (c[i] + c1[i] * T) * x[i];
  return (d0 + d1) + (d2 + d3);
}

}  // namespace

double GetNutation(double T, double* pdDeltaEps) {
  const double T2 = T * T;
  // Fundamental arguments in the order of NutationTerm::iArg: the Moon's
  // node, the Sun's mean longitude, the Sun's perigee, the Moon's perigee,
  // the Moon's mean longitude.
  const double dArg[5] = {
      ReducedRadians(125.044555 - 1934.1361853 * T + 0.0020756 * T2),
      ReducedRadians(280.466456 + 36000.7697508 * T + 0.0003032 * T2),
      ReducedRadians(282.937347 + 1.7194597 * T + 0.0004569 * T2),
      ReducedRadians(83.353243 + 4069.0137122 * T - 0.0103217 * T2),
      ReducedRadians(218.316646 + 481267.8812725 * T - 0.0014664 * T2),
  };
  // Each term's argument as the definition writes it; the sines (and the
  // cosines of the obliquity terms, which lead the table) of all of them at
  // once; then the sums.
  const NutationArrays& a = Arrays();
  double dTermArg[kNumNutationTerms], dSin[kNumNutationTerms], dCos[kNumNutationEpsTerms];
  for (int i = 0; i < kNumNutationTerms; ++i) {
    dTermArg[i] = a.dMultiplier[0][i] * dArg[0] + a.dMultiplier[1][i] * dArg[1] + a.dMultiplier[2][i] * dArg[2] +
                  a.dMultiplier[3][i] * dArg[3] + a.dMultiplier[4][i] * dArg[4];
  }
  if (pdDeltaEps) {
    SinCosArray(dTermArg, dSin, dCos, kNumNutationEpsTerms);
    SinArray(dTermArg + kNumNutationEpsTerms, dSin + kNumNutationEpsTerms,
             kNumNutationTerms - kNumNutationEpsTerms);
    // The cosine series only when the obliquity is asked for.
    *pdDeltaEps = SumTerms(a.dC, a.dC1, T, dCos, kNumNutationEpsTerms) * kTableUnitToDeg;
  } else {
    SinArray(dTermArg, dSin, kNumNutationTerms);
  }
  return SumTerms(a.dS, a.dS1, T, dSin, kNumNutationTerms) * kTableUnitToDeg;
}

double EarthPerihelion(double T) { return 102.93735 + 1.71953 * T + 0.00046 * T * T; }

double LongitudeAberrationFromCosines(double T, double dCosSunAngle, double dCosPerihelionAngle, double dCosLat) {
  // Eccentricity of the Earth's orbit; the constant of aberration 20.49552".
  const double e = 0.016708617 - 0.000042037 * T - 0.0000001236 * T * T;
  constexpr double kKappa = 0.0056932;
  return (-kKappa * dCosSunAngle + e * kKappa * dCosPerihelionAngle) / dCosLat;
}

double GetLongitudeAberration(double T, double dSunLong, double dLong, double dLat) {
  return LongitudeAberrationFromCosines(T, std::cos((dSunLong - dLong) * kDegToRad),
                                        std::cos((EarthPerihelion(T) - dLong) * kDegToRad),
                                        std::cos(dLat * kDegToRad));
}

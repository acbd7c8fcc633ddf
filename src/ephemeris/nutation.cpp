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
  // once; then the sums in the definition's order.
  double dTermArg[kNumNutationTerms], dSin[kNumNutationTerms], dCos[kNumNutationEpsTerms];
  for (int i = 0; i < kNumNutationTerms; ++i) {
    const NutationTerm& t = kNutationTerms[i];
    dTermArg[i] = t.iArg[0] * dArg[0] + t.iArg[1] * dArg[1] + t.iArg[2] * dArg[2] + t.iArg[3] * dArg[3] +
                  t.iArg[4] * dArg[4];
  }
  if (pdDeltaEps) {
    SinCosArray(dTermArg, dSin, dCos, kNumNutationEpsTerms);
    SinArray(dTermArg + kNumNutationEpsTerms, dSin + kNumNutationEpsTerms,
             kNumNutationTerms - kNumNutationEpsTerms);
  } else {
    SinArray(dTermArg, dSin, kNumNutationTerms);
  }
  double dPsi = 0.0;
  for (int i = 0; i < kNumNutationTerms; ++i) {
    dPsi += (kNutationTerms[i].lS + kNutationTerms[i].lS1 * T) * dSin[i];
  }
  // The cosine series only when the obliquity is asked for.
  if (pdDeltaEps) {
    double dEps = 0.0;
    for (int i = 0; i < kNumNutationEpsTerms; ++i) {
      dEps += (kNutationTerms[i].lC + kNutationTerms[i].lC1 * T) * dCos[i];
    }
    *pdDeltaEps = dEps * kTableUnitToDeg;
  }
  return dPsi * kTableUnitToDeg;
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

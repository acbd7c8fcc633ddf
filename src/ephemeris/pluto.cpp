// Pluto: heliocentric series, geocentric place of J2000 with light time,
// and the apparent longitude of date.
#include <cmath>

#include "ephemeris/ephemeris_tables.h"
#include "ephemeris/planets.h"
#include "ephemeris/trig_arrays.h"
#include "platform/reports.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;
constexpr long double kJ2000 = 2451545.0L;

// Obliquity of the ecliptic of J2000 (23.4392911 degrees).
constexpr double kCosEps = 0.91748206214;
constexpr double kSinEps = 0.39777715575;
// Light time per AU, days.
constexpr double kLightTimeDays = 0.0057755183;
// The Sun's geometric longitude is the Earth's heliocentric one plus 180
// degrees; the FK5 correction -0.09033" is folded in.
constexpr double kSunFromEarth = 180.00002509167;
// Pluto's motion step, Julian centuries (1.2608 days).
constexpr double kPlutoStepCenturies = 0.00003452;

// Sines and cosines of a longitude and a latitude given in degrees, in one
// call of the vector kernel.
void SinCosOfLB(double dL, double dB, double* pdSin, double* pdCos) {
  const double dAngle[2] = {dL * kDegToRad, dB * kDegToRad};
  SinCosArray(dAngle, pdSin, pdCos, 2);
}

// Pluto's terms as arrays of doubles for the vector loops, built once from
// the table (the integers convert exactly).
struct PlutoArrays {
  double dJ[kNumPlutoTerms], dS[kNumPlutoTerms], dP[kNumPlutoTerms];
  double dLSin[kNumPlutoTerms], dLCos[kNumPlutoTerms], dBSin[kNumPlutoTerms], dBCos[kNumPlutoTerms],
      dRSin[kNumPlutoTerms], dRCos[kNumPlutoTerms];
};

const PlutoArrays& Arrays() {
  static const PlutoArrays kArrays = [] {
    PlutoArrays a;
    for (int i = 0; i < kNumPlutoTerms; ++i) {
      const PlutoTerm& t = kPlutoTerms[i];
      a.dJ[i] = t.iJ;
      a.dS[i] = t.iS;
      a.dP[i] = t.iP;
      a.dLSin[i] = t.lLSin;
      a.dLCos[i] = t.lLCos;
      a.dBSin[i] = t.lBSin;
      a.dBCos[i] = t.lBCos;
      a.dRSin[i] = t.lRSin;
      a.dRCos[i] = t.lRCos;
    }
    return a;
  }();
  return kArrays;
}

// Σ (s[i] sin + c[i] cos) in four running sums: the definition sums term by
// term; the order touches only the last bits (below 1e-14 degree).
double SumTerms(const double* s, const double* c, const double* pdSin, const double* pdCos) {
  double d[4] = {0.0, 0.0, 0.0, 0.0};
  for (int k = 0; k < 4; ++k) {
    for (int i = k; i < kNumPlutoTerms; i += 4) d[k] += s[i] * pdSin[i] + c[i] * pdCos[i];
  }
  return (d[0] + d[1]) + (d[2] + d[3]);
}

// The geocentric place of J2000 in the order GetPlutoData computes it.
// Returns 1, or 0 after the error box of a failed step.
int ComputePlutoPlace(double T, PlutoPlace* pPlace) {
  // The Sun seen from the Earth, rectangular ecliptic J2000, rotated to the
  // FK5 equator.  The Sun is not retarded.
  double dL, dB, dR;
  GetEarthPositionJ2000(T, &dL, &dB, &dR);
  pPlace->dSunLong = dL - kSunFromEarth;
  double dSin[2], dCos[2];
  SinCosOfLB(dL, dB, dSin, dCos);
  const double x = -dR * dCos[1] * dCos[0];
  const double y = -dR * dCos[1] * dSin[0];
  const double z = -dR * dSin[1];
  const double X = x + 0.000000440360 * y - 0.000000190919 * z;
  const double Y = -0.000000479966 * x + 0.917482137087 * y - 0.397776982902 * z;
  const double Z = 0.397776982902 * y + 0.917482137087 * z;

  // Pluto at the instant of emission: three passes from a light time of 0.
  double dTauDays = 0.0;
  double dX = 0.0, dY = 0.0, dZ = 0.0, dDistance = 0.0;
  for (int iPass = 0; iPass < 3; ++iPass) {
    double l, b, r;
    GetPlutoHeliocentric(T - dTauDays / 36525.0, &l, &b, &r);
    SinCosOfLB(l, b, dSin, dCos);
    const double xi = r * dCos[0] * dCos[1];
    const double eta = r * (dSin[0] * dCos[1] * kCosEps - dSin[1] * kSinEps);
    const double zeta = r * (dSin[0] * dCos[1] * kSinEps + dSin[1] * kCosEps);
    dX = X + xi;
    dY = Y + eta;
    dZ = Z + zeta;
    dDistance = std::sqrt(dX * dX + dY * dY + dZ * dZ);
    dTauDays = kLightTimeDays * dDistance;
  }

  if (dX == 0.0) return ReportFatal("!SunX+X:GetPlutoData");
  if (dDistance == 0.0) return ReportFatal("!Distance:GetPlutoData");
  const double dSinDelta = dZ / dDistance;
  if (dSinDelta < -1.0 || dSinDelta > 1.0) return ReportFatal("!SinDelta:GetPlutoData");
  const double dAlpha = std::atan2(dY, dX);
  const double dDelta = std::asin(dSinDelta);
  if (std::fabs(dDelta) >= 1.570796) return ReportFatal("RadDelta2000? GetPlutoData");

  // Back to the ecliptic of J2000.
  const double dCosAlpha = std::cos(dAlpha);
  const double dLambda =
      dCosAlpha == 0.0
          ? dAlpha
          : std::atan2(std::sin(dAlpha) * kCosEps + std::tan(dDelta) * kSinEps, dCosAlpha);
  const double dSinBeta = dSinDelta * kCosEps - std::cos(dDelta) * kSinEps * std::sin(dAlpha);
  double dBeta = 0.0;
  if (std::fabs(dSinBeta) > 1.0) {
    ReportFatal("!RadArg:GetPlutoData");
  } else {
    dBeta = std::asin(dSinBeta);
  }
  pPlace->dLambda = dLambda * kRadToDeg;
  pPlace->dBeta = dBeta * kRadToDeg;
  pPlace->dAlpha = dAlpha * kRadToDeg;
  pPlace->dDelta = dDelta * kRadToDeg;
  return 1;
}

}  // namespace

int GetPlutoHeliocentric(double T, double* pdL, double* pdB, double* pdR) {
  // Mean longitudes of Jupiter, Saturn and Pluto, radians.
  const double J = (34.35 + 3034.9057 * T) * kDegToRad;
  const double S = (50.08 + 1222.1138 * T) * kDegToRad;
  const double P = (238.96 + 144.96 * T) * kDegToRad;
  // The arguments as the definition writes them, their sines and cosines
  // at once.
  const PlutoArrays& a = Arrays();
  double dArg[kNumPlutoTerms], dSin[kNumPlutoTerms], dCos[kNumPlutoTerms];
  for (int i = 0; i < kNumPlutoTerms; ++i) dArg[i] = a.dJ[i] * J + a.dS[i] * S + a.dP[i] * P;
  SinCosArray(dArg, dSin, dCos, kNumPlutoTerms);
  *pdL = 238.956785 + 144.96 * T + SumTerms(a.dLSin, a.dLCos, dSin, dCos) * 1e-6;
  *pdB = -3.908202 + SumTerms(a.dBSin, a.dBCos, dSin, dCos) * 1e-6;
  *pdR = 40.7247248 + SumTerms(a.dRSin, a.dRCos, dSin, dCos) * 1e-7;
  return 1;
}

double GetPlutoData(double T, PlutoPlace* pPlace) {
  PlutoPlace place;
  if (!ComputePlutoPlace(T, &place)) {
    // The Sun's longitude is known before any failing step.
    if (pPlace) pPlace->dSunLong = place.dSunLong;
    return 0.0;
  }
  if (pPlace) *pPlace = place;
  return place.dLambda + 1.396956 * T;
}

double GetPlutoLong_(long double ldJde, int* piMotion) {
  if (piMotion) *piMotion = kMotionDirect;
  const double T = static_cast<double>((ldJde - kJ2000) / 36525.0L);
  PlutoPlace now;
  if (!ComputePlutoPlace(T, &now)) return 0.0;
  // Aberration with the Sun and T of the instant itself, for both places.
  const double dLambda = now.dLambda + GetLongitudeAberration(T, now.dSunLong, now.dLambda, now.dBeta);
  if (piMotion) {
    PlutoPlace before;
    if (!ComputePlutoPlace(T - kPlutoStepCenturies, &before)) return 0.0;
    const double dBefore =
        before.dLambda + GetLongitudeAberration(T, now.dSunLong, before.dLambda, before.dBeta);
    *piMotion = GetMotionCode(dLambda - dBefore);
  }

  // IAU 1976 precession of the ecliptic coordinates from J2000.0 to the date.
  const double T2 = T * T;
  const double T3 = T2 * T;
  const double dEta = (0.013056361 * T - 9.17222e-6 * T2 + 1.667e-8 * T3) * kDegToRad;
  const double dPi = 174.876384 - 0.241613583 * T + 9.8222e-6 * T2;
  const double dP = 5029.0966 / 3600.0 * T + 0.0003086472 * T2 - 1.667e-9 * T3;
  const double dBeta = now.dBeta * kDegToRad;
  const double dDiff = (dPi - dLambda) * kDegToRad;
  const double A = std::cos(dEta) * std::cos(dBeta) * std::sin(dDiff) - std::sin(dEta) * std::sin(dBeta);
  const double B = std::cos(dBeta) * std::cos(dDiff);
  if (B == 0.0) return ReportPlaceKind("GetPlutoLong_", "!B", 0);
  return dP + dPi - std::atan2(A, B) * kRadToDeg;
}

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

// The geocentric place of J2000 in the order GetPlutoData computes it.
// Returns 1, or 0 after the error box of a failed step.
int ComputePlutoPlace(double T, PlutoPlace* pPlace) {
  // The Sun seen from the Earth, rectangular ecliptic J2000, rotated to the
  // FK5 equator.  The Sun is not retarded.
  double dL, dB, dR;
  GetEarthPositionJ2000(T, &dL, &dB, &dR);
  pPlace->dSunLong = dL - kSunFromEarth;
  const double dLr = dL * kDegToRad;
  const double dBr = dB * kDegToRad;
  const double x = -dR * std::cos(dBr) * std::cos(dLr);
  const double y = -dR * std::cos(dBr) * std::sin(dLr);
  const double z = -dR * std::sin(dBr);
  const double X = x + 0.000000440360 * y - 0.000000190919 * z;
  const double Y = -0.000000479966 * x + 0.917482137087 * y - 0.397776982902 * z;
  const double Z = 0.397776982902 * y + 0.917482137087 * z;

  // Pluto at the instant of emission: three passes from a light time of 0.
  double dTauDays = 0.0;
  double dX = 0.0, dY = 0.0, dZ = 0.0, dDistance = 0.0;
  for (int iPass = 0; iPass < 3; ++iPass) {
    double l, b, r;
    GetPlutoHeliocentric(T - dTauDays / 36525.0, &l, &b, &r);
    l *= kDegToRad;
    b *= kDegToRad;
    const double xi = r * std::cos(l) * std::cos(b);
    const double eta = r * (std::sin(l) * std::cos(b) * kCosEps - std::sin(b) * kSinEps);
    const double zeta = r * (std::sin(l) * std::cos(b) * kSinEps + std::sin(b) * kCosEps);
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
  // at once, the sums in the definition's order.
  double dArg[kNumPlutoTerms], dSin[kNumPlutoTerms], dCos[kNumPlutoTerms];
  for (int i = 0; i < kNumPlutoTerms; ++i) {
    const PlutoTerm& t = kPlutoTerms[i];
    dArg[i] = t.iJ * J + t.iS * S + t.iP * P;
  }
  SinCosArray(dArg, dSin, dCos, kNumPlutoTerms);
  double dL = 0.0, dB = 0.0, dR = 0.0;
  for (int i = 0; i < kNumPlutoTerms; ++i) {
    const PlutoTerm& t = kPlutoTerms[i];
    dL += t.lLSin * dSin[i] + t.lLCos * dCos[i];
    dB += t.lBSin * dSin[i] + t.lBCos * dCos[i];
    dR += t.lRSin * dSin[i] + t.lRCos * dCos[i];
  }
  *pdL = 238.956785 + 144.96 * T + dL * 1e-6;
  *pdB = -3.908202 + dB * 1e-6;
  *pdR = 40.7247248 + dR * 1e-7;
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

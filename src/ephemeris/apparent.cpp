// Apparent geocentric longitudes of the Sun and the planets, and the
// position dispatcher that fills a chart's position block.
#include <cmath>
#include <cstring>

#include "ephemeris/planets.h"
#include "ephemeris/trig_arrays.h"
#include "ephemeris/vsop87.h"
#include "platform/reports.h"
#include "time/sidereal.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;
constexpr long double kJ2000 = 2451545.0L;
// Light time per AU, days.
constexpr double kLightTimeDays = 0.0057755183;

double CenturiesOf(long double ldJde) { return static_cast<double>((ldJde - kJ2000) / 36525.0L); }

bool IsPlanetNumber(int n) { return n >= kMercury && n <= kPluto && n != kEarth; }

// Slot of the position block that receives planet n.
int SlotOfPlanet(int n) { return n < kEarth ? n + 2 : n + 1; }

// Heliocentric rectangular ecliptic coordinates of a position, AU (the
// sines and cosines of L and B from the vector kernel in one call).
void ToRectangular(const HeliocentricLBR& p, double* px, double* py, double* pz) {
  const double dAngle[2] = {p.L * kDegToRad, p.B * kDegToRad};
  double dSin[2], dCos[2];
  SinCosArray(dAngle, dSin, dCos, 2);
  *px = p.R * dCos[1] * dCos[0];
  *py = p.R * dCos[1] * dSin[0];
  *pz = p.R * dSin[1];
}

// The Earth at one instant, heliocentric and rectangular.
struct EarthPlace {
  HeliocentricLBR lbr;
  double x, y, z;
};

EarthPlace EarthPlaceOf(const HeliocentricLBR& lbr) {
  EarthPlace e{lbr, 0.0, 0.0, 0.0};
  ToRectangular(lbr, &e.x, &e.y, &e.z);
  return e;
}

// The Earth at the moment of the positions: its series, the base of its
// evaluations one motion step earlier, and its place.
struct EarthAtMoment {
  VsopBase series;
  EarthPlace place;
};

void EarthAt(long double ldJde, EarthAtMoment* pEarth) {
  VsopEvaluateBase(kEarth, CenturiesOf(ldJde) * 0.1, &pEarth->series);
  pEarth->place = EarthPlaceOf(pEarth->series.lbr);
}

// Apparent longitude of planet n (1, 2, 4..8), mean equinox of date, at
// ldJde: seen from the Earth's position of the same instant, the planet's
// geometric position at ldJde given (it gives the light time).  The planet
// at the instant of emission is evaluated near planetBase, the planet's
// series at the chart moment.  Returns 1, or 0 after the "!X" report.
int PlanetAppMeanFK5(long double ldJde, const EarthPlace& earth, const HeliocentricLBR& geometric,
                     const VsopBase& planetBase, double* pdLong) {
  const double T = CenturiesOf(ldJde);
  // Geometric distance, then the planet at the instant of emission; the
  // light time is taken once, from the geometric distance.
  double px, py, pz;
  ToRectangular(geometric, &px, &py, &pz);
  double x = px - earth.x, y = py - earth.y, z = pz - earth.z;
  const double dLightDays = kLightTimeDays * std::sqrt(x * x + y * y + z * z);
  HeliocentricLBR planet;
  VsopEvaluateNear(planetBase, static_cast<double>((ldJde - dLightDays - kJ2000) / 365250.0L), &planet);
  ToRectangular(planet, &px, &py, &pz);
  x = px - earth.x;
  y = py - earth.y;
  z = pz - earth.z;
  if (x == 0.0) return ReportPlaceKind("GetPlanetLongitude_AppMeanFK5", "!X", 0);

  const double dLambda = std::atan2(y, x) * kRadToDeg;
  const double dBeta = std::atan(z / std::sqrt(x * x + y * y)) * kRadToDeg;
  // Aberration (GetLongitudeAberration) and the FK5 correction, computed
  // from the planet's heliocentric place at emission; their sines and
  // cosines in one call of the vector kernel (tan B as sin B / cos B).
  const double dSun = earth.lbr.L - 180.0;
  const double dAngle[5] = {(dSun - dLambda) * kDegToRad, (EarthPerihelion(T) - dLambda) * kDegToRad,
                            dBeta * kDegToRad, (planet.L - 1.397 * T - 0.00031 * T * T) * kDegToRad,
                            planet.B * kDegToRad};
  double dSin[5], dCos[5];
  SinCosArray(dAngle, dSin, dCos, 5);
  const double dAberration = LongitudeAberrationFromCosines(T, dCos[0], dCos[1], dCos[2]);
  const double dFk5 = (0.03916 * (dCos[3] + dSin[3]) * (dSin[4] / dCos[4]) - 0.09033) / 3600.0;
  *pdLong = dLambda + dAberration + dFk5;
  return 1;
}

// GetPlanetLongitudeEx_AppMeanFK5 for a valid planet number, with the
// Earth at ldJde given.
//
// Every position the definition asks of the planet (at ldJde and at the
// instant of emission, and both again one motion step earlier) and the
// Earth one motion step earlier lie within a few days of ldJde: they are
// evaluated by angle addition from the series at ldJde (VsopEvaluateNear),
// each argument B + C tau still that of its own instant.
double PlanetLongitudeEx(long double ldJde, int n, int* piMotion, const EarthAtMoment& earth) {
  if (n == kPluto) return GetPlutoLong_(ldJde, piMotion);
  VsopBase planet;
  VsopEvaluateBase(n, CenturiesOf(ldJde) * 0.1, &planet);
  double dLong = 0.0;
  PlanetAppMeanFK5(ldJde, earth.place, planet.lbr, planet, &dLong);
  if (piMotion) {
    const long double ldBefore = ldJde - kMotionStepDays[n];
    const double tauBefore = CenturiesOf(ldBefore) * 0.1;
    HeliocentricLBR earthBefore, geometricBefore;
    VsopEvaluateNear(earth.series, tauBefore, &earthBefore);
    VsopEvaluateNear(planet, tauBefore, &geometricBefore);
    double dBefore = 0.0;
    PlanetAppMeanFK5(ldBefore, EarthPlaceOf(earthBefore), geometricBefore, planet, &dBefore);
    *piMotion = GetMotionCode(dLong - dBefore);
  }
  return dLong;
}

// The work of GetPositionData for a valid iWorkMode.  *pbFinite becomes
// false when a longitude is not a number (an invalid floating-point
// operation on the way).
double ComputePositions(long double ldJde, PositionData* pd, int iWorkMode, bool* pbFinite) {
  const double T = CenturiesOf(ldJde);
  const double dPsi = GetNutation(T, nullptr);
  // The Earth: for the Sun alone its position, for the planets its series
  // as the base of theirs (Pluto alone needs neither).
  EarthAtMoment earth;
  if (iWorkMode == 0) {
    GetEarthPositionLBR(T * 0.1, &earth.series.lbr);
  } else if (iWorkMode != kPluto) {
    EarthAt(ldJde, &earth);
  }

  double dResult = 0.0;
  if (iWorkMode <= 0) {
    // The Sun: aberration 20.4898" at 1 AU over the distance, the FK5
    // correction -0.09033"; no light time.
    const HeliocentricLBR& e = earth.series.lbr;
    dResult = Normalize360(e.L - 180.0 - 0.005691611 / e.R + dPsi - 0.00002509167);
    *pbFinite = std::isfinite(dResult);
    if (pd) pd->dLong[Sun] = dResult;
    if (iWorkMode == 0) return dResult;
  }
  const int iFirst = iWorkMode < 0 ? kMercury : iWorkMode;
  const int iLast = iWorkMode < 0 ? kPluto : iWorkMode;
  for (int n = iFirst; n <= iLast; ++n) {
    if (n == kEarth) continue;
    int iMotion = kMotionDirect;
    const double dLong = Normalize360(PlanetLongitudeEx(ldJde, n, &iMotion, earth) + dPsi);
    if (!std::isfinite(dLong)) *pbFinite = false;
    if (pd) {
      pd->dLong[SlotOfPlanet(n)] = dLong;
      pd->mv[SlotOfPlanet(n)] = static_cast<uint8_t>(iMotion);
    }
    if (iWorkMode > 0) dResult = dLong;
  }
  return dResult;
}

}  // namespace

const double kMotionStepDays[10] = {
    0.0,        // 0
    0.0012175,  // 1 Mercury
    0.0031452,  // 2 Venus
    0.0,        // 3 Earth
    0.0095371,  // 4 Mars
    0.0601648,  // 5 Jupiter
    0.1494481,  // 6 Saturn
    0.4265308,  // 7 Uranus
    0.8361181,  // 8 Neptune
    1.2608227,  // 9 Pluto
};

double GetPlanetLongitude_AppMeanFK5(long double ldJde, int iPlanetNumber) {
  if (!IsPlanetNumber(iPlanetNumber)) {
    return ReportPlaceKind("GetPlanetLongitude_AppMeanFK5", "OOR/iPlanetNumber", 0);
  }
  if (iPlanetNumber == kPluto) return GetPlutoLong_(ldJde, nullptr);
  HeliocentricLBR earth;
  GetEarthPositionLBR(CenturiesOf(ldJde) * 0.1, &earth);
  VsopBase planet;
  VsopEvaluateBase(iPlanetNumber, CenturiesOf(ldJde) * 0.1, &planet);
  double dLong = 0.0;
  PlanetAppMeanFK5(ldJde, EarthPlaceOf(earth), planet.lbr, planet, &dLong);
  return dLong;
}

double GetPlanetLongitudeEx_AppMeanFK5(long double ldJde, int iPlanetNumber, int* piMotion) {
  if (!IsPlanetNumber(iPlanetNumber)) {
    if (piMotion) *piMotion = kMotionDirect;
    return ReportPlaceKind("GetPlanetLongitudeEx_AppMeanFK5", "OOR/iPlanetNumber", 0);
  }
  EarthAtMoment earth;
  if (iPlanetNumber != kPluto) EarthAt(ldJde, &earth);
  return PlanetLongitudeEx(ldJde, iPlanetNumber, piMotion, earth);
}

double GetPositionData(long double ldJde, PositionData* pd, int iWorkMode) {
  if (iWorkMode == kEarth || iWorkMode > kPluto) {
    ReportCheckValue("iWorkMode", iWorkMode);
    return ReportPlaceKind("GetPositionData", "OOR/iWorkMode", 0);
  }
  // The guard: an exception or an invalid floating-point result (a
  // non-finite longitude) leaves no half-filled block behind.
  double dResult = 0.0;
  bool bFinite = true;
  try {
    dResult = ComputePositions(ldJde, pd, iWorkMode, &bFinite);
  } catch (...) {
    bFinite = false;
  }
  if (!bFinite) {
    if (pd) memset(pd, 0, sizeof *pd);
    return ReportFatal("例外 : GetPositionData");
  }
  return dResult;
}

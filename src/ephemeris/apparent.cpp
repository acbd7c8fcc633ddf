// Apparent geocentric longitudes of the Sun and the planets, and the
// position dispatcher that fills a chart's position block.
#include <cmath>
#include <cstring>

#include "base/angles.h"
#include "base/julian.h"
#include "ephemeris/planets.h"
#include "platform/reports.h"

namespace {

// Light time per AU, days.
constexpr double kLightTimeDays = 0.0057755183;

double CenturiesOf(long double ldJde) {
  return static_cast<double>((ldJde - kJ2000) / kDaysPerJulianCentury);
}

bool IsPlanetNumber(int n) { return n >= kMercury && n <= kPluto && n != kEarth; }

// Chart point of each planet number, 0 (the Sun) .. 9 (Pluto).
const int kPointOfPlanet[kPluto + 1] = {
    Sun, Mercury, Venus, -1 /* the Earth */, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto,
};

// Heliocentric rectangular ecliptic coordinates of a position, AU.
void ToRectangular(const HeliocentricLBR& p, double* px, double* py, double* pz) {
  const double dL = p.L * kDegToRad;
  const double dB = p.B * kDegToRad;
  *px = p.R * std::cos(dB) * std::cos(dL);
  *py = p.R * std::cos(dB) * std::sin(dL);
  *pz = p.R * std::sin(dB);
}

// Apparent longitude of planet n (1, 2, 4..8), mean equinox of date, seen
// from the Earth's position of the same instant.  Returns 1, or 0 after
// the "!X" report.
int PlanetAppMeanFK5(long double ldJde, int n, const HeliocentricLBR& earth, double* pdLong) {
  const double T = CenturiesOf(ldJde);
  double ex, ey, ez;
  ToRectangular(earth, &ex, &ey, &ez);

  // Geometric distance, then the planet at the instant of emission; the
  // light time is taken once, from the geometric distance.
  HeliocentricLBR planet;
  GetPlanetPositionLBR(n, T * 0.1, &planet);
  double px, py, pz;
  ToRectangular(planet, &px, &py, &pz);
  double x = px - ex, y = py - ey, z = pz - ez;
  const double dLightDays = kLightTimeDays * std::sqrt(x * x + y * y + z * z);
  const double dTauEmitted = static_cast<double>((ldJde - dLightDays - kJ2000) / kDaysPerJulianMillennium);
  GetPlanetPositionLBR(n, dTauEmitted, &planet);
  ToRectangular(planet, &px, &py, &pz);
  x = px - ex;
  y = py - ey;
  z = pz - ez;
  if (x == 0.0) return ReportPlaceKind("GetPlanetLongitude_AppMeanFK5", "!X", 0);

  const double dLambda = std::atan2(y, x) * kRadToDeg;
  const double dBeta = std::atan(z / std::sqrt(x * x + y * y)) * kRadToDeg;
  const double dSun = earth.L - 180.0;
  const double dAberration = GetLongitudeAberration(T, dSun, dLambda, dBeta);
  // FK5 correction from the planet's heliocentric place at emission.
  const double dLp = (planet.L - 1.397 * T - 0.00031 * T * T) * kDegToRad;
  const double dFk5 =
      (0.03916 * (std::cos(dLp) + std::sin(dLp)) * std::tan(planet.B * kDegToRad) - 0.09033) / 3600.0;
  *pdLong = dLambda + dAberration + dFk5;
  return 1;
}

// The same with the Earth computed for the instant.
double PlanetAppMeanFK5At(long double ldJde, int n) {
  HeliocentricLBR earth;
  GetEarthPositionLBR(CenturiesOf(ldJde) * 0.1, &earth);
  double dLong = 0.0;
  PlanetAppMeanFK5(ldJde, n, earth, &dLong);
  return dLong;
}

// GetPlanetLongitudeEx_AppMeanFK5 for a valid planet number; pEarth, when
// not null, is the Earth at ldJde (the dispatcher shares one for all
// planets).
double PlanetLongitudeEx(long double ldJde, int n, int* piMotion, const HeliocentricLBR* pEarth) {
  if (n == kPluto) return GetPlutoLong_(ldJde, piMotion);
  double dLong = 0.0;
  if (pEarth) {
    PlanetAppMeanFK5(ldJde, n, *pEarth, &dLong);
  } else {
    dLong = PlanetAppMeanFK5At(ldJde, n);
  }
  if (piMotion) *piMotion = GetMotionCode(dLong - PlanetAppMeanFK5At(ldJde - kMotionStepDays[n], n));
  return dLong;
}

// The work of GetPositionData for a valid iWorkMode.  *pbFinite becomes
// false when a longitude is not a number (an invalid floating-point
// operation on the way).
double ComputePositions(long double ldJde, PositionData* pd, int iWorkMode, bool* pbFinite) {
  const double T = CenturiesOf(ldJde);
  const double dPsi = GetNutation(T, nullptr);
  HeliocentricLBR earth;
  GetEarthPositionLBR(T * 0.1, &earth);

  double dResult = 0.0;
  if (iWorkMode <= 0) {
    // The Sun: aberration 20.4898" at 1 AU over the distance, the FK5
    // correction -0.09033"; no light time.
    dResult = Normalize360(earth.L - 180.0 - 0.005691611 / earth.R + dPsi - 0.00002509167);
    *pbFinite = std::isfinite(dResult);
    if (pd) pd->dLong[Sun] = dResult;
    if (iWorkMode == 0) return dResult;
  }
  const int iFirst = iWorkMode < 0 ? kMercury : iWorkMode;
  const int iLast = iWorkMode < 0 ? kPluto : iWorkMode;
  for (int n = iFirst; n <= iLast; ++n) {
    if (n == kEarth) continue;
    int iMotion = kMotionDirect;
    const double dLong = Normalize360(PlanetLongitudeEx(ldJde, n, &iMotion, &earth) + dPsi);
    if (!std::isfinite(dLong)) *pbFinite = false;
    if (pd) {
      pd->dLong[kPointOfPlanet[n]] = dLong;
      pd->mv[kPointOfPlanet[n]] = static_cast<uint8_t>(iMotion);
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

int ChartPointOfPlanet(int iPlanetNumber) {
  return iPlanetNumber >= 0 && iPlanetNumber <= kPluto ? kPointOfPlanet[iPlanetNumber] : -1;
}

int PlanetOfChartPoint(int iPoint) {
  for (int n = 0; n <= kPluto; ++n) {
    if (n != kEarth && kPointOfPlanet[n] == iPoint) return n;
  }
  return -1;
}

double GetPlanetLongitude_AppMeanFK5(long double ldJde, int iPlanetNumber) {
  if (!IsPlanetNumber(iPlanetNumber)) {
    return ReportPlaceKind("GetPlanetLongitude_AppMeanFK5", "OOR/iPlanetNumber", 0);
  }
  if (iPlanetNumber == kPluto) return GetPlutoLong_(ldJde, nullptr);
  return PlanetAppMeanFK5At(ldJde, iPlanetNumber);
}

double GetPlanetLongitudeEx_AppMeanFK5(long double ldJde, int iPlanetNumber, int* piMotion) {
  if (!IsPlanetNumber(iPlanetNumber)) {
    if (piMotion) *piMotion = kMotionDirect;
    return ReportPlaceKind("GetPlanetLongitudeEx_AppMeanFK5", "OOR/iPlanetNumber", 0);
  }
  return PlanetLongitudeEx(ldJde, iPlanetNumber, piMotion, nullptr);
}

double GetPositionData(long double ldJde, PositionData* pd, int iWorkMode) {
  if (iWorkMode == kEarth || iWorkMode > kPluto) {
    ReportCheckValue("iWorkMode", iWorkMode);
    return ReportPlaceKind("GetPositionData", "OOR/iWorkMode", 0);
  }
  // The guard: an invalid floating-point operation (the processor's
  // floating-point exceptions are masked, so it leaves a longitude that is
  // not a number rather than a trap) leaves no half-filled block behind.
  // The computation is arithmetic on constant tables and throws nothing.
  bool bFinite = true;
  const double dResult = ComputePositions(ldJde, pd, iWorkMode, &bFinite);
  if (!bFinite) {
    if (pd) memset(pd, 0, sizeof *pd);
    return ReportFatal("例外 : GetPositionData");
  }
  return dResult;
}

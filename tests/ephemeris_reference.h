// The definition of the ephemeris, evaluated term by term: every term of
// every series is computed on its own with the library sine or cosine, each
// instant of the apparent places (light time, motion step) is evaluated from
// scratch.  The program evaluates the same series faster; the tests hold its
// results to this definition (CompareWithDefinition), natively and in the
// Windows build under Wine.
//
// Header only, so that the Wine test programs can include it as well.
#pragma once

#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "ephemeris/ephemeris.h"
#include "ephemeris/ephemeris_tables.h"
#include "ephemeris/planets.h"
#include "time/sidereal.h"

namespace definition {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;
constexpr long double kJ2000 = 2451545.0L;
constexpr double kLightTimeDays = 0.0057755183;

// --- Nutation --------------------------------------------------------------

inline double ReducedRadians(double dDeg) { return std::fmod(dDeg, 360.0) * kDegToRad; }

inline double Nutation(double T, double* pdDeltaEps) {
  const double T2 = T * T;
  const double dArg[5] = {
      ReducedRadians(125.044555 - 1934.1361853 * T + 0.0020756 * T2),
      ReducedRadians(280.466456 + 36000.7697508 * T + 0.0003032 * T2),
      ReducedRadians(282.937347 + 1.7194597 * T + 0.0004569 * T2),
      ReducedRadians(83.353243 + 4069.0137122 * T - 0.0103217 * T2),
      ReducedRadians(218.316646 + 481267.8812725 * T - 0.0014664 * T2),
  };
  const auto Argument = [&dArg](const NutationTerm& t) {
    return t.iArg[0] * dArg[0] + t.iArg[1] * dArg[1] + t.iArg[2] * dArg[2] + t.iArg[3] * dArg[3] +
           t.iArg[4] * dArg[4];
  };
  double dPsi = 0.0;
  for (const NutationTerm& t : kNutationTerms) dPsi += (t.lS + t.lS1 * T) * std::sin(Argument(t));
  if (pdDeltaEps) {
    double dEps = 0.0;
    for (int i = 0; i < kNumNutationEpsTerms; ++i) {
      const NutationTerm& t = kNutationTerms[i];
      dEps += (t.lC + t.lC1 * T) * std::cos(Argument(t));
    }
    *pdDeltaEps = dEps * 2.777777777777778e-9;
  }
  return dPsi * 2.777777777777778e-9;
}

inline double Aberration(double T, double dSunLong, double dLong, double dLat) {
  const double e = 0.016708617 - 0.000042037 * T - 0.0000001236 * T * T;
  const double dPerihelion = 102.93735 + 1.71953 * T + 0.00046 * T * T;
  constexpr double kKappa = 0.0056932;
  return (-kKappa * std::cos((dSunLong - dLong) * kDegToRad) +
          e * kKappa * std::cos((dPerihelion - dLong) * kDegToRad)) /
         std::cos(dLat * kDegToRad);
}

// --- VSOP87 ------------------------------------------------------------------

// The series X0..X5 of one coordinate, each summed term by term from its
// first term, combined by Horner's rule in tau.
inline double SumCoordinate(const VsopSeries (&series)[6], double tau) {
  double dX = 0.0;
  for (int k = 5; k >= 0; --k) {
    double dSum = 0.0;
    const VsopTerm* p = series[k].pTerms;
    for (int i = 0; i < series[k].iCount; ++i) dSum += p[i].dA * std::cos(p[i].dB + p[i].dC * tau);
    dX = dX * tau + dSum;
  }
  return dX;
}

inline HeliocentricLBR Vsop(const VsopBody& body, double tau) {
  return {SumCoordinate(body.series[0], tau) * 5.729577951308232e-07,
          SumCoordinate(body.series[1], tau) * 5.729577951308232e-07, SumCoordinate(body.series[2], tau) * 1e-8};
}

inline double CenturiesOf(long double ldJde) { return static_cast<double>((ldJde - kJ2000) / 36525.0L); }

inline void ToRectangular(const HeliocentricLBR& p, double* px, double* py, double* pz) {
  const double dL = p.L * kDegToRad;
  const double dB = p.B * kDegToRad;
  *px = p.R * std::cos(dB) * std::cos(dL);
  *py = p.R * std::cos(dB) * std::sin(dL);
  *pz = p.R * std::sin(dB);
}

// Apparent longitude of planet n (1, 2, 4..8), mean equinox of date: the
// Earth and the planet at the instant, the planet again one light time
// earlier, aberration and the FK5 correction.
inline double PlanetAppMeanFK5(long double ldJde, int n) {
  const double T = CenturiesOf(ldJde);
  const HeliocentricLBR earth = Vsop(kVsop87D[kEarth], T * 0.1);
  double ex, ey, ez;
  ToRectangular(earth, &ex, &ey, &ez);
  HeliocentricLBR planet = Vsop(kVsop87D[n], T * 0.1);
  double px, py, pz;
  ToRectangular(planet, &px, &py, &pz);
  double x = px - ex, y = py - ey, z = pz - ez;
  const double dLightDays = kLightTimeDays * std::sqrt(x * x + y * y + z * z);
  planet = Vsop(kVsop87D[n], static_cast<double>((ldJde - dLightDays - kJ2000) / 365250.0L));
  ToRectangular(planet, &px, &py, &pz);
  x = px - ex;
  y = py - ey;
  z = pz - ez;
  const double dLambda = std::atan2(y, x) * kRadToDeg;
  const double dBeta = std::atan(z / std::sqrt(x * x + y * y)) * kRadToDeg;
  const double dAberration = Aberration(T, earth.L - 180.0, dLambda, dBeta);
  const double dLp = (planet.L - 1.397 * T - 0.00031 * T * T) * kDegToRad;
  const double dFk5 =
      (0.03916 * (std::cos(dLp) + std::sin(dLp)) * std::tan(planet.B * kDegToRad) - 0.09033) / 3600.0;
  return dLambda + dAberration + dFk5;
}

// --- Pluto -------------------------------------------------------------------

inline void PlutoHeliocentric(double T, double* pdL, double* pdB, double* pdR) {
  const double J = (34.35 + 3034.9057 * T) * kDegToRad;
  const double S = (50.08 + 1222.1138 * T) * kDegToRad;
  const double P = (238.96 + 144.96 * T) * kDegToRad;
  double dL = 0.0, dB = 0.0, dR = 0.0;
  for (const PlutoTerm& t : kPlutoTerms) {
    const double dArg = t.iJ * J + t.iS * S + t.iP * P;
    dL += t.lLSin * std::sin(dArg) + t.lLCos * std::cos(dArg);
    dB += t.lBSin * std::sin(dArg) + t.lBCos * std::cos(dArg);
    dR += t.lRSin * std::sin(dArg) + t.lRCos * std::cos(dArg);
  }
  *pdL = 238.956785 + 144.96 * T + dL * 1e-6;
  *pdB = -3.908202 + dB * 1e-6;
  *pdR = 40.7247248 + dR * 1e-7;
}

// Pluto's geocentric place of J2000 (longitude, latitude) and the Sun's
// longitude, light time in three passes.
inline void PlutoPlace(double T, double* pdLambda, double* pdBeta, double* pdSun) {
  const HeliocentricLBR e = Vsop(kVsop87BEarth, T * 0.1);
  *pdSun = e.L - 180.00002509167;
  const double dLr = e.L * kDegToRad, dBr = e.B * kDegToRad;
  const double x = -e.R * std::cos(dBr) * std::cos(dLr);
  const double y = -e.R * std::cos(dBr) * std::sin(dLr);
  const double z = -e.R * std::sin(dBr);
  const double X = x + 0.000000440360 * y - 0.000000190919 * z;
  const double Y = -0.000000479966 * x + 0.917482137087 * y - 0.397776982902 * z;
  const double Z = 0.397776982902 * y + 0.917482137087 * z;
  constexpr double kCosEps = 0.91748206214, kSinEps = 0.39777715575;
  double dTauDays = 0.0, dX = 0.0, dY = 0.0, dZ = 0.0, dDistance = 0.0;
  for (int iPass = 0; iPass < 3; ++iPass) {
    double l, b, r;
    PlutoHeliocentric(T - dTauDays / 36525.0, &l, &b, &r);
    l *= kDegToRad;
    b *= kDegToRad;
    dX = X + r * std::cos(l) * std::cos(b);
    dY = Y + r * (std::sin(l) * std::cos(b) * kCosEps - std::sin(b) * kSinEps);
    dZ = Z + r * (std::sin(l) * std::cos(b) * kSinEps + std::sin(b) * kCosEps);
    dDistance = std::sqrt(dX * dX + dY * dY + dZ * dZ);
    dTauDays = kLightTimeDays * dDistance;
  }
  const double dSinDelta = dZ / dDistance;
  const double dAlpha = std::atan2(dY, dX);
  const double dDelta = std::asin(dSinDelta);
  const double dLambda = std::atan2(std::sin(dAlpha) * kCosEps + std::tan(dDelta) * kSinEps, std::cos(dAlpha));
  const double dSinBeta = dSinDelta * kCosEps - std::cos(dDelta) * kSinEps * std::sin(dAlpha);
  *pdLambda = dLambda * kRadToDeg;
  *pdBeta = std::asin(dSinBeta) * kRadToDeg;
}

// Pluto's apparent longitude of date; *pdMotion receives the difference the
// motion code is taken from.
inline double PlutoLong(long double ldJde, double* pdMotion) {
  const double T = static_cast<double>((ldJde - kJ2000) / 36525.0L);
  double dLambda1, dBeta1, dSun, dLambda2, dBeta2, dSun2;
  PlutoPlace(T, &dLambda1, &dBeta1, &dSun);
  PlutoPlace(T - 0.00003452, &dLambda2, &dBeta2, &dSun2);
  const double dLambda = dLambda1 + Aberration(T, dSun, dLambda1, dBeta1);
  *pdMotion = dLambda - (dLambda2 + Aberration(T, dSun, dLambda2, dBeta2));
  const double T2 = T * T, T3 = T2 * T;
  const double dEta = (0.013056361 * T - 9.17222e-6 * T2 + 1.667e-8 * T3) * kDegToRad;
  const double dPi = 174.876384 - 0.241613583 * T + 9.8222e-6 * T2;
  const double dP = 5029.0966 / 3600.0 * T + 0.0003086472 * T2 - 1.667e-9 * T3;
  const double dBeta = dBeta1 * kDegToRad;
  const double dDiff = (dPi - dLambda) * kDegToRad;
  const double A = std::cos(dEta) * std::cos(dBeta) * std::sin(dDiff) - std::sin(dEta) * std::sin(dBeta);
  const double B = std::cos(dBeta) * std::cos(dDiff);
  return dP + dPi - std::atan2(A, B) * kRadToDeg;
}

// --- The position block --------------------------------------------------------

// GetPositionData(ldJde, pd, -1) by the definition: the Sun in slot 0, the
// planets and Pluto in slots 3..10 with their motion codes; pdMotionDiff[n]
// receives the longitude difference of planet n's motion code.
inline void Positions(long double ldJde, PositionData* pd, double pdMotionDiff[10]) {
  const double T = CenturiesOf(ldJde);
  const double dPsi = Nutation(T, nullptr);
  const HeliocentricLBR earth = Vsop(kVsop87D[kEarth], T * 0.1);
  pd->dLong[0] = Normalize360(earth.L - 180.0 - 0.005691611 / earth.R + dPsi - 0.00002509167);
  for (int n = kMercury; n <= kPluto; ++n) {
    if (n == kEarth) continue;
    double dLong;
    if (n == kPluto) {
      dLong = PlutoLong(ldJde, &pdMotionDiff[n]);
    } else {
      dLong = PlanetAppMeanFK5(ldJde, n);
      pdMotionDiff[n] = dLong - PlanetAppMeanFK5(ldJde - kMotionStepDays[n], n);
    }
    const int iSlot = n < kEarth ? n + 2 : n + 1;
    pd->dLong[iSlot] = Normalize360(dLong + dPsi);
    pd->mv[iSlot] = static_cast<uint8_t>(GetMotionCode(pdMotionDiff[n]));
  }
}

// --- The Moon ------------------------------------------------------------------

struct MoonSum {
  double dSum, dRate;
};

inline MoonSum MoonMain(const MoonMainTerm* p, int n, double T) {
  const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
  MoonSum r{0.0, 0.0};
  for (int i = 0; i < n; ++i) {
    const MoonMainTerm& t = p[i];
    const double dArg = (t.dPhi[0] + t.dPhi[1] * T + t.dPhi[2] * T2 + t.dPhi[3] * T3 + t.dPhi[4] * T4) * kDegToRad;
    r.dSum += t.dA * std::sin(dArg);
    r.dRate += t.dA * std::cos(dArg) * (t.dPhi[1] + 2.0 * t.dPhi[2] * T + 3.0 * t.dPhi[3] * T2 + 4.0 * t.dPhi[4] * T3);
  }
  r.dRate *= kDegToRad;
  return r;
}

inline MoonSum MoonPert(const MoonPertTerm* p, int n, double T) {
  MoonSum r{0.0, 0.0};
  for (int i = 0; i < n; ++i) {
    const double dArg = (p[i].dPhi0 + p[i].dPhi1 * T) * kDegToRad;
    r.dSum += p[i].dA * std::sin(dArg);
    r.dRate += p[i].dA * std::cos(dArg) * p[i].dPhi1;
  }
  r.dRate *= kDegToRad;
  return r;
}

inline MoonSum MoonCoordinate(const MoonMainTerm* pMain, int iMain, double dUnit, const MoonPertTerm* p0, int n0,
                              const MoonPertTerm* p1, int n1, const MoonPertTerm* p2, int n2, double T) {
  const MoonSum m = MoonMain(pMain, iMain, T);
  const MoonSum s0 = MoonPert(p0, n0, T), s1 = MoonPert(p1, n1, T), s2 = MoonPert(p2, n2, T);
  return {dUnit * m.dSum + 1e-8 * (s0.dSum + T * s1.dSum) + 1e-9 * (T * T) * s2.dSum,
          dUnit * m.dRate + 1e-8 * (s0.dRate + T * s1.dRate) + 1e-9 * (T * T) * s2.dRate};
}

// GetMoonData by the definition, with the node and every detail field.
inline double Moon(double dJde, double* pdTrueNode, MoonDetail* pDetail) {
  const double T = (dJde - 2451545.0) / 36525.0;
  const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
  MoonSum lon = MoonCoordinate(kMoonMainLon, kNumMoonMainLon, 1.0, kMoonLonT0, kNumMoonLonT0, kMoonLonT1,
                               kNumMoonLonT1, kMoonLonT2, kNumMoonLonT2, T);
  lon.dSum += 218.31665 + 481267.88134 * T - 0.0013268 * T2 + 1.856e-6 * T3 - 1.534e-8 * T4;
  lon.dRate += 481267.881 - 0.0026536 * T + 5.568e-6 * T2 - 6.1361e-8 * T3;
  const double dApparent = Normalize360(lon.dSum + Nutation(T, nullptr) - 0.00019524 -
                                        0.00001059 * std::sin((225.0 + 477198.9 * T) * kDegToRad));
  const MoonSum lat = MoonCoordinate(kMoonMainLat, kNumMoonMainLat, 1e-8, kMoonLatT0, kNumMoonLatT0, kMoonLatT1,
                                     kNumMoonLatT1, kMoonLatT2, kNumMoonLatT2, T);
  const double l = lon.dSum * kDegToRad, b = lat.dSum * kDegToRad;
  const double x = lat.dRate * std::cos(l) + lon.dRate * std::sin(b) * std::cos(b) * std::sin(l);
  const double y = lat.dRate * std::sin(l) - lon.dRate * std::sin(b) * std::cos(b) * std::cos(l);
  *pdTrueNode = Normalize360(std::atan2(y, x) * kRadToDeg);
  pDetail->dGeoLong = Normalize360(lon.dSum);
  pDetail->dGeoLat = lat.dSum;
  pDetail->dAppLong = dApparent;
  pDetail->dAppLat = lat.dSum - 0.00001754 * std::sin((183.3 + 483202.0 * T) * kDegToRad);
  pDetail->dLongRate = lon.dRate;
  pDetail->dLatRate = lat.dRate;
  pDetail->dMeanNode = GetMeanNode(T);
  return dApparent;
}

}  // namespace definition

// --- The comparison ----------------------------------------------------------

namespace definition {

// Largest difference of one kind of result between the program and the
// definition, and where it occurred.
struct LargestDifference {
  double dValue = 0.0;
  long double ldJde = 0.0L;
  const char* szWhat = "";

  void Take(double dProgram, double dDefinition, long double ldAt, const char* szName) {
    // Longitudes are compared across 0/360.
    double d = std::fabs(dProgram - dDefinition);
    if (d > 180.0) d = std::fabs(d - 360.0);
    if (!(d <= dValue)) {  // a NaN is the largest difference of all
      dValue = d;
      ldJde = ldAt;
      szWhat = szName;
    }
  }
};

struct Comparison {
  int iMoments = 0;
  LargestDifference positions;  // GetPositionData, every mode, degrees
  LargestDifference moon;       // GetMoonData, longitudes, latitudes and nodes, degrees
  LargestDifference moonRates;  // GetMoonData, rates, degrees per century
  LargestDifference nutation;   // GetNutation, degrees
  LargestDifference series;     // GetPlanetPositionLBR, L and B in degrees, R in AU
  int iMotionCodesDiffering = 0;  // with the definition's difference away from a threshold
  int iMotionCodesExcused = 0;    // the definition within 1e-9 degree of a threshold
};

// True when a motion difference lies within 1e-9 degree of a limit of the
// motion codes, where the last bits of the arithmetic decide the code.
inline bool NearMotionThreshold(double dDiff) {
  for (double dLimit : {-360.0, -300.0, -0.0003, 0.0, 0.0003, 300.0, 360.0}) {
    if (std::fabs(dDiff - dLimit) <= 1e-9) return true;
  }
  return false;
}

// Moments spread over the program's range of dates, -4000 to 8000, at
// varying fractions of the day, then more within the centuries around today
// (where Pluto's series holds).
inline long double ComparisonMoment(int i, int iMoments) {
  const int iWide = iMoments - iMoments / 6;
  if (i < iWide) return 260424.5L + 0.3713L + (4643500.0L - 260424.5L) * i / (iWide - 1);
  return 2415020.5L + 0.1171L + 73049.0L * (i - iWide) / (iMoments - iWide);
}

inline void CompareMoment(long double ldJde, Comparison* c) {
  static const char* const kSlotNames[11] = {"Sun", "", "", "Mercury", "Venus", "Mars", "Jupiter",
                                            "Saturn", "Uranus", "Neptune", "Pluto"};
  const double dJde = static_cast<double>(ldJde);
  const double T = (dJde - 2451545.0) / 36525.0;

  PositionData def{}, pd{};
  double dMotionDiff[10] = {};
  Positions(ldJde, &def, dMotionDiff);
  c->positions.Take(GetPositionData(ldJde, &pd, -1), def.dLong[0], ldJde, "Sun (return value)");
  c->positions.Take(GetPositionData(ldJde, nullptr, 0), def.dLong[0], ldJde, "Sun alone");
  for (int iSlot : {0, 3, 4, 5, 6, 7, 8, 9, 10}) {
    c->positions.Take(pd.dLong[iSlot], def.dLong[iSlot], ldJde, kSlotNames[iSlot]);
    if (iSlot == 0) continue;
    const int n = iSlot < 5 ? iSlot - 2 : iSlot - 1;
    PositionData one{};
    c->positions.Take(GetPositionData(ldJde, &one, n), def.dLong[iSlot], ldJde, kSlotNames[iSlot]);
    // The routines of one planet, mean equinox of date.
    int iMotion = kMotionDirect;
    const double dMean = GetPlanetLongitudeEx_AppMeanFK5(ldJde, n, &iMotion);
    double dPlutoDiff;
    const double dDefMean = n == kPluto ? PlutoLong(ldJde, &dPlutoDiff) : PlanetAppMeanFK5(ldJde, n);
    c->positions.Take(Normalize360(dMean), Normalize360(dDefMean), ldJde, kSlotNames[iSlot]);
    c->positions.Take(Normalize360(GetPlanetLongitude_AppMeanFK5(ldJde, n)), Normalize360(dDefMean), ldJde,
                      kSlotNames[iSlot]);
    for (int iCode : {pd.mv[iSlot], one.mv[iSlot], static_cast<uint8_t>(iMotion)}) {
      if (iCode == def.mv[iSlot]) continue;
      if (NearMotionThreshold(dMotionDiff[n])) {
        ++c->iMotionCodesExcused;
      } else {
        ++c->iMotionCodesDiffering;
        printf("motion code of %s at JDE %.6Lf: %d, by definition %d (difference %.12f)\n", kSlotNames[iSlot],
               ldJde, iCode, def.mv[iSlot], dMotionDiff[n]);
      }
    }
  }

  double dDefNode;
  MoonDetail defDetail;
  const double dDefMoon = Moon(dJde, &dDefNode, &defDetail);
  c->moon.Take(GetMoonData(dJde, nullptr, nullptr), dDefMoon, ldJde, "Moon, longitude alone");
  double dNode = 0.0;
  c->moon.Take(GetMoonData(dJde, &dNode, nullptr), dDefMoon, ldJde, "Moon, with the node");
  c->moon.Take(dNode, dDefNode, ldJde, "true node");
  MoonDetail d{};
  c->moon.Take(GetMoonData(dJde, nullptr, &d), dDefMoon, ldJde, "Moon, with the detail");
  c->moon.Take(d.dGeoLong, defDetail.dGeoLong, ldJde, "Moon, geometric longitude");
  c->moon.Take(d.dGeoLat, defDetail.dGeoLat, ldJde, "Moon, geometric latitude");
  c->moon.Take(d.dAppLong, defDetail.dAppLong, ldJde, "Moon, apparent longitude");
  c->moon.Take(d.dAppLat, defDetail.dAppLat, ldJde, "Moon, apparent latitude");
  c->moon.Take(d.dMeanNode, defDetail.dMeanNode, ldJde, "mean node");
  c->moonRates.Take(d.dLongRate, defDetail.dLongRate, ldJde, "Moon, longitude rate");
  c->moonRates.Take(d.dLatRate, defDetail.dLatRate, ldJde, "Moon, latitude rate");

  double dEps = 0.0, dDefEps = 0.0;
  const double dDefPsi = Nutation(T, &dDefEps);
  c->nutation.Take(GetNutation(T, nullptr), dDefPsi, ldJde, "nutation in longitude");
  c->nutation.Take(GetNutation(T, &dEps), dDefPsi, ldJde, "nutation in longitude, with obliquity");
  c->nutation.Take(dEps, dDefEps, ldJde, "nutation in obliquity");

  const double tau = T * 0.1;
  for (int iBody = kMercury; iBody <= kNeptune; ++iBody) {
    HeliocentricLBR lbr;
    GetPlanetPositionLBR(iBody, tau, &lbr);
    const HeliocentricLBR ref = Vsop(kVsop87D[iBody], tau);
    c->series.Take(lbr.L, ref.L, ldJde, "heliocentric L");
    c->series.Take(lbr.B, ref.B, ldJde, "heliocentric B");
    c->series.Take(lbr.R, ref.R, ldJde, "heliocentric R");
  }
  ++c->iMoments;
}

inline Comparison CompareWithDefinition(int iMoments) {
  Comparison c;
  for (int i = 0; i < iMoments; ++i) CompareMoment(ComparisonMoment(i, iMoments), &c);
  return c;
}

inline void PrintLargest(const char* szKind, const LargestDifference& d, const char* szUnit) {
  printf("%-16s largest difference %.3e %s (%s, JDE %.4Lf)\n", szKind, d.dValue, szUnit, d.szWhat, d.ldJde);
}

inline void PrintComparison(const Comparison& c) {
  printf("program against the definition, %d moments from -4000 to 8000:\n", c.iMoments);
  PrintLargest("GetPositionData", c.positions, "deg");
  PrintLargest("GetMoonData", c.moon, "deg");
  PrintLargest("  rates", c.moonRates, "deg/cy");
  PrintLargest("GetNutation", c.nutation, "deg");
  PrintLargest("VSOP87 series", c.series, "deg or AU");
  printf("motion codes differing: %d (near a limit: %d)\n", c.iMotionCodesDiffering, c.iMotionCodesExcused);
}

}  // namespace definition

// The Moon: apparent longitude, latitude, rates, true and mean node from
// the abridged ELP 2000-85.
#include <cmath>

#include "base/angles.h"
#include "base/julian.h"
#include "ephemeris/ephemeris.h"
#include "ephemeris/ephemeris_tables.h"
#include "platform/reports.h"

namespace {

// Powers of T, Julian centuries of TT from J2000.0.
struct Powers {
  double T, T2, T3, T4;
};

// A series value and its derivative in T.
struct SumAndRate {
  double dSum;
  double dRate;  // per Julian century, in the amplitudes' unit
};

double MainArgument(const MoonMainTerm& t, const Powers& p) {
  return t.dPhi[0] + t.dPhi[1] * p.T + t.dPhi[2] * p.T2 + t.dPhi[3] * p.T3 + t.dPhi[4] * p.T4;
}

// Main problem: sum A sin(argument).
double SumMain(const MoonMainTerm* pTerms, int iCount, const Powers& p) {
  double dSum = 0.0;
  for (int i = 0; i < iCount; ++i) dSum += pTerms[i].dA * std::sin(MainArgument(pTerms[i], p) * kDegToRad);
  return dSum;
}

// Main problem with the derivative: A cos(argument) d(argument)/dT.
SumAndRate SumMainWithRate(const MoonMainTerm* pTerms, int iCount, const Powers& p) {
  SumAndRate r{0.0, 0.0};
  for (int i = 0; i < iCount; ++i) {
    const MoonMainTerm& t = pTerms[i];
    const double dArg = MainArgument(t, p) * kDegToRad;
    const double dArgRate =
        t.dPhi[1] + 2.0 * t.dPhi[2] * p.T + 3.0 * t.dPhi[3] * p.T2 + 4.0 * t.dPhi[4] * p.T3;
    r.dSum += t.dA * std::sin(dArg);
    r.dRate += t.dA * std::cos(dArg) * dArgRate;
  }
  r.dRate *= kDegToRad;
  return r;
}

// Perturbations: sum A sin(phi0 + phi1 T).
double SumPert(const MoonPertTerm* pTerms, int iCount, double T) {
  double dSum = 0.0;
  for (int i = 0; i < iCount; ++i) {
    dSum += pTerms[i].dA * std::sin((pTerms[i].dPhi0 + pTerms[i].dPhi1 * T) * kDegToRad);
  }
  return dSum;
}

// Perturbations with the derivative of the sines (the factor T^k of a
// series is left to the caller, and so is its own derivative).
SumAndRate SumPertWithRate(const MoonPertTerm* pTerms, int iCount, double T) {
  SumAndRate r{0.0, 0.0};
  for (int i = 0; i < iCount; ++i) {
    const MoonPertTerm& t = pTerms[i];
    const double dArg = (t.dPhi0 + t.dPhi1 * T) * kDegToRad;
    r.dSum += t.dA * std::sin(dArg);
    r.dRate += t.dA * std::cos(dArg) * t.dPhi1;
  }
  r.dRate *= kDegToRad;
  return r;
}

// Mean longitude W1 of the theory (mean equinox of date), degrees.
double MeanLongitude(const Powers& p) {
  return 218.31665 + 481267.88134 * p.T - 0.0013268 * p.T2 + 1.856e-6 * p.T3 - 1.534e-8 * p.T4;
}

// Geometric longitude, mean equinox of date, not reduced: the longitude-only
// path (641 sines).  Summed in the same order as Coordinate() so that both
// paths give the same longitude.
double GeometricLongitude(const Powers& p) {
  const double dMain = SumMain(kMoonMainLon, kNumMoonMainLon, p);
  const double s0 = SumPert(kMoonLonT0, kNumMoonLonT0, p.T);
  const double s1 = SumPert(kMoonLonT1, kNumMoonLonT1, p.T);
  const double s2 = SumPert(kMoonLonT2, kNumMoonLonT2, p.T);
  return (dMain + 1e-8 * (s0 + p.T * s1) + 1e-9 * p.T2 * s2) + MeanLongitude(p);
}

// Longitude or latitude with its rate from a main series (amplitudes scaled
// by dMainUnit) and the three perturbation series.  The series' own values,
// which the product rule would add to the rate of the T and T^2 series, are
// left out (below 0.0005 degree per century).
SumAndRate Coordinate(const MoonMainTerm* pMain, int iMain, double dMainUnit, const MoonPertTerm* p0, int n0,
                      const MoonPertTerm* p1, int n1, const MoonPertTerm* p2, int n2, const Powers& p) {
  const SumAndRate m = SumMainWithRate(pMain, iMain, p);
  const SumAndRate s0 = SumPertWithRate(p0, n0, p.T);
  const SumAndRate s1 = SumPertWithRate(p1, n1, p.T);
  const SumAndRate s2 = SumPertWithRate(p2, n2, p.T);
  SumAndRate r;
  r.dSum = dMainUnit * m.dSum + 1e-8 * (s0.dSum + p.T * s1.dSum) + 1e-9 * p.T2 * s2.dSum;
  r.dRate = dMainUnit * m.dRate + 1e-8 * (s0.dRate + p.T * s1.dRate) + 1e-9 * p.T2 * s2.dRate;
  return r;
}

// Longitude of the ascending node of the great circle the Moon traces at the
// instant, from its geometric place and rates (degrees, per century).
// Returns 1, or 0 after the error box when the node is undefined.
int TrueNode(double dLong, double dLat, double dLongRate, double dLatRate, double* pdNode) {
  const double l = dLong * kDegToRad;
  const double b = dLat * kDegToRad;
  const double x = dLatRate * std::cos(l) + dLongRate * std::sin(b) * std::cos(b) * std::sin(l);
  const double y = dLatRate * std::sin(l) - dLongRate * std::sin(b) * std::cos(b) * std::cos(l);
  if (x == 0.0) {
    *pdNode = 0.0;
    return ReportFatal("Z=0 in GetMoonData");
  }
  *pdNode = Normalize360(std::atan2(y, x) * kRadToDeg);
  return 1;
}

}  // namespace

double GetMeanNode(double T) {
  return Normalize360(125.044555 - 1934.1361849 * T + 0.0020762 * T * T + T * T * T / 467410.0 -
                         T * T * T * T / 18999000.0);
}

double GetMoonData(double dJde, double* pdTrueNode, MoonDetail* pDetail) {
  Powers p;
  p.T = (dJde - kJ2000) / kDaysPerJulianCentury;
  p.T2 = p.T * p.T;
  p.T3 = p.T2 * p.T;
  p.T4 = p.T3 * p.T;
  const bool bDetail = pdTrueNode || pDetail;

  // Geometric longitude, with its rate only when the node or the detail is
  // wanted.
  SumAndRate lon{};
  if (bDetail) {
    lon = Coordinate(kMoonMainLon, kNumMoonMainLon, 1.0, kMoonLonT0, kNumMoonLonT0, kMoonLonT1,
                     kNumMoonLonT1, kMoonLonT2, kNumMoonLonT2, p);
    lon.dSum += MeanLongitude(p);
    lon.dRate += 481267.881 - 0.0026536 * p.T + 5.568e-6 * p.T2 - 6.1361e-8 * p.T3;
  } else {
    lon.dSum = GeometricLongitude(p);
  }

  // Apparent: nutation, then the Moon's light time and aberration.
  const double dApparent = Normalize360(lon.dSum + GetNutation(p.T, nullptr) - 0.00019524 -
                                           0.00001059 * std::sin((225.0 + 477198.9 * p.T) * kDegToRad));
  if (!bDetail) return dApparent;

  const SumAndRate lat = Coordinate(kMoonMainLat, kNumMoonMainLat, 1e-8, kMoonLatT0, kNumMoonLatT0,
                                    kMoonLatT1, kNumMoonLatT1, kMoonLatT2, kNumMoonLatT2, p);
  if (pdTrueNode) TrueNode(lon.dSum, lat.dSum, lon.dRate, lat.dRate, pdTrueNode);
  if (pDetail) {
    pDetail->dGeoLong = Normalize360(lon.dSum);
    pDetail->dGeoLat = lat.dSum;
    pDetail->dAppLong = dApparent;
    pDetail->dAppLat = lat.dSum - 0.00001754 * std::sin((183.3 + 483202.0 * p.T) * kDegToRad);
    pDetail->dLongRate = lon.dRate;
    pDetail->dLatRate = lat.dRate;
    pDetail->dMeanNode = GetMeanNode(p.T);
  }
  return dApparent;
}

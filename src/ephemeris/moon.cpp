// The Moon: apparent longitude, latitude, rates, true and mean node from
// the abridged ELP 2000-85.
#include <cmath>

#include "ephemeris/ephemeris.h"
#include "ephemeris/ephemeris_tables.h"
#include "ephemeris/trig_arrays.h"
#include "platform/reports.h"
#include "time/sidereal.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;

// Powers of T, Julian centuries of TT from J2000.0.
struct Powers {
  double T, T2, T3, T4;
};

// A series value and its derivative in T.
struct SumAndRate {
  double dSum;
  double dRate;  // per Julian century, in the amplitudes' unit
};

// The most terms of one series (the longitude perturbations of T^0).
constexpr int kMaxSeriesTerms = 244;

// The arguments of the terms in radians, exactly as the definition writes
// them.
double ArgumentOf(const MoonMainTerm& t, const Powers& p) {
  return (t.dPhi[0] + t.dPhi[1] * p.T + t.dPhi[2] * p.T2 + t.dPhi[3] * p.T3 + t.dPhi[4] * p.T4) * kDegToRad;
}
double ArgumentOf(const MoonPertTerm& t, const Powers& p) { return (t.dPhi0 + t.dPhi1 * p.T) * kDegToRad; }

// d(argument)/dT in degrees per century.
double ArgumentRateOf(const MoonMainTerm& t, const Powers& p) {
  return t.dPhi[1] + 2.0 * t.dPhi[2] * p.T + 3.0 * t.dPhi[3] * p.T2 + 4.0 * t.dPhi[4] * p.T3;
}
double ArgumentRateOf(const MoonPertTerm& t, const Powers&) { return t.dPhi1; }

// x[0] + ... + x[n - 1] in four running sums.  The definition sums term
// by term; the order touches only the last bits of these sums (below 1e-14
// degree, and 1e-9 degree per century in the rates).
double SumOf(const double* x, int n) {
  double d0 = 0.0, d1 = 0.0, d2 = 0.0, d3 = 0.0;
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    d0 += x[i];
    d1 += x[i + 1];
    d2 += x[i + 2];
    d3 += x[i + 3];
  }
  for (; i < n; ++i) d0 += x[i];
  return (d0 + d1) + (d2 + d3);
}

// One series: the sum of A sin(argument).  The sines come from the vector
// kernel for all terms at once.
template <typename Term, int n>
double SumSeries(const Term (&pTerms)[n], const Powers& p) {
  static_assert(n <= kMaxSeriesTerms, "series longer than the buffers");
  double dArg[kMaxSeriesTerms], dSin[kMaxSeriesTerms];
  for (int i = 0; i < n; ++i) dArg[i] = ArgumentOf(pTerms[i], p);
  SinArray(dArg, dSin, n);
  for (int i = 0; i < n; ++i) dSin[i] *= pTerms[i].dA;
  return SumOf(dSin, n);
}

// The same with the derivative of the sines, A cos(argument)
// d(argument)/dT (the factor T^k of a perturbation series is left to the
// caller, and so is its own derivative).
template <typename Term, int n>
SumAndRate SumSeriesWithRate(const Term (&pTerms)[n], const Powers& p) {
  static_assert(n <= kMaxSeriesTerms, "series longer than the buffers");
  double dArg[kMaxSeriesTerms], dSin[kMaxSeriesTerms], dCos[kMaxSeriesTerms];
  for (int i = 0; i < n; ++i) dArg[i] = ArgumentOf(pTerms[i], p);
  SinCosArray(dArg, dSin, dCos, n);
  for (int i = 0; i < n; ++i) {
    dSin[i] = pTerms[i].dA * dSin[i];
    dCos[i] = pTerms[i].dA * dCos[i] * ArgumentRateOf(pTerms[i], p);
  }
  return {SumOf(dSin, n), SumOf(dCos, n) * kDegToRad};
}

// Mean longitude W1 of the theory (mean equinox of date), degrees.
double MeanLongitude(const Powers& p) {
  return 218.31665 + 481267.88134 * p.T - 0.0013268 * p.T2 + 1.856e-6 * p.T3 - 1.534e-8 * p.T4;
}

// Geometric longitude, mean equinox of date, not reduced: the longitude-only
// path (641 sines).  Summed in the same order as Coordinate() so that both
// paths give the same longitude.
double GeometricLongitude(const Powers& p) {
  const double dMain = SumSeries(kMoonMainLon, p);
  const double s0 = SumSeries(kMoonLonT0, p);
  const double s1 = SumSeries(kMoonLonT1, p);
  const double s2 = SumSeries(kMoonLonT2, p);
  return (dMain + 1e-8 * (s0 + p.T * s1) + 1e-9 * p.T2 * s2) + MeanLongitude(p);
}

// Longitude or latitude with its rate from a main series (amplitudes scaled
// by dMainUnit) and the three perturbation series.  The series' own values,
// which the product rule would add to the rate of the T and T^2 series, are
// left out (below 0.0005 degree per century).
template <int nMain, int n0, int n1, int n2>
SumAndRate Coordinate(const MoonMainTerm (&pMain)[nMain], double dMainUnit, const MoonPertTerm (&p0)[n0],
                      const MoonPertTerm (&p1)[n1], const MoonPertTerm (&p2)[n2], const Powers& p) {
  const SumAndRate m = SumSeriesWithRate(pMain, p);
  const SumAndRate s0 = SumSeriesWithRate(p0, p);
  const SumAndRate s1 = SumSeriesWithRate(p1, p);
  const SumAndRate s2 = SumSeriesWithRate(p2, p);
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
  p.T = (dJde - 2451545.0) / 36525.0;
  p.T2 = p.T * p.T;
  p.T3 = p.T2 * p.T;
  p.T4 = p.T3 * p.T;
  const bool bDetail = pdTrueNode || pDetail;

  // Geometric longitude, with its rate only when the node or the detail is
  // wanted.
  SumAndRate lon{};
  if (bDetail) {
    lon = Coordinate(kMoonMainLon, 1.0, kMoonLonT0, kMoonLonT1, kMoonLonT2, p);
    lon.dSum += MeanLongitude(p);
    lon.dRate += 481267.881 - 0.0026536 * p.T + 5.568e-6 * p.T2 - 6.1361e-8 * p.T3;
  } else {
    lon.dSum = GeometricLongitude(p);
  }

  // Apparent: nutation, then the Moon's light time and aberration.
  const double dApparent = Normalize360(lon.dSum + GetNutation(p.T, nullptr) - 0.00019524 -
                                           0.00001059 * std::sin((225.0 + 477198.9 * p.T) * kDegToRad));
  if (!bDetail) return dApparent;

  const SumAndRate lat = Coordinate(kMoonMainLat, 1e-8, kMoonLatT0, kMoonLatT1, kMoonLatT2, p);
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

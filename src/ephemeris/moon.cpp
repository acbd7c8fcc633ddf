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

// A series as arrays for the vector loops, built once from its table: the
// amplitudes and the kPowers coefficients of the arguments, degrees per
// century^k (five in the main problem, two in the perturbations).
template <int kPowers, int n>
struct SeriesArrays {
  static_assert(n <= kMaxSeriesTerms, "series longer than the buffers");
  static constexpr int kCount = n;
  double dA[n];
  double dPhi[kPowers][n];
};

template <int n>
SeriesArrays<5, n> ArraysOf(const MoonMainTerm (&pTerms)[n]) {
  SeriesArrays<5, n> a;
  for (int i = 0; i < n; ++i) {
    a.dA[i] = pTerms[i].dA;
    for (int k = 0; k < 5; ++k) a.dPhi[k][i] = pTerms[i].dPhi[k];
  }
  return a;
}

template <int n>
SeriesArrays<2, n> ArraysOf(const MoonPertTerm (&pTerms)[n]) {
  SeriesArrays<2, n> a;
  for (int i = 0; i < n; ++i) {
    a.dA[i] = pTerms[i].dA;
    a.dPhi[0][i] = pTerms[i].dPhi0;
    a.dPhi[1][i] = pTerms[i].dPhi1;
  }
  return a;
}

struct MoonArrays {
  SeriesArrays<5, kNumMoonMainLon> lonMain;
  SeriesArrays<2, kNumMoonLonT0> lon0;
  SeriesArrays<2, kNumMoonLonT1> lon1;
  SeriesArrays<2, kNumMoonLonT2> lon2;
  SeriesArrays<5, kNumMoonMainLat> latMain;
  SeriesArrays<2, kNumMoonLatT0> lat0;
  SeriesArrays<2, kNumMoonLatT1> lat1;
  SeriesArrays<2, kNumMoonLatT2> lat2;
};

const MoonArrays& Arrays() {
  static const MoonArrays kArrays = {ArraysOf(kMoonMainLon), ArraysOf(kMoonLonT0), ArraysOf(kMoonLonT1),
                                     ArraysOf(kMoonLonT2),   ArraysOf(kMoonMainLat), ArraysOf(kMoonLatT0),
                                     ArraysOf(kMoonLatT1),   ArraysOf(kMoonLatT2)};
  return kArrays;
}

// The arguments of the terms in radians, exactly as the definition writes
// them.
template <int n>
double ArgumentOf(const SeriesArrays<5, n>& s, int i, const Powers& p) {
  return (s.dPhi[0][i] + s.dPhi[1][i] * p.T + s.dPhi[2][i] * p.T2 + s.dPhi[3][i] * p.T3 + s.dPhi[4][i] * p.T4) *
         kDegToRad;
}
template <int n>
double ArgumentOf(const SeriesArrays<2, n>& s, int i, const Powers& p) {
  return (s.dPhi[0][i] + s.dPhi[1][i] * p.T) * kDegToRad;
}

// d(argument)/dT in degrees per century.
template <int n>
double ArgumentRateOf(const SeriesArrays<5, n>& s, int i, const Powers& p) {
  return s.dPhi[1][i] + 2.0 * s.dPhi[2][i] * p.T + 3.0 * s.dPhi[3][i] * p.T2 + 4.0 * s.dPhi[4][i] * p.T3;
}
template <int n>
double ArgumentRateOf(const SeriesArrays<2, n>& s, int i, const Powers&) {
  return s.dPhi[1][i];
}

// x[0] + ... + x[n - 1] in four running sums.  The definition sums term
// by term; the order touches only the last bits of these sums (below 1e-14
// degree, and 1e-9 degree per century in the rates).
double SumOf(const double* x, int n) {
  const int nWhole = n - n % 4;
  double d0 = 0.0, d1 = 0.0, d2 = 0.0, d3 = 0.0;
  for (int i = 0; i < nWhole; i += 4) {
    d0 += x[i];
    d1 += x[i + 1];
    d2 += x[i + 2];
    d3 += x[i + 3];
  }
  for (int i = nWhole; i < n; ++i) d0 += x[i];
  return (d0 + d1) + (d2 + d3);
}

// One series: the sum of A sin(argument).  The sines come from the vector
// kernel for all terms at once.
template <typename Series>
double SumSeries(const Series& s, const Powers& p) {
  constexpr int n = Series::kCount;
  double dArg[n], dSin[n];
  for (int i = 0; i < n; ++i) dArg[i] = ArgumentOf(s, i, p);
  SinArray(dArg, dSin, n);
  for (int i = 0; i < n; ++i) dSin[i] = s.dA[i] * dSin[i];
  return SumOf(dSin, n);
}

// The same with the derivative of the sines, A cos(argument)
// d(argument)/dT (the factor T^k of a perturbation series is left to the
// caller, and so is its own derivative).
template <typename Series>
SumAndRate SumSeriesWithRate(const Series& s, const Powers& p) {
  constexpr int n = Series::kCount;
  double dArg[n], dSin[n], dCos[n];
  for (int i = 0; i < n; ++i) dArg[i] = ArgumentOf(s, i, p);
  SinCosArray(dArg, dSin, dCos, n);
  for (int i = 0; i < n; ++i) {
    dSin[i] = s.dA[i] * dSin[i];
    dCos[i] = s.dA[i] * dCos[i] * ArgumentRateOf(s, i, p);
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
  const MoonArrays& a = Arrays();
  const double dMain = SumSeries(a.lonMain, p);
  const double s0 = SumSeries(a.lon0, p);
  const double s1 = SumSeries(a.lon1, p);
  const double s2 = SumSeries(a.lon2, p);
  return (dMain + 1e-8 * (s0 + p.T * s1) + 1e-9 * p.T2 * s2) + MeanLongitude(p);
}

// Longitude or latitude with its rate from a main series (amplitudes scaled
// by dMainUnit) and the three perturbation series.  The series' own values,
// which the product rule would add to the rate of the T and T^2 series, are
// left out (below 0.0005 degree per century).
template <typename Main, typename Pert0, typename Pert1, typename Pert2>
SumAndRate Coordinate(const Main& pMain, double dMainUnit, const Pert0& p0, const Pert1& p1, const Pert2& p2,
                      const Powers& p) {
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
    const MoonArrays& a = Arrays();
    lon = Coordinate(a.lonMain, 1.0, a.lon0, a.lon1, a.lon2, p);
    lon.dSum += MeanLongitude(p);
    lon.dRate += 481267.881 - 0.0026536 * p.T + 5.568e-6 * p.T2 - 6.1361e-8 * p.T3;
  } else {
    lon.dSum = GeometricLongitude(p);
  }

  // Apparent: nutation, then the Moon's light time and aberration.
  const double dApparent = Normalize360(lon.dSum + GetNutation(p.T, nullptr) - 0.00019524 -
                                           0.00001059 * std::sin((225.0 + 477198.9 * p.T) * kDegToRad));
  if (!bDetail) return dApparent;

  const MoonArrays& a = Arrays();
  const SumAndRate lat = Coordinate(a.latMain, 1e-8, a.lat0, a.lat1, a.lat2, p);
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

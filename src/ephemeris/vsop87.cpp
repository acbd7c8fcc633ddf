// Heliocentric positions of the major planets from the abridged VSOP87
// series: version D for every planet, version B for the Earth (J2000).
#include <cmath>

#include "ephemeris/ephemeris_tables.h"
#include "ephemeris/planets.h"
#include "platform/reports.h"

namespace {

// 1e-8 rad in degrees, and 1e-8 AU.
constexpr double kUnitToDeg = 5.729577951308232e-07;
constexpr double kUnitToAu = 1e-8;

// One coordinate: the series X0..X5 summed term by term and combined by
// Horner's rule in tau, in the table's units.
double SumCoordinate(const VsopSeries (&series)[6], double tau) {
  double dX = 0.0;
  for (int k = 5; k >= 0; --k) {
    double dSum = 0.0;
    const VsopTerm* p = series[k].pTerms;
    for (int i = 0; i < series[k].iCount; ++i) dSum += p[i].dA * std::cos(p[i].dB + p[i].dC * tau);
    dX = dX * tau + dSum;
  }
  return dX;
}

void EvaluateBody(const VsopBody& body, double tau, double* pdL, double* pdB, double* pdR) {
  *pdL = SumCoordinate(body.series[0], tau) * kUnitToDeg;
  *pdB = SumCoordinate(body.series[1], tau) * kUnitToDeg;
  *pdR = SumCoordinate(body.series[2], tau) * kUnitToAu;
}

}  // namespace

int GetPlanetPositionLBR(int iBody, double tau, HeliocentricLBR* pLBR) {
  if (iBody < kMercury || iBody > kNeptune) {
    pLBR->L = 0.0;
    pLBR->B = 0.0;
    pLBR->R = 1.0;
    return ReportFatal("abnormal in GetPlanetPositionLBR");
  }
  EvaluateBody(kVsop87D[iBody], tau, &pLBR->L, &pLBR->B, &pLBR->R);
  return 1;
}

int GetEarthPositionLBR(double tau, HeliocentricLBR* pLBR) {
  return GetPlanetPositionLBR(kEarth, tau, pLBR);
}

int GetEarthPositionJ2000(double T, double* pdL, double* pdB, double* pdR) {
  EvaluateBody(kVsop87BEarth, T * 0.1, pdL, pdB, pdR);
  return 1;
}

// Heliocentric positions of the major planets from the abridged VSOP87
// series: version D for every planet, version B for the Earth (J2000).
//
// The definition sums every series term by term, A cos(B + C tau), and
// combines the series of a coordinate by Horner's rule in tau.  Here the
// arguments B + C tau are computed exactly as written there, their cosines
// come a whole body at a time from the vector kernel (trig_arrays.h), and
// the sums give the definition's sums (SumSeries); Horner's rule is the
// same.
#include "ephemeris/vsop87.h"

#include <cmath>

#include "ephemeris/trig_arrays.h"
#include "platform/reports.h"

namespace {

// 1e-8 rad in degrees, and 1e-8 AU.
constexpr double kUnitToDeg = 5.729577951308232e-07;
constexpr double kUnitToAu = 1e-8;

// The series of a body in the order the sums read them: coordinate L, B,
// R, each from the power 5 of tau down to 0 (Horner's order).
template <typename Visit>
void ForEachSeries(const VsopBody& body, Visit visit) {
  for (int c = 0; c < 3; ++c) {
    for (int k = 5; k >= 0; --k) visit(c, body.series[c][k]);
  }
}

// Every term of every body as arrays for the vector kernel, each body's
// series one after another in the order above; built once from the
// tables, into static storage as the tables.
struct VsopArrays {
  static constexpr int kBodies = 10;  // version D by body code 1..8, version B of the Earth as 9
  static constexpr int kTerms = kNumVsop87DTerms + kNumVsop87BEarthTerms;
  double dA[kTerms], dB[kTerms], dC[kTerms];
  CosineTerms body[kBodies];
  double dMaxFrequency[kBodies];  // largest |C| of the body, radians per millennium
};

const VsopBody& BodyOfIndex(int i) { return i < 9 ? kVsop87D[i] : kVsop87BEarth; }

void BuildArrays(VsopArrays* a) {
  int n = 0;
  for (int i = 1; i < VsopArrays::kBodies; ++i) {
    const int iFirst = n;
    ForEachSeries(BodyOfIndex(i), [&](int, const VsopSeries& s) {
      for (int k = 0; k < s.iCount && n < VsopArrays::kTerms; ++k, ++n) {
        a->dA[n] = s.pTerms[k].dA;
        a->dB[n] = s.pTerms[k].dB;
        a->dC[n] = s.pTerms[k].dC;
        a->dMaxFrequency[i] = std::fmax(a->dMaxFrequency[i], std::fabs(a->dC[n]));
      }
    });
    a->body[i] = {a->dA + iFirst, a->dB + iFirst, a->dC + iFirst, n - iFirst};
  }
}

const VsopArrays& Arrays() {
  static VsopArrays arrays;
  static const bool bBuilt = (BuildArrays(&arrays), true);
  (void)bBuilt;
  return arrays;
}

int IndexOf(const VsopBody& body) { return &body == &kVsop87BEarth ? 9 : static_cast<int>(&body - kVsop87D); }

// Sum of one series from the values A cos(B + C tau) of its terms.
//
// The definition adds the terms one by one onto the first.  Where that
// first term is a constant far larger than the rest (the mean motion
// leading every L1 series: 2.6e12 units for Mercury), each addition rounds
// the new term to the constant's last place (4.9e-4 units for Mercury,
// a nanodegree once multiplied by the tau of an extreme date).
// (first + t) - first is exactly that rounded term; multiples of that place
// add up exactly in any order, so the four running sums below give the
// definition's sum to the last bit.  In the other series the order touches
// only the last bits of sums far below a nanodegree.
double SumSeries(const double* pdValue, int n) {
  if (n == 0) return 0.0;
  const double dFirst = pdValue[0];
  const int nWhole = 1 + (n - 1) - (n - 1) % 4;
  double d0 = 0.0, d1 = 0.0, d2 = 0.0, d3 = 0.0;
  for (int i = 1; i < nWhole; i += 4) {
    d0 += (dFirst + pdValue[i]) - dFirst;
    d1 += (dFirst + pdValue[i + 1]) - dFirst;
    d2 += (dFirst + pdValue[i + 2]) - dFirst;
    d3 += (dFirst + pdValue[i + 3]) - dFirst;
  }
  for (int i = nWhole; i < n; ++i) d0 += (dFirst + pdValue[i]) - dFirst;
  return dFirst + ((d0 + d1) + (d2 + d3));
}

// The coordinates from the values of all terms of the body: each
// coordinate by Horner's rule from the power 5 down, as the definition.
void SumBody(const VsopBody& body, double tau, const double* pdValue, HeliocentricLBR* pLBR) {
  double dX[3] = {0.0, 0.0, 0.0};
  ForEachSeries(body, [&](int c, const VsopSeries& s) {
    dX[c] = dX[c] * tau + SumSeries(pdValue, s.iCount);
    pdValue += s.iCount;
  });
  pLBR->L = dX[0] * kUnitToDeg;
  pLBR->B = dX[1] * kUnitToDeg;
  pLBR->R = dX[2] * kUnitToAu;
}

}  // namespace

void VsopEvaluate(const VsopBody& body, double tau, HeliocentricLBR* pLBR) {
  double dValue[kMaxVsopTerms];
  CosineTermValues(Arrays().body[IndexOf(body)], tau, dValue);
  SumBody(body, tau, dValue, pLBR);
}

void VsopEvaluateBase(int iBody, double tau, VsopBase* pBase) {
  const VsopArrays& a = Arrays();
  pBase->iBody = iBody;
  pBase->tau = tau;
  double dValue[kMaxVsopTerms];
  CosineTermValuesKept(a.body[iBody], tau, pBase->dSin, pBase->dCos, dValue);
  SumBody(kVsop87D[iBody], tau, dValue, &pBase->lbr);
}

void VsopEvaluateNear(const VsopBase& base, double tau, HeliocentricLBR* pLBR) {
  const VsopArrays& a = Arrays();
  double dValue[kMaxVsopTerms];
  // No argument moves further than the fastest term's, C·|tau - tau0|
  // (with a margin for the roundings of the two arguments).
  if (a.dMaxFrequency[base.iBody] * std::fabs(tau - base.tau) < 0.9 * kTrigNearMaxStep) {
    CosineTermValuesNear(a.body[base.iBody], base.tau, base.dSin, base.dCos, tau, dValue);
  } else {
    CosineTermValues(a.body[base.iBody], tau, dValue);
  }
  SumBody(kVsop87D[base.iBody], tau, dValue, pLBR);
}

int GetPlanetPositionLBR(int iBody, double tau, HeliocentricLBR* pLBR) {
  if (iBody < kMercury || iBody > kNeptune) {
    pLBR->L = 0.0;
    pLBR->B = 0.0;
    pLBR->R = 1.0;
    return ReportFatal("abnormal in GetPlanetPositionLBR");
  }
  VsopEvaluate(kVsop87D[iBody], tau, pLBR);
  return 1;
}

int GetEarthPositionLBR(double tau, HeliocentricLBR* pLBR) {
  return GetPlanetPositionLBR(kEarth, tau, pLBR);
}

int GetEarthPositionJ2000(double T, double* pdL, double* pdB, double* pdR) {
  HeliocentricLBR lbr;
  VsopEvaluate(kVsop87BEarth, T * 0.1, &lbr);
  *pdL = lbr.L;
  *pdB = lbr.B;
  *pdR = lbr.R;
  return 1;
}

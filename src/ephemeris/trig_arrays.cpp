// Sines and cosines of arrays of angles for the ephemeris series.
//
// Method (the classic one of the fdlibm kernels): x = q·π/2 + r with q the
// nearest integer to x·2/π and |r| <= π/4, then sin r and cos r from the
// fdlibm minimax polynomials (error below 2^-58 relative on that interval),
// then the quadrant q mod 4 picks and signs them.  π/2 is split into three
// parts, the first two of 30 significant bits, so that q·P1 and q·P2 are
// exact for |q| < 2^23 (|x| < 1.3e7): r then carries no error from the
// reduction beyond its own rounding.  The loops have no branches, so that
// the compiler runs them in vector registers.
//
// Built with -ffp-contract=off: an argument is never fused into a
// multiply-add behind the code's back.  The AVX forms use fused
// multiply-add explicitly in the polynomials, where it only adds accuracy.
#include "ephemeris/trig_arrays.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#if defined(__GNUC__) && defined(__x86_64__) && defined(__linux__)
#define HORO_TRIG_DISPATCH 1
#else
#define HORO_TRIG_DISPATCH 0
#endif

#if defined(__GNUC__)
#define HORO_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define HORO_ALWAYS_INLINE inline
#endif

namespace {

constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr double kPio2Part1 = 0x1.921fb54p+0;        // 1.570796325802803
constexpr double kPio2Part2 = 0x1.10b46118p-30;      // 9.920935791635221e-10
constexpr double kPio2Part3 = 0x1.313198a2e0370p-61; // 5.170182981794105e-19
// Adding 1.5·2^52 rounds a double below 2^51 to an integer and leaves that
// integer in the low bits of the sum.
constexpr double kRoundShift = 0x1.8p+52;

// fdlibm __kernel_sin and __kernel_cos.
constexpr double kS1 = -1.66666666666666324348e-01, kS2 = 8.33333333332248946124e-03,
                 kS3 = -1.98412698298579493134e-04, kS4 = 2.75573137070700676789e-06,
                 kS5 = -2.50507602534068634195e-08, kS6 = 1.58969099521155010221e-10;
constexpr double kC1 = 4.16666666666666019037e-02, kC2 = -1.38888888888741095749e-03,
                 kC3 = 2.48015872894767294178e-05, kC4 = -2.75573143513906633035e-07,
                 kC5 = 2.08757232129817482790e-09, kC6 = -1.13596475577881948265e-11;

template <bool kFma>
HORO_ALWAYS_INLINE double MulAdd(double a, double b, double c) {
#if defined(__GNUC__)
  if constexpr (kFma) return __builtin_fma(a, b, c);
#endif
  return a * b + c;
}

HORO_ALWAYS_INLINE uint64_t BitsOf(double d) {
  uint64_t u;
  memcpy(&u, &d, sizeof u);
  return u;
}

HORO_ALWAYS_INLINE double DoubleOf(uint64_t u) {
  double d;
  memcpy(&d, &u, sizeof d);
  return d;
}

// x = q·π/2 + r; q comes back in the low bits of *pq.
template <bool kFma>
HORO_ALWAYS_INLINE double Reduce(double x, uint64_t* pq) {
  const double dShifted = x * kTwoOverPi + kRoundShift;
  *pq = BitsOf(dShifted);
  const double q = dShifted - kRoundShift;
  return MulAdd<kFma>(-q, kPio2Part3, MulAdd<kFma>(-q, kPio2Part2, MulAdd<kFma>(-q, kPio2Part1, x)));
}

template <bool kFma>
HORO_ALWAYS_INLINE double SinOfReduced(double r) {
  const double z = r * r;
  const double p = MulAdd<kFma>(
      z, MulAdd<kFma>(z, MulAdd<kFma>(z, MulAdd<kFma>(z, MulAdd<kFma>(z, kS6, kS5), kS4), kS3), kS2), kS1);
  return MulAdd<kFma>(z * r, p, r);
}

template <bool kFma>
HORO_ALWAYS_INLINE double CosOfReduced(double r) {
  const double z = r * r;
  const double p = MulAdd<kFma>(
      z, MulAdd<kFma>(z, MulAdd<kFma>(z, MulAdd<kFma>(z, MulAdd<kFma>(z, kC6, kC5), kC4), kC3), kC2), kC1);
  // 1 - z/2 rounded, with its rounding error carried into the small part.
  const double hz = 0.5 * z;
  const double w = 1.0 - hz;
  return w + (((1.0 - w) - hz) + z * z * p);
}

// b where bit 0 of q is set, else a (bitwise, so that it vectorises).
HORO_ALWAYS_INLINE double PickByQuadrant(double a, double b, uint64_t q) {
  const uint64_t mask = 0 - (q & 1);
  return DoubleOf((BitsOf(b) & mask) | (BitsOf(a) & ~mask));
}

// v negated where bit 1 of q is set.
HORO_ALWAYS_INLINE double NegateByQuadrant(double v, uint64_t q) { return DoubleOf(BitsOf(v) ^ ((q & 2) << 62)); }

// sin x over the quadrants q = 0..3: sin r, cos r, -sin r, -cos r.
HORO_ALWAYS_INLINE double SinOfQuadrant(double s, double c, uint64_t q) {
  return NegateByQuadrant(PickByQuadrant(s, c, q), q);
}

// cos x over the quadrants: cos r, -sin r, -cos r, sin r.
HORO_ALWAYS_INLINE double CosOfQuadrant(double s, double c, uint64_t q) {
  return NegateByQuadrant(PickByQuadrant(c, s, q), q + 1);
}

// Nonzero when q (in the low bits of the shifted sum) is 2^23 or more in
// magnitude, or x was not a finite number: beyond the exact reduction.
HORO_ALWAYS_INLINE uint64_t IsBeyondReduction(uint64_t qBits) {
  return (qBits - BitsOf(kRoundShift) + (uint64_t{1} << 23)) >> 24;
}

HORO_ALWAYS_INLINE bool IsBeyondKernel(double x) {
  return IsBeyondReduction(BitsOf(x * kTwoOverPi + kRoundShift)) != 0;
}

// |x| by clearing the sign bit (MinGW's fabs is inline x87 code, which
// keeps a loop out of vector registers).
HORO_ALWAYS_INLINE double Magnitude(double x) { return DoubleOf(BitsOf(x) & ~(uint64_t{1} << 63)); }

// The loops return nonzero when an angle lies beyond the kernel's range;
// the caller then gives those angles to the library.
template <bool kFma>
HORO_ALWAYS_INLINE int SinCosLoop(const double* __restrict x, double* __restrict s, double* __restrict c, int n) {
  uint64_t uBeyond = 0;
  for (int i = 0; i < n; ++i) {
    uint64_t q;
    const double r = Reduce<kFma>(x[i], &q);
    const double sr = SinOfReduced<kFma>(r), cr = CosOfReduced<kFma>(r);
    s[i] = SinOfQuadrant(sr, cr, q);
    c[i] = CosOfQuadrant(sr, cr, q);
    uBeyond |= IsBeyondReduction(q);
  }
  return uBeyond != 0;
}

template <bool kFma>
HORO_ALWAYS_INLINE int SinLoop(const double* __restrict x, double* __restrict s, int n) {
  uint64_t uBeyond = 0;
  for (int i = 0; i < n; ++i) {
    uint64_t q;
    const double r = Reduce<kFma>(x[i], &q);
    s[i] = SinOfQuadrant(SinOfReduced<kFma>(r), CosOfReduced<kFma>(r), q);
    uBeyond |= IsBeyondReduction(q);
  }
  return uBeyond != 0;
}

template <bool kFma>
HORO_ALWAYS_INLINE int TermsLoop(const double* __restrict a, const double* __restrict b, const double* __restrict c,
                                 double tau, double* __restrict v, int n) {
  uint64_t uBeyond = 0;
  for (int i = 0; i < n; ++i) {
    uint64_t q;
    const double r = Reduce<kFma>(b[i] + c[i] * tau, &q);
    v[i] = a[i] * CosOfQuadrant(SinOfReduced<kFma>(r), CosOfReduced<kFma>(r), q);
    uBeyond |= IsBeyondReduction(q);
  }
  return uBeyond != 0;
}

template <bool kFma>
HORO_ALWAYS_INLINE int TermsKeptLoop(const double* __restrict a, const double* __restrict b,
                                     const double* __restrict c, double tau, double* __restrict s,
                                     double* __restrict co, double* __restrict v, int n) {
  uint64_t uBeyond = 0;
  for (int i = 0; i < n; ++i) {
    uint64_t q;
    const double r = Reduce<kFma>(b[i] + c[i] * tau, &q);
    const double sr = SinOfReduced<kFma>(r), cr = CosOfReduced<kFma>(r);
    s[i] = SinOfQuadrant(sr, cr, q);
    co[i] = CosOfQuadrant(sr, cr, q);
    v[i] = a[i] * co[i];
    uBeyond |= IsBeyondReduction(q);
  }
  return uBeyond != 0;
}

// cos(x0 + d) = cos x0 cos d - sin x0 sin d.  d = x - x0 is exact where
// |x0| > 2|d| (the two are within a factor of 2) and otherwise off by less
// than 4e-18; for |d| < 0.01 the series below stop short of the first
// term they leave out, d^7/5040 < 2e-18 and d^8/40320 < 3e-21.  Returns
// nonzero when some |d| is not below the limit.
template <bool kFma>
HORO_ALWAYS_INLINE int TermsNearLoop(const double* __restrict a, const double* __restrict b,
                                     const double* __restrict c, double tau0, const double* __restrict s0,
                                     const double* __restrict c0, double tau, double* __restrict v, int n) {
  uint64_t uFar = 0;
  for (int i = 0; i < n; ++i) {
    const double d = (b[i] + c[i] * tau) - (b[i] + c[i] * tau0);
    const double z = d * d;
    const double sd = MulAdd<kFma>(d * z, MulAdd<kFma>(z, 1.0 / 120.0, -1.0 / 6.0), d);
    const double cd = MulAdd<kFma>(z, MulAdd<kFma>(z, MulAdd<kFma>(z, -1.0 / 720.0, 1.0 / 24.0), -0.5), 1.0);
    v[i] = a[i] * MulAdd<kFma>(c0[i], cd, -(s0[i] * sd));
    // Sign bit clear: |d| >= the limit.  (A d that is not a number makes
    // the value not a number either way.)
    uFar |= ~BitsOf(Magnitude(d) - kTrigNearMaxStep) >> 63;
  }
  return uFar != 0;
}

// One form of the loops.
struct TrigLoops {
  int (*pSinCos)(const double*, double*, double*, int);
  int (*pSin)(const double*, double*, int);
  int (*pTerms)(const double*, const double*, const double*, double, double*, int);
  int (*pTermsKept)(const double*, const double*, const double*, double, double*, double*, double*, int);
  int (*pTermsNear)(const double*, const double*, const double*, double, const double*, const double*, double,
                    double*, int);
};

#define HORO_TRIG_FORM(kName, kTarget, kFma)                                                                \
  kTarget int SinCos##kName(const double* x, double* s, double* c, int n) {                                 \
    return SinCosLoop<kFma>(x, s, c, n);                                                                    \
  }                                                                                                         \
  kTarget int Sin##kName(const double* x, double* s, int n) { return SinLoop<kFma>(x, s, n); }              \
  kTarget int Terms##kName(const double* a, const double* b, const double* c, double tau, double* v, int n) { \
    return TermsLoop<kFma>(a, b, c, tau, v, n);                                                             \
  }                                                                                                         \
  kTarget int TermsKept##kName(const double* a, const double* b, const double* c, double tau, double* s,      \
                               double* co, double* v, int n) {                                              \
    return TermsKeptLoop<kFma>(a, b, c, tau, s, co, v, n);                                                  \
  }                                                                                                         \
  kTarget int TermsNear##kName(const double* a, const double* b, const double* c, double tau0,               \
                               const double* s0, const double* c0, double tau, double* v, int n) {          \
    return TermsNearLoop<kFma>(a, b, c, tau0, s0, c0, tau, v, n);                                           \
  }                                                                                                         \
  constexpr TrigLoops kLoops##kName = {SinCos##kName, Sin##kName, Terms##kName, TermsKept##kName,            \
                                       TermsNear##kName};

HORO_TRIG_FORM(Sse2, , false)
#if HORO_TRIG_DISPATCH
HORO_TRIG_FORM(Avx2, __attribute__((target("avx2,fma"))), true)
HORO_TRIG_FORM(Avx512, __attribute__((target("avx512f,fma"))), true)
#endif

// The loops of a variant, or null when this build or processor lacks it.
const TrigLoops* LoopsOf(TrigVariant variant) {
  switch (variant) {
    case kTrigSse2:
      return &kLoopsSse2;
#if HORO_TRIG_DISPATCH
    case kTrigAvx2:
      return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") ? &kLoopsAvx2 : nullptr;
    case kTrigAvx512:
      return __builtin_cpu_supports("avx512f") ? &kLoopsAvx512 : nullptr;
#endif
    case kTrigAuto:
      for (TrigVariant v : {kTrigAvx512, kTrigAvx2, kTrigSse2}) {
        if (const TrigLoops* p = LoopsOf(v)) return p;
      }
      return &kLoopsSse2;
    default:
      return nullptr;
  }
}

std::atomic<const TrigLoops*>& Selected() {
  static std::atomic<const TrigLoops*> selected{LoopsOf(kTrigAuto)};
  return selected;
}

const TrigLoops& Loops() { return *Selected().load(std::memory_order_relaxed); }

}  // namespace

void SinCosArray(const double* pdX, double* pdSin, double* pdCos, int n) {
  if (!Loops().pSinCos(pdX, pdSin, pdCos, n)) return;
  for (int i = 0; i < n; ++i) {
    if (IsBeyondKernel(pdX[i])) {
      pdSin[i] = std::sin(pdX[i]);
      pdCos[i] = std::cos(pdX[i]);
    }
  }
}

void SinArray(const double* pdX, double* pdSin, int n) {
  if (!Loops().pSin(pdX, pdSin, n)) return;
  for (int i = 0; i < n; ++i) {
    if (IsBeyondKernel(pdX[i])) pdSin[i] = std::sin(pdX[i]);
  }
}

void CosineTermValues(const CosineTerms& t, double tau, double* pdValue) {
  if (!Loops().pTerms(t.pdA, t.pdB, t.pdC, tau, pdValue, t.n)) return;
  for (int i = 0; i < t.n; ++i) {
    const double x = t.pdB[i] + t.pdC[i] * tau;
    if (IsBeyondKernel(x)) pdValue[i] = t.pdA[i] * std::cos(x);
  }
}

void CosineTermValuesKept(const CosineTerms& t, double tau, double* pdSin, double* pdCos, double* pdValue) {
  if (!Loops().pTermsKept(t.pdA, t.pdB, t.pdC, tau, pdSin, pdCos, pdValue, t.n)) return;
  for (int i = 0; i < t.n; ++i) {
    const double x = t.pdB[i] + t.pdC[i] * tau;
    if (!IsBeyondKernel(x)) continue;
    pdSin[i] = std::sin(x);
    pdCos[i] = std::cos(x);
    pdValue[i] = t.pdA[i] * pdCos[i];
  }
}

void CosineTermValuesNear(const CosineTerms& t, double tau0, const double* pdSin0, const double* pdCos0,
                          double tau, double* pdValue) {
  if (Loops().pTermsNear(t.pdA, t.pdB, t.pdC, tau0, pdSin0, pdCos0, tau, pdValue, t.n)) {
    CosineTermValues(t, tau, pdValue);
  }
}

bool SelectTrigVariant(TrigVariant variant) {
  const TrigLoops* p = LoopsOf(variant);
  if (!p) return false;
  Selected().store(p, std::memory_order_relaxed);
  return true;
}

// Sines and cosines of whole arrays of angles: the trigonometric work of the
// ephemeris series, where every term of a series needs the sine or cosine
// of its own argument.  Internal to src/ephemeris.
//
// Each result is within about 2e-16 (absolute) of the exact sine or cosine
// of the given double: the same value as the library's std::sin and
// std::cos to their last bit or two.  The callers compute the arguments
// exactly as the term-by-term definition writes them, so a series summed
// from these values is the definition's series.
//
// The loops run in vector registers: SSE2 everywhere, and on Linux x86-64
// the AVX2 or AVX-512 form (with fused multiply-add in the polynomials) the
// processor offers, chosen once at run time.
#pragma once

// Angles up to 1.3e7 radians in magnitude are reduced by the kernel itself;
// larger ones (no date of the program's range gives them) and values that
// are not finite go to the library functions.

// Largest |x - x0| (radians) CosineTermValuesNear takes by angle addition.
constexpr double kTrigNearMaxStep = 0.01;

// pdSin[i] = sin(pdX[i]) and pdCos[i] = cos(pdX[i]) for i < n.
void SinCosArray(const double* pdX, double* pdSin, double* pdCos, int n);
// pdSin[i] = sin(pdX[i]); the same values as SinCosArray gives.
void SinArray(const double* pdX, double* pdSin, int n);
// A series of terms A cos(B + C tau) held as arrays (the form of the
// planetary series): amplitude, phase (radians) and frequency (radians per
// unit of tau) of term i.
struct CosineTerms {
  const double* pdA;
  const double* pdB;
  const double* pdC;
  int n;
};

// pdValue[i] = A cos(B + C tau) of every term, the argument B + C tau
// computed as written.
void CosineTermValues(const CosineTerms& terms, double tau, double* pdValue);

// The same, keeping each term's sine and cosine for CosineTermValuesNear.
void CosineTermValuesKept(const CosineTerms& terms, double tau, double* pdSin, double* pdCos, double* pdValue);

// The same values at a tau near tau0, whose sines and cosines were kept
// (pdSin0, pdCos0): cos x = cos x0 cos d - sin x0 sin d with both arguments
// x = B + C tau and x0 = B + C tau0 computed as written, d = x - x0, and
// short series for sin d and cos d.  Where some |d| is not below
// kTrigNearMaxStep the values are computed as CosineTermValues does.
void CosineTermValuesNear(const CosineTerms& terms, double tau0, const double* pdSin0, const double* pdCos0,
                          double tau, double* pdValue);

// The forms of the loops, for the tests: each one must give the same
// series.  kTrigAuto is the choice made for this processor.
enum TrigVariant : int { kTrigAuto = 0, kTrigSse2 = 1, kTrigAvx2 = 2, kTrigAvx512 = 3 };
// Selects a form for the whole program; returns false (and keeps the
// current one) when this build or processor does not have it.
bool SelectTrigVariant(TrigVariant variant);

// Coefficient tables of the ephemeris theories, as the evaluating routines
// read them.  The tables are static constant data written by
// tools/gen_ephemeris_tables.py from the published coefficient files; they
// are internal to src/ephemeris.
#pragma once

#include <cstdint>

// --- IAU 1980 nutation (nutation_table.cpp) ----------------------------------
// One term: argument A = a*Omega + b*L + c*perigee(Sun) + d*perigee(Moon) + e*L'
// (multipliers in iArg, that order); it adds (lS + lS1*T) sin A to the
// nutation in longitude and (lC + lC1*T) cos A to the nutation in obliquity,
// in units of 0.00001 arcsec (ten times the published 0.0001").
struct NutationTerm {
  int8_t iArg[5];
  int32_t lS, lS1, lC, lC1;
};
constexpr int kNumNutationTerms = 106;
// The terms with an obliquity part are the first kNumNutationEpsTerms.
constexpr int kNumNutationEpsTerms = 64;
extern const NutationTerm kNutationTerms[kNumNutationTerms];

// --- VSOP87 (vsop87_tables.cpp) --------------------
// One term A cos(B + C tau): A in 1e-8 rad (L, B) or 1e-8 AU (R), B in rad,
// C in rad per Julian millennium.  A published phase of pi with frequency 0
// is held as the negative constant.
struct VsopTerm {
  double dA, dB, dC;
};
struct VsopSeries {
  const VsopTerm* pTerms;
  int iCount;  // 0: series absent
};
// The series of one body, [coordinate L, B, R][power of tau 0..5].
struct VsopBody {
  VsopSeries series[3][6];
};
// Version D (mean ecliptic and equinox of date), by body code 1..8 (entry 0
// is empty).  2430 terms.
extern const VsopBody kVsop87D[9];
constexpr int kNumVsop87DTerms = 2430;
// Version B for the Earth (ecliptic and equinox J2000.0).  207 terms.
extern const VsopBody kVsop87BEarth;
constexpr int kNumVsop87BEarthTerms = 207;

// --- Pluto (pluto_table.cpp) --------------------------------------------------
// One term of argument j*J + s*S + p*P (mean longitudes of Jupiter, Saturn,
// Pluto): sine and cosine coefficients of longitude and latitude in 1e-6
// degree, of the radius vector in 1e-7 AU.
struct PlutoTerm {
  int8_t iJ, iS, iP;
  int32_t lLSin, lLCos, lBSin, lBCos, lRSin, lRCos;
};
constexpr int kNumPlutoTerms = 43;
extern const PlutoTerm kPlutoTerms[kNumPlutoTerms];

// --- Abridged ELP 2000-85 (moon_tables.cpp) ----------------------------------
// Main problem: A sin(phi0 + phi1 T + phi2 T^2 + phi3 T^3 + phi4 T^4), the
// argument a fixed combination of the Delaunay arguments; phases in degrees
// per century^k.  Longitude amplitudes in degrees, latitude in 1e-8 degree.
struct MoonMainTerm {
  double dA;
  double dPhi[5];
};
// Perturbations: A sin(phi0 + phi1 T); amplitudes in 1e-8 degree (series of
// T^0 and T^1) or 1e-9 degree (T^2).
struct MoonPertTerm {
  double dA, dPhi0, dPhi1;
};
constexpr int kNumMoonMainLon = 218;
constexpr int kNumMoonMainLat = 188;
constexpr int kNumMoonLonT0 = 244;
constexpr int kNumMoonLonT1 = 154;
constexpr int kNumMoonLonT2 = 25;
constexpr int kNumMoonLatT0 = 64;
constexpr int kNumMoonLatT1 = 64;
constexpr int kNumMoonLatT2 = 12;
extern const MoonMainTerm kMoonMainLon[kNumMoonMainLon];
extern const MoonMainTerm kMoonMainLat[kNumMoonMainLat];
extern const MoonPertTerm kMoonLonT0[kNumMoonLonT0];
extern const MoonPertTerm kMoonLonT1[kNumMoonLonT1];
extern const MoonPertTerm kMoonLonT2[kNumMoonLonT2];
extern const MoonPertTerm kMoonLatT0[kNumMoonLatT0];
extern const MoonPertTerm kMoonLatT1[kNumMoonLatT1];
extern const MoonPertTerm kMoonLatT2[kNumMoonLatT2];

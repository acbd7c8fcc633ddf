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

// The ephemeris of the Windows build against its definition evaluated term
// by term, on the 1200 moments from -4000 to 8000 of the native test
// (test_ephemeris_definition.cpp): GetPositionData, GetMoonData,
// GetNutation and the planetary series must stay within a nanodegree of
// the definition, with the same motion codes.  The Windows build runs the
// SSE2 form of the series kernel only.
//
// Usage (as run.sh calls every test): test_ephemeris HOROMAP_EXE WORK_DIR SHOT_DIR
// The arguments are not used.
#include "../ephemeris_reference.h"
#include "ephemeris/trig_arrays.h"
#include "wine_common.h"

int main() {
  constexpr double kNanodegree = 1e-9;
  ExpectTrue("the SSE2 form of the kernel is there", SelectTrigVariant(kTrigSse2));
  ExpectTrue("no AVX2 form in the Windows build", !SelectTrigVariant(kTrigAvx2));
  ExpectTrue("no AVX-512 form in the Windows build", !SelectTrigVariant(kTrigAvx512));

  const definition::Comparison c = definition::CompareWithDefinition(1200);
  definition::PrintComparison(c);
  ExpectEqual("moments compared", c.iMoments, 1200);
  ExpectTrue("GetPositionData within a nanodegree", c.positions.dValue < kNanodegree);
  ExpectTrue("GetMoonData within a nanodegree", c.moon.dValue < kNanodegree);
  ExpectTrue("the Moon's rates within a nanodegree per century", c.moonRates.dValue < kNanodegree);
  ExpectTrue("GetNutation within a nanodegree", c.nutation.dValue < kNanodegree);
  ExpectTrue("GetPlanetPositionLBR within a nanodegree", c.series.dValue < kNanodegree);
  ExpectEqual("motion codes differing", c.iMotionCodesDiffering, 0);
  return Finish("test_ephemeris");
}

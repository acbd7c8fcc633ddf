// Motion code of a body (direct, retrograde, stationary) and its labels.
#include <cmath>

#include "ephemeris/ephemeris.h"
#include "platform/reports.h"

const char* const kMotionLabels[4] = {"          ", "逆行      ", "留／順行？", "留／逆行？"};
const char* const kMotionShortLabels[4] = {"  ", "R ", "SD", "SR"};
const char* const kMotionListLabels[4] = {"", "逆行", "留/順行?", "留/逆行?"};

int GetMotionCode(double dDiff) {
  // A change of more than a full turn over a step of a day or less means
  // that a longitude upstream failed.
  if (std::fabs(dDiff) > 360.0) return ReportPlaceKind("GetMotionCode", "abnormal arg", kMotionDirect);
  // Unwrap a step across 0/360 degrees.
  if (dDiff > 300.0) {
    dDiff -= 360.0;
  } else if (dDiff < -300.0) {
    dDiff += 360.0;
  }
  // The stationary band of +-0.0003 degree is about 6 % of the mean motion
  // over the body's step.
  constexpr double kStationary = 0.0003;
  if (dDiff > kStationary) return kMotionDirect;
  if (dDiff < -kStationary) return kMotionRetrograde;
  if (dDiff > 0.0) return kMotionStationaryDirect;
  return kMotionStationaryRetrograde;
}

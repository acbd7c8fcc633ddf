// The secant search for the moment at which a longitude-like quantity
// reaches a target value, and the angle helpers it needs.
#include <cmath>

#include "base/angles.h"
#include "events/events.h"
#include "platform/reports.h"

namespace {

// Convergence: 2e-8 degrees is 1.7 ms of the Sun's motion and 0.13 ms of
// the Moon's.
constexpr double kContactToleranceDeg = 2e-8;
constexpr int kMaxCorrections = 20;

// Any angle into [-180, 180), without a report.
double Wrap180(double x) { return x - 360.0 * std::floor((x + 180.0) / 360.0); }

}  // namespace

double within180(double dDegrees) {
  if (std::fabs(dDegrees) > 360.0) {
    // The error line box shows its second argument first.
    ReportErrorLines(nullptr, "DegToGo?", "within180");
    return Normalize360(dDegrees);
  }
  if (dDegrees > 180.0) return dDegrees - 360.0;
  if (dDegrees < -180.0) return dDegrees + 360.0;
  return dDegrees;
}

double FindContactJde(double dStartJde, double dTarget, ContactQuantity Quantity,
                      double dMeanRate, const char* szErrorText) {
  const double dGoal = Normalize360(dTarget);
  double dPrev = Quantity(dStartJde);
  // The first step covers the forward distance at the mean rate, so the
  // contact found is the next one (the start itself when already there).
  double dStep = Normalize360(dGoal - dPrev) / dMeanRate;
  double t = dStartJde + dStep;
  for (int iCorrections = 0;; ++iCorrections) {
    const double dValue = Quantity(t);
    const double dErr = within180(dGoal - dValue);
    if (std::fabs(dErr) < kContactToleranceDeg) return t;
    if (iCorrections == kMaxCorrections || dStep == 0.0) break;
    // The quantity moved about dStep * dMeanRate degrees; unwrapping the
    // change around that keeps a first step of more than half a turn from
    // reading as a backward motion.  For short steps this is within180.
    const double dExpected = dStep * dMeanRate;
    const double dMoved = dExpected + Wrap180(dValue - dPrev - dExpected);
    const double dRate = dMoved / dStep;
    if (dRate == 0.0) break;
    dStep = dErr / dRate;
    dPrev = dValue;
    t += dStep;
  }
  return ReportFatal(szErrorText);
}

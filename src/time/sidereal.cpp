// Obliquity of the ecliptic and Greenwich mean sidereal time.
#include <cmath>

#include "base/julian.h"
#include "time/sidereal.h"

namespace {

// Laskar's coefficients of U^1 .. U^10, arc seconds.
const double kObliquityTerms[10] = {-4680.93, -1.55,  1999.25, -51.38, -249.67,
                                    -39.05,   7.12,   27.87,   5.79,   2.45};

}  // namespace

double MeanObliquity(double T) {
  const double U = T / 100.0;
  double dSum = 0.0;
  for (int i = 9; i >= 0; --i) dSum = (dSum + kObliquityTerms[i]) * U;
  return 23.4392911 + dSum / 3600.0;
}

double GreenwichMeanSiderealSeconds(const DateTime& civil, float fZone, long double ldJd) {
  const double Tu = static_cast<double>((ldJd - kJ2000) / kDaysPerJulianCentury);
  const double s = (civil.hour - static_cast<double>(fZone)) * 3600.0 + civil.minute * 60.0 + civil.second;
  return 43200.0 + s + 67310.54841 + Tu * (8640184.812866 + Tu * (0.093104 - 6.2e-6 * Tu));
}

// Tokyo datum (Bessel 1841 ellipsoid) to the IAU 1976 ellipsoid.
#include <cmath>

#include "base/angles.h"
#include "time/sidereal.h"

namespace {

// Bessel ellipsoid of the Tokyo datum, km.
constexpr double kBesselA = 6377.397155;
constexpr double kBesselE2 = 0.006674372230614;
// IAU 1976 ellipsoid, km; flattening 1 / 298.257.
constexpr double kIauA = 6378.14;
constexpr double kIauF = 0.0033528131778969143;
constexpr double kIauE2 = 2.0 * kIauF - kIauF * kIauF;
// Shift of the Tokyo datum's centre, added to its geocentric X, Y, Z (km).
constexpr double kShiftX = -0.14623;
constexpr double kShiftY = 0.50757;
constexpr double kShiftZ = 0.68186;
// Passes of the latitude iteration; nine reach far below 0.001".
constexpr int kLatitudePasses = 9;

}  // namespace

int JapanGeoToIAU76(double* pdLat, double* pdLong) {
  const double phi = *pdLat * kDegToRad;
  const double lambda = *pdLong * kDegToRad;
  const double sinPhi = std::sin(phi);
  const double N = kBesselA / std::sqrt(1.0 - kBesselE2 * sinPhi * sinPhi);
  const double X = N * std::cos(phi) * std::cos(lambda) + kShiftX;
  const double Y = N * std::cos(phi) * std::sin(lambda) + kShiftY;
  const double Z = N * (1.0 - kBesselE2) * sinPhi + kShiftZ;
  if (X == 0.0) return kDatumZeroX;
  *pdLong = std::atan2(Y, X) / kDegToRad;

  const double p = std::sqrt(X * X + Y * Y);
  if (p == 0.0) return kDatumOnAxis;
  double t = Z / p;  // tangent of the geodetic latitude
  for (int i = 0; i < kLatitudePasses; ++i) {
    const double D = std::sqrt(1.0 + (1.0 - kIauE2) * t * t);
    if (D == 0.0) return kDatumZeroRoot;
    t = kIauA * kIauE2 * t / (p * D) + Z / p;
  }
  double dLat = std::atan(t) / kDegToRad;
  if (dLat < -90.0) dLat += 180.0;
  if (dLat > 90.0) dLat -= 180.0;
  *pdLat = dLat;
  return kDatumOk;
}

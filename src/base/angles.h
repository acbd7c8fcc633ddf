// Angle units and the reduction of longitudes.
#pragma once

#include <cmath>

// Degrees to radians and radians to degrees: the doubles nearest pi / 180
// and 180 / pi.
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;

// Normalize360: x - INT(x / 360) x 360 (INT rounding down), and 0 when
// rounding leaves 360 or more.  The reduction of every longitude of the
// system into [0, 360); inline because the searches call it in their
// inner loops.
inline double Normalize360(double x) {
  const double r = x - std::floor(x / 360.0) * 360.0;
  return r >= 360.0 ? 0.0 : r;
}

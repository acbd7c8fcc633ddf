// The standard epoch and the Julian century and millennium.
#pragma once

// J2000.0: JDE 2451545.0 (2000 January 1, 12:00 TT).  T = (JDE - kJ2000) /
// kDaysPerJulianCentury are Julian centuries, tau = (JDE - kJ2000) /
// kDaysPerJulianMillennium Julian millennia.  Whole numbers, held exactly
// in a double: a long double Julian Day minus kJ2000 is computed in long
// double without any rounding of the constant.
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerJulianCentury = 36525.0;
constexpr double kDaysPerJulianMillennium = 365250.0;

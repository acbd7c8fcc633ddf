// Longitude reduction and the texts of day seconds, latitudes and
// longitudes.
#include <cmath>
#include <cstdio>

#include "time/sidereal.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kHalfDay = 43200.0;

// A non-negative quantity in units of 3600 (hours or degrees), split for a
// text with tenths of a second.  It is rounded to the tenth first, so that
// 35°40′ never reads 39′60.0″ and the minute and the unit carry.
struct Sexagesimal {
  long long whole;  // hours or degrees
  int minutes;
  double seconds;  // a whole number of tenths
};
Sexagesimal SplitTenths(double x) {
  if (!(x < 1e12)) x = 0.0;  // not a number, or beyond any angle or time
  const long long tenths = std::llround(x * 36000.0);
  return Sexagesimal{tenths / 36000, static_cast<int>(tenths / 600 % 60), (tenths % 600) / 10.0};
}

}  // namespace

double FormatDaySeconds(double x, char* szText, size_t nText, int bSigned) {
  x -= std::floor(x / kSecondsPerDay) * kSecondsPerDay;
  if (x >= kSecondsPerDay) x = 0.0;  // rounding of a tiny negative value
  bool bNegative = false;
  if (bSigned && x > kHalfDay) {
    bNegative = true;
    x = kSecondsPerDay - x;
  }
  Sexagesimal t = SplitTenths(x / 3600.0);
  if (!bSigned && t.whole == 24) t.whole = 0;  // 86399.96 s is the next midnight
  const int h = static_cast<int>(t.whole), m = t.minutes;
  const double s = t.seconds;
  if (bSigned) {
    // The sign is written by hand so that a difference of less than one
    // hour west of Greenwich still reads negative ("-0時間").
    char szHours[16];
    snprintf(szHours, sizeof szHours, "%c%d", bNegative ? '-' : '+', h);
    snprintf(szText, nText, "%5s時間%2d分%04.1f秒", szHours, m, s);
  } else {
    snprintf(szText, nText, "%2d時%2d分%04.1f秒", h, m, s);
  }
  return x;
}

int FormatLatLong(double v, char* szText, size_t nText, int bLongitude) {
  if (!bLongitude && !(std::fabs(v) <= 90.0)) {
    snprintf(szText, nText, "Abnormal Lati %f", v);
    return 0;
  }
  if (bLongitude && std::fabs(v) > 180.0) {
    v -= std::floor(v / 360.0) * 360.0;
    if (v > 180.0) v -= 360.0;
  }
  const Sexagesimal a = SplitTenths(std::fabs(v));
  const int d = static_cast<int>(a.whole), m = a.minutes;
  const double s = a.seconds;
  if (bLongitude) {
    snprintf(szText, nText, "%s経  %3d°%2d′%4.1f″ = %+12.6f°", v >= 0.0 ? "東" : "西", d, m, s, v);
  } else {
    snprintf(szText, nText, "%s緯  %3d°%2d′%4.1f″ = %+12.6f°", v >= 0.0 ? "北" : "南", d, m, s, v);
  }
  return 1;
}

// Longitude reduction and the texts of day seconds, latitudes and
// longitudes.
#include <cmath>
#include <cstdio>

#include "time/sidereal.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kHalfDay = 43200.0;

// Seconds printed with one decimal never read 60.0: a value that would
// round up to it is shown as 59.9, so the minute and the degree above it
// stay true.
double TenthsForDisplay(double dSeconds) { return dSeconds >= 59.95 ? 59.9 : dSeconds; }

}  // namespace

double Normalize360(double x) {
  const double r = x - std::floor(x / 360.0) * 360.0;
  return r >= 360.0 ? 0.0 : r;
}

double FormatDaySeconds(double x, char* szText, size_t nText, int bSigned) {
  x -= std::floor(x / kSecondsPerDay) * kSecondsPerDay;
  if (x >= kSecondsPerDay) x = 0.0;  // rounding of a tiny negative value
  bool bNegative = false;
  if (bSigned && x > kHalfDay) {
    bNegative = true;
    x = kSecondsPerDay - x;
  }
  const int h = static_cast<int>(std::floor(x / 3600.0));
  const int m = static_cast<int>(std::floor((x - 3600.0 * h) / 60.0));
  const double s = TenthsForDisplay(x - 3600.0 * h - 60.0 * m);
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
  const double a = std::fabs(v);
  const int d = static_cast<int>(a);
  const int m = static_cast<int>((a - d) * 60.0);
  const double s = TenthsForDisplay(((a - d) * 60.0 - m) * 60.0);
  if (bLongitude) {
    snprintf(szText, nText, "%s経  %3d°%2d′%4.1f″ = %+12.6f°", v >= 0.0 ? "東" : "西", d, m, s, v);
  } else {
    snprintf(szText, nText, "%s緯  %3d°%2d′%4.1f″ = %+12.6f°", v >= 0.0 ? "北" : "南", d, m, s, v);
  }
  return 1;
}

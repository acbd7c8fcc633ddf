// Sidereal time, the Japanese geodetic datum, and the text forms of day
// seconds, latitudes and longitudes.
//
// Times: JD(UT) for sidereal time, JDE (TD) for the obliquity and the
// nutation.  Angles in degrees; latitudes north positive, longitudes east
// positive.
#pragma once

#include <cmath>
#include <cstddef>

#include "time/calendar.h"

// Size of a buffer that always holds one text of FormatDaySeconds or
// FormatLatLong.
constexpr size_t kAngleTextSize = 64;

// MeanObliquity: mean obliquity of the ecliptic, degrees.
//   T  Julian centuries of TD from J2000.0
// Source: J. Laskar (1986), the U = T / 100 polynomial of 10th degree,
// valid to about 0.01" over 1000 years and a few arc seconds over 10000.
double MeanObliquity(double T);

// GreenwichMeanSiderealSeconds: Greenwich mean sidereal time in seconds
// of time, not yet reduced to one day.
//   civil   the civil time of the moment (its clock reading gives the UT
//           seconds of the day together with the zone)
//   fZone   zone of civil in hours (9 for JST)
//   ldJd    JD(UT) of the same moment (gives Tu, centuries from J2000.0)
// Source: IAU 1982 expression of GMST (Aoki et al. 1982).
double GreenwichMeanSiderealSeconds(const DateTime& civil, float fZone, long double ldJd);

// FormatDaySeconds: reduces x seconds to one day [0, 86400) and writes it
// as "%2d時%2d分%04.1f秒", or when bSigned as a signed time difference
// "%+5d時間%2d分%04.1f秒" (a value above 12 h counts as negative).
// Returns the reduced value: for bSigned, the size of a negative
// difference.  The text is rounded to the tenth of a second before it is
// split, so it never shows 60.0 seconds.
double FormatDaySeconds(double x, char* szText, size_t nText, int bSigned);

// FormatLatLong: a latitude (bLongitude = 0) or longitude as
// "北緯  %3d°%2d′%4.1f″ = %+12.6f°" / "東経 ..." ("南", "西" for negative
// values).  Longitudes beyond ±180 are brought into (-180, 180].
// Returns 1, or 0 for a latitude beyond ±90 (or not a number), whose text is
// then "Abnormal Lati %f".
int FormatLatLong(double v, char* szText, size_t nText, int bLongitude);

// JapanGeoToIAU76: converts a place given on the Tokyo datum (Bessel
// ellipsoid, height 0) to the IAU 1976 ellipsoid, in place.
//   pdLat, pdLong  degrees in, degrees out
// The Bessel point is moved by the datum shift (-0.14623, +0.50757,
// +0.68186) km and projected onto the IAU 1976 ellipsoid (a = 6378.14 km,
// f = 1/298.257) with nine passes of the latitude iteration.
// Returns kDatumOk, or one of the failure codes below (the longitude may
// already be written).
enum DatumResult : int {
  kDatumOk = 1,
  kDatumZeroX = -2,     // the shifted X is 0
  kDatumOnAxis = -3,    // X = Y = 0
  kDatumZeroRoot = -4,  // a root of the latitude iteration is 0
};
int JapanGeoToIAU76(double* pdLat, double* pdLong);

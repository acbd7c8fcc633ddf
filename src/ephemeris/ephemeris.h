// The ephemeris: apparent geocentric places of the Sun, Moon, planets and
// Pluto as pure functions of time.  Times are JDE (Terrestrial Time) unless
// noted; T = (JDE - 2451545.0) / 36525 Julian centuries, tau = T / 10
// Julian millennia; angles in degrees.
//
// This header is the interface the chart driver, the event searches and
// the listings use.
#pragma once

#include "chart/chart_record.h"

// GetNutation: nutation in longitude, IAU 1980 theory (106 terms).
//   T           Julian centuries of TT from J2000.0
//   pdDeltaEps  when not null, receives the nutation in obliquity (degrees);
//               the cosine series is evaluated only then
// Returns the nutation in longitude, degrees.  No failure path.
// Source: Seidelmann 1982, Celest. Mech. 27, 79; the arguments are the mean
// longitudes of the Moon, its perigee and node, of the Sun and its perigee.
double GetNutation(double T, double* pdDeltaEps);

// GetLongitudeAberration: annual aberration in ecliptic longitude of a body
// seen from the Earth.
//   T         Julian centuries of TT from J2000.0
//   dSunLong  the Sun's geometric longitude, degrees
//   dLong     the body's geocentric longitude, degrees
//   dLat      the body's geocentric latitude, degrees
// Returns the correction to add to the longitude, degrees.
// Source: constant of aberration 20.49552", eccentricity and perihelion of
// the Earth's orbit as in Meeus, Astronomical Algorithms, ch. 23.
double GetLongitudeAberration(double T, double dSunLong, double dLong, double dLat);

// GetMotionCode: motion of a body from the change of its mean-equinox
// longitude over its motion step back in time.
//   dDiff  lambda(JDE) - lambda(JDE - step), degrees; a step across 0/360
//          (|dDiff| > 300) is unwrapped
// Returns 0 direct (dDiff > 0.0003), 1 retrograde (dDiff < -0.0003),
// 2 stationary with slight direct motion (0 < dDiff <= 0.0003), 3 stationary
// with no or slight retrograde motion (-0.0003 <= dDiff <= 0).  A difference
// of more than 360 degrees is reported ("GetMotionCode", "abnormal arg") and
// classified as direct.
int GetMotionCode(double dDiff);

// Labels of the motion codes, indexed by code 0..3:
//   kMotionLabels       10 bytes each, for the chart's data text
//                       (blank, "逆行", "留／順行？", "留／逆行？")
//   kMotionShortLabels  2 bytes each ("  ", "R ", "SD", "SR")
//   kMotionListLabels   without padding, for the ephemeris listing
//                       ("", "逆行", "留/順行?", "留/逆行?")
extern const char* const kMotionLabels[4];
extern const char* const kMotionShortLabels[4];
extern const char* const kMotionListLabels[4];

// Apparent geocentric longitudes (true equinox of date, 0 <= lon < 360).
//   iWorkMode <= 0  the Sun, and with a negative mode every planet 1, 2, 4..9
//   1, 2, 4..9      that planet only (9 = Pluto)
// The longitudes and motion codes go to pd (may be null) by ChartPoint
// slot.  Returns the Sun's longitude (iWorkMode <= 0) or the selected
// planet's; 0 on error.
double GetPositionData(long double ldJde, PositionData* pd, int iWorkMode);

// The Moon's detail record.
struct MoonDetail {
  double dGeoLong;      // geometric longitude, mean equinox of date, 0..360
  double dGeoLat;       // geometric latitude
  double dAppLong;      // apparent longitude (the return value of GetMoonData)
  double dAppLat;       // apparent latitude
  double dLongRate;     // degrees per Julian century
  double dLatRate;      // degrees per Julian century
  double dMeanNode;     // mean ascending node, 0..360
};

// The Moon's apparent longitude, degrees 0..360 (abridged ELP 2000-85).
// The true node (mean equinox of date) and the detail record are computed
// only when asked for.
double GetMoonData(double dJde, double* pdTrueNode, MoonDetail* pDetail);

// Mean longitude of the Moon's ascending node, degrees 0..360.
double GetMeanNode(double T);

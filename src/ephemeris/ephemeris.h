// The ephemeris: apparent geocentric places of the Sun, Moon, planets and
// Pluto as pure functions of time.  Times are JDE (Terrestrial Time) unless
// noted; T = (JDE - 2451545.0) / 36525 Julian centuries, tau = T / 10
// Julian millennia; angles in degrees.
//
// This header is the interface the chart driver, the event searches and
// the listings use.
#pragma once

#include "base/chart_record.h"

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

// The two numberings of the bodies: the planet numbers of the position
// dispatcher (iWorkMode; 0 the Sun, 1 Mercury, 2 Venus, 4 Mars .. 8
// Neptune, 9 Pluto; 3 is the Earth) and the chart points they fill.
// ChartPointOfPlanet: the ChartPoint of a planet number; -1 for 3 and for
// numbers outside 0..9.
// PlanetOfChartPoint: the planet number that computes a chart point; -1
// for the points the dispatcher does not compute (Asc, Moon, the nodes,
// MC).
int ChartPointOfPlanet(int iPlanetNumber);
int PlanetOfChartPoint(int iPoint);

// GetPositionData: apparent geocentric ecliptic longitudes, true equinox of
// date, 0 <= lon < 360, with the planets' motion codes.
//   ldJde      JDE (TT)
//   pd         position block (may be null): the longitudes and motion codes
//              go to the ChartPoint slots (Sun 0, Mercury..Pluto 3..10); the
//              Sun's motion code is never written
//   iWorkMode  <= 0 the Sun, and with a negative mode (-1) every planet
//              1, 2, 4..9 as well; 1, 2, 4..9 that planet only (9 = Pluto)
// Returns the Sun's longitude (iWorkMode <= 0) or the selected planet's.
// iWorkMode 3 or above 9 shows the "CheckValue" box and reports
// ("GetPositionData", "OOR/iWorkMode"), leaving the block as it was; a
// longitude that is not a number (an invalid floating-point operation on
// the way) clears the whole block and shows "例外 : GetPositionData".  Both
// return 0.
// Sources: VSOP87D (Sun, Mercury..Neptune), Pluto as in planets.h, IAU 1980
// nutation; the Sun's aberration is 20.4898" / R, its FK5 correction
// -0.09033".
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

// GetMoonData: the Moon's apparent geocentric ecliptic longitude, true
// equinox of date.
//   dJde        JDE (TT)
//   pdTrueNode  when not null, receives the osculating ascending node of the
//               Moon's instantaneous geocentric path, mean equinox of date,
//               degrees 0..360
//   pDetail     when not null, receives the detail record
// Returns degrees 0..360.  With both outputs null only the longitude is
// computed (641 sines); the latitude and the rates are computed only when
// an output asks for them.  A node with x = 0 shows "Z=0 in GetMoonData" in
// the error box and is set to 0; the longitude is returned normally.
// Source: ELP 2000-85 (Chapront-Touzé & Chapront), abridged as in Lunar
// Tables and Programs from 4000 B.C. to A.D. 8000 (1991): 969 terms; IAU
// 1980 nutation; light time and aberration -0.00019524 -
// 0.00001059 sin(225 + 477198.9 T) degrees.
double GetMoonData(double dJde, double* pdTrueNode, MoonDetail* pDetail);

// GetMeanNode: mean longitude of the Moon's ascending node, mean equinox of
// date, degrees 0..360.
//   T  Julian centuries of TT from J2000.0
// Source: Chapront-Touzé & Chapront, ELP 2000-85 (as in Meeus, Astronomical
// Algorithms, ch. 47).
double GetMeanNode(double T);

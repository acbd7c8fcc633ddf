// The ephemeris: apparent geocentric places of the Sun, Moon, planets and
// Pluto as pure functions of time.  Times are JDE (Terrestrial Time) unless
// noted; T = (JDE - 2451545.0) / 36525 Julian centuries, tau = T / 10
// Julian millennia; angles in degrees.
//
// This header is the interface the chart driver, the event searches and
// the listings use.
#pragma once

#include "chart/chart_record.h"

// Nutation in longitude (IAU 1980 theory), degrees.  When pdDeltaEps is not
// null the nutation in obliquity is written there, degrees.
double GetNutation(double T, double* pdDeltaEps);

// Motion code (0 direct, 1 retrograde, 2/3 stationary) of a body whose
// mean-equinox longitude changed by dDiff degrees over its motion step.
int GetMotionCode(double dDiff);

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

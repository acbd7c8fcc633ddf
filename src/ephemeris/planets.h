// Planetary series, Pluto and the apparent places of the planets.
//
// Times: tau = (JDE - 2451545.0) / 365250 Julian millennia and
// T = (JDE - 2451545.0) / 36525 Julian centuries of TT from J2000.0; JDE is
// the Julian Ephemeris Day (TT).  Angles in degrees, distances in AU.
#pragma once

#include "ephemeris/ephemeris.h"

// Body codes of the planetary series and planet numbers of the apparent
// places (3, the Earth, is not a target of the apparent places).
enum PlanetNumber : int {
  kMercury = 1,
  kVenus = 2,
  kEarth = 3,
  kMars = 4,
  kJupiter = 5,
  kSaturn = 6,
  kUranus = 7,
  kNeptune = 8,
  kPluto = 9,
};

// Heliocentric ecliptic position of a body.
struct HeliocentricLBR {
  double L;  // longitude, degrees, not reduced (runs through many turns away from J2000.0)
  double B;  // latitude, degrees
  double R;  // radius vector, AU
};

// GetPlanetPositionLBR: heliocentric position of a major planet, mean
// ecliptic and equinox of date.
//   iBody  body code 1..8 (Mercury .. Neptune, 3 = Earth)
//   tau    Julian millennia of TT from J2000.0
//   pLBR   result
// Returns 1; for a body code outside 1..8 sets L = 0, B = 0, R = 1, shows
// "abnormal in GetPlanetPositionLBR" in the error box and returns 0.
// Source: VSOP87 version D (Bretagnon & Francou 1988, A&A 202, 309), the
// abridged series of Meeus, Astronomical Algorithms, 2nd ed., Appendix III
// (2430 terms).
int GetPlanetPositionLBR(int iBody, double tau, HeliocentricLBR* pLBR);

// GetEarthPositionLBR: GetPlanetPositionLBR for the Earth (body code 3).
int GetEarthPositionLBR(double tau, HeliocentricLBR* pLBR);

// GetEarthPositionJ2000: heliocentric position of the Earth, ecliptic and
// equinox J2000.0.
//   T  Julian centuries of TT from J2000.0
//   pdL, pdB  longitude (not reduced) and latitude, degrees; pdR  AU
// Returns 1.
// Source: VSOP87 version B, abridged to 207 terms (Meeus, Astronomical
// Algorithms, 2nd ed., Appendix III and ch. 32).
int GetEarthPositionJ2000(double T, double* pdL, double* pdB, double* pdR);

// EarthPerihelion: longitude of the perihelion of the Earth's orbit,
// degrees (T in Julian centuries of TT from J2000.0).
double EarthPerihelion(double T);

// LongitudeAberrationFromCosines: GetLongitudeAberration from the cosines of
// its three angles: the Sun's longitude minus the body's, EarthPerihelion
// minus the body's longitude, and the body's latitude.
double LongitudeAberrationFromCosines(double T, double dCosSunAngle, double dCosPerihelionAngle, double dCosLat);

// Motion step of each planet number (days): the interval back in time over
// which the motion code compares two longitudes, about 0.005 degree of the
// body's mean heliocentric motion.  Entries 0 and 3 are 0.
extern const double kMotionStepDays[10];

// GetPlanetLongitude_AppMeanFK5: apparent geocentric ecliptic longitude of a
// planet referred to the mean equinox of date (light time, annual aberration
// and the FK5 correction applied; nutation not included).
//   ldJde          JDE (TT)
//   iPlanetNumber  1, 2, 4..8, or 9 (Pluto, through GetPlutoLong_)
// Returns degrees, not reduced to 0..360 (may be negative).  A planet number
// outside 1, 2, 4..9 is reported ("GetPlanetLongitude_AppMeanFK5",
// "OOR/iPlanetNumber"), a geocentric x of exactly 0 likewise ("!X"); both
// return 0.
// Source: VSOP87D as above; FK5 correction and aberration as in Meeus,
// Astronomical Algorithms, ch. 32 and 23.
double GetPlanetLongitude_AppMeanFK5(long double ldJde, int iPlanetNumber);

// GetPlanetLongitudeEx_AppMeanFK5: the same longitude and, when piMotion is
// not null, the motion code (GetMotionCode of the longitude change over the
// planet's motion step).  Pluto (9) is handed to GetPlutoLong_.  A bad planet
// number is reported ("GetPlanetLongitudeEx_AppMeanFK5", "OOR/iPlanetNumber")
// and returns 0 with motion code 0.
double GetPlanetLongitudeEx_AppMeanFK5(long double ldJde, int iPlanetNumber, int* piMotion);

// --- Pluto --------------------------------------------------------------------

// Pluto's place of one instant, degrees.
struct PlutoPlace {
  double dSunLong;  // the Earth's J2000 heliocentric longitude - 180.00002509167
  double dLambda;   // geocentric ecliptic longitude, equinox J2000, -180..180
  double dBeta;     // geocentric ecliptic latitude, J2000
  double dAlpha;    // right ascension, FK5 equator and equinox J2000, -180..180
  double dDelta;    // declination, J2000
};

// GetPlutoHeliocentric: Pluto's heliocentric position, ecliptic and equinox
// J2000.0.
//   T  Julian centuries of TT from J2000.0 (the series holds 1885..2099 and
//      is evaluated for any T)
//   pdL, pdB degrees, pdR AU
// Returns 1.
// Source: the 43-term periodic series of Meeus, Astronomical Algorithms,
// 2nd ed., ch. 37 (arguments of Jupiter, Saturn and Pluto).
int GetPlutoHeliocentric(double T, double* pdL, double* pdB, double* pdR);

// GetPlutoData: Pluto's geocentric astrometric place, J2000, light time
// iterated in three passes; the Sun (Earth) is not retarded.
//   T       Julian centuries of TT from J2000.0
//   pPlace  result (may be null)
// Returns lambda + 1.396956 T (degrees).  A failed step is shown in the
// error box ("!SunX+X:GetPlutoData", "!Distance:GetPlutoData",
// "!SinDelta:GetPlutoData", "RadDelta2000? GetPlutoData") and returns 0 with
// lambda, beta, alpha, delta left unset; a |sin beta| above 1 shows
// "!RadArg:GetPlutoData", sets beta = 0 and completes.
double GetPlutoData(double T, PlutoPlace* pPlace);

// GetPlutoLong_: Pluto's apparent longitude, ecliptic and mean equinox of
// date (aberration applied, precessed from J2000.0; nutation not included).
//   ldJde     JDE (TT)
//   piMotion  when not null, receives the motion code over 0.00003452
//             century
// Returns degrees, not reduced to 0..360.  After a failed GetPlutoData
// returns 0 with motion code 0; a zero denominator of the precession is
// reported ("GetPlutoLong_", "!B") and returns 0.
// Source: IAU 1976 precession (Lieske et al. 1977, A&A 58, 1) of the
// ecliptic coordinates, Meeus, Astronomical Algorithms, ch. 21.
double GetPlutoLong_(long double ldJde, int* piMotion);

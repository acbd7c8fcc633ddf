// Sidereal time, angles and houses of a chart: the time and geodesy lines,
// MC, Ascendant, Placidus cusps with the equal-house fallback at high
// latitudes, and the house type the wheel shows.
#pragma once

#include "base/chart_record.h"
#include "base/date_time.h"
#include "platform/platform.h"
#include "platform/resource_ids.h"

// Results of GetAscEx and of its two halves, SetChartSiderealTime and
// SetChartAngles.  The datum's failures (kDatumZeroX, kDatumOnAxis,
// kDatumZeroRoot, -2..-4) pass through unchanged.
enum AscExResult : int {
  kAscExOk = 1,
  kAscExBadLatitude = -1,           // the given latitude is beyond ±90
  kAscExBadConvertedLatitude = -5,  // the converted latitude is beyond ±90
  kAscExZeroCosEps = -6,            // cos(eps) is 0
  kAscExNoAscendant = -7,           // the ASC is undefined
  kAscExPole = -90,                 // the ASC asked at a pole
};

// The values of the first half of GetAscEx that the angles and houses use.
struct SiderealAngles {
  double dEps;       // true obliquity of the ecliptic, degrees
  double dPhi;       // latitude on the IAU 1976 ellipsoid, degrees
  double dRamc;      // local apparent sidereal time as an angle, [0, 360)
  double dGivenLat;  // the latitude as given (Tokyo datum), degrees
};

// SetChartSiderealTime: the first half of GetAscEx.  Computes the true
// obliquity (IAU 1980 nutation), Greenwich mean and apparent sidereal time,
// converts the place from the Tokyo datum when bJapanDatum is set, and
// writes szTime lines 6..13 of the chart record.
//   civil        civil time of the chart (JST with fZone 9)
//   dLat, dLong  place, degrees
//   pChart       reads ldJd and ldJde; receives the szTime lines
//   pOut         receives obliquity, converted latitude and RAMC
// Returns kAscExOk; kAscExBadLatitude, a failure of JapanGeoToIAU76,
// kAscExBadConvertedLatitude or kAscExZeroCosEps.  All but the last show a
// plain box (no owner, no title).
int SetChartSiderealTime(const DateTime& civil, float fZone, double dLat, double dLong,
                         int bJapanDatum, ChartRecord* pChart, SiderealAngles* pOut);

// GetAscEx: sidereal time, datum, MC, ASC and house cusps of a chart.
//   civil        the chart's civil time (JST)
//   fZone        zone of civil in hours (always 9)
//   dLat, dLong  the place, degrees, Tokyo datum when bJapanDatum is set
//   pd           receives pd[Asc] and pd[MC], degrees (before the harmonic)
//   pChart       reads ldJd, ldJde; receives szTime lines 6..13,
//                iHouseMode and dCusp
// Returns kAscExOk; a failure of SetChartSiderealTime, or kAscExPole and
// kAscExNoAscendant from SetChartAngles.
int GetAscEx(const DateTime& civil, float fZone, double dLat, double dLong, int bJapanDatum,
             PositionData* pd, ChartRecord* pChart);

// SetChartAngles: the second half of GetAscEx.  MC and ASC into pd, the
// cusps into pChart->dCusp: Placidus (iHouseMode 1) up to 60° N, equal
// houses from the ASC (iHouseMode 0) above, and also wherever a semi-arc
// does not exist (a semi-arc argument beyond ±1, possible south of
// 66.56° S), where Placidus gives no cusps.  Cusps 4..9 are reduced to
// [0, 360); cusps 11, 12, 2, 3 and equal cusps may exceed 360.
// Returns kAscExOk; kAscExPole when the latitude (as given or converted) is
// exactly ±90, kAscExNoAscendant when the ASC is undefined (a box titled
// "ホロミラ" is shown and pd[Asc] is set to 0).  On both no cusp is written.
int SetChartAngles(const SiderealAngles& angles, PositionData* pd, ChartRecord* pChart);

// AcosDeg: arc cosine in degrees; an argument beyond ±1 gives 0 (positive)
// or 180 (negative).
double AcosDeg(double x);

// AngleAfter: of lambda and lambda + 180 (degrees), the one that lies less
// than 180° after ref.  The result may exceed 360 when it lies past 0°
// from ref's point of view.
double AngleAfter(double lambda, double ref);

// HouseType, the house system the wheel shows (never saved; starts at
// kHouseTypeEqualAsc on every run).  0..13: equal houses from that chart
// point (0 = the Sun); above 13: Placidus cusps; negative: equal houses
// from 0° Aries.
enum HouseTypeValue : int {
  kHouseTypeEqualAsc = 1,
  kHouseTypePlacidus = 32,
  kHouseTypeEqualSun = 0,
  kHouseTypeEqualAries = -1,
};

// WheelFirstCusp: the longitude (degrees) the wheel puts on its first cusp
// under a HouseType, and whether it draws the stored cusps (*pbPlacidus:
// HouseType above 13; at high latitudes these are the equal cusps from the
// ASC).  A chart without a birth time (target bTimeKnown 0) uses equal
// houses from the Sun whatever the setting.
double WheelFirstCusp(const ChartRecord& chart, int iHouseType, bool* pbPlacidus);

// HouseCuspsForWheel: the twelve cusps the wheel draws for a chart under a
// HouseType, degrees.  A chart without a birth time (target bTimeKnown 0)
// uses equal houses from the Sun whatever the setting.
void HouseCuspsForWheel(const ChartRecord& chart, int iHouseType, double dCusp[12]);

// Menu commands of the house systems and the HouseType each sets.
constexpr int kCmdHouseEqual = IDM_HOUSE_EQUAL;
constexpr int kCmdHousePlacidus = IDM_HOUSE_PLACIDUS;
constexpr int kCmdHouseSun = IDM_HOUSE_SUN;
constexpr int kCmdHouseAries = IDM_HOUSE_ARIES;

// ChooseHouseType: asks about the house system of menu command iCommand
// (44401..44404) for the chart on view and sets *piHouseType on OK.
// Placidus is refused with the "高緯度の特例" box for a chart without
// Placidus cusps.  Returns 1 when the house type was set, 0 otherwise (the
// caller then leaves the menu as it was).
int ChooseHouseType(WindowRef hOwner, const ChartRecord& chart, int iCommand, int* piHouseType);

// Angles and houses of a chart: MC, Ascendant, Placidus cusps with the
// equal-house fallback at high latitudes, and the house type the wheel
// shows.
#pragma once

#include "chart/chart_record.h"
#include "platform/platform.h"
#include "time/sidereal.h"

// GetAscEx: sidereal time, datum, MC, ASC and house cusps of a chart.
//   civil        the chart's civil time (JST)
//   fZone        zone of civil in hours (always 9)
//   dLat, dLong  the place, degrees, Tokyo datum when bJapanDatum is set
//   pd           receives pd[Asc] and pd[MC], degrees (before the harmonic)
//   pChart       reads ldJd, ldJde; receives szTime lines 6..13,
//                iHouseMode and dCusp
// Returns 1; the failure codes of SetChartSiderealTime (-1 .. -6), or -90
// (ASC asked at a pole) and -7 (ASC undefined) from SetChartAngles.
int GetAscEx(const DateTime& civil, float fZone, double dLat, double dLong, int bJapanDatum,
             PositionData* pd, ChartRecord* pChart);

// SetChartAngles: the second half of GetAscEx.  MC and ASC into pd, the
// cusps into pChart->dCusp: Placidus (iHouseMode 1) up to 60° N, equal
// houses from the ASC (iHouseMode 0) above, and also wherever a semi-arc
// does not exist (a semi-arc argument beyond ±1, possible south of
// 66.56° S), where Placidus gives no cusps.  Cusps 4..9 are reduced to
// [0, 360); cusps 11, 12, 2, 3 and equal cusps may exceed 360.
// Returns 1; -90 when the latitude (as given or converted) is exactly ±90,
// -7 when the ASC is undefined (a box titled "ホロミラ" is shown and pd[Asc]
// is set to 0).  On -90 and -7 no cusp is written.
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
constexpr int kCmdHouseEqual = 44401;
constexpr int kCmdHousePlacidus = 44402;
constexpr int kCmdHouseSun = 44403;
constexpr int kCmdHouseAries = 44404;

// ChooseHouseType: asks about the house system of menu command iCommand
// (44401..44404) for the chart on view and sets *piHouseType on OK.
// Placidus is refused with the "高緯度の特例" box for a chart without
// Placidus cusps.  Returns 1 when the house type was set, 0 otherwise (the
// caller then leaves the menu as it was).
int ChooseHouseType(WindowRef hOwner, const ChartRecord& chart, int iCommand, int* piHouseType);

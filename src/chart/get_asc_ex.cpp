// GetAscEx: sidereal time and datum, then angles and houses.
#include "chart/houses.h"

int GetAscEx(const DateTime& civil, float fZone, double dLat, double dLong, int bJapanDatum,
             PositionData* pd, ChartRecord* pChart) {
  SiderealAngles angles;
  const int iResult = SetChartSiderealTime(civil, fZone, dLat, dLong, bJapanDatum, pChart, &angles);
  if (iResult != kAscExOk) return iResult;
  return SetChartAngles(angles, pd, pChart);
}

// The time and geodesy lines of a chart: the first half of GetAscEx.
#include "chart/houses.h"

#include <cmath>
#include <cstdio>

#include "base/angles.h"
#include "base/julian.h"
#include "base/text_sink.h"
#include "ephemeris/ephemeris.h"
#include "time/sidereal.h"

namespace {

// Seconds of time per degree of sidereal angle (86400 / 360).
constexpr double kSecondsPerDegree = 240.0;

// Shows a text of a failed step in a plain box without owner and title.
void ShowPlainBox(const char* szText) { PlatformMessageBox(nullptr, szText, nullptr, kMbOk); }

// Lines 8..11: the place on the Tokyo datum and on the IAU 1976 ellipsoid.
// Returns kAscExOk or a failure of GetAscEx; *pdLat, *pdLong are converted.
int WriteDatumLines(double* pdLat, double* pdLong, int bJapanDatum, ChartRecord* pChart) {
  char sz[kAngleTextSize];
  if (bJapanDatum) {
    if (!FormatLatLong(*pdLat, sz, sizeof sz, 0)) {
      ShowPlainBox(sz);
      return kAscExBadLatitude;
    }
    PrintField(pChart->szTime[8], kLineDetail, "日本測地系 %s", sz);
    FormatLatLong(*pdLong, sz, sizeof sz, 1);
    PrintField(pChart->szTime[10], kLineDetail, "日本測地系 %s", sz);
    const int iResult = JapanGeoToIAU76(pdLat, pdLong);
    if (iResult != kDatumOk) {
      snprintf(sz, sizeof sz, "!JapanGeoToIAU76 ErrorCode=%d", iResult);
      ShowPlainBox(sz);
      return iResult;
    }
  }
  if (!FormatLatLong(*pdLat, sz, sizeof sz, 0)) {
    ShowPlainBox(sz);
    return kAscExBadConvertedLatitude;
  }
  PrintField(pChart->szTime[9], kLineDetail, "ＩＡＵ76系 %s", sz);
  FormatLatLong(*pdLong, sz, sizeof sz, 1);
  PrintField(pChart->szTime[11], kLineDetail, "ＩＡＵ76系 %s", sz);
  return kAscExOk;
}

}  // namespace

int SetChartSiderealTime(const DateTime& civil, float fZone, double dLat, double dLong,
                         int bJapanDatum, ChartRecord* pChart, SiderealAngles* pOut) {
  const double T = static_cast<double>((pChart->ldJde - kJ2000) / kDaysPerJulianCentury);
  double dDeltaEps = 0.0;
  const double dDeltaPsi = GetNutation(T, &dDeltaEps);
  const double dEps = MeanObliquity(T) + dDeltaEps;
  const double dCosEps = std::cos(dEps * kDegToRad);

  char sz[kAngleTextSize];
  const double dGmst = FormatDaySeconds(GreenwichMeanSiderealSeconds(civil, fZone, pChart->ldJd), sz,
                                        sizeof sz, 0);
  PrintField(pChart->szTime[6], kLineDetail, "グリニジ平均恒星時      %s", sz);
  // Equation of the equinoxes, seconds of time.
  const double dEqE = dDeltaPsi * 3600.0 * dCosEps / 15.0;
  const double dGast = FormatDaySeconds(dGmst + dEqE, sz, sizeof sz, 0);
  PrintField(pChart->szTime[7], kLineDetail, "グリニジ視恒星時        %s  (分点差 %+3.1f秒を含む)", sz, dEqE);

  const double dGivenLat = dLat;
  const int iDatum = WriteDatumLines(&dLat, &dLong, bJapanDatum, pChart);
  if (iDatum != kAscExOk) return iDatum;

  FormatDaySeconds(dLong * kSecondsPerDegree, sz, sizeof sz, 1);
  PrintField(pChart->szTime[12], kLineDetail, "グリニジとの時差   %s", sz);
  const double dRamc = FormatDaySeconds(dLong * kSecondsPerDegree + dGast, sz, sizeof sz, 0) /
                       kSecondsPerDegree;
  PrintField(pChart->szTime[13], kLineDetail, "地方視恒星時            %s", sz);
  if (dCosEps == 0.0) return kAscExZeroCosEps;
  *pOut = SiderealAngles{dEps, dLat, dRamc, dGivenLat};
  return kAscExOk;
}

// The extended report of a chart: Placidus cusps and lunar data.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/julian.h"
#include "chart/chart_text.h"
#include "ephemeris/ephemeris.h"

namespace {

// A text built piece by piece into a caller's buffer; what does not fit is
// left out (the buffer is sized for the whole report).
struct ReportText {
  char* sz;
  size_t n;
  size_t len;
};

__attribute__((format(gnu_printf, 2, 3))) void Add(ReportText* t, const char* szFormat, ...) {
  if (t->len + 1 >= t->n) return;
  va_list args;
  va_start(args, szFormat);
  const int r = vsnprintf(t->sz + t->len, t->n - t->len, szFormat, args);
  va_end(args);
  if (r > 0) t->len += strlen(t->sz + t->len);
}

void AddPlacidusBlock(ReportText* t, const ChartRecord& chart) {
  if (chart.iHouseMode != 1) {
    Add(t, "この緯度ではプラシーダス方式のハウスはサポートされません。\r\n\r\n");
    return;
  }
  Add(t, "[ プラシーダス・ハウスシステム ]\r\n%s\r\n%s\r\n", chart.szTime[9], chart.szTime[13]);
  for (int k = 1; k <= 12; ++k) {
    // The label carries its own line end: the position follows below it.
    char szLabel[32];
    snprintf(szLabel, sizeof szLabel, "第%2d室カスプ:\r\n", k);
    Angle a;
    LongitudeToAngle(chart.dCusp[k - 1], &a);
    RoundAngleForDisplay(&a, 1);
    const int iSign = a.sign >= 0 && a.sign < 12 ? a.sign : 12;  // 12: "<異常値>"
    Add(t, "   %s  %s  %2d°%2d′%04.1f″= %10.6f°\r\n", szLabel, kSignNames[iSign], a.deg, a.min, a.sec, a.lon);
  }
  Add(t, "\r\n");
}

}  // namespace

int MakeExtendedReport(char* szText, size_t nText, const ChartRecord& chart) {
  if (nText == 0) return 0;
  szText[0] = '\0';
  if (chart.ldJde == 0) return 0;
  double dTrueNode = 0.0;
  MoonDetail moon{};
  GetMoonData(static_cast<double>(chart.ldJde), &dTrueNode, &moon);

  ReportText t{szText, nText, 0};
  AddPlacidusBlock(&t, chart);
  const char* szShownTime = chart.szPanel[2][0] != '\0' ? chart.szPanel[2] : chart.szTimeLine;
  Add(&t,
      "\r\n%sJST\r\n\r\n  ドラゴンヘッド ( True Node ) %7.3f\r\n  ドラゴンヘッド ( Mean Node ) %10.6f\r\n\r\n"
      "地心視黄経および視黄緯\r\n  Vapp = %+10.4f    Uapp = %+10.4f\r\n"
      "幾何学的平均黄経および黄緯\r\n  V    = %+10.4f    U    = %+10.4f\r\n"
      "速度 ( degree / day TDT)\r\n  Vdot = %+10.4f    Udot = %+10.4f\r\n",
      szShownTime, dTrueNode, moon.dMeanNode, moon.dAppLong, moon.dAppLat, moon.dGeoLong, moon.dGeoLat,
      moon.dLongRate / kDaysPerJulianCentury, moon.dLatRate / kDaysPerJulianCentury);
  return static_cast<int>(t.len);
}

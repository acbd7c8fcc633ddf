// The extended report of a chart: Placidus cusps and lunar data.
#include "base/julian.h"
#include "base/text_sink.h"
#include "chart/chart_text.h"
#include "ephemeris/ephemeris.h"

namespace {

void AddPlacidusBlock(TextSink* t, const ChartRecord& chart) {
  if (chart.iHouseMode != 1) {
    SinkAppend(t, "この緯度ではプラシーダス方式のハウスはサポートされません。\r\n\r\n");
    return;
  }
  SinkPrintf(t, "[ プラシーダス・ハウスシステム ]\r\n%s\r\n%s\r\n", chart.szTime[9], chart.szTime[13]);
  for (int k = 1; k <= 12; ++k) {
    // The label stands on a line of its own: the position follows below it.
    Angle a;
    LongitudeToAngle(chart.dCusp[k - 1], &a);
    char szPosition[kLineDetail];
    FormatPositionText(szPosition, sizeof szPosition, a);
    SinkPrintf(t, "   第%2d室カスプ:\r\n  %s\r\n", k, szPosition);
  }
  SinkAppend(t, "\r\n");
}

}  // namespace

int MakeExtendedReport(char* szText, size_t nText, const ChartRecord& chart) {
  if (nText == 0) return 0;
  szText[0] = '\0';
  if (chart.ldJde == 0) return 0;
  double dTrueNode = 0.0;
  MoonDetail moon{};
  GetMoonData(static_cast<double>(chart.ldJde), &dTrueNode, &moon);

  TextSink t;
  SinkStart(&t, szText, static_cast<int>(nText));
  AddPlacidusBlock(&t, chart);
  const char* szShownTime = chart.szPanel[2][0] != '\0' ? chart.szPanel[2] : chart.szTimeLine;
  SinkPrintf(&t,
      "\r\n%sJST\r\n\r\n  ドラゴンヘッド ( True Node ) %7.3f\r\n  ドラゴンヘッド ( Mean Node ) %10.6f\r\n\r\n"
      "地心視黄経および視黄緯\r\n  Vapp = %+10.4f    Uapp = %+10.4f\r\n"
      "幾何学的平均黄経および黄緯\r\n  V    = %+10.4f    U    = %+10.4f\r\n"
      "速度 ( degree / day TDT)\r\n  Vdot = %+10.4f    Udot = %+10.4f\r\n",
      szShownTime, dTrueNode, moon.dMeanNode, moon.dAppLong, moon.dAppLat, moon.dGeoLong, moon.dGeoLat,
      moon.dLongRate / kDaysPerJulianCentury, moon.dLatRate / kDaysPerJulianCentury);
  return t.len;
}

// Detailed position lines, the plain-text form of a chart and the initial
// texts of chart records.
#include "chart/chart_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/reports.h"

const char kExtendedReportTitle[] = "プラシーダス・ハウスシステム / 月に関する拡張データ";
const char kExtendedReportButton[] = "リスト [B]";
const char kExtendedReportNoData[] = "拡張データⅡ";

const char* const kMotionMarks[4] = {"  ", "R ", "SD", "SR"};
const char* const kMotionWords[4] = {"          ", "逆行      ", "留／順行？", "留／逆行？"};

namespace {

const char kChartTextBanner[] = "\r\n[ Horomira 5.4.0.2 ]\r\n\r\n";
const char kNoDataTitle[] = "< ﾃﾞｰﾀが設定されていません >";
const char kNewDataName[] = "新規データ";
const char kDetailFooter[] = "                 ﾁｬｰﾄを表示するには [Shift]+[C] を押してください ...";
const char kTimeHeading[] = "［測地系と時刻系］";
const char kTimeFooter[] = "                 ﾁｬｰﾄ [Shift]+[C]    位置ﾃﾞｰﾀ [Shift]+[D]";

constexpr int kSignsPerTurn = 12;
constexpr int kBadSign = 12;  // index of "<異常値>"

// Appends szAdd to the text of length *pLen in a buffer of nText bytes; a
// text that does not fit is cut without splitting a double-byte character.
void Append(char* szText, size_t nText, size_t* pLen, const char* szAdd) {
  if (*pLen + 1 >= nText) return;
  const size_t nRoom = nText - 1 - *pLen;
  const size_t nAdd = strlen(szAdd);
  if (nAdd <= nRoom) {
    memcpy(szText + *pLen, szAdd, nAdd + 1);
    *pLen += nAdd;
    return;
  }
  memcpy(szText + *pLen, szAdd, nRoom);
  szText[*pLen + nRoom] = '\0';
  CutDoubleByteSafe(szText + *pLen, static_cast<int>(nRoom));
  *pLen += strlen(szText + *pLen);
}

}  // namespace

void RoundAngleForDisplay(Angle* pAngle, int iDecimals) {
  const double dUnit = iDecimals >= 2 ? 0.01 : iDecimals == 1 ? 0.1 : 1.0;
  double s = std::round(pAngle->sec / dUnit) * dUnit;
  if (s < 60.0 - dUnit / 2) {
    pAngle->sec = static_cast<float>(s);
    return;
  }
  // Carry the full minute, but stop at the last shown value of the sign.
  if (pAngle->min < 59) {
    pAngle->min += 1;
    s = 0.0;
  } else if (pAngle->deg < 29) {
    pAngle->deg += 1;
    pAngle->min = 0;
    s = 0.0;
  } else {
    s = 60.0 - dUnit;
  }
  pAngle->sec = static_cast<float>(s);
}

int SetDataStringD(char* szText, size_t nText, const char* szLabel, const Angle& angle,
                   const char* szMotionWord) {
  int iSign = angle.sign;
  if (iSign < 0 || iSign >= kSignsPerTurn) {
    ReportFatal("Abnormal lpAngle->sign in SetDataStringD");
    iSign = kBadSign;
  }
  Angle a = angle;
  RoundAngleForDisplay(&a, 1);
  snprintf(szText, nText, " %s  %s  %2d°%2d′%04.1f″= %10.6f°%s", szLabel, kSignNames[iSign], a.deg,
           a.min, a.sec, a.lon, szMotionWord);
  return 1;
}

int MakeChartText(char* szText, size_t nText, const ChartRecord& chart) {
  if (nText == 0) return 0;
  size_t nLen = 0;
  szText[0] = '\0';
  Append(szText, nText, &nLen, kChartTextBanner);
  for (const char* szLine : chart.szHeader) {
    Append(szText, nText, &nLen, szLine);
    Append(szText, nText, &nLen, "\r\n");
  }
  Append(szText, nText, &nLen, "\r\n");
  for (int i = 0; i < kNumChartPoints; ++i) {
    Append(szText, nText, &nLen, chart.szDetail[i]);
    Append(szText, nText, &nLen, "\r\n");
  }
  return static_cast<int>(nLen);
}

void ResetChartRecord(ChartRecord* pChart) {
  memset(pChart, 0, sizeof *pChart);
  snprintf(pChart->natal.szName, sizeof pChart->natal.szName, "%s", kNewDataName);
  snprintf(pChart->szTitle, sizeof pChart->szTitle, "%s", kNoDataTitle);
  snprintf(pChart->szHeader[0], sizeof pChart->szHeader[0], "%s", kNoDataTitle);
  snprintf(pChart->szDetail[14], sizeof pChart->szDetail[14], "%s", kDetailFooter);
  snprintf(pChart->szTime[0], sizeof pChart->szTime[0], "%s", kTimeHeading);
  snprintf(pChart->szTime[14], sizeof pChart->szTime[14], "%s", kTimeFooter);
  pChart->dwCheck = kRecordMagic;
}

void ResetChartSlots(ChartSlots* pSlots) {
  memset(pSlots, 0, sizeof *pSlots);
  for (ChartRecord& chart : pSlots->charts) ResetChartRecord(&chart);
}

bool ChartRecordIntact(const ChartRecord& chart) { return chart.dwCheck == kRecordMagic; }

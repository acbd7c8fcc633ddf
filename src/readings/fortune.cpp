// Today's fortune: the sky of the present moment read against a natal
// chart through the sign distances of the transiting Sun, Moon and Mars.
#include <cmath>
#include <cstdio>

#include "platform/reports.h"
#include "readings/readings.h"
#include "time/timescale.h"

namespace {

const char kFortuneFormat[] =
    "☆ %.*s ☆\r\n%s生まれ\r\n出生地   %.*s\r\n現在地   %.*s\r\n%sの星回り\r\n"
    "[ きょうは生まれて %d日め ]\r\n\r\n"
    "　太陽が%s座にあるいま，%s座のあなたにとっては%s\r\n\r\n"
    "  日々の移ろいを示す月は，現在%s座にあって，%s座のあなた%s\r\n"
    "  あなたの出生図で月は%s座にあり，その点からみると，この月の位置は%sを暗示しています。\r\n"
    "  エネルギーをあらわす火星は%s座。あなたにとって%sを意味する位置です。\r\n\r\n";
const char kFortuneClosing[] =
    "  あなたの本質，行動，感受性について表示するにはすぐ下の[ 出生図 [A] ]ボタンを"
    "クリックしてください。\r\n";

// The JD at zone 0 of 12:00 on the civil day of a date, floored.
long double NoonDayNumber(const DateTime& t) {
  const DateTime noon{t.year, t.month, t.day, 12, 0, 0.0};
  return std::floor(DateToJd(noon, 0.0f));
}

// Sign number of a chart point, 0 for a value that is not a longitude
// (reported, so that the tables are never read outside their range).
int ChartSign(const ChartRecord& chart, int iPoint) {
  const int iSign = GetSignNumber(chart.dLong[iPoint]);
  if (iSign >= 0 && iSign < 12) return iSign;
  return ReportPlaceKind("MakeText", "星座番号が範囲外", 0);
}

}  // namespace

int GetSignDistance(int iSignA, int iSignB) {
  int d = iSignA - iSignB;
  if (d < 0) d += 12;
  if (d < 0 || d > 11) return ReportPlaceKind("GetSignDistance", "OOR", 0);
  return d;
}

int GetDayNumber(const DateTime& natal, const DateTime& target) {
  return static_cast<int>(NoonDayNumber(target) - NoonDayNumber(natal)) + 1;
}

int MakeText(char* szBuf, int iCapacity, const ChartRecord& natal, const ChartRecord& transit) {
  const int S = ChartSign(natal, Sun);
  const int M = ChartSign(natal, Moon);
  const int s = ChartSign(transit, Sun);
  const int m = ChartSign(transit, Moon);
  const int a = ChartSign(transit, Mars);
  const int d1 = GetSignDistance(s, S);
  const int d2 = GetSignDistance(m, S);
  const int d3 = GetSignDistance(m, M);
  const int d4 = GetSignDistance(a, S);
  const int iDay = GetDayNumber(natal.natal.time, transit.target.time);
  if (iCapacity < kFortuneTextMin) return ReportPlaceKind("MakeText", "iMaxStrlen<4000", 0);

  const BirthRecord& person = natal.natal;
  const BirthRecord& now = transit.target;
  // TimeToStr and TimeToStrP1 keep separate buffers, so both may be used in
  // one call.  The name fields are fixed-width: never read past them.
  snprintf(szBuf, iCapacity, kFortuneFormat, kNameFieldSize, person.szName, TimeToStr(&person.time),
           kNameFieldSize, person.szBirthPlace, kNameFieldSize, now.szBirthPlace,
           TimeToStrP1(&now.time), iDay, kPlainSignNames[s], kPlainSignNames[S],
           kFortuneSunTexts[d1], kPlainSignNames[m], kPlainSignNames[S], kFortuneMoonClauses[d2],
           kPlainSignNames[M], kFortuneMoonKeywords[d3], kPlainSignNames[a],
           kFortuneMarsKeywords[d4]);
  AppendText(szBuf, iCapacity, kFortuneClosing);
  return 1;
}

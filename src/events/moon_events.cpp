// Moon events: the Moon's sign changes and the lunar phases, their
// listings, and the recent almanac that combines them with the solar terms.
#include <cmath>
#include <cstring>

#include "base/angles.h"
#include "base/text_sink.h"
#include "ephemeris/ephemeris.h"
#include "events/events.h"
#include "platform/reports.h"
#include "time/timescale.h"

namespace {

// Mean rates assumed for the first step of the searches, degrees per day.
constexpr double kMoonFirstRate = 13.2;
constexpr double kElongationFirstRate = 12.19;
constexpr double kSynodicMonthDays = 29.530589;
// A quarter of the synodic month: the spacing of the phase searches.
constexpr double kQuarterMonthDays = 7.382647;
// The phase searches start this many days before the previous new moon.
constexpr double kPhaseLeadDays = 12.0;
constexpr int kNumPhaseLines = 9;
// Room a line of the phase list needs, bytes.
constexpr int kPhaseLineRoom = 100;
// Buffer in which the almanac builds its phase and term parts.
constexpr int kAlmanacPartSize = 1024;

int SignOf(double dLong) {
  const int s = static_cast<int>(std::floor(dLong / 30.0));
  return s < 0 ? 0 : (s > 11 ? 11 : s);
}

// Start of the phase searches for a moment: E/360 of a mean synodic month
// is the time since the last new moon; the searches start twelve days
// before that new moon.
double PhaseSearchStart(const DateTime& jst) {
  const double t0 = static_cast<double>(JstToJde(jst));
  return t0 - GetMoonSunElongation(t0) * (1.0 / 360.0) * kSynodicMonthDays - kPhaseLeadDays;
}

// Phase i of the list (0..8): the searches start a quarter month apart and
// look for 0°, 90°, 180°, ... of elongation.
bool PhaseEntry(double dStart, int i, EventEntry* pEntry) {
  pEntry->iKind = kEventMoonPhase;
  pEntry->iSign = i % 4;
  pEntry->iFrom = -1;
  pEntry->dJde = GetNextMoonPhaseJde(dStart + i * kQuarterMonthDays, 90.0 * i);
  return pEntry->dJde != 0.0;
}

// The Moon's sign changes of a month: the searches run from 00:00 JST on
// the first, each from the previous ingress, into the following signs.
struct MoonIngressMonth {
  int iMonth;
  double dJde;  // start of the next search
  int iSign;    // sign of the next ingress
};

void MoonIngressStart(int iYear, int iMonth, MoonIngressMonth* pMonth) {
  const DateTime first = {iYear, iMonth, 1, 0, 0, 0.0};
  pMonth->iMonth = iMonth;
  pMonth->dJde = static_cast<double>(JstToJde(first));
  pMonth->iSign = SignOf(MoonLongitude(pMonth->dJde)) + 1;
}

// The next ingress of the month; false when the search failed.  *pbLast is
// set when it falls in the following month, which ends the list.
bool NextMoonIngress(MoonIngressMonth* pMonth, EventEntry* pEntry, DateTime* pWhen, bool* pbLast) {
  if (pMonth->iSign >= 12) pMonth->iSign -= 12;
  pEntry->iKind = kEventMoonIngress;
  pEntry->iSign = pMonth->iSign;
  pEntry->iFrom = -1;
  pEntry->dJde = GetMoonIngressJde(pMonth->dJde, 30.0 * pMonth->iSign);
  if (pEntry->dJde == 0.0) return false;
  JdeToJst(pEntry->dJde, pWhen);
  *pbLast = pWhen->month != pMonth->iMonth;
  pMonth->dJde = pEntry->dJde;
  pMonth->iSign += 1;
  return true;
}

}  // namespace

double MoonLongitude(double dJde) { return GetMoonData(dJde, nullptr, nullptr); }

double GetMoonSunElongation(double dJde) {
  return Normalize360(MoonLongitude(dJde) - SunLongitude(dJde));
}

double GetMoonIngressJde(double dStartJde, double dTarget) {
  return FindContactJde(dStartJde, dTarget, MoonLongitude, kMoonFirstRate, "!GetMoonIngressJde");
}

double GetNextMoonPhaseJde(double dStartJde, double dTarget) {
  return FindContactJde(dStartJde, dTarget, GetMoonSunElongation, kElongationFirstRate,
                        "!GetNextMoonPhaseJde");
}

int CollectMoonIngresses(int iYear, int iMonth, EventEntry* pEntries, int iMax, bool* pbFailed) {
  *pbFailed = false;
  MoonIngressMonth month;
  MoonIngressStart(iYear, iMonth, &month);
  int n = 0;
  bool bLast = false;
  while (!bLast && n < kMaxEventEntries && n < iMax) {
    DateTime when;
    if (!NextMoonIngress(&month, &pEntries[n], &when, &bLast)) {
      *pbFailed = true;
      break;
    }
    ++n;
  }
  return n;
}

int ListMoonIngresses(const DateTime& jst, char* szOut) {
  if (!szOut) return ReportFatal("!lpStr:MoonIng");
  TextSink sink;
  SinkStart(&sink, szOut, kMoonIngressTextSize);
  SinkPrintf(&sink, "\r\n月のイングレス\r\n - %d年%d月 : 日本時間 -\r\n\r\n", jst.year, jst.month);
  MoonIngressMonth month;
  MoonIngressStart(jst.year, jst.month, &month);
  bool bLast = false;
  for (int n = 0; n < kMaxEventEntries && !bLast; ++n) {
    SinkPrintf(&sink, "%s座へのイングレス\r\n  ", kSignHiragana[month.iSign % 12]);
    EventEntry e;
    DateTime when;
    if (!NextMoonIngress(&month, &e, &when, &bLast)) return 0;
    SinkPrintf(&sink, "%s\r\n\r\n", TimeToStrP2(&when));
  }
  return 1;
}

int CollectMoonPhases(const DateTime& jst, EventEntry* pEntries, int iMax, bool* pbFailed) {
  *pbFailed = false;
  const double dStart = PhaseSearchStart(jst);
  int i = 0;
  for (; i < kNumPhaseLines && i < iMax; ++i) {
    if (!PhaseEntry(dStart, i, &pEntries[i])) {
      *pbFailed = true;
      break;
    }
  }
  return i;
}

int MoonPhaseCalendarText(const DateTime& jst, char* szOut, int cbOut) {
  if (!szOut || cbOut <= 0) return ReportFatal("!lpStr:GetMoonC.");
  TextSink sink;
  SinkStart(&sink, szOut, cbOut);
  SinkAppend(&sink, "\r\n  ");
  const double dStart = PhaseSearchStart(jst);
  for (int i = 0; i < kNumPhaseLines; ++i) {
    if (SinkRoom(sink) < kPhaseLineRoom) {
      PlatformMessageBox(nullptr, "テキストが長すぎるので途中で打ち切ります", "月のこよみ",
                         kMbOk | kMbIconInformation);
      return 1;
    }
    EventEntry e;
    if (!PhaseEntry(dStart, i, &e)) return 0;
    DateTime when;
    JdeToJst(e.dJde, &when);
    SinkPrintf(&sink, "%s :%s\r\n  ", kMoonPhaseNames[e.iSign], TimeToStrP1(&when));
  }
  return 1;
}

int CollectMoonNextIngress(const DateTime& jst, EventEntry* pEntry) {
  const double t0 = static_cast<double>(JstToJde(jst));
  pEntry->iKind = kEventMoonIngress;
  pEntry->iSign = (SignOf(MoonLongitude(t0)) + 1) % 12;
  pEntry->iFrom = -1;
  pEntry->dJde = GetMoonIngressJde(t0, 30.0 * pEntry->iSign);
  return pEntry->dJde != 0.0;
}

int MoonNextIngressText(DateTime* pTime, char* szOut) {
  if (!pTime) return ReportFatal("!lpStr:GetMoonNextI.");
  EventEntry e;
  if (!CollectMoonNextIngress(*pTime, &e)) return 0;
  JdeToJst(e.dJde, pTime);
  if (!szOut) return ReportFatal("!lpStr:GetMoonNextI.");
  TextSink sink;
  SinkStart(&sink, szOut, kMoonNextIngressTextSize);
  SinkPrintf(&sink, "\r\n  月が%s座へ移る時刻(日本時間)\r\n  %s\r\n", kSignHiragana[e.iSign],
             TimeToStrP2(pTime));
  return 1;
}

int MakeAlmanacText(const DateTime& jst, char* szOut, int cbOut) {
  if (!szOut || cbOut <= 0) return ReportFatal("!lpStr:MakeAlmanacText");
  TextSink sink;
  SinkStart(&sink, szOut, cbOut);
  int iResult = 1;
  char szPart[kAlmanacPartSize];
  // The Moon's next sign change moves its own copy of the moment.
  DateTime ingress = jst;
  szPart[0] = '\0';
  if (!MoonNextIngressText(&ingress, szPart)) iResult = 0;
  SinkAppend(&sink, szPart);
  memset(szPart, 0, sizeof szPart);
  if (!MoonPhaseCalendarText(jst, szPart, sizeof szPart)) iResult = 0;
  SinkAppend(&sink, szPart);
  memset(szPart, 0, sizeof szPart);
  if (!GetSunIngressT(&jst, szPart, sizeof szPart, kCmdAlmanac)) iResult = 0;
  SinkAppend(&sink, szPart);
  return iResult;
}

int MakeAlmanacTitle(const DateTime& jst, char* szOut, int cbOut) {
  if (!szOut || cbOut <= 0) return 0;
  TextSink sink;
  SinkStart(&sink, szOut, cbOut);
  SinkPrintf(&sink, "最近のこよみ - 現在時刻:%s", TimeToStr(&jst));
  return sink.len;
}

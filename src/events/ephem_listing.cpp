// The ephemeris listing: 64 successive positions of one body at a fixed
// step, and the decoding of the ephemeris dialog's choice.
#include <cstdio>

#include "base/text_sink.h"
#include "chart/chart_text.h"
#include "ephemeris/ephemeris.h"
#include "events/events.h"
#include "platform/reports.h"
#include "time/timescale.h"

namespace {

// Chart point of each list index; the Moon has its own theory, every other
// body comes from the position dispatcher.
const ChartPoint kEphemPoints[kNumEphemBodies] = {Sun,     Moon,   Mercury, Venus,  Mars,
                                                  Jupiter, Saturn, Uranus,  Neptune};

// Result of the ephemeris dialog: list index + step code, + 1000 when the
// aligned box was checked.
constexpr int kAlignedFlag = 1000;

}  // namespace

const char* EphemStepLabel(int iStep) {
  switch (iStep) {
    case kEphemStepSecond: return "1秒";
    case kEphemStepMinute: return "1分";
    case kEphemStepHour: return "1時間";
    default: return "1日";
  }
}

double EphemStepDays(int iStep) {
  switch (iStep) {
    case kEphemStepSecond: return 1.0 / 86400.0;
    case kEphemStepMinute: return 1.0 / 1440.0;
    case kEphemStepHour: return 1.0 / 24.0;
    default: return 1.0;
  }
}

int DecodeEphemChoice(int iResult, EphemChoice* pChoice) {
  if (iResult < 0) return 0;
  pChoice->iBody = iResult % 100;
  pChoice->iStep = (iResult - pChoice->iBody) % kAlignedFlag;
  pChoice->bAligned = iResult > kAlignedFlag;
  return 1;
}

int EphemConfirmText(const EphemChoice& choice, char* szOut, int cbOut) {
  if (!szOut || cbOut <= 0) return 0;
  const int iBody = choice.iBody >= 0 && choice.iBody < kNumEphemBodies ? choice.iBody : 0;
  TextSink sink;
  SinkStart(&sink, szOut, cbOut);
  SinkPrintf(&sink, "%sの%sごとのこよみ : %s", kEphemBodyNames[iBody], EphemStepLabel(choice.iStep),
             choice.bAligned ? "きりのいい時刻" : "時刻を詳細設定");
  return sink.len;
}

int EphemTimeEntryMode(const EphemChoice& choice) {
  if (choice.iStep == kEphemStepSecond) return kEphemEntrySeconds;
  return choice.bAligned ? choice.iStep : kEphemEntryFree;
}

int EphemPosition(int iBody, long double ldJde, double* pdLong, int* piMotion) {
  if (iBody < 0 || iBody >= kNumEphemBodies) return ReportPlaceKind("MakeEphem", "OOR/iBody", 0);
  const ChartPoint point = kEphemPoints[iBody];
  PositionData pd = {};
  if (point == Moon) {
    pd.dLong[Moon] = GetMoonData(static_cast<double>(ldJde), nullptr, nullptr);
  } else {
    GetPositionData(ldJde, &pd, PlanetOfChartPoint(point));
  }
  if (pd.mv[point] > kMotionStationaryRetrograde) return ReportFatal("MakeEphem:mv?");
  *pdLong = pd.dLong[point];
  *piMotion = pd.mv[point];
  return 1;
}

void EphemLineMoment(const DateTime& start, int iStep, int i, DateTime* pWhen, long double* pldJde) {
  const long double ldJd = DateToJd(start, kJstZoneHours) + i * static_cast<long double>(EphemStepDays(iStep));
  *pldJde = JdToJde(ldJd);
  JdToDate(ldJd + kJstZoneDays, pWhen);
}

int MakeEphem(const DateTime& start, int iBody, int iStep, char* szOut) {
  if (!szOut) return ReportFatal("!str:MakeEphem");
  if (iBody < 0 || iBody >= kNumEphemBodies) return ReportPlaceKind("MakeEphem", "OOR/iBody", 0);
  TextSink sink;
  SinkStart(&sink, szOut, kEphemTextSize);
  SinkPrintf(&sink, "\r\n%s  - 日本時間\r\n\r\n", kEphemBodyNames[iBody]);
  for (int i = 0; i < kNumEphemLines; ++i) {
    DateTime when;
    long double t;
    EphemLineMoment(start, iStep, i, &when, &t);
    double dLong = 0.0;
    int iMotion = 0;
    if (!EphemPosition(iBody, t, &dLong, &iMotion)) return 0;
    Angle a;
    LongitudeToAngle(dLong, &a);
    // Seconds of 59.995 and more would print as 60.00.
    RoundAngleForDisplay(&a, 2);
    SinkPrintf(&sink, "%s    \r\n   ---- %s : %2d°%2d′%05.2f″%s\r\n", TimeToStr(&when),
               kSignNames[a.sign], a.deg, a.min, static_cast<double>(a.sec),
               kMotionListLabels[iMotion]);
  }
  return 1;
}

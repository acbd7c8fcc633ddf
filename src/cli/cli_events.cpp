// horomira event commands: the Sun's ingresses and solar terms, the Moon's
// sign changes and phases, the recent almanac and the ephemeris listing.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <strings.h>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "cli/cli.h"
#include "cli/cli_person.h"
#include "ephemeris/ephemeris.h"
#include "events/events.h"
#include "time/timescale.h"

namespace {

// The program's texts end their lines in CR LF; the terminal gets LF.
void PrintText(const char* szText) {
  std::string s;
  for (const char* p = szText; *p; ++p) {
    if (p[0] == '\r' && p[1] == '\n') continue;
    s += *p;
  }
  Print(s);
}

// A whole number argument; false when it is not one.
bool ParseInt(const std::string& s, int* pValue) {
  long v;
  if (!ParseWholeNumber(s, -100000, 100000, &v)) return false;
  *pValue = static_cast<int>(v);
  return true;
}

// A moment argument checked like the program's entry dialog ("now" is the
// local clock).
bool ParseCheckedMoment(const std::string& s, DateTime* pTime, int* piExit) {
  *piExit = TakeMomentArg(s, s.c_str(), pTime, nullptr);
  return *piExit == 0;
}

// A year (and, when bMonth, a month) argument, checked as 00:00 JST on the
// first of that month.
bool ParseCheckedMonth(const std::string& sYear, const std::string* psMonth, DateTime* pTime, int* piExit) {
  int y, m = 1;
  if (!ParseInt(sYear, &y) || (psMonth && !ParseInt(*psMonth, &m))) {
    *piExit = Fail("年月は整数で指定してください: " + sYear + (psMonth ? " " + *psMonth : std::string()));
    return false;
  }
  *pTime = DateTime{y, m, 1, 0, 0, 0.0};
  *piExit = CheckMoment(*pTime, sYear.c_str(), sYear + (psMonth ? " " + *psMonth : std::string()));
  return *piExit == 0;
}

// The moment is printed to the millisecond, truncated: half a millisecond
// more rounds it.
constexpr long double kHalfMillisecondDays = 0.0005L / 86400.0L;

// An event of the JSON output at its JST moment.
std::string JsonEventAt(const std::string& sLabelCp932, const DateTime& jst, double dJde,
                        const std::string& sExtra = "") {
  DateTime rounded;
  JdToDate(DateToJd(jst, 0.0f) + kHalfMillisecondDays, &rounded);
  return "{\"label\": " + JsonString(sLabelCp932) + ", \"jst\": \"" + IsoMoment(rounded) +
         "\", \"jde\": " + JsonNumber(dJde) + sExtra + "}";
}

std::string JsonEvent(const std::string& sLabelCp932, double dJde, const std::string& sExtra = "") {
  DateTime jst;
  JdeToJst(dJde, &jst);
  return JsonEventAt(sLabelCp932, jst, dJde, sExtra);
}

std::string JsonEntries(const EventEntry* pEntries, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) {
    char szLabel[128];
    EventLabel(pEntries[i], szLabel, sizeof szLabel);
    if (!s.empty()) s += ", ";
    s += JsonEvent(szLabel, pEntries[i].dJde);
  }
  return s;
}

int PrintJsonEvents(const std::string& sEvents, bool bFailed) {
  PrintJson("{\"events\": [" + sEvents + "]}");
  return bFailed ? 1 : 0;
}

// --- ingress YEAR, sekki YEAR ------------------------------------------------

int RunSunListing(CliArgs& a, int iCommand) {
  const bool bJson = a.TakeFlag("--json");
  if (a.args.size() != 1) return Fail("年を一つ指定してください");
  DateTime year;
  int iExit;
  if (!ParseCheckedMonth(a.args[0], nullptr, &year, &iExit)) return iExit;
  if (bJson) {
    EventEntry e[12];
    bool bFailed;
    const int n = CollectSunContacts(year, iCommand, e, 12, &bFailed);
    return PrintJsonEvents(JsonEntries(e, n), bFailed);
  }
  static char sz[32768];
  const int iResult = GetSunIngressT(&year, sz, sizeof sz, iCommand);
  PrintText(sz);
  return iResult ? 0 : 1;
}

int RunIngress(CliArgs& a) { return RunSunListing(a, kCmdSunIngressList); }
int RunSekki(CliArgs& a) { return RunSunListing(a, kCmdSolarTermList); }

// --- moon-ingress YEAR MONTH -------------------------------------------------

int RunMoonIngress(CliArgs& a) {
  const bool bJson = a.TakeFlag("--json");
  if (a.args.size() != 2) return Fail("年と月を指定してください");
  DateTime month;
  int iExit;
  if (!ParseCheckedMonth(a.args[0], &a.args[1], &month, &iExit)) return iExit;
  if (bJson) {
    EventEntry e[kMaxEventEntries];
    bool bFailed;
    const int n = CollectMoonIngresses(month.year, month.month, e, kMaxEventEntries, &bFailed);
    return PrintJsonEvents(JsonEntries(e, n), bFailed);
  }
  static char sz[kMoonIngressTextSize];
  const int iResult = ListMoonIngresses(month, sz);
  PrintText(sz);
  return iResult ? 0 : 1;
}

// --- phases DATE -------------------------------------------------------------

int RunPhases(CliArgs& a) {
  const bool bJson = a.TakeFlag("--json");
  if (a.args.size() != 1) return Fail("日時を一つ指定してください (YYYY-MM-DDTHH:MM:SS)");
  DateTime at;
  int iExit;
  if (!ParseCheckedMoment(a.args[0], &at, &iExit)) return iExit;
  if (bJson) {
    EventEntry e[9];
    bool bFailed;
    const int n = CollectMoonPhases(at, e, 9, &bFailed);
    return PrintJsonEvents(JsonEntries(e, n), bFailed);
  }
  static char sz[32768];
  const int iResult = MoonPhaseCalendarText(at, sz, sizeof sz);
  PrintText(sz);
  return iResult ? 0 : 1;
}

// --- almanac [DATE] ----------------------------------------------------------

int RunAlmanac(CliArgs& a) {
  const bool bJson = a.TakeFlag("--json");
  if (a.args.size() > 1) return Fail("日時は一つだけ指定できます");
  DateTime at;
  if (a.args.empty()) {
    at = PresentMoment();
    at.second = std::floor(at.second);  // the almanac takes whole seconds
  } else {
    int iExit;
    if (!ParseCheckedMoment(a.args[0], &at, &iExit)) return iExit;
  }
  if (bJson) {
    EventEntry e[9];
    bool bFailed = !CollectMoonNextIngress(at, &e[0]);
    std::string s = bFailed ? "" : JsonEntries(e, 1);
    bool bPart;
    int n = CollectMoonPhases(at, e, 9, &bPart);
    bFailed = bFailed || bPart;
    if (n > 0) s += (s.empty() ? "" : ", ") + JsonEntries(e, n);
    n = CollectSunContacts(at, kCmdAlmanac, e, 4, &bPart);
    bFailed = bFailed || bPart;
    if (n > 0) s += (s.empty() ? "" : ", ") + JsonEntries(e, n);
    return PrintJsonEvents(s, bFailed);
  }
  char szTitle[256];
  MakeAlmanacTitle(at, szTitle, sizeof szTitle);
  static char sz[32768];
  const int iResult = MakeAlmanacText(at, sz, sizeof sz);
  PrintLine(szTitle);
  PrintText(sz);
  return iResult ? 0 : 1;
}

// --- ephem BODY STEP START [--aligned] ---------------------------------------

const char* const kBodyCodes[kNumEphemBodies] = {"Sun",     "Moon",   "Mercury", "Venus",  "Mars",
                                                  "Jupiter", "Saturn", "Uranus",  "Neptune"};

bool ParseBody(const std::string& s, int* piBody) {
  for (int i = 0; i < kNumEphemBodies; ++i) {
    if (strcasecmp(s.c_str(), kBodyCodes[i]) == 0 || s == kEphemBodyNames[i]) {
      *piBody = i;
      return true;
    }
  }
  return ParseInt(s, piBody) && *piBody >= 0 && *piBody < kNumEphemBodies;
}

bool ParseStep(const std::string& s, int* piStep) {
  static const char* const kWords[4][3] = {
      {"sec", "second", "1秒"}, {"min", "minute", "1分"}, {"hour", "hour", "1時間"}, {"day", "day", "1日"}};
  for (int i = 0; i < 4; ++i) {
    for (const char* w : kWords[i]) {
      if (strcasecmp(s.c_str(), w) == 0) {
        *piStep = 100 * (i + 1);
        return true;
      }
    }
  }
  return ParseInt(s, piStep) && (*piStep == 100 || *piStep == 200 || *piStep == 300 || *piStep == 400);
}

// The aligned start of the program's entry dialog: a one-day step starts at
// 00:00, a one-hour step on the full hour, a one-minute step on the full
// minute.
void AlignStart(int iStep, DateTime* pStart) {
  if (iStep == kEphemStepSecond) return;
  pStart->second = 0.0;
  if (iStep == kEphemStepMinute) return;
  pStart->minute = 0;
  if (iStep == kEphemStepHour) return;
  pStart->hour = 0;
}

int RunEphem(CliArgs& a) {
  const bool bJson = a.TakeFlag("--json");
  const bool bAligned = a.TakeFlag("--aligned");
  if (a.args.size() != 3) return Fail("天体、間隔、開始日時を指定してください");
  int iBody, iStep;
  if (!ParseBody(a.args[0], &iBody)) return Fail("天体の指定がおかしい: " + a.args[0]);
  if (!ParseStep(a.args[1], &iStep)) return Fail("間隔の指定がおかしい: " + a.args[1]);
  DateTime start;
  int iExit;
  if (!ParseCheckedMoment(a.args[2], &start, &iExit)) return iExit;
  if (bAligned) AlignStart(iStep, &start);
  if (bJson) {
    std::string s;
    for (int i = 0; i < kNumEphemLines; ++i) {
      DateTime when;
      long double t;
      EphemLineMoment(start, iStep, i, &when, &t);
      double dLong = 0.0;
      int iMotion = 0;
      if (!EphemPosition(iBody, t, &dLong, &iMotion)) return PrintJsonEvents(s, true);
      Angle ang;
      LongitudeToAngle(dLong, &ang);
      RoundAngleForDisplay(&ang, 2);  // as the listing shows it
      char szLabel[128];
      snprintf(szLabel, sizeof szLabel, "%s %s %2d°%2d′%05.2f″%s", kEphemBodyNames[iBody],
               kSignNames[ang.sign], ang.deg, ang.min, static_cast<double>(ang.sec),
               kMotionListLabels[iMotion]);
      if (!s.empty()) s += ", ";
      s += JsonEventAt(szLabel, when, static_cast<double>(t),
                       ", \"lon\": " + JsonNumber(dLong) + ", \"motion\": " + std::to_string(iMotion));
    }
    return PrintJsonEvents(s, false);
  }
  static char sz[kEphemTextSize];
  const int iResult = MakeEphem(start, iBody, iStep, sz);
  PrintText(sz);
  return iResult ? 0 : 1;
}

// --- return PERSON AGE|--all ------------------------------------------------

int RunReturn(CliArgs& a) {
  const bool bJson = a.TakeFlag("--json");
  const bool bAll = a.TakeFlag("--all");
  BirthRecord natal;
  if (const int iExit = TakePersonOptions(a, &natal)) return iExit;
  FinishRecord(&natal);
  int iAge = 0;
  if (bAll ? !a.args.empty() : a.args.size() != 1) return Fail("年齢を一つ、または --all を指定してください");
  if (!bAll) {
    if (!ParseInt(a.args[0], &iAge) || iAge < 0 || iAge >= kNumSolarReturns) {
      return Fail("年齢は1から100までで指定してください: " + a.args[0]);
    }
    if (iAge == 0) return Fail("0歳は指定できません");
  }
  // The solar returns start from the JDE of the natal chart.
  static ChartRecord chart;
  HoromiraMain(natal, natal, &chart, kChartNatal, 0, 1.0, kOriginOrdinary);
  const int iFirst = bAll ? 0 : iAge;
  const int iLast = bAll ? kNumSolarReturns - 1 : iAge;
  if (bJson) {
    std::string s;
    for (int i = iFirst; i <= iLast; ++i) {
      if (!s.empty()) s += ", ";
      s += JsonEvent(std::to_string(i) + "歳", static_cast<double>(GetSolarReturnJde(chart.ldJde, i)));
    }
    return PrintJsonEvents(s, false);
  }
  DateTime returns[kNumSolarReturns];
  SolarReturnMoments(chart.ldJde, returns);
  if (bAll) {
    PrintLine("ソーラーリターンの時刻 （日本時間）");
    PrintLine(natal.szName);
  }
  for (int i = iFirst; i <= iLast; ++i) {
    char szLine[128];
    SolarReturnLine(i, returns[i], szLine, sizeof szLine);
    PrintLine(szLine);
  }
  return 0;
}

}  // namespace

const CliCommand kIngressCommand = {"ingress", "ingress YEAR [--json]",
                                    "Lists the Sun's entry into each sign during the year (JST), one per month.",
                                    RunIngress};
const CliCommand kSekkiCommand = {"sekki", "sekki YEAR [--json]",
                                  "Lists the twelve sectional solar terms of the year: the Sun at 15 degrees\n"
                                  "of each sign (JST).",
                                  RunSekki};
const CliCommand kMoonIngressCommand = {"moon-ingress", "moon-ingress YEAR MONTH [--json]",
                                        "Lists the Moon's sign changes during the month and the first one of\n"
                                        "the next month (JST).",
                                        RunMoonIngress};
const CliCommand kPhasesCommand = {"phases", "phases DATE [--json]",
                                   "Lists the lunar phases from the new moon before DATE to the second new\n"
                                   "moon after it (JST).",
                                   RunPhases};
const CliCommand kAlmanacCommand = {"almanac", "almanac [DATE] [--json]",
                                    "The recent almanac: the Moon's next sign change, the lunar phases and\n"
                                    "the solar terms around DATE (now when omitted, whole seconds).",
                                    RunAlmanac};
const CliCommand kEphemCommand = {"ephem", "ephem BODY STEP START [--aligned] [--json]",
                                  "64 apparent longitudes of one body from START (JST) at a fixed step.\n"
                                  "BODY: Sun Moon Mercury Venus Mars Jupiter Saturn Uranus Neptune (or 0..8,\n"
                                  "or the Japanese name).  STEP: sec, min, hour or day (or 100..400).\n"
                                  "--aligned starts a one-minute step on the full minute, a one-hour step on\n"
                                  "the full hour and a one-day step at 00:00.  --json adds \"lon\" (degrees)\n"
                                  "and \"motion\" (0 direct, 1 retrograde, 2/3 stationary) to each event.",
                                  RunEphem};
namespace {

const std::string kReturnUsage =
    std::string("return --name N --date DATE [--unknown-time] ") + kZoneUsage + " [PLACE] AGE|--all [--json]";

}  // namespace

const CliCommand kReturnCommand = {"return", kReturnUsage.c_str(),
                                   "The solar return of a person: the moment (JST) at which the Sun comes back\n"
                                   "to its natal longitude at AGE (1..100), or the list of ages 0..100 that\n"
                                   "the solar-return dialog shows.  PLACE is --place NAME or --lat/--lon.\n"
                                   "--zone reads --date on the clock of a zone or offset, as\n"
                                   "'horomira chart --help' explains with --summer-time, --earlier, --later.",
                                   RunReturn};

// horomira aspects, reading and fortune: the aspect list and reading, the
// character reading and today's fortune of a person, printed as the
// program's popup windows show them.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "cli/cli_person.h"
#include "readings/readings.h"

namespace {

// The text area of the program's text buffer that the popups show, bytes.
constexpr int kPopupTextSize = 32768;
// Orb of a fresh settings file and the largest the orb menu offers, degrees.
constexpr float kDefaultOrb = 5.0f;
constexpr float kMaxOrb = 10.0f;
// Origin codes the reading commands give the chart driver.
constexpr int kOriginReading = 24000;
constexpr int kOriginFortune = 123;

// The popup texts end their lines with CR LF; the terminal wants LF.
void PrintPopup(const std::string& sTitle, const char* szText) {
  std::string s = sTitle + "\n";
  for (const char* p = szText; *p; ++p) {
    if (*p != '\r') s += *p;
  }
  if (s.back() != '\n') s += '\n';
  Print(s);
}

int RejectLeftovers(const CliArgs& a) {
  return a.args.empty() ? 0 : Fail("不明な引数です: " + a.args[0]);
}

int TakeOrb(CliArgs& a, float* pfOrb) {
  std::string sOrb;
  *pfOrb = kDefaultOrb;
  if (!a.TakeOption("--orb", &sOrb)) return 0;
  double d = 0.0;
  if (!ParseDecimalNumber(sOrb, &d) || !(d >= 0.0 && d <= kMaxOrb)) {
    return Fail("オーブは0から10までの度数で指定してください: " + sOrb);
  }
  *pfOrb = static_cast<float>(d);  // 0 is taken as 3 by the detection
  return 0;
}

// The person's natal chart, harmonic 1.
int NatalChart(CliArgs& a, int iOrigin, ChartRecord* pChart) {
  BirthRecord natal;
  if (const int r = TakePersonOptions(a, &natal)) return r;
  if (const int r = RejectLeftovers(a)) return r;
  ResetChartRecord(pChart);
  HoromiraMain(natal, natal, pChart, kChartNatal, 0, 1.0, iOrigin);
  return 0;
}

int RunAspects(CliArgs& a) {
  static char szText[kPopupTextSize];
  if (a.TakeFlag("--explain")) {
    if (const int r = RejectLeftovers(a)) return r;
    PrintPopup("アスペクトとは ...", kAspectHelpText);
    return 0;
  }
  const bool bReading = a.TakeFlag("--reading");
  float fOrb;
  if (const int r = TakeOrb(a, &fOrb)) return r;
  if (a.bValueMissing) return Fail(a.sMissingOption + " には値が必要です");
  static ChartRecord chart;
  if (const int r = NatalChart(a, kOriginOrdinary, &chart)) return r;

  AspectEntry entries[kAspectCapacity];
  const int n = DetectAspects(chart, entries, kAspectCapacity, fOrb);
  SortAspectsByOrb(entries, n);
  char szTitle[kLineLong + 64];
  if (bReading) {
    MakeAspectText(entries, n, szText, sizeof szText);
    snprintf(szTitle, sizeof szTitle, "アスペクトの解読 ( %s)", chart.szTitle);
  } else {
    ListAspects(entries, n, szText, sizeof szText);
    snprintf(szTitle, sizeof szTitle, "アスペクト一覧 ( %s)", chart.szTitle);
  }
  PrintPopup(szTitle, szText);
  return 0;
}

int RunReading(CliArgs& a) {
  static ChartRecord chart;
  if (const int r = NatalChart(a, kOriginReading, &chart)) return r;
  static char szText[kPopupTextSize];
  if (!GetSunAscText(szText, chart)) return 1;
  PrintPopup("ポップアップ - 占い", szText);
  return 0;
}

// The current place of the fortune from --current-place or --current-lat
// and --current-lon, read as the place options of a person are.  *pbGiven
// tells whether any of them was given.
int TakeCurrentPlace(CliArgs& a, BirthRecord* pPlace, bool* pbGiven) {
  CliArgs place;
  const char* const szNames[3][2] = {
      {"--current-place", "--place"}, {"--current-lat", "--lat"}, {"--current-lon", "--lon"}};
  for (const auto& names : szNames) {
    std::string sValue;
    if (a.TakeOption(names[0], &sValue)) place.args.insert(place.args.end(), {names[1], sValue});
  }
  if (a.bValueMissing) return Fail(a.sMissingOption + " には値が必要です");
  const bool bPlace = !place.args.empty() && place.args[0] == "--place";
  const size_t uCoordinates = place.args.size() / 2 - (bPlace ? 1 : 0);
  if (bPlace && uCoordinates > 0) return Fail("--current-place と --current-lat/--current-lon は同時に指定できません");
  if (uCoordinates == 1) return Fail("--current-lat と --current-lon は両方指定してください");
  *pbGiven = !place.args.empty();
  return *pbGiven ? TakePlaceOptions(place, pPlace) : 0;
}

int RunFortune(CliArgs& a) {
  std::string sNow = "now";
  a.TakeOption("--now", &sNow);
  if (a.bValueMissing) return Fail(a.sMissingOption + " には値が必要です");
  BirthRecord current{};
  bool bCurrentGiven = false;
  if (const int r = TakeCurrentPlace(a, &current, &bCurrentGiven)) return r;
  BirthRecord person;
  if (const int r = TakePersonOptions(a, &person)) return r;
  if (const int r = RejectLeftovers(a)) return r;

  // The target: the person at the current place (the birthplace unless
  // told otherwise) at the present moment or the given one.
  const BirthRecord& place = bCurrentGiven ? current : person;
  BirthRecord target = person;
  memcpy(target.szBirthPlace, place.szBirthPlace, sizeof target.szBirthPlace);
  if (sNow == "now") {
    FillWithPresentMoment(&target, place.dBirthLat, place.dBirthLong);
  } else {
    if (const int r = TakeMomentArg(sNow, person.szName, &target.time, nullptr)) return r;
    target.dBirthLat = place.dBirthLat;
    target.dBirthLong = place.dBirthLong;
    target.bTimeKnown = 1;
    target.bSecondsGiven = target.time.second != 0.0;
  }
  FinishRecord(&target);

  static ChartRecord natal, transit;
  ResetChartRecord(&natal);
  ResetChartRecord(&transit);
  HoromiraMain(person, person, &natal, kChartNatal, 0, 1.0, kOriginFortune);
  HoromiraMain(target, person, &transit, kChartTransit, 0, 1.0, kOriginFortune);
  static char szText[kPopupTextSize];
  if (!MakeText(szText, sizeof szText, natal, transit)) return 1;
  PrintPopup("現在の星回り", szText);
  return 0;
}

const std::string kPersonUsage =
    std::string("--name N --date DATE [--unknown-time] ") + kZoneUsage + " [--place NAME | --lat DEG --lon DEG]";
const std::string kPersonHelp =
    std::string("  --name N, --date DATE   the person (JST, YYYY-MM-DDTHH:MM[:SS]); without --name\n"
                "                          the program's \"(No Name)\"\n"
                "  --unknown-time          birth time unknown (12:00 JST)\n") +
    kZoneHelp +
    "  --place NAME            birthplace, a row of the built-in place list\n"
    "  --lat DEG --lon DEG     birthplace, Tokyo datum, north and east positive;\n"
    "                          default 東京都\n";

const std::string kAspectsUsage = "aspects " + kPersonUsage + " [--orb N] [--reading] | aspects --explain";
const std::string kAspectsHelp =
    std::string("Prints the aspect list of the person's natal chart, closest first.\n") + kPersonHelp +
    "  --orb N                 orb in degrees, 0..10 (default 5; 0 means 3)\n"
    "  --reading               the aspect reading: each aspect with its interpretation\n"
    "  --explain               the help text on aspects and orbs";
const std::string kReadingUsage = "reading " + kPersonUsage;
const std::string kReadingHelp =
    std::string("Prints the character reading (nature, behaviour, sensitivity) of the person\n"
                "from the Sun, Ascendant and Moon signs of the natal chart.\n") +
    kPersonHelp;
const std::string kFortuneUsage = "fortune " + kPersonUsage +
                                  " [--now DATE|now] [--current-place NAME | --current-lat DEG --current-lon DEG]";
const std::string kFortuneHelp =
    std::string("Prints today's fortune of the person: the transiting Sun, Moon and Mars read\n"
                "against the natal chart.\n") +
    kPersonHelp +
    "  --now DATE|now          the moment of the transits (default: the local clock)\n"
    "  --current-place NAME    where the person is now, a row of the place list\n"
    "  --current-lat DEG --current-lon DEG\n"
    "                          where the person is now (default: the birthplace)\n"
    "--now is JST; --zone reads --date only.";

}  // namespace

const CliCommand kAspectsCommand = {"aspects", kAspectsUsage.c_str(), kAspectsHelp.c_str(), RunAspects};
const CliCommand kReadingCommand = {"reading", kReadingUsage.c_str(), kReadingHelp.c_str(), RunReading};
const CliCommand kFortuneCommand = {"fortune", kFortuneUsage.c_str(), kFortuneHelp.c_str(), RunFortune};

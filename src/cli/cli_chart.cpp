// horomira chart: a natal, progressed, transit, harmonic or season chart
// with its clipboard text, cusps and reports; horomira places: the place
// list.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/angles.h"
#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "chart/places.h"
#include "cli/cli_person.h"
#include "cli/cli_svg.h"
#include "ephemeris/ephemeris.h"
#include "events/events.h"
#include "platform/reports.h"
#include "time/timescale.h"

namespace {

// The harmonic dialog's range of |h|.
constexpr double kMinHarmonic = 0.1;
constexpr double kMaxHarmonic = 2147.0;

struct SeasonKind {
  const char* szNames[3];  // accepted spellings
  const char* szChartName;
};
const SeasonKind kSeasons[4] = {
    {{"vernal", "spring", "春分"}, "春分図"},
    {{"summer", "solstice", "夏至"}, "夏至図"},
    {{"autumnal", "autumn", "秋分"}, "秋分図"},
    {{"winter", "winter-solstice", "冬至"}, "冬至図"},
};

// The chart asked for on the command line.
struct ChartOptions {
  int iKind = kChartNatal;
  std::string sMoment;  // progressed or transit moment
  double dHarmonic = 1.0;
  int iSeason = -1;     // 0..3 for a season chart
  int iSeasonYear = 0;
  std::string sReport;  // "", "time" or "extended"
  bool bJson = false;
};

int ParseHarmonic(const std::string& s, double* pd) {
  double d = 0.0;
  const bool bNumber = ParseDecimalNumber(s, &d);
  const double a = std::fabs(d);
  if (!bNumber || !(a >= kMinHarmonic && a <= kMaxHarmonic)) {
    return Fail("倍音 " + s +
                ": 正常な半角数字でないか、入力が未完了か、または、絶対値が大きすぎるか小さすぎます。"
                "入力をやり直してください。");
  }
  *pd = d;
  return 0;
}

int ParseSeason(const std::string& sYear, const std::string& sKind, ChartOptions* o) {
  long y;
  if (!ParseWholeNumber(sYear, 0, 9999, &y)) return Fail("入力が未完了または無効: " + sYear);
  for (int k = 0; k < 4; ++k) {
    for (const char* szName : kSeasons[k].szNames) {
      if (sKind == szName || sKind == kSeasons[k].szChartName) {
        o->iSeason = k;
        o->iSeasonYear = static_cast<int>(y);
        return 0;
      }
    }
  }
  return Fail("季節は vernal, summer, autumnal, winter のどれかです: " + sKind);
}

// Takes the chart options; the --season values are the two arguments after it.
int TakeChartOptions(CliArgs& a, ChartOptions* o) {
  o->bJson = a.TakeFlag("--json");
  std::string sProgressed, sTransit, sHarmonic;
  const bool bProgressed = a.TakeOption("--progressed", &sProgressed);
  const bool bTransit = a.TakeOption("--transit", &sTransit);
  const bool bHarmonic = a.TakeOption("--harmonic", &sHarmonic);
  a.TakeOption("--report", &o->sReport);
  if (a.bValueMissing) return Fail(a.sMissingOption + " には値が必要です");
  for (auto it = a.args.begin(); it != a.args.end(); ++it) {
    if (*it != "--season") continue;
    if (a.args.end() - it < 3) return Fail("--season には 年 と 種類 が必要です (例: --season 2024 vernal)");
    if (const int r = ParseSeason(*(it + 1), *(it + 2), o)) return r;
    a.args.erase(it, it + 3);
    break;
  }
  if (bProgressed + bTransit + (o->iSeason >= 0) > 1) {
    return Fail("--progressed, --transit, --season はどれか一つだけ指定できます");
  }
  if (bProgressed) o->iKind = kChartProgressed, o->sMoment = sProgressed;
  if (bTransit) o->iKind = kChartTransit, o->sMoment = sTransit;
  if (o->iSeason >= 0) o->iKind = kChartTransit;
  if (bHarmonic) {
    if (const int r = ParseHarmonic(sHarmonic, &o->dHarmonic)) return r;
  }
  if (!o->sReport.empty() && o->sReport != "time" && o->sReport != "extended") {
    return Fail("--report は time か extended です: " + o->sReport);
  }
  return 0;
}

// A season chart: the moment the Sun reaches 0°, 90°, 180° or 270° in the
// year, at the given place, named after the season.
int ComputeSeasonChart(CliArgs& a, const ChartOptions& o, ChartRecord* pChart, PositionData* pd) {
  BirthRecord rec{};
  rec.iDataNo = -1;
  snprintf(rec.szName, sizeof rec.szName, "%s", kSeasons[o.iSeason].szChartName);
  if (const int r = TakePlaceOptions(a, &rec)) return r;
  rec.time = DateTime{o.iSeasonYear, 1, 1, 0, 0, 0.0};
  const long double t = GetNextSunContactJde(static_cast<double>(JstToJde(rec.time)), 90.0 * o.iSeason);
  if (t == 0) return kExitBadInput;
  JdeToJst(t, &rec.time);
  rec.bTimeKnown = 1;
  rec.bSecondsGiven = 1;
  FinishRecord(&rec);
  HoromiraMain(rec, rec, pChart, kChartTransit, 0, o.dHarmonic, kOriginVernal + o.iSeason, pd);
  const size_t n = strlen(pChart->szTitle);
  snprintf(pChart->szTitle + n, sizeof pChart->szTitle - n, "/ %s", kSeasons[o.iSeason].szChartName);
  return 0;
}

// A chart of a person: natal, or progressed or transit for a moment at the
// person's place.  *pNatal receives the person.
int ComputePersonChart(CliArgs& a, const ChartOptions& o, ChartRecord* pChart, PositionData* pd,
                       BirthRecord* pNatal) {
  BirthRecord& natal = *pNatal;
  if (const int r = TakePersonOptions(a, &natal)) return r;
  if (o.iKind == kChartNatal) {
    HoromiraMain(natal, natal, pChart, kChartNatal, 0, o.dHarmonic, kOriginOrdinary, pd);
    return 0;
  }
  BirthRecord target = natal;
  if (o.sMoment == "now") {
    FillWithPresentMoment(&target, natal.dBirthLat, natal.dBirthLong);
  } else {
    if (const int r = TakeMomentArg(o.sMoment, natal.szName, &target.time, nullptr)) return r;
    target.bTimeKnown = 1;
    target.bSecondsGiven = target.time.second != 0.0;
  }
  HoromiraMain(target, natal, pChart, o.iKind, 0, o.dHarmonic, kOriginOrdinary, pd);
  return 0;
}

std::string WithoutCarriageReturns(const char* sz) {
  std::string s;
  for (; *sz; ++sz) {
    if (*sz != '\r') s += *sz;
  }
  return s;
}

void PrintCusps(const ChartRecord& chart) {
  PrintLine(chart.iHouseMode == 1 ? "ハウス: プラシーダス" : "ハウス: ASCからの等分割 (この緯度ではプラシーダス方式はサポートされません)");
  for (int k = 0; k < 12; ++k) {
    Angle a;
    LongitudeToAngle(chart.dCusp[k], &a);
    char szPosition[kLineDetail];
    FormatPositionText(szPosition, sizeof szPosition, a);
    char sz[128];
    snprintf(sz, sizeof sz, "第%2d室カスプ: %s", k + 1, szPosition);
    PrintLine(sz);
  }
}

void PrintChart(const ChartRecord& chart, const std::string& sReport) {
  char szText[kChartTextSize];
  MakeChartText(szText, sizeof szText, chart);
  Print(WithoutCarriageReturns(szText));
  PrintLine("");
  PrintCusps(chart);
  if (sReport == "time") {
    PrintLine("");
    for (int i = 0; i < 14; ++i) PrintLine(chart.szTime[i]);
  } else if (sReport == "extended") {
    char szReport[kExtendedReportSize];
    MakeExtendedReport(szReport, sizeof szReport, chart);
    PrintLine("");
    Print(WithoutCarriageReturns(szReport));
  }
}

// The house mode of a chart whose angles were not computed (a pole, or a
// failed sidereal step): the chart driver then writes no cusp.
constexpr int32_t kAnglesNotComputed = -1;

// bAngles: the ASC, the MC and the cusps were computed (not at a pole).
void PrintChartJson(const ChartRecord& chart, const PositionData& pd, bool bAngles) {
  std::string s = "{\"jd_ut\": " + JsonNumber(static_cast<double>(chart.ldJd)) +
                  ", \"jde\": " + JsonNumber(static_cast<double>(chart.ldJde)) +
                  ", \"delta_t_s\": " + JsonNumber(static_cast<double>((chart.ldJde - chart.ldJd) * 86400.0L)) +
                  ", \"kind\": " + std::to_string(chart.wKind) +
                  ", \"harmonic\": " + JsonNumber(chart.fHarmonic) +
                  ", \"title\": " + JsonString(chart.szTitle) + ", \"points\": {";
  for (int i = 0; i < kNumChartPoints; ++i) {
    s += std::string(i ? ", " : "") + "\"" + kChartPointNames[i] + "\": ";
    if (chart.dLong[i] == -1.0 || (!bAngles && (i == Asc || i == MC))) {
      s += "null";
    } else {
      s += "{\"lon\": " + JsonNumber(chart.dLong[i]) + ", \"motion\": " + std::to_string(pd.mv[i]) + "}";
    }
  }
  // Cusps in [0, 360), as every longitude of the output; none where the
  // angles are undefined.
  s += "}, \"cusps\": ";
  if (bAngles) {
    s += "[";
    for (int k = 0; k < 12; ++k) s += (k ? ", " : "") + JsonNumber(Normalize360(chart.dCusp[k]));
    s += "], \"house_mode\": " + std::to_string(chart.iHouseMode) + "}";
  } else {
    s += "null, \"house_mode\": null}";
  }
  PrintJson(s);
}

// Which picture --svg may draw of the chart asked for.
int CheckSvgRequest(const SvgOptions& svg, const ChartOptions& o) {
  if (svg.sFile.empty()) return 0;
  if (o.bJson || !o.sReport.empty()) return Fail("--svg は --json, --report と同時に指定できません");
  if (svg.iView == kViewDouble && (o.iKind != kChartTransit || o.iSeason >= 0)) {
    return Fail("--view 3 (2重円) には --transit DATE|now が必要です: 内側に出生図、外側にトランジット図を描きます");
  }
  return 0;
}

// The chart in the slot of its kind, on view; in view 3 the person's natal
// chart inside the transit chart.
int WriteSvg(const SvgOptions& svg, const ChartOptions& o, const ChartRecord& chart, const BirthRecord& natal) {
  static ChartSlots slots;
  ResetChartSlots(&slots);
  const int iSlot = o.iKind;  // the slots of the natal, progressed and transit charts are 0, 1, 2
  slots.charts[iSlot] = chart;
  slots.iCurKind = o.iKind;
  slots.bCurSlot = static_cast<uint8_t>(iSlot);
  slots.iViewMode = svg.iView;
  if (svg.iView == kViewDouble) {
    HoromiraMain(natal, natal, &slots.charts[kSlotNatal], kChartNatal, 0, o.dHarmonic, kOriginOrdinary);
    slots.bInnerSlot = kSlotNatal;
  }
  return WriteChartSvg(svg, &slots);
}

int RunChart(CliArgs& a) {
  ChartOptions o;
  if (const int r = TakeChartOptions(a, &o)) return r;
  SvgOptions svg;
  if (const int r = TakeSvgOptions(a, &svg)) return r;
  if (const int r = CheckSvgRequest(svg, o)) return r;
  static ChartRecord chart;
  ResetChartRecord(&chart);
  chart.iHouseMode = kAnglesNotComputed;  // stays so when no cusp is written
  PositionData pd{};
  BirthRecord natal{};
  const int r =
      o.iSeason >= 0 ? ComputeSeasonChart(a, o, &chart, &pd) : ComputePersonChart(a, o, &chart, &pd, &natal);
  if (r) return r;
  // The record keeps the house mode of a reset record where no cusp was
  // written.
  const bool bAngles = chart.iHouseMode != kAnglesNotComputed;
  if (!bAngles) chart.iHouseMode = 0;
  if (!a.args.empty()) return Fail("不明な引数です: " + a.args[0]);
  if (!svg.sFile.empty()) return WriteSvg(svg, o, chart, natal);
  if (o.bJson) {
    PrintChartJson(chart, pd, bAngles);
  } else {
    PrintChart(chart, o.sReport);
  }
  return 0;
}

int RunPlaces(CliArgs& a) {
  if (!a.args.empty()) return Fail("不明な引数です: " + a.args[0]);
  for (int i = 0; i < kNumPlaces; ++i) {
    const PlaceRow& row = kPlaceTable[i];
    char sz[160];
    snprintf(sz, sizeof sz, "%-30s %2d°%02d′%c %3d°%02d′E", row.szText, row.bLatDeg, row.bLatMin,
             row.cLatHemisphere, row.bLongDeg, row.bLongMin);
    PrintLine(sz);
  }
  return 0;
}

}  // namespace

const CliCommand kChartCommand = {
    "chart",
    "chart (--name N --date DATE [--unknown-time] [--place NAME | --lat DEG --lon DEG] | --default-person) "
    "[--progressed DATE|now | --transit DATE|now | --season YEAR KIND] [--harmonic H] "
    "[--report time|extended] [--json] [--svg FILE [--size WxH] [--view 0|1|2|3] [--background 0..5]]",
    "Computes a chart and prints its clipboard text, its twelve house cusps and the\n"
    "requested report.\n"
    "  --name N, --date DATE   the person (JST, YYYY-MM-DDTHH:MM[:SS]); without --name\n"
    "                          the program's \"(No Name)\"\n"
    "  --unknown-time          birth time unknown: 12:00 JST, houses from the Sun\n"
    "  --default-person        the program's built-in default person\n"
    "  --place NAME            a row of the built-in place list ('horomira places')\n"
    "  --lat DEG --lon DEG     Tokyo datum, north and east positive; default 東京都\n"
    "  --progressed DATE|now   progressed chart (one day for each year of life)\n"
    "  --transit DATE|now      transit chart at the person's place\n"
    "  --season YEAR KIND      vernal, summer, autumnal or winter chart of a year at\n"
    "                          the place (no person needed)\n"
    "  --harmonic H            harmonic chart, 0.1 <= |H| <= 2147\n"
    "  --report time           the time and geodesy lines\n"
    "  --report extended       Placidus cusps and the lunar data\n"
    "  --json                  jd_ut, jde, delta_t_s, points {Sun..MC: {lon, motion}}\n"
    "                          (null outside a body's period), cusps in [0, 360) and\n"
    "                          house_mode (Asc, MC, cusps and house_mode null at a pole)\n"
    "  --svg FILE              instead of the text, write the chart view as Horomap.exe\n"
    "                          paints it (equal houses) to FILE as SVG, a class on\n"
    "                          every element\n"
    "  --size WxH              the client area below the tool bar, default 800x560\n"
    "  --view 0|1|2|3          0 wheel and summary, 1 detailed data, 2 geodesy and\n"
    "                          time, 3 double circle: the natal chart inside the\n"
    "                          --transit chart\n"
    "  --background 0..5       grey-green (default), light blue, deep blue, pink,\n"
    "                          white, black",
    RunChart,
};

const CliCommand kPlacesCommand = {"places", "places",
                                   "Lists the built-in places (Tokyo datum) that --place accepts.",
                                   RunPlaces};

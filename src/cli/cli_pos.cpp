// horomira pos: apparent longitudes, signs and motion marks of every body
// and the lunar nodes for a JST moment.
#include <cmath>
#include <cstdio>

#include "base/angles.h"
#include "cli/cli.h"
#include "cli/cli_person.h"
#include "ephemeris/ephemeris.h"
#include "time/timescale.h"

namespace {

// Points printed, in chart order without the angles.
const ChartPoint kPoints[] = {Sun,    Moon,   Mercury, Venus, Mars,    Jupiter,
                              Saturn, Uranus, Neptune, Pluto, DragonH, DragonT};

// The chart driver shows Pluto for years 1885..2099 only.
bool PlutoComputable(const DateTime& jst) { return jst.year >= 1885 && jst.year <= 2099; }

int RunPos(CliArgs& a) {
  const bool bJson = a.TakeFlag("--json");
  if (a.args.size() > 1) return Fail("日時は一つだけ指定してください (YYYY-MM-DDTHH:MM:SS)");
  DateTime jst;
  const std::string sMoment = a.args.empty() ? "now" : a.args[0];
  if (const int r = TakeMomentArg(sMoment, sMoment.c_str(), &jst, nullptr)) return r;
  const CliTimeScales scales = ChartTimeScales(jst);
  const long double ldJde = scales.ldJde;

  PositionData pd{};
  GetPositionData(ldJde, &pd, -1);
  double dNode = 0.0;
  pd.dLong[Moon] = GetMoonData(static_cast<double>(ldJde), &dNode, nullptr);
  pd.dLong[DragonH] = dNode;
  pd.dLong[DragonT] = Normalize360(dNode - 180.0);
  const bool bPluto = PlutoComputable(jst);

  if (bJson) {
    std::string s = "{\"jd_ut\": " + JsonNumber(static_cast<double>(scales.ldJd)) +
                    ", \"jde\": " + JsonNumber(static_cast<double>(ldJde)) +
                    ", \"delta_t_s\": " + JsonNumber(scales.dDeltaTSeconds) + ", \"points\": {";
    bool bFirst = true;
    for (ChartPoint i : kPoints) {
      s += std::string(bFirst ? "" : ", ") + "\"" + kChartPointNames[i] + "\": ";
      bFirst = false;
      if (i == Pluto && !bPluto) {
        s += "null";
      } else {
        s += "{\"lon\": " + JsonNumber(pd.dLong[i]) + ", \"motion\": " + std::to_string(pd.mv[i]) + "}";
      }
    }
    PrintJson(s + "}}");
    return 0;
  }

  PrintLine(std::string("日本時間    ") + TimeToStr(&jst));
  char sz[160];
  snprintf(sz, sizeof sz, "ＪＤ(TD)    %.8Lf", ldJde);
  PrintLine(sz);
  for (ChartPoint i : kPoints) {
    if (i == Pluto && !bPluto) {
      PrintLine(std::string(kChartPointLabels[i]) + "  計算可能期間外");
      continue;
    }
    Angle ang;
    LongitudeToAngle(pd.dLong[i], &ang);
    // Truncated, not rounded, so that 29°59′59.96″ never reads 60.0″.
    snprintf(sz, sizeof sz, "%s  %s %2d°%02d′%04.1f″  %10.6f°  %s", kChartPointLabels[i],
             kSignNames[ang.sign], ang.deg, ang.min, std::floor(ang.sec * 10.0) / 10.0,
             std::floor(ang.lon * 1e6) / 1e6, kMotionListLabels[pd.mv[i] & 3]);
    std::string sLine = sz;
    sLine.erase(sLine.find_last_not_of(' ') + 1);
    PrintLine(sLine);
  }
  return 0;
}

}  // namespace

const CliCommand kPosCommand = {"pos", "pos [DATE] [--json]",
                                "Prints the apparent geocentric longitudes (true equinox of date) of the\n"
                                "Sun, the Moon, the planets and Pluto, with sign and motion mark, and the\n"
                                "Moon's true ascending and descending nodes for a JST moment (now when no\n"
                                "date is given).  Pluto is shown for the years 1885..2099 only.\n"
                                "--json prints jd_ut, jde, delta_t_s and points {name: {lon, motion}}\n"
                                "(motion: 0 direct, 1 retrograde, 2/3 stationary; null: out of period).",
                                RunPos};

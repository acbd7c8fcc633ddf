// horomira time: a JST moment on the time scales of the program.
#include <cstdio>

#include "cli/cli.h"
#include "cli/cli_person.h"
#include "time/timescale.h"

namespace {

int RunTime(CliArgs& a) {
  const bool bJson = a.TakeFlag("--json");
  if (a.args.size() != 1) return Fail("日時を一つ指定してください (YYYY-MM-DDTHH:MM:SS)");
  DateTime jst;
  if (const int r = TakeMomentArg(a.args[0], a.args[0].c_str(), &jst, nullptr)) return r;
  const CliTimeScales scales = ChartTimeScales(jst);
  const long double ldJd = scales.ldJd;
  const long double ldJde = scales.ldJde;
  const double dDeltaTSeconds = scales.dDeltaTSeconds;

  if (bJson) {
    std::string s = "{\"jd_ut\": " + JsonNumber(static_cast<double>(ldJd)) +
                    ", \"jde\": " + JsonNumber(static_cast<double>(ldJde)) +
                    ", \"delta_t_s\": " + JsonNumber(dDeltaTSeconds) +
                    ", \"time_str\": " + JsonString(TimeToStr(&jst)) +
                    ", \"time_str_p1\": " + JsonString(TimeToStrP1(&jst)) +
                    ", \"time_str_p2\": " + JsonString(TimeToStrP2(&jst)) +
                    ", \"time_str_l\": " + JsonString(TimeToStrL(&jst)) + "}";
    PrintJson(s);
    return 0;
  }
  char sz[128];
  snprintf(sz, sizeof sz, "JD(UT)      %.8Lf", ldJd);
  PrintLine(sz);
  snprintf(sz, sizeof sz, "JDE         %.8Lf", ldJde);
  PrintLine(sz);
  snprintf(sz, sizeof sz, "ΔＴ         %.3f秒", dDeltaTSeconds);
  PrintLine(sz);
  PrintLine(std::string("TimeToStr   ") + TimeToStr(&jst));
  PrintLine(std::string("TimeToStrP1 ") + TimeToStrP1(&jst));
  PrintLine(std::string("TimeToStrP2 ") + TimeToStrP2(&jst));
  PrintLine(std::string("TimeToStrL  ") + TimeToStrL(&jst));
  return 0;
}

}  // namespace

const CliCommand kTimeCommand = {"time", "time DATE [--json]",
                                 "Converts a JST date-time to JD(UT), JDE and Delta T and prints the\n"
                                 "program's four time strings.",
                                 RunTime};

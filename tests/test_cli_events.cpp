// horomira event commands: the texts and the JSON contract.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "events/events.h"
#include "events_test_support.h"
#include "cli_test_support.h"
#include "time/timescale.h"

namespace {

// The text of the program with CR LF turned into LF, as horomira prints it.
std::string Lf(const char* sz) {
  std::string s;
  for (const char* p = sz; *p; ++p) {
    if (!(p[0] == '\r' && p[1] == '\n')) s += *p;
  }
  return s;
}

TEST(CliEvents, TextsAreTheProgramsTexts) {
  int iExit = -1;
  static char sz[32768];
  const DateTime y = {2024, 1, 1, 0, 0, 0.0};
  GetSunIngressT(&y, sz, sizeof sz, kCmdSunIngressList);
  EXPECT_EQ(RunCliOut("ingress 2024", &iExit), Lf(sz));
  EXPECT_EQ(iExit, 0);
  ListMoonIngresses(DateTime{2024, 2, 1, 0, 0, 0.0}, sz);
  EXPECT_EQ(RunCliOut("moon-ingress 2024 2", &iExit), Lf(sz));
  MakeEphem(DateTime{2024, 3, 10, 0, 0, 0.0}, 2, kEphemStepHour, sz);
  EXPECT_EQ(RunCliOut("ephem Mercury hour 2024-03-10T00:42:17 --aligned", &iExit), Lf(sz));
  EXPECT_EQ(iExit, 0);
}

TEST(CliEvents, JsonEvents) {
  int iExit = -1;
  const std::string s = RunCliOut("sekki 2024 --json", &iExit);
  ASSERT_EQ(iExit, 0);
  EXPECT_EQ(s.find("{\"events\": [{\"label\": \"小寒: 太陽が やぎ座15.0度を通過\", \"jst\": \"2024-01-06T"), 0u)
      << s;
  EXPECT_EQ(CountOf(s, "\"label\": "), 12);
  EXPECT_EQ(CountOf(s, "\"jde\": 2460"), 12);

  const std::string sPhases = RunCliOut("phases 2024-05-10T21:30 --json", &iExit);
  EXPECT_EQ(CountOf(sPhases, "\"label\": \"新月\""), 3);
  EXPECT_EQ(CountOf(sPhases, "\"label\": "), 9);

  const std::string sAlmanac = RunCliOut("almanac 2024-05-10T21:30:15 --json", &iExit);
  EXPECT_EQ(CountOf(sAlmanac, "\"label\": "), 14);  // next ingress, 9 phases, 4 terms
  EXPECT_TRUE(Contains(sAlmanac, "{\"label\": \"かに座へのイングレス\", \"jst\": \"2024-05-11T12:")) << sAlmanac;

  const std::string sEphem = RunCliOut("ephem Moon sec 2024-03-10T12:00 --json", &iExit);
  EXPECT_EQ(iExit, 0);
  EXPECT_EQ(CountOf(sEphem, "\"lon\": "), 64);
  EXPECT_TRUE(Contains(sEphem, "\"jst\": \"2024-03-10T12:00:01.000\"")) << sEphem;
  EXPECT_TRUE(Contains(sEphem, ", \"motion\": 0}"));
}

TEST(CliEvents, SolarReturn) {
  int iExit = -1;
  const DateTime birth = {1990, 6, 15, 8, 30, 0.0};
  DateTime returns[kNumSolarReturns];
  SolarReturnMoments(JstToJde(birth), returns);
  char szLine[128];
  SolarReturnLine(34, returns[34], szLine, sizeof szLine);
  EXPECT_EQ(RunCliOut("return --name Yamada --date 1990-06-15T08:30 34", &iExit), std::string(szLine) + "\n");
  EXPECT_EQ(iExit, 0);
  const std::string sAll = RunCliOut("return --name Yamada --date 1990-06-15T08:30 --all", &iExit);
  EXPECT_EQ(CountOf(sAll, "\n"), 103);
  EXPECT_EQ(sAll.find("ソーラーリターンの時刻 （日本時間）\nYamada\n  0歳 ... 1990年 6月15日  8時30分00秒\n"), 0u);
  const std::string sJson = RunCliOut("return --name Yamada --date 1990-06-15T08:30 34 --json", &iExit);
  const size_t i = sJson.find("\"jde\": ");
  ASSERT_NE(i, std::string::npos) << sJson;
  EXPECT_NEAR(strtod(sJson.c_str() + i + 7, nullptr),
              static_cast<double>(GetSolarReturnJde(JstToJde(birth), 34)), 1e-8);
  RunCliOut("return --name Yamada --date 1990-06-15T08:30 0", &iExit);
  EXPECT_EQ(iExit, 2);
}

TEST(CliEvents, BadInput) {
  int iExit = -1;
  EXPECT_EQ(RunCliOut("ephem Pluto day 2024-01-01", &iExit), "");
  EXPECT_EQ(iExit, 2);
  RunCliOut("ephem Sun week 2024-01-01", &iExit);
  EXPECT_EQ(iExit, 2);
  RunCliOut("moon-ingress 2024 13", &iExit);
  EXPECT_EQ(iExit, 2);
  RunCliOut("ingress 9000", &iExit);
  EXPECT_EQ(iExit, 2);
  RunCliOut("phases 2024-02-30", &iExit);
  EXPECT_EQ(iExit, 2);
}

// A listing starts at its start and keeps whole seconds across the step of
// Delta T at New Year 2024 (09:00 JST), in text and in JSON.
TEST(CliEvents, EphemStartsAtItsStartAcrossADeltaTStep) {
  int iExit = -1;
  const std::string s = RunCliOut("ephem Sun sec 2024-01-01T08:59:30", &iExit);
  EXPECT_EQ(iExit, 0);
  EXPECT_EQ(s.find("\n太陽  - 日本時間\n\n 2024年 1月 1日  8時59分30秒"), 0u) << s;
  EXPECT_TRUE(Contains(s, " 2024年 1月 1日  9時 0分00秒"));
  const std::string sJson = RunCliOut("ephem Sun sec 2024-01-01T08:59:30 --json", &iExit);
  EXPECT_TRUE(Contains(sJson, "\"jst\": \"2024-01-01T08:59:30.000\""));
  EXPECT_TRUE(Contains(sJson, "\"jst\": \"2024-01-01T09:00:33.000\""));
}

// Years before A.D. 1 are accepted by the year commands, and every moment
// the JSON prints is accepted back as input.
TEST(CliEvents, YearsBeforeOurEraAndTheirMomentsReadBack) {
  int iExit = -1;
  EXPECT_TRUE(Contains(RunCliOut("ingress -1", &iExit), "   -1年 1月の イングレス"));
  EXPECT_EQ(iExit, 0);
  EXPECT_EQ(CountOf(RunCliOut("sekki -500", &iExit), "度を通過"), 12);
  EXPECT_EQ(iExit, 0);
  EXPECT_TRUE(Contains(RunCliOut("moon-ingress -1 12", &iExit), "月"));
  EXPECT_EQ(iExit, 0);
  for (const char* szArgs : {"sekki -501 --json", "moon-ingress -999 1 --json", "ingress -4000 --json",
                             "sekki 8000 --json"}) {
    SCOPED_TRACE(szArgs);
    const std::string s = RunCliOut(szArgs, &iExit);
    ASSERT_EQ(iExit, 0);
    // The first and the last moment go back in (every form is covered by
    // the unit test of the moment texts).
    const size_t iFirst = s.find("\"jst\": \""), iLast = s.rfind("\"jst\": \"");
    ASSERT_NE(iFirst, std::string::npos) << s;
    for (const size_t i : {iFirst, iLast}) {
      const std::string sJst = s.substr(i + 8, s.find('"', i + 8) - (i + 8));
      const CliResult r = RunCli("time " + sJst);
      EXPECT_EQ(r.iExit, 0) << sJst << "\n" << r.err;
    }
    EXPECT_GE(CountOf(s, "\"jst\": "), 12);
  }
  EXPECT_TRUE(Contains(RunCliOut("sekki -501 --json", &iExit), "\"jst\": \"-0501-"));
}

// Numbers are decimal digits: blanks, signs, hexadecimal and empty values
// are refused with a message instead of being read as something else.
TEST(CliEvents, StrictNumbers) {
  for (const char* szArgs :
       {"moon-ingress 2000 ''", "moon-ingress 2000 ' 1'", "ingress ' 2000'", "ingress +2000", "ingress 0x7D0",
        "sekki 2000.0", "time 2000-01-01T12:00:0x3C", "time ' 2000-01-01'", "time +2000-01-01",
        "ephem Sun day '2000-01-01T12: 00'", "return --name A --date 2000-01-01 +5",
        "chart --name A --date 2000-01-01 --lat 0x23 --lon 135", "chart --name A --date 2000-01-01 --harmonic 1e1",
        "chart --season ' 2024' vernal", "aspects --name A --date 2000-01-01 --orb ' 5'"}) {
    SCOPED_TRACE(szArgs);
    const CliResult r = RunCli(szArgs);
    EXPECT_EQ(r.iExit, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err, "");
  }
}

}  // namespace

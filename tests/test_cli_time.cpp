// horomira time: the time scales of a JST moment, and bad input refused with
// the program's own messages.
#include <cstdlib>

#include "cli_test_support.h"

namespace {

TEST(CliTime, PrintsTheTimeScalesAndTheFourStrings) {
  const CliResult r = RunCli("time 2000-01-01T21:00");
  ASSERT_EQ(r.iExit, 0) << r.err;
  EXPECT_EQ(r.out,
            "JD(UT)      2451545.00000000\n"
            "JDE         2451545.00074287\n"
            "ΔＴ         64.184秒\n"
            "TimeToStr    2000年 1月 1日 21時 0分00秒\n"
            "TimeToStrP1  2000年 1月 1日 21時 0分00秒0\n"
            "TimeToStrP2  2000年 1月 1日 21時 0分00秒00\n"
            "TimeToStrL    日本時間 2000年 1月 1日 21時 0分00秒0\n");
}

TEST(CliTime, JsonInFullPrecision) {
  const CliResult r = RunCli("time 1972-07-01T08:59:60 --json");
  ASSERT_EQ(r.iExit, 0) << r.err;
  // The leap second: 09:00:00 JST on the UT scale, one second later in TD.
  const size_t i = r.out.find("\"jd_ut\": ");
  ASSERT_NE(i, std::string::npos);
  EXPECT_EQ(strtod(r.out.c_str() + i + 9, nullptr), 2441499.5);
  const size_t j = r.out.find("\"delta_t_s\": ");
  ASSERT_NE(j, std::string::npos);
  EXPECT_NEAR(strtod(r.out.c_str() + j + 13, nullptr), 43.184, 1e-5);
  // Rounded to the second the leap second reads as the next minute; with
  // tenths it stays.
  EXPECT_TRUE(Contains(r.out, "\"time_str\": \" 1972年 7月 1日  9時 0分00秒\""));
  EXPECT_TRUE(Contains(r.out, "\"time_str_p1\": \" 1972年 7月 1日  8時59分60秒0\""));
}

TEST(CliTime, TheLastFractionOfASecondIsNoLeapSecond) {
  const CliResult r = RunCli("time 2000-01-01T12:00:59.99999999");
  EXPECT_EQ(r.iExit, 0) << r.err;
  EXPECT_TRUE(Contains(r.out, "TimeToStrP2  2000年 1月 1日 12時 0分59秒99")) << r.out;
}

// An output that cannot be written is a failed run: a small one (lost at
// the end) and a large one (lost while printing).
TEST(CliTime, AFailedWriteOfTheOutputFails) {
  for (const char* szArgs : {"time 2000-01-01T21:00", "ephem Moon sec 2024-03-10T12:00 --json", "--help",
                             "chart --date 1990-05-17T14:23 --report extended"}) {
    SCOPED_TRACE(szArgs);
    const CliResult r = RunCli(std::string(szArgs) + " >/dev/full");
    EXPECT_NE(r.iExit, 0);
    EXPECT_TRUE(Contains(r.err, "出力を書き込めませんでした")) << r.err;
  }
  EXPECT_EQ(RunCli("time 2000-01-01T21:00 >/dev/null").iExit, 0);
}

TEST(CliTime, BadInputGetsTheProgramsMessage) {
  struct Case {
    const char* szArg;
    const char* szMessage;
  };
  const Case cases[] = {
      {"2024-13-01", "年月日の「月」の指定がおかしい。"},
      {"1582-10-10", "グレゴリオ暦には存在しない日付です。"},
      {"1972-07-02T08:59:60", "存在しないうるう秒です。"},
      {"garbage", "日時の形式が正しくありません: garbage"},
      {"9000-01-01", "計算可能期間(4000 B.C. - 8000 A.D.)の外です。"},
  };
  for (const Case& c : cases) {
    const CliResult r = RunCli(std::string("time ") + c.szArg);
    EXPECT_NE(r.iExit, 0) << c.szArg;
    EXPECT_EQ(r.out, "") << c.szArg;
    EXPECT_TRUE(Contains(r.err, c.szMessage)) << c.szArg << "\n" << r.err;
  }
}

}  // namespace

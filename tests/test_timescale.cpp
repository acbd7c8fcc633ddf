// Delta T, JST <-> JDE, the chart's time-scale lines and the time strings.
#include <cmath>
#include <cstring>
#include <vector>

#include "base/chart_record.h"
#include "test_support.h"
#include "time/timescale.h"

namespace {

double DeltaTSeconds(int y, int m, int d = 1) {
  const DateTime ut{y, m, d, 0, 0, 0.0};
  return GetDeltaT(ut, DateToJd(ut, 0)) * 86400.0;
}

TEST(GetDeltaT, EveryModel) {
  EXPECT_NEAR(DeltaTSeconds(1700, 1), 24.325, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(1850, 1), 7.179, 5e-4);
  EXPECT_NEAR(DeltaTSeconds(1920, 1), 21.37, 5e-3);
  EXPECT_NEAR(DeltaTSeconds(1950, 6), 29.9, 1e-5);
  EXPECT_NEAR(DeltaTSeconds(1972, 1), 42.184, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(1972, 7), 43.184, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(2000, 1), 64.184, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(2007, 12), 65.184, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(2008, 1), 66.0, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(2010, 1), 67.0, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(2050, 1), 91.0, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(0, 1), 10632.325, 1e-6);
  EXPECT_NEAR(DeltaTSeconds(-4000, 1), 109692.325, 1e-6);
}

TEST(GetDeltaT, SeamsBelongToTheModel) {
  EXPECT_NEAR(DeltaTSeconds(1799, 6), -14.607, 5e-4);
  EXPECT_NEAR(DeltaTSeconds(2099, 6), 121.0, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(2100, 6), 258.325, 1e-9);
  // Leap-second table steps: 1981 July, 1985 July, 1997 July.
  EXPECT_NEAR(DeltaTSeconds(1981, 6), 51.184, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(1981, 7), 52.184, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(1985, 7), 55.184, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(1997, 7), 63.184, 1e-9);
  EXPECT_NEAR(DeltaTSeconds(2006, 1), 65.184, 1e-9);
}

TEST(JstToJde, RoundTripsThroughJdeToJst) {
  const DateTime jst{1990, 5, 17, 14, 23, 41.25};
  const long double ldJde = JstToJde(jst);
  EXPECT_NEAR(static_cast<double>(ldJde - DateToJd(jst, 9.0f)) * 86400.0, 57.184, 1e-6);
  DateTime back;
  EXPECT_EQ(JdeToJst(ldJde, &back), 1);
  EXPECT_EQ(back.year, 1990);
  EXPECT_EQ(back.month, 5);
  EXPECT_EQ(back.day, 17);
  EXPECT_EQ(back.hour, 14);
  EXPECT_EQ(back.minute, 23);
  EXPECT_NEAR(back.second, 41.25, 1e-3);
}

// Seconds between two JST moments.
double SecondsBetween(const DateTime& a, const DateTime& b) {
  return static_cast<double>((DateToJd(b, 9.0f) - DateToJd(a, 9.0f)) * 86400.0L);
}

// JST -> JDE -> JST gives the moment back next to every forward step of
// the Delta T model (the UT New Year at 09:00 JST, the leap seconds of
// January and July, the seams of 1800 and 2100, every year from 2008), and
// at ordinary moments all over the computable period.
TEST(JstToJde, RoundTripsAcrossTheStepsOfDeltaT) {
  std::vector<DateTime> moments;
  // Seconds after 08:59 (from 59.999 on JdToDate shows the next minute).
  const double kNearStep[] = {29.0, 59.0, 59.5, 59.998};
  auto addStep = [&](int y, int m) {
    for (const double s : kNearStep) moments.push_back(DateTime{y, m, 1, 8, 59, s});
    moments.push_back(DateTime{y, m, 1, 9, 0, 0.0});
    moments.push_back(DateTime{y, m, 1, 9, 0, 0.5});
  };
  for (int y = 1972; y <= 2007; ++y) {
    addStep(y, 1);
    addStep(y, 7);
  }
  for (int y = 2008; y <= 2200; ++y) addStep(y, 1);
  addStep(1800, 1);
  for (int y = -4000; y <= 8000; y += 7) moments.push_back(DateTime{y, 1 + (y & 7), 3 + (y & 15), 17, 41, 23.25});
  int nBad = 0;
  for (const DateTime& r : moments) {
    DateTime back;
    JdeToJst(JstToJde(r), &back);
    if (std::fabs(SecondsBetween(r, back)) > 1e-6 && nBad++ < 5) {
      ADD_FAILURE() << r.year << "-" << r.month << "-" << r.day << " " << r.hour << ":" << r.minute << ":"
                    << r.second << " came back " << SecondsBetween(r, back) << " s off";
    }
  }
  EXPECT_EQ(nBad, 0);
}

// Where the model steps back (every New Year before 1800), the moments
// within the step before the New Year share their JDE with moments after
// it: the moment given back is one of the two, with the same JDE.
TEST(JstToJde, WhereTheModelStepsBackAJdeHasTwoMoments) {
  for (const int y : {-4000, -500, 1000, 1700}) {
    SCOPED_TRACE(y);
    const DateTime r{y, 1, 1, 8, 59, 59.0};
    const long double ldJde = JstToJde(r);
    DateTime back;
    JdeToJst(ldJde, &back);
    EXPECT_NEAR(static_cast<double>((JstToJde(back) - ldJde) * 86400.0L), 0.0, 1e-6);
  }
}

TEST(SetChartTimeScales, LinesAndTheLeapSecond) {
  static ChartRecord chart;
  const DateTime jst{2000, 1, 1, 21, 0, 0.0};
  const long double ldJd = DateToJd(jst, 9.0f);
  EXPECT_EQ(SetChartTimeScales(ldJd, 0.0f, &chart), 1);
  EXPECT_STREQ(chart.szTime[2], "世界時   2000年 1月 1日 12時00分00.0秒 UTC");
  EXPECT_STREQ(chart.szTime[3], "ＪＤ(UT)       2451545.00000000");
  EXPECT_STREQ(chart.szTime[4], "力学時   2000年 1月 1日 12時01分04.2秒 TD  ( ΔＴ +64.184秒を含む )");
  EXPECT_STREQ(chart.szTime[5], "ＪＤ(TD)       2451545.00074287");

  // 08:59:60 JST and 09:00:00 JST have the same JD; the leap second makes
  // the JDE of the first one second later.
  const DateTime leap{1972, 7, 1, 8, 59, 60.0};
  const DateTime next{1972, 7, 1, 9, 0, 0.0};
  SetChartTimeScales(DateToJd(leap, 9.0f), 60.0f, &chart);
  const long double ldLeapJde = chart.ldJde;
  SetChartTimeScales(DateToJd(next, 9.0f), 0.0f, &chart);
  EXPECT_NEAR(static_cast<double>(ldLeapJde - chart.ldJde) * 86400.0, 1.0, 1e-6);
}

TEST(TimeStrings, Roundings) {
  DateTime t{2024, 3, 5, 12, 34, 59.6};
  EXPECT_STREQ(TimeToStr(&t), " 2024年 3月 5日 12時35分00秒");
  t = DateTime{1999, 12, 31, 23, 59, 59.5};
  EXPECT_STREQ(TimeToStr(&t), " 2000年 1月 1日  0時 0分00秒");
  t = DateTime{2024, 3, 5, 12, 34, 7.4};
  EXPECT_STREQ(TimeToStr(&t), " 2024年 3月 5日 12時34分07秒");

  t = DateTime{2024, 3, 5, 12, 34, 56.96};
  EXPECT_STREQ(TimeToStrP1(&t), " 2024年 3月 5日 12時34分57秒0");
  t.second = 59.97;
  EXPECT_STREQ(TimeToStrP1(&t), " 2024年 3月 5日 12時34分59秒9");
  t.second = 12.34;
  EXPECT_STREQ(TimeToStrP1(&t), " 2024年 3月 5日 12時34分12秒3");
  EXPECT_STREQ(TimeToStrP2(&t), " 2024年 3月 5日 12時34分12秒34");
  t.second = 59.996;
  EXPECT_STREQ(TimeToStrP2(&t), " 2024年 3月 5日 12時34分59秒99");
  t.second = 8.996;
  EXPECT_STREQ(TimeToStrP2(&t), " 2024年 3月 5日 12時34分09秒00");
  t.second = 12.34;
  EXPECT_STREQ(TimeToStrL(&t), "  日本時間 2024年 3月 5日 12時34分12秒3");
  t = DateTime{-500, 3, 1, 0, 0, 0.0};
  EXPECT_STREQ(TimeToStr(&t), " -500年 3月 1日  0時 0分00秒");
}

// Never 60 or 61 seconds: a leap second keeps its "60" with its largest
// fraction, and rounded to the second it reads as the next minute.
TEST(TimeStrings, LeapSecondsAndTheLastTenthNeverShowSixtyOne) {
  struct Case {
    double dSecond;
    const char* szP1;
    const char* szP2;
    const char* szWhole;
  };
  const Case cases[] = {
      {60.95, " 1999年 1月 1日  8時59分60秒9", " 1999年 1月 1日  8時59分60秒95", " 1999年 1月 1日  9時 0分01秒"},
      {60.999, " 1999年 1月 1日  8時59分60秒9", " 1999年 1月 1日  8時59分60秒99", " 1999年 1月 1日  9時 0分01秒"},
      {60.4, " 1999年 1月 1日  8時59分60秒4", " 1999年 1月 1日  8時59分60秒40", " 1999年 1月 1日  9時 0分00秒"},
      {59.97, " 1999年 1月 1日  8時59分59秒9", " 1999年 1月 1日  8時59分59秒97", " 1999年 1月 1日  9時 0分00秒"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dSecond);
    const DateTime t{1999, 1, 1, 8, 59, c.dSecond};
    EXPECT_STREQ(TimeToStrP1(&t), c.szP1);
    EXPECT_STREQ(TimeToStrP2(&t), c.szP2);
    EXPECT_STREQ(TimeToStr(&t), c.szWhole);
  }
  // The time-scale lines of a chart show tenths: 59.97 s reads 59.9.
  static ChartRecord chart;
  SetChartTimeScales(DateToJd(DateTime{2000, 1, 1, 12, 0, 59.97}, 0.0f), 0.0f, &chart);
  EXPECT_STREQ(chart.szTime[2], "世界時   2000年 1月 1日 12時00分59.9秒 UTC");
}

TEST(TimeStrings, TwoFunctionsInOneCallKeepTheirTexts) {
  const DateTime a{2024, 1, 1, 0, 0, 1.0};
  const DateTime b{2025, 1, 1, 0, 0, 2.0};
  const std::string s = std::string(TimeToStr(&a)) + "|" + TimeToStrP1(&b);
  EXPECT_EQ(s, " 2024年 1月 1日  0時 0分01秒| 2025年 1月 1日  0時 0分02秒0");
}

TEST(TimeStrings, MissingRecord) {
  EXPECT_STREQ(TimeToStr(nullptr), "!lpt 0");
  EXPECT_STREQ(TimeToStrP1(nullptr), "!lpTime:TimeToStrP1");
  EXPECT_STREQ(TimeToStrP2(nullptr), "!lpTime:TimeToStrP2");
  EXPECT_STREQ(TimeToStrL(nullptr), "!lpTime:TimeToStrL");
}

}  // namespace

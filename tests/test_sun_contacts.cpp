// The Sun's contact searches, the Sun listings and the solar return.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "events/events.h"
#include "events_reference.h"
#include "events_test_support.h"
#include "test_support.h"
#include "time/timescale.h"

namespace {

class SunContactTest : public BoxTest {};

DateTime Jst(int y, int mo, int d, int h = 0, int mi = 0, double s = 0.0) {
  return DateTime{y, mo, d, h, mi, s};
}

// Sign ingresses and the 24 solar terms of 2024, compared with the Swiss
// Ephemeris.  One arc second of the Sun is 24 s of time, so the bound is set
// by the abridged series, not by the search.
TEST_F(SunContactTest, IngressesAndSolarTermsOf2024MatchReference) {
  EventEntry ingresses[12], terms[12];
  bool bFailed;
  ASSERT_EQ(CollectSunContacts(Jst(2024, 1, 1), kCmdSunIngressList, ingresses, 12, &bFailed), 12);
  EXPECT_FALSE(bFailed);
  ASSERT_EQ(CollectSunContacts(Jst(2024, 1, 1), kCmdSolarTermList, terms, 12, &bFailed), 12);
  EXPECT_FALSE(bFailed);

  double dMax = 0.0;
  for (int m = 0; m < 12; ++m) {
    // Each month holds one ingress and one sectional term, in that month.
    DateTime when;
    JdeToJst(ingresses[m].dJde, &when);
    EXPECT_EQ(when.month, m + 1);
    EXPECT_EQ(ingresses[m].iSign, (ingresses[m].iFrom + 1) % 12);
    JdeToJst(terms[m].dJde, &when);
    EXPECT_EQ(when.month, m + 1);

    const double d1 = ReferenceDifferenceSeconds(0, 30 * ingresses[m].iSign, ingresses[m].dJde);
    const double d2 = ReferenceDifferenceSeconds(0, 30 * terms[m].iSign + 15, terms[m].dJde);
    EXPECT_LT(std::fabs(d1), 30.0) << "ingress of month " << m + 1;
    EXPECT_LT(std::fabs(d2), 30.0) << "term of month " << m + 1;
    dMax = std::fmax(dMax, std::fmax(std::fabs(d1), std::fabs(d2)));
  }
  printf("[ reference ] 24 solar terms of 2024: max |dt| = %.2f s\n", dMax);
  // March: the Sun leaves Pisces for Aries at the vernal equinox.
  EXPECT_EQ(ingresses[2].iFrom, 11);
  EXPECT_EQ(ingresses[2].iSign, 0);
}

TEST_F(SunContactTest, StartAtTargetAndTargetsBeyond360) {
  const double t0 = 2460400.25;
  const double dLong = SunLongitude(t0);
  EXPECT_EQ(GetNextSunContactJde(t0, dLong), t0);

  const double tStart = 2460300.0;
  EXPECT_NEAR(GetNextSunContactJde(tStart, 360.0), GetNextSunContactJde(tStart, 0.0), 1e-9);
  EXPECT_NEAR(GetNextSunContactJde(tStart, 375.0), GetNextSunContactJde(tStart, 15.0), 1e-9);
  EXPECT_NEAR(SunLongitude(GetNextSunContactJde(tStart, 375.0)), 15.0, 2e-8);
  EXPECT_TRUE(Boxes().empty());
}

// A target just behind the Sun lies a year ahead: the first step covers
// almost a full turn and must still read as forward motion.
TEST_F(SunContactTest, TargetJustBehindTheSunIsFoundAYearLater) {
  const double t0 = 2460400.25;
  for (double dBehind : {0.5, 5.0, 20.0}) {
    const double t = GetNextSunContactJde(t0, SunLongitude(t0) - dBehind);
    EXPECT_GT(t, t0 + 340.0) << dBehind;
    EXPECT_LT(t, t0 + 366.0) << dBehind;
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(SunContactTest, Within180) {
  EXPECT_EQ(within180(190.0), -170.0);
  EXPECT_EQ(within180(-190.0), 170.0);
  EXPECT_EQ(within180(180.0), 180.0);
  EXPECT_EQ(within180(-45.0), -45.0);
  EXPECT_TRUE(Boxes().empty());
  // Beyond a turn: the error line box, and the angle reduced to [0, 360).
  EXPECT_EQ(within180(400.0), 40.0);
  EXPECT_EQ(within180(-400.0), 320.0);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].kind, "AppOkMsg");
  EXPECT_EQ(Boxes()[0].lines[0], "エラー");
  EXPECT_EQ(Boxes()[0].lines[1], "within180");
  EXPECT_EQ(Boxes()[0].lines[2], "DegToGo?");
}

double ConstantQuantity(double) { return 10.0; }

TEST_F(SunContactTest, SearchThatCannotMoveFailsWithItsReport) {
  EXPECT_EQ(FindContactJde(2460000.0, 20.0, ConstantQuantity, 1.0, "!GetNextSunContactJde"), 0.0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "!GetNextSunContactJde");
  EXPECT_EQ(Boxes()[0].title, "ΩΡΟΜΙΡΑ");
}

TEST_F(SunContactTest, IngressListingText) {
  char sz[32768];
  const DateTime july = Jst(2024, 7, 15);  // only the year is used
  ASSERT_EQ(GetSunIngressT(&july, sz, sizeof sz, kCmdSunIngressList), 1);
  const std::string s = sz;
  EventEntry e[12];
  bool bFailed;
  CollectSunContacts(Jst(2024, 1, 1), kCmdSunIngressList, e, 12, &bFailed);
  DateTime march;
  JdeToJst(e[2].dJde, &march);
  const std::string sMarch = std::string(" 2024年 3月の イングレス <春分>\r\n  太陽が うお から おひつじ へ移動\r\n    ") +
                             TimeToStrP1(&march) + "\r\n";
  EXPECT_EQ(s.substr(0, 2), "\r\n");
  EXPECT_TRUE(Contains(s, sMarch)) << s;
  EXPECT_EQ(CountOf(s, "イングレス <"), 12);
  EXPECT_TRUE(Contains(s, " 2024年12月の イングレス <冬至>\r\n  太陽が いて から やぎ へ移動\r\n"));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(SunContactTest, SolarTermListingText) {
  char sz[4096];
  const DateTime y2024 = Jst(2024, 1, 1);
  ASSERT_EQ(GetSunIngressT(&y2024, sz, sizeof sz, kCmdSolarTermList), 1);
  const std::string s = sz;
  EXPECT_EQ(CountOf(s, "15.0度を通過 )"), 12);
  EXPECT_EQ(s.find("\r\n  小寒 ( 太陽が やぎ 15.0度を通過 )\r\n     2024年 1月 6日"), 0u) << s;
  EXPECT_TRUE(Contains(s, "  立春 ( 太陽が みずがめ 15.0度を通過 )\r\n     2024年 2月 4日"));
}

// In 1500 (Julian calendar) the Sun stands past the middle of its sign on
// the first of each month: the entry names the next sign's sectional term.
TEST_F(SunContactTest, MidSignCrossingOfTheNextSign) {
  EventEntry e[12];
  bool bFailed;
  ASSERT_EQ(CollectSunContacts(Jst(1500, 1, 1), kCmdSolarTermList, e, 12, &bFailed), 12);
  const double dJan1 = static_cast<double>(JstToJde(Jst(1500, 1, 1)));
  const double dLong = SunLongitude(dJan1);
  ASSERT_GE(dLong - 270.0, 15.0);  // past 15° Capricorn on 1 January
  EXPECT_EQ(e[0].iSign, 10);       // so the crossing is 15° Aquarius
  EXPECT_NEAR(SunLongitude(e[0].dJde), 315.0, 1e-7);
  char sz[4096];
  const DateTime y1500 = Jst(1500, 1, 1);
  ASSERT_EQ(GetSunIngressT(&y1500, sz, sizeof sz, kCmdSolarTermList), 1);
  EXPECT_EQ(std::string(sz).find("\r\n  立春 ( 太陽が みずがめ 15.0度を通過 )\r\n     1500年 1月"), 0u)
      << sz;
}

// A yearly listing gives every term once and in order, also where months
// hold no term or two: across the calendar reform of 1582 (where 立冬 came
// twice and 小寒 not at all), and in years far from ours, where the terms
// drift to the first and last days of the months.
TEST_F(SunContactTest, EveryTermOnceAndInOrder) {
  for (const int y : {1582, 8000, 7000, -4000, -1, 1500, 2024}) {
    for (const int iCommand : {kCmdSunIngressList, kCmdSolarTermList}) {
      SCOPED_TRACE(std::to_string(y) + (iCommand == kCmdSunIngressList ? " ingresses" : " terms"));
      EventEntry e[12];
      bool bFailed;
      ASSERT_EQ(CollectSunContacts(Jst(y, 1, 1), iCommand, e, 12, &bFailed), 12);
      for (int i = 1; i < 12; ++i) {
        EXPECT_EQ(e[i].iSign, (e[i - 1].iSign + 1) % 12) << i;
        EXPECT_GT(e[i].dJde - e[i - 1].dJde, 28.0) << i;
        EXPECT_LT(e[i].dJde - e[i - 1].dJde, 33.0) << i;
      }
    }
  }
  static char sz[32768];
  const DateTime y1582 = Jst(1582, 1, 1);
  ASSERT_EQ(GetSunIngressT(&y1582, sz, sizeof sz, kCmdSolarTermList), 1);
  EXPECT_EQ(CountOf(sz, "立冬"), 1);
  EXPECT_EQ(CountOf(sz, "小寒"), 1);
  EXPECT_TRUE(Contains(sz, " 1582年11月 8日  2時37分07秒4"));
  EXPECT_TRUE(Contains(sz, " 1583年 1月 6日  3時56分42秒4"));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(SunContactTest, TermsAroundAMoment) {
  const DateTime now = Jst(2024, 5, 10, 12, 0, 0.0);
  EventEntry e[4];
  bool bFailed;
  ASSERT_EQ(CollectSunContacts(now, kCmdAlmanac, e, 4, &bFailed), 4);
  const double t0 = static_cast<double>(JstToJde(now));
  // The last ingress (Taurus, 19 April), the crossing after it, the next
  // ingress and the crossing after that.
  EXPECT_LT(e[0].dJde, t0);
  EXPECT_GT(e[2].dJde, t0);
  for (int q = 1; q < 4; ++q) EXPECT_GT(e[q].dJde, e[q - 1].dJde);
  EXPECT_EQ(e[0].iSign, 1);
  EXPECT_EQ(e[3].iSign, 2);

  char sz[1024];
  ASSERT_EQ(GetSunIngressT(&now, sz, sizeof sz, kCmdAlmanac), 1);
  DateTime when;
  JdeToJst(e[0].dJde, &when);
  const std::string sFirst = std::string("\r\n  穀雨: 太陽が おうし座に入る\r\n    ") + TimeToStrP1(&when) + "\r\n";
  EXPECT_EQ(std::string(sz).find(sFirst), 0u) << sz;
  EXPECT_TRUE(Contains(sz, "  立夏: 太陽が おうし座15.0度を通過\r\n"));
  EXPECT_TRUE(Contains(sz, "  小満: 太陽が ふたご座に入る\r\n"));
  EXPECT_TRUE(Contains(sz, "  芒種: 太陽が ふたご座15.0度を通過\r\n"));
}

TEST_F(SunContactTest, ListingArgumentsAndCapacity) {
  char sz[300];
  EXPECT_EQ(GetSunIngressT(nullptr, sz, sizeof sz, kCmdSunIngressList), 0);
  const DateTime y = Jst(2024, 1, 1);
  EXPECT_EQ(GetSunIngressT(&y, nullptr, 100, kCmdSunIngressList), 0);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, "GetSunIngressT.Arg?");
  EXPECT_EQ(Boxes()[1].text, "GetSunIngressT.Arg?");
  NativeClearBoxes();

  // 298 bytes left after "\r\n": two entries fit the 128-byte margin.
  EXPECT_EQ(GetSunIngressT(&y, sz, sizeof sz, kCmdSunIngressList), 1);
  EXPECT_EQ(CountOf(sz, "イングレス <"), 2);
  EXPECT_LT(strlen(sz), sizeof sz);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "テキストが長すぎるので途中で打ち切ります");
  EXPECT_EQ(Boxes()[0].style & kMbIconMask, static_cast<unsigned>(kMbIconInformation));
  NativeClearBoxes();

  EXPECT_EQ(GetSunIngressT(&y, sz, sizeof sz, 12345), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[3], "エラーの種類: OOR/iCommand");
}

TEST_F(SunContactTest, SolarReturnOfANatalSunAt35999) {
  const double tNatal = GetNextSunContactJde(2451545.0, 359.99);
  ASSERT_NE(tNatal, 0.0);
  for (int iAge : {1, 30, 100}) {
    const long double t = GetSolarReturnJde(tNatal, iAge);
    const double d = within180(SunLongitude(static_cast<double>(t)) - 359.99);
    EXPECT_LT(std::fabs(d), 1e-6) << iAge;
    EXPECT_NEAR(static_cast<double>(t - tNatal), iAge * 365.24219, 1.0) << iAge;
  }
  // Age 0 is the natal moment itself; the UT form is the JDE less Delta T
  // (79 s in 2030).
  EXPECT_EQ(GetSolarReturnJde(tNatal, 0), static_cast<long double>(tNatal));
  const long double t30 = GetSolarReturnJde(tNatal, 30);
  EXPECT_NEAR(static_cast<double>((t30 - GetSolarReturnJd(tNatal, 30)) * 86400.0L), 79.0, 1e-3);
}

TEST_F(SunContactTest, SolarReturnList) {
  BirthRecord natal = {};
  natal.time = Jst(1990, 6, 15, 8, 30, 0.0);
  strcpy(natal.szName, "山田太郎");
  const long double ldJde = JstToJde(natal.time);
  DateTime returns[kNumSolarReturns];
  ASSERT_EQ(SolarReturnMoments(ldJde, returns), 1);
  for (int i = 1; i < kNumSolarReturns; ++i) {
    EXPECT_EQ(returns[i].year, 1990 + i);
    EXPECT_TRUE(returns[i].month == 6 && returns[i].day >= 14 && returns[i].day <= 16) << i;
  }
  char szLine[128];
  SolarReturnLine(5, returns[5], szLine, sizeof szLine);
  EXPECT_EQ(std::string(szLine), std::string("  5歳 ...") + TimeToStr(&returns[5]));
  SolarReturnLine(100, returns[100], szLine, sizeof szLine);
  EXPECT_EQ(std::string(szLine).substr(0, 9), "100歳 ...");

  EXPECT_EQ(SolarReturnDefaultAge(1990, 2024), 34);
  EXPECT_EQ(SolarReturnDefaultAge(1990, 1990), 0);
  EXPECT_EQ(SolarReturnDefaultAge(1990, 2090), 100);
  EXPECT_EQ(SolarReturnDefaultAge(1990, 2091), 50);
  EXPECT_EQ(SolarReturnDefaultAge(2030, 2024), 50);

  BirthRecord working = {};
  EXPECT_EQ(ChooseSolarReturn(nullptr, 0, natal, returns, &working), 0);
  EXPECT_EQ(ChooseSolarReturn(nullptr, -1, natal, returns, &working), 0);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, "0歳は指定できません");
  EXPECT_EQ(Boxes()[0].title, "");
  EXPECT_EQ(Boxes()[0].style, static_cast<unsigned>(kMbOk));
  EXPECT_EQ(working.szName[0], '\0');

  EXPECT_EQ(ChooseSolarReturn(nullptr, 34, natal, returns, &working), 34);
  EXPECT_STREQ(working.szName, "山田太郎");
  EXPECT_EQ(working.time.year, 2024);
  EXPECT_EQ(memcmp(&working.time, &returns[34], sizeof(DateTime)), 0);
}

}  // namespace

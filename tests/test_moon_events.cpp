// The Moon's sign changes and phases, their listings and the recent almanac.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "events/events.h"
#include "events_test_support.h"
#include "test_support.h"
#include "time/timescale.h"

namespace {

class MoonEventTest : public BoxTest {};

DateTime Jst(int y, int mo, int d, int h = 0, int mi = 0, double s = 0.0) {
  return DateTime{y, mo, d, h, mi, s};
}

// Every Moon ingress of 2024 (the month lists, each with the next month's
// first) against the Swiss Ephemeris; every reference ingress of 2024 is
// found.
TEST_F(MoonEventTest, IngressesOf2024MatchReference) {
  double dMax = 0.0;
  int iFound = 0;
  const double tBegin = static_cast<double>(JstToJde(Jst(2024, 1, 1)));
  const double tEnd = static_cast<double>(JstToJde(Jst(2025, 1, 1)));
  for (int m = 1; m <= 12; ++m) {
    EventEntry e[kMaxEventEntries];
    bool bFailed;
    const int n = CollectMoonIngresses(2024, m, e, kMaxEventEntries, &bFailed);
    EXPECT_FALSE(bFailed);
    EXPECT_GE(n, 13);
    EXPECT_LE(n, 15);
    for (int i = 0; i < n; ++i) {
      const double d = ReferenceDifferenceSeconds(1, 30 * e[i].iSign, e[i].dJde);
      EXPECT_LT(std::fabs(d), 30.0) << "month " << m << " entry " << i;
      dMax = std::fmax(dMax, std::fabs(d));
      if (i > 0) {
        EXPECT_EQ(e[i].iSign, (e[i - 1].iSign + 1) % 12);
      }
      if (i < n - 1) ++iFound;  // the last one belongs to the next month's list
    }
  }
  int iReference = 0;
  for (const ReferenceCrossing& r : kReferenceCrossings) {
    if (r.iKind == 1 && r.dJde >= tBegin && r.dJde < tEnd) ++iReference;
  }
  EXPECT_EQ(iFound, iReference);
  printf("[ reference ] %d Moon ingresses of 2024: max |dt| = %.2f s\n", iFound, dMax);
}

// The phases of every phase list of 2024 (from the first of each month)
// against the Swiss Ephemeris.
TEST_F(MoonEventTest, PhasesOf2024MatchReference) {
  double dMax = 0.0;
  for (int m = 1; m <= 12; ++m) {
    EventEntry e[9];
    bool bFailed;
    const DateTime first = Jst(2024, m, 1);
    ASSERT_EQ(CollectMoonPhases(first, e, 9, &bFailed), 9);
    EXPECT_LT(e[0].dJde, static_cast<double>(JstToJde(first)));
    EXPECT_GT(e[1].dJde, static_cast<double>(JstToJde(first)) - 29.6);
    for (int i = 0; i < 9; ++i) {
      EXPECT_EQ(e[i].iSign, i % 4);
      if (i > 0) {
        EXPECT_GT(e[i].dJde - e[i - 1].dJde, 5.5);
        EXPECT_LT(e[i].dJde - e[i - 1].dJde, 9.0);
      }
      const double d = ReferenceDifferenceSeconds(2, 90 * e[i].iSign, e[i].dJde);
      EXPECT_LT(std::fabs(d), 30.0) << "month " << m << " phase " << i;
      dMax = std::fmax(dMax, std::fabs(d));
    }
  }
  printf("[ reference ] lunar phases of 2024: max |dt| = %.2f s\n", dMax);
}

TEST_F(MoonEventTest, MonthListEndsWithTheNextMonthsFirst) {
  char sz[kMoonIngressTextSize];
  ASSERT_EQ(ListMoonIngresses(Jst(2024, 2, 17, 13, 5), sz), 1);
  const std::string s = sz;
  const std::string sHead = "\r\n月のイングレス\r\n - 2024年2月 : 日本時間 -\r\n\r\n";
  ASSERT_EQ(s.substr(0, sHead.size()), sHead);
  const int n = CountOf(s, "座へのイングレス\r\n  ");
  EXPECT_GE(n, 13);
  EXPECT_LE(n, 15);
  EXPECT_EQ(CountOf(s, " 2024年 2月"), n - 1);
  EXPECT_EQ(CountOf(s, " 2024年 3月"), 1);
  // The last entry is the first of March.
  EXPECT_TRUE(Contains(s.substr(s.rfind("座へのイングレス")), " 2024年 3月 "));
  EXPECT_EQ(s.substr(s.size() - 4), "\r\n\r\n");

  EventEntry e[kMaxEventEntries];
  bool bFailed;
  ASSERT_EQ(CollectMoonIngresses(2024, 2, e, kMaxEventEntries, &bFailed), n);
  DateTime when;
  JdeToJst(e[0].dJde, &when);
  const std::string sFirst = std::string(kSignHiragana[e[0].iSign]) + "座へのイングレス\r\n  " +
                             TimeToStrP2(&when) + "\r\n\r\n";
  EXPECT_EQ(s.find(sFirst), sHead.size());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MoonEventTest, PhaseListFromExactlyANewMoon) {
  const double tNew = GetNextMoonPhaseJde(static_cast<double>(JstToJde(Jst(2024, 3, 1))), 0.0);
  ASSERT_NE(tNew, 0.0);
  DateTime at;
  JdeToJst(tNew, &at);
  // The record holds the moment to a fraction of a millisecond; keep the
  // elongation at the start on the new-moon side of 0.
  while (GetMoonSunElongation(static_cast<double>(JstToJde(at))) > 180.0) at.second += 1e-6;
  ASSERT_LT(GetMoonSunElongation(static_cast<double>(JstToJde(at))), 1e-6);

  EventEntry e[9];
  bool bFailed;
  ASSERT_EQ(CollectMoonPhases(at, e, 9, &bFailed), 9);
  EXPECT_NEAR(e[0].dJde, tNew, 1e-7);  // the first line is that very new moon

  char sz[32768];
  ASSERT_EQ(MoonPhaseCalendarText(at, sz, sizeof sz), 1);
  const std::string s = sz;
  EXPECT_EQ(s.substr(0, 4), "\r\n  ");
  DateTime first;
  JdeToJst(e[0].dJde, &first);
  EXPECT_EQ(s.find(std::string("● 新月 :") + TimeToStrP1(&first) + "\r\n  "), 4u) << s;
  // Lines 1, 5 and 9 are new moons; the quarters are indented.
  EXPECT_EQ(CountOf(s, "● 新月 :"), 3);
  EXPECT_EQ(CountOf(s, "   上弦 :"), 2);
  EXPECT_EQ(CountOf(s, "○ 満月 :"), 2);
  EXPECT_EQ(CountOf(s, "   下弦 :"), 2);
  EXPECT_LT(s.find("○ 満月"), s.find("   下弦"));
  EXPECT_EQ(s.substr(s.size() - 4), "\r\n  ");

  // A moment before the new moon lists from the one a month earlier.
  DateTime before = at;
  before.second -= 60.0;
  ASSERT_EQ(CollectMoonPhases(before, e, 9, &bFailed), 9);
  EXPECT_NEAR(e[4].dJde, tNew, 1e-7);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MoonEventTest, NextIngressFromAMoonAt3599) {
  const double t = GetMoonIngressJde(static_cast<double>(JstToJde(Jst(2024, 6, 1))), 359.9);
  ASSERT_NE(t, 0.0);
  EXPECT_NEAR(MoonLongitude(t), 359.9, 2e-8);
  DateTime at;
  JdeToJst(t, &at);
  char sz[kMoonNextIngressTextSize];
  ASSERT_EQ(MoonNextIngressText(&at, sz), 1);
  // The record now holds the ingress into Aries, some ten minutes later.
  const double tIngress = static_cast<double>(JstToJde(at));
  EXPECT_GT(tIngress - t, 0.1 / 16.0);
  EXPECT_LT(tIngress - t, 0.1 / 11.0);
  EXPECT_NEAR(within180(MoonLongitude(tIngress)), 0.0, 1e-6);
  EXPECT_EQ(std::string(sz),
            std::string("\r\n  月がおひつじ座へ移る時刻(日本時間)\r\n  ") + TimeToStrP2(&at) + "\r\n");
}

// Targets just behind the Moon or the elongation lie a month ahead.
TEST_F(MoonEventTest, TargetJustBehindIsFoundAMonthLater) {
  const double t0 = 2460450.3;
  const double tIngress = GetMoonIngressJde(t0, MoonLongitude(t0) - 0.5);
  EXPECT_GT(tIngress, t0 + 25.0);
  EXPECT_LT(tIngress, t0 + 28.5);
  const double tPhase = GetNextMoonPhaseJde(t0, GetMoonSunElongation(t0) - 0.5);
  EXPECT_GT(tPhase, t0 + 28.0);
  EXPECT_LT(tPhase, t0 + 30.0);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MoonEventTest, NullBuffersAndCapacity) {
  DateTime at = Jst(2024, 6, 1);
  EXPECT_EQ(ListMoonIngresses(at, nullptr), 0);
  EXPECT_EQ(MoonPhaseCalendarText(at, nullptr, 100), 0);
  EXPECT_EQ(MoonNextIngressText(&at, nullptr), 0);
  ASSERT_EQ(Boxes().size(), 3u);
  EXPECT_EQ(Boxes()[0].text, "!lpStr:MoonIng");
  EXPECT_EQ(Boxes()[1].text, "!lpStr:GetMoonC.");
  EXPECT_EQ(Boxes()[2].text, "!lpStr:GetMoonNextI.");
  NativeClearBoxes();

  // Four phase lines of about 40 bytes fit before 100 bytes are left.
  char sz[256];
  at = Jst(2024, 6, 1);
  EXPECT_EQ(MoonPhaseCalendarText(at, sz, sizeof sz), 1);
  EXPECT_EQ(CountOf(sz, " :"), 4);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].title, "月のこよみ");
  EXPECT_EQ(Boxes()[0].text, "テキストが長すぎるので途中で打ち切ります");
  EXPECT_EQ(Boxes()[0].owner, nullptr);
  EXPECT_EQ(Boxes()[0].style & kMbIconMask, static_cast<unsigned>(kMbIconInformation));
}

TEST_F(MoonEventTest, RecentAlmanac) {
  const DateTime now = Jst(2024, 5, 10, 21, 30, 15.0);
  char sz[32768];
  ASSERT_EQ(MakeAlmanacText(now, sz, sizeof sz), 1);
  const std::string s = sz;
  DateTime ingress = now;
  char szMoon[kMoonNextIngressTextSize];
  ASSERT_EQ(MoonNextIngressText(&ingress, szMoon), 1);
  char szPhases[1024] = {};
  ASSERT_EQ(MoonPhaseCalendarText(now, szPhases, sizeof szPhases), 1);
  char szTerms[1024] = {};
  ASSERT_EQ(GetSunIngressT(&now, szTerms, sizeof szTerms, kCmdAlmanac), 1);
  EXPECT_EQ(s, std::string(szMoon) + szPhases + szTerms);
  EXPECT_TRUE(Contains(s, "  月が"));
  EXPECT_TRUE(Contains(s, "  小満: 太陽が ふたご座に入る\r\n"));

  char szTitle[128];
  MakeAlmanacTitle(now, szTitle, sizeof szTitle);
  EXPECT_STREQ(szTitle, "最近のこよみ - 現在時刻: 2024年 5月10日 21時30分15秒");
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace

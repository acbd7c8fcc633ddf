// The character reading and today's fortune built from hand-made charts.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "readings/readings.h"
#include "test_support.h"
#include "time/timescale.h"

namespace {

BirthRecord Person(const char* szName, const char* szPlace, DateTime time) {
  BirthRecord r{};
  r.iDataNo = 0;
  r.time = time;
  strncpy(r.szName, szName, sizeof r.szName - 1);
  strncpy(r.szBirthPlace, szPlace, sizeof r.szBirthPlace - 1);
  r.bTimeKnown = 1;
  r.dwMagic = kRecordMagic;
  return r;
}

// A natal chart with the Sun, Ascendant and Moon at the given longitudes.
ChartRecord Natal(double dSun, double dAsc, double dMoon) {
  ChartRecord c{};
  c.wKind = kChartNatal;
  c.fHarmonic = 1.0f;
  c.natal = Person("星野 はるか", "東京都", DateTime{1990, 4, 1, 9, 30, 0.0});
  c.target = c.natal;
  c.ldJde = 2447982.5L;
  c.dLong[Sun] = dSun;
  c.dLong[Asc] = dAsc;
  c.dLong[Moon] = dMoon;
  return c;
}

// A transit chart for a moment and a current place.
ChartRecord Transit(const ChartRecord& natal, DateTime now, double dSun, double dMoon, double dMars) {
  ChartRecord c{};
  c.wKind = kChartTransit;
  c.fHarmonic = 1.0f;
  c.natal = natal.natal;
  c.target = Person("", "札幌", now);
  c.ldJde = 2460000.5L;
  c.dLong[Sun] = dSun;
  c.dLong[Moon] = dMoon;
  c.dLong[Mars] = dMars;
  return c;
}

const char kClosing[] =
    "。\r\n\r\n  もっと詳しい占いが必要な場合は すぐ下にある[ 詳細 [A] ]ボタンをクリックしてください。\r\n\r\n";
const char kUnknownTime[] = "... 残念ながら出生時刻が不明のためはっきり分かりません。";

class ReadingTest : public BoxTest {};

TEST_F(ReadingTest, SignNumbers) {
  EXPECT_EQ(GetSignNumber(0.0), 0);
  EXPECT_EQ(GetSignNumber(29.999), 0);
  EXPECT_EQ(GetSignNumber(30.0), 1);
  EXPECT_EQ(GetSignNumber(359.999), 11);
  EXPECT_EQ(GetSignNumber(360.0), 0);
  EXPECT_EQ(GetSignNumber(725.0), 0);
  EXPECT_EQ(GetSignNumber(-0.5), 11);
  EXPECT_EQ(GetSignNumber(std::numeric_limits<double>::quiet_NaN()), 12);
}

TEST_F(ReadingTest, CharacterReadingOfAriesWithTaurusMoon) {
  // Sun 0 and Ascendant 15 in Aries, Moon 45 in Taurus.
  const ChartRecord c = Natal(0.0, 15.0, 45.0);
  static char sz[32768];
  ASSERT_EQ(GetSunAscText(sz, c), 1);
  const std::string sExpected =
      std::string("\r\n星野 はるか\r\n") + TimeToStr(&c.natal.time) + " 東京都生まれ\r\n\r\n" +
      "  あなたの本質をあらわす太陽は おひつじ にあります。\r\n  " + kSunSignTexts[0] +
      "\r\n\r\n  ではそうしたあなたの本質は実際にはどのような形でおもてにあらわれてくるのでしょうか？"
      "\r\n  それをあらわすアセンダントは おひつじ。\r\n\r\n  " +
      kSunAscTexts[0] + "\r\n\r\n  感受性をあらわす月はおうし座にあります。\r\n  この配置は一般的には" +
      kMoonSignTexts[1] + "を意味するのですが，これはおひつじ座のあなたにとっては，" + kSunMoonTexts[1] +
      kClosing;
  EXPECT_EQ(std::string(sz), sExpected);
  EXPECT_LT(strlen(sz), static_cast<size_t>(kReadingTextSize));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ReadingTest, CharacterReadingIndexCases) {
  static char sz[32768];
  // Sun in Pisces, Moon in Aries: distance (0 - 11) + 12 = 1.  Ascendant 360
  // counts as Aries: text 11 x 12 + 0.
  ASSERT_EQ(GetSunAscText(sz, Natal(345.0, 360.0, 10.0)), 1);
  EXPECT_TRUE(Contains(sz, std::string("アセンダントは おひつじ。\r\n\r\n  ") + kSunAscTexts[132]));
  EXPECT_TRUE(Contains(sz, std::string("これはうお座のあなたにとっては，") + kSunMoonTexts[1] + kClosing));

  // Moon in the Sun's sign: the new-moon text, closed by the closing's "。".
  ASSERT_EQ(GetSunAscText(sz, Natal(100.0, 200.0, 110.0)), 1);
  EXPECT_TRUE(Contains(sz, std::string("これはかに座のあなたにとっては，") + kSunMoonTexts[0] + kClosing));
  EXPECT_FALSE(Contains(sz, "。。"));

  // Moon opposite the Sun.
  ASSERT_EQ(GetSunAscText(sz, Natal(100.0, 200.0, 280.0)), 1);
  EXPECT_TRUE(Contains(sz, std::string("，") + kSunMoonTexts[6] + kClosing));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ReadingTest, HarmonicCaveatAndUnknownTime) {
  static char sz[32768];
  const std::string sCaveat =
      ">>>以下の判断は指定の倍音図に関するものです 単純な性格判断としてはあまり意味がありません"
      ">>>この図においては，";
  ChartRecord c = Natal(200.0, 300.0, 20.0);
  ASSERT_EQ(GetSunAscText(sz, c), 1);
  EXPECT_FALSE(Contains(sz, ">>>"));
  EXPECT_TRUE(Contains(sz, "生まれ\r\n\r\n  あなたの本質をあらわす太陽は てんびん にあります。"));
  c.fHarmonic = 5.0f;
  ASSERT_EQ(GetSunAscText(sz, c), 1);
  EXPECT_TRUE(Contains(sz, "生まれ\r\n\r\n" + sCaveat + "  あなたの本質をあらわす太陽は てんびん にあります。"));

  c.fHarmonic = 1.0f;
  c.natal.bTimeKnown = 0;
  ASSERT_EQ(GetSunAscText(sz, c), 1);
  const std::string s = sz;
  ASSERT_GE(s.size(), strlen(kUnknownTime));
  EXPECT_EQ(s.substr(s.size() - strlen(kUnknownTime)), kUnknownTime);
  EXPECT_TRUE(Contains(s, "それをあらわすアセンダントは " + std::string(kUnknownTime)));
  EXPECT_FALSE(Contains(s, "感受性をあらわす月"));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ReadingTest, CharacterReadingOfACorruptChart) {
  char sz[4096] = "unchanged";
  ChartRecord c = Natal(std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0);
  EXPECT_EQ(GetSunAscText(sz, c), 0);
  EXPECT_STREQ(sz, "unchanged");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[2], "GetSunAscText");
  EXPECT_EQ(Boxes()[0].lines[3], "エラーの種類: 星座番号が範囲外");
}

TEST_F(ReadingTest, SignDistancesAndDayNumbers) {
  EXPECT_EQ(GetSignDistance(0, 11), 1);
  EXPECT_EQ(GetSignDistance(11, 0), 11);
  EXPECT_EQ(GetSignDistance(4, 4), 0);
  EXPECT_TRUE(Boxes().empty());
  // A bad sign number gives 0 after a report, never an index past the tables.
  EXPECT_EQ(GetSignDistance(12, 0), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[2], "GetSignDistance");
  EXPECT_EQ(Boxes()[0].lines[3], "エラーの種類: OOR");

  const DateTime birth{1990, 4, 1, 23, 50, 0.0};
  EXPECT_EQ(GetDayNumber(birth, DateTime{1990, 4, 1, 0, 5, 0.0}), 1);
  EXPECT_EQ(GetDayNumber(birth, DateTime{1990, 4, 2, 0, 5, 0.0}), 2);
  EXPECT_EQ(GetDayNumber(DateTime{1999, 12, 31, 12, 0, 0.0}, DateTime{2000, 1, 1, 12, 0, 0.0}), 2);
  EXPECT_EQ(GetDayNumber(DateTime{2000, 2, 28, 6, 0, 0.0}, DateTime{2000, 3, 1, 6, 0, 0.0}), 3);
  EXPECT_EQ(GetDayNumber(DateTime{2000, 1, 1, 0, 0, 0.0}, DateTime{2001, 1, 1, 0, 0, 0.0}), 367);
}

TEST_F(ReadingTest, FortuneText) {
  // Natal Sun in Pisces, Moon in Cancer.  Now: Sun in Pisces (d1 0), Moon
  // in Libra (d2 7, d3 3), Mars in Aries (d4 1, "投機").
  const ChartRecord natal = Natal(345.0, 100.0, 100.0);
  const DateTime now{2024, 3, 10, 15, 20, 30.4};
  const ChartRecord transit = Transit(natal, now, 350.0, 200.0, 10.0);
  static char sz[32768];
  ASSERT_EQ(MakeText(sz, sizeof sz, natal, transit), 1);
  const int iDay = GetDayNumber(natal.natal.time, now);
  const std::string sExpected =
      std::string("☆ 星野 はるか ☆\r\n") + TimeToStr(&natal.natal.time) + "生まれ\r\n出生地   東京都\r\n" +
      "現在地   札幌\r\n" + TimeToStrP1(&now) + "の星回り\r\n[ きょうは生まれて " + std::to_string(iDay) +
      "日め ]\r\n\r\n　太陽がうお座にあるいま，うお座のあなたにとっては" + kFortuneSunTexts[0] +
      "\r\n\r\n  日々の移ろいを示す月は，現在てんびん座にあって，うお座のあなた" + kFortuneMoonClauses[7] +
      "\r\n  あなたの出生図で月はかに座にあり，その点からみると，この月の位置は" + kFortuneMoonKeywords[3] +
      "を暗示しています。\r\n  エネルギーをあらわす火星はおひつじ座。あなたにとって投機を意味する位置です。"
      "\r\n\r\n  あなたの本質，行動，感受性について表示するにはすぐ下の[ 出生図 [A] ]ボタンをクリックしてください。"
      "\r\n";
  EXPECT_EQ(std::string(sz), sExpected);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ReadingTest, FortuneIndexCasesAndSmallBuffer) {
  static char sz[32768];
  const ChartRecord natal = Natal(345.0, 100.0, 100.0);
  // On the birthday: day 1.  The Sun opposite the natal sign: the seventh text.
  ChartRecord transit = Transit(natal, DateTime{1990, 4, 1, 21, 0, 0.0}, 170.0, 0.0, 0.0);
  ASSERT_EQ(MakeText(sz, sizeof sz, natal, transit), 1);
  EXPECT_TRUE(Contains(sz, "[ きょうは生まれて 1日め ]"));
  EXPECT_TRUE(Contains(sz, std::string("うお座のあなたにとっては") + kFortuneSunTexts[6]));
  EXPECT_TRUE(Contains(sz, "一年中で最も緊張が高まります。"));
  transit.target.time = DateTime{1990, 4, 2, 0, 1, 0.0};
  ASSERT_EQ(MakeText(sz, sizeof sz, natal, transit), 1);
  EXPECT_TRUE(Contains(sz, "[ きょうは生まれて 2日め ]"));
  EXPECT_TRUE(Boxes().empty());

  char small[3999];
  strcpy(small, "unchanged");
  EXPECT_EQ(MakeText(small, sizeof small, natal, transit), 0);
  EXPECT_STREQ(small, "unchanged");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[2], "MakeText");
  EXPECT_EQ(Boxes()[0].lines[3], "エラーの種類: iMaxStrlen<4000");
}

}  // namespace

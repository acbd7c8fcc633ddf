// The text tables of the readings: counts, fixed beginnings, byte lengths
// (Shift-JIS) and distinctness.
#include <cstring>
#include <set>
#include <string>

#include "readings/readings.h"
#include "test_support.h"

namespace {

bool StartsWith(const char* sz, const std::string& sPrefix) {
  return std::string(sz).compare(0, sPrefix.size(), sPrefix) == 0;
}

// Checks that entries [iFrom, iTo) exist, are distinct and have byte
// lengths in [iMin, iMax].
void ExpectTable(const char* szName, const char* const* table, int iFrom, int iTo, int iMin, int iMax) {
  std::set<std::string> seen;
  for (int i = iFrom; i < iTo; ++i) {
    ASSERT_NE(table[i], nullptr) << szName << " " << i;
    const int iLen = static_cast<int>(strlen(table[i]));
    EXPECT_GE(iLen, iMin) << szName << " " << i;
    EXPECT_LE(iLen, iMax) << szName << " " << i;
    EXPECT_TRUE(seen.insert(table[i]).second) << szName << " " << i << " repeats an earlier text";
  }
}

TEST(ReadingTexts, CountsBeginningsLengthsAndDistinctness) {
  // Character reading.
  ExpectTable("Sun sign", kSunSignTexts, 0, 12, 200, 530);
  EXPECT_TRUE(StartsWith(kSunSignTexts[0], "この星座の人は，12星座のなかで，いちばんフレッシュでエネルギッシュ。"));

  ExpectTable("Sun x Asc", kSunAscTexts, 0, kNumSunAscTexts, 108, 406);
  for (int i = 0; i < kNumSunAscTexts; ++i) {
    const bool bSame = i / 12 == i % 12;
    EXPECT_EQ(StartsWith(kSunAscTexts[i], "すなわち本質がそのままストレートにおもてに現れます。"), bSame) << i;
  }

  ExpectTable("Moon sign", kMoonSignTexts, 0, 13, 4, 40);
  EXPECT_STREQ(kMoonSignTexts[0], "若々しく活発な感性");
  EXPECT_STREQ(kMoonSignTexts[12], "(12)");

  ExpectTable("Sun-Moon", kSunMoonTexts, 0, 13, 4, 300);
  EXPECT_TRUE(StartsWith(kSunMoonTexts[0],
                         "その本質が強調され，筋の通った，はっきりとした性格を形づくる配置です。新月のころの生まれです。"));
  // The reading's closing ends each clause with "。".
  for (int i = 0; i < 13; ++i) {
    const std::string s = kSunMoonTexts[i];
    EXPECT_NE(s.substr(s.size() - 2), "。") << i;
  }
  EXPECT_TRUE(StartsWith(kSunMoonTexts[6], "正反対の位置であり，"));
  EXPECT_STREQ(kSunMoonTexts[12], "(12)");

  // Aspect interpretation.
  ExpectTable("aspect", kAspectTexts, 0, kNumAspectTexts, 5, 570);
  ExpectTable("aspect", kAspectTexts, 0, 136, 20, 570);
  EXPECT_TRUE(StartsWith(kAspectTexts[0], "  このアスペクト(150度)は比較的最近になって"));
  for (int i = 1; i < 136; ++i) EXPECT_TRUE(StartsWith(kAspectTexts[i], "　")) << i;
  EXPECT_TRUE(StartsWith(kAspectTexts[1], "　活力と感受性の調和であるが"));
  EXPECT_TRUE(StartsWith(kAspectTexts[2], "　半月または満月の日の生まれ。"));
  EXPECT_TRUE(StartsWith(kAspectTexts[3], "　新月の生まれ。"));
  EXPECT_STREQ(kAspectTexts[136], "(136)");
  EXPECT_STREQ(kAspectTexts[137], "(137)");
  // Sun-Mercury, Sun-Venus and Mercury-Venus cannot be tense in a natal chart.
  for (int i : {5, 8, 53}) EXPECT_TRUE(Contains(kAspectTexts[i], "出生図では凶角はできない。")) << i;

  EXPECT_EQ(strlen(kAspectHelpText), 3544u);
  EXPECT_TRUE(StartsWith(kAspectHelpText, "アスペクトとオーブ"));
  for (const char* sz : {"合", "セクスタイル", "スクェア", "トライン", "衝", "1度未満", "冥王星"})
    EXPECT_TRUE(Contains(kAspectHelpText, sz)) << sz;

  // Today's fortune.
  ExpectTable("fortune Sun", kFortuneSunTexts, 0, 12, 108, 368);
  EXPECT_TRUE(StartsWith(kFortuneSunTexts[0], "一年中で最も星の恵みを強く受けられる時期です。"));
  EXPECT_TRUE(StartsWith(kFortuneSunTexts[6], "一年中で最も緊張が高まります。"));
  ExpectTable("fortune Moon", kFortuneMoonClauses, 0, 12, 46, 156);
  EXPECT_TRUE(StartsWith(kFortuneMoonClauses[0], "は，現在，月の力を強く受けています。"));
  EXPECT_TRUE(StartsWith(kFortuneMoonClauses[3], "にとっては，緊張角。"));
}

TEST(ReadingTexts, KeywordTablesAndSignNames) {
  const char* const moon[12] = {"情緒的な好機", "金運での好機", "知的な調和", "うちわの緊張",
                                "情緒的な慰安と発展", "健康面の不安", "情緒的な緊張",
                                "気持ちの上でのあせりや摩擦", "精神的な安定", "情緒的ないさかい",
                                "情緒的な調和", "内面で傷つくこと"};
  const char* const mars[12] = {"勇気と闘志", "投機", "学習への情熱", "内輪の争い",
                                "趣味や娯楽への熱中", "摩擦", "強烈なエネルギー", "病的な情熱",
                                "高尚な意志", "社会的な争いや情熱", "強い願望や友人への献身",
                                "閉鎖的な熱情"};
  const char* const signs[12] = {"おひつじ", "おうし", "ふたご", "かに", "しし", "おとめ",
                                 "てんびん", "さそり", "いて", "やぎ", "みずがめ", "うお"};
  for (int i = 0; i < 12; ++i) {
    EXPECT_STREQ(kFortuneMoonKeywords[i], moon[i]) << i;
    EXPECT_STREQ(kFortuneMarsKeywords[i], mars[i]) << i;
    EXPECT_STREQ(kPlainSignNames[i], signs[i]) << i;
  }
}

}  // namespace

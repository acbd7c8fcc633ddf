// Birth record helpers, chart points and the text helpers.
#include <cstring>

#include "base/chart_record.h"
#include "base/shift_jis.h"
#include "test_support.h"
#include "time/calendar.h"

namespace {

BirthRecord Named(const char* szName, int y, int m, int d) {
  BirthRecord r{};
  strncpy(r.szName, szName, sizeof r.szName - 1);
  r.time = DateTime{y, m, d, 12, 0, 0.0};
  return r;
}

TEST(CutDoubleByteSafe, KeepsOrBlanksTheLastCharacter) {
  // 20 ASCII bytes + one double-byte character = 22 bytes: kept whole.
  char a[64] = "abcdefghijklmnopqrst漢字";
  CutDoubleByteSafe(a, 22);
  EXPECT_STREQ(a, "abcdefghijklmnopqrst漢");
  // A double-byte character starting at byte 21 becomes a blank.
  char b[64] = "abcdefghijklmnopqrstu漢字";
  CutDoubleByteSafe(b, 22);
  EXPECT_STREQ(b, "abcdefghijklmnopqrstu ");
  char c[64] = "short";
  CutDoubleByteSafe(c, 22);
  EXPECT_STREQ(c, "short");
}

TEST(CutDoubleByteSafe, HalfWidthKatakanaAreSingleBytes) {
  // One half-width kana, then double-byte characters: the cut must fall
  // between characters, not inside the sixth kanji.
  char s[64] = "ｱ漢字漢字漢字";
  CutDoubleByteSafe(s, 10);
  EXPECT_STREQ(s, "ｱ漢字漢字 ");
  char k[64] = "ﾎﾛﾐﾗﾎﾛﾐﾗ";
  CutDoubleByteSafe(k, 5);
  EXPECT_STREQ(k, "ﾎﾛﾐﾗﾎ");
}

TEST(BuildListLine, AlignsTheDateColumn) {
  BirthRecord r = Named("山田太郎", 1965, 4, 3);
  BuildListLine(&r);
  EXPECT_STREQ(r.szListLine, " 山田太郎................1965年 4月 3日");
  // A 22-byte name ending in a double-byte character is kept whole.
  r = Named("abcdefghijklmnopqrst漢", -500, 12, 25);
  BuildListLine(&r);
  EXPECT_STREQ(r.szListLine, " abcdefghijklmnopqrst漢..-500年12月25日");
  // A double-byte character at byte 21 is replaced by a blank.
  r = Named("abcdefghijklmnopqrstu漢", 2000, 1, 1);
  BuildListLine(&r);
  EXPECT_STREQ(r.szListLine, " abcdefghijklmnopqrstu ..2000年 1月 1日");
}

TEST(HasControlCharacter, LineBreaksTabsEscapesButNotTrailBytes) {
  EXPECT_FALSE(HasControlCharacter(""));
  EXPECT_FALSE(HasControlCharacter("山田 太郎 (ﾔﾏﾀﾞ)"));
  EXPECT_FALSE(HasControlCharacter("表示"));  // trail bytes 0x5C, 0x40..0xFC
  EXPECT_TRUE(HasControlCharacter("a\nb"));
  EXPECT_TRUE(HasControlCharacter("\t"));
  EXPECT_TRUE(HasControlCharacter("\x1b[31m"));
  EXPECT_TRUE(HasControlCharacter("del\x7f"));
}

TEST(FitText, CutsWithDotsAndPadsWithBlanks) {
  char s[64] = "ホロミラ・テスト・ユーザー";  // 26 bytes
  EXPECT_EQ(FitText(s, 12), 12);
  EXPECT_STREQ(s, "ホロミラ ...");
  EXPECT_EQ(strlen(s), 12u);
  char t[64] = "abc";
  FitText(t, 6);
  EXPECT_STREQ(t, "abc   ");
  char u[64] = "ab漢字x";  // the cut at 3 would split 漢: blank, then dots
  FitText(u, 6);
  EXPECT_STREQ(u, "ab ...");
}

TEST(LongitudeToAngle, ReducesAndSplits) {
  Angle a;
  LongitudeToAngle(359.9999999, &a);
  EXPECT_EQ(a.sign, 11);
  EXPECT_EQ(a.deg, 29);
  EXPECT_EQ(a.min, 59);
  EXPECT_NEAR(a.sec, 59.9996, 1e-4);
  LongitudeToAngle(-10.0, &a);
  EXPECT_DOUBLE_EQ(a.lon, 350.0);
  EXPECT_EQ(a.sign, 11);
  EXPECT_EQ(a.deg, 20);
  EXPECT_EQ(a.min, 0);
  LongitudeToAngle(720.5, &a);
  EXPECT_DOUBLE_EQ(a.lon, 0.5);
  EXPECT_EQ(a.sign, 0);
  EXPECT_EQ(a.min, 30);
}

TEST(GetAge, LeapDayBirthday) {
  const BirthRecord natal = Named("a", 1980, 2, 29);
  EXPECT_EQ(GetAge(natal, Named("t", 2001, 2, 28)), 20);
  EXPECT_EQ(GetAge(natal, Named("t", 2001, 3, 1)), 21);
  EXPECT_EQ(GetAge(natal, Named("t", 1980, 2, 29)), 0);
}

TEST(ChartPoints, LabelsAndSignsHaveTheirWidths) {
  for (const char* s : kChartPointLabels) EXPECT_EQ(strlen(s), 6u) << s;
  for (const char* s : kSignNames) EXPECT_EQ(strlen(s), 8u) << s;
}

TEST(ChartPoints, SignNameGuardsItsIndex) {
  EXPECT_STREQ(SignName(0), "おひつじ");
  EXPECT_STREQ(SignName(11), "う　お　");
  for (int iBad : {-1, 12, 13, -2147483647 - 1}) EXPECT_STREQ(SignName(iBad), "<異常値>") << iBad;
}

class PresentMomentTest : public BoxTest {};

TEST_F(PresentMomentTest, FillsFromTheClock) {
  const LocalClock clock{2026, 12, 7, 18, 30, 15, 250};
  NativeSetClock(&clock);
  BirthRecord r{};
  FillWithPresentMoment(&r, 35.5, 139.75);
  EXPECT_EQ(r.time.year, 2026);
  EXPECT_EQ(r.time.hour, 18);
  EXPECT_DOUBLE_EQ(r.time.second, 15.25);
  EXPECT_EQ(r.bTimeKnown, 1);
  EXPECT_EQ(r.bSecondsGiven, 1);
  EXPECT_DOUBLE_EQ(r.dBirthLong, 139.75);
}

}  // namespace

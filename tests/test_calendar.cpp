// Julian Days, the calendar switch, the record check and the step codes.
#include <cmath>

#include "test_support.h"
#include "time/calendar.h"

namespace {

DateTime Dt(int y, int mo, int d, int h = 0, int mi = 0, double s = 0.0) {
  return DateTime{y, mo, d, h, mi, s};
}

constexpr double kSecondDays = 1.0 / 86400.0;

TEST(DateToJd, CalendarSwitchAndFarDates) {
  EXPECT_EQ(DateToJd(Dt(1582, 10, 4), 0), 2299159.5L);
  EXPECT_EQ(DateToJd(Dt(1582, 10, 15), 0), 2299160.5L);
  EXPECT_EQ(DateToJd(Dt(0, 1, 1), 0), 1721057.5L);
  EXPECT_EQ(DateToJd(Dt(-4712, 1, 1, 12), 0), 0.0L);
  EXPECT_EQ(DateToJd(Dt(-4000, 1, 1), 0), 260057.5L);
  EXPECT_EQ(DateToJd(Dt(8000, 12, 31), 0), 4643364.5L);
  EXPECT_EQ(DateToJd(Dt(2000, 1, 1, 21), 9.0f), 2451545.0L);
}

TEST(DateToJd, LeapSecondEqualsNextMinute) {
  EXPECT_EQ(DateToJd(Dt(1972, 7, 1, 8, 59, 60.0), 9.0f), DateToJd(Dt(1972, 7, 1, 9, 0, 0.0), 9.0f));
}

TEST(JdToDate, RoundTripsAcrossTheSwitch) {
  DateTime d;
  JdToDate(2299160.4L, &d);
  EXPECT_EQ(d.year, 1582);
  EXPECT_EQ(d.month, 10);
  EXPECT_EQ(d.day, 4);
  EXPECT_EQ(d.hour, 21);
  EXPECT_EQ(d.minute, 36);
  EXPECT_NEAR(d.second, 0.0, 1e-4);

  JdToDate(0.0L, &d);
  EXPECT_EQ(d.year, -4712);
  EXPECT_EQ(d.month, 1);
  EXPECT_EQ(d.day, 1);
  EXPECT_EQ(d.hour, 12);

  // Every date of a wide sample converts back to itself.
  for (int y : {-4000, -1, 0, 1, 1000, 1582, 1583, 1900, 2000, 2024, 8000}) {
    for (int m : {1, 2, 3, 10, 12}) {
      const DateTime in = Dt(y, m, 28, 17, 45, 12.5);
      JdToDate(DateToJd(in, 0), &d);
      EXPECT_EQ(d.year, y);
      EXPECT_EQ(d.month, m);
      EXPECT_EQ(d.day, 28);
      EXPECT_EQ(d.hour, 17);
      EXPECT_EQ(d.minute, 45);
      EXPECT_NEAR(d.second, 12.5, 1e-4) << y << "-" << m;
    }
  }
}

TEST(JdToDate, SecondsOf59_9995RollIntoTheNextYear) {
  const long double ld = DateToJd(Dt(1999, 12, 31, 23, 59, 0.0), 0) + 59.9995L / 86400.0L;
  DateTime d;
  JdToDate(ld, &d);
  EXPECT_EQ(d.year, 2000);
  EXPECT_EQ(d.month, 1);
  EXPECT_EQ(d.day, 1);
  EXPECT_EQ(d.hour, 0);
  EXPECT_EQ(d.minute, 0);
  // The record is packed: its double lies unaligned and is copied first.
  const double dSecond = d.second;
  EXPECT_GE(dSecond, 0.0);
  EXPECT_LT(dSecond, 0.01);
  (void)kSecondDays;
}

class ValidateTest : public BoxTest {
 protected:
  int Check(const DateTime& dt, int bFromFile = 0) {
    return ValidateDateTime(nullptr, "山田太郎", dt, bFromFile);
  }
};

TEST_F(ValidateTest, EveryMessageAndItsNumber) {
  struct Case {
    DateTime dt;
    int iResult;
    const char* szMessage;
  };
  const Case cases[] = {
      {Dt(12000, 5, 1), 1, "年数が計算可能範囲外です。"},
      {Dt(2000, 13, 1), 2, "年月日の「月」の指定がおかしい。"},
      {Dt(2000, 1, 32), 3, "年月日の「日」の指定がおかしい。"},
      {Dt(2000, 4, 31), 4, "この月は30日までしかありません。"},
      {Dt(2000, 2, 30), 5, "2月に30日はありません。"},
      {Dt(1700, 2, 29), 6, "この年は、うるう年ではありません。この年には、2月29日はありません。"},
      {Dt(1582, 10, 10), 7, "グレゴリオ暦には存在しない日付です。「ヘルプ－トピックの検索－暦法について」参照。"},
      {Dt(2000, 1, 1, 24), 8, "時刻の「時」の指定がおかしい。"},
      {Dt(2000, 1, 1, 0, 60), 9, "時刻の「分」の指定がおかしい。"},
      {Dt(2000, 1, 1, 0, 0, 61.0), 10, "時刻の「秒」の指定がおかしい。"},
      {Dt(1972, 7, 2, 8, 59, 60.0), 11, "存在しないうるう秒です。"},
  };
  for (const Case& c : cases) {
    NativeClearBoxes();
    EXPECT_EQ(Check(c.dt), c.iResult) << c.szMessage;
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].title, "無効なデータ");
    EXPECT_TRUE(Contains(Boxes()[0].text, c.szMessage)) << c.szMessage;
    EXPECT_TRUE(Contains(Boxes()[0].text, "データ名：山田太郎\n\n"));
  }
}

TEST_F(ValidateTest, MessageFormatsShowTheFailedPart) {
  Check(Dt(2000, 13, 1));
  EXPECT_EQ(Boxes()[0].text, "データ名：山田太郎\n\n年月日：2000年13月 1日\n\n年月日の「月」の指定がおかしい。");
  NativeClearBoxes();
  Check(Dt(2000, 1, 1, 5, 70, 3.0));
  EXPECT_EQ(Boxes()[0].text, "データ名：山田太郎\n\n時刻： 5時70分03秒\n\n時刻の「分」の指定がおかしい。");
  NativeClearBoxes();
  Check(Dt(1972, 7, 2, 8, 59, 60.0));
  EXPECT_EQ(Boxes()[0].text,
            "データ名：山田太郎\n\n年月日：1972年 7月 2日\n\n時刻： 8時59分60秒\n\n存在しないうるう秒です。");
}

TEST_F(ValidateTest, LeapYearsAndTheSwitch) {
  EXPECT_EQ(Check(Dt(1500, 2, 29)), 0);
  EXPECT_EQ(Check(Dt(0, 2, 29)), 0);
  EXPECT_EQ(Check(Dt(-4, 2, 29)), 0);
  EXPECT_EQ(Check(Dt(2000, 2, 29)), 0);
  EXPECT_EQ(Check(Dt(1900, 2, 29)), 6);
  EXPECT_EQ(Check(Dt(-1, 2, 29)), 6);
  EXPECT_EQ(Check(Dt(1582, 10, 4)), 0);
  EXPECT_EQ(Check(Dt(1582, 10, 15)), 0);
  EXPECT_EQ(Check(Dt(1582, 10, 5)), 7);
  EXPECT_EQ(Check(Dt(1582, 10, 14)), 7);
  EXPECT_EQ(Check(Dt(-5000, 1, 1)), 0);
  EXPECT_EQ(Check(Dt(9999, 12, 31)), 0);
  EXPECT_EQ(Check(Dt(-5001, 12, 31)), 1);
}

TEST_F(ValidateTest, LeapSeconds) {
  EXPECT_EQ(Check(Dt(1972, 7, 1, 8, 59, 60.0)), 0);
  EXPECT_EQ(Check(Dt(1972, 1, 1, 8, 59, 60.5)), 0);
  EXPECT_EQ(Check(Dt(1998, 7, 1, 8, 59, 60.0)), 11);  // no leap second in July 1998
  EXPECT_EQ(Check(Dt(1971, 1, 1, 8, 59, 60.0)), 11);
  NativeClearBoxes();
  EXPECT_EQ(Check(Dt(2006, 1, 1, 8, 59, 60.0)), 0);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Check(Dt(2009, 1, 1, 8, 59, 60.0)), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].title, "未確認のうるう秒");
  EXPECT_TRUE(Contains(Boxes()[0].text, "2001年以降のうるう秒について"));
  NativeClearBoxes();
  EXPECT_EQ(Check(Dt(2006, 7, 1, 8, 59, 60.0)), 0);  // after January 2006: the warning
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Check(Dt(2009, 1, 1, 9, 59, 60.0)), 11);  // not 08:59
}

// The seconds are compared in full precision: the last fraction of a
// second is no leap second, and a leap second keeps its whole second.
TEST_F(ValidateTest, SecondsAreComparedInFullPrecision) {
  EXPECT_EQ(Check(Dt(2000, 1, 1, 12, 0, 59.99999999)), 0);
  EXPECT_EQ(Check(Dt(1972, 7, 1, 8, 59, 60.99999999)), 0);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Check(Dt(2000, 1, 1, 12, 0, 61.0)), 10);
  EXPECT_EQ(Check(Dt(2000, 1, 1, 12, 0, -1e-9)), 10);
  EXPECT_EQ(Check(Dt(2000, 1, 1, 12, 0, std::nan(""))), 10);
}

TEST_F(ValidateTest, MonthIsReportedBeforeTheYear) {
  EXPECT_EQ(Check(Dt(12000, 13, 1)), 2);
}

TEST_F(ValidateTest, FromFileShowsTheWarningFirst) {
  EXPECT_EQ(Check(Dt(2000, 2, 30), 1), 5);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].title, "Horomira：ﾃﾞｰﾀの読み込み");
  EXPECT_EQ(Boxes()[0].style & kMbIconMask, static_cast<unsigned>(kMbIconWarning));
  EXPECT_EQ(Boxes()[1].title, "無効なデータ");
}

TEST(StepCodeToSeconds, MenuCodes) {
  EXPECT_DOUBLE_EQ(StepCodeToSeconds(405), -432000.0 + 0.0001);
  EXPECT_DOUBLE_EQ(StepCodeToSeconds(1101), 1.0001);
  EXPECT_DOUBLE_EQ(StepCodeToSeconds(2000), 0.0001);
  EXPECT_DOUBLE_EQ(StepCodeToSeconds(1205), 300.0001);
  EXPECT_DOUBLE_EQ(StepCodeToSeconds(301), -3600.0 + 0.0001);
  EXPECT_DOUBLE_EQ(StepCodeToSeconds(1501), 2592000.0001);
  EXPECT_DOUBLE_EQ(StepCodeToSeconds(1003), 0.3001);
}

}  // namespace

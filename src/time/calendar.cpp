// Civil dates and Julian Days; the record check of a date-time; the present
// moment from the local clock.
#include "time/calendar.h"

#include <cmath>
#include <cstdio>

#include "platform/reports.h"

namespace {

// Gregorian from 1582-10-15 on, Julian before (the skipped days read Julian).
bool IsGregorianDate(int y, int m, int d) {
  if (y != 1582) return y > 1582;
  if (m != 10) return m > 10;
  return d >= 15;
}

long double FloorL(long double x) { return std::floor(x); }

// One pass of the conversion from a Julian Day to a civil date.
void JdToDateOnce(long double ld, DateTime* dt) {
  const long double x = ld + 0.5L;
  const long Z = static_cast<long>(FloorL(x));
  const long double F = x - Z;
  long A = Z;
  if (Z >= 2299161) {
    const long alpha = static_cast<long>(FloorL((Z - 1867216.25L) / 36524.25L));
    A = Z + 1 + alpha - static_cast<long>(FloorL(alpha * 0.25L));
  }
  const long B = A + 1524;
  const long C = static_cast<long>(FloorL((B - 122.1L) / 365.25L));
  const long Dd = static_cast<long>(FloorL(365.25L * C));
  const long E = static_cast<long>(FloorL((B - Dd) / 30.6001L));
  const long double f = B - Dd - FloorL(30.6001L * E) + F;
  const long day = static_cast<long>(FloorL(f));
  dt->day = static_cast<int32_t>(day);
  dt->month = static_cast<int32_t>(E < 14 ? E - 1 : E - 13);
  dt->year = static_cast<int32_t>(dt->month > 2 ? C - 4716 : C - 4715);
  long double rest = (f - day) * 24.0L;
  dt->hour = static_cast<int32_t>(FloorL(rest));
  rest = (rest - dt->hour) * 60.0L;
  dt->minute = static_cast<int32_t>(FloorL(rest));
  dt->second = static_cast<double>((rest - dt->minute) * 60.0L);
}

// 0.0001 s in days: the step by which a second of 59.999 is rolled over.
constexpr long double kRollStepDays = 1.1574074074074074e-9L;
constexpr double kRollThresholdSeconds = 59.999;

// Message numbers of the record check: what FirstFailedDateCheck returns
// (kDateCheckPassed when the record passes) and the index of its text.
enum DateMessage : int {
  kDateCheckPassed = -1,
  kMsgYearRange = 0,
  kMsgMonth = 1,
  kMsgDay = 2,
  kMsgThirtyDayMonth = 3,
  kMsgFebruary30 = 4,
  kMsgNotLeapYear = 5,
  kMsgSkippedDate = 6,  // the last message about the date
  kMsgHour = 7,
  kMsgMinute = 8,
  kMsgSecond = 9,       // the last message about the time of day
  kMsgNoSuchLeapSecond = 10,
  kMsgUnconfirmedLeapSecond = 11,  // accepted after the warning
};

// Messages of the record check, by message number.
const char* const kDateMessages[12] = {
    "年数が計算可能範囲外です。",
    "年月日の「月」の指定がおかしい。",
    "年月日の「日」の指定がおかしい。",
    "この月は30日までしかありません。",
    "2月に30日はありません。",
    "この年は、うるう年ではありません。この年には、2月29日はありません。",
    "グレゴリオ暦には存在しない日付です。「ヘルプ－トピックの検索－暦法について」参照。",
    "時刻の「時」の指定がおかしい。",
    "時刻の「分」の指定がおかしい。",
    "時刻の「秒」の指定がおかしい。",
    "存在しないうるう秒です。",
    "2001年以降のうるう秒について、このバージョンにはデータがありません。続行します。",
};

// Known leap seconds, inserted at 08:59:60 JST on the 1st of January or July.
bool IsKnownJanuaryLeapSecond(int y) {
  if (y >= 1972 && y <= 1980) return true;
  return y == 1988 || y == 1990 || y == 1991 || y == 1996 || y == 1999 || y == 2006;
}
bool IsKnownJulyLeapSecond(int y) {
  switch (y) {
    case 1972: case 1981: case 1982: case 1983: case 1985:
    case 1992: case 1993: case 1994: case 1997:
      return true;
    default:
      return false;
  }
}

// Message number of a leap second (second >= 60): kDateCheckPassed when it
// is known, kMsgUnconfirmedLeapSecond when possible but later than the table
// knows, else kMsgNoSuchLeapSecond.
int CheckLeapSecond(const DateTime& dt) {
  if (dt.year < 1972 || dt.day != 1 || dt.hour != 8 || dt.minute != 59) return kMsgNoSuchLeapSecond;
  if (dt.month == 1 && IsKnownJanuaryLeapSecond(dt.year)) return kDateCheckPassed;
  if (dt.month == 7 && IsKnownJulyLeapSecond(dt.year)) return kDateCheckPassed;
  if (dt.year > 2006 || (dt.year == 2006 && dt.month >= 2)) return kMsgUnconfirmedLeapSecond;
  return kMsgNoSuchLeapSecond;
}

// Message number of the first failing check, or kDateCheckPassed.
int FirstFailedDateCheck(const DateTime& dt) {
  if (dt.month < 1 || dt.month > 12) return kMsgMonth;
  if (dt.day < 1 || dt.day > 31) return kMsgDay;
  if (dt.day == 31 && (dt.month == 2 || dt.month == 4 || dt.month == 6 || dt.month == 9 ||
                       dt.month == 11))
    return kMsgThirtyDayMonth;
  if (dt.month == 2 && dt.day == 30) return kMsgFebruary30;
  if (dt.month == 2 && dt.day == 29 && !IsLeapYear(dt.year)) return kMsgNotLeapYear;
  if (IsSkippedGregorianDate(dt)) return kMsgSkippedDate;
  if (dt.hour < 0 || dt.hour >= 24) return kMsgHour;
  if (dt.minute < 0 || dt.minute >= 60) return kMsgMinute;
  // In full precision: 59.99999999 s rounds to 60 in single precision and
  // would be taken for a leap second.  A value that is not a number fails.
  if (!(dt.second >= 0.0 && dt.second < 61.0)) return kMsgSecond;
  if (dt.second >= 60.0) {
    const int iLeap = CheckLeapSecond(dt);
    if (iLeap != kDateCheckPassed) return iLeap;
  }
  if (dt.year < -5000 || dt.year > 9999) return kMsgYearRange;
  return kDateCheckPassed;
}

void FormatDateMessage(char* szBuf, size_t n, const char* szName, const DateTime& dt, int iMsg) {
  const char* szMsg = kDateMessages[iMsg];
  if (iMsg <= kMsgSkippedDate) {
    snprintf(szBuf, n, "データ名：%s\n\n年月日：%4d年%2d月%2d日\n\n%s", szName, dt.year, dt.month,
             dt.day, szMsg);
  } else if (iMsg <= kMsgSecond) {
    snprintf(szBuf, n, "データ名：%s\n\n時刻：%2d時%2d分%02.0f秒\n\n%s", szName, dt.hour, dt.minute,
             dt.second, szMsg);
  } else {
    snprintf(szBuf, n, "データ名：%s\n\n年月日：%4d年%2d月%2d日\n\n時刻：%2d時%2d分%02.0f秒\n\n%s",
             szName, dt.year, dt.month, dt.day, dt.hour, dt.minute, dt.second, szMsg);
  }
}

}  // namespace

bool IsLeapYear(int iYear) {
  if (iYear <= 1582) return iYear % 4 == 0;
  return (iYear % 4 == 0 && iYear % 100 != 0) || iYear % 400 == 0;
}

bool IsSkippedGregorianDate(const DateTime& dt) {
  return dt.year == 1582 && dt.month == 10 && dt.day >= 5 && dt.day <= 14;
}

long double DateToJd(const DateTime& dt, float fZoneHours) {
  const bool bGregorian = IsGregorianDate(dt.year, dt.month, dt.day);
  long double Y = dt.year;
  long double M = dt.month;
  if (dt.month <= 2) {
    Y -= 1;
    M += 12;
  }
  long double B = 0;
  if (bGregorian) {
    const long double A = FloorL(Y * 0.01L);
    B = 2 - A + FloorL(A * 0.25L);
  }
  long double jd = FloorL(365.25L * (Y + 4716)) + FloorL(30.6001L * (M + 1)) + dt.day + B - 1524.5L;
  jd += (dt.hour - static_cast<long double>(fZoneHours)) / 24.0L + dt.minute / 1440.0L +
        static_cast<long double>(dt.second) / 86400.0L;
  return jd;
}

void JdToDate(long double ld, DateTime* dt) {
  JdToDateOnce(ld, dt);
  // A second that would print as 60 belongs to the next minute.
  while (dt->second >= kRollThresholdSeconds) {
    ld += kRollStepDays;
    JdToDateOnce(ld, dt);
  }
}

int ValidateDateTime(WindowRef hOwner, const char* szDataName, const DateTime& dt, int bFromFile) {
  const int iMsg = FirstFailedDateCheck(dt);
  if (iMsg == kDateCheckPassed) return 0;
  if (bFromFile) {
    PlatformMessageBox(hOwner,
                       "異常なﾃﾞｰﾀを検出しました。［ＯＫ］ﾎﾞﾀﾝを押すと詳細情報を表示します ...",
                       "Horomira：ﾃﾞｰﾀの読み込み", kMbOk | kMbIconWarning);
  }
  char szText[512];
  FormatDateMessage(szText, sizeof szText, szDataName ? szDataName : "", dt, iMsg);
  if (iMsg == kMsgUnconfirmedLeapSecond) {
    PlatformMessageBox(hOwner, szText, "未確認のうるう秒", kMbOk | kMbIconWarning);
    return 0;
  }
  PlatformMessageBox(hOwner, szText, "無効なデータ", kMbOk | kMbIconError);
  return iMsg + 1;
}

double StepCodeToSeconds(int iCode) {
  constexpr double kExtra = 0.0001;  // keeps a stepped time off the rounding edges
  if (iCode == 2000) return kExtra;
  static const double kUnits[6] = {0.1, 1.0, 60.0, 3600.0, 86400.0, 2592000.0};
  int iUnit = (iCode % 1000) / 100;
  if (iUnit > 5) iUnit = 5;
  const double dStep = (iCode % 100) * kUnits[iUnit];
  return (iCode >= 1000 ? dStep : -dStep) + kExtra;
}

DateTime PresentMoment() {
  LocalClock now;
  PlatformLocalTime(&now);
  return DateTime{now.year, now.month, now.day, now.hour, now.minute, now.second + 0.001 * now.millisecond};
}

void FillWithPresentMoment(BirthRecord* pRec, double dLat, double dLong) {
  pRec->dBirthLat = dLat;
  pRec->dBirthLong = dLong;
  pRec->bTimeKnown = 1;
  pRec->bSecondsGiven = 1;
  pRec->time = PresentMoment();
}

// Delta T, JST <-> JDE, the chart's time-scale lines and the time strings.
#include "time/timescale.h"

#include <cmath>
#include <cstdio>

#include "base/chart_record.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;

// Delta T, seconds, 1930..1971 (yearly values).
const float kDeltaTYearly[42] = {
    24.0f,  24.1f,  24.4f,  24.2f,  24.4f,  24.3f,  24.2f,  24.2f,  24.6f,  24.4f,  24.6f,
    25.5f,  25.5f,  26.4f,  26.7f,  26.9f,  27.4f,  28.2f,  28.5f,  29.2f,  29.9f,  30.0f,
    30.6f,  31.0f,  31.3f,  31.23f, 31.5f,  31.92f, 32.43f, 32.91f, 33.37f, 33.78f, 34.22f,
    34.72f, 35.38f, 36.13f, 36.98f, 37.86f, 38.74f, 39.69f, 40.68f, 41.68f,
};

// TAI - UTC + 32 s for a UT date of 1972..2007 (the leap seconds).
int LeapSecondCount(int y, int m) {
  const bool bJuly = m >= 7;
  if (y == 1972) return bJuly ? 43 : 42;
  if (y <= 1979) return 44 + (y - 1973);
  if (y == 1980 || (y == 1981 && !bJuly)) return 51;
  if (y == 1981 || (y == 1982 && !bJuly)) return 52;
  if (y == 1982 || (y == 1983 && !bJuly)) return 53;
  if (y == 1983 || y == 1984 || (y == 1985 && !bJuly)) return 54;
  if (y <= 1987) return 55;
  if (y <= 1989) return 56;
  if (y == 1990) return 57;
  if (y == 1991 || (y == 1992 && !bJuly)) return 58;
  if (y == 1992 || (y == 1993 && !bJuly)) return 59;
  if (y == 1993 || (y == 1994 && !bJuly)) return 60;
  if (y <= 1995) return 61;
  if (y == 1996 || (y == 1997 && !bJuly)) return 62;
  if (y <= 1998) return 63;
  if (y <= 2005) return 64;
  return 65;
}

// Evaluates c[0] + c[1] T + ... + c[n-1] T^(n-1).
double Polynomial(const double* c, int n, double T) {
  double v = 0.0;
  for (int i = n - 1; i >= 0; --i) v = v * T + c[i];
  return v;
}

const double kDeltaT1800[11] = {-0.000009, 0.003844,  0.083563,  0.865736,  4.867575, 15.845535,
                                31.332267, 38.291999, 28.316289, 11.636204, 2.043794};
const double kDeltaT1900[8] = {-0.000020, 0.000297, 0.025184, -0.181133,
                               0.553040,  -0.861938, 0.677066, -0.212591};

// Writes the common "yyyy年mm月dd日 hh時mm分" head shared by the time strings.
int FormatDateHead(char* szBuf, size_t n, const DateTime& t) {
  return snprintf(szBuf, n, "%5d年%2d月%2d日 %2d時%2d分", t.year, t.month, t.day, t.hour, t.minute);
}

// Splits seconds into whole seconds and a fraction in 1/iScale units,
// rounding the fraction but never carrying into the minute.
void SplitSeconds(double dSecond, int iScale, int* piWhole, double* pdFraction) {
  int s = static_cast<int>(std::floor(dSecond));
  double t = (dSecond - s) * iScale;
  if (t >= iScale - 0.5) {
    // Never 60 (or 61 in a leap second): the last second of the minute
    // keeps its largest fraction.
    if (s >= 59) {
      t = iScale - 1;
    } else {
      s += 1;
      t = 0;
    }
  }
  *piWhole = s;
  *pdFraction = t;
}

// Text of TimeToStrP1 or TimeToStrP2 (iScale 10 or 100) into szBuf.
void FormatFractionalTime(char* szBuf, size_t n, const DateTime& t, int iScale) {
  int s;
  double frac;
  SplitSeconds(t.second, iScale, &s, &frac);
  const int iHead = FormatDateHead(szBuf, n, t);
  if (iHead < 0 || static_cast<size_t>(iHead) >= n) return;
  snprintf(szBuf + iHead, n - iHead, iScale == 10 ? "%02d秒%01.0f" : "%02d秒%02.0f", s, frac);
}

}  // namespace

double GetDeltaT(const DateTime& utDate, long double ldJd) {
  const int y = utDate.year;
  double dSeconds;
  if (y < 1800 || y >= 2100) {
    const double u = y - 1810;
    dSeconds = -15.0 + 0.00325 * u * u;
  } else if (y <= 1929) {
    // Centuries from 1900 January 0.5; these polynomials give days.
    const double T = static_cast<double>((ldJd - 2415020.0L) / 36525.0L);
    return y <= 1899 ? Polynomial(kDeltaT1800, 11, T) : Polynomial(kDeltaT1900, 8, T);
  } else if (y <= 1971) {
    dSeconds = kDeltaTYearly[y - 1930];
  } else if (y <= 2007) {
    dSeconds = LeapSecondCount(y, utDate.month) + 0.184;
  } else {
    dSeconds = std::floor(66.0 + 0.6 * (y - 2007));
  }
  return dSeconds / kSecondsPerDay;
}

long double JdToJde(long double ldJd) {
  DateTime ut;
  JdToDate(ldJd, &ut);
  return ldJd + GetDeltaT(ut, ldJd);
}

long double JstToJde(const DateTime& jst) { return JdToJde(DateToJd(jst, kJstZoneHours)); }

int JdeToJst(long double ldJde, DateTime* pJst) {
  // The JD(UT) whose JD + Delta T(UT date) is the JDE.  A first value from
  // the TD date, then corrected until the UT date that chooses Delta T is
  // that of the result (one pass within a segment of the model; the
  // polynomials of 1800..1929 change by far less than their value).
  constexpr int kMaxPasses = 8;
  DateTime td;
  JdToDate(ldJde, &td);
  long double ldJd = ldJde - GetDeltaT(td, ldJde);
  long double ldBefore = ldJd;
  for (int i = 0; i < kMaxPasses; ++i) {
    DateTime ut;
    JdToDate(ldJd, &ut);
    const long double ldNext = ldJde - GetDeltaT(ut, ldJd);
    if (ldNext == ldJd) break;
    if (ldNext == ldBefore) {
      // Between two values: the JDE lies in the gap of a forward step, or
      // the last bit rounds both ways.  The later one is continuous with
      // the moments before the gap.
      ldJd = ldNext > ldJd ? ldNext : ldJd;
      break;
    }
    ldBefore = ldJd;
    ldJd = ldNext;
  }
  JdToDate(ldJd + kJstZoneDays, pJst);
  return 1;
}

namespace {

// Seconds as "%04.1f" shows them: never 60.0 (the minute is not carried).
double TenthsShown(double dSecond) { return dSecond >= 59.95 ? 59.9 : dSecond; }

}  // namespace

int SetChartTimeScales(long double ldJd, double dTargetSeconds, ChartRecord* pChart) {
  const long double ldLeap = dTargetSeconds >= 60.0 ? 1.0L / 86400.0L : 0.0L;
  DateTime u;
  JdToDate(ldJd, &u);
  snprintf(pChart->szTime[2], kLineDetail, "世界時  %5d年%2d月%2d日 %2d時%02d分%04.1f秒 UTC", u.year,
           u.month, u.day, u.hour, u.minute, TenthsShown(u.second));
  snprintf(pChart->szTime[3], kLineDetail, "ＪＤ(UT)   %20.8Lf", ldJd);
  const float fDeltaT = static_cast<float>(GetDeltaT(u, ldJd));
  pChart->ldJde = ldJd + fDeltaT + ldLeap;
  DateTime d;
  JdToDate(pChart->ldJde, &d);
  snprintf(pChart->szTime[4], kLineDetail,
           "力学時  %5d年%2d月%2d日 %2d時%02d分%04.1f秒 TD  ( ΔＴ %+.3f秒を含む )", d.year, d.month,
           d.day, d.hour, d.minute, TenthsShown(d.second), fDeltaT * kSecondsPerDay);
  snprintf(pChart->szTime[5], kLineDetail, "ＪＤ(TD)   %20.8Lf", pChart->ldJde);
  return 1;
}

const char* TimeToStr(const DateTime* pTime) {
  static char szBuf[128];
  if (!pTime) return "!lpt 0";
  DateTime t = *pTime;
  const bool bRounded = t.second >= 59.5;
  if (bRounded) {
    // Round up by moving the moment half a second later, so that the minute,
    // hour and date carry.
    JdToDate(DateToJd(t, 0.0f) + 0.5L / 86400.0L, &t);
  }
  const int iHead = FormatDateHead(szBuf, sizeof szBuf, t);
  // After the half second the whole second is shown: printing rounds no
  // second time (a leap second 60.4 reads as 09:00:00, not 09:00:01).
  snprintf(szBuf + iHead, sizeof szBuf - iHead, "%02.0f秒", bRounded ? std::floor(t.second) : t.second);
  return szBuf;
}

const char* TimeToStrP1(const DateTime* pTime) {
  static char szBuf[128];
  if (!pTime) return "!lpTime:TimeToStrP1";
  FormatFractionalTime(szBuf, sizeof szBuf, *pTime, 10);
  return szBuf;
}

const char* TimeToStrP2(const DateTime* pTime) {
  static char szBuf[128];
  if (!pTime) return "!lpTime:TimeToStrP2";
  FormatFractionalTime(szBuf, sizeof szBuf, *pTime, 100);
  return szBuf;
}

const char* TimeToStrL(const DateTime* pTime) {
  static char szBuf[128];
  if (!pTime) return "!lpTime:TimeToStrL";
  char szP1[100];
  FormatFractionalTime(szP1, sizeof szP1, *pTime, 10);
  snprintf(szBuf, sizeof szBuf, "  日本時間%s", szP1);
  return szBuf;
}

// Civil time zones: the offset of a zone at an instant from its table, and
// clock readings converted between a zone and JST.
#include "time/zones.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "base/text_sink.h"
#include "time/calendar.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kNever = std::numeric_limits<int64_t>::max();
constexpr int64_t kAlways = std::numeric_limits<int64_t>::min();
// The last year whose summer time a yearly rule gives.
constexpr int kLastRuleYear = 2100;
// How far from a clock reading its moments are looked for, seconds: more
// than any UT offset (local mean times included) either way.
constexpr int64_t kSearchSpan = 2 * kSecondsPerDay;
// At most this many offset spans lie within the search: more than twice as
// many as any zone ever had in four days.
constexpr int kMaxSearchSteps = 16;

int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's
// days_from_civil).  Offsets are looked up on this count; the program's own
// calendar (Julian before 1582-10-15) is used only to shift readings, so
// that the count's dates before 1582 (far from any change) do no harm.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = FloorDiv(y, 400);
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// The proleptic Gregorian date of a day count from 1970-01-01 (H. Hinnant's
// civil_from_days).
void CivilFromDays(int64_t z, int32_t* py, int32_t* pm, int32_t* pd) {
  z += 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  *py = static_cast<int32_t>(yoe + era * 400 + (m <= 2));
  *pm = static_cast<int32_t>(m);
  *pd = static_cast<int32_t>(d);
}

bool IsGregorianLeapYear(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int64_t y, int m) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsGregorianLeapYear(y) ? 29 : kDays[m - 1];
}

// The whole seconds of a reading's second, at most 59: a leap second (60.x)
// stands in the last second of its minute and keeps its excess as fraction.
int WholeSeconds(double dSecond) {
  const double d = std::floor(dSecond);
  return d >= 59.0 ? 59 : (d <= 0.0 ? 0 : static_cast<int>(d));
}

// A reading as seconds since 1970-01-01 00:00 of its own clock (whole
// seconds; the fraction never changes the offset, since every change falls
// on a whole second).
int64_t ReadingSeconds(const DateTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600LL + t.minute * 60LL +
         WholeSeconds(t.second);
}

// The reading of a count of seconds since 1970-01-01 00:00 of a clock.
DateTime ReadingOf(int64_t llSeconds) {
  DateTime t{};
  const int64_t days = FloorDiv(llSeconds, kSecondsPerDay);
  const int64_t s = llSeconds - days * kSecondsPerDay;
  CivilFromDays(days, &t.year, &t.month, &t.day);
  t.hour = static_cast<int32_t>(s / 3600);
  t.minute = static_cast<int32_t>(s % 3600 / 60);
  t.second = static_cast<double>(s % 60);
  return t;
}

// ShiftReading: a reading moved by whole seconds, on the program's calendar
// (calendar.h), fractions of a second kept.
DateTime ShiftReading(const DateTime& t, int32_t lSeconds) {
  const int iWhole = WholeSeconds(t.second);
  const double dFraction = t.second - iWhole;
  int64_t s = t.hour * 3600LL + t.minute * 60LL + iWhole + lSeconds;
  const int64_t days = FloorDiv(s, kSecondsPerDay);
  s -= days * kSecondsPerDay;
  DateTime out = t;
  if (days != 0) {
    // Whole Julian Days at 00:00 are held exactly in a long double.
    const DateTime midnight{t.year, t.month, t.day, 0, 0, 0.0};
    JdToDate(DateToJd(midnight, 0.0f) + static_cast<long double>(days), &out);
  }
  out.hour = static_cast<int32_t>(s / 3600);
  out.minute = static_cast<int32_t>(s % 3600 / 60);
  out.second = static_cast<double>(s % 60) + dFraction;
  return out;
}

// The instant of a change under a yearly rule: its day in the year at its
// local time, on the offset the clocks kept before it.
int64_t RuleInstant(int64_t year, const ZoneRuleDay& r, int32_t lOffsetBefore) {
  const int64_t first = DaysFromCivil(year, r.iMonth, 1);
  const int iFirstWeekday = static_cast<int>(((first % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  int day = 1 + (r.iWeekday - iFirstWeekday + 7) % 7 + 7 * (r.iWeek - 1);
  const int nDays = DaysInMonth(year, r.iMonth);
  while (day > nDays) day -= 7;
  return (first + day - 1) * kSecondsPerDay + r.lSeconds - lOffsetBefore;
}

// Start and end of the summer time that begins in a year under the rule.
int64_t SummerStart(const ZoneInfo& z, int64_t year) {
  return RuleInstant(year, z.summerStart, z.lStandardOffset);
}
int64_t SummerEnd(const ZoneInfo& z, int64_t year) {
  const int64_t endYear = z.summerEnd.iMonth < z.summerStart.iMonth ? year + 1 : year;
  return RuleInstant(endYear, z.summerEnd, z.lSummerOffset);
}

// A span of time [llStart, llEnd) on one offset.
struct OffsetSpan {
  int64_t llStart;  // kAlways: since ever
  int64_t llEnd;    // kNever: for ever
  ZoneOffset offset;
};

// The span of a zone's offset that holds an instant.
OffsetSpan SpanAt(const ZoneInfo& z, int64_t t) {
  const int64_t tRule = z.iRuleFirstYear ? SummerStart(z, z.iRuleFirstYear) : kNever;
  if (t < tRule) {
    // The listed transitions: the number at or before t.
    int lo = 0, hi = z.nTransitions;
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      if (z.pTransitions[mid].llUtc <= t) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    OffsetSpan span;
    span.llStart = lo > 0 ? z.pTransitions[lo - 1].llUtc : kAlways;
    span.llEnd = lo < z.nTransitions ? z.pTransitions[lo].llUtc : tRule;
    span.offset = lo > 0 ? ZoneOffset{z.pTransitions[lo - 1].lOffset, z.pTransitions[lo - 1].bDst}
                         : ZoneOffset{z.lInitialOffset, 0};
    return span;
  }
  // The summer time of the year under the rule that last began at or
  // before t.
  int64_t year = FloorDiv(t, kSecondsPerDay * 365) + 1970;  // near the UT year
  if (year > kLastRuleYear) year = kLastRuleYear;
  if (year < z.iRuleFirstYear) year = z.iRuleFirstYear;
  while (year > z.iRuleFirstYear && SummerStart(z, year) > t) --year;
  while (year < kLastRuleYear && SummerStart(z, year + 1) <= t) ++year;
  const int64_t tEnd = SummerEnd(z, year);
  if (t < tEnd) return OffsetSpan{SummerStart(z, year), tEnd, ZoneOffset{z.lSummerOffset, 1}};
  const int64_t tNext = year < kLastRuleYear ? SummerStart(z, year + 1) : kNever;
  return OffsetSpan{tEnd, tNext, ZoneOffset{z.lStandardOffset, 0}};
}

// A JST reading as an instant, seconds since 1970-01-01 00:00 UT.
int64_t JstInstant(const DateTime& jst) { return ReadingSeconds(jst) - kJstOffsetSeconds; }

// The bounded copy of a text into a caller's buffer: cut without splitting
// a double-byte character.
void Copy(char* szText, size_t nText, const char* sz) {
  if (nText == 0) return;
  PrintField(szText, static_cast<int>(nText), "%s", sz);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (LowerAscii(*a) != LowerAscii(*b)) return false;
  }
  return *a == *b;
}

}  // namespace

int ZoneCount() { return kNumZones; }

const ZoneInfo* ZoneAt(int iZone) { return (iZone >= 0 && iZone < kNumZones) ? &kZoneTable[iZone] : nullptr; }

int FindZone(const char* szName) {
  if (!szName) return kNoZone;
  for (int i = 0; i < kNumZones; ++i) {
    if (EqualIgnoringAsciiCase(kZoneTable[i].szTzName, szName) || strcmp(kZoneTable[i].szName, szName) == 0) {
      return i;
    }
  }
  return kNoZone;
}

ZoneOffset ZoneOffsetAtUtc(int iZone, int64_t llUtc) {
  const ZoneInfo* z = ZoneAt(iZone);
  return z ? SpanAt(*z, llUtc).offset : ZoneOffset{0, 0};
}

int JstToZoneTime(int iZone, const DateTime& jst, DateTime* pLocal, ZoneOffset* pOffset) {
  const ZoneInfo* z = ZoneAt(iZone);
  if (!z) return 0;
  const ZoneOffset offset = SpanAt(*z, JstInstant(jst)).offset;
  *pLocal = ShiftReading(jst, offset.lOffset - kJstOffsetSeconds);
  if (pOffset) *pOffset = offset;
  return 1;
}

int LocalToJst(int iZone, const DateTime& local, int iOccurrence, ZoneConversion* pOut) {
  const ZoneInfo* z = ZoneAt(iZone);
  if (!z) return 0;
  const int64_t L = ReadingSeconds(local);
  // The spans near the reading, in time order: a span whose offset maps the
  // reading into itself holds a moment of it.  Between two spans, a forward
  // change leaves the readings [change + before, change + after) unshown, a
  // backward one shows [change + after, change + before) twice.
  int nMoments = 0;
  ZoneOffset moments[2] = {};
  bool bChangeFound = false;
  int64_t llChange = 0;
  ZoneOffset before{}, after{};
  OffsetSpan span = SpanAt(*z, L - kSearchSpan);
  for (int i = 0; i < kMaxSearchSteps; ++i) {
    const int64_t u = L - span.offset.lOffset;
    if (u >= span.llStart && u < span.llEnd) {
      if (nMoments == 0) {
        moments[0] = span.offset;
      } else {
        moments[1] = span.offset;  // the last of them, should there be more
      }
      ++nMoments;
    }
    if (span.llEnd == kNever || span.llEnd > L + kSearchSpan) break;
    const OffsetSpan next = SpanAt(*z, span.llEnd);
    const int64_t a = span.llEnd + span.offset.lOffset;  // the clock just before the change
    const int64_t b = span.llEnd + next.offset.lOffset;  // and just after it
    if (!bChangeFound && ((L >= a && L < b) || (L >= b && L < a))) {
      bChangeFound = true;
      llChange = span.llEnd;
      before = span.offset;
      after = next.offset;
    }
    span = next;
  }
  ZoneConversion& out = *pOut;
  if (nMoments == 1) {
    out.iStatus = kZoneTimeOk;
    out.applied = out.earlier = out.later = moments[0];
  } else if (nMoments == 0) {
    out.iStatus = kZoneTimeNonexistent;
    out.earlier = before;
    out.later = after;
    out.applied = before;
  } else {
    out.iStatus = kZoneTimeAmbiguous;
    out.earlier = moments[0];
    out.later = moments[1];
    out.applied = iOccurrence == kZoneLater ? moments[1] : moments[0];
  }
  out.jst = ShiftReading(local, kJstOffsetSeconds - out.applied.lOffset);
  if (out.iStatus != kZoneTimeOk && bChangeFound) {
    out.clockBefore = ReadingOf(llChange + before.lOffset);
    out.clockAfter = ReadingOf(llChange + after.lOffset);
  } else {
    out.clockBefore = out.clockAfter = local;
  }
  return 1;
}

void OffsetToJst(const DateTime& local, int32_t lOffset, int bSummerTime, ZoneConversion* pOut) {
  const ZoneOffset offset{lOffset + (bSummerTime ? kSummerTimeStep : 0), bSummerTime ? 1 : 0};
  pOut->iStatus = kZoneTimeOk;
  pOut->applied = pOut->earlier = pOut->later = offset;
  pOut->jst = ShiftReading(local, kJstOffsetSeconds - offset.lOffset);
  pOut->clockBefore = pOut->clockAfter = local;
}

int JapanSummerTimeAt(const DateTime& clock) {
  ZoneConversion c;
  LocalToJst(kZoneJapan, clock, kZoneEarlier, &c);
  switch (c.iStatus) {
    case kZoneTimeNonexistent:
      return kJapanClockSkipped;
    case kZoneTimeAmbiguous:
      return kJapanClockTwice;
    default:
      return c.applied.bDst ? kJapanSummerTime : kJapanStandardTime;
  }
}

const char* JapanSummerTimeNotice(int iJapanClock) {
  switch (iJapanClock) {
    case kJapanSummerTime:
      return "日本の夏時間の期間です（時計は日本標準時より１時間進んでいました）";
    case kJapanClockSkipped:
      return "夏時間の始まりで時計が１時間進められ、この時刻はありませんでした";
    case kJapanClockTwice:
      return "夏時間の終わりで時計が１時間戻され、この時刻は２度ありました";
    default:
      return nullptr;
  }
}

void JapanSummerClockToJst(const DateTime& clock, DateTime* pJst) {
  *pJst = ShiftReading(clock, -kSummerTimeStep);
}

void FormatUtcOffset(int32_t lOffset, char* szText, size_t nText) {
  const char cSign = lOffset < 0 ? '-' : '+';
  const int32_t a = lOffset < 0 ? -lOffset : lOffset;
  char sz[32];
  if (a % 60 != 0) {
    snprintf(sz, sizeof sz, "UTC%c%02d:%02d:%02d", cSign, a / 3600, a % 3600 / 60, a % 60);
  } else {
    snprintf(sz, sizeof sz, "UTC%c%02d:%02d", cSign, a / 3600, a % 3600 / 60);
  }
  Copy(szText, nText, sz);
}

void FormatZoneLabel(int iZone, const ZoneOffset& offset, char* szText, size_t nText) {
  char szOffset[32];
  FormatUtcOffset(offset.lOffset, szOffset, sizeof szOffset);
  const char* szSummer = offset.bDst ? " 夏時間" : "";
  char sz[kZoneTextSize];
  const ZoneInfo* z = ZoneAt(iZone);
  if (z) {
    snprintf(sz, sizeof sz, "%s (%s%s)", z->szName, szOffset, szSummer);
  } else {
    snprintf(sz, sizeof sz, "%s%s", szOffset, szSummer);
  }
  Copy(szText, nText, sz);
}

int ParseUtcOffset(const char* szText, int32_t* plOffset) {
  const char* p = szText;
  if (!p) return 0;
  if (strncmp(p, "UTC", 3) == 0) p += 3;
  if (*p != '+' && *p != '-') return 0;
  const bool bNegative = *p++ == '-';
  int h = 0, nHourDigits = 0;
  for (; IsDigit(*p); ++p) {
    if (++nHourDigits > 2) return 0;
    h = h * 10 + (*p - '0');
  }
  if (nHourDigits == 0 || *p++ != ':') return 0;
  if (!IsDigit(p[0]) || !IsDigit(p[1]) || p[2] != '\0') return 0;
  const int m = (p[0] - '0') * 10 + (p[1] - '0');
  if (m >= 60) return 0;
  const int32_t lOffset = h * 3600 + m * 60;
  if (lOffset > kMaxUtcOffset) return 0;
  *plOffset = bNegative ? -lOffset : lOffset;
  return 1;
}

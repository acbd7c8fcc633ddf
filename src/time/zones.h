// Civil time zones: local clock readings read as JST and back.
//
// Every time the system stores is JST (UT + 9 h).  A birth abroad is known
// by the local clock, and a birth in Japan during the summer time of
// 1948..1951 by a clock one hour ahead of JST.  The zone table
// (zone_table.cpp, written by tools/gen_zone_table.py from the tz database,
// zone list in tools/data/zones.tsv) holds Asia/Tokyo, the zones of the
// place list's foreign rows and the zones of the world's largest cities,
// with every change of their UT offset from 1900 to 2100.
//
// Units: UT offsets in seconds east of UT (JST = +32400); instants in
// seconds since 1970-01-01 00:00 UT.  Date-times are civil readings as in
// calendar.h (astronomical years, Gregorian from 1582-10-15, seconds as
// double); a local reading is a clock reading of the zone named with it,
// a JST reading one of Japan Standard Time without summer time.
//
// Outside the table: a moment before 1900-01-01 00:00 UT takes the offset
// the zone kept at that date (its standard time then, or its local mean
// time where it kept no standard time yet); after the summer time that
// begins in 2100 has ended, every zone keeps its standard offset.  Neither
// is ever summer time, a gap or a doubled hour.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/date_time.h"

// --- The table ------------------------------------------------------------

// One change of a zone's UT offset.
struct ZoneTransition {
  int64_t llUtc;    // instant of the change, seconds since 1970-01-01 00:00 UT
  int32_t lOffset;  // UT offset from this instant on, seconds east
  int32_t bDst;     // 1 when that offset is summer time
};

// The day and local time of a change under a yearly rule, as the tz
// database's POSIX rules write them ("M3.2.0/2": March, second Sunday,
// 02:00).
struct ZoneRuleDay {
  int32_t iMonth;    // 1..12
  int32_t iWeek;     // 1..4: the n-th such weekday of the month; 5: the last
  int32_t iWeekday;  // 0 = Sunday .. 6 = Saturday
  int32_t lSeconds;  // local time of the change, seconds after 00:00 of that
                     // day (86400 is the end of the day)
};

// One zone.  Its offset at an instant is that of the last transition at or
// before it (lInitialOffset before the first); from iRuleFirstYear on, the
// summer times of the years up to 2100 follow the yearly rule instead of
// being listed.
struct ZoneInfo {
  const char* szTzName;     // tz database name, ASCII: "America/New_York"
  const char* szName;       // Japanese name, CP932: "ニューヨーク"
  const char* szCountry;    // country or region, CP932: "アメリカ合衆国"
  int32_t lInitialOffset;   // UT offset before the first transition, seconds
                            // east (in effect on 1900-01-01, never summer time)
  int32_t lStandardOffset;  // standard offset of the zone's present rule,
                            // seconds east; kept after 2100
  const ZoneTransition* pTransitions;  // in time order; null when none
  int32_t nTransitions;
  int32_t iRuleFirstYear;   // 0: no yearly rule; else the first year whose
                            // summer time the rule gives
  int32_t lSummerOffset;    // UT offset in summer time under the rule, seconds east
  ZoneRuleDay summerStart;  // local standard time at which summer time begins
  ZoneRuleDay summerEnd;    // local summer time at which it ends: the same year
                            // when its month comes later than summerStart's,
                            // else the next year (the southern hemisphere)
};

// The table (zone_table.cpp): kNumZones zones, Asia/Tokyo first, and the
// version of the tz database it was written from ("2025b").
extern const ZoneInfo kZoneTable[];
extern const int kNumZones;
extern const char kZoneDataVersion[];

// Zone indexes: Asia/Tokyo is the first zone of the table; kNoZone stands
// for no zone of the table (a fixed offset).
constexpr int kZoneJapan = 0;
constexpr int kNoZone = -1;

// UT offset of JST, seconds east.
constexpr int32_t kJstOffsetSeconds = 32400;
// The hour summer time adds to the standard time, seconds.
constexpr int32_t kSummerTimeStep = 3600;
// The largest UT offset ParseUtcOffset accepts either way, seconds (14 h:
// the zones of the world lie between UT - 12 h and UT + 14 h).
constexpr int32_t kMaxUtcOffset = 14 * 3600;

// ZoneCount: the number of zones of the table.
int ZoneCount();

// ZoneAt: the zone of an index 0..ZoneCount()-1; null for any other index.
const ZoneInfo* ZoneAt(int iZone);

// FindZone: the index of the zone named szName: its tz database name (ASCII,
// letters in either case: "America/New_York", "asia/tokyo") or its Japanese
// name (CP932, exactly: "ニューヨーク").  kNoZone when no zone has that name.
int FindZone(const char* szName);

// A UT offset and whether it is summer time.
struct ZoneOffset {
  int32_t lOffset;  // seconds east of UT
  int32_t bDst;     // 1 for summer time
};

// ZoneOffsetAtUtc: the offset a zone's clocks kept at an instant.
//   iZone  index of the zone (kZoneJapan for Japan)
//   llUtc  seconds since 1970-01-01 00:00 UT, any value
// Returns {0, 0} for an index outside the table.
ZoneOffset ZoneOffsetAtUtc(int iZone, int64_t llUtc);

// JstToZoneTime: the clock reading of a zone at a JST moment.
//   jst       a checked JST date-time (calendar.h)
//   pLocal    receives the zone's clock reading (fractions of a second kept)
//   pOffset   receives the offset of that reading (may be null)
// Returns 1, or 0 for an index outside the table (nothing written).
int JstToZoneTime(int iZone, const DateTime& jst, DateTime* pLocal, ZoneOffset* pOffset);

// --- A clock reading as JST ----------------------------------------------------

// What a clock reading is on the clocks of a zone.
enum ZoneTimeStatus : int32_t {
  kZoneTimeOk = 0,            // it happened once
  kZoneTimeNonexistent = 1,   // it never showed: the clocks were set forward
                              // over it (the start of summer time)
  kZoneTimeAmbiguous = 2,     // it showed twice: the clocks were set back over
                              // it (the end of summer time)
};

// Which of the two moments of an ambiguous reading is meant.
enum ZoneOccurrence : int32_t {
  kZoneEarlier = 0,  // the first, still on the offset before the change
                     // (summer time at its end)
  kZoneLater = 1,    // the second, on the offset after the change
};

// The result of reading a clock of a zone as JST.
struct ZoneConversion {
  int32_t iStatus;       // ZoneTimeStatus
  ZoneOffset applied;    // the offset jst was computed with
  ZoneOffset earlier;    // kZoneTimeAmbiguous: the offset of the first moment;
                         // kZoneTimeNonexistent: the offset before the change;
                         // kZoneTimeOk: the applied offset
  ZoneOffset later;      // the offset of the second moment, or after the
                         // change; kZoneTimeOk: the applied offset
  DateTime jst;          // the JST reading of the moment (fractions kept)
  DateTime clockBefore;  // a gap or a doubled hour: the reading at which the
                         // clocks were changed, on the offset before ...
  DateTime clockAfter;   // ... and what they showed after it; otherwise the
                         // reading converted
};

// LocalToJst: the JST moment of a clock reading of a zone.
//   iZone        index of the zone (kZoneJapan: Japan's summer time applies)
//   local        a checked clock reading (ValidateDateTime; seconds of 60
//                and more stand in the last second of the minute)
//   iOccurrence  kZoneEarlier or kZoneLater: the moment taken for an
//                ambiguous reading
//   pOut         receives the result.  An ambiguous reading gives the offset
//                of both moments, so that the user can be asked; a
//                nonexistent one gives the JST reading taken with the offset
//                before the change (the moment an unchanged clock would have
//                shown it), which the caller should not store unasked.
// Returns 1, or 0 for an index outside the table (nothing written).
int LocalToJst(int iZone, const DateTime& local, int iOccurrence, ZoneConversion* pOut);

// OffsetToJst: the JST moment of a clock reading at a fixed UT offset.
//   lOffset      standard offset, seconds east (-kMaxUtcOffset..kMaxUtcOffset)
//   bSummerTime  non-zero: the clock kept summer time, one hour ahead of
//                lOffset (kSummerTimeStep)
// The result is always kZoneTimeOk; applied, earlier and later are the
// offset taken, clockBefore and clockAfter the reading.
void OffsetToJst(const DateTime& local, int32_t lOffset, int bSummerTime, ZoneConversion* pOut);

// --- Japan's summer time of 1948..1951 -----------------------------------------------

// How a Japanese clock reading stands to the summer time, which began at
// 00:00 (set to 01:00) on 1948-05-02, 1949-04-03, 1950-05-07 and 1951-05-06
// and ended at 01:00 (set back to 00:00) on 1948-09-12, 1949-09-11,
// 1950-09-10 and 1951-09-09 (tz database, Asia/Tokyo).
enum JapanClock : int32_t {
  kJapanStandardTime = 0,  // JST: no summer time at that reading
  kJapanSummerTime = 1,    // within summer time: the clocks were JST + 1 h
  kJapanClockSkipped = 2,  // 00:00..00:59 of a first day: never shown
  kJapanClockTwice = 3,    // 00:00..00:59 of a last day: shown twice (first
                           // in summer time, then in JST)
};

// JapanSummerTimeAt: whether a clock reading in Japan falls in summer time;
// a JapanClock value.
int JapanSummerTimeAt(const DateTime& clock);

// JapanSummerTimeNotice: a one-line CP932 notice for a reading of the kind
// JapanSummerTimeAt returns ("日本の夏時間の期間です ..."); null for
// kJapanStandardTime.
const char* JapanSummerTimeNotice(int iJapanClock);

// JapanSummerClockToJst: the JST moment of a reading of a clock that kept
// summer time (JST + 1 h): one hour is taken off.
void JapanSummerClockToJst(const DateTime& clock, DateTime* pJst);

// --- Texts ----------------------------------------------------------------------------

// Size of a buffer that always holds a text of FormatUtcOffset or
// FormatZoneLabel.
constexpr size_t kZoneTextSize = 96;

// FormatUtcOffset: "UTC+09:00", "UTC-03:30"; seconds only when the offset
// has them ("UTC+09:18:59", a local mean time).
void FormatUtcOffset(int32_t lOffset, char* szText, size_t nText);

// FormatZoneLabel: the zone and offset of a reading, CP932:
// "ニューヨーク (UTC-04:00 夏時間)", "シドニー (UTC+10:00)"; for kNoZone (a
// fixed offset) "UTC-04:00 夏時間".
void FormatZoneLabel(int iZone, const ZoneOffset& offset, char* szText, size_t nText);

// ParseUtcOffset: a UT offset written "+HH:MM" or "-HH:MM" (one or two hour
// digits, two minute digits, optionally after "UTC"): "+09:00", "-4:00",
// "UTC+05:30".  Returns 1 and the offset in seconds east, or 0 for another
// text or an offset beyond 14 hours.
int ParseUtcOffset(const char* szText, int32_t* plOffset);

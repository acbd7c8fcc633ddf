// The zone table and the conversions of clock readings to JST.  Expected
// JST readings were taken from Python's zoneinfo on Debian's tzdata 2025b
// (tests/check_zones.py compares every change of every zone the same way).
#include <cstring>
#include <string>

#include "test_support.h"
#include "time/zones.h"

namespace {

DateTime Dt(int y, int mo, int d, int h = 0, int mi = 0, double s = 0.0) {
  return DateTime{y, mo, d, h, mi, s};
}

std::string Text(const DateTime& t) {
  char sz[64];
  snprintf(sz, sizeof sz, "%04d-%02d-%02dT%02d:%02d:%06.3f", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return sz;
}

int Zone(const char* szTzName) {
  const int i = FindZone(szTzName);
  EXPECT_NE(i, kNoZone) << szTzName;
  return i;
}

TEST(ZoneTable, NamesAndOrder) {
  ASSERT_GE(ZoneCount(), 40);
  EXPECT_STREQ(ZoneAt(kZoneJapan)->szTzName, "Asia/Tokyo");
  EXPECT_STREQ(ZoneAt(kZoneJapan)->szName, "東京");
  EXPECT_EQ(ZoneAt(-1), nullptr);
  EXPECT_EQ(ZoneAt(ZoneCount()), nullptr);
  EXPECT_EQ(strlen(kZoneDataVersion), 5u);  // "2025b"
  for (int i = 0; i < ZoneCount(); ++i) {
    const ZoneInfo& z = *ZoneAt(i);
    // Each zone is found by both its names, and by no other zone's.
    EXPECT_EQ(FindZone(z.szTzName), i) << z.szTzName;
    EXPECT_EQ(FindZone(z.szName), i) << z.szTzName;
    for (const char* p = z.szTzName; *p; ++p) EXPECT_LT(static_cast<unsigned char>(*p), 0x80u) << z.szTzName;
    EXPECT_GT(strlen(z.szName), 0u);
    EXPECT_GT(strlen(z.szCountry), 0u);
    for (int k = 1; k < z.nTransitions; ++k) EXPECT_LT(z.pTransitions[k - 1].llUtc, z.pTransitions[k].llUtc);
    if (z.iRuleFirstYear) {
      EXPECT_EQ(z.lSummerOffset - z.lStandardOffset, kSummerTimeStep) << z.szTzName;
    }
  }
  EXPECT_EQ(FindZone("america/new_york"), FindZone("America/New_York"));
  EXPECT_EQ(FindZone("ニューヨーク"), FindZone("America/New_York"));
  EXPECT_EQ(FindZone("Asia/Tokyo "), kNoZone);
  EXPECT_EQ(FindZone("Mars/Olympus_Mons"), kNoZone);
  EXPECT_EQ(FindZone(""), kNoZone);
  EXPECT_EQ(FindZone(nullptr), kNoZone);
}

// Japan kept summer time four times.  Each began at 00:00 of its first day
// (the clocks went to 01:00) and ended at 01:00 of its last day (back to
// 00:00): the tz database's Asia/Tokyo since its 2018 correction.
struct JapanPeriod {
  DateTime firstDay, lastDay;
};
const JapanPeriod kJapanPeriods[] = {
    {Dt(1948, 5, 2), Dt(1948, 9, 12)},
    {Dt(1949, 4, 3), Dt(1949, 9, 11)},
    {Dt(1950, 5, 7), Dt(1950, 9, 10)},
    {Dt(1951, 5, 6), Dt(1951, 9, 9)},
};

DateTime On(const DateTime& day, int h, int mi, double s = 0.0) { return Dt(day.year, day.month, day.day, h, mi, s); }
DateTime DayBefore(const DateTime& day) {
  // None of the days is the first of a month.
  return Dt(day.year, day.month, day.day - 1);
}

TEST(JapanSummerTime, PeriodsAndTheirEdges) {
  // The table holds exactly these eight changes for Japan.
  const ZoneInfo& japan = *ZoneAt(kZoneJapan);
  ASSERT_EQ(japan.nTransitions, 8);
  EXPECT_EQ(japan.iRuleFirstYear, 0);
  for (const JapanPeriod& p : kJapanPeriods) {
    const DateTime before = DayBefore(p.firstDay);
    const DateTime lastEve = DayBefore(p.lastDay);
    struct Probe {
      DateTime clock;
      int iWant;
    } probes[] = {
        {On(before, 23, 59, 59.9), kJapanStandardTime},
        {On(p.firstDay, 0, 0), kJapanClockSkipped},
        {On(p.firstDay, 0, 59, 59.9), kJapanClockSkipped},
        {On(p.firstDay, 1, 0), kJapanSummerTime},
        {On(lastEve, 23, 59, 59.9), kJapanSummerTime},
        {On(p.lastDay, 0, 0), kJapanClockTwice},
        {On(p.lastDay, 0, 59, 59.9), kJapanClockTwice},
        {On(p.lastDay, 1, 0), kJapanStandardTime},
    };
    for (const Probe& probe : probes) {
      EXPECT_EQ(JapanSummerTimeAt(probe.clock), probe.iWant) << Text(probe.clock);
      EXPECT_EQ(JapanSummerTimeNotice(probe.iWant) == nullptr, probe.iWant == kJapanStandardTime);
    }
    // The transitions are the instants of those clock readings.
    ZoneConversion c;
    ASSERT_TRUE(LocalToJst(kZoneJapan, On(p.firstDay, 1, 0), kZoneEarlier, &c));
    EXPECT_EQ(Text(c.jst), Text(On(p.firstDay, 0, 0)));
    LocalToJst(kZoneJapan, On(p.lastDay, 0, 30), kZoneEarlier, &c);
    EXPECT_EQ(Text(c.jst), Text(On(lastEve, 23, 30)));
    EXPECT_EQ(Text(c.clockBefore), Text(On(p.lastDay, 1, 0)));
    EXPECT_EQ(Text(c.clockAfter), Text(On(p.lastDay, 0, 0)));
    LocalToJst(kZoneJapan, On(p.lastDay, 0, 30), kZoneLater, &c);
    EXPECT_EQ(Text(c.jst), Text(On(p.lastDay, 0, 30)));
  }
  EXPECT_EQ(JapanSummerTimeAt(Dt(1947, 7, 1, 12)), kJapanStandardTime);
  EXPECT_EQ(JapanSummerTimeAt(Dt(1952, 7, 1, 12)), kJapanStandardTime);
  EXPECT_EQ(JapanSummerTimeAt(Dt(1990, 7, 1, 12)), kJapanStandardTime);

  // A clock that kept summer time is one hour ahead of JST.
  DateTime jst;
  JapanSummerClockToJst(Dt(1950, 7, 1, 10, 0, 12.5), &jst);
  EXPECT_EQ(Text(jst), "1950-07-01T09:00:12.500");
  JapanSummerClockToJst(Dt(1950, 5, 7, 0, 30), &jst);
  EXPECT_EQ(Text(jst), "1950-05-06T23:30:00.000");
}

// Births abroad: a clock reading of a zone and its JST.
struct Birth {
  const char* szZone;
  DateTime local;
  const char* szJst;
  int32_t lOffset;
  int32_t bDst;
};
const Birth kBirths[] = {
    // Summer time in the northern and the southern hemisphere.
    {"America/New_York", Dt(1990, 7, 4, 12), "1990-07-05T01:00:00.000", -14400, 1},
    {"America/New_York", Dt(1990, 1, 15, 8, 30), "1990-01-15T22:30:00.000", -18000, 0},
    {"Australia/Sydney", Dt(1990, 1, 15, 12), "1990-01-15T10:00:00.000", 39600, 1},
    {"Australia/Sydney", Dt(1990, 7, 15, 12), "1990-07-15T11:00:00.000", 36000, 0},
    // Half-hour zones, with and without summer time.
    {"Asia/Kolkata", Dt(1990, 7, 4, 12), "1990-07-04T15:30:00.000", 19800, 0},
    {"Asia/Kolkata", Dt(1944, 7, 1, 12), "1944-07-01T14:30:00.000", 23400, 1},  // war time
    {"Australia/Adelaide", Dt(1990, 1, 15, 12), "1990-01-15T10:30:00.000", 37800, 1},
    {"Australia/Adelaide", Dt(1990, 7, 1, 12), "1990-07-01T11:30:00.000", 34200, 0},
    {"Asia/Yangon", Dt(1990, 6, 1, 12), "1990-06-01T14:30:00.000", 23400, 0},
    // Zones whose offset changed in the 1900s, local mean times included.
    {"Asia/Singapore", Dt(1901, 6, 1, 12), "1901-06-01T14:04:35.000", 24925, 0},
    {"Asia/Singapore", Dt(1950, 6, 1, 12), "1950-06-01T13:30:00.000", 27000, 0},
    {"Asia/Singapore", Dt(1990, 6, 1, 12), "1990-06-01T13:00:00.000", 28800, 0},
    {"Europe/Helsinki", Dt(1910, 6, 1, 12), "1910-06-01T19:20:11.000", 5989, 0},
    {"Europe/Helsinki", Dt(1985, 6, 1, 12), "1985-06-01T18:00:00.000", 10800, 1},
    {"Asia/Shanghai", Dt(1940, 7, 1, 12), "1940-07-01T12:00:00.000", 32400, 1},
    {"Asia/Shanghai", Dt(1988, 6, 1, 12), "1988-06-01T12:00:00.000", 32400, 1},
    {"Asia/Seoul", Dt(1955, 6, 1, 12), "1955-06-01T11:30:00.000", 34200, 1},
    {"Asia/Seoul", Dt(1988, 7, 1, 12), "1988-07-01T11:00:00.000", 36000, 1},
    {"Asia/Sakhalin", Dt(1950, 6, 1, 12), "1950-06-01T10:00:00.000", 39600, 0},
    {"Europe/London", Dt(1944, 6, 6, 12), "1944-06-06T19:00:00.000", 7200, 1},  // double summer time
    {"Europe/Moscow", Dt(2012, 6, 1, 12), "2012-06-01T17:00:00.000", 14400, 0},
    {"Pacific/Honolulu", Dt(1935, 6, 1, 12), "1935-06-02T07:30:00.000", -37800, 0},
    // Fractions of a second and a leap second come through.
    {"America/New_York", Dt(1990, 7, 4, 12, 0, 7.25), "1990-07-05T01:00:07.250", -14400, 1},
    {"America/New_York", Dt(1990, 12, 31, 18, 59, 60.5), "1991-01-01T08:59:60.500", -18000, 0},
    // The program's calendar across its Gregorian reform, outside the table.
    {"Europe/London", Dt(1582, 10, 4, 22), "1582-10-15T07:00:00.000", 0, 0},
    // Outside 1900..2100: the offset of 1900 before, the standard offset after.
    {"America/New_York", Dt(1850, 7, 4, 12), "1850-07-05T02:00:00.000", -18000, 0},
    {"Europe/Helsinki", Dt(1800, 1, 1, 0), "1800-01-01T07:20:11.000", 5989, 0},
    {"Australia/Sydney", Dt(2150, 1, 15, 12), "2150-01-15T11:00:00.000", 36000, 0},
    {"America/New_York", Dt(2150, 7, 4, 12), "2150-07-05T02:00:00.000", -18000, 0},
    {"Asia/Tokyo", Dt(1850, 7, 4, 12), "1850-07-04T12:00:00.000", 32400, 0},
};

TEST(LocalToJst, BirthsAbroad) {
  for (const Birth& b : kBirths) {
    ZoneConversion c;
    ASSERT_TRUE(LocalToJst(Zone(b.szZone), b.local, kZoneEarlier, &c)) << b.szZone;
    EXPECT_EQ(c.iStatus, kZoneTimeOk) << b.szZone << " " << Text(b.local);
    EXPECT_EQ(Text(c.jst), b.szJst) << b.szZone << " " << Text(b.local);
    EXPECT_EQ(c.applied.lOffset, b.lOffset) << b.szZone << " " << Text(b.local);
    EXPECT_EQ(c.applied.bDst, b.bDst) << b.szZone << " " << Text(b.local);
    // The later occurrence changes nothing where there is one.
    ZoneConversion later;
    LocalToJst(Zone(b.szZone), b.local, kZoneLater, &later);
    EXPECT_EQ(Text(later.jst), b.szJst);
    // And the zone's clock at that JST moment reads the birth again (the
    // leap second aside, which the zone's clock shows as the next minute).
    DateTime back;
    ZoneOffset offset;
    ASSERT_TRUE(JstToZoneTime(Zone(b.szZone), c.jst, &back, &offset));
    if (b.local.second < 60.0) {
      EXPECT_EQ(Text(back), Text(b.local)) << b.szZone;
    }
    EXPECT_EQ(offset.lOffset, b.lOffset);
  }
}

// Clock readings skipped or shown twice when the clocks changed.
struct Change {
  const char* szZone;
  DateTime local;
  int iStatus;
  ZoneOffset earlier, later;
  const char* szEarlierJst;  // for a nonexistent reading: taken with the offset before
  const char* szLaterJst;
  const char* szClockBefore;  // the clocks' reading at the change, before and after
  const char* szClockAfter;
};
const Change kChanges[] = {
    {"America/New_York", Dt(1990, 4, 1, 2, 30), kZoneTimeNonexistent, {-18000, 0}, {-14400, 1},
     "1990-04-01T16:30:00.000", "1990-04-01T16:30:00.000", "1990-04-01T02:00:00.000", "1990-04-01T03:00:00.000"},
    {"America/New_York", Dt(1990, 10, 28, 1, 30), kZoneTimeAmbiguous, {-14400, 1}, {-18000, 0},
     "1990-10-28T14:30:00.000", "1990-10-28T15:30:00.000", "1990-10-28T02:00:00.000", "1990-10-28T01:00:00.000"},
    {"Australia/Sydney", Dt(1990, 3, 4, 2, 30), kZoneTimeAmbiguous, {39600, 1}, {36000, 0},
     "1990-03-04T00:30:00.000", "1990-03-04T01:30:00.000", "1990-03-04T03:00:00.000", "1990-03-04T02:00:00.000"},
    {"Australia/Sydney", Dt(1990, 10, 28, 2, 30), kZoneTimeNonexistent, {36000, 0}, {39600, 1},
     "1990-10-28T01:30:00.000", "1990-10-28T01:30:00.000", "1990-10-28T02:00:00.000", "1990-10-28T03:00:00.000"},
    {"Asia/Tokyo", Dt(1948, 5, 2, 0, 30), kZoneTimeNonexistent, {32400, 0}, {36000, 1},
     "1948-05-02T00:30:00.000", "1948-05-02T00:30:00.000", "1948-05-02T00:00:00.000", "1948-05-02T01:00:00.000"},
    {"Asia/Tokyo", Dt(1948, 9, 12, 0, 30), kZoneTimeAmbiguous, {36000, 1}, {32400, 0},
     "1948-09-11T23:30:00.000", "1948-09-12T00:30:00.000", "1948-09-12T01:00:00.000", "1948-09-12T00:00:00.000"},
    // A rule year far ahead, and the summer time that begins in 2100.
    {"America/New_York", Dt(2099, 11, 1, 1, 30), kZoneTimeAmbiguous, {-14400, 1}, {-18000, 0},
     "2099-11-01T14:30:00.000", "2099-11-01T15:30:00.000", "2099-11-01T02:00:00.000", "2099-11-01T01:00:00.000"},
    {"Australia/Sydney", Dt(2100, 10, 3, 2, 30), kZoneTimeNonexistent, {36000, 0}, {39600, 1},
     "2100-10-03T01:30:00.000", "2100-10-03T01:30:00.000", "2100-10-03T02:00:00.000", "2100-10-03T03:00:00.000"},
    {"Australia/Sydney", Dt(2101, 4, 3, 2, 30), kZoneTimeAmbiguous, {39600, 1}, {36000, 0},
     "2101-04-03T00:30:00.000", "2101-04-03T01:30:00.000", "2101-04-03T03:00:00.000", "2101-04-03T02:00:00.000"},
};

TEST(LocalToJst, GapsAndDoubledHours) {
  for (const Change& ch : kChanges) {
    const std::string sWhat = std::string(ch.szZone) + " " + Text(ch.local);
    for (int iOccurrence : {kZoneEarlier, kZoneLater}) {
      ZoneConversion c;
      ASSERT_TRUE(LocalToJst(Zone(ch.szZone), ch.local, iOccurrence, &c));
      EXPECT_EQ(c.iStatus, ch.iStatus) << sWhat;
      EXPECT_EQ(c.earlier.lOffset, ch.earlier.lOffset) << sWhat;
      EXPECT_EQ(c.earlier.bDst, ch.earlier.bDst) << sWhat;
      EXPECT_EQ(c.later.lOffset, ch.later.lOffset) << sWhat;
      EXPECT_EQ(c.later.bDst, ch.later.bDst) << sWhat;
      EXPECT_EQ(Text(c.clockBefore), ch.szClockBefore) << sWhat;
      EXPECT_EQ(Text(c.clockAfter), ch.szClockAfter) << sWhat;
      // A nonexistent reading is always taken with the offset before the change.
      const bool bLater = iOccurrence == kZoneLater && ch.iStatus == kZoneTimeAmbiguous;
      EXPECT_EQ(Text(c.jst), bLater ? ch.szLaterJst : ch.szEarlierJst) << sWhat;
      EXPECT_EQ(c.applied.lOffset, bLater ? ch.later.lOffset : ch.earlier.lOffset) << sWhat;
    }
  }
  // After the summer time that began in 2100, standard time for ever.
  ZoneConversion c;
  LocalToJst(Zone("Australia/Sydney"), Dt(2101, 10, 2, 2, 30), kZoneEarlier, &c);
  EXPECT_EQ(c.iStatus, kZoneTimeOk);
  EXPECT_EQ(c.applied.lOffset, 36000);
  EXPECT_EQ(LocalToJst(kNoZone, Dt(1990, 1, 1), kZoneEarlier, &c), 0);
  EXPECT_EQ(LocalToJst(ZoneCount(), Dt(1990, 1, 1), kZoneEarlier, &c), 0);
}

TEST(OffsetToJst, FixedOffsetsAndTheSummerTimeTick) {
  struct {
    DateTime local;
    int32_t lOffset;
    int bSummer;
    const char* szJst;
  } const kCases[] = {
      {Dt(1990, 7, 4, 12), -5 * 3600, 1, "1990-07-05T01:00:00.000"},
      {Dt(1990, 7, 4, 12), -5 * 3600, 0, "1990-07-05T02:00:00.000"},
      {Dt(1990, 7, 4, 12), 5 * 3600 + 45 * 60, 0, "1990-07-04T15:15:00.000"},
      {Dt(2000, 1, 1, 0, 0, 0.5), 14 * 3600, 0, "1999-12-31T19:00:00.500"},
      {Dt(1999, 12, 31, 23), -12 * 3600, 0, "2000-01-01T20:00:00.000"},
      {Dt(2000, 2, 28, 20), -9 * 3600, 0, "2000-02-29T14:00:00.000"},
      {Dt(1990, 7, 4, 12), kJstOffsetSeconds, 0, "1990-07-04T12:00:00.000"},
  };
  for (const auto& k : kCases) {
    ZoneConversion c;
    OffsetToJst(k.local, k.lOffset, k.bSummer, &c);
    EXPECT_EQ(c.iStatus, kZoneTimeOk);
    EXPECT_EQ(Text(c.jst), k.szJst) << Text(k.local) << " " << k.lOffset;
    EXPECT_EQ(c.applied.lOffset, k.lOffset + (k.bSummer ? 3600 : 0));
    EXPECT_EQ(c.applied.bDst, k.bSummer);
  }
}

TEST(ZoneTexts, LabelsAndOffsets) {
  char sz[kZoneTextSize];
  FormatZoneLabel(Zone("America/New_York"), ZoneOffset{-14400, 1}, sz, sizeof sz);
  EXPECT_STREQ(sz, "ニューヨーク (UTC-04:00 夏時間)");
  FormatZoneLabel(Zone("Asia/Kolkata"), ZoneOffset{19800, 0}, sz, sizeof sz);
  EXPECT_STREQ(sz, "コルカタ (UTC+05:30)");
  FormatZoneLabel(Zone("Europe/Helsinki"), ZoneOffset{5989, 0}, sz, sizeof sz);
  EXPECT_STREQ(sz, "ヘルシンキ (UTC+01:39:49)");
  FormatZoneLabel(kNoZone, ZoneOffset{-3 * 3600 - 1800, 1}, sz, sizeof sz);
  EXPECT_STREQ(sz, "UTC-03:30 夏時間");
  FormatZoneLabel(kNoZone, ZoneOffset{0, 0}, sz, sizeof sz);
  EXPECT_STREQ(sz, "UTC+00:00");
  // A short buffer holds what fits, never half a double-byte character.
  char szShort[6];
  FormatUtcOffset(32400, szShort, sizeof szShort);
  EXPECT_STREQ(szShort, "UTC+0");
  char szCut[12];
  FormatZoneLabel(Zone("America/New_York"), ZoneOffset{-14400, 1}, szCut, sizeof szCut);
  EXPECT_STREQ(szCut, "ニューヨー ");

  struct {
    const char* szText;
    int iOk;
    int32_t lOffset;
  } const kOffsets[] = {
      {"+09:00", 1, 32400},   {"-4:00", 1, -14400},   {"UTC+05:30", 1, 19800}, {"-00:00", 1, 0},
      {"+14:00", 1, 50400},   {"-14:00", 1, -50400},  {"+05:45", 1, 20700},    {"+14:01", 0, 0},
      {"09:00", 0, 0},        {"+9", 0, 0},           {"+0900", 0, 0},         {"+09:60", 0, 0},
      {"+009:00", 0, 0},      {"+09:00 ", 0, 0},      {"UTC", 0, 0},           {"utc+09:00", 0, 0},
      {"+09:0", 0, 0},        {"", 0, 0},
  };
  for (const auto& k : kOffsets) {
    int32_t lOffset = 12345;
    EXPECT_EQ(ParseUtcOffset(k.szText, &lOffset), k.iOk) << k.szText;
    EXPECT_EQ(lOffset, k.iOk ? k.lOffset : 12345) << k.szText;
  }
}

}  // namespace

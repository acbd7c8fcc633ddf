// The clock of a birth time in the time-and-name dialog: the chooser's
// rows, the opening and the live state of its controls, the reading read
// as JST with its refusals and its question (as `horomira --zone` reads
// it), the birthplace's zone, and the lines of the confirmation box.
#include <cstring>
#include <set>
#include <string>

#include "chart/place_zones.h"
#include "chart/places.h"
#include "cli_test_support.h"
#include "entry/entry_rules.h"
#include "entry_test_support.h"
#include "test_support.h"
#include "time/timescale.h"

namespace {

const LocalClock kNow = {2024, 5, 6, 7, 8, 9, 500};

// A one-line Shift-JIS text: printable single bytes, half-width kana and
// whole double-byte pairs.
bool IsCp932Line(const char* sz) {
  const auto* p = reinterpret_cast<const unsigned char*>(sz);
  for (size_t i = 0; p[i];) {
    const unsigned char c = p[i];
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
      if (p[i + 1] < 0x40 || p[i + 1] == 0x7F || p[i + 1] > 0xFC) return false;
      i += 2;
    } else if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA1 && c <= 0xDF)) {
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

int Row(const char* szZone) {
  const int iZone = FindZone(szZone);
  EXPECT_NE(iZone, kNoZone) << szZone;
  return ChoiceOfZone(iZone);
}

TimeEntryTexts Texts(int y, int mo, int d, int h, int mi, const char* szSeconds = "00.0") {
  TimeEntryTexts t{};
  snprintf(t.szYear, sizeof t.szYear, "%d", y);
  snprintf(t.szMonth, sizeof t.szMonth, "%d", mo);
  snprintf(t.szDay, sizeof t.szDay, "%d", d);
  snprintf(t.szHour, sizeof t.szHour, "%d", h);
  snprintf(t.szMinute, sizeof t.szMinute, "%d", mi);
  snprintf(t.szSeconds, sizeof t.szSeconds, "%s", szSeconds);
  strcpy(t.szName, "山田花子");
  return t;
}

ZoneEntryChoice Choice(int iRow, const char* szOffset = "", bool bSummer = false) {
  ZoneEntryChoice c{};
  c.iRow = iRow;
  snprintf(c.szOffset, sizeof c.szOffset, "%s", szOffset);
  c.bSummerTime = bSummer;
  c.iSource = iRow == kZoneChoiceJapan && !bSummer ? kZoneSourceDefault : kZoneSourceUser;
  return c;
}

// A fresh new-data record as the dialog's opening leaves it.
BirthRecord Fresh(int iMode = kTimeEntryNewData) {
  BirthRecord r{};
  TimeEntryForm form;
  MakeTimeEntryForm(iMode, 0, &r, kNow, &form);
  return r;
}

std::string Ymdhm(const DateTime& t) {
  char sz[64];
  snprintf(sz, sizeof sz, "%d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  return sz;
}

// --- The chooser's rows ----------------------------------------------------------------

TEST(ZoneChoice, JapanFirstThenTheZonesThenAnOffset) {
  ASSERT_EQ(ZoneChoiceCount(), ZoneCount() + 1);
  EXPECT_EQ(ZoneChoiceOffsetRow(), ZoneCount());
  char sz[128];
  ZoneChoiceText(kZoneChoiceJapan, sz, sizeof sz);
  EXPECT_STREQ(sz, "日本時間");
  ZoneChoiceText(ZoneChoiceOffsetRow(), sz, sizeof sz);
  EXPECT_STREQ(sz, "UTC との時差（±時:分）");
  // The place list's foreign cities come first, as the place list writes
  // its rows: country－city, the city alone where they are one.
  ZoneChoiceText(1, sz, sizeof sz);
  EXPECT_STREQ(sz, "ロシア－サハリン");
  ZoneChoiceText(Row("ニューヨーク"), sz, sizeof sz);
  EXPECT_STREQ(sz, "アメリカ合衆国－ニューヨーク");
  ZoneChoiceText(Row("Asia/Singapore"), sz, sizeof sz);
  EXPECT_STREQ(sz, "シンガポール");
  for (int iRow : {-1, ZoneChoiceCount(), 1000}) {
    EXPECT_EQ(ZoneChoiceText(iRow, sz, sizeof sz), 0) << iRow;
    EXPECT_STREQ(sz, "") << iRow;
    EXPECT_EQ(ZoneOfChoice(iRow), kZoneJapan) << iRow;
  }

  std::set<std::string> seen;
  for (int iRow = 0; iRow < ZoneChoiceCount(); ++iRow) {
    ZoneChoiceText(iRow, sz, sizeof sz);
    EXPECT_TRUE(IsCp932Line(sz)) << iRow;
    EXPECT_TRUE(seen.insert(sz).second) << "row " << iRow << " repeats " << sz;
    // The closed chooser shows 30 bytes beside its arrow.
    EXPECT_LE(strlen(sz), 30u) << sz;
    EXPECT_EQ(ChoiceOfZone(ZoneOfChoice(iRow)), iRow) << iRow;
    if (iRow > 0 && iRow < ZoneChoiceOffsetRow()) {
      EXPECT_NE(strstr(sz, ZoneAt(iRow)->szName), nullptr) << "row " << iRow << " names its city";
    }
  }
  EXPECT_EQ(ZoneOfChoice(kZoneChoiceJapan), kZoneJapan);
  EXPECT_EQ(ZoneOfChoice(ZoneChoiceOffsetRow()), kNoZone);
  EXPECT_EQ(ChoiceOfZone(kNoZone), ZoneChoiceOffsetRow());
  EXPECT_EQ(ChoiceOfZone(ZoneCount()), kZoneChoiceJapan);
}

TEST(ZoneChoice, OnlyNewDataAndTheDefaultPersonHaveIt) {
  for (int iMode : {0, 60001}) EXPECT_TRUE(TimeEntryHasZone(iMode)) << iMode;
  for (int iMode : {1, 2, 11, 38241, 38243, 38250, 38251, 38300, 38310}) EXPECT_FALSE(TimeEntryHasZone(iMode)) << iMode;
}

// --- Reading the time on the chosen clock --------------------------------------------------

class ZoneAccept : public BoxTest {
 protected:
  std::string Headings() const {
    std::string s;
    for (const ShownBox& b : Boxes()) s += (b.kind == "MessageBox" ? b.title : b.lines[0]) + "|";
    return s;
  }
};

TEST_F(ZoneAccept, EveryClockGivesItsJstMoment) {
  struct Case {
    const char* szWhat;
    const char* szZone;  // nullptr: 「日本時間」; "": the offset row
    const char* szOffset;
    bool bSummer;
    int y, mo, d, h, mi;
    int iAnswer;          // to the question of a doubled hour; 0: none asked
    int iAccepted;
    const char* szJst;    // accepted: the JST moment stored
    int bConverted;
    int32_t lApplied;     // converted: the offset applied, seconds east
    const char* szBoxes;  // headings of the boxes shown
    int iFocus;           // refused: the field focused
  };
  const Case kCases[] = {
      {"JST as always", nullptr, "", false, 1950, 7, 1, 10, 0, 0, 1, "1950-07-01 10:00", 0, 0, "", 0},
      {"a clock of Japan's summer time", nullptr, "", true, 1950, 7, 1, 10, 0, 0, 1, "1950-07-01 09:00", 1, 36000, "", 0},
      {"the tick outside the summers", nullptr, "", true, 1960, 7, 1, 10, 0, 0, 1, "1960-07-01 10:00", 0, 0, "", 0},
      {"the summer clock skipped 00:30", nullptr, "", true, 1950, 5, 7, 0, 30, 0, 0, "", 0, 0,
       "存在しない時刻です（夏時間の始まり）|", kFieldHour},
      {"00:30 JST of that day", nullptr, "", false, 1950, 5, 7, 0, 30, 0, 1, "1950-05-07 00:30", 0, 0, "", 0},
      {"the doubled hour on the summer clock", nullptr, "", true, 1950, 9, 10, 0, 30, 0, 1, "1950-09-09 23:30", 1,
       36000, "", 0},
      {"New York in summer", "ニューヨーク", "", false, 1990, 7, 4, 12, 0, 0, 1, "1990-07-05 01:00", 1, -14400, "", 0},
      {"New York in winter", "ニューヨーク", "", false, 1990, 1, 15, 12, 0, 0, 1, "1990-01-16 02:00", 1, -18000, "", 0},
      {"New York, the tick ignored", "ニューヨーク", "", true, 1990, 1, 15, 12, 0, 0, 1, "1990-01-16 02:00", 1, -18000,
       "", 0},
      {"New York skipped 02:30", "ニューヨーク", "", false, 1990, 4, 1, 2, 30, 0, 0, "", 0, 0,
       "存在しない時刻です（夏時間の始まり）|", kFieldHour},
      {"New York's doubled 01:30, the earlier", "ニューヨーク", "", false, 1990, 10, 28, 1, 30, kIdYes, 1,
       "1990-10-28 14:30", 1, -14400, "この時刻は２度ありました（夏時間の終わり）|", 0},
      {"New York's doubled 01:30, the later", "ニューヨーク", "", false, 1990, 10, 28, 1, 30, kIdNo, 1,
       "1990-10-28 15:30", 1, -18000, "この時刻は２度ありました（夏時間の終わり）|", 0},
      {"New York's doubled 01:30, cancelled", "ニューヨーク", "", false, 1990, 10, 28, 1, 30, kIdCancel, 0, "", 0, 0,
       "この時刻は２度ありました（夏時間の終わり）|", kFieldHour},
      {"Sydney in January", "シドニー", "", false, 1990, 1, 15, 12, 0, 0, 1, "1990-01-15 10:00", 1, 39600, "", 0},
      {"Kolkata, half an hour", "コルカタ", "", false, 1990, 7, 4, 12, 0, 0, 1, "1990-07-04 15:30", 1, 19800, "", 0},
      {"-05:00 on summer time", "", "-05:00", true, 1990, 7, 4, 12, 0, 0, 1, "1990-07-05 01:00", 1, -14400, "", 0},
      {"+05:30", "", "+05:30", false, 2000, 1, 1, 0, 0, 0, 1, "2000-01-01 03:30", 1, 19800, "", 0},
      {"UTC-05:00", "", "UTC-05:00", false, 2000, 1, 1, 0, 0, 0, 1, "2000-01-01 14:00", 1, -18000, "", 0},
      {"+09:00 with blanks", "", " +09:00 ", false, 2000, 1, 1, 0, 0, 0, 1, "2000-01-01 00:00", 1, 32400, "",
       0},
      {"+09:00 on summer time", "", "+09:00", true, 1950, 7, 1, 10, 0, 0, 1, "1950-07-01 09:00", 1, 36000, "", 0},
      {"an offset without its sign", "", "5:00", false, 2000, 1, 1, 0, 0, 0, 0, "", 0, 0, "UTC との時差を確認！|",
       kFieldUtcOffset},
      {"an offset beyond 14 hours", "", "+15:00", false, 2000, 1, 1, 0, 0, 0, 0, "", 0, 0, "UTC との時差を確認！|",
       kFieldUtcOffset},
      {"no offset", "", "", false, 2000, 1, 1, 0, 0, 0, 0, "", 0, 0, "UTC との時差を確認！|", kFieldUtcOffset},
      {"a JST moment after 8000", "ホノルル", "", false, 8000, 12, 31, 23, 0, 0, 0, "", 0, 0, "年数を確認！|",
       kFieldYear},
      {"a JST moment before -4000", "", "+14:00", false, -4000, 1, 1, 1, 0, 0, 0, "", 0, 0, "年数を確認！|",
       kFieldYear},
  };
  for (const Case& c : kCases) {
    NativeClearBoxes();
    if (c.iAnswer) NativeQueueAnswer(c.iAnswer);
    const int iRow = !c.szZone ? kZoneChoiceJapan : !*c.szZone ? ZoneChoiceOffsetRow() : Row(c.szZone);
    BirthRecord rec = Fresh();
    TimeZoneEntry zone{};
    zone.iPlaceZone = 7;  // kept whatever happens
    const BirthRecord recBefore = rec;
    const TimeZoneEntry zoneBefore = zone;
    int iFocus = -1;
    const int r = AcceptZonedTimeEntry(nullptr, kTimeEntryNewData, Texts(c.y, c.mo, c.d, c.h, c.mi),
                                       Choice(iRow, c.szOffset, c.bSummer), &rec, &zone, &iFocus);
    EXPECT_EQ(r, c.iAccepted) << c.szWhat;
    EXPECT_EQ(Headings(), c.szBoxes) << c.szWhat;
    if (!c.iAccepted) {
      EXPECT_EQ(iFocus, c.iFocus) << c.szWhat;
      EXPECT_EQ(memcmp(&rec, &recBefore, sizeof rec), 0) << c.szWhat << ": the record is untouched";
      EXPECT_EQ(memcmp(&zone, &zoneBefore, sizeof zone), 0) << c.szWhat << ": the entry is untouched";
      continue;
    }
    EXPECT_EQ(Ymdhm(rec.time), c.szJst) << c.szWhat;
    EXPECT_STREQ(rec.szName, "山田花子") << c.szWhat;
    EXPECT_EQ(zone.bConverted, c.bConverted) << c.szWhat;
    EXPECT_EQ(zone.iZone, ZoneOfChoice(iRow)) << c.szWhat;
    EXPECT_EQ(zone.iPlaceZone, 7) << c.szWhat;
    EXPECT_EQ(Ymdhm(zone.local), Ymdhm(DateTime{c.y, c.mo, c.d, c.h, c.mi, 0.0})) << c.szWhat;
    EXPECT_EQ(zone.iOccurrence, c.iAnswer == kIdNo ? kZoneLater : kZoneEarlier) << c.szWhat;
    if (c.bConverted) {
      EXPECT_EQ(zone.applied.lOffset, c.lApplied) << c.szWhat;
    }
  }
}

TEST_F(ZoneAccept, TheRefusalAndTheQuestionSayWhatTheClocksDid) {
  BirthRecord rec = Fresh();
  TimeZoneEntry zone{};
  int iFocus;
  // The spring change of New York.
  AcceptZonedTimeEntry(nullptr, 0, Texts(1990, 4, 1, 2, 30), Choice(Row("ニューヨーク")), &rec, &zone, &iFocus);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].kind, "AppOkMsg");
  EXPECT_EQ(Boxes()[0].lines[1], "時計が 4月1日 2時00分 に 3時00分 へ進められ、");
  EXPECT_EQ(Boxes()[0].lines[2], "ニューヨークでは、この時刻はありませんでした。");
  EXPECT_EQ(Boxes()[0].lines[3], "時刻を確かめてください。");

  // The autumn change: both offsets named, the earlier one summer time.
  NativeClearBoxes();
  NativeQueueAnswer(kIdCancel);
  AcceptZonedTimeEntry(nullptr, 0, Texts(1990, 10, 28, 1, 30), Choice(Row("ニューヨーク")), &rec, &zone, &iFocus);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].kind, "AppMsgBox");
  EXPECT_EQ(Boxes()[0].lines[1], "時計が 10月28日 2時00分 に 1時00分 へ戻されました。");
  EXPECT_EQ(Boxes()[0].lines[2], "［は い］早いほう：ニューヨーク (UTC-04:00 夏時間)");
  EXPECT_EQ(Boxes()[0].lines[3], "［いいえ］遅いほう：ニューヨーク (UTC-05:00)");

  // Japan's first summer day of 1950.
  NativeClearBoxes();
  AcceptZonedTimeEntry(nullptr, 0, Texts(1950, 5, 7, 0, 30), Choice(kZoneChoiceJapan, "", true), &rec, &zone,
                       &iFocus);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[1], "時計が 5月7日 0時00分 に 1時00分 へ進められ、");
  EXPECT_EQ(Boxes()[0].lines[2], "東京では、この時刻はありませんでした。");

  // The offset's refusal shows the text as typed.
  NativeClearBoxes();
  AcceptZonedTimeEntry(nullptr, 0, Texts(2000, 1, 1, 0, 0), Choice(ZoneChoiceOffsetRow(), "5:00"), &rec, &zone,
                       &iFocus);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[1], "5:00");
  EXPECT_EQ(Boxes()[0].lines[2], "+09:00 や -05:00 のように、符号と時:分で");

  // Every zone's offsets fit the question's lines (the frame holds about
  // 64 bytes).
  for (int iZone = 1; iZone < ZoneCount(); ++iZone) {
    const ZoneInfo& z = *ZoneAt(iZone);
    for (const ZoneOffset& o : {ZoneOffset{z.lStandardOffset, 0}, ZoneOffset{z.lSummerOffset ? z.lSummerOffset : z.lStandardOffset, 1}}) {
      char szLabel[kZoneTextSize];
      FormatZoneLabel(iZone, o, szLabel, sizeof szLabel);
      EXPECT_LE(strlen("［いいえ］遅いほう：") + strlen(szLabel), 64u) << z.szTzName;
    }
  }
}

TEST_F(ZoneAccept, LeapSecondsAreCheckedAsJst) {
  struct Case {
    const char* szZone;
    int y, mo, d, h, mi;
    int iAccepted;
    const char* szJst;
  };
  const Case kCases[] = {
      {nullptr, 1991, 1, 1, 8, 59, 1, "1991-01-01 08:59"},         // JST as always
      {"ニューヨーク", 1990, 12, 31, 18, 59, 1, "1991-01-01 08:59"},  // the same leap second
      {"ニューヨーク", 1990, 12, 31, 19, 59, 0, ""},                // 09:59:60 JST never was
  };
  for (const Case& c : kCases) {
    NativeClearBoxes();
    BirthRecord rec = Fresh();
    rec.bSecondsGiven = 1;
    TimeZoneEntry zone{};
    int iFocus = -1;
    const int iRow = c.szZone ? Row(c.szZone) : kZoneChoiceJapan;
    EXPECT_EQ(AcceptZonedTimeEntry(nullptr, 0, Texts(c.y, c.mo, c.d, c.h, c.mi, "60.5"), Choice(iRow), &rec, &zone,
                                   &iFocus),
              c.iAccepted)
        << c.y << "-" << c.mo << " " << c.h;
    if (c.iAccepted) {
      EXPECT_EQ(Ymdhm(rec.time), c.szJst);
      EXPECT_EQ(rec.time.second, 60.5);
      EXPECT_EQ(Headings(), "");
    } else {
      EXPECT_EQ(Headings(), "無効なデータ|");
      EXPECT_TRUE(Contains(Boxes()[0].text, "存在しないうるう秒です。"));
      EXPECT_EQ(iFocus, kFieldSeconds);
    }
  }
}

// The dialog reads a time on a clock as the zone engine does for
// `horomira --zone` (cli_person.cpp, ReadInZone): LocalToJst for a zone,
// the earlier moment of a doubled hour unless told otherwise; OffsetToJst
// for a fixed offset; Asia/Tokyo where the summer-time box is ticked.
TEST_F(ZoneAccept, TheDialogReadsClocksAsTheZoneEngineDoes) {
  const DateTime kReadings[] = {
      {1900, 1, 1, 0, 0, 0.0},   {1910, 6, 15, 12, 0, 0.0}, {1945, 8, 15, 12, 0, 0.0}, {1950, 7, 1, 10, 0, 0.0},
      {1968, 3, 31, 23, 59, 0.0}, {1990, 7, 4, 12, 0, 0.0},  {1990, 12, 1, 6, 45, 0.0}, {2024, 3, 10, 12, 0, 0.0},
      {2024, 10, 6, 12, 0, 0.0},  {2099, 6, 30, 18, 0, 0.0}, {1700, 1, 1, 12, 0, 0.0},  {2150, 7, 1, 12, 0, 0.0},
  };
  int nCompared = 0;
  for (int iZone = 1; iZone < ZoneCount(); ++iZone) {
    for (const DateTime& t : kReadings) {
      ZoneConversion c;
      LocalToJst(iZone, t, kZoneEarlier, &c);
      if (c.iStatus != kZoneTimeOk) continue;
      NativeClearBoxes();
      BirthRecord rec = Fresh();
      TimeZoneEntry zone{};
      int iFocus;
      ASSERT_EQ(AcceptZonedTimeEntry(nullptr, 0, Texts(t.year, t.month, t.day, t.hour, t.minute), Choice(iZone), &rec,
                                     &zone, &iFocus),
                1)
          << ZoneAt(iZone)->szTzName << " " << Ymdhm(t);
      EXPECT_EQ(memcmp(&rec.time, &c.jst, sizeof c.jst), 0) << ZoneAt(iZone)->szTzName << " " << Ymdhm(t);
      EXPECT_EQ(memcmp(&zone.applied, &c.applied, sizeof c.applied), 0) << ZoneAt(iZone)->szTzName;
      ++nCompared;
    }
  }
  EXPECT_GT(nCompared, 400);

  // Japan: the tick where the clocks kept summer time is Asia/Tokyo; every
  // hour of the summers 1948..1951 and around them.
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  nCompared = 0;
  for (int y = 1948; y <= 1951; ++y) {
    for (int m = 3; m <= 10; ++m) {
      for (int d = 1; d <= kDays[m - 1]; ++d) {
        for (int h = 0; h < 24; ++h) {
          const DateTime t{y, m, d, h, 30, 0.0};
          const int iClock = JapanSummerTimeAt(t);
          if (iClock == kJapanClockSkipped) continue;
          ZoneConversion c;
          LocalToJst(kZoneJapan, t, kZoneEarlier, &c);
          NativeClearBoxes();
          BirthRecord rec = Fresh();
          TimeZoneEntry zone{};
          int iFocus;
          ASSERT_EQ(AcceptZonedTimeEntry(nullptr, 0, Texts(y, m, d, h, 30),
                                         Choice(kZoneChoiceJapan, "", iClock != kJapanStandardTime), &rec, &zone,
                                         &iFocus),
                    1)
              << Ymdhm(t);
          EXPECT_EQ(memcmp(&rec.time, &c.jst, sizeof c.jst), 0) << Ymdhm(t);
          EXPECT_EQ(zone.bConverted, iClock != kJapanStandardTime) << Ymdhm(t);
          ++nCompared;
        }
      }
    }
  }
  EXPECT_GT(nCompared, 5000);

  // A fixed offset with and without summer time.
  for (const char* szOffset : {"-05:00", "+05:30", "+14:00", "-12:00", "+00:00"}) {
    for (bool bSummer : {false, true}) {
      int32_t lOffset;
      ASSERT_TRUE(ParseUtcOffset(szOffset, &lOffset));
      ZoneConversion c;
      OffsetToJst(DateTime{1990, 7, 4, 12, 0, 0.0}, lOffset, bSummer, &c);
      BirthRecord rec = Fresh();
      TimeZoneEntry zone{};
      int iFocus;
      ASSERT_EQ(AcceptZonedTimeEntry(nullptr, 0, Texts(1990, 7, 4, 12, 0), Choice(ZoneChoiceOffsetRow(), szOffset, bSummer),
                                     &rec, &zone, &iFocus),
                1);
      EXPECT_EQ(memcmp(&rec.time, &c.jst, sizeof c.jst), 0) << szOffset << " " << bSummer;
      EXPECT_EQ(zone.lOffset, lOffset);
    }
  }
}

// The same births through horomira itself: its chart of the zoned --date
// is the chart of the JST moment the dialog stores.
TEST_F(ZoneAccept, HoromiraChartsTheMomentTheDialogStores) {
  struct Case {
    const char* szZoneArgs;  // the --zone options
    int iRow;
    const char* szOffset;
    bool bSummer;
    int y, mo, d, h, mi;
    int iAnswer;
  };
  const Case kCases[] = {
      {"--zone 'ニューヨーク'", Row("ニューヨーク"), "", false, 1990, 7, 4, 12, 0, 0},
      {"--zone America/New_York", Row("ニューヨーク"), "", false, 1990, 10, 28, 1, 30, kIdYes},
      {"--zone America/New_York --later", Row("ニューヨーク"), "", false, 1990, 10, 28, 1, 30, kIdNo},
      {"--zone '東京'", kZoneChoiceJapan, "", true, 1950, 7, 1, 10, 0, 0},
      {"--zone -05:00 --summer-time", ZoneChoiceOffsetRow(), "-05:00", true, 1990, 7, 4, 12, 0, 0},
      {"--zone 'シドニー'", Row("シドニー"), "", false, 1990, 1, 15, 12, 0, 0},
  };
  for (const Case& c : kCases) {
    NativeClearBoxes();
    if (c.iAnswer) NativeQueueAnswer(c.iAnswer);
    BirthRecord rec = Fresh();
    TimeZoneEntry zone{};
    int iFocus;
    ASSERT_EQ(AcceptZonedTimeEntry(nullptr, 0, Texts(c.y, c.mo, c.d, c.h, c.mi), Choice(c.iRow, c.szOffset, c.bSummer),
                                   &rec, &zone, &iFocus),
              1)
        << c.szZoneArgs;
    char szZoned[64], szJst[64];
    snprintf(szZoned, sizeof szZoned, "%04d-%02d-%02dT%02d:%02d", c.y, c.mo, c.d, c.h, c.mi);
    snprintf(szJst, sizeof szJst, "%04d-%02d-%02dT%02d:%02d", rec.time.year, rec.time.month, rec.time.day,
             rec.time.hour, rec.time.minute);
    const CliResult zoned = RunCli(std::string("chart --name 比較 --date ") + szZoned + " " + c.szZoneArgs);
    const CliResult jst = RunCli(std::string("chart --name 比較 --date ") + szJst);
    EXPECT_EQ(zoned.iExit, 0) << c.szZoneArgs << ": " << zoned.err;
    EXPECT_EQ(jst.iExit, 0) << szJst;
    EXPECT_EQ(zoned.out, jst.out) << c.szZoneArgs;
    EXPECT_FALSE(zoned.out.empty());
  }
}

// Left at 「日本時間」 without the tick, the dialog does what it always did.
TEST_F(ZoneAccept, JstEntriesAreAcceptedAsBefore) {
  struct Case {
    const char* szYear;
    const char* szSeconds;
    int bTimeKnown, bSecondsGiven;
    const char* szName;
    int iAnswer;
  };
  const Case kCases[] = {
      {"1990", "00.0", 1, 0, "山田花子", 0}, {"0", "00.0", 1, 0, "山田花子", kIdYes},
      {"0", "00.0", 1, 0, "山田花子", kIdNo}, {"8001", "00.0", 1, 0, "山田花子", 0},
      {"1980", "00.0", 0, 0, "時間不明", 0},  {"2001", "30.25", 1, 1, "秒あり", 0},
      {"2001", "", 1, 1, "秒なし", 0},       {"1999", "00.0", 1, 0, "", 0},
      {"1999", "00.0", 1, 0, "abcdefghijklmnopqrstuvwxyz01234", kIdYes},
  };
  for (int iMode : {kTimeEntryNewData, kTimeEntryDefaultPerson}) {
    for (const Case& c : kCases) {
      TimeEntryTexts t = Texts(1990, 3, 15, 10, 30, c.szSeconds);
      snprintf(t.szYear, sizeof t.szYear, "%s", c.szYear);
      snprintf(t.szName, sizeof t.szName, "%s", c.szName);
      BirthRecord plain = Fresh(iMode);
      plain.bTimeKnown = c.bTimeKnown;
      plain.bSecondsGiven = c.bSecondsGiven;
      BirthRecord zoned = plain;

      NativeClearBoxes();
      if (c.iAnswer) NativeQueueAnswer(c.iAnswer);
      int iFocusPlain = -1;
      const int rPlain = AcceptTimeEntry(nullptr, iMode, t, &plain, &iFocusPlain);
      const std::vector<ShownBox> boxesPlain = Boxes();

      NativeClearBoxes();
      if (c.iAnswer) NativeQueueAnswer(c.iAnswer);
      TimeZoneEntry zone{};
      int iFocusZoned = -1;
      const int rZoned = AcceptZonedTimeEntry(nullptr, iMode, t, Choice(kZoneChoiceJapan), &zoned, &zone, &iFocusZoned);
      const std::string sWhat = std::to_string(iMode) + " " + c.szYear + " [" + c.szName + "]";
      EXPECT_EQ(rZoned, rPlain) << sWhat;
      EXPECT_EQ(iFocusZoned, iFocusPlain) << sWhat;
      EXPECT_EQ(memcmp(&zoned, &plain, sizeof plain), 0) << sWhat;
      ASSERT_EQ(Boxes().size(), boxesPlain.size()) << sWhat;
      for (size_t i = 0; i < boxesPlain.size(); ++i) EXPECT_EQ(Boxes()[i].text, boxesPlain[i].text) << sWhat;
      EXPECT_EQ(zone.bConverted, 0) << sWhat;
    }
  }
}

// An unknown time is JST noon whatever the clock; the moments of the
// progressed and transit charts and of the listings ignore the chooser.
TEST_F(ZoneAccept, UnknownTimesAndOtherModesStayJst) {
  BirthRecord rec = Fresh();
  rec.bTimeKnown = 0;
  TimeZoneEntry zone{};
  int iFocus;
  TimeEntryTexts t = Texts(1990, 7, 4, 12, 0);
  ASSERT_EQ(AcceptZonedTimeEntry(nullptr, 0, t, Choice(Row("ニューヨーク")), &rec, &zone, &iFocus), 1);
  EXPECT_EQ(Ymdhm(rec.time), "1990-07-04 12:00");
  EXPECT_EQ(zone.bConverted, 0);
  EXPECT_EQ(zone.iZone, FindZone("ニューヨーク"));
  EXPECT_EQ(Headings(), "仮の出生時刻を日本時間正午にします|");

  for (int iMode : {1, 2, 38241, 38310}) {
    NativeClearBoxes();
    BirthRecord plain = Fresh(iMode);
    strcpy(plain.szName, "前の名前");
    BirthRecord zoned = plain;
    TimeZoneEntry held{};
    held.iZone = 5;
    const TimeZoneEntry heldBefore = held;
    int iFocusPlain, iFocusZoned;
    ASSERT_EQ(AcceptTimeEntry(nullptr, iMode, t, &plain, &iFocusPlain), 1) << iMode;
    ASSERT_EQ(AcceptZonedTimeEntry(nullptr, iMode, t, Choice(Row("ニューヨーク")), &zoned, &held, &iFocusZoned), 1)
        << iMode;
    EXPECT_EQ(memcmp(&zoned, &plain, sizeof plain), 0) << iMode;
    EXPECT_EQ(memcmp(&held, &heldBefore, sizeof held), 0) << iMode;
  }
}

// --- Opening the dialog ---------------------------------------------------------------------

TEST(ZoneForm, TheHeldClockAndTheBirthplaceChooseTheRow) {
  const int iNewYork = FindZone("ニューヨーク");
  const int iBangkok = PlaceZone(FindPlace("タイ－ﾊﾞﾝｺｸ"));
  const int iHelsinki = PlaceZone(FindPlace("フィンランド－ﾍﾙｼﾝｷ"));
  ASSERT_NE(iBangkok, kNoZone);
  struct Case {
    const char* szWhat;
    int iZone, iSource, bSummer;
    int32_t lOffset;
    int iPlaceZone;
    int iRow;
    bool bFromPlace;
    int iSource2;
    const char* szOffset;
    bool bTick;
  };
  const Case kCases[] = {
      {"fresh", kZoneJapan, kZoneSourceDefault, 0, 0, kZoneJapan, kZoneChoiceJapan, false, kZoneSourceDefault, "", false},
      {"New York chosen", iNewYork, kZoneSourceUser, 0, 0, kZoneJapan, ChoiceOfZone(iNewYork), false, kZoneSourceUser, "",
       false},
      {"Japan's summer clock", kZoneJapan, kZoneSourceUser, 1, 0, kZoneJapan, kZoneChoiceJapan, false, kZoneSourceUser,
       "", true},
      {"an offset", kNoZone, kZoneSourceUser, 1, -18000, kZoneJapan, ZoneChoiceOffsetRow(), false, kZoneSourceUser,
       "-05:00", true},
      {"untouched, born in Bangkok", kZoneJapan, kZoneSourceDefault, 0, 0, iBangkok, ChoiceOfZone(iBangkok), true,
       kZoneSourcePlace, "", false},
      {"日本時間 chosen, born in Bangkok", kZoneJapan, kZoneSourceUser, 0, 0, iBangkok, kZoneChoiceJapan, false,
       kZoneSourceUser, "", false},
      {"New York chosen, born in Bangkok", iNewYork, kZoneSourceUser, 0, 0, iBangkok, ChoiceOfZone(iNewYork), false,
       kZoneSourceUser, "", false},
      {"Helsinki from the place, then Bangkok", iHelsinki, kZoneSourcePlace, 0, 0, iBangkok, ChoiceOfZone(iBangkok),
       true, kZoneSourcePlace, "", false},
      {"Helsinki from the place, then Tokyo", iHelsinki, kZoneSourcePlace, 0, 0, kZoneJapan, kZoneChoiceJapan, false,
       kZoneSourceDefault, "", false},
      {"untouched, typed coordinates", kZoneJapan, kZoneSourceDefault, 0, 0, kNoZone, kZoneChoiceJapan, false,
       kZoneSourceDefault, "", false},
  };
  for (const Case& c : kCases) {
    TimeZoneEntry held{};
    held.iZone = c.iZone;
    held.iSource = c.iSource;
    held.bSummerTime = c.bSummer;
    held.lOffset = c.lOffset;
    held.iPlaceZone = c.iPlaceZone;
    for (int iSubMode : {0, kTimeEntryEditRecord}) {
      BirthRecord rec = Fresh();
      TimeEntryForm form;
      ZoneEntryForm zf;
      MakeZonedTimeEntryForm(kTimeEntryNewData, iSubMode, &rec, held, kNow, &form, &zf);
      EXPECT_EQ(zf.iRow, c.iRow) << c.szWhat;
      EXPECT_EQ(zf.bFromPlace, c.bFromPlace) << c.szWhat;
      EXPECT_EQ(zf.iSource, c.iSource2) << c.szWhat;
      EXPECT_STREQ(zf.szOffset, c.szOffset) << c.szWhat;
      EXPECT_EQ(zf.bSummerChecked, c.bTick) << c.szWhat;
    }
  }

  // The modes without the chooser open as they always did, on 「日本時間」.
  TimeZoneEntry held{};
  held.iZone = iNewYork;
  held.bConverted = 1;
  held.iSource = kZoneSourceUser;
  for (int iMode : {1, 2, 38241, 38250}) {
    BirthRecord a = Fresh(iMode), b = a;
    TimeEntryForm fa, fb;
    ZoneEntryForm zf;
    MakeTimeEntryForm(iMode, kTimeEntryEditRecord, &a, kNow, &fa);
    MakeZonedTimeEntryForm(iMode, kTimeEntryEditRecord, &b, held, kNow, &fb, &zf);
    EXPECT_EQ(memcmp(&fa, &fb, sizeof fa), 0) << iMode;
    EXPECT_EQ(zf.iRow, kZoneChoiceJapan) << iMode;
  }
}

// "訂正": the dialog shows the reading as typed on its clock, and accepting
// it unchanged gives the same JST moment and the same entry.
TEST_F(ZoneAccept, EditingShowsTheReadingAsTyped) {
  BirthRecord rec = Fresh();
  TimeZoneEntry zone{};
  int iFocus;
  TimeEntryTexts t = Texts(1990, 7, 4, 12, 0);
  ASSERT_EQ(AcceptZonedTimeEntry(nullptr, 0, t, Choice(Row("ニューヨーク")), &rec, &zone, &iFocus), 1);
  NoteBirthplaceZone(kPlaceEntryBirth, 33, &zone);  // 東京都 does not move a chosen clock
  const BirthRecord recBefore = rec;
  const TimeZoneEntry zoneBefore = zone;

  TimeEntryForm form;
  ZoneEntryForm zf;
  MakeZonedTimeEntryForm(0, kTimeEntryEditRecord, &rec, zone, kNow, &form, &zf);
  EXPECT_STREQ(form.szText[kFieldYear], "1990");
  EXPECT_STREQ(form.szText[kFieldDay], "4");
  EXPECT_STREQ(form.szText[kFieldHour], "12");
  EXPECT_STREQ(form.szText[kFieldMinute], "0");
  EXPECT_STREQ(form.szText[kFieldName], "山田花子");
  EXPECT_EQ(zf.iRow, Row("ニューヨーク"));
  EXPECT_EQ(Ymdhm(rec.time), "1990-07-05 01:00") << "the opening leaves the record";

  ZoneEntryChoice choice = Choice(zf.iRow, zf.szOffset, zf.bSummerChecked);
  choice.iSource = zf.iSource;
  ASSERT_EQ(AcceptZonedTimeEntry(nullptr, 0, TextsOfForm(form), choice, &rec, &zone, &iFocus), 1);
  EXPECT_EQ(memcmp(&rec, &recBefore, sizeof rec), 0);
  EXPECT_EQ(memcmp(&zone, &zoneBefore, sizeof zone), 0);

  // A time typed as JST and a foreign birthplace: the reading as typed on
  // the birthplace's clock.
  rec = Fresh();
  zone = TimeZoneEntry{};
  ASSERT_EQ(AcceptZonedTimeEntry(nullptr, 0, Texts(1985, 4, 12, 9, 30), Choice(kZoneChoiceJapan), &rec, &zone, &iFocus),
            1);
  NoteBirthplaceZone(kPlaceEntryBirth, FindPlace("タイ－ﾊﾞﾝｺｸ"), &zone);
  MakeZonedTimeEntryForm(0, kTimeEntryEditRecord, &rec, zone, kNow, &form, &zf);
  EXPECT_STREQ(form.szText[kFieldHour], "9");
  EXPECT_STREQ(form.szText[kFieldMinute], "30");
  EXPECT_EQ(zf.iRow, Row("Asia/Bangkok"));
  EXPECT_TRUE(zf.bFromPlace);
}

// --- While the user types ---------------------------------------------------------------------

TEST(ZoneLive, TheControlsFollowTheRowAndTheReading) {
  struct Case {
    const char* szWhat;
    int iMode;
    int iRow;
    bool bFromPlace, bKnown;
    TimeEntryTexts texts;
    const char* szFlags;  // chooser, offset, summer tick: "1" enabled
    const char* szGroup;
    const char* szNotice;
  };
  TimeEntryTexts incomplete = Texts(1950, 7, 1, 10, 0);
  strcpy(incomplete.szMinute, "");
  const int iNewYork = Row("ニューヨーク");
  const Case kCases[] = {
      {"JST", 0, 0, false, true, Texts(1960, 7, 1, 10, 0), "100", "日本時間（24時間制）", ""},
      {"Japan's summer", 0, 0, false, true, Texts(1950, 7, 1, 10, 0), "101", "日本時間（24時間制）",
       "日本の夏時間の期間です（時計は日本標準時より１時間進んでいました）"},
      {"the skipped hour", 60001, 0, false, true, Texts(1950, 5, 7, 0, 30), "101", "日本時間（24時間制）",
       "夏時間の始まりで時計が１時間進められ、この時刻はありませんでした"},
      {"the doubled hour", 0, 0, false, true, Texts(1950, 9, 10, 0, 30), "101", "日本時間（24時間制）",
       "夏時間の終わりで時計が１時間戻され、この時刻は２度ありました"},
      {"an incomplete reading", 0, 0, false, true, incomplete, "100", "日本時間（24時間制）", ""},
      {"New York", 0, iNewYork, false, true, Texts(1990, 7, 4, 12, 0), "100", "現地の時計（24時間制）",
       "夏時間はその土地の規則で判定します"},
      {"the birthplace's clock", 0, iNewYork, true, true, Texts(1990, 7, 4, 12, 0), "100", "現地の時計（24時間制）",
       "出生地の時計を選びました。日本時間で入力した時刻なら「日本時間」に戻してください"},
      {"an offset", 0, ZoneChoiceOffsetRow(), false, true, Texts(1990, 7, 4, 12, 0), "111", "現地の時計（24時間制）",
       "UTC との時差を -05:00 のように入力します。その時計が夏時間だったときはチェックします"},
      {"an unknown time", 0, iNewYork, false, false, Texts(1990, 7, 4, 12, 0), "000", "日本時間（24時間制）",
       "時間が分からないときは、日本時間の正午で計算します"},
      {"a transit", 2, 0, false, true, Texts(1950, 7, 1, 10, 0), "000", "日本時間（24時間制）",
       "この時刻は日本時間で入力します"},
      {"a listing", 38310, 0, false, true, Texts(1950, 7, 1, 10, 0), "000", "日本時間（24時間制）",
       "この時刻は日本時間で入力します"},
  };
  for (const Case& c : kCases) {
    ZoneEntryLive l;
    ZoneEntryLiveState(c.iMode, c.iRow, c.bFromPlace, c.bKnown, c.texts, &l);
    const std::string sFlags = std::string(l.bChooserEnabled ? "1" : "0") + (l.bOffsetEnabled ? "1" : "0") +
                               (l.bSummerEnabled ? "1" : "0");
    EXPECT_EQ(sFlags, c.szFlags) << c.szWhat;
    EXPECT_STREQ(l.szTimeGroup, c.szGroup) << c.szWhat;
    EXPECT_STREQ(l.szNotice, c.szNotice) << c.szWhat;
    EXPECT_TRUE(IsCp932Line(l.szNotice)) << c.szWhat;
  }
}

// --- The birthplace and the confirmation box -----------------------------------------------------

TEST(ZonePlace, TheBirthplaceRowNotesItsZone) {
  TimeZoneEntry zone{};
  NoteBirthplaceZone(kPlaceEntryBirth, FindPlace("タイ－ﾊﾞﾝｺｸ"), &zone);
  EXPECT_EQ(zone.iPlaceZone, FindZone("Asia/Bangkok"));
  NoteBirthplaceZone(kPlaceEntryBirth, FindPlace("札幌"), &zone);
  EXPECT_EQ(zone.iPlaceZone, kZoneJapan);
  NoteBirthplaceZone(kPlaceEntryBirth, -1, &zone);
  EXPECT_EQ(zone.iPlaceZone, kNoZone);
  // The places of other questions are not the birthplace.
  for (int iMode : {kPlaceEntryThen, kPlaceEntryNow, kPlaceEntrySeason}) {
    NoteBirthplaceZone(iMode, FindPlace("タイ－ﾊﾞﾝｺｸ"), &zone);
    EXPECT_EQ(zone.iPlaceZone, kNoZone) << iMode;
  }
}

TEST_F(ZoneAccept, TheConfirmationBoxShowsBothTimes) {
  struct Case {
    int iRow;
    const char* szOffset;
    bool bSummer;
    int y, mo, d, h, mi;
    const char* szLocal;
    const char* szJst;
  };
  const Case kCases[] = {
      {Row("ニューヨーク"), "", false, 1990, 7, 4, 12, 0, " 1990年 7月 4日 12時 0分00秒  ニューヨーク (UTC-04:00 夏時間)",
       " 1990年 7月 5日  1時 0分00秒  日本時間（記録する時刻）"},
      {kZoneChoiceJapan, "", true, 1950, 7, 1, 10, 0, " 1950年 7月 1日 10時 0分00秒  東京 (UTC+10:00 夏時間)",
       " 1950年 7月 1日  9時 0分00秒  日本時間（記録する時刻）"},
      {ZoneChoiceOffsetRow(), "-03:30", false, 1990, 7, 4, 12, 0, " 1990年 7月 4日 12時 0分00秒  UTC-03:30",
       " 1990年 7月 5日  0時30分00秒  日本時間（記録する時刻）"},
  };
  for (const Case& c : kCases) {
    BirthRecord rec = Fresh();
    TimeZoneEntry zone{};
    int iFocus;
    ASSERT_EQ(AcceptZonedTimeEntry(nullptr, 0, Texts(c.y, c.mo, c.d, c.h, c.mi), Choice(c.iRow, c.szOffset, c.bSummer),
                                   &rec, &zone, &iFocus),
              1);
    char szLocal[160], szJst[160];
    ASSERT_EQ(ZoneConfirmLines(rec, zone, szLocal, sizeof szLocal, szJst, sizeof szJst), 1);
    EXPECT_STREQ(szLocal, c.szLocal);
    EXPECT_STREQ(szJst, c.szJst);
    // The box's lines hold about 66 bytes.
    EXPECT_LE(strlen(szLocal), 66u);
  }
  // Nothing converted: the box shows the JST time alone, as always.
  BirthRecord rec = Fresh();
  TimeZoneEntry zone{};
  char szLocal[16] = "x", szJst[16] = "y";
  EXPECT_EQ(ZoneConfirmLines(rec, zone, szLocal, sizeof szLocal, szJst, sizeof szJst), 0);
  EXPECT_STREQ(szLocal, "x");
  EXPECT_STREQ(szJst, "y");
  // The longest zone label fits the line.
  for (int iZone = 1; iZone < ZoneCount(); ++iZone) {
    char szLabel[kZoneTextSize];
    FormatZoneLabel(iZone, ZoneOffset{-12 * 3600, 1}, szLabel, sizeof szLabel);
    EXPECT_LE(strlen(" 1990年12月31日 23時59分59秒  ") + strlen(szLabel), 66u) << ZoneAt(iZone)->szTzName;
  }
}

// The wizard's last page shows the default person's reading as typed too.
TEST_F(ZoneAccept, TheWizardsLastPageShowsBothTimes) {
  BirthRecord rec = Fresh(kTimeEntryDefaultPerson);
  TimeZoneEntry zone{};
  int iFocus;
  ASSERT_EQ(AcceptZonedTimeEntry(nullptr, kTimeEntryDefaultPerson, Texts(1990, 7, 4, 12, 0), Choice(Row("ニューヨーク")),
                                 &rec, &zone, &iFocus),
            1);
  strcpy(rec.szBirthPlace, "+40.7128 : -74.0060");
  char sz[512];
  WizardConfirmPage(rec, zone, "東京都", sz, sizeof sz);
  EXPECT_STREQ(sz,
               "山田花子\r\n 1990年 7月 5日  1時 0分00秒生まれ（日本時間）\r\n"
               "入力した時刻 1990年 7月 4日 12時 0分00秒\r\n"
               "            ニューヨーク (UTC-04:00 夏時間)\r\n"
               "出生地 +40.7128 : -74.0060\r\n現在地 東京都");
  // A JST time: the page as always.
  char szPlain[512];
  zone.bConverted = 0;
  WizardConfirmPage(rec, zone, "東京都", sz, sizeof sz);
  WizardConfirmPage(rec, "東京都", szPlain, sizeof szPlain);
  EXPECT_STREQ(sz, szPlain);
}

}  // namespace

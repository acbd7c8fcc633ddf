// What the data-entry dialogs accept: numbers in edits, the time-and-name
// dialog's presets and accepting steps with their boxes, places, the filed
// list, harmonic, season and ephemeris choices, the wizard's steps and the
// version box lines.
#include <cmath>
#include <cstring>
#include <string>

#include "entry/entry_rules.h"
#include "entry_test_support.h"
#include "events/events.h"
#include "readings/help_texts.h"
#include "test_support.h"

namespace {

// --- Numbers ---------------------------------------------------------------------

TEST(EntryNumbers, DecimalTextIsANumberFollowedByBlanks) {
  struct Case {
    const char* szText;
    int iOk;
    double d;
  };
  const Case kCases[] = {
      {"1990", 1, 1990},   {"1990 ", 1, 1990},  {"  1990", 1, 1990}, {"-4000", 1, -4000},
      {"+3.5", 1, 3.5},    {"12.5", 1, 12.5},   {".5", 1, 0.5},      {"5.", 1, 5},
      {"1e3", 1, 1000},    {"1990x", 0, 0},     {"", 0, 0},          {"   ", 0, 0},
      {"+", 0, 0},         {"-.", 0, 0},        {"1e", 0, 0},        {"0x10", 0, 0},
      {"inf", 0, 0},       {"nan", 0, 0},       {"1 2", 0, 0},       {"1e999", 0, 0},
  };
  for (const Case& c : kCases) {
    double d = -1;
    EXPECT_EQ(ParseDecimalText(c.szText, &d), c.iOk) << "[" << c.szText << "]";
    if (c.iOk) {
      EXPECT_EQ(d, c.d) << c.szText;
    }
  }
  double d;
  EXPECT_EQ(ParseDecimalText(nullptr, &d), 0);
}

TEST(EntryNumbers, IntegerTextIsAWholeNumberOfAtMostNineDigits) {
  struct Case {
    const char* szText;
    int iOk;
    int32_t i;
  };
  const Case kCases[] = {
      {"12", 1, 12},   {" 7 ", 1, 7},  {"-3", 1, -3},       {"+5", 1, 5},   {"00", 1, 0},
      {"999999999", 1, 999999999},     {"1234567890", 0, 0}, {"", 0, 0},    {"1.5", 0, 0},
      {"12a", 0, 0},   {"-", 0, 0},    {"1 2", 0, 0},
  };
  for (const Case& c : kCases) {
    int32_t i = -1;
    EXPECT_EQ(ParseIntegerText(c.szText, &i), c.iOk) << "[" << c.szText << "]";
    if (c.iOk) {
      EXPECT_EQ(i, c.i) << c.szText;
    }
  }
}

TEST(EntryNumbers, DecimalPrefixGivesZeroForText) {
  EXPECT_EQ(DecimalPrefix("35.5"), 35.5);
  EXPECT_EQ(DecimalPrefix(" -70"), -70.0);
  EXPECT_EQ(DecimalPrefix("12abc"), 12.0);
  EXPECT_EQ(DecimalPrefix("abc"), 0.0);
  EXPECT_EQ(DecimalPrefix(""), 0.0);
  EXPECT_EQ(DecimalPrefix("nan"), 0.0);
}

// --- Time-and-name dialog: opening -------------------------------------------------

const LocalClock kNow = {2024, 5, 6, 7, 8, 9, 500};

BirthRecord Person(const char* szName) {
  BirthRecord r{};
  snprintf(r.szName, sizeof r.szName, "%s", szName);
  r.time = DateTime{1965, 4, 3, 10, 20, 30.25};
  r.bTimeKnown = 1;
  r.bSecondsGiven = 1;
  r.bSave = 1;
  return r;
}

TEST(TimeEntryForm, EveryModePresetsAndLocksItsFields) {
  struct Case {
    int iMode, iSubMode;
    const char* szTitle;
    const char* szTexts[kNumTimeEntryFields];  // year .. name
    const char* szEnabled;  // one letter per field, "1" enabled, "0" locked
    bool bUnknownEnabled, bSecondsChecked, bSecondsEnabled;
  };
  const Case kCases[] = {
      {0, 0, "誕生日と生まれた時間を指定してください", {"2024", "5", "6", "7", "8", "00.0", ""}, "1111101",
       true, false, true},
      {60001, 128, "デフォルトの出生データ登録", {"2024", "5", "6", "7", "8", "00.0", ""}, "1111101", true,
       false, true},
      {38250, 0, "星座境界時刻リスト：年の指定", {"2024", "1", "1", "0", "0", "00.0", "( 名前の入力は不要 )"},
       "1000000", false, false, false},
      {38251, 0, "節入り：年の指定", {"2024", "1", "1", "0", "0", "00.0", "( 名前の入力は不要 )"}, "1000000",
       false, false, false},
      {38243, 0, "春分図：年の指定", {"2024", "1", "1", "0", "0", "00.0", "( 名前の入力は不要 )"}, "1000000",
       false, false, false},
      {38310, 0, "月のこよみ：計算基準点の指定", {"2024", "5", "6", "7", "8", "00.0", "( 名前の入力は不要 )"},
       "1111100", true, false, true},
      {38300, 0, "月の星座境界リスト：年と月の指定", {"2024", "5", "1", "0", "0", "00.0", "( 名前の入力は不要 )"},
       "1100000", false, false, false},
      {38241, 400, "エフェメリス：初めの時刻の指定", {"2024", "5", "6", "0", "0", "00.0", "( 名前の入力は不要 )"},
       "1110000", false, false, false},
      {38241, 300, "エフェメリス：初めの時刻の指定", {"2024", "5", "6", "7", "0", "00.0", "( 名前の入力は不要 )"},
       "1111000", false, false, false},
      {38241, 200, "エフェメリス：初めの時刻の指定", {"2024", "5", "6", "7", "8", "00.0", "( 名前の入力は不要 )"},
       "1111100", true, false, true},
      {38241, -1, "エフェメリス：初めの時刻の指定", {"2024", "5", "6", "7", "8", "00.0", "( 名前の入力は不要 )"},
       "1111110", false, true, true},
      {1, 0, "プログレス：時刻の指定", {"2024", "5", "6", "7", "8", "00.0", "ﾌﾟﾛｸﾞﾚｽ(山田花子)"}, "1111100", true,
       false, true},
      {2, 0, "トランジット：時刻の指定", {"2024", "5", "6", "7", "8", "00.0", "ﾄﾗﾝｼﾞｯﾄ(山田花子)"}, "1111100",
       true, false, true},
      {11, 0, "(11)", {"2024", "5", "6", "7", "8", "00.0", "ﾄﾗﾝｼﾞｯﾄ(山田花子)"}, "1111100", true, false, true},
  };
  for (const Case& c : kCases) {
    BirthRecord rec = Person("山田花子");
    rec.bTimeKnown = 0;  // a fresh entry starts with a known time
    TimeEntryForm form;
    MakeTimeEntryForm(c.iMode, c.iSubMode, &rec, kNow, &form);
    const std::string sWhat = "mode " + std::to_string(c.iMode) + "/" + std::to_string(c.iSubMode);
    EXPECT_STREQ(TimeEntryTitle(c.iMode), c.szTitle) << sWhat;
    for (int i = 0; i < kNumTimeEntryFields; ++i) {
      EXPECT_STREQ(form.szText[i], c.szTexts[i]) << sWhat << " field " << i;
      EXPECT_EQ(form.bEnabled[i], c.szEnabled[i] == '1') << sWhat << " field " << i;
    }
    EXPECT_FALSE(form.bUnknownTimeChecked) << sWhat;
    EXPECT_EQ(form.bUnknownTimeEnabled, c.bUnknownEnabled) << sWhat;
    EXPECT_EQ(form.bSecondsChecked, c.bSecondsChecked) << sWhat;
    EXPECT_EQ(form.bSecondsEnabled, c.bSecondsEnabled) << sWhat;
    EXPECT_EQ(rec.bTimeKnown, 1) << sWhat;
    EXPECT_EQ(rec.bSecondsGiven, c.bSecondsChecked ? 1 : 0) << sWhat;
  }
}

TEST(TimeEntryForm, EditingTheRecordShowsItAsItStands) {
  BirthRecord rec = Person("山田花子");
  TimeEntryForm form;
  MakeTimeEntryForm(0, kTimeEntryEditRecord, &rec, kNow, &form);
  EXPECT_STREQ(form.szText[kFieldYear], "1965");
  EXPECT_STREQ(form.szText[kFieldMinute], "20");
  // Seconds as "%04.1f", with the further decimals the record holds.
  EXPECT_STREQ(form.szText[kFieldSeconds], "30.25");
  EXPECT_STREQ(form.szText[kFieldName], "山田花子");
  EXPECT_TRUE(form.bSecondsChecked);
  EXPECT_FALSE(form.bUnknownTimeEnabled);
  EXPECT_TRUE(form.bEnabled[kFieldSeconds]);

  rec.time.second = 5.0;
  rec.bSecondsGiven = 0;
  rec.bTimeKnown = 0;
  rec.bSave = 0;  // "(No Name)": the field stays empty
  MakeTimeEntryForm(0, kTimeEntryEditRecord, &rec, kNow, &form);
  EXPECT_STREQ(form.szText[kFieldSeconds], "05.0");
  EXPECT_STREQ(form.szText[kFieldName], "");
  EXPECT_TRUE(form.bUnknownTimeChecked);
  EXPECT_TRUE(form.bUnknownTimeEnabled);
  EXPECT_FALSE(form.bSecondsEnabled);
  EXPECT_FALSE(form.bEnabled[kFieldHour]);
  EXPECT_FALSE(form.bEnabled[kFieldMinute]);
  EXPECT_FALSE(form.bEnabled[kFieldSeconds]);
}

// --- Time-and-name dialog: accepting --------------------------------------------------

TimeEntryTexts Texts(const char* szYear, const char* szName = "山田花子") {
  TimeEntryTexts t{};
  snprintf(t.szYear, sizeof t.szYear, "%s", szYear);
  strcpy(t.szMonth, "3");
  strcpy(t.szDay, "15");
  strcpy(t.szHour, "10");
  strcpy(t.szMinute, "30");
  strcpy(t.szSeconds, "00.0");
  snprintf(t.szName, sizeof t.szName, "%s", szName);
  return t;
}

class TimeEntryAccept : public BoxTest {
 protected:
  // A fresh entry in a mode: the record as the opening leaves it.
  BirthRecord Fresh(int iMode = 0, int iSubMode = 0) {
    BirthRecord r{};
    TimeEntryForm form;
    MakeTimeEntryForm(iMode, iSubMode, &r, kNow, &form);
    return r;
  }
  std::string Headings() const {
    std::string s;
    for (const ShownBox& b : Boxes()) s += (b.kind == "MessageBox" ? b.title : b.lines[0]) + "|";
    return s;
  }
};

TEST_F(TimeEntryAccept, YearRules) {
  struct Case {
    const char* szYear;
    int iAnswer;  // answer to the year-0 question, 0 when none is asked
    int iAccepted;
    int32_t iYear;
    const char* szBoxes;  // headings of the boxes shown, in order
  };
  const Case kCases[] = {
      {"0", kIdYes, 1, 0, "確認|"},
      {"0", kIdNo, 0, 0, "確認|"},
      {"0", kIdCancel, 0, 0, "確認|"},
      {"-4000", 0, 1, -4000, ""},
      {"8000", 0, 1, 8000, ""},
      {"1990 ", 0, 1, 1990, ""},
      {"8001", 0, 0, 0, "年数を確認！|"},
      {"-4001", 0, 0, 0, "年数を確認！|"},
      {"12.5", 0, 0, 0, "年数を確認！|"},
      {"1990x", 0, 0, 0, "年数を確認！|"},
      {"", 0, 0, 0, "年数を確認！|"},
  };
  for (const Case& c : kCases) {
    NativeClearBoxes();
    if (c.iAnswer) NativeQueueAnswer(c.iAnswer);
    BirthRecord rec = Fresh();
    const BirthRecord before = rec;
    int iFocus = -1;
    EXPECT_EQ(AcceptTimeEntry(nullptr, 0, Texts(c.szYear), &rec, &iFocus), c.iAccepted) << c.szYear;
    EXPECT_EQ(Headings(), c.szBoxes) << c.szYear;
    if (c.iAccepted) {
      EXPECT_EQ(rec.time.year, c.iYear);
      EXPECT_EQ(rec.time.month, 3);
      EXPECT_EQ(rec.time.day, 15);
    } else {
      EXPECT_EQ(memcmp(&rec, &before, sizeof rec), 0) << c.szYear << ": the record is untouched";
      EXPECT_EQ(iFocus, kFieldYear);
    }
  }
  // The refusal shows the text as entered and the computable period.
  NativeClearBoxes();
  BirthRecord rec = Fresh();
  int iFocus;
  AcceptTimeEntry(nullptr, 0, Texts("12.5"), &rec, &iFocus);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].kind, "AppOkMsg");
  EXPECT_EQ(Boxes()[0].lines[1], "12.5");
  EXPECT_EQ(Boxes()[0].lines[2], "入力が未完了か、正しくないか、または計算");
  EXPECT_EQ(Boxes()[0].lines[3], "可能期間(4000 B.C. - 8000 A.D.)の外です。");
}

TEST_F(TimeEntryAccept, SecondsAreReadOnlyWhenGiven) {
  BirthRecord rec = Fresh(38241, -1);
  ASSERT_EQ(rec.bSecondsGiven, 1);
  TimeEntryTexts t = Texts("2024");
  strcpy(t.szSeconds, "30.25");
  int iFocus;
  ASSERT_EQ(AcceptTimeEntry(nullptr, 38241, t, &rec, &iFocus), 1);
  EXPECT_EQ(rec.time.second, 30.25);
  EXPECT_TRUE(Boxes().empty());

  for (const char* szBad : {"", "3o", "  "}) {
    NativeClearBoxes();
    strcpy(t.szSeconds, szBad);
    EXPECT_EQ(AcceptTimeEntry(nullptr, 38241, t, &rec, &iFocus), 0) << szBad;
    EXPECT_EQ(iFocus, kFieldSeconds);
    EXPECT_EQ(Headings(), "秒を確認！|");
    EXPECT_EQ(Boxes()[0].lines[2], "「秒を指定」をチェックしているのに");
  }
  // Not given: whatever the field holds, the seconds are 0.
  rec = Fresh();
  strcpy(t.szSeconds, "xx");
  ASSERT_EQ(AcceptTimeEntry(nullptr, 0, t, &rec, &iFocus), 1);
  EXPECT_EQ(rec.time.second, 0.0);
}

TEST_F(TimeEntryAccept, MissingFieldsAreReportedAfterTheSeconds) {
  BirthRecord rec = Fresh(38241, -1);
  TimeEntryTexts t = Texts("2024");
  strcpy(t.szDay, "");
  strcpy(t.szSeconds, "");
  int iFocus;
  // The seconds step comes first.
  EXPECT_EQ(AcceptTimeEntry(nullptr, 38241, t, &rec, &iFocus), 0);
  EXPECT_EQ(Headings(), "秒を確認！|");
  NativeClearBoxes();
  strcpy(t.szSeconds, "1");
  EXPECT_EQ(AcceptTimeEntry(nullptr, 38241, t, &rec, &iFocus), 0);
  EXPECT_EQ(Headings(), "入力が不足！|");
  EXPECT_EQ(iFocus, kFieldDay);
  EXPECT_EQ(Boxes()[0].lines[1], "  月、日、時、分のなかに指定されて");
}

TEST_F(TimeEntryAccept, TheCalendarCheckRefusesWithItsOwnBox) {
  BirthRecord rec = Fresh();
  TimeEntryTexts t = Texts("2001");
  strcpy(t.szMonth, "4");
  strcpy(t.szDay, "31");
  int iFocus;
  EXPECT_EQ(AcceptTimeEntry(nullptr, 0, t, &rec, &iFocus), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].title, "無効なデータ");
  EXPECT_TRUE(Contains(Boxes()[0].text, "この月は30日までしかありません。"));
  EXPECT_EQ(iFocus, kFieldDay);
  NativeClearBoxes();
  strcpy(t.szDay, "30");
  strcpy(t.szHour, "24");
  EXPECT_EQ(AcceptTimeEntry(nullptr, 0, t, &rec, &iFocus), 0);
  EXPECT_EQ(iFocus, kFieldHour);
}

TEST_F(TimeEntryAccept, UnknownTimeStandsAtNoonWithItsNotice) {
  BirthRecord rec = Fresh();
  rec.bTimeKnown = 0;  // the box "時間は分からない" was checked
  TimeEntryTexts t = Texts("1980");
  strcpy(t.szHour, "12");
  strcpy(t.szMinute, "00");
  int iFocus;
  ASSERT_EQ(AcceptTimeEntry(nullptr, 0, t, &rec, &iFocus), 1);
  EXPECT_EQ(rec.time.hour, 12);
  EXPECT_EQ(rec.time.minute, 0);
  EXPECT_EQ(rec.time.second, 0.0);
  EXPECT_EQ(rec.bTimeKnown, 0);
  EXPECT_EQ(Headings(), "仮の出生時刻を日本時間正午にします|");
  EXPECT_EQ(Boxes()[0].lines[1], "  このチャートは太陽位置を第１カスプとして");
}

TEST_F(TimeEntryAccept, NameRules) {
  const std::string s31 = "abcdefghijklmnopqrstuvwxyz01234";        // 31 bytes
  const std::string sStraddle = "abcdefghijklmnopqrstuvwxyz012漢";  // 29 + 2 bytes
  const std::string s30Kanji = "山田花子山田花子山田花子山田花";  // 30 bytes
  struct Case {
    int iMode;
    std::string sTyped;
    int iAnswer;  // button pressed in "とても長い名前！" (6 OK, 2 Cancel), 0 when none is asked
    int iAccepted;
    const char* szName;
    int bSave;
    const char* szBoxes;
  };
  const Case kCases[] = {
      {0, "山田花子", 0, 1, "山田花子", 1, ""},
      {0, s31, kIdYes, 1, "abcdefghijklmnopqrstuvwxyz0123", 1, "とても長い名前！|"},
      {0, s31, kIdCancel, 0, "", 0, "とても長い名前！|"},
      // A double-byte character across bytes 30 and 31 is not split.
      {0, sStraddle, kIdYes, 1, "abcdefghijklmnopqrstuvwxyz012 ", 1, "とても長い名前！|"},
      {0, s30Kanji, 0, 1, "山田花子山田花子山田花子山田花", 1, ""},
      {0, "", 0, 1, "(No Name)", 0, ""},
      {60001, "", 0, 0, "", 0, "デフォルトの出生データ|"},
      {60001, "自分", 0, 1, "自分", 1, ""},
      {38243, "", 0, 1, "春分図", 0, ""},
      {2, "ignored", 0, 1, "前の名前", 1, ""},
  };
  for (const Case& c : kCases) {
    NativeClearBoxes();
    if (c.iAnswer) NativeQueueAnswer(c.iAnswer);
    BirthRecord rec = Fresh(c.iMode);
    strcpy(rec.szName, c.iMode == 2 ? "前の名前" : "");
    rec.bSave = c.iMode == 2 ? 1 : 0;
    int iFocus = -1;
    const std::string sWhat = std::to_string(c.iMode) + " [" + c.sTyped + "]";
    EXPECT_EQ(AcceptTimeEntry(nullptr, c.iMode, Texts("2000", c.sTyped.c_str()), &rec, &iFocus), c.iAccepted)
        << sWhat;
    EXPECT_EQ(Headings(), c.szBoxes) << sWhat;
    if (c.iAccepted) {
      EXPECT_STREQ(rec.szName, c.szName) << sWhat;
      EXPECT_EQ(rec.bSave, c.bSave) << sWhat;
      EXPECT_LE(strlen(rec.szName), 30u);
    } else {
      EXPECT_EQ(iFocus, kFieldName) << sWhat;
    }
  }
  // The question shows the whole name; the refusal is a plain warning box.
  NativeClearBoxes();
  NativeQueueAnswer(kIdYes);
  BirthRecord rec = Fresh();
  int iFocus;
  AcceptTimeEntry(nullptr, 0, Texts("2000", s31.c_str()), &rec, &iFocus);
  EXPECT_EQ(Boxes()[0].lines[1], s31);
  EXPECT_EQ(Boxes()[0].lines[2], "  ファイリングの都合上、31文字めより");
  NativeClearBoxes();
  rec = Fresh(60001);
  AcceptTimeEntry(nullptr, 60001, Texts("2000", ""), &rec, &iFocus);
  EXPECT_EQ(Boxes()[0].text, "名前を入力してください");
  EXPECT_EQ(Boxes()[0].style, kMbOk | kMbIconWarning);
}

TEST_F(TimeEntryAccept, OpeningAndAcceptingKeepAnEditedRecord) {
  // "訂正" reopens the dialog on the record: accepting it unchanged keeps
  // every field, the seconds' decimals included.
  BirthRecord rec = Person("山田花子");
  rec.time.second = 12.345;
  const BirthRecord before = rec;
  TimeEntryForm form;
  MakeTimeEntryForm(0, kTimeEntryEditRecord, &rec, kNow, &form);
  TimeEntryTexts t = TextsOfForm(form);
  int iFocus;
  ASSERT_EQ(AcceptTimeEntry(nullptr, 0, t, &rec, &iFocus), 1);
  EXPECT_EQ(memcmp(&rec, &before, sizeof rec), 0);

  // Mode 38300 types only the year and the month: day 1, 00:00.
  rec = Fresh(38300);
  MakeTimeEntryForm(38300, 0, &rec, kNow, &form);
  t = Texts("2030");
  strcpy(t.szMonth, "11");
  strcpy(t.szDay, form.szText[kFieldDay]);
  strcpy(t.szHour, form.szText[kFieldHour]);
  strcpy(t.szMinute, form.szText[kFieldMinute]);
  ASSERT_EQ(AcceptTimeEntry(nullptr, 38300, t, &rec, &iFocus), 1);
  EXPECT_EQ(rec.time.year, 2030);
  EXPECT_EQ(rec.time.month, 11);
  EXPECT_EQ(rec.time.day, 1);
  EXPECT_EQ(rec.time.hour, 0);
  EXPECT_EQ(rec.time.minute, 0);
}

// --- Place dialog -----------------------------------------------------------------

TEST(PlaceEntry, TitleAsksByMode) {
  char sz[128];
  const std::pair<int, const char*> kCases[] = {
      {0, "どこで生まれましたか？  (山田)"},   {1, "そのときどこにいる(いた)か？  (山田)"},
      {2, "いまどこにいますか？  (山田)"},     {38243, "場所の指定  (山田)"},
      {7, "どこで生まれましたか？  (山田)"},
  };
  for (const auto& c : kCases) {
    PlaceEntryTitle(c.first, "山田", sz, sizeof sz);
    EXPECT_STREQ(sz, c.second) << c.first;
  }
}

class PlaceAccept : public BoxTest {};

TEST_F(PlaceAccept, TypedCoordinates) {
  struct Case {
    const char* szLat;
    const char* szLong;
    int iOk;
    const char* szName;  // the place name, or the refusal box's caption
  };
  const Case kCases[] = {
      {"35.5", "-70", 1, "+35.5000 : -70.0000"},  {"abc", "139.75", 1, "+0.0000 : +139.7500"},
      {"90", "-180", 1, "+90.0000 : -180.0000"},  {"90.0001", "139.75", 0, "+90.0001 : +139.7500"},
      {"0", "180.5", 0, "+0.0000 : +180.5000"},   {"1e999", "0", 0, "+inf : +0.0000"},
  };
  for (const Case& c : kCases) {
    NativeClearBoxes();
    BirthRecord rec{};
    strcpy(rec.szBirthPlace, "前");
    EXPECT_EQ(AcceptTypedPlace(nullptr, c.szLat, c.szLong, &rec), c.iOk) << c.szLat;
    if (c.iOk) {
      EXPECT_STREQ(rec.szBirthPlace, c.szName);
      const double dLat = rec.dBirthLat, dLong = rec.dBirthLong;  // packed fields: copy first
      EXPECT_EQ(dLat, DecimalPrefix(c.szLat));
      EXPECT_EQ(dLong, DecimalPrefix(c.szLong));
      EXPECT_TRUE(Boxes().empty());
    } else {
      EXPECT_STREQ(rec.szBirthPlace, "前");
      ASSERT_EQ(Boxes().size(), 1u);
      EXPECT_EQ(Boxes()[0].text, "無効な経緯度");
      EXPECT_EQ(Boxes()[0].title, c.szName);
    }
  }
}

TEST_F(PlaceAccept, ListedRows) {
  BirthRecord rec{};
  ASSERT_EQ(AcceptListedPlace(3, &rec), 1);
  EXPECT_STREQ(rec.szBirthPlace, "札幌");
  EXPECT_DOUBLE_EQ(rec.dBirthLat, 43 + 4 / 60.0);
  EXPECT_DOUBLE_EQ(rec.dBirthLong, 141 + 21 / 60.0);
  ASSERT_EQ(AcceptListedPlace(33, &rec), 1);
  EXPECT_STREQ(rec.szBirthPlace, "東京都");
  EXPECT_DOUBLE_EQ(rec.dBirthLat, 35.65);
  EXPECT_DOUBLE_EQ(rec.dBirthLong, 139.75);
  EXPECT_EQ(AcceptListedPlace(98, &rec), 0);
  EXPECT_EQ(AcceptListedPlace(-1, &rec), 0);
  EXPECT_STREQ(rec.szBirthPlace, "東京都");
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_TRUE(Contains(Boxes()[0].text, "PlaceInputDFunc"));
}

// --- Filed list, harmonic, season, ephemeris --------------------------------------------

class SmallDialogs : public BoxTest {};

TEST_F(SmallDialogs, FiledListOpeningAndChoice) {
  EXPECT_EQ(FiledListOpening(nullptr, 0), kFiledListEmpty);
  EXPECT_EQ(FiledListOpening(nullptr, 1), 1);
  EXPECT_EQ(FiledListOpening(nullptr, 1000), 1000);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(FiledListOpening(nullptr, 1024), 1000);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "このファイルには1024件のデータが登録されています。初めの1000件が表示可能です。");
  EXPECT_EQ(Boxes()[0].style, kMbOk);
  NativeClearBoxes();
  EXPECT_EQ(FiledListOpening(nullptr, -5), kFiledListCancel);
  EXPECT_EQ(Boxes()[0].text, "FromFileDB : 異常値 : lpvf->iNumData = -5");
  EXPECT_EQ(Boxes()[0].style & kMbIconMask, kMbIconError);

  NativeClearBoxes();
  EXPECT_EQ(FiledListChoice(nullptr, 5, 10), 5);
  EXPECT_EQ(FiledListChoice(nullptr, 999, 1000), 999);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(FiledListChoice(nullptr, -1, 10), kFiledListCancel);
  EXPECT_EQ(FiledListChoice(nullptr, 10, 10), kFiledListCancel);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].title, "予期せぬ障害");
  EXPECT_EQ(Boxes()[0].text, "FromFileDB: LB_GETCURSEL: k=-1(-1 = LB_ERR)");
}

TEST_F(SmallDialogs, DeletingARowAsksWithItsNameAndTime) {
  BirthRecord row = Person("山田花子");
  NativeQueueAnswer(kIdCancel);
  EXPECT_EQ(AskDeleteRow(nullptr, row), 0);
  EXPECT_EQ(AskDeleteRow(nullptr, row), 1);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].kind, "AppOkCancelMsg");
  EXPECT_EQ(Boxes()[0].lines[0], "次のデータを削除してよろしいですか？");
  EXPECT_EQ(Boxes()[0].lines[1], "山田花子");
  EXPECT_EQ(Boxes()[0].lines[2], " 1965年 4月 3日 10時20分30秒");
}

TEST_F(SmallDialogs, HarmonicTexts) {
  double dLast = 1.0;
  EXPECT_EQ(HarmonicProposal(&dLast), 5.0);
  EXPECT_EQ(dLast, 5.0);
  dLast = -3.5;
  EXPECT_EQ(HarmonicProposal(&dLast), -3.5);

  const std::pair<double, const char*> kFormats[] = {
      {5, "5"}, {-7, "-7"}, {-3.5, "-3.500000"}, {0.1, "+0.100000"}, {12.25, "+12.25000"}, {-10.5, "-10.50000"},
  };
  char sz[32];
  for (const auto& f : kFormats) {
    FormatHarmonic(f.first, sz, sizeof sz);
    EXPECT_STREQ(sz, f.second) << f.first;
  }

  struct Case {
    const char* szText;
    int iOk;
    int32_t iResult;
  };
  const Case kCases[] = {
      {"-3.5", 1, -3500000}, {"0.1", 1, 100000},         {"-0.1", 1, -100000}, {"0.3", 1, 300000},
      {"2147", 1, 2147000000}, {"-2147", 1, -2147000000}, {"5 ", 1, 5000000},  {"0.05", 0, 0},
      {"2148", 0, 0},        {"2147.1", 0, 0},            {"", 0, 0},          {"5x", 0, 0},
      {"0", 0, 0},
  };
  for (const Case& c : kCases) {
    double d = 0;
    EXPECT_EQ(ParseHarmonicText(c.szText, &d), c.iOk) << c.szText;
    if (c.iOk) {
      EXPECT_EQ(HarmonicResult(d), c.iResult) << c.szText;
    }
  }
  EXPECT_EQ(kHarmonicCancel, -2147483600);
}

TEST_F(SmallDialogs, HarmonicAccepting) {
  double dLast = 5.0;
  int32_t iResult = 0;
  ASSERT_EQ(AcceptHarmonicText(nullptr, "-3.5", &dLast, &iResult), 1);
  EXPECT_EQ(iResult, -3500000);
  EXPECT_EQ(dLast, -3.5);
  EXPECT_TRUE(Boxes().empty());

  // 1 asks; No keeps the dialog open, Yes returns to the ordinary chart.
  NativeQueueAnswer(kIdNo);
  EXPECT_EQ(AcceptHarmonicText(nullptr, "1", &dLast, &iResult), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "倍音の次数が1と指定されました。倍音計算から通常計算に戻ります。よろしいですか？");
  EXPECT_EQ(Boxes()[0].style, kMbYesNo | kMbIconQuestion);
  NativeQueueAnswer(kIdYes);
  ASSERT_EQ(AcceptHarmonicText(nullptr, "1", &dLast, &iResult), 1);
  EXPECT_EQ(iResult, 1000000);

  // An invalid text: the warning captioned with the text; the last number
  // falls back to 1 (so the next opening proposes 5).
  NativeClearBoxes();
  dLast = 7.0;
  EXPECT_EQ(AcceptHarmonicText(nullptr, "0.05", &dLast, &iResult), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].title, "0.05");
  EXPECT_TRUE(Contains(Boxes()[0].text, "正常な半角数字でないか"));
  EXPECT_EQ(Boxes()[0].style, kMbOk | kMbIconWarning);
  EXPECT_EQ(dLast, 1.0);
  EXPECT_EQ(HarmonicProposal(&dLast), 5.0);
}

TEST_F(SmallDialogs, SeasonYears) {
  struct Case {
    const char* szText;
    int iKind;
    int iOk;
    int iResult;
  };
  const Case kCases[] = {
      {"2000", 2, 1, 22000}, {"2000", 0, 1, 2000}, {"0", 3, 1, 30000}, {"9999", 3, 1, 39999},
      {" 2024", 1, 1, 12024}, {"2024年", 1, 1, 12024}, {"-5", 0, 0, 0}, {"10000", 0, 0, 0},
      {"", 0, 0, 0},          {"abc", 0, 0, 0},        {"2000", 4, 0, 0},
  };
  for (const Case& c : kCases) {
    NativeClearBoxes();
    int iResult = -7;
    EXPECT_EQ(AcceptSeasonYear(nullptr, c.szText, c.iKind, &iResult), c.iOk) << c.szText;
    if (c.iOk) {
      EXPECT_EQ(iResult, c.iResult) << c.szText;
      int iKind, iYear;
      ASSERT_EQ(DecodeSeasonChoice(iResult, &iKind, &iYear), 1);
      EXPECT_EQ(iKind, c.iKind);
      EXPECT_EQ(iYear, c.iResult % 10000);
    } else {
      ASSERT_EQ(Boxes().size(), 1u) << c.szText;
      EXPECT_EQ(Boxes()[0].text, "入力が未完了または無効");
      EXPECT_EQ(Boxes()[0].title, "ΩΡΟΜΙΡΑ");
    }
  }
  int iKind, iYear;
  EXPECT_EQ(DecodeSeasonChoice(kSeasonCancel, &iKind, &iYear), 0);
  EXPECT_EQ(DecodeSeasonChoice(40000, &iKind, &iYear), 0);
  EXPECT_STREQ(kSeasonChartNames[2], "秋分図");
}

TEST(EphemerisChoice, EveryBodyStepAndAlignmentRoundTrips) {
  EXPECT_EQ(EphemStepFromButtons(true, true, true), 100);
  EXPECT_EQ(EphemStepFromButtons(false, true, true), 200);
  EXPECT_EQ(EphemStepFromButtons(false, false, true), 300);
  EXPECT_EQ(EphemStepFromButtons(false, false, false), 400);
  for (int iBody = 0; iBody < kNumEphemBodies; ++iBody) {
    for (int iStep = 100; iStep <= 400; iStep += 100) {
      for (bool bAligned : {false, true}) {
        EphemChoice c{};
        ASSERT_EQ(DecodeEphemChoice(EncodeEphemChoice(iBody, iStep, bAligned), &c), 1);
        EXPECT_EQ(c.iBody, iBody);
        EXPECT_EQ(c.iStep, iStep);
        EXPECT_EQ(c.bAligned != 0, bAligned);
      }
    }
  }
  EXPECT_EQ(EncodeEphemChoice(0, 400, true), 1400);
}

// --- Wizard --------------------------------------------------------------------

TEST(Wizard, StepsActionsAndPages) {
  struct Case {
    int iStep;
    WizardAction action;
    const char* szPage;
    bool bBack;
  };
  const Case kCases[] = {
      {-1000, kWizardActionAskReplace, kWizardIntroPage, false},
      {-999, kWizardActionNone, kWizardTimeNamePage, false},
      {-998, kWizardActionTimeName, kWizardBirthPlacePage, true},
      {-997, kWizardActionBirthPlace, kWizardCurrentPlacePage, true},
      {-996, kWizardActionNowPlace, nullptr, true},
      {-995, kWizardActionFinish, nullptr, true},
      {-9999, kWizardActionEnd, nullptr, true},
      {-994, kWizardActionEnd, nullptr, true},
      {0, kWizardActionEnd, nullptr, true},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(WizardStepAction(c.iStep), c.action) << c.iStep;
    bool bBack = !c.bBack;
    EXPECT_EQ(WizardPageText(c.iStep, &bBack), c.szPage) << c.iStep;
    if (c.szPage) {
      EXPECT_EQ(bBack, c.bBack) << c.iStep;
    }
  }
}

TEST(Wizard, QuestionAndLastPageShowThePerson) {
  BirthRecord p = Person("山田花子");
  strcpy(p.szBirthPlace, "札幌");
  strcpy(p.szCurrentPlace, "那覇");
  char sz[1024];
  WizardReplaceQuestion(p, sz, sizeof sz);
  EXPECT_STREQ(sz,
               "すでにデフォルトの出生データ、および現在地は登録されています。\n\n山田花子\n\n"
               " 1965年 4月 3日 10時20分30秒生まれ\n\n出生地   札幌\n\n現在地   那覇\n\n別の出生データに変更しますか？");
  WizardConfirmPage(p, "東京都", sz, sizeof sz);
  EXPECT_STREQ(sz, "山田花子\r\n 1965年 4月 3日 10時20分30秒生まれ\r\n出生地 札幌\r\n現在地 東京都");
}

TEST(Wizard, FinishingRegistersTheDefaultPerson) {
  SystemIniInf sii{};
  sii.defaultData = Person("自分");
  strcpy(sii.defaultData.szBirthPlace, "札幌");
  BirthRecord now{};
  AcceptListedPlace(82, &now);  // "   那覇"
  static BirthTable table;
  memset(&table, 0, sizeof table);
  table.iNumData = 2;
  table.bHoldsFile = 1;
  FileState files{};
  ASSERT_EQ(FinishDefaultPerson(&sii, &table, &files, now), 1);
  const BirthRecord& d = sii.defaultData;
  EXPECT_STREQ(d.szCurrentPlace, "那覇");
  EXPECT_DOUBLE_EQ(d.dCurrentLat, 26 + 13 / 60.0);
  EXPECT_DOUBLE_EQ(d.dCurrentLong, 127 + 41 / 60.0);
  EXPECT_EQ(d.iMarker, 1);
  EXPECT_EQ(d.iDataNo, kDataNoNewDefault);
  EXPECT_EQ(d.bSave, 0);
  EXPECT_TRUE(sii.bFlags & kSiiFlagDefaultPerson);
  ASSERT_EQ(table.iNumData, 3);
  EXPECT_STREQ(table.rows[2].szName, "自分");
  EXPECT_STREQ(table.rows[2].szCurrentPlace, "那覇");
  EXPECT_EQ(table.rows[2].iDataNo, 2);
  EXPECT_TRUE(Contains(table.rows[2].szListLine, "自分"));
}

// --- Version box ----------------------------------------------------------------

TEST(VersionBox, OsNames) {
  struct Case {
    int iMajor, iMinor;
    bool bNt;
    int iIndex;
  };
  const Case kCases[] = {{4, 0, false, 0}, {4, 10, false, 2}, {4, 90, false, 2}, {3, 95, false, 3},
                         {4, 0, true, 1},  {6, 1, true, 1}};
  for (const Case& c : kCases) EXPECT_EQ(VersionOsIndex(c.iMajor, c.iMinor, c.bNt), c.iIndex);
  char sz[128];
  VersionOsLine(1, sz, sizeof sz);
  EXPECT_STREQ(sz, "オペレーティングシステム : Windows NT");
  VersionOsLine(3, sz, sizeof sz);
  EXPECT_STREQ(sz, "オペレーティングシステム : 認識できない");
}

TEST(VersionBox, FolderIsCutToFiftyBytes) {
  const std::string s50(50, 'a');
  struct Case {
    std::string sFolder;
    std::string sLine;
  };
  const Case kCases[] = {
      {"C:\\Horomira", "作業フォルダ : C:\\Horomira"},
      {s50, "作業フォルダ : " + s50},  // fits exactly: nothing was cut, no dots
      {s50 + "b", "作業フォルダ : " + s50 + "..."},
      // A double-byte character across bytes 50 and 51 becomes a blank.
      {std::string(49, 'a') + "漢字", "作業フォルダ : " + std::string(49, 'a') + " ..."},
      {std::string(48, 'a') + "漢字", "作業フォルダ : " + std::string(48, 'a') + "漢..."},
  };
  char sz[256];
  for (const Case& c : kCases) {
    VersionFolderLine(c.sFolder.c_str(), sz, sizeof sz);
    EXPECT_EQ(std::string(sz), c.sLine);
  }
}

TEST(VersionBox, FreeSpace) {
  EXPECT_DOUBLE_EQ(FreeMegabytes(8, 512, 262144), 1024.0);
  // 64 KB clusters on a large disk: far beyond 32 bits of bytes.
  EXPECT_DOUBLE_EQ(FreeMegabytes(128, 512, 4000000000u), 250000000.0);
  char sz[128];
  VersionFreeSpaceLine("Z:\\work", 1234.56, sz, sizeof sz);
  EXPECT_STREQ(sz, "このドライブ[Z:\\work]には 1234.6 MBの");
}

}  // namespace

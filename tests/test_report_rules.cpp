// The window-free rules of the listing, season and reading commands: the
// listings of a moment with their questions and popup titles, the season
// charts, whose reading a command gives and the fortune person's current
// place.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "chart/chart_text.h"
#include "events/events.h"
#include "platform/resource_ids.h"
#include "shell/logic/report_rules.h"
#include "test_support.h"

namespace {

int Count(const std::string& s, const std::string& what) {
  int n = 0;
  for (size_t i = s.find(what); i != std::string::npos; i = s.find(what, i + what.size())) ++n;
  return n;
}

struct ListingCase {
  int iCommand;
  DateTime when;
  const char* szHeading;
  const char* szPopupTitle;
  const char* szStart;   // the text begins so
  const char* szEntry;   // one mark per entry
  int nEntries;
  const char* szInside;  // a piece the text holds
};

TEST(MomentListings, QuestionTitleAndText) {
  const ListingCase kCases[] = {
      // Only the year counts: the ingresses of every month of 2024.
      {IDM_INGRESS, {2024, 7, 15, 9, 30, 0.0}, "12星座の さかい目", "星座の境界 ( 日本時間 )",
       "\r\n 2024年 1月の イングレス <大寒>", "の イングレス <", 12, " 2024年 3月の イングレス <春分>\r\n  太陽が うお から おひつじ へ移動"},
      {IDM_SOLAR_TERMS, {2024, 12, 31, 23, 0, 0.0}, "節入り", "節入り ( 日本時間 )", "\r\n  ", "15.0度を通過 )", 12,
       "  清明 ( 太陽が おひつじ 15.0度を通過 )"},
      // The Moon's sign changes of February 2024 and the first of March.
      {IDM_MOON_SIGNS, {2024, 2, 20, 12, 0, 0.0}, "月が星座を変わる時刻", "月が星座を変わる時刻 (日本時間)",
       "\r\n月のイングレス\r\n - 2024年2月 : 日本時間 -\r\n\r\n", "座へのイングレス", 0, " 2024年 3月"},
      {IDM_MOON_PHASES, {2024, 2, 20, 12, 0, 0.0}, "新月・上弦・満月・下弦の時刻", "月のこよみ (日本時間)",
       "\r\n  ● 新月 :", " :", 9, "○ 満月 :"},
  };
  for (const ListingCase& c : kCases) {
    SCOPED_TRACE(c.iCommand);
    const MomentListing* pListing = FindMomentListing(c.iCommand);
    ASSERT_NE(pListing, nullptr);
    EXPECT_EQ(pListing->iCommand, c.iCommand);
    EXPECT_STREQ(pListing->szHeading, c.szHeading);
    EXPECT_STREQ(pListing->szPopupTitle, c.szPopupTitle);
    for (const char* szLine : pListing->szLines) EXPECT_NE(szLine[0], '\0');

    std::unique_ptr<char[]> buf(new char[kListingTextSize]);
    memset(buf.get(), 'x', kListingTextSize);
    ASSERT_EQ(MakeMomentListing(c.iCommand, c.when, buf.get(), kListingTextSize), 1);
    const std::string s(buf.get());
    EXPECT_EQ(s.rfind(c.szStart, 0), 0u) << s.substr(0, 80);
    if (c.nEntries) {
      EXPECT_EQ(Count(s, c.szEntry), c.nEntries);
    } else {
      const int n = Count(s, c.szEntry);
      EXPECT_TRUE(n >= 13 && n <= 15) << n;  // every sign change of the month and the first of the next
    }
    EXPECT_NE(s.find(c.szInside), std::string::npos);
  }
  EXPECT_EQ(FindMomentListing(IDM_ALMANAC), nullptr);
  EXPECT_EQ(FindMomentListing(IDM_EPHEMERIS), nullptr);
}

TEST(MomentListings, RefusesWhatItCannotWrite) {
  char sz[kMoonIngressTextSize];
  const DateTime when{2024, 2, 1, 0, 0, 0.0};
  EXPECT_EQ(MakeMomentListing(IDM_ALMANAC, when, sz, sizeof sz), 0) << "not a listing of a moment";
  EXPECT_EQ(sz[0], '\0');
  // The Moon's list writes up to 2 KB without checking: a smaller buffer is
  // refused before anything is written.
  sz[0] = 'x';
  EXPECT_EQ(MakeMomentListing(IDM_MOON_SIGNS, when, sz, kMoonIngressTextSize - 1), 0);
  EXPECT_EQ(sz[0], 'x');
  EXPECT_EQ(MakeMomentListing(IDM_MOON_SIGNS, when, nullptr, kListingTextSize), 0);
}

// The four season charts of 2024 at Tokyo: the Sun exactly at 0, 90, 180 and
// 270 degrees at the published moments (UT + 9 h).
TEST(SeasonCharts, MomentSunTitleAndRecord) {
  struct Case {
    int iKind;
    const char* szName;
    DateTime jst;  // to the minute
  } kCases[] = {
      {0, "春分図", {2024, 3, 20, 12, 6, 0.0}},
      {1, "夏至図", {2024, 6, 21, 5, 51, 0.0}},
      {2, "秋分図", {2024, 9, 22, 21, 44, 0.0}},
      {3, "冬至図", {2024, 12, 21, 18, 20, 0.0}},
  };
  std::unique_ptr<ChartRecord> chart(new ChartRecord());
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.szName);
    ResetChartRecord(chart.get());
    BirthRecord rec{};
    rec.dwMagic = kRecordMagic;
    snprintf(rec.szBirthPlace, sizeof rec.szBirthPlace, "%s", "東京");
    rec.dBirthLat = 35.65;
    rec.dBirthLong = 139.75;
    ASSERT_EQ(MakeSeasonChart(c.iKind, 2024, &rec, chart.get()), 1);
    EXPECT_STREQ(rec.szName, c.szName);
    EXPECT_EQ(rec.bTimeKnown, 1);
    EXPECT_EQ(rec.bSecondsGiven, 1);
    EXPECT_EQ(rec.time.year, c.jst.year);
    EXPECT_EQ(rec.time.month, c.jst.month);
    EXPECT_EQ(rec.time.day, c.jst.day);
    const double dMinutes = rec.time.hour * 60.0 + rec.time.minute + rec.time.second / 60.0;
    EXPECT_NEAR(dMinutes, c.jst.hour * 60.0 + c.jst.minute + 0.5, 1.0);
    EXPECT_EQ(chart->wKind, kChartTransit);
    EXPECT_EQ(chart->fHarmonic, 1.0f);
    EXPECT_NEAR(chart->dLong[Sun], 90.0 * c.iKind, 1e-6);
    EXPECT_STREQ(chart->natal.szName, c.szName);
    const std::string sTitle = chart->szTitle;
    const std::string sEnd = std::string("/ ") + c.szName;
    ASSERT_GE(sTitle.size(), sEnd.size());
    EXPECT_EQ(sTitle.substr(sTitle.size() - sEnd.size()), sEnd) << sTitle;
  }
  BirthRecord rec{};
  EXPECT_EQ(MakeSeasonChart(4, 2024, &rec, chart.get()), 0);
  EXPECT_EQ(MakeSeasonChart(-1, 2024, &rec, chart.get()), 0);
}

TEST(SeasonCharts, QuestionHeading) {
  char sz[64];
  SeasonQuestionHeading(2, 2000, sz, sizeof sz);
  EXPECT_STREQ(sz, "  秋分図 -  2000年");
  SeasonQuestionHeading(0, 12, sz, sizeof sz);
  EXPECT_STREQ(sz, "  春分図 -    12年");
}

TEST(ReadingPerson, WhoseReading) {
  struct Case {
    bool bFromPopup, bStartup, bRegistered;
    int iWant;
  } kCases[] = {
      {true, true, true, kReadingOtherPerson},     {true, true, false, kReadingOtherPerson},
      {true, false, true, kReadingOtherPerson},    {true, false, false, kReadingOtherPerson},
      {false, true, true, kReadingDefaultPerson},  {false, true, false, kReadingAskSelf},
      {false, false, true, kReadingShownPerson},   {false, false, false, kReadingShownPerson},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(ChooseReadingPerson(c.bFromPopup, c.bStartup, c.bRegistered), c.iWant)
        << c.bFromPopup << c.bStartup << c.bRegistered;
  }
}

BirthRecord Sample(int iRow) {
  BirthRecord rec;
  MakeSampleRow(iRow, &rec);
  return rec;
}

TEST(ReadingPerson, SamePerson) {
  const BirthRecord a = Sample(0);
  BirthRecord b = a;
  b.iDataNo = 7;  // the row number and the current place do not count
  b.iMarker = 0;
  b.szCurrentPlace[0] = '\0';
  EXPECT_TRUE(SamePerson(a, b));
  b = a;
  b.time.second = 1.0;
  EXPECT_FALSE(SamePerson(a, b));
  b = a;
  b.dBirthLong += 1e-9;
  EXPECT_FALSE(SamePerson(a, b));
  EXPECT_FALSE(SamePerson(a, Sample(1)));
}

TEST(FortunePlace, StepByOrigin) {
  struct Case {
    int32_t iDataNo;
    int32_t iMarker;
    int iWant;
  } kCases[] = {
      {0, 1, kFortunePlaceAsk},     {999, 1, kFortunePlaceAsk},     {4, 0, kFortunePlaceChoose},
      {-1, 0, kFortunePlaceChoose}, {-1, 1, kFortunePlaceChoose},   {kDataNoFortuneOnly, 1, kFortunePlaceKeep},
      {-2, 0, kFortunePlaceKeep},   {-3, 1, kFortunePlaceKeep},     {-8, 1, kFortunePlaceKeep},
  };
  for (const Case& c : kCases) {
    BirthRecord rec = Sample(0);
    rec.iDataNo = c.iDataNo;
    rec.iMarker = c.iMarker;
    EXPECT_EQ(ChooseFortunePlaceStep(rec), c.iWant) << c.iDataNo << "/" << c.iMarker;
  }
  // A person shown after a fortune on the spot is asked for the place again.
  BirthRecord shown = Sample(0);
  shown.iDataNo = kDataNoFortuneOnly;
  shown.iMarker = 1;
  EXPECT_EQ(ShownFortunePerson(shown).iDataNo, -1);
  EXPECT_EQ(ChooseFortunePlaceStep(ShownFortunePerson(shown)), kFortunePlaceChoose);
  shown.iDataNo = 3;
  EXPECT_EQ(ShownFortunePerson(shown).iDataNo, 3);
}

TEST(FortunePlace, ChosenPlaceGoesIntoThePersonsOwnRow) {
  std::unique_ptr<BirthTable> table(new BirthTable());
  MakeSampleRow(0, &table->rows[0]);
  MakeSampleRow(1, &table->rows[1]);
  table->iNumData = 2;

  BirthRecord person = table->rows[1];
  BirthRecord place{};
  snprintf(place.szBirthPlace, sizeof place.szBirthPlace, "%s", "那覇");
  place.dBirthLat = 26.2;
  place.dBirthLong = 127.68;
  person.iMarker = 0;
  SetCurrentPlace(place, &person);
  EXPECT_STREQ(person.szCurrentPlace, "那覇");
  EXPECT_EQ(person.dCurrentLat, 26.2);
  EXPECT_EQ(person.dCurrentLong, 127.68);
  EXPECT_EQ(person.iMarker, 1);
  EXPECT_STREQ(person.szBirthPlace, "仙台") << "the birthplace stays";

  EXPECT_EQ(StoreCurrentPlaceInTable(person, table.get()), 1);
  EXPECT_STREQ(table->rows[1].szCurrentPlace, "那覇");
  EXPECT_EQ(table->rows[1].dCurrentLat, 26.2);
  EXPECT_STREQ(table->rows[0].szCurrentPlace, "東京都") << "the other row is untouched";

  // After row 0 was deleted the person's number points at another row:
  // nothing is written there.
  table->rows[0] = table->rows[1];
  table->iNumData = 1;
  BirthRecord moved = Sample(0);
  moved.iDataNo = 0;
  SetCurrentPlace(place, &moved);
  EXPECT_EQ(StoreCurrentPlaceInTable(moved, table.get()), 0);
  EXPECT_STREQ(table->rows[0].szName, "Sample Data 2");
  // Numbers outside the table, and the marks of persons not filed.
  person.iDataNo = 1;
  EXPECT_EQ(StoreCurrentPlaceInTable(person, table.get()), 0);
  person.iDataNo = -1;
  EXPECT_EQ(StoreCurrentPlaceInTable(person, table.get()), 0);
  EXPECT_EQ(StoreCurrentPlaceInTable(person, nullptr), 0);
}

TEST(FortunePlace, NewPersonText) {
  char sz[512];
  FortuneNewPersonText(Sample(1), sz, sizeof sz);
  EXPECT_STREQ(sz,
               "Sample Data 2\n\n 1991年10月 8日 19時12分00秒\n\n出生地：仙台\n\n"
               "これで良ければ次にその人が今いる場所を指定してください");
  char szShort[8];
  EXPECT_EQ(FortuneNewPersonText(Sample(1), szShort, sizeof szShort), 7);
  EXPECT_STREQ(szShort, "Sample ");
}

}  // namespace

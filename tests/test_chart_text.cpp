// Detailed position lines, the plain-text chart, initial texts and the
// place list.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "chart/chart_text.h"
#include "chart/places.h"
#include "test_support.h"

namespace {

class ChartText : public BoxTest {};

std::string DetailLine(double dLon, const char* szWord = kMotionWords[0]) {
  Angle a;
  LongitudeToAngle(dLon, &a);
  char sz[kLineDetail];
  EXPECT_EQ(SetDataStringD(sz, sizeof sz, kChartPointLabels[Sun], a, szWord), 1);
  return sz;
}

TEST_F(ChartText, DetailedLine) {
  EXPECT_EQ(DetailLine(123.456789), " 太　陽  し　し　   3°27′24.4″= 123.456789°          ");
  EXPECT_EQ(DetailLine(0.5, kMotionWords[1]), " 太　陽  おひつじ   0°30′00.0″=   0.500000°逆行      ");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ChartText, DetailedLineNeverShowsSixtySeconds) {
  // 12°34′59.96″ carries into the minute; the end of a sign stays in it.
  EXPECT_TRUE(Contains(DetailLine(12.0 + 34.0 / 60.0 + 59.96 / 3600.0), " 12°35′00.0″="));
  EXPECT_TRUE(Contains(DetailLine(29.0 + 59.0 / 60.0 + 59.97 / 3600.0), "おひつじ  29°59′59.9″=  29.999992°"));
  // Whole minutes that binary fractions leave a hair short still print whole.
  EXPECT_TRUE(Contains(DetailLine(35.0 + 40.0 / 60.0), "おうし　   5°40′00.0″="));
}

// The position lines are built without the general formatter: they must be
// the very bytes snprintf prints from their formats, for longitudes all
// round the circle, at the rounding edges (a longitude whose sixth decimal
// is an exact tie, 1/128 of a degree, goes to snprintf), for angles out of
// the ordinary and into short buffers.
TEST_F(ChartText, PositionLinesAreTheBytesOfTheirFormats) {
  std::vector<double> lons = {0.0,          1e-7,         0.0000005,  0.0078125,    29.99999951, 29.999999,
                              123.4567895,  180.0,        359.9921875, 359.9999994, 359.99999949, 7.9999999996};
  for (int i = 0; i < 40000; ++i) lons.push_back(std::fmod(i * 0.0179999971 + i * 1e-9 * i, 360.0));
  auto check = [](const Angle& a, const char* szWord, size_t nText) {
    char sz[kLineDetail], szRef[kLineDetail];
    Angle r = a;
    RoundAngleForDisplay(&r, 1);
    const int iSign = a.sign >= 0 && a.sign < 12 ? a.sign : 12;
    SetDataStringD(sz, nText, kChartPointLabels[Mars], a, szWord);
    snprintf(szRef, nText, " %s  %s  %2d°%2d′%04.1f″= %10.6f°%s", kChartPointLabels[Mars], kSignNames[iSign], r.deg,
             r.min, r.sec, r.lon, szWord);
    EXPECT_STREQ(sz, szRef);
    Angle s = a;
    RoundAngleForDisplay(&s, 0);
    SetShortDataString(sz, nText < kLineShort ? nText : kLineShort, s, kMotionMarks[2]);
    snprintf(szRef, nText < kLineShort ? nText : kLineShort, " %s %2d°%02d′%02.0f″%s", kSignNames[iSign], s.deg, s.min,
             s.sec, kMotionMarks[2]);
    EXPECT_STREQ(sz, szRef);
  };
  for (size_t k = 0; k < lons.size(); ++k) {
    Angle a;
    LongitudeToAngle(lons[k], &a);
    check(a, kMotionWords[k % 4], kLineDetail);
  }
  Angle a;
  LongitudeToAngle(123.456789, &a);
  for (size_t nText : {1, 7, 20, 44}) check(a, kMotionWords[1], nText);
  // Angles out of the ordinary go through snprintf itself.
  check(Angle{std::nan(""), 1, 2, 3, 4.5f}, kMotionWords[0], kLineDetail);
  check(Angle{12.5, 0, -3, 7, 30.0f}, kMotionWords[0], kLineDetail);
  check(Angle{1e12, 5, 5, -1, 0.25f}, kMotionWords[0], kLineDetail);
  NativeClearBoxes();
}

TEST_F(ChartText, BadSignIsReportedAndShown) {
  Angle a{400.0, 13, 10, 0, 0.0f};
  char sz[kLineDetail];
  EXPECT_EQ(SetDataStringD(sz, sizeof sz, kChartPointLabels[Moon], a, kMotionWords[3]), 1);
  EXPECT_EQ(std::string(sz), " 月      <異常値>  10° 0′00.0″= 400.000000°留／逆行？");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Abnormal lpAngle->sign in SetDataStringD");
  EXPECT_EQ(Boxes()[0].title, "ΩΡΟΜΙΡΑ");
}

TEST_F(ChartText, PositionTextOfTheCuspLists) {
  struct Case {
    double dLon;
    const char* szWant;
  };
  const Case kCases[] = {
      {123.456789, "し　し　   3°27′24.4″= 123.456789°"},
      {359.999999, "う　お　  29°59′59.9″= 359.999999°"},  // never the next sign
      {0.0, "おひつじ   0° 0′00.0″=   0.000000°"},
  };
  for (const Case& c : kCases) {
    Angle a;
    LongitudeToAngle(c.dLon, &a);
    char sz[kLineDetail];
    EXPECT_EQ(FormatPositionText(sz, sizeof sz, a), static_cast<int>(strlen(c.szWant)));
    EXPECT_STREQ(sz, c.szWant);
  }
  // A sign that is no sign reads "<異常値>" without a box: the detailed line
  // reports it, the cusp lists only show it.
  const Angle bad{400.0, 13, 10, 0, 0.0f};
  char sz[kLineDetail];
  FormatPositionText(sz, sizeof sz, bad);
  EXPECT_STREQ(sz, "<異常値>  10° 0′00.0″= 400.000000°");
  EXPECT_TRUE(Boxes().empty());
}

TEST(ChartRecordReset, InitialTextsAndCheckWord) {
  static ChartRecord chart;
  memset(&chart, 0x5A, sizeof chart);
  ResetChartRecord(&chart);
  EXPECT_STREQ(chart.natal.szName, "新規データ");
  EXPECT_STREQ(chart.szTitle, "< ﾃﾞｰﾀが設定されていません >");
  EXPECT_STREQ(chart.szHeader[0], "< ﾃﾞｰﾀが設定されていません >");
  EXPECT_STREQ(chart.szHeader[1], "");
  EXPECT_STREQ(chart.szDetail[14], "                 ﾁｬｰﾄを表示するには [Shift]+[C] を押してください ...");
  EXPECT_STREQ(chart.szTime[0], "［測地系と時刻系］");
  EXPECT_STREQ(chart.szTime[14], "                 ﾁｬｰﾄ [Shift]+[C]    位置ﾃﾞｰﾀ [Shift]+[D]");
  EXPECT_EQ(chart.ldJde, 0.0L);
  EXPECT_EQ(chart.fHarmonic, 0.0f);
  EXPECT_EQ(chart.dwCheck, kRecordMagic);
  EXPECT_TRUE(ChartRecordIntact(chart));
  chart.dwCheck = 0x20202020u;  // a line that ran past its field
  EXPECT_FALSE(ChartRecordIntact(chart));
}

TEST(ChartRecordReset, SlotBlock) {
  static ChartSlots slots;
  memset(&slots, 0x33, sizeof slots);
  ResetChartSlots(&slots);
  EXPECT_EQ(slots.iCurKind, 0);
  EXPECT_EQ(slots.iViewMode, 0);
  EXPECT_EQ(slots.bCurSlot, 0);
  EXPECT_EQ(slots.bInnerSlot, 0);
  EXPECT_EQ(slots.bDerived, 0);
  for (const ChartRecord& chart : slots.charts) {
    EXPECT_TRUE(ChartRecordIntact(chart));
    EXPECT_STREQ(chart.szTitle, "< ﾃﾞｰﾀが設定されていません >");
    EXPECT_EQ(chart.ldJde, 0.0L);
  }
}

TEST(MakeChartText, BannerHeadersAndDetailedLines) {
  static ChartRecord chart;
  ResetChartRecord(&chart);
  strcpy(chart.szHeader[1], "time");
  strcpy(chart.szHeader[3], "   ");
  for (int i = 0; i < kNumChartPoints; ++i) snprintf(chart.szDetail[i], kLineDetail, "d%d", i);
  char sz[kChartTextSize];
  const int n = MakeChartText(sz, sizeof sz, chart);
  std::string expected =
      "\r\n[ Horomira 5.4.0.2 ]\r\n\r\n< ﾃﾞｰﾀが設定されていません >\r\ntime\r\n\r\n   \r\n\r\n";
  for (int i = 0; i < kNumChartPoints; ++i) expected += "d" + std::to_string(i) + "\r\n";
  EXPECT_EQ(std::string(sz), expected);
  EXPECT_EQ(n, static_cast<int>(expected.size()));
  // The footer of the detailed view is not part of the text.
  EXPECT_EQ(expected.find("Shift"), std::string::npos);
}

TEST(MakeChartText, FullLinesFitTheBuffer) {
  static ChartRecord chart;
  ResetChartRecord(&chart);
  for (auto& line : chart.szHeader) memset(line, 'h', kLineLong - 1);
  for (auto& line : chart.szDetail) memset(line, 'd', kLineDetail - 1);
  char sz[kChartTextSize];
  EXPECT_EQ(MakeChartText(sz, sizeof sz, chart), 26 + 4 * 201 + 2 + 14 * 101);
  // A short buffer is cut without splitting a double-byte character.
  strcpy(chart.szHeader[0], "太陽");
  char szShort[30];
  EXPECT_EQ(MakeChartText(szShort, sizeof szShort, chart), 29);
  EXPECT_EQ(std::string(szShort), "\r\n[ Horomira 5.4.0.2 ]\r\n\r\n太 ");
}

TEST(PlaceTable, RowsAndNames) {
  EXPECT_EQ(kPlaceTable[kNumPlaces].szText, nullptr);
  for (int i = 0; i < kNumPlaces; ++i) {
    ASSERT_NE(kPlaceTable[i].szText, nullptr) << i;
    EXPECT_EQ(FindPlace(kPlaceTable[i].szText), i) << "names are unique";
  }
  EXPECT_STREQ(kPlaceTable[kDefaultPlaceRow].szText, "東京都");
  EXPECT_DOUBLE_EQ(PlaceLatitude(kPlaceTable[kDefaultPlaceRow]), 35.65);
  EXPECT_DOUBLE_EQ(PlaceLongitude(kPlaceTable[kDefaultPlaceRow]), 139.75);
  EXPECT_STREQ(kPlaceTable[97].szText, "フィンランド－ﾍﾙｼﾝｷ");
  // Hakodate lies south of the other Hokkaido towns.
  EXPECT_NEAR(PlaceLatitude(kPlaceTable[7]), 41.7667, 1e-4);
}

// The foreign rows against the cities' reference coordinates (degrees,
// north and east positive, city centres).  The list gives whole minutes of
// a principal point, so 0.1 degree (about 10 km) is allowed.
TEST(PlaceTable, ForeignRowsLieWhereTheirCitiesAre) {
  const struct {
    int iRow;
    double dLat, dLong;
  } kCities[] = {
      {83, 46.633, 142.783},  // Korsakov (Sakhalin)
      {84, 43.117, 131.900},  // Vladivostok
      {85, 39.905, 116.391},  // Beijing
      {86, 41.796, 123.429},  // Shenyang
      {87, 39.019, 125.738},  // Pyongyang
      {88, 37.566, 126.978},  // Seoul
      {89, 31.230, 121.474},  // Shanghai
      {90, 22.320, 114.170},  // Hong Kong
      {91, 16.800, 96.160},   // Yangon
      {92, 14.599, 120.984},  // Manila
      {93, 13.754, 100.502},  // Bangkok
      {94, 10.823, 106.630},  // Ho Chi Minh City
      {95, 1.290, 103.852},   // Singapore
      {96, -6.175, 106.827},  // Jakarta, south of the equator
      {97, 60.170, 24.938},   // Helsinki
  };
  for (const auto& c : kCities) {
    const PlaceRow& row = kPlaceTable[c.iRow];
    EXPECT_NEAR(PlaceLatitude(row), c.dLat, 0.1) << row.szText;
    EXPECT_NEAR(PlaceLongitude(row), c.dLong, 0.1) << row.szText;
  }
  EXPECT_EQ(sizeof kCities / sizeof kCities[0], static_cast<size_t>(kNumPlaces - 83)) << "every foreign row";
}

TEST_F(ChartText, PlaceFromTheList) {
  BirthRecord rec{};
  const int iRow = FindPlace("札幌");
  ASSERT_EQ(iRow, 3);
  EXPECT_EQ(FindPlace("   札幌"), 3);
  EXPECT_EQ(FindPlace("札"), -1);
  SetPlaceFromRow(&rec, iRow);
  EXPECT_STREQ(rec.szBirthPlace, "札幌");
  EXPECT_DOUBLE_EQ(rec.dBirthLat, 43.0 + 4.0 / 60.0);
  EXPECT_DOUBLE_EQ(rec.dBirthLong, 141.0 + 21.0 / 60.0);
}

TEST_F(ChartText, TypedPlace) {
  BirthRecord rec{};
  ASSERT_EQ(SetTypedPlace(nullptr, &rec, 35.5, -70.0), 1);
  EXPECT_STREQ(rec.szBirthPlace, "+35.5000 : -70.0000");
  const double dLong = rec.dBirthLong;  // packed record: copied, not bound
  EXPECT_EQ(dLong, -70.0);
  EXPECT_EQ(SetTypedPlace(nullptr, &rec, 90.0001, 0.0), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "無効な経緯度");
  EXPECT_EQ(Boxes()[0].title, "+90.0001 : +0.0000");
  EXPECT_STREQ(rec.szBirthPlace, "+35.5000 : -70.0000");
  EXPECT_EQ(SetTypedPlace(nullptr, &rec, 0.0, std::nan("")), 0);
  EXPECT_EQ(SetTypedPlace(nullptr, &rec, 90.0, 180.0), 1);
}

// Seconds rounded to what a text shows never read 60: they carry into the
// minute and the degree, but not out of the sign.
TEST(RoundAngleForDisplay, NeverSixtySeconds) {
  struct Case {
    int deg, min;
    float sec;
    int iDecimals;
    int deg2, min2;
    float sec2;
  };
  const Case cases[] = {
      {14, 1, 59.996f, 2, 14, 2, 0.0f},  {14, 1, 59.994f, 2, 14, 1, 59.99f}, {14, 59, 59.97f, 1, 15, 0, 0.0f},
      {29, 59, 59.996f, 2, 29, 59, 59.99f}, {29, 59, 59.6f, 0, 29, 59, 59.0f}, {3, 7, 12.344f, 2, 3, 7, 12.34f},
  };
  for (const Case& c : cases) {
    Angle a{0.0, 4, c.deg, c.min, c.sec};
    RoundAngleForDisplay(&a, c.iDecimals);
    EXPECT_EQ(a.deg, c.deg2);
    EXPECT_EQ(a.min, c.min2);
    EXPECT_NEAR(a.sec, c.sec2, 1e-4);
    EXPECT_EQ(a.sign, 4);
  }
}

}  // namespace

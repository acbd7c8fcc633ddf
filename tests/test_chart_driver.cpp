// The chart driver: titles, labels, moments, Pluto's period, the progressed
// chart, the pole, the ingress charts and the golden natal chart.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "base/angles.h"
#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "chart/houses.h"
#include "chart/places.h"
#include "test_support.h"
#include "time/sidereal.h"
#include "time/timescale.h"

namespace {

// The golden person: born in Tokyo on 1990-05-17 at 14:23 JST.
BirthRecord Person(const char* szName = "山田花子", DateTime t = DateTime{1990, 5, 17, 14, 23, 0.0}) {
  BirthRecord rec{};
  rec.iDataNo = 0;
  rec.time = t;
  snprintf(rec.szName, sizeof rec.szName, "%s", szName);
  SetPlaceFromRow(&rec, kDefaultPlaceRow);
  rec.bTimeKnown = 1;
  rec.dwMagic = kRecordMagic;
  return rec;
}

BirthRecord At(const BirthRecord& natal, DateTime t) {
  BirthRecord target = natal;
  target.time = t;
  return target;
}

class ChartDriver : public BoxTest {
 protected:
  void SetUp() override {
    BoxTest::SetUp();
    ResetChartRecord(&chart);
  }
  void Chart(const BirthRecord& target, const BirthRecord& natal, int iKind, int iAge = 0,
             double dHarmonic = 1.0, int iOrigin = kOriginOrdinary) {
    EXPECT_EQ(HoromiraMain(target, natal, &chart, iKind, iAge, dHarmonic, iOrigin, &pd), 0);
  }
  static std::string Trimmed(const char* sz) {
    std::string s(sz);
    return s.substr(0, s.find_last_not_of(' ') + 1);
  }
  static ChartRecord chart;
  PositionData pd{};
};
ChartRecord ChartDriver::chart;

TEST_F(ChartDriver, NatalTexts) {
  const BirthRecord natal = Person();
  Chart(natal, natal, kChartNatal);
  EXPECT_STREQ(chart.szTitle, "山田花子: 出生図 ");
  EXPECT_STREQ(chart.szSubtitle, "出生図 基音");
  EXPECT_EQ(Trimmed(chart.szHeader[0]), "山田花子 － ネイタル基音(0歳)");
  EXPECT_EQ(Trimmed(chart.szHeader[1]), "  日本時間 1990年 5月17日 14時23分00秒0");
  EXPECT_EQ(Trimmed(chart.szHeader[2]), "  出生地  東京都");
  EXPECT_STREQ(chart.szTimeLine, " 1990年 5月17日 14時23分00秒");
  EXPECT_STREQ(chart.szPlaceLine, " 出生地  東京都");
  EXPECT_STREQ(chart.szBornLine, " 1990年 5月17日 14時23分00秒 東京都 生まれ");
  EXPECT_EQ(Trimmed(chart.szTime[1]), "タイムゾーン :  UT +9.000時間");
  EXPECT_EQ(chart.wKind, kChartNatal);
  EXPECT_EQ(chart.fHarmonic, 1.0f);
  EXPECT_EQ(chart.iHouseMode, 1);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ChartDriver, LinesAreFittedAndFootersKept) {
  const BirthRecord natal = Person();
  Chart(natal, natal, kChartNatal);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(strlen(chart.szHeader[i]), 70u) << i;
  for (int i = 0; i < 14; ++i) EXPECT_EQ(strlen(chart.szTime[i]), 70u) << i;
  EXPECT_EQ(Trimmed(chart.szTime[0]), "［測地系と時刻系］");
  EXPECT_STREQ(chart.szTime[14], "                 ﾁｬｰﾄ [Shift]+[C]    位置ﾃﾞｰﾀ [Shift]+[D]");
  EXPECT_STREQ(chart.szDetail[14], "                 ﾁｬｰﾄを表示するには [Shift]+[C] を押してください ...");
  EXPECT_TRUE(ChartRecordIntact(chart));
}

TEST_F(ChartDriver, HarmonicLabelsAndLongitudes) {
  const BirthRecord natal = Person();
  Chart(natal, natal, kChartNatal, 0, 5.0);
  EXPECT_STREQ(chart.szSubtitle, "出生図 第5倍音");
  EXPECT_STREQ(chart.szTitle, "山田花子: 出生図 第5倍音");
  for (int i = 0; i < kNumChartPoints; ++i) {
    EXPECT_NEAR(chart.dLong[i], Normalize360(pd.dLong[i] * 5.0), 1e-9) << i;
  }
  const double dCusp1 = chart.dCusp[0];
  EXPECT_NEAR(dCusp1, pd.dLong[Asc], 1e-12);  // cusps are not multiplied

  Chart(natal, natal, kChartNatal, 0, 2.5);
  EXPECT_STREQ(chart.szSubtitle, "出生図 第+2.500000倍音");
  EXPECT_EQ(chart.fHarmonic, 2.5f);

  // The autumnal equinox chart puts the Sun at exactly 180°: times 5 it
  // stands at 900° = 180° too; the summer solstice Sun at 90° x 5 = 90°.
  const BirthRecord season = Person("夏至図");
  Chart(season, season, kChartTransit, 0, 5.0, kOriginSummer);
  EXPECT_EQ(chart.dLong[Sun], 90.0);
}

TEST_F(ChartDriver, SunAtOneHundredDegreesTimesFive) {
  // Sun at 100° in 1990: about 1990-07-02.  A harmonic of 5 stores 140°.
  const BirthRecord natal = Person();
  Chart(At(natal, {1990, 7, 2, 12, 0, 0.0}), natal, kChartTransit, 0, 5.0);
  const double dSun = pd.dLong[Sun];
  EXPECT_NEAR(dSun, 100.0, 0.5);
  EXPECT_NEAR(chart.dLong[Sun], dSun * 5.0 - 360.0, 1e-9);
  EXPECT_NEAR(chart.dLong[Sun], 140.0, 2.5);
}

TEST_F(ChartDriver, AgeTexts) {
  const BirthRecord natal = Person();
  Chart(At(natal, {2000, 5, 16, 0, 0, 0.0}), natal, kChartTransit);
  EXPECT_STREQ(chart.szTitle, "ﾄﾗﾝｼﾞｯﾄ ");
  EXPECT_STREQ(chart.szSubtitle, "下記時刻に対する基音(9歳)");
  EXPECT_EQ(Trimmed(chart.szHeader[0]), "山田花子 － トランジット基音(9歳)");
  EXPECT_STREQ(chart.szPlaceLine, " 経過地  東京都");
  Chart(At(natal, {2000, 5, 17, 0, 0, 0.0}), natal, kChartTransit);
  EXPECT_STREQ(chart.szSubtitle, "下記時刻に対する基音(10歳)");

  Chart(natal, natal, kChartTransit, 0, 1.0, kOriginHorary);
  EXPECT_STREQ(chart.szSubtitle, "下記時刻に対する基音");
  for (int iOrigin = kOriginVernal; iOrigin <= kOriginWinter; ++iOrigin) {
    Chart(natal, natal, kChartTransit, 0, 1.0, iOrigin);
    EXPECT_EQ(Trimmed(chart.szHeader[0]), "山田花子 － トランジット基音");
  }
  // Other origin codes are ordinary charts.
  Chart(natal, natal, kChartTransit, 0, 1.0, 24000);
  EXPECT_STREQ(chart.szSubtitle, "下記時刻に対する基音(0歳)");
}

TEST_F(ChartDriver, SolarReturnTexts) {
  const BirthRecord natal = Person();
  BirthRecord target = At(natal, {2020, 5, 16, 20, 41, 7.0});
  snprintf(target.szBirthPlace, sizeof target.szBirthPlace, "札幌");
  Chart(target, natal, kChartTransit, 30);
  EXPECT_STREQ(chart.szTitle, "山田花子: ﾘﾀｰﾝ ");
  EXPECT_STREQ(chart.szSubtitle, "★ 30歳のｿｰﾗｰﾘﾀｰﾝ図 : 基音");
  EXPECT_EQ(Trimmed(chart.szHeader[0]), "山田花子 － ソーラーリターン : 30.0歳(回帰年)");
  EXPECT_STREQ(chart.szPlaceLine, " 回帰地  札幌");
  EXPECT_STREQ(chart.szBornLine, " 1990年 5月17日 14時23分00秒 東京都 生まれ");
  EXPECT_EQ(chart.iReturnAge, 30);
}

TEST_F(ChartDriver, ProgressedChartOfAHundredYears) {
  const BirthRecord natal = Person();
  const long double ldJdBirth = DateToJd(natal.time, 9.0f);
  DateTime t;
  JdToDate(ldJdBirth + 36524.219L + kJstZoneDays, &t);
  Chart(At(natal, t), natal, kChartProgressed);
  EXPECT_NEAR(static_cast<double>(chart.ldJd - ldJdBirth), 100.0, 1e-6);
  EXPECT_STREQ(chart.szTitle, "山田花子: ﾌﾟﾛｸﾞﾚｽ ");
  EXPECT_STREQ(chart.szPlaceLine, " 進行地  東京都");
  // The time line is the real moment; the report shows the progressed one.
  EXPECT_STREQ(chart.szTimeLine, " 2090年 5月16日 19時38分22秒");
  EXPECT_EQ(Trimmed(chart.szTime[1]), "★ 1太陽日 for 1回帰年 (厳密な1日1年法)");
  EXPECT_EQ(Trimmed(chart.szTime[2]), "出生時刻             日本時間 1990年 5月17日 14時23分00秒0");
  EXPECT_EQ(Trimmed(chart.szTime[3]), "ユリウス日 (UT)       2448028.724306");
  EXPECT_EQ(Trimmed(chart.szTime[4]), "");
  EXPECT_EQ(Trimmed(chart.szTime[5]), "ﾌﾟﾛｸﾞﾚｽ計算の実時刻  日本時間 2090年 5月16日 19時38分21秒6");
  EXPECT_EQ(Trimmed(chart.szTime[8]), "経過した実時間         +36524.219000日 = +100.000000回帰年");
  EXPECT_EQ(Trimmed(chart.szTime[9]), "    ★ 生まれてから何日たったかです");
  EXPECT_EQ(Trimmed(chart.szTime[11]), "ﾁｬｰﾄ上の進行時間         +100.000000日");
  EXPECT_EQ(Trimmed(chart.szTime[12]), "対応する仮想時刻     日本時間 1990年 8月25日 14時23分00秒0");
  EXPECT_EQ(Trimmed(chart.szTime[13]), "ユリウス日 (UT)       2448128.724306");
}

TEST_F(ChartDriver, PlutoOnlyInItsPeriod) {
  const BirthRecord natal = Person();
  Chart(At(natal, {2100, 1, 1, 0, 0, 0.0}), natal, kChartTransit);
  EXPECT_EQ(chart.dLong[Pluto], -1.0);
  EXPECT_EQ(Trimmed(chart.szShort[Pluto]), " 計算可能期間外");
  EXPECT_EQ(strlen(chart.szShort[Pluto]), strlen(chart.szShort[Sun]));
  EXPECT_EQ(Trimmed(chart.szDetail[Pluto]), " 冥王星 計算可能期間外");
  EXPECT_EQ(strlen(chart.szDetail[Pluto]), strlen(chart.szDetail[Sun]));
  EXPECT_NE(chart.dLong[Neptune], -1.0);

  Chart(At(natal, {2099, 12, 31, 23, 59, 0.0}), natal, kChartTransit);
  EXPECT_GE(chart.dLong[Pluto], 0.0);
  EXPECT_TRUE(Contains(chart.szDetail[Pluto], "冥王星"));
  Chart(At(natal, {1884, 12, 31, 0, 0, 0.0}), natal, kChartTransit);
  EXPECT_EQ(chart.dLong[Pluto], -1.0);
}

TEST_F(ChartDriver, PoleChartCompletesWithItsWarning) {
  BirthRecord natal = Person();
  natal.dBirthLat = 90.0;
  chart.iHouseMode = 1;
  chart.dCusp[3] = 123.0;
  Chart(natal, natal, kChartNatal);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "極点でのｱｾﾝﾀﾞﾝﾄを求めようとした");
  EXPECT_EQ(Boxes()[0].title, "");
  EXPECT_EQ(Boxes()[0].style, static_cast<unsigned>(kMbOk | kMbIconWarning));
  EXPECT_EQ(chart.dLong[Asc], 0.0);
  EXPECT_EQ(chart.dCusp[3], 123.0);  // the houses of the previous computation stay
  EXPECT_NEAR(chart.dLong[Sun], 56.058, 1e-3);
  EXPECT_TRUE(Contains(chart.szDetail[Moon], "みずがめ"));
}

// 12:00:59.99999999 is no leap second: the chart stands where the one of
// 12:01:00 stands, not a second later.
TEST_F(ChartDriver, TheLastFractionOfASecondIsNoLeapSecond) {
  const BirthRecord natal = Person();
  Chart(At(natal, {2000, 1, 1, 12, 1, 0.0}), natal, kChartTransit);
  const long double ldJde = chart.ldJde;
  Chart(At(natal, {2000, 1, 1, 12, 0, 59.99999999}), natal, kChartTransit);
  EXPECT_NEAR(static_cast<double>((chart.ldJde - ldJde) * 86400.0L), 0.0, 1e-6);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ChartDriver, AbnormalLatitudeIsReportedAndTheChartCompleted) {
  BirthRecord natal = Person();
  natal.dBirthLat = 91.0;
  Chart(natal, natal, kChartNatal);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, "Abnormal Lati 91.000000");
  EXPECT_EQ(Boxes()[1].text, "!GetAscEx ErrorCode=-1");
  EXPECT_NEAR(chart.dLong[Sun], 56.058, 1e-3);
}

TEST_F(ChartDriver, HighLatitudeKeepsEqualHouses) {
  BirthRecord natal = Person();
  SetPlaceFromRow(&natal, FindPlace("フィンランド－ﾍﾙｼﾝｷ"));
  Chart(natal, natal, kChartNatal);
  EXPECT_EQ(chart.iHouseMode, 0);
  EXPECT_DOUBLE_EQ(chart.dCusp[1], chart.dCusp[0] + 30.0);
}

// At 75° S the semi-arcs of this moment do not exist: equal houses from
// the ASC, and choosing Placidus shows the high-latitude box.
TEST_F(ChartDriver, FarSouthFallsBackToEqualHousesWithTheirBox) {
  BirthRecord natal = Person();
  natal.time = DateTime{2000, 1, 1, 12, 0, 0.0};
  natal.dBirthLat = -75.0;
  natal.dBirthLong = 0.0;
  Chart(natal, natal, kChartNatal);
  EXPECT_EQ(chart.iHouseMode, 0);
  EXPECT_DOUBLE_EQ(chart.dCusp[3], chart.dCusp[0] + 90.0);
  int iHouseType = kHouseTypeEqualAsc;
  EXPECT_EQ(ChooseHouseType(nullptr, chart, kCmdHousePlacidus, &iHouseType), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].title, "高緯度の特例");
  natal.dBirthLat = -65.0;
  Chart(natal, natal, kChartNatal);
  EXPECT_EQ(chart.iHouseMode, 1);
}

TEST_F(ChartDriver, SeasonChartsPutTheSunOnItsPoint) {
  BirthRecord rec = Person("秋分図", {2024, 9, 22, 21, 43, 40.0});
  Chart(rec, rec, kChartTransit, 0, 1.0, kOriginAutumnal);
  EXPECT_EQ(chart.dLong[Sun], 180.0);
  EXPECT_EQ(Trimmed(chart.szShort[Sun]), " てんびん  0°00′00″");
  EXPECT_TRUE(Contains(chart.szDetail[Sun], "てんびん   0° 0′00.0″= 180.000000°"));
  EXPECT_STREQ(chart.szTitle, "ﾄﾗﾝｼﾞｯﾄ ");
  Chart(rec, rec, kChartTransit, 0, 1.0, kOriginVernal);
  EXPECT_EQ(chart.dLong[Sun], 0.0);
  Chart(rec, rec, kChartTransit, 0, 1.0, kOriginWinter);
  EXPECT_EQ(chart.dLong[Sun], 270.0);
}

TEST_F(ChartDriver, RecomputesFromItsOwnCopies) {
  // The time-step commands pass the chart's own natal copy back in.
  const BirthRecord natal = Person();
  Chart(natal, natal, kChartNatal);
  const double dMoon = chart.dLong[Moon];
  BirthRecord target = chart.target;
  target.time.hour += 1;
  EXPECT_EQ(HoromiraMain(target, chart.natal, &chart, kChartTransit, 0, 1.0, 0, nullptr), 0);
  EXPECT_STREQ(chart.natal.szName, "山田花子");
  EXPECT_NEAR(chart.dLong[Moon] - dMoon, 0.54, 0.1);  // the Moon moves about 0.5° an hour
}

TEST_F(ChartDriver, UnterminatedNamesAreCut) {
  BirthRecord natal = Person();
  memset(natal.szName, 'A', sizeof natal.szName);
  memset(natal.szBirthPlace, 'B', sizeof natal.szBirthPlace);
  Chart(natal, natal, kChartNatal);
  EXPECT_EQ(std::string(chart.szTitle), std::string(54, 'A') + ": 出生図 ");
  EXPECT_EQ(Trimmed(chart.szPlaceLine), " 出生地  " + std::string(54, 'B'));
  EXPECT_TRUE(ChartRecordIntact(chart));
}

TEST_F(ChartDriver, ExtendedReportWithPlacidusCusps) {
  const BirthRecord natal = Person();
  Chart(natal, natal, kChartNatal);
  char sz[kExtendedReportSize];
  const int n = MakeExtendedReport(sz, sizeof sz, chart);
  const std::string s(sz, n);
  const std::string head = "[ プラシーダス・ハウスシステム ]\r\n" + std::string(chart.szTime[9]) + "\r\n" +
                           chart.szTime[13] + "\r\n   第 1室カスプ:\r\n  てんびん   4°16′59.1″= 184.283097°\r\n";
  EXPECT_EQ(s.substr(0, head.size()), head);
  EXPECT_TRUE(Contains(s, "   第12室カスプ:\r\n  おとめ　   7°40′08.9″= 157.669135°\r\n\r\n\r\n"
                          " 1990年 5月17日 14時23分00秒JST\r\n\r\n  ドラゴンヘッド ( True Node ) 310.246\r\n"));
  EXPECT_TRUE(Contains(s, "  ドラゴンヘッド ( Mean Node ) 311.2"));
  EXPECT_TRUE(Contains(s, "地心視黄経および視黄緯\r\n  Vapp =  +318.8702    Uapp ="));
  EXPECT_TRUE(Contains(s, "速度 ( degree / day TDT)\r\n  Vdot =   +12.8"));
  EXPECT_EQ(s.substr(s.size() - 2), "\r\n");

  // The summary panel's copy of the time line is preferred when painted.
  snprintf(chart.szPanel[2], kLineLong, "PANEL");
  MakeExtendedReport(sz, sizeof sz, chart);
  EXPECT_TRUE(Contains(sz, "\r\nPANELJST\r\n"));
}

TEST_F(ChartDriver, ExtendedReportAtHighLatitude) {
  BirthRecord natal = Person();
  natal.dBirthLat = 65.0;
  Chart(natal, natal, kChartNatal);
  char sz[kExtendedReportSize];
  MakeExtendedReport(sz, sizeof sz, chart);
  EXPECT_EQ(std::string(sz).rfind("この緯度ではプラシーダス方式のハウスはサポートされません。\r\n\r\n\r\n 1990年", 0), 0u);
}

TEST_F(ChartDriver, ExtendedReportNeedsAChart) {
  char sz[kExtendedReportSize] = "x";
  EXPECT_EQ(MakeExtendedReport(sz, sizeof sz, chart), 0);
  EXPECT_STREQ(sz, "");
  EXPECT_STREQ(kExtendedReportNoData, "拡張データⅡ");
}

// The whole clipboard text of a natal chart, byte for byte.  Its positions
// were checked against Swiss Ephemeris 2.10 (DE431 files) at the same JDE:
// Sun -0.05", Moon -0.16", Mercury..Neptune within 0.5", Pluto -2.0",
// Placidus cusps -0.05".  HORO_WRITE_GOLDEN=1 rewrites the file.
TEST_F(ChartDriver, GoldenNatalChart) {
  const BirthRecord natal = Person();
  Chart(natal, natal, kChartNatal);
  char szText[kChartTextSize];
  const int n = MakeChartText(szText, sizeof szText, chart);
  const std::string path = std::string(HORO_TEST_DATA_DIR) + "/natal_golden.txt";
  if (getenv("HORO_WRITE_GOLDEN")) {
    std::ofstream(path, std::ios::binary).write(szText, n);
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in.good()) << path;
  std::stringstream golden;
  golden << in.rdbuf();
  EXPECT_EQ(std::string(szText, n), golden.str());
}

}  // namespace

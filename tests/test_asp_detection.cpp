// Aspects: classification, detection, sorting, the list text and the
// aspect reading.
#include <cstring>
#include <string>

#include "readings/readings.h"
#include "test_support.h"

namespace {

// The ten bodies in detection order.
constexpr int kBodies[10] = {Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto};

// A computed chart whose ten bodies stand at the given longitudes.
ChartRecord ChartWithBodies(const double (&dLongs)[10]) {
  ChartRecord c{};
  c.ldJde = 2451545.0L;
  c.fHarmonic = 1.0f;
  for (int i = 0; i < 10; ++i) c.dLong[kBodies[i]] = dLongs[i];
  c.dLong[Asc] = 100.0;  // never part of an aspect
  return c;
}

// Bodies 6 degrees apart over 54 degrees: with orb 5 no pair matches, and
// the 30-degree pairs show that 30 is never an aspect.
constexpr double kNoAspects[10] = {0, 6, 12, 18, 24, 30, 36, 42, 48, 54};

AspectEntry Entry(int iFirst, int iSecond, int iCode, float fDeviation = 0.0f) {
  return AspectEntry{static_cast<uint8_t>(iFirst), static_cast<uint8_t>(iSecond),
                     static_cast<uint8_t>(iCode), static_cast<uint8_t>(fDeviation), fDeviation};
}

class AspectTest : public BoxTest {};

TEST_F(AspectTest, ClassificationBoundsAndKinds) {
  float fDev = -1.0f;
  uint8_t bStrength = 99;
  // Both bounds of the window are inside; just beyond is outside.
  EXPECT_EQ(GetAspectCode(65.0f, 5.0f, &fDev, &bStrength), kAspectSextile);
  EXPECT_FLOAT_EQ(fDev, 5.0f);
  EXPECT_EQ(bStrength, 5);
  EXPECT_EQ(GetAspectCode(55.0f, 5.0f, &fDev, &bStrength), kAspectSextile);
  EXPECT_EQ(GetAspectCode(65.01f, 5.0f, &fDev, &bStrength), kAspectNone);
  EXPECT_EQ(GetAspectCode(54.99f, 5.0f, &fDev, &bStrength), kAspectNone);

  EXPECT_EQ(GetAspectCode(0.0f, 5.0f, &fDev, &bStrength), kAspectConjunction);
  EXPECT_EQ(fDev, 0.0f);
  EXPECT_EQ(bStrength, 0);
  // 30 degrees is never tried; 150 is a quincunx.
  EXPECT_EQ(GetAspectCode(30.0f, 10.0f, &fDev, &bStrength), kAspectNone);
  EXPECT_EQ(GetAspectCode(150.0f, 5.0f, &fDev, &bStrength), kAspectQuincunx);
  EXPECT_EQ(GetAspectCode(92.5f, 5.0f, &fDev, &bStrength), kAspectSquare);
  EXPECT_EQ(bStrength, 2);
  EXPECT_EQ(GetAspectCode(118.0f, 5.0f, &fDev, &bStrength), kAspectTrine);
  // Orb 10 at 175: past the quincunx window, an opposition 5 degrees off.
  EXPECT_EQ(GetAspectCode(175.0f, 10.0f, &fDev, &bStrength), kAspectOpposition);
  EXPECT_FLOAT_EQ(fDev, 5.0f);
  EXPECT_EQ(bStrength, 5);
  // Overlapping windows: the smaller angle wins.
  EXPECT_EQ(GetAspectCode(75.0f, 15.0f, &fDev, &bStrength), kAspectSextile);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(AspectTest, DistanceOutOfRangeIsReportedAsNoAspect) {
  float fDev = 0.0f;
  uint8_t bStrength = 0;
  EXPECT_EQ(GetAspectCode(180.5f, 5.0f, &fDev, &bStrength), kAspectNone);
  EXPECT_EQ(GetAspectCode(-0.5f, 5.0f, &fDev, &bStrength), kAspectNone);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].lines[2], "GetAspectCode");
  EXPECT_EQ(Boxes()[0].lines[3], "エラーの種類: OOR/distance");
}

TEST_F(AspectTest, DetectionFoldsDistancesAndSkipsPlutoOutOfPeriod) {
  // Sun at 359.5 and Moon at 0.5: 359 apart, folded to a 1-degree conjunction.
  const double d[10] = {359.5, 0.5, 12, 18, 24, 30, 36, 42, 48, 54};
  ChartRecord c = ChartWithBodies(d);
  AspectEntry e[kAspectCapacity];
  ASSERT_EQ(DetectAspects(c, e, kAspectCapacity, 5.0f), 1);
  EXPECT_EQ(e[0].bFirst, Sun);
  EXPECT_EQ(e[0].bSecond, Moon);
  EXPECT_EQ(e[0].bCode, kAspectConjunction);
  EXPECT_EQ(e[0].bStrength, 1);
  EXPECT_FLOAT_EQ(e[0].fDeviation, 1.0f);

  // Every body on one point, Pluto outside its period: the 36 pairs of the
  // nine others only, none with Pluto and none with the Ascendant.
  const double dAll[10] = {10, 10, 10, 10, 10, 10, 10, 10, 10, -1.0};
  c = ChartWithBodies(dAll);
  c.dLong[Asc] = 10.0;
  const int n = DetectAspects(c, e, kAspectCapacity, 5.0f);
  EXPECT_EQ(n, 36);
  for (int i = 0; i < n; ++i) {
    EXPECT_NE(e[i].bSecond, Pluto);
    EXPECT_NE(e[i].bFirst, Asc);
    EXPECT_NE(e[i].bSecond, Asc);
  }
  // Pairs come in chart-point order: (Sun, Moon), (Sun, Mercury) ...
  EXPECT_EQ(e[1].bFirst, Sun);
  EXPECT_EQ(e[1].bSecond, Mercury);
  EXPECT_EQ(e[8].bFirst, Moon);
  EXPECT_EQ(e[8].bSecond, Mercury);
}

TEST_F(AspectTest, NoChartNoOrbAndFullArray) {
  AspectEntry e[kAspectCapacity];
  ChartRecord c = ChartWithBodies(kNoAspects);
  EXPECT_EQ(DetectAspects(c, e, kAspectCapacity, 5.0f), 0);
  const double dAll[10] = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
  ChartRecord none = ChartWithBodies(dAll);
  none.ldJde = 0.0L;
  EXPECT_EQ(DetectAspects(none, e, kAspectCapacity, 5.0f), 0);

  // An orb of 0 (or below) behaves as 3 degrees.
  // Bodies 4 degrees apart over 36 degrees, the Moon 2.9 from the Sun.
  double d[10] = {200.0, 202.9};
  for (int i = 2; i < 10; ++i) d[i] = 200.0 + 4.0 * i;
  c = ChartWithBodies(d);
  for (float fOrb : {0.0f, -1.0f}) {
    ASSERT_EQ(DetectAspects(c, e, kAspectCapacity, fOrb), 1);
    EXPECT_EQ(e[0].bSecond, Moon);
  }
  d[1] = d[0] + 3.1;
  c = ChartWithBodies(d);
  EXPECT_EQ(DetectAspects(c, e, kAspectCapacity, 0.0f), 0);

  // Ten bodies on one point give 45 entries; an array of 10 fills up, the
  // box says so and capacity - 1 is returned.
  c = ChartWithBodies(dAll);
  EXPECT_EQ(DetectAspects(c, e, kAspectCapacity, 5.0f), 45);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(DetectAspects(c, e, 10, 5.0f), 9);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].kind, "AppOkMsg");
  EXPECT_EQ(Boxes()[0].lines[0], "オーブが大きすぎる");
  EXPECT_EQ(Boxes()[0].lines[1], "設定のオーブではアスペクトの数が多すぎて");
  EXPECT_EQ(Boxes()[0].lines[2], "すべてのデータを書き込めません。アスペクト");
  EXPECT_EQ(Boxes()[0].lines[3], "の検出作業を途中で打ち切ります。");
}

TEST_F(AspectTest, SortedByDeviationWithWholeEntriesMoving) {
  // A spread of aspects with distinct deviations.
  const double d[10] = {0, 122.25, 1.5, 184.0, 93.0, 300.5, 240.0, 330.0, 58.0, 211.0};
  ChartRecord c = ChartWithBodies(d);
  AspectEntry e[kAspectCapacity];
  const int n = DetectAspects(c, e, kAspectCapacity, 10.0f);
  ASSERT_GT(n, 5);
  ASSERT_LE(n, 45);
  AspectEntry sorted[kAspectCapacity];
  memcpy(sorted, e, sizeof e);
  SortAspectsByOrb(sorted, n);
  for (int i = 1; i < n; ++i) EXPECT_LE(sorted[i - 1].fDeviation, sorted[i].fDeviation);
  // Every entry is still there whole: its pair, code and strength class agree.
  for (int i = 0; i < n; ++i) {
    bool bFound = false;
    for (int j = 0; j < n; ++j) bFound = bFound || memcmp(&sorted[i], &e[j], sizeof(AspectEntry)) == 0;
    EXPECT_TRUE(bFound) << i;
    EXPECT_EQ(sorted[i].bStrength, static_cast<int>(sorted[i].fDeviation));
  }
}

TEST_F(AspectTest, LineFormatAndStrengthWords) {
  EXPECT_STREQ(FormatAspectLine(Entry(Sun, Moon, kAspectTrine, 2.25f)),
               "太陽と月がトライン (オーブ 2.25)\r\n");
  EXPECT_STREQ(FormatAspectLine(Entry(Sun, Moon, kAspectConjunction, 0.0f)),
               "太陽と月が非常に強い合 (オーブ 0.00)\r\n");
  EXPECT_STREQ(FormatAspectLine(Entry(Venus, Mars, kAspectSquare, 1.5f)),
               "金星と火星が強いスクェア (オーブ 1.50)\r\n");
  EXPECT_STREQ(FormatAspectLine(Entry(Neptune, Pluto, kAspectSextile, 3.0f)),
               "海王星と冥王星が弱いセクスタイル (オーブ 3.00)\r\n");
  EXPECT_STREQ(FormatAspectLine(Entry(Mercury, Uranus, kAspectOpposition, 9.75f)),
               "水星と天王星がごく弱い衝 (オーブ 9.75)\r\n");
  EXPECT_STREQ(FormatAspectLine(Entry(Moon, Saturn, kAspectQuincunx, 10.0f)),
               "月と土星がごく弱いクィンカンクス (オーブ10.00)\r\n");
}

const char kHint[] = "\r\n\r\n\r\nオーブの設定を変えるにはメニューの[設定 - オーブ]を使ってください";

TEST_F(AspectTest, ListTextAndItsFailures) {
  char sz[4096];
  ASSERT_EQ(ListAspects(nullptr, 0, sz, sizeof sz), 1);
  EXPECT_EQ(std::string(sz), std::string("設定のオーブではアスペクトがありません\r\n") + kHint);

  // A chart with no pair within the orb lists the same.
  AspectEntry e[kAspectCapacity];
  const int n0 = DetectAspects(ChartWithBodies(kNoAspects), e, kAspectCapacity, 5.0f);
  ASSERT_EQ(ListAspects(e, n0, sz, sizeof sz), 1);
  EXPECT_EQ(std::string(sz), std::string("設定のオーブではアスペクトがありません\r\n") + kHint);

  const AspectEntry two[2] = {Entry(Sun, Moon, kAspectTrine, 2.25f), Entry(Mars, Saturn, kAspectSquare, 4.5f)};
  ASSERT_EQ(ListAspects(two, 2, sz, sizeof sz), 1);
  EXPECT_EQ(std::string(sz), std::string("\r\n太陽と月がトライン (オーブ 2.25)\r\n"
                                         "火星と土星がごく弱いスクェア (オーブ 4.50)\r\n") +
                                 kHint);
  EXPECT_TRUE(Boxes().empty());

  EXPECT_EQ(ListAspects(two, 2, nullptr, 100), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[2], "ListAspects");
  EXPECT_EQ(Boxes()[0].lines[3], "エラーの種類: !lpStr");

  // Room for the first line only: it is kept, the text ends with the notice.
  char small[160];
  memset(small, 'x', sizeof small);
  EXPECT_EQ(ListAspects(two, 2, small, sizeof small), 0);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].lines[3], "エラーの種類: データ格納領域が不足");
  EXPECT_EQ(std::string(small), "\r\n太陽と月がトライン (オーブ 2.25)\r\nデータ格納領域が不足");
}

TEST_F(AspectTest, TextNumbers) {
  EXPECT_EQ(AspectTextNumber(Entry(Sun, Moon, kAspectTrine)), 1);
  EXPECT_EQ(AspectTextNumber(Entry(Sun, Moon, kAspectSextile)), 1);
  EXPECT_EQ(AspectTextNumber(Entry(Sun, Moon, kAspectOpposition)), 2);
  EXPECT_EQ(AspectTextNumber(Entry(Sun, Moon, kAspectSquare)), 2);
  EXPECT_EQ(AspectTextNumber(Entry(Sun, Moon, kAspectConjunction)), 3);
  EXPECT_EQ(AspectTextNumber(Entry(Sun, Pluto, kAspectConjunction)), 27);
  EXPECT_EQ(AspectTextNumber(Entry(Moon, Mercury, kAspectTrine)), 28);
  EXPECT_EQ(AspectTextNumber(Entry(Mercury, Venus, kAspectConjunction)), 54);
  EXPECT_EQ(AspectTextNumber(Entry(Neptune, Pluto, kAspectConjunction)), 135);
  // Every quincunx reads text 0, whatever the pair.
  for (int j = 0; j < 10; ++j)
    for (int k = j + 1; k < 10; ++k)
      EXPECT_EQ(AspectTextNumber(Entry(kBodies[j], kBodies[k], kAspectQuincunx)), 0);
  // The 45 pairs fill 1 .. 135 exactly once per kind.
  bool bSeen[kNumAspectTexts] = {};
  for (int j = 0; j < 10; ++j)
    for (int k = j + 1; k < 10; ++k)
      for (int iCode : {kAspectConjunction, kAspectSextile, kAspectSquare}) {
        const int t = AspectTextNumber(Entry(kBodies[j], kBodies[k], iCode));
        ASSERT_GE(t, 1);
        ASSERT_LE(t, 135);
        EXPECT_FALSE(bSeen[t]) << t;
        bSeen[t] = true;
      }
  EXPECT_TRUE(Boxes().empty());

  // An entry naming the Ascendant or a point beyond Pluto has no text.
  EXPECT_EQ(AspectTextNumber(Entry(Sun, Asc, kAspectTrine)), -1);
  EXPECT_EQ(AspectTextNumber(Entry(Pluto, DragonH, kAspectTrine)), -1);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].lines[2], "AspectTextNumber");
  EXPECT_EQ(Boxes()[0].lines[3], "エラーの種類: OOR");
}

const std::string kSeparator = "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-";

TEST_F(AspectTest, ReadingFollowsTheEntriesWithTextsAndSeparators) {
  ASSERT_EQ(kSeparator.size(), 33u);
  EXPECT_EQ(std::string(kAspectSeparator), kSeparator);
  static char sz[32768];
  ASSERT_EQ(MakeAspectText(nullptr, 0, sz, sizeof sz), 1);
  const std::string sHeader = sz;
  EXPECT_EQ(sHeader.rfind("\r\n" + kSeparator + "\r\n  ", 0), 0u);
  EXPECT_EQ(sHeader.substr(sHeader.size() - kSeparator.size() - 4), kSeparator + "\r\n\r\n");

  const AspectEntry e[3] = {Entry(Sun, Moon, kAspectOpposition, 0.5f),
                            Entry(Venus, Mars, kAspectQuincunx, 1.25f),
                            Entry(Neptune, Pluto, kAspectConjunction, 4.0f)};
  ASSERT_EQ(MakeAspectText(e, 3, sz, sizeof sz), 1);
  std::string sExpected = sHeader;
  for (int i = 0; i < 3; ++i) {
    sExpected += std::string("\r\n") + FormatAspectLine(e[i]) + kAspectTexts[AspectTextNumber(e[i])] +
                 "\r\n" + kSeparator + "\r\n";
  }
  EXPECT_EQ(std::string(sz), sExpected);
  EXPECT_TRUE(Contains(sz, "半月または満月の日の生まれ。"));
  EXPECT_TRUE(Contains(sz, "このアスペクト(150度)は比較的最近になって"));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(AspectTest, ReadingFailures) {
  const AspectEntry e[2] = {Entry(Sun, Moon, kAspectTrine, 0.5f), Entry(Sun, Mars, kAspectSquare, 1.0f)};
  EXPECT_EQ(MakeAspectText(e, 2, nullptr, 32768), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "!lpStr:MakeAspectText");
  EXPECT_EQ(Boxes()[0].style & kMbIconMask, static_cast<unsigned>(kMbIconError));

  // Room for the header and one aspect (1000 bytes margin) but not two.
  char sz[1400];
  EXPECT_EQ(MakeAspectText(e, 2, sz, sizeof sz), 0);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].text, "テキストが長すぎるので途中で打ち切ります");
  EXPECT_EQ(Boxes()[1].style & kMbIconMask, static_cast<unsigned>(kMbIconInformation));
  const std::string s = sz;
  EXPECT_TRUE(Contains(s, "太陽と月が非常に強いトライン"));
  EXPECT_FALSE(Contains(s, "太陽と火星"));
  EXPECT_EQ(s.substr(s.size() - strlen(kTextTooLongNotice)), kTextTooLongNotice);

  // 45 aspects with the longest texts fit the program's 32768 bytes.
  static char big[32768];
  AspectEntry all[45];
  int n = 0;
  for (int j = 0; j < 10; ++j)
    for (int k = j + 1; k < 10; ++k) all[n++] = Entry(kBodies[j], kBodies[k], kAspectConjunction, 9.0f);
  EXPECT_EQ(MakeAspectText(all, n, big, sizeof big), 1);
}

}  // namespace

// The zone of each row of the place list.
#include <string>

#include "chart/place_zones.h"
#include "chart/places.h"
#include "test_support.h"
#include "time/zones.h"

namespace {

TEST(PlaceZone, EveryRowHasItsZone) {
  // The foreign rows by their names, so that a row moved in the list is
  // noticed here.
  struct {
    const char* szPlace;
    const char* szTzName;
  } const kForeign[] = {
      {"ロシア－ｺﾙｻｺﾌ(ｻﾊﾘﾝ)", "Asia/Sakhalin"},
      {"ロシア－ｳﾗｼﾞｵｽﾄｯｸ", "Asia/Vladivostok"},
      {"中国－北京", "Asia/Shanghai"},
      {"中国－瀋陽", "Asia/Shanghai"},
      {"中国－平壌", "Asia/Pyongyang"},
      {"中国－京城", "Asia/Seoul"},
      {"中国－上海", "Asia/Shanghai"},
      {"中国－香港", "Asia/Hong_Kong"},
      {"ミャンマー－ﾔﾝｺﾞﾝ", "Asia/Yangon"},
      {"フィリピン－ﾏﾆﾗ", "Asia/Manila"},
      {"タイ－ﾊﾞﾝｺｸ", "Asia/Bangkok"},
      {"ベトナム－ﾎｰﾁﾐﾝ", "Asia/Ho_Chi_Minh"},
      {"シンガポール－ｼﾝｶﾞﾎﾟｰﾙ", "Asia/Singapore"},
      {"インドネシア－ｼﾞｬｶﾙﾀ", "Asia/Jakarta"},
      {"フィンランド－ﾍﾙｼﾝｷ", "Europe/Helsinki"},
  };
  int nForeign = 0;
  for (const auto& f : kForeign) {
    const int iRow = FindPlace(f.szPlace);
    ASSERT_NE(iRow, kNoPlace) << f.szTzName;
    const int iZone = PlaceZone(iRow);
    ASSERT_NE(iZone, kNoZone) << f.szTzName;
    EXPECT_STREQ(ZoneAt(iZone)->szTzName, f.szTzName) << iRow;
    ++nForeign;
  }
  // Every other row is in Japan.
  int nJapan = 0;
  for (int iRow = 0; iRow < kNumPlaces; ++iRow) {
    if (PlaceZone(iRow) == kZoneJapan) ++nJapan;
  }
  EXPECT_EQ(nJapan + nForeign, kNumPlaces);
  EXPECT_EQ(PlaceZone(FindPlace("東京都")), kZoneJapan);
  EXPECT_EQ(PlaceZone(FindPlace("那覇")), kZoneJapan);
  EXPECT_EQ(PlaceZone(-1), kNoZone);
  EXPECT_EQ(PlaceZone(kNumPlaces), kNoZone);
}

}  // namespace

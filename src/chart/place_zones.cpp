// The zones of the place list's rows: every row in Japan keeps Japan's
// clocks; the foreign rows are tied to the zones of their cities here,
// beside the list rather than in it, by row number.
#include "chart/place_zones.h"

#include "chart/places.h"
#include "time/zones.h"

namespace {

struct ForeignPlaceZone {
  int iRow;              // row of kPlaceTable
  const char* szTzName;  // its zone in the zone table
};

// The foreign rows, in the order of the list.  Shenyang keeps the clocks of
// all China (Asia/Shanghai).
const ForeignPlaceZone kForeignPlaceZones[] = {
    {83, "Asia/Sakhalin"},     // ロシア－ｺﾙｻｺﾌ(ｻﾊﾘﾝ)
    {84, "Asia/Vladivostok"},  // ロシア－ｳﾗｼﾞｵｽﾄｯｸ
    {85, "Asia/Shanghai"},     // 中国－北京
    {86, "Asia/Shanghai"},     // 中国－瀋陽
    {87, "Asia/Pyongyang"},    // 中国－平壌
    {88, "Asia/Seoul"},        // 中国－京城
    {89, "Asia/Shanghai"},     // 中国－上海
    {90, "Asia/Hong_Kong"},    // 中国－香港
    {91, "Asia/Yangon"},       // ミャンマー－ﾔﾝｺﾞﾝ
    {92, "Asia/Manila"},       // フィリピン－ﾏﾆﾗ
    {93, "Asia/Bangkok"},      // タイ－ﾊﾞﾝｺｸ
    {94, "Asia/Ho_Chi_Minh"},  // ベトナム－ﾎｰﾁﾐﾝ
    {95, "Asia/Singapore"},    // シンガポール－ｼﾝｶﾞﾎﾟｰﾙ
    {96, "Asia/Jakarta"},      // インドネシア－ｼﾞｬｶﾙﾀ
    {97, "Europe/Helsinki"},   // フィンランド－ﾍﾙｼﾝｷ
};

}  // namespace

int PlaceZone(int iRow) {
  if (iRow < 0 || iRow >= kNumPlaces) return kNoZone;
  for (const ForeignPlaceZone& f : kForeignPlaceZones) {
    if (f.iRow == iRow) return FindZone(f.szTzName);
  }
  return kZoneJapan;
}

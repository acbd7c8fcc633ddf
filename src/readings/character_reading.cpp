// Character reading: the nature (Sun sign), how it shows outwardly (Sun
// and Ascendant signs) and the sensitivity (Moon sign and its distance from
// the Sun sign) of one natal chart.
#include <cmath>
#include <cstdio>

#include "platform/reports.h"
#include "readings/readings.h"
#include "time/timescale.h"

const char* const kPlainSignNames[12] = {
    "おひつじ", "おうし", "ふたご", "かに",     "しし",     "おとめ",
    "てんびん", "さそり", "いて",   "やぎ", "みずがめ", "うお",
};

namespace {

const char kHarmonicCaveat[] =
    ">>>以下の判断は指定の倍音図に関するものです 単純な性格判断としてはあまり意味がありません"
    ">>>この図においては，";
const char kAscQuestion[] =
    "\r\n\r\n  ではそうしたあなたの本質は実際にはどのような形でおもてにあらわれてくるのでしょうか？"
    "\r\n  それをあらわすアセンダントは ";
const char kTimeUnknown[] = "... 残念ながら出生時刻が不明のためはっきり分かりません。";
const char kClosing[] =
    "。\r\n\r\n  もっと詳しい占いが必要な場合は すぐ下にある[ 詳細 [A] ]ボタンをクリックしてください。"
    "\r\n\r\n";

}  // namespace

int GetSignNumber(double dLongitude) {
  if (!std::isfinite(dLongitude)) return 12;
  long double ld = dLongitude - 360.0L * std::floor(static_cast<long double>(dLongitude) / 360.0L);
  if (ld >= 360.0L) ld = 0.0L;
  return static_cast<int>(std::floor(ld * (1.0L / 30.0L)));
}

int GetSunAscText(char* szBuf, const ChartRecord& chart) {
  const int iSun = GetSignNumber(chart.dLong[Sun]);
  const int iAsc = GetSignNumber(chart.dLong[Asc]);
  const int iMoon = GetSignNumber(chart.dLong[Moon]);
  if (iSun < 0 || iSun >= 12 || iAsc < 0 || iAsc >= 12 || iMoon < 0 || iMoon >= 12) {
    return ReportPlaceKind("GetSunAscText", "星座番号が範囲外", 0);
  }
  const BirthRecord& natal = chart.natal;
  const char* szCaveat = chart.fHarmonic == 1.0f ? "" : kHarmonicCaveat;
  // The name fields are fixed-width: never read past them.
  snprintf(szBuf, kReadingTextSize,
           "\r\n%.*s\r\n%s %.*s生まれ\r\n\r\n%s  あなたの本質をあらわす太陽は %s にあります。\r\n  ",
           kNameFieldSize, natal.szName, TimeToStr(&natal.time), kNameFieldSize, natal.szBirthPlace,
           szCaveat, kPlainSignNames[iSun]);
  AppendText(szBuf, kReadingTextSize, kSunSignTexts[iSun]);
  AppendText(szBuf, kReadingTextSize, kAscQuestion);
  if (natal.bTimeKnown == 0) {
    AppendText(szBuf, kReadingTextSize, kTimeUnknown);
    return 1;
  }
  const char* szAscPart[] = {kPlainSignNames[iAsc], "。\r\n\r\n  ", kSunAscTexts[iSun * 12 + iAsc]};
  for (const char* sz : szAscPart) AppendText(szBuf, kReadingTextSize, sz);

  const int iDistance = iMoon - iSun < 0 ? iMoon - iSun + 12 : iMoon - iSun;
  const char* szMoonPart[] = {"\r\n\r\n  感受性をあらわす月は", kPlainSignNames[iMoon],
                              "座にあります。\r\n  この配置は一般的には", kMoonSignTexts[iMoon],
                              "を意味するのですが，これは", kPlainSignNames[iSun],
                              "座のあなたにとっては，", kSunMoonTexts[iDistance]};
  for (const char* sz : szMoonPart) AppendText(szBuf, kReadingTextSize, sz);
  AppendText(szBuf, kReadingTextSize, kClosing);
  return 1;
}

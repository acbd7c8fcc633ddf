// Chart points, sign names and the small helpers of every chart text.
#include "base/chart_record.h"

#include <cmath>
#include <cstring>

#include "base/shift_jis.h"

const char* const kChartPointNames[kNumChartPoints] = {
    "Sun",    "Asc",    "Moon",    "Mercury", "Venus",   "Mars",    "Jupiter",
    "Saturn", "Uranus", "Neptune", "Pluto",   "DragonH", "DragonT", "MC",
};

const char* const kChartPointLabels[kNumChartPoints] = {
    "太　陽", "ＡＳＣ", "月    ", "水　星", "金　星", "火　星", "木　星",
    "土　星", "天王星", "海王星", "冥王星", "Ｄﾍｯﾄﾞ", "Ｄﾃｲﾙ ", "ＭＣ  ",
};

const char* const kSignNames[13] = {
    "おひつじ", "おうし　", "ふたご　", "か　に　", "し　し　", "おとめ　", "てんびん",
    "さそり　", "い　て　", "や　ぎ　", "みずがめ", "う　お　", "<異常値>",
};

const char* SignName(int iSign) {
  return iSign >= 0 && iSign < kNumSigns ? kSignNames[iSign] : kSignNames[kNumSigns];
}

void LongitudeToAngle(double dLongitude, Angle* pAngle) {
  const double lon = dLongitude - std::floor(dLongitude / 360.0) * 360.0;
  pAngle->lon = lon;
  pAngle->sign = static_cast<int32_t>(std::floor(lon / 30.0));
  double rest = lon - 30.0 * pAngle->sign;
  pAngle->deg = static_cast<int32_t>(std::floor(rest));
  rest = (rest - pAngle->deg) * 60.0;
  pAngle->min = static_cast<int32_t>(std::floor(rest));
  pAngle->sec = static_cast<float>((rest - pAngle->min) * 60.0);
}

int GetAge(const BirthRecord& natal, const BirthRecord& target) {
  int iAge = target.time.year - natal.time.year;
  const bool bBeforeBirthday =
      target.time.month < natal.time.month ||
      (target.time.month == natal.time.month && target.time.day < natal.time.day);
  return bBeforeBirthday ? iAge - 1 : iAge;
}

int FitText(char* szText, int iWidth) {
  int iLen = static_cast<int>(strlen(szText));
  if (iLen > iWidth) {
    // Cut at width - 3 and mark the cut with dots up to the width.
    CutDoubleByteSafe(szText, iWidth - 3);
    iLen = static_cast<int>(strlen(szText));
    memset(szText + iLen, '.', iWidth - iLen);
  } else {
    memset(szText + iLen, ' ', iWidth - iLen);
  }
  szText[iWidth] = '\0';
  return iWidth;
}

// Detailed position lines, the plain-text form of a chart and the initial
// texts of chart records.
#include "chart/chart_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/shift_jis.h"
#include "base/version.h"
#include "platform/reports.h"

const char kExtendedReportTitle[] = "プラシーダス・ハウスシステム / 月に関する拡張データ";
const char kExtendedReportButton[] = "リスト [B]";
const char kExtendedReportNoData[] = "拡張データⅡ";

const char* const kMotionMarks[4] = {"  ", "R ", "SD", "SR"};
const char* const kMotionWords[4] = {"          ", "逆行      ", "留／順行？", "留／逆行？"};

namespace {

const char kChartTextBanner[] = "\r\n[ Horomira " HORO_VERSION_TEXT " ]\r\n\r\n";
const char kNoDataTitle[] = "< ﾃﾞｰﾀが設定されていません >";
const char kNewDataName[] = "新規データ";
const char kDetailFooter[] = "                 ﾁｬｰﾄを表示するには [Shift]+[C] を押してください ...";
const char kTimeHeading[] = "［測地系と時刻系］";
const char kTimeFooter[] = "                 ﾁｬｰﾄ [Shift]+[C]    位置ﾃﾞｰﾀ [Shift]+[D]";

// Appends szAdd to the text of length *pLen in a buffer of nText bytes; a
// text that does not fit is cut without splitting a double-byte character.
void Append(char* szText, size_t nText, size_t* pLen, const char* szAdd) {
  if (*pLen + 1 >= nText) return;
  const size_t nRoom = nText - 1 - *pLen;
  const size_t nAdd = strlen(szAdd);
  if (nAdd <= nRoom) {
    memcpy(szText + *pLen, szAdd, nAdd + 1);
    *pLen += nAdd;
    return;
  }
  memcpy(szText + *pLen, szAdd, nRoom);
  szText[*pLen + nRoom] = '\0';
  CutDoubleByteSafe(szText + *pLen, static_cast<int>(nRoom));
  *pLen += strlen(szText + *pLen);
}

// A position line built piece by piece to the very bytes snprintf prints,
// for the conversions of the position lines (%s, %Nd, %0Nd, %N.Df, %0N.Df).
// The general formatter spends longer on the 28 position lines of a chart
// than the ephemeris on the positions, and a chart is computed at every
// step of the animation.  A number outside the simple cases (negative,
// huge, not a number, or a decimal within a rounding error of a tie) leaves
// the line incomplete: the caller then prints it with snprintf.
class PositionLine {
 public:
  void Text(const char* sz) {
    const size_t n = strlen(sz);
    if (m_nLen + n >= sizeof m_sz) {
      m_bComplete = false;
      return;
    }
    memcpy(m_sz + m_nLen, sz, n);
    m_nLen += n;
  }

  // %Nd (cPad ' ') or %0Nd (cPad '0') of a number 0 or above.
  void Int(int iValue, int iWidth, char cPad) {
    if (iValue < 0) {
      m_bComplete = false;
      return;
    }
    Padded(static_cast<uint64_t>(iValue), 0, iWidth, cPad);
  }

  // %N.Df (cPad ' ') or %0N.Df (cPad '0') of a number 0 or above.
  void Fixed(double dValue, int iWidth, int iDecimals, char cPad) {
    static const double kPowers[] = {1.0, 10.0, 100.0, 1e3, 1e4, 1e5, 1e6};
    if (!(dValue >= 0.0 && dValue < 1e9) || iDecimals > 6) {
      m_bComplete = false;
      return;
    }
    // snprintf rounds the exact value to iDecimals places.  The scaled
    // value, rounded once, is off the exact one by at most half a unit in
    // its last place: it decides the rounding wherever its fraction is
    // further than that from one half (and leaves ties to snprintf).
    const double dScaled = dValue * kPowers[iDecimals];
    const double dWhole = std::floor(dScaled);
    const double dFraction = dScaled - dWhole;
    if (std::fabs(dFraction - 0.5) <= dScaled * 0x1p-52) {
      m_bComplete = false;
      return;
    }
    Padded(static_cast<uint64_t>(dWhole) + (dFraction > 0.5 ? 1 : 0), iDecimals, iWidth, cPad);
  }

  bool Complete() const { return m_bComplete; }

  // The line into szOut as snprintf leaves it: cut to nOut - 1 bytes.
  // Returns the length.
  int CopyTo(char* szOut, size_t nOut) const {
    if (nOut == 0) return 0;
    const size_t n = m_nLen < nOut - 1 ? m_nLen : nOut - 1;
    memcpy(szOut, m_sz, n);
    szOut[n] = '\0';
    return static_cast<int>(n);
  }

 private:
  // The digits of n with a decimal point iDecimals digits from the right
  // (at least one digit before it), padded on the left to iWidth.
  void Padded(uint64_t n, int iDecimals, int iWidth, char cPad) {
    char sz[32];
    int i = sizeof sz;  // written from the right
    for (int iDigit = 0; n > 0 || iDigit <= iDecimals; ++iDigit) {
      if (iDigit == iDecimals && iDecimals > 0) sz[--i] = '.';
      sz[--i] = static_cast<char>('0' + n % 10);
      n /= 10;
    }
    while (static_cast<int>(sizeof sz) - i < iWidth) sz[--i] = cPad;
    const size_t nDigits = sizeof sz - i;
    if (m_nLen + nDigits >= sizeof m_sz) {
      m_bComplete = false;
      return;
    }
    memcpy(m_sz + m_nLen, sz + i, nDigits);
    m_nLen += nDigits;
  }

  char m_sz[256];
  size_t m_nLen = 0;
  bool m_bComplete = true;
};

// The position text of an angle already rounded for display:
// "%s  %2d°%2d′%04.1f″= %10.6f°" (sign name, degree, minute, second,
// longitude).
void AddPosition(PositionLine* pLine, const Angle& a) {
  pLine->Text(SignName(a.sign));
  pLine->Text("  ");
  pLine->Int(a.deg, 2, ' ');
  pLine->Text("°");
  pLine->Int(a.min, 2, ' ');
  pLine->Text("′");
  pLine->Fixed(a.sec, 4, 1, '0');
  pLine->Text("″= ");
  pLine->Fixed(a.lon, 10, 6, ' ');
  pLine->Text("°");
}

}  // namespace

void RoundAngleForDisplay(Angle* pAngle, int iDecimals) {
  const double dUnit = iDecimals >= 2 ? 0.01 : iDecimals == 1 ? 0.1 : 1.0;
  double s = std::round(pAngle->sec / dUnit) * dUnit;
  if (s < 60.0 - dUnit / 2) {
    pAngle->sec = static_cast<float>(s);
    return;
  }
  // Carry the full minute, but stop at the last shown value of the sign.
  if (pAngle->min < 59) {
    pAngle->min += 1;
    s = 0.0;
  } else if (pAngle->deg < 29) {
    pAngle->deg += 1;
    pAngle->min = 0;
    s = 0.0;
  } else {
    s = 60.0 - dUnit;
  }
  pAngle->sec = static_cast<float>(s);
}

int FormatPositionText(char* szText, size_t nText, const Angle& angle) {
  if (nText == 0) return 0;
  Angle a = angle;
  RoundAngleForDisplay(&a, 1);
  PositionLine line;
  AddPosition(&line, a);
  if (line.Complete()) return line.CopyTo(szText, nText);
  if (snprintf(szText, nText, "%s  %2d°%2d′%04.1f″= %10.6f°", SignName(a.sign), a.deg, a.min, a.sec, a.lon) < 0) {
    szText[0] = '\0';
  }
  return static_cast<int>(strlen(szText));
}

int SetDataStringD(char* szText, size_t nText, const char* szLabel, const Angle& angle,
                   const char* szMotionWord) {
  if (angle.sign < 0 || angle.sign >= kNumSigns) ReportFatal("Abnormal lpAngle->sign in SetDataStringD");
  Angle a = angle;
  RoundAngleForDisplay(&a, 1);
  // " %s  " + the position text + "%s"
  PositionLine line;
  line.Text(" ");
  line.Text(szLabel);
  line.Text("  ");
  AddPosition(&line, a);
  line.Text(szMotionWord);
  if (line.Complete()) {
    line.CopyTo(szText, nText);
  } else {
    snprintf(szText, nText, " %s  %s  %2d°%2d′%04.1f″= %10.6f°%s", szLabel, SignName(a.sign), a.deg, a.min,
             a.sec, a.lon, szMotionWord);
  }
  return 1;
}

void SetShortDataString(char* szText, size_t nText, const Angle& shown, const char* szMark) {
  const char* szSign = SignName(shown.sign);
  // " %s %2d°%02d′%02.0f″%s"
  PositionLine line;
  line.Text(" ");
  line.Text(szSign);
  line.Text(" ");
  line.Int(shown.deg, 2, ' ');
  line.Text("°");
  line.Int(shown.min, 2, '0');
  line.Text("′");
  line.Fixed(shown.sec, 2, 0, '0');
  line.Text("″");
  line.Text(szMark);
  if (line.Complete()) {
    line.CopyTo(szText, nText);
  } else {
    snprintf(szText, nText, " %s %2d°%02d′%02.0f″%s", szSign, shown.deg, shown.min, shown.sec, szMark);
  }
}

int MakeChartText(char* szText, size_t nText, const ChartRecord& chart) {
  if (nText == 0) return 0;
  size_t nLen = 0;
  szText[0] = '\0';
  Append(szText, nText, &nLen, kChartTextBanner);
  for (const char* szLine : chart.szHeader) {
    Append(szText, nText, &nLen, szLine);
    Append(szText, nText, &nLen, "\r\n");
  }
  Append(szText, nText, &nLen, "\r\n");
  for (int i = 0; i < kNumChartPoints; ++i) {
    Append(szText, nText, &nLen, chart.szDetail[i]);
    Append(szText, nText, &nLen, "\r\n");
  }
  return static_cast<int>(nLen);
}

void ResetChartRecord(ChartRecord* pChart) {
  memset(pChart, 0, sizeof *pChart);
  snprintf(pChart->natal.szName, sizeof pChart->natal.szName, "%s", kNewDataName);
  snprintf(pChart->szTitle, sizeof pChart->szTitle, "%s", kNoDataTitle);
  snprintf(pChart->szHeader[0], sizeof pChart->szHeader[0], "%s", kNoDataTitle);
  snprintf(pChart->szDetail[14], sizeof pChart->szDetail[14], "%s", kDetailFooter);
  snprintf(pChart->szTime[0], sizeof pChart->szTime[0], "%s", kTimeHeading);
  snprintf(pChart->szTime[14], sizeof pChart->szTime[14], "%s", kTimeFooter);
  pChart->dwCheck = kRecordMagic;
}

void ResetChartSlots(ChartSlots* pSlots) {
  memset(pSlots, 0, sizeof *pSlots);
  for (ChartRecord& chart : pSlots->charts) ResetChartRecord(&chart);
}

bool ChartRecordIntact(const ChartRecord& chart) { return chart.dwCheck == kRecordMagic; }

// Aspects: detection among the ten bodies of a chart, sorting by closeness
// and the aspect list text.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/reports.h"
#include "readings/readings.h"

const char* const kAspectNames[kNumAspectNames] = {
    "", "合", "ｾﾐｾｸｽﾀｲﾙ", "セクスタイル", "スクェア", "トライン", "クィンカンクス", "衝", "?",
};

const char* const kStrengthWords[5] = {"非常に強い", "強い", "", "弱い", "ごく弱い"};

const char* const kAspectPointNames[kNumChartPoints] = {
    "太陽", "アセンダント", "月",     "水星",        "金星",       "火星", "木星",
    "土星", "天王星",       "海王星", "冥王星", "ﾄﾞﾗｺﾞﾝﾍｯﾄﾞ", "ﾄﾞﾗｺﾞﾝﾃｲﾙ", "ＭＣ",
};

const char kTextTooLongNotice[] = "テキストが長すぎるので途中で打ち切ります";
const char kNoRoomNotice[] = "データ格納領域が不足";

namespace {

// Exact angles tried by the classification, in the order of trial.
constexpr float kAspectAngles[] = {0.0f, 60.0f, 90.0f, 120.0f, 150.0f, 180.0f};

// Room the list keeps free before each line, bytes.
constexpr int kListMargin = 128;

const char kNoAspectsText[] = "設定のオーブではアスペクトがありません\r\n";
const char kOrbHintText[] =
    "\r\n\r\n\r\nオーブの設定を変えるにはメニューの[設定 - オーブ]を使ってください";

// The body indices that form aspects: Sun, then Moon .. Pluto.
bool IsAspectBody(int iPoint) { return iPoint == Sun || (iPoint >= Moon && iPoint <= Pluto); }

}  // namespace

bool AppendText(char* szBuf, int iCapacity, const char* szPiece) {
  const size_t uLen = strlen(szBuf);
  const size_t uPiece = strlen(szPiece);
  if (iCapacity <= 0 || uLen + uPiece + 1 > static_cast<size_t>(iCapacity)) return false;
  memcpy(szBuf + uLen, szPiece, uPiece + 1);
  return true;
}

uint8_t GetAspectCode(float fDistance, float fOrb, float* pfDeviation, uint8_t* pbStrength) {
  if (!(fDistance >= 0.0f && fDistance <= 180.0f)) {
    return static_cast<uint8_t>(ReportPlaceKind("GetAspectCode", "OOR/distance", kAspectNone));
  }
  for (float fAngle : kAspectAngles) {
    if (fAngle - fOrb <= fDistance && fDistance <= fAngle + fOrb) {
      const float fDeviation = std::fabs(fDistance - fAngle);
      *pfDeviation = fDeviation;
      *pbStrength = static_cast<uint8_t>(std::floor(fDeviation));
      return static_cast<uint8_t>(fAngle / 30.0f + 1.0f);
    }
  }
  return kAspectNone;
}

uint8_t DetectAspects(const ChartRecord& chart, AspectEntry* pEntries, int iCapacity, float fOrb) {
  if (chart.ldJde == 0.0L) return 0;
  if (!(fOrb > 0.0f)) fOrb = kFallbackOrb;
  // The count is an 8-bit number: never fill more than 255 entries.
  if (iCapacity > 255) iCapacity = 255;
  int iCount = 0;
  for (int j = Sun; j < Pluto; ++j) {
    if (!IsAspectBody(j)) continue;
    for (int k = j + 1; k <= Pluto; ++k) {
      if (!IsAspectBody(k)) continue;
      if (k == Pluto && chart.dLong[Pluto] < 0.0) continue;  // outside Pluto's period
      float fDistance = static_cast<float>(std::fabs(chart.dLong[j] - chart.dLong[k]));
      if (fDistance > 180.0f) fDistance = 360.0f - fDistance;
      float fDeviation = 0.0f;
      uint8_t bStrength = 0;
      const uint8_t bCode = GetAspectCode(fDistance, fOrb, &fDeviation, &bStrength);
      if (bCode == kAspectNone) continue;
      if (iCount >= iCapacity) {
        AppOkMsg(PlatformMainWindow(), "オーブが大きすぎる", "設定のオーブではアスペクトの数が多すぎて",
                 "すべてのデータを書き込めません。アスペクト", "の検出作業を途中で打ち切ります。");
        return static_cast<uint8_t>(iCapacity > 0 ? iCapacity - 1 : 0);
      }
      AspectEntry& e = pEntries[iCount++];
      e.bFirst = static_cast<uint8_t>(j);
      e.bSecond = static_cast<uint8_t>(k);
      e.bCode = bCode;
      e.bStrength = bStrength;
      e.fDeviation = fDeviation;
    }
  }
  return static_cast<uint8_t>(iCount);
}

void SortAspectsByOrb(AspectEntry* pEntries, int iCount) {
  for (int i = 0; i < iCount; ++i) {
    for (int j = i + 1; j < iCount; ++j) {
      if (pEntries[i].fDeviation > pEntries[j].fDeviation) {
        const AspectEntry t = pEntries[i];
        pEntries[i] = pEntries[j];
        pEntries[j] = t;
      }
    }
  }
}

const char* FormatAspectLine(const AspectEntry& entry) {
  static char szLine[160];
  // A damaged entry prints "?" rather than reading past the tables.
  const char* szFirst = entry.bFirst < kNumChartPoints ? kAspectPointNames[entry.bFirst] : "?";
  const char* szSecond = entry.bSecond < kNumChartPoints ? kAspectPointNames[entry.bSecond] : "?";
  const char* szWord = kStrengthWords[entry.bStrength < 4 ? entry.bStrength : 4];
  const char* szName = kAspectNames[entry.bCode < kNumAspectNames ? entry.bCode : static_cast<int>(kAspectUnknown)];
  snprintf(szLine, sizeof szLine, "%sと%sが%s%s (オーブ%5.2f)\r\n", szFirst, szSecond, szWord, szName,
           static_cast<double>(entry.fDeviation));
  return szLine;
}

int ListAspects(const AspectEntry* pEntries, int iCount, char* szBuf, int iCapacity) {
  if (!szBuf) return ReportPlaceKind("ListAspects", "!lpStr", 0);
  if (iCapacity <= 0) return ReportPlaceKind("ListAspects", kNoRoomNotice, 0);
  szBuf[0] = '\0';
  bool bFits = AppendText(szBuf, iCapacity, iCount == 0 ? kNoAspectsText : "\r\n");
  for (int i = 0; bFits && i < iCount; ++i) {
    const int iRoom = iCapacity - static_cast<int>(strlen(szBuf));
    bFits = iRoom >= kListMargin && AppendText(szBuf, iCapacity, FormatAspectLine(pEntries[i]));
  }
  if (bFits) bFits = AppendText(szBuf, iCapacity, kOrbHintText);
  if (!bFits) {
    AppendText(szBuf, iCapacity, kNoRoomNotice);
    return ReportPlaceKind("ListAspects", kNoRoomNotice, 0);
  }
  return 1;
}

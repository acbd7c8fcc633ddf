// The list of filed data, the harmonic and season dialogs and the
// ephemeris choice.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "entry/entry_rules.h"
#include "events/events.h"
#include "platform/reports.h"
#include "time/timescale.h"

// --- List of filed data -------------------------------------------------------

int FiledListOpening(WindowRef hOwner, int iNumData) {
  char szText[160];
  if (iNumData < 0) {
    snprintf(szText, sizeof szText, "FromFileDB : 異常値 : lpvf->iNumData = %d", iNumData);
    ReportFatal(szText);
    return kFiledListCancel;
  }
  if (iNumData == 0) return kFiledListEmpty;
  if (iNumData > kFiledListRows) {
    snprintf(szText, sizeof szText,
             "このファイルには%d件のデータが登録されています。初めの1000件が表示可能です。", iNumData);
    ReportBox(hOwner, szText, kMbOk);
    return kFiledListRows;
  }
  return iNumData;
}

int FiledListChoice(WindowRef hOwner, int k, int iRows) {
  if (k >= 0 && k < iRows && k < kFiledListRows) return k;
  char szText[128];
  snprintf(szText, sizeof szText, "FromFileDB: LB_GETCURSEL: k=%d(-1 = LB_ERR)", k);
  ReportFailure(hOwner, szText);
  return kFiledListCancel;
}

int AskDeleteRow(WindowRef hOwner, const BirthRecord& row) {
  return AppOkCancelMsg(hOwner, "次のデータを削除してよろしいですか？", row.szName, TimeToStr(&row.time),
                        "") == 1;
}

// --- Harmonic -------------------------------------------------------------------

double HarmonicProposal(double* pdLast) {
  if (*pdLast == 1.0) *pdLast = 5.0;
  return *pdLast;
}

int FormatHarmonic(double dHarmonic, char* szOut, int cbOut) {
  const char* szFormat = "%+.6f";
  if (dHarmonic == std::floor(dHarmonic)) {
    szFormat = "%.0f";
  } else if (std::fabs(dHarmonic) >= 10.0) {
    szFormat = "%+.5f";
  }
  const int n = snprintf(szOut, cbOut, szFormat, dHarmonic);
  return n < cbOut ? n : cbOut - 1;
}

int ParseHarmonicText(const char* szText, double* pd) {
  double d = 0.0;
  if (!ParseDecimalText(szText, &d)) return 0;
  const double a = std::fabs(d);
  if (a < kMinHarmonic || a > kMaxHarmonic) return 0;
  *pd = d;
  return 1;
}

int32_t HarmonicResult(double dHarmonic) {
  // Rounded, not truncated: 0.3 x 1e6 is 299999.99999999994 in binary.
  return static_cast<int32_t>(std::lround(dHarmonic * 1000000.0));
}

int AcceptHarmonicText(WindowRef hOwner, const char* szText, double* pdLast, int32_t* piResult) {
  double d = 0.0;
  if (!ParseHarmonicText(szText, &d)) {
    PlatformMessageBox(hOwner,
                       "正常な半角数字でないか、入力が未完了か、または、絶対値が大きすぎるか小さすぎます。"
                       "入力をやり直してください。",
                       szText, kMbOk | kMbIconWarning);
    *pdLast = 1.0;
    return 0;
  }
  *pdLast = d;
  if (d == 1.0 &&
      ReportBox(hOwner, "倍音の次数が1と指定されました。倍音計算から通常計算に戻ります。よろしいですか？",
                kMbYesNo | kMbIconQuestion) != kIdYes) {
    return 0;
  }
  *piResult = HarmonicResult(d);
  return 1;
}

// --- Season charts --------------------------------------------------------------

const char* const kSeasonChartNames[kNumSeasonKinds] = {"春分図", "夏至図", "秋分図", "冬至図"};

namespace {

constexpr int kSeasonKindStep = 10000;
constexpr int kLastSeasonYear = 9999;

// The whole number the text begins with (blanks skipped).  Returns 0 when
// it begins with none.
int LeadingInteger(const char* szText, long* pl) {
  const char* p = szText;
  while (*p == ' ' || *p == '\t') ++p;
  const char* q = p;
  if (*q == '+' || *q == '-') ++q;
  if (*q < '0' || *q > '9') return 0;
  *pl = strtol(p, nullptr, 10);
  return 1;
}

}  // namespace

int AcceptSeasonYear(WindowRef hOwner, const char* szText, int iKind, int* piResult) {
  long lYear = -1;
  if (!szText || !LeadingInteger(szText, &lYear) || lYear < 0 || lYear > kLastSeasonYear || iKind < 0 ||
      iKind >= kNumSeasonKinds) {
    ReportBox(hOwner, "入力が未完了または無効", kMbOk);
    return 0;
  }
  *piResult = static_cast<int>(lYear) + kSeasonKindStep * iKind;
  return 1;
}

int DecodeSeasonChoice(int iResult, int* piKind, int* piYear) {
  if (iResult < 0 || iResult >= kSeasonKindStep * kNumSeasonKinds) return 0;
  *piKind = iResult / kSeasonKindStep;
  *piYear = iResult % kSeasonKindStep;
  return 1;
}

// --- Ephemeris ------------------------------------------------------------------

int EphemStepFromButtons(bool bSecond, bool bMinute, bool bHour) {
  if (bSecond) return kEphemStepSecond;
  if (bMinute) return kEphemStepMinute;
  if (bHour) return kEphemStepHour;
  return kEphemStepDay;
}

int EncodeEphemChoice(int iBody, int iStep, bool bAligned) {
  constexpr int kAlignedMark = 1000;
  return iBody + iStep + (bAligned ? kAlignedMark : 0);
}

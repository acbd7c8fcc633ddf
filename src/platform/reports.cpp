// Report boxes and the program's own message boxes: their texts, titles and
// answers.  The boxes themselves are realised by the platform layer.
#include "platform/reports.h"

#include <cstdio>
#include <cstring>

#include "base/shift_jis.h"

const char kProgramTitle[] = "ΩΡΟΜΙΡΑ";

namespace {

const char kErrorHeading[] = "エラー";

// Copies a text into one 128-byte slot of an own message box, cut to 127
// bytes without splitting a double-byte character.
void FillSlot(char* szSlot, const char* szText) {
  szSlot[0] = '\0';
  if (!szText) return;
  const size_t n = strlen(szText);
  const size_t kMax = kAppBoxSlotSize - 1;
  memcpy(szSlot, szText, n < kMax ? n : kMax);
  szSlot[n < kMax ? n : kMax] = '\0';
  if (n > kMax) CutDoubleByteSafe(szSlot, static_cast<int>(kMax));
}

// Shows an own message box; 0 after the fatal report when its text block
// could not be had, else the pressed button.
int ShowAppBox(AppBoxKind kind, WindowRef hOwner, const char* szHeading, const char* szLine1,
               const char* szLine2, const char* szLine3, const char* szMemoryFailure) {
  AppBoxTexts texts;
  FillSlot(texts.sz[0], szHeading);
  FillSlot(texts.sz[1], szLine1);
  FillSlot(texts.sz[2], szLine2);
  FillSlot(texts.sz[3], szLine3);
  const int iAnswer = PlatformAppBox(kind, hOwner, texts);
  if (iAnswer == kAppBoxNoTextBlock) return ReportFatal(szMemoryFailure);
  return iAnswer;
}

}  // namespace

int ReportFatal(const char* szText) {
  PlatformMessageBox(nullptr, szText, kProgramTitle, kMbOk | kMbIconError);
  return 0;
}

int ReportBox(WindowRef hOwner, const char* szText, unsigned uStyle) {
  return PlatformMessageBox(hOwner, szText, kProgramTitle, uStyle);
}

void ReportFailure(WindowRef hOwner, const char* szText) {
  PlatformMessageBox(hOwner, szText, "予期せぬ障害", kMbOk | kMbIconError);
}

void ReportErrorLines(WindowRef hOwner, const char* szLineA, const char* szLineB) {
  AppOkMsg(hOwner, kErrorHeading, szLineB, szLineA, "");
}

int ReportPlaceKind(const char* szPlace, const char* szKind, int iResult) {
  constexpr size_t kMaxKindBytes = 100;  // longer kinds are not shown
  char szKindLine[160] = "";
  if (szKind && szKind[0] != '\0' && strlen(szKind) < kMaxKindBytes) {
    snprintf(szKindLine, sizeof szKindLine, "エラーの種類: %s", szKind);
  }
  AppOkMsg(PlatformMainWindow(), kErrorHeading, "下記の場所でエラーが発生しました:", szPlace,
           szKindLine);
  return iResult;
}

int ReportException(WindowRef hOwner, const char* szPlace) {
  const int iAnswer = PlatformMessageBox(
      hOwner,
      "上記の処理中に例外が発生しました。[中止]を押すとアプリケーションを終了します。"
      "もしフリーズしたときは[Ctrl]+[Alt]+[Del]を押して強制終了してください。\n\n- Horomira 5.1",
      szPlace, kMbAbortRetryIgnore | kMbIconWarning);
  if (iAnswer == kIdAbort) PlatformDestroyMainWindow();
  return 1;
}

void ReportCheckValue(const char* szName, double dValue) {
  char szText[256];
  snprintf(szText, sizeof szText, "%s = %.8f", szName, dValue);
  PlatformMessageBox(PlatformMainWindow(), szText, "CheckValue", kMbOk);
}

const char* ExceptionKindName(uint32_t dwCode) {
  switch (dwCode) {
    case 0xC0000005u: return "無効なアドレスへのアクセス";
    case 0xC000008Eu: return "浮動小数点数のゼロ除算";
    case 0xC0000090u: return "浮動小数点数に関する不正";
    case 0xC0000094u: return "整数のゼロ除算";
    case 0xC00000FDu: return "スタックのオーバーフロー";
    default: return "予期せぬ問題";
  }
}

int ReportLevel2Exception(WindowRef hOwner, const char* szPlace, uint32_t dwCode, uintptr_t uAddress,
                          uint32_t dwFlags, uint32_t dwNumParams, uintptr_t uInfo) {
  char szText[1024];
  snprintf(szText, sizeof szText,
           "Horomira 自己修復ルーチン / レベル２\n\n%s の処理中に%sが発生しました。\n\n"
           "プログラムのバグか、まれには、Windowsにおける偶発的な現象です。\n"
           "無視することもできますが、念のためにいったん終了してください。\n\n"
           "万一フリーズしたときは [Ctrl]+[Alt]+[Del]を押して強制終了してください。\n\n"
           "Address: %#08llX\nCode: %#lX\nFlags: %#lX\nNumParam: %#lX\nInfo: %#llX\n",
           szPlace, ExceptionKindName(dwCode), static_cast<unsigned long long>(uAddress),
           static_cast<unsigned long>(dwCode), static_cast<unsigned long>(dwFlags),
           static_cast<unsigned long>(dwNumParams), static_cast<unsigned long long>(uInfo));
  const int iAnswer = ReportBox(hOwner, szText, kMbAbortRetryIgnore | kMbIconWarning);
  if (iAnswer == kIdAbort) PlatformDestroyMainWindow();
  return iAnswer;
}

int AppMsgBox(WindowRef hOwner, const char* szHeading, const char* szLine1, const char* szLine2,
              const char* szLine3) {
  return ShowAppBox(kAppBoxYesNoCancel, hOwner, szHeading, szLine1, szLine2, szLine3,
                    "!hMem for AppMsgBox");
}

int AppOkCancelMsg(WindowRef hOwner, const char* szHeading, const char* szLine1, const char* szLine2,
                   const char* szLine3) {
  const int iAnswer = ShowAppBox(kAppBoxOkCancel, hOwner, szHeading, szLine1, szLine2, szLine3,
                                 "!hMem for AppOkCancelMsg");
  if (iAnswer == 0) return 0;
  return iAnswer == kIdYes ? kIdOk : kIdCancel;
}

void AppOkMsg(WindowRef hOwner, const char* szHeading, const char* szLine1, const char* szLine2,
              const char* szLine3) {
  ShowAppBox(kAppBoxOk, hOwner, szHeading, szLine1, szLine2, szLine3, "!hMem for AppOkMsg");
}

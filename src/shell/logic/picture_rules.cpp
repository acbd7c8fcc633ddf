// The rules of the chart pictures: save dialog, printed page, footer.
#include "shell/logic/picture_rules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "base/shift_jis.h"
#include "chart/chart_view.h"
#include "persistence/safe_file.h"

namespace {

const char* const kFilterExtensions[] = {".png", ".png", ".svg"};

// Whether szPath ends in szExt (".png"), letters in any case.
bool EndsWith(const char* szPath, const char* szExt) {
  const size_t n = strlen(szPath), m = strlen(szExt);
  if (n <= m) return false;
  for (size_t i = 0; i < m; ++i) {
    if (tolower(static_cast<unsigned char>(szPath[n - m + i])) != szExt[i]) return false;
  }
  // A name of the extension alone (".png") has no name before it.
  const char chBefore = szPath[n - m - 1];
  return chBefore != '\\' && chBefore != '/';
}

// Tenths of a millimetre in device pixels at iDpi.
int Pixels(int iTenthsMm, int iDpi) { return static_cast<int>(static_cast<long long>(iTenthsMm) * iDpi / 254); }

}  // namespace

int ChoosePictureFile(const char* szTyped, int iFilterIndex, PictureFileChoice* p) {
  *p = PictureFileChoice{};
  if (!szTyped || !*szTyped) return 0;
  if (iFilterIndex < kFilterPng || iFilterIndex > kFilterSvg) iFilterIndex = kFilterPng;
  const size_t n = strlen(szTyped);
  if (EndsWith(szTyped, ".svg")) {
    p->iFormat = kPictureSvg;
  } else if (EndsWith(szTyped, ".png")) {
    p->iFormat = kPicturePng;
  } else {
    p->iFormat = iFilterIndex == kFilterSvg ? kPictureSvg : kPicturePng;
    p->bExtensionAdded = 1;
  }
  p->iScale = p->iFormat == kPicturePng && iFilterIndex == kFilterPng2x ? 2 : 1;
  const char* szExt = p->bExtensionAdded ? kFilterExtensions[iFilterIndex - 1] : "";
  if (n + strlen(szExt) >= sizeof p->szPath) {
    *p = PictureFileChoice{};
    return 0;
  }
  snprintf(p->szPath, sizeof p->szPath, "%s%s", szTyped, szExt);
  return 1;
}

int FitPictureToPage(int iPictureWidth, int iPictureHeight, const PrintPage& page, PrintLayout* pLayout) {
  *pLayout = PrintLayout{};
  if (iPictureWidth <= 0 || iPictureHeight <= 0 || page.iWidth <= 0 || page.iHeight <= 0 || page.iDpiX <= 0 ||
      page.iDpiY <= 0) {
    return 0;
  }
  const int iPaperWidth = page.iPaperWidth > 0 ? page.iPaperWidth : page.iWidth + 2 * page.iOffsetX;
  const int iPaperHeight = page.iPaperHeight > 0 ? page.iPaperHeight : page.iHeight + 2 * page.iOffsetY;
  // The margins from the paper's edges, in the printable area's pixels; no
  // less than the printer's own.
  const int iMarginX = Pixels(kPrintMargin, page.iDpiX), iMarginY = Pixels(kPrintMargin, page.iDpiY);
  const int left = std::max(0, iMarginX - page.iOffsetX);
  const int top = std::max(0, iMarginY - page.iOffsetY);
  const int right = std::min(page.iWidth, iPaperWidth - iMarginX - page.iOffsetX);
  const int bottom = std::min(page.iHeight, iPaperHeight - iMarginY - page.iOffsetY);
  const int iFooter = Pixels(kPrintFooterBand, page.iDpiY), iGap = Pixels(kPrintFooterGap, page.iDpiY);
  const int iBoxBottom = bottom - iFooter - iGap;
  if (right - left <= 0 || iBoxBottom - top <= 0) return 0;
  // The scale in inches per picture pixel: the smaller of across and down.
  const double dInchesX = static_cast<double>(right - left) / page.iDpiX / iPictureWidth;
  const double dInchesY = static_cast<double>(iBoxBottom - top) / page.iDpiY / iPictureHeight;
  const double dInches = std::min(dInchesX, dInchesY);
  const int w = static_cast<int>(iPictureWidth * dInches * page.iDpiX);
  const int h = static_cast<int>(iPictureHeight * dInches * page.iDpiY);
  if (w <= 0 || h <= 0) return 0;
  const int x = left + (right - left - w) / 2;
  pLayout->rcPicture = CanvasRect{x, top, x + w, top + h};
  pLayout->rcFooter = CanvasRect{left, bottom - iFooter, right, bottom};
  pLayout->dScaleX = static_cast<double>(w) / iPictureWidth;
  pLayout->dScaleY = static_cast<double>(h) / iPictureHeight;
  return 1;
}

void MakePrintFooter(const LocalClock& clock, char* szOut, size_t cbOut) {
  snprintf(szOut, cbOut, "%s    %d年%d月%d日 印刷", kProductName, clock.year, clock.month, clock.day);
}

int PrintBackground(int iBackColor, bool bWhite) { return bWhite ? kBackgroundWhite : iBackColor; }

void DefaultPictureName(const char* szPersonName, char* szOut, size_t cbOut) {
  bool bUsable = szPersonName && *szPersonName && !HasControlCharacter(szPersonName);
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(szPersonName); bUsable && *p; ++p) {
    if (IsLeadByte(*p) && p[1]) {
      ++p;  // a trail byte may be 0x5C ('\\' as a byte): part of its character
    } else if (strchr("\\/:*?\"<>|", *p)) {
      bUsable = false;
    }
  }
  snprintf(szOut, cbOut, "%s", bUsable ? szPersonName : "ホロミラの図");
}

const char* PictureSaveFailure(int iError) {
  switch (iError) {
    case kSafeFileNotRegular: return "その名前はフォルダーか装置のものです。";
    case kSafeFileUnreadable: return "そのファイルを読むことが許されていません。";
    case kSafeFileCannotCreate:
      return "ファイルを作れません（フォルダーがない、書き込みが許されていない、名前が長すぎる）。";
    case kSafeFileWriteFailed: return "書き込みに失敗しました（ディスクがいっぱい、書き込み禁止のファイル、など）。";
    case kSafeFileBackupExists:
      return "前に中断した書き込みの控え（.bak）が残っています。中身を確かめてから削除してください。";
    case kPictureNotEncoded: return "PNG 形式に変換できませんでした（Windows Imaging Component）。";
    case kPictureNotDrawn: return "図を描くためのメモリーが足りません。";
    default: return "保存できませんでした。";
  }
}

void PrintDialogFailure(unsigned long dwCode, char* szOut, size_t cbOut) {
  switch (dwCode) {
    case 0x1008:  // PDERR_NODEFAULTPRN
      snprintf(szOut, cbOut, "プリンターがありません。\nWindows の設定でプリンターを追加してから印刷してください。");
      break;
    case 0x100B:  // PDERR_PRINTERNOTFOUND
      snprintf(szOut, cbOut, "選んだプリンターが見つかりません。");
      break;
    default: snprintf(szOut, cbOut, "印刷の画面を開けませんでした（エラー 0x%lX）。", dwCode);
  }
}

void PrintFailure(int iStep, unsigned long dwError, char* szOut, size_t cbOut) {
  static const char* const kSteps[] = {"", "印刷を始められませんでした", "ページを始められませんでした",
                                       "用紙が小さすぎて図が入りません", "ページを印刷できませんでした",
                                       "印刷を終えられませんでした"};
  const char* szStep = iStep >= kPrintStartDoc && iStep <= kPrintEndDoc ? kSteps[iStep] : "印刷できませんでした";
  if (iStep == kPrintNoRoom) {
    snprintf(szOut, cbOut, "%s。", szStep);
  } else {
    snprintf(szOut, cbOut, "%s（エラー %lu）。\nプリンターの電源や接続、用紙を確かめてください。", szStep, dwError);
  }
}

// 55001 図を印刷, 55002 図を保存 and the pictures of the clipboard.
#include "shell/picture_commands.h"

#include <commdlg.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_picture.h"
#include "persistence/safe_file.h"
#include "platform/os_services.h"
#include "platform/win32/win32_text.h"
#include "shell/main_window.h"
#include "shell/shell.h"

namespace {

const char kPrintTitle[] = "図を印刷";
const char kSaveTitle[] = "図を保存";
// The save dialog's filters, in the order of PictureFilter.
const char kPictureFilters[] =
    "PNG 画像 - 画面と同じ大きさ (*.png)\0*.png\0"
    "PNG 画像 - 2倍の大きさ、印刷向き (*.png)\0*.png\0"
    "SVG 画像 (*.svg)\0*.svg\0";
// The filter chosen last, proposed again.
int g_iPictureFilter = kFilterPng;

// The box of a failure, an error icon and the command's title.
void FailureBox(HWND hWnd, const char* szTitle, const std::string& sText) {
  PlatformMessageBox(hWnd, sText.c_str(), szTitle, kMbOk | kMbIconError);
}

// The print dialog's handles, freed when the scope ends.
struct PrinterChoice {
  PRINTDLGW pd{};
  ~PrinterChoice() {
    if (pd.hDC) DeleteDC(pd.hDC);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
  }
};

PrintPage PageOf(HDC hdc) {
  return PrintPage{GetDeviceCaps(hdc, HORZRES),        GetDeviceCaps(hdc, VERTRES),
                   GetDeviceCaps(hdc, LOGPIXELSX),     GetDeviceCaps(hdc, LOGPIXELSY),
                   GetDeviceCaps(hdc, PHYSICALOFFSETX), GetDeviceCaps(hdc, PHYSICALOFFSETY),
                   GetDeviceCaps(hdc, PHYSICALWIDTH),  GetDeviceCaps(hdc, PHYSICALHEIGHT)};
}

// Prints one page on the printer the dialog returned.  Returns 1, or 0
// after the box that says which step failed.
int PrintOnPrinter(HWND hWnd, HDC hdc, const PictureSource& src, const char* szDocName) {
  LocalClock clock{};
  PlatformLocalTime(&clock);
  char szFooter[kPrintFooterSize];
  MakePrintFooter(clock, szFooter, sizeof szFooter);
  char szText[256];
  const std::wstring wsDocName = WideFromSjis(szDocName);
  DOCINFOW di{};
  di.cbSize = sizeof di;
  di.lpszDocName = wsDocName.c_str();
  if (StartDocW(hdc, &di) <= 0) {
    PrintFailure(kPrintStartDoc, GetLastError(), szText, sizeof szText);
    FailureBox(hWnd, kPrintTitle, szText);
    return 0;
  }
  int iStep = 0;
  if (StartPage(hdc) <= 0) {
    iStep = kPrintStartPage;
  } else if (!PrintPictureOnPage(hdc, PageOf(hdc), src, szFooter, nullptr)) {
    iStep = kPrintNoRoom;
  } else if (EndPage(hdc) <= 0) {
    iStep = kPrintEndPage;
  }
  if (iStep) {
    const DWORD dwError = GetLastError();
    AbortDoc(hdc);
    PrintFailure(iStep, dwError, szText, sizeof szText);
    FailureBox(hWnd, kPrintTitle, szText);
    return 0;
  }
  if (EndDoc(hdc) <= 0) {
    PrintFailure(kPrintEndDoc, GetLastError(), szText, sizeof szText);
    FailureBox(hWnd, kPrintTitle, szText);
    return 0;
  }
  return 1;
}

// The bytes of a saved picture.  Returns 0 (success) or the reason.
int PictureBytes(const PictureSource& src, const PictureFileChoice& choice, std::string* psBytes) {
  if (choice.iFormat == kPictureSvg) {
    *psBytes = ChartSvgPicture(src.pSlots, *src.pView, src.iWidth, src.iHeight);
    return 0;
  }
  std::string sBits;
  int iStride = 0;
  if (!RenderPictureBits(src, choice.iScale, &sBits, &iStride)) return kPictureNotDrawn;
  HRESULT hr = S_OK;
  if (!EncodePng(sBits, src.iWidth * choice.iScale, src.iHeight * choice.iScale, iStride, psBytes, &hr)) {
    return kPictureNotEncoded;
  }
  return 0;
}

// Writes the bytes safely: a temporary file beside the target, then put in
// its place.  Returns 0 or the SafeFileError.
int WriteSafely(const char* szPath, const std::string& sBytes) {
  SafeFile file;
  if (!SafeFileOpen(&file, szPath)) return file.iError;
  if (!SafeFileWrite(&file, sBytes.data(), sBytes.size())) {
    SafeFileAbandon(&file);
    return kSafeFileWriteFailed;
  }
  if (!SafeFileCommit(&file)) return file.iError ? file.iError : kSafeFileWriteFailed;
  return 0;
}

}  // namespace

PictureSource PictureSourceOf(const CommandContext& c, GdiResources* pRes) {
  *pRes = MainGdiResources(c.lpAb);
  const RECT& rc = c.lpAb->rcChart;
  return PictureSource{c.pSlots, &c.lpAb->view, pRes, rc.right - rc.left, rc.bottom - rc.top};
}

int PrintPictureCommand(const CommandContext& c) {
  GdiResources res;
  PictureSource src = PictureSourceOf(c, &res);
  bool bWhite = true;
  if (src.pView->iBackColor != kBackgroundWhite) {
    const int iAnswer = AppMsgBox(c.hWnd, kPrintTitle, "背景を白にして印刷しますか？",
                                  "[いいえ] を選ぶと、画面と同じ背景色で印刷します。", "");
    if (iAnswer != kIdYes && iAnswer != kIdNo) return 0;
    bWhite = iAnswer == kIdYes;
  }
  const std::unique_ptr<ChartViewState> pView(new ChartViewState(*src.pView));
  pView->iBackColor = PrintBackground(src.pView->iBackColor, bWhite);
  src.pView = pView.get();
  // Without any printer the box says so at once (the print dialog of some
  // systems shows a warning of its own and reports nothing).
  DWORD cbNeeded = 0, nPrinters = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &cbNeeded, &nPrinters);
  if (cbNeeded == 0) {
    char szText[256];
    PrintDialogFailure(PDERR_NODEFAULTPRN, szText, sizeof szText);
    FailureBox(c.hWnd, kPrintTitle, szText);
    return 0;
  }
  PrinterChoice printer;
  PRINTDLGW& pd = printer.pd;
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = c.hWnd;
  // PD_NOWARNING: without a printer the dialog's own warning is left out;
  // the box below says it.
  pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE |
             PD_NOWARNING;
  pd.nCopies = 1;
  if (!PrintDlgW(&pd)) {
    const DWORD dwCode = CommDlgExtendedError();
    if (dwCode == 0) return 0;  // cancelled: nothing is printed
    char szText[256];
    PrintDialogFailure(dwCode, szText, sizeof szText);
    FailureBox(c.hWnd, kPrintTitle, szText);
    return 0;
  }
  if (!pd.hDC) {
    FailureBox(c.hWnd, kPrintTitle, "プリンターを使えません。");
    return 0;
  }
  char szDocName[160];
  snprintf(szDocName, sizeof szDocName, "ホロミラ - %s", ShownChart(c).szTitle);
  return PrintOnPrinter(c.hWnd, pd.hDC, src, szDocName);
}

int SavePictureCommand(const CommandContext& c) {
  GdiResources res;
  const PictureSource src = PictureSourceOf(c, &res);
  char szFile[kPicturePathMax];
  DefaultPictureName(ShownChart(c).natal.szName, szFile, sizeof szFile);
  const std::wstring wsFilters = WideFilterFromSjis(kPictureFilters);
  const std::wstring wsTitle = WideFromSjis(kSaveTitle);
  std::vector<wchar_t> wszFile(kPicturePathMax, L'\0');
  wcsncpy(wszFile.data(), WideFromSjis(szFile).c_str(), kPicturePathMax - 1);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = c.hWnd;
  ofn.lpstrFilter = wsFilters.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(g_iPictureFilter);
  ofn.lpstrFile = wszFile.data();
  ofn.nMaxFile = kPicturePathMax;
  ofn.lpstrTitle = wsTitle.c_str();
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&ofn)) {
    const DWORD dwCode = CommDlgExtendedError();
    if (dwCode != 0) {
      char szText[96];
      snprintf(szText, sizeof szText, "保存の画面を開けませんでした（エラー 0x%lX）。", dwCode);
      FailureBox(c.hWnd, kSaveTitle, szText);
    }
    return 0;
  }
  g_iPictureFilter = static_cast<int>(ofn.nFilterIndex);
  if (!PathFromWide(wszFile.data(), szFile, sizeof szFile)) {
    std::string sName;
    SjisFromWide(wszFile.data(), &sName);
    FailureBox(c.hWnd, kSaveTitle, sName + "\n\n" + kUnusableNameLine1 + kUnusableNameLine2);
    return 0;
  }
  PictureFileChoice choice;
  if (!ChoosePictureFile(szFile, g_iPictureFilter, &choice)) {
    FailureBox(c.hWnd, kSaveTitle, std::string("ファイルの名前が長すぎます。\n\n") + szFile);
    return 0;
  }
  // The dialog asked about the name as typed; a name with the extension
  // added is asked about here.
  if (choice.bExtensionAdded && GetFileAttributesW(WideFromSjis(choice.szPath).c_str()) != INVALID_FILE_ATTRIBUTES) {
    const std::string sQuestion = std::string(choice.szPath) + " は既にあります。\n上書きしますか？";
    if (PlatformMessageBox(c.hWnd, sQuestion.c_str(), kSaveTitle, kMbYesNo | kMbIconWarning) != kIdYes) return 0;
  }
  std::string sBytes;
  int iError = PictureBytes(src, choice, &sBytes);
  if (!iError) iError = WriteSafely(choice.szPath, sBytes);
  if (iError) {
    FailureBox(c.hWnd, kSaveTitle,
               std::string("図を保存できませんでした。\n\n") + choice.szPath + "\n\n" + PictureSaveFailure(iError));
    return 0;
  }
  return 1;
}

int PutPicturesOnClipboard(const CommandContext& c) {
  GdiResources res;
  const PictureSource src = PictureSourceOf(c, &res);
  int n = 0;
  if (const HENHMETAFILE hEmf = MakePictureMetafile(src)) {
    if (SetClipboardData(CF_ENHMETAFILE, hEmf)) {
      ++n;
    } else {
      DeleteEnhMetaFile(hEmf);
    }
  }
  if (const HGLOBAL hDib = MakePictureDib(src)) {
    if (SetClipboardData(CF_DIB, hDib)) {
      ++n;
    } else {
      GlobalFree(hDib);
    }
  }
  return n;
}

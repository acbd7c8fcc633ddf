// The main window's GDI objects: the palette and its brushes, the pens and
// the bitmaps of the chart drawing; made at creation, deleted at exit.
#include "shell/main_window.h"

#include "chart/canvas.h"
#include "platform/reports.h"
#include "platform/resource_ids.h"

namespace {

constexpr int kReservedEntries = 2;  // palette entries 0 and 1 follow the background

// Deletes one GDI object; a failure is reported with the object's name and
// the exit goes on.
void DeleteOrReport(HWND hWnd, HGDIOBJ* ph, const char* szName) {
  if (!*ph) return;
  if (!DeleteObject(*ph)) ReportErrorLines(hWnd, "!DeleteObject", szName);
  *ph = nullptr;
}

}  // namespace

int LoadChartBitmaps(AppState* lpAb) {
  lpAb->hBmpHoromiraIcon = LoadBitmapW(lpAb->hInstance, MAKEINTRESOURCEW(IDB_TITLE));
  bool bOk = lpAb->hBmpHoromiraIcon != nullptr;
  for (int i = 0; i < kNumGlyphBitmaps; ++i) {
    const int iId = i < kNumSignBitmaps ? IDB_SIGN_FIRST + i : IDB_POINT_FIRST + (i - kNumSignBitmaps);
    lpAb->hBmp[i] = LoadBitmapW(lpAb->hInstance, MAKEINTRESOURCEW(iId));
    bOk = bOk && lpAb->hBmp[i] != nullptr;
  }
  return bOk ? 1 : 0;
}

int CreatePens(AppState* lpAb) {
  lpAb->hPen[kPenHighlight] = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DHIGHLIGHT));
  lpAb->hPen[kPenFace] = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DFACE));
  lpAb->hPen[kPenShadow] = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW));
  lpAb->hPen[kPenFrame] = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME));
  lpAb->hPen[kPenGrey] = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
  lpAb->hPen[kPenDrag] = CreatePen(PS_DOT, 1, RGB(255, 0, 255));
  for (HPEN h : lpAb->hPen) {
    if (!h) return 0;
  }
  return 1;
}

int BuildPalette(HWND hWnd, SystemIniInf* pSii, AppState* lpAb) {
  if (!CheckBackColor(pSii)) return 0;
  for (HBRUSH& h : lpAb->hBrush) DeleteOrReport(hWnd, reinterpret_cast<HGDIOBJ*>(&h), "hBrush");
  DeleteOrReport(hWnd, reinterpret_cast<HGDIOBJ*>(&lpAb->hPal), "hPal");
  LOGPALETTE* lp = lpAb->lpLogPal;
  lp->palVersion = 0x300;
  lp->palNumEntries = kPaletteSize;
  for (int i = 0; i < kPaletteSize; ++i) {
    const CanvasColor cr = PaletteRgb(pSii->bBackColor, i);
    lp->palPalEntry[i].peRed = GetRValue(cr);
    lp->palPalEntry[i].peGreen = GetGValue(cr);
    lp->palPalEntry[i].peBlue = GetBValue(cr);
    lp->palPalEntry[i].peFlags = i < kReservedEntries ? PC_RESERVED : 0;
  }
  lpAb->hPal = CreatePalette(lp);
  if (!lpAb->hPal) {
    AppOkMsg(hWnd, "エラー", "メモリー不足か、デバイスがパレット操作をサポート", "していないため、ホロミラのオリジナル",
             "パレットを作れませんでした。");
    lpAb->bState1 |= kState1NoPalette;
    return 0;
  }
  lpAb->bState1 &= static_cast<uint8_t>(~kState1NoPalette);
  for (int i = 0; i < kNumBrushes; ++i) lpAb->hBrush[i] = CreateSolidBrush(PALETTEINDEX(i));
  lpAb->view.iBackColor = pSii->bBackColor;
  return 1;
}

void DeleteMainWindowGdi(HWND hWnd, AppState* lpAb) {
  for (HBITMAP& h : lpAb->hBmp) DeleteOrReport(hWnd, reinterpret_cast<HGDIOBJ*>(&h), "hBmp");
  for (HBRUSH& h : lpAb->hBrush) DeleteOrReport(hWnd, reinterpret_cast<HGDIOBJ*>(&h), "hBrush");
  for (HPEN& h : lpAb->hPen) DeleteOrReport(hWnd, reinterpret_cast<HGDIOBJ*>(&h), "hPen");
  DeleteOrReport(hWnd, reinterpret_cast<HGDIOBJ*>(&lpAb->hBmpHoromiraIcon), "hBmpHoromiraIcon");
}

void DeleteMainPalette(HWND hWnd, AppState* lpAb) {
  if (lpAb->lpLogPal) {
    HeapFree(GetProcessHeap(), 0, lpAb->lpLogPal);
    lpAb->lpLogPal = nullptr;
  }
  if (lpAb->hPal && !DeleteObject(lpAb->hPal)) ReportErrorLines(hWnd, "!DeleteObject(lpAb->hPal)", "WM_DESTROY");
  lpAb->hPal = nullptr;
}

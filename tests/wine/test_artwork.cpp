// The artwork resources of Horomap.exe as Windows loads them: the 26 glyph
// bitmaps (15 x 15) copied with SRCAND onto the wheel's light grey leave
// exactly glyph AND grey, with a visible stroke; the toolbar strip (400 x 16)
// takes the button-face colour where it is light grey when mapped as the
// toolbar maps it; the title bitmap is 32 x 32; icon 999 has 48, 32 and 16
// pixel images and icon 1000 a 16 pixel one.
//
// Usage (as run.sh calls every test): test_artwork HOROMAP_EXE WORK_DIR SHOT_DIR
#include "wine_common.h"  // <windows.h> first: <commctrl.h> needs it

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

constexpr COLORREF kWheelGrey = RGB(192, 192, 192);

// Width and height of a loaded bitmap, or 0 x 0 for none.
SIZE BitmapSize(HBITMAP hBmp) {
  BITMAP bm = {};
  if (!hBmp || !GetObjectA(hBmp, sizeof bm, &bm)) return SIZE{0, 0};
  return SIZE{bm.bmWidth, bm.bmHeight};
}

std::string Named(const char* szWhat, int iId) {
  char sz[96];
  snprintf(sz, sizeof sz, "%s %d", szWhat, iId);
  return sz;
}

// Copies glyph iId with SRCAND onto a light-grey 15 x 15 surface, as the
// wheel does, and compares every pixel with the glyph ANDed with the grey.
void CheckGlyph(HMODULE hExe, HDC hdcScreen, int iId) {
  HBITMAP hGlyph = LoadBitmapA(hExe, MAKEINTRESOURCEA(iId));
  const SIZE size = BitmapSize(hGlyph);
  if (!ExpectTrue(Named("glyph loads as 15 x 15:", iId).c_str(), size.cx == 15 && size.cy == 15)) {
    if (hGlyph) DeleteObject(hGlyph);
    return;
  }
  HDC hdcGlyph = CreateCompatibleDC(hdcScreen);
  HDC hdcWheel = CreateCompatibleDC(hdcScreen);
  HBITMAP hWheel = CreateCompatibleBitmap(hdcScreen, 15, 15);
  HGDIOBJ hOldGlyph = SelectObject(hdcGlyph, hGlyph);
  HGDIOBJ hOldWheel = SelectObject(hdcWheel, hWheel);
  HBRUSH hGrey = CreateSolidBrush(kWheelGrey);
  RECT rc = {0, 0, 15, 15};
  FillRect(hdcWheel, &rc, hGrey);
  BitBlt(hdcWheel, 0, 0, 15, 15, hdcGlyph, 0, 0, SRCAND);

  int nWrong = 0, nStroke = 0;
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 15; ++x) {
      const COLORREF want = GetPixel(hdcGlyph, x, y) & kWheelGrey;
      const COLORREF got = GetPixel(hdcWheel, x, y);
      nWrong += got != want;
      nStroke += got != kWheelGrey;
    }
  }
  ExpectEqual(Named("pixels of glyph AND grey differing, glyph", iId).c_str(), nWrong, 0);
  ExpectTrue(Named("glyph leaves at least 12 stroke pixels on grey:", iId).c_str(), nStroke >= 12);

  SelectObject(hdcGlyph, hOldGlyph);
  SelectObject(hdcWheel, hOldWheel);
  DeleteObject(hGrey);
  DeleteObject(hWheel);
  DeleteDC(hdcWheel);
  DeleteDC(hdcGlyph);
  DeleteObject(hGlyph);
}

// The toolbar strip mapped as the common controls map it: light grey turns
// into the button face.
void CheckToolbar(HMODULE hExe, HDC hdcScreen) {
  HBITMAP hStrip = LoadBitmapA(hExe, MAKEINTRESOURCEA(1280));
  const SIZE size = BitmapSize(hStrip);
  ExpectTrue("toolbar strip loads as 400 x 16", size.cx == 400 && size.cy == 16);
  if (hStrip) DeleteObject(hStrip);

  HBITMAP hMapped = CreateMappedBitmap(hExe, 1280, 0, nullptr, 0);
  if (!ExpectTrue("toolbar strip maps to the button colours", hMapped != nullptr)) return;
  HDC hdc = CreateCompatibleDC(hdcScreen);
  HGDIOBJ hOld = SelectObject(hdc, hMapped);
  int nFace = 0;
  for (int i = 0; i < 25; ++i) nFace += GetPixel(hdc, 16 * i, 0) == GetSysColor(COLOR_BTNFACE);
  ExpectEqual("toolbar images whose top-left corner is the button face", nFace, 25);
  SelectObject(hdc, hOld);
  DeleteDC(hdc);
  DeleteObject(hMapped);
}

void CheckIcon(HMODULE hExe, int iId, int iSize) {
  HICON hIcon = static_cast<HICON>(LoadImageA(hExe, MAKEINTRESOURCEA(iId), IMAGE_ICON, iSize, iSize, 0));
  ICONINFO ii = {};
  BITMAP bm = {};
  const bool bOk = hIcon && GetIconInfo(hIcon, &ii) && GetObjectA(ii.hbmColor, sizeof bm, &bm) &&
                   bm.bmWidth == iSize && bm.bmHeight == iSize;
  char sz[64];
  snprintf(sz, sizeof sz, "icon %d has a %d x %d image", iId, iSize, iSize);
  ExpectTrue(sz, bOk);
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);
  if (hIcon) DestroyIcon(hIcon);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: test_artwork HOROMAP_EXE [WORK_DIR SHOT_DIR]\n");
    return 2;
  }
  HMODULE hExe = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!ExpectTrue("Horomap.exe opens as a resource file", hExe != nullptr)) return Finish("test_artwork");
  HDC hdcScreen = GetDC(nullptr);

  for (int iId = 700; iId <= 713; ++iId) CheckGlyph(hExe, hdcScreen, iId);
  for (int iId = 3101; iId <= 3112; ++iId) CheckGlyph(hExe, hdcScreen, iId);
  CheckToolbar(hExe, hdcScreen);
  HBITMAP hTitle = LoadBitmapA(hExe, MAKEINTRESOURCEA(5000));
  const SIZE title = BitmapSize(hTitle);
  ExpectTrue("title bitmap loads as 32 x 32", title.cx == 32 && title.cy == 32);
  if (hTitle) DeleteObject(hTitle);
  for (int iSize : {48, 32, 16}) CheckIcon(hExe, 999, iSize);
  CheckIcon(hExe, 1000, 16);

  ReleaseDC(nullptr, hdcScreen);
  FreeLibrary(hExe);
  return Finish("test_artwork");
}

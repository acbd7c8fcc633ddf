// The GDI canvas: the chart view painted into a device context of the main
// window, with the program's palette, bitmaps and fonts.
#pragma once

#include <windows.h>

#include "chart/canvas.h"
#include "chart/chart_view.h"

// Number of chart bitmaps: the 12 signs (3101..3112), then the 14 points
// (700..713).
constexpr int kNumChartBitmaps = 26;

// The GDI objects the chart view is drawn with, made once for the window.
struct GdiResources {
  HPALETTE hPal;                   // the program's 16-entry palette
  HBITMAP hBmp[kNumChartBitmaps];  // sign glyphs, then point glyphs
  HBITMAP hBmpTitle;               // the 32 x 32 title bitmap (5000)
};

// CreateGdiResources: loads the 26 glyph bitmaps and the title bitmap and
// builds the palette for background setting iBackColor (entries 0 and 1
// reserved).  Returns 1, or 0 with everything made so far deleted.
int CreateGdiResources(HINSTANCE hInstance, int iBackColor, GdiResources* pRes);
// DeleteGdiResources: deletes what CreateGdiResources made.
void DeleteGdiResources(GdiResources* pRes);

// What a GDI canvas draws into: a device context with the palette selected
// and realized, the window that owns the quick-menu buttons, the bitmaps.
// The main window sets the first three; a picture of the chart (a bitmap,
// a metafile, a printed page) sets the others as well.
struct GdiCanvas {
  HDC hdc;
  HWND hWnd;  // owner of the quick-menu buttons; null: no buttons (a picture)
  const GdiResources* pRes;
  // Pictures: texts are measured and points converted on this context of
  // the screen, so that the picture is laid out as the window is whatever
  // hdc is (a printer at 600 dpi, a metafile) and however hdc's mapping
  // mode scales it.  Null: hdc itself (the window).
  HDC hdcMeasure;
  // Pictures: palette colours are given as the RGB values of the palette
  // under background setting iBackColor (no palette is selected into a
  // printer or a metafile, and a pasted metafile meets other palettes).
  int bResolveColors;
  int iBackColor;
  // Pictures on devices without raster operations (printers, metafiles
  // pasted elsewhere): a glyph is drawn as rectangles of its non-white
  // pixels instead of an SRCAND copy.
  int bGlyphRects;
};

// TopDownBitmapInfo: the description of a device-independent bitmap of
// iWidth x iHeight pixels, iBits (24 or 32) per pixel, top row first.
BITMAPINFO TopDownBitmapInfo(int iWidth, int iHeight, int iBits);

// MakeGdiCanvas: the canvas of *pGdi.  Fonts: the stock system fixed font,
// "Courier New", "Times New Roman", "Times New Roman Bold" and "ＭＳ ゴシック"
// as the drawing asks for them, points converted with the vertical dots
// per inch of hdcMeasure (or hdc); a picture gets a font made from the
// stock font's description, which its mapping mode scales.  Bitmaps are
// combined with SRCAND (white is transparent), or drawn as rectangles
// (bGlyphRects).  Every object it selects is selected out again before it
// is deleted.
Canvas MakeGdiCanvas(GdiCanvas* pGdi);

// SystemFixedFont: the program's fixed-pitch font.  On a Windows whose code
// page is Japanese (932) it is the system fixed font, as it always was;
// elsewhere that font has no Japanese, and the program uses a Japanese
// fixed-pitch font of the same cell size (8 x 16 pixels) instead, made once.
// Never deleted by the caller.
HGDIOBJ SystemFixedFont();

// DestroyQuickMenuButtons: removes the four buttons of the quick-menu card
// (ids 57049..57052).  Returns whether there were any.
bool DestroyQuickMenuButtons(HWND hWnd);

// HideQuickMenuCard: removes the buttons and has the card's place (with
// its shadow) painted again.
void HideQuickMenuCard(HWND hWnd, const ChartViewState& state);

// A GDI object selected into a device context for one scope: the object
// that was selected before is selected back when the scope ends, so that
// an object is never deleted while it is selected.  Declare the guard after
// the object's owner so that it is destroyed first.
struct SelectedObject {
  HDC hdc;
  HGDIOBJ hOld;
  SelectedObject(HDC h, HGDIOBJ hObject) : hdc(h), hOld(SelectObject(h, hObject)) {}
  ~SelectedObject() { SelectObject(hdc, hOld); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
};

// A GDI object deleted when the scope ends (stock objects need none).
struct OwnedObject {
  HGDIOBJ h;
  explicit OwnedObject(HGDIOBJ hObject) : h(hObject) {}
  ~OwnedObject() {
    if (h) DeleteObject(h);
  }
  OwnedObject(const OwnedObject&) = delete;
  OwnedObject& operator=(const OwnedObject&) = delete;
};

// The palette selected into a device context and realized for one scope.
struct SelectedPalette {
  HDC hdc;
  HPALETTE hOld;
  SelectedPalette(HDC h, HPALETTE hPal) : hdc(h), hOld(hPal ? SelectPalette(h, hPal, FALSE) : nullptr) {
    if (hPal) RealizePalette(h);
  }
  ~SelectedPalette() {
    if (hOld) SelectPalette(hdc, hOld, FALSE);
  }
  SelectedPalette(const SelectedPalette&) = delete;
  SelectedPalette& operator=(const SelectedPalette&) = delete;
};

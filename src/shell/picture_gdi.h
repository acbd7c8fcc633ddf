// The chart as a picture drawn with GDI: the chart area as the window
// paints it, drawn again through the GDI canvas (chart/chart_picture.h)
// into a bitmap (PNG files and CF_DIB), an enhanced metafile
// (CF_ENHMETAFILE) or a printed page, laid out on the screen's context so
// that every picture is the window's.  Nothing here needs the main window:
// the Wine tests draw pages in-process.
#pragma once

#include <windows.h>

#include <string>

#include "chart/chart_view.h"
#include "shell/gdi_canvas.h"
#include "shell/logic/picture_rules.h"

// What a picture is drawn from: the chart slots, the view's inputs, the
// bitmaps, the size of the chart area (pixels of the screen).
struct PictureSource {
  ChartSlots* pSlots;
  const ChartViewState* pView;
  const GdiResources* pRes;
  int iWidth, iHeight;
};

// RenderPictureBits: the picture at iScale times its size as 24-bit
// pixels, rows top first, each row padded to 4 bytes (*piStride).  Returns
// 1, or 0 when the bitmap could not be made.
int RenderPictureBits(const PictureSource& src, int iScale, std::string* psBits, int* piStride);

// EncodePng: 24-bit pixels (blue, green, red; rows top first) as a PNG file
// through the Windows Imaging Component.  Returns 1, or 0 with *phr the
// failing call's result.
int EncodePng(const std::string& sBits, int iWidth, int iHeight, int iStride, std::string* psPng, HRESULT* phr);

// MakePictureMetafile: the picture as an enhanced metafile of the screen's
// resolution (its frame the picture's size in 0.01 mm).  Null on failure.
HENHMETAFILE MakePictureMetafile(const PictureSource& src);

// MakePictureDib: the picture as a packed device-independent bitmap (a
// BITMAPINFOHEADER and 24-bit rows bottom first) in a movable global
// block, for CF_DIB.  Null on failure.
HGLOBAL MakePictureDib(const PictureSource& src);

// PrintPictureOnPage: one page on hdc: the picture fitted to the page
// (FitPictureToPage; the page's device pixels are hdc's units) through a
// mapping mode that scales the screen's pixels, clipped to its place, and
// the footer line szFooter in ＭＳ ゴシック of kPrintFooterPoints.  The page
// is not started or ended here.  Returns 1, or 0 when the page leaves no
// room.  *pLayout (may be null) receives where the parts went.
int PrintPictureOnPage(HDC hdc, const PrintPage& page, const PictureSource& src, const char* szFooter,
                       PrintLayout* pLayout);

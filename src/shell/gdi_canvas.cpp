// The GDI canvas.
#include "shell/gdi_canvas.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/win32_text.h"

namespace {

constexpr int kIdBmpSignLast = kIdBmpSignFirst + 11;
constexpr int kIdBmpPointLast = kIdBmpPointFirst + kNumChartPoints - 1;

GdiCanvas* Gdi(void* p) { return static_cast<GdiCanvas*>(p); }

// The bitmap of a resource id, or null.
HBITMAP BitmapOf(const GdiResources& res, int iResourceId) {
  if (iResourceId >= kIdBmpSignFirst && iResourceId <= kIdBmpSignLast) {
    return res.hBmp[iResourceId - kIdBmpSignFirst];
  }
  if (iResourceId >= kIdBmpPointFirst && iResourceId <= kIdBmpPointLast) {
    return res.hBmp[12 + iResourceId - kIdBmpPointFirst];
  }
  return iResourceId == kIdBmpTitle ? res.hBmpTitle : nullptr;
}

// The context texts are measured on and points converted with.
HDC MeasureDc(const GdiCanvas& g) { return g.hdcMeasure ? g.hdcMeasure : g.hdc; }

// A picture's colours are RGB values (bResolveColors).
COLORREF ColorOf(const GdiCanvas& g, CanvasColor cr) {
  return g.bResolveColors ? ResolveColor(cr, g.iBackColor) : cr;
}

// A font as the drawing describes it: the stock system fixed font, or a new
// font the caller deletes (OwnedObject).  A picture's system fixed font is
// made from the stock font's description: a stock font is not scaled by a
// mapping mode and a printer has its own.
HFONT MakeFont(const GdiCanvas& g, const CanvasFont& f) {
  static const char* const kFaceNames[] = {"", "Courier New", "Times New Roman", "Times New Roman Bold",
                                           "ＭＳ ゴシック"};
  if (f.iFace <= kFaceSystemFixed || f.iFace > kFaceMsGothic) {
    if (!g.hdcMeasure) return nullptr;
    LOGFONTW lf{};
    if (!GetObjectW(SystemFixedFont(), sizeof lf, &lf)) return nullptr;
    return CreateFontIndirectW(&lf);
  }
  const int iHeight =
      f.iPoints > 0 ? -MulDiv(f.iPoints, GetDeviceCaps(MeasureDc(g), LOGPIXELSY), 72) : f.iHeight;
  const DWORD dwCharset = f.iFace == kFaceMsGothic ? SHIFTJIS_CHARSET : ANSI_CHARSET;
  return CreateFontW(iHeight, f.iWidth, 0, 0, f.iWeight, f.bItalic, FALSE, FALSE, dwCharset,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     WideFromSjis(kFaceNames[f.iFace]).c_str());
}

HGDIOBJ FontObject(HFONT hFont) { return hFont ? static_cast<HGDIOBJ>(hFont) : SystemFixedFont(); }

void GdiCircle(void* p, const CanvasTag&, int cx, int cy, int r, CanvasColor crPen, CanvasColor crFill) {
  const GdiCanvas& g = *Gdi(p);
  const HDC hdc = g.hdc;
  OwnedObject pen(CreatePen(PS_SOLID, 1, ColorOf(g, crPen)));
  OwnedObject brush(crFill == kCanvasNone ? nullptr : CreateSolidBrush(ColorOf(g, crFill)));
  SelectedObject selPen(hdc, pen.h);
  SelectedObject selBrush(hdc, brush.h ? brush.h : GetStockObject(NULL_BRUSH));
  Ellipse(hdc, cx - r, cy - r, cx + r, cy + r);
}

void DrawLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF cr) {
  OwnedObject pen(CreatePen(PS_SOLID, 1, cr));
  SelectedObject sel(hdc, pen.h);
  MoveToEx(hdc, x1, y1, nullptr);
  LineTo(hdc, x2, y2);
}

void GdiLine(void* p, const CanvasTag&, int x1, int y1, int x2, int y2, CanvasColor crPen) {
  DrawLine(Gdi(p)->hdc, x1, y1, x2, y2, ColorOf(*Gdi(p), crPen));
}

void FillWith(HDC hdc, const RECT& r, COLORREF cr) {
  OwnedObject brush(CreateSolidBrush(cr));
  FillRect(hdc, &r, static_cast<HBRUSH>(brush.h));
}

void GdiFillRect(void* p, const CanvasTag&, const CanvasRect& rc, CanvasColor crFill) {
  FillWith(Gdi(p)->hdc, RECT{rc.left, rc.top, rc.right, rc.bottom}, ColorOf(*Gdi(p), crFill));
}

void GdiFrame3D(void* p, const CanvasTag&, const CanvasRect& rc) {
  const HDC hdc = Gdi(p)->hdc;
  const COLORREF crLight = GetSysColor(COLOR_BTNHIGHLIGHT), crShadow = GetSysColor(COLOR_BTNSHADOW);
  const int r = rc.right - 1, b = rc.bottom - 1;
  DrawLine(hdc, rc.left, b, rc.left, rc.top, crLight);
  DrawLine(hdc, rc.left, rc.top, r, rc.top, crLight);
  DrawLine(hdc, r, rc.top, r, b, crShadow);
  DrawLine(hdc, r, b, rc.left - 1, b, crShadow);
}

void GdiText(void* p, const CanvasTag&, int x, int y, const char* szText, const CanvasFont& font,
             CanvasColor crText, CanvasColor crBack) {
  const GdiCanvas& g = *Gdi(p);
  const HDC hdc = g.hdc;
  OwnedObject hFont(MakeFont(g, font));
  SelectedObject sel(hdc, FontObject(static_cast<HFONT>(hFont.h)));
  SetTextColor(hdc, ColorOf(g, crText));
  if (crBack == kCanvasNone) {
    SetBkMode(hdc, TRANSPARENT);
  } else {
    SetBkMode(hdc, OPAQUE);
    SetBkColor(hdc, ColorOf(g, crBack));
  }
  const std::wstring w = WideFromSjis(szText);
  TextOutW(hdc, x, y, w.c_str(), static_cast<int>(w.size()));
}

int GdiTextWidth(void* p, const CanvasFont& font, const char* szText) {
  const GdiCanvas& g = *Gdi(p);
  const HDC hdc = MeasureDc(g);
  OwnedObject hFont(MakeFont(g, font));
  SelectedObject sel(hdc, FontObject(static_cast<HFONT>(hFont.h)));
  SIZE size{};
  const std::wstring w = WideFromSjis(szText);
  GetTextExtentPoint32W(hdc, w.c_str(), static_cast<int>(w.size()), &size);
  return size.cx;
}

int GdiLineHeight(void* p, const CanvasFont& font) {
  const GdiCanvas& g = *Gdi(p);
  const HDC hdc = MeasureDc(g);
  OwnedObject hFont(MakeFont(g, font));
  SelectedObject sel(hdc, FontObject(static_cast<HFONT>(hFont.h)));
  TEXTMETRICW tm{};
  GetTextMetricsW(hdc, &tm);
  return tm.tmHeight + tm.tmExternalLeading;
}

// A glyph as rectangles of its non-white pixels, each run of one colour
// along a row one rectangle: what every device draws, at any scale.
void DrawGlyphRects(const GdiCanvas& g, HBITMAP hBmp, int x, int y) {
  BITMAP bm{};
  if (!GetObjectW(hBmp, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return;
  const int w = bm.bmWidth, h = bm.bmHeight;
  BITMAPINFO bi = TopDownBitmapInfo(w, h, 32);
  std::vector<DWORD> px(static_cast<size_t>(w) * h);
  const HDC hScreen = GetDC(nullptr);
  const int nRows = GetDIBits(hScreen, hBmp, 0, h, px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, hScreen);
  if (nRows != h) return;
  for (int row = 0; row < h; ++row) {
    const DWORD* pRow = &px[static_cast<size_t>(row) * w];
    for (int col = 0; col < w;) {
      const DWORD c = pRow[col] & 0xFFFFFF;  // 0x00rrggbb
      int end = col + 1;
      while (end < w && (pRow[end] & 0xFFFFFF) == c) ++end;
      if (c != 0xFFFFFF) {
        // White is transparent.  A stroke shows in its own dark colour,
        // where the SRCAND copy shows that colour ANDed with what is below.
        FillWith(g.hdc, RECT{x + col, y + row, x + end, y + row + 1}, RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF));
      }
      col = end;
    }
  }
}

void GdiBitmap(void* p, const CanvasTag&, int iResourceId, int x, int y) {
  const GdiCanvas& g = *Gdi(p);
  const HBITMAP hBmp = BitmapOf(*g.pRes, iResourceId);
  if (!hBmp) return;
  if (g.bGlyphRects) {
    DrawGlyphRects(g, hBmp, x, y);
    return;
  }
  BITMAP bm{};
  GetObjectW(hBmp, sizeof bm, &bm);
  const HDC hMem = CreateCompatibleDC(MeasureDc(g));
  if (!hMem) return;
  {
    SelectedObject sel(hMem, hBmp);
    if (g.hdcMeasure) {
      // A picture's mapping mode may scale: the copy is stretched with it.
      StretchBlt(g.hdc, x, y, bm.bmWidth, bm.bmHeight, hMem, 0, 0, bm.bmWidth, bm.bmHeight, SRCAND);
    } else {
      BitBlt(g.hdc, x, y, bm.bmWidth, bm.bmHeight, hMem, 0, 0, SRCAND);
    }
  }
  DeleteDC(hMem);
}

void GdiButton(void* p, const CanvasTag&, int iId, const char* szCaption, int x, int y, int iSize) {
  const HWND hWnd = Gdi(p)->hWnd;
  if (const HWND hButton = GetDlgItem(hWnd, iId)) {
    MoveWindow(hButton, x, y, iSize, iSize, TRUE);
    return;
  }
  CreateWindowExW(0, L"BUTTON", WideFromSjis(szCaption).c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y, iSize, iSize, hWnd,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(iId)),
                  reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hWnd, GWLP_HINSTANCE)), nullptr);
}

}  // namespace

BITMAPINFO TopDownBitmapInfo(int iWidth, int iHeight, int iBits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = iWidth;
  bi.bmiHeader.biHeight = -iHeight;  // top row first
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(iBits);
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

HGDIOBJ SystemFixedFont() {
  static HGDIOBJ hFont = [] {
    if (GetACP() == 932) return GetStockObject(SYSTEM_FIXED_FONT);
    // The cell of the Japanese system fixed font: 16 pixels high, 8 wide
    // for a single-byte character.
    constexpr int kCellHeight = 16, kCellWidth = 8;
    HFONT h = CreateFontW(kCellHeight, kCellWidth, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                          WideFromSjis("ＭＳ ゴシック").c_str());
    return h ? static_cast<HGDIOBJ>(h) : GetStockObject(SYSTEM_FIXED_FONT);
  }();
  return hFont;
}

int CreateGdiResources(HINSTANCE hInstance, int iBackColor, GdiResources* pRes) {
  *pRes = GdiResources{};
  for (int i = 0; i < kNumChartBitmaps; ++i) {
    const int iId = i < 12 ? kIdBmpSignFirst + i : kIdBmpPointFirst + i - 12;
    pRes->hBmp[i] = LoadBitmapW(hInstance, MAKEINTRESOURCEW(iId));
  }
  pRes->hBmpTitle = LoadBitmapW(hInstance, MAKEINTRESOURCEW(kIdBmpTitle));
  // The palette description: 16 entries, the background and its companion reserved.
  struct {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY entries[kPaletteSize];
  } pal{0x300, kPaletteSize, {}};
  for (int i = 0; i < kPaletteSize; ++i) {
    const CanvasColor rgb = PaletteRgb(iBackColor, i);
    pal.entries[i] = PALETTEENTRY{GetRValue(rgb), GetGValue(rgb), GetBValue(rgb),
                                  static_cast<BYTE>(i < 2 ? PC_RESERVED : 0)};
  }
  pRes->hPal = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&pal));
  bool bOk = pRes->hPal && pRes->hBmpTitle;
  for (HBITMAP h : pRes->hBmp) bOk = bOk && h;
  if (!bOk) DeleteGdiResources(pRes);
  return bOk ? 1 : 0;
}

void DeleteGdiResources(GdiResources* pRes) {
  for (HBITMAP& h : pRes->hBmp) {
    if (h) DeleteObject(h);
    h = nullptr;
  }
  if (pRes->hBmpTitle) DeleteObject(pRes->hBmpTitle);
  if (pRes->hPal) DeleteObject(pRes->hPal);
  pRes->hBmpTitle = nullptr;
  pRes->hPal = nullptr;
}

Canvas MakeGdiCanvas(GdiCanvas* pGdi) {
  Canvas c{};
  c.pContext = pGdi;
  c.Circle = GdiCircle;
  c.Line = GdiLine;
  c.FillRect = GdiFillRect;
  c.Frame3D = GdiFrame3D;
  c.Text = GdiText;
  c.TextWidth = GdiTextWidth;
  c.LineHeight = GdiLineHeight;
  c.Bitmap = GdiBitmap;
  c.Button = pGdi->hWnd ? GdiButton : nullptr;
  return c;
}

bool DestroyQuickMenuButtons(HWND hWnd) {
  bool bAny = false;
  for (int i = 0; i < 4; ++i) {
    if (const HWND hButton = GetDlgItem(hWnd, kIdQuickMenuFirst + i)) {
      DestroyWindow(hButton);
      bAny = true;
    }
  }
  return bAny;
}

void HideQuickMenuCard(HWND hWnd, const ChartViewState& state) {
  DestroyQuickMenuButtons(hWnd);
  constexpr int kShadow = 5;
  const RECT rc{state.iQuickLeft, state.iQuickTop, state.iQuickLeft + state.iQuickSize + kShadow,
                state.iQuickTop + state.iQuickSize + kShadow};
  InvalidateRect(hWnd, &rc, FALSE);
}

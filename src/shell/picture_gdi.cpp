// The chart as a picture drawn with GDI.
#include "shell/picture_gdi.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstring>

#include "base/version.h"
#include "chart/chart_picture.h"
#include "platform/win32/win32_text.h"

namespace {

// The identifiers of the Windows Imaging Component this file uses, written
// here rather than taken from a GUID library.
const CLSID kClsidWicImagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
const IID kIidWicImagingFactory = {0xec5ec8a9, 0xc395, 0x4314, {0x9c, 0x77, 0x54, 0xd7, 0xa9, 0x35, 0xff, 0x70}};
const GUID kContainerPng = {0x1b7cfaf4, 0x713f, 0x473c, {0xbb, 0xcd, 0x61, 0x37, 0x42, 0x5f, 0xae, 0xaf}};
const GUID kPixelFormat24bppBgr = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0c}};

// A COM interface released when the scope ends.
template <typename T>
struct ComRef {
  T* p = nullptr;
  ~ComRef() {
    if (p) p->Release();
  }
  T** Out() { return &p; }
};

// The screen's device context for one scope.
struct ScreenDc {
  HDC hdc = GetDC(nullptr);
  ~ScreenDc() {
    if (hdc) ReleaseDC(nullptr, hdc);
  }
};

// Draws the picture on hdc in its logical units (screen pixels), laid out
// on the screen's context; colours resolved under the view's background.
void DrawPicture(HDC hdc, const PictureSource& src, bool bGlyphRects) {
  ScreenDc screen;
  GdiCanvas gdi{hdc, nullptr, src.pRes, screen.hdc, 1, src.pView->iBackColor, bGlyphRects ? 1 : 0};
  PaintChartPicture(MakeGdiCanvas(&gdi), src.pSlots, *src.pView, src.iWidth, src.iHeight);
}

int Stride24(int iWidth) { return (iWidth * 3 + 3) & ~3; }

}  // namespace

int RenderPictureBits(const PictureSource& src, int iScale, std::string* psBits, int* piStride) {
  const int w = src.iWidth * iScale, h = src.iHeight * iScale;
  if (w <= 0 || h <= 0) return 0;
  ScreenDc screen;
  const HDC hMem = CreateCompatibleDC(screen.hdc);
  if (!hMem) return 0;
  BITMAPINFO bi = TopDownBitmapInfo(w, h, 24);
  void* pBits = nullptr;
  const HBITMAP hDib = CreateDIBSection(screen.hdc, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  int iResult = 0;
  if (hDib && pBits) {
    {
      SelectedObject sel(hMem, hDib);
      if (iScale != 1) {
        SetMapMode(hMem, MM_ANISOTROPIC);
        SetWindowExtEx(hMem, src.iWidth, src.iHeight, nullptr);
        SetViewportExtEx(hMem, w, h, nullptr);
      }
      DrawPicture(hMem, src, false);
      GdiFlush();
    }
    *piStride = Stride24(w);
    psBits->assign(static_cast<const char*>(pBits), static_cast<size_t>(*piStride) * h);
    iResult = 1;
  }
  if (hDib) DeleteObject(hDib);
  DeleteDC(hMem);
  return iResult;
}

int EncodePng(const std::string& sBits, int iWidth, int iHeight, int iStride, std::string* psPng, HRESULT* phr) {
  // COM for this thread, unless it already runs in another apartment
  // (then that one serves).
  const HRESULT hrInit = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HRESULT hr = S_OK;
  {
    ComRef<IWICImagingFactory> factory;
    ComRef<IStream> stream;
    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> props;
    WICPixelFormatGUID format = kPixelFormat24bppBgr;
    hr = CoCreateInstance(kClsidWicImagingFactory, nullptr, CLSCTX_INPROC_SERVER, kIidWicImagingFactory,
                          reinterpret_cast<void**>(factory.Out()));
    if (SUCCEEDED(hr)) hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.Out());
    if (SUCCEEDED(hr)) hr = factory.p->CreateEncoder(kContainerPng, nullptr, encoder.Out());
    if (SUCCEEDED(hr)) hr = encoder.p->Initialize(stream.p, WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) hr = encoder.p->CreateNewFrame(frame.Out(), props.Out());
    if (SUCCEEDED(hr)) hr = frame.p->Initialize(props.p);
    if (SUCCEEDED(hr)) hr = frame.p->SetSize(iWidth, iHeight);
    if (SUCCEEDED(hr)) hr = frame.p->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && !IsEqualGUID(format, kPixelFormat24bppBgr)) hr = E_FAIL;
    if (SUCCEEDED(hr)) {
      hr = frame.p->WritePixels(iHeight, iStride, static_cast<UINT>(sBits.size()),
                                reinterpret_cast<BYTE*>(const_cast<char*>(sBits.data())));
    }
    if (SUCCEEDED(hr)) hr = frame.p->Commit();
    if (SUCCEEDED(hr)) hr = encoder.p->Commit();
    STATSTG stat{};
    if (SUCCEEDED(hr)) hr = stream.p->Stat(&stat, STATFLAG_NONAME);
    HGLOBAL hMem = nullptr;
    if (SUCCEEDED(hr)) hr = GetHGlobalFromStream(stream.p, &hMem);
    if (SUCCEEDED(hr)) {
      const void* p = GlobalLock(hMem);
      if (p && stat.cbSize.QuadPart <= GlobalSize(hMem)) {
        psPng->assign(static_cast<const char*>(p), static_cast<size_t>(stat.cbSize.QuadPart));
      } else {
        hr = E_FAIL;
      }
      if (p) GlobalUnlock(hMem);
    }
  }
  if (SUCCEEDED(hrInit)) CoUninitialize();
  *phr = hr;
  return SUCCEEDED(hr) ? 1 : 0;
}

HENHMETAFILE MakePictureMetafile(const PictureSource& src) {
  if (src.iWidth <= 0 || src.iHeight <= 0) return nullptr;
  ScreenDc screen;
  // The frame in 0.01 mm: the picture's pixels at the screen's size of a pixel.
  const RECT rcFrame{0, 0,
                     MulDiv(src.iWidth, GetDeviceCaps(screen.hdc, HORZSIZE) * 100, GetDeviceCaps(screen.hdc, HORZRES)),
                     MulDiv(src.iHeight, GetDeviceCaps(screen.hdc, VERTSIZE) * 100, GetDeviceCaps(screen.hdc, VERTRES))};
  static const wchar_t kDescription[] = L"HoroMira " HORO_VERSION_TEXT L"\0chart\0";
  const HDC hdc = CreateEnhMetaFileW(screen.hdc, nullptr, &rcFrame, kDescription);
  if (!hdc) return nullptr;
  IntersectClipRect(hdc, 0, 0, src.iWidth, src.iHeight);
  DrawPicture(hdc, src, true);
  return CloseEnhMetaFile(hdc);
}

HGLOBAL MakePictureDib(const PictureSource& src) {
  std::string sBits;
  int iStride = 0;
  if (!RenderPictureBits(src, 1, &sBits, &iStride)) return nullptr;
  const size_t cbBits = static_cast<size_t>(iStride) * src.iHeight;
  const HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + cbBits);
  char* p = hMem ? static_cast<char*>(GlobalLock(hMem)) : nullptr;
  if (!p) {
    if (hMem) GlobalFree(hMem);
    return nullptr;
  }
  BITMAPINFOHEADER bih{};
  bih.biSize = sizeof bih;
  bih.biWidth = src.iWidth;
  bih.biHeight = src.iHeight;  // bottom row first, as every reader of CF_DIB expects
  bih.biPlanes = 1;
  bih.biBitCount = 24;
  bih.biCompression = BI_RGB;
  bih.biSizeImage = static_cast<DWORD>(cbBits);
  memcpy(p, &bih, sizeof bih);
  for (int y = 0; y < src.iHeight; ++y) {
    memcpy(p + sizeof bih + static_cast<size_t>(y) * iStride,
           sBits.data() + static_cast<size_t>(src.iHeight - 1 - y) * iStride, iStride);
  }
  GlobalUnlock(hMem);
  return hMem;
}

int PrintPictureOnPage(HDC hdc, const PrintPage& page, const PictureSource& src, const char* szFooter,
                       PrintLayout* pLayout) {
  PrintLayout lay;
  if (!FitPictureToPage(src.iWidth, src.iHeight, page, &lay)) return 0;
  if (pLayout) *pLayout = lay;
  const int iSaved = SaveDC(hdc);
  // One logical unit is one pixel of the screen's picture.
  SetMapMode(hdc, MM_ANISOTROPIC);
  SetWindowExtEx(hdc, src.iWidth, src.iHeight, nullptr);
  SetViewportExtEx(hdc, lay.rcPicture.right - lay.rcPicture.left, lay.rcPicture.bottom - lay.rcPicture.top, nullptr);
  SetViewportOrgEx(hdc, lay.rcPicture.left, lay.rcPicture.top, nullptr);
  IntersectClipRect(hdc, 0, 0, src.iWidth, src.iHeight);
  DrawPicture(hdc, src, true);
  RestoreDC(hdc, iSaved);
  // The footer in the page's own pixels.
  OwnedObject font(CreateFontW(-MulDiv(kPrintFooterPoints, page.iDpiY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                               FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               FIXED_PITCH | FF_MODERN, WideFromSjis("ＭＳ ゴシック").c_str()));
  SelectedObject sel(hdc, font.h ? font.h : GetStockObject(SYSTEM_FIXED_FONT));
  SetTextColor(hdc, RGB(0, 0, 0));
  SetBkMode(hdc, TRANSPARENT);
  const std::wstring wsFooter = WideFromSjis(szFooter);
  TextOutW(hdc, lay.rcFooter.left, lay.rcFooter.top, wsFooter.c_str(), static_cast<int>(wsFooter.size()));
  return 1;
}

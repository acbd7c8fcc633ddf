// The SVG canvas.
#include "chart/svg_canvas.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/chart_record.h"
#include "chart/glyph_art.h"
#include "platform/os_services.h"

namespace {

// How a face of the program is written in SVG: a family list with the
// Debian fonts that stand in for it, the cell height per em (GDI sizes
// cells, SVG sizes ems), the ascent per em (SVG places the baseline, GDI
// the cell's top) and the advance of one byte per em.
struct SvgFace {
  const char* szFamily;
  double dCellPerEm;
  double dAscentPerEm;
  double dBytePerEm;
};
const SvgFace kFaces[] = {
    {"'MS Gothic', 'IPAGothic', monospace", 1.0, 0.86, 0.5},                                 // system fixed
    {"'Courier New', 'Liberation Mono', 'DejaVu Sans Mono', monospace", 1.133, 0.833, 0.6},  // Courier New
    {"'Times New Roman', 'Liberation Serif', 'DejaVu Serif', serif", 1.107, 0.891, 0.5},  // Times New Roman
    {"'Times New Roman', 'Liberation Serif', 'DejaVu Serif', serif", 1.107, 0.891, 0.5},  // ... Bold
    {"'MS Gothic', 'IPAGothic', monospace", 1.0, 0.86, 0.5},  // ＭＳ ゴシック
};
constexpr int kSystemFixedHeight = 16;  // the system fixed font of a 96-dpi screen: 8 x 16 per byte
constexpr int kDotsPerInch = 96;

// System button colours of the three-dimensional frames.
const CanvasColor kHighlight = CanvasRgb(255, 255, 255);
const CanvasColor kShadow = CanvasRgb(128, 128, 128);

SvgCanvas* Svg(void* p) { return static_cast<SvgCanvas*>(p); }

const SvgFace& FaceOf(const CanvasFont& f) {
  return kFaces[f.iFace >= 0 && f.iFace <= kFaceMsGothic ? f.iFace : kFaceSystemFixed];
}

// The em of a font in pixels.
double EmOf(const CanvasFont& f) {
  if (f.iFace == kFaceSystemFixed) return kSystemFixedHeight;
  if (f.iPoints > 0) return f.iPoints * kDotsPerInch / 72.0;
  return f.iHeight / FaceOf(f).dCellPerEm;
}

// Width of one byte of text: the font's own width when it asks for one.
double ByteWidth(const CanvasFont& f) {
  if (f.iFace != kFaceSystemFixed && f.iWidth > 0) return f.iWidth;
  return EmOf(f) * FaceOf(f).dBytePerEm;
}

void Append(SvgCanvas* p, const char* szFormat, ...) __attribute__((format(printf, 2, 3)));
void Append(SvgCanvas* p, const char* szFormat, ...) {
  char sz[512];
  va_list args;
  va_start(args, szFormat);
  const int n = vsnprintf(sz, sizeof sz, szFormat, args);
  va_end(args);
  if (n > 0) p->sBody.append(sz, static_cast<size_t>(n) < sizeof sz ? n : sizeof sz - 1);
}

// "#rrggbb" of a canvas colour.
std::string Hex(const SvgCanvas* p, CanvasColor cr) {
  const CanvasColor rgb = ResolveColor(cr, p->iBackColor);
  char sz[8];
  snprintf(sz, sizeof sz, "#%02x%02x%02x", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  return sz;
}

// The opening of an element with its class (and a point glyph's point and ring).
void Open(SvgCanvas* p, const char* szElement, const CanvasTag& tag) {
  Append(p, "<%s class=\"%s\"", szElement, CanvasRoleName(tag.iRole));
  if (tag.iPoint >= 0 && tag.iPoint < kNumChartPoints) {
    Append(p, " data-point=\"%s\" data-ring=\"%s\"", kChartPointNames[tag.iPoint],
           tag.iRing == kRingInner ? "inner" : "outer");
  }
}

// A Shift-JIS text as XML character data in UTF-8.  Only the texts are
// converted: the rest of the document is ASCII.
std::string XmlText(const char* szCp932) {
  std::string s;
  for (const char* q = szCp932; *q; ++q) {
    switch (*q) {
      case '&': s += "&amp;"; break;
      case '<': s += "&lt;"; break;
      case '>': s += "&gt;"; break;
      default: s += *q;
    }
  }
  const bool bAscii = std::all_of(s.begin(), s.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
  return bAscii ? s : PlatformCp932ToUtf8(s);
}

void SvgCircle(void* pv, const CanvasTag& tag, int cx, int cy, int r, CanvasColor crPen, CanvasColor crFill) {
  SvgCanvas* p = Svg(pv);
  Open(p, "circle", tag);
  Append(p, " cx=\"%d.5\" cy=\"%d.5\" r=\"%d\" stroke=\"%s\" fill=\"%s\"/>\n", cx, cy, r,
         Hex(p, crPen).c_str(), crFill == kCanvasNone ? "none" : Hex(p, crFill).c_str());
}

void SvgLine(void* pv, const CanvasTag& tag, int x1, int y1, int x2, int y2, CanvasColor crPen) {
  SvgCanvas* p = Svg(pv);
  Open(p, "line", tag);
  Append(p, " x1=\"%d.5\" y1=\"%d.5\" x2=\"%d.5\" y2=\"%d.5\" stroke=\"%s\"/>\n", x1, y1, x2, y2,
         Hex(p, crPen).c_str());
}

void SvgFillRect(void* pv, const CanvasTag& tag, const CanvasRect& rc, CanvasColor crFill) {
  SvgCanvas* p = Svg(pv);
  Open(p, "rect", tag);
  Append(p, " x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n", rc.left, rc.top,
         rc.right - rc.left, rc.bottom - rc.top, Hex(p, crFill).c_str());
}

void SvgFrame3D(void* pv, const CanvasTag& tag, const CanvasRect& rc) {
  const int r = rc.right - 1, b = rc.bottom - 1;
  SvgLine(pv, tag, rc.left, rc.top, r, rc.top, kHighlight);
  SvgLine(pv, tag, rc.left, rc.top, rc.left, b, kHighlight);
  SvgLine(pv, tag, rc.left, b, r, b, kShadow);
  SvgLine(pv, tag, r, rc.top, r, b, kShadow);
}

int SvgTextWidth(void*, const CanvasFont& font, const char* szText) {
  return static_cast<int>(strlen(szText) * ByteWidth(font) + 0.5);
}

int SvgLineHeight(void*, const CanvasFont& font) {
  return static_cast<int>(EmOf(font) * FaceOf(font).dCellPerEm + 0.5);
}

void SvgText(void* pv, const CanvasTag& tag, int x, int y, const char* szText, const CanvasFont& font,
             CanvasColor crText, CanvasColor crBack) {
  SvgCanvas* p = Svg(pv);
  if (crBack != kCanvasNone) {
    SvgFillRect(pv, tag, CanvasRect{x, y, x + SvgTextWidth(pv, font, szText), y + SvgLineHeight(pv, font)},
                crBack);
  }
  const double dEm = EmOf(font);
  Open(p, "text", tag);
  Append(p, " x=\"%d\" y=\"%.1f\" font-family=\"%s\" font-size=\"%.1f\" fill=\"%s\"", x,
         y + dEm * FaceOf(font).dAscentPerEm, FaceOf(font).szFamily, dEm, Hex(p, crText).c_str());
  if (font.iWeight >= 600) Append(p, " font-weight=\"%s\"", font.iWeight >= 800 ? "900" : "bold");
  if (font.bItalic) Append(p, " font-style=\"italic\"");
  p->sBody += ">" + XmlText(szText) + "</text>\n";
}

void SvgBitmap(void* pv, const CanvasTag& tag, int iResourceId, int x, int y) {
  SvgCanvas* p = Svg(pv);
  const int iSide = iResourceId == 5000 ? 32 : 15;
  const char* szPng = GlyphArtPngBase64(iResourceId);
  if (!szPng) {
    // An image the program does not have: its outline.
    Open(p, "rect", tag);
    Append(p, " x=\"%d.5\" y=\"%d.5\" width=\"%d\" height=\"%d\" fill=\"none\" stroke=\"#000000\"/>\n", x, y,
           iSide - 1, iSide - 1);
    return;
  }
  Open(p, "image", tag);
  Append(p, " x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" xlink:href=\"data:image/png;base64,", x, y, iSide,
         iSide);
  p->sBody += szPng;
  p->sBody += "\"/>\n";
}

}  // namespace

Canvas MakeSvgCanvas(SvgCanvas* pSvg) {
  Canvas c{};
  c.pContext = pSvg;
  c.Circle = SvgCircle;
  c.Line = SvgLine;
  c.FillRect = SvgFillRect;
  c.Frame3D = SvgFrame3D;
  c.Text = SvgText;
  c.TextWidth = SvgTextWidth;
  c.LineHeight = SvgLineHeight;
  c.Bitmap = SvgBitmap;
  c.Button = nullptr;
  return c;
}

std::string SvgDocument(const SvgCanvas& svg, int iWidth, int iHeight) {
  char sz[400];
  snprintf(sz, sizeof sz,
           "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "class=\"chart-view\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\" xml:space=\"preserve\">\n",
           iWidth, iHeight, iWidth, iHeight);
  return sz + svg.sBody + "</svg>\n";
}

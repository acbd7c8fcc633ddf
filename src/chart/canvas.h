// The drawing surface of the chart view.
//
// The wheel, the summary panel, the text views and the quick-menu card are
// laid out once, in portable code, and drawn through these few calls.  A
// canvas is a record of function pointers with the context they work on:
// GDI in the shell (Horomap.exe: the window, and the pictures it prints,
// saves and copies), SVG (chart/svg_canvas.h: horomira chart --svg and
// Horomap.exe's SVG files), and a recording canvas in the unit tests.  Coordinates are pixels of the
// client area, x to the right and y downwards; a text is placed by the
// top-left corner of its first character cell.
#pragma once

#include <cstdint>

// A colour in the form of a Win32 COLORREF, so that the GDI canvas passes
// it through unchanged: 0x00bbggrr for an RGB value, 0x01000000 | i for
// entry i of the program's palette (PALETTEINDEX).
using CanvasColor = uint32_t;
constexpr CanvasColor CanvasRgb(int r, int g, int b) {
  return static_cast<CanvasColor>(r) | static_cast<CanvasColor>(g) << 8 | static_cast<CanvasColor>(b) << 16;
}
constexpr CanvasColor CanvasPaletteEntry(int i) { return 0x01000000u | static_cast<CanvasColor>(i); }
constexpr bool IsPaletteColor(CanvasColor cr) { return (cr & 0xFF000000u) == 0x01000000u; }
// No fill of a circle; a transparent text background.
constexpr CanvasColor kCanvasNone = 0xFFFFFFFFu;

// Number of entries of the program's palette.
constexpr int kPaletteSize = 16;
// Background settings (bBackColor): 0 grey-green (standard) .. 5 black.
constexpr int kNumBackgrounds = 6;

// PaletteRgb: the RGB value (CanvasRgb form) of palette entry iEntry
// (0..15) under background setting iBackColor (0..5).  Entry 0 is the
// background colour itself; entry 1 is (85, 0, 20), black on the black
// background; entries 2..15 are fixed.  An entry or setting out of range
// gives the standard palette's entry 0.
CanvasColor PaletteRgb(int iBackColor, int iEntry);

// ResolveColor: the RGB value of a canvas colour (palette entries looked up
// under iBackColor).
CanvasColor ResolveColor(CanvasColor cr, int iBackColor);

// Type faces of the drawing.
enum CanvasFace : int {
  kFaceSystemFixed = 0,    // the system fixed-pitch font (size given by the system)
  kFaceCourierNew,         // "Courier New"
  kFaceTimesNewRoman,      // "Times New Roman"
  kFaceTimesNewRomanBold,  // "Times New Roman Bold"
  kFaceMsGothic,           // "ＭＳ ゴシック"
};

// A font as the drawing asks for it.
struct CanvasFont {
  int iFace;    // CanvasFace
  int iPoints;  // size in points, converted with the surface's vertical dots per inch; 0 = use iHeight
  int iHeight;  // cell height in pixels when iPoints is 0
  int iWidth;   // average character width in pixels; 0 = the face's own for the height
  int iWeight;  // 400 normal, 700 bold, 900 heavy
  bool bItalic;
};
// The system fixed-pitch font.
constexpr CanvasFont kSystemFixedFont = {kFaceSystemFixed, 0, 0, 0, 400, false};

struct CanvasRect {
  int left, top, right, bottom;  // right and bottom exclusive
};

// What an element of the drawing is.  The SVG canvas writes it as the
// element's class; the recording canvas lets tests find elements by it.
enum CanvasRole : int {
  kRoleBackground = 0,  // the chart area's background
  kRoleTooSmall,        // the too-small fill and its text
  kRoleProductName,     // "HoroMira 5.4.0.2"
  kRoleWheelOuter,      // outer circle
  kRoleWheelInner,      // inner circle
  kRoleWheelMiddle,     // middle circle of the double circle
  kRoleSignLine,        // sign boundary
  kRoleSignGlyph,
  kRoleHouseLine,
  kRoleHouseNumber,
  kRolePointGlyph,  // with the chart point and the ring
  kRolePanelFrame,
  kRolePanelLine,   // the four title lines of the panel
  kRolePanelRow,    // a row of a chart point (label or position)
  kRolePanelNote,   // the " 詳細ﾃﾞｰﾀ → [Shift]+[D] " note
  kRoleAbnormal,    // "margin<4 Abnormal"
  kRoleTextHeader,  // header lines of the text views
  kRoleTextLine,    // lines of the text views
  kRoleTextNote,    // the " ﾁｬｰﾄの表示 → [Shift]+[C] " note
  kRoleQuickMenu,   // the quick-menu card and its texts
  kRoleQuickMenuButton,
  kRoleOverflow,  // the list of points the wheel could not place
  kNumCanvasRoles,
};

// CanvasRoleName: the class name of a role ("wheel-outer", "point-glyph" ...).
const char* CanvasRoleName(int iRole);

// Rings of a point glyph.
enum CanvasRing : int { kRingOuter = 0, kRingInner = 1 };

// What is drawn: the role, and for a point glyph its ChartPoint and ring
// (-1 and kRingOuter otherwise).
struct CanvasTag {
  int iRole;
  int iPoint;
  int iRing;
};
constexpr CanvasTag Tag(int iRole) { return CanvasTag{iRole, -1, kRingOuter}; }

// The surface.  Every function gets pContext first.  Texts are Shift-JIS.
struct Canvas {
  void* pContext;
  // A circle of radius r around (cx, cy), outlined in crPen, filled with
  // crFill or hollow (kCanvasNone).
  void (*Circle)(void* pContext, const CanvasTag& tag, int cx, int cy, int r, CanvasColor crPen,
                 CanvasColor crFill);
  // A line of width 1 from (x1, y1) to (x2, y2).
  void (*Line)(void* pContext, const CanvasTag& tag, int x1, int y1, int x2, int y2, CanvasColor crPen);
  void (*FillRect)(void* pContext, const CanvasTag& tag, const CanvasRect& rc, CanvasColor crFill);
  // A raised three-dimensional border inside rc in the system button
  // colours: highlight on the top and left edges, shadow on the bottom and
  // right.
  void (*Frame3D)(void* pContext, const CanvasTag& tag, const CanvasRect& rc);
  // A text with its cell's top-left corner at (x, y), on a transparent
  // background (crBack kCanvasNone) or an opaque one.
  void (*Text)(void* pContext, const CanvasTag& tag, int x, int y, const char* szText, const CanvasFont& font,
               CanvasColor crText, CanvasColor crBack);
  // Width in pixels of a text in a font.
  int (*TextWidth)(void* pContext, const CanvasFont& font, const char* szText);
  // Line height of a font: character height plus external leading, pixels.
  int (*LineHeight)(void* pContext, const CanvasFont& font);
  // One of the program's bitmaps (resource id: signs 3101..3112, points
  // 700..713, the title 5000) with its top-left corner at (x, y), combined
  // with what is below by AND: white is transparent.
  void (*Bitmap)(void* pContext, const CanvasTag& tag, int iResourceId, int x, int y);
  // A square push button of side iSize with its top-left corner at (x, y)
  // that sends command iId; a button of that id that exists is moved.  Null
  // on surfaces without windows (the button is then not drawn).
  void (*Button)(void* pContext, const CanvasTag& tag, int iId, const char* szCaption, int x, int y,
                 int iSize);
};

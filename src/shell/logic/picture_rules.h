// The window-free rules of the chart pictures of Horomap.exe: the file
// type of 図を保存 from the typed name and the chosen filter, the page
// layout of 図を印刷 (margins, the picture fitted with its aspect kept,
// the footer band) and the footer's text.  Portable, so the unit tests
// check them natively; shell/picture_commands.cpp applies them.
#pragma once

#include <cstddef>

#include "chart/canvas.h"
#include "platform/platform.h"

// --- 図を保存 ---------------------------------------------------------------

// Formats of a saved picture.
enum PictureFormat : int {
  kPicturePng = 1,  // PNG of the chart area's pixels (Windows Imaging Component)
  kPictureSvg = 2,  // SVG of the SVG canvas, as horomira chart --svg writes it
};

// The filters of the save dialog, by OPENFILENAME's 1-based nFilterIndex.
enum PictureFilter : int {
  kFilterPng = 1,    // "PNG 画像 (画面と同じ大きさ)"
  kFilterPng2x = 2,  // "PNG 画像 (2倍の大きさ・印刷向き)"
  kFilterSvg = 3,    // "SVG 画像"
};

// Longest path of a saved picture, with its terminating zero.
constexpr size_t kPicturePathMax = 260;

struct PictureFileChoice {
  int iFormat;                   // PictureFormat
  int iScale;                    // pixels of the file per pixel of the screen: 1 or 2 (PNG)
  int bExtensionAdded;           // the filter's extension was appended to the typed name
  char szPath[kPicturePathMax];  // the file to write (Shift-JIS)
};

// ChoosePictureFile: what to write for a name typed in the save dialog and
// the filter chosen there.  A name ending in ".png" or ".svg" (any case)
// is written in that format, a PNG at twice the size when the 2x filter
// was chosen; any other name gets the chosen filter's format and its
// extension appended.  A filter out of range counts as kFilterPng.
// Returns 1, or 0 for an empty name or a path that would not fit.
int ChoosePictureFile(const char* szTyped, int iFilterIndex, PictureFileChoice* pChoice);

// DefaultPictureName: the name the save dialog proposes: the person's name
// when it can name a file (not empty, no \ / : * ? " < > | and no control
// character), else "ホロミラの図".
void DefaultPictureName(const char* szPersonName, char* szOut, size_t cbOut);

// Why a picture was not saved, besides the SafeFileError codes (1..5) of
// persistence/safe_file.h.
enum : int {
  kPictureNotEncoded = 100,  // the PNG encoder (Windows Imaging Component) failed
  kPictureNotDrawn = 101,    // the bitmap of the picture could not be made
};
// PictureSaveFailure: the reason shown in the box, for a SafeFileError or
// one of the two above.
const char* PictureSaveFailure(int iError);

// --- 図を印刷 ---------------------------------------------------------------

// What GetDeviceCaps tells of a printer's page, device pixels.
struct PrintPage {
  int iWidth, iHeight;            // the printable area (HORZRES, VERTRES)
  int iDpiX, iDpiY;               // pixels per inch (LOGPIXELSX, LOGPIXELSY)
  int iOffsetX, iOffsetY;         // the printable area's offset from the paper's edges (PHYSICALOFFSETX/Y)
  int iPaperWidth, iPaperHeight;  // the paper (PHYSICALWIDTH/HEIGHT); 0: as the printable area
};

// Margins of the printed page from the paper's edges, and the footer band,
// in tenths of a millimetre.
constexpr int kPrintMargin = 150;     // 15 mm on every side (at least the printer's own)
constexpr int kPrintFooterBand = 60;  // 6 mm: the footer line
constexpr int kPrintFooterGap = 40;   // 4 mm between the picture and the footer
// Size of the footer's text, points.
constexpr int kPrintFooterPoints = 9;

// Where the parts of the page go, device pixels of the printable area
// (0, 0 at its top-left corner).
struct PrintLayout {
  CanvasRect rcPicture;  // the picture, scaled with its aspect kept
  CanvasRect rcFooter;   // the footer line, at the bottom margin
  double dScaleX;        // device pixels per picture pixel, across
  double dScaleY;        // ... and down (differs when the printer's dots are not square)
};

// FitPictureToPage: the picture of iPictureWidth x iPictureHeight screen
// pixels (square) on the page: inside the margins, above the footer band,
// as large as fits with its aspect kept on paper, centred across and at
// the top.  Returns 1, or 0 when the page leaves no room (or a size is not
// positive).
int FitPictureToPage(int iPictureWidth, int iPictureHeight, const PrintPage& page, PrintLayout* pLayout);

// Room for the footer's text.
constexpr size_t kPrintFooterSize = 96;

// MakePrintFooter: the footer of a printed page: the program's name and
// version and the date it was printed, "HoroMira 5.4.0.2    2025年1月2日 印刷".
void MakePrintFooter(const LocalClock& clock, char* szOut, size_t cbOut);

// PrintDialogFailure: the text of the box when the print dialog failed with
// CommDlgExtendedError's code (PDERR_NODEFAULTPRN 0x1008: no printer ...).
void PrintDialogFailure(unsigned long dwCode, char* szOut, size_t cbOut);

// The steps of printing a page whose failure is reported.
enum PrintStep : int { kPrintStartDoc = 1, kPrintStartPage, kPrintNoRoom, kPrintEndPage, kPrintEndDoc };
// PrintFailure: the text of the box when a step failed (dwError: GetLastError).
void PrintFailure(int iStep, unsigned long dwError, char* szOut, size_t cbOut);

// PrintBackground: the background setting a picture is printed under: the
// screen's (iBackColor), or the white one (kBackgroundWhite) when asked.
constexpr int kBackgroundWhite = 4;  // IDM_BACK_WHITE - IDM_BACK_FIRST
int PrintBackground(int iBackColor, bool bWhite);

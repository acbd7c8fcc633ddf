// The chart pictures: the picture of the chart view (no quick-menu card,
// the overflow list in a box, the SVG document), the file type of a saved
// picture, the printed page's layout and footer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "chart/chart_picture.h"
#include "chart/chart_text.h"
#include "chart/houses.h"
#include "chart/svg_canvas.h"
#include "chart_fixture.h"
#include "persistence/safe_file.h"
#include "recording_canvas.h"
#include "shell/logic/picture_rules.h"

namespace {

const double kBunched[kNumChartPoints] = {100,   100.5, 101,   101.5, 102,   102.5, 103,
                                          103.5, 104,   104.5, 105,   105.5, 106,   106.5};

ChartViewState State() {
  ChartViewState st{};
  st.HouseType = kHouseTypeEqualAsc;
  st.fScale = 1.0f;
  return st;
}

TEST(ChartPicture, LeavesOutTheQuickMenuAndTheFirstPaintSwitch) {
  ChartSlots& s = NatalSlots(kSpread);
  ChartViewState st = State();
  st.bQuickMenu = 1;
  st.bFirstPaint = 1;
  st.iQuickLeft = st.iQuickTop = 100;
  st.iQuickSize = 300;
  RecordingCanvas rc;
  EXPECT_EQ(PaintChartPicture(MakeRecordingCanvas(&rc), &s, st, 800, 560), 1);
  EXPECT_TRUE(rc.Find(kRoleQuickMenu).empty());
  EXPECT_TRUE(rc.Find(kRoleQuickMenuButton).empty());
  EXPECT_TRUE(rc.Find(kRoleOverflow).empty());
  EXPECT_EQ(rc.Find(kRolePointGlyph).size(), 14u);
  EXPECT_EQ(static_cast<int>(s.bCurSlot), static_cast<int>(kSlotNatal));  // not switched to the transit chart
}

TEST(ChartPicture, DrawsTheOverflowListInABox) {
  ChartSlots& s = NatalSlots(kBunched);
  RecordingCanvas rc;
  EXPECT_EQ(PaintChartPicture(MakeRecordingCanvas(&rc), &s, State(), 800, 300), 0);
  const auto box = rc.Find(kRoleOverflow);
  ASSERT_FALSE(box.empty());
  EXPECT_EQ(box[0].kind, kOpFill);
  EXPECT_EQ(box[0].cr, CanvasRgb(255, 255, 255));
  // Heading, an empty line and eight points: ten lines of 16 pixels.
  EXPECT_EQ(box[0].y2 - box[0].y1, 10 * 16 + 2 * kOverflowBoxPadding);
  EXPECT_EQ((box[0].x1 + box[0].x2) / 2, 400);
  EXPECT_NE(rc.FindText("ＭＣも合: short13"), nullptr);
  EXPECT_NE(rc.FindText("次のデータがチャートに描ききれません"), nullptr);
}

TEST(ChartPicture, SvgIsTheSvgCanvasDrawingOfThePicture) {
  ChartSlots& s = NatalSlots(kSpread);
  ChartViewState st = State();
  st.iBackColor = 2;
  st.fScale = 1.5f;  // the SVG picture is drawn with the SVG canvas's own factor
  const std::string sDoc = ChartSvgPicture(&s, st, 640, 480);
  SvgCanvas svg{std::string(), 2};
  ChartViewState st1 = State();
  st1.iBackColor = 2;
  ChartLayout layout;
  PaintChartView(MakeSvgCanvas(&svg), &s, &st1, ChartViewArea{640, 480, 0}, &layout);
  EXPECT_EQ(sDoc, SvgDocument(svg, 640, 480));
  EXPECT_NE(sDoc.find("width=\"640\" height=\"480\""), std::string::npos);
  // Texts are UTF-8.
  EXPECT_NE(sDoc.find(u8"出生図"), std::string::npos);
}

struct FileCase {
  const char* szTyped;
  int iFilter;
  int iResult;
  int iFormat;
  int iScale;
  const char* szPath;
};

TEST(PictureRules, FileTypeFromTheNameAndTheFilter) {
  const FileCase kCases[] = {
      {"C:\\図\\chart.png", kFilterPng, 1, kPicturePng, 1, "C:\\図\\chart.png"},
      {"C:\\図\\chart.png", kFilterPng2x, 1, kPicturePng, 2, "C:\\図\\chart.png"},
      {"C:\\図\\chart.PNG", kFilterSvg, 1, kPicturePng, 1, "C:\\図\\chart.PNG"},
      {"C:\\図\\chart.svg", kFilterPng2x, 1, kPictureSvg, 1, "C:\\図\\chart.svg"},
      {"chart.Svg", kFilterPng, 1, kPictureSvg, 1, "chart.Svg"},
      {"chart", kFilterPng, 1, kPicturePng, 1, "chart.png"},
      {"chart", kFilterPng2x, 1, kPicturePng, 2, "chart.png"},
      {"chart", kFilterSvg, 1, kPictureSvg, 1, "chart.svg"},
      {"chart.txt", kFilterSvg, 1, kPictureSvg, 1, "chart.txt.svg"},
      {"chart.pngx", kFilterPng, 1, kPicturePng, 1, "chart.pngx.png"},
      {"C:\\図\\.png", kFilterPng, 1, kPicturePng, 1, "C:\\図\\.png.png"},
      {"chart", 0, 1, kPicturePng, 1, "chart.png"},
      {"chart", 9, 1, kPicturePng, 1, "chart.png"},
      {"", kFilterPng, 0, 0, 0, ""},
  };
  for (const FileCase& k : kCases) {
    PictureFileChoice ch;
    EXPECT_EQ(ChoosePictureFile(k.szTyped, k.iFilter, &ch), k.iResult) << k.szTyped << " " << k.iFilter;
    EXPECT_EQ(ch.iFormat, k.iFormat) << k.szTyped << " " << k.iFilter;
    EXPECT_EQ(ch.iScale, k.iScale) << k.szTyped << " " << k.iFilter;
    EXPECT_STREQ(ch.szPath, k.szPath) << k.szTyped << " " << k.iFilter;
    EXPECT_EQ(ch.bExtensionAdded != 0, k.iResult && strcmp(k.szTyped, k.szPath) != 0) << k.szTyped;
  }
  // A name that leaves no room for the extension.
  const std::string sLong(kPicturePathMax - 3, 'a');
  PictureFileChoice ch;
  EXPECT_EQ(ChoosePictureFile(sLong.c_str(), kFilterPng, &ch), 0);
  EXPECT_EQ(ChoosePictureFile((sLong.substr(0, kPicturePathMax - 6)).c_str(), kFilterPng, &ch), 1);
}

// A4 (210 x 297 mm) and Letter (8.5 x 11 in) pages.
PrintPage A4(int iDpi, int iOffset) {
  const int w = static_cast<int>(std::lround(210 / 25.4 * iDpi)), h = static_cast<int>(std::lround(297 / 25.4 * iDpi));
  return PrintPage{w - 2 * iOffset, h - 2 * iOffset, iDpi, iDpi, iOffset, iOffset, w, h};
}

struct PageCase {
  const char* szWhat;
  int iPictureWidth, iPictureHeight;
  PrintPage page;
  int iResult;
  CanvasRect rcPicture;
  CanvasRect rcFooter;
};

TEST(PictureRules, PictureFittedToThePage) {
  const PageCase kCases[] = {
      // A4 at 600 dpi, 1/6 inch unprintable: margins of 15 mm = 354 px from
      // the paper, 254 px in the printable area; the width limits.
      {"A4 600 dpi, landscape picture", 800, 560, A4(600, 100), 1, {254, 254, 4507, 3231}, {254, 6421, 4507, 6562}},
      // The same at 300 dpi without an unprintable edge.
      {"A4 300 dpi", 800, 560, A4(300, 0), 1, {177, 177, 2303, 1665}, {177, 3261, 2303, 3331}},
      // A tall picture: the height limits, centred across.
      {"A4 600 dpi, tall picture", 400, 1000, A4(600, 0), 1, {1266, 354, 3695, 6427}, {354, 6521, 4607, 6662}},
      // Landscape A4 (the paper turned).
      {"A4 landscape", 800, 560,
       PrintPage{7016, 4960, 600, 600, 0, 0, 7016, 4960}, 1, {639, 354, 6377, 4371}, {354, 4465, 6662, 4606}},
      // Dots twice as tall as wide (1200 x 600 dpi): the aspect on paper is kept.
      {"1200 x 600 dpi", 800, 560,
       PrintPage{9921, 7016, 1200, 600, 0, 0, 9921, 7016}, 1, {708, 354, 9213, 3330}, {708, 6521, 9213, 6662}},
      // The printer's own edge wider than the margin: the printable area's edge.
      {"wide unprintable edge", 800, 560, PrintPage{2000, 3000, 300, 300, 300, 300, 2600, 3600}, 1,
       {0, 0, 2000, 1400}, {0, 2930, 2000, 3000}},
      // No paper size given: the printable area with its offsets.
      {"no paper size", 800, 560, PrintPage{2480, 3508, 300, 300, 0, 0, 0, 0}, 1, {177, 177, 2303, 1665},
       {177, 3261, 2303, 3331}},
      {"a page with no room", 800, 560, PrintPage{300, 300, 300, 300, 0, 0, 300, 300}, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"no picture", 0, 560, A4(600, 0), 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"no resolution", 800, 560, PrintPage{2480, 3508, 0, 300, 0, 0, 0, 0}, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (const PageCase& k : kCases) {
    PrintLayout lay;
    EXPECT_EQ(FitPictureToPage(k.iPictureWidth, k.iPictureHeight, k.page, &lay), k.iResult) << k.szWhat;
    const CanvasRect& r = lay.rcPicture;
    EXPECT_EQ(r.left, k.rcPicture.left) << k.szWhat;
    EXPECT_EQ(r.top, k.rcPicture.top) << k.szWhat;
    EXPECT_EQ(r.right, k.rcPicture.right) << k.szWhat;
    EXPECT_EQ(r.bottom, k.rcPicture.bottom) << k.szWhat;
    EXPECT_EQ(lay.rcFooter.left, k.rcFooter.left) << k.szWhat;
    EXPECT_EQ(lay.rcFooter.top, k.rcFooter.top) << k.szWhat;
    EXPECT_EQ(lay.rcFooter.right, k.rcFooter.right) << k.szWhat;
    EXPECT_EQ(lay.rcFooter.bottom, k.rcFooter.bottom) << k.szWhat;
    if (!k.iResult) continue;
    // The picture lies inside the printable area, above the footer, and
    // keeps its aspect on paper within a device pixel.
    EXPECT_GE(r.left, 0) << k.szWhat;
    EXPECT_LE(r.right, k.page.iWidth) << k.szWhat;
    EXPECT_LT(r.bottom, lay.rcFooter.top) << k.szWhat;
    const double dAspect = (static_cast<double>(r.right - r.left) / k.page.iDpiX) /
                           (static_cast<double>(r.bottom - r.top) / k.page.iDpiY);
    EXPECT_NEAR(dAspect, static_cast<double>(k.iPictureWidth) / k.iPictureHeight, 0.002) << k.szWhat;
    EXPECT_NEAR(lay.dScaleX, static_cast<double>(r.right - r.left) / k.iPictureWidth, 1e-9) << k.szWhat;
  }
}

TEST(PictureRules, FooterAndBackground) {
  struct {
    LocalClock clock;
    const char* szFooter;
  } const kCases[] = {
      {{2025, 1, 2, 9, 30, 0, 0}, "HoroMira 5.4.0.2    2025年1月2日 印刷"},
      {{1999, 12, 31, 23, 59, 59, 999}, "HoroMira 5.4.0.2    1999年12月31日 印刷"},
  };
  for (const auto& k : kCases) {
    char sz[kPrintFooterSize];
    MakePrintFooter(k.clock, sz, sizeof sz);
    EXPECT_STREQ(sz, k.szFooter);
  }
  char szShort[10];
  MakePrintFooter(kCases[0].clock, szShort, sizeof szShort);
  EXPECT_STREQ(szShort, "HoroMira ");
  for (int i = 0; i < kNumBackgrounds; ++i) {
    EXPECT_EQ(PrintBackground(i, false), i);
    EXPECT_EQ(PrintBackground(i, true), kBackgroundWhite);
  }
  EXPECT_EQ(ResolveColor(CanvasPaletteEntry(0), kBackgroundWhite), CanvasRgb(255, 255, 255));
}

TEST(PictureRules, ProposedNameAndFailureTexts) {
  struct {
    const char* szName;
    const char* szProposed;
  } const kNames[] = {
      {"HoroMira 5.4.0.2", "HoroMira 5.4.0.2"},
      {"山田花子", "山田花子"},
      {"表示", "表示"},  // the trail byte of 表 is 0x5C, part of the character
      {"a/b", "ホロミラの図"},
      {"a:b", "ホロミラの図"},
      {"who?", "ホロミラの図"},
      {"\"q\"", "ホロミラの図"},
      {"tab\tname", "ホロミラの図"},
      {"", "ホロミラの図"},
      {nullptr, "ホロミラの図"},
  };
  for (const auto& k : kNames) {
    char sz[kPicturePathMax];
    DefaultPictureName(k.szName, sz, sizeof sz);
    EXPECT_STREQ(sz, k.szProposed) << (k.szName ? k.szName : "(null)");
  }
  struct {
    int iError;
    const char* szPart;
  } const kFailures[] = {
      {kSafeFileNotRegular, "フォルダー"},    {kSafeFileUnreadable, "読む"},
      {kSafeFileCannotCreate, "作れません"},  {kSafeFileWriteFailed, "書き込みに失敗"},
      {kSafeFileBackupExists, ".bak"},        {kPictureNotEncoded, "PNG"},
      {kPictureNotDrawn, "メモリー"},         {77, "保存できませんでした"},
  };
  for (const auto& k : kFailures) {
    EXPECT_NE(std::string(PictureSaveFailure(k.iError)).find(k.szPart), std::string::npos) << k.iError;
  }
  struct {
    unsigned long dwCode;
    const char* szText;
  } const kDialog[] = {
      {0x1008, "プリンターがありません。\nWindows の設定でプリンターを追加してから印刷してください。"},
      {0x100B, "選んだプリンターが見つかりません。"},
      {0x1006, "印刷の画面を開けませんでした（エラー 0x1006）。"},
  };
  for (const auto& k : kDialog) {
    char sz[256];
    PrintDialogFailure(k.dwCode, sz, sizeof sz);
    EXPECT_STREQ(sz, k.szText);
  }
  struct {
    int iStep;
    const char* szText;
  } const kSteps[] = {
      {kPrintStartDoc, "印刷を始められませんでした（エラー 5）。\nプリンターの電源や接続、用紙を確かめてください。"},
      {kPrintNoRoom, "用紙が小さすぎて図が入りません。"},
      {kPrintEndDoc, "印刷を終えられませんでした（エラー 5）。\nプリンターの電源や接続、用紙を確かめてください。"},
      {0, "印刷できませんでした（エラー 5）。\nプリンターの電源や接続、用紙を確かめてください。"},
  };
  for (const auto& k : kSteps) {
    char sz[256];
    PrintFailure(k.iStep, 5, sz, sizeof sz);
    EXPECT_STREQ(sz, k.szText);
  }
}

}  // namespace

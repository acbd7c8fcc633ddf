// The chart as a picture, in Horomap.exe and in-process:
//   - a person entered as a user does (山田花子, 1985-04-12 09:30, 札幌) in a
//     chart area of 800 x 560 pixels;
//   - Ctrl+C: the clipboard text and its box as before, and beside the text
//     an enhanced metafile and a bitmap of the chart area, the bitmap's
//     pixels those of the window;
//   - 図を保存: a PNG decodes to the chart area's size (or twice it) with the
//     window's pixels; an SVG is byte for byte the one horomira chart --svg
//     writes of the same person and size (run.sh writes it and names it in
//     HOROMIRA_REFERENCE_SVG); a folder in the way and a file that another
//     program holds open are reported in a box, left as they were, and no
//     temporary file stays;
//   - 図を印刷: the question of the background, then the print dialog of
//     the test printer that run.sh sets up (a CUPS queue that writes each
//     job into a file): one PostScript page, rendered by run.sh to
//     printed-page.png; without that printer, the box that says there is
//     none; キャンセル prints nothing;
//   - the printed page drawn into an enhanced metafile of A4 paper: the
//     picture inside the margins with its aspect kept, the footer at the
//     bottom margin; the page is rendered to picture-page.png in the work
//     folder.
// Screenshot: picture-chart.
//
// Usage (as run.sh calls every test): test_picture HOROMAP_EXE WORK_DIR SHOT_DIR
#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "entry/entry_rules.h"
#include "horomap_driver.h"
#include "platform/resource_ids.h"
#include "shell/picture_gdi.h"
#include "time/timescale.h"

using namespace horomap;

namespace {

const char* g_szShots = nullptr;
std::string g_sDir;

constexpr int kWidth = 800;   // the chart area, pixels
constexpr int kHeight = 560;

const CLSID kClsidWicImagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
const IID kIidWicImagingFactory = {0xec5ec8a9, 0xc395, 0x4314, {0x9c, 0x77, 0x54, 0xd7, 0xa9, 0x35, 0xff, 0x70}};
const GUID kPixelFormat32bppBgr = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0e}};

template <typename T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
};

// An image as 0x00rrggbb pixels, rows top first.
struct Image {
  int w = 0, h = 0;
  std::vector<DWORD> rgb;
  DWORD At(int x, int y) const { return rgb[static_cast<size_t>(y) * w + x]; }
};

// A PNG file decoded by the Windows Imaging Component.
Image DecodePng(const std::string& sBytes) {
  Image img;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  {
    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> conv;
    UINT w = 0, h = 0;
    HRESULT hr = CoCreateInstance(kClsidWicImagingFactory, nullptr, CLSCTX_INPROC_SERVER, kIidWicImagingFactory,
                                  reinterpret_cast<void**>(&factory.p));
    if (SUCCEEDED(hr)) hr = factory.p->CreateStream(&stream.p);
    if (SUCCEEDED(hr)) {
      hr = stream.p->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(sBytes.data())),
                                          static_cast<DWORD>(sBytes.size()));
    }
    if (SUCCEEDED(hr)) hr = factory.p->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder.p);
    if (SUCCEEDED(hr)) hr = decoder.p->GetFrame(0, &frame.p);
    if (SUCCEEDED(hr)) hr = frame.p->GetSize(&w, &h);
    if (SUCCEEDED(hr)) hr = factory.p->CreateFormatConverter(&conv.p);
    if (SUCCEEDED(hr)) {
      hr = conv.p->Initialize(frame.p, kPixelFormat32bppBgr, WICBitmapDitherTypeNone, nullptr, 0.0,
                              WICBitmapPaletteTypeCustom);
    }
    std::vector<DWORD> px(static_cast<size_t>(w) * h);
    if (SUCCEEDED(hr) && w && h) {
      hr = conv.p->CopyPixels(nullptr, w * 4, static_cast<UINT>(px.size() * 4), reinterpret_cast<BYTE*>(px.data()));
    }
    if (SUCCEEDED(hr) && w && h) {
      img.w = static_cast<int>(w);
      img.h = static_cast<int>(h);
      img.rgb = std::move(px);
      for (DWORD& d : img.rgb) d &= 0xFFFFFF;
    } else {
      printf("note: the PNG did not decode (0x%08lX)\n", static_cast<unsigned long>(hr));
    }
  }
  CoUninitialize();
  return img;
}

// A packed DIB (CF_DIB) of 24 or 32 bits as an image.
Image DibImage(const void* pPacked) {
  Image img;
  const BITMAPINFOHEADER* bih = static_cast<const BITMAPINFOHEADER*>(pPacked);
  if (bih->biCompression != BI_RGB || (bih->biBitCount != 24 && bih->biBitCount != 32)) return img;
  img.w = bih->biWidth;
  img.h = bih->biHeight < 0 ? -bih->biHeight : bih->biHeight;
  const int iBytes = bih->biBitCount / 8;
  const int iStride = (img.w * iBytes + 3) & ~3;
  const unsigned char* pBits = reinterpret_cast<const unsigned char*>(bih) + bih->biSize + bih->biClrUsed * 4;
  img.rgb.resize(static_cast<size_t>(img.w) * img.h);
  for (int y = 0; y < img.h; ++y) {
    const int iRow = bih->biHeight > 0 ? img.h - 1 - y : y;
    const unsigned char* p = pBits + static_cast<size_t>(iRow) * iStride;
    for (int x = 0; x < img.w; ++x, p += iBytes) img.rgb[static_cast<size_t>(y) * img.w + x] = Rgb(p[2], p[1], p[0]);
  }
  return img;
}

// Height of a child bar of the main window, 0 when hidden.
int BarHeight(HWND hBar) {
  if (!hBar || !IsWindowVisible(hBar)) return 0;
  RECT rc;
  GetWindowRect(hBar, &rc);
  return rc.bottom - rc.top;
}

// The chart area of the window as the screen shows it, painted anew (a
// redraw after a command paints the panel's texts on their own background;
// a picture is the whole paint, as after the window was covered).
Image ScreenChartArea(const Program& p) {
  InvalidateRect(p.hMain, nullptr, TRUE);
  WaitForPainted(p.hMain, kWaitMs);
  const ClientPixels px = ReadClientPixels(p.hMain);
  Image img;
  const int iTop = BarHeight(p.hBar);
  if (px.iWidth < kWidth || px.iHeight < iTop + kHeight) return img;
  img.w = kWidth;
  img.h = kHeight;
  img.rgb.resize(static_cast<size_t>(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) img.rgb[static_cast<size_t>(y) * kWidth + x] = px.At(x, iTop + y);
  }
  return img;
}

// Share of the pixels of a that differ from b (sampled every iStep pixels
// of b's size when b is iStep times larger).
double Difference(const Image& a, const Image& b, int iStep = 1) {
  if (a.w * iStep != b.w || a.h * iStep != b.h || a.rgb.empty()) return 1.0;
  size_t n = 0;
  for (int y = 0; y < a.h; ++y) {
    for (int x = 0; x < a.w; ++x) n += a.At(x, y) != b.At(x * iStep, y * iStep);
  }
  return static_cast<double>(n) / a.rgb.size();
}

// The window's client area made so that the chart area is 800 x 560.
void SizeChartArea(const Program& p) {
  for (int iTry = 0; iTry < 3; ++iTry) {
    SetClientSize(p.hMain, kWidth, kHeight + BarHeight(p.hBar) + BarHeight(p.hStatus));
    WaitForPainted(p.hMain, kWaitMs);
  }
  RECT rc;
  GetClientRect(p.hMain, &rc);
  ExpectEqual("the chart area's width", rc.right, kWidth);
  ExpectEqual("the chart area's height", rc.bottom - BarHeight(p.hBar) - BarHeight(p.hStatus), kHeight);
}

// Insert, the two dialogs, は い: the person's natal chart on view.
void EnterPerson(const Program& p) {
  Post(p, IDM_NEW_DATA);
  HWND hTime = WaitForCaption(p, "誕生日と生まれた時間を指定してください");
  if (!ExpectTrue("the time-and-name dialog opens", hTime != nullptr)) Abandon("no time-and-name dialog");
  TypeTypicalPerson(hTime);
  HWND hPlace = WaitForCaption(p, "どこで生まれましたか？  (山田花子)");
  if (!ExpectTrue("the place dialog", hPlace != nullptr)) Abandon("no place dialog");
  SelectRow(hPlace, 101, kSapporoRow);
  ClickButton(hPlace, IDOK);
  HWND hConfirm = WaitForAppBox(p, "これでよろしいですか？");
  if (!Answer(p, hConfirm, IDYES, "the person confirmed")) Abandon("no confirmation box");
  WaitForPainted(p.hMain, kWaitMs);
  ExpectTrue("the natal chart in the chart view", ButtonChecked(p, IDM_NATAL) && ButtonChecked(p, IDM_VIEW_CHART));
}

// 1. Ctrl+C: the text as before, and the two pictures.
void Clipboard(const Program& p, const std::string& sText, const std::string& sLines) {
  Foreground(p);
  Chord(p, {VK_CONTROL}, 'C');
  ExpectTrue("Ctrl+C sends 30000", WaitForCommand(p, IDM_CLIPBOARD));
  HWND hBox = WaitForAppBox(p, "下記のデータをクリップボードへ送りました");
  if (!ExpectTrue("the box of the clipboard, as before", hBox != nullptr)) return;
  ExpectBytes("its lines", BoxLines(hBox), sLines);
  ExpectBytes("CF_TEXT is the chart's text, unchanged", ClipboardText(), sText);
  Answer(p, hBox, IDYES, "the box closes");
  Image dib;
  for (int iTry = 0; iTry < 20 && !OpenClipboard(nullptr); ++iTry) Sleep(50);
  ExpectTrue("CF_TEXT is offered", IsClipboardFormatAvailable(CF_TEXT));
  ExpectTrue("CF_ENHMETAFILE is offered", IsClipboardFormatAvailable(CF_ENHMETAFILE));
  ExpectTrue("CF_DIB is offered", IsClipboardFormatAvailable(CF_DIB));
  if (HANDLE h = GetClipboardData(CF_DIB)) {
    if (const void* pv = GlobalLock(h)) {
      dib = DibImage(pv);
      GlobalUnlock(h);
    }
  }
  if (HENHMETAFILE hEmf = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE))) {
    ENHMETAHEADER hdr{};
    GetEnhMetaFileHeader(hEmf, sizeof hdr, &hdr);
    ExpectTrue("the metafile has records", hdr.nRecords > 10);
    ExpectTrue("its drawing lies in the chart area",
               hdr.rclBounds.left >= 0 && hdr.rclBounds.top >= 0 && hdr.rclBounds.right < kWidth &&
                   hdr.rclBounds.bottom < kHeight && hdr.rclBounds.right > kWidth / 2);
    // The frame (0.01 mm) has the chart area's aspect.
    const double dAspect = static_cast<double>(hdr.rclFrame.right - hdr.rclFrame.left) /
                           (hdr.rclFrame.bottom - hdr.rclFrame.top);
    ExpectTrue("its frame has the chart area's aspect", dAspect > 1.40 && dAspect < 1.46);
  }
  CloseClipboard();
  ExpectEqual("the bitmap's width", dib.w, kWidth);
  ExpectEqual("the bitmap's height", dib.h, kHeight);
  const double d = Difference(dib, ScreenChartArea(p));
  printf("note: the clipboard bitmap differs from the window in %.4f%% of the pixels\n", d * 100);
  ExpectTrue("the bitmap has the window's pixels (at most 0.5% differ)", d <= 0.005);
}

// The save dialog of 図を保存 answered with a file type and a name.
void SaveAs(const Program& p, int iFilter, const std::string& sName) {
  Post(p, IDM_SAVE_PICTURE);
  HWND hDlg = FileDialog(p);
  if (!ExpectTrue("図を保存 opens the save dialog", hDlg != nullptr)) return;
  HWND hTypes = GetDlgItem(hDlg, 0x470);  // cmb1: the file types
  if (ExpectTrue("the dialog has its list of file types", hTypes != nullptr)) {
    SendMessageA(hTypes, CB_SETCURSEL, iFilter - 1, 0);
    for (WORD wCode : {CBN_SELCHANGE, CBN_SELENDOK}) {
      SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(0x470, wCode), reinterpret_cast<LPARAM>(hTypes));
    }
  }
  ChooseFile(p, hDlg, g_sDir + "\\" + sName);
  Idle(p);
}

// 2. PNG at the screen's size and at twice it, SVG, and two failures.
void SavePictures(const Program& p) {
  const Image screen = ScreenChartArea(p);
  {
    // Kept for a person to compare with the saved picture.
    std::string s24, sPng;
    const int iStride = (kWidth * 3 + 3) & ~3;
    s24.assign(static_cast<size_t>(iStride) * kHeight, '\0');
    for (int y = 0; y < kHeight && !screen.rgb.empty(); ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const DWORD d = screen.At(x, y);
        char* q = &s24[static_cast<size_t>(y) * iStride + 3 * x];
        q[0] = static_cast<char>(d & 0xFF), q[1] = static_cast<char>((d >> 8) & 0xFF), q[2] = static_cast<char>(d >> 16);
      }
    }
    HRESULT hr = S_OK;
    if (EncodePng(s24, kWidth, kHeight, iStride, &sPng, &hr)) WriteFileBytes(g_sDir + "\\screen-chart.png", sPng);
  }
  SaveAs(p, 1, "chart1.png");
  const Image png1 = DecodePng(ReadFileBytes(g_sDir + "\\chart1.png"));
  ExpectEqual("the PNG's width", png1.w, kWidth);
  ExpectEqual("the PNG's height", png1.h, kHeight);
  const double d1 = Difference(png1, screen);
  printf("note: the PNG differs from the window in %.4f%% of the pixels\n", d1 * 100);
  ExpectTrue("the PNG has the window's pixels (at most 0.5% differ)", d1 <= 0.005);

  // No extension typed: the chosen type's is added.
  SaveAs(p, 2, "chart2");
  ExpectTrue("the name without extension gets .png", FileExists(g_sDir + "\\chart2.png"));
  const Image png2 = DecodePng(ReadFileBytes(g_sDir + "\\chart2.png"));
  ExpectEqual("the 2x PNG's width", png2.w, 2 * kWidth);
  ExpectEqual("the 2x PNG's height", png2.h, 2 * kHeight);
  // Scaled, lines and texts move by a pixel here and there; the areas of
  // one colour (background, panel, rings) are the screen's.
  const double d2 = Difference(screen, png2, 2);
  printf("note: the 2x PNG sampled at every second pixel differs from the window in %.2f%%\n", d2 * 100);
  ExpectTrue("the 2x PNG is the window's picture enlarged (at most 10% of the samples differ)", d2 <= 0.10);

  SaveAs(p, 1, "chart.svg");
  const std::string sSvg = ReadFileBytes(g_sDir + "\\chart.svg");
  const char* szReference = getenv("HOROMIRA_REFERENCE_SVG");
  if (ExpectTrue("run.sh names the SVG of horomira chart --svg (HOROMIRA_REFERENCE_SVG)", szReference != nullptr)) {
    const std::string sReference = ReadFileBytes(szReference);
    ExpectTrue("the reference exists", sReference.size() > 1000);
    ExpectTrue("the SVG (by its extension, whatever the type chosen) is horomira chart --svg's, byte for byte",
               sSvg == sReference);
    if (sSvg != sReference) WriteFileBytes(g_sDir + "\\chart-reference.svg", sReference);
  }

  // A name that ends up naming a folder (the extension added to what was
  // typed): a box says why; the folder is as it was.
  const std::string sFolder = g_sDir + "\\folder.png";
  CreateDirectoryA(sFolder.c_str(), nullptr);
  SaveAs(p, 1, "folder");
  Answer(p, WaitForMessageBox(p, "folder.png は既にあります。"), IDYES, "the question of the existing name (extension added)");
  HWND hBox = WaitForMessageBox(p, "図を保存できませんでした。");
  if (ExpectTrue("a box says the picture was not saved", hBox != nullptr)) {
    const std::string sText = MessageBoxText(hBox);
    ExpectTrue("and names the file and the reason: a folder",
               sText.find("folder.png") != std::string::npos && sText.find("フォルダー") != std::string::npos);
    Answer(p, hBox, IDOK, "the box closes");
  }
  ExpectTrue("the folder is still a folder", (GetFileAttributesA(sFolder.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0);
  ExpectTrue("no temporary file is left beside it", !FileExists(sFolder + ".tmp"));

  // A file another program holds open (reading allowed, no replacing): the
  // picture is written beside it and cannot take its place; a box says
  // why, the file is as it was and the temporary file is gone.
  const std::string sLocked = g_sDir + "\\locked.png";
  WriteFileBytes(sLocked, "old contents");
  const HANDLE hHeld = CreateFileA(sLocked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ExpectTrue("the test holds locked.png open", hHeld != INVALID_HANDLE_VALUE);
  SaveAs(p, 1, "locked");
  Answer(p, WaitForMessageBox(p, "locked.png は既にあります。"), IDYES, "the question of the existing file");
  hBox = WaitForMessageBox(p, "図を保存できませんでした。");
  if (ExpectTrue("a box says the picture was not saved", hBox != nullptr)) {
    const std::string sText = MessageBoxText(hBox);
    printf("note: %s\n", sText.c_str());
    ExpectTrue("and names the file and the reason",
               sText.find("locked.png") != std::string::npos && sText.find("書き込みに失敗") != std::string::npos);
    Answer(p, hBox, IDOK, "the box closes");
  }
  CloseHandle(hHeld);
  ExpectBytes("the file held open is unchanged", ReadFileBytes(sLocked), "old contents");
  ExpectTrue("no temporary file is left", !FileExists(sLocked + ".tmp") && !FileExists(sLocked + ".bak"));
}

// The question of 図を印刷 answered.
void AskToPrint(const Program& p, int iAnswer, const char* szWhat) {
  Post(p, IDM_PRINT_PICTURE);
  HWND hAsk = WaitForAppBox(p, "図を印刷");
  ExpectBytes("the question of the background", BoxLines(hAsk),
              "図を印刷/背景を白にして印刷しますか？/[いいえ] を選ぶと、画面と同じ背景色で印刷します。/");
  Answer(p, hAsk, iAnswer, szWhat);
}

// The print dialog (its list of printers is control cmb4, 0x473).
HWND PrintDialog(const Program& p) {
  return WaitForDialog(p.Pid(), [](HWND h) { return GetDlgItem(h, 0x473) != nullptr; }, kWaitMs);
}

// 3. 図を印刷: キャンセル on the question prints nothing.  With the test
// printer of run.sh (HOROMIRA_TEST_PRINT_OUT: the file its queue writes):
// キャンセル in the print dialog prints nothing, OK prints one PostScript
// page into the file.  Without it: the box that says there is no printer.
void PrintCommand(const Program& p) {
  AskToPrint(p, IDCANCEL, "キャンセル");
  Sleep(300);
  ExpectTrue("キャンセル: no print dialog, no box", ProcessDialogs(p.Pid()).empty());

  const char* szOut = getenv("HOROMIRA_TEST_PRINT_OUT");
  if (!szOut) {
    printf("note: no test printer (run.sh sets one up with CUPS, as root)\n");
    AskToPrint(p, IDYES, "は い: a white background");
    HWND h = WaitForMessageBox(p, "プリンター");
    if (ExpectTrue("a box says there is no printer, before any print dialog", h != nullptr)) {
      ExpectTrue("in these words", MessageBoxText(h).find("プリンターがありません") != std::string::npos);
      Answer(p, h, IDOK, "the box closes");
    }
    return;
  }
  DeleteFileA(szOut);
  AskToPrint(p, IDYES, "は い: a white background");
  HWND hDlg = PrintDialog(p);
  if (!ExpectTrue("the print dialog", hDlg != nullptr)) return;
  ClickButton(hDlg, IDCANCEL);
  WaitGone(hDlg, kWaitMs);
  Sleep(2000);
  ExpectTrue("its キャンセル: no box, nothing printed", ProcessDialogs(p.Pid()).empty() && !FileExists(szOut));

  AskToPrint(p, IDYES, "は い: a white background");
  hDlg = PrintDialog(p);
  if (!ExpectTrue("the print dialog again", hDlg != nullptr)) return;
  ClickButton(hDlg, IDOK);
  WaitGone(hDlg, kWaitMs);
  const DWORD dwStart = GetTickCount();
  while (!FileExists(szOut) && GetTickCount() - dwStart < 30000) Sleep(200);
  Idle(p);
  ExpectTrue("OK: no box", ProcessDialogs(p.Pid()).empty());
  const std::string sPs = ReadFileBytes(szOut);
  printf("note: the printer's file holds %u bytes\n", static_cast<unsigned>(sPs.size()));
  ExpectTrue("the printer received a PostScript document", sPs.rfind("%!PS-Adobe", 0) == 0);
  ExpectTrue("of one page", sPs.find("%%Pages: 1") != std::string::npos && sPs.find("%%Page: 2") == std::string::npos);
  ExpectTrue("with the chart drawn on it", sPs.size() > 20000);
}

// 4. The printed page on an enhanced metafile of A4 paper (210 x 297 mm
// at the screen's resolution), drawn in-process as the print command
// draws it on a printer's page.
void MetafilePage(const BirthRecord& person) {
  static ChartSlots slots;
  ResetChartSlots(&slots);
  HoromiraMain(person, person, &slots.charts[kSlotNatal], kChartNatal, 0, 1.0, kOriginOrdinary);
  std::unique_ptr<ChartViewState> pView(new ChartViewState());
  pView->HouseType = 1;
  pView->iBackColor = 0;
  pView->fScale = 1.0f;
  GdiResources res;
  if (!ExpectTrue("the bitmaps of the test program", CreateGdiResources(GetModuleHandleA(nullptr), 0, &res))) return;
  const PictureSource src{&slots, pView.get(), &res, kWidth, kHeight};
  const HDC hScreen = GetDC(nullptr);
  const double dPxPerMmX = static_cast<double>(GetDeviceCaps(hScreen, HORZRES)) / GetDeviceCaps(hScreen, HORZSIZE);
  const double dPxPerMmY = static_cast<double>(GetDeviceCaps(hScreen, VERTRES)) / GetDeviceCaps(hScreen, VERTSIZE);
  const int iPageW = static_cast<int>(210 * dPxPerMmX + 0.5), iPageH = static_cast<int>(297 * dPxPerMmY + 0.5);
  const PrintPage page{iPageW, iPageH, static_cast<int>(dPxPerMmX * 25.4 + 0.5), static_cast<int>(dPxPerMmY * 25.4 + 0.5),
                       0, 0, iPageW, iPageH};
  const RECT rcFrame{0, 0, 21000, 29700};
  const HDC hEmf = CreateEnhMetaFileA(hScreen, nullptr, &rcFrame, "test_picture\0A4\0");
  PrintLayout lay{};
  const int iDrawn = PrintPictureOnPage(hEmf, page, src, "HoroMira 5.4.0.2    2026年1月2日 印刷", &lay);
  const HENHMETAFILE hMeta = CloseEnhMetaFile(hEmf);
  ReleaseDC(nullptr, hScreen);
  ExpectTrue("the page is drawn", iDrawn == 1 && hMeta != nullptr);
  if (!hMeta) return;
  ENHMETAHEADER hdr{};
  GetEnhMetaFileHeader(hMeta, sizeof hdr, &hdr);
  const int iMarginX = page.iDpiX * 150 / 254, iMarginY = page.iDpiY * 150 / 254;
  printf("note: A4 page %d x %d px, picture %ld,%ld-%ld,%ld, drawn within %ld,%ld-%ld,%ld\n", iPageW, iPageH,
         static_cast<long>(lay.rcPicture.left), static_cast<long>(lay.rcPicture.top),
         static_cast<long>(lay.rcPicture.right), static_cast<long>(lay.rcPicture.bottom), hdr.rclBounds.left,
         hdr.rclBounds.top, hdr.rclBounds.right, hdr.rclBounds.bottom);
  ExpectTrue("the records lie inside the 15 mm margins",
             hdr.rclBounds.left >= iMarginX - 1 && hdr.rclBounds.top >= iMarginY - 1 &&
                 hdr.rclBounds.right <= iPageW - iMarginX + 1 && hdr.rclBounds.bottom <= iPageH - iMarginY + 1);
  ExpectTrue("the picture spans the width between the margins",
             lay.rcPicture.left <= iMarginX + 1 && lay.rcPicture.right >= iPageW - iMarginX - 1);
  ExpectTrue("the footer is the lowest record, at the bottom margin",
             hdr.rclBounds.bottom > iPageH - iMarginY - page.iDpiY * 60 / 254 - 1);

  // The page played onto white paper at twice the resolution: the extent
  // of the picture's background colour is its place, with its aspect.
  const int W = 2 * iPageW, H = 2 * iPageH;
  const HDC hMem = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = W;
  bi.bmiHeader.biHeight = -H;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* pBits = nullptr;
  const HBITMAP hDib = CreateDIBSection(hMem, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  const HGDIOBJ hOld = SelectObject(hMem, hDib);
  const RECT rcAll{0, 0, W, H};
  FillRect(hMem, &rcAll, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const RECT rcPlay{0, 0, W, H};
  PlayEnhMetaFile(hMem, hMeta, &rcPlay);
  GdiFlush();
  SelectObject(hMem, hOld);
  const int iStride = (W * 3 + 3) & ~3;
  const unsigned char* pb = static_cast<const unsigned char*>(pBits);
  const CanvasColor crBack = PaletteRgb(0, 0);
  int x0 = W, y0 = H, x1 = -1, y1 = -1;
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const unsigned char* q = pb + static_cast<size_t>(y) * iStride + 3 * x;
      if (CanvasRgb(q[2], q[1], q[0]) != crBack) continue;
      x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    }
  }
  printf("note: the picture's background on the played page: %d,%d-%d,%d of %d x %d\n", x0, y0, x1, y1, W, H);
  const double dAspect = static_cast<double>(x1 - x0 + 1) / (y1 - y0 + 1);
  ExpectTrue("the played picture keeps the chart area's aspect (800:560)",
             dAspect > 800.0 / 560 - 0.01 && dAspect < 800.0 / 560 + 0.01);
  ExpectTrue("and lies where the layout put it",
             std::abs(x0 - 2 * lay.rcPicture.left) <= 2 && std::abs(x1 + 1 - 2 * lay.rcPicture.right) <= 2 &&
                 std::abs(y0 - 2 * lay.rcPicture.top) <= 2 && std::abs(y1 + 1 - 2 * lay.rcPicture.bottom) <= 2);
  // Kept for a person to look at.
  std::string sBits(reinterpret_cast<const char*>(pBits), static_cast<size_t>(iStride) * H), sPng;
  HRESULT hr = S_OK;
  ExpectTrue("the played page encodes as PNG", EncodePng(sBits, W, H, iStride, &sPng, &hr) == 1);
  WriteFileBytes(g_sDir + "\\picture-page.png", sPng);
  DeleteObject(hDib);
  DeleteDC(hMem);
  DeleteEnhMetaFile(hMeta);
  DeleteGdiResources(&res);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Abandon("usage: test_picture HOROMAP_EXE WORK_DIR SHOT_DIR");
  g_sDir = argv[2];
  g_szShots = argc > 3 ? argv[3] : nullptr;
  SetEnvironmentVariableA("HOROMAP_TEST_HOOKS", "1");
  PrepareFolder(g_sDir, argv[1]);
  const BirthRecord person = TypicalPerson();
  std::unique_ptr<ChartRecord> chart(new ChartRecord());
  HoromiraMain(person, person, chart.get(), kChartNatal, 0, 1.0, kOriginOrdinary);
  static char szText[20480];
  MakeChartText(szText, sizeof szText, *chart);

  Program p;
  if (!ExpectTrue("Horomap.exe starts", Start(&p, g_sDir))) Abandon("no main window");
  SizeChartArea(p);
  EnterPerson(p);
  WaitForPainted(p.hMain, kWaitMs);
  AwaitScreenshot(g_szShots, "picture-chart", kShotMs);
  Clipboard(p, szText,
            std::string("下記のデータをクリップボードへ送りました/山田花子/") + TimeToStr(&person.time) +
                "/メモ帳などで[Ctrl]+[V]にて貼り付け可能");
  SavePictures(p);
  PrintCommand(p);
  CloseDialogs(p);
  PostMessageA(p.hMain, WM_CLOSE, 0, 0);
  // Closing may ask about the file with the new person: not saved.
  if (HWND hAsk = WaitForDialog(p.Pid(), [](HWND) { return true; }, 3000)) {
    PostMessageA(hAsk, WM_COMMAND, IDNO, 0);
  }
  WaitExit(&p);
  MetafilePage(person);
  RemoveFileAssociation();
  return Finish("test_picture");
}

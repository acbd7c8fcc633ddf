// Start-up test of Horomap.exe: the program starts in a scratch directory,
// shows its main window of class Horomira5 with the program name first in
// its CP932 caption, paints the default person's chart with the quick-menu card,
// repaints on every resize (too small, large again, no room for the panel,
// a wheel too small for its points, large again), closes the card with its
// "閉じる" button, lists the points that do not fit in one box, and ends
// with exit code 0 after WM_CLOSE.  The pixels of the chart area are read
// back and screenshots are kept: startup (with the card), too-small, chart,
// overflow, resized.
//
// Usage (as run.sh calls every test): test_startup HOROMAP_EXE WORK_DIR SHOT_DIR
// The program is copied into the empty WORK_DIR and started there; with
// SHOT_DIR, run.sh takes the screenshots.
#include <cstdio>
#include <string>

#include "wine_common.h"

namespace {

constexpr DWORD kStartTimeoutMs = 30000;  // the first Wine start may be slow
constexpr DWORD kPaintTimeoutMs = 15000;
constexpr DWORD kShotTimeoutMs = 15000;
constexpr DWORD kExitTimeoutMs = 15000;
constexpr DWORD kBoxTimeoutMs = 10000;
constexpr DWORD kNoBoxWaitMs = 1500;

// "ホロミラ" in code page 932, spelt out so that the check does not depend
// on the compiler's conversion of the literals.
const char kMainTitleCp932[] = "\x83\x7a\x83\x8d\x83\x7e\x83\x89";
// "ΩΡΟΜΙΡΑ", the title of the program's boxes.
const char kProgramTitleCp932[] = "\x83\xb6\x83\xaf\x83\xad\x83\xaa\x83\xa7\x83\xaf\x83\x9f";

// Colours of the chart view: the standard background, the wheel, the
// quick-menu card.
constexpr DWORD kBackground = Rgb(104, 160, 128);
constexpr DWORD kWheel = Rgb(192, 192, 192);
constexpr DWORD kCard = Rgb(230, 230, 200);
constexpr DWORD kBlack = Rgb(0, 0, 0);

constexpr int kFirstQuickButton = 57049;

// Starts the program with the scratch directory as its working directory;
// returns false when it cannot be started.
bool StartProgram(const std::string& sExe, const std::string& sDir, PROCESS_INFORMATION* pi) {
  std::string sCommand = "\"" + sExe + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  return CreateProcessA(sExe.c_str(), &sCommand[0], nullptr, nullptr, FALSE, 0, nullptr, sDir.c_str(), &si,
                        pi) != 0;
}

int CountQuickButtons(HWND hWnd) {
  int n = 0;
  for (int i = 0; i < 4; ++i) {
    const HWND hButton = GetDlgItem(hWnd, kFirstQuickButton + i);
    if (hButton && IsWindowVisible(hButton) &&
        WindowText(hButton) == std::string(1, static_cast<char>('1' + i))) {
      ++n;
    }
  }
  return n;
}

void ExpectShare(const char* szWhat, const ClientPixels& px, DWORD dwRgb, double dMin, double dMax) {
  const double d = px.Share(dwRgb);
  char sz[200];
  snprintf(sz, sizeof sz, "%s (%.1f%% of the chart area)", szWhat, 100.0 * d);
  ExpectTrue(sz, d >= dMin && d <= dMax);
}

// The pixels of the chart area: the client area between the tool bar and
// the status bar, without the row next to each (the tool bar's border line
// may reach into it).
ClientPixels ChartPixels(HWND hWnd) {
  ClientPixels px = ReadClientPixels(hWnd);
  RECT rcBar{}, rcStatus{};
  GetWindowRect(GetDlgItem(hWnd, 1025), &rcBar);
  GetWindowRect(GetDlgItem(hWnd, 64), &rcStatus);
  POINT top{0, rcBar.bottom}, bottom{0, rcStatus.top};
  ScreenToClient(hWnd, &top);
  ScreenToClient(hWnd, &bottom);
  top.y += 1;
  bottom.y -= 1;
  if (px.rgb.empty() || top.y < 0 || bottom.y > px.iHeight || bottom.y <= top.y) return px;
  ClientPixels area;
  area.iWidth = px.iWidth;
  area.iHeight = bottom.y - top.y;
  area.rgb.assign(px.rgb.begin() + static_cast<size_t>(top.y) * px.iWidth,
                  px.rgb.begin() + static_cast<size_t>(bottom.y) * px.iWidth);
  return area;
}

// Resizes the client area, waits for the paint and reads the chart area back.
ClientPixels Resize(HWND hWnd, int iWidth, int iHeight) {
  SetClientSize(hWnd, iWidth, iHeight);
  ExpectTrue("repainted after the resize", WaitForPainted(hWnd, kPaintTimeoutMs));
  RECT rc;
  GetClientRect(hWnd, &rc);
  char sz[80];
  snprintf(sz, sizeof sz, "client area %dx%d", iWidth, iHeight);
  ExpectTrue(sz, rc.right == iWidth && rc.bottom == iHeight);
  return ChartPixels(hWnd);
}

// The overflow box: shown once with the list, answered with OK; painting
// again does not bring it back.
void AnswerOverflowBox(DWORD dwProcessId, const char* szShotDir) {
  const HWND hBox = WaitForWindow("#32770", kProgramTitleCp932, dwProcessId, kBoxTimeoutMs);
  if (!ExpectTrue("the points that do not fit are listed in a box", hBox != nullptr)) return;
  const std::string sText = ControlText(hBox, 0xFFFF);
  ExpectTrue("the list's heading", sText.rfind("次のデータがチャートに描ききれません\r\n\r\n", 0) == 0);
  ExpectTrue("a listed point", sText.find("も合: ") != std::string::npos);
  // The test display has no window manager to keep a box above the window
  // it belongs to once that window has been resized from here: the box is
  // raised, as a desktop would show it.
  SetForegroundWindow(hBox);
  Sleep(300);
  AwaitScreenshot(szShotDir, "overflow", kShotTimeoutMs);
  PostMessageA(hBox, WM_COMMAND, IDOK, 0);
  const DWORD dwStart = GetTickCount();
  while (IsWindow(hBox) && GetTickCount() - dwStart < kBoxTimeoutMs) Sleep(50);
  ExpectTrue("the box closes with OK", !IsWindow(hBox));
  ExpectTrue("no second box for the same list",
             WaitForWindow("#32770", kProgramTitleCp932, dwProcessId, kNoBoxWaitMs) == nullptr);
}

// The whole road of the main window after it appeared.
void WalkTheWindow(HWND hWnd, DWORD dwProcessId, const char* szShotDir) {
  ExpectTrue("the first paint is done", WaitForPainted(hWnd, kPaintTimeoutMs));
  ExpectBytes("caption begins with the program name in CP932", WindowText(hWnd).substr(0, 8), kMainTitleCp932);
  ExpectEqual("the quick-menu card has its four buttons 1..4", CountQuickButtons(hWnd), 4);
  ClientPixels px = ChartPixels(hWnd);
  ExpectTrue("the chart area can be read back", !px.rgb.empty());
  ExpectShare("background colour", px, kBackground, 0.10, 0.70);
  ExpectShare("the wheel's light grey", px, kWheel, 0.10, 0.70);
  ExpectShare("the quick-menu card", px, kCard, 0.05, 0.30);
  AwaitScreenshot(szShotDir, "startup", kShotTimeoutMs);

  // Too small: black with the notice, and no card.
  px = Resize(hWnd, 240, 100);
  ExpectShare("too small: black", px, kBlack, 0.60, 1.0);
  ExpectShare("too small: no wheel", px, kWheel, 0.0, 0.0);
  ExpectEqual("too small: no card buttons", CountQuickButtons(hWnd), 0);
  AwaitScreenshot(szShotDir, "too-small", kShotTimeoutMs);

  // Large again: the card comes back where it was.
  px = Resize(hWnd, 800, 560);
  ExpectEqual("large again: the card's buttons", CountQuickButtons(hWnd), 4);
  ExpectShare("large again: the card", px, kCard, 0.05, 0.30);

  // "閉じる" (button 4) closes the card and the chart shows whole.
  SendMessageA(GetDlgItem(hWnd, kFirstQuickButton + 3), BM_CLICK, 0, 0);
  ExpectTrue("repainted after the card closed", WaitForPainted(hWnd, kPaintTimeoutMs));
  ExpectEqual("the card's buttons are gone", CountQuickButtons(hWnd), 0);
  px = ChartPixels(hWnd);
  ExpectShare("no card left", px, kCard, 0.0, 0.0);
  ExpectShare("the wheel's light grey, whole", px, kWheel, 0.15, 0.70);
  AwaitScreenshot(szShotDir, "chart", kShotTimeoutMs);

  // No room for the panel: the wheel alone, as high as the area.
  px = Resize(hWnd, 470, 400);
  if (!px.rgb.empty()) {
    ExpectShare("no panel: the wheel", px, kWheel, 0.20, 0.80);
    bool bRightEmpty = true;
    for (int y = 0; y < px.iHeight; ++y) {
      for (int x = 405; x < px.iWidth; ++x) bRightEmpty = bRightEmpty && px.At(x, y) == kBackground;
    }
    ExpectTrue("no panel: nothing right of the wheel", bRightEmpty);
  }

  // A wheel too small for the default person's cluster of points.
  SetClientSize(hWnd, 800, 140);
  AnswerOverflowBox(dwProcessId, szShotDir);

  px = Resize(hWnd, 800, 560);
  ExpectShare("large again: the wheel", px, kWheel, 0.15, 0.70);
  ExpectShare("large again: the background", px, kBackground, 0.10, 0.70);
  AwaitScreenshot(szShotDir, "resized", kShotTimeoutMs);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: test_startup HOROMAP_EXE WORK_DIR [SHOT_DIR]\n");
    return 2;
  }
  const std::string sDir = argv[2];
  const std::string sExe = sDir + "\\Horomap.exe";
  const char* szShotDir = argc > 3 ? argv[3] : nullptr;

  ExpectEqual("the ANSI code page of this run", GetACP(), ExpectedAnsiCodePage());
  if (!ExpectTrue("Horomap.exe copied into the work directory", CopyFileA(argv[1], sExe.c_str(), FALSE))) {
    return Finish("test_startup");
  }
  RemoveFileAssociation();
  PROCESS_INFORMATION pi = {};
  if (!ExpectTrue("Horomap.exe starts", StartProgram(sExe, sDir, &pi))) return Finish("test_startup");

  HWND hWnd = WaitForWindow("Horomira5", nullptr, pi.dwProcessId, kStartTimeoutMs);
  if (ExpectTrue("main window of class Horomira5 is shown", hWnd != nullptr)) {
    WalkTheWindow(hWnd, pi.dwProcessId, szShotDir);
    PostMessageA(hWnd, WM_CLOSE, 0, 0);
  }

  const bool bEnded = WaitForSingleObject(pi.hProcess, kExitTimeoutMs) == WAIT_OBJECT_0;
  if (ExpectTrue("Horomap.exe ends after WM_CLOSE", bEnded)) {
    DWORD dwCode = 1;
    GetExitCodeProcess(pi.hProcess, &dwCode);
    ExpectEqual("exit code", static_cast<long long>(dwCode), 0);
  } else {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, kExitTimeoutMs);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  RemoveFileAssociation();
  return Finish("test_startup");
}

// The Windows shell of Horomap.exe, walked as a user would, in one road:
//
//  1. A first start without settings: the association box and the title
//     page, the sample file, the default person's double circle with tool
//     bar, status bar and quick menu, the association registered; a tooltip
//     and its status text; status-bar parts at three widths; F1 (fairy
//     opens, closes,
//     the repeat notice), the fairy's keys; the quick-menu keys (main and
//     keypad, Esc, F3), Space chords; dragging the quick menu past the left
//     edge; the too-small window; the help index and a topic; the popup
//     window's three buttons; the popup list; the level-1 repair; the natal
//     wheel with Placidus houses; level-2 reports of a division by zero and
//     an access violation, ignored and retried; closing an untitled file
//     (the empty one kept open, the one with rows saved under a name).
//  2. A second start reads the settings and the file; its clock runs from
//     a test time just before midnight (the hour announcement, the raised
//     priority, the status text back, the new date); a level-2 Abort ends
//     it the normal way (files written).
//  3. An untitled empty file closed with OK: the previous file is written
//     back.
//  4. Stored placements: 599 x 800 is not used, 600 x 400 is, maximized
//     stays maximized.
// Screenshots: first-start, fairy, help-index, help-topic, natal-placidus.
// Figures: time from process start to the first painted chart, memory.
//
// Usage (as run.sh calls every test): test_shell HOROMAP_EXE WORK_DIR SHOT_DIR
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "readings/help_texts.h"
#include "readings/readings.h"
#include "remote_window.h"
#include "wine_common.h"

namespace {

constexpr DWORD kStartTimeoutMs = 40000;
constexpr DWORD kWaitMs = 10000;
constexpr DWORD kShotMs = 15000;

// Offsets in the settings file.
constexpr size_t kSiiSize = 3920;
constexpr size_t kOffStartCount = 0;
constexpr size_t kOffDataFile = 279;
constexpr size_t kOffTopLeft = 3596;
constexpr size_t kOffFlags = 3912;
constexpr size_t kOffBottomRight = 3916;
constexpr unsigned char kFlagTitlePage = 0x02, kFlagMaximized = 0x04;
constexpr size_t kRowSize = 312;

const char* g_szShots = nullptr;
std::string g_sDir;

struct Program {
  PROCESS_INFORMATION pi{};
  HWND hMain = nullptr, hStatus = nullptr, hBar = nullptr;
  DWORD Pid() const { return pi.dwProcessId; }
};

std::string ReadFileBytes(const std::string& sPath) {
  std::string s;
  FILE* f = fopen(sPath.c_str(), "rb");
  if (!f) return "";
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
  fclose(f);
  return s;
}

void WriteFileBytes(const std::string& sPath, const std::string& s) {
  FILE* f = fopen(sPath.c_str(), "wb");
  if (!f) return;
  fwrite(s.data(), 1, s.size(), f);
  fclose(f);
}

uint32_t U32(const std::string& s, size_t off) {
  uint32_t v = 0;
  if (s.size() >= off + 4) memcpy(&v, s.data() + off, 4);
  return v;
}
void PutU32(std::string* s, size_t off, uint32_t v) { memcpy(&(*s)[off], &v, 4); }
uint32_t Corner(int x, int y) { return static_cast<uint32_t>(x) << 16 | (static_cast<uint32_t>(y) & 0xFFFF); }

std::string SiiPath() { return g_sDir + "\\Horom.sii"; }

std::string RegisteredCommand() {
  HKEY hKey;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "Horomap\\shell\\open\\command", 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
    return "<no key>";
  }
  char buf[512] = {};
  DWORD cb = sizeof buf - 1;
  RegQueryValueExA(hKey, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &cb);
  RegCloseKey(hKey);
  return buf;
}

bool HasControlText(HWND hDlg, int iId, const std::string& s) { return ItemText(hDlg, iId) == s; }

// The program's own boxes: heading 256.
HWND WaitForAppBox(const Program& p, const char* szHeading, DWORD dwMs = kWaitMs) {
  return WaitForDialog(p.Pid(), [&](HWND h) { return HasControlText(h, 256, szHeading); }, dwMs);
}

// A system message box whose text contains szPart.
HWND WaitForMessageBox(const Program& p, const char* szPart, DWORD dwMs = kWaitMs) {
  return WaitForDialog(
      p.Pid(), [&](HWND h) { return MessageBoxText(h).find(szPart) != std::string::npos; }, dwMs);
}

HWND WaitForCaption(const Program& p, const char* szCaption, DWORD dwMs = kWaitMs) {
  return WaitForDialog(p.Pid(), [&](HWND h) { return SentText(h) == szCaption; }, dwMs);
}

// Closes every dialog box the process shows (what a command without its
// implementation yet, or its window, left open).
void CloseDialogs(const Program& p) {
  for (HWND h : ProcessDialogs(p.Pid())) PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
  for (HWND h : ProcessDialogs(p.Pid())) PostMessageA(h, WM_CLOSE, 0, 0);
  Settle(p.hMain);
}

int LastCommand(const Program& p) {
  return static_cast<int>(reinterpret_cast<intptr_t>(GetPropA(p.hMain, "HoromiraCommand")));
}
long LastParam(const Program& p) {
  return static_cast<long>(reinterpret_cast<intptr_t>(GetPropA(p.hMain, "HoromiraParam")));
}

void Command(const Program& p, int iCommand, LPARAM lParam = 0) {
  PostMessageA(p.hMain, WM_COMMAND, iCommand, lParam);
  Settle(p.hMain);
}

// Waits until a state of the program holds (at most kWaitMs).
template <typename Pred>
bool WaitUntil(Pred pred) {
  const DWORD dwStart = GetTickCount();
  while (!pred()) {
    if (GetTickCount() - dwStart > kWaitMs) return false;
    Sleep(20);
  }
  return true;
}

std::string Part(const Program& p, int i) { return StatusPartText(p.pi.hProcess, p.hStatus, i); }

int CountQuickButtons(const Program& p) {
  int n = 0;
  for (int i = 0; i < 4; ++i) n += GetDlgItem(p.hMain, 57049 + i) != nullptr;
  return n;
}

void Foreground(const Program& p) {
  SetForegroundWindow(p.hMain);
  Settle(p.hMain, 150);
}

// Starts Horomap.exe in the work directory; the environment of this test
// process (HOROMAP_TEST_HOOKS, HOROMAP_TEST_CLOCK) goes with it.
bool Start(Program* p, DWORD* pdwFirstPaintMs = nullptr) {
  const std::string sExe = g_sDir + "\\Horomap.exe";
  std::string sCommand = "\"" + sExe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  const DWORD dwStart = GetTickCount();
  if (!CreateProcessA(sExe.c_str(), &sCommand[0], nullptr, nullptr, FALSE, 0, nullptr, g_sDir.c_str(), &si,
                      &p->pi)) {
    return false;
  }
  p->hMain = WaitForWindow("Horomira5", nullptr, p->Pid(), kStartTimeoutMs);
  if (!p->hMain) return false;
  WaitForPainted(p->hMain, kWaitMs);
  if (pdwFirstPaintMs) *pdwFirstPaintMs = GetTickCount() - dwStart;
  p->hStatus = GetDlgItem(p->hMain, 64);
  p->hBar = GetDlgItem(p->hMain, 1025);
  return true;
}

// Waits for the program to end; its exit code, or -1 when it had to be killed.
long WaitExit(Program* p, DWORD dwMs = 20000) {
  long iCode = -1;
  if (WaitForSingleObject(p->pi.hProcess, dwMs) == WAIT_OBJECT_0) {
    DWORD dw = 1;
    GetExitCodeProcess(p->pi.hProcess, &dw);
    iCode = static_cast<long>(dw);
  } else {
    TerminateProcess(p->pi.hProcess, 1);
    WaitForSingleObject(p->pi.hProcess, 5000);
  }
  CloseHandle(p->pi.hThread);
  CloseHandle(p->pi.hProcess);
  p->pi = PROCESS_INFORMATION{};
  return iCode;
}

// --- 1. First start ---------------------------------------------------------------------

void CheckStartBoxes(const Program& p, bool* pbSetup, bool* pbTitle) {
  // Watched while the program starts: the association box and the title page.
  const DWORD dwStart = GetTickCount();
  while (GetTickCount() - dwStart < 12000 && !(*pbSetup && *pbTitle)) {
    // The program's thread sleeps while these are shown: their texts are
    // read from the system, not asked from the thread.
    for (HWND h : ProcessDialogs(p.Pid())) {
      const std::string s = ControlText(h, 256);
      if (s == kAutoSetupLine) *pbSetup = true;
      if (s == kTitlePageLines[0] && ControlText(h, 257) == kTitlePageLines[1] &&
          ControlText(h, 258) == kTitlePageLines[2]) {
        *pbTitle = true;
      }
    }
    Sleep(50);
  }
}

void CheckClock(const Program& p, const std::string& sTitle) {
  const std::string sAnnounce = "■　ホロミラが 0時をお知らせします　■";
  const DWORD dwStart = GetTickCount();
  bool bAnnounced = false, bRaised = false;
  while (GetTickCount() - dwStart < 20000 && !bAnnounced) {
    bAnnounced = Part(p, 0) == sAnnounce;
    if (bAnnounced) bRaised = GetPriorityClass(p.pi.hProcess) == REALTIME_PRIORITY_CLASS;
    Sleep(100);
  }
  ExpectTrue("the clock announces the hour in part 0 at 23:59:57", bAnnounced);
  ExpectTrue("the process runs at real-time priority during the announcement", bRaised);
  bool bBack = false;
  while (GetTickCount() - dwStart < 35000 && !bBack) {
    bBack = Part(p, 0) == sTitle;
    Sleep(100);
  }
  ExpectTrue("the chart's status text comes back at 00:00:05", bBack);
  ExpectEqual("the priority class is normal again", GetPriorityClass(p.pi.hProcess), NORMAL_PRIORITY_CLASS);
  ExpectBytes("part 1: the new date", Part(p, 1), " 2024年3月16日 土曜日");
  const std::string sTime = Part(p, 2);
  ExpectTrue("part 2: the time of the test clock, h:mm:ss",
             sTime.size() == 8 && sTime.compare(0, 5, " 0:00") == 0 && sTime[5] == ':');
}

void CheckStatusEdges(const Program& p) {
  struct {
    int w;
    std::vector<int> edges;
  } kCases[] = {{481, {341, 479, 479}}, {560, {420, 558, 558}}, {800, {540, 720, 798}}};
  for (const auto& c : kCases) {
    SetClientSize(p.hMain, c.w, 560);
    WaitForPainted(p.hMain, kWaitMs);
    char sz[80];
    snprintf(sz, sizeof sz, "status-bar edges at client width %d", c.w);
    ExpectTrue(sz, StatusEdges(p.pi.hProcess, p.hStatus) == c.edges);
  }
}

// The mouse rests on the fairy's button: its tooltip asks the main window
// for the texts, and the long text goes into status part 0 until the mouse
// moves on over the chart.
void CheckTooltip(const Program& p, const std::string& sTitle) {
  Foreground(p);
  const RECT rc = ToolbarButtonRect(p.pi.hProcess, p.hBar, 10019);
  POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  ClientToScreen(p.hBar, &pt);
  MoveMouse(pt.x - 4, pt.y);
  Sleep(100);
  MoveMouse(pt.x, pt.y);
  Sleep(200);
  MoveMouse(pt.x + 1, pt.y + 1);
  Settle(p.hMain, 100);
  const char kStatus[] = "★ 親 切 な 妖 精 を 呼 び 出 し ま す ...";
  const DWORD dwStart = GetTickCount();
  std::string s;
  while (GetTickCount() - dwStart < 6000 && s != kStatus) {
    Sleep(200);
    s = Part(p, 0);
  }
  ExpectBytes("the fairy button's tooltip puts its status text into part 0", s, kStatus);
  pt = POINT{300, 300};
  ClientToScreen(p.hMain, &pt);
  MoveMouse(pt.x, pt.y);
  Settle(p.hMain, 200);
  MoveMouse(pt.x + 5, pt.y + 5);
  Settle(p.hMain, 200);
  ExpectBytes("moving over the chart puts the chart's status text back", Part(p, 0), sTitle);
  MoveMouse(1020, 760);
}

HWND Fairy(const Program& p) { return WaitForCaption(p, "親切な妖精", 3000); }

void CheckFairy(const Program& p) {
  Foreground(p);
  PressKey(p.hMain, VK_F1);
  HWND hFairy = Fairy(p);
  if (!ExpectTrue("F1 opens the fairy window", hFairy != nullptr)) return;
  ExpectBytes("the hint's title: the default person's charts", ItemText(hFairy, 256), FairyHintTitle(0));
  const std::string sText = ItemText(hFairy, 257);
  ExpectBytes("the hint's text", sText, std::string("  ") + FairyHintText(0) + kFairyClosingText);
  ExpectTrue("the text has the focus", FocusOf(p.hMain) == GetDlgItem(hFairy, 257));
  AwaitScreenshot(g_szShots, "fairy", kShotMs);

  // The fairy's keys: Tab and Right walk text -> buttons -> text.
  PressKey(p.hMain, VK_TAB);
  ExpectTrue("Tab: the focus on さくいん", FocusOf(p.hMain) == GetDlgItem(hFairy, 1));
  PressKey(p.hMain, VK_RIGHT);
  ExpectTrue("Right: the focus on 閉じる", FocusOf(p.hMain) == GetDlgItem(hFairy, 2));
  PressKey(p.hMain, VK_RIGHT);
  ExpectTrue("Right: the focus back on the text", FocusOf(p.hMain) == GetDlgItem(hFairy, 257));
  // F1 inside the fairy: "追加情報なし", once per run.
  PressKey(p.hMain, VK_F1);
  HWND hBox = WaitForMessageBox(p, kNoMoreInformation, 3000);
  ExpectTrue("F1 in the fairy window: 追加情報なし", hBox != nullptr);
  if (hBox) ClickButton(hBox, IDOK);
  Settle(p.hMain);
  SetForegroundWindow(hFairy);
  Settle(p.hMain);
  PressKey(p.hMain, VK_F1);
  ExpectTrue("the second F1 in the fairy window shows nothing", WaitForMessageBox(p, kNoMoreInformation, 800) == nullptr);
  // T asks for the help index.
  SetFocus(nullptr);
  PressKey(p.hMain, 'T');
  HWND hIndex = WaitForCaption(p, kHelpIndexTitle, 3000);
  ExpectTrue("T in the fairy window opens the help index", hIndex != nullptr);
  if (hIndex) ClickButton(hIndex, 2);
  Settle(p.hMain);

  // F1 on the main window closes the fairy; a third F1 repeats the hint.
  Foreground(p);
  PressKey(p.hMain, VK_F1);
  ExpectTrue("the second F1 closes the fairy window", WaitGone(hFairy, 3000));
  PressKey(p.hMain, VK_F1);
  hFairy = Fairy(p);
  ExpectTrue("the third F1 shows the hint with the repeat notice",
             hFairy && ItemText(hFairy, 257).rfind(std::string("  ") + kFairyRepeatNotice, 0) == 0);
  // Esc (and C) in the fairy window close it.
  if (hFairy) {
    PressKey(p.hMain, VK_ESCAPE);
    ExpectTrue("Esc closes the fairy window", WaitGone(hFairy, 3000));
  }
}

void CheckQuickMenuKeys(const Program& p) {
  Foreground(p);
  ExpectEqual("the quick menu is shown with its four buttons", CountQuickButtons(p), 4);
  PressKey(p.hMain, '1');
  ExpectEqual("1 sends 57049", LastCommand(p), 57049);
  HWND hFairy = Fairy(p);
  ExpectTrue("57049 opens the fairy window", hFairy != nullptr);
  SetForegroundWindow(hFairy);
  PressKey(p.hMain, VK_NUMPAD3);
  ExpectEqual("keypad 3 with the fairy open passes on", LastCommand(p), 57049);
  CloseDialogs(p);
  Foreground(p);
  const struct {
    WORD vk;
    int iCommand;
    const char* szWhat;
  } kKeys[] = {
      {VK_NUMPAD3, 57051, "keypad 3 sends 57051"}, {'2', 57050, "2 sends 57050"},
      {'3', 57051, "3 sends 57051"},               {VK_NUMPAD2, 57050, "keypad 2 sends 57050"},
      {VK_NUMPAD1, 57049, "keypad 1 sends 57049"},
  };
  for (const auto& k : kKeys) {
    PressKey(p.hMain, k.vk);
    ExpectEqual(k.szWhat, LastCommand(p), k.iCommand);
    CloseDialogs(p);
    Foreground(p);
  }
  PressKey(p.hMain, VK_ESCAPE);
  ExpectEqual("Esc sends 57052", LastCommand(p), 57052);
  ExpectEqual("Esc closes the quick menu", CountQuickButtons(p), 0);
  PressKey(p.hMain, '4');
  ExpectEqual("4 without the quick menu passes on", LastCommand(p), 57052);
  PressKey(p.hMain, VK_F3);
  Settle(p.hMain);
  WaitForPainted(p.hMain, kWaitMs);
  ExpectEqual("F3 shows the quick menu again", CountQuickButtons(p), 4);
  PressKey(p.hMain, VK_NUMPAD4);
  ExpectEqual("keypad 4 sends 57052 and closes it", CountQuickButtons(p), 0);
  PressKey(p.hMain, '4');
  PressKey(p.hMain, VK_F3);
  WaitForPainted(p.hMain, kWaitMs);
  ExpectEqual("F3 shows it once more", CountQuickButtons(p), 4);

  // Space chords: Space+Right does nothing, Space+Down sends 39077 once.
  SendKey(VK_SPACE, false);
  Settle(p.hMain, 100);
  PressKey(p.hMain, VK_RIGHT);
  ExpectEqual("Space+Right is swallowed", LastCommand(p), 57052);
  SendKey(VK_DOWN, false);
  SendKey(VK_DOWN, false);  // auto-repeat
  SendKey(VK_DOWN, true);
  Settle(p.hMain);
  SendKey(VK_SPACE, true);
  Settle(p.hMain);
  ExpectEqual("Space+Down sends 39077", LastCommand(p), 39077);
  CloseDialogs(p);
}

// The card's place: the first column and row of its colour.
bool FindCard(const Program& p, int* piLeft, int* piTop) {
  const ClientPixels px = ReadClientPixels(p.hMain);
  const DWORD kCard = Rgb(230, 230, 200);
  constexpr int kRun = 100;  // the card's top edge: a long run of its colour
  *piLeft = *piTop = -1;
  for (int y = 0; y < px.iHeight && *piTop < 0; ++y) {
    int iRun = 0;
    for (int x = 0; x < px.iWidth; ++x) {
      iRun = px.At(x, y) == kCard ? iRun + 1 : 0;
      if (iRun == kRun) {
        *piTop = y;
        *piLeft = x - kRun;  // the run starts inside the card's one-pixel frame
        break;
      }
    }
  }
  return *piLeft >= 0;
}

void CheckDrag(const Program& p) {
  MoveMouse(1020, 760);
  PressKey(p.hMain, VK_F3);  // 39077 closed the quick menu
  WaitForPainted(p.hMain, kWaitMs);
  int iLeft, iTop;
  if (!ExpectTrue("the quick-menu card is found", FindCard(p, &iLeft, &iTop))) return;
  const int x = iLeft + 40, y = iTop + 10;
  PostMessageA(p.hMain, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(p.hMain, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x - 20, y));
  PostMessageA(p.hMain, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(x - iLeft - 30), y));
  Settle(p.hMain);
  PostMessageA(p.hMain, WM_LBUTTONUP, 0, MAKELPARAM(5, y));
  WaitForPainted(p.hMain, kWaitMs);
  int iNewLeft, iNewTop;
  FindCard(p, &iNewLeft, &iNewTop);
  ExpectEqual("dragged past the left edge, the card stays 15 pixels inside", iNewLeft, 15);
  ExpectEqual("and keeps its height", iNewTop, iTop);
  ExpectEqual("its buttons went with it", CountQuickButtons(p), 4);
}

void CheckTooSmall(const Program& p) {
  SetClientSize(p.hMain, 240, 100);
  WaitForPainted(p.hMain, kWaitMs);
  Command(p, 10003);
  HWND hBox = WaitForAppBox(p, "ウィンドウが小さすぎる");
  ExpectTrue("a command in a too-small window: ウィンドウが小さすぎる", hBox != nullptr);
  if (hBox) {
    ExpectBytes("with the line ウィンドウを拡大してください", ItemText(hBox, 257), "ウィンドウを拡大してください");
    ClickButton(hBox, 6);
  }
  SetClientSize(p.hMain, 800, 560);
  WaitForPainted(p.hMain, kWaitMs);
}

HWND Popup(const Program& p, const char* szCaption) { return WaitForCaption(p, szCaption, 3000); }

// A menu opened in the popup window keeps its own keys: Esc closes the
// text's context menu, not the popup window.
void CheckTextMenuKeys(const Program& p, HWND hPopup) {
  if (!ExpectTrue("the popup window is open", hPopup != nullptr)) return;
  HWND hText = GetDlgItem(hPopup, 257);
  SetForegroundWindow(hPopup);
  PostMessageA(hPopup, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hText), TRUE);
  ExpectTrue("its text has the focus", WaitUntil([&] { return FocusOf(p.hMain) == hText; }));
  PostMessageA(hText, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hText), MAKELPARAM(20, 20));
  HWND hMenu = nullptr;
  ExpectTrue("the text's context menu opens", WaitUntil([&] {
    hMenu = FindWindowA("#32768", nullptr);
    return hMenu && IsWindowVisible(hMenu);
  }));
  SendKey(VK_ESCAPE, false);
  SendKey(VK_ESCAPE, true);
  ExpectTrue("Esc closes the menu", WaitGone(hMenu, kWaitMs));
  Settle(p.hMain);
  ExpectTrue("and leaves the popup window open", IsWindow(hPopup) && IsWindowVisible(hPopup));
}

// The help index, a topic in the popup window, and the popup's buttons.
void CheckHelpAndPopup(const Program& p) {
  Command(p, 10019);  // the fairy is open while the popup window works
  Command(p, 10021);
  HWND hIndex = WaitForCaption(p, kHelpIndexTitle, 3000);
  if (!ExpectTrue("10021 opens the help index", hIndex != nullptr)) return;
  HWND hList = GetDlgItem(hIndex, 256);
  ExpectEqual("30 topics", SendMessageA(hList, LB_GETCOUNT, 0, 0), 30);
  ExpectEqual("topic 0 preselected", SendMessageA(hList, LB_GETCURSEL, 0, 0), 0);
  ExpectBytes("buttons 表 示 and 閉じる", ItemText(hIndex, 1) + "/" + ItemText(hIndex, 2), "表 示/閉じる");
  SendMessageA(hList, LB_SETCURSEL, 8, 0);
  AwaitScreenshot(g_szShots, "help-index", kShotMs);
  ClickButton(hIndex, 1);
  HWND hPopup = Popup(p, HelpTopicTitle(8));
  if (!ExpectTrue("表 示 shows the topic in the popup window", hPopup != nullptr)) return;
  ExpectBytes("the topic's text", ItemText(hPopup, 257), HelpTopicText(8));
  ExpectBytes("button A", ItemText(hPopup, 65), "全て閉じる[A]");
  ExpectTrue("button B is disabled", !IsWindowEnabled(GetDlgItem(hPopup, 66)));
  AwaitScreenshot(g_szShots, "help-topic", kShotMs);

  // The index again: topic 8 preselected; the aspect topic replaces the
  // popup's text after the question.
  PressKey(p.hMain, VK_F2);
  hIndex = WaitForCaption(p, kHelpIndexTitle, 3000);
  if (hIndex) {
    ExpectEqual("the last topic is preselected", SendMessageA(GetDlgItem(hIndex, 256), LB_GETCURSEL, 0, 0), 8);
    SendMessageA(GetDlgItem(hIndex, 256), LB_SETCURSEL, 11, 0);
    ClickButton(hIndex, 1);
    HWND hAsk = WaitForMessageBox(p, "ウィザードウィンドウがすでに使われています", 3000);
    ExpectTrue("an open popup window is not replaced without asking", hAsk != nullptr);
    if (hAsk) ClickButton(hAsk, IDYES);
    hPopup = Popup(p, HelpTopicTitle(11));
    ExpectTrue("the aspect topic shows the aspect help", hPopup && ItemText(hPopup, 257) == kAspectHelpText);
  }
  // 閉じる[C]: the popup closes and the fairy's さくいん has the focus.
  HWND hFairy = Fairy(p);
  if (hPopup) {
    ClickButton(hPopup, 67);
    ExpectTrue("閉じる[C] closes the popup window", WaitGone(hPopup, 3000));
    Settle(p.hMain);
    const HWND hFocus = FocusOf(p.hMain);
    if (!ExpectTrue("the focus goes to the fairy's さくいん", hFairy && hFocus == GetDlgItem(hFairy, 1))) {
      char sz[64] = "";
      GetClassNameA(hFocus, sz, sizeof sz);
      printf("     focus: %s id %d, parent %s\n", sz, GetDlgCtrlID(hFocus), SentText(GetParent(hFocus)).c_str());
    }
  }
  // 全て閉じる[A]: popup, fairy and quick menu close.
  Command(p, 10021);
  hIndex = WaitForCaption(p, kHelpIndexTitle, 3000);
  if (hIndex) ClickButton(hIndex, 1);
  hPopup = Popup(p, HelpTopicTitle(11));
  if (hPopup) {
    ClickButton(hPopup, 65);
    Settle(p.hMain);
    ExpectTrue("全て閉じる[A] closes the popup window", WaitGone(hPopup, 3000));
    ExpectTrue("and the fairy window", hFairy && WaitGone(hFairy, 3000));
    ExpectEqual("and the quick menu", CountQuickButtons(p), 0);
  }
  // B: the popup's command again, marked as coming from the popup.
  Command(p, 59004);
  hPopup = Popup(p, "テスト");
  if (ExpectTrue("a popup window with button B", hPopup != nullptr)) {
    ExpectBytes("button B's text", ItemText(hPopup, 66), "リスト [B]");
    ClickButton(hPopup, 66);
    Settle(p.hMain);
    ExpectEqual("B sends the popup's command again", LastCommand(p), 59004);
    ExpectEqual("with lParam -2000", LastParam(p), -2000);
    CheckTextMenuKeys(p, Popup(p, "テスト"));
    CloseDialogs(p);
  }
}

void CheckPopupList(const Program& p, const std::string& sTitle) {
  Command(p, 10019);
  HWND hFairy = Fairy(p);
  PostMessageA(p.hMain, WM_COMMAND, 10013, 0);
  HWND hList = WaitForCaption(p, "表示項目を選んでください", 3000);
  if (!ExpectTrue("10013 opens the popup list", hList != nullptr)) return;
  // The popup list is no help index: the fairy's さくいん opens the index.
  if (ExpectTrue("the fairy is open beside the list", hFairy != nullptr)) {
    ClickButton(hFairy, 1);
    HWND hIndex = WaitForCaption(p, kHelpIndexTitle, kWaitMs);
    if (ExpectTrue("the fairy's さくいん opens the help index over the popup list", hIndex != nullptr)) {
      ClickButton(hIndex, 2);
      WaitGone(hIndex, kWaitMs);
    }
    ExpectTrue("the popup list stays", IsWindow(hList) && IsWindowVisible(hList));
  }
  const HWND hBox = GetDlgItem(hList, 256);
  ExpectEqual("17 entries", SendMessageA(hBox, LB_GETCOUNT, 0, 0), 17);
  ExpectBytes("buttons えらぶ and 閉じる", ItemText(hList, 1) + "/" + ItemText(hList, 2), "えらぶ/閉じる");
  SendMessageA(hBox, LB_SETCURSEL, 10, 0);  // "詳細データ(3)"
  ClickButton(hList, 1);
  HWND hPopup = Popup(p, sTitle.c_str());
  ExpectTrue("詳細データ(3) shows slot 2 (the transit chart) in the popup window", hPopup != nullptr);
  CloseDialogs(p);
}

void CheckReports(const Program& p, const std::string& sTransitTitle) {
  // Level 1: a shown-slot index of 7 is repaired to the natal chart.
  Command(p, 59003);
  HWND hBox = WaitForMessageBox(p, "Horomira 自己修復ルーチン : レベル１");
  if (ExpectTrue("the level-1 box", hBox != nullptr)) {
    ExpectBytes("its text", MessageBoxText(hBox),
                "Horomira 自己修復ルーチン : レベル１\n\n出生図を出力します\n\nOutData at WM_PAINT: 7 0");
    ClickButton(hBox, IDOK);
  }
  WaitForPainted(p.hMain, kWaitMs);
  ExpectTrue("the natal chart is shown after the repair", Part(p, 0) != sTransitTitle && !Part(p, 0).empty());

  // The natal wheel alone with Placidus houses.
  Command(p, 10009);
  Command(p, 44402);
  HWND hAsk = WaitForAppBox(p, kHouseSystemHeading);
  if (ExpectTrue("Placidus asks first", hAsk != nullptr)) ClickButton(hAsk, 6);
  WaitForPainted(p.hMain, kWaitMs);
  AwaitScreenshot(g_szShots, "natal-placidus", kShotMs);

  // Level 2 in a command: reported, and the program goes on.
  struct {
    int iCommand;
    const char* szName;
    const char* szCode;
    int iAnswer;
  } kCases[] = {{59001, "整数のゼロ除算", "Code: 0XC0000094", IDIGNORE},
                {59002, "無効なアドレスへのアクセス", "Code: 0XC0000005", IDRETRY}};
  for (const auto& c : kCases) {
    PostMessageA(p.hMain, WM_COMMAND, c.iCommand, 0);
    const std::string sHead = std::string("WM_COMMAND の処理中に") + c.szName + "が発生しました。";
    hBox = WaitForMessageBox(p, sHead.c_str());
    if (!ExpectTrue(sHead.c_str(), hBox != nullptr)) continue;
    const std::string sText = MessageBoxText(hBox);
    ExpectTrue("the level-2 box names itself", sText.rfind("Horomira 自己修復ルーチン / レベル２", 0) == 0);
    ExpectTrue(c.szCode, sText.find(c.szCode) != std::string::npos);
    ExpectEqual("the box's title", SentText(hBox) == "ΩΡΟΜΙΡΑ", 1);
    ClickButton(hBox, c.iAnswer);
    Settle(p.hMain);
    ExpectTrue("the program goes on", WaitForPainted(p.hMain, kWaitMs) && IsWindow(p.hMain));
  }
  Command(p, 10002);
  ExpectTrue("and takes commands again", WaitForPainted(p.hMain, kWaitMs));
}

// A new person born in 1700 is confirmed: the chart is shown, filed, and
// the precision warning comes once.
void CheckNewRecord(const Program& p) {
  const std::string sBefore = Part(p, 0);
  PostMessageA(p.hMain, WM_COMMAND, 59006, 0);
  HWND hBox = WaitForMessageBox(p, "精度に注意");
  if (ExpectTrue("a chart before 1800 brings the precision warning", hBox != nullptr)) {
    ExpectTrue("its text", MessageBoxText(hBox).rfind("精度に注意\n\n力学時-2000年～+6000年に対して", 0) == 0);
    ClickButton(hBox, IDOK);
  }
  WaitForPainted(p.hMain, kWaitMs);
  ExpectTrue("the new chart is shown", Part(p, 0) != sBefore);
  Command(p, 10003);
  Command(p, 10002);
  ExpectTrue("the warning comes once", WaitForMessageBox(p, "精度に注意", 1000) == nullptr);
}

// The animation steps the chart every 500 ms until a key is pressed; the
// right button opens the small menu.
void CheckAnimationAndRightButton(const Program& p) {
  PostMessageA(p.hMain, WM_COMMAND, 2010, 0);
  HWND hAsk = WaitForAppBox(p, "アニメーション");
  if (!ExpectTrue("the animation asks first", hAsk != nullptr)) return;
  ClickButton(hAsk, 6);
  Sleep(1300);
  ExpectEqual("the animation steps ten minutes a frame", LastCommand(p), 1210);
  Foreground(p);
  PressKey(p.hMain, 'X');
  Command(p, 10002);
  Sleep(1200);
  ExpectEqual("a key press stops it", LastCommand(p), 10002);

  // Confirmed with Enter held down: Enter's repeats while it is held do not
  // stop the animation; pressed again after its release it does.
  PostMessageA(p.hMain, WM_COMMAND, 2010, 0);
  hAsk = WaitForAppBox(p, "アニメーション");
  if (!ExpectTrue("the animation asks again", hAsk != nullptr)) return;
  SetForegroundWindow(hAsk);
  WaitUntil([&] { return FocusOf(hAsk) == GetDlgItem(hAsk, 6); });
  SendKey(VK_RETURN, false);
  ExpectTrue("Enter held confirms", WaitGone(hAsk, kWaitMs));
  ExpectTrue("the animation steps", WaitUntil([&] { return LastCommand(p) == 1210; }));
  SendKey(VK_RETURN, false);  // a repeat of the held key
  ExpectTrue("the held Enter reaches the program (55555)", WaitUntil([&] { return LastCommand(p) == 55555; }));
  ExpectTrue("and the animation goes on", WaitUntil([&] { return LastCommand(p) == 1210; }));
  SendKey(VK_RETURN, true);
  SendKey(VK_RETURN, false);
  SendKey(VK_RETURN, true);
  ExpectTrue("Enter pressed again after its release", WaitUntil([&] { return LastCommand(p) == 55555; }));
  Command(p, 10002);
  Sleep(1200);
  ExpectEqual("stops it", LastCommand(p), 10002);

  PostMessageA(p.hMain, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(200, 200));
  Settle(p.hMain);
  const HWND hMenu = FindWindowA("#32768", nullptr);
  ExpectTrue("the right button opens the small menu", hMenu && IsWindowVisible(hMenu));
  PressKey(p.hMain, VK_ESCAPE);
  ExpectTrue("Esc closes it", WaitGone(hMenu, 3000));
}

// Closing with an untitled file (Ctrl+X, then the close box): the empty one
// stays open on Cancel, the one with rows is saved under a name before the
// window goes.
void CheckUntitledClosing(Program* p) {
  Command(*p, 31771);
  HWND hAsk = WaitForAppBox(*p, "確認");
  if (hAsk) ClickButton(hAsk, 6);
  WaitForPainted(p->hMain, kWaitMs);
  ExpectTrue("新規作成 names the file 無題.bd5", SentText(p->hMain).find("[無題.bd5]") != std::string::npos);
  Command(*p, 37299);  // Ctrl+X: the program ends the way the close box ends it
  hAsk = WaitForAppBox(*p, "登録データのないファイル");
  if (ExpectTrue("Ctrl+X with an empty untitled file asks", hAsk != nullptr)) {
    ExpectBytes("the question", ItemText(hAsk, 257) + "/" + ItemText(hAsk, 258), "下記のファイルは保存しません/無題.bd5");
    ClickButton(hAsk, 2);
  }
  Settle(p->hMain);
  ExpectTrue("Cancel keeps the window", IsWindow(p->hMain) && IsWindowVisible(p->hMain));

  Command(*p, 59005);  // a row in the untitled file
  PostMessageA(p->hMain, WM_CLOSE, 0, 0);
  HWND hBox = WaitForAppBox(*p, "新規ファイル");
  if (!ExpectTrue("closing an untitled file with rows asks for a name", hBox != nullptr)) return;
  ExpectBytes("the lines", ItemText(hBox, 257) + "/" + ItemText(hBox, 258), "無題.bd5/ファイル名を付けてください。");
  ClickButton(hBox, 6);
  HWND hSave = WaitForDialog(p->Pid(), [](HWND h) { return GetDlgItem(h, 0x47c) || GetDlgItem(h, 0x480); }, kWaitMs);
  if (!ExpectTrue("the save dialog follows", hSave != nullptr)) return;
  ExpectTrue("the window stays until the dialog ends", IsWindow(p->hMain));
  HWND hName = GetDlgItem(hSave, 0x47c) ? GetDlgItem(hSave, 0x47c) : GetDlgItem(hSave, 0x480);
  const std::string sName = g_sDir + "\\保存.bd5";
  SendMessageA(hName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(sName.c_str()));
  ClickButton(hSave, IDOK);
  ExpectEqual("the program ends after the dialog, exit code 0", WaitExit(p), 0);
  ExpectEqual("the named file holds the row", ReadFileBytes(sName).size(), kRowSize);
  const std::string sii = ReadFileBytes(SiiPath());
  ExpectEqual("Horom.sii is 3920 bytes", sii.size(), kSiiSize);
  ExpectBytes("the named file is the current file", sii.substr(kOffDataFile, sName.size()), sName);
  ExpectEqual("the sample file was written at 新規作成 (two rows and the new person)",
              ReadFileBytes(g_sDir + "\\出生ﾃﾞｰﾀ.Bd5").size(), 3 * kRowSize);
}

void FirstStart() {
  SetEnvironmentVariableA("HOROMAP_TEST_HOOKS", "1");
  Program p;
  bool bSetup = false, bTitle = false;
  {
    const std::string sExe = g_sDir + "\\Horomap.exe";
    std::string sCommand = "\"" + sExe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    const DWORD dwStart = GetTickCount();
    if (!ExpectTrue("Horomap.exe starts",
                    CreateProcessA(sExe.c_str(), &sCommand[0], nullptr, nullptr, FALSE, 0, nullptr, g_sDir.c_str(),
                                   &si, &p.pi))) {
      return;
    }
    CheckStartBoxes(p, &bSetup, &bTitle);
    p.hMain = WaitForWindow("Horomira5", nullptr, p.Pid(), kStartTimeoutMs);
    if (!ExpectTrue("the main window appears", p.hMain != nullptr)) Abandon("no main window");
    WaitForPainted(p.hMain, kWaitMs);
    printf("measure: first start: %lu ms from process start to the first painted chart "
           "(association box and title page, 3 s each, included)\n",
           static_cast<unsigned long>(GetTickCount() - dwStart));
    p.hStatus = GetDlgItem(p.hMain, 64);
    p.hBar = GetDlgItem(p.hMain, 1025);
  }
  ExpectTrue("the association box 自動設定中 was shown", bSetup);
  ExpectTrue("the title page was shown with its three lines", bTitle);
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  if (GetProcessMemoryInfo(p.pi.hProcess, &pmc, sizeof pmc)) {
    printf("measure: memory after start: working set %lu KiB, private %lu KiB\n",
           static_cast<unsigned long>(pmc.WorkingSetSize / 1024), static_cast<unsigned long>(pmc.PagefileUsage / 1024));
  }

  const std::string sTitle = Part(p, 0);
  const std::string sSample = g_sDir + "\\出生ﾃﾞｰﾀ.Bd5";
  ExpectTrue("status part 0 shows the chart's title", !sTitle.empty());
  ExpectBytes("caption: program - chart title - [file]", SentText(p.hMain),
              "ホロミラ - " + sTitle + " - [" + sSample + "]");
  ExpectEqual("the tool bar's 22 buttons and 7 separators", SendMessageA(p.hBar, TB_BUTTONCOUNT, 0, 0), 29);
  ExpectTrue("the double-circle view's button is pressed", SendMessageA(p.hBar, TB_ISBUTTONCHECKED, 10005, 0) != 0);
  ExpectTrue("the transit chart's button is pressed", SendMessageA(p.hBar, TB_ISBUTTONCHECKED, 10011, 0) != 0);
  ExpectEqual("the quick menu's four buttons", CountQuickButtons(p), 4);
  ExpectBytes("the association points at the program", RegisteredCommand(), g_sDir + "\\Horomap %1");
  AwaitScreenshot(g_szShots, "first-start", kShotMs);

  CheckTooltip(p, sTitle);
  CheckStatusEdges(p);
  CheckFairy(p);
  CheckQuickMenuKeys(p);
  CheckDrag(p);
  CheckTooSmall(p);
  CheckHelpAndPopup(p);
  CheckPopupList(p, sTitle);
  CheckReports(p, sTitle);
  CheckNewRecord(p);
  CheckAnimationAndRightButton(p);
  CheckUntitledClosing(&p);
  if (p.pi.hProcess) WaitExit(&p, 1000);
}

// --- 2.-4. Later starts -------------------------------------------------------------------

// The settings file changed for the next start: no title page, and a
// window placement.
void EditSettings(uint32_t dwTopLeft, uint32_t dwBottomRight, unsigned char bSet, unsigned char bClear) {
  std::string sii = ReadFileBytes(SiiPath());
  if (sii.size() != kSiiSize) return;
  PutU32(&sii, kOffTopLeft, dwTopLeft);
  PutU32(&sii, kOffBottomRight, dwBottomRight);
  sii[kOffFlags] = static_cast<char>((static_cast<unsigned char>(sii[kOffFlags]) | bSet) & ~bClear);
  WriteFileBytes(SiiPath(), sii);
}

void SecondStart() {
  const std::string sSaved = g_sDir + "\\保存.bd5";
  EditSettings(Corner(40, 30), Corner(840, 630), 0, kFlagTitlePage | kFlagMaximized);
  // The clock of this start runs from a test time just before midnight.
  SetEnvironmentVariableA("HOROMAP_TEST_CLOCK", "2024-03-15T23:59:50");
  Program p;
  DWORD dwMs = 0;
  const bool bStarted = Start(&p, &dwMs);
  SetEnvironmentVariableA("HOROMAP_TEST_CLOCK", nullptr);
  if (!ExpectTrue("the second start", bStarted)) return;
  printf("measure: start without title page: %lu ms from process start to the first painted chart\n",
         static_cast<unsigned long>(dwMs));
  CheckClock(p, Part(p, 0));
  ExpectTrue("the second start opens the current file",
             SentText(p.hMain).find("[" + sSaved + "]") != std::string::npos);
  PostMessageA(p.hMain, WM_COMMAND, 59001, 0);
  HWND hBox = WaitForMessageBox(p, "整数のゼロ除算");
  if (ExpectTrue("a level-2 report", hBox != nullptr)) ClickButton(hBox, IDABORT);
  ExpectEqual("Abort ends the program the normal way, exit code 0", WaitExit(&p), 0);
  const std::string sii = ReadFileBytes(SiiPath());
  ExpectEqual("the settings were saved: start count 2", U32(sii, kOffStartCount), 2);
  ExpectEqual("the file was written", ReadFileBytes(sSaved).size(), kRowSize);
}

void EmptyUntitledWithOk() {
  const std::string sSaved = g_sDir + "\\保存.bd5";
  Program p;
  if (!ExpectTrue("the third start", Start(&p))) return;
  Command(p, 31771);
  HWND hAsk = WaitForAppBox(p, "確認");
  if (hAsk) ClickButton(hAsk, 6);
  Settle(p.hMain);
  PostMessageA(p.hMain, WM_CLOSE, 0, 0);
  hAsk = WaitForAppBox(p, "登録データのないファイル");
  if (ExpectTrue("closing the empty untitled file asks", hAsk != nullptr)) ClickButton(hAsk, 6);
  ExpectEqual("OK closes, exit code 0", WaitExit(&p), 0);
  const std::string sii = ReadFileBytes(SiiPath());
  ExpectBytes("the previous file is current again", sii.substr(kOffDataFile, sSaved.size() + 1),
              sSaved + std::string(1, '\0'));
  ExpectEqual("and keeps its row", ReadFileBytes(sSaved).size(), kRowSize);
}

void Placements() {
  struct {
    const char* szWhat;
    int left, top, right, bottom;
    bool bMaximized, bExact;
  } kCases[] = {
      {"a stored 599 x 800 window is not used", 50, 40, 649, 840, false, false},
      {"a stored 600 x 400 window is used", 30, 20, 630, 420, false, true},
      {"a maximized window opens maximized", 30, 20, 630, 420, true, false},
  };
  for (const auto& c : kCases) {
    EditSettings(Corner(c.left, c.top), Corner(c.right, c.bottom), c.bMaximized ? kFlagMaximized : 0,
                 kFlagTitlePage | (c.bMaximized ? 0 : kFlagMaximized));
    Program p;
    if (!ExpectTrue("a start with a stored placement", Start(&p))) continue;
    RECT rc;
    GetWindowRect(p.hMain, &rc);
    const bool bStored = rc.left == c.left && rc.top == c.top && rc.right == c.right && rc.bottom == c.bottom;
    if (c.bMaximized) {
      ExpectTrue(c.szWhat, IsZoomed(p.hMain) != 0);
    } else {
      ExpectTrue(c.szWhat, bStored == c.bExact);
    }
    const DWORD dwClose = GetTickCount();
    PostMessageA(p.hMain, WM_CLOSE, 0, 0);
    ExpectEqual("closed, exit code 0", WaitExit(&p), 0);
    const DWORD dwExitMs = GetTickCount() - dwClose;
    printf("measure: exit took %lu ms\n", static_cast<unsigned long>(dwExitMs));
    ExpectTrue("the exit does not wait out the clock's full second", dwExitMs < 1000);
  }
  const std::string sii = ReadFileBytes(SiiPath());
  ExpectTrue("closing maximized stores the maximized bit", (static_cast<unsigned char>(sii[kOffFlags]) & kFlagMaximized) != 0);
}

// Without HOROMAP_TEST_HOOKS=1 the program is the one users run: its test
// commands do not exist and it keeps no command log, whatever the other
// variables of its environment say.
void ShippedProgram() {
  char szHooks[16] = "", szLog[MAX_PATH] = "";
  GetEnvironmentVariableA("HOROMAP_TEST_HOOKS", szHooks, sizeof szHooks);
  const bool bLog = GetEnvironmentVariableA("HOROMAP_COMMAND_LOG", szLog, sizeof szLog) > 0;
  const std::string sLog = g_sDir + "\\commands.log";
  SetEnvironmentVariableA("HOROMAP_TEST_HOOKS", nullptr);
  SetEnvironmentVariableA("HOROMAP_COMMAND_LOG", sLog.c_str());
  Program p;
  if (ExpectTrue("a start without the test hooks", Start(&p))) {
    PostMessageA(p.hMain, WM_COMMAND, 59005, 0);
    HWND hBox = WaitForMessageBox(p, "Out of switch");
    if (ExpectTrue("a test command is no command: Out of switch", hBox != nullptr)) ClickButton(hBox, IDOK);
    PostMessageA(p.hMain, WM_CLOSE, 0, 0);
    ExpectEqual("closed, exit code 0", WaitExit(&p), 0);
  }
  ExpectTrue("no command log was kept", GetFileAttributesA(sLog.c_str()) == INVALID_FILE_ATTRIBUTES);
  SetEnvironmentVariableA("HOROMAP_TEST_HOOKS", szHooks[0] ? szHooks : nullptr);
  SetEnvironmentVariableA("HOROMAP_COMMAND_LOG", bLog ? szLog : nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Abandon("usage: test_shell HOROMAP_EXE WORK_DIR SHOT_DIR");
  g_sDir = argv[2];
  g_szShots = argc > 3 ? argv[3] : nullptr;
  if (!CopyFileA(argv[1], (g_sDir + "\\Horomap.exe").c_str(), FALSE)) Abandon("cannot copy Horomap.exe");
  RemoveFileAssociation();
  FirstStart();
  SecondStart();
  EmptyUntitledWithOk();
  Placements();
  ShippedProgram();
  RemoveFileAssociation();
  return Finish("test_shell");
}

// The Windows shell's window-free rules: the keys of the two hooks, the
// clock, the status-bar parts, the first placement, the caption, the fairy's
// situation, the toolbar's texts, the menu state and the quick menu's drag.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "chart/chart_text.h"
#include "readings/help_texts.h"
#include "shell/logic/shell_logic.h"

namespace {

KeyEvent Down(int vk, bool bShift = false) { return KeyEvent{vk, true, false, false, bShift, false}; }
KeyEvent Repeat(int vk) { return KeyEvent{vk, true, true, false, false, false}; }

struct FilterCase {
  const char* szWhat;
  KeyEvent e;
  FocusPlace focus;
  bool bFairyOpen;
  int iKind;
  int iTarget;
};

TEST(ShellKeys, MessageFilterHook) {
  const FilterCase kCases[] = {
      // Keys left alone.
      {"Ctrl held", KeyEvent{'C', true, false, true, false, false}, kFocusPopupA, false, kKeyPass, 0},
      {"Kana key", Down(kVkKana), kFocusPopupA, false, kKeyPass, 0},
      {"Kanji key", Down(kVkKanji), kFocusPopupA, false, kKeyPass, 0},
      {"IME conversion on", KeyEvent{'C', true, false, false, false, true}, kFocusPopupA, false, kKeyPass, 0},
      {"no focus", Down(kVkEscape), kFocusNone, false, kKeyPass, 0},
      {"key-up", KeyEvent{kVkEscape, false, false, false, false, false}, kFocusPopupA, false, kKeyPass, 0},
      {"focus elsewhere", Down(kVkEscape), kFocusElsewhere, false, kKeyPass, 0},
      // Auto-repeat.
      {"repeated Tab", Repeat(kVkTab), kFocusPopupA, false, kKeySwallow, 0},
      {"repeated Enter", Repeat(kVkReturn), kFocusElsewhere, false, kKeySwallow, 0},
      {"repeated Space", Repeat(kVkSpace), kFocusHelpList, false, kKeySwallow, 0},
      {"repeated Right", Repeat(kVkRight), kFocusPopupText, false, kKeySwallow, 0},
      {"repeated Left in the help list", Repeat(kVkLeft), kFocusHelpList, false, kKeyPass, 0},
      {"repeated Down", Repeat(kVkDown), kFocusPopupText, false, kKeyPass, 0},
      // Lists.
      {"Space in the help list", Down(kVkSpace), kFocusHelpList, false, kKeySelectFirst, 0},
      {"Space in the place list", Down(kVkSpace), kFocusPlaceList, false, kKeySelectFirst, 0},
      {"Esc in the help list", Down(kVkEscape), kFocusHelpList, false, kKeyPass, 0},
      // Focus movement: text -> buttons -> text.
      {"Tab from the fairy text", Down(kVkTab), kFocusFairyText, true, kKeyFocus, kFocusFairyIndex},
      {"Shift+Tab from the fairy text", Down(kVkTab, true), kFocusFairyText, true, kKeyFocus, kFocusFairyClose},
      {"Right from the fairy's close", Down(kVkRight), kFocusFairyClose, true, kKeyFocus, kFocusFairyText},
      {"Right from popup B", Down(kVkRight), kFocusPopupB, false, kKeyFocus, kFocusPopupClose},
      {"Left from popup A", Down(kVkLeft), kFocusPopupA, false, kKeyFocus, kFocusPopupText},
      {"Right from the popup's close", Down(kVkRight), kFocusPopupClose, false, kKeyFocus, kFocusPopupText},
      {"Up in the text", Down(kVkUp), kFocusPopupText, false, kKeyPass, 0},
      {"Up on a button", Down(kVkUp), kFocusPopupB, false, kKeyFocus, kFocusPopupText},
      {"Down in the text", Down(kVkDown), kFocusFairyText, true, kKeyPass, 0},
      {"Down on a button", Down(kVkDown), kFocusFairyIndex, true, kKeyFocus, kFocusFairyClose},
      // Commands.
      {"Backspace in the fairy", Down(kVkBack), kFocusFairyText, true, kKeyCommandMain, 10000},
      {"Insert in the fairy", Down(kVkInsert), kFocusFairyClose, true, kKeyCommandMain, 10001},
      {"Backspace in the popup", Down(kVkBack), kFocusPopupText, false, kKeyPass, 0},
      {"Enter on the fairy's close", Down(kVkReturn), kFocusFairyClose, true, kKeyCommandWindow, 2},
      {"Enter in the fairy text", Down(kVkReturn), kFocusFairyText, true, kKeyCommandWindow, 1},
      {"Enter in the popup text", Down(kVkReturn), kFocusPopupText, false, kKeyCommandWindow, 67},
      {"Enter on popup B", Down(kVkReturn), kFocusPopupB, false, kKeyCommandWindow, 66},
      {"Enter on popup A", Down(kVkReturn), kFocusPopupA, false, kKeyCommandWindow, 65},
      {"Esc", Down(kVkEscape), kFocusPopupA, false, kKeyDestroyWindow, 0},
      {"C", Down('C'), kFocusFairyIndex, true, kKeyDestroyWindow, 0},
      {"A in the popup", Down('A'), kFocusPopupText, false, kKeyCommandWindow, 65},
      {"B in the popup", Down('B'), kFocusPopupClose, false, kKeyCommandWindow, 66},
      {"A in the fairy", Down('A'), kFocusFairyText, true, kKeySwallow, 0},
      {"T with the fairy open", Down('T'), kFocusPopupText, true, kKeyCommandMain, 53237},
      {"Application key in the fairy", Down(kVkApps), kFocusFairyText, true, kKeyCommandMain, 53237},
      {"T without the fairy", Down('T'), kFocusPopupText, false, kKeyPass, 0},
      {"another letter", Down('X'), kFocusPopupText, false, kKeyPass, 0},
  };
  for (const FilterCase& c : kCases) {
    const KeyAction a = DecideFilterKey(c.e, FilterKeyContext{c.focus, c.bFairyOpen, true});
    EXPECT_EQ(a.iKind, c.iKind) << c.szWhat;
    EXPECT_EQ(a.iTarget, c.iTarget) << c.szWhat;
  }
}

TEST(ShellKeys, DisabledPopupButtonIsSkipped) {
  const FilterKeyContext ctx{kFocusPopupA, false, false};
  EXPECT_EQ(DecideFilterKey(Down(kVkRight), ctx).iTarget, kFocusPopupClose);
  const FilterKeyContext ctxClose{kFocusPopupClose, false, false};
  EXPECT_EQ(DecideFilterKey(Down(kVkLeft), ctxClose).iTarget, kFocusPopupA);
}

struct HookCase {
  const char* szWhat;
  KeyEvent e;
  bool bSpace, bQuickMenu, bWatched;
  int iKind;
  int iTarget;
};

TEST(ShellKeys, KeyboardHook) {
  const KeyEvent up{kVkRight, false, false, false, false, false};
  const HookCase kCases[] = {
      {"Space then Right", Down(kVkRight), true, false, false, kKeySwallow, 0},
      {"Space then Right released", up, true, false, false, kKeySwallow, 0},
      {"Space then Down", Down(kVkDown), true, false, false, kKeyCommandMain, 39077},
      {"Space then Down repeated", Repeat(kVkDown), true, false, false, kKeySwallow, 0},
      {"Space itself", Down(kVkSpace), true, true, false, kKeyPass, 0},
      {"Esc with the quick menu", Down(kVkEscape), false, true, false, kKeyCommandMain, 57052},
      {"1 with the quick menu", Down('1'), false, true, false, kKeyCommandMain, 57049},
      {"4 with the quick menu", Down('4'), false, true, false, kKeyCommandMain, 57052},
      {"keypad 3 with the quick menu", Down(kVkNumpad0 + 3), false, true, false, kKeyCommandMain, 57051},
      {"keypad 1 with the quick menu", Down(kVkNumpad0 + 1), false, true, false, kKeyCommandMain, 57049},
      {"5 with the quick menu", Down('5'), false, true, false, kKeyPass, 0},
      {"keypad 3 with the fairy open", Down(kVkNumpad0 + 3), false, true, true, kKeyPass, 0},
      {"2 repeated", Repeat('2'), false, true, false, kKeyPass, 0},
      {"Ctrl+2", KeyEvent{'2', true, false, true, false, false}, false, true, false, kKeyPass, 0},
      {"2 without the quick menu", Down('2'), false, false, false, kKeyPass, 0},
  };
  for (const HookCase& c : kCases) {
    const KeyAction a = DecideKeyboardHook(c.e, c.bSpace, c.bQuickMenu, c.bWatched);
    EXPECT_EQ(a.iKind, c.iKind) << c.szWhat;
    EXPECT_EQ(a.iTarget, c.iTarget) << c.szWhat;
  }
}

LocalClock At(int h, int m, int s, int day = 15) { return LocalClock{2024, 3, day, h, m, s, 0}; }

// Runs the clock from h:m:s for n seconds (five passes a second) and
// returns what it did, one line per event.
std::string RunClock(int h, int m, int s, int nSeconds, ClockMemory* pMem) {
  std::string sLog;
  uint16_t wDay = 15;
  for (int i = 0; i < nSeconds * 5; ++i) {
    int t = (h * 3600 + m * 60 + s + i / 5) % 86400;
    ClockPass pass;
    ClockStep(At(t / 3600, t / 60 % 60, t % 60), wDay, pMem, &pass);
    if (pass.bAnnounce) sLog += std::string("announce ") + pass.szAnnounce + "\n";
    if (pass.iPriority == kClockPriorityRaise) sLog += "raise\n";
    if (pass.iPriority == kClockPriorityDrop) sLog += "drop\n";
    if (pass.bStatusBack) sLog += std::string("status back at ") + pass.szTime + "\n";
  }
  return sLog;
}

TEST(ShellClock, HourAnnouncement) {
  ClockMemory mem{-1, false, false};
  EXPECT_EQ(RunClock(12, 59, 55, 12, &mem),
            "announce ■　ホロミラが13時をお知らせします　■\nraise\n"
            "announce ■　ホロミラが13時をお知らせします　■\n"
            "announce ■　ホロミラが13時をお知らせします　■\n"
            "drop\nstatus back at 13:00:05\n");
  ClockMemory mem2{-1, false, false};
  EXPECT_EQ(RunClock(23, 59, 57, 1, &mem2), "announce ■　ホロミラが 0時をお知らせします　■\nraise\n");
  // A start after the announcement's seconds neither drops nor sends.
  ClockMemory mem3{-1, false, false};
  EXPECT_EQ(RunClock(8, 0, 0, 10, &mem3), "");
}

TEST(ShellClock, PassDelayedPastTheHourStillDrops) {
  ClockMemory mem{-1, false, false};
  ClockPass pass;
  ClockStep(At(9, 59, 58), 15, &mem, &pass);
  EXPECT_EQ(pass.iPriority, kClockPriorityRaise);
  ClockStep(At(10, 0, 7), 15, &mem, &pass);  // the thread was held up over second 0
  EXPECT_EQ(pass.iPriority, kClockPriorityDrop);
  EXPECT_TRUE(pass.bStatusBack);
}

TEST(ShellClock, TimeOncePerSecondAndDateOnNewDay) {
  ClockMemory mem{-1, false, false};
  ClockPass pass;
  ClockStep(At(7, 5, 9), 0, &mem, &pass);
  EXPECT_TRUE(pass.bTime);
  EXPECT_STREQ(pass.szTime, " 7:05:09");
  EXPECT_TRUE(pass.bDate);
  EXPECT_STREQ(pass.szDate, " 2024年3月15日 金曜日");
  EXPECT_EQ(pass.wDay, 15);
  ClockStep(At(7, 5, 9), 15, &mem, &pass);
  EXPECT_FALSE(pass.bTime);
  EXPECT_FALSE(pass.bDate);
  ClockStep(LocalClock{2000, 1, 1, 0, 0, 0, 0}, 15, &mem, &pass);
  EXPECT_STREQ(pass.szDate, " 2000年1月1日 土曜日");
}

TEST(ShellClock, DayOfWeek) {
  EXPECT_EQ(DayOfWeek(2024, 3, 15), 5);  // Friday
  EXPECT_EQ(DayOfWeek(2000, 2, 29), 2);  // Tuesday
  EXPECT_EQ(DayOfWeek(1900, 1, 1), 1);   // Monday
  EXPECT_EQ(DayOfWeek(2100, 12, 31), 5); // Friday
}

TEST(ShellWindow, StatusBarEdges) {
  struct {
    int w, e0, e1, e2;
  } kCases[] = {
      {800, 540, 720, 798}, {561, 301, 481, 559}, {560, 420, 558, 558},
      {481, 341, 479, 479}, {480, 478, 478, 478}, {100, 98, 98, 98},
  };
  for (const auto& c : kCases) {
    int e[3];
    StatusBarEdges(c.w, e);
    EXPECT_EQ(e[0], c.e0) << c.w;
    EXPECT_EQ(e[1], c.e1) << c.w;
    EXPECT_EQ(e[2], c.e2) << c.w;
  }
}

TEST(ShellWindow, StartPlacement) {
  std::unique_ptr<SystemIniInf> sii(new SystemIniInf());
  memset(sii.get(), 0, sizeof *sii);
  sii->dwWindowTopLeft = PackCorner(10, 20);
  sii->dwWindowBottomRight = PackCorner(10 + 599, 20 + 800);
  StartPlacement p = ChooseStartPlacement(true, *sii);
  EXPECT_FALSE(p.bStored) << "599 x 800";
  EXPECT_FALSE(p.bMaximized);
  sii->dwWindowBottomRight = PackCorner(10 + 600, 20 + 400);
  p = ChooseStartPlacement(true, *sii);
  EXPECT_TRUE(p.bStored) << "600 x 400";
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, 20);
  EXPECT_EQ(p.cx, 600);
  EXPECT_EQ(p.cy, 400);
  sii->dwWindowBottomRight = PackCorner(10 + 600, 20 + 399);
  EXPECT_FALSE(ChooseStartPlacement(true, *sii).bStored) << "600 x 399";
  EXPECT_FALSE(ChooseStartPlacement(false, *sii).bStored) << "no settings";
  sii->dwWindowBottomRight = PackCorner(10 + 900, 20 + 700);
  sii->bFlags = kSiiFlagMaximized;
  p = ChooseStartPlacement(true, *sii);
  EXPECT_TRUE(p.bMaximized);
  EXPECT_FALSE(p.bStored);
  // A window stored at negative coordinates (another monitor) is kept.
  sii->bFlags = 0;
  sii->dwWindowTopLeft = PackCorner(-700, 30);
  sii->dwWindowBottomRight = PackCorner(-50, 530);
  p = ChooseStartPlacement(true, *sii);
  EXPECT_TRUE(p.bStored);
  EXPECT_EQ(p.x, -700);
  EXPECT_EQ(p.cx, 650);
}

TEST(ShellWindow, Caption) {
  char sz[64];
  FormatCaption(sz, sizeof sz, "ホロミラ", "出生図", "出生ﾃﾞｰﾀ.Bd5");
  EXPECT_STREQ(sz, "ホロミラ - 出生図 - [出生ﾃﾞｰﾀ.Bd5]");
  char szShort[12];
  FormatCaption(szShort, sizeof szShort, "ホロミラ", "出生図", "x");
  EXPECT_STREQ(szShort, "ホロミラ - ");  // 11 bytes, cut before a double-byte character
}

class ShellChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    slots.reset(new ChartSlots());
    ResetChartSlots(slots.get());
    for (ChartRecord& c : slots->charts) c.fHarmonic = 1.0f;
  }
  ChartRecord& Shown() { return slots->charts[slots->bCurSlot]; }
  std::unique_ptr<ChartSlots> slots;
};

TEST_F(ShellChartTest, Situations) {
  EXPECT_EQ(ChooseFairySituation(*slots, false, false), kFairyChartView);
  slots->iViewMode = kViewDetail;
  EXPECT_EQ(ChooseFairySituation(*slots, false, false), kFairyDetailView);
  slots->iViewMode = kViewTime;
  EXPECT_EQ(ChooseFairySituation(*slots, false, false), kFairyTimeView);
  slots->iViewMode = kViewChart;
  EXPECT_EQ(ChooseFairySituation(*slots, false, true), kFairyDoubleCircle) << "double-chart mode in view 0";
  slots->iViewMode = kViewDouble;
  EXPECT_EQ(ChooseFairySituation(*slots, false, false), kFairyDoubleCircle);
  slots->bCurSlot = kSlotTransit;
  Shown().wKind = kChartTransit;
  EXPECT_EQ(ChooseFairySituation(*slots, false, false), kFairyDerivedChart);
  Shown().fHarmonic = 5.0f;
  EXPECT_EQ(ChooseFairySituation(*slots, false, false), kFairyHarmonic);
  Shown().iReturnAge = 30;
  EXPECT_EQ(ChooseFairySituation(*slots, false, false), kFairySolarReturn);
  EXPECT_EQ(ChooseFairySituation(*slots, true, true), kFairyDefaultPerson);
  slots->bCurSlot = 9;  // out of range: read as slot 0
  EXPECT_EQ(ChooseFairySituation(*slots, false, false), kFairyDoubleCircle);
}

TEST(ShellFairy, TextWithRepeatNotice) {
  char sz[4096];
  FormatFairyText(sz, sizeof sz, kFairyChartView, false);
  EXPECT_EQ(std::string(sz), std::string("  ") + FairyHintText(kFairyChartView) + kFairyClosingText);
  FormatFairyText(sz, sizeof sz, kFairyChartView, true);
  EXPECT_EQ(std::string(sz).rfind(std::string("  ") + kFairyRepeatNotice, 0), 0u);
  FormatFairyText(sz, sizeof sz, kFairyTimeView, false);
  EXPECT_EQ(std::string(sz), std::string("  ") + kFairyClosingText);
}

TEST(ShellToolbar, Texts) {
  struct {
    int iCommand, iKind;
    bool bFairy, bQuick;
    const char* szShort;
    const char* szStatus;
  } kCases[] = {
      {10000, 0, false, false, "保存ﾃﾞｰﾀの呼出", "★ 以前に入力したﾃﾞｰﾀを呼び出します ..."},
      {10016, 0, false, false, "時刻設定", "★ 計算時点を新規設定します ..."},
      {10017, 1, false, false, "1日ﾏｲﾅｽ", "★ ﾌﾟﾛｸﾞﾚｽの計算時点を1日ﾏｲﾅｽします ..."},
      {10018, 2, false, false, "1分ﾌﾟﾗｽ", "★ ﾄﾗﾝｼﾞｯﾄの計算時点を1分進めます ..."},
      {10018, 0, false, false, "1分ﾌﾟﾗｽ", "★ 出生図の計算時点を1分進めます ..."},
      {10019, 0, true, false, "親切な妖精", "★ 妖 精 が 消 え ま す ..."},
      {10019, 0, false, false, "親切な妖精", "★ 親 切 な 妖 精 を 呼 び 出 し ま す ..."},
      {57052, 0, false, true, "簡単ﾒﾆｭｰを閉じる", "★ \"簡単ﾒﾆｭｰ\"を閉じます ..."},
      {57052, 0, false, false, "簡単ﾒﾆｭｰ", "★ \"簡単ﾒﾆｭｰ\"を呼び出します ..."},
      {10021, 0, false, false, "ﾍﾙﾌﾟ", "★ 疑問点をさくいんから調べます ..."},
      {10020, 0, false, false, "Abnormal value", ""},
  };
  for (const auto& c : kCases) {
    char szShort[80], szStatus[160];
    ToolbarTexts(c.iCommand, ToolbarTextState{c.iKind, c.bFairy, c.bQuick}, szShort, sizeof szShort, szStatus,
                 sizeof szStatus);
    EXPECT_STREQ(szShort, c.szShort) << c.iCommand;
    EXPECT_STREQ(szStatus, c.szStatus) << c.iCommand;
  }
}

TEST(ShellToolbar, EveryButtonHasAnImageAndTexts) {
  int nButtons = 0, nSeparators = 0;
  for (int iCommand : kToolbarCommands) {
    if (iCommand == 0) {
      ++nSeparators;
      continue;
    }
    ++nButtons;
    char szShort[80], szStatus[160];
    EXPECT_EQ(ToolbarTexts(iCommand, ToolbarTextState{}, szShort, sizeof szShort, szStatus, sizeof szStatus), 1)
        << iCommand;
    EXPECT_NE(ToolbarImage(iCommand), -1) << iCommand;
  }
  EXPECT_EQ(nButtons, 22);
  EXPECT_EQ(nSeparators, 7);
  EXPECT_EQ(ToolbarImage(10000), -7);
  EXPECT_EQ(ToolbarImage(10001), -6);
  EXPECT_EQ(ToolbarImage(10002), 0);
  EXPECT_EQ(ToolbarImage(10019), 17);
  EXPECT_EQ(ToolbarImage(57052), 18);
  EXPECT_EQ(ToolbarImage(10021), 19);
}

TEST_F(ShellChartTest, MenuState) {
  MenuState m = ComputeMenuState(*slots, 0x04, 0, 0, true);
  EXPECT_TRUE(m.bQuickMenu);
  EXPECT_FALSE(m.bRestoreTime);
  EXPECT_EQ(m.iViewCommand, 10002);
  EXPECT_TRUE(m.bNatal);
  EXPECT_FALSE(m.bUndo) << "default person shown";
  slots->iViewMode = kViewDouble;
  slots->bCurSlot = kSlotTransit;
  Shown().wKind = kChartTransit;
  Shown().iReturnAge = 12;
  Shown().fHarmonic = 3.0f;
  m = ComputeMenuState(*slots, 0, 0x04, 0x40, false);
  EXPECT_TRUE(m.bRestoreTime);
  EXPECT_EQ(m.iViewCommand, 10005);
  EXPECT_TRUE(m.bNatal) << "natal pressed in the double circle";
  EXPECT_TRUE(m.bTransit);
  EXPECT_FALSE(m.bProgressed);
  EXPECT_TRUE(m.bHarmonic);
  EXPECT_TRUE(m.bSolarReturn);
  EXPECT_TRUE(m.bDoubleChartMode);
  EXPECT_FALSE(m.bUndo) << "double-chart mode";
  m = ComputeMenuState(*slots, 0, 0, 0, false);
  EXPECT_TRUE(m.bUndo);
}

TEST(ShellQuickMenu, DragBandAndBounds) {
  EXPECT_TRUE(InQuickMenuDragBand(110, 184, 100, 100, 300));
  EXPECT_FALSE(InQuickMenuDragBand(110, 185, 100, 100, 300));
  EXPECT_FALSE(InQuickMenuDragBand(400, 120, 100, 100, 300));
  const ShellRect area{0, 28, 800, 520};
  struct {
    const char* szWhat;
    int left, top;
    bool bEnds;
    int wantLeft, wantTop;
  } kCases[] = {
      {"inside", 10, 28, false, 10, 28},
      {"past the left edge", 9, 100, true, 15, 100},
      {"far past the left edge", -200, 100, true, 15, 100},
      {"past the right edge", 501, 100, true, 500, 100},
      {"above the area", 100, 27, true, 100, 33},
      {"below the area", 100, 221, true, 100, 215},
  };
  for (const auto& c : kCases) {
    int left = c.left, top = c.top;
    EXPECT_EQ(ConfineQuickMenu(area, 300, &left, &top), c.bEnds) << c.szWhat;
    EXPECT_EQ(left, c.wantLeft) << c.szWhat;
    EXPECT_EQ(top, c.wantTop) << c.szWhat;
  }
}

}  // namespace

// IDM_Clip and the command table.  Find a command by its number: each row
// of kCommandTable names its handler, defined above the table or in the
// command files of its family (commands_time, _chart, _person, _settings,
// _files).
#include "shell/command_dispatch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "persistence/data_file.h"
#include "platform/reports.h"
#include "platform/win32/exception_guard.h"
#include "platform/win32/win32_platform.h"
#include "shell/aux_windows.h"
#include "shell/commands_chart.h"
#include "shell/commands_files.h"
#include "shell/commands_person.h"
#include "shell/commands_settings.h"
#include "shell/commands_time.h"
#include "shell/main_window.h"
#include "shell/picture_commands.h"
#include "shell/report_commands.h"
#include "shell/shell.h"

namespace {

// --- Helpers ---------------------------------------------------------------------

int OutOfSwitch(HWND hWnd) {
  PlatformMessageBox(hWnd, "Out of switch", "IDM", kMbOk);
  return 0;
}

// --- Auxiliary windows ----------------------------------------------------------------------

// 10019, 57049.
int Fairy(const CommandContext& c) {
  FairyCommand(c.hWnd, c.pSlots, c.lpAb);
  return 1;
}

// 10020, 57052.
int QuickMenu(const CommandContext& c) {
  ToggleQuickMenu(c.hWnd, c.lpAb);
  return 1;
}

// 10021, 53237.
int HelpIndex(const CommandContext& c) {
  HelpIndexCommand(c.hWnd);
  return 1;
}

// 10013: a chosen command runs (the aspect reading from the natal chart
// alone); a chosen slot shows its chart's text.
int PopupList(const CommandContext& c) {
  const int iResult = PopupListCommand(c.hWnd, c.pSlots);
  if (iResult < 0) return 0;
  if (iResult >= kNumChartSlots) {
    if (iResult == IDM_ASPECT_READING) {
      c.pSlots->iViewMode = kViewChart;
      c.pSlots->iCurKind = kChartNatal;
      c.pSlots->bCurSlot = kSlotNatal;
      RedrawChart(c.hWnd);
    }
    PostMessageW(c.hWnd, WM_COMMAND, iResult, 0);
    return 1;
  }
  const ChartRecord& chart = c.pSlots->charts[iResult];
  char* szText = c.lpAb->szText + kMessageTextOffset;
  MakeChartText(szText, kTextBufferSize - kMessageTextOffset, chart);
  return SetPopupWindow(c.hWnd, IDM_POPUP_LIST, chart.szTitle, szText, nullptr, 0);
}

// 53250: the popup window's first button; 53259: the popup window closes.
int PopupPressA(const CommandContext&) {
  if (PopupWindow()) SendMessageW(PopupWindow(), WM_COMMAND, kIdPopupButtonA, 0);
  return 1;
}
int PopupClose(const CommandContext&) {
  ClosePopupWindow();
  return 1;
}

// 12000, 55555: nothing beyond the preamble.
int Nothing(const CommandContext&) { return 1; }

// --- Test commands (HOROMAP_TEST_HOOKS=1 only) -----------------------------------------------

int TestDivisionByZero(const CommandContext& c) {
  if (!TestHooksEnabled()) return OutOfSwitch(c.hWnd);
  RaiseDivisionByZero();
  return 1;
}
int TestAccessViolation(const CommandContext& c) {
  if (!TestHooksEnabled()) return OutOfSwitch(c.hWnd);
  RaiseAccessViolation();
  return 1;
}
// A shown-slot index out of range, as a fault elsewhere would leave it.
int TestBadSlotIndex(const CommandContext& c) {
  if (!TestHooksEnabled()) return OutOfSwitch(c.hWnd);
  c.pSlots->bCurSlot = 7;
  InvalidateRect(c.hWnd, nullptr, FALSE);
  return 1;
}

// A popup window whose second button is enabled: the button sends this
// command again with the popup's marker.
int TestPopup(const CommandContext& c) {
  if (!TestHooksEnabled()) return OutOfSwitch(c.hWnd);
  return SetPopupWindow(c.hWnd, c.iCommand, "テスト", "テスト用の表示です。", "リスト [B]", 1);
}
// The first sample person appended to the table.
int TestAppendRow(const CommandContext& c) {
  if (!TestHooksEnabled()) return OutOfSwitch(c.hWnd);
  BirthTable* pTable = LockBirthTable(c.lpAb);
  if (!pTable) return 0;
  BirthRecord row;
  MakeSampleRow(0, &row);
  const int iNext = FileNewRow(&row, pTable, c.pSii, &c.lpAb->files);
  UnlockBirthTable(c.lpAb);
  return iNext > 0 ? 1 : 0;
}

// A new record of 1700 confirmed as the data-entry dialogs confirm one:
// its chart in the working chart, filed, and message 2048.
int TestNewRecord(const CommandContext& c) {
  if (!TestHooksEnabled()) return OutOfSwitch(c.hWnd);
  BirthRecord rec;
  MakeSampleRow(1, &rec);
  rec.time.year = 1700;
  rec.bSave = 1;
  HoromiraMain(rec, rec, &c.lpAb->chart, kChartNatal, 0, c.lpAb->dHarmonic, kOriginOrdinary);
  SendMessageW(c.hWnd, kMsgNewRecord, 0, 0);
  return 1;
}

// The state of a menu item (lParam: its command), left on the main window
// as a property: a test cannot read the program's menus.
int TestMenuState(const CommandContext& c) {
  if (!TestHooksEnabled()) return OutOfSwitch(c.hWnd);
  const UINT uState = GetMenuState(c.lpAb->hMenu, static_cast<uint16_t>(c.lParam), MF_BYCOMMAND);
  SetPropW(c.hWnd, L"HoromiraMenuState", reinterpret_cast<HANDLE>(static_cast<uintptr_t>(uState)));
  return 1;
}

// In a test process every command is also left on the main window as two
// properties, the command and its parameter, for the test to read; and
// when HOROMAP_COMMAND_LOG names a file, every command number reaching the
// dispatcher is appended to it (one decimal number a line), so that the
// tests can tell which commands they reached.
void RecordForTest(HWND hWnd, int iCommand, LPARAM lParam) {
  if (!TestHooksEnabled()) return;
  static const char* const szLog = getenv("HOROMAP_COMMAND_LOG");
  if (szLog && szLog[0]) {
    if (FILE* f = fopen(szLog, "a")) {
      fprintf(f, "%d\n", iCommand);
      fclose(f);
    }
  }
  SetPropW(hWnd, L"HoromiraCommand", reinterpret_cast<HANDLE>(static_cast<intptr_t>(iCommand)));
  SetPropW(hWnd, L"HoromiraParam", reinterpret_cast<HANDLE>(lParam));
}

constexpr unsigned kChart = kCmdNeedsChart;
constexpr unsigned kAnim = kCmdDuringAnimation;
constexpr unsigned kKeep = kCmdKeepsQuickMenu;

}  // namespace

bool TestHooksEnabled() {
  static const bool bEnabled = [] {
    const char* sz = getenv("HOROMAP_TEST_HOOKS");
    return sz && strcmp(sz, "1") == 0;
  }();
  return bEnabled;
}

// The command table, in ascending order of command numbers: a search for a
// number finds its row and, through it, its handler (commands_*.cpp).
constexpr CommandEntry kCommandTable[] = {
    {101, 105, kChart, "時刻の修正", TimeStep},
    {201, 205, kChart, "時刻の修正", TimeStep},
    {301, 305, kChart, "時刻の修正", TimeStep},
    {401, 405, kChart, "時刻の修正", TimeStep},
    {1101, 1105, kChart, "時刻の修正", TimeStep},
    {1201, 1205, kChart, "時刻の修正", TimeStep},
    {1210, 1210, kChart | kAnim, "時刻の修正", TimeStep},
    {1301, 1305, kChart, "時刻の修正", TimeStep},
    {1401, 1405, kChart, "時刻の修正", TimeStep},
    {2000, 2000, 0, "初めの時刻に戻す", RestoreTime},
    {2010, 2010, kChart, "アニメーション", StartAnimation},
    {2050, 2050, 0, "右ボタンメニュー", RightButtonMenu},
    {3199, 3199, 0, "隠しコマンドＢ", HiddenCommandB},
    {10000, 10000, 0, "データの呼出", RecallData},
    {10001, 10001, 0, "新規データ", NewData},
    {10002, 10004, kAnim, "表示", ViewCommand},
    {10005, 10005, kChart | kAnim, "2重チャート", ViewCommand},
    {10006, 10006, kChart, "アスペクト", AspectListCommand},
    {10007, 10007, kChart, "倍音図", HarmonicCommand},
    {10008, 10008, kChart, "ソーラーリターン", SolarReturnCommand},
    {10009, 10009, kChart, "出生図", ChartKindCommand},
    {10010, 10010, kChart, "プログレス", ChartKindCommand},
    {10011, 10011, kChart, "トランジット", ChartKindCommand},
    {10012, 10012, kChart, "きょうの運勢", FortuneCommand},
    {10013, 10013, 0, "ポップアップ", PopupList},
    // Double-chart mode shows an empty outer place until the second person
    // is chosen: these two need a chart only outside the mode, so that the
    // mode can always be left (the handlers ask).
    {10014, 10014, 0, "相性", DoubleChartCommand},
    {10015, 10015, 0, "データの切り替え", SwitchData},
    {10016, 10016, kChart, "時刻の設定", CalculationMoment},
    {10017, 10018, kChart, "1ステップ", OneStep},
    {10019, 10019, kKeep, "親切な妖精", Fairy},
    {10020, 10020, kKeep, "簡単メニュー", QuickMenu},
    {10021, 10021, kKeep, "さくいん", HelpIndex},
    {12000, 12000, 0, "", Nothing},
    {12001, 12001, 0, "出生図を作る", MakeNatalCommand},
    {12002, 12002, kChart, "プログレス", DerivedMomentCommand},
    {12003, 12003, kChart, "トランジット", DerivedMomentCommand},
    {12345, 12345, kChart, "拡張データⅡ", ExtendedReportCommand},
    {23456, 23456, 0, "隠しコマンドＡ", HiddenCommandA},
    {24000, 24000, kChart, "チャートの解読", CharacterReadingCommand},
    {24001, 24001, kChart, "アスペクトの解読", AspectReadingCommand},
    {24005, 24005, kChart, "倍音図", HarmonicCommand},
    {24006, 24006, kChart, "ソーラーリターン", SolarReturnCommand},
    {30000, 30000, kChart, "クリップボード", ClipboardCommand},
    {30099, 30099, 0, "アンインストール", UninstallProgram},
    {31770, 31770, 0, "開く", OpenFile},
    {31771, 31771, 0, "新規作成", NewFile},
    {31772, 31772, 0, "名前を付けて保存", SaveAs},
    {31773, 31773, 0, "上書き保存", SaveFile},
    {32000, 32000, 0, "元に戻す", UndoCommand},
    {32099, 32099, 0, "不要データの削除", DeleteRowCommand},
    {36000, 36005, 0, "背景色", BackgroundCommand},
    {37298, 37299, 0, "終了", ExitCommand},
    {38241, 38241, 0, "エフェメリス", EphemerisCommand},
    {38242, 38242, 0, "ホラリー図", HoraryCommand},
    {38243, 38243, 0, "春分図・夏至図・秋分図・冬至図", SeasonChartCommand},
    // 38246 (Ctrl+F) has no row: no command of this number exists ("Out of switch").
    {38250, 38251, 0, "星座の境界・節入り", MomentListingCommand},
    {38300, 38300, 0, "月が星座を変わる時刻", MomentListingCommand},
    {38310, 38310, 0, "新月・上弦・満月・下弦", MomentListingCommand},
    {39077, 39077, 0, "最近のこよみ", AlmanacCommand},
    {40208, 40209, 0, "起動速度", StartupCommand},
    {41003, 41006, 0, "オーブ", OrbCommand},  // 41007: no orb of 7 degrees
    {41008, 41008, 0, "オーブ", OrbCommand},  // 41009: none of 9 either
    {41010, 41010, 0, "オーブ", OrbCommand},
    {44401, 44404, 0, "ハウスシステム", HouseSystemCommand},
    {45700, 45709, 0, "最近のファイル", RecentFile},
    {50001, 50001, kKeep, "最新版とサポートについて", SupportCommand},
    {50003, 50003, kKeep, "ホロミラによせて", QuotationCommand},
    {53237, 53237, kKeep, "さくいん", HelpIndex},
    {53250, 53250, kKeep, "ポップアップ", PopupPressA},
    {53259, 53259, kKeep, "ポップアップ", PopupClose},
    {53290, 53290, kKeep, "バージョン情報", VersionCommand},
    {55000, 55000, kKeep, "印刷", PrintingCommand},
    {55001, 55001, kChart, "図を印刷", PrintPictureCommand},
    {55002, 55002, kChart, "図を保存", SavePictureCommand},
    {55555, 55555, kKeep, "", Nothing},
    {57049, 57049, kKeep, "親切な妖精", Fairy},
    {57050, 57050, kChart | kKeep, "きょうの運勢", FortuneCommand},
    {57051, 57051, kChart | kKeep, "チャートの解読", CharacterReadingCommand},
    {57052, 57052, kKeep, "簡単メニュー", QuickMenu},
    {59001, 59001, kKeep, "", TestDivisionByZero},
    {59002, 59002, kKeep, "", TestAccessViolation},
    {59003, 59003, kKeep, "", TestBadSlotIndex},
    {59004, 59004, kKeep, "", TestPopup},
    {59005, 59005, kKeep, "", TestAppendRow},
    {59006, 59006, kKeep, "", TestNewRecord},
    {59007, 59007, kKeep, "", TestMenuState},
    {60001, 60001, kKeep, "デフォルトの出生データ", WizardCommand},
    {65000, 65000, kKeep, "デフォルトの出生データ", WizardCommand},
};
const int kCommandTableSize = sizeof kCommandTable / sizeof kCommandTable[0];

namespace {

// The table's order, checked when it is compiled: every row's range is
// well formed and lies above the previous row's.
constexpr bool TableIsSorted() {
  for (int i = 0; i < kCommandTableSize; ++i) {
    if (kCommandTable[i].iFirst > kCommandTable[i].iLast) return false;
    if (i > 0 && kCommandTable[i].iFirst <= kCommandTable[i - 1].iLast) return false;
  }
  return true;
}
static_assert(TableIsSorted(), "the command table is sorted and its ranges do not overlap");

}  // namespace

const CommandEntry* FindCommand(int iCommand) {
  // The first row whose range ends at or above the command.
  const CommandEntry* p = std::lower_bound(kCommandTable, kCommandTable + kCommandTableSize, iCommand,
                                           [](const CommandEntry& e, int i) { return e.iLast < i; });
  return p != kCommandTable + kCommandTableSize && p->iFirst <= iCommand ? p : nullptr;
}

int AskForData(HWND hWnd, const char* szName) {
  if (PlatformMessageBox(hWnd, "データが未設定です。\n新規データ入力画面を表示しますか？", szName,
                         kMbYesNo | kMbIconQuestion) == kIdYes) {
    PostCommand(hWnd, IDM_NEW_DATA);
  }
  return 0;
}

void RedrawChart(HWND hWnd) { SendMessageW(hWnd, WM_USER, 0, 0); }

void ShowViewChange(const CommandContext& c, int iOldView) {
  const auto bShared = [](int iView) { return iView == kViewChart || iView == kViewDouble; };
  if (bShared(iOldView) && bShared(c.pSlots->iViewMode)) {
    RedrawChart(c.hWnd);
  } else {
    InvalidateRect(c.hWnd, &c.lpAb->rcChart, FALSE);
  }
}

void PostCommand(HWND hWnd, int iCommand, LPARAM lParam) { PostMessageW(hWnd, WM_COMMAND, iCommand, lParam); }

void ForgetStepping(AppState* lpAb) { lpAb->bState1 &= static_cast<uint8_t>(~kState1Stepped); }

void StopAnimation(HWND hWnd, AppState* lpAb) {
  lpAb->bState1 &= static_cast<uint8_t>(~kState1Animating);
  KillTimer(hWnd, kAnimationTimer);
  lpAb->nAnimFrames = 0;
}

namespace {

// The preamble's animation rule: true when the command may run.
bool PassesAnimation(HWND hWnd, const CommandEntry* pEntry, int iCommand, AppState* lpAb) {
  if (!(lpAb->bState1 & kState1Animating)) return true;
  if (pEntry && (pEntry->uFlags & kCmdDuringAnimation)) return true;
  if (iCommand != kCmdEnter || (lpAb->bState1 & kState1EnterReleased)) SendMessageW(hWnd, kMsgStopAnimation, 0, 0);
  return false;
}

int RunCommand(const CommandEntry* pEntry, const CommandContext& ctx) {
  if (!pEntry) return OutOfSwitch(ctx.hWnd);
  if ((pEntry->uFlags & kCmdNeedsChart) && !HasCurrentChart(ctx.pSlots)) return AskForData(ctx.hWnd, pEntry->szName);
  return pEntry->pHandler(ctx);
}

}  // namespace

int IDM_Clip(HWND hWnd, int iCommand, LPARAM lParam, SystemIniInf* pSii, ChartSlots* pSlots, AppState* lpAb) {
  RecordForTest(hWnd, iCommand, lParam);
  if (lpAb->bState1 & kState1SizeMask) {
    AppOkMsg(hWnd, "ウィンドウが小さすぎる", "ウィンドウを拡大してください", "", "");
    return 0;
  }
  const CommandEntry* pEntry = FindCommand(iCommand);
  const bool bKeeps = pEntry ? (pEntry->uFlags & kCmdKeepsQuickMenu) != 0 : iCommand >= kCmdQuickMenuKeepFrom;
  const bool bMenuShown = QuickMenuVisible();
  if (bMenuShown && !bKeeps) CloseQuickMenu(hWnd, lpAb);
  const bool bSuspended = bMenuShown && bKeeps && iCommand != IDM_QUICK_MENU && iCommand != IDM_QUICK_MENU_TB;
  if (bSuspended) SuspendQuickMenu(hWnd, lpAb);
  if (!PassesAnimation(hWnd, pEntry, iCommand, lpAb)) {
    if (bSuspended) ResumeQuickMenu(hWnd, lpAb);
    return 0;
  }
  const CommandContext ctx{hWnd, iCommand, lParam, pSii, pSlots, lpAb};
  int iResult = 0;
  CaughtException caught;
  // While the command runs the window must stay: an end asked for meanwhile
  // (closing, the exception box's end) waits until the last command returns.
  Win32CommandBegins();
  if (!RunGuarded([&] { iResult = RunCommand(pEntry, ctx); }, &caught)) {
    ReportCaught("WM_COMMAND", caught);
  }
  if (bSuspended && IsWindow(hWnd)) ResumeQuickMenu(hWnd, lpAb);
  Win32CommandEnds();
  return iResult;
}

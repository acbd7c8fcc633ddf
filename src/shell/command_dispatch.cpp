// IDM_Clip and the command table.  Find a command by its number: each row
// of kCommandTable names its handler, which is defined above the table.
#include "shell/command_dispatch.h"

#include <cstdlib>
#include <cstring>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "chart/chart_view.h"
#include "persistence/data_file.h"
#include "chart/houses.h"
#include "dialogs/dialogs.h"
#include "entry/entry_rules.h"
#include "platform/reports.h"
#include "readings/help_texts.h"
#include "shell/aux_windows.h"
#include "shell/exception_guard.h"
#include "shell/main_window.h"
#include "shell/report_commands.h"
#include "shell/shell.h"
#include "time/calendar.h"

namespace {

// --- Helpers ---------------------------------------------------------------------

ChartRecord& Shown(const CommandContext& c) { return *CurrentChart(c.pSlots); }

void Redraw(HWND hWnd) { SendMessageA(hWnd, WM_USER, 0, 0); }

// The test commands run only in a process started with
// HOROMAP_TEST_HOOKS=1; for everybody else they do not exist.
bool TestHooksEnabled() {
  static const bool bEnabled = [] {
    const char* sz = getenv("HOROMAP_TEST_HOOKS");
    return sz && strcmp(sz, "1") == 0;
  }();
  return bEnabled;
}

int OutOfSwitch(HWND hWnd) {
  PlatformMessageBox(hWnd, "Out of switch", "IDM", kMbOk);
  return 0;
}

// --- Time steps and the animation ------------------------------------------------------

// 101..1405: the shown chart moved by the step of the command; the chart
// before the first step is kept in slot 6 for "初めの時刻に戻す".
int TimeStep(const CommandContext& c) {
  ChartSlots* pSlots = c.pSlots;
  AppState* lpAb = c.lpAb;
  const int iSlot = CurrentChart(pSlots) - pSlots->charts;
  if (!(lpAb->bState1 & kState1Stepped)) {
    pSlots->charts[kSlotBackup] = pSlots->charts[iSlot];
    lpAb->bState1 |= kState1Stepped;
  }
  lpAb->chart = pSlots->charts[iSlot];
  DateTime& t = lpAb->chart.target.time;
  JdToDate(DateToJd(t, 0.0f) + StepCodeToSeconds(c.iCommand) / 86400.0L, &t);
  const ChartRecord& from = pSlots->charts[iSlot];
  HoromiraMain(lpAb->chart.target, from.natal, &pSlots->charts[iSlot], from.wKind, from.iReturnAge, from.fHarmonic,
               kOriginOrdinary);
  Redraw(c.hWnd);
  return 1;
}

// 2000: back to the chart before the first step.
int RestoreTime(const CommandContext& c) {
  if (!(c.lpAb->bState1 & kState1Stepped)) return 0;
  Shown(c) = c.pSlots->charts[kSlotBackup];
  c.lpAb->bState1 &= static_cast<uint8_t>(~kState1Stepped);
  Redraw(c.hWnd);
  return 1;
}

// 2010: the animation, ten minutes a frame every 500 ms.
int StartAnimation(const CommandContext& c) {
  if (AppOkCancelMsg(c.hWnd, "アニメーション", "10分間の星の動きを1コマに短縮して次々と", "表示します。終了するには、どれかのキーを",
                     "押すかマウスをクリックしてください") != kIdOk) {
    return 0;
  }
  AppState* lpAb = c.lpAb;
  ChartSlots* pSlots = c.pSlots;
  if (GetKeyState(VK_RETURN) >= 0) lpAb->bState1 |= kState1EnterReleased;
  ClosePopupWindow();
  CloseFairyWindow();
  if (pSlots->iCurKind == kChartProgressed) {
    pSlots->bCurSlot = kSlotTransit;
    pSlots->iCurKind = kChartTransit;
  }
  if (pSlots->iViewMode == kViewDouble) pSlots->iViewMode = kViewChart;
  lpAb->bState1 |= kState1Animating;
  lpAb->nAnimFrames = 0;
  SetTimer(c.hWnd, kAnimationTimer, kAnimationPeriodMs, nullptr);
  InvalidateRect(c.hWnd, nullptr, FALSE);
  return 1;
}

// 2050: the small menu at the mouse.
int RightButtonMenu(const CommandContext& c) {
  POINT pt;
  GetCursorPos(&pt);
  ShowRightButtonMenu(c.hWnd, pt.x, pt.y);
  return 1;
}

// --- Views --------------------------------------------------------------------------------

// The inner chart of the double circle.
int InnerSlotFor(const ChartSlots& s, bool bDoubleChartMode) {
  if (bDoubleChartMode) return s.bCurSlot < kSlotPrevNatal ? kSlotPrevNatal : kSlotNatal;
  if (!s.bDerived) return s.bCurSlot;
  return s.bCurSlot == kSlotNatal ? kSlotTransit : kSlotNatal;
}

void ChangeView(const CommandContext& c) {
  ChartSlots* pSlots = c.pSlots;
  const int iView = c.iCommand - IDM_VIEW_CHART;
  const int iOld = pSlots->iViewMode;
  if (iView == iOld) return;
  pSlots->iViewMode = iView;
  if (iView == kViewDouble) {
    pSlots->bInnerSlot = static_cast<uint8_t>(InnerSlotFor(*pSlots, (c.lpAb->bState2 & kState2DoubleChart) != 0));
  }
  // Views 0 and 3 share one layout: a switch between them redraws in place.
  const bool bSameLayout = (iOld == kViewChart || iOld == kViewDouble) && (iView == kViewChart || iView == kViewDouble);
  if (bSameLayout) {
    Redraw(c.hWnd);
  } else {
    InvalidateRect(c.hWnd, &c.lpAb->rcChart, FALSE);
  }
}

// 10002..10005.
int ViewCommand(const CommandContext& c) {
  CaughtException caught;
  if (!RunGuarded([&] { ChangeView(c); }, &caught)) ReportErrorLines(c.hWnd, "exception", "ControlChartType");
  return 1;
}

// 10009: the natal chart of the current person, alone in the chart view
// when it was shown in the double circle.
void ShowNatal(const CommandContext& c) {
  ChartSlots* pSlots = c.pSlots;
  const int iOldView = pSlots->iViewMode;
  if (iOldView != kViewDouble && pSlots->bCurSlot == kSlotNatal && pSlots->iCurKind == kChartNatal) return;
  if (iOldView == kViewDouble) pSlots->iViewMode = kViewChart;
  pSlots->bCurSlot = kSlotNatal;
  pSlots->iCurKind = kChartNatal;
  if (pSlots->iViewMode == kViewChart) {
    Redraw(c.hWnd);
  } else {
    InvalidateRect(c.hWnd, &c.lpAb->rcChart, FALSE);
  }
}

int Natal(const CommandContext& c) {
  CaughtException caught;
  if (!RunGuarded([&] { ShowNatal(c); }, &caught)) ReportErrorLines(c.hWnd, "exception", "ControlChartType");
  return 1;
}

// --- Settings ---------------------------------------------------------------------------------

// 44401..44404: the house system of the wheel.  Placidus needs the cusps
// of the shown chart, which exist only below 60 degrees of latitude.
int HouseSystem(const CommandContext& c) {
  static const int kHouseTypes[kHouseSystemCount] = {kHouseTypeEqualAsc, kHouseTypePlacidus, kHouseTypeEqualSun,
                                                     kHouseTypeEqualAries};
  const int i = c.iCommand - IDM_HOUSE_EQUAL;
  if (c.iCommand == IDM_HOUSE_PLACIDUS && Shown(c).iHouseMode == 0) {
    PlatformMessageBox(c.hWnd, "緯度が60度を超える場合、プラシーダス・ハウス・システムはサポートされません。", "高緯度の特例",
                       kMbOk | kMbIconInformation);
    return 0;
  }
  if (AppOkCancelMsg(c.hWnd, kHouseSystemHeading, kHouseSystemLines[i][0], kHouseSystemLines[i][1],
                     kHouseSystemLines[i][2]) != kIdOk) {
    return 0;
  }
  CheckMenuRadioItem(c.lpAb->hMenu, IDM_HOUSE_EQUAL, IDM_HOUSE_ARIES, c.iCommand, MF_BYCOMMAND);
  c.lpAb->view.HouseType = kHouseTypes[i];
  InvalidateRect(c.hWnd, &c.lpAb->rcChart, FALSE);
  return 1;
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
      Redraw(c.hWnd);
    }
    PostMessageA(c.hWnd, WM_COMMAND, iResult, 0);
    return 1;
  }
  const ChartRecord& chart = c.pSlots->charts[iResult];
  char* szText = c.lpAb->szText + kMessageTextOffset;
  MakeChartText(szText, kTextBufferSize - kMessageTextOffset, chart);
  return SetPopupWindow(c.hWnd, IDM_POPUP_LIST, chart.szTitle, szText, nullptr, 0);
}

// 53250: the popup window's first button; 53259: the popup window closes.
int PopupPressA(const CommandContext&) {
  if (PopupWindow()) SendMessageA(PopupWindow(), WM_COMMAND, kIdPopupButtonA, 0);
  return 1;
}
int PopupClose(const CommandContext&) {
  ClosePopupWindow();
  return 1;
}

// --- Files and exit ----------------------------------------------------------------------------

// 31772: "名前を付けて保存"; sent with the closing marker by WM_CLOSE, the
// window is destroyed after the dialog.
int SaveAs(const CommandContext& c) {
  const bool bClosing = c.lParam == kParamClosing;
  int iDone = 0;
  if (BirthTable* pTable = LockBirthTable(c.lpAb)) {
    iDone = SaveAsCommand(bClosing, c.pSii, &c.lpAb->files, pTable, c.lpAb->hMenu);
    UnlockBirthTable(c.lpAb);
  }
  if (bClosing) {
    DestroyWindow(c.hWnd);
    return iDone;
  }
  if (iDone) UpdateChartFrame(c.hWnd, c.lpAb, c.pSlots);
  return iDone;
}

// 45700..45709: a recent file; its list follows.
int RecentFile(const CommandContext& c) {
  int iResult = 0;
  if (BirthTable* pTable = LockBirthTable(c.lpAb)) {
    iResult = OpenRecentFileCommand(c.iCommand, c.pSii, &c.lpAb->files, pTable, c.lpAb->hMenu);
    UnlockBirthTable(c.lpAb);
  }
  if (iResult == kFileClassBirthData) PostMessageA(c.hWnd, WM_COMMAND, IDM_FROM_FILE, 0);
  return iResult ? 1 : 0;
}

// 31771: "新規作成": an empty table named "無題.bd5"; the chart slots are
// reset.
int NewFile(const CommandContext& c) {
  int iDone = 0;
  if (BirthTable* pTable = LockBirthTable(c.lpAb)) {
    iDone = NewFileCommand(c.pSii, &c.lpAb->files, pTable);
    UnlockBirthTable(c.lpAb);
  }
  if (!iDone) return 0;
  ResetChartSlots(c.pSlots);
  c.lpAb->bState0 &= static_cast<uint8_t>(~kState0DefaultPerson);
  c.lpAb->bState1 &= static_cast<uint8_t>(~kState1Stepped);
  InvalidateRect(c.hWnd, nullptr, FALSE);
  return 1;
}

// 37298, 37299: the program ends the normal way.
int Exit(const CommandContext& c) {
  DestroyWindow(c.hWnd);
  return 1;
}

// 60001, 65000: a step of the default-person wizard (the menu starts it at
// -1000, the pages send theirs).
int WizardCommand(const CommandContext& c) {
  const int iStep = c.iCommand == IDM_DEFAULT_PERSON ? kWizardStart : static_cast<int>(c.lParam);
  return RunDefaultDataWizard(c.hWnd, 0, iStep, c.pSii, c.pSlots, c.lpAb);
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
  const int iNext = AppendRow(&row, pTable, 0);
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
  SendMessageA(c.hWnd, kMsgNewRecord, 0, 0);
  return 1;
}

// In a test process every command is also left on the main window as two
// properties, the command and its parameter, for the test to read.
void RecordForTest(HWND hWnd, int iCommand, LPARAM lParam) {
  if (!TestHooksEnabled()) return;
  SetPropA(hWnd, "HoromiraCommand", reinterpret_cast<HANDLE>(static_cast<intptr_t>(iCommand)));
  SetPropA(hWnd, "HoromiraParam", reinterpret_cast<HANDLE>(lParam));
}

constexpr unsigned kChart = kCmdNeedsChart;
constexpr unsigned kAnim = kCmdDuringAnimation;
constexpr unsigned kKeep = kCmdKeepsQuickMenu;

}  // namespace

// The command table, in ascending order.
const CommandEntry kCommandTable[] = {
    {101, 105, kChart, "時刻の修正", TimeStep},
    {201, 205, kChart, "時刻の修正", TimeStep},
    {301, 305, kChart, "時刻の修正", TimeStep},
    {401, 405, kChart, "時刻の修正", TimeStep},
    {1101, 1105, kChart, "時刻の修正", TimeStep},
    {1201, 1205, kChart, "時刻の修正", TimeStep},
    {1210, 1210, kChart | kAnim, "時刻の修正", TimeStep},
    {1301, 1305, kChart, "時刻の修正", TimeStep},
    {1401, 1405, kChart, "時刻の修正", TimeStep},
    {2000, 2000, kChart, "初めの時刻に戻す", RestoreTime},
    {2010, 2010, kChart, "アニメーション", StartAnimation},
    {2050, 2050, 0, "右ボタンメニュー", RightButtonMenu},
    {3199, 3199, 0, "隠しコマンドＢ", HiddenCommandB},
    {10002, 10004, kAnim, "表示", ViewCommand},
    {10005, 10005, kChart | kAnim, "2重チャート", ViewCommand},
    {10006, 10006, kChart, "アスペクト", AspectListCommand},
    {10009, 10009, kChart, "出生図", Natal},
    {10012, 10012, kChart, "きょうの運勢", FortuneCommand},
    {10013, 10013, 0, "ポップアップ", PopupList},
    {10019, 10019, kKeep, "親切な妖精", Fairy},
    {10020, 10020, kKeep, "簡単メニュー", QuickMenu},
    {10021, 10021, kKeep, "さくいん", HelpIndex},
    {12000, 12000, 0, "", Nothing},
    {12345, 12345, kChart, "拡張データⅡ", ExtendedReportCommand},
    {23456, 23456, 0, "隠しコマンドＡ", HiddenCommandA},
    {24000, 24000, kChart, "チャートの解読", CharacterReadingCommand},
    {24001, 24001, kChart, "アスペクトの解読", AspectReadingCommand},
    {31771, 31771, 0, "新規作成", NewFile},
    {31772, 31772, 0, "名前を付けて保存", SaveAs},
    {37298, 37299, 0, "終了", Exit},
    {38241, 38241, 0, "エフェメリス", EphemerisCommand},
    {38243, 38243, 0, "春分図・夏至図・秋分図・冬至図", SeasonChartCommand},
    // 38246 (Ctrl+F) has no row: no command of this number exists ("Out of switch").
    {38250, 38251, 0, "星座の境界・節入り", MomentListingCommand},
    {38300, 38300, 0, "月が星座を変わる時刻", MomentListingCommand},
    {38310, 38310, 0, "新月・上弦・満月・下弦", MomentListingCommand},
    {39077, 39077, 0, "最近のこよみ", AlmanacCommand},
    {44401, 44404, 0, "ハウスシステム", HouseSystem},
    {45700, 45709, 0, "最近のファイル", RecentFile},
    {50001, 50001, kKeep, "最新版とサポートについて", SupportCommand},
    {50003, 50003, kKeep, "ホロミラによせて", QuotationCommand},
    {53237, 53237, kKeep, "さくいん", HelpIndex},
    {53250, 53250, kKeep, "ポップアップ", PopupPressA},
    {53259, 53259, kKeep, "ポップアップ", PopupClose},
    {53290, 53290, kKeep, "バージョン情報", VersionCommand},
    {55000, 55000, kKeep, "印刷", PrintingCommand},
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
    {60001, 60001, kKeep, "デフォルトの出生データ", WizardCommand},
    {65000, 65000, kKeep, "デフォルトの出生データ", WizardCommand},
};
const int kCommandTableSize = sizeof kCommandTable / sizeof kCommandTable[0];

const CommandEntry* FindCommand(int iCommand) {
  for (const CommandEntry& e : kCommandTable) {
    if (iCommand >= e.iFirst && iCommand <= e.iLast) return &e;
  }
  return nullptr;
}

int AskForData(HWND hWnd, const char* szName) {
  if (PlatformMessageBox(hWnd, "データが未設定です。\n新規データ入力画面を表示しますか？", szName,
                         kMbYesNo | kMbIconQuestion) == kIdYes) {
    PostMessageA(hWnd, WM_COMMAND, IDM_NEW_DATA, 0);
  }
  return 0;
}

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
  if (iCommand != kCmdEnter || (lpAb->bState1 & kState1EnterReleased)) SendMessageA(hWnd, kMsgStopAnimation, 0, 0);
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
  if (!RunGuarded([&] { iResult = RunCommand(pEntry, ctx); }, &caught)) {
    ReportCaught("WM_COMMAND", caught);
  }
  if (bSuspended && IsWindow(hWnd)) ResumeQuickMenu(hWnd, lpAb);
  return iResult;
}

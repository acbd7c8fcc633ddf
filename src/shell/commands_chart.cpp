// The charts of the person on view: views, chart kinds, the moment of the
// derived charts, harmonic, solar return, horary chart, clipboard.
#include "shell/commands_chart.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "chart/chart_view.h"
#include "dialogs/dialogs.h"
#include "dialogs/entry_block.h"
#include "entry/entry_rules.h"
#include "platform/win32/win32_text.h"
#include "shell/logic/command_rules.h"
#include "shell/picture_commands.h"
#include "shell/shell.h"
#include "time/calendar.h"
#include "time/timescale.h"

namespace {

// Names of the chart kinds in the questions and the no-data prompt.
const char* const kKindNames[3] = {"出生図", "プログレス", "トランジット"};

// The clipboard block: room for the text of one chart.
constexpr SIZE_T kClipboardBytes = 20480;

bool DoubleMode(const CommandContext& c) { return InDoubleChartMode(c.lpAb); }

HINSTANCE Instance(const CommandContext& c) { return c.lpAb->hInstance; }

// --- Views ------------------------------------------------------------------------------

void ChangeView(const CommandContext& c) {
  ChartSlots* pSlots = c.pSlots;
  const int iView = c.iCommand - IDM_VIEW_CHART;
  const int iOld = pSlots->iViewMode;
  if (iView == iOld) return;
  pSlots->iViewMode = iView;
  if (iView == kViewDouble) pSlots->bInnerSlot = static_cast<uint8_t>(DoubleCircleInnerSlot(*pSlots, DoubleMode(c)));
  ShowViewChange(c, iOld);
}

// --- Derived charts ---------------------------------------------------------------------

// The progressed and transit charts of a natal record for a target moment
// and place, into slots 1 and 2 (harmonic 1); the transit chart is the
// solar return of iReturnAge when that is not 0.
void ComputeDerivedCharts(const CommandContext& c, const BirthRecord& natal, const BirthRecord& target,
                          int iReturnAge = 0) {
  ChartSlots* pSlots = c.pSlots;
  CheckChartSlotIndexes(pSlots, "IDM_N/P/T");
  HoromiraMain(target, natal, &pSlots->charts[kSlotTransit], kChartTransit, iReturnAge, 1.0, kOriginOrdinary);
  HoromiraMain(target, natal, &pSlots->charts[kSlotProgressed], kChartProgressed, 0, 1.0, kOriginOrdinary);
  c.lpAb->iReturnAge = iReturnAge;
  pSlots->bDerived = 1;
  if (c.lpAb->iSteppedSlot == kSlotProgressed || c.lpAb->iSteppedSlot == kSlotTransit) ForgetStepping(c.lpAb);
}

// The moment and place of the derived charts of kind iKind: the present
// moment at the place the user is now, or a moment and a place entered.
// Returns 1 and *pTarget, 0 when the user cancelled.
int AskDerivedMoment(const CommandContext& c, int iKind, const BirthRecord& natal, BirthRecord* pTarget) {
  const HLOCAL hBlock = c.lpAb->hEntryBlock;
  SetWorkingRecord(hBlock, natal);
  const int iAnswer = AppMsgBox(c.hWnd, kKindNames[iKind], "いま現在について計算しますか？", "[いいえ] を選ぶと、年月日・時間を",
                                "入力するための画面を表示します。");
  if (iAnswer == kIdYes) {
    if (!ShowPlaceInput(Instance(c), c.hWnd, hBlock, kPlaceEntryNow, 0)) return 0;
    *pTarget = GetWorkingRecord(hBlock);
    FillWithPresentMoment(pTarget, pTarget->dBirthLat, pTarget->dBirthLong);
    return 1;
  }
  if (iAnswer != kIdNo) return 0;
  if (!ShowTimeNameInput(Instance(c), c.hWnd, hBlock, iKind, 0)) return 0;
  if (!ShowPlaceInput(Instance(c), c.hWnd, hBlock, kPlaceEntryThen, 0)) return 0;
  *pTarget = GetWorkingRecord(hBlock);
  return 1;
}

// A stepped chart before the derived charts are made: its time becomes the
// natal time (Yes), or it is put back (No).  Returns 0 on Cancel.
int SettleSteppedTime(const CommandContext& c, BirthRecord* pNatal) {
  AppState* lpAb = c.lpAb;
  if (!(lpAb->bState1 & kState1Stepped)) return 1;
  const int iAnswer = AppMsgBox(c.hWnd, "時刻変更", "いま表示されている時刻を真の時刻とみなして", "よろしいですか？",
                                "[いいえ]を選ぶと時刻を最初の状態に戻します。");
  if (iAnswer != kIdYes && iAnswer != kIdNo) return 0;
  ChartRecord* pCharts = c.pSlots->charts;
  if (iAnswer == kIdYes) {
    *pNatal = pCharts[lpAb->iSteppedSlot].target;
    const float fHarmonic = pCharts[kSlotNatal].fHarmonic;
    HoromiraMain(*pNatal, *pNatal, &pCharts[kSlotNatal], kChartNatal, 0, fHarmonic, kOriginOrdinary);
  } else {
    pCharts[lpAb->iSteppedSlot] = pCharts[kSlotBackup];
  }
  ForgetStepping(lpAb);
  return 1;
}

// Makes the progressed and transit charts and shows the one of kind iKind,
// in the double circle.  Returns 1 when they were made.
int MakeDerivedCharts(const CommandContext& c, int iKind) {
  ChartSlots* pSlots = c.pSlots;
  if (!HasChart(pSlots->charts[kSlotNatal])) return AskForData(c.hWnd, kKindNames[iKind]);
  BirthRecord natal = pSlots->charts[kSlotNatal].natal;
  if (!SettleSteppedTime(c, &natal)) return 0;
  BirthRecord target;
  if (!AskDerivedMoment(c, iKind, natal, &target)) return 0;
  ComputeDerivedCharts(c, natal, target);
  pSlots->iViewMode = kViewDouble;
  ShowChartOfKind(pSlots, iKind, DoubleMode(c));
  return 1;
}

int ChangeChartKind(const CommandContext& c) {
  ChartSlots* pSlots = c.pSlots;
  const int iKind = c.iCommand - IDM_NATAL;
  const int iOldView = pSlots->iViewMode;
  switch (DecideChartKind(*pSlots, iKind)) {
    case kKindNothing: return 1;
    case kKindNatalSingle:
      pSlots->iViewMode = kViewChart;
      ShowChartOfKind(pSlots, kChartNatal, DoubleMode(c));
      break;
    case kKindNatal: ShowChartOfKind(pSlots, kChartNatal, DoubleMode(c)); break;
    case kKindShowDerived: ShowChartOfKind(pSlots, iKind, DoubleMode(c)); break;
    case kKindMakeDerived:
      if (!MakeDerivedCharts(c, iKind)) return 0;
      break;
  }
  ShowViewChange(c, iOldView);
  return 1;
}

// The shown chart computed again with another harmonic.
void RecomputeShown(const CommandContext& c, double dHarmonic) {
  ChartRecord& shown = ShownChart(c);
  const BirthRecord target = shown.target;
  const BirthRecord natal = shown.natal;
  HoromiraMain(target, natal, &shown, shown.wKind, shown.iReturnAge, dHarmonic, kOriginOrdinary);
  ForgetStepping(c.lpAb);
}

}  // namespace

int ViewCommand(const CommandContext& c) {
  CaughtException caught;
  if (!RunGuarded([&] { ChangeView(c); }, &caught)) ReportErrorLines(c.hWnd, "exception", "ControlChartType");
  return 1;
}

int ChartKindCommand(const CommandContext& c) {
  int iResult = 0;
  CaughtException caught;
  if (!RunGuarded([&] { iResult = ChangeChartKind(c); }, &caught)) {
    ReportErrorLines(c.hWnd, "exception", "ControlChartType");
  }
  return iResult;
}

int MakeNatalCommand(const CommandContext& c) {
  const int iAnswer = AppMsgBox(c.hWnd, "出生図を作る", "データはファイルされていますか？", "[いいえ]を選ぶと",
                                "新規データ入力画面を表示します ...");
  if (iAnswer == kIdYes) PostCommand(c.hWnd, IDM_FROM_FILE);
  if (iAnswer == kIdNo) PostCommand(c.hWnd, IDM_NEW_DATA);
  return iAnswer == kIdYes || iAnswer == kIdNo ? 1 : 0;
}

int DerivedMomentCommand(const CommandContext& c) {
  const int iKind = c.iCommand == IDM_CTRL_P ? kChartProgressed : kChartTransit;
  if (c.pSlots->bDerived) {
    const int iAnswer = AppMsgBox(c.hWnd, kKindNames[iKind], "計算時点を変更しますか？", "", "");
    if (iAnswer == kIdYes) {
      PostCommand(c.hWnd, IDM_MOMENT, c.iCommand);
      return 1;
    }
    if (iAnswer != kIdNo) return 0;
  }
  CommandContext kind = c;
  kind.iCommand = IDM_NATAL + iKind;
  return ChartKindCommand(kind);
}

int CalculationMoment(const CommandContext& c) {
  if (AppOkCancelMsg(c.hWnd, "時刻の設定", "現在のチャート(2重円の場合 外側)について", "計算の時点と地点を設定(または再設定)します",
                     "") != kIdOk) {
    return 0;
  }
  ChartSlots* pSlots = c.pSlots;
  const int iOldKind = pSlots->iCurKind;
  pSlots->iCurKind = MomentKind(static_cast<long>(c.lParam), iOldKind);
  const int iKind = pSlots->iCurKind == kChartTransit ? kChartTransit : kChartProgressed;
  const BirthRecord natal = ShownChart(c).natal;
  const HLOCAL hBlock = c.lpAb->hEntryBlock;
  SetWorkingRecord(hBlock, natal);
  if (!ShowTimeNameInput(Instance(c), c.hWnd, hBlock, iKind, 0) ||
      !ShowPlaceInput(Instance(c), c.hWnd, hBlock, kPlaceEntryThen, 0)) {
    pSlots->iCurKind = iOldKind;
    return 0;
  }
  ComputeDerivedCharts(c, natal, GetWorkingRecord(hBlock));
  ShowChartOfKind(pSlots, iKind, DoubleMode(c));
  RedrawChart(c.hWnd);
  return 1;
}

int HarmonicCommand(const CommandContext& c) {
  AppState* lpAb = c.lpAb;
  if (ShownChart(c).fHarmonic != 1.0f) {
    lpAb->dHarmonic = 1.0;
    RecomputeShown(c, 1.0);
    RedrawChart(c.hWnd);
    return 1;
  }
  if (c.pSlots->iViewMode == kViewDouble &&
      AppOkCancelMsg(c.hWnd, "２重円における倍音", "外側のチャートの倍音を指定してください。", "外側・内側、独立に倍音図にしたい場合には、",
                     "ハートのボタンをクリックします。") != kIdOk) {
    return 0;
  }
  const int32_t iResult = ShowHarmonicInput(c.hWnd);
  if (iResult == kHarmonicCancel) {
    lpAb->dHarmonic = 1.0;
    return 0;
  }
  lpAb->dHarmonic = iResult * 0.000001;
  RecomputeShown(c, lpAb->dHarmonic);
  RedrawChart(c.hWnd);
  return 1;
}

int SolarReturnCommand(const CommandContext& c) {
  ChartSlots* pSlots = c.pSlots;
  AppState* lpAb = c.lpAb;
  const int iOldView = pSlots->iViewMode;
  if (ShownChart(c).iReturnAge != 0) {
    const int iAnswer =
        AppMsgBox(c.hWnd, "ソーラーリターン", "ほかの年齢を計算しますか？", "[いいえ]を選ぶと出生図に戻ります", "");
    if (iAnswer == kIdNo) {
      lpAb->iReturnAge = 0;
      if (pSlots->iViewMode == kViewDouble) pSlots->iViewMode = kViewChart;
      ShowChartOfKind(pSlots, kChartNatal, DoubleMode(c));
      ShowViewChange(c, iOldView);
      return 1;
    }
    if (iAnswer != kIdYes) return 0;
  }
  if (!HasChart(pSlots->charts[kSlotNatal])) return AskForData(c.hWnd, "ソーラーリターン");
  const HLOCAL hBlock = lpAb->hEntryBlock;
  PrepareSolarReturnEntry(hBlock, *pSlots);
  const int iAge = ShowSolarReturnInput(c.hWnd, hBlock);
  if (iAge <= 0) return 0;
  if (!ShowPlaceInput(Instance(c), c.hWnd, hBlock, kPlaceEntryThen, 0)) return 0;
  const BirthRecord target = GetWorkingRecord(hBlock);
  const BirthRecord natal = pSlots->charts[kSlotNatal].natal;
  ComputeDerivedCharts(c, natal, target, iAge);
  ShowChartOfKind(pSlots, kChartTransit, DoubleMode(c));
  ShowViewChange(c, iOldView);
  return 1;
}

int HoraryCommand(const CommandContext& c) {
  ChartSlots* pSlots = c.pSlots;
  AppState* lpAb = c.lpAb;
  const HLOCAL hBlock = lpAb->hEntryBlock;
  // The question is asked for the person on view, or for the default
  // person when there is none.
  const ChartRecord& natalChart = pSlots->charts[kSlotNatal];
  SetWorkingRecord(hBlock, HasChart(natalChart) ? natalChart.natal : c.pSii->defaultData);
  if (!ShowPlaceInput(Instance(c), c.hWnd, hBlock, kPlaceEntryNow, 0)) return 0;
  BirthRecord now = GetWorkingRecord(hBlock);
  FillWithPresentMoment(&now, now.dBirthLat, now.dBirthLong);
  const int iOldView = pSlots->iViewMode;
  HoromiraMain(now, now, &pSlots->charts[kSlotTransit], kChartTransit, 0, 1.0, kOriginHorary);
  // The horary chart stands alone: slot 2 no longer belongs to the natal chart.
  pSlots->bDerived = 0;
  lpAb->iReturnAge = 0;
  if (lpAb->iSteppedSlot == kSlotTransit) ForgetStepping(lpAb);
  if (pSlots->iViewMode == kViewDouble && !DoubleMode(c)) pSlots->iViewMode = kViewChart;
  ShowChartOfKind(pSlots, kChartTransit, DoubleMode(c));
  ShowViewChange(c, iOldView);
  return 1;
}

namespace {

// A movable global block holding n bytes copied from p, for the clipboard;
// null when there is no memory.
HGLOBAL ClipboardBlock(const void* p, size_t n) {
  HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, n);
  void* pDest = hMem ? GlobalLock(hMem) : nullptr;
  if (!pDest) {
    if (hMem) GlobalFree(hMem);
    return nullptr;
  }
  memcpy(pDest, p, n);
  GlobalUnlock(hMem);
  return hMem;
}

}  // namespace

int ClipboardCommand(const CommandContext& c) {
  const ChartRecord& chart = ShownChart(c);
  // The chart's text as the program keeps it (code page 932, CF_TEXT), and
  // the same in UTF-16 (CF_UNICODETEXT), which every Windows pastes right
  // whatever its code page; the locale says how to read the first.
  static char szText[kClipboardBytes];
  MakeChartText(szText, kClipboardBytes, chart);
  const std::wstring wsText = WideFromSjis(szText);
  const LCID lcidJapanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT);
  HGLOBAL hText = ClipboardBlock(szText, kClipboardBytes);
  HGLOBAL hWide = ClipboardBlock(wsText.c_str(), (wsText.size() + 1) * sizeof(wchar_t));
  HGLOBAL hLocale = ClipboardBlock(&lcidJapanese, sizeof lcidJapanese);
  const auto FreeBlocks = [&] {
    for (HGLOBAL h : {hText, hWide, hLocale}) {
      if (h) GlobalFree(h);
    }
  };
  if (!hText || !hWide || !hLocale) {
    FreeBlocks();
    return ReportPlaceKind("IDM_Clip", "!GlobalAlloc", 0);
  }
  if (!OpenClipboard(c.hWnd)) {
    FreeBlocks();
    return ReportPlaceKind("IDM_Clip", "!OpenClipboard", 0);
  }
  const char* szKind = nullptr;
  if (!EmptyClipboard()) {
    szKind = "!EmptyClipboard";
  } else if (!SetClipboardData(CF_TEXT, hText)) {
    szKind = "!SetClipboardData";
  } else {
    hText = nullptr;  // the clipboard owns it now
    if (SetClipboardData(CF_UNICODETEXT, hWide)) hWide = nullptr;
    if (SetClipboardData(CF_LOCALE, hLocale)) hLocale = nullptr;
    // Beside the text, the chart area as a metafile and a bitmap: a word
    // processor pastes the picture, a text editor the text.
    PutPicturesOnClipboard(c);
  }
  CloseClipboard();
  FreeBlocks();
  if (szKind) return ReportPlaceKind("IDM_Clip", szKind, 0);
  AppOkMsg(c.hWnd, "下記のデータをクリップボードへ送りました", chart.natal.szName, TimeToStr(&chart.target.time),
           "メモ帳などで[Ctrl]+[V]にて貼り付け可能");
  return 1;
}

// The person on view: recall, new data, undo, double-chart mode.
#include "shell/commands_person.h"

#include <cstdio>
#include <cstring>

#include "chart/chart_driver.h"
#include "chart/chart_slots.h"
#include "chart/chart_text.h"
#include "dialogs/dialogs.h"
#include "dialogs/entry_block.h"
#include "entry/entry_rules.h"
#include "shell/logic/command_rules.h"
#include "shell/shell.h"

namespace {

// The outer place of a double chart before the second person is chosen.
const char kOuterNotChosen[] = "ﾃﾞｰﾀが未指定";

const char kDoubleChartIntro[] =
    "２種類のチャートを２重円表示します。\n\n同一人物に関する２チャートでも別のふたりに関する２チャートでも表示できます。\n\n"
    "第１のチャートの準備はできていますか？\n\n現在選択されているチャート ( ２重円の場合 内側のもの ) が第１チャート ( 内側 ) "
    "になります。変更したいときはいったん[ｷｬﾝｾﾙ]してください。";

void ClearState0(AppState* lpAb, uint8_t bBits) { lpAb->bState0 &= static_cast<uint8_t>(~bBits); }

// The natal chart of a recalled person becomes the chart on view.
void ShowRecalledPerson(const CommandContext& c, const BirthRecord& rec) {
  ChartSlots* pSlots = c.pSlots;
  AppState* lpAb = c.lpAb;
  const bool bDouble = InDoubleChartMode(lpAb);
  KeepPreviousPerson(pSlots, bDouble);
  if (!bDouble && pSlots->iViewMode == kViewDouble) pSlots->iViewMode = kViewChart;
  pSlots->iCurKind = kChartNatal;
  pSlots->bCurSlot = kSlotNatal;
  pSlots->bDerived = 0;
  lpAb->iReturnAge = 0;
  ClearState0(lpAb, kState0DefaultPerson);
  ForgetStepping(lpAb);
  HoromiraMain(rec, rec, &pSlots->charts[kSlotNatal], kChartNatal, 0, lpAb->dHarmonic, kOriginOrdinary);
  RedrawChart(c.hWnd);
}

int Recall(const CommandContext& c) {
  AppState* lpAb = c.lpAb;
  BirthTable* pTable = LockBirthTable(lpAb);
  if (!pTable) return 0;
  BirthRecord rec{};
  const int iRow = RunFromFileDialog(c.hWnd, pTable);
  if (iRow >= 0 && iRow < pTable->iNumData) rec = pTable->rows[iRow];
  UnlockBirthTable(lpAb);
  if (iRow == kFiledListCancel) return 0;
  if (iRow == kFiledListEmpty) {
    const int iAnswer = AppMsgBox(c.hWnd, "出生データの登録件数がゼロです ...", "新規データを入力しますか？",
                                  "   [いいえ]      →  別のファイルをひらく", "   [キャンセル]  →  読み込みを中止");
    if (iAnswer == kIdYes) PostCommand(c.hWnd, IDM_NEW_DATA);
    if (iAnswer == kIdNo) {
      lpAb->iOpenRequest = kOpenRequestList;
      PostCommand(c.hWnd, IDM_OPEN);
    }
    return 0;
  }
  if (iRow < 0 || iRow >= kFiledListRows) return ReportFatal("Birth data Listing Error");
  ShowRecalledPerson(c, rec);
  return 1;
}

// A record for new data: empty, the time known.
BirthRecord FreshRecord() {
  BirthRecord rec{};
  rec.dwMagic = kRecordMagic;
  rec.bTimeKnown = 1;
  return rec;
}

int EnterNewData(const CommandContext& c) {
  AppState* lpAb = c.lpAb;
  const HLOCAL hBlock = lpAb->hEntryBlock;
  const bool bEdit = c.lParam == kTimeEntryEditRecord;
  // "訂正" edits the person the confirmation box held, not whatever another
  // command left in the working record meanwhile.
  SetWorkingRecord(hBlock, bEdit ? ConfirmedPerson() : FreshRecord());
  if (!ShowTimeNameInput(lpAb->hInstance, c.hWnd, hBlock, kTimeEntryNewData, bEdit ? kTimeEntryEditRecord : 0)) {
    return 0;
  }
  if (!ShowPlaceInput(lpAb->hInstance, c.hWnd, hBlock, kPlaceEntryBirth, 0)) return 0;
  BirthRecord rec = GetWorkingRecord(hBlock);
  // Until the person says otherwise, the program takes the birthplace as
  // the place where the person lives (iMarker 1: filled by the program).
  memcpy(rec.szCurrentPlace, rec.szBirthPlace, sizeof rec.szCurrentPlace);
  rec.dCurrentLat = rec.dBirthLat;
  rec.dCurrentLong = rec.dBirthLong;
  rec.iMarker = 1;
  SetWorkingRecord(hBlock, rec);
  HoromiraMain(rec, rec, &lpAb->chart, kChartNatal, 0, lpAb->dHarmonic, kOriginOrdinary);
  ShowDataConfirmBox(rec, lpAb->chart);
  return 1;
}

// The outer place of a new double chart: an empty record named
// "ﾃﾞｰﾀが未指定".
void MarkOuterNotChosen(ChartRecord* pChart) {
  ResetChartRecord(pChart);
  snprintf(pChart->szTitle, sizeof pChart->szTitle, "%s", kOuterNotChosen);
  snprintf(pChart->szHeader[0], sizeof pChart->szHeader[0], "%s", kOuterNotChosen);
}

int DoubleChartOn(const CommandContext& c) {
  if (PlatformMessageBox(c.hWnd, kDoubleChartIntro, "２重円 - 内側のチャートの指定", kMbOkCancel | kMbIconInformation) != kIdOk) {
    return 0;
  }
  if (AppOkCancelMsg(c.hWnd, "２重円 - 外側のチャートの指定", "外側のチャートの編集を始めます。外側に置く",
                     "第２データをファイルから呼び出すか、または", "新規入力してください。") != kIdOk) {
    return 0;
  }
  AppState* lpAb = c.lpAb;
  ForgetStepping(lpAb);  // slot 6 becomes the outer place
  EnterDoubleChartSlots(c.pSlots);
  MarkOuterNotChosen(&c.pSlots->charts[kSlotBackup]);
  lpAb->bState2 |= kState2DoubleChart;
  lpAb->iReturnAge = 0;
  ClearState0(lpAb, kState0DefaultPerson);
  InvalidateRect(c.hWnd, nullptr, FALSE);
  return 1;
}

int DoubleChartOff(const CommandContext& c) {
  if (AppOkCancelMsg(c.hWnd, "２重円 - 終了", "２重円表示中の場合、内側のデータを残します。", "外側を残したいときは、いったんキャンセルして",
                     "[％]ボタンをクリックしてください。") != kIdOk) {
    return 0;
  }
  AppState* lpAb = c.lpAb;
  ForgetStepping(lpAb);
  LeaveDoubleChartSlots(c.pSlots);
  lpAb->bState2 &= static_cast<uint8_t>(~kState2DoubleChart);
  lpAb->iReturnAge = ShownChart(c).iReturnAge;
  InvalidateRect(c.hWnd, nullptr, FALSE);
  return 1;
}

}  // namespace

int RecallData(const CommandContext& c) { return RunReported(c.hWnd, "IDM_FromFile", [&] { return Recall(c); }); }

int NewData(const CommandContext& c) { return RunReported(c.hWnd, "IDM_NewData", [&] { return EnterNewData(c); }); }

int UndoCommand(const CommandContext& c) {
  ChartSlots* pSlots = c.pSlots;
  AppState* lpAb = c.lpAb;
  // Greyed in the menu: in double-chart mode slots 3..5 hold the inner
  // person, and without a previous person there is nothing to bring back.
  if (InDoubleChartMode(lpAb) || !HasChart(pSlots->charts[kSlotPrevNatal])) return 0;
  if (AppOkCancelMsg(c.hWnd, "元に戻す", "下記のデータを復活させます:", pSlots->charts[kSlotPrevNatal].szTitle,
                     "...ファイルしてないデータでも復活できます") != kIdOk) {
    return 0;
  }
  UndoSlots(pSlots);
  lpAb->iReturnAge = 0;
  ClearState0(lpAb, kState0DefaultPerson);
  ForgetStepping(lpAb);
  InvalidateRect(c.hWnd, nullptr, FALSE);
  return 1;
}

int SwitchData(const CommandContext& c) {
  ChartSlots* pSlots = c.pSlots;
  AppState* lpAb = c.lpAb;
  if (!InDoubleChartMode(lpAb) && !HasCurrentChart(pSlots)) return AskForData(c.hWnd, "データの切り替え");
  if (!InDoubleChartMode(lpAb) || pSlots->bCurSlot == kSlotBackup) {
    AppOkMsg(c.hWnd, "データの切り替え", "このコマンドは、完成した相性図について", "ふたつの円の表示を切り替えるためのもの",
             "です。現在の状態では無効です。");
    return 0;
  }
  if (lpAb->bState1 & kState1Stepped) {
    if (AppOkCancelMsg(c.hWnd, "時刻変更", "いま表示されている時刻を真の時刻とみなします", "", "") != kIdOk) return 0;
    ForgetStepping(lpAb);
  }
  if (!SwitchDataSlots(pSlots)) ReportBox(c.hWnd, "!ChangeData;Hearts", kMbOk | kMbIconWarning);
  const ChartRecord& shown = ShownChart(c);
  lpAb->iReturnAge = shown.iReturnAge;
  lpAb->dHarmonic = shown.fHarmonic;
  RedrawChart(c.hWnd);
  return 1;
}

int DoubleChartCommand(const CommandContext& c) {
  if (InDoubleChartMode(c.lpAb)) return DoubleChartOff(c);
  if (!HasCurrentChart(c.pSlots)) return AskForData(c.hWnd, "相性");
  return DoubleChartOn(c);
}

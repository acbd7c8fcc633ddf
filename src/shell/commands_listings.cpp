// The listing commands: ephemeris (38241), season charts (38243), the Sun's
// and the Moon's events of a year, a month or a moment (38250, 38251, 38300,
// 38310), the recent almanac (39077) and the extended report (12345).
#include <cmath>
#include <cstdio>
#include <cstring>

#include "chart/chart_text.h"
#include "dialogs/dialogs.h"
#include "dialogs/entry_block.h"
#include "entry/entry_rules.h"
#include "events/events.h"
#include "platform/reports.h"
#include "shell/aux_windows.h"
#include "shell/logic/report_rules.h"
#include "shell/report_commands.h"
#include "time/calendar.h"

static_assert(kMessageTextOffset + kMessageTextCapacity <= kTextBufferSize, "the message text fits szText");
static_assert(kMessageTextCapacity >= kEphemTextSize && kMessageTextCapacity >= kMoonIngressTextSize,
              "the message text holds every listing");

namespace {

// The button of a listing's popup window that runs its command again.
const char kBackButton[] = "戻 る [B]";

}  // namespace

BirthRecord ReadWorkingRecord(const AppState* lpAb) {
  BirthRecord rec{};
  if (EntryBlock* p = LockEntryBlock(lpAb->hEntryBlock)) {
    rec = p->working;
    UnlockEntryBlock(lpAb->hEntryBlock);
  }
  return rec;
}

void WriteWorkingRecord(AppState* lpAb, const BirthRecord& rec) {
  if (EntryBlock* p = LockEntryBlock(lpAb->hEntryBlock)) {
    p->working = rec;
    UnlockEntryBlock(lpAb->hEntryBlock);
  }
}

// 38241.
int EphemerisCommand(const CommandContext& c) {
  EphemChoice choice{};
  char* szText = MessageText(c.lpAb);
  for (;;) {
    if (!DecodeEphemChoice(ShowEphemerisInput(c.hWnd), &choice)) return 0;
    EphemConfirmText(choice, szText, kMessageTextCapacity);
    const int iAnswer = AppMsgBox(c.hWnd, "エフェメリス", szText, "... これでよろしいですか？  良ければ次の",
                                  "ボックスで計算開始時点を指定してください");
    if (iAnswer == kIdYes) break;
    if (iAnswer != kIdNo) return 0;  // No: the dialog again, with its defaults
  }
  if (!ShowTimeNameInput(c.lpAb->hInstance, c.hWnd, c.lpAb->hEntryBlock, kTimeEntryEphemeris,
                         EphemTimeEntryMode(choice))) {
    return 0;
  }
  const BirthRecord start = ReadWorkingRecord(c.lpAb);
  MakeEphem(start.time, choice.iBody, choice.iStep, szText);
  return SetPopupWindow(c.hWnd, IDM_EPHEMERIS, "ホロミラ 精密天体暦 - FK5/VSOP87", szText, kBackButton, 1);
}

// 38243: the chart goes to slot 2 and is shown alone; slots 1 and 2 no
// longer belong to the natal chart in slot 0.
int SeasonChartCommand(const CommandContext& c) {
  int iKind = 0, iYear = 0;
  for (;;) {
    if (!DecodeSeasonChoice(ShowSeasonInput(c.hWnd), &iKind, &iYear)) return 0;
    char szHeading[64];
    SeasonQuestionHeading(iKind, iYear, szHeading, sizeof szHeading);
    const int iAnswer = AppMsgBox(c.hWnd, szHeading, "上記の選択でよろしいですか？　良ければ、どの",
                                  "土地でのチャートを作るか（例：東京での春分図）", "次のボックスで指定してください");
    if (iAnswer == kIdYes) break;
    if (iAnswer != kIdNo) return 0;
  }
  // The place dialog's title names the chart.
  BirthRecord rec = ReadWorkingRecord(c.lpAb);
  memset(rec.szName, 0, sizeof rec.szName);
  snprintf(rec.szName, sizeof rec.szName, "%s", kSeasonChartNames[iKind]);
  WriteWorkingRecord(c.lpAb, rec);
  if (!ShowPlaceInput(c.lpAb->hInstance, c.hWnd, c.lpAb->hEntryBlock, kPlaceEntrySeason, 0)) return 0;
  rec = ReadWorkingRecord(c.lpAb);
  rec.dwMagic = kRecordMagic;
  rec.iDataNo = -1;
  ChartSlots* pSlots = c.pSlots;
  if (!MakeSeasonChart(iKind, iYear, &rec, &pSlots->charts[kSlotTransit])) return 0;
  WriteWorkingRecord(c.lpAb, rec);
  pSlots->bCurSlot = kSlotTransit;
  pSlots->iCurKind = kChartTransit;
  pSlots->bDerived = 0;
  if (pSlots->iViewMode == kViewDouble) pSlots->iViewMode = kViewChart;
  c.lpAb->iReturnAge = 0;
  c.lpAb->bState0 &= static_cast<uint8_t>(~kState0DefaultPerson);
  c.lpAb->bState1 &= static_cast<uint8_t>(~kState1Stepped);
  RedrawChart(c.hWnd);
  return 1;
}

// 38250, 38251, 38300, 38310.
int MomentListingCommand(const CommandContext& c) {
  const MomentListing* pListing = FindMomentListing(c.iCommand);
  if (!pListing) return 0;
  if (c.lParam != kParamFromPopup &&
      AppOkCancelMsg(c.hWnd, pListing->szHeading, pListing->szLines[0], pListing->szLines[1], pListing->szLines[2]) !=
          kIdOk) {
    return 0;
  }
  // The dialog's mode is the command: it presets and locks what the listing
  // does not use.
  if (!ShowTimeNameInput(c.lpAb->hInstance, c.hWnd, c.lpAb->hEntryBlock, c.iCommand, 0)) return 0;
  const BirthRecord when = ReadWorkingRecord(c.lpAb);
  char* szText = MessageText(c.lpAb);
  MakeMomentListing(c.iCommand, when.time, szText, kMessageTextCapacity);
  return SetPopupWindow(c.hWnd, c.iCommand, pListing->szPopupTitle, szText, kBackButton, 1);
}

// 39077: no chart is needed.
int AlmanacCommand(const CommandContext& c) {
  DateTime now = PresentMoment();
  now.second = std::floor(now.second);
  char* szText = MessageText(c.lpAb);
  MakeAlmanacText(now, szText, kMessageTextCapacity);
  char szTitle[128];
  MakeAlmanacTitle(now, szTitle, sizeof szTitle);
  return SetPopupWindow(c.hWnd, IDM_POPUP_LIST, szTitle, szText, "リスト [B]", 1);
}

// 12345.
int ExtendedReportCommand(const CommandContext& c) {
  char* szText = MessageText(c.lpAb);
  if (!MakeExtendedReport(szText, kMessageTextCapacity, *CurrentChart(c.pSlots))) {
    return AskForData(c.hWnd, kExtendedReportNoData);
  }
  return SetPopupWindow(c.hWnd, kExtendedReportId, kExtendedReportTitle, szText, kExtendedReportButton, 1);
}

// The aspect commands (10006, 24001), the character reading (24000, 57051)
// and today's fortune (10012, 57050) with their choice of person.
#include <cstdio>
#include <cstring>

#include "chart/chart_driver.h"
#include "chart/chart_slots.h"
#include "dialogs/dialogs.h"
#include "entry/entry_rules.h"
#include "platform/reports.h"
#include "readings/readings.h"
#include "shell/aux_windows.h"
#include "shell/logic/report_rules.h"
#include "shell/report_commands.h"

namespace {

// Origin codes the readings give the chart driver (ordinary charts).
constexpr int kOriginReading = IDM_READING;

const char kOtherPersonButton[] = "ほかの人 [B]";

// A fixed-width text field as a terminated string.
struct FieldText {
  char sz[kNameFieldSize + 1];
  explicit FieldText(const char* szField) { snprintf(sz, sizeof sz, "%.*s", kNameFieldSize, szField); }
};

// The choice of person of a reading: the questions and the command that
// the wizard or the "another person" answer issues.
struct PersonQuestions {
  int iCommand;              // IDM_READING or IDM_FORTUNE
  const char* szSelfHeading;   // "あなたについての占いを しますか？"
  const char* szOtherHeading;  // "その人についての出生データはすでに ..."
};
const PersonQuestions kReadingQuestions = {IDM_READING, "本質、行動、感受性", "占い：ほかの人について"};
const PersonQuestions kFortuneQuestions = {IDM_FORTUNE, "き ょ う の 運 勢", "きょうの運勢：ほかの人について"};

// Where the person of a reading came from.
enum PersonResult : int {
  kPersonNone = 0,  // the command ends (cancelled, or another command takes over)
  kPersonShown,
  kPersonDefault,
  kPersonFiled,
  kPersonNew,       // entered now; filed later when marked for keeping
};

bool ChooseFiled(const CommandContext& c, BirthRecord* pPerson) {
  BirthTable* pTable = LockBirthTable(c.lpAb);
  if (!pTable) return false;
  const int iChosen = ChooseFiledRecord(c.hWnd, pTable, pPerson);
  UnlockBirthTable(c.lpAb);
  return iChosen == 1;
}

// A new person: the time-and-name dialog and the place dialog on a fresh
// working record.
bool EnterNewPerson(const CommandContext& c, BirthRecord* pPerson) {
  BirthRecord fresh{};
  fresh.dwMagic = kRecordMagic;
  fresh.iDataNo = -1;
  WriteWorkingRecord(c.lpAb, fresh);
  if (!ShowTimeNameInput(c.lpAb->hInstance, c.hWnd, c.lpAb->hEntryBlock, kTimeEntryNewData, 0)) return false;
  if (!ShowPlaceInput(c.lpAb->hInstance, c.hWnd, c.lpAb->hEntryBlock, kPlaceEntryBirth, 0)) return false;
  *pPerson = ReadWorkingRecord(c.lpAb);
  return true;
}

// A person the dialogs marked for keeping is appended to the birth-data
// table and carries its row number; otherwise the mark iNotKept.
void FileIfMarked(AppState* lpAb, BirthRecord* pPerson, int32_t iNotKept) {
  if (!pPerson->bSave) {
    pPerson->iDataNo = iNotKept;
    return;
  }
  pPerson->bSave = 0;
  pPerson->iDataNo = iNotKept;
  BirthTable* pTable = LockBirthTable(lpAb);
  if (!pTable) return;
  BirthRecord row = *pPerson;
  if (FileNewRow(&row, pTable, MainSettings(), &lpAb->files) > 0) *pPerson = row;
  UnlockBirthTable(lpAb);
}

int ChoosePerson(const CommandContext& c, const PersonQuestions& q, BirthRecord* pPerson) {
  const bool bStartup = (c.lpAb->bState0 & kState0DefaultPerson) != 0;
  const bool bRegistered = (c.pSii->bFlags & kSiiFlagDefaultPerson) != 0;
  switch (ChooseReadingPerson(c.lParam == kParamFromPopup, bStartup, bRegistered)) {
    case kReadingShownPerson: *pPerson = CurrentChart(c.pSlots)->natal; return kPersonShown;
    case kReadingDefaultPerson: *pPerson = c.pSii->defaultData; return kPersonDefault;
    case kReadingAskSelf: {
      const int iAnswer = AppMsgBox(c.hWnd, q.szSelfHeading, "", "   あなたについての占いを しますか？", "");
      // The wizard issues the command again when the user's data is
      // registered; No asks for another person.
      if (iAnswer == kIdYes) {
        RunDefaultDataWizard(c.hWnd, q.iCommand, kWizardIntro, c.pSii, c.pSlots, WizardBlocksOf(c.lpAb));
      }
      if (iAnswer == kIdNo) PostMessageA(c.hWnd, WM_COMMAND, q.iCommand, kParamFromPopup);
      return kPersonNone;
    }
  }
  const int iAnswer = AppMsgBox(c.hWnd, q.szOtherHeading, "その人についての出生データはすでに",
                                "登録してありますか？　　[いいえ]を選ぶと", "新規データ入力画面を表示します。");
  if (iAnswer == kIdYes) return ChooseFiled(c, pPerson) ? kPersonFiled : kPersonNone;
  if (iAnswer == kIdNo) return EnterNewPerson(c, pPerson) ? kPersonNew : kPersonNone;
  return kPersonNone;
}

// Before another person's charts fill slots 0..2, the person on view is
// kept in slots 3..5 (undo); the start-up mark follows the person.
void PrepareSlotsFor(const CommandContext& c, const BirthRecord& person, int iSource) {
  ChartSlots* pSlots = c.pSlots;
  if (!SamePerson(person, pSlots->charts[kSlotNatal].natal)) {
    KeepPreviousPerson(pSlots, (c.lpAb->bState2 & kState2DoubleChart) != 0);
    pSlots->bDerived = 0;
  }
  if (iSource == kPersonDefault) {
    c.lpAb->bState0 |= kState0DefaultPerson;
  } else {
    c.lpAb->bState0 &= static_cast<uint8_t>(~kState0DefaultPerson);
  }
  c.lpAb->bState1 &= static_cast<uint8_t>(~kState1Stepped);
}

// The fortune person's current place from the place dialog
// ("いまどこにいますか？").
bool ChooseCurrentPlace(const CommandContext& c, BirthRecord* pPerson) {
  WriteWorkingRecord(c.lpAb, *pPerson);
  if (!ShowPlaceInput(c.lpAb->hInstance, c.hWnd, c.lpAb->hEntryBlock, kPlaceEntryNow, 0)) return false;
  SetCurrentPlace(ReadWorkingRecord(c.lpAb), pPerson);
  return true;
}

// A new fortune person: the entered data is shown, then the current place
// is chosen; the person is filed when marked for keeping.
bool CompleteNewFortunePerson(const CommandContext& c, BirthRecord* pPerson) {
  char szText[512];
  FortuneNewPersonText(*pPerson, szText, sizeof szText);
  if (PlatformMessageBox(c.hWnd, szText, "きょうの運勢", kMbOkCancel) != kIdOk) return false;
  if (!ChooseCurrentPlace(c, pPerson)) return false;
  FileIfMarked(c.lpAb, pPerson, kDataNoFortuneOnly);
  return true;
}

// The current place of a person whose place was not just chosen: asked,
// chosen or kept; a chosen place is also written into the person's row.
bool ConfirmCurrentPlace(const CommandContext& c, BirthRecord* pPerson) {
  int iStep = ChooseFortunePlaceStep(*pPerson);
  if (iStep == kFortunePlaceAsk) {
    const FieldText name(pPerson->szName), place(pPerson->szCurrentPlace);
    const int iAnswer = AppMsgBox(c.hWnd, "現在の星回り", name.sz, "現在地は下記でよろしいですか？", place.sz);
    if (iAnswer != kIdYes && iAnswer != kIdNo) return false;
    iStep = iAnswer == kIdYes ? kFortunePlaceKeep : kFortunePlaceChoose;
  }
  if (iStep != kFortunePlaceChoose) return true;
  if (!ChooseCurrentPlace(c, pPerson)) return false;
  if (BirthTable* pTable = LockBirthTable(c.lpAb)) {
    StoreCurrentPlaceInTable(*pPerson, pTable);
    UnlockBirthTable(c.lpAb);
  }
  return true;
}

}  // namespace

namespace {

// The aspects of a chart at the orb of the settings, sorted by orb, written
// by pWrite (the list or the reading) into the popup window; its button B
// (iOther) shows the other text.
using AspectWriter = int (*)(const AspectEntry*, int, char*, int);
int ShowAspects(HWND hWnd, const ChartRecord& chart, AppState* lpAb, AspectWriter pWrite, const char* szHeading,
                int iOther, const char* szOtherButton) {
  AspectEntry entries[kAspectCapacity];
  const int n = DetectAspects(chart, entries, kAspectCapacity, lpAb->fOrb);
  SortAspectsByOrb(entries, n);
  char* szText = MessageText(lpAb);
  pWrite(entries, n, szText, kMessageTextCapacity);
  char szTitle[kLineLong + 32];
  snprintf(szTitle, sizeof szTitle, "%s ( %s)", szHeading, chart.szTitle);
  return SetPopupWindow(hWnd, iOther, szTitle, szText, szOtherButton, 1);
}

}  // namespace

int ShowAspectList(HWND hWnd, const ChartRecord& chart, AppState* lpAb) {
  return ShowAspects(hWnd, chart, lpAb, ListAspects, "アスペクト一覧", IDM_ASPECT_READING, "解 読  [B]");
}

int ShowAspectReading(HWND hWnd, const ChartRecord& chart, AppState* lpAb) {
  return ShowAspects(hWnd, chart, lpAb, MakeAspectText, "アスペクトの解読", IDM_ASPECTS, "一覧 [B]");
}

// 10006.
int AspectListCommand(const CommandContext& c) { return ShowAspectList(c.hWnd, *CurrentChart(c.pSlots), c.lpAb); }

// 24001.
int AspectReadingCommand(const CommandContext& c) {
  return ShowAspectReading(c.hWnd, *CurrentChart(c.pSlots), c.lpAb);
}

// 24000, 57051: the person's natal chart is shown from slot 0.
int CharacterReadingCommand(const CommandContext& c) {
  BirthRecord person{};
  const int iSource = ChoosePerson(c, kReadingQuestions, &person);
  if (iSource == kPersonNone) return 0;
  if (iSource == kPersonNew) FileIfMarked(c.lpAb, &person, -1);
  PrepareSlotsFor(c, person, iSource);
  ChartSlots* pSlots = c.pSlots;
  ChartRecord& natal = pSlots->charts[kSlotNatal];
  HoromiraMain(person, person, &natal, kChartNatal, 0, 1.0, kOriginReading);
  pSlots->bCurSlot = kSlotNatal;
  pSlots->iCurKind = kChartNatal;
  if (pSlots->iViewMode == kViewDouble) pSlots->iViewMode = kViewChart;
  RedrawChart(c.hWnd);
  char* szText = MessageText(c.lpAb);
  if (!GetSunAscText(szText, natal)) return 0;
  return SetPopupWindow(c.hWnd, IDM_READING, "ポップアップ - 占い", szText, kOtherPersonButton, 1);
}

// 10012, 57050: natal, progressed and transit charts of the present moment
// at the person's current place, in the double circle.
int FortuneCommand(const CommandContext& c) {
  BirthRecord person{};
  const int iSource = ChoosePerson(c, kFortuneQuestions, &person);
  if (iSource == kPersonNone) return 0;
  if (iSource == kPersonShown) person = ShownFortunePerson(person);
  if (iSource == kPersonNew) {
    // The place was chosen just now: it is not asked again.
    if (!CompleteNewFortunePerson(c, &person)) return 0;
  } else if (!ConfirmCurrentPlace(c, &person)) {
    return 0;
  }
  PrepareSlotsFor(c, person, iSource);
  ChartSlots* pSlots = c.pSlots;
  // The default person's charts of start-up are the same three charts.
  ComputeDefaultPersonCharts(person, pSlots);
  c.lpAb->iReturnAge = 0;
  c.lpAb->dHarmonic = 1.0;
  RedrawChart(c.hWnd);
  char* szText = MessageText(c.lpAb);
  if (!MakeText(szText, kMessageTextCapacity, pSlots->charts[kSlotNatal], pSlots->charts[kSlotTransit])) return 0;
  return SetPopupWindow(c.hWnd, IDM_FORTUNE, "現在の星回り", szText, kOtherPersonButton, 1);
}

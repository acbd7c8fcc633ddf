// RunDefaultDataWizard: the default-person wizard ("WizardDB").
//
// Each step runs what it needs (a question, the time-and-name dialog, a
// place dialog, the finish) and then shows its page in the one modeless
// page window.  The page's buttons post command 65000 with a step to the
// main window, whose dispatch calls RunDefaultDataWizard again: "次へ" the
// page's step + 1, "戻る" the page's own step (its input is asked again),
// "中 止" and Cancel -9999.
#include <cstdio>
#include <cstring>

#include "chart/chart_driver.h"
#include "dialogs/dialog_support.h"
#include "dialogs/dialogs.h"
#include "dialogs/entry_block.h"
#include "entry/entry_rules.h"
#include "platform/reports.h"
#include "platform/resource_ids.h"

namespace {

HWND g_hWizard = nullptr;
// The command issued when the wizard finishes.
int g_iFinishCommand = 0;
// The F1 box is open: a further F1 is ignored.
bool g_bF1BoxOpen = false;
// A step's dialog is open: the page is disabled meanwhile, and a step that
// arrives then (a second click queued before the dialog opened) is ignored.
bool g_bStepRunning = false;

const char kWizardCaption[] = "魔法使い  ( ウィザード )";
const char kNextLabel[] = "次へ > [A]";

int PageStep(HWND hPage) { return static_cast<int>(GetWindowLongPtrA(hPage, DWLP_USER)); }

void SendStep(HWND hPage, int iStep) {
  HWND hMain = GetWindow(hPage, GW_OWNER);
  PostMessageA(hMain ? hMain : hPage, WM_COMMAND, IDM_WIZARD_STEP, static_cast<LPARAM>(iStep));
}

void OnWizardHelp(HWND hPage) {
  if (g_bF1BoxOpen) return;
  g_bF1BoxOpen = true;
  PlatformMessageBox(hPage, kNoMoreInformation, "Wizard", kMbOk);
  g_bF1BoxOpen = false;
}

INT_PTR HandleWizardPage(HWND hPage, UINT uMsg, WPARAM wParam, LPARAM) {
  switch (uMsg) {
    case WM_INITDIALOG: return FALSE;
    case WM_HELP: OnWizardHelp(hPage); return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_WIZARD_NEXT: SendStep(hPage, PageStep(hPage) + 1); return TRUE;
        case IDC_WIZARD_BACK: SendStep(hPage, PageStep(hPage)); return TRUE;
        case IDC_WIZARD_STOP:
        case IDCANCEL: SendStep(hPage, kWizardCancel); return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      if (g_hWizard == hPage) g_hWizard = nullptr;
      return FALSE;
  }
  return FALSE;
}

INT_PTR CALLBACK WizardDlgProc(HWND hPage, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return GuardedDialogMessage("WizardDlgProc", HandleWizardPage, hPage, uMsg, wParam, lParam);
}

void CloseWizard() {
  if (g_hWizard) DestroyWindow(g_hWizard);
  g_hWizard = nullptr;
}

// Shows a page: its text, the step its buttons refer to, and on the last
// page the title "確認してください" and "ＯＫ [A]".
int ShowPage(HWND hOwner, HINSTANCE hInstance, int iStep, const char* szText, bool bBack, bool bLast) {
  if (!g_hWizard) {
    g_hWizard = CreateDialogParamA(hInstance, "WizardDB", hOwner, WizardDlgProc, 0);
    if (!g_hWizard) return ReportPlaceKind("RunDefaultDataWizard", "!CreateDialog", 0);
  }
  SetWindowLongPtrA(g_hWizard, DWLP_USER, static_cast<LONG_PTR>(iStep));
  SetWindowTextA(g_hWizard, bLast ? kWizardConfirmTitle : kWizardCaption);
  SetDlgItemTextA(g_hWizard, IDC_WIZARD_TEXT, szText);
  SetDlgItemTextA(g_hWizard, IDC_WIZARD_NEXT, bLast ? kWizardConfirmButton : kNextLabel);
  EnableItem(g_hWizard, IDC_WIZARD_BACK, bBack);
  EnableWindow(g_hWizard, TRUE);
  ShowWindow(g_hWizard, SW_SHOW);
  SetForegroundWindow(g_hWizard);
  FocusItem(g_hWizard, IDC_WIZARD_NEXT);
  return 1;
}

// A cancelled step: "設定を中止します。", the page goes, the window repaints.
int Abandon(HWND hOwner) {
  CloseWizard();
  PlatformMessageBox(hOwner, "設定を中止します。", "キャンセル", kMbOk);
  InvalidateRect(hOwner, nullptr, FALSE);
  return 0;
}

// Step -998 starts the user's own record afresh.
void ClearWorkingRecord(HLOCAL hBlock) {
  EntryBlock* p = LockEntryBlock(hBlock);
  if (!p) return;
  memset(&p->working, 0, sizeof p->working);
  p->working.dwMagic = kRecordMagic;
  UnlockEntryBlock(hBlock);
}

// Step -995: the place chosen last is the current place; the person is
// registered, filed and charted, and the remembered command follows.
int Finish(HWND hOwner, SystemIniInf* pSii, ChartSlots* pSlots, const WizardBlocks& blocks) {
  const BirthRecord nowPlace = GetWorkingRecord(blocks.hEntryBlock);
  BirthTable* pTable = blocks.hVirtualFile ? static_cast<BirthTable*>(LocalLock(blocks.hVirtualFile)) : nullptr;
  FileState noFiles{};
  FinishDefaultPerson(pSii, pTable, blocks.pFiles ? blocks.pFiles : &noFiles, nowPlace);
  if (pTable) LocalUnlock(blocks.hVirtualFile);
  // The default person's chart is on view again, as after start-up.
  const BirthRecord& person = pSii->defaultData;
  HoromiraMain(person, person, &pSlots->charts[kSlotNatal], kChartNatal, 0, 1.0, kOriginOrdinary);
  pSlots->iCurKind = kChartNatal;
  pSlots->bCurSlot = kSlotNatal;
  pSlots->bDerived = 0;
  CloseWizard();
  AppOkMsg(hOwner, "デフォルトの出生データ", "", "登録完了しました", "");
  PostMessageA(hOwner, WM_USER, 0, 0);
  if (g_iFinishCommand) PostMessageA(hOwner, WM_COMMAND, static_cast<WPARAM>(g_iFinishCommand), 0);
  return kWizardFinished;
}

// Runs a step's modal dialog with the page disabled, so that its buttons
// cannot start another step or stop the wizard under the dialog.
template <typename Dialog>
int RunStepDialog(Dialog dialog) {
  if (g_hWizard) EnableWindow(g_hWizard, FALSE);
  g_bStepRunning = true;
  const int iResult = dialog();
  g_bStepRunning = false;
  if (g_hWizard) EnableWindow(g_hWizard, TRUE);
  return iResult;
}

}  // namespace

HWND WizardWindow() { return g_hWizard; }

int RunDefaultDataWizard(HWND hOwner, int iCommand, int iStep, SystemIniInf* pSii, ChartSlots* pSlots,
                         const WizardBlocks& blocks) {
  if (g_bStepRunning) return 0;
  // A start from the menu forgets a command remembered by an earlier start.
  if (iCommand || iStep == kWizardStart) g_iFinishCommand = iCommand;
  if (!pSii || !pSlots) return 0;
  HINSTANCE hInstance = blocks.hInstance ? blocks.hInstance : DialogInstance();
  const HLOCAL hBlock = blocks.hEntryBlock;
  switch (WizardStepAction(iStep)) {
    case kWizardActionAskReplace:
      if (pSii->bFlags & kSiiFlagDefaultPerson) {
        char szQuestion[1024];
        WizardReplaceQuestion(pSii->defaultData, szQuestion, sizeof szQuestion);
        if (ReportBox(hOwner, szQuestion, kMbYesNo | kMbIconQuestion | MB_DEFBUTTON2) != kIdYes) {
          CloseWizard();
          return 0;
        }
        iStep = kWizardIntro;
      }
      break;
    case kWizardActionNone: break;
    case kWizardActionTimeName:
      ClearWorkingRecord(hBlock);
      if (!RunStepDialog([&] {
            return ShowTimeNameInput(hInstance, hOwner, hBlock, kTimeEntryDefaultPerson, kTimeEntryWizard);
          })) {
        return Abandon(hOwner);
      }
      break;
    case kWizardActionBirthPlace:
      if (!RunStepDialog([&] { return ShowPlaceInput(hInstance, hOwner, hBlock, kPlaceEntryBirth, 0); })) {
        return Abandon(hOwner);
      }
      pSii->defaultData = GetWorkingRecord(hBlock);
      break;
    case kWizardActionNowPlace: {
      if (!RunStepDialog([&] { return ShowPlaceInput(hInstance, hOwner, hBlock, kPlaceEntryNow, 0); })) {
        return Abandon(hOwner);
      }
      const BirthRecord nowPlace = GetWorkingRecord(hBlock);
      char szPage[512];
      WizardConfirmPage(pSii->defaultData, nowPlace.szBirthPlace, szPage, sizeof szPage);
      return ShowPage(hOwner, hInstance, iStep, szPage, true, true);
    }
    case kWizardActionFinish: return Finish(hOwner, pSii, pSlots, blocks);
    case kWizardActionEnd: return Abandon(hOwner);
  }
  bool bBack = true;
  const char* szPage = WizardPageText(iStep, &bBack);
  return ShowPage(hOwner, hInstance, iStep, szPage ? szPage : "", bBack, false);
}

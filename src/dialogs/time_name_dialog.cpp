// ShowTimeNameInput: the dialog "TimeNameInputDB" and its procedure.
#include <cstring>

#include "dialogs/dialog_support.h"
#include "dialogs/dialogs.h"
#include "dialogs/entry_block.h"
#include "entry/entry_rules.h"
#include "platform/platform.h"
#include "platform/resource_ids.h"
#include "platform/win32/win32_text.h"

namespace {

// What the dialog works on: its private copy of the working record.
struct TimeNameDialog {
  HLOCAL hBlock;
  int iMode;
  int iSubMode;
  BirthRecord rec;
};

// Control of each field of the entry rules.
const int kFieldIds[kNumTimeEntryFields] = {IDC_TN_YEAR,   IDC_TN_MONTH,   IDC_TN_DAY, IDC_TN_HOUR,
                                            IDC_TN_MINUTE, IDC_TN_SECONDS, IDC_TN_NAME};

TimeNameDialog* DialogOf(HWND hDlg) { return reinterpret_cast<TimeNameDialog*>(GetWindowLongPtrW(hDlg, DWLP_USER)); }

void OnInitDialog(HWND hDlg, TimeNameDialog* d) {
  SetWindowLongPtrW(hDlg, DWLP_USER, reinterpret_cast<LONG_PTR>(d));
  EntryBlock* p = LockEntryBlock(d->hBlock);
  if (p) {
    d->rec = p->working;
    UnlockEntryBlock(d->hBlock);
  }
  LocalClock now;
  PlatformLocalTime(&now);
  TimeEntryForm form;
  MakeTimeEntryForm(d->iMode, d->iSubMode, &d->rec, now, &form);

  SetWindowTextSjis(hDlg, TimeEntryTitle(d->iMode));
  // The edits hold no more than the accepting steps read.
  SendDlgItemMessageW(hDlg, IDC_TN_YEAR, EM_LIMITTEXT, kYearTextChars, 0);
  SendDlgItemMessageW(hDlg, IDC_TN_SECONDS, EM_LIMITTEXT, kSecondsTextChars, 0);
  SendDlgItemMessageW(hDlg, IDC_TN_NAME, EM_LIMITTEXT, kNameTextBytes, 0);
  for (int i = 0; i < kNumTimeEntryFields; ++i) {
    SetDlgItemTextSjis(hDlg, kFieldIds[i], form.szText[i]);
    EnableItem(hDlg, kFieldIds[i], form.bEnabled[i]);
  }
  CheckItem(hDlg, IDC_TN_UNKNOWN_TIME, form.bUnknownTimeChecked);
  EnableItem(hDlg, IDC_TN_UNKNOWN_TIME, form.bUnknownTimeEnabled);
  CheckItem(hDlg, IDC_TN_SECONDS_GIVEN, form.bSecondsChecked);
  EnableItem(hDlg, IDC_TN_SECONDS_GIVEN, form.bSecondsEnabled);
  FocusItem(hDlg, IDC_TN_YEAR);
}

// "時間は分からない": an unknown time stands at noon, without seconds.
void OnUnknownTime(HWND hDlg, TimeNameDialog* d) {
  const bool bUnknown = IsItemChecked(hDlg, IDC_TN_UNKNOWN_TIME);
  d->rec.bTimeKnown = bUnknown ? 0 : 1;
  EnableItem(hDlg, IDC_TN_HOUR, !bUnknown);
  EnableItem(hDlg, IDC_TN_MINUTE, !bUnknown);
  if (!bUnknown) {
    SetDlgItemTextSjis(hDlg, IDC_TN_HOUR, "");
    SetDlgItemTextSjis(hDlg, IDC_TN_MINUTE, "");
    EnableItem(hDlg, IDC_TN_SECONDS_GIVEN, true);
    FocusItem(hDlg, IDC_TN_HOUR);
    return;
  }
  d->rec.bSecondsGiven = 0;
  CheckItem(hDlg, IDC_TN_SECONDS_GIVEN, false);
  EnableItem(hDlg, IDC_TN_SECONDS_GIVEN, false);
  EnableItem(hDlg, IDC_TN_SECONDS, false);
  SetDlgItemTextSjis(hDlg, IDC_TN_HOUR, "12");
  SetDlgItemTextSjis(hDlg, IDC_TN_MINUTE, "00");
  SetDlgItemTextSjis(hDlg, IDC_TN_SECONDS, "00.0");
  FocusItem(hDlg, IDC_TN_NAME);
}

// "秒を指定": seconds are typed, and the time is then known.
void OnSecondsGiven(HWND hDlg, TimeNameDialog* d) {
  const bool bGiven = IsItemChecked(hDlg, IDC_TN_SECONDS_GIVEN);
  d->rec.bSecondsGiven = bGiven ? 1 : 0;
  EnableItem(hDlg, IDC_TN_UNKNOWN_TIME, !bGiven);
  EnableItem(hDlg, IDC_TN_SECONDS, bGiven);
  SetDlgItemTextSjis(hDlg, IDC_TN_SECONDS, bGiven ? "" : "00.0");
  FocusItem(hDlg, bGiven ? IDC_TN_SECONDS : IDC_TN_NAME);
}

void OnAccept(HWND hDlg, TimeNameDialog* d) {
  // Alt+Enter only moves to the name.
  if (GetKeyState(VK_MENU) < 0) {
    FocusItem(hDlg, IDC_TN_NAME);
    return;
  }
  TimeEntryTexts t;
  ItemText(hDlg, IDC_TN_YEAR, t.szYear, kYearTextChars);
  ItemText(hDlg, IDC_TN_MONTH, t.szMonth, sizeof t.szMonth - 1);
  ItemText(hDlg, IDC_TN_DAY, t.szDay, sizeof t.szDay - 1);
  ItemText(hDlg, IDC_TN_HOUR, t.szHour, sizeof t.szHour - 1);
  ItemText(hDlg, IDC_TN_MINUTE, t.szMinute, sizeof t.szMinute - 1);
  ItemText(hDlg, IDC_TN_SECONDS, t.szSeconds, kSecondsTextChars);
  if (!ItemText(hDlg, IDC_TN_NAME, t.szName, kNameTextBytes)) {
    // A character without a Shift-JIS form could be neither shown nor kept.
    PlatformMessageBox(hDlg, "名前に、ホロミラが扱えない文字 (シフトJISにない文字) があります。", "名前",
                       kMbOk | kMbIconWarning);
    FocusItem(hDlg, IDC_TN_NAME);
    return;
  }
  int iFocus = kFieldYear;
  if (!AcceptTimeEntry(hDlg, d->iMode, t, &d->rec, &iFocus)) {
    if (iFocus >= 0 && iFocus < kNumTimeEntryFields) FocusItem(hDlg, kFieldIds[iFocus]);
    return;
  }
  EntryBlock* p = LockEntryBlock(d->hBlock);
  if (p) {
    p->working = d->rec;
    UnlockEntryBlock(d->hBlock);
  }
  EndDialog(hDlg, 1);
}

// F1: the help of the control under it.
void OnHelp(HWND hDlg, const HELPINFO* pInfo) {
  switch (pInfo->iCtrlId) {
    case IDC_TN_SECONDS:
    case IDC_TN_SECONDS_GIVEN: ShowFairyHelp(hDlg, kSecondsHelp); return;
    case IDC_TN_UNKNOWN_TIME: ShowFairyHelp(hDlg, kUnknownTimeHelp); return;
    default: ShowFairyHelp(hDlg, kTimeNameHelp); return;
  }
}

INT_PTR HandleTimeName(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_INITDIALOG: OnInitDialog(hDlg, reinterpret_cast<TimeNameDialog*>(lParam)); return FALSE;
    case WM_HELP: OnHelp(hDlg, reinterpret_cast<const HELPINFO*>(lParam)); return TRUE;
    case WM_COMMAND: {
      TimeNameDialog* d = DialogOf(hDlg);
      if (!d) return FALSE;
      switch (LOWORD(wParam)) {
        case IDC_TN_UNKNOWN_TIME:
          if (HIWORD(wParam) == BN_CLICKED) OnUnknownTime(hDlg, d);
          return TRUE;
        case IDC_TN_SECONDS_GIVEN:
          if (HIWORD(wParam) == BN_CLICKED) OnSecondsGiven(hDlg, d);
          return TRUE;
        case IDOK: OnAccept(hDlg, d); return TRUE;
        case IDCANCEL: EndDialog(hDlg, 0); return TRUE;
        case IDC_HELP_BUTTON: ShowFairyHelp(hDlg, kTimeNameHelp); return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

INT_PTR CALLBACK TimeNameInputDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return GuardedDialogMessage("TimeNameInputDFunc", HandleTimeName, hDlg, uMsg, wParam, lParam);
}

}  // namespace

int ShowTimeNameInput(HINSTANCE hInstance, HWND hOwner, HLOCAL hEntryBlock, int iMode, int iSubMode) {
  EntryBlock* p = LockEntryBlock(hEntryBlock);
  if (!p) return 0;
  p->iMode = iMode;
  p->iSubMode = iSubMode;
  UnlockEntryBlock(hEntryBlock);
  TimeNameDialog d{hEntryBlock, iMode, iSubMode, BirthRecord{}};
  const INT_PTR iResult = DialogBoxParamW(hInstance ? hInstance : DialogInstance(), L"TimeNameInputDB", hOwner,
                                          TimeNameInputDFunc, reinterpret_cast<LPARAM>(&d));
  return iResult == 1 ? 1 : 0;
}

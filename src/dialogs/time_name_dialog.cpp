// ShowTimeNameInput: the dialog "TimeNameInputDB" and its procedure, with
// the clock the time was read on (modes 0 and 60001; entry/entry_rules.h).
#include <cstring>

#include "dialogs/dialog_support.h"
#include "dialogs/dialogs.h"
#include "dialogs/entry_block.h"
#include "entry/entry_rules.h"
#include "platform/platform.h"
#include "platform/resource_ids.h"
#include "platform/win32/win32_text.h"

namespace {

// What the dialog works on: its private copies of the working record and
// of the clock of its birth time, and what the clock's controls show.
struct TimeNameDialog {
  HLOCAL hBlock;
  int iMode;
  int iSubMode;
  BirthRecord rec;
  TimeZoneEntry zone;
  int iZoneSource;         // ZoneSource of the chooser's row
  bool bFromPlace;         // the row follows the birthplace
  bool bReady;             // the controls are filled: their changes count
  const char* szNotice;    // the notice and the group title shown
  const char* szTimeGroup;
};

// Control of each field of the entry rules.
const int kFieldIds[kNumTimeEntryFields] = {IDC_TN_YEAR,   IDC_TN_MONTH,   IDC_TN_DAY, IDC_TN_HOUR,
                                            IDC_TN_MINUTE, IDC_TN_SECONDS, IDC_TN_NAME};

TimeNameDialog* DialogOf(HWND hDlg) { return reinterpret_cast<TimeNameDialog*>(GetWindowLongPtrW(hDlg, DWLP_USER)); }

int ZoneRow(HWND hDlg) { return static_cast<int>(SendDlgItemMessageW(hDlg, IDC_TN_ZONE, CB_GETCURSEL, 0, 0)); }

// The date and time fields as typed.  Returns false when the name holds a
// character without a Shift-JIS form.
bool ReadTimeTexts(HWND hDlg, TimeEntryTexts* t) {
  ItemText(hDlg, IDC_TN_YEAR, t->szYear, kYearTextChars);
  ItemText(hDlg, IDC_TN_MONTH, t->szMonth, sizeof t->szMonth - 1);
  ItemText(hDlg, IDC_TN_DAY, t->szDay, sizeof t->szDay - 1);
  ItemText(hDlg, IDC_TN_HOUR, t->szHour, sizeof t->szHour - 1);
  ItemText(hDlg, IDC_TN_MINUTE, t->szMinute, sizeof t->szMinute - 1);
  ItemText(hDlg, IDC_TN_SECONDS, t->szSeconds, kSecondsTextChars);
  return ItemText(hDlg, IDC_TN_NAME, t->szName, kNameTextBytes);
}

// The clock's controls for what is typed now: which are open, the title
// over the date fields, the notice (Japan's summer time, what a row does).
void ShowZoneState(HWND hDlg, TimeNameDialog* d) {
  if (!d->bReady) return;
  TimeEntryTexts t;
  ReadTimeTexts(hDlg, &t);
  ZoneEntryLive live;
  ZoneEntryLiveState(d->iMode, ZoneRow(hDlg), d->bFromPlace, d->rec.bTimeKnown != 0, t, &live);
  EnableItem(hDlg, IDC_TN_ZONE, live.bChooserEnabled);
  EnableItem(hDlg, IDC_TN_OFFSET, live.bOffsetEnabled);
  EnableItem(hDlg, IDC_TN_SUMMER_TIME, live.bSummerEnabled);
  if (live.szNotice != d->szNotice) SetDlgItemTextSjis(hDlg, IDC_TN_ZONE_NOTICE, live.szNotice);
  if (live.szTimeGroup != d->szTimeGroup) SetDlgItemTextSjis(hDlg, IDC_TN_TIME_GROUP, live.szTimeGroup);
  d->szNotice = live.szNotice;
  d->szTimeGroup = live.szTimeGroup;
}

void FillZoneChooser(HWND hDlg, const ZoneEntryForm& zf) {
  for (int i = 0; i < ZoneChoiceCount(); ++i) {
    char szRow[128];
    ZoneChoiceText(i, szRow, sizeof szRow);
    AddComboStringSjis(GetDlgItem(hDlg, IDC_TN_ZONE), szRow);
  }
  SendDlgItemMessageW(hDlg, IDC_TN_ZONE, CB_SETCURSEL, zf.iRow, 0);
  SendDlgItemMessageW(hDlg, IDC_TN_OFFSET, EM_LIMITTEXT, kUtcOffsetTextChars, 0);
  SetDlgItemTextSjis(hDlg, IDC_TN_OFFSET, zf.szOffset);
  CheckItem(hDlg, IDC_TN_SUMMER_TIME, zf.bSummerChecked);
}

void OnInitDialog(HWND hDlg, TimeNameDialog* d) {
  SetWindowLongPtrW(hDlg, DWLP_USER, reinterpret_cast<LONG_PTR>(d));
  EntryBlock* p = LockEntryBlock(d->hBlock);
  if (p) {
    d->rec = p->working;
    d->zone = p->zone;
    UnlockEntryBlock(d->hBlock);
  }
  LocalClock now;
  PlatformLocalTime(&now);
  TimeEntryForm form;
  ZoneEntryForm zoneForm;
  MakeZonedTimeEntryForm(d->iMode, d->iSubMode, &d->rec, d->zone, now, &form, &zoneForm);
  d->iZoneSource = zoneForm.iSource;
  d->bFromPlace = zoneForm.bFromPlace;
  FillZoneChooser(hDlg, zoneForm);

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
  d->bReady = true;
  ShowZoneState(hDlg, d);
  FocusItem(hDlg, IDC_TN_YEAR);
}

// The clock chosen by the user: the summer-time box starts unticked, and
// the row no longer follows the birthplace.
void OnZoneChosen(HWND hDlg, TimeNameDialog* d) {
  d->iZoneSource = kZoneSourceUser;
  d->bFromPlace = false;
  CheckItem(hDlg, IDC_TN_SUMMER_TIME, false);
  ShowZoneState(hDlg, d);
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
    ShowZoneState(hDlg, d);
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
  ShowZoneState(hDlg, d);
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
  if (!ReadTimeTexts(hDlg, &t)) {
    // A character without a Shift-JIS form could be neither shown nor kept.
    PlatformMessageBox(hDlg, "名前に、ホロミラが扱えない文字 (シフトJISにない文字) があります。", "名前",
                       kMbOk | kMbIconWarning);
    FocusItem(hDlg, IDC_TN_NAME);
    return;
  }
  int iFocus = kFieldYear;
  const bool bZoned = TimeEntryHasZone(d->iMode);
  int iAccepted = 0;
  if (bZoned) {
    ZoneEntryChoice choice{};
    choice.iRow = ZoneRow(hDlg);
    ItemText(hDlg, IDC_TN_OFFSET, choice.szOffset, kUtcOffsetTextChars);
    choice.bSummerTime = IsItemChecked(hDlg, IDC_TN_SUMMER_TIME);
    choice.iSource = d->iZoneSource;
    iAccepted = AcceptZonedTimeEntry(hDlg, d->iMode, t, choice, &d->rec, &d->zone, &iFocus);
  } else {
    iAccepted = AcceptTimeEntry(hDlg, d->iMode, t, &d->rec, &iFocus);
  }
  if (!iAccepted) {
    if (iFocus >= 0 && iFocus < kNumTimeEntryFields) FocusItem(hDlg, kFieldIds[iFocus]);
    if (iFocus == kFieldUtcOffset) FocusItem(hDlg, IDC_TN_OFFSET);
    return;
  }
  EntryBlock* p = LockEntryBlock(d->hBlock);
  if (p) {
    p->working = d->rec;
    if (bZoned) p->zone = d->zone;
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
    case IDC_TN_ZONE:
    case IDC_TN_OFFSET:
    case IDC_TN_SUMMER_TIME:
    case IDC_TN_ZONE_NOTICE: ShowFairyHelp(hDlg, kTimeZoneHelp); return;
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
        case IDC_TN_YEAR:
        case IDC_TN_MONTH:
        case IDC_TN_DAY:
        case IDC_TN_HOUR:
        case IDC_TN_MINUTE:
          if (HIWORD(wParam) == EN_CHANGE) ShowZoneState(hDlg, d);
          return TRUE;
        case IDC_TN_ZONE:
          if (HIWORD(wParam) == CBN_SELCHANGE) OnZoneChosen(hDlg, d);
          return TRUE;
        case IDC_TN_SUMMER_TIME:
          if (HIWORD(wParam) == BN_CLICKED) d->iZoneSource = kZoneSourceUser;
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
  TimeNameDialog d{hEntryBlock, iMode, iSubMode, BirthRecord{}, TimeZoneEntry{}, kZoneSourceDefault, false, false,
                   nullptr, nullptr};
  const INT_PTR iResult = DialogBoxParamW(hInstance ? hInstance : DialogInstance(), L"TimeNameInputDB", hOwner,
                                          TimeNameInputDFunc, reinterpret_cast<LPARAM>(&d));
  return iResult == 1 ? 1 : 0;
}

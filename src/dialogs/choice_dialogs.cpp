// The small choice dialogs: the harmonic number ("HarmInputDB"), the season
// chart ("VernalDB") and the ephemeris ("EphemerisDB").
#include <cstdio>

#include "dialogs/dialog_support.h"
#include "dialogs/dialogs.h"
#include "entry/entry_rules.h"
#include "events/events.h"
#include "platform/platform.h"
#include "platform/reports.h"
#include "platform/resource_ids.h"
#include "platform/win32/win32_text.h"

namespace {

// A choice dialog: how it starts, how OK is taken (a double click on
// iAcceptList counts as OK where the dialog has such a list), what Cancel
// returns, and the fairy's text for F1 and for its help button.
struct ChoiceDialog {
  void (*pInit)(HWND hDlg);
  void (*pAccept)(HWND hDlg);
  int iCancel;
  int iHelpButton;
  int iAcceptList;  // 0: none
  const FairyHelp* pHelp;
};

INT_PTR HandleChoiceDialog(const ChoiceDialog& d, HWND hDlg, UINT uMsg, WPARAM wParam) {
  switch (uMsg) {
    case WM_INITDIALOG: d.pInit(hDlg); return FALSE;
    case WM_HELP: ShowFairyHelp(hDlg, *d.pHelp); return TRUE;
    case WM_COMMAND: {
      const int iId = LOWORD(wParam);
      if (iId == IDOK || (d.iAcceptList && iId == d.iAcceptList && HIWORD(wParam) == LBN_DBLCLK)) {
        d.pAccept(hDlg);
        return TRUE;
      }
      if (iId == IDCANCEL) {
        EndDialog(hDlg, d.iCancel);
        return TRUE;
      }
      if (iId == d.iHelpButton) {
        ShowFairyHelp(hDlg, *d.pHelp);
        return TRUE;
      }
      return d.iAcceptList && iId == d.iAcceptList ? TRUE : FALSE;
    }
  }
  return FALSE;
}

// --- Harmonic ---------------------------------------------------------------------

// The last harmonic number of this run: what the dialog proposes next.
double g_dLastHarmonic = 1.0;

void OnInitHarmonic(HWND hDlg) {
  char szText[32];
  FormatHarmonic(HarmonicProposal(&g_dLastHarmonic), szText, sizeof szText);
  SendDlgItemMessageW(hDlg, IDC_HARMONIC, EM_LIMITTEXT, kHarmonicTextChars, 0);
  SetDlgItemTextSjis(hDlg, IDC_HARMONIC, szText);
  FocusItem(hDlg, IDC_HARMONIC);
}

void OnAcceptHarmonic(HWND hDlg) {
  char szText[kHarmonicTextChars + 1];
  ItemText(hDlg, IDC_HARMONIC, szText, kHarmonicTextChars);
  int32_t iResult = 0;
  if (AcceptHarmonicText(hDlg, szText, &g_dLastHarmonic, &iResult)) {
    EndDialog(hDlg, iResult);
  } else {
    FocusItem(hDlg, IDC_HARMONIC);
  }
}

const ChoiceDialog kHarmonicDialog = {OnInitHarmonic, OnAcceptHarmonic, kHarmonicCancel, IDC_HELP_BUTTON, 0, &kHarmonicHelp};
INT_PTR HandleHarmonic(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM) {
  return HandleChoiceDialog(kHarmonicDialog, hDlg, uMsg, wParam);
}

INT_PTR CALLBACK HarmInputDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return GuardedDialogMessage("HarmInputDFunc", HandleHarmonic, hDlg, uMsg, wParam, lParam, kDialogEnds,
                              kHarmonicCancel);
}

// --- Season charts ------------------------------------------------------------------

const int kSeasonButtons[kNumSeasonKinds] = {IDC_SEASON_VERNAL, IDC_SEASON_SUMMER, IDC_SEASON_AUTUMNAL,
                                             IDC_SEASON_WINTER};

void OnInitSeason(HWND hDlg) {
  LocalClock now;
  PlatformLocalTime(&now);
  char szYear[16];
  snprintf(szYear, sizeof szYear, "%d", now.year);
  SendDlgItemMessageW(hDlg, IDC_SEASON_YEAR, EM_LIMITTEXT, kSeasonTextChars, 0);
  SetDlgItemTextSjis(hDlg, IDC_SEASON_YEAR, szYear);
  CheckRadioButton(hDlg, IDC_SEASON_VERNAL, IDC_SEASON_WINTER, IDC_SEASON_VERNAL);
  FocusItem(hDlg, IDC_SEASON_YEAR);
}

void OnAcceptSeason(HWND hDlg) {
  int iKind = 0;
  for (int k = 0; k < kNumSeasonKinds; ++k) {
    if (IsItemChecked(hDlg, kSeasonButtons[k])) iKind = k;
  }
  char szYear[kSeasonTextChars + 1];
  ItemText(hDlg, IDC_SEASON_YEAR, szYear, kSeasonTextChars);
  int iResult = 0;
  if (AcceptSeasonYear(hDlg, szYear, iKind, &iResult)) {
    EndDialog(hDlg, iResult);
  } else {
    FocusItem(hDlg, IDC_SEASON_YEAR);
  }
}

const ChoiceDialog kSeasonDialog = {OnInitSeason, OnAcceptSeason, kSeasonCancel, IDC_HELP_BUTTON2, 0, &kSeasonHelp};
INT_PTR HandleSeason(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM) {
  return HandleChoiceDialog(kSeasonDialog, hDlg, uMsg, wParam);
}

INT_PTR CALLBACK VernalDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return GuardedDialogMessage("VernalDFunc", HandleSeason, hDlg, uMsg, wParam, lParam, kDialogEnds,
                              kSeasonCancel);
}

// --- Ephemeris ------------------------------------------------------------------------

constexpr int kEphemCancel = -1;

void OnInitEphemeris(HWND hDlg) {
  HWND hList = GetDlgItem(hDlg, IDC_EPHEM_LIST);
  for (const char* szName : kEphemBodyNames) AddListStringSjis(hList, szName);
  SendMessageW(hList, LB_SETCURSEL, 0, 0);
  CheckRadioButton(hDlg, IDC_EPHEM_SECOND, IDC_EPHEM_DAY, IDC_EPHEM_DAY);
  CheckItem(hDlg, IDC_EPHEM_ALIGNED, true);
  FocusItem(hDlg, IDC_EPHEM_LIST);
}

void OnAcceptEphemeris(HWND hDlg) {
  const int iBody = static_cast<int>(SendDlgItemMessageW(hDlg, IDC_EPHEM_LIST, LB_GETCURSEL, 0, 0));
  if (iBody < 0 || iBody >= kNumEphemBodies) {
    ReportErrorLines(hDlg, "Ephem", "LB_ERR");
    return;
  }
  const int iStep = EphemStepFromButtons(IsItemChecked(hDlg, IDC_EPHEM_SECOND), IsItemChecked(hDlg, IDC_EPHEM_MINUTE),
                                         IsItemChecked(hDlg, IDC_EPHEM_HOUR));
  EndDialog(hDlg, EncodeEphemChoice(iBody, iStep, IsItemChecked(hDlg, IDC_EPHEM_ALIGNED)));
}

const ChoiceDialog kEphemerisDialog = {OnInitEphemeris, OnAcceptEphemeris, kEphemCancel, IDC_HELP_BUTTON2, IDC_EPHEM_LIST, &kEphemerisHelp};
INT_PTR HandleEphemeris(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM) {
  return HandleChoiceDialog(kEphemerisDialog, hDlg, uMsg, wParam);
}

INT_PTR CALLBACK EphemerisDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return GuardedDialogMessage("EphemerisDFunc", HandleEphemeris, hDlg, uMsg, wParam, lParam, kDialogEnds,
                              kEphemCancel);
}

}  // namespace

int32_t ShowHarmonicInput(HWND hOwner) {
  const INT_PTR iResult = DialogBoxParamW(DialogInstance(), L"HarmInputDB", hOwner, HarmInputDFunc, 0);
  // -1 (no dialog) and 0 lie below every valid result (|h| >= 0.1).
  if (iResult == -1 || iResult == 0) return kHarmonicCancel;
  return static_cast<int32_t>(iResult);
}

int ShowSeasonInput(HWND hOwner) {
  const INT_PTR iResult = DialogBoxParamW(DialogInstance(), L"VernalDB", hOwner, VernalDFunc, 0);
  return static_cast<int>(iResult);
}

int ShowEphemerisInput(HWND hOwner) {
  const INT_PTR iResult = DialogBoxParamW(DialogInstance(), L"EphemerisDB", hOwner, EphemerisDFunc, 0);
  return static_cast<int>(iResult);
}

// ShowPlaceInput: the dialog "PlaceInputDB" and its procedure.
#include "chart/places.h"
#include "dialogs/dialog_support.h"
#include "dialogs/dialogs.h"
#include "dialogs/entry_block.h"
#include "entry/entry_rules.h"
#include "platform/resource_ids.h"

namespace {

HWND g_hPlaceList = nullptr;

void SetPlaceListBox(HWND hList) { g_hPlaceList = hList; }

// Result of the dialog after an exception: the working record is unchanged.
constexpr INT_PTR kPlaceDialogFailed = -32768;

struct PlaceDialog {
  HLOCAL hBlock;
  int iMode;
  BirthRecord rec;
};

PlaceDialog* DialogOf(HWND hDlg) { return reinterpret_cast<PlaceDialog*>(GetWindowLongPtrA(hDlg, DWLP_USER)); }

void ShowListedPlace(HWND hDlg) {
  SetDlgItemTextA(hDlg, IDC_PLACE_LAT, kDefaultLatitudeText);
  SetDlgItemTextA(hDlg, IDC_PLACE_LONG, kDefaultLongitudeText);
}

void OnInitDialog(HWND hDlg, PlaceDialog* d) {
  SetWindowLongPtrA(hDlg, DWLP_USER, reinterpret_cast<LONG_PTR>(d));
  EntryBlock* p = LockEntryBlock(d->hBlock);
  if (p) {
    d->rec = p->working;
    UnlockEntryBlock(d->hBlock);
  }
  char szTitle[160];
  PlaceEntryTitle(d->iMode, d->rec.szName, szTitle, sizeof szTitle);
  SetWindowTextA(hDlg, szTitle);

  HWND hList = GetDlgItem(hDlg, IDC_PLACE_LIST);
  for (int i = 0; kPlaceTable[i].szText; ++i) SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kPlaceTable[i].szText));
  SendMessageA(hList, LB_SETCURSEL, kDefaultPlaceRow, 0);
  SetPlaceListBox(hList);

  SendDlgItemMessageA(hDlg, IDC_PLACE_LAT, EM_LIMITTEXT, kCoordinateTextChars, 0);
  SendDlgItemMessageA(hDlg, IDC_PLACE_LONG, EM_LIMITTEXT, kCoordinateTextChars, 0);
  EnableItem(hDlg, IDC_PLACE_LAT, false);
  EnableItem(hDlg, IDC_PLACE_LONG, false);
  ShowListedPlace(hDlg);
  // The datum is a statement, not a choice.
  CheckItem(hDlg, IDC_PLACE_DATUM, true);
  EnableItem(hDlg, IDC_PLACE_DATUM, false);
  FocusItem(hDlg, IDC_PLACE_LIST);
}

// "経緯度で指定": the list or the two coordinate edits.
void OnTyped(HWND hDlg) {
  const bool bTyped = IsItemChecked(hDlg, IDC_PLACE_TYPED);
  EnableItem(hDlg, IDC_PLACE_LIST, !bTyped);
  EnableItem(hDlg, IDC_PLACE_LAT, bTyped);
  EnableItem(hDlg, IDC_PLACE_LONG, bTyped);
  if (bTyped) {
    SetDlgItemTextA(hDlg, IDC_PLACE_LAT, "");
    SetDlgItemTextA(hDlg, IDC_PLACE_LONG, "");
    FocusItem(hDlg, IDC_PLACE_LAT);
  } else {
    ShowListedPlace(hDlg);
    FocusItem(hDlg, IDC_PLACE_LIST);
  }
}

void OnAccept(HWND hDlg, PlaceDialog* d) {
  BirthRecord rec = d->rec;
  if (IsItemChecked(hDlg, IDC_PLACE_TYPED)) {
    char szLat[kCoordinateTextChars + 1];
    char szLong[kCoordinateTextChars + 1];
    ItemText(hDlg, IDC_PLACE_LAT, szLat, kCoordinateTextChars);
    ItemText(hDlg, IDC_PLACE_LONG, szLong, kCoordinateTextChars);
    if (!AcceptTypedPlace(hDlg, szLat, szLong, &rec)) return;
  } else {
    const int iRow = static_cast<int>(SendDlgItemMessageA(hDlg, IDC_PLACE_LIST, LB_GETCURSEL, 0, 0));
    if (!AcceptListedPlace(iRow, &rec)) return;
  }
  EntryBlock* p = LockEntryBlock(d->hBlock);
  if (p) {
    p->working = rec;
    UnlockEntryBlock(d->hBlock);
  }
  EndDialog(hDlg, 1);
}

INT_PTR HandlePlace(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_INITDIALOG: OnInitDialog(hDlg, reinterpret_cast<PlaceDialog*>(lParam)); return FALSE;
    case WM_HELP: ShowFairyHelp(hDlg, kPlaceHelp); return TRUE;
    case WM_DESTROY: SetPlaceListBox(nullptr); return FALSE;
    case WM_COMMAND: {
      PlaceDialog* d = DialogOf(hDlg);
      if (!d) return FALSE;
      switch (LOWORD(wParam)) {
        case IDC_PLACE_TYPED:
          if (HIWORD(wParam) == BN_CLICKED) OnTyped(hDlg);
          return TRUE;
        case IDC_PLACE_LIST:
          if (HIWORD(wParam) == LBN_DBLCLK) OnAccept(hDlg, d);
          return TRUE;
        case IDOK: OnAccept(hDlg, d); return TRUE;
        case IDCANCEL: EndDialog(hDlg, 0); return TRUE;
        case IDC_HELP_BUTTON: ShowFairyHelp(hDlg, kPlaceHelp); return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

INT_PTR CALLBACK PlaceInputDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return GuardedDialogMessage("PlaceInputDFunc", HandlePlace, hDlg, uMsg, wParam, lParam, kDialogEnds,
                              kPlaceDialogFailed);
}

}  // namespace

HWND PlaceListBox() { return g_hPlaceList; }

int ShowPlaceInput(HINSTANCE hInstance, HWND hOwner, HLOCAL hEntryBlock, int iMode, int iSubMode) {
  EntryBlock* p = LockEntryBlock(hEntryBlock);
  if (!p) return 0;
  p->iMode = iMode;
  p->iSubMode = iSubMode;
  UnlockEntryBlock(hEntryBlock);
  PlaceDialog d{hEntryBlock, iMode, BirthRecord{}};
  const INT_PTR iResult = DialogBoxParamA(hInstance ? hInstance : DialogInstance(), "PlaceInputDB", hOwner,
                                          PlaceInputDFunc, reinterpret_cast<LPARAM>(&d));
  return iResult == 1 ? 1 : 0;
}

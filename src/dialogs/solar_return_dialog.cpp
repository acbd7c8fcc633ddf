// ShowSolarReturnInput: the solar returns of ages 0..100 ("SolarReturnDB").
#include "dialogs/dialog_support.h"
#include "dialogs/dialogs.h"
#include "dialogs/entry_block.h"
#include "events/events.h"
#include "platform/platform.h"
#include "platform/resource_ids.h"
#include "platform/win32/win32_text.h"

namespace {

struct SolarReturnList {
  HLOCAL hBlock;
  BirthRecord natal;
  DateTime returns[kNumSolarReturns];  // JST moment of every age
};

SolarReturnList* ListOf(HWND hDlg) {
  return reinterpret_cast<SolarReturnList*>(GetWindowLongPtrW(hDlg, DWLP_USER));
}

void OnInitDialog(HWND hDlg, SolarReturnList* l) {
  SetWindowLongPtrW(hDlg, DWLP_USER, reinterpret_cast<LONG_PTR>(l));
  long double ldNatalJde = 0.0L;
  EntryBlock* p = LockEntryBlock(l->hBlock);
  if (p) {
    const ChartRecord& natalChart = EntryChartSet(p)->charts[kSlotNatal];
    l->natal = natalChart.natal;
    ldNatalJde = natalChart.ldJde;
    UnlockEntryBlock(l->hBlock);
  }
  SolarReturnMoments(ldNatalJde, l->returns);

  HWND hList = GetDlgItem(hDlg, IDC_RETURN_LIST);
  SendMessageW(hList, WM_SETREDRAW, FALSE, 0);
  for (int iAge = 0; iAge < kNumSolarReturns; ++iAge) {
    char szLine[128];
    SolarReturnLine(iAge, l->returns[iAge], szLine, sizeof szLine);
    AddListStringSjis(hList, szLine);
  }
  SendMessageW(hList, WM_SETREDRAW, TRUE, 0);
  AddListStringSjis(GetDlgItem(hDlg, IDC_RETURN_NAME), l->natal.szName);

  LocalClock now;
  PlatformLocalTime(&now);
  SendMessageW(hList, LB_SETCURSEL, SolarReturnDefaultAge(l->natal.time.year, now.year), 0);
  FocusItem(hDlg, IDC_RETURN_LIST);
}

void OnChoose(HWND hDlg, const SolarReturnList* l) {
  const int iSelected = static_cast<int>(SendDlgItemMessageW(hDlg, IDC_RETURN_LIST, LB_GETCURSEL, 0, 0));
  BirthRecord working{};
  const int iAge = ChooseSolarReturn(hDlg, iSelected, l->natal, l->returns, &working);
  if (iAge <= 0) return;
  EntryBlock* p = LockEntryBlock(l->hBlock);
  if (p) {
    p->working = working;
    UnlockEntryBlock(l->hBlock);
  }
  EndDialog(hDlg, iAge);
}

INT_PTR HandleSolarReturn(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_INITDIALOG: OnInitDialog(hDlg, reinterpret_cast<SolarReturnList*>(lParam)); return FALSE;
    case WM_HELP: ShowFairyHelp(hDlg, kSolarReturnHelp); return TRUE;
    case WM_COMMAND: {
      const SolarReturnList* l = ListOf(hDlg);
      if (!l) return FALSE;
      switch (LOWORD(wParam)) {
        case IDC_RETURN_LIST:
          if (HIWORD(wParam) == LBN_DBLCLK) OnChoose(hDlg, l);
          return TRUE;
        case IDOK: OnChoose(hDlg, l); return TRUE;
        case IDCANCEL: EndDialog(hDlg, 0); return TRUE;
        case IDC_HELP_BUTTON: ShowFairyHelp(hDlg, kSolarReturnHelp); return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

INT_PTR CALLBACK SolarReturnDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return GuardedDialogMessage("SolarReturnDFunc", HandleSolarReturn, hDlg, uMsg, wParam, lParam, kDialogEnds, 0);
}

}  // namespace

int ShowSolarReturnInput(HWND hOwner, HLOCAL hEntryBlock) {
  SolarReturnList l{};
  l.hBlock = hEntryBlock;
  const INT_PTR iResult = DialogBoxParamW(DialogInstance(), L"SolarReturnDB", hOwner, SolarReturnDFunc,
                                          reinterpret_cast<LPARAM>(&l));
  return iResult > 0 && iResult < kNumSolarReturns ? static_cast<int>(iResult) : 0;
}

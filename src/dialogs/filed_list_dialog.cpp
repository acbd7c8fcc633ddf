// The list of filed data ("FromFileDB"): choosing a row, and deleting one.
#include <cstring>

#include "dialogs/dialog_support.h"
#include "dialogs/dialogs.h"
#include "entry/entry_rules.h"
#include "platform/reports.h"
#include "platform/resource_ids.h"
#include "platform/win32/win32_text.h"

namespace {

struct FiledList {
  BirthTable* pTable;
  int iRows;  // rows listed
};

FiledList* ListOf(HWND hDlg) { return reinterpret_cast<FiledList*>(GetWindowLongPtrW(hDlg, DWLP_USER)); }

void OnInitDialog(HWND hDlg, FiledList* l) {
  SetWindowLongPtrW(hDlg, DWLP_USER, reinterpret_cast<LONG_PTR>(l));
  HWND hList = GetDlgItem(hDlg, IDC_FILED_LIST);
  SendMessageW(hList, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < l->iRows; ++i) {
    AddListStringSjis(hList, l->pTable->rows[i].szListLine);
  }
  SendMessageW(hList, WM_SETREDRAW, TRUE, 0);
  if (SendMessageW(hList, LB_SETCURSEL, 0, 0) == LB_ERR) {
    ReportErrorLines(hDlg, "FromFileDB", "LB_SETCURSEL ERR");
    EndDialog(hDlg, kFiledListCancel);
    return;
  }
  FocusItem(hDlg, IDC_FILED_LIST);
}

void OnChoose(HWND hDlg, const FiledList* l) {
  const int k = static_cast<int>(SendDlgItemMessageW(hDlg, IDC_FILED_LIST, LB_GETCURSEL, 0, 0));
  EndDialog(hDlg, FiledListChoice(hDlg, k, l->iRows));
}

INT_PTR HandleFiledList(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_INITDIALOG: OnInitDialog(hDlg, reinterpret_cast<FiledList*>(lParam)); return FALSE;
    case WM_HELP: ShowFairyHelp(hDlg, kFiledDataHelp); return TRUE;
    case WM_COMMAND: {
      const FiledList* l = ListOf(hDlg);
      if (!l) return FALSE;
      switch (LOWORD(wParam)) {
        case IDC_FILED_LIST:
          if (HIWORD(wParam) == LBN_DBLCLK) OnChoose(hDlg, l);
          return TRUE;
        case IDOK: OnChoose(hDlg, l); return TRUE;
        case IDCANCEL: EndDialog(hDlg, kFiledListCancel); return TRUE;
        case IDC_HELP_BUTTON: ShowFairyHelp(hDlg, kFiledDataHelp); return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

INT_PTR CALLBACK FromFileDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return GuardedDialogMessage("FromFileDFunc", HandleFiledList, hDlg, uMsg, wParam, lParam, kDialogEnds,
                              kFiledListCancel);
}

}  // namespace

int RunFromFileDialog(HWND hOwner, BirthTable* pTable) {
  if (!pTable) return kFiledListCancel;
  // The row count is checked before the list opens: an empty or broken
  // table closes it at once.
  FiledList l{pTable, FiledListOpening(hOwner, pTable->iNumData)};
  if (l.iRows < 0) return l.iRows;
  const INT_PTR iResult =
      DialogBoxParamW(DialogInstance(), L"FromFileDB", hOwner, FromFileDFunc, reinterpret_cast<LPARAM>(&l));
  // A list that could not be made (-1) counts as cancelled.
  return iResult >= 0 && iResult < l.iRows ? static_cast<int>(iResult) : kFiledListCancel;
}

int ChooseFiledRecord(HWND hOwner, BirthTable* pTable, BirthRecord* pDest) {
  const int iRow = RunFromFileDialog(hOwner, pTable);
  if (iRow < 0 || !pDest) return 0;
  memcpy(pDest, &pTable->rows[iRow], sizeof *pDest);
  return 1;
}

int DeleteFiledRecord(HWND hOwner, BirthTable* pTable, const char* szPath) {
  if (AppOkCancelMsg(hOwner, "データの削除", "次のボックスで削除したいデータを", "選んでください", "") != 1) {
    return 0;
  }
  const int iRow = RunFromFileDialog(hOwner, pTable);
  if (iRow == kFiledListEmpty) {
    PlatformMessageBox(hOwner, "このファイルは登録データがないか、壊れています。", szPath ? szPath : "",
                       kMbOk | kMbIconWarning);
    return 0;
  }
  if (iRow < 0 || !AskDeleteRow(hOwner, pTable->rows[iRow])) return 0;
  return DeleteRow(pTable, iRow);
}

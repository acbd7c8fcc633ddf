// Helpers shared by the dialog procedures.
#include "dialogs/dialog_support.h"

#include "platform/platform.h"
#include "platform/reports.h"
#include "platform/win32/exception_guard.h"

namespace {

DialogHelpPresenter g_pfnPresentHelp = nullptr;

struct GuardedMessage {
  DialogHandler Handler;
  HWND hDlg;
  UINT uMsg;
  WPARAM wParam;
  LPARAM lParam;
  INT_PTR iReturn;
};

void HandleMessage(void* p) {
  GuardedMessage* m = static_cast<GuardedMessage*>(p);
  m->iReturn = m->Handler(m->hDlg, m->uMsg, m->wParam, m->lParam);
}

}  // namespace

INT_PTR GuardedDialogMessage(const char* szPlace, DialogHandler Handler, HWND hDlg, UINT uMsg, WPARAM wParam,
                             LPARAM lParam, AfterException after, INT_PTR iResult) {
  GuardedMessage m{Handler, hDlg, uMsg, wParam, lParam, FALSE};
  CaughtException caught;
  if (RunGuardedCall(HandleMessage, &m, &caught)) return m.iReturn;
  ReportException(hDlg, szPlace);
  if (after == kDialogEnds && IsWindow(hDlg)) EndDialog(hDlg, iResult);
  return TRUE;
}

void SetDialogHelpPresenter(DialogHelpPresenter pfnPresent) { g_pfnPresentHelp = pfnPresent; }

void ShowFairyHelp(HWND hDlg, const FairyHelp& help) {
  HWND hOwner = GetWindow(hDlg, GW_OWNER);
  if (!hOwner) hOwner = hDlg;
  if (g_pfnPresentHelp) {
    g_pfnPresentHelp(hOwner, help.szTitle, help.szText);
    return;
  }
  PlatformMessageBox(hOwner, help.szText, help.szTitle, kMbOk | kMbIconInformation);
}

void ItemText(HWND hDlg, int iId, char* szBuf, int nChars) {
  szBuf[0] = '\0';
  GetDlgItemTextA(hDlg, iId, szBuf, nChars + 1);
  szBuf[nChars] = '\0';
}

void EnableItem(HWND hDlg, int iId, bool bEnable) { EnableWindow(GetDlgItem(hDlg, iId), bEnable ? TRUE : FALSE); }

bool IsItemChecked(HWND hDlg, int iId) { return IsDlgButtonChecked(hDlg, iId) == BST_CHECKED; }

void CheckItem(HWND hDlg, int iId, bool bCheck) { CheckDlgButton(hDlg, iId, bCheck ? BST_CHECKED : BST_UNCHECKED); }

void FocusItem(HWND hDlg, int iId) {
  SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hDlg, iId)), TRUE);
}

HINSTANCE DialogInstance() { return GetModuleHandleA(nullptr); }

// Helpers shared by the dialog procedures.
#include "dialogs/dialog_support.h"

#include <cstring>
#include <string>

#include "base/shift_jis.h"
#include "platform/platform.h"
#include "platform/reports.h"
#include "platform/win32/exception_guard.h"
#include "platform/win32/win32_text.h"

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

bool ItemText(HWND hDlg, int iId, char* szBuf, int nChars) {
  HWND hItem = GetDlgItem(hDlg, iId);
  std::wstring w(static_cast<size_t>(GetWindowTextLengthW(hItem)) + 1, L'\0');
  w.resize(static_cast<size_t>(GetWindowTextW(hItem, &w[0], static_cast<int>(w.size()))));
  std::string s;
  const bool bExact = SjisFromWide(w.c_str(), &s);
  // At most nChars bytes, a double-byte character never cut in half.
  s.resize((s.size() > static_cast<size_t>(nChars) ? s.size() : static_cast<size_t>(nChars)) + 1, '\0');
  CutDoubleByteSafe(&s[0], nChars);
  memcpy(szBuf, s.c_str(), strlen(s.c_str()) + 1);
  return bExact;
}

void EnableItem(HWND hDlg, int iId, bool bEnable) { EnableWindow(GetDlgItem(hDlg, iId), bEnable ? TRUE : FALSE); }

bool IsItemChecked(HWND hDlg, int iId) { return IsDlgButtonChecked(hDlg, iId) == BST_CHECKED; }

void CheckItem(HWND hDlg, int iId, bool bCheck) { CheckDlgButton(hDlg, iId, bCheck ? BST_CHECKED : BST_UNCHECKED); }

void FocusItem(HWND hDlg, int iId) {
  SendMessageW(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hDlg, iId)), TRUE);
}

HINSTANCE DialogInstance() { return GetModuleHandleW(nullptr); }

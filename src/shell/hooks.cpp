// The message-filter hook and the keyboard hook of the UI thread.
#include "shell/hooks.h"

#include "dialogs/dialogs.h"
#include "platform/win32/exception_guard.h"
#include "shell/aux_windows.h"
#include "shell/logic/shell_logic.h"
#include "shell/shell.h"

namespace {

HHOOK g_hMsgFilter = nullptr;
HHOOK g_hKeyboard = nullptr;
HWND g_hMain = nullptr;

constexpr LPARAM kPreviousStateBit = 1 << 30;
constexpr LPARAM kTransitionBit = static_cast<LPARAM>(1u << 31);

bool Held(int vk) { return GetKeyState(vk) < 0; }
bool Toggled(int vk) { return (GetKeyState(vk) & 1) != 0; }

KeyEvent MakeEvent(int vk, bool bKeyDown, LPARAM lFlags) {
  return KeyEvent{vk, bKeyDown, bKeyDown && (lFlags & kPreviousStateBit) != 0, Held(VK_CONTROL), Held(VK_SHIFT),
                  Toggled(VK_CONVERT) || Toggled(VK_MODECHANGE)};
}

// Where the focus is, and the window the place belongs to.
FocusPlace Classify(HWND hFocus, HWND* phOwnerDlg) {
  *phOwnerDlg = nullptr;
  if (!hFocus) return kFocusNone;
  if (hFocus == HelpTopicListBox() || hFocus == PopupListBox()) return kFocusHelpList;
  if (hFocus == PlaceListBox()) return kFocusPlaceList;
  const HWND hParent = GetParent(hFocus);
  const int iId = GetDlgCtrlID(hFocus);
  if (hParent && hParent == FairyWindow()) {
    *phOwnerDlg = hParent;
    if (iId == kIdAuxText) return kFocusFairyText;
    if (iId == kIdFairyIndex) return kFocusFairyIndex;
    if (iId == kIdFairyClose) return kFocusFairyClose;
  }
  if (hParent && hParent == PopupWindow()) {
    *phOwnerDlg = hParent;
    if (iId == kIdAuxText) return kFocusPopupText;
    if (iId == kIdPopupButtonA) return kFocusPopupA;
    if (iId == kIdPopupButtonB) return kFocusPopupB;
    if (iId == kIdPopupClose) return kFocusPopupClose;
  }
  return kFocusElsewhere;
}

int ControlOf(int iPlace) {
  switch (iPlace) {
    case kFocusFairyIndex: return kIdFairyIndex;
    case kFocusFairyClose: return kIdFairyClose;
    case kFocusPopupA: return kIdPopupButtonA;
    case kFocusPopupB: return kIdPopupButtonB;
    case kFocusPopupClose: return kIdPopupClose;
    default: return kIdAuxText;
  }
}

// Carries out a decision; true when the key is swallowed.
bool Apply(const KeyAction& a, HWND hFocus, HWND hDlg) {
  switch (a.iKind) {
    case kKeyPass: return false;
    case kKeyFocus:
      if (hDlg) SetFocus(GetDlgItem(hDlg, ControlOf(a.iTarget)));
      break;
    case kKeyCommandMain: PostMessageA(g_hMain, WM_COMMAND, a.iTarget, 0); break;
    case kKeyCommandWindow:
      if (hDlg) PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(a.iTarget, BN_CLICKED), 0);
      break;
    case kKeyDestroyWindow:
      if (hDlg) PostMessageA(hDlg, WM_CLOSE, 0, 0);
      break;
    case kKeySelectFirst:
      SendMessageA(hFocus, LB_SETCURSEL, 0, 0);
      SendMessageA(GetParent(hFocus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hFocus), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(hFocus));
      break;
  }
  return true;
}

bool FilterKey(const MSG* pMsg) {
  if (!WatchedWindowOpen() || (pMsg->message != WM_KEYDOWN && pMsg->message != WM_SYSKEYDOWN)) return false;
  const HWND hFocus = GetFocus();
  HWND hDlg;
  const FocusPlace focus = Classify(hFocus, &hDlg);
  const bool bPopupB = PopupWindow() && IsWindowEnabled(GetDlgItem(PopupWindow(), kIdPopupButtonB));
  const KeyAction a = DecideFilterKey(MakeEvent(static_cast<int>(pMsg->wParam), true, pMsg->lParam),
                                      FilterKeyContext{focus, FairyWindow() != nullptr, bPopupB});
  return Apply(a, hFocus, hDlg);
}

bool KeyboardKey(WPARAM wParam, LPARAM lParam) {
  const KeyEvent e = MakeEvent(static_cast<int>(wParam), (lParam & kTransitionBit) == 0, lParam);
  return Apply(DecideKeyboardHook(e, Held(VK_SPACE), QuickMenuVisible(), WatchedWindowOpen()), nullptr, nullptr);
}

// The system calls the hooks: each runs under its own checkpoint, so that an
// exception never unwinds through the system's frames; the key then passes
// on.
LRESULT CALLBACK MessageFilterProc(int iCode, WPARAM wParam, LPARAM lParam) {
  bool bSwallow = false;
  CaughtException caught;
  // Only the messages of dialog boxes: a menu (MSGF_MENU) or a scroll bar
  // being tracked keeps its own keys.
  if (iCode == MSGF_DIALOGBOX && !RunGuarded([&] { bSwallow = FilterKey(reinterpret_cast<const MSG*>(lParam)); }, &caught)) {
    ReportCaught("MessageFilterProc", caught);
  }
  return bSwallow ? 1 : CallNextHookEx(g_hMsgFilter, iCode, wParam, lParam);
}

LRESULT CALLBACK KeyboardProc(int iCode, WPARAM wParam, LPARAM lParam) {
  bool bSwallow = false;
  CaughtException caught;
  if (iCode == HC_ACTION && !RunGuarded([&] { bSwallow = KeyboardKey(wParam, lParam); }, &caught)) {
    ReportCaught("KeyboardProc", caught);
  }
  return bSwallow ? 1 : CallNextHookEx(g_hKeyboard, iCode, wParam, lParam);
}

}  // namespace


bool WatchedWindowOpen() {
  return FairyWindow() || PopupWindow() || HelpTopicListBox() || PopupListBox() || PlaceListBox();
}

int InstallHooks(HWND hMainWindow) {
  g_hMain = hMainWindow;
  const DWORD dwThread = GetCurrentThreadId();
  g_hMsgFilter = SetWindowsHookExA(WH_MSGFILTER, MessageFilterProc, nullptr, dwThread);
  g_hKeyboard = SetWindowsHookExA(WH_KEYBOARD, KeyboardProc, nullptr, dwThread);
  if (g_hMsgFilter && g_hKeyboard) return 1;
  RemoveHooks();
  return 0;
}

void RemoveHooks() {
  if (g_hMsgFilter) UnhookWindowsHookEx(g_hMsgFilter);
  if (g_hKeyboard) UnhookWindowsHookEx(g_hKeyboard);
  g_hMsgFilter = g_hKeyboard = nullptr;
}

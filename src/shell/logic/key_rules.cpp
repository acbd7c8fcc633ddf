// The key rules of the message-filter hook and the keyboard hook.
#include "shell/logic/shell_logic.h"

#include "platform/resource_ids.h"

namespace {

// Commands the keys send.
constexpr int kCmdFromFile = IDM_FROM_FILE;
constexpr int kCmdNewData = IDM_NEW_DATA;
constexpr int kCmdHelpIndex = IDM_HELP_INDEX;
constexpr int kCmdAlmanac = IDM_ALMANAC;
constexpr int kCmdQuickFirst = IDM_QUICK_FAIRY;
constexpr int kCmdQuickClose = IDM_QUICK_MENU;
// Commands of the fairy window's and the popup window's buttons.
constexpr int kFairyIndexButton = IDC_FAIRY_INDEX;
constexpr int kFairyCloseButton = IDC_FAIRY_CLOSE;
constexpr int kPopupA = IDC_POPUP_A;
constexpr int kPopupB = IDC_POPUP_B;
constexpr int kPopupClose = IDC_POPUP_CLOSE;

constexpr KeyAction Pass() { return KeyAction{kKeyPass, 0}; }
constexpr KeyAction Swallow() { return KeyAction{kKeySwallow, 0}; }
constexpr KeyAction Act(int iKind, int iTarget) { return KeyAction{iKind, iTarget}; }

bool InFairy(FocusPlace f) { return f == kFocusFairyText || f == kFocusFairyIndex || f == kFocusFairyClose; }
bool InPopup(FocusPlace f) {
  return f == kFocusPopupText || f == kFocusPopupA || f == kFocusPopupB || f == kFocusPopupClose;
}
bool InText(FocusPlace f) { return f == kFocusFairyText || f == kFocusPopupText; }

// The focus order of a window: text, its buttons, back to the text.
int NextFocus(FocusPlace f, int iStep, bool bPopupBEnabled) {
  static const FocusPlace kFairy[] = {kFocusFairyText, kFocusFairyIndex, kFocusFairyClose};
  static const FocusPlace kPopup[] = {kFocusPopupText, kFocusPopupA, kFocusPopupB, kFocusPopupClose};
  static const FocusPlace kPopupNoB[] = {kFocusPopupText, kFocusPopupA, kFocusPopupClose};
  const FocusPlace* pOrder = kFairy;
  int n = 3;
  if (InPopup(f)) {
    pOrder = bPopupBEnabled ? kPopup : kPopupNoB;
    n = bPopupBEnabled ? 4 : 3;
  }
  int i = 0;
  while (i < n && pOrder[i] != f) ++i;
  if (i == n) i = 0;  // the disabled button 66 had the focus: count from the text
  return pOrder[(i + iStep + n) % n];
}

// Enter: the button the focus stands for.
int EnterCommand(FocusPlace f) {
  if (InFairy(f)) return f == kFocusFairyClose ? kFairyCloseButton : kFairyIndexButton;
  if (f == kFocusPopupText || f == kFocusPopupClose) return kPopupClose;
  return f == kFocusPopupB ? kPopupB : kPopupA;
}

// A first press with the focus on the fairy or popup window.
KeyAction DecideWindowKey(const KeyEvent& e, const FilterKeyContext& ctx) {
  const FocusPlace f = ctx.focus;
  int vk = e.vk;
  if (vk == kVkTab) vk = e.bShift ? kVkLeft : kVkRight;
  if (vk == kVkDown && !InText(f)) vk = kVkRight;
  switch (vk) {
    case kVkUp:
    case kVkDown: return InText(f) ? Pass() : Act(kKeyFocus, InFairy(f) ? kFocusFairyText : kFocusPopupText);
    case kVkLeft: return Act(kKeyFocus, NextFocus(f, -1, ctx.bPopupBEnabled));
    case kVkRight: return Act(kKeyFocus, NextFocus(f, +1, ctx.bPopupBEnabled));
    case kVkBack: return InFairy(f) ? Act(kKeyCommandMain, kCmdFromFile) : Pass();
    case kVkInsert: return InFairy(f) ? Act(kKeyCommandMain, kCmdNewData) : Pass();
    case kVkReturn: return Act(kKeyCommandWindow, EnterCommand(f));
    case kVkEscape:
    case 'C': return Act(kKeyDestroyWindow, 0);
    case 'A':
    case 'B': return InPopup(f) ? Act(kKeyCommandWindow, vk == 'A' ? kPopupA : kPopupB) : Swallow();
    case 'T':
    case kVkApps: return ctx.bFairyOpen ? Act(kKeyCommandMain, kCmdHelpIndex) : Pass();
    default: return Pass();
  }
}

}  // namespace

KeyAction DecideFilterKey(const KeyEvent& e, const FilterKeyContext& ctx) {
  if (!e.bKeyDown || e.bCtrl || e.bImeToggle || e.vk == kVkKana || e.vk == kVkKanji) return Pass();
  if (ctx.focus == kFocusNone) return Pass();
  if (e.bRepeat) {
    if (e.vk == kVkTab || e.vk == kVkReturn || e.vk == kVkSpace) return Swallow();
    if ((e.vk == kVkLeft || e.vk == kVkRight) && ctx.focus != kFocusHelpList) return Swallow();
    return Pass();
  }
  if (e.vk == kVkSpace && (ctx.focus == kFocusHelpList || ctx.focus == kFocusPlaceList)) {
    return Act(kKeySelectFirst, 0);
  }
  if (!InFairy(ctx.focus) && !InPopup(ctx.focus)) return Pass();
  return DecideWindowKey(e, ctx);
}

KeyAction DecideKeyboardHook(const KeyEvent& e, bool bSpaceHeld, bool bQuickMenuShown,
                             bool bWatchedWindowOpen) {
  if (bSpaceHeld && e.vk != kVkSpace) {
    if (e.vk == kVkDown && e.bKeyDown && !e.bRepeat) return Act(kKeyCommandMain, kCmdAlmanac);
    return Swallow();
  }
  if (!bQuickMenuShown || bWatchedWindowOpen || !e.bKeyDown || e.bRepeat || e.bCtrl) return Pass();
  if (e.vk == kVkEscape) return Act(kKeyCommandMain, kCmdQuickClose);
  if (e.vk >= '1' && e.vk <= '4') return Act(kKeyCommandMain, kCmdQuickFirst + (e.vk - '1'));
  if (e.vk >= kVkNumpad0 + 1 && e.vk <= kVkNumpad0 + 4) {
    return Act(kKeyCommandMain, kCmdQuickFirst + (e.vk - kVkNumpad0 - 1));
  }
  return Pass();
}

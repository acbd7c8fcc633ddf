// The auxiliary windows of the main window: the fairy window ("FairyDB"),
// the popup text window ("HelpDB"), the help index and the popup list (both
// on "HelpListDB") and the quick menu drawn on the chart area.
//
// The fairy and the popup window are modeless: the message loop gives them
// their dialog keys, and the keyboard hooks give them the program's own keys
// (see hooks.h).  Everything here runs on the UI thread.
#pragma once

#include <windows.h>

#include "shell/app_state.h"

// Controls of the fairy window: the text, "さくいん  [ Ｔ ]" and
// "閉じる  [ Ｃ ]"; of the popup window: the text, the buttons A, B and
// "閉じる[C]".
enum : int {
  kIdFairyTitle = 256,
  kIdAuxText = 257,
  kIdFairyIndex = 1,
  kIdFairyClose = 2,
  kIdPopupButtonA = 65,
  kIdPopupButtonB = 66,
  kIdPopupClose = 67,
};

// Message a window receives to show more information about what it shows
// (the fairy command while the popup window is open, F1 inside it).
constexpr UINT kMsgMoreInformation = 1124;

// lParam of a command the popup window's second button sends again: the
// list variant of the command, or the variant for another person.
constexpr LPARAM kParamFromPopup = -2000;

// The modeless windows, or null.
HWND FairyWindow();
HWND PopupWindow();
// The command that created the popup window (0 when there is none).
int PopupCommand();

// FairyMessage: shows a hint in the fairy window: an existing fairy window
// is destroyed, "FairyDB" is created with the title (control 256) and the
// text (257), and the text gets the focus.  Returns 1, or the place-and-kind
// report "FairyMessage" / "!CreateDialog" (0) when it cannot be created.
int FairyMessage(HWND hOwner, const char* szTitle, const char* szText);

// SetPopupWindow: shows a report text in the popup window: an existing popup
// window is destroyed, "HelpDB" is created for command iCommand with the
// title and the text (257).  Button 65 reads "詳細 [A]" for 24000,
// "出生図 [A]" for 10012 and "全て閉じる[A]" otherwise; button 66 is
// disabled when bButton2Enabled is 0, else it takes szButton2 when one is
// given.  Returns 1, or the place-and-kind report "SetPopupWindow" /
// "!CreateDialog" (0).
int SetPopupWindow(HWND hOwner, int iCommand, const char* szTitle, const char* szText,
                   const char* szButton2, int bButton2Enabled);

// CloseFairyWindow / ClosePopupWindow: destroy the window when it exists.
void CloseFairyWindow();
void ClosePopupWindow();

// FairyCommand (commands 10019, 57049, F1 on the main window): closes an
// open fairy window; else asks an open popup window for more information;
// else shows the hint of the situation on view, with the repeat notice when
// it is the situation shown last time.
void FairyCommand(HWND hWnd, const ChartSlots* pSlots, const AppState* lpAb);

// HelpIndexCommand (10021, 53237): focuses the open help index, or runs
// the modal help index on "HelpListDB".  A chosen topic is shown in the
// popup window.
void HelpIndexCommand(HWND hWnd);

// PopupListCommand (10013): the modal popup list on "HelpListDB".  Returns
// the chosen entry's command (above 6), a chart slot 0..6 whose text the
// caller shows, or -1 when the list was closed.
int PopupListCommand(HWND hWnd, const ChartSlots* pSlots);

// The help-topic list box and the popup list's list box while their dialog
// is open, else null (both watched by the keyboard hooks).
HWND HelpTopicListBox();
HWND PopupListBox();

// The last topic chosen in the help index (0..29), preselected next time.
int LastHelpId();

// --- Quick menu ("簡単メニュー") ---------------------------------------------

// Quick-menu states.
enum : int {
  kQuickMenuPlace = -1,   // shown; placed in the middle at the next paint
  kQuickMenuHidden = 0,
  kQuickMenuShown = 1,
  kQuickMenuSuspended = -2,  // hidden while a command runs
};
int QuickMenuState();

// QuickMenuVisible: the menu is drawn (state -1 or 1).
bool QuickMenuVisible();
// MarkQuickMenuPlaced: the first paint centred the menu (state -1 -> 1).
void MarkQuickMenuPlaced();

// ToggleQuickMenu (57052 and 10020): shows the menu at its stored place or
// hides it; menu item 57052 follows.
void ToggleQuickMenu(HWND hWnd, AppState* lpAb);

// CloseQuickMenu: hides the menu for good (state 0, 57052 unchecked).
void CloseQuickMenu(HWND hWnd, AppState* lpAb);

// SuspendQuickMenu / ResumeQuickMenu: around a command that keeps the menu:
// it is hidden while the command runs and comes back afterwards.  Resume
// also restores the state after an exception ended the command.
void SuspendQuickMenu(HWND hWnd, AppState* lpAb);
void ResumeQuickMenu(HWND hWnd, AppState* lpAb);


// DragQuickMenu: the left button down in the card's top band starts moving
// its outline (XOR, dotted magenta); mouse moves move it inside the chart
// area; button up, or leaving the area (one correction applied), ends the
// drag and draws the card at its new place.  Returns 1 when the message
// was used.
int DragQuickMenu(HWND hWnd, UINT uMessage, int x, int y, AppState* lpAb);

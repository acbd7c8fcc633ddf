// Helpers shared by the dialog procedures: the exception guard around a
// message, the fairy help, and reading and setting controls.
#pragma once

#include <windows.h>

#include "readings/help_texts.h"

// A dialog's message handler: returns what the dialog procedure returns.
using DialogHandler = INT_PTR (*)(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

// What becomes of a dialog after a processor exception in its handler.
enum AfterException : int {
  kDialogStays = 0,   // the dialog stays open
  kDialogEnds = 1,    // a modal dialog ends with the given result
};

// GuardedDialogMessage: runs Handler on one message behind the exception
// guard.  An exception is reported with the exception box titled szPlace
// (the procedure's name); then the dialog stays, or ends with iResult.
INT_PTR GuardedDialogMessage(const char* szPlace, DialogHandler Handler, HWND hDlg, UINT uMsg, WPARAM wParam,
                             LPARAM lParam, AfterException after = kDialogStays, INT_PTR iResult = 0);

// What shows the dialogs' help: the program's fairy window, which the
// shell gives the dialogs before the first one opens (owner, title, text;
// returns 0 when it could not show it).  Until then a plain box shows it.
using DialogHelpPresenter = int (*)(HWND hOwner, const char* szTitle, const char* szText);
void SetDialogHelpPresenter(DialogHelpPresenter pfnPresent);

// ShowFairyHelp: a dialog's help in the fairy window, owned by the dialog's
// owner (the main window) so that it outlives the dialog.
void ShowFairyHelp(HWND hDlg, const FairyHelp& help);

// ItemText: the text of a control, at most nChars characters (bytes) and
// always terminated; szBuf holds nChars + 1 bytes.
void ItemText(HWND hDlg, int iId, char* szBuf, int nChars);

// EnableItem / IsItemChecked / CheckItem.
void EnableItem(HWND hDlg, int iId, bool bEnable);
bool IsItemChecked(HWND hDlg, int iId);
void CheckItem(HWND hDlg, int iId, bool bCheck);

// FocusItem: moves the focus to a control the way the dialog manager does
// (an edit's text is selected).
void FocusItem(HWND hDlg, int iId);

// DialogInstance: the module that holds the dialog templates (the program).
HINSTANCE DialogInstance();

// Win32 half of the platform layer: what the shell tells it.
#pragma once

#include <windows.h>

// Remembers the main window of the program: the owner of the place-and-kind
// box and the window that ending the program destroys.  Null when the main
// window is gone.
void Win32SetMainWindow(HWND hWnd);

// Dialog procedure shared by the three own message boxes ("AppMessageBox",
// "AppOkCancelDB", "AppOkMessageBox").  lParam of WM_INITDIALOG is the
// movable local block with the four 128-byte text slots; the box ends with
// the id of the pressed button (6, 7, or 2 for Cancel, Esc and close).
INT_PTR CALLBACK AppMsgBoxDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

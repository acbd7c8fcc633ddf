// Win32 half of the platform layer: what the shell tells it.
#pragma once

#include <windows.h>

// Remembers the main window of the program: the owner of the place-and-kind
// box and the window that ending the program destroys.  Null when the main
// window is gone.
void Win32SetMainWindow(HWND hWnd);

// The commands of the main window that are running: a modal dialog of one
// runs the message loop, and with it other commands and messages.  While
// any runs, ending the program (PlatformDestroyMainWindow) waits, so that
// the window and its blocks outlive every command that may still use
// them; the last command to return carries the end out.
void Win32CommandBegins();
void Win32CommandEnds();
int Win32RunningCommands();

// Dialog procedure shared by the three own message boxes ("AppMessageBox",
// "AppOkCancelDB", "AppOkMessageBox").  lParam of WM_INITDIALOG is the
// movable local block with the four 128-byte text slots; the box ends with
// the id of the pressed button (6, 7, or 2 for Cancel, Esc and close).
INT_PTR CALLBACK AppMsgBoxDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

// The application shell of Horomap.exe: start-up, the main window and its
// message handling.
#pragma once

#include <windows.h>

// Window class of the main window.
extern const char kMainClassName[];  // "Horomira5"

// Program name shown in the main window's caption.
extern const char kMainTitle[];  // "ホロミラ"

// The program instance, stored first thing at start-up.
extern HINSTANCE g_hInstance;

// Message handler of the main window.
//   WM_CREATE   takes the window-name text (the command line) as the file to
//               open and sets the caption to the program name;
//   WM_PAINT    paints the client area;
//   WM_CLOSE    closes the window (default handling destroys it);
//   WM_DESTROY  forgets the main window and posts the quit message (code 0).
LRESULT CALLBACK WindowProcedure(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

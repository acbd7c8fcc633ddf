// The application shell of Horomap.exe: start-up, the main window and its
// message handling.
#pragma once

#include <windows.h>

// Window class of the main window.
extern const char kMainClassName[];  // "Horomira5"

// Program name shown in the main window's caption.
extern const char kMainTitle[];  // "ホロミラ"

// Icon resources of the window class: the icon and its small icon.
constexpr int kIdIconProgram = 999;
constexpr int kIdIconSmall = 1000;

// The program instance, stored first thing at start-up.
extern HINSTANCE g_hInstance;

// Message handler of the main window.
//   WM_CREATE   takes the window-name text (the command line) as the file to
//               open, sets the caption to the program name, loads the
//               bitmaps and the palette ("ビットマップをロードできません" and
//               no window when they are missing) and computes the built-in
//               default person's charts;
//   WM_PAINT    paints the chart view of the client area: the natal chart
//               with equal houses and the quick-menu card;
//   WM_COMMAND  57052 (the card's "閉じる" button) closes the card;
//   WM_CLOSE    closes the window (default handling destroys it);
//   WM_DESTROY  deletes the bitmaps and the palette, forgets the main window
//               and posts the quit message (code 0).
LRESULT CALLBACK WindowProcedure(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

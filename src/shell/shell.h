// The application shell of Horomap.exe: start-up, the main window and its
// message handling.  Process-wide values of the single UI thread live here;
// the main window's state blocks are in app_state.h.
#pragma once

#include <windows.h>

#include "platform/resource_ids.h"

// Window class of the main window, also the name of its menu and of its
// accelerator table.
extern const char kMainClassName[];  // "Horomira5"

// Program name shown in the main window's caption.
extern const char kMainTitle[];  // "ホロミラ"

// The program instance, stored first thing at start-up.
extern HINSTANCE g_hInstance;

// The main window, from the end of its creation until its destruction.
HWND MainWindow();

// Message handler of the main window (main_window.cpp).
LRESULT CALLBACK WindowProcedure(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// Messages of the main window beside the system's.
enum : UINT {
  kMsgNewRecord = 2048,      // a new birth record was confirmed (from the confirmation window)
  kMsgStopAnimation = 4096,  // stop the animation
  kMsgStatusBack = 28842,    // put the chart's status text back into status part 0 (clock thread)
};
// Timer of the animation: 500 ms per frame, at most 1000 frames.
constexpr UINT_PTR kAnimationTimer = 150;
constexpr UINT kAnimationPeriodMs = 500;
constexpr int kAnimationMaxFrames = 1000;

// The place list box of the place dialog while it is open, else null: the
// dialog registers it so that the keyboard hooks give it its Space key.
void SetPlaceListBox(HWND hList);
HWND PlaceListBox();

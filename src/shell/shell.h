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

// TestHooksEnabled: whether the process was started with the environment
// variable HOROMAP_TEST_HOOKS=1.  Only then does the program serve its test
// seams (the test commands 59001.., the command log HOROMAP_COMMAND_LOG, the
// clock's start time HOROMAP_TEST_CLOCK); for everybody else they do not
// exist and no other variable is read.
bool TestHooksEnabled();

// Message handler of the main window (main_window.cpp).
LRESULT CALLBACK WindowProcedure(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// Messages of the main window beside the system's (and kMsgNewRecord,
// 2048, which the confirmation box posts: dialogs/dialogs.h).
enum : UINT {
  kMsgStopAnimation = 4096,  // stop the animation
  kMsgStatusBack = 28842,    // put the chart's status text back into status part 0 (clock thread)
};
// Timer of the animation: 500 ms per frame, at most 1000 frames.
constexpr UINT_PTR kAnimationTimer = 150;
constexpr UINT kAnimationPeriodMs = 500;
constexpr int kAnimationMaxFrames = 1000;


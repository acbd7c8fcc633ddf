// The status-bar clock: a thread of its own that writes the time into status
// part 2 and the date into part 1, and announces the coming hour in part 0.
// It shares only wClockDay of the application state with the UI thread:
// 0 makes it write the date again, 32 stops it within one pass (200 ms).
//
// For the tests, the clock can show another time than the computer's: when
// the process is started with the environment variable
//   HOROMAP_TEST_CLOCK=hh:mm:ss   or   HOROMAP_TEST_CLOCK=YYYY-MM-DDThh:mm:ss
// the clock starts at that local time (today's date in the first form) and
// runs on from there.  Nothing else in the program reads it, and without the
// variable the clock shows the computer's local time.
#pragma once

#include "shell/app_state.h"

// StartClockThread: starts the thread with the state block as its argument
// (hWnd and hStatus must be set).  Returns 1, or 0 when no thread could be
// made.
int StartClockThread(AppState* lpAb);

// StopClockThread: sets the stop mark (32) and waits up to 1000 ms for the
// thread to end, delivering the status-bar messages it sends meanwhile.
void StopClockThread(AppState* lpAb);

// RequestClockDate: has the clock write the date again at its next pass
// (wClockDay = 0), unless it is stopping.
void RequestClockDate(AppState* lpAb);

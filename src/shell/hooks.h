// The two keyboard hooks of the UI thread: the message-filter hook gives the
// modeless windows (fairy, popup) and the lists their own keys; the keyboard
// hook gives Space chords and the quick menu's digit keys.  The rules are in
// shell/logic (DecideFilterKey, DecideKeyboardHook); these apply them.
#pragma once

#include <windows.h>

// InstallHooks: both hooks for the calling thread; the main window receives
// their commands.  Returns 1, or 0 when either could not be installed (none
// is left installed then).
int InstallHooks(HWND hMainWindow);

// RemoveHooks: removes both.
void RemoveHooks();

// WatchedWindowOpen: one of the fairy window, the popup window, the
// help-topic list or the place list exists.
bool WatchedWindowOpen();

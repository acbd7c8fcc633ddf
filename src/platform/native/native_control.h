// Controls of the native platform layer, for horomira and the unit tests:
// what was shown, scripted answers, a settable clock, and the encoding
// conversions of the terminal.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

// One box the engine showed.
struct ShownBox {
  std::string kind;   // "MessageBox", "AppMsgBox", "AppOkCancelMsg" or "AppOkMsg"
  WindowRef owner;
  std::string title;  // message boxes: the title; own boxes: the caption
  std::string text;   // message boxes: the text; own boxes: the four lines joined by '\n'
  std::string lines[4];  // own boxes: heading and three lines
  unsigned style;     // message boxes: style; own boxes: 0
  int answer;         // the button it was answered with
};

// How boxes are realised natively.
enum NativeBoxMode {
  kNativeBoxesRecord,  // kept in memory only (unit tests)
  kNativeBoxesStderr,  // kept and printed on stderr in UTF-8 (horomira)
};
void NativeSetBoxMode(NativeBoxMode mode);

// Boxes shown since the last clear, oldest first.
const std::vector<ShownBox>& NativeShownBoxes();
void NativeClearBoxes();

// Queues the answer of the next box; without a queued answer a box takes
// its default button (OK, Yes, or Ignore for Abort/Retry/Ignore).
void NativeQueueAnswer(int iAnswer);
void NativeClearAnswers();

// Makes the next own message box fail to get its text block.
void NativeFailNextAppBoxAlloc();

// Fixes the local clock (JST) to a given moment; null returns to the real
// clock (the system's UTC + 9 h).
void NativeSetClock(const LocalClock* pClock);

// The main window handle the engine sees, and whether it was destroyed.
void NativeSetMainWindow(WindowRef hWnd);
bool NativeMainWindowDestroyed();

// CP932 <-> UTF-8 for the terminal.  Bytes that do not convert become "?".
std::string Cp932ToUtf8(const std::string& s);
std::string Utf8ToCp932(const std::string& s);
// Utf8ToCp932Strict: the same conversion, false when any character has no
// CP932 form (or the text is not UTF-8); *pOut is then unchanged.
bool Utf8ToCp932Strict(const std::string& s, std::string* pOut);

// --- Folders, screen and file failures ---------------------------------------

// Fixes the folders the engine sees (Shift-JIS paths); null returns to the
// real ones (current folder, folder of the program file; no Windows folder).
void NativeSetDirectories(const char* szCurrent, const char* szModule, const char* szWindows);

// Fixes the screen size (pixels); the default is 1024 x 768.
void NativeSetScreenSize(int iWidth, int iHeight);

// Makes PlatformWriteFile fail once nBytes have been written in all since
// this call (the bytes up to the limit reach the file); -1 ends the failure.
void NativeFailWritesAfter(long nBytes);

// Makes the next PlatformReplaceFile fail.
void NativeFailNextReplace();

// Crash injection: every step that changes a file (creating, opening for
// writing, writing, pushing to the disk, replacing, deleting) is counted
// from this call; the process ends with kNativeCrashExitCode just before
// step nStep (1 = the first), without flushing anything, as a kill would.
// 0 counts without crashing.  NativeFileSteps: steps counted so far.
constexpr int kNativeCrashExitCode = 86;
void NativeCrashBeforeFileStep(long nStep);
long NativeFileSteps();

// --- Registry -----------------------------------------------------------------

// One key of the in-memory registry.
struct NativeRegEntry {
  std::string key;    // as created ("Horomap\shell\open")
  bool bHasDefault;   // the default value is set
  std::string value;  // the default value
};

// Empties the registry and lifts every denial.
void NativeRegistryClear();
// All keys, sorted by name without regard to case.
std::vector<NativeRegEntry> NativeRegistryEntries();
// Whether a key exists; its default value when it has one.
bool NativeRegistryHasKey(const char* szKey);
bool NativeRegistryDefault(const char* szKey, std::string* pValue);
// Makes creating the key fail (as for a user without rights).
void NativeRegistryDenyCreate(const char* szKey);

// --- File dialogs, recent-files menu, title page --------------------------------

// One file dialog that was shown, with what it was given.
struct ShownFileDialog {
  int kind;                 // FileDialogKind
  WindowRef owner;
  std::string filter;       // pairs joined with '|'
  unsigned nFilterIndex;
  unsigned dwFlags;
  std::string defExt;
  std::string initialFile;  // szFile when it opened
  unsigned cbFile;
  unsigned cbFileTitle;
};

// Queues the answer of the next file dialog: the chosen path, or null for
// cancel.  Without a queued answer a dialog is cancelled.
void NativeQueueFileDialogAnswer(const char* szPath);
const std::vector<ShownFileDialog>& NativeShownFileDialogs();
void NativeClearFileDialogs();

// The recent-file items of the last menu rebuild, their first command, the
// default command and the number of rebuilds.
const std::vector<std::string>& NativeRecentMenuItems();
int NativeRecentMenuFirstCommand();
int NativeRecentMenuDefault();
int NativeRecentMenuRebuilds();
void NativeClearRecentMenu();

// A title page is recorded among the shown boxes with kind "TitlePage", its
// lines joined by '\n' as text and its time (ms) as style.

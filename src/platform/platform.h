// The narrow seam between the engine and the user or the operating system.
//
// The engine never talks to a window system itself: it shows boxes, asks
// questions and reads the local clock through these functions.  Two
// implementations exist: Win32 (real message boxes and dialogs, used by
// Horomap.exe) and native (boxes recorded in memory or printed on stderr and
// answered from a script, used by horomira and the unit tests).
#pragma once

#include <cstdint>

// An owner window; an HWND on Windows, opaque to the engine.
using WindowRef = void*;

// Message-box styles and answers.  The values are those of the Win32 API so
// that both implementations pass them through unchanged.
enum : unsigned {
  kMbOk = 0x00,
  kMbOkCancel = 0x01,
  kMbAbortRetryIgnore = 0x02,
  kMbYesNoCancel = 0x03,
  kMbYesNo = 0x04,
  kMbRetryCancel = 0x05,
  kMbIconError = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconWarning = 0x30,
  kMbIconInformation = 0x40,
  kMbButtonMask = 0x0F,
  kMbIconMask = 0xF0,
};
enum : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdAbort = 3,
  kIdRetry = 4,
  kIdIgnore = 5,
  kIdYes = 6,
  kIdNo = 7,
};

// The program's own three message boxes (dialog resources).
enum AppBoxKind : int {
  kAppBoxYesNoCancel = 0,  // "AppMessageBox": はい / いいえ / キャンセル
  kAppBoxOkCancel = 1,     // "AppOkCancelDB": ＯＫ / キャンセル
  kAppBoxOk = 2,           // "AppOkMessageBox": 確認
};

// The four texts of an own message box: heading and three lines, each at
// most 127 bytes and zero-terminated (516 bytes travel to the dialog).
constexpr int kAppBoxSlotSize = 128;
struct AppBoxTexts {
  char sz[4][kAppBoxSlotSize];
};

// Local wall-clock time, read as JST.
struct LocalClock {
  int year, month, day, hour, minute, second, millisecond;
};

// Shows a modal message box and returns the id of the pressed button.
int PlatformMessageBox(WindowRef hOwner, const char* szText, const char* szTitle, unsigned uStyle);

// Shows one of the program's own message boxes and returns the id of the
// pressed button (6, 7, 2), or -1 when its text block could not be allocated.
int PlatformAppBox(AppBoxKind kind, WindowRef hOwner, const AppBoxTexts& texts);

// The main window of the program (owner of the place-and-kind box); null
// when there is none.
WindowRef PlatformMainWindow();

// Ends the program the normal way (the main window is destroyed, so the
// birth-data table and the settings are still written).
void PlatformDestroyMainWindow();

// The local clock (JST).
void PlatformLocalTime(LocalClock* pClock);

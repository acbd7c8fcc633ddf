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
// pressed button (6, 7, 2), or kAppBoxNoTextBlock when its text block could
// not be allocated.
constexpr int kAppBoxNoTextBlock = -1;
int PlatformAppBox(AppBoxKind kind, WindowRef hOwner, const AppBoxTexts& texts);

// The main window of the program (owner of the place-and-kind box); null
// when there is none.
WindowRef PlatformMainWindow();

// Ends the program the normal way: the main window is destroyed, and its
// WM_DESTROY handler ends the message loop (and with it the program).
void PlatformDestroyMainWindow();

// The local clock (JST).
void PlatformLocalTime(LocalClock* pClock);

// --- File dialogs, the recent-files menu and the title page -----------------

// Flags of the open and save dialogs (Win32 values).
enum : unsigned {
  kOfnOverwritePrompt = 0x0002,
  kOfnHideReadOnly = 0x0004,
  kOfnFileMustExist = 0x1000,
};

// What the open and save dialogs are given: the shared structure of the
// program's file dialogs.
struct FileDialogSettings {
  WindowRef hOwner;
  const char* szFilter;   // description and pattern pairs, each NUL-terminated, ending in ""
  unsigned nFilterIndex;  // 1 = the first pair
  char* szFile;           // full path, in and out
  unsigned cbFile;
  char* szFileTitle;      // file name without folder, out
  unsigned cbFileTitle;
  unsigned dwFlags;       // kOfn... flags
  const char* szDefExt;   // extension added to a name typed without one
};

enum FileDialogKind : int { kFileDialogOpen = 0, kFileDialogSave = 1 };

// Runs the open or the save dialog.  Returns 1 when the user chose a file
// (szFile and szFileTitle filled), 0 on cancel.
int PlatformFileDialog(FileDialogKind kind, FileDialogSettings* pSettings);

// A menu, opaque to the engine (an HMENU on Windows).
using MenuRef = void*;

// Replaces the recent-file items of the first submenu of hMenu: deletes the
// commands iFirstCommand .. iFirstCommand + 9, appends nItems items with the
// given texts and commands iFirstCommand + i, and makes iFirstCommand the
// default item.
void PlatformRebuildRecentMenu(MenuRef hMenu, int iFirstCommand, int nItems,
                               const char* const* pszTexts);

// Shows the title page without buttons with up to three lines for the given
// time, then removes it.
void PlatformShowTitlePage(const char* const* pszLines, int nLines, int iMilliseconds);

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

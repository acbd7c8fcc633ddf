// IDM_Clip: every command of the main window (menu, accelerator, toolbar,
// quick menu, the popup and fairy windows, the commands the program sends
// itself) goes through one table from command number, or range of numbers,
// to a small handler with its conditions.  Find a command's code by
// searching its number in command_dispatch.cpp.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/reports.h"
#include "platform/win32/exception_guard.h"
#include "shell/app_state.h"

// What a handler gets: the main window, the command, the lParam of the
// command message (-999 closing marker, -2000 reissued from the popup
// window, a step for 65000 ...) and the three static blocks.
struct CommandContext {
  HWND hWnd;
  int iCommand;
  LPARAM lParam;
  SystemIniInf* pSii;
  ChartSlots* pSlots;
  AppState* lpAb;
};

// A handler returns 1 when the command was done, 0 when it was refused.
using CommandHandler = int (*)(const CommandContext& ctx);

// Conditions of a command.
enum : unsigned {
  kCmdNeedsChart = 0x01,       // refused while the shown chart has no Julian Day: the
                               // "データが未設定です。" question titled szName
  kCmdDuringAnimation = 0x02,  // executed while the animation runs (others only stop it)
  kCmdKeepsQuickMenu = 0x04,   // the quick menu is hidden while it runs and comes back;
                               // other commands close it
};

// One row of the command table: commands iFirst..iLast.
struct CommandEntry {
  int iFirst;
  int iLast;
  unsigned uFlags;
  const char* szName;  // the command's name: title of its no-data question
  CommandHandler pHandler;
};

// The table, in ascending order of iFirst, ranges not overlapping (checked
// when it is compiled); and its length.
extern const CommandEntry kCommandTable[];
extern const int kCommandTableSize;

// FindCommand: the row of a command, found by a binary search of the
// table, or null ("Out of switch").
const CommandEntry* FindCommand(int iCommand);

// Commands the program sends itself or that the preamble treats apart.
enum : int {
  kCmdTimeStepLast = 1999,     // below 2000: time steps
  kCmdAnimationStep = 1210,    // the animation's ten minutes forward
  kCmdEnter = 55555,           // Enter: ends the animation once Enter was released
  kCmdQuickMenuKeepFrom = 50000,  // commands from here keep the quick menu
};

// lParam marker of "名前を付けて保存" sent while the window closes: the
// window is destroyed after the dialog.
constexpr LPARAM kParamClosing = -999;

// IDM_Clip: executes one command.  The preamble: a too-small window refuses
// every command ("ウィンドウが小さすぎる"); the quick menu is closed, or hidden
// for the command's duration; while the animation runs only the rows marked
// kCmdDuringAnimation run (Enter stops it once released, every other command
// only stops it); a command that needs a chart asks for data while there is
// none; then the row's handler.  A number without a row shows "Out of
// switch" titled "IDM".  Processor exceptions inside the command are
// reported as "WM_COMMAND" (level 2); the quick menu's state is restored.
// Returns 1 when the command was handled, 0 when it was refused.
int IDM_Clip(HWND hWnd, int iCommand, LPARAM lParam, SystemIniInf* pSii, ChartSlots* pSlots,
             AppState* lpAb);

// AskForData: the question of a command that needs a chart while there is
// none: "データが未設定です。" / "新規データ入力画面を表示しますか？" titled
// szName; Yes sends the new-data command 10001.  Returns 0.
int AskForData(HWND hWnd, const char* szName);

// StopAnimation: the animation's end (message 4096): timer 150 killed,
// frames reset, bState1 bit 7 cleared.
void StopAnimation(HWND hWnd, AppState* lpAb);

// --- Helpers of the command handlers (commands_*.cpp) ---------------------------------

// ShownChart: the chart on view (the outer one of a double circle).
inline ChartRecord& ShownChart(const CommandContext& c) { return *CurrentChart(c.pSlots); }

// HasChart: the chart record holds a computed chart (its JDE is set).
inline bool HasChart(const ChartRecord& chart) { return chart.ldJde != 0; }

// InDoubleChartMode: bState2 bit 6, two persons in one double circle.
inline bool InDoubleChartMode(const AppState* lpAb) { return (lpAb->bState2 & kState2DoubleChart) != 0; }

// RedrawChart: WM_USER: the chart view drawn again in place, then caption,
// status text, menus and tool bar.
void RedrawChart(HWND hWnd);

// ShowViewChange: the chart view after a command changed what it shows:
// between views 0 and 3 (one layout) it is drawn again in place, every
// other change paints the chart area anew.
void ShowViewChange(const CommandContext& c, int iOldView);

// PostCommand: a command to the main window, run after the current one.
void PostCommand(HWND hWnd, int iCommand, LPARAM lParam = 0);

// ForgetStepping: the chart stepped in time keeps its time and can no
// longer be put back (bState1 bit 2 cleared); called when a command
// replaces or moves the charts.
void ForgetStepping(AppState* lpAb);


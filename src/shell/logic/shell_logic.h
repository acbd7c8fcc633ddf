// The decisions of the Windows shell that need no window: the key rules of
// the two keyboard hooks, the clock's tick, the status-bar parts, the first
// window placement, the fairy's situation, the toolbar's tooltip texts, the
// menu and toolbar state of a chart, the caption and the quick menu's
// dragging bounds.  Portable (no <windows.h>), so the unit tests check them
// natively; the Win32 code in shell/ applies what they decide.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/chart_record.h"
#include "persistence/settings.h"
#include "platform/platform.h"

// ShownSlotIndex: the slot of the chart on view; a slot index out of range
// (which the self-repair check resets before painting) counts as slot 0.
int ShownSlotIndex(const ChartSlots& slots);

// --- Keys ----------------------------------------------------------------------

// Virtual-key codes the rules name (the values of the Win32 API).
enum : int {
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkReturn = 0x0D,
  kVkKana = 0x15,
  kVkKanji = 0x19,
  kVkEscape = 0x1B,
  kVkConvert = 0x1C,
  kVkModeChange = 0x1F,
  kVkSpace = 0x20,
  kVkLeft = 0x25,
  kVkUp = 0x26,
  kVkRight = 0x27,
  kVkDown = 0x28,
  kVkInsert = 0x2D,
  kVkApps = 0x5D,
  kVkNumpad0 = 0x60,
};

// One keyboard event as the hooks see it.
struct KeyEvent {
  int vk;
  bool bKeyDown;    // key-down (or system key-down); false for key-up
  bool bRepeat;     // auto-repeat: the key was already down
  bool bCtrl;       // Ctrl is held
  bool bShift;      // Shift is held
  bool bImeToggle;  // Convert or Mode-change is toggled on
};

// Where the keyboard focus is, as far as the rules care.
enum FocusPlace : int {
  kFocusNone = 0,    // no window has the focus
  kFocusElsewhere,   // a window the rules do not handle
  kFocusHelpList,    // the help-topic list box
  kFocusPlaceList,   // the place list box of the place dialog
  kFocusFairyText,   // fairy window: text 257, buttons 1 and 2
  kFocusFairyIndex,
  kFocusFairyClose,
  kFocusPopupText,   // popup window: text 257, buttons 65, 66, 67
  kFocusPopupA,
  kFocusPopupB,
  kFocusPopupClose,
};

// What a hook does with a key.  Every kind but kKeyPass swallows the key.
enum KeyActionKind : int {
  kKeyPass = 0,
  kKeySwallow,
  kKeyFocus,          // move the focus to iTarget (a FocusPlace of the same window)
  kKeyCommandMain,    // the main window receives command iTarget
  kKeyCommandWindow,  // the window with the focus receives command iTarget
  kKeyDestroyWindow,  // the fairy or popup window with the focus is destroyed
  kKeySelectFirst,    // the focused list selects its first item
};
struct KeyAction {
  int iKind;
  int iTarget;
};

// What the message-filter hook knows besides the key.
struct FilterKeyContext {
  FocusPlace focus;
  bool bFairyOpen;      // the fairy window exists
  bool bPopupBEnabled;  // the popup window's button 66 takes the focus
};

// DecideFilterKey: the message-filter hook's rule for a key-down offered to
// a modeless window's dialog handling (the caller acts only while one of the
// fairy window, the popup window, the help-topic list or the place list
// exists, and only on key-down and system key-down).
KeyAction DecideFilterKey(const KeyEvent& e, const FilterKeyContext& ctx);

// DecideKeyboardHook: the keyboard hook's rule for every key event of the
// UI thread: Space chords (Space+Down: command 39077 once) and, while the
// quick menu is shown and none of the four watched windows exists, Esc and
// the digits 1-4 (main keyboard or keypad) as the quick-menu commands.
KeyAction DecideKeyboardHook(const KeyEvent& e, bool bSpaceHeld, bool bQuickMenuShown,
                             bool bWatchedWindowOpen);

// --- Clock -----------------------------------------------------------------------

// Status-bar parts.
enum : int { kStatusMessage = 0, kStatusDate = 1, kStatusTime = 2 };

// What the clock remembers between its passes (200 ms apart).
struct ClockMemory {
  int iPrevSecond;       // -1 at start
  bool bRaised;          // the priority is raised for the hour announcement
  bool bStatusBackDue;   // the announcement is to be replaced by the chart's status text
};

// What one pass of the clock does.
enum ClockPriority : int {
  kClockPriorityKeep = 0,
  kClockPriorityRaise,  // process real-time class, thread time-critical
  kClockPriorityDrop,   // process back to its class before the raise, thread normal
};
struct ClockPass {
  bool bTime;  // write szTime into part 2
  char szTime[16];
  bool bAnnounce;  // write szAnnounce into part 0
  char szAnnounce[64];
  int iPriority;        // ClockPriority
  bool bStatusBack;     // send message 28842 to the main window
  bool bDate;           // write szDate into part 1 and remember wDay
  char szDate[64];
  uint16_t wDay;
};

// ClockStep: one pass at the local time `now`, with the day last shown
// (wClockDay: 0 forces the date).  When the second changed: the time
// "%2u:%02u:%02u"; from second 57 of minute 59 the announcement
// "■　ホロミラが%2d時をお知らせします　■" of the next hour (0 after 23) with the
// priority raised; at minute 0 the priority drops and from second 5 the
// chart's status text comes back.  A new day gives " %u年%u月%u日 %s曜日".
void ClockStep(const LocalClock& now, uint16_t wClockDay, ClockMemory* pMem, ClockPass* pPass);

// DayOfWeek: 0 Sunday .. 6 Saturday of a Gregorian date.
int DayOfWeek(int iYear, int iMonth, int iDay);

// --- Status bar, placement, caption ------------------------------------------------

// StatusBarEdges: right edges of the three parts for a client width w:
// w > 560: w-260, w-80, w-2; 480 < w <= 560: w-140, w-2, w-2; else w-2.
void StatusBarEdges(int w, int piEdges[3]);

// The main window's first placement.
struct StartPlacement {
  bool bMaximized;  // shown maximized at the system's default place
  bool bStored;     // x, y, cx, cy are used; otherwise the system chooses
  int x, y, cx, cy;
};

// ChooseStartPlacement: from the settings loaded at start-up (bLoaded false:
// the system chooses).  A maximized window stays maximized; a stored window
// at least 600 wide and 400 high is used as stored.
StartPlacement ChooseStartPlacement(bool bLoaded, const SystemIniInf& sii);

// FormatCaption: "%s - %s - [%s]" of the program title, the chart's title
// and the caption's file name, cut to cbOut bytes without splitting a
// double-byte character.
void FormatCaption(char* szOut, size_t cbOut, const char* szProgram, const char* szChartTitle,
                   const char* szFile);

// --- Fairy -------------------------------------------------------------------------

// ChooseFairySituation: the hint for what is on view; the first that
// matches of: default person's charts (0), solar return (1), harmonic not 1
// (2), progressed or transit chart (3), double circle or double-chart mode
// (5), view 0 (4), view 1 (6), view 2 (7).
int ChooseFairySituation(const ChartSlots& slots, bool bDefaultPerson, bool bDoubleChartMode);

// FormatFairyText: "  %s%s%s" of the repeat notice (when bRepeat), the
// situation's text and the closing text.  Returns the length.
int FormatFairyText(char* szOut, size_t cbOut, int iSituation, bool bRepeat);

// --- Toolbar -------------------------------------------------------------------------

// The toolbar's buttons in order; 0 is a separator.
constexpr int kToolbarEntryCount = 29;
extern const int kToolbarCommands[kToolbarEntryCount];
// Image of the button of a command: kToolbarImageOpen and kToolbarImageNew
// are the standard small images "open" and "new"; 0..19 images of the
// program's bitmap; kToolbarNoButton no button.
constexpr int kToolbarImageOpen = -7;
constexpr int kToolbarImageNew = -6;
constexpr int kToolbarNoButton = -1;
int ToolbarImage(int iCommand);

// What the toolbar's texts depend on.
struct ToolbarTextState {
  int iCurKind;      // kind of the chart on view
  bool bFairyOpen;
  bool bQuickMenuShown;
};

// ToolbarTexts: the tooltip's short text and the status-bar text of a
// button.  Returns 0 for a command without a button (the short text is then
// "Abnormal value" and the status text empty).
int ToolbarTexts(int iCommand, const ToolbarTextState& st, char* szShort, size_t cbShort, char* szStatus,
                 size_t cbStatus);

// --- Menu and toolbar state ---------------------------------------------------------

// What the menus and the toolbar show for the chart state.
struct MenuState {
  bool bQuickMenu;        // 57052 checked
  bool bRestoreTime;      // 2000 enabled
  int iViewCommand;       // 10002 + view: radio item and group button
  bool bNatal, bProgressed, bTransit;  // 10009 / 10010 / 10011 pressed and checked
  bool bHarmonic;         // 10007 and 24005
  bool bSolarReturn;      // 10008 and 24006
  bool bDoubleChartMode;  // 10014
  bool bUndo;             // 32000 enabled
};

// ComputeMenuState: from the chart-slot block and the state bits (bState0,
// bState1, bState2 of the application state) and whether the quick menu is
// shown.
MenuState ComputeMenuState(const ChartSlots& slots, uint8_t bState0, uint8_t bState1, uint8_t bState2,
                           bool bQuickMenuShown);

// --- Quick menu ---------------------------------------------------------------------------

// A rectangle in client pixels (right and bottom exclusive).
struct ShellRect {
  int left, top, right, bottom;
};

// InQuickMenuDragBand: a point in the card's top band (x within the card,
// y less than 85 pixels below its top) starts a drag.
bool InQuickMenuDragBand(int x, int y, int iLeft, int iTop, int iSize);

// ConfineQuickMenu: a dragged outline of side iSize at (*piLeft, *piTop)
// inside the chart area stays (its left edge at least 10 pixels right of the
// area's left edge): returns false.  Otherwise one correction is applied
// (left edge to area.left + 15; or right edge to area.right; or top to
// area.top + 5; or bottom to area.bottom - 5) and it returns true: the drag
// ends.
bool ConfineQuickMenu(const ShellRect& area, int iSize, int* piLeft, int* piTop);

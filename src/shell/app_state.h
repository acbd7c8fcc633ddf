// The state of the main window: the application state block AppState
// (lpAb), the settings record and the chart-slot block.  One of each per
// process, all static, owned by the main window from WM_CREATE to
// WM_DESTROY; everything here is used on the UI thread only, except
// wClockDay, which the clock thread shares (see ClockDayLoad/ClockDayStore).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "base/chart_record.h"
#include "chart/chart_view.h"
#include "persistence/data_file.h"
#include "dialogs/dialogs.h"
#include "dialogs/entry_block.h"
#include "persistence/settings.h"

// Sizes of the blocks the main window allocates at creation.
constexpr size_t kTextBufferSize = 40960;  // szText
constexpr size_t kMessageTextOffset = 4096;  // the command messages are built at szText + 4096
constexpr size_t kEntryBlockBytes = 63264;   // hEntryBlock: the data-entry dialogs' block
constexpr size_t kEntryBlockMainWindowOffset = 63242;  // the main window handle inside it
constexpr int kPaletteDescBytes = 72;  // lpLogPal: version, count, 16 entries
// The main window allocates the block the dialogs use: both name the same
// block.
static_assert(kEntryBlockSize == kEntryBlockBytes, "one size of the data-entry block");
static_assert(kEntryBlockWindowOffset == kEntryBlockMainWindowOffset, "one place of the main window handle");

// Bitmaps of the chart drawing: 12 sign glyphs (resources 3101..3112), then
// 14 point glyphs (700..713).
constexpr int kNumSignBitmaps = 12;
constexpr int kNumGlyphBitmaps = kNumSignBitmaps + kNumChartPoints;

// Pens of the main window, in this order: system 3-D highlight, 3-D face,
// 3-D shadow and window frame (solid, width 1), grey (128, 128, 128), dotted
// magenta (255, 0, 255) for the outline of the dragged quick menu.
enum : int {
  kPenHighlight = 0,
  kPenFace,
  kPenShadow,
  kPenFrame,
  kPenGrey,
  kPenDrag,
  kNumPens,
};
// Brushes for palette entries 0..3.
constexpr int kNumBrushes = 4;

// iOpenRequest: what to do after the next paint.
enum : int32_t {
  kOpenRequestNone = 0,
  kOpenRequestList = 1,      // show the list of the file opened at start-up (command 10000)
  kOpenRequestAsk = -1,      // ask for a file: the open dialog follows (command 31770)
  kOpenRequestDialog = 50,   // the open dialog was started by that request
};

// bState0 bits.
enum : uint8_t {
  kState0Started = 0x01,       // set at start
  kState0FirstPaint = 0x02,    // the first paint after loading is pending
  kState0DefaultPerson = 0x04, // the default person's charts are shown
  kState0NewChart = 0x08,      // a new chart was entered (checked by the next WM_USER)
  kState0Dragging = 0x40,      // the quick menu is being dragged: commands are ignored
};
// bState1 bits.
enum : uint8_t {
  kState1SizeMask = 0x03,      // 1: window too small, 2: text area suppressed
  kState1TooSmall = 0x01,
  kState1Stepped = 0x04,       // the current chart was stepped in time (undo possible)
  kState1Tooltip = 0x08,       // the status bar shows a tooltip text
  kState1EnterReleased = 0x10, // Enter was released since the animation started
  kState1NoPalette = 0x20,     // no palette could be created
  kState1Animating = 0x80,     // the animation runs
};
// bState2 bits.
enum : uint8_t {
  kState2Uninstalled = 0x08,   // the settings are not saved at exit
  kState2DoubleChart = 0x40,   // double-chart mode is on
};

// The application state block.  Fields follow the order of the program's
// state record; where a Windows handle is 8 bytes (x86-64) the offsets grow,
// and the drawing's inputs and geometry are the chart view's own records
// (view, layout), so the block is not a fixed image and is never stored.
struct AppState {
  HINSTANCE hInstance;
  HWND hWnd;
  HWND hToolbar;  // control id 1025
  HWND hStatus;   // control id 64
  HMENU hMenu;
  HLOCAL hEntryBlock;   // kEntryBlockBytes, zeroed, movable; the main window at byte 63242
  HLOCAL hVirtualFile;  // the birth-data table (BirthTable), zeroed, movable
  // The open/save dialog structure with its path and title buffers, the
  // caption's file name and the previous file (szPrevFile, nPrevData).
  FileState files;
  int32_t reserved1;
  int32_t iOpenRequest;  // kOpenRequest...
  ChartRecord chart;     // working chart of the current entry or time step
  HPALETTE hPal;
  LOGPALETTE* lpLogPal;  // kPaletteDescBytes from the process heap
  HBITMAP hBmpHoromiraIcon;  // title bitmap 5000
  HBITMAP hBmp[kNumGlyphBitmaps];
  HPEN hPen[kNumPens];
  HBRUSH hBrush[kNumBrushes];
  RECT rcChart;  // chart area of the client window (below the toolbar, above the status bar)
  RECT rcText;   // text area: the panel of views 0 and 3, the text of views 1 and 2
  ChartLayout layout;    // geometry of the last paint
  ChartViewState view;   // house system, background, size factor fScale, quick-menu geometry
  HDC hdc;               // held only while drawing; null otherwise
  double dHarmonic;      // harmonic of new charts; 1.0 = the ordinary chart
  int32_t iReturnAge;    // age of the solar return shown, 0 = none
  int32_t nAnimFrames;   // animation frames since the animation started
  int32_t iSteppedSlot;  // the slot stepped in time while bState1 bit 2 is set; slot 6 holds
                         // its chart as it was before the first step
  // The house system is view.HouseType (1 equal, 32 Placidus, 0 Sun on the
  // first cusp, -1 Aries 0 on the first cusp).
  float fOrb;            // orb in degrees (from the settings)
  int32_t reserved2;
  DWORD dwClockThreadId;
  HANDLE hClockThread;   // waited for at exit (the stop flag is wClockDay)
  uint16_t wClockDay;    // day last shown by the clock; 0 = redraw the date; 32 = stop
  char szText[kTextBufferSize];  // report and message texts
  uint8_t bState0;
  uint8_t bState1;
  uint8_t bState2;
};

// Values of wClockDay besides a day of the month.
constexpr uint16_t kClockDayRedraw = 0;
constexpr uint16_t kClockDayStop = 32;

// ClockDayLoad / ClockDayStore: wClockDay is the only field the clock thread
// shares with the UI thread; both sides reach it through these atomic
// accesses (no lock, as a plain flag).
inline uint16_t ClockDayLoad(const AppState* lpAb) { return __atomic_load_n(&lpAb->wClockDay, __ATOMIC_ACQUIRE); }
inline void ClockDayStore(AppState* lpAb, uint16_t w) { __atomic_store_n(&lpAb->wClockDay, w, __ATOMIC_RELEASE); }

// The three static blocks of the main window.
AppState* MainAppState();
SystemIniInf* MainSettings();
ChartSlots* MainChartSlots();

// The birth-data table of the state block, locked for one use; null when
// there is none.  UnlockBirthTable ends the use.
BirthTable* LockBirthTable(AppState* lpAb);
void UnlockBirthTable(AppState* lpAb);

// WizardBlocksOf: what the main window lends the default-person wizard.
inline WizardBlocks WizardBlocksOf(AppState* lpAb) {
  return WizardBlocks{lpAb->hInstance, lpAb->hEntryBlock, lpAb->hVirtualFile, &lpAb->files};
}

// The chart shown now: the shown slot of the chart-slot block.
ChartRecord* CurrentChart(ChartSlots* pSlots);
// Whether the shown chart exists (its Julian Day is set).
bool HasCurrentChart(const ChartSlots* pSlots);

// The data-entry block (hEntryBlock of the application state): a movable,
// zero-filled local memory block of 63264 bytes that the main window
// allocates at its creation and the data-entry dialogs share.  It holds the
// working birth record they edit, the mode and sub-mode the caller chose,
// a copy of the chart set for the solar-return dialog, the clock the birth
// time was typed on (in the room after the chart set), and the main window
// handle at byte 63242.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "base/birth_record.h"
#include "base/chart_record.h"
#include "entry/entry_rules.h"

constexpr size_t kEntryBlockSize = 63264;
constexpr size_t kEntryBlockWindowOffset = 63242;
// Where the chart-set copy lies: aligned for its long doubles.
constexpr size_t kEntryChartSetOffset = 320;
// Where the clock of the birth time lies: right after the chart set.
constexpr size_t kEntryZoneOffset = kEntryChartSetOffset + sizeof(ChartSlots);

#pragma pack(push, 1)
struct EntryBlock {
  BirthRecord working;  // the record the dialogs edit
  int32_t iMode;        // mode of the last time-and-name or place dialog
  int32_t iSubMode;     // its sub-mode
  uint8_t abChartSet[sizeof(ChartSlots)];  // copy of the chart set (EntryChartSet)
  TimeZoneEntry zone;   // the clock of the working record's birth time
                        // (zero: 「日本時間」, nothing converted)
  uint8_t reserved1[kEntryBlockWindowOffset - kEntryZoneOffset - sizeof(TimeZoneEntry)];
  uint32_t dwMainWindow;  // 32-bit image of the main window handle
  uint8_t reserved2[kEntryBlockSize - kEntryBlockWindowOffset - 4];
};
#pragma pack(pop)

static_assert(sizeof(EntryBlock) == kEntryBlockSize, "the data-entry block is 63264 bytes");
static_assert(offsetof(EntryBlock, working) == 0, "the working record heads the block");
static_assert(offsetof(EntryBlock, iMode) == 312, "data-entry block layout");
static_assert(offsetof(EntryBlock, iSubMode) == 316, "data-entry block layout");
static_assert(offsetof(EntryBlock, abChartSet) == kEntryChartSetOffset, "data-entry block layout");
static_assert(kEntryChartSetOffset % alignof(ChartSlots) == 0, "the chart-set copy is aligned");
static_assert(offsetof(EntryBlock, zone) == kEntryZoneOffset, "data-entry block layout");
static_assert(offsetof(EntryBlock, dwMainWindow) == kEntryBlockWindowOffset, "the main window at byte 63242");

// NewEntryBlock: allocates the block (movable, zero-filled).  Null when
// there is no memory.
HLOCAL NewEntryBlock();

// LockEntryBlock / UnlockEntryBlock: the block for one use.
EntryBlock* LockEntryBlock(HLOCAL hBlock);
void UnlockEntryBlock(HLOCAL hBlock);

// EntryChartSet: the chart-set copy of a locked block.  The block's base is
// aligned by the allocator (8 or 16 bytes), and the copy lies at an offset
// aligned for ChartSlots.
inline ChartSlots* EntryChartSet(EntryBlock* p) { return reinterpret_cast<ChartSlots*>(p->abChartSet); }

// SetEntryMainWindow / EntryMainWindow: the main window handle at byte
// 63242 (window handles fit 32 bits on both Windows widths).
void SetEntryMainWindow(HLOCAL hBlock, HWND hWnd);
HWND EntryMainWindow(HLOCAL hBlock);

// GetWorkingRecord / SetWorkingRecord: the working record of the block, read
// or replaced whole (a zeroed record when the block cannot be locked).
BirthRecord GetWorkingRecord(HLOCAL hBlock);
void SetWorkingRecord(HLOCAL hBlock, const BirthRecord& rec);

// GetEntryZone / SetEntryZone: the clock of the working record's birth
// time, read or replaced whole (a zeroed entry when the block cannot be
// locked).  Whoever starts a birth entry afresh sets a zeroed one.
TimeZoneEntry GetEntryZone(HLOCAL hBlock);
void SetEntryZone(HLOCAL hBlock, const TimeZoneEntry& zone);

// PrepareSolarReturnEntry: what the solar-return command puts into the
// block before the dialog: the natal record of the chart set as the working
// record, and the whole chart set.
void PrepareSolarReturnEntry(HLOCAL hBlock, const ChartSlots& slots);

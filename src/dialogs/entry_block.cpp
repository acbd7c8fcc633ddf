// The data-entry block.
#include "dialogs/entry_block.h"

#include <cstring>


HLOCAL NewEntryBlock() { return LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, kEntryBlockSize); }

EntryBlock* LockEntryBlock(HLOCAL hBlock) { return hBlock ? static_cast<EntryBlock*>(LocalLock(hBlock)) : nullptr; }

void UnlockEntryBlock(HLOCAL hBlock) {
  if (hBlock) LocalUnlock(hBlock);
}

void SetEntryMainWindow(HLOCAL hBlock, HWND hWnd) {
  EntryBlock* p = LockEntryBlock(hBlock);
  if (!p) return;
  p->dwMainWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hWnd));
  UnlockEntryBlock(hBlock);
}

HWND EntryMainWindow(HLOCAL hBlock) {
  EntryBlock* p = LockEntryBlock(hBlock);
  if (!p) return nullptr;
  // Window handles are 32-bit values sign-extended on x86-64.
  HWND hWnd = reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(p->dwMainWindow)));
  UnlockEntryBlock(hBlock);
  return hWnd;
}

BirthRecord GetWorkingRecord(HLOCAL hBlock) {
  BirthRecord rec{};
  if (EntryBlock* p = LockEntryBlock(hBlock)) {
    rec = p->working;
    UnlockEntryBlock(hBlock);
  }
  return rec;
}

void SetWorkingRecord(HLOCAL hBlock, const BirthRecord& rec) {
  if (EntryBlock* p = LockEntryBlock(hBlock)) {
    p->working = rec;
    UnlockEntryBlock(hBlock);
  }
}

void PrepareSolarReturnEntry(HLOCAL hBlock, const ChartSlots& slots) {
  EntryBlock* p = LockEntryBlock(hBlock);
  if (!p) return;
  p->working = slots.charts[kSlotNatal].natal;
  memcpy(p->abChartSet, &slots, sizeof slots);
  UnlockEntryBlock(hBlock);
}

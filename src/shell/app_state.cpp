// The three static blocks of the main window and their small helpers.
#include "shell/app_state.h"

#include "shell/logic/shell_logic.h"

namespace {

AppState g_AppState;
SystemIniInf g_Sii;
ChartSlots g_Slots;

}  // namespace

AppState* MainAppState() { return &g_AppState; }
SystemIniInf* MainSettings() { return &g_Sii; }
ChartSlots* MainChartSlots() { return &g_Slots; }

BirthTable* LockBirthTable(AppState* lpAb) {
  return lpAb->hVirtualFile ? static_cast<BirthTable*>(LocalLock(lpAb->hVirtualFile)) : nullptr;
}

void UnlockBirthTable(AppState* lpAb) {
  if (lpAb->hVirtualFile) LocalUnlock(lpAb->hVirtualFile);
}

ChartRecord* CurrentChart(ChartSlots* pSlots) { return &pSlots->charts[ShownSlotIndex(*pSlots)]; }

bool HasCurrentChart(const ChartSlots* pSlots) { return pSlots->charts[ShownSlotIndex(*pSlots)].ldJde != 0; }

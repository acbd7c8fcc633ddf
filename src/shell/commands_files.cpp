// The birth-data file and the end of the program.
#include "shell/commands_files.h"

#include <cstring>

#include "chart/chart_text.h"
#include "dialogs/dialogs.h"
#include "persistence/data_file.h"
#include "platform/platform.h"
#include "shell/main_window.h"
#include "shell/shell.h"

namespace {

// The opened file's list follows at once.
int AfterOpen(const CommandContext& c, int iClass) {
  if (iClass != kFileClassBirthData) return 0;
  UpdateChartFrame(c.hWnd, c.lpAb, c.pSlots);
  PostCommand(c.hWnd, IDM_FROM_FILE);
  return 1;
}

}  // namespace

int OpenFile(const CommandContext& c) {
  AppState* lpAb = c.lpAb;
  // The request of the start-up or of an empty list is taken up here; its
  // list comes from this command, not again after the next paint.
  const bool bRequest = lpAb->iOpenRequest != kOpenRequestNone;
  lpAb->iOpenRequest = kOpenRequestNone;
  BirthTable* pTable = LockBirthTable(lpAb);
  if (!pTable) return 0;
  const int iClass = OpenFileCommand(bRequest, c.pSii, &lpAb->files, pTable, lpAb->hMenu);
  UnlockBirthTable(lpAb);
  return AfterOpen(c, iClass);
}

int NewFile(const CommandContext& c) {
  AppState* lpAb = c.lpAb;
  int iDone = 0;
  if (BirthTable* pTable = LockBirthTable(lpAb)) {
    iDone = NewFileCommand(c.pSii, &lpAb->files, pTable, lpAb->hMenu);
    UnlockBirthTable(lpAb);
  }
  if (!iDone) return 0;
  ResetChartSlots(c.pSlots);
  lpAb->bState0 &= static_cast<uint8_t>(~kState0DefaultPerson);
  lpAb->bState2 &= static_cast<uint8_t>(~kState2DoubleChart);
  lpAb->iReturnAge = 0;
  ForgetStepping(lpAb);
  InvalidateRect(c.hWnd, nullptr, FALSE);
  return 1;
}

int SaveAs(const CommandContext& c) {
  const bool bClosing = c.lParam == kParamClosing;
  int iDone = 0;
  if (BirthTable* pTable = LockBirthTable(c.lpAb)) {
    iDone = SaveAsCommand(bClosing, c.pSii, &c.lpAb->files, pTable, c.lpAb->hMenu);
    UnlockBirthTable(c.lpAb);
  }
  // Closing ends once the rows are saved; a cancelled dialog keeps the
  // window and its rows.
  if (bClosing) {
    if (iDone) PlatformDestroyMainWindow();
    return iDone;
  }
  if (iDone) UpdateChartFrame(c.hWnd, c.lpAb, c.pSlots);
  return iDone;
}

int SaveFile(const CommandContext& c) {
  if (IsUntitled(c.pSii)) {
    CommandContext saveAs = c;
    saveAs.iCommand = IDM_SAVE_AS;
    saveAs.lParam = 0;
    return SaveAs(saveAs);
  }
  int iDone = 0;
  if (BirthTable* pTable = LockBirthTable(c.lpAb)) {
    iDone = SaveCurrentFile(pTable, c.pSii);
    UnlockBirthTable(c.lpAb);
  }
  return iDone;
}

int RecentFile(const CommandContext& c) {
  int iClass = 0;
  if (BirthTable* pTable = LockBirthTable(c.lpAb)) {
    iClass = OpenRecentFileCommand(c.iCommand, c.pSii, &c.lpAb->files, pTable, c.lpAb->hMenu);
    UnlockBirthTable(c.lpAb);
  }
  return AfterOpen(c, iClass);
}

int DeleteRowCommand(const CommandContext& c) {
  int iDone = 0;
  if (BirthTable* pTable = LockBirthTable(c.lpAb)) {
    iDone = DeleteFiledRecord(c.hWnd, pTable, c.pSii->szDataFile);
    UnlockBirthTable(c.lpAb);
  }
  return iDone;
}

int ExitCommand(const CommandContext& c) {
  PostMessageW(c.hWnd, WM_CLOSE, 0, 0);
  return 1;
}

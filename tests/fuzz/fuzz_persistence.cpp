// libFuzzer target for the stored files: a .bd5 birth-data file read into
// the table, and a settings file through the read check, each followed by
// the routines that use what was read.
//
// The first byte chooses the file kind (even: .bd5, odd: settings); the rest
// is the file's content.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/shift_jis.h"
#include "persistence/data_file.h"
#include "persistence/settings.h"
#include "platform/native/native_control.h"

namespace {

BirthTable* Table() {
  static std::unique_ptr<BirthTable> table(new BirthTable());
  return table.get();
}

void UseTable(BirthTable* pTable, int n) {
  if (n <= 0) return;
  // Rows that entered the table must be safe to list, edit and store.
  for (int i = 0; i < n; ++i) {
    BirthRecord r = pTable->rows[i];
    BuildListLine(&r);
    CutDoubleByteSafe(r.szName, 22);
    if (strlen(r.szListLine) >= sizeof r.szListLine) __builtin_trap();
  }
  BirthRecord first = pTable->rows[0];
  AppendRow(&first, pTable, 0);
  DeleteRow(pTable, 0);
  DeleteRow(pTable, pTable->iNumData - 1);
}

void UseSettings(SystemIniInf* pSii) {
  int iMenu = 0;
  RebuildRecentMenu(pSii, &iMenu);
  for (int i = 0; i < pSii->nRecent; ++i) ClassifyPath(pSii->szRecent[i]);
  AddRecentFile(pSii->szDataFile, pSii, &iMenu, 0);
  AddRecentFile(pSii->szSiiPath, pSii, &iMenu, pSii->bOrb);
  BirthRecord d = pSii->defaultData;
  BuildListLine(&d);
  CheckBackColor(pSii);
  int x, y;
  UnpackCorner(pSii->dwWindowTopLeft, &x, &y);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  NativeSetBoxMode(kNativeBoxesRecord);
  NativeSetDirectories("/tmp", "/tmp", nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  if (nSize < 2) return 0;
  const bool bSettings = pData[0] & 1;
  FILE* f = fmemopen(const_cast<uint8_t*>(pData + 1), nSize - 1, "rb");
  if (!f) return 0;
  if (bSettings) {
    SystemIniInf sii;
    memset(&sii, 0xA5, sizeof sii);
    ReadSettingsStream(f, &sii);
    UseSettings(&sii);
  } else {
    BirthTable* pTable = Table();
    pTable->iNumData = 3;
    const int n = ReadBirthDataStream(f, "fuzz.bd5", pTable);
    UseTable(pTable, n);
  }
  fclose(f);
  NativeClearBoxes();
  NativeClearRecentMenu();
  return 0;
}

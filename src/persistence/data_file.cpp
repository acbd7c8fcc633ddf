// Birth-data files: the table, reading and writing, rows, recent files,
// opening by argument, the sample file and the file commands.
#include "persistence/data_file.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "persistence/paths.h"
#include "persistence/safe_file.h"
#include "persistence/settings.h"
#include "platform/os_services.h"
#include "platform/reports.h"
#include "time/calendar.h"

const char kUntitledFileName[] = "無題.bd5";

namespace {

const char kErrorHeading[] = "エラー";
// Filter of the file dialogs: one description and pattern pair.
const char kDialogFilter[] = "出生データ(*.bd5)\0*.bd5\0";

// Copies a text into a fixed field, always terminated.  Returns 0 when it
// had to be cut.
int CopyField(char* szDst, size_t cbDst, const char* szSrc) {
  const size_t n = strlen(szSrc);
  const size_t nCopy = n < cbDst ? n : cbDst - 1;
  memmove(szDst, szSrc, nCopy);
  szDst[nCopy] = '\0';
  return n < cbDst ? 1 : 0;
}

// Ends every text field of a row inside its field.
void TerminateRowTexts(BirthRecord* pRec) {
  pRec->szName[kNameFieldSize - 1] = '\0';
  pRec->szBirthPlace[kNameFieldSize - 1] = '\0';
  pRec->szCurrentPlace[kNameFieldSize - 1] = '\0';
  pRec->szListLine[kNameFieldSize - 1] = '\0';
}

WindowRef Owner() { return PlatformMainWindow(); }

// The box of a file that cannot be read, with the reason as its last line.
void ShowCannotOpen(const char* szPath, const char* szReason = "すでにその場所に存在しないと思われます") {
  AppOkMsg(Owner(), kErrorHeading, szPath, "上記のファイルをひらけません", szReason);
}

// Reasons of the boxes about reading and writing files.
const char kReasonNotRegular[] = "通常のファイルではありません (フォルダーや装置など)";
const char kReasonUnreadable[] = "読み取りが許可されていません";

// Whether the regular file at szPath holds more complete rows than the
// table can: its rows beyond were never read, so the table must not be
// written over it.
bool HoldsMoreRowsThanTheTable(const char* szPath) {
  PlatformFileFacts facts;
  PlatformInspectFile(szPath, &facts);
  return facts.iKind == kFileRegular && facts.nBytes / sizeof(BirthRecord) > static_cast<unsigned>(kTableSlots);
}

// Moves slot iFrom of the recent-files list to slot iTo, shifting the slots
// between by one.
void MoveRecentSlot(SystemIniInf* pSii, int iFrom, int iTo) {
  char szKeep[kPathFieldSize];
  memcpy(szKeep, pSii->szRecent[iFrom], kPathFieldSize);
  if (iFrom > iTo) {
    memmove(pSii->szRecent[iTo + 1], pSii->szRecent[iTo], static_cast<size_t>(iFrom - iTo) * kPathFieldSize);
  } else if (iFrom < iTo) {
    memmove(pSii->szRecent[iFrom], pSii->szRecent[iFrom + 1], static_cast<size_t>(iTo - iFrom) * kPathFieldSize);
  }
  memcpy(pSii->szRecent[iTo], szKeep, kPathFieldSize);
}

}  // namespace

// --- Table and file ----------------------------------------------------------

int CheckFileRow(const BirthRecord& row) {
  char szName[kNameFieldSize + 1];
  memcpy(szName, row.szName, kNameFieldSize);
  szName[kNameFieldSize] = '\0';
  if (ValidateDateTime(nullptr, szName, row.time, 1) != 0) return 0;
  if (row.dwMagic != kRecordMagic) return 0;
  const size_t nName = strlen(szName);
  if (nName == 0 || nName > static_cast<size_t>(kMaxFileNameBytes)) return 0;
  if (row.time.month == 0) return 0;
  // A value that is not a number passes every comparison of the date check
  // and would poison each chart computed from the row.
  if (!std::isfinite(row.time.second) || !std::isfinite(row.dBirthLat) || !std::isfinite(row.dBirthLong) ||
      !std::isfinite(row.dCurrentLat) || !std::isfinite(row.dCurrentLong))
    return 0;
  return 1;
}

int ReadBirthDataStream(FILE* f, const char* szPath, BirthTable* pTable) {
  // Rows are read into a scratch block: a corrupt row must not leave the
  // rows before it in the table, where the next save point would write
  // them over the user's file.
  std::unique_ptr<BirthRecord[]> rows(new (std::nothrow) BirthRecord[kTableSlots]);
  if (!rows) return ReportFatal("メモリー不足です");
  int n = 0;
  while (n < kTableSlots) {
    BirthRecord& row = rows[n];
    if (fread(&row, 1, sizeof row, f) != sizeof row) break;
    if (!CheckFileRow(row)) {
      AppOkMsg(Owner(), kErrorHeading, szPath, "ファイルが壊れています", "");
      n = 0;
      break;
    }
    TerminateRowTexts(&row);
    row.iDataNo = n;
    BuildListLine(&row);
    ++n;
  }
  if (n == kTableSlots) {
    BirthRecord extra;
    if (fread(&extra, 1, sizeof extra, f) == sizeof extra) {
      // The table is full and the file goes on: it is shown, but never
      // written back over the file (WriteBirthDataFile).
      AppOkMsg(Owner(), szPath, "1024件を超えるデータがあるので、1024件めまでを読み込みました",
               "このファイルには上書き保存しません", "名前を付けてほかのファイルに保存はできます");
    }
  }
  if (n > 0) {
    memcpy(pTable->rows, rows.get(), static_cast<size_t>(n) * sizeof(BirthRecord));
    pTable->iNumData = n;
  } else {
    AppOkMsg(Owner(), szPath, "このファイルのデータ登録件数はゼロ", "またはファイルが壊れていて読み込めません", "");
  }
  return n;
}

int ReadBirthDataFile(const char* szPath, BirthTable* pTable) {
  // A folder, a device or a pipe is not read: it has no rows, and a pipe
  // or a device would never end.
  PlatformFileFacts facts;
  switch (PlatformInspectFile(szPath, &facts)) {
    case kFileAbsent:
      ShowCannotOpen(szPath);
      return 0;
    case kFileOther:
      ShowCannotOpen(szPath, kReasonNotRegular);
      return 0;
    case kFileUnreachable:
      ShowCannotOpen(szPath, kReasonUnreadable);
      return 0;
    default:
      if (!facts.bReadable) {
        ShowCannotOpen(szPath, kReasonUnreadable);
        return 0;
      }
      break;
  }
  FILE* f = PlatformOpenFile(szPath, "rb");
  if (!f) {
    ShowCannotOpen(szPath);
    return 0;
  }
  const int n = ReadBirthDataStream(f, szPath, pTable);
  fclose(f);
  return n;
}

int WriteBirthDataFile(BirthTable* pTable, const char* szPath) {
  if (HoldsMoreRowsThanTheTable(szPath)) {
    AppOkMsg(Owner(), kErrorHeading, szPath, "1024件を超えるデータがあるファイルなので、上書き保存しません",
             "名前を付けてほかのファイルに保存してください");
    return 0;
  }
  SafeFile file;
  if (!SafeFileOpen(&file, szPath)) {
    const char* szReason = file.iError == kSafeFileNotRegular   ? "通常のファイルではないので書き込みません"
                           : file.iError == kSafeFileUnreadable ? "読み取れないファイルなので書き込みません"
                                                                : "";
    AppOkMsg(Owner(), kErrorHeading, "not open in w-mode", szPath, szReason);
    return 0;
  }
  int n = pTable->iNumData;
  if (n > kTableSlots) n = kTableSlots;
  for (int i = 0; i < n; ++i) {
    pTable->rows[i].dwMagic = kRecordMagic;
    if (!SafeFileWrite(&file, &pTable->rows[i], sizeof(BirthRecord))) break;
  }
  if (!SafeFileCommit(&file)) {
    AppOkMsg(Owner(), kErrorHeading, "!fwrite at WriteBirthDataFile", szPath,
             file.iError == kSafeFileBackupExists ? "中断された保存の控え (.bak) があります。確かめてください" : "");
    return 0;
  }
  return 1;
}

int OpenFileAsCurrent(const char* szPath, BirthTable* pTable, SystemIniInf* pSii, MenuRef hMenu) {
  // The settings keep the full path: a name relative to the folder current
  // now would name another file once the folder changes.
  char szFull[kFileBufferSize];
  if (strlen(szPath) >= static_cast<size_t>(kFileBufferSize) ||
      !PlatformFullPath(szPath, szFull, sizeof szFull)) {
    // Longer than any path the program keeps: it could not become current.
    ShowCannotOpen(szPath);
    return 0;
  }
  const int n = ReadBirthDataFile(szFull, pTable);
  if (n > 0) {
    CopyField(pSii->szDataFile, sizeof pSii->szDataFile, szFull);
    AddRecentFile(szFull, pSii, hMenu, 0);
    pTable->bHoldsFile = 1;
  }
  return n;
}

int AppendRow(BirthRecord* pRec, BirthTable* pTable, int iSlot) {
  pRec->bSave = 0;
  // Slot 0 means after the last row; a slot past the end would leave empty
  // rows in the table, which make the written file unreadable.
  if (iSlot == 0 || iSlot > pTable->iNumData) iSlot = static_cast<uint16_t>(pTable->iNumData);
  if (iSlot >= kTableSlots) {
    ReportBox(Owner(), "このﾌｧｲﾙはすでに一杯です。ほかのﾌｧｲﾙを新規作成してください。", kMbOk | kMbIconWarning);
    return 0;
  }
  pRec->iDataNo = iSlot;
  memmove(&pTable->rows[iSlot], pRec, sizeof(BirthRecord));
  BuildListLine(&pTable->rows[iSlot]);
  // Storing into a row in use keeps the rows after it.
  if (iSlot + 1 > pTable->iNumData) pTable->iNumData = iSlot + 1;
  return iSlot + 1;
}

int DeleteRow(BirthTable* pTable, int iRow) {
  const int n = pTable->iNumData;
  if (iRow < 0 || iRow >= n) return 0;
  memmove(&pTable->rows[iRow], &pTable->rows[iRow + 1], static_cast<size_t>(n - 1 - iRow) * sizeof(BirthRecord));
  pTable->iNumData = n - 1;
  return 1;
}

// --- Recent files and opening by argument --------------------------------------

void AddRecentFile(const char* szPath, SystemIniInf* pSii, MenuRef hMenu, int iPos) {
  if (iPos < 0 || iPos > kRecentFileSlots - 1) iPos = 1;
  int n = pSii->nRecent > kRecentFileSlots ? kRecentFileSlots : pSii->nRecent;
  char szNew[kPathFieldSize] = {};
  if (CopyField(szNew, sizeof szNew, szPath)) {
    int iFound = -1;
    for (int i = 0; i < n && iFound < 0; ++i) {
      if (SamePath(pSii->szRecent[i], szNew)) iFound = i;
    }
    if (iFound >= 0) {
      // A listed path moves to the position; the count stays.
      if (iPos > n - 1) iPos = n - 1;
      MoveRecentSlot(pSii, iFound, iPos);
      memcpy(pSii->szRecent[iPos], szNew, sizeof szNew);
    } else {
      if (n == kRecentFileSlots) n = kRecentFileSlots - 1;  // the oldest falls off
      if (iPos > n) iPos = n;  // no gap of empty slots
      memmove(pSii->szRecent[iPos + 1], pSii->szRecent[iPos], static_cast<size_t>(n - iPos) * kPathFieldSize);
      memcpy(pSii->szRecent[iPos], szNew, sizeof szNew);
      ++n;
    }
    pSii->nRecent = static_cast<uint8_t>(n);
  }
  RebuildRecentMenu(pSii, hMenu);
}

void RebuildRecentMenu(SystemIniInf* pSii, MenuRef hMenu) {
  if (pSii->nRecent > kRecentFileSlots) pSii->nRecent = kRecentFileSlots;
  if (pSii->nRecent == 0) {
    memcpy(pSii->szRecent[0], pSii->szDataFile, kPathFieldSize);
    pSii->szRecent[0][kPathFieldSize - 1] = '\0';
    pSii->nRecent = 1;
  }
  char szTexts[kRecentFileSlots][kPathFieldSize + 8];
  const char* pszTexts[kRecentFileSlots];
  for (int i = 0; i < pSii->nRecent; ++i) {
    pSii->szRecent[i][kPathFieldSize - 1] = '\0';
    snprintf(szTexts[i], sizeof szTexts[i], "&%d %s", i < 9 ? i + 1 : 0, pSii->szRecent[i]);
    pszTexts[i] = szTexts[i];
  }
  PlatformRebuildRecentMenu(hMenu, kRecentFileCommand, pSii->nRecent, pszTexts);
}

int OpenByArgument(const char* szArgument, SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable,
                   MenuRef hMenu) {
  char szArg[2048];
  if (!CopyField(szArg, sizeof szArg, szArgument)) {
    AppOkMsg(Owner(), kErrorHeading, "無効な引数", szArg, "");
    return 0;
  }
  StripQuotes(szArg);
  int iResult = 0;
  switch (ClassifyPath(szArg)) {
    case kFileClassBirthData: {
      const int n = OpenFileAsCurrent(szArg, pTable, pSii, hMenu);
      if (n > 0) {
        // The previous file is this one, with its rows: path and count go
        // together.
        CopyField(pFiles->szPrevFile, sizeof pFiles->szPrevFile, pSii->szDataFile);
        pFiles->nPrevData = n;
        iResult = kFileClassBirthData;
      }
      break;
    }
    case kFileClassChartData:
    case kFileClassText:
      PlatformMessageBox(Owner(), szArg, "将来の拡張用", kMbOk | kMbIconInformation);
      break;
    default:
      if (SamePath(szArg, "@velkor")) ResetSettingsByCommand(pSii);
      else AppOkMsg(Owner(), kErrorHeading, "無効な引数", szArg, "");
      break;
  }
  if (iResult != 0) CopyField(pFiles->szCaptionFile, sizeof pFiles->szCaptionFile, pSii->szDataFile);
  return iResult;
}

void MakeSampleRow(int iRow, BirthRecord* pRec) {
  // Two people born in Japan; coordinates on the Tokyo datum, as the place
  // list gives them (degrees and whole minutes).
  struct Sample {
    const char* szName;
    DateTime time;
    const char* szBirthPlace;
    double dBirthLat, dBirthLong;
    const char* szCurrentPlace;
    double dCurrentLat, dCurrentLong;
  };
  static const Sample kSamples[2] = {
      {"Sample Data 1", {1978, 4, 23, 5, 36, 0.0}, "札幌", 43.0 + 4.0 / 60.0, 141.0 + 21.0 / 60.0, "東京都",
       35.0 + 39.0 / 60.0, 139.0 + 45.0 / 60.0},
      {"Sample Data 2", {1991, 10, 8, 19, 12, 0.0}, "仙台", 38.0 + 16.0 / 60.0, 140.0 + 52.0 / 60.0, "横浜",
       35.0 + 27.0 / 60.0, 139.0 + 37.0 / 60.0},
  };
  const Sample& s = kSamples[iRow == 0 ? 0 : 1];
  memset(pRec, 0, sizeof *pRec);
  pRec->iDataNo = iRow == 0 ? 0 : 1;
  pRec->time = s.time;
  CopyField(pRec->szName, sizeof pRec->szName, s.szName);
  CopyField(pRec->szBirthPlace, sizeof pRec->szBirthPlace, s.szBirthPlace);
  CopyField(pRec->szCurrentPlace, sizeof pRec->szCurrentPlace, s.szCurrentPlace);
  pRec->dBirthLat = s.dBirthLat;
  pRec->dBirthLong = s.dBirthLong;
  pRec->dCurrentLat = s.dCurrentLat;
  pRec->dCurrentLong = s.dCurrentLong;
  pRec->bTimeKnown = 1;
  pRec->bSecondsGiven = 0;
  pRec->dwMagic = kRecordMagic;
  pRec->iMarker = 1;
  BuildListLine(pRec);
}

int CreateSampleFile(SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable, MenuRef hMenu) {
  char szPath[kPathFieldSize];
  DefaultDataFilePath(szPath, sizeof szPath);
  // After lost settings the user's own file may lie at the default path: the
  // sample must not be written over it at the next save point, whether that
  // file reads or not.
  PlatformFileFacts facts;
  if (PlatformInspectFile(szPath, &facts) != kFileAbsent) {
    const int n = OpenFileAsCurrent(szPath, pTable, pSii, hMenu);
    if (n > 0) {
      CopyField(pFiles->szCaptionFile, sizeof pFiles->szCaptionFile, szPath);
      return n;
    }
    CopyField(szPath, sizeof szPath, kUntitledFileName);
  }
  MakeSampleRow(0, &pTable->rows[0]);
  MakeSampleRow(1, &pTable->rows[1]);
  pTable->iNumData = 2;
  pTable->bHoldsFile = 1;
  CopyField(pSii->szDataFile, sizeof pSii->szDataFile, szPath);
  CopyField(pFiles->szCaptionFile, sizeof pFiles->szCaptionFile, szPath);
  if (strcmp(szPath, kUntitledFileName) != 0) AddRecentFile(pSii->szDataFile, pSii, hMenu, 0);
  return 2;
}

void PrepareFileDialog(FileState* pFiles, WindowRef hOwner) {
  FileDialogSettings& ofn = pFiles->ofn;
  memset(&ofn, 0, sizeof ofn);
  ofn.hOwner = hOwner;
  ofn.szFilter = kDialogFilter;
  ofn.nFilterIndex = 1;
  ofn.szFile = pFiles->szFile;
  ofn.cbFile = kFileBufferSize - 1;
  ofn.szFileTitle = pFiles->szFileTitle;
  ofn.cbFileTitle = kFileBufferSize - 1;
  ofn.dwFlags = kOfnFileMustExist | kOfnHideReadOnly | kOfnOverwritePrompt;
  ofn.szDefExt = "bd5";
}

// --- File commands ---------------------------------------------------------------

namespace {

// The untitled file becomes a named one: the save dialog, the write, the
// recent files, the current file and the caption (SaveAsCommand after its
// save point).  Returns 1 when written.
int SaveUnderChosenName(SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable, MenuRef hMenu) {
  if (!PlatformFileDialog(kFileDialogSave, &pFiles->ofn)) return 0;
  if (!WriteBirthDataFile(pTable, pFiles->szFile)) return 0;
  const bool bBirthData = ClassifyPath(pFiles->szFile) == kFileClassBirthData;
  AddRecentFile(pFiles->szFile, pSii, hMenu, bBirthData ? 0 : 1);
  if (bBirthData) {
    CopyField(pSii->szDataFile, sizeof pSii->szDataFile, pFiles->szFile);
    pTable->bHoldsFile = 1;
  }
  CopyField(pFiles->szCaptionFile, sizeof pFiles->szCaptionFile, pFiles->szFile);
  return 1;
}

// Rows filed into a table that holds no file make it an untitled table.
void ClaimUnheldRows(SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable) {
  if (pTable->bHoldsFile || pTable->iNumData <= 0) return;
  CopyField(pSii->szDataFile, sizeof pSii->szDataFile, kUntitledFileName);
  CopyField(pFiles->szCaptionFile, sizeof pFiles->szCaptionFile, kUntitledFileName);
  pTable->bHoldsFile = 1;
}

bool HasUntitledRows(const SystemIniInf* pSii, const BirthTable* pTable) {
  return IsUntitled(pSii) && pTable->bHoldsFile && pTable->iNumData > 0;
}

// A file name in the program's folder that no file has yet: "無題.bd5",
// "無題 (2).bd5" ... "無題 (99).bd5".  Returns 0 when there is none.
int FreeUntitledPath(char* szPath, size_t cbPath) {
  char szDir[kFileBufferSize];
  if (!PlatformModuleDirectory(szDir, sizeof szDir)) return 0;
  for (int i = 1; i < 100; ++i) {
    char szName[64];
    if (i == 1) snprintf(szName, sizeof szName, "%s", kUntitledFileName);
    else snprintf(szName, sizeof szName, "無題 (%d).bd5", i);
    if (!JoinPath(szPath, cbPath, szDir, szName)) return 0;
    PlatformFileFacts facts;
    if (PlatformInspectFile(szPath, &facts) == kFileAbsent) return 1;
  }
  return 0;
}

}  // namespace

bool IsUntitled(const SystemIniInf* pSii) { return strcmp(pSii->szDataFile, kUntitledFileName) == 0; }

int SaveCurrentFile(BirthTable* pTable, const SystemIniInf* pSii) {
  if (!pTable->bHoldsFile || IsUntitled(pSii)) return 1;
  return WriteBirthDataFile(pTable, pSii->szDataFile);
}

void AskUntitledName(const SystemIniInf* pSii) {
  AppOkMsg(Owner(), "新規ファイル", pSii->szDataFile, "ファイル名を付けてください。", "");
}

int SavePoint(SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable, MenuRef hMenu) {
  ClaimUnheldRows(pSii, pFiles, pTable);
  if (!HasUntitledRows(pSii, pTable)) {
    // A file of more rows than the table is never written (its box says
    // so): the table is only a view of it, and the command goes on.
    return SaveCurrentFile(pTable, pSii) || HoldsMoreRowsThanTheTable(pSii->szDataFile);
  }
  AskUntitledName(pSii);
  return SaveUnderChosenName(pSii, pFiles, pTable, hMenu);
}

int FileNewRow(BirthRecord* pRec, BirthTable* pTable, SystemIniInf* pSii, FileState* pFiles) {
  // Rows of a table that holds no file belong to no file: the new person
  // starts a new, untitled one.
  if (!pTable->bHoldsFile) pTable->iNumData = 0;
  const int iNext = AppendRow(pRec, pTable, 0);
  ClaimUnheldRows(pSii, pFiles, pTable);
  return iNext;
}

void LeaveUntitledFile(SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable) {
  char szPrev[kFileBufferSize];
  CopyField(szPrev, sizeof szPrev, pFiles->szPrevFile);
  if (szPrev[0] == '\0' || strcmp(szPrev, kUntitledFileName) == 0) DefaultDataFilePath(szPrev, sizeof szPrev);
  CopyField(pSii->szDataFile, sizeof pSii->szDataFile, szPrev);
  CopyField(pFiles->szCaptionFile, sizeof pFiles->szCaptionFile, szPrev);
  pTable->bHoldsFile = 0;
}

void SaveAtExit(SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable, MenuRef hMenu) {
  ClaimUnheldRows(pSii, pFiles, pTable);
  if (HasUntitledRows(pSii, pTable)) {
    char szPath[kFileBufferSize];
    if (FreeUntitledPath(szPath, sizeof szPath) && WriteBirthDataFile(pTable, szPath)) {
      CopyField(pSii->szDataFile, sizeof pSii->szDataFile, szPath);
      AddRecentFile(szPath, pSii, hMenu, 0);
      return;
    }
  }
  if (IsUntitled(pSii)) {
    LeaveUntitledFile(pSii, pFiles, pTable);
    return;
  }
  SaveCurrentFile(pTable, pSii);
}

int OpenFileCommand(bool bStartupRequest, SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable,
                    MenuRef hMenu) {
  if (!bStartupRequest && !SavePoint(pSii, pFiles, pTable, hMenu)) return 0;
  if (!PlatformFileDialog(kFileDialogOpen, &pFiles->ofn)) return 0;
  return OpenByArgument(pFiles->szFile, pSii, pFiles, pTable, hMenu);
}

int OpenRecentFileCommand(int iCommand, SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable,
                          MenuRef hMenu) {
  const int iSlot = iCommand - kRecentFileCommand;
  if (iSlot < 0 || iSlot >= pSii->nRecent || iSlot >= kRecentFileSlots) return 0;
  // The slot's path is taken first: naming untitled rows at the save point
  // puts a new file at the top of the list.
  char szPath[kFileBufferSize];
  CopyField(szPath, sizeof szPath, pSii->szRecent[iSlot]);
  // Rows entered since the last save point would be lost with the table.
  if (!SavePoint(pSii, pFiles, pTable, hMenu)) return 0;
  CopyField(pFiles->szFile, sizeof pFiles->szFile, szPath);
  return OpenByArgument(szPath, pSii, pFiles, pTable, hMenu);
}

int NewFileCommand(SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable, MenuRef hMenu) {
  if (AppOkCancelMsg(Owner(), "確認", "出生データファイル (.bd5) を新規作成します", "", "") != kIdOk) return 0;
  if (pTable->iNumData > 0) {
    if (!SavePoint(pSii, pFiles, pTable, hMenu)) return 0;
    if (pTable->bHoldsFile && !IsUntitled(pSii)) {
      CopyField(pFiles->szPrevFile, sizeof pFiles->szPrevFile, pSii->szDataFile);
      pFiles->nPrevData = pTable->iNumData;
    }
  }
  pTable->iNumData = 0;
  pTable->bHoldsFile = 1;
  CopyField(pSii->szDataFile, sizeof pSii->szDataFile, kUntitledFileName);
  CopyField(pFiles->szCaptionFile, sizeof pFiles->szCaptionFile, kUntitledFileName);
  return 1;
}

int SaveAsCommand(bool bClosing, SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable, MenuRef hMenu) {
  if (!bClosing) SaveCurrentFile(pTable, pSii);
  ClaimUnheldRows(pSii, pFiles, pTable);
  return SaveUnderChosenName(pSii, pFiles, pTable, hMenu);
}

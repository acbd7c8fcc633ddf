// Birth-data files (.bd5): the in-memory birth-data table, reading and
// writing files, appending and deleting rows, the recent-files list, opening
// a path given as an argument, the sample file and the file commands.
//
// A .bd5 file is a plain sequence of 312-byte BirthRecord rows with no
// header.  The table holds 1024 rows; every row it holds is written, and a
// file is read up to the table's 1024 rows.  A file with more rows than
// that (not written by this program) is shown as far as it was read but
// never written over, so that its other rows are not lost.  Files are
// written safely (safe_file.h): links, rights and hard links stay as they
// were, and nothing is lost when the program stops at any moment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "base/birth_record.h"
#include "persistence/paths.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "platform/resource_ids.h"

// Row slots of the table, which are also the most rows read from a file.
constexpr int kTableSlots = 1024;
// Size of the file fields.
constexpr int kFileBufferSize = 261;
// First recent-file menu command (slot i is kRecentFileCommand + i).
constexpr int kRecentFileCommand = IDM_RECENT_FIRST;

// Name of the file that "新規作成" makes: no folder, asked for a real name
// when the program closes.
extern const char kUntitledFileName[];  // "無題.bd5"

// The birth-data table (hVirtualFile of the application state): a zeroed
// 319504-byte block; rows 0 .. iNumData-1 are in use, in file order.
#pragma pack(push, 1)
struct BirthTable {
  BirthRecord rows[kTableSlots];
  uint32_t dwMainWindow;  // 32-bit image of the main window handle; not read here
  // 1 when the rows are the current file's: read from it, or made for it
  // (the sample file, "新規作成", a save under a new name).  0 in a fresh
  // table and after a start whose read failed: such a table is never
  // written over the current file, which it never held.
  int32_t bHoldsFile;
  int32_t iNumData;       // rows in use, 0 .. 1024
  uint32_t reserved2;
};
#pragma pack(pop)
static_assert(sizeof(BirthTable) == 319504, "birth-data table block");
static_assert(offsetof(BirthTable, dwMainWindow) == 319488, "birth-data table block");
static_assert(offsetof(BirthTable, bHoldsFile) == 319492, "birth-data table block");
static_assert(offsetof(BirthTable, iNumData) == 319496, "birth-data table block");

// The file fields of the application state: the buffers of the shared open
// and save dialog, the file name of the caption and the previous file
// remembered by "新規作成".  The application state embeds one;
// PrepareFileDialog points ofn at this record's own buffers.
struct FileState {
  FileDialogSettings ofn;
  char szFile[kFileBufferSize];         // full path chosen in a file dialog
  char szFileTitle[kFileBufferSize];    // its file name
  char szCaptionFile[kFileBufferSize];  // file name shown in the caption
  char szPrevFile[kFileBufferSize];     // previous birth-data file
  int32_t nPrevData;                    // row count of the previous file
};

// --- Table and file ----------------------------------------------------------

// CheckFileRow: whether a row read from a file may enter the table, checked
// in the program's order: ValidateDateTime (from-file flag set, so its
// warning box comes first), the magic word, a name of 1..50 bytes, a month
// other than 0; also finite seconds and coordinates.  Returns 1 or 0.
int CheckFileRow(const BirthRecord& row);

// ReadBirthDataStream: reads rows from an open stream into the table (the
// file step of ReadBirthDataFile; szPath names the file in messages).
// Returns the rows read, 0 on a corrupt or empty file (the table untouched).
int ReadBirthDataStream(FILE* f, const char* szPath, BirthTable* pTable);

// ReadBirthDataFile: reads a .bd5 file into the table.  Rows are checked
// (CheckFileRow), renumbered and given their list lines; at most 1024 are
// read (a file with more says so in a box) and a short tail is ignored.
// The table changes only when at least one row was read and no row failed.
// Returns the rows read; 0 after the box "上記のファイルをひらけません" (no
// file; not a regular file; not readable: the box's last line says which),
// "ファイルが壊れています" (a row failed) or the zero-rows box.
int ReadBirthDataFile(const char* szPath, BirthTable* pTable);

// WriteBirthDataFile: writes rows 0 .. iNumData-1 (magic word set) to the
// path, safely (safe_file.h).  A file of more rows than the table holds is
// left as it is, with a box saying so.  Returns 1, or 0 after that box,
// "not open in w-mode" (cannot be created; not a regular file; a file this
// program may not read) or "!fwrite at WriteBirthDataFile" (a write failed;
// the old file is intact).
int WriteBirthDataFile(BirthTable* pTable, const char* szPath);

// OpenFileAsCurrent: reads the file; when rows were read it becomes the
// current file of the settings and the first recent file.  Returns the rows.
int OpenFileAsCurrent(const char* szPath, BirthTable* pTable, SystemIniInf* pSii, MenuRef hMenu);

// AppendRow: stores a record (bSave cleared) in slot iSlot, or after the last
// row when iSlot is 0, renumbered and with its list line; iNumData = slot + 1.
// A slot of 1024 or more shows "このﾌｧｲﾙはすでに一杯です。..." and changes
// nothing.  A slot past the last row means after the last row;
// storing into a row in use keeps the rows after it.
// Returns slot + 1, or 0 when the table is full.
int AppendRow(BirthRecord* pRec, BirthTable* pTable, int iSlot);

// DeleteRow: removes row iRow; later rows move down one slot (their iDataNo
// is renumbered at the next read).  A row outside 0 .. iNumData-1 is
// ignored.  Returns 1 when a row was removed.
int DeleteRow(BirthTable* pTable, int iRow);

// --- Recent files and opening by argument --------------------------------------

// AddRecentFile: puts a path into the recent-files list at position iPos
// (outside 0..9: 1): a listed path moves there, a new one is inserted and the
// oldest falls off a full list; then the menu is rebuilt.
void AddRecentFile(const char* szPath, SystemIniInf* pSii, MenuRef hMenu, int iPos);

// RebuildRecentMenu: the recent-file items "&%d %s" (1..9, then 0) as
// commands 45700.. (an empty list first receives the current file).
void RebuildRecentMenu(SystemIniInf* pSii, MenuRef hMenu);

// OpenByArgument: opens a command-line or dialog argument: a .bd5 file
// becomes the current file (nPrevData = its rows); .cd5 and .txt show
// "将来の拡張用"; "@velkor" resets the settings; anything else shows "無効な
// 引数".  On success the argument becomes the caption file name.
// Returns 50 when a birth-data file was opened, 0 otherwise.
int OpenByArgument(const char* szArg, SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable,
                   MenuRef hMenu);

// CreateSampleFile: makes the two sample people the whole table, the current
// file the default path (current folder + "出生ﾃﾞｰﾀ.Bd5", also the caption)
// and the first recent file.  The file is written at the next save point.
// A file already at the default path is never overwritten by the sample:
// when it reads, it is opened as current instead; when it does not, the
// sample table is named "無題.bd5", so that closing asks for a name.
// Returns the rows now in the table.
int CreateSampleFile(SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable, MenuRef hMenu);

// MakeSampleRow: the sample person of row 0 or 1.
void MakeSampleRow(int iRow, BirthRecord* pRec);

// PrepareFileDialog: the shared open/save structure: filter "出生データ
// (*.bd5)", index 1, the 260-byte path and title buffers of pFiles, file must
// exist, hide read-only, prompt before overwrite, default extension "bd5".
void PrepareFileDialog(FileState* pFiles, WindowRef hOwner);

// --- File commands ---------------------------------------------------------------

// IsUntitled: whether the current file is the untitled one that "新規作成"
// made (no folder yet: a save point never writes it, closing asks for a
// name).
bool IsUntitled(const SystemIniInf* pSii);

// SaveCurrentFile: the save point's write: the table goes to the current
// file when it holds that file's rows (bHoldsFile) and the file has a name.
// A table that never held the file (its read failed at start) and an
// untitled table are not written.  Returns 1 when written or when nothing
// was to be written, 0 after a reported failure.
int SaveCurrentFile(BirthTable* pTable, const SystemIniInf* pSii);

// AskUntitledName: the box that precedes the save dialog for untitled rows:
// "新規ファイル" / the file name / "ファイル名を付けてください。".
void AskUntitledName(const SystemIniInf* pSii);

// SavePoint: what a command does before it replaces the table (開く, a
// recent file, 新規作成): untitled rows are first given a name
// (AskUntitledName, then the save dialog); any other table is written to
// its file.  Returns 1 when the command may go on, 0 when the rows could not
// be kept (no name was given, or the write failed and said so): the command
// then stops and the table stays as it is.
int SavePoint(SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable, MenuRef hMenu);

// FileNewRow: files a person in the table (AppendRow).  A table that holds
// no file (the read at start failed) first becomes an untitled table, so
// that the person is never written over the file that could not be read.
// Returns AppendRow's result.
int FileNewRow(BirthRecord* pRec, BirthTable* pTable, SystemIniInf* pSii, FileState* pFiles);

// LeaveUntitledFile: an untitled file without rows is given up: the
// previous file becomes current again, nothing is written (that file is on
// disk as it was last written).  Closing calls it after the OK of
// "登録データのないファイル".
void LeaveUntitledFile(SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable);

// SaveAtExit: the exit's save point.  The table is written to its file.
// Untitled rows, which closing normally names, are kept in a new file in
// the program's folder ("無題.bd5", or "無題 (2).bd5" ... when taken), which
// becomes the current file; an untitled file without rows gives way to the
// previous file.  The settings then name a full path.
void SaveAtExit(SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable, MenuRef hMenu);

// OpenFileCommand ("開く"): the save point (skipped while a start-up request
// is pending), the open dialog, then OpenByArgument.  Returns 50 when a
// birth-data file was opened (the caller shows its list), 0 otherwise.
int OpenFileCommand(bool bStartupRequest, SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable,
                    MenuRef hMenu);

// OpenRecentFileCommand: commands 45700..45709: the save point, then the
// slot's path is opened by argument.  Returns 50 when it was opened.
int OpenRecentFileCommand(int iCommand, SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable,
                          MenuRef hMenu);

// NewFileCommand ("新規作成"): after the confirmation "出生データファイル
// (.bd5) を新規作成します", a table with rows passes the save point and its
// file is remembered as the previous file; then the table is emptied and
// named "無題.bd5".  Returns 1 when the table was emptied (the caller resets
// the chart slots), 0 on cancel.
int NewFileCommand(SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable, MenuRef hMenu);

// SaveAsCommand ("名前を付けて保存"): the save point (not when closing), the
// save dialog, then the table is written to the chosen path, added to the
// recent files (position 0 for .bd5, 1 otherwise), made current when it is
// a .bd5 and put into the caption.  Returns 1 when written.
int SaveAsCommand(bool bClosing, SystemIniInf* pSii, FileState* pFiles, BirthTable* pTable,
                  MenuRef hMenu);

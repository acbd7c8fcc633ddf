// The dialogs of Horomap.exe: time and name, place, the list of filed data,
// harmonic, season charts, the default-person wizard, the data confirmation
// box, the version, no-button and quotation boxes, the ephemeris choice and
// the solar-return list.
//
// Each dialog is a resource template of resources/horomap.rc with a thin
// procedure: it reads its controls, calls the entry rules (entry/), shows
// their boxes and writes the records.  A processor exception inside a
// procedure is reported with the exception box titled with the procedure's
// name.  "説明" and F1 show the dialog's help in the fairy window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/chart_record.h"
#include "persistence/data_file.h"
#include "persistence/settings.h"

// Message 2048 of the main window: a new person was confirmed (posted by
// the confirmation box, ShowDataConfirmBox).
constexpr UINT kMsgNewRecord = 2048;

// ShowTimeNameInput ("TimeNameInputDB"): the date, the time (JST) and, for
// new data, the name of the working record of the data-entry block.
//   iMode     the command's mode (entry/entry_rules.h: 0 new data, 60001 the
//             default person, 1 progressed, 2 transit, 38241 ephemeris,
//             38243 season, 38250/38251 the Sun's lists, 38300/38310 the
//             Moon's lists); it decides the title, presets and locks
//   iSubMode  101 edits the working record as it stands; for 38241 the
//             ephemeris step (above 300 whole days, above 200 whole hours,
//             below 0 seconds are typed)
// Mode and sub-mode are stored in the block.  Returns 1 when the user
// accepted (the working record is rewritten), 0 when cancelled.
int ShowTimeNameInput(HINSTANCE hInstance, HWND hOwner, HLOCAL hEntryBlock, int iMode, int iSubMode);

// ShowPlaceInput ("PlaceInputDB"): the place of the working record, a row
// of the 98-place list or typed latitude and longitude (Tokyo datum).
//   iMode  0 birthplace, 1 the place at that time, 2 the place now, 38243
//          a season chart's place (only the title's question differs)
// Returns 1 when accepted (szBirthPlace, dBirthLat and dBirthLong
// rewritten), 0 when cancelled or after an exception in the dialog.
int ShowPlaceInput(HINSTANCE hInstance, HWND hOwner, HLOCAL hEntryBlock, int iMode, int iSubMode);
// The place list box while the place dialog is open, else null: the
// keyboard hooks give it its Space key.
HWND PlaceListBox();

// RunFromFileDialog ("FromFileDB"): the list of the table's rows (the first
// 1000).  Returns the chosen row 0..999, -1 for an empty table, -2 for
// cancel or a failure.
int RunFromFileDialog(HWND hOwner, BirthTable* pTable);

// ChooseFiledRecord: the list, then a copy of the chosen row into *pDest.
// Returns 1 after copying, 0 otherwise.
int ChooseFiledRecord(HWND hOwner, BirthTable* pTable, BirthRecord* pDest);

// DeleteFiledRecord (command 32099, "不要データの削除"): "データの削除",
// the list, the question with the row's name and time, then the row is
// removed from the table (the file is written at the next save point).  An
// empty table shows "このファイルは登録データがないか、壊れています。"
// titled with szPath.  Returns 1 when a row was removed.
int DeleteFiledRecord(HWND hOwner, BirthTable* pTable, const char* szPath);

// ShowHarmonicInput ("HarmInputDB"): the harmonic number, proposed from the
// last one of this run (5 at first).  Returns the number x 1 000 000, or
// kHarmonicCancel (0x80000030).
int32_t ShowHarmonicInput(HWND hOwner);

// ShowSeasonInput ("VernalDB"): the year and kind of a season chart.
// Returns year + 10000 x kind (0 vernal, 1 summer, 2 autumnal, 3 winter),
// or -1 when cancelled.
int ShowSeasonInput(HWND hOwner);

// ShowEphemerisInput ("EphemerisDB"): the body and step of an ephemeris.
// Returns list index + step code (100..400) + 1000 when "きりのいい時刻" is
// checked, or -1 when cancelled.
int ShowEphemerisInput(HWND hOwner);

// ShowSolarReturnInput ("SolarReturnDB"): the solar returns of ages 0..100
// of the natal chart in the block's chart set (see PrepareSolarReturnEntry).
// Returns the chosen age with the working record's time set to that return
// (JST), or 0 when cancelled.
int ShowSolarReturnInput(HWND hOwner, HLOCAL hEntryBlock);

// RunDefaultDataWizard (command 60001 with step -1000, command 65000 with
// the step a page sent, the readings with -999): one step of the wizard
// that registers the user's own birth data and current place as the
// default person.  Pages are one modeless "WizardDB" window; each button
// sends command 65000 to hOwner with a step in lParam.
//   iCommand  the command issued when the wizard finishes; 0 keeps the one
//             remembered from an earlier call, except at step -1000 (the
//             menu's start), which issues none unless one is given
//   blocks    what the main window lends the wizard (WizardBlocks)
// A step that arrives while a step's dialog is open is ignored (0).
// Returns 1 when a page was shown, kWizardFinished when the person was
// registered and the default person's natal chart put into slot 0 (the
// caller marks the default person as shown), 0 when it ended without a
// change.
struct WizardBlocks {
  HINSTANCE hInstance;  // the program (null: the module of the templates)
  HLOCAL hEntryBlock;   // the data-entry block
  HLOCAL hVirtualFile;  // the birth-data table (BirthTable)
  FileState* pFiles;    // the main window's file fields
};
constexpr int kWizardFinished = 2;
int RunDefaultDataWizard(HWND hOwner, int iCommand, int iStep, SystemIniInf* pSii, ChartSlots* pSlots,
                         const WizardBlocks& blocks);
// The wizard's page window, or null.
HWND WizardWindow();

// ShowDataConfirmBox: the modeless "これでよろしいですか？" box on the
// "AppMessageBox" template with the record's name, time and birthplace.
// The box holds the person and the chart computed from it as they are now:
// "は い" posts message 2048 to the main window with the held chart as
// lParam; "訂正 (&R)" posts command 10001 with lParam 101, which reopens the
// time-and-name dialog on the held person (ConfirmedPerson); any button
// closes the box.  Returns the box, or null.
HWND ShowDataConfirmBox(const BirthRecord& rec, const ChartRecord& chart);
// The confirmation box while it is open, else null (the message loop gives
// it its dialog keys).
HWND DataConfirmBox();
// The person of the last confirmation box, as entered.
const BirthRecord& ConfirmedPerson();

// ShowVersionBox ("VersionDB", command 53290): the operating system, the
// working folder, the build date and the free disk space.
void ShowVersionBox(HWND hOwner);

// ShowQuotationBox ("VuzerazDB", command 50003).
void ShowQuotationBox(HWND hOwner);

// ShowNoButtonBox ("NoButtonDB"): a box without buttons over the desktop;
// each non-null text replaces the static 256, 257 or 258.  With bTimed it
// stays 3000 ms and is destroyed (the result is then null); otherwise the
// caller destroys the returned window.
HWND ShowNoButtonBox(const char* szLine1, const char* szLine2, const char* szLine3, int bTimed);

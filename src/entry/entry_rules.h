// What the data-entry dialogs of the Windows program accept: the rules of
// the time-and-name dialog, the place dialog, the list of filed data, the
// harmonic and season dialogs, the ephemeris choice, the default-person
// wizard and the version box.
//
// The dialogs read their controls into the texts and flags below, call
// these functions and write the records; every question and refusal box is
// shown from here through the platform layer, so the whole order of checks
// runs natively in the unit tests.  Texts are Shift-JIS.
#pragma once

#include <cstdint>

#include "base/birth_record.h"
#include "persistence/data_file.h"
#include "persistence/settings.h"
#include "platform/platform.h"

// ---------------------------------------------------------------------------
// Numbers typed into edits

// ParseDecimalText: a decimal number ("-12", "+3.5", "1e3", ".5") with
// optional blanks before it and nothing but blanks after it.  Hexadecimal,
// "inf" and "nan" are not numbers here.  Returns 1 and *pd, or 0.
int ParseDecimalText(const char* szText, double* pd);

// ParseIntegerText: a signed whole number of at most 9 digits with optional
// blanks before and after it.  Returns 1 and *pi, or 0.
int ParseIntegerText(const char* szText, int32_t* pi);

// DecimalPrefix: the value of the decimal number the text begins with
// (blanks skipped); 0 when it begins with none.
double DecimalPrefix(const char* szText);

// ---------------------------------------------------------------------------
// Time-and-name dialog ("TimeNameInputDB")

// Modes: the command that asks for a moment decides the title, the presets
// and the locks.
enum TimeEntryMode : int {
  kTimeEntryNewData = 0,          // new birth data
  kTimeEntryProgressed = 1,       // the moment of a progressed chart
  kTimeEntryTransit = 2,          // the moment of a transit chart
  kTimeEntryEphemeris = 38241,    // the start of an ephemeris
  kTimeEntrySeason = 38243,       // the year of a season chart
  kTimeEntrySunIngress = 38250,   // the year of the sign-ingress list
  kTimeEntrySolarTerms = 38251,   // the year of the solar-term list
  kTimeEntryMoonIngress = 38300,  // the year and month of the Moon-ingress list
  kTimeEntryMoonPhases = 38310,   // the reference moment of the lunar phases
  kTimeEntryDefaultPerson = 60001,  // the user's own birth data (a name is required)
};
// Sub-mode that edits the working record as it stands (the "訂正" button of
// the confirmation box).
constexpr int kTimeEntryEditRecord = 101;
// Sub-mode of the wizard's time step.
constexpr int kTimeEntryWizard = 128;

// Years the dialog accepts (the computable period announced to the user).
constexpr int kFirstEntryYear = -4000;
constexpr int kLastEntryYear = 8000;
// Longest name kept; a longer one is cut after confirmation.
constexpr int kMaxEntryNameBytes = 30;
// Characters read from the edits, as the dialog reads them.
constexpr int kYearTextChars = 9;
constexpr int kSecondsTextChars = 9;
constexpr int kNameTextBytes = 99;

// The controls of the dialog that TimeEntryForm presets.
enum TimeEntryField : int {
  kFieldYear = 0,
  kFieldMonth,
  kFieldDay,
  kFieldHour,
  kFieldMinute,
  kFieldSeconds,
  kFieldName,
  kNumTimeEntryFields,
};

// What the dialog shows when it opens: the text and state of every field
// and of the two check boxes "時間は分からない" and "秒を指定".
struct TimeEntryForm {
  char szText[kNumTimeEntryFields][kNameFieldSize * 2];
  bool bEnabled[kNumTimeEntryFields];
  bool bUnknownTimeChecked;
  bool bUnknownTimeEnabled;
  bool bSecondsChecked;
  bool bSecondsEnabled;
};

// TimeEntryTitle: the window title of a mode ("(11)" for an unknown mode).
const char* TimeEntryTitle(int iMode);

// MakeTimeEntryForm: the opening of the dialog.
//   pRec   the dialog's private copy of the working record; its bTimeKnown
//          and bSecondsGiven are set for a fresh entry (every sub-mode but
//          101), and read for sub-mode 101
//   now    the local clock (JST)
// Sub-mode 101 shows the record (seconds "%04.1f", the name when bSave is
// set); any other sub-mode shows the local time with the presets and locks
// of the mode (seconds "00.0").
void MakeTimeEntryForm(int iMode, int iSubMode, BirthRecord* pRec, const LocalClock& now,
                       TimeEntryForm* pForm);

// The texts of the fields as the dialog reads them when the user accepts.
struct TimeEntryTexts {
  char szYear[kYearTextChars + 1];
  char szMonth[16];
  char szDay[16];
  char szHour[16];
  char szMinute[16];
  char szSeconds[kSecondsTextChars + 1];
  char szName[kNameTextBytes + 1];
};

// AcceptTimeEntry: the accepting steps in order, each refusal with its box
// over hOwner: the year ("年数を確認！"; year 0 asks "確認"), month, day, hour
// and minute as integers, the seconds when pRec->bSecondsGiven ("秒を確認！"),
// missing integers ("入力が不足！"), ValidateDateTime with the record's name,
// the provisional-noon notice when the time is unknown (the time becomes
// 12:00:00), and in modes 0 and 60001 the name: more than 30 bytes asks
// "とても長い名前！" and is cut to 30 bytes without splitting a double-byte
// character; empty gives "(No Name)" (mode 0) or the refusal "名前を入力して
// ください" (mode 60001).  Mode 38243 names the record "春分図".
//   pRec      the private copy; rewritten only when accepted
//   piFocus   the field to focus after a refusal (a TimeEntryField)
// Returns 1 when accepted, 0 when the dialog stays open.
int AcceptTimeEntry(WindowRef hOwner, int iMode, const TimeEntryTexts& texts, BirthRecord* pRec,
                    int* piFocus);

// ---------------------------------------------------------------------------
// Place dialog ("PlaceInputDB")

// Modes of the place dialog: only the question of the title differs.
enum PlaceEntryMode : int {
  kPlaceEntryBirth = 0,       // "どこで生まれましたか？" (any mode not below)
  kPlaceEntryThen = 1,        // "そのときどこにいる(いた)か？"
  kPlaceEntryNow = 2,         // "いまどこにいますか？"
  kPlaceEntrySeason = 38243,  // "場所の指定"
};
// Characters read from each coordinate edit.
constexpr int kCoordinateTextChars = 29;
// The coordinate fields when the list is used.
extern const char kDefaultLatitudeText[];   // "35.6500"
extern const char kDefaultLongitudeText[];  // "139.7500"

// PlaceEntryTitle: the question of the mode followed by "  (%s)" with the
// record's name, into szOut of cbOut bytes.  Returns the length written.
int PlaceEntryTitle(int iMode, const char* szName, char* szOut, int cbOut);

// AcceptTypedPlace: typed latitude and longitude (decimal degrees, north and
// east positive; text that is not a number counts as 0) become the
// birthplace "%+.4f : %+.4f".  Beyond ±90 or ±180 the box "無効な経緯度"
// refuses and pRec is unchanged.  Returns 1 when stored, 0 when refused.
int AcceptTypedPlace(WindowRef hOwner, const char* szLat, const char* szLong, BirthRecord* pRec);

// AcceptListedPlace: the row iRow of the place list becomes the birthplace
// (its name without leading blanks).  A row outside the list is reported
// ("PlaceInputDFunc", "OOR/iRow") and gives 0.  Returns 1 when stored.
int AcceptListedPlace(int iRow, BirthRecord* pRec);

// ---------------------------------------------------------------------------
// List of filed data ("FromFileDB")

// Results of the list besides a row index 0..999.
constexpr int kFiledListEmpty = -1;
constexpr int kFiledListCancel = -2;
// Rows the list shows at most.
constexpr int kFiledListRows = 1000;

// FiledListOpening: the opening check of the row count iNumData: negative
// is reported ("FromFileDB : 異常値 : lpvf->iNumData = %d") and gives -2;
// zero gives -1; above 1000 the box "このファイルには%d件のデータが登録されて
// います。初めの1000件が表示可能です。" is shown.  Returns the rows to list
// (1..1000), or -1 or -2 when the list closes at once.
int FiledListOpening(WindowRef hOwner, int iNumData);

// FiledListChoice: the selection k when the user chooses: k in 0 .. iRows-1
// is returned; anything else is reported in the failure box
// "FromFileDB: LB_GETCURSEL: k=%d(-1 = LB_ERR)" and gives -2.
int FiledListChoice(WindowRef hOwner, int k, int iRows);

// AskDeleteRow: the question before a row is deleted: AppOkCancelMsg
// "次のデータを削除してよろしいですか？" with the row's name and birth time.
// Returns 1 for OK.
int AskDeleteRow(WindowRef hOwner, const BirthRecord& row);

// ---------------------------------------------------------------------------
// Harmonic dialog ("HarmInputDB")

constexpr double kMinHarmonic = 0.1;
constexpr double kMaxHarmonic = 2147.0;
// Result of a cancelled harmonic dialog.
constexpr int32_t kHarmonicCancel = static_cast<int32_t>(0x80000030u);
constexpr int kHarmonicTextChars = 19;

// HarmonicProposal: the number the dialog proposes when it opens: the last
// one (*pdLast), except that 1.0 becomes 5.0 (and is kept as the last one).
double HarmonicProposal(double* pdLast);

// FormatHarmonic: the edit's text of a harmonic number: "%.0f" for a whole
// number, else "%+.5f" from 10 up in size and "%+.6f" below.
int FormatHarmonic(double dHarmonic, char* szOut, int cbOut);

// ParseHarmonicText: a decimal number followed by nothing but blanks, with
// 0.1 <= |h| <= 2147.  Returns 1 and *pd, or 0.
int ParseHarmonicText(const char* szText, double* pd);

// HarmonicResult: the dialog's result for h: h x 1 000 000 rounded to the
// nearest integer (0.3 gives 300000, not 299999).
int32_t HarmonicResult(double dHarmonic);

// AcceptHarmonicText: "入力完了": a valid number becomes *pdLast; 1 asks
// whether to return to the ordinary chart (No keeps the dialog open); an
// invalid text shows the warning box captioned with the text and sets
// *pdLast to 1.  Returns 1 and the dialog's result in *piResult when the
// dialog closes, 0 when it stays open.
int AcceptHarmonicText(WindowRef hOwner, const char* szText, double* pdLast, int32_t* piResult);

// ---------------------------------------------------------------------------
// Season-chart dialog ("VernalDB")

constexpr int kNumSeasonKinds = 4;
constexpr int kSeasonTextChars = 7;
constexpr int kSeasonCancel = -1;
// Chart names by kind: "春分図", "夏至図", "秋分図", "冬至図".
extern const char* const kSeasonChartNames[kNumSeasonKinds];

// AcceptSeasonYear: "え ら ぶ": the leading whole number of the text (blanks
// skipped) must exist and lie in 0..9999, otherwise the box "入力が未完了
// または無効" keeps the dialog open.  iKind 0..3 (vernal .. winter).
// Returns 1 and year + 10000 x kind in *piResult, or 0.
int AcceptSeasonYear(WindowRef hOwner, const char* szText, int iKind, int* piResult);

// DecodeSeasonChoice: kind and year of a dialog result.  Returns 0 for a
// cancel or any result outside 0..39999.
int DecodeSeasonChoice(int iResult, int* piKind, int* piYear);

// ---------------------------------------------------------------------------
// Ephemeris dialog ("EphemerisDB")

// EphemStepFromButtons: the step code of the checked radio button, tested
// in the order one second, one minute, one hour; one day when none is.
int EphemStepFromButtons(bool bSecond, bool bMinute, bool bHour);
// EncodeEphemChoice: the dialog's result: list index + step code, + 1000
// when "きりのいい時刻" is checked (decoded by DecodeEphemChoice).
int EncodeEphemChoice(int iBody, int iStep, bool bAligned);

// ---------------------------------------------------------------------------
// Default-person wizard ("WizardDB")

// Steps of the wizard (the parameter of command 65000).
enum WizardStep : int {
  kWizardStart = -1000,      // from the menu: ask first when a default person exists
  kWizardIntro = -999,       // from the readings
  kWizardTimeName = -998,    // the time-and-name dialog, mode 60001
  kWizardBirthPlace = -997,  // the place dialog, mode 0; the default person is replaced
  kWizardNowPlace = -996,    // the place dialog, mode 2
  kWizardFinish = -995,
  kWizardCancel = -9999,     // "中 止" and Cancel
};

// What a step does before its page is shown.
enum WizardAction : int {
  kWizardActionEnd = 0,          // "設定を中止します。", end
  kWizardActionAskReplace,       // step -1000
  kWizardActionNone,             // step -999
  kWizardActionTimeName,         // step -998
  kWizardActionBirthPlace,       // step -997
  kWizardActionNowPlace,         // step -996
  kWizardActionFinish,           // step -995
};
WizardAction WizardStepAction(int iStep);

// WizardPageText: the page shown after step iStep (-1000 .. -997); null for
// the other steps.  *pbBackEnabled tells whether "戻る" may be pressed.
const char* WizardPageText(int iStep, bool* pbBackEnabled);

// WizardReplaceQuestion: the question of step -1000 when a default person
// exists: its name, time, birthplace and current place.
int WizardReplaceQuestion(const BirthRecord& person, char* szOut, int cbOut);
// WizardConfirmPage: the last page: the default person's name, time and
// birthplace and the place just chosen.
int WizardConfirmPage(const BirthRecord& person, const char* szNowPlace, char* szOut, int cbOut);

// FinishDefaultPerson: step -995: the place chosen last (the birthplace
// fields of nowPlace) becomes the default person's current place, iMarker
// 1, the settings mark a registered default person, the person is filed in
// the table (FileNewRow, with the file fields pFiles) and then carries
// iDataNo -8.  Returns 1; 0 when the table is full or null (the settings are
// still updated).
int FinishDefaultPerson(SystemIniInf* pSii, BirthTable* pTable, FileState* pFiles, const BirthRecord& nowPlace);

// ---------------------------------------------------------------------------
// Version box ("VersionDB")

// VersionOsIndex: the platform of the start-up check: 0 Windows 95 (4.0,
// not NT), 1 Windows NT (the NT family), 2 Windows 98 or newer (later
// non-NT), 3 not recognised (below 4).
int VersionOsIndex(int iMajor, int iMinor, bool bNtFamily);
// VersionOsLine: "オペレーティングシステム : " and the name.
int VersionOsLine(int iOsIndex, char* szOut, int cbOut);
// VersionFolderLine: "作業フォルダ : %s" with the folder cut to 50 bytes
// without splitting a double-byte character, followed by "..." when the
// folder was longer.
int VersionFolderLine(const char* szFolder, char* szOut, int cbOut);
// FreeMegabytes: sectors per cluster x bytes per sector x free clusters
// / 1 048 576, computed without 32-bit overflow.
double FreeMegabytes(uint32_t dwSectorsPerCluster, uint32_t dwBytesPerSector, uint32_t dwFreeClusters);
// VersionFreeSpaceLine: "このドライブ[%s]には %.1f MBの".
int VersionFreeSpaceLine(const char* szFolder, double dMegabytes, char* szOut, int cbOut);

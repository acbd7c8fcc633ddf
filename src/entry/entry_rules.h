// What the data-entry dialogs of the Windows program accept: the rules of
// the time-and-name dialog and of the clock a birth time was read on, the
// place dialog, the list of filed data, the harmonic and season dialogs,
// the ephemeris choice, the default-person wizard and the version box.
//
// The dialogs read their controls into the texts and flags below, call
// these functions and write the records; every question and refusal box is
// shown from here through the platform layer, so the whole order of checks
// runs natively in the unit tests.  Texts are Shift-JIS.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/birth_record.h"
#include "persistence/data_file.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "time/zones.h"

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
// The clock of a birth time (time-and-name dialog, modes 0 and 60001)
//
// The program stores JST.  A birth abroad is known by the local clock, and
// a Japanese birth of the summers 1948..1951 may be recorded on a clock one
// hour ahead of JST: the dialog's clock chooser reads the typed time on
// such a clock and stores its JST moment, converted as `horomira --zone`
// converts (time/zones.h).  Left at 「日本時間」 without the summer-time
// tick, the typed time is JST as it always was.

// The chooser's rows: 「日本時間」 first, then the zones of the zone table
// after Asia/Tokyo (the place list's foreign cities, then the world's
// largest cities) by their Japanese names, then a fixed UT offset.
constexpr int kZoneChoiceJapan = 0;
// ZoneChoiceCount: the number of rows (ZoneCount() + 1).
int ZoneChoiceCount();
// ZoneChoiceOffsetRow: the last row, "a UT offset typed as ±HH:MM".
int ZoneChoiceOffsetRow();
// ZoneChoiceText: the row's text ("日本時間", "アメリカ合衆国－ニューヨーク",
// "UTC との時差（±時:分）") into szOut; "" for a row outside the list.
// Returns the length written.
int ZoneChoiceText(int iRow, char* szOut, int cbOut);
// ZoneOfChoice: the zone of a row: kZoneJapan for 「日本時間」 and for a row
// outside the list (no selection), the table's zone, kNoZone for the
// offset row.
int ZoneOfChoice(int iRow);
// ChoiceOfZone: the row of a zone (kNoZone: the offset row; an index
// outside the table: 「日本時間」).
int ChoiceOfZone(int iZone);

// TimeEntryHasZone: whether a mode of the dialog offers the chooser: new
// data (0) and the default person (60001).  The moments of the progressed
// and transit charts and of the listings are JST: the chart, its time steps
// and the listings show them so, and no box would show the conversion.
bool TimeEntryHasZone(int iMode);

// How the chooser's row came about.
enum ZoneSource : int32_t {
  kZoneSourceDefault = 0,  // untouched: 「日本時間」
  kZoneSourceUser = 1,     // the user chose the row, ticked or typed an offset
  kZoneSourcePlace = 2,    // preselected from the birthplace's row
};

// What the data-entry block keeps of a birth time's clock beside the
// working record (which holds the JST moment): the choice, the reading as
// typed, and the birthplace's zone.  Zero-filled it is 「日本時間」,
// untouched, nothing converted.
#pragma pack(push, 1)
struct TimeZoneEntry {
  int32_t iZone;         // kZoneJapan (「日本時間」), a zone of the table, or
                         // kNoZone (a fixed offset)
  int32_t lOffset;       // kNoZone: the standard UT offset typed, seconds east
  int32_t bSummerTime;   // 「夏時間で記録された時刻」: the clock was one hour
                         // ahead (「日本時間」 and a fixed offset)
  int32_t iSource;       // ZoneSource of iZone
  int32_t bConverted;    // 1: the working record's time is the JST moment of
                         // `local`; 0: the typed time was taken as JST
  int32_t iOccurrence;   // the moment the user chose of a doubled hour
  DateTime local;        // bConverted: the clock reading as typed
  ZoneOffset applied;    // bConverted: the offset the JST was computed with
  int32_t iPlaceZone;    // the zone of the birthplace chosen last
                         // (PlaceZone); kNoZone for typed coordinates
};
#pragma pack(pop)
static_assert(sizeof(TimeZoneEntry) == 64, "TimeZoneEntry is a fixed record of the data-entry block");
static_assert(offsetof(TimeZoneEntry, local) == 24, "TimeZoneEntry layout");
static_assert(offsetof(TimeZoneEntry, applied) == 52, "TimeZoneEntry layout");
static_assert(offsetof(TimeZoneEntry, iPlaceZone) == 60, "TimeZoneEntry layout");

// A control the accepting steps may focus besides the fields: the offset.
constexpr int kFieldUtcOffset = kNumTimeEntryFields;
// Characters read from the offset edit ("UTC+14:00").
constexpr int kUtcOffsetTextChars = 9;

// What the chooser shows when the dialog opens.
struct ZoneEntryForm {
  int iRow;                                // the chooser's row
  char szOffset[kUtcOffsetTextChars + 1];  // the offset edit: "" or "-05:00"
  bool bSummerChecked;                     // the tick
  bool bFromPlace;                         // the row follows the birthplace
  int32_t iSource;                         // ZoneSource of the row
};

// MakeZonedTimeEntryForm: the opening of the dialog with its chooser.
// MakeTimeEntryForm, except that sub-mode 101 of a converted entry shows
// the clock reading as typed (`held.local`) instead of the record's JST.
// The row is the held choice; an untouched or preselected one follows the
// birthplace's row when one was chosen (a foreign row gives its city's
// zone, a row in Japan 「日本時間」; typed coordinates change nothing).
// Modes without the chooser: MakeTimeEntryForm and 「日本時間」.
void MakeZonedTimeEntryForm(int iMode, int iSubMode, BirthRecord* pRec, const TimeZoneEntry& held,
                            const LocalClock& now, TimeEntryForm* pForm, ZoneEntryForm* pZoneForm);

// What the chooser's controls show while the user types: which of them
// are open, the group's title over the date fields and a one-line notice.
struct ZoneEntryLive {
  bool bChooserEnabled;  // modes with the chooser while the time is known
  bool bOffsetEnabled;   // the offset row
  bool bSummerEnabled;   // 「日本時間」 at a reading in Japan's summer time,
                         // and the offset row
  const char* szTimeGroup;  // "日本時間（24時間制）" or "現地の時計（24時間制）"
  const char* szNotice;     // JapanSummerTimeNotice, or what the row does; ""
};

// ZoneEntryLiveState: the state for the texts as typed (year to minute;
// a reading that is not complete yet has no summer-time notice).
//   iRow        the chooser's row
//   bFromPlace  the row was preselected from the birthplace
//   bTimeKnown  "時間は分からない" is not checked
void ZoneEntryLiveState(int iMode, int iRow, bool bFromPlace, bool bTimeKnown, const TimeEntryTexts& texts,
                        ZoneEntryLive* pLive);

// The chooser's controls as the dialog reads them when the user accepts.
struct ZoneEntryChoice {
  int32_t iRow;                            // the chooser's row
  char szOffset[kUtcOffsetTextChars + 1];  // the offset edit
  bool bSummerTime;                        // the tick
  int32_t iSource;                         // ZoneSource of the row
};

// AcceptZonedTimeEntry: AcceptTimeEntry with the clock of the chooser.  In
// modes without it, AcceptTimeEntry (pZone untouched).  Otherwise, after
// the calendar check of the reading and before the provisional noon and
// the name, the reading becomes JST:
//   「日本時間」: as typed; with the tick at a reading of Japan's summer time
//     one hour is taken off (JapanSummerClockToJst; a doubled reading is
//     then the summer one), and a reading the clocks skipped is refused
//   a zone: LocalToJst; a skipped reading is refused ("存在しない時刻です"),
//     a doubled one asks which (AppMsgBox: Yes the earlier, summer time;
//     No the later, standard time; Cancel keeps the dialog)
//   the offset row: the offset text (ParseUtcOffset, refused with
//     "UTC との時差を確認！") and OffsetToJst with the tick
// and the JST moment must lie in the computable years ("年数を確認！") and
// pass the calendar check.  An unknown time is JST noon, never converted.
//   pZone     the held entry: the choice, the reading and the offset are
//             written when accepted (iPlaceZone kept); untouched otherwise
//   piFocus   a TimeEntryField, or kFieldUtcOffset
// A refusal or a cancelled question leaves pRec and pZone as they were.
// Returns 1 when accepted, 0 when the dialog stays open.
int AcceptZonedTimeEntry(WindowRef hOwner, int iMode, const TimeEntryTexts& texts, const ZoneEntryChoice& choice,
                         BirthRecord* pRec, TimeZoneEntry* pZone, int* piFocus);

// ZoneChoiceMayConvert: false for 「日本時間」 without the tick, whose
// reading is JST as typed; true for every other choice.
bool ZoneChoiceMayConvert(const ZoneEntryChoice& choice);

// ReadBirthClock: the step of AcceptZonedTimeEntry that reads a checked
// clock reading on the chosen clock, with its refusals and its question.
//   reading     the reading as typed (a leap second is checked here, as
//               one of JST, when the choice may convert)
//   pJst        receives the JST moment (the reading itself when nothing
//               was converted)
//   pZone       receives the held entry (iPlaceZone kept)
// Returns 1, or 0 with *piFocus and both outputs untouched.
int ReadBirthClock(WindowRef hOwner, const char* szDataName, const DateTime& reading, const ZoneEntryChoice& choice,
                   DateTime* pJst, TimeZoneEntry* pZone, int* piFocus);

// NoteBirthplaceZone: what the place dialog leaves for the time dialog:
// in mode kPlaceEntryBirth the zone of the row chosen (iRow of the place
// list; -1 for typed coordinates, which give kNoZone).  Other modes
// change nothing.
void NoteBirthplaceZone(int iPlaceMode, int iRow, TimeZoneEntry* pZone);

// ZoneConfirmLines: the two time lines of the confirmation box for a
// converted entry: the reading as typed with its zone and offset
// (" 1990年 7月 4日 12時 0分00秒  ニューヨーク (UTC-04:00 夏時間)") and the
// JST moment stored (" 1990年 7月 5日  1時 0分00秒  日本時間で記録").
// Returns 1, or 0 (nothing written) when the entry was not converted and
// the box shows the JST time alone, as always.
int ZoneConfirmLines(const BirthRecord& rec, const TimeZoneEntry& zone, char* szLocal, int cbLocal, char* szJst,
                     int cbJst);

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
// The same for a time typed on another clock (zone converted): the reading
// as typed and its zone and offset below the JST time; WizardConfirmPage
// when nothing was converted.
int WizardConfirmPage(const BirthRecord& person, const TimeZoneEntry& zone, const char* szNowPlace, char* szOut,
                      int cbOut);

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

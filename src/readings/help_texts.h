// Help and hint texts of the Windows program: the help index, the fairy's
// hints, the support and printing explanations, the help (F1) texts of the
// dialogs, the texts of the greeting, version and quotation boxes, and the
// house-system explanations of the settings menu.
//
// Texts are Shift-JIS.  Texts shown in the fairy window or the popup window
// (multi-line edit controls) end their lines in CR LF; texts shown in a
// message box end them in LF.  The windows that show the texts live in
// shell/ and dialogs/; this file only holds the words.
#pragma once

// ---------------------------------------------------------------------------
// Help index ("HelpListDB", F2): topic titles in list order and their texts,
// shown in the popup window with the topic's title.

constexpr int kHelpTopicCount = 30;

// HelpTopicTitle: the list title of topic iTopic (0..29), some indented by
// two blanks as the list shows them; nullptr outside 0..29.
const char* HelpTopicTitle(int iTopic);

// HelpTopicText: the text of topic iTopic (0..29); topics 11 and 12 (aspects,
// orbs) give the aspect help text kAspectHelpText.  nullptr outside 0..29.
const char* HelpTopicText(int iTopic);

// The index dialog's caption and its F1 text (shown once per run).
extern const char kHelpIndexTitle[];   // "ﾎﾛﾐﾗのﾍﾙﾌﾟ - さくいん"
extern const char kHelpIndexF1Text[];  // "表示したい項目のうえでダブルクリックしてください"

// ---------------------------------------------------------------------------
// Fairy hints (F1 on the main window): one hint per situation; the first
// situation that matches, in the order 0, 1, 2, 3, 5, 4, 6, 7, wins.

constexpr int kFairySituationCount = 8;
enum FairySituation {
  kFairyDefaultPerson = 0,  // the default person's charts are shown
  kFairySolarReturn = 1,    // the shown chart is a solar return
  kFairyHarmonic = 2,       // the shown chart's harmonic is not 1
  kFairyDerivedChart = 3,   // the shown chart is progressed or transit
  kFairyChartView = 4,      // view 0, the wheel and its summary panel
  kFairyDoubleCircle = 5,   // the double-circle view or double-chart mode
  kFairyDetailView = 6,     // view 1, the detailed positions
  kFairyTimeView = 7,       // view 2, geodesy and time (no situation text)
};

// FairyHintTitle / FairyHintText: the title and the situation text of
// situation iSituation (0..7); "" as the text of situation 7; nullptr
// outside 0..7.  The fairy window shows "  %s%s%s" of the repeat notice
// (or ""), the situation text and kFairyClosingText.
const char* FairyHintTitle(int iSituation);
const char* FairyHintText(int iSituation);

extern const char kFairyClosingText[];  // "\r\n\r\n  ほかに知りたいことがありますか？ ..."
extern const char kFairyRepeatNotice[]; // " ...さきほどと同じメッセージです... \r\n\r\n"
// F1 inside the fairy or popup window, in the wizard ("Wizard" caption),
// shown once per run: "追加情報なし".
extern const char kNoMoreInformation[];

// ---------------------------------------------------------------------------
// Support message (command 50001): a message box (LF line ends).
extern const char kSupportTitle[];  // "最新版とサポートについて"
extern const char kSupportText[];

// Printing explanation (command 55000, menu "印刷"): the popup window with
// the button "ヘルプ [B]".  It points at 図を印刷 (55001), 図を保存 (55002)
// and the picture that Ctrl+C puts on the clipboard beside the text.
extern const char kPrintingTitle[];   // "印刷について"
extern const char kPrintingButton[];  // "ヘルプ [B]"
extern const char kPrintingText[];

// ---------------------------------------------------------------------------
// Fairy-window help of the dialogs ("説明" button or F1): a title and a text.
struct FairyHelp {
  const char* szTitle;
  const char* szText;
};

// "TimeNameInputDB": the general help ("説明", F1 elsewhere in the dialog).
extern const FairyHelp kTimeNameHelp;
// "TimeNameInputDB": F1 over the clock, the offset or the summer-time box.
extern const FairyHelp kTimeZoneHelp;
// "TimeNameInputDB": F1 over the seconds edit or the "秒を指定" box.
extern const FairyHelp kSecondsHelp;
// "TimeNameInputDB": F1 over the "時間は分からない" box.
extern const FairyHelp kUnknownTimeHelp;
// "PlaceInputDB": "説明" or F1.
extern const FairyHelp kPlaceHelp;
// "FromFileDB", the list of filed data: "説明" or F1.
extern const FairyHelp kFiledDataHelp;
// "HarmInputDB": "説明" or F1.
extern const FairyHelp kHarmonicHelp;
// "VernalDB", the season charts: "説明" or F1.
extern const FairyHelp kSeasonHelp;
// "SolarReturnDB": "説明" or F1.
extern const FairyHelp kSolarReturnHelp;
// "EphemerisDB": "説明" or F1.
extern const FairyHelp kEphemerisHelp;
// The data confirmation box after new data: F1.
extern const FairyHelp kConfirmHelp;
// The popup list ("HelpListDB" with the popup-list procedure): F1.  The
// title is the one the list has always used, CR LF and blanks included.
extern const FairyHelp kPopupListHelp;

// ---------------------------------------------------------------------------
// Default-person wizard ("WizardDB"): the page texts shown after the steps
// -1000 .. -997, the question when a default person exists (a format of
// name, time, birthplace, current place), the last page (a format of the
// same four) with its title and button.
extern const char kWizardIntroPage[];        // after step -1000
extern const char kWizardTimeNamePage[];     // after step -999
extern const char kWizardBirthPlacePage[];   // after step -998
extern const char kWizardCurrentPlacePage[]; // after step -997
extern const char kWizardReplaceQuestion[];  // "すでにデフォルトの出生データ ... %s ..."
extern const char kWizardConfirmPage[];      // "%s\r\n%s生まれ\r\n出生地 %s\r\n現在地 %s"
// The last page of a birth time typed on another clock: the reading as
// typed and, below it, its zone and offset, after the JST time.
extern const char kWizardConfirmPageZoned[];  // "%s\r\n%s生まれ（日本時間）\r\n入力した時刻%s\r\n  ..."
extern const char kWizardConfirmTitle[];     // "確認してください"
extern const char kWizardConfirmButton[];    // "ＯＫ [A]"

// ---------------------------------------------------------------------------
// No-button box ("NoButtonDB"): the template's own lines (statics 256..258),
// the title page's three lines and the line shown while the file
// association is registered.
extern const char* const kNoButtonLines[3];
extern const char* const kTitlePageLines[3];
extern const char kAutoSetupLine[];  // "    自動設定中 ..."

// Quotation box ("VuzerazDB", menu "ホロミラによせて"): its caption and its
// texts in order, one static each.
constexpr int kQuotationCount = 3;
extern const char kQuotationTitle[];  // "ホロミラによせて"
extern const char* const kQuotationTexts[kQuotationCount];

// Version box ("VersionDB"): the operating-system line and names indexed as
// Windows 95, NT, 98 or newer, unknown; the formats of the folder and the
// free-space lines.
extern const char kVersionOsLabel[];           // "オペレーティングシステム : "
extern const char* const kVersionOsNames[4];
extern const char kVersionFolderFormat[];      // "作業フォルダ : %s"
extern const char kVersionFreeSpaceFormat[];   // "このドライブ[%s]には %.1f MBの"
extern const char kVersionFreeSpaceLine2[];    // "空きが認識されます。"

// FormatBuildDate: the version box's build-date line, "作成日 : %d年%d月%d日
// %s", from a build stamp in the forms of __DATE__ ("Mmm dd yyyy") and
// __TIME__ ("hh:mm:ss").  A stamp whose month is not recognised is printed
// as given ("作成日 : %s %s").  Writes at most iCapacity bytes including
// the terminator into szBuf, cut without splitting a double-byte
// character; returns the length written, 0 when szBuf is null or iCapacity
// is not positive.
int FormatBuildDate(char* szBuf, int iCapacity, const char* szDate, const char* szTime);

// ---------------------------------------------------------------------------
// House systems (commands 44401..44404): the three lines of the OK/Cancel
// box titled "ハウスシステム", indexed by command - 44401 (equal, Placidus,
// Sun on the first cusp, 0 Aries on the first cusp).
constexpr int kHouseSystemCount = 4;
extern const char kHouseSystemHeading[];  // "ハウスシステム"
extern const char* const kHouseSystemLines[kHouseSystemCount][3];

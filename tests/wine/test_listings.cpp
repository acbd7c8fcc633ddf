// The commands that show a text, walked in Horomap.exe as a user would, in
// one road from a first start:
//
//  1. Readings at start-up, before the user registered a default person:
//     F4 asks "あなたについての占いを しますか？" (No: another person);
//     the quick menu's fortune starts the default-person wizard, whose end
//     brings today's fortune of the new default person.
//  2. Today's fortune for other persons ("ほかの人 [B]"): a filed one whose
//     current place is asked and chosen anew (and kept in the table), and a
//     new one entered on the spot (filed); "出生図 [A]" the character
//     reading, Alt+P its "詳細 [A]", the reading of a filed person.
//  3. The aspect list and the aspect reading of a natal chart, each
//     switching to the other with button B, equal to the texts the engine
//     makes.
//  4. The listings of a moment (ingresses, solar terms, the Moon's sign
//     changes and phases) with their questions and "戻 る [B]"; the
//     ephemeris (No brings the dialog back); the autumnal-equinox chart;
//     the extended report and its popup list, whose aspect reading returns
//     to the natal chart alone; the recent almanac.
//  5. The hidden commands, the support, quotation, version and printing
//     boxes, and a command that does not exist (Ctrl+F).
//  6. With no chart (a new file) every command that needs one asks for
//     data, titled with its name.
// Screenshots: fortune, aspect-list, autumnal-equinox.
//
// Usage (as run.sh calls every test): test_listings HOROMAP_EXE WORK_DIR SHOT_DIR
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "chart/places.h"
#include "entry/entry_rules.h"
#include "events/events.h"
#include "platform/resource_ids.h"
#include "readings/help_texts.h"
#include "readings/readings.h"
#include "remote_window.h"
#include "shell/logic/report_rules.h"
#include "wine_common.h"

namespace {

constexpr DWORD kStartTimeoutMs = 40000;
constexpr DWORD kWaitMs = 10000;
constexpr DWORD kShotMs = 15000;

const char* g_szShots = nullptr;
std::string g_sDir;

struct Program {
  PROCESS_INFORMATION pi{};
  HWND hMain = nullptr, hStatus = nullptr, hBar = nullptr;
  DWORD Pid() const { return pi.dwProcessId; }
};
Program g_p;

// --- Windows of the program ---------------------------------------------------------

HWND WaitFor(const std::function<bool(HWND)>& match, DWORD dwMs = kWaitMs) {
  return WaitForDialog(g_p.Pid(), match, dwMs);
}

// The program's own boxes (heading 256).
HWND AppBox(const std::string& sHeading, DWORD dwMs = kWaitMs) {
  return WaitFor([&](HWND h) { return ItemText(h, 256) == sHeading; }, dwMs);
}
// A dialog or a popup window by its caption.
HWND Captioned(const std::string& sCaption, DWORD dwMs = kWaitMs) {
  return WaitFor([&](HWND h) { return SentText(h) == sCaption; }, dwMs);
}
HWND CaptionStarting(const std::string& sStart, DWORD dwMs = kWaitMs) {
  return WaitFor([&](HWND h) { return SentText(h).rfind(sStart, 0) == 0; }, dwMs);
}
// Stops the road when a window the rest depends on did not come.
HWND Need(HWND h, const char* szWhat) {
  if (!ExpectTrue(szWhat, h != nullptr)) Abandon(szWhat);
  return h;
}

void Post(int iCommand, LPARAM lParam = 0) { PostMessageA(g_p.hMain, WM_COMMAND, iCommand, lParam); }

// Presses a button and waits until the window has gone.
void Press(HWND h, int iId) {
  ClickButton(h, iId);
  WaitGone(h, kWaitMs);
  Settle(g_p.hMain, 100);
}

void SetEdit(HWND hDlg, int iId, const std::string& s) {
  DWORD_PTR r = 0;
  SendMessageTimeoutW(GetDlgItem(hDlg, iId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide932(s).c_str()), SMTO_NORMAL,
                      5000, &r);
}

void SelectRow(HWND hDlg, int iId, int iRow) { SendMessageA(GetDlgItem(hDlg, iId), LB_SETCURSEL, iRow, 0); }

int LastCommand() { return static_cast<int>(reinterpret_cast<intptr_t>(GetPropA(g_p.hMain, "HoromiraCommand"))); }
long LastParam() { return static_cast<long>(reinterpret_cast<intptr_t>(GetPropA(g_p.hMain, "HoromiraParam"))); }

std::string Status() { return StatusPartText(g_p.pi.hProcess, g_p.hStatus, 0); }
bool Pressed(int iCommand) { return SendMessageA(g_p.hBar, TB_ISBUTTONCHECKED, iCommand, 0) != 0; }

std::string PopupText(HWND hPopup) { return ItemText(hPopup, 257); }

bool StartsWith(const std::string& s, const std::string& sStart) { return s.rfind(sStart, 0) == 0; }
bool Has(const std::string& s, const std::string& sPart) { return s.find(sPart) != std::string::npos; }

// The time-and-name dialog of a mode: the fields given, then "OK".
struct Moment {
  const char *szYear, *szMonth, *szDay, *szHour, *szMinute;
};
void EnterMoment(int iMode, const Moment& m, const char* szName = nullptr) {
  HWND h = Need(Captioned(TimeEntryTitle(iMode)), TimeEntryTitle(iMode));
  const std::pair<int, const char*> kFields[] = {{IDC_TN_YEAR, m.szYear},   {IDC_TN_MONTH, m.szMonth},
                                                 {IDC_TN_DAY, m.szDay},     {IDC_TN_HOUR, m.szHour},
                                                 {IDC_TN_MINUTE, m.szMinute}, {IDC_TN_NAME, szName}};
  for (const auto& f : kFields) {
    if (f.second) SetEdit(h, f.first, f.second);
  }
  Press(h, IDOK);
}

// The place dialog whose title starts with the mode's question: a row of
// the place list.
void ChoosePlace(int iMode, const char* szName, const char* szPlace) {
  char szTitle[160];
  PlaceEntryTitle(iMode, szName, szTitle, sizeof szTitle);
  HWND h = Need(Captioned(szTitle), szTitle);
  SelectRow(h, IDC_PLACE_LIST, FindPlace(szPlace));
  Press(h, IDOK);
}

// The list of filed data: row iRow.
void ChooseFiledRow(int iRow) {
  HWND h = Need(Captioned("ファイルされているデータ （日本時間）"), "the list of filed data");
  SelectRow(h, IDC_FILED_LIST, iRow);
  Press(h, IDOK);
}

// The chart the program computes for a record, computed here the same way.
const ChartRecord& Natal(const BirthRecord& rec) {
  static std::unique_ptr<ChartRecord> chart(new ChartRecord());
  ResetChartRecord(chart.get());
  HoromiraMain(rec, rec, chart.get(), kChartNatal, 0, 1.0, IDM_READING);
  return *chart;
}

BirthRecord SampleRow(int iRow) {
  BirthRecord rec;
  MakeSampleRow(iRow, &rec);
  return rec;
}

// --- The road -----------------------------------------------------------------------

bool Start() {
  const std::string sExe = g_sDir + "\\Horomap.exe";
  std::string sCommand = "\"" + sExe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  if (!CreateProcessA(sExe.c_str(), &sCommand[0], nullptr, nullptr, FALSE, 0, nullptr, g_sDir.c_str(), &si,
                      &g_p.pi)) {
    return false;
  }
  g_p.hMain = WaitForWindow("Horomira5", nullptr, g_p.Pid(), kStartTimeoutMs);
  if (!g_p.hMain) return false;
  WaitForPainted(g_p.hMain, kStartTimeoutMs);
  g_p.hStatus = GetDlgItem(g_p.hMain, IDC_STATUSBAR);
  g_p.hBar = GetDlgItem(g_p.hMain, IDC_TOOLBAR);
  return true;
}

// 1. At start-up the default person's charts are shown and no default
// person is registered.
void ReadingsAtStartup() {
  Post(IDM_QUICK_MENU);  // the quick menu closed: the popups stand alone
  Settle(g_p.hMain);
  Post(IDM_READING);
  HWND h = Need(AppBox("本質、行動、感受性"), "F4 at start-up asks about the user first");
  ExpectBytes("its second line", ItemText(h, 258), "   あなたについての占いを しますか？");
  Press(h, IDNO);
  h = Need(AppBox("占い：ほかの人について"), "No: the reading for another person");
  ExpectEqual("sent again as from the popup's button", LastParam(), -2000);
  ExpectBytes("its lines", ItemText(h, 257) + "/" + ItemText(h, 258) + "/" + ItemText(h, 259),
              "その人についての出生データはすでに/登録してありますか？　　[いいえ]を選ぶと/新規データ入力画面を表示します。");
  Press(h, IDCANCEL);

  Post(IDM_QUICK_FORTUNE);
  h = Need(AppBox("き ょ う の 運 勢"), "the quick menu's fortune asks about the user");
  Press(h, IDYES);
  h = Need(Captioned("魔法使い  ( ウィザード )"), "Yes starts the default-person wizard");
  ExpectBytes("at its step -999", ItemText(h, IDC_WIZARD_TEXT), kWizardTimeNamePage);
  ExpectTrue("戻る is disabled", !IsWindowEnabled(GetDlgItem(h, IDC_WIZARD_BACK)));
  ClickButton(h, IDC_WIZARD_NEXT);
  EnterMoment(kTimeEntryDefaultPerson, {"1990", "6", "15", "8", "30"}, "ホロ太郎");
  h = Need(WaitFor([](HWND w) { return ItemText(w, IDC_WIZARD_TEXT) == kWizardBirthPlacePage; }), "the birthplace page");
  ClickButton(h, IDC_WIZARD_NEXT);
  ChoosePlace(kPlaceEntryBirth, "ホロ太郎", "大阪府");
  h = Need(WaitFor([](HWND w) { return ItemText(w, IDC_WIZARD_TEXT) == kWizardCurrentPlacePage; }), "the page of the current place");
  ClickButton(h, IDC_WIZARD_NEXT);
  ChoosePlace(kPlaceEntryNow, "ホロ太郎", "   那覇");
  h = Need(Captioned(kWizardConfirmTitle), "the wizard's last page");
  ClickButton(h, IDC_WIZARD_NEXT);
  h = Need(AppBox("デフォルトの出生データ"), "the wizard ends with 登録完了しました");
  Press(h, IDYES);
  HWND hPopup = Need(Captioned("現在の星回り"), "the wizard's end brings the fortune of the new default person");
  ExpectEqual("the fortune was sent again", LastCommand(), IDM_FORTUNE);
  const std::string s = PopupText(hPopup);
  ExpectTrue("the fortune of ホロ太郎, at 那覇", StartsWith(s, "☆ ホロ太郎 ☆\r\n 1990年 6月15日  8時30分00秒生まれ\r\n出生地   大阪府\r\n現在地   那覇\r\n"));
  ExpectBytes("button A", ItemText(hPopup, IDC_POPUP_A), "出生図 [A]");
  ExpectBytes("button B", ItemText(hPopup, IDC_POPUP_B), "ほかの人 [B]");
  ExpectTrue("the double circle with the transit chart outside",
             Pressed(IDM_VIEW_DOUBLE) && Pressed(IDM_TRANSIT) && !Pressed(IDM_VIEW_CHART));
  WaitForPainted(g_p.hMain, kWaitMs);
  AwaitScreenshot(g_szShots, "fortune", kShotMs);
}

// 2. Other persons.
void FortunesOfOthers() {
  HWND hPopup = Captioned("現在の星回り");
  ClickButton(hPopup, IDC_POPUP_B);
  HWND h = Need(AppBox("きょうの運勢：ほかの人について"), "ほかの人 [B] asks whether the person is filed");
  ExpectEqual("B sends the fortune again with -2000", LastParam(), -2000);
  Press(h, IDYES);
  ChooseFiledRow(1);  // Sample Data 2, living in 横浜
  h = Need(AppBox("現在の星回り"), "a filed person with a current place is asked about it");
  ExpectBytes("the question", ItemText(h, 257) + "/" + ItemText(h, 258) + "/" + ItemText(h, 259),
              "Sample Data 2/現在地は下記でよろしいですか？/横浜");
  Press(h, IDNO);
  ChoosePlace(kPlaceEntryNow, "Sample Data 2", "   札幌");
  hPopup = Need(Captioned("現在の星回り"), "the fortune of Sample Data 2");
  ExpectTrue("at the place chosen", StartsWith(PopupText(hPopup), "☆ Sample Data 2 ☆\r\n 1991年10月 8日 19時12分00秒生まれ\r\n出生地   仙台\r\n現在地   札幌\r\n"));
  // Shown now, the person is asked about the place just chosen; Cancel
  // changes nothing.
  Post(IDM_FORTUNE);
  h = Need(AppBox("現在の星回り"), "F5 for the person shown");
  ExpectBytes("the place chosen is the person's current place", ItemText(h, 259), "札幌");
  Press(h, IDCANCEL);
  ExpectTrue("Cancel leaves the popup", IsWindow(hPopup));

  // A new person, entered on the spot and filed.
  ClickButton(hPopup, IDC_POPUP_B);
  h = Need(AppBox("きょうの運勢：ほかの人について"), "ほかの人 [B] again");
  Press(h, IDNO);
  EnterMoment(kTimeEntryNewData, {"1985", "5", "5", "10", "30"}, "テスト花子");
  ChoosePlace(kPlaceEntryBirth, "テスト花子", "   那覇");
  h = Need(CaptionStarting("きょうの運勢"), "the new person's data is shown");
  ExpectBytes("in a plain box", MessageBoxText(h),
              "テスト花子\n\n 1985年 5月 5日 10時30分00秒\n\n出生地：那覇\n\nこれで良ければ次にその人が今いる場所を指定してください");
  Press(h, IDOK);
  ChoosePlace(kPlaceEntryNow, "テスト花子", "東京都");
  hPopup = Need(Captioned("現在の星回り"), "the fortune of the new person");
  ExpectTrue("テスト花子 now in 東京都", StartsWith(PopupText(hPopup), "☆ テスト花子 ☆\r\n 1985年 5月 5日 10時30分00秒生まれ\r\n出生地   那覇\r\n現在地   東京都\r\n"));

  // 出生図 [A]: the character reading of the person shown.
  ClickButton(hPopup, IDC_POPUP_A);
  hPopup = Need(Captioned("ポップアップ - 占い"), "出生図 [A] gives the character reading");
  BirthRecord hanako = SampleRow(0);
  memset(hanako.szName, 0, sizeof hanako.szName);
  strcpy(hanako.szName, "テスト花子");
  hanako.time = DateTime{1985, 5, 5, 10, 30, 0.0};
  SetPlaceFromRow(&hanako, FindPlace("   那覇"));
  static char szWant[kReadingTextSize];
  GetSunAscText(szWant, Natal(hanako));
  ExpectBytes("the reading of テスト花子's natal chart", PopupText(hPopup), szWant);
  ExpectBytes("buttons 詳細 [A] and ほかの人 [B]", ItemText(hPopup, IDC_POPUP_A) + "/" + ItemText(hPopup, IDC_POPUP_B),
              "詳細 [A]/ほかの人 [B]");
  ExpectTrue("the natal chart alone", Pressed(IDM_NATAL) && Pressed(IDM_VIEW_CHART));

  // Alt+P presses 詳細 [A]: the aspect reading.
  Post(IDM_POPUP_PRESS_A);
  ExpectTrue("Alt+P: the aspect reading", CaptionStarting("アスペクトの解読 ( ") != nullptr);

  // The reading of a filed person.
  Post(IDM_READING);
  hPopup = Need(Captioned("ポップアップ - 占い"), "F4 for the person shown");
  ClickButton(hPopup, IDC_POPUP_B);
  h = Need(AppBox("占い：ほかの人について"), "ほかの人 [B] of the reading");
  Press(h, IDYES);
  HWND hList = Need(Captioned("ファイルされているデータ （日本時間）"), "the list of filed data");
  ExpectEqual("the default person and the new person were filed: four rows", SendDlgItemMessageA(hList, IDC_FILED_LIST, LB_GETCOUNT, 0, 0), 4);
  SelectRow(hList, IDC_FILED_LIST, 0);
  Press(hList, IDOK);
  hPopup = Need(Captioned("ポップアップ - 占い"), "the reading of Sample Data 1");
  GetSunAscText(szWant, Natal(SampleRow(0)));
  ExpectBytes("equal to the engine's", PopupText(hPopup), szWant);
}

// 3. The aspects of Sample Data 1's natal chart, orb 5.
void Aspects() {
  const ChartRecord& natal = Natal(SampleRow(0));
  AspectEntry entries[kAspectCapacity];
  const int n = DetectAspects(natal, entries, kAspectCapacity, 5.0f);
  SortAspectsByOrb(entries, n);
  static char szList[kListingTextSize], szReading[kListingTextSize];
  ListAspects(entries, n, szList, sizeof szList);
  MakeAspectText(entries, n, szReading, sizeof szReading);
  const std::string sListTitle = std::string("アスペクト一覧 ( ") + natal.szTitle + ")";
  const std::string sReadingTitle = std::string("アスペクトの解読 ( ") + natal.szTitle + ")";

  Post(IDM_ASPECTS);
  HWND hPopup = Need(Captioned(sListTitle), "Shift+A: the aspect list titled with the chart");
  ExpectBytes("the list", PopupText(hPopup), szList);
  ExpectBytes("button B", ItemText(hPopup, IDC_POPUP_B), "解 読  [B]");
  WaitForPainted(g_p.hMain, kWaitMs);
  AwaitScreenshot(g_szShots, "aspect-list", kShotMs);
  ClickButton(hPopup, IDC_POPUP_B);
  hPopup = Need(Captioned(sReadingTitle), "解 読 [B]: the aspect reading");
  ExpectEqual("sent as 24001 with -2000", LastCommand() * 10000L + LastParam(), 24001L * 10000 - 2000);
  // The text control gives at most 16 kB back.
  const std::string sReading = PopupText(hPopup);
  ExpectTrue("the reading", !sReading.empty() && std::string(szReading).rfind(sReading, 0) == 0);
  ExpectBytes("button B", ItemText(hPopup, IDC_POPUP_B), "一覧 [B]");
  ClickButton(hPopup, IDC_POPUP_B);
  hPopup = Need(Captioned(sListTitle), "一覧 [B]: the list again");
  Post(IDM_POPUP_CLOSE);
  ExpectTrue("Alt+C closes the popup window", WaitGone(hPopup, kWaitMs));
}

// A listing of a moment: the question, the moment, the text.
HWND ShowListing(int iCommand, const Moment& m, const DateTime& when, bool bAsked = true) {
  const MomentListing* pListing = FindMomentListing(iCommand);
  if (bAsked) {
    Post(iCommand);
    HWND h = Need(AppBox(pListing->szHeading), pListing->szHeading);
    ExpectBytes("the question's lines", ItemText(h, 257) + "/" + ItemText(h, 258) + "/" + ItemText(h, 259),
                std::string(pListing->szLines[0]) + "/" + pListing->szLines[1] + "/" + pListing->szLines[2]);
    Press(h, IDYES);
  }
  EnterMoment(iCommand, m);
  HWND hPopup = Need(Captioned(pListing->szPopupTitle), pListing->szPopupTitle);
  static char szWant[kListingTextSize];
  MakeMomentListing(iCommand, when, szWant, sizeof szWant);
  ExpectBytes(pListing->szPopupTitle, PopupText(hPopup), szWant);
  ExpectBytes("its button B", ItemText(hPopup, IDC_POPUP_B), "戻 る [B]");
  return hPopup;
}

// "戻 る [B]": the command again without its question.
void Back(HWND hPopup, int iCommand) {
  ClickButton(hPopup, IDC_POPUP_B);
  Settle(g_p.hMain);
  ExpectEqual("戻 る [B] sends the command again", LastCommand(), iCommand);
  ExpectEqual("marked -2000", LastParam(), -2000);
}

// 4.
void Listings() {
  HWND hPopup = ShowListing(IDM_INGRESS, {"2024", nullptr, nullptr, nullptr, nullptr}, DateTime{2024, 1, 1, 0, 0, 0});
  ExpectTrue("the March entry names 春分", Has(PopupText(hPopup), " 2024年 3月の イングレス <春分>"));
  Back(hPopup, IDM_INGRESS);
  ExpectTrue("no question the second time", AppBox("12星座の さかい目", 500) == nullptr);
  ShowListing(IDM_INGRESS, {"2025", nullptr, nullptr, nullptr, nullptr}, DateTime{2025, 1, 1, 0, 0, 0}, false);
  hPopup = ShowListing(IDM_SOLAR_TERMS, {"2024", nullptr, nullptr, nullptr, nullptr}, DateTime{2024, 1, 1, 0, 0, 0});
  Back(hPopup, IDM_SOLAR_TERMS);
  Press(Need(Captioned(TimeEntryTitle(IDM_SOLAR_TERMS)), "the year again"), IDCANCEL);
  hPopup = ShowListing(IDM_MOON_SIGNS, {"2024", "2", nullptr, nullptr, nullptr}, DateTime{2024, 2, 1, 0, 0, 0});
  Back(hPopup, IDM_MOON_SIGNS);
  ShowListing(IDM_MOON_SIGNS, {"2023", "12", nullptr, nullptr, nullptr}, DateTime{2023, 12, 1, 0, 0, 0}, false);
  hPopup = ShowListing(IDM_MOON_PHASES, {"2024", "2", "20", "12", "0"}, DateTime{2024, 2, 20, 12, 0, 0});
  Back(hPopup, IDM_MOON_PHASES);
  Press(Need(Captioned(TimeEntryTitle(IDM_MOON_PHASES)), "the moment again"), IDCANCEL);

  // The ephemeris: the Moon first, No brings the dialog back; then the Sun
  // a day apart from 1 January 2024.
  Post(IDM_EPHEMERIS);
  HWND h = Need(Captioned("エフェメリス"), "Ctrl+E: the ephemeris dialog");
  SelectRow(h, IDC_EPHEM_LIST, 1);
  Press(h, IDOK);
  h = Need(AppBox("エフェメリス"), "the choice is confirmed");
  ExpectBytes("月 a day apart at round times", ItemText(h, 257), "月の1日ごとのこよみ : きりのいい時刻");
  Press(h, IDNO);
  h = Need(Captioned("エフェメリス"), "No: the dialog again");
  ExpectEqual("with its defaults", SendDlgItemMessageA(h, IDC_EPHEM_LIST, LB_GETCURSEL, 0, 0), 0);
  Press(h, IDOK);
  Press(Need(AppBox("エフェメリス"), "the Sun confirmed"), IDYES);
  HWND hTime = Need(Captioned(TimeEntryTitle(kTimeEntryEphemeris)), "the start moment");
  ExpectTrue("whole days: hour and minute locked",
             !IsWindowEnabled(GetDlgItem(hTime, IDC_TN_HOUR)) && !IsWindowEnabled(GetDlgItem(hTime, IDC_TN_MINUTE)));
  EnterMoment(kTimeEntryEphemeris, {"2024", "1", "1", nullptr, nullptr});
  hPopup = Need(Captioned("ホロミラ 精密天体暦 - FK5/VSOP87"), "the ephemeris in the popup window");
  static char szEphem[kEphemTextSize];
  MakeEphem(DateTime{2024, 1, 1, 0, 0, 0.0}, 0, kEphemStepDay, szEphem);
  ExpectBytes("64 days of the Sun", PopupText(hPopup), szEphem);
  Back(hPopup, IDM_EPHEMERIS);
  Press(Need(Captioned("エフェメリス"), "戻 る [B]: the ephemeris dialog again"), IDCANCEL);

  // The autumnal-equinox chart of 2024 at Tokyo; No first brings the dialog back.
  Post(IDM_SEASON);
  h = Need(Captioned("春分図・夏至図・秋分図・冬至図"), "Ctrl+V: the season dialog");
  SetEdit(h, IDC_SEASON_YEAR, "2024");
  SendDlgItemMessageA(h, IDC_SEASON_AUTUMNAL, BM_CLICK, 0, 0);
  Press(h, IDOK);
  h = Need(AppBox("  秋分図 -  2024年"), "the choice is confirmed");
  Press(h, IDNO);
  h = Need(Captioned("春分図・夏至図・秋分図・冬至図"), "No: the dialog again");
  SetEdit(h, IDC_SEASON_YEAR, "2024");
  SendDlgItemMessageA(h, IDC_SEASON_AUTUMNAL, BM_CLICK, 0, 0);
  Press(h, IDOK);
  Press(Need(AppBox("  秋分図 -  2024年"), "confirmed again"), IDYES);
  ChoosePlace(kPlaceEntrySeason, "秋分図", "東京都");
  WaitForPainted(g_p.hMain, kWaitMs);
  BirthRecord tokyo{};
  SetPlaceFromRow(&tokyo, FindPlace("東京都"));
  static std::unique_ptr<ChartRecord> season(new ChartRecord());
  MakeSeasonChart(2, 2024, &tokyo, season.get());
  ExpectBytes("the autumnal-equinox chart is shown, its title ending / 秋分図", Status(), season->szTitle);
  ExpectTrue("as a transit-kind chart alone", Pressed(IDM_TRANSIT) && Pressed(IDM_VIEW_CHART));
  AwaitScreenshot(g_szShots, "autumnal-equinox", kShotMs);

  // The extended report of the season chart; its list entry of the aspect
  // reading returns to the natal chart alone.
  Post(IDM_EXTENDED);
  hPopup = Need(Captioned(kExtendedReportTitle), "Shift+G: the extended report");
  ExpectTrue("Placidus cusps at Tokyo", StartsWith(PopupText(hPopup), "[ プラシーダス・ハウスシステム ]\r\n"));
  ExpectBytes("button B", ItemText(hPopup, IDC_POPUP_B), kExtendedReportButton);
  ClickButton(hPopup, IDC_POPUP_B);
  HWND hList = Need(Captioned("表示項目を選んでください"), "リスト [B]: the popup list");
  SelectRow(hList, IDC_LIST, 6);  // 細密占い - アスペクト
  Press(hList, IDC_LIST_SHOW);
  hPopup = Need(CaptionStarting("アスペクトの解読 ( "), "the aspect reading chosen in the list");
  ExpectTrue("of the natal chart alone", Pressed(IDM_NATAL) && Pressed(IDM_VIEW_CHART));
  ExpectTrue("Sample Data 1's", Has(SentText(hPopup), "Sample Data 1"));

  // The recent almanac.
  Post(IDM_ALMANAC);
  hPopup = Need(CaptionStarting("最近のこよみ - 現在時刻:"), "Space+Down: the recent almanac");
  const std::string sAlmanac = PopupText(hPopup);
  ExpectTrue("the Moon's next sign, the phases and the terms",
             Has(sAlmanac, "座へ移る時刻(日本時間)") && Has(sAlmanac, "● 新月 :") && Has(sAlmanac, ": 太陽が "));
  ExpectBytes("button B", ItemText(hPopup, IDC_POPUP_B), "リスト [B]");
  ClickButton(hPopup, IDC_POPUP_B);
  hList = Need(Captioned("表示項目を選んでください"), "リスト [B]: the popup list");
  Press(hList, IDC_LIST_CLOSE);
}

// 5.
void Boxes() {
  Post(IDM_HIDDEN_B);
  HWND h = Need(AppBox("隠しコマンドＢ"), "F15: 隠しコマンドＢ");
  ExpectTrue("the length of the message text", StartsWith(ItemText(h, 257), "lstrlen = ") && ItemText(h, 257) != "lstrlen = 0");
  Press(h, IDYES);
  Post(IDM_HIDDEN_A);
  h = Need(AppBox("隠しコマンドＡ"), "Shift+/: 隠しコマンドＡ");
  ExpectBytes("the house system", ItemText(h, 257), "HouseType=1");
  Press(h, IDYES);
  Post(IDM_SUPPORT);
  h = Need(Captioned(kSupportTitle), "50001: the support box");
  ExpectBytes("its text", MessageBoxText(h), kSupportText);
  Press(h, IDOK);
  Post(IDM_QUOTATION);
  h = Need(Captioned(kQuotationTitle), "ホロミラによせて");
  Press(h, IDOK);
  Post(IDM_VERSION);
  h = Need(Captioned("バージョン情報"), "バージョン情報");
  ExpectTrue("the operating-system line", StartsWith(ItemText(h, IDC_VERSION_OS), kVersionOsLabel));
  Press(h, IDOK);
  Post(IDM_PRINTING);
  h = Need(Captioned(kPrintingTitle), "印刷: the explanation in the popup window");
  ExpectBytes("its text", PopupText(h), kPrintingText);
  ExpectBytes("its button", ItemText(h, IDC_POPUP_B), kPrintingButton);
  ClickButton(h, IDC_POPUP_B);
  h = Need(Captioned(HelpTopicTitle(3)), "ヘルプ [B]: the topic on pasting a chart");
  ExpectEqual("sent as 55000 with -2000", LastCommand() * 10000L + LastParam(), 55000L * 10000 - 2000);
  Press(h, IDC_POPUP_CLOSE);
  Post(IDM_CTRL_F);
  h = Need(Captioned("IDM"), "Ctrl+F: no such command");
  ExpectBytes("Out of switch", MessageBoxText(h), "Out of switch");
  Press(h, IDOK);
}

// 6. A new file: no chart.
void NoChart() {
  Post(IDM_NEW_FILE);
  Press(Need(AppBox("確認"), "新規作成 asks"), IDYES);
  WaitForPainted(g_p.hMain, kWaitMs);
  const struct {
    int iCommand;
    const char* szTitle;
  } kCases[] = {
      {IDM_ASPECTS, "アスペクト"},         {IDM_ASPECT_READING, "アスペクトの解読"}, {IDM_READING, "チャートの解読"},
      {IDM_QUICK_READING, "チャートの解読"}, {IDM_FORTUNE, "きょうの運勢"},         {IDM_QUICK_FORTUNE, "きょうの運勢"},
      {IDM_EXTENDED, "拡張データⅡ"},
  };
  for (const auto& c : kCases) {
    Post(c.iCommand);
    HWND h = Captioned(c.szTitle);
    std::string sWhat = std::to_string(c.iCommand) + " without a chart asks for data, titled " + c.szTitle;
    if (!ExpectTrue(sWhat.c_str(), h != nullptr)) continue;
    ExpectBytes("the question", MessageBoxText(h), "データが未設定です。\n新規データ入力画面を表示しますか？");
    Press(h, IDNO);
  }
  ExpectTrue("nothing else opened", ProcessDialogs(g_p.Pid()).empty());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Abandon("usage: test_listings HOROMAP_EXE WORK_DIR SHOT_DIR");
  g_sDir = argv[2];
  g_szShots = argc > 3 ? argv[3] : nullptr;
  if (!CopyFileA(argv[1], (g_sDir + "\\Horomap.exe").c_str(), FALSE)) Abandon("cannot copy Horomap.exe");
  RemoveFileAssociation();
  SetEnvironmentVariableA("HOROMAP_TEST_HOOKS", "1");
  if (!ExpectTrue("Horomap.exe starts", Start())) Abandon("no main window");
  const DWORD dwStart = GetTickCount();
  ReadingsAtStartup();
  FortunesOfOthers();
  Aspects();
  Listings();
  Boxes();
  NoChart();
  printf("measure: the road took %lu ms after the start\n", static_cast<unsigned long>(GetTickCount() - dwStart));
  PostMessageA(g_p.hMain, WM_CLOSE, 0, 0);
  HWND h = AppBox("登録データのないファイル");
  if (h) ClickButton(h, IDYES);
  ExpectEqual("the program ends, exit code 0",
              WaitForSingleObject(g_p.pi.hProcess, 20000) == WAIT_OBJECT_0 ? 0 : 1, 0);
  TerminateProcess(g_p.pi.hProcess, 1);
  RemoveFileAssociation();
  return Finish("test_listings");
}

// The data-entry dialogs driven as a user would: the time-and-name dialog
// (its modes, the year, seconds and name rules, the unknown time, editing
// a record, F1, an exception inside it), the place dialog (list, double
// click, typed coordinates), the default-person wizard from its first page
// to the registered person, and the data confirmation box.
//
// The dialogs run in this process on the main thread, owned by a stand-in
// main window that receives what they send (message 2048, commands 10001
// and 65000); a second thread drives them.  The fairy window is recorded.
//
// Usage (as run.sh calls every test): test_entry_dialogs HOROMAP_EXE WORK_DIR SHOT_DIR
#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart_driver.h"
#include "chart/places.h"
#include "dialog_driver.h"
#include "dialogs/dialog_support.h"
#include "dialogs/dialogs.h"
#include "dialogs/entry_block.h"
#include "entry/entry_rules.h"
#include "platform/resource_ids.h"
#include "platform/win32/exception_guard.h"
#include "platform/win32/win32_platform.h"
#include "readings/help_texts.h"
#include "shell/app_state.h"
#include "shell/aux_windows.h"
#include "shell/shell.h"
#include "time/timescale.h"

// The program instance, which the entry point of Horomap.exe sets: here
// this test program, which holds the same resources.
HINSTANCE g_hInstance = GetModuleHandleA(nullptr);

namespace {

const char* g_szShots = nullptr;
constexpr DWORD kShotTimeoutMs = 15000;

// --- The stand-in main window ---------------------------------------------------------

HWND g_hMain = nullptr;
AppState g_ab;
SystemIniInf g_sii;
ChartSlots g_slots;
std::vector<std::pair<UINT, std::pair<WPARAM, LPARAM>>> g_received;  // messages the dialogs sent
bool g_bWizardDone = false;

LRESULT CALLBACK MainProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_COMMAND && LOWORD(wParam) == IDM_WIZARD_STEP) {
    // The dispatch of command 65000: the wizard's next step; the shell
    // marks the default person as shown when the wizard finished.
    const int r = RunDefaultDataWizard(hWnd, 0, static_cast<int>(lParam), &g_sii, &g_slots, WizardBlocksOf(&g_ab));
    if (r == kWizardFinished) g_ab.bState0 |= kState0DefaultPerson;
    if (!WizardWindow()) g_bWizardDone = true;
    return 0;
  }
  if (uMsg == WM_COMMAND || uMsg == kMsgNewRecord) {
    g_received.push_back({uMsg, {wParam, lParam}});
    if (uMsg == WM_COMMAND && LOWORD(wParam) == IDM_READING) g_bWizardDone = true;
    return 0;
  }
  return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

void CreateMainWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = MainProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "HoromiraTestMain";
  RegisterClassA(&wc);
  g_hMain = CreateWindowA("HoromiraTestMain", "main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  Win32SetMainWindow(g_hMain);
  g_ab.hInstance = GetModuleHandleA(nullptr);
  g_ab.hWnd = g_hMain;
  g_ab.hEntryBlock = NewEntryBlock();
  g_ab.hVirtualFile = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(BirthTable));
  SetEntryMainWindow(g_ab.hEntryBlock, g_hMain);
  g_ab.dHarmonic = 1.0;
}

// Pumps the main thread's messages until done() or the time is up.
template <typename Done>
void PumpUntil(Done done, const char* szWhat) {
  const DWORD dwStart = GetTickCount();
  MSG msg;
  while (!done()) {
    if (GetTickCount() - dwStart > kDialogTimeoutMs) Abandon(szWhat);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
}

BirthRecord Working() {
  EntryBlock* p = LockEntryBlock(g_ab.hEntryBlock);
  const BirthRecord r = p->working;
  UnlockEntryBlock(g_ab.hEntryBlock);
  return r;
}

void SetWorking(const BirthRecord& r) {
  EntryBlock* p = LockEntryBlock(g_ab.hEntryBlock);
  p->working = r;
  UnlockEntryBlock(g_ab.hEntryBlock);
}

BirthRecord Person(const char* szName) {
  BirthRecord r{};
  snprintf(r.szName, sizeof r.szName, "%s", szName);
  r.time = DateTime{1965, 4, 3, 10, 20, 30.25};
  r.bTimeKnown = 1;
  r.bSecondsGiven = 1;
  r.bSave = 1;
  r.dwMagic = kRecordMagic;
  AcceptListedPlace(46, &r);  // "   名古屋"
  return r;
}

int TimeName(int iMode, int iSubMode, const std::function<void()>& driver) {
  return RunWithDriver<int>(
      [&] { return ShowTimeNameInput(GetModuleHandleA(nullptr), g_hMain, g_ab.hEntryBlock, iMode, iSubMode); },
      driver);
}

int Place(int iMode, const std::function<void()>& driver) {
  return RunWithDriver<int>(
      [&] { return ShowPlaceInput(GetModuleHandleA(nullptr), g_hMain, g_ab.hEntryBlock, iMode, 0); }, driver);
}

// Fills the date fields and the name.
void FillDate(HWND hDlg, const char* szYear, const char* szMonth, const char* szDay, const char* szHour,
              const char* szMinute, const char* szName) {
  Type(hDlg, IDC_TN_YEAR, szYear);
  Type(hDlg, IDC_TN_MONTH, szMonth);
  Type(hDlg, IDC_TN_DAY, szDay);
  if (szHour) Type(hDlg, IDC_TN_HOUR, szHour);
  if (szMinute) Type(hDlg, IDC_TN_MINUTE, szMinute);
  if (szName) Type(hDlg, IDC_TN_NAME, szName);
}

const char kNewDataTitle[] = "誕生日と生まれた時間を指定してください";

// --- Time and name ----------------------------------------------------------------------

// The opening of mode 0, then every refused year; -4000 is accepted.
void YearCases() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  const int r = TimeName(kTimeEntryNewData, 0, [&] {
    HWND h = AwaitDialog(kNewDataTitle, "time and name, mode 0");
    ExpectBytes("mode 0: year preset from the clock", ControlText(h, IDC_TN_YEAR), std::to_string(st.wYear));
    ExpectBytes("mode 0: month preset", ControlText(h, IDC_TN_MONTH), std::to_string(st.wMonth));
    ExpectBytes("mode 0: seconds show 00.0", ControlText(h, IDC_TN_SECONDS), "00.0");
    ExpectBytes("mode 0: the name is empty", ControlText(h, IDC_TN_NAME), "");
    ExpectTrue("mode 0: nothing but the seconds is locked",
               Enabled(h, IDC_TN_YEAR) && Enabled(h, IDC_TN_MINUTE) && Enabled(h, IDC_TN_NAME) &&
                   !Enabled(h, IDC_TN_SECONDS) && Enabled(h, IDC_TN_UNKNOWN_TIME) && Enabled(h, IDC_TN_SECONDS_GIVEN));
    ExpectTrue("mode 0: both boxes unchecked", !Checked(h, IDC_TN_UNKNOWN_TIME) && !Checked(h, IDC_TN_SECONDS_GIVEN));
    AwaitScreenshot(g_szShots, "time_name", kShotTimeoutMs);

    FillDate(h, "", "3", "15", "10", "30", "山田花子");
    for (const char* szYear : {"8001", "12.5", "1990x", "", "-4001"}) {
      Type(h, IDC_TN_YEAR, szYear);
      Click(h, IDOK);
      const ShownBoxTexts b = AnswerBox(ProgramCaption(), 6, "year refusal");
      ExpectBytes((std::string("year [") + szYear + "]: refused with 年数を確認！").c_str(), b.sHeading,
                  "年数を確認！");
      ExpectBytes((std::string("year [") + szYear + "]: the text as entered").c_str(), b.sLines[0], szYear);
      ExpectBytes("year refusal: the computable period", b.sLines[2], "可能期間(4000 B.C. - 8000 A.D.)の外です。");
      ExpectTrue("year refusal: the dialog stays", IsWindowVisible(h));
    }
    // Year 0 asks; No returns to the dialog without another box.
    Type(h, IDC_TN_YEAR, "0");
    Click(h, IDOK);
    ShownBoxTexts b = AnswerBox(ProgramCaption(), 7, "year 0 question");
    ExpectBytes("year 0: asks 確認", b.sHeading, "確認");
    ExpectBytes("year 0: = 1 B.C.", b.sLines[0], "年数はゼロ ( = 紀元前 1年 )で");
    ExpectTrue("year 0, No: no further box", NoBoxFor(300));
    ExpectTrue("year 0, No: the dialog stays", IsWindowVisible(h));
    Type(h, IDC_TN_YEAR, "-4000");
    Click(h, IDOK);
    AwaitClosed(h, "year -4000");
  });
  ExpectEqual("year -4000 accepted", r, 1);
  const BirthRecord w = Working();
  ExpectEqual("year -4000 stored", w.time.year, -4000);
  ExpectEqual("month stored", w.time.month, 3);
  ExpectEqual("minute stored", w.time.minute, 30);
  ExpectBytes("name stored", w.szName, "山田花子");
  ExpectEqual("a named record is to be saved", w.bSave, 1);
}

// Years accepted as typed: 8000, "1990 " and 0 after Yes.
void AcceptedYears() {
  const std::pair<const char*, int> kYears[] = {{"8000", 8000}, {"1990 ", 1990}, {"0", 0}};
  for (const auto& y : kYears) {
    const int r = TimeName(kTimeEntryNewData, 0, [&] {
      HWND h = AwaitDialog(kNewDataTitle, "accepted years");
      FillDate(h, y.first, "2", "28", "6", "0", "年の確認");
      Click(h, IDOK);
      if (y.second == 0) AnswerBox(ProgramCaption(), 6, "year 0, Yes");
      AwaitClosed(h, "accepted years");
    });
    ExpectEqual((std::string("year [") + y.first + "] accepted").c_str(), r, 1);
    ExpectEqual((std::string("year [") + y.first + "] stored").c_str(), Working().time.year, y.second);
  }
}

// "時間は分からない": noon with its notice; "秒を指定": 30.25 and the empty
// seconds refused.
void TimeAndSeconds() {
  int r = TimeName(kTimeEntryNewData, 0, [] {
    HWND h = AwaitDialog(kNewDataTitle, "unknown time");
    FillDate(h, "1980", "5", "5", "7", "45", "時間不明");
    Tick(h, IDC_TN_UNKNOWN_TIME);
    ExpectBytes("unknown time: hour 12", ControlText(h, IDC_TN_HOUR), "12");
    ExpectBytes("unknown time: minute 00", ControlText(h, IDC_TN_MINUTE), "00");
    ExpectTrue("unknown time: hour, minute and 秒を指定 locked",
               !Enabled(h, IDC_TN_HOUR) && !Enabled(h, IDC_TN_MINUTE) && !Enabled(h, IDC_TN_SECONDS_GIVEN));
    Click(h, IDOK);
    const ShownBoxTexts b = AnswerBox(ProgramCaption(), 6, "provisional noon");
    ExpectBytes("unknown time: the provisional-noon notice", b.sHeading, "仮の出生時刻を日本時間正午にします");
    AwaitClosed(h, "unknown time");
  });
  ExpectEqual("unknown time accepted", r, 1);
  BirthRecord w = Working();
  ExpectTrue("unknown time stored as 12:00:00", w.time.hour == 12 && w.time.minute == 0 && w.time.second == 0.0);
  ExpectEqual("unknown time: bTimeKnown 0", w.bTimeKnown, 0);

  r = TimeName(kTimeEntryNewData, 0, [] {
    HWND h = AwaitDialog(kNewDataTitle, "seconds");
    FillDate(h, "2001", "1", "2", "3", "4", "秒あり");
    Tick(h, IDC_TN_SECONDS_GIVEN);
    ExpectBytes("秒を指定: the seconds field is emptied", ControlText(h, IDC_TN_SECONDS), "");
    ExpectTrue("秒を指定: seconds open, 時間は分からない locked",
               Enabled(h, IDC_TN_SECONDS) && !Enabled(h, IDC_TN_UNKNOWN_TIME));
    Click(h, IDOK);
    const ShownBoxTexts b = AnswerBox(ProgramCaption(), 6, "empty seconds");
    ExpectBytes("empty seconds refused with 秒を確認！", b.sHeading, "秒を確認！");
    Type(h, IDC_TN_SECONDS, "30.25");
    Click(h, IDOK);
    AwaitClosed(h, "seconds");
  });
  ExpectEqual("seconds accepted", r, 1);
  w = Working();
  ExpectTrue("seconds 30.25 stored", w.time.second == 30.25);
  ExpectEqual("seconds given", w.bSecondsGiven, 1);
}

// Names: the 31-byte cut (Cancel first), a double-byte character across
// the cut, "(No Name)", and the name required in mode 60001.
void Names() {
  const std::string s31 = "abcdefghijklmnopqrstuvwxyz01234";
  int r = TimeName(kTimeEntryNewData, 0, [&] {
    HWND h = AwaitDialog(kNewDataTitle, "long name");
    FillDate(h, "1999", "9", "9", "9", "9", s31.c_str());
    Click(h, IDOK);
    ShownBoxTexts b = AnswerBox(ProgramCaption(), 2, "long name, cancel");
    ExpectBytes("31 bytes: asks とても長い名前！", b.sHeading, "とても長い名前！");
    ExpectBytes("31 bytes: shows the name", b.sLines[0], s31);
    ExpectTrue("31 bytes, Cancel: the dialog stays", IsWindowVisible(h));
    Click(h, IDOK);
    AnswerBox(ProgramCaption(), 6, "long name, OK");
    AwaitClosed(h, "long name");
  });
  ExpectEqual("31-byte name accepted", r, 1);
  ExpectBytes("31-byte name cut to 30 bytes", Working().szName, s31.substr(0, 30));

  r = TimeName(kTimeEntryNewData, 0, [] {
    HWND h = AwaitDialog(kNewDataTitle, "name across the cut");
    FillDate(h, "1999", "9", "9", "9", "9", "abcdefghijklmnopqrstuvwxyz012漢");
    Click(h, IDOK);
    AnswerBox(ProgramCaption(), 6, "name across the cut");
    AwaitClosed(h, "name across the cut");
  });
  ExpectBytes("a double-byte character across byte 30 is not split", Working().szName,
              "abcdefghijklmnopqrstuvwxyz012 ");

  r = TimeName(kTimeEntryNewData, 0, [] {
    HWND h = AwaitDialog(kNewDataTitle, "no name");
    FillDate(h, "1999", "9", "9", "9", "9", "");
    Click(h, IDOK);
    AwaitClosed(h, "no name");
  });
  ExpectBytes("an empty name stores (No Name)", Working().szName, "(No Name)");
  ExpectEqual("(No Name) is not saved", Working().bSave, 0);

  r = TimeName(kTimeEntryDefaultPerson, kTimeEntryWizard, [] {
    HWND h = AwaitDialog("デフォルトの出生データ登録", "mode 60001");
    FillDate(h, "1970", "1", "1", "0", "0", "");
    Click(h, IDOK);
    const ShownBoxTexts b = AnswerBox("デフォルトの出生データ", IDOK, "name required");
    ExpectBytes("mode 60001: the name is required", b.sText, "名前を入力してください");
    Type(h, IDC_TN_NAME, "自分");
    Click(h, IDOK);
    AwaitClosed(h, "mode 60001");
  });
  ExpectBytes("mode 60001: the name stored", Working().szName, "自分");
}

// Mode 38300 types only the year and the month.
void MonthMode() {
  const int r = TimeName(kTimeEntryMoonIngress, 0, [] {
    HWND h = AwaitDialog("月の星座境界リスト：年と月の指定", "mode 38300");
    ExpectTrue("mode 38300: day, hour, minute, name and boxes locked",
               !Enabled(h, IDC_TN_DAY) && !Enabled(h, IDC_TN_HOUR) && !Enabled(h, IDC_TN_MINUTE) &&
                   !Enabled(h, IDC_TN_NAME) && !Enabled(h, IDC_TN_UNKNOWN_TIME) && !Enabled(h, IDC_TN_SECONDS_GIVEN));
    ExpectBytes("mode 38300: no name needed", ControlText(h, IDC_TN_NAME), "( 名前の入力は不要 )");
    Type(h, IDC_TN_YEAR, "2030");
    Type(h, IDC_TN_MONTH, "11");
    Click(h, IDOK);
    AwaitClosed(h, "mode 38300");
  });
  ExpectEqual("mode 38300 accepted", r, 1);
  const BirthRecord w = Working();
  ExpectTrue("mode 38300 returns 2030-11-01 00:00",
             w.time.year == 2030 && w.time.month == 11 && w.time.day == 1 && w.time.hour == 0 && w.time.minute == 0);
}

// "訂正": sub-mode 101 shows the record; accepting it unchanged keeps it.
// F1 and "説明" show their help; an exception inside the dialog is reported
// with the procedure's name and the dialog stays; Cancel changes nothing.
void EditHelpAndException() {
  const BirthRecord before = Person("山田花子");
  SetWorking(before);
  int r = TimeName(kTimeEntryNewData, kTimeEntryEditRecord, [] {
    HWND h = AwaitDialog(kNewDataTitle, "sub-mode 101");
    ExpectBytes("sub-mode 101: the record's year", ControlText(h, IDC_TN_YEAR), "1965");
    ExpectBytes("sub-mode 101: the record's seconds", ControlText(h, IDC_TN_SECONDS), "30.25");
    ExpectBytes("sub-mode 101: the record's name", ControlText(h, IDC_TN_NAME), "山田花子");
    ExpectTrue("sub-mode 101: 秒を指定 checked", Checked(h, IDC_TN_SECONDS_GIVEN));
    PressF1(h, IDC_TN_SECONDS);
    ExpectFairy(kSecondsHelp, "F1 over the seconds");
    PressF1(h, IDC_TN_SECONDS_GIVEN);
    ExpectFairy(kSecondsHelp, "F1 over 秒を指定");
    PressF1(h, IDC_TN_UNKNOWN_TIME);
    ExpectFairy(kUnknownTimeHelp, "F1 over 時間は分からない");
    PressF1(h, IDC_TN_NAME);
    ExpectFairy(kTimeNameHelp, "F1 over the name");
    Click(h, IDC_HELP_BUTTON);
    ExpectFairy(kTimeNameHelp, "説明");
    Click(h, IDOK);
    AwaitClosed(h, "sub-mode 101");
  });
  ExpectEqual("sub-mode 101 accepted", r, 1);
  const BirthRecord after = Working();
  ExpectTrue("sub-mode 101 unchanged: the record is kept whole", memcmp(&before, &after, sizeof before) == 0);

  r = TimeName(kTimeEntryNewData, 0, [] {
    HWND h = AwaitDialog(kNewDataTitle, "exception");
    Type(h, IDC_TN_NAME, "変更");
    // A help request whose information does not exist: the procedure's
    // read of it faults.
    DWORD_PTR dw;
    SendMessageTimeoutA(h, WM_HELP, 0, 16, SMTO_NORMAL, 200, &dw);
    const ShownBoxTexts b = AnswerBox("TimeNameInputDFunc", IDIGNORE, "exception box");
    ExpectTrue("exception: reported as an exception in the procedure",
               b.sText.find("上記の処理中に例外が発生しました。") != std::string::npos);
    ExpectTrue("exception, Ignore: the dialog stays", IsWindowVisible(h));
    Click(h, IDCANCEL);
    AwaitClosed(h, "exception");
  });
  ExpectEqual("Cancel returns 0", r, 0);
  const BirthRecord afterCancel = Working();
  ExpectTrue("Cancel leaves the record", memcmp(&before, &afterCancel, sizeof before) == 0);
}

// --- Place --------------------------------------------------------------------------------

void PlaceCases() {
  BirthRecord rec = Person("場所テスト");
  SetWorking(rec);
  int r = Place(kPlaceEntryBirth, [] {
    HWND h = AwaitDialog("どこで生まれましたか？  (場所テスト)", "place, untouched");
    ExpectEqual("place list: 98 rows", ListCount(h, IDC_PLACE_LIST), 98);
    ExpectEqual("place list: 東京都 selected", ListSelection(h, IDC_PLACE_LIST), 33);
    ExpectBytes("place list: row 3 indented", ListRow(h, IDC_PLACE_LIST, 3), "   札幌");
    ExpectBytes("latitude shows 35.6500", ControlText(h, IDC_PLACE_LAT), "35.6500");
    ExpectBytes("longitude shows 139.7500", ControlText(h, IDC_PLACE_LONG), "139.7500");
    ExpectTrue("coordinates locked, datum checked and locked",
               !Enabled(h, IDC_PLACE_LAT) && !Enabled(h, IDC_PLACE_LONG) && Checked(h, IDC_PLACE_DATUM) &&
                   !Enabled(h, IDC_PLACE_DATUM));
    AwaitScreenshot(g_szShots, "place", kShotTimeoutMs);
    PressF1(h, IDC_PLACE_LIST);
    ExpectFairy(kPlaceHelp, "place, F1");
    Click(h, IDC_HELP_BUTTON);
    ExpectFairy(kPlaceHelp, "place, 説明");
    Click(h, IDOK);
    AwaitClosed(h, "place, untouched");
  });
  ExpectEqual("untouched place accepted", r, 1);
  BirthRecord w = Working();
  ExpectBytes("untouched: 東京都", w.szBirthPlace, "東京都");
  ExpectTrue("untouched: 35.65 / 139.75", std::fabs(w.dBirthLat - 35.65) < 1e-12 && std::fabs(w.dBirthLong - 139.75) < 1e-12);
  ExpectBytes("untouched: the name is kept", w.szName, "場所テスト");

  r = Place(kPlaceEntryThen, [] {
    HWND h = AwaitDialog("そのときどこにいる(いた)か？  (場所テスト)", "place, 札幌");
    ClickRow(h, IDC_PLACE_LIST, 3, true);
    AwaitClosed(h, "place, 札幌");
  });
  w = Working();
  ExpectEqual("a double click on 札幌 accepts", r, 1);
  ExpectBytes("札幌 without its leading blanks", w.szBirthPlace, "札幌");
  ExpectTrue("札幌 at 43°04' 141°21'",
             std::fabs(w.dBirthLat - (43 + 4 / 60.0)) < 1e-12 && std::fabs(w.dBirthLong - (141 + 21 / 60.0)) < 1e-12);

  r = Place(kPlaceEntryNow, [] {
    HWND h = AwaitDialog("いまどこにいますか？  (場所テスト)", "place, typed");
    Tick(h, IDC_PLACE_TYPED);
    ExpectTrue("typed: the list locked, the edits open and empty",
               !Enabled(h, IDC_PLACE_LIST) && Enabled(h, IDC_PLACE_LAT) && ControlText(h, IDC_PLACE_LAT).empty() &&
                   ControlText(h, IDC_PLACE_LONG).empty());
    Type(h, IDC_PLACE_LAT, "90.0001");
    Type(h, IDC_PLACE_LONG, "139.75");
    Click(h, IDOK);
    const ShownBoxTexts b = AnswerBox("+90.0001 : +139.7500", IDOK, "latitude beyond 90");
    ExpectBytes("90.0001: refused with 無効な経緯度", b.sText, "無効な経緯度");
    Type(h, IDC_PLACE_LAT, "35.5");
    Type(h, IDC_PLACE_LONG, "-70");
    Click(h, IDOK);
    AwaitClosed(h, "place, typed");
  });
  w = Working();
  ExpectEqual("typed 35.5 / -70 accepted", r, 1);
  ExpectBytes("typed: the place name", w.szBirthPlace, "+35.5000 : -70.0000");
  ExpectTrue("typed: the coordinates", w.dBirthLat == 35.5 && w.dBirthLong == -70.0);

  r = Place(kPlaceEntryBirth, [] {
    HWND h = AwaitDialog("どこで生まれましたか？  (場所テスト)", "place, letters");
    Tick(h, IDC_PLACE_TYPED);
    Type(h, IDC_PLACE_LAT, "abc");
    Type(h, IDC_PLACE_LONG, "東");
    Click(h, IDOK);
    AwaitClosed(h, "place, letters");
  });
  w = Working();
  ExpectBytes("letters are 0", w.szBirthPlace, "+0.0000 : +0.0000");

  const BirthRecord before = Working();
  r = Place(kPlaceEntrySeason, [] {
    HWND h = AwaitDialog("場所の指定  (場所テスト)", "place, cancel");
    ClickRow(h, IDC_PLACE_LIST, 97, false);
    Click(h, IDCANCEL);
    AwaitClosed(h, "place, cancel");
  });
  BirthRecord after = Working();
  ExpectEqual("place, Cancel returns 0", r, 0);
  ExpectTrue("place, Cancel leaves the record", memcmp(&before, &after, sizeof before) == 0);

  // An exception inside the place dialog is reported with its name and
  // ends the dialog without touching the record.
  r = Place(kPlaceEntryBirth, [] {
    HWND h = AwaitDialog("どこで生まれましたか？  (場所テスト)", "place, exception");
    ClickRow(h, IDC_PLACE_LIST, 3, false);
    DWORD_PTR dw;
    SendMessageTimeoutA(h, WM_INITDIALOG, 0, 16, SMTO_NORMAL, 200, &dw);
    AnswerBox("PlaceInputDFunc", IDIGNORE, "place, exception box");
    AwaitClosed(h, "place, exception");
  });
  after = Working();
  ExpectEqual("place, exception: the dialog ends as cancelled", r, 0);
  ExpectTrue("place, exception: the record is unchanged", memcmp(&before, &after, sizeof before) == 0);
}

// --- Wizard ---------------------------------------------------------------------------------

// The page window once it shows the text.
HWND AwaitPage(const char* szCaption, const char* szText, const char* szWhat) {
  HWND h = AwaitDialog(szCaption, szWhat);
  const DWORD dwStart = GetTickCount();
  while (ControlText(h, IDC_WIZARD_TEXT) != szText) {
    if (GetTickCount() - dwStart > kDialogTimeoutMs) Abandon((std::string(szWhat) + ": page text").c_str());
    Sleep(20);
  }
  return h;
}

const char kWizardTitle[] = "魔法使い  ( ウィザード )";

void FillOwnData(const char* szName) {
  HWND h = AwaitDialog("デフォルトの出生データ登録", "wizard, time and name");
  FillDate(h, "1988", "8", "8", "8", "8", szName);
  Click(h, IDOK);
  AwaitClosed(h, "wizard, time and name");
}

void ChoosePlace(const char* szCaption, int iRow) {
  HWND h = AwaitDialog(szCaption, "wizard, place");
  ClickRow(h, IDC_PLACE_LIST, iRow, true);
  AwaitClosed(h, "wizard, place");
}

void WizardCases() {
  // No default person yet: every page from the first to the finish.
  memset(&g_sii, 0, sizeof g_sii);
  g_sii.dwMagic = kRecordMagic;
  BirthTable* pTable = static_cast<BirthTable*>(LocalLock(g_ab.hVirtualFile));
  pTable->iNumData = 2;
  pTable->bHoldsFile = 1;
  pTable->rows[0] = Person("一人目");
  pTable->rows[1] = Person("二人目");
  LocalUnlock(g_ab.hVirtualFile);
  g_received.clear();
  g_bWizardDone = false;

  std::thread driver([] {
    HWND h = AwaitPage(kWizardTitle, kWizardIntroPage, "wizard, first page");
    ExpectTrue("first page: 戻る disabled", !Enabled(h, IDC_WIZARD_BACK));
    ExpectBytes("first page: 次へ", ControlText(h, IDC_WIZARD_NEXT), "次へ > [A]");
    AwaitScreenshot(g_szShots, "wizard", kShotTimeoutMs);
    PressF1(h, IDC_WIZARD_TEXT);  // answered below
    Click(h, IDC_WIZARD_NEXT);
    h = AwaitPage(kWizardTitle, kWizardTimeNamePage, "wizard, -999");
    ExpectTrue("page -999: 戻る disabled", !Enabled(h, IDC_WIZARD_BACK));
    Click(h, IDC_WIZARD_NEXT);
    Click(h, IDC_WIZARD_NEXT);  // pressed twice before the dialog opens
    AwaitDialog("デフォルトの出生データ登録", "wizard, time and name");
    ExpectTrue("the page is disabled while its step's dialog is open", !IsWindowEnabled(h));
    Click(h, IDC_WIZARD_STOP);  // what a queued press of 中 止 would do
    FillOwnData("最初の名前");
    h = AwaitPage(kWizardTitle, kWizardBirthPlacePage, "wizard, -998");
    ExpectTrue("neither the second 次へ nor 中 止 acted under the dialog: one dialog, the page enabled",
               !FindWindowA(nullptr, "デフォルトの出生データ登録") && IsWindowEnabled(h));
    ExpectTrue("page -998: 戻る enabled", Enabled(h, IDC_WIZARD_BACK));
    Click(h, IDC_WIZARD_BACK);  // the time and name again
    FillOwnData("自分");
    h = AwaitPage(kWizardTitle, kWizardBirthPlacePage, "wizard, -998 again");
    Click(h, IDC_WIZARD_NEXT);
    ChoosePlace("どこで生まれましたか？  (自分)", 3);
    h = AwaitPage(kWizardTitle, kWizardCurrentPlacePage, "wizard, -997");
    Click(h, IDC_WIZARD_NEXT);
    ChoosePlace("いまどこにいますか？  (自分)", 82);
    h = AwaitDialog("確認してください", "wizard, last page");
    const std::string sPage = ControlText(h, IDC_WIZARD_TEXT);
    ExpectTrue("last page: name, birthplace and current place",
               sPage.find("自分\r\n") == 0 && sPage.find("出生地 札幌\r\n現在地 那覇") != std::string::npos);
    ExpectBytes("last page: ＯＫ [A]", ControlText(h, IDC_WIZARD_NEXT), "ＯＫ [A]");
    Click(h, IDC_WIZARD_NEXT);
    const ShownBoxTexts b = AnswerBox(ProgramCaption(), 6, "wizard, registered");
    ExpectBytes("finish: デフォルトの出生データ", b.sHeading, "デフォルトの出生データ");
    ExpectBytes("finish: 登録完了しました", b.sLines[1], "登録完了しました");
  });
  std::thread helpBox([] {
    const ShownBoxTexts b = AnswerBox("Wizard", IDOK, "wizard F1");
    ExpectBytes("wizard F1: 追加情報なし", b.sText, "追加情報なし");
  });
  ExpectEqual("step -1000 without a default person shows a page",
              RunDefaultDataWizard(g_hMain, IDM_READING, kWizardStart, &g_sii, &g_slots, WizardBlocksOf(&g_ab)), 1);
  PumpUntil([] { return g_bWizardDone; }, "wizard: the remembered command never came");
  driver.join();
  helpBox.join();

  const BirthRecord& d = g_sii.defaultData;
  ExpectBytes("registered: the name", d.szName, "自分");
  ExpectEqual("registered: born 1988", d.time.year, 1988);
  ExpectBytes("registered: the birthplace", d.szBirthPlace, "札幌");
  ExpectBytes("registered: the current place", d.szCurrentPlace, "那覇");
  ExpectEqual("registered: iMarker 1", d.iMarker, 1);
  ExpectEqual("registered: iDataNo -8", d.iDataNo, -8);
  ExpectTrue("registered: the settings flag", (g_sii.bFlags & kSiiFlagDefaultPerson) != 0);
  ExpectTrue("registered: the default person's chart is on view", (g_ab.bState0 & kState0DefaultPerson) != 0);
  ExpectBytes("registered: the natal chart of the chart set", g_slots.charts[kSlotNatal].natal.szName, "自分");
  ExpectTrue("registered: the chart was computed", g_slots.charts[kSlotNatal].ldJde > 0);
  pTable = static_cast<BirthTable*>(LocalLock(g_ab.hVirtualFile));
  ExpectEqual("registered: appended to the table", pTable->iNumData, 3);
  ExpectBytes("registered: the new row", pTable->rows[2].szName, "自分");
  LocalUnlock(g_ab.hVirtualFile);
  ExpectTrue("finish: the remembered command issued",
             !g_received.empty() && g_received.back().first == WM_COMMAND &&
                 LOWORD(g_received.back().second.first) == IDM_READING);
  ExpectTrue("finish: the page is gone", WizardWindow() == nullptr);

  // A default person exists: the question first; No changes nothing.
  const SystemIniInf before = g_sii;
  int r = RunWithDriver<int>([] { return RunDefaultDataWizard(g_hMain, 0, kWizardStart, &g_sii, &g_slots, WizardBlocksOf(&g_ab)); },
                             [] {
                               const ShownBoxTexts b = AnswerBox(ProgramCaption(), IDNO, "replace question");
                               ExpectTrue("replace question: shows the person",
                                          b.sText.find("すでにデフォルトの出生データ") == 0 &&
                                              b.sText.find("出生地   札幌") != std::string::npos &&
                                              b.sText.find("現在地   那覇") != std::string::npos);
                             });
  ExpectEqual("replace question, No: ends with 0", r, 0);
  ExpectTrue("replace question, No: nothing changed", memcmp(&before, &g_sii, sizeof before) == 0);

  // Yes goes on as step -999; "中 止" cancels with its box.
  g_bWizardDone = false;
  r = RunWithDriver<int>([] { return RunDefaultDataWizard(g_hMain, 0, kWizardStart, &g_sii, &g_slots, WizardBlocksOf(&g_ab)); },
                         [] { AnswerBox(ProgramCaption(), IDYES, "replace question, Yes"); });
  ExpectEqual("replace question, Yes: a page", r, 1);
  std::thread stopper([] {
    HWND h = AwaitPage(kWizardTitle, kWizardTimeNamePage, "wizard after Yes");
    Click(h, IDC_WIZARD_STOP);
    const ShownBoxTexts b = AnswerBox("キャンセル", IDOK, "wizard stopped");
    ExpectBytes("中 止: 設定を中止します。", b.sText, "設定を中止します。");
  });
  PumpUntil([] { return g_bWizardDone; }, "wizard: stopping never ended");
  stopper.join();
  ExpectTrue("中 止: the page is gone", WizardWindow() == nullptr);
  ExpectTrue("中 止: the default person stays", memcmp(&before.defaultData, &g_sii.defaultData, sizeof before.defaultData) == 0);
}

// --- Data confirmation box --------------------------------------------------------------

void ConfirmCases() {
  const BirthRecord rec = Person("確認テスト");
  static ChartRecord chart;
  HoromiraMain(rec, rec, &chart, kChartNatal, 0, 1.0, kOriginOrdinary);
  const std::pair<int, const char*> kPresses[] = {{6, "は い"}, {7, "訂正"}, {IDCANCEL, "キャンセル"}};
  for (const auto& press : kPresses) {
    g_received.clear();
    HWND hBox = ShowDataConfirmBox(rec, chart);
    // What another command does to the working record meanwhile is not
    // the box's person.
    SetWorkingRecord(g_ab.hEntryBlock, Person("別の人"));
    ExpectTrue("confirmation box shown", hBox != nullptr);
    std::thread driver([&] {
      HWND h = AwaitDialog(ProgramCaption(), "confirmation");
      ExpectBytes("confirmation: これでよろしいですか？", ControlText(h, 256), "これでよろしいですか？");
      ExpectBytes("confirmation: the name", ControlText(h, 257), "確認テスト");
      ExpectBytes("confirmation: the time", ControlText(h, 258), TimeToStr(&rec.time));
      ExpectBytes("confirmation: the birthplace", ControlText(h, 259), "名古屋");
      ExpectBytes("confirmation: 訂正 (&R)", ControlText(h, 7), "訂正 (&R)");
      PressF1(h, 256);
      ExpectFairy(kConfirmHelp, "confirmation, F1");
      Click(h, press.first);
      AwaitClosed(h, "confirmation");
    });
    PumpUntil([&] { return !IsWindow(hBox); }, "confirmation box stays");
    driver.join();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    const std::string sWhat = std::string("confirmation, ") + press.second;
    if (press.first == 6) {
      ExpectTrue((sWhat + ": message 2048 to the main window").c_str(),
                 g_received.size() == 1 && g_received[0].first == kMsgNewRecord);
      const ChartRecord* pHeld = g_received.empty() ? nullptr
                                                    : reinterpret_cast<const ChartRecord*>(g_received[0].second.second);
      ExpectTrue((sWhat + ": with the chart the box held").c_str(),
                 pHeld && strcmp(pHeld->szTitle, chart.szTitle) == 0 && strcmp(pHeld->natal.szName, "確認テスト") == 0);
    } else if (press.first == 7) {
      ExpectTrue((sWhat + ": command 10001 with 101").c_str(),
                 g_received.size() == 1 && g_received[0].first == WM_COMMAND &&
                     LOWORD(g_received[0].second.first) == IDM_NEW_DATA && g_received[0].second.second == 101);
      ExpectTrue((sWhat + ": on the person as entered").c_str(),
                 memcmp(&ConfirmedPerson(), &rec, sizeof rec) == 0);
    } else {
      ExpectEqual((sWhat + ": nothing sent").c_str(), g_received.size(), 0);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  g_szShots = argc > 3 ? argv[3] : nullptr;
  ExpectEqual("ANSI code page is 932", GetACP(), 932);
  InstallExceptionGuard();
  SetDialogHelpPresenter(FairyMessage);
  CreateMainWindow();

  YearCases();
  AcceptedYears();
  TimeAndSeconds();
  Names();
  MonthMode();
  EditHelpAndException();
  PlaceCases();
  WizardCases();
  ConfirmCases();
  return Finish("test_entry_dialogs");
}

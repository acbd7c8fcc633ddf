// The list and choice dialogs driven as a user would: the list of filed
// data with 1024 rows, choosing and deleting a row (and the file written
// afterwards read back whole), the harmonic and season dialogs, the
// ephemeris choice through to the engine's listing, the 101 solar returns,
// and the version, quotation and no-button boxes.
//
// Usage (as run.sh calls every test): test_list_dialogs HOROMAP_EXE WORK_DIR SHOT_DIR
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
#include "events/events.h"
#include "persistence/data_file.h"
#include "platform/resource_ids.h"
#include "platform/win32/exception_guard.h"
#include "platform/win32/win32_platform.h"
#include "readings/help_texts.h"
#include "shell/aux_windows.h"
#include "shell/shell.h"
#include "time/timescale.h"

// The program instance, which the entry point of Horomap.exe sets: here
// this test program, which holds the same resources.
HINSTANCE g_hInstance = GetModuleHandleA(nullptr);

namespace {

const char* g_szShots = nullptr;
std::string g_sWorkDir;
constexpr DWORD kShotTimeoutMs = 15000;

HWND g_hMain = nullptr;
HLOCAL g_hBlock = nullptr;
BirthTable g_table;
BirthTable g_readBack;
ChartSlots g_slots;

void CreateMainWindow() {
  g_hMain = CreateWindowA("STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  Win32SetMainWindow(g_hMain);
  g_hBlock = NewEntryBlock();
  SetEntryMainWindow(g_hBlock, g_hMain);
}

BirthRecord Working() {
  EntryBlock* p = LockEntryBlock(g_hBlock);
  const BirthRecord r = p->working;
  UnlockEntryBlock(g_hBlock);
  return r;
}

// Row i of the big table: "人物0000" .. with dates a day apart.
BirthRecord RowPerson(int i) {
  BirthRecord r{};
  snprintf(r.szName, sizeof r.szName, "人物%04d", i);
  r.time = DateTime{1950 + i / 365, 1 + (i / 28) % 12, 1 + i % 28, 12, 0, 0.0};
  r.bTimeKnown = 1;
  r.dwMagic = kRecordMagic;
  r.iDataNo = i;
  AcceptListedPlace(i % kNumPlaces, &r);
  BuildListLine(&r);
  return r;
}

// --- The list of filed data -----------------------------------------------------------

// Answers the notice of a table above 1000 rows.
void AnswerTooManyRows(const char* szWhat) {
  const ShownBoxTexts b = AnswerBox(ProgramCaption(), IDOK, szWhat);
  ExpectBytes("1024 rows: the notice",
              b.sText, "このファイルには1024件のデータが登録されています。初めの1000件が表示可能です。");
}

void FiledListCases() {
  memset(&g_table, 0, sizeof g_table);
  for (int i = 0; i < kTableSlots; ++i) g_table.rows[i] = RowPerson(i);
  g_table.iNumData = kTableSlots;

  int r = RunWithDriver<int>([] { return RunFromFileDialog(g_hMain, &g_table); }, [] {
    AnswerTooManyRows("list, notice");
    HWND h = AwaitDialog("ファイルされているデータ （日本時間）", "filed list");
    ExpectEqual("1024 rows: 1000 listed", ListCount(h, IDC_FILED_LIST), 1000);
    ExpectEqual("the first row selected", ListSelection(h, IDC_FILED_LIST), 0);
    ExpectBytes("row 0 shows its list line", ListRow(h, IDC_FILED_LIST, 0), g_table.rows[0].szListLine);
    ExpectBytes("row 999 shows its list line", ListRow(h, IDC_FILED_LIST, 999), g_table.rows[999].szListLine);
    AwaitScreenshot(g_szShots, "filed_list", kShotTimeoutMs);
    PressF1(h, IDC_FILED_LIST);
    ExpectFairy(kFiledDataHelp, "filed list, F1");
    ClickRow(h, IDC_FILED_LIST, 5, false);
    Click(h, IDOK);
    AwaitClosed(h, "filed list");
  });
  ExpectEqual("row 5 chosen with え ら ぶ", r, 5);

  BirthRecord chosen{};
  r = RunWithDriver<int>([&] { return ChooseFiledRecord(g_hMain, &g_table, &chosen); }, [] {
    AnswerTooManyRows("choose, notice");
    HWND h = AwaitDialog("ファイルされているデータ （日本時間）", "choose");
    ClickRow(h, IDC_FILED_LIST, 999, true);
    AwaitClosed(h, "choose");
  });
  ExpectEqual("a double click on row 999 chooses it", r, 1);
  ExpectTrue("the chosen record copied whole", memcmp(&chosen, &g_table.rows[999], sizeof chosen) == 0);

  r = RunWithDriver<int>([] { return RunFromFileDialog(g_hMain, &g_table); }, [] {
    AnswerTooManyRows("cancel, notice");
    HWND h = AwaitDialog("ファイルされているデータ （日本時間）", "cancel");
    Click(h, IDCANCEL);
    AwaitClosed(h, "cancel");
  });
  ExpectEqual("キャンセル returns -2", r, -2);

  // Delete row 7: asked, listed, asked again with its name; the table
  // closes up and the file written at the save point reads back whole.
  const std::string sPath = g_sWorkDir + "\\削除テスト.bd5";
  r = RunWithDriver<int>([&] { return DeleteFiledRecord(g_hMain, &g_table, sPath.c_str()); }, [] {
    ShownBoxTexts b = AnswerBox(ProgramCaption(), 6, "delete, first question");
    ExpectBytes("delete: データの削除", b.sHeading, "データの削除");
    AnswerTooManyRows("delete, notice");
    HWND h = AwaitDialog("ファイルされているデータ （日本時間）", "delete, list");
    ClickRow(h, IDC_FILED_LIST, 7, false);
    Click(h, IDOK);
    AwaitClosed(h, "delete, list");
    b = AnswerBox(ProgramCaption(), 6, "delete, question");
    ExpectBytes("delete: asks about the row", b.sHeading, "次のデータを削除してよろしいですか？");
    ExpectBytes("delete: the row's name", b.sLines[0], "人物0007");
  });
  ExpectEqual("row 7 deleted", r, 1);
  ExpectEqual("1023 rows left", g_table.iNumData, 1023);
  bool bShifted = true;
  for (int i = 0; i < 1023; ++i) {
    char szWant[16];
    snprintf(szWant, sizeof szWant, "人物%04d", i < 7 ? i : i + 1);
    bShifted = bShifted && strcmp(g_table.rows[i].szName, szWant) == 0;
  }
  ExpectTrue("the later rows moved up by one", bShifted);
  ExpectEqual("the save point writes the file", WriteBirthDataFile(&g_table, sPath.c_str()), 1);
  memset(&g_readBack, 0, sizeof g_readBack);
  ExpectEqual("the file reads back with every row", ReadBirthDataFile(sPath.c_str(), &g_readBack), 1023);
  bool bSame = true;
  for (int i = 0; i < 1023; ++i) {
    bSame = bSame && strcmp(g_readBack.rows[i].szName, g_table.rows[i].szName) == 0 &&
            memcmp(&g_readBack.rows[i].time, &g_table.rows[i].time, sizeof(DateTime)) == 0 &&
            g_readBack.rows[i].iDataNo == i;
  }
  ExpectTrue("the file holds the rows in order, renumbered", bSame);

  // Cancelling the question deletes nothing; an empty table says so.
  r = RunWithDriver<int>([&] { return DeleteFiledRecord(g_hMain, &g_table, sPath.c_str()); },
                         [] { AnswerBox(ProgramCaption(), 2, "delete, cancelled"); });
  ExpectEqual("delete cancelled: nothing removed", r + g_table.iNumData, 1023);
  BirthTable* pEmpty = &g_readBack;
  pEmpty->iNumData = 0;
  r = RunWithDriver<int>([&] { return DeleteFiledRecord(g_hMain, pEmpty, sPath.c_str()); }, [&] {
    AnswerBox(ProgramCaption(), 6, "delete, empty");
    const ShownBoxTexts b = AnswerBox(sPath, IDOK, "delete, empty file");
    ExpectBytes("empty table: the notice", b.sText, "このファイルは登録データがないか、壊れています。");
  });
  ExpectEqual("empty table: nothing deleted", r, 0);
  ExpectEqual("an empty table gives -1 at once", RunFromFileDialog(g_hMain, pEmpty), -1);
}

// --- Harmonic and season ---------------------------------------------------------------

void HarmonicCases() {
  int32_t r = RunWithDriver<int32_t>([] { return ShowHarmonicInput(g_hMain); }, [] {
    HWND h = AwaitDialog("倍音図の計算", "harmonic");
    ExpectBytes("harmonic: the first opening proposes 5", ControlText(h, IDC_HARMONIC), "5");
    AwaitScreenshot(g_szShots, "harmonic", kShotTimeoutMs);
    for (const char* szBad : {"0.05", "2148", "abc"}) {
      Type(h, IDC_HARMONIC, szBad);
      Click(h, IDOK);
      const ShownBoxTexts b = AnswerBox(szBad, IDOK, "harmonic refusal");
      ExpectTrue((std::string("harmonic ") + szBad + " refused").c_str(),
                 b.sText.find("正常な半角数字でないか") == 0);
    }
    PressF1(h, IDC_HARMONIC);
    ExpectFairy(kHarmonicHelp, "harmonic, F1");
    Type(h, IDC_HARMONIC, "-3.5");
    Click(h, IDOK);
    AwaitClosed(h, "harmonic");
  });
  ExpectEqual("harmonic -3.5 returns -3500000", r, -3500000);

  r = RunWithDriver<int32_t>([] { return ShowHarmonicInput(g_hMain); }, [] {
    HWND h = AwaitDialog("倍音図の計算", "harmonic 1");
    ExpectBytes("harmonic: the last number proposed", ControlText(h, IDC_HARMONIC), "-3.500000");
    Type(h, IDC_HARMONIC, "1");
    Click(h, IDOK);
    ShownBoxTexts b = AnswerBox(ProgramCaption(), IDNO, "harmonic 1, No");
    ExpectTrue("harmonic 1 asks about the ordinary chart", b.sText.find("倍音の次数が1と指定されました。") == 0);
    ExpectTrue("harmonic 1, No: the dialog stays", IsWindowVisible(h));
    Click(h, IDOK);
    AnswerBox(ProgramCaption(), IDYES, "harmonic 1, Yes");
    AwaitClosed(h, "harmonic 1");
  });
  ExpectEqual("harmonic 1, Yes returns 1000000", r, 1000000);

  r = RunWithDriver<int32_t>([] { return ShowHarmonicInput(g_hMain); }, [] {
    HWND h = AwaitDialog("倍音図の計算", "harmonic cancel");
    ExpectBytes("after returning to 1 the dialog proposes 5 again", ControlText(h, IDC_HARMONIC), "5");
    Click(h, IDCANCEL);
    AwaitClosed(h, "harmonic cancel");
  });
  ExpectEqual("harmonic cancel returns 0x80000030", r, static_cast<int32_t>(0x80000030u));
}

void SeasonCases() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  int r = RunWithDriver<int>([] { return ShowSeasonInput(g_hMain); }, [&] {
    HWND h = AwaitDialog("春分図・夏至図・秋分図・冬至図", "season");
    ExpectBytes("season: this year proposed", ControlText(h, IDC_SEASON_YEAR), std::to_string(st.wYear));
    ExpectTrue("season: 春分図 checked", Checked(h, IDC_SEASON_VERNAL) && !Checked(h, IDC_SEASON_AUTUMNAL));
    AwaitScreenshot(g_szShots, "season", kShotTimeoutMs);
    for (const char* szBad : {"-5", "10000", ""}) {
      Type(h, IDC_SEASON_YEAR, szBad);
      Click(h, IDOK);
      const ShownBoxTexts b = AnswerBox(ProgramCaption(), IDOK, "season refusal");
      ExpectBytes((std::string("season year [") + szBad + "] refused").c_str(), b.sText, "入力が未完了または無効");
    }
    Click(h, IDC_HELP_BUTTON2);
    ExpectFairy(kSeasonHelp, "season, 説明");
    Type(h, IDC_SEASON_YEAR, "2000");
    Tick(h, IDC_SEASON_AUTUMNAL);
    Click(h, IDOK);
    AwaitClosed(h, "season");
  });
  ExpectEqual("season 2000 秋分図 returns 22000", r, 22000);

  r = RunWithDriver<int>([] { return ShowSeasonInput(g_hMain); }, [] {
    HWND h = AwaitDialog("春分図・夏至図・秋分図・冬至図", "season cancel");
    Click(h, IDCANCEL);
    AwaitClosed(h, "season cancel");
  });
  ExpectEqual("season cancel returns -1", r, -1);
}

// --- Ephemeris -------------------------------------------------------------------------

// The ephemeris command's road: the dialog, the time-and-name dialog in
// the ephemeris mode with the step's sub-mode, and the engine's listing of
// what was chosen.
void EphemerisRoad(int iRow, int iStepButton, bool bUntickAligned, int iWantResult, const char* szStart[5],
                   const char* szWhat) {
  const int r = RunWithDriver<int>([] { return ShowEphemerisInput(g_hMain); }, [&] {
    HWND h = AwaitDialog("エフェメリス", szWhat);
    ExpectEqual("ephemeris: nine bodies", ListCount(h, IDC_EPHEM_LIST), 9);
    ExpectEqual("ephemeris: 太陽 selected", ListSelection(h, IDC_EPHEM_LIST), 0);
    ExpectTrue("ephemeris: 1日 and きりのいい時刻 checked", Checked(h, IDC_EPHEM_DAY) && Checked(h, IDC_EPHEM_ALIGNED));
    if (iRow == 1) AwaitScreenshot(g_szShots, "ephemeris", kShotTimeoutMs);
    Tick(h, iStepButton);
    if (bUntickAligned) Tick(h, IDC_EPHEM_ALIGNED);
    ClickRow(h, IDC_EPHEM_LIST, iRow, true);
    AwaitClosed(h, szWhat);
  });
  ExpectEqual((std::string(szWhat) + ": the dialog's result").c_str(), r, iWantResult);
  EphemChoice choice{};
  if (!DecodeEphemChoice(r, &choice)) return;
  const int iSubMode = EphemTimeEntryMode(choice);
  const int iTime = RunWithDriver<int>(
      [&] { return ShowTimeNameInput(GetModuleHandleA(nullptr), g_hMain, g_hBlock, kTimeEntryEphemeris, iSubMode); },
      [&] {
        HWND h = AwaitDialog("エフェメリス：初めの時刻の指定", szWhat);
        const int kIds[5] = {IDC_TN_YEAR, IDC_TN_MONTH, IDC_TN_DAY, IDC_TN_HOUR, IDC_TN_MINUTE};
        for (int i = 0; i < 5; ++i) {
          if (szStart[i]) Type(h, kIds[i], szStart[i]);
        }
        if (choice.iStep == kEphemStepSecond) Type(h, IDC_TN_SECONDS, "12.5");
        Click(h, IDOK);
        AwaitClosed(h, szWhat);
      });
  ExpectEqual((std::string(szWhat) + ": the start accepted").c_str(), iTime, 1);
  static char s_szListing[kEphemTextSize], s_szWant[kEphemTextSize];
  const DateTime start = Working().time;
  ExpectEqual((std::string(szWhat) + ": MakeEphem").c_str(), MakeEphem(start, choice.iBody, choice.iStep, s_szListing), 1);
  MakeEphem(start, iRow, choice.iStep, s_szWant);
  ExpectBytes((std::string(szWhat) + ": the listing of the chosen body and step").c_str(), s_szListing, s_szWant);
  const std::string sHeader = std::string("\r\n") + kEphemBodyNames[iRow] + "  - 日本時間\r\n\r\n";
  ExpectTrue((std::string(szWhat) + ": begins with the body").c_str(),
             std::string(s_szListing).rfind(sHeader, 0) == 0);
}

void EphemerisCases() {
  // The Moon at one-second steps, seconds typed.
  const char* szMoonStart[5] = {"2024", "3", "1", "10", "20"};
  EphemerisRoad(1, IDC_EPHEM_SECOND, true, 101, szMoonStart, "Moon, 1 s");
  ExpectTrue("Moon, 1 s: the seconds as typed", Working().time.second == 12.5);
  // Mars at whole days: hour and minute are 0 and locked.
  const char* szMarsStart[5] = {"2024", "6", "1", nullptr, nullptr};
  EphemerisRoad(4, IDC_EPHEM_DAY, false, 1404, szMarsStart, "Mars, 1 day");
  ExpectTrue("Mars, 1 day: starts at 00:00:00",
             Working().time.hour == 0 && Working().time.minute == 0 && Working().time.second == 0.0);

  // Nothing selected: the error line box, the dialog stays.
  const int r = RunWithDriver<int>([] { return ShowEphemerisInput(g_hMain); }, [] {
    HWND h = AwaitDialog("エフェメリス", "ephemeris, no row");
    SendDlgItemMessageA(h, IDC_EPHEM_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Click(h, IDOK);
    const ShownBoxTexts b = AnswerBox(ProgramCaption(), 6, "ephemeris, no row");
    ExpectBytes("no row: エラー", b.sHeading, "エラー");
    ExpectBytes("no row: LB_ERR", b.sLines[0], "LB_ERR");
    ExpectTrue("no row: the dialog stays", IsWindowVisible(h));
    PressF1(h, IDC_EPHEM_LIST);
    ExpectFairy(kEphemerisHelp, "ephemeris, F1");
    Click(h, IDCANCEL);
    AwaitClosed(h, "ephemeris, no row");
  });
  ExpectEqual("ephemeris cancel returns -1", r, -1);
}

// --- Solar return -------------------------------------------------------------------------

void SolarReturnCases() {
  BirthRecord natal{};
  snprintf(natal.szName, sizeof natal.szName, "リターン");
  natal.time = DateTime{1990, 5, 5, 12, 0, 0.0};
  natal.bTimeKnown = 1;
  natal.dwMagic = kRecordMagic;
  AcceptListedPlace(33, &natal);
  HoromiraMain(natal, natal, &g_slots.charts[kSlotNatal], kChartNatal, 0, 1.0, kOriginOrdinary);
  PrepareSolarReturnEntry(g_hBlock, g_slots);
  static DateTime returns[kNumSolarReturns];
  SolarReturnMoments(g_slots.charts[kSlotNatal].ldJde, returns);
  SYSTEMTIME st;
  GetLocalTime(&st);
  const int iThisAge = st.wYear - 1990;

  const int r = RunWithDriver<int>([] { return ShowSolarReturnInput(g_hMain, g_hBlock); }, [&] {
    HWND h = AwaitDialog("ソーラーリターンの時刻 （日本時間）", "solar return");
    ExpectEqual("solar return: 101 lines", ListCount(h, IDC_RETURN_LIST), 101);
    bool bLines = true;
    for (int i = 0; i < kNumSolarReturns; ++i) {
      char szWant[128];
      SolarReturnLine(i, returns[i], szWant, sizeof szWant);
      bLines = bLines && ListRow(h, IDC_RETURN_LIST, i) == szWant;
    }
    ExpectTrue("solar return: every line is the age and its return", bLines);
    ExpectBytes("solar return: the name above", ListRow(h, IDC_RETURN_NAME, 0), "リターン");
    AwaitScreenshot(g_szShots, "solar_return", kShotTimeoutMs);
    ExpectEqual("solar return: this year's age preselected", ListSelection(h, IDC_RETURN_LIST), iThisAge);
    ClickRow(h, IDC_RETURN_LIST, 0, false);
    Click(h, IDOK);
    const ShownBoxTexts b = AnswerBox("", IDOK, "age 0");
    ExpectBytes("age 0 refused", b.sText, "0歳は指定できません");
    Click(h, IDC_HELP_BUTTON);
    ExpectFairy(kSolarReturnHelp, "solar return, 説明");
    ClickRow(h, IDC_RETURN_LIST, 30, true);
    AwaitClosed(h, "solar return");
  });
  ExpectEqual("age 30 chosen", r, 30);
  const BirthRecord w = Working();
  ExpectTrue("the working record holds the 30th return",
             memcmp(&w.time, &returns[30], sizeof(DateTime)) == 0 && strcmp(w.szName, "リターン") == 0);
}

// --- Boxes ---------------------------------------------------------------------------------

void BoxCases() {
  std::thread driver([] {
    HWND h = AwaitDialog("バージョン情報", "version");
    ExpectBytes("version: the operating system", ControlText(h, IDC_VERSION_OS), "オペレーティングシステム : Windows NT");
    ExpectTrue("version: the working folder", ControlText(h, IDC_VERSION_FOLDER).rfind("作業フォルダ : ", 0) == 0);
    ExpectTrue("version: the build date", ControlText(h, IDC_VERSION_BUILD).rfind("作成日 : ", 0) == 0);
    const std::string sSpace = ControlText(h, IDC_VERSION_SPACE);
    char szFolder[MAX_PATH + 1] = "";
    GetCurrentDirectoryA(sizeof szFolder, szFolder);
    ExpectTrue("version: the free space of the working folder's drive",
               sSpace.rfind(std::string("このドライブ[") + szFolder + "]には ", 0) == 0 &&
                   sSpace.find(" MBの") != std::string::npos);
    ExpectBytes("version: its second line", ControlText(h, IDC_VERSION_SPACE2), "空きが認識されます。");
    AwaitScreenshot(g_szShots, "version", kShotTimeoutMs);
    Click(h, IDOK);
    AwaitClosed(h, "version");
  });
  ShowVersionBox(g_hMain);
  driver.join();

  driver = std::thread([] {
    HWND h = AwaitDialog("ホロミラによせて", "quotation");
    for (int i = 0; i < kQuotationCount; ++i) {
      ExpectBytes("quotation: its text", ControlText(h, IDC_BOX_LINE1 + i), kQuotationTexts[i]);
    }
    AwaitScreenshot(g_szShots, "quotation", kShotTimeoutMs);
    Click(h, IDOK);
    AwaitClosed(h, "quotation");
  });
  ShowQuotationBox(g_hMain);
  driver.join();

  HWND hBox = ShowNoButtonBox("一行目", nullptr, "三行目", 0);
  ExpectTrue("no-button box shown", hBox && IsWindowVisible(hBox));
  ExpectBytes("no-button box: line 1 replaced", ControlText(hBox, 256), "一行目");
  ExpectBytes("no-button box: line 2 of the template", ControlText(hBox, 257), kNoButtonLines[1]);
  ExpectBytes("no-button box: line 3 replaced", ControlText(hBox, 258), "三行目");
  ExpectEqual("no-button box: no buttons", PushButtons(hBox).size(), 0);
  DestroyWindow(hBox);

  driver = std::thread([] {
    // The box's thread sleeps: its texts are read without sending it a
    // message.
    HWND h = WaitForWindow("#32770", nullptr, GetCurrentProcessId(), kDialogTimeoutMs);
    WCHAR wsz[64] = L"";
    if (h) InternalGetWindowText(GetDlgItem(h, 256), wsz, 64);
    char sz[128] = "";
    WideCharToMultiByte(932, 0, wsz, -1, sz, sizeof sz, nullptr, nullptr);
    ExpectBytes("timed box: shown while the thread waits", sz, kTitlePageLines[0]);
  });
  const DWORD dwStart = GetTickCount();
  ExpectTrue("timed box: gone afterwards", ShowNoButtonBox(kTitlePageLines[0], kTitlePageLines[1], kTitlePageLines[2], 1) == nullptr);
  ExpectTrue("timed box: stays 3000 ms", GetTickCount() - dwStart >= 2900);
  driver.join();
}

}  // namespace

int main(int argc, char** argv) {
  g_szShots = argc > 3 ? argv[3] : nullptr;
  g_sWorkDir = argc > 2 ? argv[2] : ".";
  ExpectEqual("ANSI code page is 932", GetACP(), 932);
  InstallExceptionGuard();
  SetDialogHelpPresenter(FairyMessage);
  CreateMainWindow();

  FiledListCases();
  HarmonicCases();
  SeasonCases();
  EphemerisCases();
  SolarReturnCases();
  BoxCases();
  return Finish("test_list_dialogs");
}

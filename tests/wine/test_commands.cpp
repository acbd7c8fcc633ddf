// The commands of Horomap.exe's main window, walked in one run of the
// program with the checks a user would make, the charts compared with the
// ones computed here:
//   - no person: Shift+N asks for data titled 出生図, Yes opens the new-data
//     dialogs; a recent file and its list bring a person;
//   - Shift+F10 five times and F11: the time comes back exactly; every
//     step command; F8 during the animation stops it without stepping;
//   - the orbs (none of 7 degrees; 8 kept), Placidus refused at 65 degrees
//     north and chosen at 35, undo both ways;
//   - harmonic 5 and back, a solar return and "[いいえ]" back to the natal
//     chart, the double chart with its second person and switch data;
//   - progressed and transit charts with their questions, Ctrl+N/P/T, the
//     calculation moment, the one-step buttons, the horary chart, views;
//   - background colours, start-up mode, the wizard's first pages, the file
//     commands with the common dialogs, deleting a row, the small commands;
//   - Ctrl+X; then two programs uninstalled one after the other: the
//     second reports what is gone and the error code 1500.
// Screenshots: time-stepped, double-chart.
//
// Usage (as run.sh calls every test): test_commands HOROMAP_EXE WORK_DIR SHOT_DIR
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "entry/entry_rules.h"
#include "events/events.h"
#include "horomap_driver.h"
#include "persistence/data_file.h"
#include "readings/readings.h"
#include "time/calendar.h"
#include "time/timescale.h"

using namespace horomap;

namespace {

const char* g_szShots = nullptr;
std::string g_sDir;

constexpr int kTokyoRow = 33;  // "東京都", the place dialog's preselected row

// --- Charts as the program computes them --------------------------------------------------

struct Chart {
  std::unique_ptr<ChartRecord> p{new ChartRecord()};
  std::string Text() const {
    char sz[kChartTextSize];
    MakeChartText(sz, sizeof sz, *p);
    return sz;
  }
  std::string Title() const { return p->szTitle; }
};

Chart Natal(const BirthRecord& r, double dHarmonic = 1.0) {
  Chart c;
  HoromiraMain(r, r, c.p.get(), kChartNatal, 0, dHarmonic, kOriginOrdinary);
  return c;
}

// A chart moved by time-step commands, step after step, as the program
// moves the chart on view.
Chart Stepped(const BirthRecord& r, const std::vector<int>& codes) {
  Chart c = Natal(r);
  for (int iCode : codes) {
    const ChartRecord from = *c.p;
    BirthRecord target = from.target;
    JdToDate(DateToJd(target.time, 0.0f) + StepCodeToSeconds(iCode) / 86400.0L, &target.time);
    HoromiraMain(target, from.natal, c.p.get(), from.wKind, from.iReturnAge, from.fHarmonic, kOriginOrdinary);
  }
  return c;
}

BirthRecord Sample(int iRow) {
  BirthRecord r;
  MakeSampleRow(iRow, &r);
  return r;
}

// --- Dialogs of the program -----------------------------------------------------------------

HWND Await(const Program& p, const std::string& sCaption, const char* szWhat) {
  HWND h = WaitForCaption(p, sCaption);
  if (!ExpectTrue(szWhat, h != nullptr)) CloseDialogs(p);
  return h;
}

// The list of filed data: the row chosen (or the list cancelled).
void ChooseRow(const Program& p, int iRow, const char* szWhat) {
  HWND h = Await(p, "ファイルされているデータ （日本時間）", szWhat);
  if (!h) return;
  if (iRow < 0) {
    Answer(p, h, IDCANCEL, "the list is closed");
    return;
  }
  SelectRow(h, 12301, iRow);
  Answer(p, h, IDOK, "え ら ぶ");
  Idle(p);
}

// The place dialog with its title: accepted on the preselected Tokyo.
void AcceptPlace(const Program& p, const std::string& sTitle) {
  HWND h = Await(p, sTitle, ("the place dialog: " + sTitle).c_str());
  if (h) Answer(p, h, IDOK, "え ら ぶ");
}

// Insert with a person typed in: the time-and-name dialog, the place
// dialog with typed coordinates, the confirmation box.
void EnterTypedPerson(const Program& p, const char* szName, const char* szLat, const char* szLong) {
  Foreground(p);
  Key(p, VK_INSERT);
  HWND hTime = Await(p, "誕生日と生まれた時間を指定してください", "Insert: the time-and-name dialog");
  if (!hTime) return;
  const char* const kFields[] = {"1990", "6", "21", "12", "0"};
  for (int i = 0; i < 5; ++i) SetText(hTime, 2201 + i, kFields[i]);
  SetText(hTime, 2209, szName);
  ClickButton(hTime, IDOK);
  HWND hPlace = Await(p, std::string("どこで生まれましたか？  (") + szName + ")", "the place dialog");
  if (!hPlace) return;
  TickBox(hPlace, 102);
  SetText(hPlace, 104, szLat);
  SetText(hPlace, 103, szLong);
  ClickButton(hPlace, IDOK);
  HWND hConfirm = WaitForAppBox(p, "これでよろしいですか？");
  Answer(p, hConfirm, IDYES, "the confirmation box: は い");
  Idle(p);
}

// --- The road --------------------------------------------------------------------------------

// No person: the data-not-set question; a recent file brings Sample Data 1.
void NoPerson(const Program& p) {
  Command(p, 31771);
  Answer(p, WaitForAppBox(p, "確認"), 6, "新規作成 asks first");
  Idle(p);
  ExpectBytes("the chart slots are empty", Part(p, 0), "< ﾃﾞｰﾀが設定されていません >");
  Foreground(p);
  Chord(p, {VK_SHIFT}, 'N');
  ExpectTrue("Shift+N sends 10009", WaitForCommand(p, 10009));
  HWND hBox = WaitForCaption(p, "出生図");
  if (ExpectTrue("without a person Shift+N asks, titled with the command's name", hBox != nullptr)) {
    ExpectBytes("the question", MessageBoxText(hBox), "データが未設定です。\n新規データ入力画面を表示しますか？");
    Answer(p, hBox, IDYES, "Yes");
    HWND hTime = Await(p, "誕生日と生まれた時間を指定してください", "Yes opens the new-data dialogs");
    if (hTime) Answer(p, hTime, IDCANCEL, "the dialog is cancelled");
  }
  ExpectBytes("nothing changed", Part(p, 0), "< ﾃﾞｰﾀが設定されていません >");
  // Every other command that needs a chart asks the same, titled with its name.
  const struct {
    int iCommand;
    const char* szName;
  } kNeedChart[] = {
      {1101, "時刻の修正"}, {2010, "アニメーション"}, {10005, "2重チャート"},  {10007, "倍音図"},
      {10008, "ソーラーリターン"}, {10010, "プログレス"}, {10011, "トランジット"}, {10014, "相性"},
      {10015, "データの切り替え"}, {10016, "時刻の設定"}, {10017, "1ステップ"},  {10018, "1ステップ"},
      {12002, "プログレス"}, {12003, "トランジット"}, {24005, "倍音図"},     {24006, "ソーラーリターン"},
      {30000, "クリップボード"},
  };
  for (const auto& c : kNeedChart) {
    Command(p, c.iCommand);
    HWND hAsk = WaitForCaption(p, c.szName);
    const std::string sWhat = std::to_string(c.iCommand) + " without a chart asks, titled " + c.szName;
    if (ExpectTrue(sWhat.c_str(), hAsk && MessageBoxText(hAsk).rfind("データが未設定です。", 0) == 0)) {
      Answer(p, hAsk, IDNO, "いいえ");
    }
  }
  Command(p, 45700);
  ChooseRow(p, 0, "the first recent file (the sample file) opens with its list");
  ExpectBytes("Sample Data 1 is shown", Part(p, 0), Natal(Sample(0)).Title());
}

void TimeSteps(const Program& p, const std::string& sNatal) {
  const BirthRecord sd1 = Sample(0);
  ExpectBytes("the clipboard holds MakeChartText of the chart on view", sNatal, Natal(sd1).Text());
  Foreground(p);
  for (int i = 0; i < 5; ++i) Chord(p, {VK_SHIFT}, VK_F10);
  ExpectTrue("Shift+F10 sends 101", WaitForCommand(p, 101));
  ExpectTrue("初めの時刻に戻す is enabled", !ItemGrey(p, 2000));
  ExpectBytes("five seconds back, step by step", CopyChart(p), Stepped(sd1, {101, 101, 101, 101, 101}).Text());
  WaitForPainted(p.hMain, kWaitMs);
  AwaitScreenshot(g_szShots, "time-stepped", kShotMs);
  Foreground(p);
  Key(p, VK_F11);
  ExpectTrue("F11 sends 2000", WaitForCommand(p, 2000));
  ExpectTrue("初めの時刻に戻す is grey again", ItemGrey(p, 2000));
  ExpectBytes("F11 restores the time exactly", CopyChart(p), sNatal);

  // Every step command, one after the other.
  std::vector<int> codes;
  for (int iBase : {100, 200, 300, 400, 1100, 1200, 1300, 1400}) {
    for (int i = 1; i <= 5; ++i) codes.push_back(iBase + i);
  }
  codes.push_back(1210);
  for (int iCode : codes) Post(p, iCode);
  ExpectTrue("the steps are taken", WaitForCommand(p, 1210));
  ExpectBytes("the steps add up", CopyChart(p), Stepped(sd1, codes).Text());
  Command(p, 2000);
  ExpectBytes("2000 restores the time", CopyChart(p), sNatal);
}

// F12, then F8 while the frames run: the animation stops, no hour is added.
void Animation(const Program& p, const std::string& sNatal) {
  Foreground(p);
  Key(p, VK_F12);
  HWND hAsk = WaitForAppBox(p, "アニメーション");
  if (!ExpectTrue("F12 asks before the animation", hAsk != nullptr)) return;
  Answer(p, hAsk, 6, "ＯＫ starts it");
  Sleep(1300);
  ExpectEqual("the frames run (1210)", LastCommand(p), 1210);
  Foreground(p);
  Key(p, VK_F8);
  ExpectTrue("F8 reaches the dispatcher", WaitForCommand(p, 1301));
  Sleep(1300);
  ExpectEqual("and the animation has stopped", LastCommand(p), 1301);
  const std::string sShown = CopyChart(p);
  int iFrames = -1;
  for (int k = 1; k <= 12 && iFrames < 0; ++k) {
    if (sShown == Stepped(Sample(0), std::vector<int>(k, 1210)).Text()) iFrames = k;
  }
  ExpectTrue("the chart moved by whole frames of ten minutes, F8 added nothing", iFrames > 0);
  printf("note: %d frames before F8\n", iFrames);
  Foreground(p);
  Key(p, VK_F11);
  ExpectBytes("F11 brings the time before the animation back", CopyChart(p), sNatal);
}

// Shift+A: the aspect list of Sample Data 1's natal chart is the one made
// with the orb given (the orb of 5 degrees finds fewer).
void AspectListUsesOrb(const Program& p, float fOrb) {
  const Chart natal = Natal(Sample(0));
  AspectEntry entries[kAspectCapacity];
  const int nFewer = DetectAspects(*natal.p, entries, kAspectCapacity, 5.0f);
  const int n = DetectAspects(*natal.p, entries, kAspectCapacity, fOrb);
  ExpectTrue("the orb finds more aspects than 5 degrees", n > nFewer);
  SortAspectsByOrb(entries, n);
  static char szList[32768];
  ListAspects(entries, n, szList, sizeof szList);
  Command(p, 10006);
  HWND hPopup = Await(p, "アスペクト一覧 ( " + natal.Title() + ")", "Shift+A: the aspect list");
  if (!hPopup) return;
  ExpectBytes("the next aspect list is made with the orb stored", ItemText(hPopup, 257), szList);
  Command(p, 53259);
  WaitGone(hPopup, kWaitMs);
}

void Orbs(const Program& p) {
  Command(p, 41007);
  HWND hBox = WaitForCaption(p, "IDM");
  if (ExpectTrue("41007 (7 degrees) is no command: Out of switch", hBox != nullptr)) {
    ExpectBytes("its text", MessageBoxText(hBox), "Out of switch");
    Answer(p, hBox, IDOK, "closed");
  }
  ExpectTrue("orb 5 is still checked", ItemChecked(p, 41005));
  Command(p, 41008);
  HWND hAsk = WaitForAppBox(p, "確認");
  if (ExpectTrue("41008 asks", hAsk != nullptr)) {
    ExpectBytes("the question", BoxLines(hAsk), "確認/次の設定を記憶します。/    8度のオーブ/よろしいですか？");
    Answer(p, hAsk, 6, "ＯＫ");
  }
  ExpectTrue("orb 8 is checked", ItemChecked(p, 41008) && !ItemChecked(p, 41005));
  for (int iCommand : {41003, 41004, 41005, 41006, 41010}) {
    Command(p, iCommand);
    Answer(p, WaitForAppBox(p, "確認"), 2, "another orb is asked for and cancelled");
  }
  ExpectTrue("orb 8 stays", ItemChecked(p, 41008));
  AspectListUsesOrb(p, 8.0f);
}

// A person born at 65 degrees north: no Placidus houses.  Undo both ways.
void HighLatitude(const Program& p) {
  const std::string sSd1 = Natal(Sample(0)).Title();
  EnterTypedPerson(p, "北の人", "65.0", "25.0");
  const std::string sNorth = Part(p, 0);
  ExpectTrue("the northern person is shown", sNorth.rfind("北の人: 出生図", 0) == 0);
  Foreground(p);
  Chord(p, {VK_SHIFT}, 'J');
  ExpectTrue("Shift+J sends 44402", WaitForCommand(p, 44402));
  HWND hBox = WaitForCaption(p, "高緯度の特例");
  if (ExpectTrue("Placidus is refused at 65 degrees north", hBox != nullptr)) {
    ExpectBytes("with the reason", MessageBoxText(hBox),
                "緯度が60度を超える場合、プラシーダス・ハウス・システムはサポートされません。");
    Answer(p, hBox, IDOK, "closed");
  }
  ExpectTrue("the equal houses stay", ItemChecked(p, 44401) && !ItemChecked(p, 44402));

  Foreground(p);
  Chord(p, {VK_CONTROL}, 'Z');
  HWND hAsk = WaitForAppBox(p, "元に戻す");
  if (ExpectTrue("Ctrl+Z asks", hAsk != nullptr)) {
    ExpectBytes("naming the previous chart", BoxLines(hAsk),
                "元に戻す/下記のデータを復活させます:/" + sSd1 + "/...ファイルしてないデータでも復活できます");
    Answer(p, hAsk, 6, "ＯＫ");
  }
  Idle(p);
  ExpectBytes("undo brings Sample Data 1 back", Part(p, 0), sSd1);
  Command(p, 32000);
  Answer(p, WaitForAppBox(p, "元に戻す"), 6, "undo again");
  Idle(p);
  ExpectBytes("and the northern person once more", Part(p, 0), sNorth);
  Command(p, 32000);
  Answer(p, WaitForAppBox(p, "元に戻す"), 6, "and back");
  Idle(p);

  // At 35 degrees north every house system may be chosen.
  for (int iCommand : {44402, 44403, 44404}) {
    Command(p, iCommand);
    Answer(p, WaitForAppBox(p, "ハウスシステム"), 6, "the house system is confirmed");
    ExpectTrue("and checked", ItemChecked(p, iCommand));
  }
  Foreground(p);
  Chord(p, {VK_SHIFT}, 'H');
  Answer(p, WaitForAppBox(p, "ハウスシステム"), 6, "Shift+H: equal houses again");
  ExpectTrue("equal houses checked", ItemChecked(p, 44401));
}

void Harmonic(const Program& p, const std::string& sNatal) {
  Command(p, 24005);
  HWND hDlg = Await(p, "倍音図の計算", "Ctrl+H opens the harmonic dialog");
  if (!hDlg) return;
  ExpectBytes("it proposes 5", ItemText(hDlg, 3040), "5");
  Answer(p, hDlg, IDOK, "入力完了");
  Idle(p);
  ExpectTrue("the harmonic button is pressed", ButtonChecked(p, 10007));
  ExpectBytes("the fifth harmonic chart", CopyChart(p), Natal(Sample(0), 5.0).Text());
  Command(p, 10007);
  Idle(p);
  ExpectTrue("the button again: back to the ordinary chart", !ButtonChecked(p, 10007));
  ExpectBytes("exactly the natal chart", CopyChart(p), sNatal);
}

void SolarReturn(const Program& p, const std::string& sNatal) {
  const BirthRecord sd1 = Sample(0);
  Command(p, 24006);
  HWND hDlg = Await(p, "ソーラーリターンの時刻 （日本時間）", "Ctrl+R opens the solar returns");
  if (!hDlg) return;
  ExpectEqual("101 ages", RowCount(hDlg, 12302), 101);
  SelectRow(hDlg, 12302, 30);
  Answer(p, hDlg, IDOK, "age 30");
  AcceptPlace(p, "そのときどこにいる(いた)か？  (Sample Data 1)");
  Idle(p);
  ExpectTrue("the solar-return button is pressed", ButtonChecked(p, 10008));
  DateTime returns[kNumSolarReturns];
  SolarReturnMoments(Natal(sd1).p->ldJde, returns);
  BirthRecord target;
  ChooseSolarReturn(nullptr, 30, sd1, returns, &target);
  AcceptListedPlace(kTokyoRow, &target);
  Chart expected;
  HoromiraMain(target, sd1, expected.p.get(), kChartTransit, 30, 1.0, kOriginOrdinary);
  ExpectBytes("the return chart of age 30 in Tokyo", CopyChart(p), expected.Text());
  ExpectBytes("its title", Part(p, 0), expected.Title());

  Command(p, 10008);
  HWND hAsk = WaitForAppBox(p, "ソーラーリターン");
  if (ExpectTrue("again: another age?", hAsk != nullptr)) {
    ExpectBytes("the question", BoxLines(hAsk), "ソーラーリターン/ほかの年齢を計算しますか？/[いいえ]を選ぶと出生図に戻ります/");
    Answer(p, hAsk, IDNO, "[いいえ]");
  }
  Idle(p);
  ExpectTrue("back to the natal chart", ButtonChecked(p, 10009) && !ButtonChecked(p, 10008));
  ExpectBytes("exactly", CopyChart(p), sNatal);
}

void DoubleChart(const Program& p, const std::string& sNatal) {
  const Chart sd2 = Natal(Sample(1));
  Command(p, 10015);
  Answer(p, WaitForAppBox(p, "データの切り替え"), 6, "switch data outside the double chart: 無効");
  Command(p, 10014);
  HWND hBox = WaitForCaption(p, "２重円 - 内側のチャートの指定");
  if (!ExpectTrue("Ctrl+2 explains the double chart", hBox != nullptr)) return;
  ExpectTrue("its text", MessageBoxText(hBox).rfind("２種類のチャートを２重円表示します。", 0) == 0);
  Answer(p, hBox, IDOK, "ＯＫ");
  Answer(p, WaitForAppBox(p, "２重円 - 外側のチャートの指定"), 6, "the outer chart is asked for");
  Idle(p);
  ExpectTrue("double-chart mode: its button and the double circle", ButtonChecked(p, 10014) && ButtonChecked(p, 10005));
  ExpectBytes("the outer chart is not chosen yet", Part(p, 0), "ﾃﾞｰﾀが未指定");
  ExpectTrue("undo is grey", ItemGrey(p, 32000));
  // The mode can be left (and asked about) before the outer person is chosen.
  Foreground(p);
  Chord(p, {VK_SHIFT}, VK_TAB);
  Answer(p, WaitForAppBox(p, "データの切り替え"), 6, "Shift+Tab before the outer person: no switch yet");
  Command(p, 10014);
  Answer(p, WaitForAppBox(p, "２重円 - 終了"), IDCANCEL, "Ctrl+2 before the outer person offers the end; cancelled");
  ExpectTrue("the mode stays on", ButtonChecked(p, 10014) && Part(p, 0) == "ﾃﾞｰﾀが未指定");
  Command(p, 10000);
  ChooseRow(p, 1, "the second person is recalled");
  ExpectBytes("Sample Data 2 outside", Part(p, 0), sd2.Title());
  ExpectTrue("in the double circle, a natal chart", ButtonChecked(p, 10005) && ButtonChecked(p, 10009));
  ExpectBytes("the outer chart on the clipboard", CopyChart(p), sd2.Text());
  WaitForPainted(p.hMain, kWaitMs);
  AwaitScreenshot(g_szShots, "double-chart", kShotMs);
  Foreground(p);
  Chord(p, {VK_SHIFT}, VK_TAB);
  ExpectTrue("Shift+Tab sends 10015", WaitForCommand(p, 10015));
  Idle(p);
  ExpectBytes("switch data: Sample Data 1 outside", Part(p, 0), Natal(Sample(0)).Title());
  ExpectBytes("its chart", CopyChart(p), sNatal);
  Command(p, 10014);
  Answer(p, WaitForAppBox(p, "２重円 - 終了"), 6, "Ctrl+2 again ends the double chart");
  Idle(p);
  ExpectTrue("mode off, chart view", !ButtonChecked(p, 10014) && ButtonChecked(p, 10002));
  ExpectBytes("the inner person stays: Sample Data 2", Part(p, 0), sd2.Title());
  Command(p, 32000);
  Answer(p, WaitForAppBox(p, "元に戻す"), 6, "undo brings the outer person back");
  Idle(p);
  ExpectBytes("Sample Data 1", CopyChart(p), sNatal);

  // A stepped chart put inside a double chart: its time is taken as the
  // true one, so F11 puts nothing back (the outer chart's place holder
  // must not replace it).
  Command(p, 1101);
  Command(p, 10014);
  Answer(p, WaitForCaption(p, "２重円 - 内側のチャートの指定"), IDOK, "ＯＫ");
  Answer(p, WaitForAppBox(p, "２重円 - 外側のチャートの指定"), 6, "the outer chart is asked for");
  Idle(p);
  Command(p, 2000);
  ExpectBytes("F11 in the new double chart changes nothing", Part(p, 0), "ﾃﾞｰﾀが未指定");
  Command(p, 10000);
  ChooseRow(p, 1, "the second person is recalled outside");
  // No "時刻変更" question: the stepping was forgotten.
  Command(p, 10015);
  Idle(p);
  ExpectBytes("switch data shows the stepped chart, kept as it was", CopyChart(p), Stepped(Sample(0), {1101}).Text());
  Command(p, 10014);
  Answer(p, WaitForAppBox(p, "２重円 - 終了"), 6, "the double chart ends");
  Idle(p);
  Command(p, 10000);
  ChooseRow(p, 0, "Sample Data 1 is recalled");
  ExpectBytes("its natal chart again", CopyChart(p), sNatal);
}

void ChartKinds(const Program& p, const std::string& sNatal) {
  const BirthRecord sd1 = Sample(0);
  Command(p, 10010);
  HWND hAsk = WaitForAppBox(p, "プログレス");
  if (!ExpectTrue("Shift+P asks for the moment", hAsk != nullptr)) return;
  ExpectBytes("the question", BoxLines(hAsk),
              "プログレス/いま現在について計算しますか？/[いいえ] を選ぶと、年月日・時間を/入力するための画面を表示します。");
  Answer(p, hAsk, IDYES, "いま現在");
  AcceptPlace(p, "いまどこにいますか？  (Sample Data 1)");
  Idle(p);
  ExpectTrue("the progressed chart in the double circle", ButtonChecked(p, 10010) && ButtonChecked(p, 10005));
  ExpectTrue("its title", Part(p, 0).rfind("Sample Data 1: ﾌﾟﾛｸﾞﾚｽ", 0) == 0);
  Command(p, 10011);
  ExpectTrue("Shift+T shows the transit chart at once", ButtonChecked(p, 10011) && ButtonChecked(p, 10005));
  Command(p, 10009);
  ExpectTrue("Shift+N: the natal chart alone", ButtonChecked(p, 10009) && ButtonChecked(p, 10002));
  Command(p, 12002);
  Answer(p, WaitForAppBox(p, "プログレス"), IDNO, "Ctrl+P: the moment stays ([いいえ])");
  ExpectTrue("the progressed chart", ButtonChecked(p, 10010));

  // Ctrl+T, Yes: the calculation moment for the transit chart.
  Command(p, 12003);
  Answer(p, WaitForAppBox(p, "トランジット"), IDYES, "Ctrl+T: a new moment");
  Answer(p, WaitForAppBox(p, "時刻の設定"), 6, "時刻の設定");
  ExpectEqual("sent as 10016 with the parameter 12003", LastParam(p), 12003);
  HWND hTime = Await(p, "トランジット：時刻の指定", "the transit moment is asked");
  if (hTime) {
    const char* const kFields[] = {"2030", "1", "1", "0", "0"};
    for (int i = 0; i < 5; ++i) SetText(hTime, 2201 + i, kFields[i]);
    Answer(p, hTime, IDOK, "入力完了");
    AcceptPlace(p, "そのときどこにいる(いた)か？  (Sample Data 1)");
    Idle(p);
    BirthRecord target = sd1;
    target.time = DateTime{2030, 1, 1, 0, 0, 0.0};
    target.bTimeKnown = 1;
    target.bSecondsGiven = 0;
    AcceptListedPlace(kTokyoRow, &target);
    Chart transit;
    HoromiraMain(target, sd1, transit.p.get(), kChartTransit, 0, 1.0, kOriginOrdinary);
    ExpectTrue("the transit chart is shown", ButtonChecked(p, 10011));
    ExpectBytes("for 2030-01-01 00:00 in Tokyo", CopyChart(p), transit.Text());
  }
  Command(p, 10017);
  ExpectTrue("10017 with the transit chart: a minute back (201)", WaitForCommand(p, 201));
  Command(p, 10018);
  ExpectTrue("10018: a minute on (1201)", WaitForCommand(p, 1201));
  const std::string sTransit = CopyChart(p);
  Command(p, 10010);
  const std::string sProgressed = CopyChart(p);
  Command(p, 10017);
  ExpectTrue("10017 with the progressed chart: a day back (401)", WaitForCommand(p, 401));
  ExpectTrue("the progressed chart moved", CopyChart(p) != sProgressed);
  // The return to the first time puts back the chart stepped last, in its
  // own slot, and leaves the other chart as it is.
  Command(p, 10011);
  Command(p, 2000);
  ExpectTrue("F11 shows the progressed chart again", ButtonChecked(p, 10010));
  ExpectBytes("as it was before its step", CopyChart(p), sProgressed);
  Command(p, 10011);
  ExpectBytes("the transit chart is untouched", CopyChart(p), sTransit);
  Command(p, 12001);
  Answer(p, WaitForAppBox(p, "出生図を作る"), 2, "Ctrl+N asks; cancelled");

  Command(p, 38242);
  AcceptPlace(p, "いまどこにいますか？  (Sample Data 1)");
  Idle(p);
  ExpectTrue("the horary chart: a transit chart of now", ButtonChecked(p, 10011) && Part(p, 0).rfind("ﾄﾗﾝｼﾞｯﾄ", 0) == 0);
  for (int iView : {10003, 10004, 10005, 10002}) {
    Command(p, iView);
    ExpectTrue("the view's button follows", ButtonChecked(p, iView));
  }
  Command(p, 10009);
  Idle(p);
  ExpectBytes("the natal chart again", CopyChart(p), sNatal);
}

void Settings(const Program& p) {
  Command(p, 36003);
  WaitForPainted(p.hMain, kWaitMs);
  ExpectTrue("うすいピンク is checked", ItemChecked(p, 36003));
  ExpectTrue("and the chart area is pink", ReadClientPixels(p.hMain).Share(Rgb(200, 170, 170)) > 0.2);
  for (int iCommand : {36001, 36002, 36004, 36005, 36000, 36000}) {
    Command(p, iCommand);
    ExpectTrue("the background colour is checked", ItemChecked(p, iCommand));
  }
  Command(p, 40208);
  HWND hAsk = WaitForAppBox(p, "起動速度の設定");
  if (ExpectTrue("40208 asks", hAsk != nullptr)) {
    ExpectBytes("the question", BoxLines(hAsk), "起動速度の設定/タイトルページを出す/上記の設定でよろしいですか？/");
    Answer(p, hAsk, 6, "ＯＫ");
  }
  ExpectTrue("the title page is checked", ItemChecked(p, 40208));
  Command(p, 40209);
  Answer(p, WaitForAppBox(p, "起動速度の設定"), 6, "40209: the fast start");
  ExpectTrue("the fast start is checked", ItemChecked(p, 40209) && !ItemChecked(p, 40208));

  Command(p, 60001);
  HWND hPage = Await(p, "魔法使い  ( ウィザード )", "60001 opens the wizard");
  if (!hPage) return;
  ExpectTrue("its first page", ItemText(hPage, 257).find("デフォルトの出生データ") != std::string::npos);
  ClickButton(hPage, 65);
  Settle(p.hMain);
  ExpectEqual("次へ sends 65000", LastCommand(p), 65000);
  ExpectEqual("with the step -999", LastParam(p), -999);
  ClickButton(hPage, 67);
  HWND hBox = WaitForCaption(p, "キャンセル");
  if (ExpectTrue("中 止: 設定を中止します。", hBox != nullptr)) {
    ExpectBytes("its text", MessageBoxText(hBox), "設定を中止します。");
    Answer(p, hBox, IDOK, "closed");
  }
}

void Files(const Program& p) {
  const std::string sSample = g_sDir + "\\出生ﾃﾞｰﾀ.Bd5";
  const std::string sCopy = g_sDir + "\\控え.bd5";
  Command(p, 31770);
  HWND hOpen = FileDialog(p);
  if (ExpectTrue("Ctrl+O opens the open dialog", hOpen != nullptr)) {
    Answer(p, hOpen, IDCANCEL, "cancelled");
  }
  ExpectEqual("the save point before it wrote the table (three rows)", ReadFileBytes(sSample).size(), 3 * kRowSize);
  Command(p, 31772);
  HWND hSave = FileDialog(p);
  if (ExpectTrue("Ctrl+A opens the save dialog", hSave != nullptr)) ChooseFile(p, hSave, sCopy);
  ExpectEqual("the table is saved under the new name", ReadFileBytes(sCopy).size(), 3 * kRowSize);
  ExpectTrue("which the caption shows", SentText(p.hMain).find("[" + sCopy + "]") != std::string::npos);
  // The recent files: the copy first, the sample second; the file opened
  // comes first.
  Command(p, 45701);
  ChooseRow(p, -1, "the second recent file (the sample) opens with its list");
  ExpectTrue("the caption shows the sample file", SentText(p.hMain).find("[" + sSample + "]") != std::string::npos);
  Command(p, 45701);
  ChooseRow(p, -1, "the second recent file is now the copy");
  Command(p, 45700);
  ChooseRow(p, -1, "the first recent file (the copy) opens with its list");
  for (int iCommand = 45702; iCommand <= 45709; ++iCommand) Command(p, iCommand);
  ExpectTrue("recent slots not in use open nothing", SentText(p.hMain).find("[" + sCopy + "]") != std::string::npos);

  Foreground(p);
  Chord(p, {VK_CONTROL}, VK_DELETE);
  HWND hAsk = WaitForAppBox(p, "データの削除");
  if (!ExpectTrue("Ctrl+Delete asks first", hAsk != nullptr)) return;
  Answer(p, hAsk, 6, "ＯＫ");
  HWND hList = Await(p, "ファイルされているデータ （日本時間）", "the list of rows");
  if (!hList) return;
  SelectRow(hList, 12301, 2);
  Answer(p, hList, IDOK, "the northern person is chosen");
  hAsk = WaitForAppBox(p, "次のデータを削除してよろしいですか？");
  if (ExpectTrue("and asked about", hAsk != nullptr)) {
    ExpectBytes("by name", ItemText(hAsk, 257), "北の人");
    Answer(p, hAsk, 6, "ＯＫ");
  }
  Command(p, 31773);
  const std::string sFile = ReadFileBytes(sCopy);
  ExpectEqual("上書き保存: two rows left", sFile.size(), 2 * kRowSize);
  ExpectBytes("the samples", RowName(sFile, 0) + "/" + RowName(sFile, 1), "Sample Data 1/Sample Data 2");
}

void SmallCommands(const Program& p) {
  Command(p, 2050);
  const HWND hMenu = FindWindowA("#32768", nullptr);
  ExpectTrue("the Application key's command opens the small menu", hMenu && IsWindowVisible(hMenu));
  Key(p, VK_ESCAPE);
  const std::string sTitle = Part(p, 0);
  for (int iCommand : {12000, 55555}) {
    Command(p, iCommand);
    ExpectEqual("a command that does nothing", LastCommand(p), iCommand);
  }
  ExpectBytes("nothing changed", Part(p, 0), sTitle);
  Command(p, 10020);
  Idle(p);
  ExpectTrue("10020 shows the quick menu", GetDlgItem(p.hMain, 57049) != nullptr);
  Command(p, 57052);
  ExpectTrue("57052 closes it", GetDlgItem(p.hMain, 57049) == nullptr);
  Command(p, 10019);
  HWND hFairy = Await(p, "親切な妖精", "10019: the fairy");
  Command(p, 57049);
  ExpectTrue("57049 closes it again", !hFairy || WaitGone(hFairy, kWaitMs));
  for (int iCommand : {10021, 53237}) {
    Command(p, iCommand);
    HWND hIndex = WaitForCaption(p, "ﾎﾛﾐﾗのﾍﾙﾌﾟ - さくいん");
    Answer(p, hIndex, 2, "the help index opens and is closed");
  }
}

// Ctrl+X ends the program; its settings are saved.
void Exit(Program* p) {
  Foreground(*p);
  Chord(*p, {VK_CONTROL}, 'X');
  ExpectEqual("Ctrl+X ends the program, exit code 0", WaitExit(p), 0);
  const std::string sii = ReadFileBytes(g_sDir + "\\Horom.sii");
  ExpectEqual("orb 8 is kept in the settings", sii.size() > kOffOrb ? static_cast<unsigned char>(sii[kOffOrb]) : 0, 8);
  ExpectEqual("the fast start too", sii.size() > kOffFlags ? (sii[kOffFlags] & kSiiFlagTitlePage) : -1, 0);
}

// Answers every box of an uninstalling program until it ends; returns
// what they showed, one box a line.
std::string AnswerUntilExit(Program* p) {
  std::string sShown;
  const DWORD dwStart = GetTickCount();
  while (WaitForSingleObject(p->pi.hProcess, 0) == WAIT_TIMEOUT && GetTickCount() - dwStart < 30000) {
    const std::vector<HWND> boxes = ProcessDialogs(p->Pid());
    if (boxes.empty()) {
      Sleep(50);
      continue;
    }
    HWND h = boxes.front();
    Sleep(100);
    const std::string sText = MessageBoxText(h);
    sShown += SentText(h) + ": " + (GetDlgItem(h, 256) ? BoxLines(h) : sText) + "\n";
    ClickButton(h, GetDlgItem(h, 6) ? 6 : IDOK);
    WaitGone(h, kWaitMs);
  }
  return sShown;
}

void UninstallTwice() {
  Program a, b;
  if (!ExpectTrue("a program starts", Start(&a, g_sDir))) return;
  if (!ExpectTrue("and a second one beside it", Start(&b, g_sDir))) return;
  Post(a, 30099);
  const std::string sFirst = AnswerUntilExit(&a);
  printf("note: the first uninstall showed:\n%s", sFirst.c_str());
  ExpectTrue("the first asks アンインストール",
             sFirst.find("アンインストール/ホロミラのシステム（レジストリの設定と/システムファイル）を削除してよろしいですか？/") !=
                 std::string::npos);
  ExpectTrue("and removes the settings file", sFirst.find("Horom.sii/正常に削除されました") != std::string::npos);
  ExpectTrue("and the association", sFirst.find("アンインストール/正常に削除されました") != std::string::npos);
  ExpectEqual("the first program ends, exit code 0", WaitExit(&a), 0);
  Post(b, 30099);
  const std::string sSecond = AnswerUntilExit(&b);
  printf("note: the second uninstall showed:\n%s", sSecond.c_str());
  ExpectTrue("the second finds no settings file", sSecond.find("Horom.sii/未設定または削除できません") != std::string::npos);
  ExpectTrue("and no registry value", sSecond.find("未設定または削除できません/このエラーは無視しても構いません") != std::string::npos);
  ExpectTrue("and reports the error code 1500", sSecond.find("error = 1500.00000000") != std::string::npos);
  ExpectEqual("the second program ends, exit code 0", WaitExit(&b), 0);
  ExpectTrue("no settings file is left", !FileExists(g_sDir + "\\Horom.sii"));
  HKEY hKey;
  ExpectTrue("no association is left",
             RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kUserClasses) + "Horomap").c_str(), 0, KEY_READ, &hKey) !=
                 ERROR_SUCCESS);
  ExpectTrue("the birth-data files stay", FileExists(g_sDir + "\\控え.bd5"));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Abandon("usage: test_commands HOROMAP_EXE WORK_DIR SHOT_DIR");
  g_sDir = argv[2];
  g_szShots = argc > 3 ? argv[3] : nullptr;
  SetEnvironmentVariableA("HOROMAP_TEST_HOOKS", "1");
  PrepareFolder(g_sDir, argv[1]);
  Program p;
  if (!ExpectTrue("Horomap.exe starts", Start(&p, g_sDir))) Abandon("no main window");
  NoPerson(p);
  const std::string sNatal = CopyChart(p, nullptr, true);
  TimeSteps(p, sNatal);
  Animation(p, sNatal);
  Orbs(p);
  HighLatitude(p);
  Harmonic(p, sNatal);
  SolarReturn(p, sNatal);
  DoubleChart(p, sNatal);
  ChartKinds(p, sNatal);
  Settings(p);
  Files(p);
  SmallCommands(p);
  Exit(&p);
  UninstallTwice();
  RemoveFileAssociation();
  return Finish("test_commands");
}

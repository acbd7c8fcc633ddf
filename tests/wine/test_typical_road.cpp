// The typical road of a user, end to end in Horomap.exe: Insert, the time
// and name, the place, the confirmation box, the new natal chart in slot 0
// (caption, status text, tool bar, its text on the clipboard equal to the
// chart computed here), its aspects and their reading, the character
// reading and today's fortune of the new person, the file saved, the program started again and the
// person recalled with Backspace; then the file opened by its command-line
// argument, whose list comes up by itself.
// Screenshot: road-new-chart.
//
// Left in WORK_DIR for run.sh, which compares them between the i686 and the
// x86-64 build: the birth-data files and clipboard.txt, the text the program
// put on the clipboard for the new chart.
//
// Usage (as run.sh calls every test): test_typical_road HOROMAP_EXE WORK_DIR SHOT_DIR
#include <memory>
#include <string>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "entry/entry_rules.h"
#include "horomap_driver.h"
#include "platform/resource_ids.h"
#include "readings/readings.h"
#include "shell/logic/report_rules.h"
#include "time/timescale.h"

using namespace horomap;

namespace {

const char* g_szShots = nullptr;
std::string g_sDir;


// The natal chart of a person as the program computes it, its title and
// its clipboard text.
// Its aspect list (the default orb of 5 degrees), their reading and the
// character reading.
struct Expected {
  std::string sTitle, sText, sName, sTime;
  std::string sAspectList, sAspectReading, sReading;
};
Expected NatalChart(const BirthRecord& r) {
  std::unique_ptr<ChartRecord> c(new ChartRecord());
  HoromiraMain(r, r, c.get(), kChartNatal, 0, 1.0, kOriginOrdinary);
  static char szText[kListingTextSize];
  MakeChartText(szText, sizeof szText, *c);
  Expected e{c->szTitle, szText, r.szName, TimeToStr(&r.time), "", "", ""};
  AspectEntry entries[kAspectCapacity];
  const int n = DetectAspects(*c, entries, kAspectCapacity, 5.0f);
  SortAspectsByOrb(entries, n);
  ListAspects(entries, n, szText, sizeof szText);
  e.sAspectList = szText;
  MakeAspectText(entries, n, szText, sizeof szText);
  e.sAspectReading = szText;
  GetSunAscText(szText, *c);
  e.sReading = szText;
  return e;
}

std::string DataFile() { return g_sDir + "\\出生ﾃﾞｰﾀ.Bd5"; }

// The time-and-name dialog filled with the person and accepted, then the
// place dialog with 札幌; returns the confirmation box that follows.
HWND FillDialogs(const Program& p, HWND hTime, const BirthRecord& person) {
  TypeTypicalPerson(hTime);

  HWND hPlace = WaitForCaption(p, "どこで生まれましたか？  (山田花子)");
  if (!ExpectTrue("the place dialog follows, titled with the name", hPlace != nullptr)) Abandon("no place dialog");
  ExpectEqual("the place list's 98 rows", RowCount(hPlace, 101), 98);
  ExpectBytes("row 3", RowText(hPlace, 101, kSapporoRow), "   札幌");
  SelectRow(hPlace, 101, kSapporoRow);
  ClickButton(hPlace, IDOK);

  HWND hConfirm = WaitForAppBox(p, "これでよろしいですか？");
  if (!ExpectTrue("the confirmation box follows", hConfirm != nullptr)) Abandon("no confirmation box");
  ExpectBytes("it shows the name, the time and the place", BoxLines(hConfirm),
              std::string("これでよろしいですか？/山田花子/") + TimeToStr(&person.time) + "/札幌");
  ExpectBytes("its second button reads 訂正", ItemText(hConfirm, 7), "訂正 (&R)");
  return hConfirm;
}

// Waits until the keyboard focus of the program is on a control.
bool WaitForFocus(HWND hControl) {
  const DWORD dwStart = GetTickCount();
  while (FocusOf(hControl) != hControl) {
    if (GetTickCount() - dwStart > kWaitMs) return false;
    Sleep(50);
  }
  return true;
}

// While the confirmation box waits, the listing of the Sun's ingresses for
// 2000 runs the time dialog on the program's working record.
void IngressesWhileTheBoxWaits(const Program& p) {
  Post(p, IDM_INGRESS);
  HWND hAsk = WaitForAppBox(p, "12星座の さかい目");
  if (!Answer(p, hAsk, IDYES, "the ingresses ask first")) return;
  HWND hYear = WaitForCaption(p, TimeEntryTitle(IDM_INGRESS));
  if (!ExpectTrue("the year of the ingresses", hYear != nullptr)) return;
  SetText(hYear, 2201, "2000");
  ClickButton(hYear, IDOK);
  HWND hPopup = WaitForCaption(p, "星座の境界 ( 日本時間 )");
  if (ExpectTrue("the ingresses of 2000 are listed", hPopup != nullptr)) {
    Post(p, IDM_POPUP_CLOSE);
    WaitGone(hPopup, kWaitMs);
  }
}

// Insert, the two dialogs and the confirmation box.  The box is modeless:
// while it waits the chart on view is stepped and a listing runs the time
// dialog, and neither touches the person in the box; its keys are its own
// (Tab moves its focus, Enter presses は い); 訂正 reopens the dialogs on
// the person as entered.
void EnterNewPerson(const Program& p, const BirthRecord& person) {
  Foreground(p);
  Key(p, VK_INSERT);
  ExpectTrue("Insert sends 10001", WaitForCommand(p, 10001));
  HWND hTime = WaitForCaption(p, "誕生日と生まれた時間を指定してください");
  if (!ExpectTrue("the time-and-name dialog opens", hTime != nullptr)) Abandon("no time-and-name dialog");
  ExpectBytes("its name field is empty", ItemText(hTime, 2209), "");
  HWND hConfirm = FillDialogs(p, hTime, person);

  Command(p, 1101);
  ExpectEqual("a time step is taken while the box waits", LastCommand(p), 1101);
  SetForegroundWindow(hConfirm);
  ExpectTrue("the box has the focus on は い", WaitForFocus(GetDlgItem(hConfirm, IDYES)));
  SendKey(VK_TAB, false);
  SendKey(VK_TAB, true);
  ExpectTrue("Tab moves the box's focus to 訂正", WaitForFocus(GetDlgItem(hConfirm, 7)));
  ExpectEqual("and is no command of the main window", LastCommand(p), 1101);
  IngressesWhileTheBoxWaits(p);
  ExpectTrue("the box still waits", IsWindow(hConfirm) && IsWindowVisible(hConfirm));

  ClickButton(hConfirm, 7);
  hTime = WaitForCaption(p, "誕生日と生まれた時間を指定してください");
  if (!ExpectTrue("訂正 reopens the time-and-name dialog", hTime != nullptr)) Abandon("no time-and-name dialog");
  ExpectBytes("on the person as entered",
              ItemText(hTime, 2201) + "/" + ItemText(hTime, 2202) + "/" + ItemText(hTime, 2203) + " " +
                  ItemText(hTime, 2204) + ":" + ItemText(hTime, 2205) + " " + ItemText(hTime, 2209),
              "1985/4/12 9:30 山田花子");
  hConfirm = FillDialogs(p, hTime, person);

  SetForegroundWindow(hConfirm);
  ExpectTrue("the new box has the focus on は い", WaitForFocus(GetDlgItem(hConfirm, IDYES)));
  SendKey(VK_RETURN, false);
  SendKey(VK_RETURN, true);
  ExpectTrue("Enter presses は い: the box closes", WaitGone(hConfirm, kWaitMs));
  Idle(p);
}

// Returns the text the program put on the clipboard.
std::string CheckNatalShown(const Program& p, const Expected& e, const char* szWhen) {
  const std::string sWhen = std::string(szWhen) + ": ";
  ExpectBytes((sWhen + "status part 0 shows the natal chart's title").c_str(), Part(p, 0), e.sTitle);
  ExpectBytes((sWhen + "the caption names the chart and the file").c_str(), SentText(p.hMain),
              "ホロミラ - " + e.sTitle + " - [" + DataFile() + "]");
  ExpectTrue((sWhen + "the natal chart's button is pressed").c_str(), ButtonChecked(p, 10009));
  ExpectTrue((sWhen + "in the chart view").c_str(), ButtonChecked(p, 10002) && !ButtonChecked(p, 10005));
  std::string sLines;
  const std::string sClipboard = CopyChart(p, &sLines, true);
  ExpectBytes((sWhen + "Ctrl+C: the clipboard text is the chart's MakeChartText").c_str(), sClipboard, e.sText);
  ExpectBytes((sWhen + "the box names the person and the time").c_str(), sLines,
              "下記のデータをクリップボードへ送りました/" + e.sName + "/" + e.sTime + "/メモ帳などで[Ctrl]+[V]にて貼り付け可能");
  return sClipboard;
}

std::string PopupText(HWND hPopup) { return ItemText(hPopup, 257); }
HWND WaitForPopup(const Program& p, const std::string& sCaption, const char* szWhat) {
  HWND h = WaitForCaption(p, sCaption);
  if (!ExpectTrue(szWhat, h != nullptr)) Abandon(szWhat);
  return h;
}

// Shift+A: the aspect list of the new chart in the popup window; its
// button B gives their reading; F4: the character reading.
void AspectsAndReadings(const Program& p, const Expected& e) {
  Foreground(p);
  Chord(p, {VK_SHIFT}, 'A');
  ExpectTrue("Shift+A sends 10006", WaitForCommand(p, IDM_ASPECTS));
  HWND hPopup = WaitForPopup(p, "アスペクト一覧 ( " + e.sTitle + ")", "the aspect list titled with the chart");
  ExpectBytes("the list of the chart's aspects, orb 5", PopupText(hPopup), e.sAspectList);
  ClickButton(hPopup, IDC_POPUP_B);
  hPopup = WaitForPopup(p, "アスペクトの解読 ( " + e.sTitle + ")", "解 読 [B]: the aspect reading");
  // The text control gives at most 16 kB back.
  const std::string sReading = PopupText(hPopup);
  ExpectTrue("their reading", !sReading.empty() && e.sAspectReading.rfind(sReading, 0) == 0);
  Post(p, IDM_READING);
  hPopup = WaitForPopup(p, "ポップアップ - 占い", "F4: the character reading of the person shown, asked nothing");
  ExpectBytes("the reading of the new chart", PopupText(hPopup), e.sReading);
  ExpectBytes("the natal chart is still shown", Part(p, 0), e.sTitle);
}

// F5: today's fortune of the person shown, at the current place confirmed;
// the double circle of the transit chart around the natal chart.
void Fortune(const Program& p, const Expected& e) {
  Post(p, IDM_FORTUNE);
  HWND hAsk = WaitForAppBox(p, "現在の星回り");
  if (!ExpectTrue("F5 asks about the current place", hAsk != nullptr)) return;
  ExpectBytes("the person and the place", BoxLines(hAsk), "現在の星回り/" + e.sName + "/現在地は下記でよろしいですか？/札幌");
  Answer(p, hAsk, IDYES, "は い keeps the place");
  HWND hPopup = WaitForPopup(p, "現在の星回り", "the fortune in the popup window");
  const std::string s = PopupText(hPopup);
  ExpectTrue("for the new person, born and now in 札幌",
             s.rfind("☆ " + e.sName + " ☆\r\n", 0) == 0 && s.find("出生地   札幌\r\n現在地   札幌\r\n") != std::string::npos);
  ExpectTrue("the double circle with the transit chart outside",
             ButtonChecked(p, IDM_VIEW_DOUBLE) && ButtonChecked(p, IDM_TRANSIT));
  WaitForPainted(p.hMain, kWaitMs);
  AwaitScreenshot(g_szShots, "road-fortune", kShotMs);
  Post(p, IDM_POPUP_CLOSE);
  WaitGone(hPopup, kWaitMs);
  Command(p, IDM_NATAL);
  ExpectBytes("F9 (出生図) shows the natal chart again", Part(p, 0), e.sTitle);
}

// 1. Insert .. the chart .. aspects, readings, fortune .. saved.
void FirstRun(const BirthRecord& person, const Expected& e) {
  Program p;
  if (!ExpectTrue("Horomap.exe starts", Start(&p, g_sDir))) Abandon("no main window");
  ExpectTrue("it shows the default person's double circle", ButtonChecked(p, 10005) && ButtonChecked(p, 10011));
  EnterNewPerson(p, person);
  ExpectTrue("the new chart comes on view", WaitForStatus(p, e.sTitle));
  WriteFileBytes(g_sDir + "\\clipboard.txt", CheckNatalShown(p, e, "the new chart"));
  ExpectTrue("undo is possible now (元に戻す enabled)", !ItemGrey(p, 32000));
  WaitForPainted(p.hMain, kWaitMs);
  AwaitScreenshot(g_szShots, "road-new-chart", kShotMs);
  AspectsAndReadings(p, e);
  Fortune(p, e);
  Command(p, 31773);
  const std::string sFile = ReadFileBytes(DataFile());
  ExpectEqual("上書き保存 writes the two sample rows and the new person", sFile.size(), 3 * kRowSize);
  ExpectBytes("row 2 is the new person", RowName(sFile, 2), "山田花子");
  Foreground(p);
  Key(p, VK_PAUSE);
  ExpectEqual("Pause ends the program, exit code 0", WaitExit(&p), 0);
}

// 2. Started again: Backspace recalls the person.
void SecondRun(const Expected& e) {
  Program p;
  if (!ExpectTrue("the second start", Start(&p, g_sDir))) return;
  Foreground(p);
  Key(p, VK_BACK);
  ExpectTrue("Backspace sends 10000", WaitForCommand(p, 10000));
  HWND hList = WaitForCaption(p, "ファイルされているデータ （日本時間）");
  if (ExpectTrue("the list of filed data opens", hList != nullptr)) {
    ExpectEqual("with the three rows", RowCount(hList, 12301), 3);
    ExpectTrue("row 2 is the new person", RowText(hList, 12301, 2).rfind(" 山田花子", 0) == 0);
    SelectRow(hList, 12301, 2);
    Answer(p, hList, IDOK, "え ら ぶ");
    Idle(p);
    CheckNatalShown(p, e, "recalled");
  }
  PostMessageA(p.hMain, WM_CLOSE, 0, 0);
  ExpectEqual("closed, exit code 0", WaitExit(&p), 0);
}

// 3. A .bd5 file given on the command line: opened as the current file,
// its list shown at once.
void OpenedByArgument(const Expected& e) {
  const std::string sFamily = g_sDir + "\\家族.bd5";
  if (!CopyFileW(Wide932(DataFile()).c_str(), Wide932(sFamily).c_str(), FALSE)) Abandon("cannot copy the data file");
  Program p;
  if (!ExpectTrue("a start with a .bd5 argument", Start(&p, g_sDir, sFamily))) return;
  HWND hList = WaitForCaption(p, "ファイルされているデータ （日本時間）");
  if (ExpectTrue("the file's list comes up by itself", hList != nullptr)) {
    ExpectEqual("sent as 10000", LastCommand(p), 10000);
    ExpectEqual("three rows", RowCount(hList, 12301), 3);
    SelectRow(hList, 12301, 2);
    Answer(p, hList, IDOK, "え ら ぶ");
    Idle(p);
    ExpectBytes("the person of the file is shown", Part(p, 0), e.sTitle);
    ExpectBytes("the caption names the file", SentText(p.hMain), "ホロミラ - " + e.sTitle + " - [" + sFamily + "]");
  }
  PostMessageA(p.hMain, WM_CLOSE, 0, 0);
  ExpectEqual("closed, exit code 0", WaitExit(&p), 0);
  const std::string sii = ReadFileBytes(g_sDir + "\\Horom.sii");
  ExpectBytes("the file is the current file of the settings", sii.substr(kOffDataFile, sFamily.size() + 1),
              sFamily + std::string(1, '\0'));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Abandon("usage: test_typical_road HOROMAP_EXE WORK_DIR SHOT_DIR");
  g_sDir = argv[2];
  g_szShots = argc > 3 ? argv[3] : nullptr;
  SetEnvironmentVariableA("HOROMAP_TEST_HOOKS", "1");
  PrepareFolder(g_sDir, argv[1]);
  const BirthRecord person = TypicalPerson();
  const Expected e = NatalChart(person);
  FirstRun(person, e);
  SecondRun(e);
  OpenedByArgument(e);
  RemoveFileAssociation();
  return Finish("test_typical_road");
}

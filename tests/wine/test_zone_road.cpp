// A birth abroad, end to end in Horomap.exe: Insert, the time typed on New
// York's clock, the place, the confirmation box with the reading and its
// zone above the JST moment, 訂正 back to the reading as typed and its
// zone, は い, and the JST moment in the saved .bd5 row (whose layout is
// unchanged).  Then a time typed as JST with a foreign birthplace: 訂正
// reads it on the birthplace's clock, and 「日本時間」 chosen again gives the
// box of a JST time as always.
// Screenshots: road-zone-confirm, road-zone-correct, road-zone-birthplace.
//
// Usage (as run.sh calls every test): test_zone_road HOROMAP_EXE WORK_DIR SHOT_DIR
#include <cstring>
#include <string>

#include "base/birth_record.h"
#include "chart/places.h"
#include "entry/entry_rules.h"
#include "horomap_driver.h"
#include "platform/resource_ids.h"
#include "time/timescale.h"

using namespace horomap;

namespace {

const char* g_szShots = nullptr;
std::string g_sDir;

const char kTimeTitle[] = "誕生日と生まれた時間を指定してください";

std::string DataFile() { return g_sDir + "\\出生ﾃﾞｰﾀ.Bd5"; }

int ZoneRowOf(const char* szZone) { return ChoiceOfZone(FindZone(szZone)); }

// A row of the chooser picked as the user picks it.
void ChooseZone(HWND hTime, int iRow) {
  HWND hCombo = GetDlgItem(hTime, IDC_TN_ZONE);
  SendMessageA(hCombo, CB_SETCURSEL, iRow, 0);
  SendMessageA(hTime, WM_COMMAND, MAKEWPARAM(IDC_TN_ZONE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hCombo));
}
int ZoneSelection(HWND hTime) { return static_cast<int>(SendDlgItemMessageA(hTime, IDC_TN_ZONE, CB_GETCURSEL, 0, 0)); }

std::string Fields(HWND hTime) {
  return ItemText(hTime, IDC_TN_YEAR) + "/" + ItemText(hTime, IDC_TN_MONTH) + "/" + ItemText(hTime, IDC_TN_DAY) + " " +
         ItemText(hTime, IDC_TN_HOUR) + ":" + ItemText(hTime, IDC_TN_MINUTE) + " " + ItemText(hTime, IDC_TN_NAME);
}

void FillTime(HWND hTime, const char* szYear, const char* szMonth, const char* szDay, const char* szHour,
              const char* szMinute, const char* szName) {
  SetText(hTime, IDC_TN_YEAR, szYear);
  SetText(hTime, IDC_TN_MONTH, szMonth);
  SetText(hTime, IDC_TN_DAY, szDay);
  SetText(hTime, IDC_TN_HOUR, szHour);
  SetText(hTime, IDC_TN_MINUTE, szMinute);
  SetText(hTime, IDC_TN_NAME, szName);
}

HWND AwaitTimeDialog(const Program& p, const char* szWhat) {
  HWND h = WaitForCaption(p, kTimeTitle);
  if (!ExpectTrue(szWhat, h != nullptr)) Abandon(szWhat);
  return h;
}

// The place dialog: New York by its coordinates.
void TypeNewYork(const Program& p, const char* szCaption) {
  HWND hPlace = WaitForCaption(p, szCaption);
  if (!ExpectTrue("the place dialog follows", hPlace != nullptr)) Abandon("no place dialog");
  TickBox(hPlace, IDC_PLACE_TYPED);
  SetText(hPlace, IDC_PLACE_LAT, "40.7128");
  SetText(hPlace, IDC_PLACE_LONG, "-74.0060");
  ClickButton(hPlace, IDOK);
  WaitGone(hPlace, kWaitMs);
}

// The place dialog: a row of the list.
void ChooseRow(const Program& p, const char* szCaption, int iRow) {
  HWND hPlace = WaitForCaption(p, szCaption);
  if (!ExpectTrue("the place dialog follows", hPlace != nullptr)) Abandon("no place dialog");
  SelectRow(hPlace, IDC_PLACE_LIST, iRow);
  ClickButton(hPlace, IDOK);
  WaitGone(hPlace, kWaitMs);
}

// The confirmation box of the New York birth: the reading with its zone
// above the JST moment stored.
HWND ExpectNewYorkBox(const Program& p, const char* szWhen) {
  HWND hConfirm = WaitForAppBox(p, "これでよろしいですか？");
  if (!ExpectTrue(szWhen, hConfirm != nullptr)) Abandon("no confirmation box");
  ExpectBytes((std::string(szWhen) + ": name, JST and place").c_str(), BoxLines(hConfirm),
              "これでよろしいですか？/紐育太郎/ 1990年 7月 5日  1時 0分00秒  日本時間（記録する時刻）/+40.7128 : -74.0060");
  ExpectBytes((std::string(szWhen) + ": the reading as typed, its zone and offset").c_str(),
              ItemText(hConfirm, IDC_CONFIRM_LOCAL), " 1990年 7月 4日 12時 0分00秒  ニューヨーク (UTC-04:00 夏時間)");
  ExpectBytes((std::string(szWhen) + ": 訂正").c_str(), ItemText(hConfirm, 7), "訂正 (&R)");
  return hConfirm;
}

// The JST moment of row iRow of a .bd5 file's bytes.
std::string RowTime(const std::string& file, int iRow) {
  const size_t off = iRow * kRowSize + offsetof(BirthRecord, time);
  if (file.size() < off + sizeof(DateTime)) return "<no row>";
  DateTime t;
  memcpy(&t, file.data() + off, sizeof t);
  char sz[64];
  snprintf(sz, sizeof sz, "%d-%02d-%02d %02d:%02d:%02.0f", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return sz;
}

void NewYorkBirth(const Program& p) {
  Foreground(p);
  Key(p, VK_INSERT);
  HWND hTime = AwaitTimeDialog(p, "Insert opens the time-and-name dialog");
  ExpectEqual("it opens on 日本時間", ZoneSelection(hTime), kZoneChoiceJapan);
  ChooseZone(hTime, ZoneRowOf("ニューヨーク"));
  FillTime(hTime, "1990", "7", "4", "12", "0", "紐育太郎");
  ExpectBytes("the frame over the fields says 現地の時計", ItemText(hTime, IDC_TN_TIME_GROUP), "現地の時計（24時間制）");
  ClickButton(hTime, IDOK);
  TypeNewYork(p, "どこで生まれましたか？  (紐育太郎)");
  HWND hConfirm = ExpectNewYorkBox(p, "the confirmation box");
  AwaitScreenshot(g_szShots, "road-zone-confirm", kShotMs);

  ClickButton(hConfirm, 7);
  hTime = AwaitTimeDialog(p, "訂正 reopens the time-and-name dialog");
  ExpectBytes("訂正: the reading as typed, not its JST", Fields(hTime), "1990/7/4 12:0 紐育太郎");
  ExpectEqual("訂正: New York's clock", ZoneSelection(hTime), ZoneRowOf("ニューヨーク"));
  AwaitScreenshot(g_szShots, "road-zone-correct", kShotMs);
  ClickButton(hTime, IDOK);
  TypeNewYork(p, "どこで生まれましたか？  (紐育太郎)");
  hConfirm = ExpectNewYorkBox(p, "after 訂正");
  ClickButton(hConfirm, IDYES);
  ExpectTrue("は い closes the box", WaitGone(hConfirm, kWaitMs));
  Idle(p);

  Command(p, IDM_SAVE);
  const std::string sFile = ReadFileBytes(DataFile());
  ExpectEqual("上書き保存: the two sample rows and the new person, 312 bytes each", sFile.size(), 3 * kRowSize);
  ExpectBytes("row 2 is the New York birth", RowName(sFile, 2), "紐育太郎");
  ExpectBytes("stored as its JST moment", RowTime(sFile, 2), "1990-07-05 01:00:00");
  ExpectEqual("Horom.sii keeps its size", ReadFileBytes(g_sDir + "\\Horom.sii").size(), kSiiSize);
}

void ForeignBirthplace(const Program& p) {
  const int iBangkok = FindPlace("タイ－ﾊﾞﾝｺｸ");
  BirthRecord atPlace{};
  AcceptListedPlace(iBangkok, &atPlace);
  const DateTime jst{1985, 4, 12, 9, 30, 0.0};
  const std::string sPlainBox =
      std::string("これでよろしいですか？/曼谷花子/") + TimeToStr(&jst) + "/" + atPlace.szBirthPlace;

  Foreground(p);
  Key(p, VK_INSERT);
  HWND hTime = AwaitTimeDialog(p, "Insert again");
  ExpectEqual("a new entry opens on 日本時間 again", ZoneSelection(hTime), kZoneChoiceJapan);
  FillTime(hTime, "1985", "4", "12", "9", "30", "曼谷花子");
  ClickButton(hTime, IDOK);
  ChooseRow(p, "どこで生まれましたか？  (曼谷花子)", iBangkok);
  HWND hConfirm = WaitForAppBox(p, "これでよろしいですか？");
  if (!ExpectTrue("the confirmation box", hConfirm != nullptr)) Abandon("no confirmation box");
  ExpectBytes("a JST time: the box as always", BoxLines(hConfirm), sPlainBox);
  ExpectTrue("a JST time: no line of another clock", GetDlgItem(hConfirm, IDC_CONFIRM_LOCAL) == nullptr);

  ClickButton(hConfirm, 7);
  hTime = AwaitTimeDialog(p, "訂正 after a foreign birthplace");
  ExpectEqual("訂正: Bangkok's clock preselected", ZoneSelection(hTime), ZoneRowOf("Asia/Bangkok"));
  ExpectBytes("訂正: the notice says so", ItemText(hTime, IDC_TN_ZONE_NOTICE),
              "出生地の時計を選びました。日本時間で入力した時刻なら「日本時間」に戻してください");
  ExpectBytes("訂正: the time as typed", Fields(hTime), "1985/4/12 9:30 曼谷花子");
  AwaitScreenshot(g_szShots, "road-zone-birthplace", kShotMs);
  // The user typed JST: 「日本時間」 again, and the box is that of a JST time.
  ChooseZone(hTime, kZoneChoiceJapan);
  ClickButton(hTime, IDOK);
  ChooseRow(p, "どこで生まれましたか？  (曼谷花子)", iBangkok);
  hConfirm = WaitForAppBox(p, "これでよろしいですか？");
  if (!ExpectTrue("the confirmation box again", hConfirm != nullptr)) Abandon("no confirmation box");
  ExpectBytes("日本時間 chosen again: the JST time as typed", BoxLines(hConfirm), sPlainBox);
  ClickButton(hConfirm, IDCANCEL);
  ExpectTrue("キャンセル closes the box", WaitGone(hConfirm, kWaitMs));
  Idle(p);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Abandon("usage: test_zone_road HOROMAP_EXE WORK_DIR SHOT_DIR");
  g_sDir = argv[2];
  g_szShots = argc > 3 ? argv[3] : nullptr;
  SetEnvironmentVariableA("HOROMAP_TEST_HOOKS", "1");
  PrepareFolder(g_sDir, argv[1]);
  Program p;
  if (!ExpectTrue("Horomap.exe starts", Start(&p, g_sDir))) Abandon("no main window");
  NewYorkBirth(p);
  ForeignBirthplace(p);
  PostMessageA(p.hMain, WM_CLOSE, 0, 0);
  ExpectEqual("closed, exit code 0", WaitExit(&p), 0);
  RemoveFileAssociation();
  return Finish("test_zone_road");
}

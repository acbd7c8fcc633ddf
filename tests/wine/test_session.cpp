// Randomized sessions of Horomap.exe that hunt for lost data.  A seeded
// generator drives the program through long sessions of steps (new people,
// deletions, the file commands with their dialogs, recent files, closing,
// killing and starting again with good and bad files, any other command of
// the command table by its number or its key), answers every box and dialog
// with a choice of its own, and keeps a shadow model (session_model.h) of
// what must be on disk.  After every step: the program is alive and answers,
// no fault box was shown, every file of the work folder is what the model
// says, Horom.sii is whole and names an absolute path, and nothing was
// written outside the work folder.
//
// Usage (as run.sh calls every test): test_session HOROMAP_EXE WORK_DIR SHOT_DIR
// Environment:
//   HORO_SESSION_SEED   one session of this seed (default: the fixed seeds)
//   HORO_SESSION_STEPS  its number of steps
//   HORO_SESSION_ONLY   only these steps, e.g. "3,7-9,12" (the others are
//                       drawn but skipped: a replay keeps its steps as drawn)
//   HORO_SESSION_GO_ON  1: after a failed step the model takes the folder as
//                       it is and the session goes on
// A failing step prints the seed and the way to replay it.
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "horomap_driver.h"
#include "platform/resource_ids.h"
#include "session_model.h"

using namespace horomap;
using namespace session;

namespace {

// The fixed sessions of `make test` (seed, steps): about 3 minutes together
// under Wine on the 2-core machine.
const struct {
  uint64_t seed;
  int steps;
} kFixedSessions[] = {{101, 100}, {202, 100}, {303, 100}};

constexpr DWORD kHangMs = 30000;  // a program that takes no message for this long hangs

std::string g_sExe;
std::string g_sRunDir;

// --- A session ------------------------------------------------------------------------

// One step's own choices and what happened in it.
struct Ctx {
  Random r;
  std::string log;
  enum Flow { kGeneric, kStartUp, kNewPerson, kRecall, kDelete, kFileCommand, kNewFile, kClose, kWizard } flow = kGeneric;
  // A person typed in (kNewPerson, kWizard).
  bool wantPerson = false;
  bool corrected = false;         // 訂正 was pressed: the dialog shows the person as entered
  Row expected;                   // the person as typed at the last OK
  bool expectedSave = false;
  int timeTries = 0, placeTries = 0, openTries = 0, saveTries = 0;
  // Save points and file dialogs.
  bool naming = false;            // a save point asked for a name
  bool stopped = false;           // the save point's name was refused: the command stops
  std::function<void()> afterName;  // what the command does once named
  bool newFileOk = false;
  bool closeEmptyOk = false;
  std::string savePath;           // waiting for the overwrite question
  HWND hSave = nullptr;
  int chosenRow = -1;
  bool finished = false;          // the wizard registered its person
  explicit Ctx(uint64_t seed) : r(seed) {}
  void Note(const std::string& s) { log += " " + s; }
};

struct Session {
  uint64_t seed = 0;
  std::set<int> only;
  std::string dir;
  Model m;
  Program p;
  int step = 0;
  bool failed = false;
  std::vector<std::string> lines;  // the steps done so far
  std::map<std::string, std::vector<std::string>> outside;
};

Session* g_s = nullptr;

void Fail(const std::string& sWhat) {
  // The same fault once a step.
  static std::set<std::string> s_said;
  const std::string sKey = std::to_string(g_s->seed) + "/" + std::to_string(g_s->step) + "/" + sWhat;
  if (!s_said.insert(sKey).second) return;
  ExpectTrue(("step " + std::to_string(g_s->step) + ": " + sWhat).c_str(), false);
  g_s->failed = true;
}

// --- The program's windows ----------------------------------------------------------------

enum class Kind { kAppBox, kConfirm, kMsgBox, kOpen, kSave, kTimeName, kPlace, kFiledList, kWizard, kPopup, kFairy, kQuiet, kOther };

struct Shown {
  HWND h = nullptr;
  Kind kind = Kind::kOther;
  std::string caption, heading, line1, line2, text;
};

bool IsStatic(HWND h) {
  char sz[32] = "";
  return h && GetClassNameA(h, sz, sizeof sz) && lstrcmpiA(sz, "Static") == 0;
}

Shown Identify(HWND h) {
  Shown s;
  s.h = h;
  s.caption = SentText(h);
  if (FileNameField(h)) {
    s.kind = s.caption.find("保存") != std::string::npos ? Kind::kSave : Kind::kOpen;
  } else if (GetDlgItem(h, IDC_TN_YEAR)) {
    s.kind = Kind::kTimeName;
  } else if (GetDlgItem(h, IDC_PLACE_TYPED)) {
    s.kind = Kind::kPlace;
  } else if (GetDlgItem(h, IDC_FILED_LIST)) {
    s.kind = Kind::kFiledList;
  } else if (GetDlgItem(h, IDC_WIZARD_NEXT) && (s.caption == "魔法使い  ( ウィザード )" || s.caption == "確認してください")) {
    s.kind = Kind::kWizard;
  } else if (GetDlgItem(h, IDC_POPUP_A)) {
    s.kind = Kind::kPopup;
  } else if (s.caption == "親切な妖精") {
    s.kind = Kind::kFairy;
  } else if (IsStatic(GetDlgItem(h, IDC_APPBOX_HEADING)) && GetDlgItem(h, IDYES)) {
    s.heading = ItemText(h, IDC_APPBOX_HEADING);
    s.line1 = ItemText(h, IDC_APPBOX_LINE1);
    s.line2 = ItemText(h, IDC_APPBOX_LINE2);
    s.kind = s.heading == "これでよろしいですか？" && ItemText(h, IDC_CONFIRM_CORRECT) == "訂正 (&R)" ? Kind::kConfirm
                                                                                                   : Kind::kAppBox;
  } else if (PushButtons(h).empty()) {
    s.kind = Kind::kQuiet;
  } else if (IsStatic(GetDlgItem(h, 0xFFFF))) {
    s.kind = Kind::kMsgBox;
    s.text = MessageBoxText(h);
  }
  return s;
}

bool Modeless(Kind k) {
  return k == Kind::kConfirm || k == Kind::kWizard || k == Kind::kPopup || k == Kind::kFairy || k == Kind::kQuiet;
}

// The topmost modal box or dialog that takes input, if any.
bool TopModal(Shown* pShown) {
  for (HWND h : ProcessDialogs(g_s->p.Pid())) {
    if (!IsWindowEnabled(h)) continue;
    Shown s = Identify(h);
    if (Modeless(s.kind)) continue;
    *pShown = s;
    return true;
  }
  return false;
}

HWND FindShown(Kind k) {
  for (HWND h : ProcessDialogs(g_s->p.Pid())) {
    if (Identify(h).kind == k) return h;
  }
  return nullptr;
}

HWND OpenMenu() {
  HWND h = FindWindowA("#32768", nullptr);
  return h && IsWindowVisible(h) ? h : nullptr;
}

// Boxes that report a fault of the program.
bool IsFaultBox(const Shown& s) {
  const std::string t = s.caption + "\n" + s.text;
  if (s.kind == Kind::kAppBox) return s.line1 == "下記の場所でエラーが発生しました:";
  if (s.kind != Kind::kMsgBox) return false;
  return s.caption == "予期せぬ障害" || s.caption == "IDM" || s.caption == "CheckValue" ||
         t.find("Exception") != std::string::npos || t.find("例外") != std::string::npos ||
         t.find("自己修復ルーチン") != std::string::npos || t.find("Error") != std::string::npos ||
         s.text.rfind("!", 0) == 0;
}

// Presses a button and waits until the box is gone, another box is on top
// of it, or the program ended.
void Press(HWND h, int iButton) {
  ClickButton(h, iButton);
  const DWORD dwStart = GetTickCount();
  while (IsWindow(h) && IsWindowVisible(h) && !Ended(g_s->p) && GetTickCount() - dwStart < kWaitMs) {
    Shown top;
    if (TopModal(&top) && top.h != h) return;
    Sleep(20);
  }
}

bool HasButton(HWND h, int iId) {
  HWND b = GetDlgItem(h, iId);
  return b && IsWindowVisible(b) && IsWindowEnabled(b);
}

// A button of the box chosen at random: Yes/OK more often than No or Cancel.
int AnyButton(Ctx& c, HWND h) {
  std::vector<int> ids;
  for (const auto& b : PushButtons(h)) {
    if (!HasButton(h, b.first)) continue;
    ids.push_back(b.first);
    if (b.first == IDOK || b.first == IDYES || b.first == 1) ids.push_back(b.first);
  }
  return ids.empty() ? IDCANCEL : c.r.Pick(ids);
}

// --- The person typed in -----------------------------------------------------------------

// Names of every kind: ASCII, double-byte (some with the trail byte 0x5C),
// blanks inside, and longer than the 30 bytes a name keeps.
const std::vector<std::string> kNames = {
    "山田花子", "鈴木一郎", "佐藤 美咲", "高橋健太", "表示ソフト", "能登十兵衛", "Taro Yamada", "Anna-Lena",
    "ﾔﾏﾀﾞﾀﾛｳ", "渡辺結衣", "伊藤", "X",
};
const std::vector<std::string> kLongNames = {
    "寿限無寿限無五劫の擦り切れ海砂利水魚の水行末", "Alexandra Konstantinopoulou-Smithson", "長い名前の人ａｂｃｄｅｆｇｈｉｊ",
};

std::string CutName(const std::string& s) {
  char sz[128];
  snprintf(sz, sizeof sz, "%s", s.c_str());
  if (strlen(sz) > 30) CutDoubleByteSafe(sz, 30);
  return sz;
}

// Fills the time-and-name dialog (a fresh person) and presses OK.  The
// first try may hold a wrong or missing field or a long name; the next tries
// are right.
void TypePerson(Ctx& c, HWND h, bool bNameNeeded) {
  Row r{"", c.r.Range(1900, 2030), c.r.Range(1, 12), c.r.Range(1, 28), c.r.Range(0, 23), c.r.Range(0, 59)};
  std::string name = c.r.Pick(kNames);
  const int iKind = c.r.Below(100);
  if (iKind < 8 && !bNameNeeded) name = "";
  if (iKind >= 8 && iKind < 18) name = c.r.Pick(kLongNames);
  std::string f[5] = {std::to_string(r.y), std::to_string(r.mo), std::to_string(r.d), std::to_string(r.h),
                      std::to_string(r.mi)};
  if (c.timeTries == 1 && c.r.Chance(30)) {
    // A wrong field: out of range, missing or not a date.
    static const char* const kWrong[][2] = {{"0", "9999"}, {"1", "13"}, {"2", "32"}, {"4", ""}, {"0", "abc"}, {"2", "0"}};
    const auto& w = kWrong[c.r.Below(6)];
    f[w[0][0] - '0'] = w[1];
    c.Note("wrong[" + std::string(w[0]) + "]=" + w[1]);
  }
  if (c.timeTries > 1 && name.size() > 30) name = c.r.Pick(kNames);
  const bool bUnknown = c.timeTries == 1 && c.r.Chance(10);
  for (int i = 0; i < 5; ++i) SetText(h, IDC_TN_YEAR + i, f[i]);
  SetText(h, IDC_TN_NAME, name);
  if (bUnknown && !SendDlgItemMessageA(h, IDC_TN_UNKNOWN_TIME, BM_GETCHECK, 0, 0)) TickBox(h, IDC_TN_UNKNOWN_TIME);
  if (SendDlgItemMessageA(h, IDC_TN_UNKNOWN_TIME, BM_GETCHECK, 0, 0)) r.h = 12, r.mi = 0;  // noon, whatever is typed
  r.name = name;
  c.expected = r;
  c.expectedSave = !name.empty();
  c.Note(r.Text() + (bUnknown ? " (time unknown)" : ""));
  Press(h, IDOK);
}

// The time-and-name dialog reopened by 訂正 must show the person as entered.
void CorrectPerson(Ctx& c, HWND h) {
  const Row& r = g_s->m.pendingRow;
  const std::string got = ItemText(h, IDC_TN_NAME) + " " + ItemText(h, IDC_TN_YEAR) + "-" + ItemText(h, IDC_TN_MONTH) +
                          "-" + ItemText(h, IDC_TN_DAY) + " " + ItemText(h, IDC_TN_HOUR) + ":" + ItemText(h, IDC_TN_MINUTE);
  const std::string want = (g_s->m.pendingSave ? r.name : std::string()) + " " + std::to_string(r.y) + "-" +
                           std::to_string(r.mo) + "-" + std::to_string(r.d) + " " + std::to_string(r.h) + ":" +
                           std::to_string(r.mi);
  if (got != want) Fail("訂正 reopens the time-and-name dialog on " + got + ", not on the person as entered: " + want);
  c.expected = r;
  c.expectedSave = g_s->m.pendingSave;
  if (c.r.Chance(40)) {
    c.expected.name = c.r.Pick(kNames);
    c.expectedSave = true;
    SetText(h, IDC_TN_NAME, c.expected.name);
    c.Note("name→" + c.expected.name);
  }
  // A birthplace abroad preselects its city's clock, which would read the
  // JST shown as that city's time; the model keeps the moment, so the
  // chooser goes back to 「日本時間」 as a user keeping the time would.
  HWND hZone = GetDlgItem(h, IDC_TN_ZONE);
  if (hZone && SendMessageA(hZone, CB_GETCURSEL, 0, 0) != 0) {
    SendMessageA(hZone, CB_SETCURSEL, 0, 0);
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_TN_ZONE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hZone));
    c.Note("clock→日本時間");
  }
  c.corrected = false;
  Press(h, IDOK);
}

// --- Answers -------------------------------------------------------------------------------

std::vector<std::string> FilesOnDisk(bool bReadable) {
  std::vector<std::string> v;
  for (const auto& kv : g_s->m.disk) {
    if (IsBd5(kv.second.path) && kv.second.Readable() == bReadable) v.push_back(kv.second.path);
  }
  return v;
}

std::string InDir(const std::string& sName) { return g_s->dir + "\\" + sName; }

void AnswerOpen(Ctx& c, const Shown& s) {
  if (c.openTries++ > 0 || c.flow == Ctx::kGeneric || c.stopped) {
    if (c.stopped) Fail("the open dialog follows although the save point's name was refused");
    c.Note("open:cancel");
    Press(s.h, IDCANCEL);
    return;
  }
  const int iRoll = c.r.Below(100);
  std::string path;
  const std::vector<std::string> good = FilesOnDisk(true), bad = FilesOnDisk(false);
  if (iRoll < 50 && !good.empty()) path = c.r.Pick(good);
  else if (iRoll < 62 && !bad.empty()) path = c.r.Pick(bad);
  else if (iRoll < 70) path = InDir("ない.bd5");
  else if (iRoll < 80) path = InDir(c.r.Chance(50) ? "メモ.txt" : "data.xyz");
  if (path.empty()) {
    c.Note("open:cancel");
    Press(s.h, IDCANCEL);
    return;
  }
  c.Note("open:" + BaseName(path));
  TypeFileName(s.h, path);
  Press(s.h, IDOK);
  if (!IsWindowVisible(s.h) || !IsWindow(s.h)) g_s->m.Open(path);
}

// The save dialog's choice took effect: written, made current.
void SavedAs(Ctx& c, const std::string& path) {
  g_s->m.Named(path);
  if (c.naming) {
    c.naming = false;
    if (c.afterName) c.afterName();
    c.afterName = nullptr;
  }
}

void AnswerSave(Ctx& c, const Shown& s) {
  if (c.saveTries++ > 1) {
    if (c.naming) c.stopped = true;
    c.Note("save:cancel");
    Press(s.h, IDCANCEL);
    return;
  }
  const int iRoll = c.r.Below(100);
  std::string path;
  std::vector<std::string> any = FilesOnDisk(true);
  for (const auto& b : FilesOnDisk(false)) any.push_back(b);
  if (iRoll < 45) path = InDir("記録" + std::to_string(c.r.Below(6)) + ".bd5");
  else if (iRoll < 80 && !any.empty()) path = c.r.Pick(any);
  if (path.empty()) {
    if (c.naming) c.stopped = true;
    c.Note("save:cancel");
    Press(s.h, IDCANCEL);
    return;
  }
  c.Note("save:" + BaseName(path));
  c.savePath = path;
  c.hSave = s.h;
  TypeFileName(s.h, path);
  Press(s.h, IDOK);
  if (!IsWindow(s.h) || !IsWindowVisible(s.h)) {
    c.savePath.clear();
    SavedAs(c, path);
  }
}

void AnswerTimeName(Ctx& c, const Shown& s) {
  ++c.timeTries;
  const bool bNewData = s.caption == "誕生日と生まれた時間を指定してください";
  const bool bWizard = s.caption == "デフォルトの出生データ登録";
  if ((bNewData && c.wantPerson) || (bWizard && c.flow == Ctx::kWizard)) {
    if (c.timeTries > 3 || (c.timeTries == 1 && c.r.Chance(6))) {
      c.Note("time:cancel");
      Press(s.h, IDCANCEL);
      return;
    }
    if (c.corrected) return CorrectPerson(c, s.h);
    return TypePerson(c, s.h, bWizard);
  }
  // Any other time dialog: its preset (the clock), a year typed, or cancel.
  const int iRoll = c.r.Below(100);
  if (bNewData || bWizard || c.timeTries > 2 || iRoll < 25) {
    c.Note("time:cancel");
    Press(s.h, IDCANCEL);
    return;
  }
  if (iRoll < 55 && IsWindowEnabled(GetDlgItem(s.h, IDC_TN_YEAR))) {
    const std::string year = c.r.Chance(85) ? std::to_string(c.r.Range(1950, 2040)) : "-9000";
    SetText(s.h, IDC_TN_YEAR, year);
    c.Note("time:" + year);
  } else {
    c.Note("time:ok");
  }
  Press(s.h, IDOK);
}

void AnswerPlace(Ctx& c, const Shown& s) {
  ++c.placeTries;
  const bool bPerson = c.wantPerson && c.placeTries <= 3;
  if (c.placeTries > 3 || (bPerson && c.r.Chance(6)) || (!bPerson && c.r.Chance(25))) {
    c.Note("place:cancel");
    Press(s.h, IDCANCEL);
    return;
  }
  const bool bTyped = SendDlgItemMessageA(s.h, IDC_PLACE_TYPED, BM_GETCHECK, 0, 0) != 0;
  if (bTyped || c.r.Chance(25)) {
    const bool bWrong = c.placeTries == 1 && c.r.Chance(25);
    const std::string lat = bWrong ? "95" : std::to_string(c.r.Range(24, 45)) + ".5";
    const std::string lon = std::to_string(c.r.Range(123, 146)) + ".25";
    if (!bTyped) TickBox(s.h, IDC_PLACE_TYPED);
    SetText(s.h, IDC_PLACE_LAT, lat);
    SetText(s.h, IDC_PLACE_LONG, lon);
    c.Note("place:" + lat + "," + lon);
  } else {
    const int iRow = c.r.Below(RowCount(s.h, IDC_PLACE_LIST));
    SelectRow(s.h, IDC_PLACE_LIST, iRow);
    c.Note("place:" + std::to_string(iRow));
  }
  Press(s.h, IDOK);
}

void AnswerFiledList(Ctx& c, const Shown& s) {
  const int n = RowCount(s.h, IDC_FILED_LIST);
  const size_t want = g_s->m.table.size() < kListRows ? g_s->m.table.size() : kListRows;
  // A list that goes with its window (closing) is not read.
  const bool bStands = c.flow != Ctx::kClose && IsWindow(s.h) && IsWindowVisible(s.h) && GetDlgItem(s.h, IDC_FILED_LIST) &&
                       IsWindow(g_s->p.hMain);
  if (bStands && static_cast<size_t>(n) != want) {
    Fail("the list of filed data shows " + std::to_string(n) + " rows, the table should hold " +
         std::to_string(g_s->m.table.size()));
  }
  if (n <= 0 || c.r.Chance(c.flow == Ctx::kDelete ? 10 : 30)) {
    c.Note("list:cancel");
    Press(s.h, IDCANCEL);
    return;
  }
  c.chosenRow = c.r.Below(n);
  SelectRow(s.h, IDC_FILED_LIST, c.chosenRow);
  c.Note("list:" + std::to_string(c.chosenRow));
  Press(s.h, IDOK);
}

void AnswerAppBox(Ctx& c, const Shown& s) {
  Model& m = g_s->m;
  const std::string& hd = s.heading;
  int iButton = AnyButton(c, s.h);
  if (hd == "確認" && s.line1 == "出生データファイル (.bd5) を新規作成します") {
    iButton = c.flow == Ctx::kNewFile && c.r.Chance(85) ? IDYES : IDCANCEL;
    if (iButton == IDYES) {
      c.newFileOk = true;
      if (!m.table.empty() && m.SavePoint() == Model::kNeedsName) c.naming = true;
    }
  } else if (hd == "新規ファイル") {
    c.naming = true;
    iButton = IDYES;
  } else if (hd == "登録データのないファイル") {
    iButton = c.flow == Ctx::kClose && c.r.Chance(70) ? IDYES : IDCANCEL;
    c.closeEmptyOk = iButton == IDYES;
  } else if (hd == "出生データファイルを読み込めません ...") {
    const int iRoll = c.r.Below(100);
    iButton = iRoll < 35 ? IDYES : iRoll < 65 ? IDNO : IDCANCEL;
    if (iButton == IDNO) m.Sample();
    m.StartDone();
  } else if (hd == "出生データの登録件数がゼロです ...") {
    const int iRoll = c.r.Below(100);
    iButton = iRoll < 30 ? IDYES : iRoll < 65 ? IDNO : IDCANCEL;
    if (iButton == IDNO && m.holds && !m.Untitled()) {
      // The open that follows may or may not write the empty table first.
      DiskFile* f = &m.disk[PathKey(m.current)];
      if (f->path.empty()) f->path = m.current;
      if (!f->Big()) f->hasAlt = true, f->alt = m.table;
    }
  } else if (hd == "データの削除") {
    iButton = c.flow == Ctx::kDelete && c.r.Chance(90) ? IDYES : IDCANCEL;
  } else if (hd == "次のデータを削除してよろしいですか？") {
    iButton = c.flow == Ctx::kDelete && c.r.Chance(85) ? IDYES : IDCANCEL;
    if (c.chosenRow < 0 || c.chosenRow >= static_cast<int>(m.table.size())) {
      Fail("a row is asked about for deletion that the table does not hold");
    } else if (s.line1 != m.table[c.chosenRow].name) {
      Fail("the deletion asks about " + s.line1 + ", row " + std::to_string(c.chosenRow) + " is " +
           m.table[c.chosenRow].name);
    } else if (iButton == IDYES) {
      m.table.erase(m.table.begin() + c.chosenRow);
    }
  } else if (hd == "とても長い名前！") {
    iButton = c.r.Chance(60) ? IDYES : IDCANCEL;
    if (iButton == IDYES) c.expected.name = CutName(c.expected.name);
  } else if (hd == "アンインストール") {
    iButton = IDCANCEL;
  } else if (hd == "起動速度の設定" && s.line1 == "タイトルページを出す") {
    iButton = IDCANCEL;
  } else if (hd == "デフォルトの出生データ" && s.line2 == "登録完了しました") {
    iButton = IDYES;
    if (c.flow == Ctx::kWizard) {
      m.File(c.expected);
      c.finished = true;
    } else {
      Fail("a default person was registered outside the wizard step");
    }
  }
  const char* szAnswer = iButton == IDYES ? "yes" : iButton == IDNO ? "no" : "cancel";
  c.Note("[" + hd + "]" + szAnswer);
  Press(s.h, iButton);
}

void AnswerMsgBox(Ctx& c, const Shown& s) {
  int iButton = HasButton(s.h, IDOK) ? IDOK : AnyButton(c, s.h);
  if (s.text.find("データが未設定です") == 0) {
    iButton = c.r.Chance(20) ? IDYES : IDNO;
  } else if (s.text.find("上書き") != std::string::npos && !c.savePath.empty()) {
    iButton = c.r.Chance(60) ? IDYES : IDNO;
    Press(s.h, iButton);
    c.Note(std::string("[上書き]") + (iButton == IDYES ? "yes" : "no"));
    if (iButton == IDYES) {
      WaitGone(c.hSave, kWaitMs);
      SavedAs(c, c.savePath);
    }
    c.savePath.clear();
    return;
  } else if (s.text.find("デフォルト") != std::string::npos && HasButton(s.h, IDYES)) {
    iButton = c.flow == Ctx::kWizard && c.r.Chance(80) ? IDYES : IDNO;
  } else if (HasButton(s.h, IDIGNORE)) {
    iButton = IDIGNORE;
  } else if (HasButton(s.h, IDCANCEL) || HasButton(s.h, IDNO)) {
    iButton = AnyButton(c, s.h);
  }
  std::string sShort = s.text.substr(0, s.text.find('\n'));
  if (sShort.size() > 40) sShort = CutName(sShort.substr(0, 40));
  c.Note("(" + s.caption + ": " + sShort + ")");
  Press(s.h, iButton);
}

// Answers one modal box or dialog.
void Answer(Ctx& c, const Shown& s) {
  if (IsFaultBox(s)) Fail("a fault box: " + s.caption + " / " + s.heading + s.line1 + s.text);
  switch (s.kind) {
    case Kind::kOpen: return AnswerOpen(c, s);
    case Kind::kSave: return AnswerSave(c, s);
    case Kind::kTimeName: return AnswerTimeName(c, s);
    case Kind::kPlace: return AnswerPlace(c, s);
    case Kind::kFiledList: return AnswerFiledList(c, s);
    case Kind::kAppBox: return AnswerAppBox(c, s);
    case Kind::kMsgBox: return AnswerMsgBox(c, s);
    default: {
      const int iButton = AnyButton(c, s.h);
      c.Note("{" + s.caption + "}" + std::to_string(iButton));
      return Press(s.h, iButton);
    }
  }
}

// The wizard's page must not take input while its step's dialog runs.
void CheckWizardPage(const Shown& top) {
  if (top.kind != Kind::kTimeName && top.kind != Kind::kPlace) return;
  HWND hPage = FindShown(Kind::kWizard);
  if (hPage && IsWindowEnabled(hPage)) Fail("the wizard's page stays enabled while " + top.caption + " is open");
}

// Answers the program's boxes and dialogs until it waits for the user with
// none of them open, or has ended.  False when it hung.
bool Drive(Ctx& c) {
  Program& p = g_s->p;
  // Two markers in a row taken with nothing open: what the program posted
  // to itself before the second one (a list after an open, a wizard step)
  // has run too.
  for (int nAnswers = 0, nQuiet = 0;;) {
    if (Ended(p)) return true;
    Shown top;
    if (TopModal(&top)) {
      nQuiet = 0;
      CheckWizardPage(top);
      if (++nAnswers > 60) {
        Fail("more than 60 boxes in one step");
        CloseDialogs(p);
        return false;
      }
      Answer(c, top);
      continue;
    }
    if (HWND hMenu = OpenMenu()) {
      nQuiet = 0;
      c.Note("menu:esc");
      SetForegroundWindow(hMenu);
      PressKey(p.hMain, VK_ESCAPE);
      continue;
    }
    const DWORD dwAsked = GetTickCount();
    const bool bAnswered = Sync(p, kHangMs);
    if (bAnswered && GetTickCount() - dwAsked > 5000) {
      printf("note: step %d: the program took %.1f s to take a message\n", g_s->step, (GetTickCount() - dwAsked) / 1000.0);
    }
    if (!bAnswered) {
      if (Ended(p) || !IsWindow(p.hMain)) {
        WaitForSingleObject(p.pi.hProcess, 20000);
        return true;
      }
      if (TopModal(&top)) continue;
      Fail("the program takes no message for " + std::to_string(kHangMs / 1000) + " s");
      return false;
    }
    if (TopModal(&top) || OpenMenu()) continue;
    // A modal box disables the main window when it is made, but shows
    // itself only once the program's queue is empty: wait for it.
    if (IsWindow(p.hMain) && !IsWindowEnabled(p.hMain)) {
      const DWORD dwStart = GetTickCount();
      while (!TopModal(&top) && IsWindow(p.hMain) && !IsWindowEnabled(p.hMain) && !Ended(p) &&
             GetTickCount() - dwStart < kHangMs) {
        Sleep(20);
      }
      if (TopModal(&top) || !IsWindow(p.hMain) || IsWindowEnabled(p.hMain) || Ended(p)) continue;
      Fail("the main window stays disabled with no box shown");
      return false;
    }
    if (++nQuiet == 2) return true;
  }
}

// --- Starting, closing, keys ----------------------------------------------------------------

void StopProgram() {
  Program& p = g_s->p;
  if (p.pi.hProcess) {
    if (!Ended(p)) TerminateProcess(p.pi.hProcess, 1);
    WaitForSingleObject(p.pi.hProcess, 10000);
    CloseHandle(p.pi.hThread);
    CloseHandle(p.pi.hProcess);
  }
  p = Program{};
}

// Starts the program (with an argument, or none) and answers what it asks
// until its window waits for the user.
bool StartProgram(Ctx& c, const std::string& sArgument) {
  StopProgram();
  Model& m = g_s->m;
  c.flow = Ctx::kStartUp;
  c.Note(sArgument.empty() ? "start" : "start " + BaseName(sArgument));
  m.Start(sArgument);
  Program& p = g_s->p;
  if (!Launch(&p, g_s->dir, sArgument)) Abandon("cannot start Horomap.exe");
  const DWORD dwStart = GetTickCount();
  for (int nAnswers = 0;;) {
    if (Ended(p)) {
      Fail("the program ended while it started");
      m.running = false;
      return false;
    }
    HWND hMain = WaitForWindow("Horomira5", nullptr, p.Pid(), 50);
    if (hMain) {
      TakeMainWindow(&p, hMain);
      break;
    }
    Shown top;
    if (TopModal(&top) && ++nAnswers < 30) {
      Answer(c, top);
    } else if (GetTickCount() - dwStart > kStartTimeoutMs * 2) {
      Fail("no main window after " + std::to_string(kStartTimeoutMs * 2 / 1000) + " s");
      return false;
    }
  }
  WaitForPainted(p.hMain, kWaitMs);
  c.flow = Ctx::kFileCommand;  // the open dialog asked for at the start, or the file's list
  return Drive(c);
}

// Sends a command: by its key when it has one and the coin says so (the
// program must take it), else as a menu command.
struct KeyOf {
  int iCommand;
  WORD mod1, mod2, vk;
};
const KeyOf kKeys[] = {
    {10006, VK_SHIFT, 0, 'A'},        {12000, VK_CONTROL, 0, 'B'},     {10002, VK_SHIFT, 0, 'C'},
    {10003, VK_SHIFT, 0, 'D'},        {10004, VK_SHIFT, 0, 'E'},       {30000, VK_CONTROL, 0, 'C'},
    {38241, VK_CONTROL, 0, 'E'},      {24005, VK_CONTROL, 0, 'H'},     {24006, VK_CONTROL, 0, 'R'},
    {38243, VK_CONTROL, 0, 'V'},      {10005, VK_SHIFT, 0, 'F'},       {12345, VK_SHIFT, 0, 'G'},
    {10000, 0, 0, VK_BACK},           {1401, 0, 0, VK_F7},             {1301, 0, 0, VK_F8},
    {1201, 0, 0, VK_F9},              {1101, 0, 0, VK_F10},            {1405, VK_CONTROL, 0, VK_F7},
    {1305, VK_CONTROL, 0, VK_F8},     {1205, VK_CONTROL, 0, VK_F9},    {1105, VK_CONTROL, 0, VK_F10},
    {401, VK_SHIFT, 0, VK_F7},        {301, VK_SHIFT, 0, VK_F8},       {201, VK_SHIFT, 0, VK_F9},
    {101, VK_SHIFT, 0, VK_F10},       {405, VK_CONTROL, VK_SHIFT, VK_F7}, {305, VK_CONTROL, VK_SHIFT, VK_F8},
    {205, VK_CONTROL, VK_SHIFT, VK_F9}, {105, VK_CONTROL, VK_SHIFT, VK_F10}, {53237, 0, 0, VK_F2},
    {57052, 0, 0, VK_F3},             {24000, 0, 0, VK_F4},            {10012, 0, 0, VK_F5},
    {24001, 0, 0, VK_F6},             {2000, 0, 0, VK_F11},            {2010, 0, 0, VK_F12},
    {10001, 0, 0, VK_INSERT},         {55555, 0, 0, VK_RETURN},        {37298, 0, 0, VK_PAUSE},
    {2050, 0, 0, VK_APPS},            {31770, VK_CONTROL, 0, 'O'},     {31772, VK_CONTROL, 0, 'A'},
    {37299, VK_CONTROL, 0, 'X'},      {44402, VK_SHIFT, 0, 'J'},       {44401, VK_SHIFT, 0, 'H'},
    {10009, VK_SHIFT, 0, 'N'},        {10010, VK_SHIFT, 0, 'P'},       {10011, VK_SHIFT, 0, 'T'},
    {10016, VK_SHIFT, 0, VK_DOWN},    {10018, VK_SHIFT, 0, VK_RIGHT},  {10017, VK_SHIFT, 0, VK_LEFT},
    {10014, VK_CONTROL, 0, '2'},      {10015, VK_SHIFT, 0, VK_TAB},    {10013, VK_SHIFT, 0, 'L'},
    {38300, VK_CONTROL, 0, 'L'},      {12001, VK_CONTROL, 0, 'N'},     {12002, VK_CONTROL, 0, 'P'},
    {12003, VK_CONTROL, 0, 'T'},      {32000, VK_CONTROL, 0, 'Z'},     {32099, VK_CONTROL, 0, VK_DELETE},
};

void Send(Ctx& c, int iCommand, LPARAM lParam = 0) {
  Program& p = g_s->p;
  const KeyOf* pKey = nullptr;
  for (const KeyOf& k : kKeys) {
    if (k.iCommand == iCommand && lParam == 0) pKey = &k;
  }
  if (pKey && c.r.Chance(50)) {
    Foreground(p);
    // The key is taken when a command comes: its own, or what it posts at once.
    RemovePropA(p.hMain, "HoromiraCommand");
    std::vector<WORD> mods;
    for (WORD w : {pKey->mod1, pKey->mod2}) {
      if (w) mods.push_back(w);
    }
    for (WORD m : mods) SendKey(m, false);
    SendKey(pKey->vk, false);
    SendKey(pKey->vk, true);
    for (auto it = mods.rbegin(); it != mods.rend(); ++it) SendKey(*it, true);
    const DWORD dwStart = GetTickCount();
    while (!GetPropA(p.hMain, "HoromiraCommand") && GetTickCount() - dwStart < 5000 && !Ended(p)) Sleep(20);
    if (GetPropA(p.hMain, "HoromiraCommand") || Ended(p)) {
      c.Note("key " + std::to_string(iCommand));
      return;
    }
    c.Note("(key lost)");
  }
  c.Note("cmd " + std::to_string(iCommand));
  Post(p, iCommand, lParam);
}

// The program must still run, or have ended cleanly when the model says so.
void CheckRunning(Ctx&) {
  Program& p = g_s->p;
  Model& m = g_s->m;
  if (m.running) {
    if (Ended(p)) {
      DWORD dw = 0;
      GetExitCodeProcess(p.pi.hProcess, &dw);
      Fail("the program ended (exit code " + std::to_string(dw) + ") although it should still run");
      m.running = false;
    } else if (!Sync(p, kHangMs)) {
      Fail("the program does not answer");
    }
    return;
  }
  if (!p.pi.hProcess) return;
  if (WaitForSingleObject(p.pi.hProcess, 20000) != WAIT_OBJECT_0) {
    std::string shown;
    for (HWND h : ProcessDialogs(p.Pid())) shown += " [" + SentText(h) + "]";
    Fail("the program should have ended but still runs (main window " +
         std::string(IsWindow(p.hMain) ? "still there" : "gone") + ", boxes:" + (shown.empty() ? " none" : shown) + ")");
    return;
  }
  DWORD dw = 0;
  GetExitCodeProcess(p.pi.hProcess, &dw);
  if (dw != 0) Fail("the program ended with exit code " + std::to_string(dw));
}

// --- Steps ---------------------------------------------------------------------------------

// A start after the program ended: plainly, with a bad or good argument, or
// after a file it knows was deleted.
void Restart(Ctx& c) {
  Model& m = g_s->m;
  const int iRoll = c.r.Below(100);
  std::string arg;
  if (iRoll < 10) arg = InDir("ありません.bd5");
  else if (iRoll < 18) arg = InDir(c.r.Chance(50) ? "メモ.txt" : "data.xyz");
  else if (iRoll < 26) arg = InDir(c.r.Chance(50) ? "壊れ.bd5" : "空.bd5");
  else if (iRoll < 36 && !FilesOnDisk(true).empty()) arg = c.r.Pick(FilesOnDisk(true));
  else if (iRoll < 46) {
    // A file vanishes between two runs: the last file, or a recent one.
    std::string victim = m.siiFile;
    if (c.r.Chance(50) && !m.siiRecent.empty()) victim = c.r.Pick(m.siiRecent);
    if (m.Find(victim) && IsBd5(victim)) {
      c.Note("delete " + BaseName(victim));
      DeleteFileA(victim.c_str());
      m.Remove(victim);
    }
  }
  if (arg == InDir("壊れ.bd5") && !m.Find(arg)) arg.clear();
  StartProgram(c, arg);
}

// The window closed by one of its ways; what closing asks is answered.
void CloseAndRestart(Ctx& c) {
  Model& m = g_s->m;
  Program& p = g_s->p;
  c.flow = Ctx::kClose;
  const int iWay = c.r.Below(6);
  const char* const kWays[] = {"WM_CLOSE", "Ctrl+X", "Pause", "37299", "37298", "SC_CLOSE"};
  c.Note(std::string("close:") + kWays[iWay]);
  if (iWay == 0) PostMessageA(p.hMain, WM_CLOSE, 0, 0);
  else if (iWay == 1) Foreground(p), Chord(p, {VK_CONTROL}, 'X');
  else if (iWay == 2) Foreground(p), Key(p, VK_PAUSE);
  else if (iWay == 5) PostMessageA(p.hMain, WM_SYSCOMMAND, SC_CLOSE, 0);
  else Post(p, iWay == 3 ? 37299 : 37298);
  const bool bUntitled = m.Untitled();
  const bool bRows = !m.table.empty();
  if (bUntitled && bRows) c.naming = true;
  Drive(c);
  bool bExit;
  if (bUntitled && !bRows) {
    bExit = c.closeEmptyOk;
    if (bExit) m.LeaveUntitled();
  } else if (bUntitled) {
    bExit = !c.stopped && !m.Untitled();
    if (bExit) m.SavePoint();
  } else {
    bExit = true;
    m.SavePoint();
  }
  if (bExit) {
    m.ExitClean();
  } else if (Ended(p)) {
    Fail(c.stopped || (bUntitled && !bRows) ? "the window closed although closing was cancelled"
                                            : "the window closed without a name asked for the untitled rows");
    m.running = false;
    return;
  }
  CheckRunning(c);
  if (!m.running) Restart(c);
}

void StepNewPerson(Ctx& c) {
  Model& m = g_s->m;
  c.flow = Ctx::kNewPerson;
  c.wantPerson = true;
  // A box left waiting by an earlier step stays until this person's box
  // replaces it.
  HWND hOld = m.pending ? FindShown(Kind::kConfirm) : nullptr;
  Send(c, 10001);
  for (int iRound = 0; iRound < 4; ++iRound) {
    Drive(c);
    HWND hBox = FindShown(Kind::kConfirm);
    if (!hBox || hBox == hOld) return;  // cancelled on the way (or the program ended)
    hOld = nullptr;
    const Shown s = Identify(hBox);
    if (s.line1 != c.expected.name && !(c.expected.name.empty() && s.line1 == "(No Name)")) {
      Fail("the confirmation box shows the name " + s.line1 + ", typed was " + c.expected.name);
    }
    m.pending = true;
    m.pendingRow = c.expected;
    m.pendingSave = c.expectedSave;
    const int iRoll = c.r.Below(100);
    if (iRoll < 55) {
      c.Note("は い");
      Press(hBox, IDYES);
      m.pending = false;
      if (c.expectedSave) m.File(c.expected);
      Drive(c);
      return;
    }
    if (iRoll < 72) {
      if (c.r.Chance(50)) {
        // A listing that runs the time dialog while the box waits.
        const int iListing = c.r.Pick(std::vector<int>{38250, 38251, 38300, 38310, 38243});
        Ctx other(c.r.Next());
        other.flow = Ctx::kGeneric;
        c.Note("meanwhile");
        Send(other, iListing);
        Drive(other);
        c.log += other.log;
        hBox = FindShown(Kind::kConfirm);
        if (!hBox) {
          Fail("the confirmation box went away during another command");
          return;
        }
      }
      c.Note("訂正");
      c.corrected = true;
      c.timeTries = c.placeTries = 0;
      Press(hBox, IDC_CONFIRM_CORRECT);
      m.pending = false;
      continue;
    }
    if (iRoll < 84) {
      c.Note("キャンセル");
      Press(hBox, IDCANCEL);
      m.pending = false;
      return;
    }
    c.Note("(the box waits)");
    return;
  }
}

void StepConfirm(Ctx& c) {
  Model& m = g_s->m;
  HWND hBox = FindShown(Kind::kConfirm);
  if (!m.pending) {
    if (hBox) Fail("a confirmation box is shown that nobody left open");
    c.Note("nothing waits");
    return;
  }
  if (!hBox) {
    Fail("the confirmation box left waiting is gone");
    m.pending = false;
    return;
  }
  c.flow = Ctx::kNewPerson;
  c.wantPerson = true;
  c.expected = m.pendingRow;
  c.expectedSave = m.pendingSave;
  const int iRoll = c.r.Below(100);
  if (iRoll < 70) {
    c.Note("は い");
    Press(hBox, IDYES);
    m.pending = false;
    if (c.expectedSave) m.File(c.expected);
    Drive(c);
  } else if (iRoll < 85) {
    c.Note("訂正");
    c.corrected = true;
    Press(hBox, IDC_CONFIRM_CORRECT);
    m.pending = false;
    Drive(c);
    if (HWND h = FindShown(Kind::kConfirm)) {
      c.Note("は い");
      Press(h, IDYES);
      if (c.expectedSave) m.File(c.expected);
      Drive(c);
    }
  } else {
    c.Note("キャンセル");
    Press(hBox, IDCANCEL);
    m.pending = false;
    Drive(c);
  }
}

void StepRecall(Ctx& c) {
  c.flow = Ctx::kRecall;
  Send(c, 10000);
  Drive(c);
}

void StepDelete(Ctx& c) {
  c.flow = Ctx::kDelete;
  Send(c, 32099);
  Drive(c);
}

// A file command whose save point may have to name an untitled table.
void FileCommand(Ctx& c, int iCommand, const std::function<void()>& then) {
  c.flow = Ctx::kFileCommand;
  const Model::SavePointResult sp = g_s->m.SavePoint();
  if (sp == Model::kNeedsName) {
    c.naming = iCommand != 31772 && iCommand != 31773;
    c.afterName = then;
  }
  Send(c, iCommand);
  if (sp != Model::kNeedsName && then) then();
  Drive(c);
}

void StepOpen(Ctx& c) { FileCommand(c, 31770, nullptr); }
void StepSaveAs(Ctx& c) { FileCommand(c, 31772, nullptr); }
void StepSave(Ctx& c) { FileCommand(c, 31773, nullptr); }

void StepRecent(Ctx& c) {
  Model& m = g_s->m;
  const int k = c.r.Below(static_cast<int>(m.recent.size()) + 2 > 10 ? 10 : static_cast<int>(m.recent.size()) + 2);
  if (k >= static_cast<int>(m.recent.size())) {
    c.flow = Ctx::kFileCommand;
    Send(c, 45700 + k);
    Drive(c);
    return;
  }
  const std::string path = m.recent[k];
  c.Note("(" + BaseName(path) + ")");
  FileCommand(c, 45700 + k, [path] { g_s->m.Open(path); });
}

void StepNewFile(Ctx& c) {
  c.flow = Ctx::kNewFile;
  Send(c, 31771);
  Drive(c);
  if (c.newFileOk && !c.stopped && !c.naming) g_s->m.NewFile();
}

void StepClose(Ctx& c) { CloseAndRestart(c); }

void StepKill(Ctx& c) {
  // Sometimes while a dialog is open.
  if (c.r.Chance(40)) {
    const int iCommand = c.r.Pick(std::vector<int>{10001, 10000, 38250, 24005, 31771});
    c.Note("cmd " + std::to_string(iCommand));
    Post(g_s->p, iCommand);
    Shown top;
    const DWORD dwStart = GetTickCount();
    while (!TopModal(&top) && GetTickCount() - dwStart < kWaitMs) Sleep(20);
  }
  c.Note("kill");
  TerminateProcess(g_s->p.pi.hProcess, 1);
  WaitForSingleObject(g_s->p.pi.hProcess, 10000);
  g_s->m.Killed();
  Restart(c);
}

// A close asked for while a command's dialog is open is refused: the window
// and its blocks must outlive the command, so the window and the dialog
// stay.  The dialog is then cancelled, and the program closed as usual.
void StepCloseInDialog(Ctx& c) {
  Model& m = g_s->m;
  Program& p = g_s->p;
  std::vector<int> commands = {10001, 10000, 38250, 24005, 10013, 32099};
  if (!(m.Untitled() && !m.table.empty())) commands.push_back(31770);
  const int iCommand = c.r.Pick(commands);
  if (iCommand == 31770) m.SavePoint();
  c.Note("cmd " + std::to_string(iCommand));
  Post(p, iCommand);
  Shown top;
  const DWORD dwStart = GetTickCount();
  while (!TopModal(&top) && GetTickCount() - dwStart < kWaitMs) Sleep(20);
  c.Note("{" + top.caption + top.heading + "}");
  c.Note("close:WM_CLOSE");
  PostMessageA(p.hMain, WM_CLOSE, 0, 0);
  Sync(p, kWaitMs);
  if (Ended(p) || !IsWindow(p.hMain)) {
    Fail("the window closed under the open dialog of command " + std::to_string(iCommand));
    m.running = false;
    Restart(c);
    return;
  }
  if (top.h && !IsWindow(top.h)) Fail("the open dialog went with the refused close");
  // Every dialog the command shows is cancelled: none of them files,
  // deletes or opens anything then.
  for (int i = 0; i < 8 && TopModal(&top); ++i) {
    const int iButton = HasButton(top.h, IDCANCEL) ? IDCANCEL : HasButton(top.h, IDNO) ? IDNO : AnyButton(c, top.h);
    c.Note("{" + top.caption + top.heading + "}" + std::to_string(iButton));
    Press(top.h, iButton);
    Sync(p, kWaitMs);
  }
  CloseAndRestart(c);
}

void StepWizard(Ctx& c) {
  c.flow = Ctx::kWizard;
  c.wantPerson = true;
  Send(c, 60001);
  for (int i = 0; i < 12 && !c.finished; ++i) {
    Drive(c);
    HWND hPage = FindShown(Kind::kWizard);
    if (!hPage) return;
    const int iRoll = c.r.Below(100);
    const int iButton = iRoll < 85 ? IDC_WIZARD_NEXT : iRoll < 95 && IsWindowEnabled(GetDlgItem(hPage, IDC_WIZARD_BACK))
                                                           ? IDC_WIZARD_BACK
                                                           : IDC_WIZARD_STOP;
    c.Note(iButton == IDC_WIZARD_NEXT ? "次へ" : iButton == IDC_WIZARD_BACK ? "戻る" : "中止");
    if (iButton == IDC_WIZARD_BACK || iButton == IDC_WIZARD_STOP) c.timeTries = c.placeTries = 0;
    if (iButton == IDC_WIZARD_NEXT) c.placeTries = 0;
    ClickButton(hPage, iButton);
  }
  Drive(c);
}

// Any other command of the command table (not the file and person commands
// of the steps above, nor the test commands that raise faults).
struct CommandRange {
  int iFirst, iLast;
};
const CommandRange kOtherCommands[] = {
    {101, 105},     {201, 205},     {301, 305},     {401, 405},     {1101, 1105},   {1201, 1205},   {1210, 1210},
    {1301, 1305},   {1401, 1405},   {2000, 2000},   {2010, 2010},   {2050, 2050},   {3199, 3199},   {10002, 10004},
    {10005, 10005}, {10006, 10006}, {10007, 10007}, {10008, 10008}, {10009, 10009}, {10010, 10010}, {10011, 10011},
    {10012, 10012}, {10013, 10013}, {10014, 10014}, {10015, 10015}, {10016, 10016}, {10017, 10018}, {10019, 10019},
    {10020, 10020}, {10021, 10021}, {12000, 12000}, {12001, 12001}, {12002, 12002}, {12003, 12003}, {12345, 12345},
    {23456, 23456}, {24000, 24000}, {24001, 24001}, {24005, 24005}, {24006, 24006}, {30000, 30000}, {30099, 30099},
    {32000, 32000}, {36000, 36005}, {38241, 38241}, {38242, 38242}, {38243, 38243}, {38250, 38251}, {38300, 38300},
    {38310, 38310}, {39077, 39077}, {40208, 40209}, {41003, 41006}, {41008, 41008}, {41010, 41010}, {44401, 44404},
    {50001, 50001}, {50003, 50003}, {53237, 53237}, {53250, 53250}, {53259, 53259}, {53290, 53290}, {55000, 55000},
    {55555, 55555}, {57049, 57049}, {57050, 57050}, {57051, 57051}, {57052, 57052},
};

void StepCommand(Ctx& c) {
  const CommandRange& r = kOtherCommands[c.r.Below(sizeof kOtherCommands / sizeof kOtherCommands[0])];
  Send(c, c.r.Range(r.iFirst, r.iLast));
  Drive(c);
  // A wizard page that a reading opened is stopped; the auxiliary windows
  // are closed now and then.
  for (int i = 0; i < 3; ++i) {
    HWND hPage = FindShown(Kind::kWizard);
    if (!hPage) break;
    c.Note("wizard:中止");
    ClickButton(hPage, IDC_WIZARD_STOP);
    Drive(c);
  }
  if (c.r.Chance(30)) {
    for (Kind k : {Kind::kPopup, Kind::kFairy}) {
      if (HWND h = FindShown(k)) PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
    }
    Drive(c);
  }
}

// A listing that runs the time dialog (what 訂正 must not mix up).
void StepListing(Ctx& c) {
  Send(c, c.r.Pick(std::vector<int>{38250, 38251, 38300, 38310, 38243, 38241, 10016}));
  Drive(c);
}

struct StepKind {
  const char* szName;
  int iWeight;
  void (*run)(Ctx&);
};
const StepKind kStepKinds[] = {
    {"new-person", 16, StepNewPerson}, {"confirm", 4, StepConfirm},   {"recall", 4, StepRecall},
    {"delete", 8, StepDelete},         {"open", 7, StepOpen},         {"new-file", 5, StepNewFile},
    {"save-as", 6, StepSaveAs},        {"save", 5, StepSave},         {"recent", 6, StepRecent},
    {"close", 6, StepClose},           {"kill", 3, StepKill},         {"close-in-dialog", 2, StepCloseInDialog},
    {"wizard", 2, StepWizard},         {"command", 13, StepCommand},  {"listing", 3, StepListing},
};

const StepKind& DrawKind(uint64_t u) {
  int total = 0;
  for (const StepKind& k : kStepKinds) total += k.iWeight;
  int x = static_cast<int>(u % static_cast<uint64_t>(total));
  for (const StepKind& k : kStepKinds) {
    if (x < k.iWeight) return k;
    x -= k.iWeight;
  }
  return kStepKinds[0];
}

// --- Checks after every step ------------------------------------------------------------------

std::vector<std::string> ListNames(const std::string& sDir) {
  std::vector<std::string> v;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((sDir + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return v;
  do v.push_back(fd.cFileName);
  while (FindNextFileA(h, &fd));
  FindClose(h);
  std::sort(v.begin(), v.end());
  return v;
}

std::vector<std::string> OutsideFolders() {
  std::vector<std::string> dirs = {g_sRunDir};
  char sz[MAX_PATH] = "";
  if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, sz))) dirs.push_back(sz);
  GetModuleFileNameA(nullptr, sz, sizeof sz);
  std::string exe = sz;
  dirs.push_back(exe.substr(0, exe.find_last_of('\\')));
  return dirs;
}

void CheckAfterStep(Ctx& c) {
  Session& s = *g_s;
  CheckRunning(c);
  for (const std::string& why : CheckFolder(s.m)) Fail(why);
  const SiiFacts sii = ReadSii(s.dir + "\\Horom.sii");
  if (sii.nBytes != kSiiBytes) {
    Fail("Horom.sii holds " + std::to_string(sii.nBytes) + " bytes");
  } else {
    if (!IsAbsolute(sii.dataFile)) Fail("Horom.sii names the relative path " + sii.dataFile);
    if (!s.m.running && !SamePathAs(sii.dataFile, s.m.siiFile)) {
      Fail("Horom.sii names " + sii.dataFile + ", the last file was " + s.m.siiFile);
    }
  }
  for (const auto& [dir, names] : s.outside) {
    for (const std::string& n : ListNames(dir)) {
      if (!std::binary_search(names.begin(), names.end(), n) && n != BaseName(s.dir)) {
        Fail("written outside the work folder: " + dir + "\\" + n);
      }
    }
  }
}

// --- A session --------------------------------------------------------------------------------

std::string Rows(int n, const char* szName, int iYear) {
  std::string bytes;
  for (int i = 0; i < n; ++i) {
    char rec[kRowBytes] = {};
    const int32_t t[5] = {iYear + i % 50, 1 + i % 12, 1 + i % 28, i % 24, i % 60};
    memcpy(rec + 4, t, sizeof t);
    snprintf(rec + 32, 54, "%s%d", szName, i + 1);
    rec[299] = 1;
    memcpy(rec + 302, &kMagic, 4);
    bytes.append(rec, sizeof rec);
  }
  return bytes;
}

void Put(const std::string& sName, const std::string& bytes, bool bOpaque) {
  const std::string path = InDir(sName);
  FILE* f = fopen(path.c_str(), "wb");
  if (!f || fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) Abandon("cannot write a file of the session");
  fclose(f);
  if (bOpaque) {
    g_s->m.PutOpaque(path, bytes);
  } else {
    std::vector<Row> rows;
    ParseRows(bytes, &rows);
    g_s->m.PutRows(path, rows);
  }
}

// The work folder: the program as after its first run, and files of every
// kind to open: good ones, a damaged and an empty one, foreign ones and one
// of more rows than the table holds.
void PrepareSession(Session& s) {
  CreateDirectoryA(s.dir.c_str(), nullptr);
  PrepareFolder(s.dir, g_sExe);
  s.m = Model{};
  s.m.dir = s.dir;
  s.m.siiFile = s.m.DefaultFile();
  s.m.siiRecent = {s.m.DefaultFile()};
  Put("家族.bd5", Rows(3, "家族", 1950), false);
  Put("友人.bd5", Rows(5, "友人", 1980), false);
  std::string broken = Rows(4, "壊れ", 1970);
  broken[kRowBytes + 302] = 0x11;
  Put("壊れ.bd5", broken, true);
  Put("空.bd5", "", true);
  Put("メモ.txt", "出生データではありません\r\n", true);
  Put("data.xyz", "xyz", true);
  Put("大きい.bd5", Rows(1100, "大勢", 1900), false);
  s.outside.clear();
  for (const std::string& d : OutsideFolders()) s.outside[d] = ListNames(d);
}

// After a failed step (HORO_SESSION_GO_ON=1): the program is ended and the
// model takes the work folder and the settings as they are, so that the
// session goes on looking.
void Resync() {
  StopProgram();
  Model& m = g_s->m;
  m.running = m.pending = false;
  m.disk.clear();
  for (const std::string& name : ListNames(g_s->dir)) {
    const std::string key = PathKey(name);
    if (name == "." || name == ".." || key == "horom.sii" || key == "horomap.exe") continue;
    if (key.size() > 4 && (key.substr(key.size() - 4) == ".tmp" || key.substr(key.size() - 4) == ".bak")) continue;
    const std::string bytes = ReadAll(InDir(name));
    std::vector<Row> rows;
    if (IsBd5(name) && ParseRows(bytes, &rows).empty()) m.PutRows(InDir(name), rows);
    else m.PutOpaque(InDir(name), bytes);
  }
  const SiiFacts sii = ReadSii(g_s->dir + "\\Horom.sii");
  m.siiFile = sii.dataFile;
  m.siiRecent = sii.recent;
  m.firstStart = sii.nStarts == 0;
}

void PrintReplay(const Session& s) {
  printf("---- seed %llu: step %d failed; the steps so far:\n", static_cast<unsigned long long>(s.seed), s.step);
  for (const std::string& l : s.lines) printf("  %s\n", l.c_str());
  std::string only;
  for (int i : s.only) only += (only.empty() ? "" : ",") + std::to_string(i);
  printf("---- replay: make soak SEED=%llu STEPS=%d GO_ON=0%s   (HORO_SESSION_ONLY=\"2,4-6\": only those steps)\n",
         static_cast<unsigned long long>(s.seed), s.step, only.empty() ? "" : (" HORO_SESSION_ONLY=" + only).c_str());
  fflush(stdout);
}

bool RunSession(uint64_t seed, int nSteps, const std::set<int>& only, bool bGoOn) {
  Session s;
  g_s = &s;
  s.seed = seed;
  s.only = only;
  s.dir = g_sRunDir + "\\seed-" + std::to_string(seed);
  PrepareSession(s);
  Random main(seed);
  printf("session: seed %llu, %d steps\n", static_cast<unsigned long long>(seed), nSteps);
  fflush(stdout);
  const DWORD dwStart = GetTickCount();
  {
    Ctx c(main.Next());
    StartProgram(c, "");
    s.lines.push_back("#0 start" + c.log);
    CheckAfterStep(c);
  }
  bool bAnyFailed = false;
  for (s.step = 1; s.step <= nSteps && (bGoOn || !s.failed); ++s.step) {
    const StepKind& kind = DrawKind(main.Next());
    Ctx c(main.Next());
    if (!only.empty() && !only.count(s.step)) continue;
    if (!s.m.running) StartProgram(c, "");
    kind.run(c);
    std::string line = "#" + std::to_string(s.step) + " " + kind.szName + c.log;
    printf("  %s\n", line.c_str());
    fflush(stdout);
    s.lines.push_back(line);
    CheckAfterStep(c);
    if (s.failed) {
      PrintReplay(s);
      bAnyFailed = true;
      s.failed = false;
      if (bGoOn) Resync();
      else break;
    }
  }
  s.failed = bAnyFailed;
  StopProgram();
  printf("session: seed %llu, %d steps in %.1f s\n", static_cast<unsigned long long>(seed), nSteps,
         (GetTickCount() - dwStart) / 1000.0);
  ExpectTrue(("session seed " + std::to_string(seed) + " keeps every file as the model says").c_str(), !s.failed);
  g_s = nullptr;
  return !s.failed;
}

std::set<int> ParseOnly(const char* sz) {
  std::set<int> only;
  while (sz && *sz) {
    char* end = nullptr;
    const long a = strtol(sz, &end, 10);
    long b = a;
    if (*end == '-') b = strtol(end + 1, &end, 10);
    for (long i = a; i <= b; ++i) only.insert(static_cast<int>(i));
    sz = *end ? end + 1 : end;
  }
  return only;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Abandon("usage: test_session HOROMAP_EXE WORK_DIR SHOT_DIR");
  g_sExe = argv[1];
  g_sRunDir = argv[2];
  SetEnvironmentVariableA("HOROMAP_TEST_HOOKS", "1");
  const char* szSeed = getenv("HORO_SESSION_SEED");
  const char* szSteps = getenv("HORO_SESSION_STEPS");
  if (szSeed && szSeed[0]) {
    const int nSteps = szSteps && szSteps[0] ? atoi(szSteps) : 200;
    const char* szGoOn = getenv("HORO_SESSION_GO_ON");
    RunSession(strtoull(szSeed, nullptr, 10), nSteps, ParseOnly(getenv("HORO_SESSION_ONLY")), szGoOn && szGoOn[0] == '1');
  } else {
    for (const auto& f : kFixedSessions) RunSession(f.seed, f.steps, {}, false);
  }
  RemoveFileAssociation();
  return Finish("test_session");
}

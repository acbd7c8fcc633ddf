// A user's birth-data file at the start and at the close of Horomap.exe.
// A start whose file cannot be read leaves the last file exactly as it was,
// whatever follows: a mistyped argument, a file that is no .bd5, a damaged
// last file with each answer of the question it brings, Ctrl+O at once, the
// close.  A person filed after such a start goes into a new untitled file,
// which closing names; a cancelled name keeps the window open and writes
// nothing anywhere.  "新規作成", a person filed and deleted, then closing
// with OK leaves the previous file as "新規作成" wrote it and makes it
// current again.  Throughout, Horom.sii names full paths and the folder
// holds only the files the user made.
//
// Usage (as run.sh calls every test): test_file_roads HOROMAP_EXE WORK_DIR SHOT_DIR
#include <set>
#include <string>

#include "horomap_driver.h"
#include "platform/resource_ids.h"

using namespace horomap;

namespace {

std::string g_sDir;

std::string Sample() { return g_sDir + "\\出生ﾃﾞｰﾀ.Bd5"; }
std::string SiiFile() { return g_sDir + "\\Horom.sii"; }

// The current file the settings name (NUL-terminated field).
std::string SettingsFile() {
  const std::string sii = ReadFileBytes(SiiFile());
  if (sii.size() != kSiiSize) return "<Horom.sii is " + std::to_string(sii.size()) + " bytes>";
  return std::string(sii.c_str() + kOffDataFile);
}

// The names of the files in the work folder.
std::set<std::string> FolderFiles() {
  std::set<std::string> names;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((g_sDir + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(fd.cFileName);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return names;
}

void ExpectFolder(const char* szWhat, std::initializer_list<const char*> names) {
  std::string sGot, sWant;
  for (const std::string& s : FolderFiles()) sGot += s + " ";
  for (const std::string& s : std::set<std::string>(names.begin(), names.end())) sWant += s + " ";
  ExpectBytes(szWhat, sGot, sWant);
}

// Closes the program with the close box and expects it to end.
void Close(Program* p, const char* szWhat) {
  PostMessageA(p->hMain, WM_CLOSE, 0, 0);
  ExpectEqual(szWhat, WaitExit(p), 0);
}

// Answers one of the program's own boxes by its heading.
void AnswerAppBox(const Program& p, const char* szHeading, int iButton) {
  Answer(p, WaitForAppBox(p, szHeading), iButton, szHeading);
}

// A person filed as the dialogs file one (test command 59006: born 1700,
// so the precision warning comes first).
void FilePerson(const Program& p) {
  Post(p, 59006);
  HWND hBox = WaitForMessageBox(p, "精度に注意");
  if (ExpectTrue("the new person's precision warning", hBox != nullptr)) Answer(p, hBox, IDOK, "OK");
}

// 1. Starts whose file cannot be read.
void FailedStarts(const std::string& sLast) {
  struct {
    const char* szWhat;
    std::string sArgument;
    const char* szBox;  // a part of the box that reports it
    int iButton;        // its button
  } kStarts[] = {
      {"a mistyped argument", "C:\\nowhere\\typo.bd5", "上記のファイルをひらけません", IDYES},
      {"a file that is no .bd5", g_sDir + "\\notes.txt", "notes.txt", IDOK},
  };
  for (const auto& s : kStarts) {
    Program p;
    if (!ExpectTrue(s.szWhat, Launch(&p, g_sDir, s.sArgument))) continue;
    HWND hBox = WaitForDialog(
        p.Pid(), [&](HWND h) { return BoxLines(h).find(s.szBox) != std::string::npos || MessageBoxText(h).find(s.szBox) != std::string::npos; },
        kStartTimeoutMs);
    ExpectTrue("its box", hBox != nullptr);
    if (hBox) ClickButton(hBox, s.iButton);
    if (!AwaitMainWindow(&p)) Abandon("no main window after the box");
    Post(p, IDM_OPEN);
    HWND hOpen = FileDialog(p);
    ExpectTrue("Ctrl+O at once: the open dialog", hOpen != nullptr);
    ExpectTrue("and the last file is as it was before the dialog", ReadFileBytes(Sample()) == sLast);
    if (hOpen) Answer(p, hOpen, IDCANCEL, "the dialog cancelled");
    Close(&p, "closed, exit code 0");
    ExpectTrue("the close leaves the last file as it was", ReadFileBytes(Sample()) == sLast);
    ExpectBytes("the settings still name it", SettingsFile(), Sample());
  }
}

// 2. The last file damaged (a row whose check word is wrong): its two
// boxes, then the question.  Cancel, and Yes with the open dialog
// cancelled, leave it as it was; after Cancel a person filed goes into an
// untitled file that closing names, refused once.
void DamagedLastFile(const std::string& sLast) {
  std::string sDamaged = sLast.substr(0, kRowSize);
  sDamaged[302] ^= 0x55;
  WriteFileBytes(Sample(), sDamaged);
  for (int iAnswer : {IDCANCEL, IDYES, IDCANCEL}) {
    static int iPass = 0;
    ++iPass;
    Program p;
    if (!ExpectTrue("a start with the damaged last file", Launch(&p, g_sDir))) return;
    AnswerAppBox(p, "エラー", IDYES);  // "ファイルが壊れています"
    Answer(p, WaitForAppBox(p, Sample().c_str()), IDYES, "このファイルのデータ登録件数はゼロ");
    AnswerAppBox(p, "出生データファイルを読み込めません ...", iAnswer);
    if (!AwaitMainWindow(&p)) Abandon("no main window");
    if (iAnswer == IDYES) {
      HWND hOpen = FileDialog(p);
      if (ExpectTrue("Yes: the open dialog follows the first paint", hOpen != nullptr)) {
        Answer(p, hOpen, IDCANCEL, "and is cancelled");
      }
    }
    if (iPass < 3) {
      Close(&p, "closed after the question: exit code 0");
      ExpectBytes("the damaged file is as it was", ReadFileBytes(Sample()), sDamaged);
      ExpectBytes("and the settings name it", SettingsFile(), Sample());
      continue;
    }
    FilePerson(p);
    ExpectTrue("a person filed now starts an untitled file", SentText(p.hMain).find("[無題.bd5]") != std::string::npos);
    PostMessageA(p.hMain, WM_CLOSE, 0, 0);
    AnswerAppBox(p, "新規ファイル", IDYES);
    HWND hSave = FileDialog(p);
    if (!ExpectTrue("closing asks for its name", hSave != nullptr)) Abandon("no save dialog");
    Answer(p, hSave, IDCANCEL, "the name refused");
    ExpectTrue("a cancelled name keeps the window", IsWindow(p.hMain) && IsWindowVisible(p.hMain));
    ExpectFolder("and writes nothing", {"Horomap.exe", "Horom.sii", "出生ﾃﾞｰﾀ.Bd5", "notes.txt"});
    PostMessageA(p.hMain, WM_CLOSE, 0, 0);
    AnswerAppBox(p, "新規ファイル", IDYES);
    hSave = FileDialog(p);
    if (!ExpectTrue("closing asks again", hSave != nullptr)) Abandon("no save dialog");
    ChooseFile(p, hSave, g_sDir + "\\救出.bd5");
    ExpectEqual("named: the program ends, exit code 0", WaitExit(&p), 0);
    ExpectEqual("the person is in the named file", ReadFileBytes(g_sDir + "\\救出.bd5").size(), kRowSize);
    ExpectBytes("the damaged file is as it was", ReadFileBytes(Sample()), sDamaged);
    ExpectBytes("the settings name the new file by its full path", SettingsFile(), g_sDir + "\\救出.bd5");
  }
}

// 3. "新規作成" after the last file, a person filed and deleted, closing
// with OK: the last file is current again, as "新規作成" wrote it.
void UntitledGivenUp(const std::string& sLast) {
  WriteFileBytes(Sample(), sLast);
  Program p;
  // The file by its name relative to the program's folder.
  if (!ExpectTrue("a start with the file's relative name", Start(&p, g_sDir, "出生ﾃﾞｰﾀ.Bd5"))) return;
  Answer(p, WaitForCaption(p, "ファイルされているデータ （日本時間）"), IDCANCEL, "its list comes up; cancelled");
  ExpectTrue("the caption names it by its full path", SentText(p.hMain).find("[" + Sample() + "]") != std::string::npos);
  Post(p, IDM_NEW_FILE);
  AnswerAppBox(p, "確認", IDYES);
  const std::string sWritten = ReadFileBytes(Sample());
  ExpectTrue("新規作成 wrote the last file with its rows", sWritten == sLast);
  FilePerson(p);
  Foreground(p);
  Chord(p, {VK_CONTROL}, VK_DELETE);
  AnswerAppBox(p, "データの削除", IDYES);
  HWND hList = WaitForCaption(p, "ファイルされているデータ （日本時間）");
  if (!ExpectTrue("the list of the untitled file", hList != nullptr)) Abandon("no list");
  ExpectEqual("with the one person", RowCount(hList, 12301), 1);
  SelectRow(hList, 12301, 0);
  Answer(p, hList, IDOK, "the person is chosen");
  AnswerAppBox(p, "次のデータを削除してよろしいですか？", IDYES);
  PostMessageA(p.hMain, WM_CLOSE, 0, 0);
  AnswerAppBox(p, "登録データのないファイル", IDYES);
  ExpectEqual("OK closes, exit code 0", WaitExit(&p), 0);
  ExpectTrue("the last file is as 新規作成 wrote it", ReadFileBytes(Sample()) == sWritten);
  ExpectBytes("and current again, by its full path", SettingsFile(), Sample());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Abandon("usage: test_file_roads HOROMAP_EXE WORK_DIR SHOT_DIR");
  g_sDir = argv[2];
  SetEnvironmentVariableA("HOROMAP_TEST_HOOKS", "1");
  PrepareFolder(g_sDir, argv[1]);
  WriteFileBytes(g_sDir + "\\notes.txt", "not a birth-data file\r\n");
  {
    // The first start makes the sample file, written at the close.
    Program p;
    if (!ExpectTrue("the first start", Start(&p, g_sDir))) Abandon("no first start");
    Close(&p, "closed, exit code 0");
  }
  const std::string sLast = ReadFileBytes(Sample());
  ExpectEqual("the last file holds the two sample people", sLast.size(), 2 * kRowSize);
  FailedStarts(sLast);
  DamagedLastFile(sLast);
  UntitledGivenUp(sLast);
  ExpectFolder("the folder holds only the user's files",
               {"Horomap.exe", "Horom.sii", "出生ﾃﾞｰﾀ.Bd5", "notes.txt", "救出.bd5"});
  RemoveFileAssociation();
  return Finish("test_file_roads");
}

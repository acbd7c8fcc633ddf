// Driving a running Horomap.exe from a test program, as a user would: its
// start in a prepared folder, commands and real key presses, the program's
// boxes and dialogs found by their texts and answered, the clipboard, the
// files it writes.  Each test program is its own executable: everything
// here is inline.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "entry/entry_rules.h"
#include "persistence/settings.h"
#include "remote_window.h"
#include "wine_common.h"

namespace horomap {

constexpr DWORD kStartTimeoutMs = 40000;
constexpr DWORD kWaitMs = 10000;
constexpr DWORD kShotMs = 15000;

// Offsets in the settings file (Horom.sii).
constexpr size_t kSiiSize = 3920;
constexpr size_t kOffDataFile = 279;
constexpr size_t kOffOrb = 3585;
constexpr size_t kOffFlags = 3912;
constexpr size_t kRowSize = 312;
constexpr size_t kRowNameOffset = 32;

struct Program {
  PROCESS_INFORMATION pi{};
  HWND hMain = nullptr, hStatus = nullptr, hBar = nullptr;
  DWORD Pid() const { return pi.dwProcessId; }
};

inline std::string ReadFileBytes(const std::string& sPath) {
  std::string s;
  FILE* f = OpenFile932(sPath, "rb");
  if (!f) return "";
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
  fclose(f);
  return s;
}

inline void WriteFileBytes(const std::string& sPath, const std::string& s) {
  FILE* f = OpenFile932(sPath, "wb");
  if (!f || fwrite(s.data(), 1, s.size(), f) != s.size()) Abandon("cannot write a file of the test");
  fclose(f);
}

inline bool FileExists(const std::string& sPath) { return FileExists932(sPath); }

// The name of row iRow of a .bd5 file's bytes.
inline std::string RowName(const std::string& file, int iRow) {
  const size_t off = iRow * kRowSize + kRowNameOffset;
  if (file.size() < off + kNameFieldSize) return "<no row>";
  return std::string(file.c_str() + off, strnlen(file.c_str() + off, kNameFieldSize));
}

// The person the road tests enter: 山田花子, born 1985-04-12 09:30 JST in
// 札幌 (row 3 of the place list), filed, as the dialogs and the new-data
// command make her.
constexpr int kSapporoRow = 3;
inline BirthRecord TypicalPerson() {
  BirthRecord r{};
  r.dwMagic = kRecordMagic;
  r.bTimeKnown = 1;
  r.time = DateTime{1985, 4, 12, 9, 30, 0.0};
  snprintf(r.szName, sizeof r.szName, "%s", "山田花子");
  r.bSave = 1;
  AcceptListedPlace(kSapporoRow, &r);
  memcpy(r.szCurrentPlace, r.szBirthPlace, sizeof r.szCurrentPlace);
  r.dCurrentLat = r.dBirthLat;
  r.dCurrentLong = r.dBirthLong;
  r.iMarker = 1;
  return r;
}

// PrepareFolder: a folder in which the program starts as after its first
// run: the association points at it and its settings file holds the
// defaults of this build with the start count 0 (the sample file is made
// at the start) and the title page off, so that no box delays the start.
inline void PrepareFolder(const std::string& sDir, const std::string& sExe) {
  if (!CopyFileA(sExe.c_str(), (sDir + "\\Horomap.exe").c_str(), FALSE)) Abandon("cannot copy Horomap.exe");
  RemoveFileAssociation();
  HKEY hKey;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kUserClasses) + "Horomap\\shell\\open\\command").c_str(), 0,
                      nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) != ERROR_SUCCESS) {
    Abandon("cannot register the association");
  }
  const std::string sCommand = sDir + "\\Horomap %1";
  RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(sCommand.c_str()),
                 static_cast<DWORD>(sCommand.size()));
  RegCloseKey(hKey);
  SystemIniInf sii;
  ResetSettings(&sii);
  const std::string sData = sDir + "\\出生ﾃﾞｰﾀ.Bd5";
  const std::string sSii = sDir + "\\Horom.sii";
  snprintf(sii.szDataFile, sizeof sii.szDataFile, "%s", sData.c_str());
  snprintf(sii.szRecent[0], sizeof sii.szRecent[0], "%s", sData.c_str());
  snprintf(sii.szSiiPath, sizeof sii.szSiiPath, "%s", sSii.c_str());
  sii.iStartCount = 0;
  sii.bFlags &= static_cast<uint8_t>(~kSiiFlagTitlePage);
  FILE* f = OpenFile932(sSii, "wb");
  if (!f || fwrite(&sii, sizeof sii, 1, f) != 1) Abandon("cannot write Horom.sii");
  fclose(f);
}

// Launch: Horomap.exe of the folder started there, with an argument when
// one is given; returns at once (the boxes of its start may come first).
// AwaitMainWindow then waits for its painted main window.
// The argument in UTF-16 (LaunchWide) reaches the program whatever the
// system's code page, also a name code page 932 cannot spell.
inline bool LaunchWide(Program* p, const std::string& sDir, const std::wstring& wsArgument) {
  const std::wstring wsExe = Wide932(sDir + "\\Horomap.exe");
  std::wstring wsCommand = L"\"" + wsExe + L"\"";
  if (!wsArgument.empty()) wsCommand += L" \"" + wsArgument + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  return CreateProcessW(wsExe.c_str(), &wsCommand[0], nullptr, nullptr, FALSE, 0, nullptr, Wide932(sDir).c_str(),
                        &si, &p->pi) != 0;
}
inline bool Launch(Program* p, const std::string& sDir, const std::string& sArgument = "") {
  return LaunchWide(p, sDir, Wide932(sArgument));
}
// TakeMainWindow: the main window once it is shown, its status bar and
// tool bar.
inline void TakeMainWindow(Program* p, HWND hMain) {
  p->hMain = hMain;
  p->hStatus = GetDlgItem(hMain, 64);
  p->hBar = GetDlgItem(hMain, 1025);
}
inline bool AwaitMainWindow(Program* p) {
  HWND hMain = WaitForWindow("Horomira5", nullptr, p->Pid(), kStartTimeoutMs);
  if (!hMain) return false;
  WaitForPainted(hMain, kWaitMs);
  TakeMainWindow(p, hMain);
  return true;
}
// Start: Launch, then AwaitMainWindow.
inline bool Start(Program* p, const std::string& sDir, const std::string& sArgument = "") {
  return Launch(p, sDir, sArgument) && AwaitMainWindow(p);
}

inline bool Ended(const Program& p) {
  return p.pi.hProcess && WaitForSingleObject(p.pi.hProcess, 0) == WAIT_OBJECT_0;
}

// WaitExit: the program's exit code, or -1 when it had to be ended.
inline long WaitExit(Program* p, DWORD dwMs = 20000) {
  long iCode = -1;
  if (WaitForSingleObject(p->pi.hProcess, dwMs) == WAIT_OBJECT_0) {
    DWORD dw = 1;
    GetExitCodeProcess(p->pi.hProcess, &dw);
    iCode = static_cast<long>(dw);
  } else {
    TerminateProcess(p->pi.hProcess, 1);
    WaitForSingleObject(p->pi.hProcess, 5000);
  }
  CloseHandle(p->pi.hThread);
  CloseHandle(p->pi.hProcess);
  p->pi = PROCESS_INFORMATION{};
  return iCode;
}

// The command the program executed last and its parameter (test hooks).
inline int LastCommand(const Program& p) {
  return static_cast<int>(reinterpret_cast<intptr_t>(GetPropA(p.hMain, "HoromiraCommand")));
}
inline long LastParam(const Program& p) {
  return static_cast<long>(reinterpret_cast<intptr_t>(GetPropA(p.hMain, "HoromiraParam")));
}

// Post: a command posted to the main window (what opens may be modal).
inline void Post(const Program& p, int iCommand, LPARAM lParam = 0) {
  PostMessageA(p.hMain, WM_COMMAND, iCommand, lParam);
}
// Idle: waits until the program has nothing left to paint (at most 2 s).
inline void Idle(const Program& p) {
  const DWORD dwStart = GetTickCount();
  for (;;) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(p.hMain, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &r);
    if (!GetUpdateRect(p.hMain, nullptr, FALSE) || GetTickCount() - dwStart > 2000) return;
    Sleep(20);
  }
}

// Command: sent to the main window; returns when the command is done, or
// after 250 ms when it waits for the user (a box or a dialog it opened),
// and then when the window is painted.
inline void Command(const Program& p, int iCommand, LPARAM lParam = 0) {
  DWORD_PTR r = 0;
  if (SendMessageTimeoutA(p.hMain, WM_COMMAND, iCommand, lParam, SMTO_NORMAL, 250, &r)) Idle(p);
}

// WaitForCommand: waits until the program has taken a command (what was
// posted before it is done then).
inline bool WaitForCommand(const Program& p, int iCommand, DWORD dwMs = kWaitMs) {
  const DWORD dwStart = GetTickCount();
  while (LastCommand(p) != iCommand) {
    if (GetTickCount() - dwStart >= dwMs) return false;
    Sleep(50);
  }
  Settle(p.hMain, 100);
  return true;
}

// Sync: a marker (test command 59007, asking the state of a menu item that
// does not exist) posted behind everything sent to the program so far; true
// once the program has taken it, which it does from its main loop or from
// the loop of any box it shows.  Only that command leaves the property
// HoromiraMenuState, so commands the program posts to itself after it do
// not hide it (a marker that stops an animation is known by the command
// recorded last).  False when the window is gone or the marker was not taken
// in time.
inline bool Sync(const Program& p, DWORD dwMs = 30000) {
  static LPARAM s_marker = 0;
  const LPARAM marker = 4000 + (s_marker++ % 6000);  // no command of the menu has such a number
  RemovePropA(p.hMain, "HoromiraMenuState");
  if (!p.hMain || !PostMessageA(p.hMain, WM_COMMAND, 59007, marker)) return false;
  const DWORD dwStart = GetTickCount();
  // A marker that stops an animation is only recorded, not run.
  while (!GetPropA(p.hMain, "HoromiraMenuState") && (LastCommand(p) != 59007 || LastParam(p) != marker)) {
    if (Ended(p) || !IsWindow(p.hMain) || GetTickCount() - dwStart >= dwMs) return false;
    Sleep(20);
  }
  return true;
}

inline std::string Part(const Program& p, int i) { return StatusPartText(p.pi.hProcess, p.hStatus, i); }

// WaitForStatus: waits until status part 0 shows the text (what a message
// the program posted to itself has put there).
inline bool WaitForStatus(const Program& p, const std::string& sText, DWORD dwMs = kWaitMs) {
  const DWORD dwStart = GetTickCount();
  while (Part(p, 0) != sText) {
    if (GetTickCount() - dwStart >= dwMs) return false;
    Sleep(50);
  }
  Idle(p);
  return true;
}

inline void Foreground(const Program& p) {
  SetForegroundWindow(p.hMain);
  Sleep(50);
  Idle(p);
}

// Chord: a real key press with modifiers held (VK_SHIFT, VK_CONTROL);
// returns when the program has taken it.  Key: the same without modifiers.
inline void Chord(const Program& p, std::initializer_list<WORD> mods, WORD vk) {
  for (WORD m : mods) SendKey(m, false);
  SendKey(vk, false);
  SendKey(vk, true);
  for (WORD m : mods) SendKey(m, true);
  Sleep(150);  // the input reaches the program's queue
  Idle(p);
}
inline void Key(const Program& p, WORD vk) { Chord(p, {}, vk); }

// Boxes and dialogs of the program.
inline HWND WaitForAppBox(const Program& p, const char* szHeading, DWORD dwMs = kWaitMs) {
  return WaitForDialog(p.Pid(), [&](HWND h) { return ItemText(h, 256) == szHeading; }, dwMs);
}
inline HWND WaitForMessageBox(const Program& p, const char* szPart, DWORD dwMs = kWaitMs) {
  return WaitForDialog(
      p.Pid(), [&](HWND h) { return MessageBoxText(h).find(szPart) != std::string::npos; }, dwMs);
}
inline HWND WaitForCaption(const Program& p, const std::string& sCaption, DWORD dwMs = kWaitMs) {
  return WaitForDialog(p.Pid(), [&](HWND h) { return SentText(h) == sCaption; }, dwMs);
}

// Answer: waits for a box or dialog, presses a button, waits until it is
// gone.  Returns false (and notes the failure) when it did not appear.
inline bool Answer(const Program& p, HWND hBox, int iButton, const char* szWhat) {
  if (!ExpectTrue(szWhat, hBox != nullptr)) return false;
  ClickButton(hBox, iButton);
  WaitGone(hBox, kWaitMs);
  Idle(p);
  return true;
}

// The common open or save dialog of the program (its file-name field is
// control 0x47c, or 0x480 in the older layout); null when none came.
inline HWND FileNameField(HWND hDlg) { return GetDlgItem(hDlg, 0x47c) ? GetDlgItem(hDlg, 0x47c) : GetDlgItem(hDlg, 0x480); }
inline HWND FileDialog(const Program& p, DWORD dwMs = kWaitMs) {
  return WaitForDialog(p.Pid(), [](HWND h) { return FileNameField(h) != nullptr; }, dwMs);
}
// TypeFileName: a path typed into the file dialog's name field.
inline void TypeFileName(HWND hDlg, const std::string& sPath) {
  SendMessageW(FileNameField(hDlg), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide932(sPath).c_str()));
}
// ChooseFile: a path typed into the file dialog and accepted; returns when
// the dialog is gone.
inline void ChooseFile(const Program& p, HWND hDlg, const std::string& sPath) {
  TypeFileName(hDlg, sPath);
  ClickButton(hDlg, IDOK);
  WaitGone(hDlg, kWaitMs);
  Settle(p.hMain);
}

// The lines of one of the program's own boxes (heading 256, lines 257..259).
inline std::string BoxLines(HWND hBox) {
  return ItemText(hBox, 256) + "/" + ItemText(hBox, 257) + "/" + ItemText(hBox, 258) + "/" + ItemText(hBox, 259);
}

// Closes every dialog box the process shows.
inline void CloseDialogs(const Program& p) {
  for (HWND h : ProcessDialogs(p.Pid())) PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
  for (HWND h : ProcessDialogs(p.Pid())) PostMessageA(h, WM_CLOSE, 0, 0);
  Settle(p.hMain);
}

// SetText: an edit of a dialog of the program gets a text, as typed.
inline void SetText(HWND hDlg, int iId, const std::string& s) {
  SendMessageW(GetDlgItem(hDlg, iId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide932(s).c_str()));
}
// Tick: a check box of a dialog of the program is checked and the dialog
// told, as after a click.
inline void TickBox(HWND hDlg, int iId) {
  HWND h = GetDlgItem(hDlg, iId);
  SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(iId, BN_CLICKED), reinterpret_cast<LPARAM>(h));
}
// SelectRow: a list row of a dialog of the program selected.
inline void SelectRow(HWND hDlg, int iId, int iRow) { SendDlgItemMessageA(hDlg, iId, LB_SETCURSEL, iRow, 0); }
inline int RowCount(HWND hDlg, int iId) { return static_cast<int>(SendDlgItemMessageA(hDlg, iId, LB_GETCOUNT, 0, 0)); }
// The text of a list row, asked in UTF-16 (the system copies it across
// the processes in that form) and given back in code page 932.
inline std::string RowText(HWND hDlg, int iId, int iRow) {
  HWND hList = GetDlgItem(hDlg, iId);
  const LRESULT n = SendMessageW(hList, LB_GETTEXTLEN, iRow, 0);
  if (n <= 0 || n > 2000) return "";
  wchar_t wsz[2048] = L"";
  SendMessageW(hList, LB_GETTEXT, iRow, reinterpret_cast<LPARAM>(wsz));
  char sz[4096] = "";
  WideCharToMultiByte(932, 0, wsz, -1, sz, sizeof sz, nullptr, nullptr);
  return sz;
}
// TypeTypicalPerson: her time and name typed into the time-and-name
// dialog and OK pressed (the place dialog follows, titled with her name).
inline void TypeTypicalPerson(HWND hTime) {
  const char* kFields[] = {"1985", "4", "12", "9", "30"};
  for (int i = 0; i < 5; ++i) SetText(hTime, 2201 + i, kFields[i]);
  SetText(hTime, 2209, "山田花子");
  ClickButton(hTime, IDOK);
}

// The tool bar's and the menu's states.  A menu lives in its program's
// memory: its item's state is asked from the program (test hook 59007,
// which leaves GetMenuState of the item in a window property).
inline bool ButtonChecked(const Program& p, int iCommand) {
  return SendMessageA(p.hBar, TB_ISBUTTONCHECKED, iCommand, 0) != 0;
}
inline UINT MenuItemState(const Program& p, int iCommand) {
  RemovePropA(p.hMain, "HoromiraMenuState");
  Command(p, 59007, iCommand);
  return static_cast<UINT>(reinterpret_cast<uintptr_t>(GetPropA(p.hMain, "HoromiraMenuState")));
}
inline bool ItemChecked(const Program& p, int iCommand) { return (MenuItemState(p, iCommand) & MF_CHECKED) != 0; }
inline bool ItemGrey(const Program& p, int iCommand) {
  return (MenuItemState(p, iCommand) & (MF_GRAYED | MF_DISABLED)) != 0;
}

// The plain text on the clipboard.
inline std::string ClipboardText() {
  std::string s;
  for (int iTry = 0; iTry < 20 && !OpenClipboard(nullptr); ++iTry) Sleep(50);
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* psz = static_cast<const char*>(GlobalLock(h))) {
      s = psz;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return s;
}
// The Unicode text on the clipboard, as CP932.
inline std::string ClipboardUnicodeText() {
  std::string s = "<none>";
  for (int iTry = 0; iTry < 20 && !OpenClipboard(nullptr); ++iTry) Sleep(50);
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* pw = static_cast<const wchar_t*>(GlobalLock(h))) {
      s = Cp932(pw);
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return s;
}

// CopyChart: command 30000, or Ctrl+C pressed (bKey); the box that reports
// it is read and closed.  Returns the clipboard's text; *psLines the box's
// lines.
inline std::string CopyChart(const Program& p, std::string* psLines = nullptr, bool bKey = false) {
  if (bKey) {
    Foreground(p);
    Chord(p, {VK_CONTROL}, 'C');
    ExpectEqual("Ctrl+C sends 30000", LastCommand(p), 30000);
  } else {
    Post(p, 30000);
  }
  HWND hBox = WaitForAppBox(p, "下記のデータをクリップボードへ送りました");
  if (!ExpectTrue("the box 下記のデータをクリップボードへ送りました", hBox != nullptr)) return "<no box>";
  if (psLines) *psLines = BoxLines(hBox);
  const std::string s = ClipboardText();
  ExpectBytes("the Unicode text on the clipboard is the same text", ClipboardUnicodeText(), s);
  Answer(p, hBox, 6, "the clipboard box closes");
  return s;
}

}  // namespace horomap

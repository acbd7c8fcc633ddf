// Driving the program's dialogs in-process, as a user would: the dialog
// function runs on the test's main thread while a second thread (the
// driver) finds its windows, types into edits, ticks boxes, clicks list
// rows and presses buttons, and answers the boxes that appear.
//
// Everything the driver does to a window goes through that window's thread
// (sent or posted messages), so the dialog's own procedure reacts exactly
// as to the user.  Buttons are pressed with posted clicks, so that a box
// the press opens never blocks the driver.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "readings/help_texts.h"
#include "wine_common.h"

constexpr DWORD kDialogTimeoutMs = 20000;

// "ΩΡΟΜΙΡΑ", the caption of the program's boxes, in code page 932.
inline const std::string& ProgramCaption() {
  static const std::string s = "\x83\xb6\x83\xaf\x83\xad\x83\xaa\x83\xa7\x83\xaf\x83\x9f";
  return s;
}

// AwaitDialog: the visible dialog of this process with the caption; the
// test is abandoned when none appears in time.
inline HWND AwaitDialog(const std::string& sCaption, const char* szWhat) {
  HWND h = WaitForWindow("#32770", sCaption.c_str(), GetCurrentProcessId(), kDialogTimeoutMs);
  if (!h) Abandon((std::string(szWhat) + ": no window captioned as expected").c_str());
  return h;
}

// AwaitClosed: waits until the window is gone.
inline void AwaitClosed(HWND h, const char* szWhat) {
  const DWORD dwStart = GetTickCount();
  while (IsWindow(h) && IsWindowVisible(h)) {
    if (GetTickCount() - dwStart > kDialogTimeoutMs) Abandon((std::string(szWhat) + ": window stays open").c_str());
    Sleep(20);
  }
}

// NoBoxFor: true when no box with the program's caption appears within the
// time.
inline bool NoBoxFor(DWORD dwMs) {
  return WaitForWindow("#32770", ProgramCaption().c_str(), GetCurrentProcessId(), dwMs) == nullptr;
}

// Type: replaces an edit's text as typed (select all, then the new text
// replaces the selection, as typing or pasting does).
inline void Type(HWND hDlg, int iId, const std::string& sText) {
  HWND hEdit = GetDlgItem(hDlg, iId);
  SendMessageA(hEdit, EM_SETSEL, 0, -1);
  SendMessageA(hEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(sText.c_str()));
}

// Click: presses a button (posted: what the press opens may be modal).
inline void Click(HWND hDlg, int iId) { PostMessageA(GetDlgItem(hDlg, iId), BM_CLICK, 0, 0); }

// Tick: clicks a check box or a radio button and returns when the dialog
// has reacted (sent: the program's boxes open no window).
inline void Tick(HWND hDlg, int iId) { SendMessageA(GetDlgItem(hDlg, iId), BM_CLICK, 0, 0); }

inline bool Enabled(HWND hDlg, int iId) { return IsWindowEnabled(GetDlgItem(hDlg, iId)) != FALSE; }
inline bool Checked(HWND hDlg, int iId) {
  return SendDlgItemMessageA(hDlg, iId, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Combo boxes (drop-down lists): Choose selects a row as the user's pick
// does (the dialog is told CBN_SELCHANGE; sent, it has reacted on return).
inline int ComboSelection(HWND hDlg, int iId) {
  return static_cast<int>(SendDlgItemMessageA(hDlg, iId, CB_GETCURSEL, 0, 0));
}
inline int ComboCount(HWND hDlg, int iId) { return static_cast<int>(SendDlgItemMessageA(hDlg, iId, CB_GETCOUNT, 0, 0)); }
inline std::string ComboRow(HWND hDlg, int iId, int iRow) {
  char sz[512] = "";
  SendDlgItemMessageA(hDlg, iId, CB_GETLBTEXT, iRow, reinterpret_cast<LPARAM>(sz));
  return sz;
}
inline void Choose(HWND hDlg, int iId, int iRow) {
  HWND hCombo = GetDlgItem(hDlg, iId);
  SendMessageA(hCombo, CB_SETCURSEL, iRow, 0);
  SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(iId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hCombo));
}

// FocusedId: the id of the control of a dialog that has the keyboard focus
// (the dialog runs on another thread), or -1.
inline int FocusedId(HWND hDlg) {
  GUITHREADINFO gti{};
  gti.cbSize = sizeof gti;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(hDlg, nullptr), &gti) || !gti.hwndFocus) return -1;
  return IsChild(hDlg, gti.hwndFocus) ? GetDlgCtrlID(gti.hwndFocus) : -1;
}

// List boxes.
inline int ListCount(HWND hDlg, int iId) { return static_cast<int>(SendDlgItemMessageA(hDlg, iId, LB_GETCOUNT, 0, 0)); }
inline int ListSelection(HWND hDlg, int iId) {
  return static_cast<int>(SendDlgItemMessageA(hDlg, iId, LB_GETCURSEL, 0, 0));
}
inline std::string ListRow(HWND hDlg, int iId, int iRow) {
  char sz[512] = "";
  SendDlgItemMessageA(hDlg, iId, LB_GETTEXT, iRow, reinterpret_cast<LPARAM>(sz));
  return sz;
}

// ClickRow: a row of a list box chosen as a click chooses it, and with
// bDouble accepted as a double click accepts it (which may ask: posted).
// The dialog gets the list's own notifications for that row, so that what
// it acts on never depends on where the row stood on the screen when the
// click arrived (a list that scrolled meanwhile would put another row
// there).
inline void ClickRow(HWND hDlg, int iId, int iRow, bool bDouble) {
  HWND hList = GetDlgItem(hDlg, iId);
  SendMessageW(hList, LB_SETTOPINDEX, iRow, 0);
  SendMessageW(hList, LB_SETCURSEL, iRow, 0);
  SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(iId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(hList));
  if (bDouble) PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(iId, LBN_DBLCLK), reinterpret_cast<LPARAM>(hList));
}

// PressF1: the help request F1 makes over a control.
inline void PressF1(HWND hDlg, int iId) {
  HWND hCtl = GetDlgItem(hDlg, iId);
  RECT rc{};
  GetWindowRect(hCtl, &rc);
  HELPINFO hi{};
  hi.cbSize = sizeof hi;
  hi.iContextType = HELPINFO_WINDOW;
  hi.iCtrlId = iId;
  hi.hItemHandle = hCtl;
  hi.MousePos = POINT{rc.left + 2, rc.top + 2};
  DWORD_PTR dw;
  SendMessageTimeoutA(hDlg, WM_HELP, 0, reinterpret_cast<LPARAM>(&hi), SMTO_NORMAL, kDialogTimeoutMs, &dw);
}

// Box: the texts of one of the program's own boxes (heading 256, lines
// 257..259) or of a system message box (its caption and text).
struct ShownBoxTexts {
  std::string sCaption;
  std::string sHeading, sLines[3];
  std::string sText;  // system message box: the text
};

inline ShownBoxTexts ReadBox(HWND hBox) {
  ShownBoxTexts b;
  b.sCaption = WindowText(hBox);
  b.sHeading = ControlText(hBox, 256);
  for (int i = 0; i < 3; ++i) b.sLines[i] = ControlText(hBox, 257 + i);
  b.sText = ControlText(hBox, 0xFFFF);  // the static of a system message box
  return b;
}

// AnswerBox: waits for a box with the caption, reads it, presses iButton
// and waits until it is gone.  Returns what it showed.
inline ShownBoxTexts AnswerBox(const std::string& sCaption, int iButton, const char* szWhat) {
  HWND hBox = AwaitDialog(sCaption, szWhat);
  Sleep(50);  // its texts are set while it opens
  ShownBoxTexts b = ReadBox(hBox);
  Click(hBox, iButton);
  AwaitClosed(hBox, szWhat);
  return b;
}

// RunWithDriver: runs the dialog function on this thread while the driver
// runs on a second one; returns the dialog function's result.
template <typename Result>
Result RunWithDriver(const std::function<Result()>& dialog, const std::function<void()>& driver) {
  std::thread t(driver);
  const Result r = dialog();
  t.join();
  return r;
}

// ExpectFairy: the fairy window ("親切な妖精") shows the help, title
// (control 256) and text (257); it is closed afterwards with its button
// "閉じる".
inline void ExpectFairy(const FairyHelp& help, const char* szWhat) {
  HWND h = AwaitDialog("親切な妖精", szWhat);
  const DWORD dwStart = GetTickCount();
  while (ControlText(h, 256) != help.szTitle && GetTickCount() - dwStart < kDialogTimeoutMs) Sleep(20);
  ExpectBytes((std::string(szWhat) + ": the fairy's title").c_str(), ControlText(h, 256), help.szTitle);
  ExpectBytes((std::string(szWhat) + ": the fairy's text").c_str(), ControlText(h, 257), help.szText);
  Click(h, 2);
  AwaitClosed(h, szWhat);
}

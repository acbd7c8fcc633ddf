// The one seam where the program's texts meet Windows.
//
// Every text the program keeps is Shift-JIS (code page 932): the records,
// the files, the engine's texts, the resource ids' names.  Windows is given
// them as UTF-16 through the W functions, converted from code page 932
// here, and what Windows gives back is converted to code page 932 here.  So
// the program shows and reads Japanese alike whatever the system's code page
// is: 932 on a Japanese Windows, 1252 on a Western one, 65001 where UTF-8 is
// the system's.  Nothing outside this seam converts.
#pragma once

#include <windows.h>

#include <string>

// WideFromSjis: a Shift-JIS text (n bytes, or up to its NUL when n is -1)
// as UTF-16.
std::wstring WideFromSjis(const char* sz, int n = -1);

// SjisFromWide: UTF-16 (n characters, or up to its NUL when n is -1) as
// Shift-JIS.  Returns false when a character has no Shift-JIS form; *pOut
// then holds '?' in its place.
bool SjisFromWide(const wchar_t* wsz, std::string* pOut, int n = -1);

// The text of a window or control as Shift-JIS ('?' for a character that
// has none).
std::string WindowTextSjis(HWND hWnd);

// The W calls for Shift-JIS texts.
BOOL SetWindowTextSjis(HWND hWnd, const char* szText);
BOOL SetDlgItemTextSjis(HWND hDlg, int iId, const char* szText);
int MessageBoxSjis(HWND hOwner, const char* szText, const char* szTitle, UINT uStyle);
// A string item of a list box (LB_ADDSTRING, LB_INSERTSTRING with iIndex
// >= 0) or of a combo box (CB_ADDSTRING); returns the message's result.
LRESULT AddListStringSjis(HWND hList, const char* szText, int iIndex = -1);
LRESULT AddComboStringSjis(HWND hCombo, const char* szText);
// The filter of a file dialog (pairs of texts, each ending with a NUL, the
// whole with a second NUL) in UTF-16.
std::wstring WideFilterFromSjis(const char* szFilter);

// A menu item with a Shift-JIS text.
BOOL AppendMenuSjis(HMENU hMenu, UINT uFlags, UINT_PTR uId, const char* szText);

// The box that refuses such a path: its first line is the path ('?' for
// what cannot be shown), then these two.
extern const char kUnusableNameLine1[];  // "この名前には、ホロミラが扱えない文字が"
extern const char kUnusableNameLine2[];  // "含まれています (シフトJISにない文字)"

// PathFromWide: a path Windows gave (a file dialog, the command line, a
// folder) as Shift-JIS into szOut (cbOut bytes).  Returns false, with szOut
// empty, when the path has a character without a Shift-JIS form or does not
// fit: such a path is refused, never cut or changed.
bool PathFromWide(const wchar_t* wszPath, char* szOut, size_t cbOut);

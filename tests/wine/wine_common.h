// Helpers of the Wine tests: finding windows with a timeout, reading their
// texts, checks that print what differed, and the screenshot handshake with
// run.sh.
#pragma once

#include <windows.h>

#include <cstdio>

#include <string>
#include <utility>
#include <vector>

// Waits up to dwTimeoutMs for a top-level window with the given class and
// caption (null: any) that belongs to process dwProcessId (0: any).
// Returns null when none appeared in time.
HWND WaitForWindow(const char* szClass, const char* szTitle, DWORD dwProcessId, DWORD dwTimeoutMs);

// The tests' texts are code page 932, as the program's; the program's
// windows hold UTF-16, which is read with the W functions and converted
// here, whatever the code page of the system the tests run on.
std::string Cp932(const wchar_t* wsz, int n = -1);
std::wstring Wide932(const std::string& s);

// Window and control texts (read in UTF-16, given as CP932 bytes).
std::string WindowText(HWND hWnd);
std::string ControlText(HWND hDlg, int iId);

// Files by a CP932 path (the names the program writes, such as
// "出生ﾃﾞｰﾀ.Bd5", mean the same whatever the system's code page).
FILE* OpenFile932(const std::string& sPath, const char* szMode);
bool FileExists932(const std::string& sPath);

// The code page the tests expect the system to have: 932, or the one
// run.sh names in HORO_EXPECT_ACP for the run in another locale.
UINT ExpectedAnsiCodePage();

// The push buttons of a dialog (group boxes, check and radio boxes left
// out), as (id, text) in child order.
std::vector<std::pair<int, std::string>> PushButtons(HWND hDlg);

// True when the dialog has a static icon control showing an icon.
bool HasIcon(HWND hDlg);

// Checks; each prints "ok   what" or "FAIL what ..." and counts failures.
// Byte strings are printed in hex when they differ.
bool ExpectTrue(const char* szWhat, bool bOk);
bool ExpectEqual(const char* szWhat, long long iGot, long long iWant);
bool ExpectBytes(const char* szWhat, const std::string& sGot, const std::string& sWant);

// Prints the verdict of a test program and returns its exit code (0 when
// every check passed).
int Finish(const char* szTestName);

// Stops the whole test at once (a hung modal box cannot be left otherwise):
// prints the reason and ends the process with exit code 1.
[[noreturn]] void Abandon(const char* szWhy);

// Waits until a window of another process has painted: its thread has
// answered a message and neither it nor its children have anything left to
// paint; then gives the display a moment.  False when it did not settle
// within dwTimeoutMs.
bool WaitForPainted(HWND hWnd, DWORD dwTimeoutMs);

// Removes the .bd5 association of Horomap.exe from the registry, so that a
// start in a new folder is a first start (an association left by another
// test would point at a folder without settings and bring up the warning).
void RemoveFileAssociation();

// Where the program keeps its association: the classes of the user
// (HKEY_CURRENT_USER), which HKEY_CLASSES_ROOT shows on Windows; Wine does
// not merge the two, so the tests read this key.
constexpr char kUserClasses[] = "Software\\Classes\\";

// Sets the client area of a top-level window to iWidth x iHeight pixels.
void SetClientSize(HWND hWnd, int iWidth, int iHeight);

// The pixels of a window's client area as the screen shows them, row by
// row, as 0x00rrggbb.  Empty when they could not be read.
struct ClientPixels {
  int iWidth = 0, iHeight = 0;
  std::vector<DWORD> rgb;
  DWORD At(int x, int y) const { return rgb[static_cast<size_t>(y) * iWidth + x]; }
  // Fraction (0..1) of the pixels of exactly this colour.
  double Share(DWORD dwRgb) const;
};
ClientPixels ReadClientPixels(HWND hWnd);
constexpr DWORD Rgb(int r, int g, int b) { return static_cast<DWORD>(r << 16 | g << 8 | b); }

// Screenshot handshake with run.sh.  Creates <szDir>\<szName>.ready, then
// waits up to dwTimeoutMs for <szDir>\<szName>.done, which run.sh writes
// after taking the screenshot.  Does nothing when szDir is null or empty.
void AwaitScreenshot(const char* szDir, const char* szName, DWORD dwTimeoutMs);

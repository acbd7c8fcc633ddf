// The boxes: the data confirmation box (modeless, on "AppMessageBox"), the
// version box ("VersionDB"), the quotation box ("VuzerazDB") and the box
// without buttons ("NoButtonDB").
#include <cstdio>
#include <cstring>

#include "dialogs/dialog_support.h"
#include "dialogs/dialogs.h"
#include "entry/entry_rules.h"
#include "platform/platform.h"
#include "platform/resource_ids.h"
#include "time/timescale.h"

namespace {

// --- Data confirmation box --------------------------------------------------------

// Controls of the own message box: the heading and the three lines, and its
// three buttons.
constexpr int kIdYes = IDYES;

HWND g_hConfirm = nullptr;
// The person of the last box as entered, with the chart computed from it:
// what "は い" files and "訂正" reopens, whatever other commands did to the
// working record while the box waited.
BirthRecord g_confirmPerson{};
ChartRecord g_confirmChart{};

void CloseConfirmBox(HWND hBox) {
  DestroyWindow(hBox);
  if (g_hConfirm == hBox) g_hConfirm = nullptr;
}

void OnInitConfirm(HWND hBox, const BirthRecord* pRec) {
  SetDlgItemTextA(hBox, IDC_APPBOX_HEADING, "これでよろしいですか？");
  SetDlgItemTextA(hBox, IDC_APPBOX_LINE1, pRec->szName);
  SetDlgItemTextA(hBox, IDC_APPBOX_LINE2, TimeToStr(&pRec->time));
  SetDlgItemTextA(hBox, IDC_APPBOX_LINE3, pRec->szBirthPlace);
  SetDlgItemTextA(hBox, IDC_CONFIRM_CORRECT, "訂正 (&R)");
}

// Any button closes the box; "は い" hands the held chart to the main
// window, "訂正" reopens the time-and-name dialog on the held person.
void OnConfirmButton(HWND hBox, int iId) {
  HWND hMain = GetWindow(hBox, GW_OWNER);
  CloseConfirmBox(hBox);
  if (!hMain) return;
  if (iId == kIdYes) PostMessageA(hMain, kMsgNewRecord, 0, reinterpret_cast<LPARAM>(&g_confirmChart));
  if (iId == IDC_CONFIRM_CORRECT) PostMessageA(hMain, WM_COMMAND, IDM_NEW_DATA, kTimeEntryEditRecord);
}

INT_PTR HandleConfirm(HWND hBox, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_INITDIALOG: OnInitConfirm(hBox, reinterpret_cast<const BirthRecord*>(lParam)); return TRUE;
    case WM_HELP: ShowFairyHelp(hBox, kConfirmHelp); return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kIdYes:
        case IDC_CONFIRM_CORRECT:
        case IDCANCEL: OnConfirmButton(hBox, LOWORD(wParam)); return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

INT_PTR CALLBACK DataConfirmDFunc(HWND hBox, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return GuardedDialogMessage("DataConfirmDFunc", HandleConfirm, hBox, uMsg, wParam, lParam);
}

// --- Version box ------------------------------------------------------------------

// The root of the drive of a folder ("C:\", "\\server\share\"), whose free
// space the box shows.
void DriveRoot(const char* szFolder, char* szRoot, size_t cbRoot) {
  snprintf(szRoot, cbRoot, "%s", szFolder);
  if (szRoot[0] && szRoot[1] == ':') {
    if (cbRoot > 3) szRoot[2] = '\\', szRoot[3] = '\0';
    return;
  }
  // A UNC path: "\\server\share\".
  int nSeparators = 0;
  for (size_t i = 0; szRoot[i]; ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(szRoot[i])) && szRoot[i + 1]) {
      ++i;
      continue;
    }
    if (szRoot[i] == '\\' && ++nSeparators == 4) {
      szRoot[i + 1] = '\0';
      return;
    }
  }
  strncat(szRoot, "\\", cbRoot - strlen(szRoot) - 1);
}

int CurrentOsIndex() {
  OSVERSIONINFOA vi{};
  vi.dwOSVersionInfoSize = sizeof vi;
  if (!GetVersionExA(&vi)) return 3;
  return VersionOsIndex(static_cast<int>(vi.dwMajorVersion), static_cast<int>(vi.dwMinorVersion),
                        vi.dwPlatformId == VER_PLATFORM_WIN32_NT);
}

void OnInitVersion(HWND hDlg) {
  char szLine[400];
  VersionOsLine(CurrentOsIndex(), szLine, sizeof szLine);
  SetDlgItemTextA(hDlg, IDC_VERSION_OS, szLine);

  char szFolder[MAX_PATH + 1] = "";
  GetCurrentDirectoryA(sizeof szFolder, szFolder);
  VersionFolderLine(szFolder, szLine, sizeof szLine);
  SetDlgItemTextA(hDlg, IDC_VERSION_FOLDER, szLine);

  FormatBuildDate(szLine, sizeof szLine, __DATE__, __TIME__);
  SetDlgItemTextA(hDlg, IDC_VERSION_BUILD, szLine);

  char szRoot[MAX_PATH + 2];
  DriveRoot(szFolder, szRoot, sizeof szRoot);
  DWORD dwSectorsPerCluster = 0, dwBytesPerSector = 0, dwFreeClusters = 0, dwClusters = 0;
  GetDiskFreeSpaceA(szRoot, &dwSectorsPerCluster, &dwBytesPerSector, &dwFreeClusters, &dwClusters);
  // The line names the working folder; the free space is asked of its
  // drive's root, which every Windows answers.
  VersionFreeSpaceLine(szFolder, FreeMegabytes(dwSectorsPerCluster, dwBytesPerSector, dwFreeClusters), szLine,
                       sizeof szLine);
  SetDlgItemTextA(hDlg, IDC_VERSION_SPACE, szLine);
  SetDlgItemTextA(hDlg, IDC_VERSION_SPACE2, kVersionFreeSpaceLine2);
}

INT_PTR HandleVersion(HWND hDlg, UINT uMsg, WPARAM, LPARAM) {
  switch (uMsg) {
    case WM_INITDIALOG: OnInitVersion(hDlg); return TRUE;
    case WM_COMMAND: EndDialog(hDlg, 0); return TRUE;  // any button closes it
  }
  return FALSE;
}

INT_PTR CALLBACK VersionDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return GuardedDialogMessage("VersionDFunc", HandleVersion, hDlg, uMsg, wParam, lParam, kDialogEnds, 0);
}

// --- Quotation box ------------------------------------------------------------------

INT_PTR HandleQuotation(HWND hDlg, UINT uMsg, WPARAM, LPARAM) {
  switch (uMsg) {
    case WM_INITDIALOG:
      SetWindowTextA(hDlg, kQuotationTitle);
      for (int i = 0; i < kQuotationCount; ++i) SetDlgItemTextA(hDlg, IDC_BOX_LINE1 + i, kQuotationTexts[i]);
      return TRUE;
    case WM_COMMAND: EndDialog(hDlg, 0); return TRUE;  // any command closes it
  }
  return FALSE;
}

INT_PTR CALLBACK VuzerazDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return GuardedDialogMessage("VuzerazDFunc", HandleQuotation, hDlg, uMsg, wParam, lParam, kDialogEnds, 0);
}

// --- Box without buttons ----------------------------------------------------------------

constexpr DWORD kNoButtonBoxMs = 3000;

INT_PTR CALLBACK NoButtonDFunc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

HWND ShowDataConfirmBox(const BirthRecord& rec, const ChartRecord& chart) {
  if (g_hConfirm) CloseConfirmBox(g_hConfirm);
  g_confirmPerson = rec;
  g_confirmChart = chart;
  g_hConfirm = CreateDialogParamA(DialogInstance(), "AppMessageBox", static_cast<HWND>(PlatformMainWindow()),
                                  DataConfirmDFunc, reinterpret_cast<LPARAM>(&g_confirmPerson));
  if (!g_hConfirm) return nullptr;
  ShowWindow(g_hConfirm, SW_SHOW);
  return g_hConfirm;
}

HWND DataConfirmBox() { return g_hConfirm; }

const BirthRecord& ConfirmedPerson() { return g_confirmPerson; }

void ShowVersionBox(HWND hOwner) { DialogBoxParamA(DialogInstance(), "VersionDB", hOwner, VersionDFunc, 0); }

void ShowQuotationBox(HWND hOwner) { DialogBoxParamA(DialogInstance(), "VuzerazDB", hOwner, VuzerazDFunc, 0); }

HWND ShowNoButtonBox(const char* szLine1, const char* szLine2, const char* szLine3, int bTimed) {
  HWND hBox = CreateDialogParamA(DialogInstance(), "NoButtonDB", nullptr, NoButtonDFunc, 0);
  if (!hBox) return nullptr;
  const char* const pszLines[3] = {szLine1, szLine2, szLine3};
  for (int i = 0; i < 3; ++i) {
    if (pszLines[i]) SetDlgItemTextA(hBox, IDC_BOX_LINE1 + i, pszLines[i]);
  }
  ShowWindow(hBox, SW_SHOWNOACTIVATE);
  UpdateWindow(hBox);
  if (!bTimed) return hBox;
  // The thread waits while the box is on the screen, as at start-up.
  Sleep(kNoButtonBoxMs);
  DestroyWindow(hBox);
  return nullptr;
}

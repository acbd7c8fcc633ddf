// The fairy window ("FairyDB") and the popup window ("HelpDB"): two
// modeless text windows over the main window.
#include "shell/aux_windows.h"

#include "platform/reports.h"
#include "platform/win32/exception_guard.h"
#include "readings/help_texts.h"
#include "readings/readings.h"
#include "shell/command_dispatch.h"
#include "shell/logic/shell_logic.h"
#include "shell/shell.h"

namespace {

HWND g_hFairy = nullptr;
HWND g_hPopup = nullptr;
int g_iPopupCommand = 0;
int g_iLastFairySituation = -1;  // the hint shown last, for the repeat notice
bool g_bFairyF1Shown = false;    // "追加情報なし" is shown once per run in each window
bool g_bPopupF1Shown = false;

const COLORREF kFairyTextColor = RGB(0, 128, 192);
const COLORREF kPopupTextColor = RGB(0, 128, 0);
const COLORREF kLightGrey = RGB(192, 192, 192);

HBRUSH LightGreyBrush() {
  static const HBRUSH hBrush = CreateSolidBrush(kLightGrey);
  return hBrush;
}

// The text control in its colours on light grey.
INT_PTR TextColours(HDC hdc, COLORREF crText) {
  SetTextColor(hdc, crText);
  SetBkColor(hdc, kLightGrey);
  return reinterpret_cast<INT_PTR>(LightGreyBrush());
}

// Neither window can be resized or maximized.
void DisableSizing(HWND hDlg) {
  const HMENU hSys = GetSystemMenu(hDlg, FALSE);
  EnableMenuItem(hSys, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(hSys, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
}

// Puts a window at a place of its owner's client area (pixels from the
// top-left corner; a negative x counts from the right edge).
void PlaceOnOwner(HWND hDlg, HWND hOwner, int x, int y) {
  RECT rcOwner, rcDlg;
  GetClientRect(hOwner, &rcOwner);
  GetWindowRect(hDlg, &rcDlg);
  POINT pt{x >= 0 ? x : rcOwner.right + x - (rcDlg.right - rcDlg.left), y};
  ClientToScreen(hOwner, &pt);
  SetWindowPos(hDlg, nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// F1 inside a window that has nothing more to say, once per run.
void NoMoreInformation(HWND hDlg, bool* pbShown) {
  if (*pbShown) return;
  *pbShown = true;
  ReportBox(hDlg, kNoMoreInformation, kMbOk | kMbIconInformation);
}

INT_PTR FairyMessages(HWND hDlg, UINT uMsg, WPARAM wParam) {
  switch (uMsg) {
    case WM_INITDIALOG: DisableSizing(hDlg); return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: return TextColours(reinterpret_cast<HDC>(wParam), kFairyTextColor);
    case WM_HELP: NoMoreInformation(hDlg, &g_bFairyF1Shown); return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kIdFairyIndex: SendMessageA(GetWindow(hDlg, GW_OWNER), WM_COMMAND, IDM_HELP_INDEX, 0); return TRUE;
        case kIdFairyClose: DestroyWindow(hDlg); return TRUE;  // also Esc (IDCANCEL is 2)
      }
      break;
    case WM_CLOSE: DestroyWindow(hDlg); return TRUE;
    case WM_DESTROY:
      if (g_hFairy == hDlg) g_hFairy = nullptr;
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK FairyDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM) {
  return RunReported(hDlg, "FairyDFunc", [&] { return FairyMessages(hDlg, uMsg, wParam); });
}

// The popup window's button A: for the character reading the aspect
// reading follows, for today's fortune the character reading; otherwise
// the quick menu and the fairy close too.
void PopupButtonA(HWND hMain, int iCommand) {
  if (iCommand == IDM_READING) {
    PostMessageA(hMain, WM_COMMAND, IDM_ASPECT_READING, 0);
  } else if (iCommand == IDM_FORTUNE) {
    PostMessageA(hMain, WM_COMMAND, IDM_READING, 0);
  } else {
    CloseQuickMenu(hMain, MainAppState());
    CloseFairyWindow();
  }
}

// More information about the popup's text: the aspect help for the aspect
// windows, else "追加情報なし" once.
void PopupMoreInformation(HWND hDlg) {
  if (g_iPopupCommand == IDM_ASPECTS || g_iPopupCommand == IDM_ASPECT_READING) {
    FairyMessage(GetWindow(hDlg, GW_OWNER), "アスペクトとは ...", kAspectHelpText);
  } else {
    NoMoreInformation(hDlg, &g_bPopupF1Shown);
  }
}

INT_PTR PopupMessages(HWND hDlg, UINT uMsg, WPARAM wParam) {
  const HWND hMain = GetWindow(hDlg, GW_OWNER);
  switch (uMsg) {
    case WM_INITDIALOG: DisableSizing(hDlg); return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: return TextColours(reinterpret_cast<HDC>(wParam), kPopupTextColor);
    case WM_HELP:
    case kMsgMoreInformation: PopupMoreInformation(hDlg); return TRUE;
    case WM_COMMAND: {
      const int iCommand = g_iPopupCommand;
      switch (LOWORD(wParam)) {
        case kIdPopupClose:
        case IDCANCEL:
          DestroyWindow(hDlg);
          if (g_hFairy) SetFocus(GetDlgItem(g_hFairy, kIdFairyIndex));
          return TRUE;
        case kIdPopupButtonA:
          DestroyWindow(hDlg);
          PopupButtonA(hMain, iCommand);
          return TRUE;
        case kIdPopupButtonB:
          DestroyWindow(hDlg);
          PostMessageA(hMain, WM_COMMAND, iCommand, kParamFromPopup);
          return TRUE;
      }
      break;
    }
    case WM_CLOSE: DestroyWindow(hDlg); return TRUE;
    case WM_DESTROY:
      if (g_hPopup == hDlg) {
        g_hPopup = nullptr;
        g_iPopupCommand = 0;
      }
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK PopupDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM) {
  return RunReported(hDlg, "PopupDFunc", [&] { return PopupMessages(hDlg, uMsg, wParam); });
}

// Places of the two windows on the main window's client area.
constexpr int kFairyRight = -12;  // from the right edge
constexpr int kPopupLeft = 12;
constexpr int kAuxTop = 40;       // below the tool bar

}  // namespace

HWND FairyWindow() { return g_hFairy; }
HWND PopupWindow() { return g_hPopup; }
int PopupCommand() { return g_iPopupCommand; }

int FairyMessage(HWND hOwner, const char* szTitle, const char* szText) {
  CloseFairyWindow();
  g_hFairy = CreateDialogParamA(g_hInstance, "FairyDB", hOwner, FairyDFunc, 0);
  if (!g_hFairy) return ReportPlaceKind("FairyMessage", "!CreateDialog", 0);
  SetDlgItemTextA(g_hFairy, kIdFairyTitle, szTitle);
  SetDlgItemTextA(g_hFairy, kIdAuxText, szText);
  PlaceOnOwner(g_hFairy, hOwner, kFairyRight, kAuxTop);
  ShowWindow(g_hFairy, SW_SHOW);
  SetFocus(GetDlgItem(g_hFairy, kIdAuxText));
  return 1;
}

int SetPopupWindow(HWND hOwner, int iCommand, const char* szTitle, const char* szText, const char* szButton2,
                   int bButton2Enabled) {
  ClosePopupWindow();
  g_iPopupCommand = iCommand;
  g_hPopup = CreateDialogParamA(g_hInstance, "HelpDB", hOwner, PopupDFunc, iCommand);
  if (!g_hPopup) {
    g_iPopupCommand = 0;
    return ReportPlaceKind("SetPopupWindow", "!CreateDialog", 0);
  }
  SetWindowTextA(g_hPopup, szTitle);
  SetDlgItemTextA(g_hPopup, kIdAuxText, szText);
  if (iCommand == IDM_READING) SetDlgItemTextA(g_hPopup, kIdPopupButtonA, "詳細 [A]");
  if (iCommand == IDM_FORTUNE) SetDlgItemTextA(g_hPopup, kIdPopupButtonA, "出生図 [A]");
  const HWND hButton2 = GetDlgItem(g_hPopup, kIdPopupButtonB);
  if (!bButton2Enabled) {
    EnableWindow(hButton2, FALSE);
  } else if (szButton2) {
    SetWindowTextA(hButton2, szButton2);
  }
  PlaceOnOwner(g_hPopup, hOwner, kPopupLeft, kAuxTop);
  ShowWindow(g_hPopup, SW_SHOW);
  SetFocus(GetDlgItem(g_hPopup, kIdAuxText));
  return 1;
}

void CloseFairyWindow() {
  if (g_hFairy) DestroyWindow(g_hFairy);
}

void ClosePopupWindow() {
  if (g_hPopup) DestroyWindow(g_hPopup);
}

void FairyCommand(HWND hWnd, const ChartSlots* pSlots, const AppState* lpAb) {
  if (g_hFairy) {
    CloseFairyWindow();
    return;
  }
  if (g_hPopup) {
    SendMessageA(g_hPopup, kMsgMoreInformation, 0, 0);
    return;
  }
  const int iSituation = ChooseFairySituation(*pSlots, (lpAb->bState0 & kState0DefaultPerson) != 0,
                                              (lpAb->bState2 & kState2DoubleChart) != 0);
  const bool bRepeat = iSituation == g_iLastFairySituation;
  g_iLastFairySituation = iSituation;
  char szText[8192];
  FormatFairyText(szText, sizeof szText, iSituation, bRepeat);
  FairyMessage(hWnd, FairyHintTitle(iSituation), szText);
}

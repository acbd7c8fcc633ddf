// The tool bar with its tooltips, the status bar, the caption, and the menus
// and buttons kept in step with the chart state.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "platform/reports.h"
#include "platform/win32/win32_text.h"
#include "shell/aux_windows.h"
#include "shell/clock_thread.h"
#include "shell/logic/shell_logic.h"
#include "shell/main_window.h"
#include "shell/shell.h"

namespace {

constexpr int kProgramImages = 25;  // images in the program's tool-bar bitmap
constexpr int kStatusParts = 3;

// The text handed to the tooltip: it must live until the next request.
std::wstring g_wsTipText;

void AddButtons(HWND hBar, int iStdBase, int iOwnBase) {
  TBBUTTON buttons[kToolbarEntryCount] = {};
  for (int i = 0; i < kToolbarEntryCount; ++i) {
    TBBUTTON& b = buttons[i];
    const int iCommand = kToolbarCommands[i];
    if (iCommand == 0) {
      b.fsStyle = TBSTYLE_SEP;
      continue;
    }
    const int iImage = ToolbarImage(iCommand);
    b.iBitmap = iImage < 0 ? iStdBase + (iImage == kToolbarImageOpen ? STD_FILEOPEN : STD_FILENEW) : iOwnBase + iImage;
    b.idCommand = iCommand;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = iCommand >= IDM_VIEW_CHART && iCommand <= IDM_VIEW_DOUBLE ? TBSTYLE_CHECKGROUP : TBSTYLE_BUTTON;
  }
  SendMessageW(hBar, TB_ADDBUTTONSW, kToolbarEntryCount, reinterpret_cast<LPARAM>(buttons));
}

HWND CreateToolbar(HWND hWnd, HINSTANCE hInstance) {
  const HWND hBar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0, 0,
                                    hWnd, reinterpret_cast<HMENU>(IDC_TOOLBAR), hInstance, nullptr);
  if (!hBar) return nullptr;
  SendMessageW(hBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBADDBITMAP std{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
  const int iStdBase = static_cast<int>(SendMessageW(hBar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&std)));
  TBADDBITMAP own{hInstance, IDB_TOOLBAR};
  const int iOwnBase =
      static_cast<int>(SendMessageW(hBar, TB_ADDBITMAP, kProgramImages, reinterpret_cast<LPARAM>(&own)));
  AddButtons(hBar, iStdBase, iOwnBase);
  SendMessageW(hBar, TB_AUTOSIZE, 0, 0);
  return hBar;
}

const ChartRecord* ShownChart(const ChartSlots* pSlots) { return &pSlots->charts[ShownSlotIndex(*pSlots)]; }

void CheckButton(HWND hBar, int iCommand, bool b) {
  SendMessageW(hBar, TB_CHECKBUTTON, iCommand, MAKELPARAM(b ? TRUE : FALSE, 0));
}
void CheckItem(HMENU hMenu, int iCommand, bool b) {
  CheckMenuItem(hMenu, iCommand, MF_BYCOMMAND | (b ? MF_CHECKED : MF_UNCHECKED));
}
void EnableItem(HMENU hMenu, int iCommand, bool b) {
  EnableMenuItem(hMenu, iCommand, MF_BYCOMMAND | (b ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

int CreateBars(HWND hWnd, AppState* lpAb) {
  lpAb->hToolbar = CreateToolbar(hWnd, lpAb->hInstance);
  if (!lpAb->hToolbar) ReportFatal("ﾂｰﾙﾊﾞｰが作れません");
  lpAb->hStatus = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                                  0, 0, hWnd, reinterpret_cast<HMENU>(IDC_STATUSBAR), lpAb->hInstance, nullptr);
  if (!lpAb->hToolbar || !lpAb->hStatus) {
    return ReportFatal("ツールバーまたはステータスウィンドウを生成できません");
  }
  RECT rc;
  GetClientRect(hWnd, &rc);
  LayoutBars(lpAb, rc.right);
  return 1;
}

void LayoutBars(AppState* lpAb, int iClientWidth) {
  if (lpAb->hToolbar) SendMessageW(lpAb->hToolbar, TB_AUTOSIZE, 0, 0);
  if (!lpAb->hStatus) return;
  int edges[kStatusParts];
  StatusBarEdges(iClientWidth, edges);
  SendMessageW(lpAb->hStatus, SB_SETPARTS, kStatusParts, reinterpret_cast<LPARAM>(edges));
  SendMessageW(lpAb->hStatus, WM_SIZE, 0, 0);  // the bar puts itself at the bottom, full width
}

void SetStatusMessage(const AppState* lpAb, const char* szText) {
  if (lpAb->hStatus) {
    SendMessageW(lpAb->hStatus, SB_SETTEXTW, kStatusMessage | SBT_NOBORDERS,
                 reinterpret_cast<LPARAM>(WideFromSjis(szText).c_str()));
  }
}

void ShowChartStatus(AppState* lpAb, ChartSlots* pSlots) {
  SetStatusMessage(lpAb, ShownChart(pSlots)->szTitle);
  lpAb->bState1 &= static_cast<uint8_t>(~kState1Tooltip);
}

LRESULT OnToolbarNotify(AppState* lpAb, const ChartSlots* pSlots, NMHDR* pHdr) {
  if (pHdr->code != TTN_GETDISPINFOA && pHdr->code != TTN_GETDISPINFOW) return 0;
  const ToolbarTextState st{pSlots->iCurKind, FairyWindow() != nullptr, QuickMenuVisible()};
  char szTip[128], szStatus[256];
  const int iKnown = ToolbarTexts(static_cast<int>(pHdr->idFrom), st, szTip, sizeof szTip, szStatus, sizeof szStatus);
  static char s_szTip[128];  // for a tooltip that asks in code page 932
  memcpy(s_szTip, szTip, sizeof s_szTip);
  g_wsTipText = WideFromSjis(szTip);
  if (pHdr->code == TTN_GETDISPINFOA) {
    reinterpret_cast<NMTTDISPINFOA*>(pHdr)->lpszText = s_szTip;
  } else {
    reinterpret_cast<NMTTDISPINFOW*>(pHdr)->lpszText = &g_wsTipText[0];
  }
  if (iKnown) {
    SetStatusMessage(lpAb, szStatus);
    lpAb->bState1 |= kState1Tooltip;
  }
  return 0;
}

void SyncMenuAndToolbar(AppState* lpAb, const ChartSlots* pSlots) {
  const MenuState m = ComputeMenuState(*pSlots, lpAb->bState0, lpAb->bState1, lpAb->bState2, QuickMenuVisible());
  const HMENU hMenu = lpAb->hMenu;
  const HWND hBar = lpAb->hToolbar;
  CheckItem(hMenu, IDM_QUICK_MENU, m.bQuickMenu);
  EnableItem(hMenu, IDM_RESTORE_TIME, m.bRestoreTime);
  CheckMenuRadioItem(hMenu, IDM_VIEW_CHART, IDM_VIEW_DOUBLE, m.iViewCommand, MF_BYCOMMAND);
  CheckButton(hBar, m.iViewCommand, true);
  const struct {
    int iToolbar, iMenu;
    bool b;
  } kPairs[] = {
      {IDM_NATAL, IDM_NATAL, m.bNatal},         {IDM_PROGRESSED, IDM_PROGRESSED, m.bProgressed},
      {IDM_TRANSIT, IDM_TRANSIT, m.bTransit},   {IDM_HARMONIC_TB, IDM_HARMONIC, m.bHarmonic},
      {IDM_RETURN_TB, IDM_RETURN, m.bSolarReturn}, {IDM_DOUBLE_MODE, IDM_DOUBLE_MODE, m.bDoubleChartMode},
  };
  for (const auto& p : kPairs) {
    CheckButton(hBar, p.iToolbar, p.b);
    CheckItem(hMenu, p.iMenu, p.b);
  }
  EnableItem(hMenu, IDM_UNDO, m.bUndo);
}

void UpdateChartFrame(HWND hWnd, AppState* lpAb, ChartSlots* pSlots) {
  char szCaption[512];
  FormatCaption(szCaption, sizeof szCaption, kMainTitle, ShownChart(pSlots)->szTitle, lpAb->files.szCaptionFile);
  SetWindowTextSjis(hWnd, szCaption);
  ShowChartStatus(lpAb, pSlots);
  if (pSlots->iViewMode != kViewDouble) RequestClockDate(lpAb);
  SyncMenuAndToolbar(lpAb, pSlots);
}

void ShowRightButtonMenu(HWND hWnd, int xScreen, int yScreen) {
  const HMENU hPopup = CreatePopupMenu();
  if (!hPopup) return;
  AppendMenuSjis(hPopup, MF_STRING, IDM_FROM_FILE, "データ呼び出し(&B)");
  AppendMenuSjis(hPopup, MF_SEPARATOR, 0, nullptr);
  AppendMenuSjis(hPopup, MF_STRING, IDM_NEW_DATA, "新規データ(&N)");
  AppendMenuSjis(hPopup, MF_SEPARATOR, 0, nullptr);
  AppendMenuSjis(hPopup, MF_STRING, IDM_EXIT, "終了(&X)");
  TrackPopupMenu(hPopup, TPM_LEFTBUTTON, xScreen, yScreen, 0, hWnd, nullptr);
  DestroyMenu(hPopup);
}

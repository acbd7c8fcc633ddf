// The two modal lists on "HelpListDB": the help index (HelpListDF) and the
// popup list (PopupListDFunc).
#include <cstdio>

#include "platform/platform.h"
#include "platform/reports.h"
#include "platform/win32/exception_guard.h"
#include "readings/help_texts.h"
#include "shell/aux_windows.h"
#include "shell/shell.h"

namespace {

// The list boxes of the two list dialogs while they are open: each its own,
// so that the one closing never forgets the other, and "さくいん" focuses
// only the help index.
HWND g_hTopicList = nullptr;
HWND g_hPopupList = nullptr;
int g_iLastHelpId = 0;
bool g_bIndexF1Shown = false;

constexpr int kListExtent = 1200;  // horizontal extent of the popup list, pixels

HWND ListOf(HWND hDlg) { return GetDlgItem(hDlg, IDC_LIST); }

int Selection(HWND hDlg) { return static_cast<int>(SendMessageA(ListOf(hDlg), LB_GETCURSEL, 0, 0)); }

void AddEntry(HWND hList, const char* szText, int iResult) {
  const LRESULT i = SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(szText));
  SendMessageA(hList, LB_SETITEMDATA, i, iResult);
}

// --- Help index ---------------------------------------------------------------------

void FillHelpIndex(HWND hDlg) {
  SetWindowTextA(hDlg, kHelpIndexTitle);
  SetDlgItemTextA(hDlg, IDC_LIST_SHOW, "表 示");
  SetDlgItemTextA(hDlg, IDC_LIST_CLOSE, "閉じる");
  const HWND hList = ListOf(hDlg);
  for (int i = 0; i < kHelpTopicCount; ++i) {
    SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(HelpTopicTitle(i)));
  }
  SendMessageA(hList, LB_SETCURSEL, g_iLastHelpId, 0);
  g_hTopicList = hList;
}

// "表 示" or a double-click: the chosen topic in the popup window (asking
// first when the popup window shows something else).
void ShowChosenTopic(HWND hDlg) {
  const int iTopic = Selection(hDlg);
  if (iTopic < 0 || iTopic >= kHelpTopicCount) {
    ReportPlaceKind("HelpListDF", "iLastHelpIdの値が設定外", 0);
    return;
  }
  g_iLastHelpId = iTopic;
  const HWND hMain = GetWindow(hDlg, GW_OWNER);
  if (PopupWindow() &&
      ReportBox(hDlg, "ウィザードウィンドウがすでに使われています。その内容をクリアしてよろしいですか？",
                kMbYesNo | kMbIconQuestion) != kIdYes) {
    EndDialog(hDlg, IDOK);
    return;
  }
  const int iCommand = static_cast<int>(GetWindowLongPtrA(hDlg, DWLP_USER));
  EndDialog(hDlg, IDOK);
  SetPopupWindow(hMain, iCommand, HelpTopicTitle(iTopic), HelpTopicText(iTopic), nullptr, 0);
}

INT_PTR HelpIndexMessages(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
      FillHelpIndex(hDlg);
      return TRUE;
    case WM_HELP:
      if (!g_bIndexF1Shown) {
        g_bIndexF1Shown = true;
        ReportBox(hDlg, kHelpIndexF1Text, kMbOk | kMbIconInformation);
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_LIST_SHOW || (LOWORD(wParam) == IDC_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
        ShowChosenTopic(hDlg);
        return TRUE;
      }
      if (LOWORD(wParam) == IDC_LIST_CLOSE) {
        if (FairyWindow()) SetFocus(GetDlgItem(FairyWindow(), kIdFairyClose));
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
      }
      break;
    case WM_DESTROY: g_hTopicList = nullptr; return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK HelpListDF(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return RunReported(hDlg, "HelpListDF", [&] { return HelpIndexMessages(hDlg, uMsg, wParam, lParam); });
}

// --- Popup list ------------------------------------------------------------------------

const char* PersonOf(const ChartSlots* pSlots) {
  return pSlots->charts[pSlots->bCurSlot < kNumChartSlots ? pSlots->bCurSlot : 0].natal.szName;
}

void FillPopupList(HWND hDlg, const ChartSlots* pSlots) {
  SetWindowTextA(hDlg, "表示項目を選んでください");
  SetDlgItemTextA(hDlg, IDC_LIST_SHOW, "えらぶ");
  SetDlgItemTextA(hDlg, IDC_LIST_CLOSE, "閉じる");
  const HWND hList = ListOf(hDlg);
  SendMessageA(hList, LB_SETHORIZONTALEXTENT, kListExtent, 0);
  char sz[512];
  LocalClock now;
  PlatformLocalTime(&now);
  snprintf(sz, sizeof sz, "最近のこよみ - %d年%d月%d日%d時%d分 JST", now.year, now.month, now.day, now.hour,
           now.minute);
  AddEntry(hList, sz, IDM_ALMANAC);
  AddEntry(hList, "エフェメリス (精密天体暦)", IDM_EPHEMERIS);
  AddEntry(hList, "星座の境目の時刻", IDM_INGRESS);
  AddEntry(hList, "節入りの時刻", IDM_SOLAR_TERMS);
  AddEntry(hList, "月が星座を変わる時刻", IDM_MOON_SIGNS);
  const char* szPerson = PersonOf(pSlots);
  snprintf(sz, sizeof sz, "占い - %s", szPerson);
  AddEntry(hList, sz, IDM_READING);
  snprintf(sz, sizeof sz, "細密占い - アスペクト - %s", szPerson);
  AddEntry(hList, sz, IDM_ASPECT_READING);
  snprintf(sz, sizeof sz, "きょうの運勢 - %s", szPerson);
  AddEntry(hList, sz, IDM_FORTUNE);
  for (int i = 0; i < kNumChartSlots; ++i) {
    const ChartRecord& c = pSlots->charts[i];
    snprintf(sz, sizeof sz, "詳細データ(%d) - %s : %s", i + 1, c.szTitle, c.szTimeLine);
    AddEntry(hList, sz, i);
  }
  AddEntry(hList, "春分図・夏至図・秋分図・冬至図", IDM_SEASON);
  AddEntry(hList, "拡張データ: プラシーダスハウス / 月に関する拡張データ", IDM_EXTENDED);
  SendMessageA(hList, LB_SETCURSEL, 0, 0);
  g_hPopupList = hList;
}

INT_PTR PopupListMessages(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_INITDIALOG: FillPopupList(hDlg, reinterpret_cast<const ChartSlots*>(lParam)); return TRUE;
    case WM_HELP: FairyMessage(GetWindow(hDlg, GW_OWNER), kPopupListHelp.szTitle, kPopupListHelp.szText); return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_LIST_SHOW || (LOWORD(wParam) == IDC_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
        const int i = Selection(hDlg);
        EndDialog(hDlg, i < 0 ? -1 : SendMessageA(ListOf(hDlg), LB_GETITEMDATA, i, 0));
        return TRUE;
      }
      if (LOWORD(wParam) == IDC_LIST_CLOSE) {
        EndDialog(hDlg, -1);
        return TRUE;
      }
      break;
    case WM_DESTROY: g_hPopupList = nullptr; return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK PopupListDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return RunReported(hDlg, "PopupListDFunc", [&] { return PopupListMessages(hDlg, uMsg, wParam, lParam); });
}

}  // namespace

HWND HelpTopicListBox() { return g_hTopicList; }
HWND PopupListBox() { return g_hPopupList; }
int LastHelpId() { return g_iLastHelpId; }

void HelpIndexCommand(HWND hWnd) {
  if (g_hTopicList) {
    SetFocus(g_hTopicList);
    return;
  }
  DialogBoxParamA(g_hInstance, "HelpListDB", hWnd, HelpListDF, IDM_HELP_INDEX);
}

int PopupListCommand(HWND hWnd, const ChartSlots* pSlots) {
  const INT_PTR r = DialogBoxParamA(g_hInstance, "HelpListDB", hWnd, PopupListDFunc, reinterpret_cast<LPARAM>(pSlots));
  return static_cast<int>(r);
}

// The main window's life: creation, the initial file, closing with an
// untitled file, the exit sequence and the acceptance of a new record.
#include <cstring>
#include <string>

#include "chart/chart_slots.h"
#include "chart/chart_text.h"
#include "chart/houses.h"
#include "persistence/data_file.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "platform/reports.h"
#include "platform/win32/exception_guard.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "readings/help_texts.h"
#include "shell/aux_windows.h"
#include "shell/clock_thread.h"
#include "shell/command_dispatch.h"
#include "shell/gdi_canvas.h"
#include "shell/main_window.h"
#include "shell/shell.h"

namespace {

// The size factor of the drawing: the width in pixels of a 20-character
// sample of the system fixed font x 0.00625 (1 for the usual 8-pixel font).
constexpr float kScalePerSamplePixel = 0.00625f;
const wchar_t kScaleSample[] = L"00000000000000000000";

constexpr int kTitlePageMs = 3000;

float MeasureScale(HWND hWnd) {
  const HDC hdc = GetDC(hWnd);
  SIZE size{};
  {
    SelectedObject sel(hdc, SystemFixedFont());
    GetTextExtentPoint32W(hdc, kScaleSample, static_cast<int>(wcslen(kScaleSample)), &size);
  }
  ReleaseDC(hWnd, hdc);
  return size.cx * kScalePerSamplePixel;
}

// The radio items of the settings: background, house system (equal at
// every start), orb and start-up mode.
void CheckSettingsItems(HMENU hMenu, const SystemIniInf* pSii) {
  CheckMenuRadioItem(hMenu, IDM_BACK_FIRST, IDM_BACK_LAST, IDM_BACK_FIRST + pSii->bBackColor, MF_BYCOMMAND);
  CheckMenuRadioItem(hMenu, IDM_HOUSE_EQUAL, IDM_HOUSE_ARIES, IDM_HOUSE_EQUAL, MF_BYCOMMAND);
  CheckMenuRadioItem(hMenu, IDM_ORB_FIRST, IDM_ORB_LAST, IDM_ORB_FIRST - 3 + pSii->bOrb, MF_BYCOMMAND);
  CheckMenuRadioItem(hMenu, IDM_TITLE_PAGE, IDM_FAST_START,
                     (pSii->bFlags & kSiiFlagTitlePage) ? IDM_TITLE_PAGE : IDM_FAST_START, MF_BYCOMMAND);
}

// The file menu gets a separator and the recent files.
void AddRecentFilesToMenu(HMENU hMenu, SystemIniInf* pSii) {
  AppendMenuW(GetSubMenu(hMenu, 0), MF_SEPARATOR, 0, nullptr);
  RebuildRecentMenu(pSii, hMenu);
}

int AllocateBlocks(AppState* lpAb) {
  lpAb->hVirtualFile = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(BirthTable));
  lpAb->hEntryBlock = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, kEntryBlockBytes);
  lpAb->lpLogPal =
      static_cast<LOGPALETTE*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, kPaletteDescBytes));
  return lpAb->hVirtualFile && lpAb->hEntryBlock && lpAb->lpLogPal ? 1 : 0;
}

// The main window's handle in the data-entry block and in the birth-data
// table (as a 32-bit image there: the table's layout is fixed).
void StoreWindowInBlocks(HWND hWnd, AppState* lpAb) {
  if (char* p = static_cast<char*>(LocalLock(lpAb->hEntryBlock))) {
    memcpy(p + kEntryBlockMainWindowOffset, &hWnd, sizeof hWnd);
    LocalUnlock(lpAb->hEntryBlock);
  }
  if (BirthTable* pTable = LockBirthTable(lpAb)) {
    pTable->dwMainWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hWnd));
    UnlockBirthTable(lpAb);
  }
}

// The file opened at start: the command-line argument, the sample file at
// the first run, else the current file of the settings (asking what to do
// when it cannot be read).
void OpenInitialFile(const char* szArgument, bool bRefused, SystemIniInf* pSii, AppState* lpAb) {
  BirthTable* pTable = LockBirthTable(lpAb);
  if (!pTable) return;
  if (bRefused) {
    // A name the program cannot keep: refused as a file that cannot be read.
    AppOkMsg(lpAb->hWnd, "エラー", szArgument, kUnusableNameLine1, kUnusableNameLine2);
  } else if (szArgument && szArgument[0]) {
    if (OpenByArgument(szArgument, pSii, &lpAb->files, pTable, lpAb->hMenu) == kFileClassBirthData) {
      lpAb->iOpenRequest = kOpenRequestList;
    }
  } else if (pSii->iStartCount == 1) {
    CreateSampleFile(pSii, &lpAb->files, pTable, lpAb->hMenu);
  } else {
    char szPath[kPathFieldSize];
    memcpy(szPath, pSii->szDataFile, sizeof szPath);
    if (OpenByArgument(szPath, pSii, &lpAb->files, pTable, lpAb->hMenu) != kFileClassBirthData) {
      const int iAnswer = AppMsgBox(lpAb->hWnd, "出生データファイルを読み込めません ...", "自分でファイルの場所を指定しますか？",
                                    "   [いいえ]      →  ファイルを新規作成", "   [キャンセル]  →  読み込みを中止");
      if (iAnswer == kIdYes) lpAb->iOpenRequest = kOpenRequestAsk;
      if (iAnswer == kIdNo) CreateSampleFile(pSii, &lpAb->files, pTable, lpAb->hMenu);
    }
  }
  UnlockBirthTable(lpAb);
  // The previous file is the one the settings named, whether it was read
  // or not: closing an untitled file without rows returns to it.  An
  // untitled table at start has none before it.
  if (!IsUntitled(pSii)) {
    memcpy(lpAb->files.szPrevFile, pSii->szDataFile, sizeof lpAb->files.szPrevFile - 1);
    lpAb->files.szPrevFile[sizeof lpAb->files.szPrevFile - 1] = '\0';
  }
}

// Frees what the creation made (also after a failed creation).
void FreeEverything(HWND hWnd, AppState* lpAb) {
  DeleteMainWindowGdi(hWnd, lpAb);
  if (lpAb->hVirtualFile && LocalFree(lpAb->hVirtualFile)) {
    ReportErrorLines(hWnd, "LocalFree(lpAb->hVirtualFile)失敗", "WM_DESTORY");
  }
  lpAb->hVirtualFile = nullptr;
  if (lpAb->hEntryBlock) LocalFree(lpAb->hEntryBlock);
  lpAb->hEntryBlock = nullptr;
  if (lpAb->hdc) {
    ReportErrorLines(hWnd, "lpAb->hdc!=NULL", "WM_DESTROY");
    ReleaseDC(hWnd, lpAb->hdc);
    lpAb->hdc = nullptr;
  }
  DeleteMainPalette(hWnd, lpAb);
  if (lpAb->nAnimFrames) KillTimer(hWnd, kAnimationTimer);
  lpAb->bState1 &= static_cast<uint8_t>(~kState1Animating);
  StopClockThread(lpAb);
}

// The creation steps; 0 after a reported failure.
int CreateMainWindow(HWND hWnd, const char* szArgument, bool bRefused) {
  SystemIniInf* pSii = MainSettings();
  ChartSlots* pSlots = MainChartSlots();
  AppState* lpAb = MainAppState();
  if (!LoadSii(pSii, 1)) return 0;
  ResetChartSlots(pSlots);
  memset(lpAb, 0, sizeof *lpAb);
  lpAb->dHarmonic = 1.0;
  lpAb->view.HouseType = kHouseTypeEqualAsc;
  lpAb->bState0 = kState0Started;
  lpAb->bState1 = kState1EnterReleased;
  lpAb->fOrb = pSii->bOrb;
  PrepareFileDialog(&lpAb->files, hWnd);

  if (!hWnd) return ReportFatal("!hWnd in Set");
  lpAb->hMenu = GetMenu(hWnd);
  CheckSettingsItems(lpAb->hMenu, pSii);
  AddRecentFilesToMenu(lpAb->hMenu, pSii);
  if (!AllocateBlocks(lpAb)) return ReportFatal("メモリー不足です");

  lpAb->hWnd = hWnd;
  lpAb->hInstance = g_hInstance;
  if (!CreateBars(hWnd, lpAb)) return 0;
  if (!LoadChartBitmaps(lpAb)) return ReportFatal("ビットマップをロードできません");
  if (!lpAb->lpLogPal) return ReportFatal("!lpAb->lpLogPal in Set");
  if (!BuildPalette(hWnd, pSii, lpAb)) return 0;
  if (!CreatePens(lpAb)) return ReportFatal("メモリー不足です");

  if (pSii->bFlags & kSiiFlagTitlePage) PlatformShowTitlePage(kTitlePageLines, 3, kTitlePageMs);
  if (!StartClockThread(lpAb)) return ReportFatal("時計スレッドを生成できません");

  lpAb->view.fScale = MeasureScale(hWnd);
  lpAb->view.iBackColor = pSii->bBackColor;
  OpenInitialFile(szArgument, bRefused, pSii, lpAb);
  ShowDefaultPersonCharts(lpAb, pSlots, pSii);
  StoreWindowInBlocks(hWnd, lpAb);
  Win32SetMainWindow(hWnd);
  return 1;
}

}  // namespace

void ShowDefaultPersonCharts(AppState* lpAb, ChartSlots* pSlots, const SystemIniInf* pSii) {
  ComputeDefaultPersonCharts(pSii->defaultData, pSlots);
  lpAb->bState0 |= kState0FirstPaint | kState0DefaultPerson;
  lpAb->view.bFirstPaint = 1;
}

LRESULT OnCreate(HWND hWnd, const wchar_t* wszArgument) {
  std::string sArgument;
  const bool bRefused = !SjisFromWide(wszArgument, &sArgument);
  int iCreated = 0;
  CaughtException caught;
  if (!RunGuarded([&] { iCreated = CreateMainWindow(hWnd, sArgument.c_str(), bRefused); }, &caught)) {
    ReportFatal("WM_CREATEの処理中に例外が発生しました");
  }
  if (iCreated) return 0;
  FreeEverything(hWnd, MainAppState());
  Win32SetMainWindow(nullptr);
  return -1;
}

bool OnClose(HWND hWnd) {
  // A command still runs under its dialog (a close posted meanwhile): the
  // window and its blocks must outlive it, so the close is refused and the
  // dialog stays in front.
  if (Win32RunningCommands() > 0) {
    const HWND hPopup = GetLastActivePopup(hWnd);
    if (hPopup && hPopup != hWnd) SetForegroundWindow(hPopup);
    return false;
  }
  SystemIniInf* pSii = MainSettings();
  AppState* lpAb = MainAppState();
  BirthTable* pTable = LockBirthTable(lpAb);
  if (!pTable) return true;
  const bool bUntitled = IsUntitled(pSii);
  const int nRows = pTable->iNumData;
  UnlockBirthTable(lpAb);
  if (!bUntitled) return true;
  if (nRows > 0) {
    AskUntitledName(pSii);
    // "名前を付けて保存" with the closing marker destroys the window once the
    // rows are saved; a cancelled dialog keeps it open.
    SendMessageW(hWnd, WM_COMMAND, IDM_SAVE_AS, kParamClosing);
    return false;
  }
  if (AppOkCancelMsg(hWnd, "登録データのないファイル", "下記のファイルは保存しません", pSii->szDataFile, "") != kIdOk) {
    return false;
  }
  // The previous file becomes current again; it is on disk as it was last
  // written, and the table's rows are not its rows: nothing is written.
  if ((pTable = LockBirthTable(lpAb)) != nullptr) {
    LeaveUntitledFile(pSii, &lpAb->files, pTable);
    UnlockBirthTable(lpAb);
  }
  return true;
}

namespace {

// The table and the settings go to disk: at the end of the window and when
// the session ends without it.
void SaveEverything(HWND hWnd, SystemIniInf* pSii, AppState* lpAb) {
  if (BirthTable* pTable = LockBirthTable(lpAb)) {
    SaveAtExit(pSii, &lpAb->files, pTable, lpAb->hMenu);
    UnlockBirthTable(lpAb);
  }
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  RECT rc{};
  if (IsIconic(hWnd) && GetWindowPlacement(hWnd, &wp)) {
    rc = wp.rcNormalPosition;
  } else {
    GetWindowRect(hWnd, &rc);
  }
  SaveSettingsAtExit(pSii, WindowRect{rc.left, rc.top, rc.right, rc.bottom}, IsZoomed(hWnd) != 0,
                     (lpAb->bState2 & kState2Uninstalled) != 0);
}

}  // namespace

void OnDestroy(HWND hWnd) {
  SystemIniInf* pSii = MainSettings();
  AppState* lpAb = MainAppState();
  CloseFairyWindow();
  ClosePopupWindow();
  SaveEverything(hWnd, pSii, lpAb);
  FreeEverything(hWnd, lpAb);
  Win32SetMainWindow(nullptr);
  PostQuitMessage(0);
}

void OnEndSession(HWND hWnd, bool bEnding) {
  // Windows ends the process after this message, without WM_DESTROY.
  if (bEnding) SaveEverything(hWnd, MainSettings(), MainAppState());
}

void OnNewRecord(HWND hWnd, const ChartRecord* pConfirmed) {
  AppState* lpAb = MainAppState();
  ChartSlots* pSlots = MainChartSlots();
  if (pConfirmed) lpAb->chart = *pConfirmed;
  BirthRecord& entered = lpAb->chart.natal;
  if (entered.bSave) {
    if (BirthTable* pTable = LockBirthTable(lpAb)) {
      BirthRecord row = entered;
      if (FileNewRow(&row, pTable, MainSettings(), &lpAb->files) > 0) {
        entered.iDataNo = row.iDataNo;
        lpAb->chart.target.iDataNo = row.iDataNo;
      }
      UnlockBirthTable(lpAb);
    }
    entered.bSave = 0;
  } else {
    entered.iDataNo = -1;
  }
  const bool bDefaultPersonShown = (lpAb->bState0 & kState0DefaultPerson) != 0;
  KeepPreviousPerson(pSlots, (lpAb->bState2 & kState2DoubleChart) != 0);
  pSlots->iCurKind = kChartNatal;
  pSlots->bCurSlot = kSlotNatal;
  pSlots->charts[kSlotNatal] = lpAb->chart;
  pSlots->bDerived = 0;
  lpAb->iReturnAge = 0;
  if (bDefaultPersonShown && pSlots->iViewMode == kViewDouble) pSlots->iViewMode = kViewChart;
  lpAb->bState0 &= static_cast<uint8_t>(~kState0DefaultPerson);
  lpAb->bState1 &= static_cast<uint8_t>(~kState1Stepped);
  lpAb->bState0 |= kState0NewChart;
  SendMessageW(hWnd, WM_USER, 0, 0);
}

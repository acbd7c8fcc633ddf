// Entry point of Horomap.exe: registers the main window class, places and
// creates the main window, installs the keyboard hooks, loads the
// accelerators and runs the message loop until the main window is gone.
// "Horomap.exe /uninstall", run by the uninstaller, only removes the
// settings file and the association and ends (exit code 0 when done).
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "dialogs/dialog_support.h"
#include "dialogs/dialogs.h"
#include "persistence/association.h"
#include "persistence/settings.h"
#include "platform/reports.h"
#include "platform/win32/exception_guard.h"
#include "shell/aux_windows.h"
#include "shell/hooks.h"
#include "shell/logic/shell_logic.h"
#include "shell/shell.h"

const char kMainClassName[] = "Horomira5";
HINSTANCE g_hInstance = nullptr;

namespace {

HWND g_hMainWindow = nullptr;

// The class: redrawn on every resize, the program icons, the arrow cursor,
// no background brush (the window paints everything), the menu "Horomira5".
// Windows 95 and its successors outside the NT family take the extended
// class with the small icon; NT-family systems the plain class.
bool RegisterMainClass(HINSTANCE hInstance, bool bExtended) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = WindowProcedure;
  wc.hInstance = hInstance;
  wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_PROGRAM));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = nullptr;
  wc.lpszMenuName = kMainClassName;
  wc.lpszClassName = kMainClassName;
  if (bExtended) {
    wc.hIconSm = static_cast<HICON>(LoadImageA(hInstance, MAKEINTRESOURCEA(IDI_PROGRAM_SMALL), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_DEFAULTCOLOR));
    return RegisterClassExA(&wc) != 0;
  }
  WNDCLASSA plain = {wc.style, wc.lpfnWndProc, 0, 0, wc.hInstance, wc.hIcon, wc.hCursor, nullptr,
                     wc.lpszMenuName, wc.lpszClassName};
  return RegisterClassA(&plain) != 0;
}

// Checks the Windows version and registers the class; an old system is run
// only when the user says so.
bool RegisterByVersion(HINSTANCE hInstance) {
  const DWORD dwVersion = GetVersion();
  const int iMajor = LOBYTE(LOWORD(dwVersion));
  const bool bNt = (dwVersion & 0x80000000u) == 0;
  if (iMajor < 4 && AppMsgBox(nullptr, "Win3.1以下では動作しない可能性が", "あります。続行しますか？", "", "") != kIdYes) {
    return false;
  }
  return RegisterMainClass(hInstance, iMajor >= 4 && !bNt);
}

// Gives every message first to the program's modeless windows as a dialog
// message (the fairy window, the popup window, the data confirmation box and
// the wizard's page: a key pressed in one of them is its own, never a
// command of the main window), then to the accelerators; returns the quit
// code.
int RunMessageLoop(HWND hWnd, HACCEL hAccel) {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (FairyWindow() && IsDialogMessageA(FairyWindow(), &msg)) continue;
    if (PopupWindow() && IsDialogMessageA(PopupWindow(), &msg)) continue;
    if (DataConfirmBox() && IsDialogMessageA(DataConfirmBox(), &msg)) continue;
    if (WizardWindow() && IsDialogMessageA(WizardWindow(), &msg)) continue;
    if (IsWindow(hWnd) && TranslateAcceleratorA(hWnd, hAccel, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int RunProgram(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow) {
  g_hInstance = hInstance;
  if (IsQuietUninstallArgument(lpCmdLine)) return QuietUninstall() ? 0 : 1;
  SetDialogHelpPresenter(FairyMessage);
  if (!RegisterByVersion(hInstance)) return ReportFatal("ウィンドウクラスを登録できません");
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);

  std::unique_ptr<SystemIniInf> sii(new SystemIniInf());
  const StartPlacement place = ChooseStartPlacement(LoadSii(sii.get(), -1) != 0, *sii);
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, cx = CW_USEDEFAULT, cy = CW_USEDEFAULT;
  if (place.bStored) {
    x = place.x;
    y = place.y;
    cx = place.cx;
    cy = place.cy;
  }
  if (place.bMaximized) nCmdShow = SW_SHOWMAXIMIZED;

  // The command line is the window name: the creation handler takes it as
  // the file to open.  The quick menu's buttons are child windows the chart
  // view must not paint over.
  const HWND hWnd = CreateWindowExA(0, kMainClassName, lpCmdLine, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, cx,
                                    cy, nullptr, nullptr, hInstance, nullptr);
  if (!hWnd) return ReportFatal("ウィンドウが生成できません");
  if (!InstallHooks(hWnd)) {
    DestroyWindow(hWnd);
    return ReportFatal("フック関数を生成できません");
  }
  g_hMainWindow = hWnd;
  const HACCEL hAccel = LoadAcceleratorsA(hInstance, kMainClassName);
  if (!hAccel) {
    RemoveHooks();
    DestroyWindow(hWnd);
    return ReportFatal("アクセラレータをロードできません");
  }
  ShowWindow(hWnd, nCmdShow);
  UpdateWindow(hWnd);
  const int iCode = RunMessageLoop(hWnd, hAccel);
  RemoveHooks();
  return iCode;
}

}  // namespace

HWND MainWindow() { return g_hMainWindow; }

// A failed start shows its fatal box and ends with code 0.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
  InstallExceptionGuard();
  int iCode = 0;
  CaughtException caught;
  if (!RunGuarded([&] { iCode = RunProgram(hInstance, lpCmdLine, nCmdShow); }, &caught)) {
    RemoveHooks();
    ReportFatal("WinMainで例外が発生しました");
    return 0;
  }
  return iCode;
}

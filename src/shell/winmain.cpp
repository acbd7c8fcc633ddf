// Entry point of Horomap.exe: registers the main window class, creates the
// main window and runs the message loop until it is gone.
#include "platform/reports.h"
#include "platform/win32/win32_platform.h"
#include "shell/shell.h"

const char kMainClassName[] = "Horomira5";
HINSTANCE g_hInstance = nullptr;

namespace {

// Registers `Horomira5`: redrawn on every resize, the program icons, the
// arrow cursor and no background brush (the window paints everything).
bool RegisterMainClass(HINSTANCE hInstance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = WindowProcedure;
  wc.hInstance = hInstance;
  wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(kIdIconProgram));
  wc.hIconSm = static_cast<HICON>(
      LoadImageA(hInstance, MAKEINTRESOURCEA(kIdIconSmall), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = nullptr;
  wc.lpszClassName = kMainClassName;
  return RegisterClassExA(&wc) != 0;
}

// Gives every queued message to its window until the quit message; returns
// the quit code.
int RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

// A failed start shows its fatal box and ends with code 0.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
  g_hInstance = hInstance;
  if (!RegisterMainClass(hInstance)) return ReportFatal("ウィンドウクラスを登録できません");

  // The command line is the window name: the creation handler takes it as
  // the file to open.  The quick menu's buttons are child windows the chart
  // view must not paint over.
  HWND hWnd = CreateWindowExA(0, kMainClassName, lpCmdLine, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              hInstance, nullptr);
  if (!hWnd) return ReportFatal("ウィンドウが生成できません");
  Win32SetMainWindow(hWnd);

  ShowWindow(hWnd, nCmdShow);
  UpdateWindow(hWnd);
  return RunMessageLoop();
}

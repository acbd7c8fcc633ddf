// Start-up test of Horomap.exe: the program starts in a scratch directory,
// shows its main window of class Horomira5 with the program name as a CP932
// caption, and ends with exit code 0 after WM_CLOSE.
//
// Usage (as run.sh calls every test): test_startup HOROMAP_EXE WORK_DIR SHOT_DIR
// The program is copied into the empty WORK_DIR and started there; with
// SHOT_DIR, run.sh takes a screenshot while the window is up.
#include <cstdio>
#include <string>

#include "wine_common.h"

namespace {

constexpr DWORD kStartTimeoutMs = 30000;  // the first Wine start may be slow
constexpr DWORD kShotTimeoutMs = 15000;
constexpr DWORD kExitTimeoutMs = 15000;

// "ホロミラ" in code page 932, spelt out so that the check does not depend
// on the compiler's conversion of the literals.
const char kMainTitleCp932[] = "\x83\x7a\x83\x8d\x83\x7e\x83\x89";

// Starts the program with the scratch directory as its working directory;
// returns false when it cannot be started.
bool StartProgram(const std::string& sExe, const std::string& sDir, PROCESS_INFORMATION* pi) {
  std::string sCommand = "\"" + sExe + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  return CreateProcessA(sExe.c_str(), &sCommand[0], nullptr, nullptr, FALSE, 0, nullptr, sDir.c_str(),
                        &si, pi) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: test_startup HOROMAP_EXE WORK_DIR [SHOT_DIR]\n");
    return 2;
  }
  const std::string sDir = argv[2];
  const std::string sExe = sDir + "\\Horomap.exe";
  const char* szShotDir = argc > 3 ? argv[3] : nullptr;

  ExpectEqual("ANSI code page is 932", GetACP(), 932);
  if (!ExpectTrue("Horomap.exe copied into the work directory", CopyFileA(argv[1], sExe.c_str(), FALSE))) {
    return Finish("test_startup");
  }
  PROCESS_INFORMATION pi = {};
  if (!ExpectTrue("Horomap.exe starts", StartProgram(sExe, sDir, &pi))) return Finish("test_startup");

  HWND hWnd = WaitForWindow("Horomira5", nullptr, pi.dwProcessId, kStartTimeoutMs);
  if (ExpectTrue("main window of class Horomira5 is shown", hWnd != nullptr)) {
    ExpectBytes("caption is the program name in CP932", WindowText(hWnd), kMainTitleCp932);
    AwaitScreenshot(szShotDir, "startup", kShotTimeoutMs);
    PostMessageA(hWnd, WM_CLOSE, 0, 0);
  }

  const bool bEnded = WaitForSingleObject(pi.hProcess, kExitTimeoutMs) == WAIT_OBJECT_0;
  if (ExpectTrue("Horomap.exe ends after WM_CLOSE", bEnded)) {
    DWORD dwCode = 1;
    GetExitCodeProcess(pi.hProcess, &dwCode);
    ExpectEqual("exit code", static_cast<long long>(dwCode), 0);
  } else {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, kExitTimeoutMs);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return Finish("test_startup");
}

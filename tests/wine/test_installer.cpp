// The installer's whole road under Wine: Horomira-<version>-setup.exe
// (built beside Horomap.exe by the tree's `setup` target from
// packaging/horomira.nsi) installs for the user alone: silently (/S) into
// the user's own programs folder by default and out again; then into a
// folder with a blank and Japanese in its name, with its Start-menu entry,
// its uninstall entry (the user's) and the program's version resource; the installed program starts there
// as the Start-menu entry starts it, builds the sample file, registers the
// association and writes Horom.sii beside itself; the user keeps a .bd5 file
// of their own there; the silent uninstaller then lets the program remove
// its settings and association ("Horomap.exe /uninstall") and removes what
// it installed, leaving both .bd5 files and so the folder.  Screenshot:
// installed (the installed program's first start).
//
// Usage (as run.sh calls every test): test_installer HOROMAP_EXE WORK_DIR SHOT_DIR
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "base/version.h"
#include "wine_common.h"

namespace {

constexpr DWORD kSetupTimeoutMs = 120000;
constexpr DWORD kStartTimeoutMs = 60000;  // the title page and the first registration take 6 s
constexpr DWORD kPaintTimeoutMs = 15000;
constexpr DWORD kExitTimeoutMs = 15000;
constexpr DWORD kShotTimeoutMs = 15000;
constexpr DWORD kUninstallTimeoutMs = 60000;

const char kSetupName[] = "Horomira-" HORO_VERSION_TEXT "-setup.exe";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Horomira";
const char kSampleFile[] = "出生ﾃﾞｰﾀ.Bd5";
const char kUserFile[] = "家族.bd5";
// What the installer puts into its folder (the uninstaller itself apart).
const char* const kInstalledFiles[] = {"Horomap.exe", "README-ja.txt", "guide-ja.html", "docs\\default-person.svg",
                                       "docs\\first-start.png", "docs\\natal-placidus.png", "docs\\print-page.png"};

bool Exists(const std::string& sPath) { return FileExists932(sPath); }

long long FileSize(const std::string& sPath) {
  WIN32_FILE_ATTRIBUTE_DATA fad;
  if (!GetFileAttributesExW(Wide932(sPath).c_str(), GetFileExInfoStandard, &fad)) return -1;
  return (static_cast<long long>(fad.nFileSizeHigh) << 32) | fad.nFileSizeLow;
}

// Runs a command line in a folder and waits for it; returns its exit code,
// or -1 when it could not start or did not end in time.
long long RunAndWait(const std::string& sCommand, const std::string& sDir, DWORD dwTimeoutMs) {
  std::wstring wsLine = Wide932(sCommand);
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, &wsLine[0], nullptr, nullptr, FALSE, 0, nullptr, Wide932(sDir).c_str(), &si, &pi)) {
    return -1;
  }
  DWORD dwCode = static_cast<DWORD>(-1);
  if (WaitForSingleObject(pi.hProcess, dwTimeoutMs) == WAIT_OBJECT_0) {
    GetExitCodeProcess(pi.hProcess, &dwCode);
  } else {
    TerminateProcess(pi.hProcess, 1);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return dwCode == static_cast<DWORD>(-1) ? -1 : static_cast<long long>(dwCode);
}

// A registry value as text ("<no key>",
// "<no value>" when missing); trailing NULs dropped.
std::string RegText(HKEY hRoot, const char* szKey, const char* szValue) {
  HKEY hKey;
  if (RegOpenKeyExA(hRoot, szKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return "<no key>";
  char buf[1024] = {};
  DWORD cb = sizeof buf - 1, dwType = 0;
  const LONG r = RegQueryValueExA(hKey, szValue, nullptr, &dwType, reinterpret_cast<BYTE*>(buf), &cb);
  RegCloseKey(hKey);
  if (r != ERROR_SUCCESS) return "<no value>";
  while (cb > 0 && buf[cb - 1] == '\0') --cb;
  return std::string(buf, cb);
}

std::string StartMenuEntry() {
  char szPrograms[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, szPrograms);
  return std::string(szPrograms) + "\\ホロミラ.lnk";
}

// The version resource of a program: the fixed file version and the
// Japanese Unicode string table's FileVersion.
void CheckVersionResource(const std::string& sExe) {
  DWORD dwHandle = 0;
  const DWORD cb = GetFileVersionInfoSizeA(sExe.c_str(), &dwHandle);
  std::string block(cb, '\0');
  if (!ExpectTrue("the installed program has a version resource",
                  cb > 0 && GetFileVersionInfoA(sExe.c_str(), 0, cb, &block[0]))) {
    return;
  }
  VS_FIXEDFILEINFO* pFixed = nullptr;
  UINT n = 0;
  if (ExpectTrue("its fixed part", VerQueryValueA(&block[0], "\\", reinterpret_cast<void**>(&pFixed), &n) &&
                                       n >= sizeof *pFixed)) {
    ExpectEqual("file version, high half", pFixed->dwFileVersionMS,
                static_cast<long long>(HORO_VERSION_MAJOR) << 16 | HORO_VERSION_MINOR);
    ExpectEqual("file version, low half", pFixed->dwFileVersionLS,
                static_cast<long long>(HORO_VERSION_PATCH) << 16 | HORO_VERSION_BUILD);
  }
  char* szText = nullptr;
  const bool bText =
      VerQueryValueA(&block[0], "\\StringFileInfo\\041104B0\\FileVersion", reinterpret_cast<void**>(&szText), &n);
  ExpectBytes("FileVersion text", bText && szText ? std::string(szText) : std::string("<none>"), HORO_VERSION_TEXT);
}

void CheckInstalled(const std::string& sDir) {
  for (const char* szFile : kInstalledFiles) {
    ExpectTrue((std::string("installed: ") + szFile).c_str(), Exists(sDir + "\\" + szFile));
  }
  ExpectTrue("installed: the uninstaller", Exists(sDir + "\\Uninstall.exe"));
  ExpectTrue("the Start-menu entry", Exists(StartMenuEntry()));
  ExpectBytes("uninstall entry: version", RegText(HKEY_CURRENT_USER, kUninstallKey, "DisplayVersion"),
              HORO_VERSION_TEXT);
  ExpectBytes("uninstall entry: folder", RegText(HKEY_CURRENT_USER, kUninstallKey, "InstallLocation"), sDir);
  ExpectBytes("uninstall entry: silent command", RegText(HKEY_CURRENT_USER, kUninstallKey, "QuietUninstallString"),
              "\"" + sDir + "\\Uninstall.exe\" /S");
  CheckVersionResource(sDir + "\\Horomap.exe");
}

// The installed program's first start in its folder, closed again: the
// sample file, the settings beside the program, the association.
void StartInstalledProgram(const std::string& sDir, const char* szShotDir) {
  const std::string sExe = sDir + "\\Horomap.exe";
  std::string sLine = "\"" + sExe + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!ExpectTrue("the installed program starts", CreateProcessA(sExe.c_str(), &sLine[0], nullptr, nullptr, FALSE,
                                                                 0, nullptr, sDir.c_str(), &si, &pi) != 0)) {
    return;
  }
  const HWND hWnd = WaitForWindow("Horomira5", nullptr, pi.dwProcessId, kStartTimeoutMs);
  if (ExpectTrue("its main window is shown", hWnd != nullptr)) {
    ExpectTrue("and painted", WaitForPainted(hWnd, kPaintTimeoutMs));
    AwaitScreenshot(szShotDir, "installed", kShotTimeoutMs);
    PostMessageA(hWnd, WM_CLOSE, 0, 0);
  }
  DWORD dwCode = 1;
  if (ExpectTrue("it ends after WM_CLOSE", WaitForSingleObject(pi.hProcess, kExitTimeoutMs) == WAIT_OBJECT_0)) {
    GetExitCodeProcess(pi.hProcess, &dwCode);
    ExpectEqual("its exit code", dwCode, 0);
  } else {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, kExitTimeoutMs);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);

  ExpectEqual("Horom.sii written beside the program", FileSize(sDir + "\\Horom.sii"), 3920);
  ExpectEqual("the sample file written in its folder (two rows)", FileSize(sDir + "\\" + kSampleFile), 2 * 312);
  ExpectBytes("the association names the installed program",
              RegText(HKEY_CURRENT_USER, "Software\\Classes\\Horomap\\shell\\open\\command", nullptr), sDir + "\\Horomap %1");
  ExpectBytes(".bd5 is associated", RegText(HKEY_CURRENT_USER, "Software\\Classes\\.bd5", nullptr), "Horomap");
}

// The uninstaller copies itself away and ends at once; its copy removes the
// files.  Waits until the uninstall entry, the last thing it removes before
// the folder, is gone.
void Uninstall(const std::string& sDir) {
  const long long iCode = RunAndWait("\"" + sDir + "\\Uninstall.exe\" /S", sDir + "\\..", kSetupTimeoutMs);
  ExpectEqual("the uninstaller starts and ends", iCode, 0);
  const DWORD dwStart = GetTickCount();
  while ((Exists(sDir + "\\Uninstall.exe") ||
          RegText(HKEY_CURRENT_USER, kUninstallKey, "DisplayVersion") != "<no key>") &&
         GetTickCount() - dwStart < kUninstallTimeoutMs) {
    Sleep(200);
  }
  Sleep(1000);  // the folder is tried last
}

void CheckUninstalled(const std::string& sDir, long long nUserBytes) {
  for (const char* szFile : kInstalledFiles) {
    ExpectTrue((std::string("removed: ") + szFile).c_str(), !Exists(sDir + "\\" + szFile));
  }
  ExpectTrue("removed: the pictures' folder", !Exists(sDir + "\\docs"));
  ExpectTrue("removed: the uninstaller", !Exists(sDir + "\\Uninstall.exe"));
  ExpectTrue("removed: the Start-menu entry", !Exists(StartMenuEntry()));
  ExpectBytes("removed: the uninstall entry", RegText(HKEY_CURRENT_USER, kUninstallKey, "DisplayVersion"),
              "<no key>");
  ExpectTrue("the program removed Horom.sii", !Exists(sDir + "\\Horom.sii"));
  ExpectBytes("the program removed the association", RegText(HKEY_CURRENT_USER, "Software\\Classes\\Horomap", nullptr), "<no key>");
  ExpectBytes("and .bd5's entry", RegText(HKEY_CURRENT_USER, "Software\\Classes\\.bd5", nullptr), "<no key>");
  ExpectEqual("the sample file stays", FileSize(sDir + "\\" + kSampleFile), 2 * 312);
  ExpectEqual("the user's file stays whole", FileSize(sDir + "\\" + kUserFile), nUserBytes);
  ExpectTrue("so does the folder", Exists(sDir));
}

// Installed with no folder given: the user's own programs folder, nothing
// of the machine's (an installation needs no administrator rights); the
// uninstaller removes it again.
void DefaultFolderRoad(const std::string& sSetup, const std::string& sWork) {
  char szLocal[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, szLocal);
  const std::string sDir = std::string(szLocal) + "\\Programs\\Horomira";
  ExpectEqual("silent installation into the default folder", RunAndWait("\"" + sSetup + "\" /S", sWork, kSetupTimeoutMs),
              0);
  ExpectTrue("the default folder: %LOCALAPPDATA%\\Programs\\Horomira", Exists(sDir + "\\Horomap.exe"));
  ExpectBytes("its uninstall entry among the user's", RegText(HKEY_CURRENT_USER, kUninstallKey, "InstallLocation"),
              sDir);
  ExpectBytes("none among the machine's", RegText(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"), "<no key>");
  Uninstall(sDir);
  ExpectTrue("uninstalled from the default folder", !Exists(sDir + "\\Horomap.exe") && !Exists(sDir));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Abandon("usage: test_installer HOROMAP_EXE WORK_DIR SHOT_DIR");
  std::string sTree = argv[1];
  sTree = sTree.substr(0, sTree.find_last_of('\\'));
  const std::string sSetup = sTree + "\\" + kSetupName;
  const std::string sWork = argv[2];
  const char* szShotDir = argc > 3 ? argv[3] : nullptr;
  if (!ExpectTrue("the installer was built beside the program (nsis)", Exists(sSetup))) {
    return Finish("test_installer");
  }
  RemoveFileAssociation();
  RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
  DefaultFolderRoad(sSetup, sWork);
  CreateDirectoryA((sWork + "\\Programs").c_str(), nullptr);
  const std::string sDir = sWork + "\\Programs\\ホロミラ 5";

  // /D= comes last and takes the rest of the line, blanks included.
  ExpectEqual("silent installation", RunAndWait("\"" + sSetup + "\" /S /D=" + sDir, sWork, kSetupTimeoutMs), 0);
  CheckInstalled(sDir);
  StartInstalledProgram(sDir, szShotDir);

  // A file of the user's own in the program's folder.
  const std::string sUser = sDir + "\\" + kUserFile;
  ExpectTrue("the user saves a file of their own there",
             CopyFileW(Wide932(sDir + "\\" + kSampleFile).c_str(), Wide932(sUser).c_str(), FALSE) != 0);
  Uninstall(sDir);
  CheckUninstalled(sDir, FileSize(sUser));
  RemoveFileAssociation();
  return Finish("test_installer");
}

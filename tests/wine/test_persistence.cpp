// The persistence layer on the real Win32 services: a .bd5 file replaced
// through a temporary file (ReplaceFile for an existing file, MoveFileEx
// for a new one, a rewrite in place for a hard-linked one), the settings
// file found through the
// association, and the association itself in the registry (advapi32), read
// back with the registry API.
//
// Usage (as run.sh calls every test): test_persistence HOROMAP_EXE WORK_DIR SHOT_DIR
// Only WORK_DIR is used.  The association is removed again at the end.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "persistence/association.h"
#include "persistence/data_file.h"
#include "persistence/settings.h"
#include "platform/os_services.h"
#include "wine_common.h"

namespace {

// No box is expected: a box that appears is a failure, and it is closed so
// that the test goes on.
DWORD WINAPI CloseUnexpectedBoxes(LPVOID) {
  for (;;) {
    HWND hBox = WaitForWindow("#32770", nullptr, GetCurrentProcessId(), 600000);
    if (!hBox) return 0;
    ExpectBytes("no box is shown", WindowText(hBox), "");
    PostMessageA(hBox, WM_CLOSE, 0, 0);
    Sleep(500);
  }
}

std::string ReadFileBytes(const std::string& path) {
  std::string s;
  FILE* f = OpenFile932(path, "rb");
  if (!f) return "<missing>";
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
  fclose(f);
  return s;
}

// The default value of a class key of the user, read with the plain
// registry API.  The value is written without its terminating NUL; Windows
// gives it back as written, Wine with a NUL added: the text is compared.
std::string RegDefault(const char* szKey) {
  HKEY hKey;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kUserClasses) + szKey).c_str(), 0, KEY_READ, &hKey) !=
      ERROR_SUCCESS) {
    return "<no key>";
  }
  char buf[512] = {};
  DWORD cb = sizeof buf - 1, dwType = 0;
  const LONG r = RegQueryValueExA(hKey, nullptr, nullptr, &dwType, reinterpret_cast<BYTE*>(buf), &cb);
  RegCloseKey(hKey);
  if (r != ERROR_SUCCESS) return "<no value>";
  while (cb > 0 && buf[cb - 1] == '\0') --cb;
  return std::string(buf, cb);
}

BirthRecord Row(const char* szName, int iYear) {
  BirthRecord r{};
  snprintf(r.szName, sizeof r.szName, "%s", szName);
  r.time = DateTime{iYear, 4, 3, 10, 30, 0.0};
  r.dBirthLat = 35.65;
  r.dBirthLong = 139.75;
  r.bTimeKnown = 1;
  r.dwMagic = kRecordMagic;
  return r;
}

void CheckSafeReplacement(const std::string& sWork) {
  const std::string path = sWork + "\\家族.bd5";
  std::unique_ptr<BirthTable> table(new BirthTable());
  memset(table.get(), 0, sizeof(BirthTable));
  table->rows[0] = Row("山田太郎", 1965);
  table->iNumData = 1;
  ExpectEqual("a new file is written", WriteBirthDataFile(table.get(), path.c_str()), 1);
  table->rows[1] = Row("山田花子", 1968);
  table->iNumData = 2;
  ExpectEqual("an existing file is replaced", WriteBirthDataFile(table.get(), path.c_str()), 1);
  const std::string bytes = ReadFileBytes(path);
  ExpectEqual("the file holds two rows", bytes.size(), 2 * sizeof(BirthRecord));
  ExpectTrue("the rows are the table's",
             bytes.size() == 2 * sizeof(BirthRecord) && memcmp(bytes.data(), table->rows, bytes.size()) == 0);
  ExpectTrue("no temporary file is left", GetFileAttributesA((path + ".tmp").c_str()) == INVALID_FILE_ATTRIBUTES);
  memset(table.get(), 0, sizeof(BirthTable));
  ExpectEqual("the file reads back", ReadBirthDataFile(path.c_str(), table.get()), 2);
  ExpectBytes("second row", table->rows[1].szName, "山田花子");

  // A file with a second name is rewritten in place, through a backup
  // copy: both names keep showing one file.
  const std::string other = sWork + "\\別名.bd5";
  ExpectTrue("a hard link is made", CreateHardLinkA(other.c_str(), path.c_str(), nullptr) != 0);
  table->rows[2] = Row("山田一郎", 1990);
  table->iNumData = 3;
  ExpectEqual("the linked file is written", WriteBirthDataFile(table.get(), path.c_str()), 1);
  ExpectEqual("the other name shows three rows", ReadFileBytes(other).size(), 3 * sizeof(BirthRecord));
  ExpectTrue("no backup is left", GetFileAttributesA((path + ".bak").c_str()) == INVALID_FILE_ATTRIBUTES);
  ExpectTrue("no temporary file is left either",
             GetFileAttributesA((path + ".tmp").c_str()) == INVALID_FILE_ATTRIBUTES);
}

void CheckAssociation() {
  char szDir[MAX_PATH];
  ExpectEqual("the program folder is known", PlatformModuleDirectory(szDir, sizeof szDir), 1);
  const std::string dir = szDir;
  SetFileAssociation(nullptr, kAssocRemoveQuiet);  // leftovers of an interrupted run

  SystemIniInf sii;
  ResetSettings(&sii);
  ExpectEqual("registering succeeds", SetFileAssociation(&sii, kAssocRegister), 1);
  ExpectBytes("shell", RegDefault("Horomap\\shell"), "open");
  ExpectBytes("shell\\open", RegDefault("Horomap\\shell\\open"), "&Open");
  ExpectBytes("command", RegDefault("Horomap\\shell\\open\\command"), dir + "\\Horomap %1");
  ExpectBytes("DefaultIcon", RegDefault("Horomap\\DefaultIcon"), dir + "\\Horomap.exe,1");
  ExpectBytes(".bd5", RegDefault(".bd5"), "Horomap");

  // The settings file is found through the registered command line.
  SettingsFilePath(sii.szSiiPath, sizeof sii.szSiiPath);
  sii.bOrb = 8;
  sii.iStartCount = 6;
  ExpectEqual("the settings are saved", LoadSii(&sii, 0), 1);
  SystemIniInf loaded{};
  ExpectEqual("the settings load", LoadSii(&loaded, 1), 1);
  ExpectEqual("orb as saved", loaded.bOrb, 8);
  ExpectEqual("start count incremented", loaded.iStartCount, 7);
  ExpectBytes("re-registered command", RegDefault("Horomap\\shell\\open\\command"), dir + "\\Horomap %1");

  ExpectEqual("quiet removal succeeds", SetFileAssociation(&sii, kAssocRemoveQuiet), 1);
  ExpectBytes(".bd5 removed", RegDefault(".bd5"), "<no key>");
  ExpectBytes("Horomap removed", RegDefault("Horomap"), "<no key>");
  DeleteFileA(sii.szSiiPath);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Abandon("usage: test_persistence HOROMAP_EXE WORK_DIR SHOT_DIR");
  HANDLE hThread = CreateThread(nullptr, 0, CloseUnexpectedBoxes, nullptr, 0, nullptr);
  if (!hThread) Abandon("cannot start the box watcher");
  CheckSafeReplacement(argv[2]);
  CheckAssociation();
  return Finish("test_persistence");
}

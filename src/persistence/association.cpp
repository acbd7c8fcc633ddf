// The .bd5 association: registering, removing (uninstall), and the silent
// re-registration that keeps it pointing at the program's folder.
#include "persistence/association.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "persistence/paths.h"
#include "persistence/settings.h"
#include "platform/os_services.h"
#include "platform/reports.h"

const char kAssocCommandKey[] = "Horomap\\shell\\open\\command";
const char kAssocCommandTail[] = "Horomap %1";
const char kQuietUninstallArgument[] = "/uninstall";

namespace {

const char kProgIdKey[] = "Horomap";
const char kShellKey[] = "Horomap\\shell";
const char kOpenKey[] = "Horomap\\shell\\open";
const char kIconKey[] = "Horomap\\DefaultIcon";
const char kExtensionKey[] = ".bd5";
// The spellings the removal uses; key names are not case-sensitive.
const char kOpenKeyUpper[] = "Horomap\\shell\\OPEN";
const char kCommandKeyUpper[] = "Horomap\\shell\\OPEN\\command";

WindowRef Owner() { return PlatformMainWindow(); }

// Creates one key and sets its default value.  Returns 1 when the key could
// be created (the value is not checked).
int CreateEntry(const char* szKey, const char* szValue) {
  RegKeyRef hKey;
  if (!PlatformRegCreateKey(szKey, &hKey)) return 0;
  PlatformRegSetDefault(hKey, szValue);
  PlatformRegCloseKey(hKey);
  return 1;
}

// Creates the five entries in their order and flushes "Horomap".
// Returns the error code: kAssocErrorIcon, kAssocErrorExtension or both.
int CreateEntries() {
  char szCommand[kPathFieldSize];
  char szIcon[kPathFieldSize];
  AssociationCommandLine(szCommand, sizeof szCommand);
  AssociationIconPath(szIcon, sizeof szIcon);
  int iError = 0;
  CreateEntry(kShellKey, "open");
  CreateEntry(kOpenKey, "&Open");
  CreateEntry(kAssocCommandKey, szCommand);
  if (!CreateEntry(kIconKey, szIcon)) iError += kAssocErrorIcon;
  if (!CreateEntry(kExtensionKey, kProgIdKey)) iError += kAssocErrorExtension;
  RegKeyRef hKey;
  if (PlatformRegOpenKey(kProgIdKey, &hKey)) {
    PlatformRegFlushKey(hKey);
    PlatformRegCloseKey(hKey);
  }
  return iError;
}

// Results of DeleteDefaultOf.
enum DeleteResult : int {
  kValueDeleted = 1,
  kValueKept = 0,   // the value cannot be deleted
  kKeyMissing = -1, // the key cannot be opened
};

// Opens a key and deletes its default value.
int DeleteDefaultOf(const char* szKey) {
  RegKeyRef hKey;
  if (!PlatformRegOpenKey(szKey, &hKey)) return kKeyMissing;
  const int iOk = PlatformRegDeleteDefault(hKey);
  PlatformRegCloseKey(hKey);
  return iOk ? kValueDeleted : kValueKept;
}

int Register(SystemIniInf* pSii) {
  const char* const pszLines[1] = {"    自動設定中 ..."};
  PlatformShowTitlePage(pszLines, 1, 3000);
  if (pSii->dwMagic != kRecordMagic) ResetSettings(pSii);
  const int iError = CreateEntries();
  if (iError != 0) ReportCheckValue("error", iError);
  return iError == 0 ? 1 : 0;
}

int Remove(int iMode) {
  // Mode -1 prepares a new registration and reports nothing.
  const bool bReport = iMode == kAssocUninstall;
  int iError = 0;
  if (iMode == kAssocUninstall) {
    char szSii[kPathFieldSize];
    SettingsFilePath(szSii, sizeof szSii);
    const int iDeleted = PlatformDeleteFile(szSii);
    AppOkMsg(Owner(), "ホロミラの システムファイル", kSiiFileName,
             iDeleted ? "正常に削除されました" : "未設定または削除できません", "");
  }
  const int iValue = DeleteDefaultOf(kCommandKeyUpper);
  if (iValue == kKeyMissing) iError += kAssocErrorCommandKey;
  if (iValue != kValueDeleted) {
    if (bReport) {
      AppOkMsg(Owner(), "HKEY_CLASSES_ROOT", kCommandKeyUpper, "未設定または削除できません",
               "このエラーは無視しても構いません");
    }
    iError += kAssocErrorCommandValue;
  } else if (bReport) {
    AppOkMsg(Owner(), "HKEY_CLASSES_ROOT", kCommandKeyUpper, "アンインストール", "正常に削除されました");
  }
  const int iIcon = DeleteDefaultOf(kIconKey);
  bool bKeysFailed = false;
  if (iIcon == kKeyMissing) {
    iError += kAssocErrorIconKey;
  } else {
    PlatformRegDeleteKey(kCommandKeyUpper);
    PlatformRegDeleteKey(kOpenKeyUpper);
    PlatformRegDeleteKey(kShellKey);
    PlatformRegDeleteKey(kIconKey);
    if (!PlatformRegDeleteKey(kProgIdKey)) bKeysFailed = true;
    if (!PlatformRegDeleteKey(kExtensionKey)) bKeysFailed = true;
  }
  if (iIcon == kKeyMissing || bKeysFailed) {
    if (bReport) ReportPlaceKind("レジストリのサブキー", "開けないか削除できない", 0);
    iError += kAssocErrorKeys;
  }
  if (iError != 0 && bReport) ReportCheckValue("error", iError);
  return iError == 0 ? 1 : 0;
}

// Whose the registered command line is.
enum CommandOwnerKind : int {
  kOwnerNone = 0,          // no command key, or no value in it
  kOwnerThisFolder = 1,    // this program's folder
  kOwnerOtherFolder = 2,   // another copy of the program
};

int CommandOwner() {
  RegKeyRef hKey;
  if (!PlatformRegOpenKey(kAssocCommandKey, &hKey)) return kOwnerNone;
  char szRegistered[4 * kPathFieldSize];  // room for another copy's longer folder
  const int iRead = PlatformRegQueryDefault(hKey, szRegistered, sizeof szRegistered);
  PlatformRegCloseKey(hKey);
  if (!iRead || !szRegistered[0]) return kOwnerNone;
  char szOurs[kPathFieldSize];
  AssociationCommandLine(szOurs, sizeof szOurs);
  return SamePath(szRegistered, szOurs) ? kOwnerThisFolder : kOwnerOtherFolder;
}

}  // namespace

void AssociationCommandLine(char* szOut, unsigned cbOut) {
  char szDir[kPathFieldSize];
  PlatformModuleDirectory(szDir, sizeof szDir);
  if (!JoinPath(szOut, cbOut, szDir, kAssocCommandTail)) snprintf(szOut, cbOut, "%s", kAssocCommandTail);
}

void AssociationIconPath(char* szOut, unsigned cbOut) {
  char szDir[kPathFieldSize];
  PlatformModuleDirectory(szDir, sizeof szDir);
  if (!JoinPath(szOut, cbOut, szDir, "Horomap.exe,1")) snprintf(szOut, cbOut, "%s", "Horomap.exe,1");
}

int SetFileAssociation(SystemIniInf* pSii, int iMode) {
  if (iMode == kAssocRegister) return Register(pSii);
  return Remove(iMode);
}

void ReregisterFileAssociation() {
  DeleteDefaultOf(kAssocCommandKey);
  DeleteDefaultOf(kIconKey);
  static const char* const kKeys[] = {kCommandKeyUpper, kOpenKeyUpper, kAssocCommandKey, kOpenKey,
                                      kShellKey,        kIconKey,      kProgIdKey,       kExtensionKey};
  for (const char* szKey : kKeys) PlatformRegDeleteKey(szKey);
  CreateEntries();
}

bool IsQuietUninstallArgument(const char* szCommandLine) {
  if (!szCommandLine) return false;
  while (*szCommandLine == ' ' || *szCommandLine == '\t') ++szCommandLine;
  size_t n = strlen(szCommandLine);
  while (n > 0 && (szCommandLine[n - 1] == ' ' || szCommandLine[n - 1] == '\t')) --n;
  if (n != strlen(kQuietUninstallArgument)) return false;
  for (size_t i = 0; i < n; ++i) {
    if (tolower(static_cast<unsigned char>(szCommandLine[i])) != kQuietUninstallArgument[i]) return false;
  }
  return true;
}

int QuietUninstall() {
  char szSii[kPathFieldSize];
  SettingsFilePath(szSii, sizeof szSii);
  PlatformFileFacts facts;
  if (PlatformInspectFile(szSii, &facts) != kFileAbsent) PlatformDeleteFile(szSii);
  const bool bSiiGone = PlatformInspectFile(szSii, &facts) == kFileAbsent;
  if (CommandOwner() != kOwnerOtherFolder) SetFileAssociation(nullptr, kAssocRemoveQuiet);
  return bSiiGone && CommandOwner() != kOwnerThisFolder ? 1 : 0;
}

int UninstallCommand(SystemIniInf* pSii) {
  constexpr unsigned kMbDefaultSecond = 0x100;  // the second button is the default
  if (AppMsgBox(Owner(), "アンインストール", "ホロミラのシステム（レジストリの設定と", "システムファイル）を削除してよろしいですか？",
                "") != kIdYes)
    return 0;
  if (PlatformMessageBox(Owner(),
                         "ユーザーファイル(.bd5)は削除されませんが、ダブルクリックでひらけなくなります。"
                         "[OK]を選択するとすべての設定をクリアしてホロミラを終了します。",
                         "確認", kMbOkCancel | kMbIconWarning | kMbDefaultSecond) != kIdOk)
    return 0;
  SetFileAssociation(pSii, kAssocUninstall);
  pSii->szSiiPath[0] = '\0';
  return 1;
}

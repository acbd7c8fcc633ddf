// LoadSii: loading the settings at start-up with the first start, the
// missing file, the migration of the predecessor's system file and the
// association, and saving them, also by the exit rules.  The settings record
// itself is settings.cpp.
#include <cstdio>
#include <cstring>

#include "persistence/association.h"
#include "persistence/paths.h"
#include "persistence/safe_file.h"
#include "persistence/settings.h"
#include "platform/os_services.h"
#include "platform/reports.h"

namespace {

const char kErrorHeading[] = "エラー";

// The two marks shared by every load of one run.
struct RunMarks {
  bool bWarningShown;  // the missing-file warning was shown (or is not wanted)
  bool bRegistered;    // the association was registered
};
RunMarks g_marks = {false, false};

WindowRef Owner() { return PlatformMainWindow(); }

// The registered command line gives the folder of the settings file: its
// default value without the trailing "Horomap %1".  Returns whether the key
// exists; *pf is the opened file or null, szTried the path tried.
bool OpenSettingsOfAssociation(char* szTried, size_t cbTried, FILE** pf) {
  *pf = nullptr;
  szTried[0] = '\0';
  RegKeyRef hKey;
  if (!PlatformRegOpenKey(kAssocCommandKey, &hKey)) return false;
  // A path as long as the settings path may be: a folder deeper than 128
  // bytes must not make every start lose its settings.
  char szValue[kPathFieldSize];
  const int iRead = PlatformRegQueryDefault(hKey, szValue, sizeof szValue);
  PlatformRegCloseKey(hKey);
  const size_t nTail = strlen(kAssocCommandTail);
  const size_t nValue = iRead ? strlen(szValue) : 0;
  // A value too short to hold the command tail names no folder.
  if (nValue < nTail) return true;
  szValue[nValue - nTail] = '\0';
  snprintf(szTried, cbTried, "%s%s", szValue, kSiiFileName);
  *pf = PlatformOpenFile(szTried, "rb");
  return true;
}

// Mode 0: the record is written safely to szSiiPath; failures are reported.
int SaveSettings(const SystemIniInf* pSii) {
  SafeFile file;
  if (!SafeFileOpen(&file, pSii->szSiiPath)) {
    AppOkMsg(Owner(), kErrorHeading, "!fopen at LoadSii", kSiiFileName, "");
    return 1;
  }
  SafeFileWrite(&file, pSii, sizeof *pSii);
  if (!SafeFileCommit(&file)) AppOkMsg(Owner(), kErrorHeading, "!fwrite at LoadSii", kSiiFileName, "");
  return 1;
}

// The predecessor's system file (same format) replaces the record, and the
// association is moved to this program.
void MigratePredecessor(FILE* f, SystemIniInf* pSii) {
  AppOkMsg(Owner(), "ホロミラのバージョンアップ", "旧バージョンを検出しました。", "設定を更新します。以下、すべて",
           "[確認]または[ＯＫ]をクリックしてください。");
  ReadSettingsStream(f, pSii);
  fclose(f);
  SetFileAssociation(pSii, kAssocRemoveQuiet);
  const int iOk = SetFileAssociation(pSii, kAssocRegister);
  AppOkMsg(Owner(), "ホロミラ", iOk ? "レジストリを正常に更新しました" : "レジストリを更新できませんでした", "", "");
}

}  // namespace

int LoadSii(SystemIniInf* pSii, int iMode) {
  if (!pSii) return ReportFatal("!lpSii in LoadSii");
  if (iMode == 0) return SaveSettings(pSii);

  char szTried[kPathFieldSize];
  FILE* f = nullptr;
  const bool bKey = OpenSettingsOfAssociation(szTried, sizeof szTried, &f);
  if (bKey && f) {
    ReadSettingsStream(f, pSii);
    fclose(f);
    if (iMode == 1) {
      SettingsFilePath(pSii->szSiiPath, sizeof pSii->szSiiPath);
      ReregisterFileAssociation();
    }
  } else {
    if (bKey && !g_marks.bWarningShown) {
      g_marks.bWarningShown = true;
      PlatformMessageBox(Owner(),
                         "Horom.siiが見つかりません。これが最初の起動であれば問題ありません。そうでない場合、"
                         "ホロミラの画面が表示されたらすぐ、出生データファイルをバックアップしてください。",
                         szTried, kMbOk | kMbIconWarning);
    }
    char szWinDir[kPathFieldSize];
    char szOld[kPathFieldSize];
    FILE* fOld = nullptr;
    if (PlatformWindowsDirectory(szWinDir, sizeof szWinDir) &&
        JoinPath(szOld, sizeof szOld, szWinDir, kPredecessorFileName)) {
      fOld = PlatformOpenFile(szOld, "rb");
    }
    if (fOld) {
      // The migration registers the association: a second load in this run
      // finds the key without the file and shows the warning once.
      MigratePredecessor(fOld, pSii);
    } else {
      g_marks.bWarningShown = true;
      ResetSettings(pSii);
      if (!g_marks.bRegistered) {
        if (!SetFileAssociation(pSii, kAssocRegister)) return ReportFatal("インストール失敗");
        g_marks.bRegistered = true;
      }
    }
    SettingsFilePath(pSii->szSiiPath, sizeof pSii->szSiiPath);
  }
  ++pSii->iStartCount;
  return 1;
}

void LoadSiiResetRunMarks() { g_marks = RunMarks{false, false}; }

void SaveSettingsAtExit(SystemIniInf* pSii, const WindowRect& rc, bool bMaximized, bool bUninstalled) {
  StoreWindowPlacement(pSii, rc, bMaximized);
  if (bUninstalled) return;
  if (pSii->defaultData.iDataNo == kDataNoNewDefault) pSii->defaultData.iDataNo = kDataNoOldDefault;
  LoadSii(pSii, 0);
}

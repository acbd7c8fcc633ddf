// The settings record: defaults, reading with its checks, the hidden reset,
// the window placement.  LoadSii and the exit rules live in load_sii.cpp.
#include "persistence/settings.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/version.h"
#include "persistence/paths.h"
#include "platform/os_services.h"
#include "platform/reports.h"
#include "time/calendar.h"

const char kSiiFileName[] = "Horom.sii";
const char kPredecessorFileName[] = "Velkor51.sys";

namespace {

// Place of the built-in default person (35.61 N, 139.12 E, Tokyo datum).
const char kDefaultPlace[] = "上野原";

WindowRef Owner() { return PlatformMainWindow(); }

void Terminate(char* sz, size_t cb) { sz[cb - 1] = '\0'; }

// Ends every text field inside its field and keeps the recent-file count
// to the slots there are: a record read from a file may carry anything.
void SanitizeSettings(SystemIniInf* pSii) {
  Terminate(pSii->szWork, sizeof pSii->szWork);
  Terminate(pSii->szDataFile, sizeof pSii->szDataFile);
  for (auto& szSlot : pSii->szRecent) Terminate(szSlot, sizeof szSlot);
  if (pSii->nRecent > kRecentFileSlots) pSii->nRecent = kRecentFileSlots;
  Terminate(pSii->szSiiPath, sizeof pSii->szSiiPath);
  BirthRecord& d = pSii->defaultData;
  Terminate(d.szName, sizeof d.szName);
  Terminate(d.szBirthPlace, sizeof d.szBirthPlace);
  Terminate(d.szCurrentPlace, sizeof d.szCurrentPlace);
  Terminate(d.szListLine, sizeof d.szListLine);
}

bool IsFinitePerson(const BirthRecord& r) {
  return std::isfinite(r.time.second) && std::isfinite(r.dBirthLat) && std::isfinite(r.dBirthLong) &&
         std::isfinite(r.dCurrentLat) && std::isfinite(r.dCurrentLong);
}

// Whether a record read from a file may be used: the magic word, a known
// background colour and a default person the date check accepts.
bool IsAcceptableSettings(const SystemIniInf& sii) {
  if (sii.dwMagic != kRecordMagic || sii.bBackColor > 5) return false;
  char szName[kNameFieldSize + 1];
  memcpy(szName, sii.defaultData.szName, kNameFieldSize);
  szName[kNameFieldSize] = '\0';
  if (ValidateDateTime(nullptr, szName, sii.defaultData.time, 1) != 0) return false;
  return IsFinitePerson(sii.defaultData);
}

// Copies a text into a fixed field, always terminated.
void CopyText(char* szDst, size_t cbDst, const char* szSrc) { snprintf(szDst, cbDst, "%s", szSrc); }

// A reset of the live record keeps the path under which it is saved, so
// that the reset record is saved at exit.
void ResetLiveSettings(SystemIniInf* pSii) {
  char szSiiPath[sizeof pSii->szSiiPath];
  memcpy(szSiiPath, pSii->szSiiPath, sizeof szSiiPath);
  ResetSettings(pSii);
  memcpy(pSii->szSiiPath, szSiiPath, sizeof szSiiPath);
}

}  // namespace

void MakeDefaultPerson(BirthRecord* pRec, const char* szDate, const char* szTime) {
  memset(pRec, 0, sizeof *pRec);
  pRec->iDataNo = kDataNoBuiltinDefault;
  CopyText(pRec->szName, sizeof pRec->szName, "HoroMira " HORO_VERSION_TEXT);
  CopyText(pRec->szBirthPlace, sizeof pRec->szBirthPlace, kDefaultPlace);
  CopyText(pRec->szCurrentPlace, sizeof pRec->szCurrentPlace, kDefaultPlace);
  pRec->dBirthLat = pRec->dCurrentLat = 35.61;
  pRec->dBirthLong = pRec->dCurrentLong = 139.12;
  pRec->iMarker = 1;
  pRec->bTimeKnown = 1;
  pRec->bSecondsGiven = 1;
  pRec->dwMagic = kRecordMagic;
  // The two-digit fields of the build stamp: "Mmm dd yyyy", "hh:mm:ss".
  const int iDay = strlen(szDate) >= 6 ? atoi(szDate + 4) : 1;
  const bool bTime = strlen(szTime) >= 8;
  pRec->time = DateTime{2000, 7, iDay, bTime ? atoi(szTime) : 0, bTime ? atoi(szTime + 3) : 0,
                        bTime ? static_cast<double>(atoi(szTime + 6)) : 0.0};
}

void ResetSettings(SystemIniInf* pSii) {
  memset(pSii, 0, sizeof *pSii);
  pSii->dwMagic = kRecordMagic;
  DefaultDataFilePath(pSii->szDataFile, sizeof pSii->szDataFile);
  memcpy(pSii->szRecent[0], pSii->szDataFile, sizeof pSii->szDataFile);
  pSii->nRecent = 1;
  pSii->bOrb = 5;
  pSii->bBackColor = 0;
  pSii->bFlags = kSiiFlagTitlePage;
  int w = 0, h = 0;
  PlatformScreenSize(&w, &h);
  pSii->dwWindowTopLeft = PackCorner(w / 20, h / 20);
  pSii->dwWindowBottomRight = PackCorner(w - w / 20, h - h / 20);
  MakeDefaultPerson(&pSii->defaultData, __DATE__, __TIME__);
}

int ReadSettingsStream(FILE* f, SystemIniInf* pSii) {
  SystemIniInf sii;
  const size_t n = fread(&sii, 1, sizeof sii, f);
  if (n == sizeof sii && IsAcceptableSettings(sii)) {
    SanitizeSettings(&sii);
    *pSii = sii;
    return 1;
  }
  AppOkMsg(Owner(), "設定ファイルのエラー", "設定ファイルが壊れているか古いので、", "いったん白紙状態に戻します。", "");
  ResetSettings(pSii);
  return 0;
}

void SettingsFilePath(char* szOut, size_t cbOut) {
  char szDir[kPathFieldSize];
  PlatformModuleDirectory(szDir, sizeof szDir);
  if (!JoinPath(szOut, cbOut, szDir, kSiiFileName)) CopyText(szOut, cbOut, kSiiFileName);
}

void ResetSettingsByCommand(SystemIniInf* pSii) {
  PlatformMessageBox(Owner(), "SystemIniInf を初期化します", "テスト用隠しコマンド", kMbOk | kMbIconInformation);
  ResetLiveSettings(pSii);
}

int CheckBackColor(SystemIniInf* pSii) {
  if (pSii->bBackColor < 6) return 1;
  ReportFatal("初期化情報が異常。再設定するので再起動してください");
  ResetLiveSettings(pSii);
  return 0;
}

uint32_t PackCorner(int x, int y) {
  return (static_cast<uint32_t>(static_cast<uint16_t>(x)) << 16) | static_cast<uint16_t>(y);
}

void UnpackCorner(uint32_t dw, int* px, int* py) {
  *px = static_cast<int16_t>(dw >> 16);
  *py = static_cast<int16_t>(dw & 0xFFFFu);
}

void StoreWindowPlacement(SystemIniInf* pSii, const WindowRect& rc, bool bMaximized) {
  WindowRect r = rc;
  if (bMaximized) {
    pSii->bFlags |= kSiiFlagMaximized;
    if (r.left < 0) r.left = 0;
    if (r.top < 0) r.top = 0;
  } else {
    pSii->bFlags &= static_cast<uint8_t>(~kSiiFlagMaximized);
  }
  pSii->dwWindowTopLeft = PackCorner(r.left, r.top);
  pSii->dwWindowBottomRight = PackCorner(r.right, r.bottom);
}

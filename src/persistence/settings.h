// The settings record SystemIniInf, stored byte for byte as the whole file
// "Horom.sii" beside the program (settings.cpp), and LoadSii, which loads,
// creates, migrates and saves it with the file association
// (load_sii.cpp, above association.cpp, which needs the record).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "base/birth_record.h"
#include "persistence/paths.h"

// File name of the settings and of the predecessor's system file.
extern const char kSiiFileName[];          // "Horom.sii"
extern const char kPredecessorFileName[];  // "Velkor51.sys"

// Slots of the recent-files list.
constexpr int kRecentFileSlots = 10;

// Bits of bFlags.
enum : uint8_t {
  kSiiFlagDefaultPerson = 0x01,  // the user registered a default person
  kSiiFlagTitlePage = 0x02,      // show the title page at start-up
  kSiiFlagMaximized = 0x04,      // the main window was maximized
};

#pragma pack(push, 1)
struct SystemIniInf {
  uint32_t iStartCount;                          // loads so far; 1 in the first run
  char szWork[kPathFieldSize];                   // work area of the menu texts
  char szDataFile[kPathFieldSize];               // current birth-data file
  char szRecent[kRecentFileSlots][kPathFieldSize];  // recent files, slot 0 first
  uint8_t nRecent;                               // slots in use, 1..10
  char szSiiPath[261];                           // where this record is saved
  uint8_t reserved1[14];
  uint32_t dwMagic;                              // kRecordMagic
  uint8_t reserved2;
  uint8_t bOrb;                                  // aspect orb, whole degrees
  uint8_t reserved3[5];
  uint8_t bBackColor;                            // background colour 0..5
  uint8_t reserved4[4];
  uint32_t dwWindowTopLeft;                      // left << 16 | top (pixels)
  BirthRecord defaultData;                       // the default person
  uint8_t bFlags;                                // kSiiFlag...
  uint8_t reserved5[3];
  uint32_t dwWindowBottomRight;                  // right << 16 | bottom (pixels)
};
#pragma pack(pop)

static_assert(sizeof(SystemIniInf) == 3920, "SystemIniInf image is 3920 bytes");
static_assert(offsetof(SystemIniInf, iStartCount) == 0, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, szWork) == 4, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, szDataFile) == 279, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, szRecent) == 554, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, nRecent) == 3304, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, szSiiPath) == 3305, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, reserved1) == 3566, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, dwMagic) == 3580, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, reserved2) == 3584, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, bOrb) == 3585, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, reserved3) == 3586, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, bBackColor) == 3591, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, reserved4) == 3592, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, dwWindowTopLeft) == 3596, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, defaultData) == 3600, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, bFlags) == 3912, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, reserved5) == 3913, "SystemIniInf layout");
static_assert(offsetof(SystemIniInf, dwWindowBottomRight) == 3916, "SystemIniInf layout");

// A window rectangle in screen pixels.
struct WindowRect {
  int left, top, right, bottom;
};

// MakeDefaultPerson: the built-in default person: "HoroMira 5.4.0.2" at
// 35.61 N 139.12 E (Tokyo datum), iDataNo -3, time known with seconds, on
// 2000-07-DD hh:mm:ss JST where DD and the time are the two-digit fields of
// a build stamp (szDate as "Mmm dd yyyy", szTime as "hh:mm:ss", the forms of
// __DATE__ and __TIME__).
void MakeDefaultPerson(BirthRecord* pRec, const char* szDate, const char* szTime);

// ResetSettings: the defaults: all zero, magic word, the default data file
// (current folder + "出生ﾃﾞｰﾀ.Bd5") as current and only recent file, orb 5,
// background 0, title page on, the window rectangle W/20, H/20, W - W/20,
// H - H/20 of the screen, and the default person of this build.
void ResetSettings(SystemIniInf* pSii);

// ReadSettingsStream (validate-after-read): reads 3920 bytes from an open
// file.  A short read, a wrong magic word, bBackColor above 5 or a default
// person that ValidateDateTime refuses (from-file flag set) is reported as
// "設定ファイルのエラー" and the record is reset.  Text fields are
// terminated and the recent-file count is kept to 10 in an accepted record.
// Returns 1 when accepted, 0 when reset.
int ReadSettingsStream(FILE* f, SystemIniInf* pSii);

// LoadSii: iMode 0 saves the record to szSiiPath (failures are reported,
// the result is 1); -1 loads it at start-up into a temporary copy; 1 loads
// it into the live record and moves the file association to this program's
// folder.  Loading finds the file through the association, migrates the
// predecessor's system file, or starts from defaults and registers the
// association; every load increments iStartCount.
// Returns 1, or 0 after a fatal box (no record; "インストール失敗").
int LoadSii(SystemIniInf* pSii, int iMode);

// LoadSiiResetRunMarks: forgets the two once-per-run marks (missing-file
// warning shown, association registered), as at the start of a new run.
void LoadSiiResetRunMarks();

// SettingsFilePath: this program's folder followed by "Horom.sii".
void SettingsFilePath(char* szOut, size_t cbOut);

// ResetSettingsByCommand: the hidden command "@velkor": the box
// "SystemIniInf を初期化します" titled "テスト用隠しコマンド", then the
// defaults.
void ResetSettingsByCommand(SystemIniInf* pSii);

// CheckBackColor (palette guard): a bBackColor of 6 or more shows
// "初期化情報が異常。再設定するので再起動してください" and resets the
// record.  Returns 1 when the colour may be used, 0 after the reset.
int CheckBackColor(SystemIniInf* pSii);

// PackCorner / UnpackCorner: a window corner as x in the high and y in the
// low 16 bits; unpacking sign-extends each half.
uint32_t PackCorner(int x, int y);
void UnpackCorner(uint32_t dw, int* px, int* py);

// StoreWindowPlacement: bit 2 of bFlags and the two packed corners; a
// maximized window has a negative left or top stored as 0.
void StoreWindowPlacement(SystemIniInf* pSii, const WindowRect& rc, bool bMaximized);

// SaveSettingsAtExit: the exit rules: the placement is stored; unless the
// program was uninstalled, a default person marked -8 becomes -2 and the
// record is saved (LoadSii mode 0).
void SaveSettingsAtExit(SystemIniInf* pSii, const WindowRect& rc, bool bMaximized, bool bUninstalled);

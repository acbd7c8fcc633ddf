// horomira data: lists, adds, deletes and shows the rows of a birth-data
// file (.bd5) with the program's own checks and its safe writing.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "cli/cli.h"
#include "persistence/data_file.h"
#include "platform/os_services.h"
#include "platform/reports.h"

namespace {

// Longest name the entry dialog keeps, bytes.
constexpr size_t kMaxEntryNameBytes = 30;

std::unique_ptr<BirthTable> NewTable() {
  std::unique_ptr<BirthTable> p(new BirthTable());
  memset(p.get(), 0, sizeof(BirthTable));
  return p;
}

// Reads the file into the table; false after the program's message.
bool LoadTable(const std::string& path, BirthTable* pTable) {
  return ReadBirthDataFile(path.c_str(), pTable) > 0;
}

// A row number "0".."iNumData-1"; -1 after a message.
int ParseRow(const std::string& s, const BirthTable& table) {
  char* pEnd = nullptr;
  errno = 0;
  const long n = strtol(s.c_str(), &pEnd, 10);
  if (s.empty() || *pEnd != '\0' || errno != 0 || n < 0 || n >= table.iNumData) {
    char sz[128];
    snprintf(sz, sizeof sz, "行番号が範囲外です: %s (0 … %d)", s.c_str(), table.iNumData - 1);
    Fail(sz);
    return -1;
  }
  return static_cast<int>(n);
}

bool ParseDegrees(const std::string& s, double* pd) {
  char* pEnd = nullptr;
  *pd = strtod(s.c_str(), &pEnd);
  return !s.empty() && *pEnd == '\0' && std::isfinite(*pd);
}

std::string FormatPlace(const char* szName, double dLat, double dLong) {
  char sz[160];
  snprintf(sz, sizeof sz, "%s  (%s %.4f°, %s %.4f°)", szName, dLat < 0 ? "南緯" : "北緯", std::fabs(dLat),
           dLong < 0 ? "西経" : "東経", std::fabs(dLong));
  return sz;
}

// The record of one row as text (the chart comes with the chart driver).
void PrintRecord(const BirthRecord& r) {
  char sz[256];
  PrintLine(std::string("名前      ") + r.szName);
  if (r.bTimeKnown) {
    if (r.bSecondsGiven) {
      snprintf(sz, sizeof sz, "生年月日  %d年%d月%d日 %d時%02d分%06.3f秒 (日本時間)", r.time.year, r.time.month,
               r.time.day, r.time.hour, r.time.minute, std::floor(r.time.second * 1000.0) / 1000.0);
    } else {
      snprintf(sz, sizeof sz, "生年月日  %d年%d月%d日 %d時%02d分 (日本時間)", r.time.year, r.time.month, r.time.day,
               r.time.hour, r.time.minute);
    }
  } else {
    snprintf(sz, sizeof sz, "生年月日  %d年%d月%d日 時間は分からない (仮に日本時間正午)", r.time.year, r.time.month,
             r.time.day);
  }
  PrintLine(sz);
  PrintLine("出生地    " + FormatPlace(r.szBirthPlace, r.dBirthLat, r.dBirthLong));
  if (r.szCurrentPlace[0] != '\0') {
    PrintLine("現在地    " + FormatPlace(r.szCurrentPlace, r.dCurrentLat, r.dCurrentLong));
  }
}

int RunList(CliArgs& a) {
  if (a.args.size() != 1) return Fail("出生データファイルを一つ指定してください");
  auto table = NewTable();
  if (!LoadTable(a.args[0], table.get())) return kExitBadInput;
  for (int i = 0; i < table->iNumData; ++i) {
    const BirthRecord& r = table->rows[i];
    char sz[32];
    snprintf(sz, sizeof sz, "%4d", i);
    PrintLine(std::string(sz) + r.szListLine + "  " + r.szBirthPlace);
  }
  return 0;
}

int RunShow(CliArgs& a) {
  if (a.args.size() != 2) return Fail("出生データファイルと行番号を指定してください");
  auto table = NewTable();
  if (!LoadTable(a.args[0], table.get())) return kExitBadInput;
  const int iRow = ParseRow(a.args[1], *table);
  if (iRow < 0) return kExitBadInput;
  PrintRecord(table->rows[iRow]);
  return 0;
}

int RunDelete(CliArgs& a) {
  if (a.args.size() != 2) return Fail("出生データファイルと行番号を指定してください");
  auto table = NewTable();
  if (!LoadTable(a.args[0], table.get())) return kExitBadInput;
  const int iRow = ParseRow(a.args[1], *table);
  if (iRow < 0) return kExitBadInput;
  const std::string line = table->rows[iRow].szListLine;
  DeleteRow(table.get(), iRow);
  if (!WriteBirthDataFile(table.get(), a.args[0].c_str())) return kExitBadInput;
  PrintLine("削除しました:" + line);
  return 0;
}

// The table of the file to add to: empty for a new or empty file; false
// after the program's message when the file exists but does not read.
bool LoadTableForAdd(const std::string& path, BirthTable* pTable) {
  FILE* f = PlatformOpenFile(path.c_str(), "rb");
  if (!f) return true;  // a new file
  fseek(f, 0, SEEK_END);
  const long nSize = ftell(f);
  fclose(f);
  if (nSize == 0) return true;
  return LoadTable(path, pTable);
}

// The birth record of the add options; false after a message.
bool BuildRecord(CliArgs& a, BirthRecord* pRec) {
  std::string name, date, place, lat, lon;
  const bool bUnknownTime = a.TakeFlag("--unknown-time");
  const bool bName = a.TakeOption("--name", &name);
  const bool bDate = a.TakeOption("--date", &date);
  const bool bPlace = a.TakeOption("--place", &place);
  const bool bLat = a.TakeOption("--lat", &lat);
  const bool bLon = a.TakeOption("--lon", &lon);
  if (a.bValueMissing) return Fail(a.sMissingOption + " に値がありません"), false;
  if (a.args.size() != 1) return Fail("出生データファイルを一つ指定してください"), false;
  if (!bName || name.empty()) return Fail("名前を入力してください"), false;
  if (name.size() > kMaxEntryNameBytes) {
    return Fail("とても長い名前！ " + name + " (ファイリングの都合上、30バイトまで)"), false;
  }
  if (!bDate) return Fail("日時を指定してください (--date YYYY-MM-DDTHH:MM)"), false;

  memset(pRec, 0, sizeof *pRec);
  bool bHasTime = false;
  if (!ParseMoment(date, &pRec->time, &bHasTime)) return Fail("日時の形式が正しくありません: " + date), false;
  if (pRec->time.year < -4000 || pRec->time.year > 8000) {
    return Fail(date + " 入力が未完了か、正しくないか、または計算可能期間(4000 B.C. - 8000 A.D.)の外です。"), false;
  }
  if (bUnknownTime && bHasTime) return Fail("--unknown-time と時刻は同時に指定できません"), false;
  pRec->bTimeKnown = bUnknownTime ? 0 : 1;
  if (bUnknownTime) {
    pRec->time.hour = 12;
    pRec->time.minute = 0;
    pRec->time.second = 0.0;
  }
  // Seconds were given when the time has a second colon.
  const size_t iT = date.find('T');
  pRec->bSecondsGiven = iT != std::string::npos && date.find(':', date.find(':', iT) + 1) != std::string::npos;
  snprintf(pRec->szName, sizeof pRec->szName, "%s", name.c_str());
  if (ValidateDateTime(nullptr, pRec->szName, pRec->time, 0) != 0) return false;

  if (bPlace) {
    return Fail("--place にはまだ地名の一覧がありません。--lat と --lon で指定してください"), false;
  }
  if (!bLat || !bLon) return Fail("場所を指定してください (--lat DEG --lon DEG)"), false;
  double dLat = 0.0, dLon = 0.0;
  if (!ParseDegrees(lat, &dLat) || !ParseDegrees(lon, &dLon)) return Fail("経緯度は数で指定してください"), false;
  char szPlace[kNameFieldSize];
  snprintf(szPlace, sizeof szPlace, "%+.4f : %+.4f", dLat, dLon);
  if (std::fabs(dLat) > 90.0 || std::fabs(dLon) > 180.0) return Fail(std::string("無効な経緯度 ") + szPlace), false;
  snprintf(pRec->szBirthPlace, sizeof pRec->szBirthPlace, "%s", szPlace);
  pRec->dBirthLat = dLat;
  pRec->dBirthLong = dLon;
  pRec->dwMagic = kRecordMagic;
  pRec->bSave = 1;
  return true;
}

int RunAdd(CliArgs& a) {
  BirthRecord rec;
  if (!BuildRecord(a, &rec)) return kExitBadInput;
  const std::string path = a.args[0];
  auto table = NewTable();
  if (!LoadTableForAdd(path, table.get())) return Fail("ファイルは変更されていません: " + path);
  if (table->iNumData >= kMaxFileRows) {
    // The file keeps at most 1000 rows: a further row would be lost.
    return Fail("このﾌｧｲﾙはすでに一杯です。ほかのﾌｧｲﾙを新規作成してください。");
  }
  const int iNext = AppendRow(&rec, table.get(), 0);
  if (iNext == 0) return kExitBadInput;
  if (!WriteBirthDataFile(table.get(), path.c_str())) return kExitBadInput;
  char sz[32];
  snprintf(sz, sizeof sz, "%4d", iNext - 1);
  PrintLine(std::string(sz) + table->rows[iNext - 1].szListLine + "  " + table->rows[iNext - 1].szBirthPlace);
  return 0;
}

int RunData(CliArgs& a) {
  if (a.args.empty()) return Fail("data list | add | delete | show を指定してください");
  const std::string sub = a.args[0];
  a.args.erase(a.args.begin());
  if (sub == "list") return RunList(a);
  if (sub == "add") return RunAdd(a);
  if (sub == "delete") return RunDelete(a);
  if (sub == "show") return RunShow(a);
  return Fail("data の後には list, add, delete, show のどれかを指定してください: " + sub);
}

const CliRegistrar kRegister(
    {"data",
     "data list FILE.bd5 | data show FILE.bd5 ROW | data delete FILE.bd5 ROW | "
     "data add FILE.bd5 --name NAME --date DATE [--unknown-time] --lat DEG --lon DEG",
     "Works on a birth-data file (.bd5), as the program does:\n"
     "  list    prints every row: row number, list line (name and birth date), birthplace.\n"
     "  show    prints the birth data of one row.\n"
     "  delete  removes one row; the rows after it move up.\n"
     "  add     appends a person (a new file is created).  NAME has at most 30 bytes\n"
     "          (Shift-JIS); DATE is JST; --unknown-time puts the time at 12:00 JST;\n"
     "          the place is given by --lat/--lon (Tokyo datum, north and east positive).\n"
     "ROW counts from 0, as 'data list' shows.  A file holds at most 1000 rows.\n"
     "Files are replaced only when completely written; on any error nothing is written.",
     RunData});

}  // namespace

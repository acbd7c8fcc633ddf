// horomira data: lists, adds, deletes and shows the rows of a birth-data
// file (.bd5) with the program's own checks and its safe writing.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "chart/places.h"
#include "cli/cli.h"
#include "cli/cli_person.h"
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

// A row number "0".."iNumData-1"; kNoRow after a message.
constexpr int kNoRow = -1;
int ParseRow(const std::string& s, const BirthTable& table) {
  long n;
  if (!ParseWholeNumber(s, 0, table.iNumData - 1, &n)) {
    char sz[128];
    snprintf(sz, sizeof sz, "行番号が範囲外です: %s (0 … %d)", s.c_str(), table.iNumData - 1);
    Fail(sz);
    return kNoRow;
  }
  return static_cast<int>(n);
}

// The natal chart of a row, as the program computes it when the row is
// recalled: its clipboard text.
void PrintNatalChart(const BirthRecord& r) {
  std::unique_ptr<ChartRecord> chart(new ChartRecord());
  HoromiraMain(r, r, chart.get(), kChartNatal, 0, 1.0, kOriginOrdinary);
  char szText[kChartTextSize];
  MakeChartText(szText, sizeof szText, *chart);
  std::string out;
  for (const char* p = szText; *p; ++p) {
    if (*p != '\r') out += *p;
  }
  Print(out);
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
  if (iRow == kNoRow) return kExitBadInput;
  PrintNatalChart(table->rows[iRow]);
  return 0;
}

int RunDelete(CliArgs& a) {
  if (a.args.size() != 2) return Fail("出生データファイルと行番号を指定してください");
  auto table = NewTable();
  if (!LoadTable(a.args[0], table.get())) return kExitBadInput;
  const int iRow = ParseRow(a.args[1], *table);
  if (iRow == kNoRow) return kExitBadInput;
  const std::string line = table->rows[iRow].szListLine;
  DeleteRow(table.get(), iRow);
  if (!WriteBirthDataFile(table.get(), a.args[0].c_str())) return kExitBadInput;
  PrintLine("削除しました:" + line);
  return 0;
}

// The table of the file to add to: empty for a new or empty file; false
// after the program's message when something is there that does not read
// (a file that cannot be read, a folder, a device, a corrupt file), which
// is then left as it is.
bool LoadTableForAdd(const std::string& path, BirthTable* pTable) {
  PlatformFileFacts facts;
  const int iKind = PlatformInspectFile(path.c_str(), &facts);
  if (iKind == kFileAbsent) return true;  // a new file
  if (iKind == kFileRegular && facts.bReadable && facts.nBytes == 0) return true;
  return LoadTable(path, pTable);
}

// The birth record of the add options, checked as the entry dialogs check
// it; false after a message.
bool BuildRecord(CliArgs& a, BirthRecord* pRec) {
  std::string name, date;
  const bool bUnknownTime = a.TakeFlag("--unknown-time");
  const bool bName = a.TakeOption("--name", &name);
  const bool bDate = a.TakeOption("--date", &date);
  ZoneOptions zone;
  if (TakeZoneOptions(a, &zone) != 0) return false;
  memset(pRec, 0, sizeof *pRec);
  int iRow = kNoPlace;
  if (TakePlaceOptions(a, pRec, &iRow) != 0) return false;
  if (a.bValueMissing) return Fail(a.sMissingOption + " に値がありません"), false;
  if (a.args.size() != 1) return Fail("出生データファイルを一つ指定してください"), false;
  // A person without a name is not filed by the program.
  if (!bName || name.empty()) return Fail("名前を入力してください"), false;
  if (CheckName(name) != 0) return false;
  if (name.size() > kMaxEntryNameBytes) {
    return Fail("とても長い名前！ " + name + " (ファイリングの都合上、30バイトまで)"), false;
  }
  if (!bDate) return Fail("日時を指定してください (--date YYYY-MM-DDTHH:MM)"), false;
  if (bUnknownTime && zone.bGiven) {
    return Fail("--unknown-time のときは --zone を指定できません (時刻の分からない出生は日本時間の正午として計算します)"),
           false;
  }
  snprintf(pRec->szName, sizeof pRec->szName, "%s", name.c_str());
  MomentParts parts{false, false};
  if (TakeBirthMoment(date, zone, pRec->szName, &pRec->time, &parts) != 0) return false;
  if (bUnknownTime && parts.bHasTime) return Fail("--unknown-time のときは日付だけを指定してください: " + date), false;
  if (ReadInZone(zone, iRow, date, pRec->szName, &pRec->time) != 0) return false;
  pRec->bTimeKnown = bUnknownTime ? 0 : 1;
  if (bUnknownTime) pRec->time.hour = 12;  // provisionally noon
  // A local mean time of old may leave seconds on the JST moment.
  pRec->bSecondsGiven = parts.bHasSeconds || (zone.bGiven && pRec->time.second != 0.0) ? 1 : 0;
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

}  // namespace

namespace {

const std::string kDataUsage =
    std::string("data list FILE.bd5 | data show FILE.bd5 ROW | data delete FILE.bd5 ROW | "
                "data add FILE.bd5 --name NAME --date DATE [--unknown-time] ") +
    kZoneUsage + " [--place NAME | --lat DEG --lon DEG]";
const std::string kDataHelp =
    "Works on a birth-data file (.bd5), as the program does:\n"
    "  list    prints every row: row number, list line (name and birth date), birthplace.\n"
    "  show    prints the natal chart of one row (its clipboard text).\n"
    "  delete  removes one row; the rows after it move up.\n"
    "  add     appends a person (a new file is created).  NAME has at most 30 bytes\n"
    "          (Shift-JIS); DATE is JST; --unknown-time puts the time at 12:00 JST;\n"
    "          the place is a row of the built-in place list (--place 札幌) or\n"
    "          --lat/--lon (Tokyo datum, north and east positive); without either, 東京都.\n"
    "          With --zone, DATE is a clock reading of that zone, stored as JST:\n"
    "          --zone NAME|±HH:MM|place, --summer-time, --earlier and --later as\n"
    "          'horomira chart --help' explains them.\n"
    "ROW counts from 0, as 'data list' shows.  A file holds at most 1024 rows.\n"
    "Files are replaced only when completely written; on any error nothing is written.\n"
    "A symbolic link stays a link, the file's rights and hard links stay.  A file that\n"
    "cannot be read, anything that is not a regular file, and a file of more than\n"
    "1024 rows are never written.";

}  // namespace

const CliCommand kDataCommand = {"data", kDataUsage.c_str(), kDataHelp.c_str(), RunData};

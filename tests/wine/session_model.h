// The shadow model of the session test (test_session.cpp): what the
// program must have written, file by file, after every step of a session;
// which file is current and whether the birth-data table holds it; and the
// check of the work folder against it.
//
// The rules it follows are the program's promises about data:
//   - the table holds the current file after a read that succeeded (start,
//     開く, a recent file), after the sample file is made, after 新規作成 and
//     after 名前を付けて保存 to a .bd5 name; after a start whose read failed
//     it holds nothing, and no save point writes it;
//   - save points (before the open dialog, before a recent file opens,
//     before the save dialog of 名前を付けて保存, 上書き保存, 新規作成 with rows,
//     the exit) write the table to the current file; an untitled table with
//     rows is named first (a cancelled name stops the command), one without
//     rows is never written; a file of more than 1024 rows is never written;
//   - an accepted person (named) is appended to the table, into a new
//     untitled table when the table holds nothing;
//   - a killed program loses what it had not written yet.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/shift_jis.h"

namespace session {

// splitmix64: the same numbers for a seed on every run and build.
struct Random {
  uint64_t s;
  explicit Random(uint64_t seed) : s(seed) {}
  uint64_t Next() {
    uint64_t z = (s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  int Range(int lo, int hi) { return lo + Below(hi - lo + 1); }
  bool Chance(int iPercent) { return Below(100) < iPercent; }
  template <class T>
  const T& Pick(const std::vector<T>& v) { return v[Below(static_cast<int>(v.size()))]; }
};

constexpr size_t kRowBytes = 312;
constexpr size_t kSiiBytes = 3920;
constexpr size_t kSiiDataFile = 279;
constexpr size_t kSiiRecent = 554;
constexpr size_t kSiiRecentCount = 3304;
constexpr size_t kPathBytes = 275;
constexpr uint32_t kMagic = 0x0AAA0500u;
constexpr size_t kTableRows = 1024;
constexpr size_t kListRows = 1000;  // rows the list of filed data shows
const char kUntitled[] = "無題.bd5";

// A row as the test compares it: the name and the birth date to the minute.
struct Row {
  std::string name;
  int y = 0, mo = 0, d = 0, h = 0, mi = 0;
  bool operator==(const Row& o) const {
    return name == o.name && y == o.y && mo == o.mo && d == o.d && h == o.h && mi == o.mi;
  }
  std::string Text() const {
    char sz[160];
    snprintf(sz, sizeof sz, "%s %d-%02d-%02d %02d:%02d", name.c_str(), y, mo, d, h, mi);
    return sz;
  }
};

inline Row SampleRow(int i) {
  return i == 0 ? Row{"Sample Data 1", 1978, 4, 23, 5, 36} : Row{"Sample Data 2", 1991, 10, 8, 19, 12};
}

// Paths compare as the system does: ASCII letters without case, double-byte
// characters as they are.
inline std::string PathKey(const std::string& s) {
  std::string k;
  for (size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (IsLeadByte(c) && i + 1 < s.size()) {
      k += s[i];
      k += s[++i];
    } else {
      k += static_cast<char>(c < 0x80 ? tolower(c) : c);
    }
  }
  return k;
}
inline bool SamePathAs(const std::string& a, const std::string& b) { return PathKey(a) == PathKey(b); }
inline bool IsBd5(const std::string& s) { return s.size() >= 4 && PathKey(s.substr(s.size() - 4)) == ".bd5"; }
inline std::string BaseName(const std::string& s) {
  const size_t i = s.find_last_of('\\');
  return i == std::string::npos ? s : s.substr(i + 1);
}

// One file of the work folder as the model knows it.
struct DiskFile {
  std::string path;
  bool opaque = false;        // not the program's: its bytes must stay as they are
  std::string bytes;          // opaque
  std::vector<Row> rows;      // the program's rows
  bool hasAlt = false;        // either rows or alt is right (a step the rules leave open)
  std::vector<Row> alt;
  bool Big() const { return !opaque && rows.size() > kTableRows; }
  bool Readable() const { return !opaque && !rows.empty() && IsBd5(path); }
};

inline std::string ReadAll(const std::string& sPath, bool* pbFound = nullptr) {
  std::string s;
  FILE* f = fopen(sPath.c_str(), "rb");
  if (pbFound) *pbFound = f != nullptr;
  if (!f) return s;
  char buf[8192];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
  fclose(f);
  return s;
}

inline int32_t Int32At(const std::string& s, size_t off) {
  int32_t v = 0;
  memcpy(&v, s.data() + off, sizeof v);
  return v;
}

// The rows of a .bd5 file's bytes; an empty string when it reads back,
// else what is wrong.
inline std::string ParseRows(const std::string& bytes, std::vector<Row>* pRows) {
  pRows->clear();
  if (bytes.size() % kRowBytes != 0) return "its size " + std::to_string(bytes.size()) + " is no multiple of 312";
  for (size_t off = 0; off < bytes.size(); off += kRowBytes) {
    const size_t i = off / kRowBytes;
    if (static_cast<uint32_t>(Int32At(bytes, off + 302)) != kMagic) return "row " + std::to_string(i) + " has no magic word";
    Row r;
    r.name.assign(bytes.c_str() + off + 32, strnlen(bytes.c_str() + off + 32, 54));
    if (r.name.empty()) return "row " + std::to_string(i) + " has no name";
    r.y = Int32At(bytes, off + 4);
    r.mo = Int32At(bytes, off + 8);
    r.d = Int32At(bytes, off + 12);
    r.h = Int32At(bytes, off + 16);
    r.mi = Int32At(bytes, off + 20);
    pRows->push_back(r);
  }
  return "";
}

// The settings file's current file and recent files.
struct SiiFacts {
  bool bFound = false;
  uint32_t nStarts = 0;
  size_t nBytes = 0;
  std::string dataFile;
  std::vector<std::string> recent;
};
inline std::string FieldAt(const std::string& s, size_t off) {
  return std::string(s.c_str() + off, strnlen(s.c_str() + off, kPathBytes));
}
inline SiiFacts ReadSii(const std::string& sPath) {
  SiiFacts f;
  const std::string s = ReadAll(sPath, &f.bFound);
  f.nBytes = s.size();
  if (s.size() != kSiiBytes) return f;
  f.nStarts = static_cast<uint32_t>(Int32At(s, 0));
  f.dataFile = FieldAt(s, kSiiDataFile);
  const int n = static_cast<unsigned char>(s[kSiiRecentCount]);
  for (int i = 0; i < n && i < 10; ++i) f.recent.push_back(FieldAt(s, kSiiRecent + i * kPathBytes));
  return f;
}
inline bool IsAbsolute(const std::string& s) {
  const bool bDrive = s.size() >= 3 && isalpha(static_cast<unsigned char>(s[0])) && s[1] == ':' && s[2] == '\\';
  return bDrive || s.rfind("\\\\", 0) == 0;
}

struct Model {
  std::string dir;                          // the work folder
  std::map<std::string, DiskFile> disk;     // by PathKey
  bool running = false;
  std::string current;                      // full path, or kUntitled
  bool holds = false;                       // the table holds the current file
  std::vector<Row> table;
  std::string prev;                         // the file an empty untitled table gives back at closing
                                            // (the last file read, named at the start or left by 新規作成)
  std::vector<std::string> recent;
  bool firstStart = true;                   // no clean exit yet: the settings say "first start"
  std::string siiFile;                      // what Horom.sii names
  std::vector<std::string> siiRecent;
  bool pending = false;                     // the confirmation box waits with this person
  Row pendingRow;
  bool pendingSave = false;

  std::string DefaultFile() const { return dir + "\\出生ﾃﾞｰﾀ.Bd5"; }
  bool Untitled() const { return holds && current == kUntitled; }
  const DiskFile* Find(const std::string& p) const {
    auto it = disk.find(PathKey(p));
    return it == disk.end() ? nullptr : &it->second;
  }
  bool Readable(const std::string& p) const {
    const DiskFile* f = Find(p);
    return f && f->Readable();
  }
  void PutRows(const std::string& p, const std::vector<Row>& rows) {
    DiskFile f;
    f.path = p;
    f.rows = rows;
    disk[PathKey(p)] = f;
  }
  void PutOpaque(const std::string& p, const std::string& bytes) {
    DiskFile f;
    f.path = p;
    f.opaque = true;
    f.bytes = bytes;
    disk[PathKey(p)] = f;
  }
  void Remove(const std::string& p) { disk.erase(PathKey(p)); }

  void AddRecent(const std::string& p, int iPos) {
    int n = static_cast<int>(recent.size());
    for (int i = 0; i < n; ++i) {
      if (SamePathAs(recent[i], p)) {
        if (iPos > n - 1) iPos = n - 1;
        recent.erase(recent.begin() + i);
        recent.insert(recent.begin() + iPos, p);
        return;
      }
    }
    if (n == 10) recent.pop_back(), --n;
    if (iPos > n) iPos = n;
    recent.insert(recent.begin() + iPos, p);
  }

  // The table written to a path (never over a file of more than 1024 rows).
  // Returns whether it was written.
  bool WriteTable(const std::string& p) {
    const DiskFile* f = Find(p);
    if (f && f->Big()) return false;
    PutRows(f ? f->path : p, table);
    return true;
  }

  enum SavePointResult { kNothing, kWrote, kNeedsName };
  SavePointResult SavePoint() {
    if (!holds) return kNothing;
    if (current == kUntitled) return table.empty() ? kNothing : kNeedsName;
    WriteTable(current);
    return kWrote;
  }

  // A read that succeeded makes the file current.
  bool Open(const std::string& p) {
    const DiskFile* f = Find(p);
    if (!f || !f->Readable()) return false;
    table.assign(f->rows.begin(), f->rows.begin() + (f->rows.size() > kTableRows ? kTableRows : f->rows.size()));
    current = p;
    holds = true;
    prev = p;
    AddRecent(p, 0);
    return true;
  }

  // The save dialog answered with a path: written there and made current.
  void Named(const std::string& p) {
    if (!WriteTable(p)) return;
    AddRecent(p, IsBd5(p) ? 0 : 1);
    if (IsBd5(p)) {
      current = p;
      holds = true;
    }
  }

  void Sample() {
    const std::string d = DefaultFile();
    if (Find(d)) {
      if (Open(d)) return;
      table = {SampleRow(0), SampleRow(1)};
      current = kUntitled;
      holds = true;
      return;
    }
    table = {SampleRow(0), SampleRow(1)};
    current = d;
    holds = true;
    AddRecent(d, 0);
  }

  // A start: what the program reads before its first question.  Returns
  // true when the question "出生データファイルを読み込めません ..." must follow.
  bool Start(const std::string& sArgument) {
    running = true;
    recent = siiRecent;
    current = siiFile;
    holds = false;
    table.clear();
    pending = false;
    bool bAsk = false;
    if (!sArgument.empty()) {
      if (IsBd5(sArgument)) Open(sArgument);
    } else if (firstStart) {
      Sample();
    } else if (!Open(siiFile)) {
      bAsk = true;
    }
    if (recent.empty()) recent.push_back(siiFile);
    prev.clear();
    if (!bAsk) StartDone();  // else once the question is answered
    return bAsk;
  }

  // The end of the start: the settings' file (read or not) is the one an
  // empty untitled file gives back; an untitled table has none.
  void StartDone() {
    if (current != kUntitled) prev = current;
  }

  // A person accepted in the confirmation box (or by the wizard).
  void File(const Row& r) {
    if (!holds) {
      current = kUntitled;
      holds = true;
      table.clear();
    }
    if (table.size() < kTableRows) table.push_back(r);
  }

  // 新規作成 after its question (the save point already done): a file with
  // rows becomes the previous file.
  void NewFile() {
    if (!table.empty() && holds && current != kUntitled) prev = current;
    table.clear();
    current = kUntitled;
    holds = true;
  }

  // Closing an empty untitled table with OK: the previous file is current
  // again, nothing is written.
  void LeaveUntitled() {
    current = prev.empty() || prev == kUntitled ? DefaultFile() : prev;
    holds = false;
  }

  void ExitClean() {
    running = false;
    pending = false;
    firstStart = false;
    siiFile = current;
    siiRecent = recent;
  }
  void Killed() {
    running = false;
    pending = false;
  }
};

// What differs between the work folder and the model; one line each.
inline std::vector<std::string> CheckFolder(const Model& m) {
  std::vector<std::string> bad;
  std::map<std::string, bool> seen;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((m.dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::string name = fd.cFileName;
      const std::string path = m.dir + "\\" + name;
      const DiskFile* f = m.Find(path);
      if (f) {
        seen[PathKey(path)] = true;
        continue;
      }
      const std::string key = PathKey(name);
      if (key == "horom.sii" || key == "horomap.exe") continue;
      if (key.size() > 4 && (key.substr(key.size() - 4) == ".tmp" || key.substr(key.size() - 4) == ".bak")) {
        printf("note: %s is left in the work folder\n", name.c_str());
        continue;
      }
      bad.push_back("a file the model does not know appeared: " + name + " (" + std::to_string(fd.nFileSizeLow) + " bytes)");
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  for (const auto& [key, f] : m.disk) {
    if (!seen.count(key)) {
      bad.push_back(BaseName(f.path) + " is gone");
      continue;
    }
    const std::string bytes = ReadAll(f.path);
    if (f.opaque) {
      if (bytes != f.bytes) bad.push_back(BaseName(f.path) + " was written over (" + std::to_string(bytes.size()) + " bytes now)");
      continue;
    }
    std::vector<Row> rows;
    const std::string why = ParseRows(bytes, &rows);
    if (!why.empty()) {
      bad.push_back(BaseName(f.path) + " does not read back: " + why);
      continue;
    }
    if (rows == f.rows || (f.hasAlt && rows == f.alt)) continue;
    std::string s = BaseName(f.path) + ": " + std::to_string(rows.size()) + " rows, the model says " +
                    std::to_string(f.rows.size());
    if (rows.size() < f.rows.size()) s += " (shorter: rows lost)";
    for (size_t i = 0; i < rows.size() || i < f.rows.size(); ++i) {
      const std::string got = i < rows.size() ? rows[i].Text() : "-";
      const std::string want = i < f.rows.size() ? f.rows[i].Text() : "-";
      if (got != want) {
        s += "; first difference at row " + std::to_string(i) + ": " + got + " / model: " + want;
        break;
      }
    }
    bad.push_back(s);
  }
  return bad;
}

}  // namespace session

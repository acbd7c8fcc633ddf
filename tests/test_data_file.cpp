// Birth-data files: reading with its checks, safe writing, rows, recent
// files, opening by argument, the sample and the file commands.
#include <cmath>

#include "persist_fixture.h"

namespace {

using DataFile = PersistTest;

TEST_F(DataFile, ReadsCompleteRowsRenumberedAndIgnoresATail) {
  std::string bytes;
  for (int i = 0; i < 3; ++i) {
    BirthRecord r = Row(("P" + std::to_string(i)).c_str(), 1960 + i, 5, 6);
    r.iDataNo = 77;  // stored numbers are not trusted
    bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
  }
  bytes.append(100, 'x');  // not a multiple of 312
  WriteBytes(Path("a.bd5"), bytes.data(), bytes.size());
  EXPECT_EQ(ReadBirthDataFile(Path("a.bd5").c_str(), table_.get()), 3);
  EXPECT_EQ(table_->iNumData, 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(table_->rows[i].iDataNo, i);
  EXPECT_STREQ(table_->rows[2].szListLine, " P2......................1962年 5月 6日");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(DataFile, ReadsUpTo1024RowsAndSaysWhenAFileHasMore) {
  WriteRows(Path("full.bd5"), 1024);
  EXPECT_EQ(ReadBirthDataFile(Path("full.bd5").c_str(), table_.get()), 1024);
  EXPECT_STREQ(table_->rows[1023].szName, "P1023");
  EXPECT_TRUE(Boxes().empty());
  WriteRows(Path("big.bd5"), 1500);
  EXPECT_EQ(ReadBirthDataFile(Path("big.bd5").c_str(), table_.get()), 1024);
  EXPECT_EQ(table_->iNumData, 1024);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].kind, "AppOkMsg");
  EXPECT_EQ(Boxes()[0].lines[0], Path("big.bd5"));
  EXPECT_EQ(Boxes()[0].lines[1], "1024件を超えるデータがあるので、1024件めまでを読み込みました");
  EXPECT_EQ(Boxes()[0].lines[2], "このファイルには上書き保存しません");
}

// The table of a file with more rows than it holds is never written over
// that file: not by a save point, not at a "新規作成"; "名前を付けて保存"
// to another file still writes every row the table holds.
TEST_F(DataFile, AFileOfMoreRowsThanTheTableIsNeverWrittenOver) {
  SystemIniInf sii;
  ResetSettings(&sii);
  FileState files{};
  PrepareFileDialog(&files, nullptr);
  WriteRows(Path("big.bd5"), 1500);
  const std::string before = ReadBytes(Path("big.bd5"));
  ASSERT_EQ(OpenFileAsCurrent(Path("big.bd5").c_str(), table_.get(), &sii, nullptr), 1024);
  DeleteRow(table_.get(), 0);
  const auto saves = {
      std::function<int()>([&] { return SaveCurrentFile(table_.get(), &sii); }),
      std::function<int()>([&] { return OpenFileCommand(false, &sii, &files, table_.get(), nullptr); }),
      std::function<int()>([&] { return SaveAsCommand(false, &sii, &files, table_.get(), nullptr); }),
  };
  for (const auto& save : saves) {
    NativeClearBoxes();
    EXPECT_EQ(save(), 0);
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes()[0].kind, "AppOkMsg");
    EXPECT_EQ(Boxes()[0].lines[1], Path("big.bd5"));
    EXPECT_EQ(Boxes()[0].lines[2], "1024件を超えるデータがあるファイルなので、上書き保存しません");
    EXPECT_TRUE(ReadBytes(Path("big.bd5")) == before);
  }
  NativeClearBoxes();
  EXPECT_EQ(NewFileCommand(&sii, &files, table_.get(), nullptr), 1);
  EXPECT_EQ(Boxes().back().lines[2], "1024件を超えるデータがあるファイルなので、上書き保存しません");
  EXPECT_TRUE(ReadBytes(Path("big.bd5")) == before);

  ASSERT_EQ(OpenFileAsCurrent(Path("big.bd5").c_str(), table_.get(), &sii, nullptr), 1024);
  NativeQueueFileDialogAnswer(Path("part.bd5").c_str());
  EXPECT_EQ(SaveAsCommand(true, &sii, &files, table_.get(), nullptr), 1);
  EXPECT_EQ(ReadBytes(Path("part.bd5")).size(), 1024 * sizeof(BirthRecord));
  EXPECT_EQ(std::string(sii.szDataFile), Path("part.bd5"));
  EXPECT_EQ(SaveCurrentFile(table_.get(), &sii), 1);
}

// A file that exists but that the program may not read is not a missing
// or an empty one: reading says why, writing leaves it as it was, and the
// sample is not put in its place.
TEST_F(DataFile, AFileThatCannotBeReadIsRefusedAndLeftAlone) {
  const std::string locked = Path("locked.bd5");
  const std::string sample = Cp932ToUtf8(Path("出生ﾃﾞｰﾀ.Bd5"));
  WriteRows(locked, 600);
  WriteRows(sample, 3);
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);
  ASSERT_EQ(chmod(sample.c_str(), 0), 0);
  const std::string before = ReadBytes(locked);
  const int iFailed = InChild(
      [&] {
        int iBad = 0;
        table_->iNumData = 0;
        if (ReadBirthDataFile(locked.c_str(), table_.get()) != 0) iBad |= 1;
        if (Boxes().empty() || Boxes().back().lines[3] != "読み取りが許可されていません") iBad |= 2;
        table_->rows[0] = Row("New", 2000, 1, 1);
        table_->iNumData = 1;
        if (WriteBirthDataFile(table_.get(), locked.c_str()) != 0) iBad |= 4;
        if (Boxes().back().lines[3] != "読み取れないファイルなので書き込みません") iBad |= 8;
        SystemIniInf sii;
        ResetSettings(&sii);
        FileState files{};
        CreateSampleFile(&sii, &files, table_.get(), nullptr);
        if (strcmp(sii.szDataFile, "無題.bd5") != 0) iBad |= 16;
        return iBad;
      },
      true);
  EXPECT_EQ(iFailed, 0);
  EXPECT_TRUE(ReadBytes(locked) == before);
  EXPECT_EQ(ReadBytes(sample).size(), 3 * sizeof(BirthRecord));
}

TEST_F(DataFile, OneBadRowMakesTheWholeFileCorruptAndKeepsTheTable) {
  struct Case {
    const char* label;
    void (*spoil)(BirthRecord*);
  };
  const Case cases[] = {
      {"month 0", [](BirthRecord* r) { r->time.month = 0; }},
      {"empty name", [](BirthRecord* r) { r->szName[0] = '\0'; }},
      {"51-byte name", [](BirthRecord* r) { memset(r->szName, 'n', 51); r->szName[51] = '\0'; }},
      {"wrong magic", [](BirthRecord* r) { r->dwMagic = 0x0AAA0400u; }},
      {"NaN seconds", [](BirthRecord* r) { r->time.second = std::nan(""); }},
      {"infinite latitude", [](BirthRecord* r) { r->dBirthLat = INFINITY; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    // The table holds the current file's two rows.
    table_->rows[0] = Row("Keep0", 1970, 1, 1);
    table_->rows[1] = Row("Keep1", 1971, 1, 1);
    table_->iNumData = 2;
    BirthRecord rows[3] = {Row("A", 1980, 1, 2), Row("B", 1981, 3, 4), Row("C", 1982, 5, 6)};
    c.spoil(&rows[2]);
    WriteBytes(Path("bad.bd5"), rows, sizeof rows);
    NativeClearBoxes();
    EXPECT_EQ(ReadBirthDataFile(Path("bad.bd5").c_str(), table_.get()), 0);
    EXPECT_EQ(table_->iNumData, 2);
    // The rows read before the bad one did not enter the table.
    EXPECT_STREQ(table_->rows[0].szName, "Keep0");
    EXPECT_STREQ(table_->rows[1].szName, "Keep1");
    ASSERT_GE(Boxes().size(), 2u);
    const ShownBox& corrupt = Boxes()[Boxes().size() - 2];
    EXPECT_EQ(corrupt.lines[0], "エラー");
    EXPECT_EQ(corrupt.lines[1], Path("bad.bd5"));
    EXPECT_EQ(corrupt.lines[2], "ファイルが壊れています");
    const ShownBox& zero = Boxes().back();
    EXPECT_EQ(zero.lines[0], Path("bad.bd5"));
    EXPECT_EQ(zero.lines[1], "このファイルのデータ登録件数はゼロ");
    EXPECT_EQ(zero.lines[2], "またはファイルが壊れていて読み込めません");
  }
}

TEST_F(DataFile, MonthZeroShowsTheDateBoxesFirst) {
  BirthRecord r = Row("A", 1980, 0, 2);
  WriteBytes(Path("m0.bd5"), &r, sizeof r);
  ReadBirthDataFile(Path("m0.bd5").c_str(), table_.get());
  ASSERT_EQ(Boxes().size(), 4u);
  EXPECT_EQ(Boxes()[0].title, "Horomira：ﾃﾞｰﾀの読み込み");
  EXPECT_EQ(Boxes()[1].title, "無効なデータ");
  EXPECT_EQ(Boxes()[2].lines[2], "ファイルが壊れています");
}

TEST_F(DataFile, FiftyByteNameIsAccepted) {
  BirthRecord r = Row("", 1980, 1, 2);
  memset(r.szName, 'n', 50);
  WriteBytes(Path("n50.bd5"), &r, sizeof r);
  EXPECT_EQ(ReadBirthDataFile(Path("n50.bd5").c_str(), table_.get()), 1);
}

TEST_F(DataFile, LeapSecondAfter2006IsAcceptedAfterItsBox) {
  BirthRecord r = Row("Leap", 2012, 7, 1);
  r.time.hour = 8;
  r.time.minute = 59;
  r.time.second = 60.5;
  WriteBytes(Path("leap.bd5"), &r, sizeof r);
  EXPECT_EQ(ReadBirthDataFile(Path("leap.bd5").c_str(), table_.get()), 1);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].title, "Horomira：ﾃﾞｰﾀの読み込み");
  EXPECT_EQ(Boxes()[1].title, "未確認のうるう秒");
}

TEST_F(DataFile, TheLastFractionOfASecondIsNoCorruptRow) {
  BirthRecord r = Row("Late", 2000, 1, 1);
  r.time.second = 59.99999999;
  WriteBytes(Path("late.bd5"), &r, sizeof r);
  EXPECT_EQ(ReadBirthDataFile(Path("late.bd5").c_str(), table_.get()), 1);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(DataFile, MissingAndEmptyFilesAreReported) {
  table_->iNumData = 5;
  EXPECT_EQ(ReadBirthDataFile(Path("none.bd5").c_str(), table_.get()), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[0], "エラー");
  EXPECT_EQ(Boxes()[0].lines[1], Path("none.bd5"));
  EXPECT_EQ(Boxes()[0].lines[2], "上記のファイルをひらけません");
  EXPECT_EQ(Boxes()[0].lines[3], "すでにその場所に存在しないと思われます");
  NativeClearBoxes();
  WriteBytes(Path("empty.bd5"), "", 0);
  EXPECT_EQ(ReadBirthDataFile(Path("empty.bd5").c_str(), table_.get()), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[1], "このファイルのデータ登録件数はゼロ");
  EXPECT_EQ(table_->iNumData, 5);
}

TEST_F(DataFile, UnterminatedPlaceNamesAreEndedInTheirFields) {
  BirthRecord r = Row("A", 1980, 1, 2);
  memset(r.szBirthPlace, 'p', sizeof r.szBirthPlace);
  WriteBytes(Path("p.bd5"), &r, sizeof r);
  ASSERT_EQ(ReadBirthDataFile(Path("p.bd5").c_str(), table_.get()), 1);
  EXPECT_EQ(strlen(table_->rows[0].szBirthPlace), sizeof r.szBirthPlace - 1);
}

TEST_F(DataFile, WritesExactlyTheRowsWithTheirMagicWord) {
  table_->rows[0] = Row("A", 1980, 1, 2);
  table_->rows[1] = Row("B", 1981, 2, 3);
  table_->rows[1].dwMagic = 0;
  table_->iNumData = 2;
  ASSERT_EQ(WriteBirthDataFile(table_.get(), Path("w.bd5").c_str()), 1);
  const std::string bytes = ReadBytes(Path("w.bd5"));
  ASSERT_EQ(bytes.size(), 2 * sizeof(BirthRecord));
  EXPECT_EQ(memcmp(bytes.data(), &table_->rows[0], 2 * sizeof(BirthRecord)), 0);
  EXPECT_EQ(bytes.substr(312 + 302, 4), std::string("\x00\x05\xAA\x0A", 4));
  EXPECT_FALSE(Exists(Path("w.bd5.tmp")));
  // A full table writes every row, and they all read back.
  for (int i = 0; i < kTableSlots; ++i) table_->rows[i] = Row(("R" + std::to_string(i)).c_str(), 1990, 1, 1);
  table_->iNumData = kTableSlots;
  ASSERT_EQ(WriteBirthDataFile(table_.get(), Path("w.bd5").c_str()), 1);
  EXPECT_EQ(ReadBytes(Path("w.bd5")).size(), kTableSlots * sizeof(BirthRecord));
  memset(table_.get(), 0, sizeof(BirthTable));
  EXPECT_EQ(ReadBirthDataFile(Path("w.bd5").c_str(), table_.get()), kTableSlots);
  EXPECT_STREQ(table_->rows[1023].szName, "R1023");
}

TEST_F(DataFile, AFailedWriteLeavesTheOldFileIntact) {
  WriteRows(Path("keep.bd5"), 3);
  const std::string before = ReadBytes(Path("keep.bd5"));
  for (int i = 0; i < 10; ++i) table_->rows[i] = Row("New", 2001, 1, 1);
  table_->iNumData = 10;
  // The disk fails after the first two rows and a half.
  NativeFailWritesAfter(2 * 312 + 100);
  EXPECT_EQ(WriteBirthDataFile(table_.get(), Path("keep.bd5").c_str()), 0);
  NativeFailWritesAfter(-1);
  EXPECT_EQ(ReadBytes(Path("keep.bd5")), before);
  EXPECT_FALSE(Exists(Path("keep.bd5.tmp")));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[1], "!fwrite at WriteBirthDataFile");
  EXPECT_EQ(Boxes()[0].lines[2], Path("keep.bd5"));
  // A failed replacement also keeps it.
  NativeClearBoxes();
  NativeFailNextReplace();
  EXPECT_EQ(WriteBirthDataFile(table_.get(), Path("keep.bd5").c_str()), 0);
  EXPECT_EQ(ReadBytes(Path("keep.bd5")), before);
  EXPECT_FALSE(Exists(Path("keep.bd5.tmp")));
}

TEST_F(DataFile, AFileThatCannotBeCreatedIsReported) {
  table_->iNumData = 0;
  EXPECT_EQ(WriteBirthDataFile(table_.get(), Path("no/such/dir.bd5").c_str()), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[0], "エラー");
  EXPECT_EQ(Boxes()[0].lines[1], "not open in w-mode");
  EXPECT_EQ(Boxes()[0].lines[2], Path("no/such/dir.bd5"));
}

TEST_F(DataFile, AppendsUpTo1024Rows) {
  BirthRecord r = Row("New", 2000, 1, 1);
  r.bSave = 1;
  table_->iNumData = 3;
  EXPECT_EQ(AppendRow(&r, table_.get(), 0), 4);
  EXPECT_EQ(table_->rows[3].iDataNo, 3);
  EXPECT_EQ(table_->rows[3].bSave, 0);
  EXPECT_STREQ(table_->rows[3].szListLine, " New.....................2000年 1月 1日");
  // A slot past the end appends after the last row: no empty rows between.
  EXPECT_EQ(AppendRow(&r, table_.get(), 9), 5);
  EXPECT_EQ(table_->iNumData, 5);
  // Storing into a row in use keeps the rows after it.
  EXPECT_EQ(AppendRow(&r, table_.get(), 1), 2);
  EXPECT_EQ(table_->iNumData, 5);
  EXPECT_TRUE(Boxes().empty());

  // Rows past the 1000th are kept like any other.
  table_->iNumData = 1000;
  EXPECT_EQ(AppendRow(&r, table_.get(), 0), 1001);
  EXPECT_TRUE(Boxes().empty());

  NativeClearBoxes();
  table_->iNumData = 1024;
  const BirthRecord last = table_->rows[1023];
  EXPECT_EQ(AppendRow(&r, table_.get(), 0), 0);
  EXPECT_EQ(table_->iNumData, 1024);
  EXPECT_EQ(memcmp(&table_->rows[1023], &last, sizeof last), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "このﾌｧｲﾙはすでに一杯です。ほかのﾌｧｲﾙを新規作成してください。");
  EXPECT_EQ(Boxes()[0].style, kMbOk | kMbIconWarning);
}

TEST_F(DataFile, DeletingRowZeroMovesTheOthersDown) {
  table_->rows[0] = Row("A", 1980, 1, 1);
  table_->rows[1] = Row("B", 1981, 1, 1);
  table_->rows[2] = Row("C", 1982, 1, 1);
  table_->rows[1].iDataNo = 1;
  table_->rows[2].iDataNo = 2;
  table_->iNumData = 3;
  EXPECT_EQ(DeleteRow(table_.get(), 0), 1);
  EXPECT_EQ(table_->iNumData, 2);
  EXPECT_STREQ(table_->rows[0].szName, "B");
  EXPECT_STREQ(table_->rows[1].szName, "C");
  EXPECT_EQ(table_->rows[0].iDataNo, 1);  // renumbered at the next read
  EXPECT_EQ(DeleteRow(table_.get(), 2), 0);
  EXPECT_EQ(DeleteRow(table_.get(), -1), 0);
  EXPECT_EQ(table_->iNumData, 2);
}

TEST(ClassifyPath, ByTheLastFourCharacters) {
  EXPECT_EQ(ClassifyPath("\"C:\\データ\\Family.BD5\""), 50);
  EXPECT_EQ(ClassifyPath("a.bd5"), 50);
  EXPECT_EQ(ClassifyPath("a.Cd5"), 51);
  EXPECT_EQ(ClassifyPath("\"x.TXT\""), 54);
  EXPECT_EQ(ClassifyPath("a.bd6"), 0);
  EXPECT_EQ(ClassifyPath("bd5"), 0);
  EXPECT_EQ(ClassifyPath("\""), 0);
  EXPECT_EQ(ClassifyPath(""), 0);
}

TEST(Paths, QuotesJoiningAndComparing) {
  char s[32] = "\"a b.bd5\"";
  EXPECT_STREQ(StripQuotes(s), "a b.bd5");
  char q[4] = "\"";
  EXPECT_STREQ(StripQuotes(q), "\"");
  char out[64];
  char sep[2] = {kPathSeparator, '\0'};
  ASSERT_EQ(JoinPath(out, sizeof out, "dir", "f.bd5"), 1);
  EXPECT_EQ(std::string(out), std::string("dir") + sep + "f.bd5");
  // A folder ending in the trail byte 0x5C of 表 still gets its separator.
  ASSERT_EQ(JoinPath(out, sizeof out, "表", "f"), 1);
  EXPECT_EQ(std::string(out), std::string("表") + sep + "f");
  EXPECT_EQ(JoinPath(out, 8, "dir", "file.bd5"), 0);
  EXPECT_TRUE(SamePath("C:\\Data\\A.BD5", "c:\\data\\a.bd5"));
  // ア (83 41) and ヂ (83 61) differ only by the case of a trail byte.
  EXPECT_FALSE(SamePath("ア.bd5", "ヂ.bd5"));
}

TEST_F(DataFile, RecentFilesMoveToTheTopAndDropTheOldest) {
  SystemIniInf sii;
  ResetSettings(&sii);
  int iMenu = 0;
  MenuRef hMenu = &iMenu;
  for (int i = 0; i < 10; ++i) AddRecentFile(("f" + std::to_string(i) + ".bd5").c_str(), &sii, hMenu, 0);
  // The default file fell off; f9 is first.
  ASSERT_EQ(sii.nRecent, 10);
  EXPECT_STREQ(sii.szRecent[0], "f9.bd5");
  EXPECT_STREQ(sii.szRecent[9], "f0.bd5");
  // A listed path (case aside) moves to the top; the count stays.
  AddRecentFile("F3.BD5", &sii, hMenu, 0);
  EXPECT_EQ(sii.nRecent, 10);
  EXPECT_STREQ(sii.szRecent[0], "F3.BD5");
  EXPECT_STREQ(sii.szRecent[1], "f9.bd5");
  EXPECT_STREQ(sii.szRecent[6], "f4.bd5");
  EXPECT_STREQ(sii.szRecent[7], "f2.bd5");
  // An eleventh path drops the oldest.
  AddRecentFile("new.bd5", &sii, hMenu, 0);
  EXPECT_EQ(sii.nRecent, 10);
  EXPECT_STREQ(sii.szRecent[0], "new.bd5");
  EXPECT_STREQ(sii.szRecent[9], "f1.bd5");
  // The menu: "&1 ..." .. "&9 ...", then "&0 ...", commands from 45700.
  const auto& items = NativeRecentMenuItems();
  ASSERT_EQ(items.size(), 10u);
  EXPECT_EQ(items[0], "&1 new.bd5");
  EXPECT_EQ(items[9], "&0 f1.bd5");
  EXPECT_EQ(NativeRecentMenuFirstCommand(), 45700);
  EXPECT_EQ(NativeRecentMenuDefault(), 45700);
  // Position 1 keeps the current file first; a bad position means 1.
  AddRecentFile("note.txt", &sii, hMenu, 1);
  EXPECT_STREQ(sii.szRecent[0], "new.bd5");
  EXPECT_STREQ(sii.szRecent[1], "note.txt");
  AddRecentFile("other.txt", &sii, hMenu, 12);
  EXPECT_STREQ(sii.szRecent[1], "other.txt");
  EXPECT_STREQ(sii.szRecent[2], "note.txt");
  // A listed path asked to move down is moved, not duplicated.
  AddRecentFile("new.bd5", &sii, hMenu, 1);
  EXPECT_STREQ(sii.szRecent[0], "other.txt");
  EXPECT_STREQ(sii.szRecent[1], "new.bd5");
  EXPECT_STREQ(sii.szRecent[2], "note.txt");
}

TEST_F(DataFile, AnEmptyRecentListReceivesTheCurrentFile) {
  SystemIniInf sii;
  ResetSettings(&sii);
  sii.nRecent = 0;
  snprintf(sii.szDataFile, sizeof sii.szDataFile, "cur.bd5");
  AddRecentFile("x.txt", &sii, nullptr, 1);
  EXPECT_EQ(sii.nRecent, 1);
  EXPECT_STREQ(sii.szRecent[0], "x.txt");  // no gap before position 1
  sii.nRecent = 0;
  RebuildRecentMenu(&sii, nullptr);
  EXPECT_EQ(sii.nRecent, 1);
  EXPECT_STREQ(sii.szRecent[0], "cur.bd5");
}

TEST_F(DataFile, OpenByArgumentDispatchesByExtension) {
  SystemIniInf sii;
  ResetSettings(&sii);
  snprintf(sii.szSiiPath, sizeof sii.szSiiPath, "%s", Path("Horom.sii").c_str());
  FileState files{};
  WriteRows(Path("Fam.BD5"), 4);
  const std::string quoted = "\"" + Path("Fam.BD5") + "\"";
  EXPECT_EQ(OpenByArgument(quoted.c_str(), &sii, &files, table_.get(), nullptr), 50);
  EXPECT_EQ(table_->iNumData, 4);
  EXPECT_EQ(files.nPrevData, 4);
  EXPECT_EQ(std::string(files.szCaptionFile), Path("Fam.BD5"));
  EXPECT_EQ(std::string(sii.szDataFile), Path("Fam.BD5"));
  EXPECT_EQ(std::string(sii.szRecent[0]), Path("Fam.BD5"));
  EXPECT_TRUE(Boxes().empty());

  EXPECT_EQ(OpenByArgument("chart.cd5", &sii, &files, table_.get(), nullptr), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].title, "将来の拡張用");
  EXPECT_EQ(Boxes()[0].text, "chart.cd5");

  NativeClearBoxes();
  EXPECT_EQ(OpenByArgument("-x", &sii, &files, table_.get(), nullptr), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[0], "エラー");
  EXPECT_EQ(Boxes()[0].lines[1], "無効な引数");
  EXPECT_EQ(Boxes()[0].lines[2], "-x");

  // The hidden reset keeps the place where the record is saved.
  NativeClearBoxes();
  sii.bOrb = 8;
  EXPECT_EQ(OpenByArgument("\"@VELKOR\"", &sii, &files, table_.get(), nullptr), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].title, "テスト用隠しコマンド");
  EXPECT_EQ(Boxes()[0].text, "SystemIniInf を初期化します");
  EXPECT_EQ(sii.bOrb, 5);
  EXPECT_EQ(std::string(sii.szSiiPath), Path("Horom.sii"));

  // A file that does not read leaves the caption and the current file.
  NativeClearBoxes();
  EXPECT_EQ(OpenByArgument(Path("gone.bd5").c_str(), &sii, &files, table_.get(), nullptr), 0);
  EXPECT_EQ(std::string(files.szCaptionFile), Path("Fam.BD5"));
  EXPECT_EQ(table_->iNumData, 4);
}

TEST_F(DataFile, SampleRowsAreCompleteValidPeople) {
  for (int i = 0; i < 2; ++i) {
    BirthRecord r;
    MakeSampleRow(i, &r);
    EXPECT_EQ(r.iDataNo, i);
    EXPECT_EQ(std::string(r.szName), i == 0 ? "Sample Data 1" : "Sample Data 2");
    EXPECT_EQ(r.bTimeKnown, 1);
    EXPECT_EQ(r.bSecondsGiven, 0);
    EXPECT_EQ(r.iMarker, 1);
    EXPECT_GT(strlen(r.szBirthPlace), 0u);
    EXPECT_GT(strlen(r.szCurrentPlace), 0u);
    // Inside Japan.
    EXPECT_TRUE(r.dBirthLat > 24 && r.dBirthLat < 46 && r.dBirthLong > 122 && r.dBirthLong < 146);
    EXPECT_TRUE(r.dCurrentLat > 24 && r.dCurrentLat < 46 && r.dCurrentLong > 122 && r.dCurrentLong < 146);
    EXPECT_EQ(CheckFileRow(r), 1);
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(DataFile, TheSampleFileIsWrittenAtTheNextSavePoint) {
  SystemIniInf sii;
  ResetSettings(&sii);
  FileState files{};
  EXPECT_EQ(CreateSampleFile(&sii, &files, table_.get(), nullptr), 2);
  EXPECT_EQ(table_->iNumData, 2);
  const std::string path = Path("出生ﾃﾞｰﾀ.Bd5");
  EXPECT_EQ(std::string(sii.szDataFile), path);
  EXPECT_EQ(std::string(files.szCaptionFile), path);
  EXPECT_EQ(std::string(sii.szRecent[0]), path);
  EXPECT_FALSE(Exists(Cp932ToUtf8(path)));
  ASSERT_EQ(SaveCurrentFile(table_.get(), &sii), 1);
  EXPECT_EQ(ReadBytes(Cp932ToUtf8(path)).size(), 2 * sizeof(BirthRecord));
}

TEST_F(DataFile, TheSampleNeverOverwritesAUsersFile) {
  SystemIniInf sii;
  ResetSettings(&sii);
  FileState files{};
  const std::string path = Path("出生ﾃﾞｰﾀ.Bd5");
  WriteRows(Cp932ToUtf8(path), 7);
  EXPECT_EQ(CreateSampleFile(&sii, &files, table_.get(), nullptr), 7);
  EXPECT_EQ(std::string(sii.szDataFile), path);
  EXPECT_STREQ(table_->rows[0].szName, "P0");
  // An unreadable file there: the sample is untitled, the file stays.
  BirthRecord bad = Row("X", 1990, 13, 1);
  WriteBytes(Cp932ToUtf8(path), &bad, sizeof bad);
  NativeClearBoxes();
  EXPECT_EQ(CreateSampleFile(&sii, &files, table_.get(), nullptr), 2);
  EXPECT_STREQ(sii.szDataFile, "無題.bd5");
  EXPECT_STREQ(files.szCaptionFile, "無題.bd5");
  EXPECT_EQ(ReadBytes(Cp932ToUtf8(path)).size(), sizeof bad);
}

TEST_F(DataFile, FileDialogsAndTheFileCommands) {
  SystemIniInf sii;
  ResetSettings(&sii);
  FileState files{};
  int iOwner = 0;
  PrepareFileDialog(&files, &iOwner);
  table_->rows[0] = Row("A", 1980, 1, 1);
  table_->iNumData = 1;
  table_->bHoldsFile = 1;
  snprintf(sii.szDataFile, sizeof sii.szDataFile, "%s", Path("cur.bd5").c_str());

  // Save as: save point, dialog, write, recent, current, caption.
  NativeQueueFileDialogAnswer(Path("copy.bd5").c_str());
  EXPECT_EQ(SaveAsCommand(false, &sii, &files, table_.get(), nullptr), 1);
  ASSERT_EQ(NativeShownFileDialogs().size(), 1u);
  const ShownFileDialog& d = NativeShownFileDialogs()[0];
  EXPECT_EQ(d.kind, kFileDialogSave);
  EXPECT_EQ(d.owner, &iOwner);
  EXPECT_EQ(d.filter, "出生データ(*.bd5)|*.bd5");
  EXPECT_EQ(d.nFilterIndex, 1u);
  EXPECT_EQ(d.dwFlags, 0x1000u | 0x4u | 0x2u);
  EXPECT_EQ(d.defExt, "bd5");
  EXPECT_EQ(d.cbFile, 260u);
  EXPECT_EQ(d.cbFileTitle, 260u);
  EXPECT_TRUE(Exists(Path("cur.bd5")));
  EXPECT_TRUE(Exists(Path("copy.bd5")));
  EXPECT_EQ(std::string(sii.szDataFile), Path("copy.bd5"));
  EXPECT_EQ(std::string(files.szCaptionFile), Path("copy.bd5"));
  EXPECT_STREQ(files.szFileTitle, "copy.bd5");

  // Save as a text name: position 1, the current file stays.
  NativeQueueFileDialogAnswer(Path("list.txt").c_str());
  EXPECT_EQ(SaveAsCommand(true, &sii, &files, table_.get(), nullptr), 1);
  EXPECT_EQ(std::string(sii.szDataFile), Path("copy.bd5"));
  EXPECT_EQ(std::string(sii.szRecent[1]), Path("list.txt"));

  // New: confirmation, the previous file is remembered and written.
  table_->rows[1] = Row("B", 1981, 1, 1);
  table_->iNumData = 2;
  NativeQueueAnswer(kIdCancel);
  EXPECT_EQ(NewFileCommand(&sii, &files, table_.get(), nullptr), 0);
  EXPECT_EQ(table_->iNumData, 2);
  EXPECT_EQ(NewFileCommand(&sii, &files, table_.get(), nullptr), 1);
  EXPECT_EQ(Boxes().back().lines[0], "確認");
  EXPECT_EQ(Boxes().back().lines[1], "出生データファイル (.bd5) を新規作成します");
  EXPECT_EQ(table_->iNumData, 0);
  EXPECT_STREQ(sii.szDataFile, "無題.bd5");
  EXPECT_STREQ(files.szCaptionFile, "無題.bd5");
  EXPECT_EQ(std::string(files.szPrevFile), Path("copy.bd5"));
  EXPECT_EQ(files.nPrevData, 2);
  EXPECT_EQ(ReadBytes(Path("copy.bd5")).size(), 2 * sizeof(BirthRecord));

  // Open: a cancelled dialog opens nothing; a chosen file opens.
  snprintf(sii.szDataFile, sizeof sii.szDataFile, "%s", Path("copy.bd5").c_str());
  EXPECT_EQ(OpenFileCommand(true, &sii, &files, table_.get(), nullptr), 0);
  NativeQueueFileDialogAnswer(Path("cur.bd5").c_str());
  EXPECT_EQ(OpenFileCommand(true, &sii, &files, table_.get(), nullptr), 50);
  EXPECT_EQ(table_->iNumData, 1);
  EXPECT_EQ(NativeShownFileDialogs().back().kind, kFileDialogOpen);

  // A recent file: the table is saved first, then the slot opens.
  BirthRecord r = Row("Added", 1999, 9, 9);
  AppendRow(&r, table_.get(), 0);
  ASSERT_EQ(std::string(sii.szRecent[1]), Path("copy.bd5"));
  EXPECT_EQ(OpenRecentFileCommand(45701, &sii, &files, table_.get(), nullptr), 50);
  EXPECT_EQ(ReadBytes(Path("cur.bd5")).size(), 2 * sizeof(BirthRecord));
  EXPECT_EQ(std::string(sii.szRecent[0]), Path("copy.bd5"));
  EXPECT_EQ(OpenRecentFileCommand(45709, &sii, &files, table_.get(), nullptr), 0);
}

// After a start whose read failed the table holds no file: no save point,
// no command and no exit writes it over the file it could not read; the
// first person filed starts an untitled file, whose rows are never written
// without a name, and are kept beside the program when the program ends
// without one.
TEST_F(DataFile, ATableThatNeverHeldItsFileIsNeverWrittenOverIt) {
  SystemIniInf sii;
  ResetSettings(&sii);
  FileState files{};
  PrepareFileDialog(&files, nullptr);
  BirthRecord bad = Row("X", 1990, 13, 1);
  WriteBytes(Path("last.bd5"), &bad, sizeof bad);
  const std::string before = ReadBytes(Path("last.bd5"));
  snprintf(sii.szDataFile, sizeof sii.szDataFile, "%s", Path("last.bd5").c_str());
  EXPECT_EQ(OpenByArgument(sii.szDataFile, &sii, &files, table_.get(), nullptr), 0);
  EXPECT_EQ(table_->bHoldsFile, 0);
  snprintf(files.szPrevFile, sizeof files.szPrevFile, "%s", sii.szDataFile);  // as the start does

  EXPECT_EQ(SaveCurrentFile(table_.get(), &sii), 1);
  EXPECT_EQ(OpenFileCommand(false, &sii, &files, table_.get(), nullptr), 0);  // dialog cancelled
  EXPECT_EQ(NewFileCommand(&sii, &files, table_.get(), nullptr), 1);
  EXPECT_STREQ(sii.szDataFile, "無題.bd5");
  LeaveUntitledFile(&sii, &files, table_.get());
  EXPECT_EQ(std::string(sii.szDataFile), Path("last.bd5")) << "the settings keep naming the last file";
  SaveAtExit(&sii, &files, table_.get(), nullptr);
  EXPECT_TRUE(ReadBytes(Path("last.bd5")) == before);

  BirthRecord person = Row("山田花子", 1985, 4, 12);
  EXPECT_EQ(FileNewRow(&person, table_.get(), &sii, &files), 1);
  EXPECT_STREQ(sii.szDataFile, "無題.bd5");
  EXPECT_STREQ(files.szCaptionFile, "無題.bd5");
  NativeClearBoxes();
  EXPECT_EQ(SavePoint(&sii, &files, table_.get(), nullptr), 0) << "no name given: the command stops";
  ASSERT_FALSE(Boxes().empty());
  EXPECT_EQ(Boxes()[0].lines[0], "新規ファイル");
  EXPECT_EQ(Boxes()[0].lines[2], "ファイル名を付けてください。");
  EXPECT_EQ(SaveCurrentFile(table_.get(), &sii), 1);
  EXPECT_FALSE(Exists(Cp932ToUtf8(Path("無題.bd5"))));
  EXPECT_TRUE(ReadBytes(Path("last.bd5")) == before);

  // The program ends without a name: the rows go beside the program.
  SaveAtExit(&sii, &files, table_.get(), nullptr);
  EXPECT_EQ(std::string(sii.szDataFile), Path("無題.bd5"));
  EXPECT_EQ(ReadBytes(Cp932ToUtf8(Path("無題.bd5"))).size(), sizeof(BirthRecord));
  EXPECT_EQ(NewFileCommand(&sii, &files, table_.get(), nullptr), 1);
  EXPECT_EQ(FileNewRow(&person, table_.get(), &sii, &files), 1);
  SaveAtExit(&sii, &files, table_.get(), nullptr);
  EXPECT_EQ(std::string(sii.szDataFile), Path("無題 (2).bd5")) << "an earlier one is never written over";
  EXPECT_EQ(ReadBytes(Cp932ToUtf8(Path("無題.bd5"))).size(), sizeof(BirthRecord));
  EXPECT_TRUE(ReadBytes(Path("last.bd5")) == before);
}

// "新規作成", a person filed and deleted, then closing with OK: the previous
// file becomes current again exactly as "新規作成" wrote it; opening another
// file makes that one the previous file, path and rows together.
TEST_F(DataFile, GivingUpAnUntitledFileLeavesThePreviousFileAsItWas) {
  SystemIniInf sii;
  ResetSettings(&sii);
  FileState files{};
  PrepareFileDialog(&files, nullptr);
  WriteRows(Path("a.bd5"), 2);
  WriteRows(Path("c.bd5"), 5);
  ASSERT_EQ(OpenByArgument(Path("a.bd5").c_str(), &sii, &files, table_.get(), nullptr), 50);
  ASSERT_EQ(NewFileCommand(&sii, &files, table_.get(), nullptr), 1);
  const std::string written = ReadBytes(Path("a.bd5"));
  BirthRecord person = Row("消す人", 2001, 2, 3);
  ASSERT_EQ(FileNewRow(&person, table_.get(), &sii, &files), 1);
  ASSERT_EQ(DeleteRow(table_.get(), 0), 1);
  LeaveUntitledFile(&sii, &files, table_.get());
  SaveAtExit(&sii, &files, table_.get(), nullptr);
  EXPECT_EQ(std::string(sii.szDataFile), Path("a.bd5"));
  EXPECT_TRUE(ReadBytes(Path("a.bd5")) == written);
  EXPECT_EQ(written.size(), 2 * sizeof(BirthRecord));

  ASSERT_EQ(OpenByArgument(Path("c.bd5").c_str(), &sii, &files, table_.get(), nullptr), 50);
  EXPECT_EQ(std::string(files.szPrevFile), Path("c.bd5"));
  EXPECT_EQ(files.nPrevData, 5);
}

// Files given by a relative name are kept by their full path, and a save
// point that cannot write stops the command with the table as it was.
TEST_F(DataFile, PathsAreFullAndAFailedSavePointKeepsTheRows) {
  SystemIniInf sii;
  ResetSettings(&sii);
  FileState files{};
  PrepareFileDialog(&files, nullptr);
  WriteRows(Path("rel.bd5"), 3);
  ASSERT_EQ(OpenByArgument("\"rel.bd5\"", &sii, &files, table_.get(), nullptr), 50);
  EXPECT_EQ(std::string(sii.szDataFile), Path("rel.bd5"));
  EXPECT_EQ(std::string(sii.szRecent[0]), Path("rel.bd5"));
  EXPECT_EQ(std::string(files.szCaptionFile), Path("rel.bd5"));
  EXPECT_EQ(std::string(files.szPrevFile), Path("rel.bd5"));

  snprintf(sii.szDataFile, sizeof sii.szDataFile, "%s", Path("gone/rel.bd5").c_str());
  NativeClearBoxes();
  EXPECT_EQ(OpenRecentFileCommand(45700, &sii, &files, table_.get(), nullptr), 0);
  EXPECT_EQ(NewFileCommand(&sii, &files, table_.get(), nullptr), 0);
  EXPECT_EQ(table_->iNumData, 3);
  EXPECT_TRUE(NativeShownFileDialogs().empty());
  EXPECT_TRUE(Shown("not open in w-mode"));

  // Untitled rows named at a recent file's save point: the slot chosen
  // before the name was added is the one opened.
  WriteRows(Path("b.bd5"), 1);
  AddRecentFile(Path("b.bd5").c_str(), &sii, nullptr, 0);
  ASSERT_EQ(NewFileCommand(&sii, &files, table_.get(), nullptr), 0);  // still the unwritable file
  snprintf(sii.szDataFile, sizeof sii.szDataFile, "%s", Path("rel.bd5").c_str());
  ASSERT_EQ(NewFileCommand(&sii, &files, table_.get(), nullptr), 1);
  BirthRecord person = Row("新人", 1999, 9, 9);
  FileNewRow(&person, table_.get(), &sii, &files);
  NativeQueueFileDialogAnswer(Path("named.bd5").c_str());
  EXPECT_EQ(OpenRecentFileCommand(45700, &sii, &files, table_.get(), nullptr), 50);
  EXPECT_EQ(ReadBytes(Path("named.bd5")).size(), sizeof(BirthRecord));
  EXPECT_EQ(std::string(sii.szDataFile), Path("b.bd5"));
  EXPECT_EQ(table_->iNumData, 1);
  EXPECT_STREQ(table_->rows[0].szName, "P0");
}

}  // namespace

// horomira data: the command-line tool on real files.
#include <sys/wait.h>

#include "cli_test_support.h"
#include "persist_fixture.h"

namespace {

using CliData = PersistTest;

TEST_F(CliData, AddListShowDelete) {
  const std::string file = "'" + Path("family.bd5") + "'";
  CliResult r = RunCli("data add " + file + " --name 山田花子 --date 1985-03-15T07:42 --lat 35.65 --lon 139.75");
  ASSERT_EQ(r.iExit, 0) << r.All();
  r = RunCli("data add " + file + " --name 鈴木一郎 --date 1990-02-03 --unknown-time --lat 43.0667 --lon 141.35");
  ASSERT_EQ(r.iExit, 0) << r.All();
  r = RunCli("data add " + file + " --name 佐藤 --date 2001-11-20T23:05:30.5 --place 札幌");
  ASSERT_EQ(r.iExit, 0) << r.All();

  // The file holds the two rows as the program would have written them.
  ASSERT_EQ(ReadBirthDataFile(Path("family.bd5").c_str(), table_.get()), 3);
  const BirthRecord& c = table_->rows[2];
  EXPECT_STREQ(c.szBirthPlace, "札幌");
  EXPECT_DOUBLE_EQ(c.dBirthLat, 43.0 + 4.0 / 60.0);
  EXPECT_EQ(c.bSecondsGiven, 1);
  EXPECT_DOUBLE_EQ(c.time.second, 30.5);
  const BirthRecord& b = table_->rows[1];
  EXPECT_EQ(b.bTimeKnown, 0);
  EXPECT_EQ(b.time.hour, 12);
  EXPECT_EQ(b.bSave, 0);
  EXPECT_STREQ(b.szBirthPlace, "+43.0667 : +141.3500");
  EXPECT_DOUBLE_EQ(b.dBirthLat, 43.0667);

  r = RunCli("data list " + file);
  EXPECT_EQ(r.iExit, 0);
  EXPECT_EQ(r.All(),
            "   0 山田花子................1985年 3月15日  +35.6500 : +139.7500\n"
            "   1 鈴木一郎................1990年 2月 3日  +43.0667 : +141.3500\n"
            "   2 佐藤....................2001年11月20日  札幌\n");
  // The natal chart of the row, as the program shows it.
  r = RunCli("data show " + file + " 0");
  EXPECT_EQ(r.iExit, 0);
  EXPECT_NE(r.All().find("山田花子 － ネイタル"), std::string::npos) << r.All();
  EXPECT_NE(r.All().find("日本時間 1985年 3月15日  7時42分"), std::string::npos) << r.All();
  EXPECT_NE(r.All().find(" 太　陽  う　お　"), std::string::npos) << r.All();
  r = RunCli("data show " + file + " 3");
  EXPECT_EQ(r.iExit, 2);

  r = RunCli("data delete " + file + " 0");
  EXPECT_EQ(r.iExit, 0) << r.All();
  r = RunCli("data list " + file);
  EXPECT_EQ(r.All(),
            "   0 鈴木一郎................1990年 2月 3日  +43.0667 : +141.3500\n"
            "   1 佐藤....................2001年11月20日  札幌\n");
}

TEST_F(CliData, BadInputWritesNothing) {
  const std::string file = "'" + Path("f.bd5") + "'";
  WriteRows(Path("f.bd5"), 2);
  const std::string before = ReadBytes(Path("f.bd5"));
  const char* const bad[] = {
      "--name A --date 1990-02-30 --lat 35 --lon 135",         // no such day
      "--name A --date 1990-07-01T08:59:60 --lat 35 --lon 135",  // no such leap second
      "--name '' --date 1990-02-03 --lat 35 --lon 135",         // no name
      "--name 1234567890123456789012345678901 --date 1990-02-03 --lat 35 --lon 135",
      "--name A --date 1990-02-03 --lat 91 --lon 135",
      "--name A --date 1990-02-03T10:00 --unknown-time --lat 35 --lon 135",
      "--name A --date 8001-01-01 --lat 35 --lon 135",
      "--name A --date 1990-02-03 --place 火星",
      "--name A --date 1990-02-03 --place 札幌 --lat 35 --lon 135",
  };
  for (const char* args : bad) {
    SCOPED_TRACE(args);
    const CliResult r = RunCli("data add " + file + " " + args);
    EXPECT_EQ(r.iExit, 2) << r.All();
    EXPECT_FALSE(r.All().empty());
  }
  EXPECT_EQ(ReadBytes(Path("f.bd5")), before);
  EXPECT_FALSE(Exists(Path("f.bd5.tmp")));
}

TEST_F(CliData, FullAndCorruptFilesAreLeftAlone) {
  // Rows past the 1000th are kept.
  WriteRows(Path("many.bd5"), 1000);
  CliResult r = RunCli("data add '" + Path("many.bd5") + "' --name A --date 1990-02-03 --lat 35 --lon 135");
  EXPECT_EQ(r.iExit, 0) << r.All();
  EXPECT_EQ(ReadBytes(Path("many.bd5")).size(), 1001 * sizeof(BirthRecord));

  WriteRows(Path("full.bd5"), 1024);
  const std::string full = ReadBytes(Path("full.bd5"));
  r = RunCli("data add '" + Path("full.bd5") + "' --name A --date 1990-02-03 --lat 35 --lon 135");
  EXPECT_EQ(r.iExit, 2);
  EXPECT_NE(r.All().find("すでに一杯です"), std::string::npos) << r.All();
  EXPECT_TRUE(ReadBytes(Path("full.bd5")) == full);

  // More rows than the program keeps: rewriting would lose the rest.
  WriteRows(Path("huge.bd5"), 1500);
  const std::string huge = ReadBytes(Path("huge.bd5"));
  r = RunCli("data delete '" + Path("huge.bd5") + "' 0");
  EXPECT_EQ(r.iExit, 2);
  EXPECT_NE(r.All().find("1024件を超えるデータがあるファイルなので、上書き保存しません"), std::string::npos) << r.All();
  EXPECT_TRUE(ReadBytes(Path("huge.bd5")) == huge);
  r = RunCli("data list '" + Path("huge.bd5") + "'");
  EXPECT_EQ(r.iExit, 0);
  EXPECT_NE(r.err.find("1024件めまでを読み込みました"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("1023 P1023"), std::string::npos);

  BirthRecord rows[2] = {Row("A", 1980, 1, 1), Row("B", 1980, 1, 1)};
  rows[1].dwMagic = 0;
  WriteBytes(Path("bad.bd5"), rows, sizeof rows);
  r = RunCli("data add '" + Path("bad.bd5") + "' --name C --date 1990-02-03 --lat 35 --lon 135");
  EXPECT_EQ(r.iExit, 2);
  EXPECT_NE(r.All().find("ファイルが壊れています"), std::string::npos) << r.All();
  EXPECT_EQ(ReadBytes(Path("bad.bd5")).size(), sizeof rows);
  r = RunCli("data delete '" + Path("bad.bd5") + "' 0");
  EXPECT_EQ(r.iExit, 2);
  EXPECT_EQ(ReadBytes(Path("bad.bd5")).size(), sizeof rows);
}

// A name that would break the lists or steer the terminal, or that
// Shift-JIS cannot hold, is refused; a name read from a crafted file never
// reaches the terminal raw.
TEST_F(CliData, NamesWithControlsOrCharactersOutsideShiftJisAreRefused) {
  WriteRows(Path("f.bd5"), 2);
  const std::string before = ReadBytes(Path("f.bd5"));
  const std::string file = "'" + Path("f.bd5") + "'";
  struct Case {
    const char* szName;  // as the shell builds it
    const char* szMessage;
  };
  const Case cases[] = {
      {"\"$(printf 'a\\nb')\"", "名前に制御文字 (改行やエスケープなど) は使えません"},
      {"\"$(printf '\\033[31mRed')\"", "名前に制御文字 (改行やエスケープなど) は使えません"},
      {"\"$(printf 'tab\\tbed')\"", "名前に制御文字 (改行やエスケープなど) は使えません"},
      {"\"$(printf '\\355\\225\\234')\"", "Shift-JIS (CP932) で表せない文字を含む引数です: "},    // Hangul
      {"\"$(printf '\\360\\237\\230\\200')\"", "Shift-JIS (CP932) で表せない文字を含む引数です: "},  // an emoji
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.szName);
    CliResult r = RunCli("data add " + file + " --name " + c.szName + " --date 1990-02-03 --lat 35 --lon 135");
    EXPECT_EQ(r.iExit, 2);
    EXPECT_NE(r.err.find(c.szMessage), std::string::npos) << r.err;
    r = RunCli(std::string("chart --name ") + c.szName + " --date 1990-02-03");
    EXPECT_EQ(r.iExit, 2);
    EXPECT_NE(r.err.find(c.szMessage), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_TRUE(ReadBytes(Path("f.bd5")) == before);

  BirthRecord rows[2] = {Row("\x1b]0;owned\x07", 1980, 1, 1), Row("B\x1b[2J", 1981, 13, 1)};
  WriteBytes(Path("crafted.bd5"), rows, sizeof rows);
  CliResult r = RunCli("data list '" + Path("crafted.bd5") + "'");
  EXPECT_EQ(r.All().find('\x1b'), std::string::npos);
  EXPECT_NE(r.All().find("B?[2J"), std::string::npos) << r.All();
  WriteBytes(Path("crafted.bd5"), rows, sizeof rows[0]);
  r = RunCli("data list '" + Path("crafted.bd5") + "'");
  EXPECT_EQ(r.iExit, 0);
  EXPECT_EQ(r.All().find('\x1b'), std::string::npos);
  EXPECT_NE(r.out.find("?]0;owned?"), std::string::npos) << r.out;
}

// Seconds count as given whenever they were written, with "T" or a blank
// between date and time; row numbers are decimal digits only.
TEST_F(CliData, SecondsGivenAndStrictRowNumbers) {
  const std::string file = "'" + Path("s.bd5") + "'";
  for (const char* szDate : {"'2000-01-01 12:00:30'", "2000-01-01T12:00:30", "'2000-01-01 12:00'", "2000-01-01"}) {
    const CliResult r = RunCli("data add " + file + " --name A --date " + szDate + " --lat 35 --lon 135");
    ASSERT_EQ(r.iExit, 0) << r.All();
  }
  ASSERT_EQ(ReadBirthDataFile(Path("s.bd5").c_str(), table_.get()), 4);
  const BirthRecord* rows = table_->rows;
  const int bGiven[4] = {rows[0].bSecondsGiven, rows[1].bSecondsGiven, rows[2].bSecondsGiven,
                         rows[3].bSecondsGiven};
  EXPECT_EQ(bGiven[0], 1);
  EXPECT_EQ(bGiven[1], 1);
  EXPECT_EQ(bGiven[2], 0);
  EXPECT_EQ(bGiven[3], 0);

  for (const char* szRow : {"' 0'", "+0", "0x0", "''", "'0 '", "1.0"}) {
    SCOPED_TRACE(szRow);
    const CliResult r = RunCli("data show " + file + " " + szRow);
    EXPECT_EQ(r.iExit, 2);
    EXPECT_NE(r.err.find("行番号が範囲外です"), std::string::npos) << r.err;
  }
  EXPECT_EQ(RunCli("data show " + file + " 3").iExit, 0);
}

// A file that is there but cannot be read is refused by every command,
// never taken for a new file, and left as it was.
TEST_F(CliData, AFileThatCannotBeReadIsNeverOverwritten) {
  WriteRows(Path("locked.bd5"), 600);
  ASSERT_EQ(chmod(Path("locked.bd5").c_str(), 0), 0);
  ASSERT_EQ(chmod(dir_.c_str(), 0777), 0);
  const std::string before = ReadBytes(Path("locked.bd5"));
  const std::string file = "'" + Path("locked.bd5") + "'";
  for (const std::string& args : {"data add " + file + " --name A --date 1990-02-03 --lat 35 --lon 135",
                                 "data delete " + file + " 0", "data list " + file, "data show " + file + " 0"}) {
    SCOPED_TRACE(args);
    const CliResult r = RunCliAsOtherUser(args);
    EXPECT_EQ(r.iExit, 2) << r.All();
    EXPECT_NE(r.err.find("上記のファイルをひらけません"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("読み取りが許可されていません"), std::string::npos) << r.err;
  }
  EXPECT_TRUE(ReadBytes(Path("locked.bd5")) == before);
  EXPECT_FALSE(Exists(Path("locked.bd5.tmp")));
}

}  // namespace

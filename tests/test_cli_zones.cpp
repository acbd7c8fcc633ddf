// horomira --zone: a birth's --date read on the clock of a zone or a fixed
// offset gives the same chart as its JST moment typed as JST, and readings
// the clocks skipped or showed twice are refused or noted.
#include <sstream>
#include <string>

#include "cli_test_support.h"
#include "persist_fixture.h"

namespace {

// A --date with a zone, and the JST --date that must give the same output.
struct SameMoment {
  const char* szZoned;  // arguments after the command, with --zone
  const char* szJst;    // the same birth in JST
};

TEST(CliZone, ZonedDateIsItsJstMoment) {
  const SameMoment kCases[] = {
      // A New York birth in summer time: 1990-07-05 01:00 JST.
      {"--date 1990-07-04T12:00 --zone America/New_York", "--date 1990-07-05T01:00"},
      {"--date 1990-07-04T12:00 --zone 'ニューヨーク'", "--date 1990-07-05T01:00"},
      {"--date 1990-07-04T12:00 --zone america/new_york", "--date 1990-07-05T01:00"},
      {"--date 1990-07-04T12:00 --zone -05:00 --summer-time", "--date 1990-07-05T01:00"},
      {"--date 1990-07-04T12:00 --zone UTC-04:00", "--date 1990-07-05T01:00"},
      // Japan's summer time: the clock read 10:00 at 09:00 JST.
      {"--date 1950-07-01T10:00 --zone Asia/Tokyo", "--date 1950-07-01T09:00"},
      {"--date 1950-07-01T10:00 --zone +09:00 --summer-time", "--date 1950-07-01T09:00"},
      {"--date 1950-07-01T10:00 --zone place --place '札幌'", "--date 1950-07-01T09:00 --place '札幌'"},
      // A fixed +09:00 and Asia/Tokyo outside summer time change nothing.
      {"--date 1950-07-01T10:00 --zone +09:00", "--date 1950-07-01T10:00"},
      {"--date 1990-05-17T14:23 --zone Asia/Tokyo", "--date 1990-05-17T14:23"},
      // A half-hour zone, the southern hemisphere, a place of the list.
      {"--date 1990-07-04T12:00 --zone Asia/Kolkata", "--date 1990-07-04T15:30"},
      {"--date 1990-01-15T12:00 --zone Australia/Sydney", "--date 1990-01-15T10:00"},
      {"--date 1990-06-01T12:00 --zone place --place 'シンガポール－ｼﾝｶﾞﾎﾟｰﾙ'",
       "--date 1990-06-01T13:00 --place 'シンガポール－ｼﾝｶﾞﾎﾟｰﾙ'"},
      // A local mean time leaves seconds; a leap second is checked as JST.
      {"--date 1901-06-01T12:00 --zone Asia/Singapore", "--date 1901-06-01T14:04:35"},
      {"--date 1990-12-31T18:59:60 --zone America/New_York", "--date 1991-01-01T08:59:60"},
      // The doubled hour of the end of summer time, with the moment named.
      {"--date 1990-10-28T01:30 --zone America/New_York --earlier", "--date 1990-10-28T14:30"},
      {"--date 1990-10-28T01:30 --zone America/New_York --later", "--date 1990-10-28T15:30"},
      {"--date 1948-09-12T00:30 --zone Asia/Tokyo --later", "--date 1948-09-12T00:30"},
  };
  for (const SameMoment& k : kCases) {
    const CliResult zoned = RunCli(std::string("chart --name N ") + k.szZoned + " --json");
    const CliResult jst = RunCli(std::string("chart --name N ") + k.szJst + " --json");
    ASSERT_EQ(zoned.iExit, 0) << k.szZoned << "\n" << zoned.err;
    EXPECT_EQ(zoned.err, "") << k.szZoned;
    EXPECT_EQ(zoned.out, jst.out) << k.szZoned;
  }
  // The person commands all read --date alike; the text shows the JST moment.
  const CliResult chart = RunCli("chart --date 1990-07-04T12:00 --zone America/New_York");
  EXPECT_TRUE(Contains(chart.out, "  日本時間 1990年 7月 5日  1時 0分00秒0")) << chart.out;
  for (const char* szCommand : {"reading", "aspects", "fortune --now 2024-01-01T00:00", "return --all"}) {
    const CliResult zoned = RunCli(std::string(szCommand) + " --name N --date 1990-07-04T12:00 --zone America/New_York");
    const CliResult jst = RunCli(std::string(szCommand) + " --name N --date 1990-07-05T01:00");
    ASSERT_EQ(zoned.iExit, 0) << szCommand << "\n" << zoned.err;
    EXPECT_EQ(zoned.out, jst.out) << szCommand;
  }
}

TEST(CliZone, DoubledReadingTakesTheEarlierWithANote) {
  const CliResult r = RunCli("chart --name N --date 1990-10-28T01:30 --zone America/New_York --json");
  ASSERT_EQ(r.iExit, 0) << r.err;
  EXPECT_EQ(r.out, RunCli("chart --name N --date 1990-10-28T14:30 --json").out);
  EXPECT_EQ(r.err,
            "horomira: 注意: 1990-10-28T01:30 (ニューヨーク) は2度ありました: 時計が 1990-10-28 02:00 に "
            "01:00 へ戻されました (夏時間の終わり)。早いほう (UTC-04:00 夏時間) として計算します。"
            "遅いほう (UTC-05:00) は --later で、早いほうは --earlier で指定すると、この注意は出ません\n");
}

TEST(CliZone, BadZonedInputIsRefused) {
  struct {
    const char* szArgs;
    const char* szMessage;
  } const kCases[] = {
      {"--date 1990-04-01T02:30 --zone America/New_York",
       "horomira: 存在しない時刻です: 1990-04-01T02:30 (ニューヨーク): 時計が 1990-04-01 02:00 に 03:00 "
       "へ進められたため、この時刻はありません (夏時間の始まり)\n"},
      {"--date 1948-05-02T00:30 --zone Asia/Tokyo --later",
       "horomira: 存在しない時刻です: 1948-05-02T00:30 (東京): 時計が 1948-05-02 00:00 に 01:00 "
       "へ進められたため、この時刻はありません (夏時間の始まり)\n"},
      {"--date 1990-07-04T12:00 --zone Mars/Olympus",
       "horomira: タイムゾーンが分かりません: Mars/Olympus (horomira zones で一覧を表示します。"
       "UT からの時差なら +09:00 のように指定します)\n"},
      {"--date 1990-07-04T12:00 --zone +15:00", "horomira: タイムゾーンが分かりません: +15:00"},
      {"--date 1990-07-04T12:00 --zone America/New_York --summer-time", "horomira: --summer-time は"},
      {"--date 1990-07-04T12:00 --summer-time", "horomira: --summer-time, --earlier, --later は --zone と"},
      {"--date 1990-07-04T12:00 --later", "horomira: --summer-time, --earlier, --later は --zone と"},
      {"--date 1990-07-04T12:00 --zone -05:00 --earlier --later", "horomira: --earlier と --later は"},
      {"--date 1990-07-04 --unknown-time --zone -05:00", "horomira: --unknown-time のときは --zone を"},
      {"--date now --zone -05:00", "horomira: --date now (いまの瞬間) には --zone を"},
      {"--date 1990-07-04T12:00 --zone place --lat 1 --lon 100", "horomira: --zone place は"},
      {"--date 1990-07-04T12:00 --zone", "horomira: --zone には値が必要です\n"},
      {"--date 1990-02-30T12:00 --zone -05:00", "2月に30日はありません。"},
      {"--date 1990-07-04T18:59:60 --zone America/New_York", "存在しないうるう秒です。"},
      {"--default-person --zone -05:00", "horomira: 不明な引数です: --zone\n"},
  };
  for (const auto& k : kCases) {
    const CliResult r = RunCli(std::string("chart ") + k.szArgs);
    EXPECT_EQ(r.iExit, 2) << k.szArgs;
    EXPECT_EQ(r.out, "") << k.szArgs;
    EXPECT_TRUE(Contains(r.err, k.szMessage)) << k.szArgs << "\n" << r.err;
  }
}

TEST(CliZone, ZonesListsWhatZoneAccepts) {
  const CliResult r = RunCli("zones");
  ASSERT_EQ(r.iExit, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Asia/Tokyo                      UTC+09:00                    日本－東京\n", 0), 0u)
      << r.out;
  EXPECT_TRUE(Contains(r.out, "\nAmerica/New_York                UTC-05:00  UTC-04:00 夏時間  "
                              "アメリカ合衆国－ニューヨーク\n"));
  EXPECT_TRUE(Contains(r.out, "\nAsia/Kolkata                    UTC+05:30                    インド－コルカタ\n"));
  // The listed names read a --date (every fourth is tried).
  std::istringstream in(r.out);
  std::string line;
  int n = 0;
  while (std::getline(in, line)) {
    if (n++ % 4 != 0) continue;
    const std::string sName = line.substr(0, line.find(' '));
    const CliResult z = RunCli("chart --date 2000-06-01T12:00 --zone " + sName + " --json");
    EXPECT_EQ(z.iExit, 0) << sName << "\n" << z.err;
  }
  EXPECT_GE(n, 40);
  EXPECT_EQ(RunCli("zones extra").iExit, 2);
}

using CliZoneData = PersistTest;

// data add stores the JST moment: the file is the one a JST --date writes.
TEST_F(CliZoneData, AddStoresJst) {
  const std::string zoned = "'" + Path("zoned.bd5") + "'";
  const std::string jst = "'" + Path("jst.bd5") + "'";
  ASSERT_EQ(RunCli("data add " + zoned + " --name NY --date 1990-07-04T12:00 --zone America/New_York").iExit, 0);
  ASSERT_EQ(RunCli("data add " + jst + " --name NY --date 1990-07-05T01:00").iExit, 0);
  ASSERT_EQ(RunCli("data add " + zoned + " --name Tokyo --date 1950-07-01T10:00 --zone Asia/Tokyo --place 札幌").iExit,
            0);
  ASSERT_EQ(RunCli("data add " + jst + " --name Tokyo --date 1950-07-01T09:00 --place 札幌").iExit, 0);
  EXPECT_EQ(ReadBytes(Path("zoned.bd5")), ReadBytes(Path("jst.bd5")));
  // A local mean time of old leaves seconds on the JST moment: they are kept.
  ASSERT_EQ(RunCli("data add " + zoned + " --name SG --date 1901-06-01T12:00 --zone Asia/Singapore").iExit, 0);
  ASSERT_EQ(ReadBirthDataFile(Path("zoned.bd5").c_str(), table_.get()), 3);
  EXPECT_EQ(table_->rows[2].time.hour, 14);
  EXPECT_EQ(table_->rows[2].time.minute, 4);
  EXPECT_DOUBLE_EQ(table_->rows[2].time.second, 35.0);
  EXPECT_EQ(table_->rows[2].bSecondsGiven, 1);
  // A reading the clocks skipped writes nothing.
  const CliResult r = RunCli("data add '" + Path("gap.bd5") + "' --name X --date 1990-04-01T02:30 --zone America/New_York");
  EXPECT_EQ(r.iExit, 2);
  EXPECT_TRUE(Contains(r.err, "存在しない時刻です"));
  EXPECT_EQ(ReadBytes(Path("gap.bd5")), "<missing>");
}

}  // namespace

// horomira aspects, reading and fortune, run as a user runs them.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli_test_support.h"

namespace {

const char kPerson[] = "--name 'Hanako' --date 1990-05-17T14:23 --place '東京都'";

// The deviations printed in an aspect list, in order.
std::vector<double> Deviations(const std::string& sOut) {
  std::vector<double> v;
  const std::string sMark = std::string("(オーブ");
  for (size_t i = sOut.find(sMark); i != std::string::npos; i = sOut.find(sMark, i + 1)) {
    v.push_back(atof(sOut.c_str() + i + sMark.size()));
  }
  return v;
}

TEST(CliReadings, AspectListAndOrb) {
  const CliResult r = RunCli(std::string("aspects ") + kPerson);
  ASSERT_EQ(r.iExit, 0) << r.err;
  EXPECT_EQ(r.out.rfind(std::string("アスペクト一覧 ( Hanako: 出生図 )\n\n"), 0), 0u);
  EXPECT_TRUE(Contains(r.out, std::string("太陽と土星が非常に強いトライン (オーブ 0.84)\n")));
  EXPECT_TRUE(Contains(r.out, std::string("\n\n\n\nオーブの設定を変えるにはメニューの[設定 - オーブ]を使ってください\n")));
  EXPECT_EQ(r.out.find('\r'), std::string::npos);
  const std::vector<double> v5 = Deviations(r.out);
  ASSERT_GT(v5.size(), 3u);
  for (size_t i = 1; i < v5.size(); ++i) EXPECT_LE(v5[i - 1], v5[i]);
  EXPECT_LE(v5.back(), 5.0);

  const CliResult r3 = RunCli(std::string("aspects ") + kPerson + " --orb 3");
  ASSERT_EQ(r3.iExit, 0) << r3.err;
  const std::vector<double> v3 = Deviations(r3.out);
  EXPECT_LT(v3.size(), v5.size());
  EXPECT_LE(v3.back(), 3.0);
  // Orb 0 is the detection's 3 degrees.
  EXPECT_EQ(RunCli(std::string("aspects ") + kPerson + " --orb 0").out, r3.out);

  const CliResult bad = RunCli(std::string("aspects ") + kPerson + " --orb 12");
  EXPECT_EQ(bad.iExit, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_TRUE(Contains(bad.err, std::string("オーブは0から10までの度数で指定してください")));
}

TEST(CliReadings, AspectReadingAndHelpText) {
  const CliResult r = RunCli(std::string("aspects ") + kPerson + " --reading");
  ASSERT_EQ(r.iExit, 0) << r.err;
  EXPECT_EQ(r.out.rfind(std::string("アスペクトの解読 ( Hanako: 出生図 )\n\n-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-\n  "), 0), 0u);
  EXPECT_TRUE(Contains(r.out, std::string("太陽と土星が非常に強いトライン (オーブ 0.84)\n　意志と忍耐の調和で，")));

  const CliResult h = RunCli("aspects --explain");
  ASSERT_EQ(h.iExit, 0) << h.err;
  EXPECT_EQ(h.out.rfind(std::string("アスペクトとは ...\nアスペクトとオーブ\n"), 0), 0u);
}

TEST(CliReadings, CharacterReading) {
  const CliResult r = RunCli(std::string("reading ") + kPerson);
  ASSERT_EQ(r.iExit, 0) << r.err;
  EXPECT_EQ(r.out.rfind(std::string("ポップアップ - 占い\n\nHanako\n 1990年 5月17日 14時23分00秒 東京都生まれ\n"), 0), 0u);
  EXPECT_TRUE(Contains(r.out, std::string("あなたの本質をあらわす太陽は おうし にあります。\n  おうし座の人は，")));
  EXPECT_TRUE(Contains(r.out, std::string("それをあらわすアセンダントは てんびん。")));
  EXPECT_TRUE(Contains(r.out, std::string("感受性をあらわす月はみずがめ座にあります。")));
  EXPECT_TRUE(Contains(r.out, std::string("ボタンをクリックしてください。\n")));

  const CliResult u = RunCli("reading --name 'X' --date 1990-05-17 --unknown-time");
  ASSERT_EQ(u.iExit, 0) << u.err;
  EXPECT_TRUE(Contains(u.out, std::string("アセンダントは ... 残念ながら出生時刻が不明のためはっきり分かりません。\n")));
  EXPECT_FALSE(Contains(u.out, std::string("感受性をあらわす月")));
}

TEST(CliReadings, FortuneAtAGivenMomentAndPlace) {
  const CliResult r =
      RunCli(std::string("fortune ") + kPerson + " --now 2024-03-10T15:20 --current-place '札幌'");
  ASSERT_EQ(r.iExit, 0) << r.err;
  EXPECT_EQ(r.out.rfind(std::string("現在の星回り\n☆ Hanako ☆\n 1990年 5月17日 14時23分00秒生まれ\n出生地   東京都\n"
                                    "現在地   札幌\n")),
            0u);
  // 1990-05-17 to 2024-03-10 is 12351 days: day 12352.
  EXPECT_TRUE(Contains(r.out, std::string("[ きょうは生まれて 12352日め ]")));
  EXPECT_TRUE(Contains(r.out, std::string("　太陽がうお座にあるいま，おうし座のあなたにとっては")));

  // Without a current place the person is where they were born.
  const CliResult h = RunCli(std::string("fortune ") + kPerson + " --now 2024-03-10T15:20");
  ASSERT_EQ(h.iExit, 0) << h.err;
  EXPECT_TRUE(Contains(h.out, std::string("現在地   東京都\n")));

  const CliResult bad = RunCli(std::string("fortune ") + kPerson + " --current-lat 35");
  EXPECT_EQ(bad.iExit, 2);
  EXPECT_EQ(bad.out, "");
}

}  // namespace

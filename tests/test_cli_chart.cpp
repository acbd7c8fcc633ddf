// horomira chart and horomira places, run as a user runs them.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "cli_test_support.h"

namespace {

const char kPerson[] = "--name 'Hanako' --date 1990-05-17T14:23 --place '東京都'";

TEST(CliChart, NatalTextAndCusps) {
  const CliResult r = RunCli(std::string("chart ") + kPerson);
  ASSERT_EQ(r.iExit, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(Contains(r.out, "\n[ Horomira 5.4.0.2 ]\n\nHanako " + std::string("－ ネイタル基音(0歳)")));
  EXPECT_TRUE(Contains(r.out, std::string(" 太　陽  おうし　  26° 3′29.5″=  56.058189°")));
  EXPECT_TRUE(Contains(r.out, std::string("ハウス: プラシーダス\n第 1室カスプ: てんびん   4°16′59.1″= 184.283097°")));
  EXPECT_EQ(r.out.find('\r'), std::string::npos);
}

TEST(CliChart, BuiltInDefaultPerson) {
  const CliResult r = RunCli("chart --default-person");
  ASSERT_EQ(r.iExit, 0) << r.err;
  EXPECT_TRUE(Contains(r.out, "HoroMira 5.4.0.2 " + std::string("－ ネイタル基音(0歳)")));
  EXPECT_TRUE(Contains(r.out, std::string("  日本時間 2000年 7月")));
  EXPECT_TRUE(Contains(r.out, std::string("出生地  上野原")));
}

TEST(CliChart, PlacesByNameOrCoordinates) {
  // A town row of the list, with or without its indent.
  const CliResult a = RunCli("chart --date 1990-05-17T14:23 --place '札幌'");
  const CliResult b = RunCli("chart --date 1990-05-17T14:23 --place '   札幌'");
  ASSERT_EQ(a.iExit, 0) << a.err;
  EXPECT_TRUE(Contains(a.out, std::string("  出生地  札幌")));
  EXPECT_EQ(a.out, b.out);
  const CliResult c = RunCli("chart --date 1990-05-17T14:23 --lat 43.0666666666666667 --lon 141.35 --json");
  const CliResult d = RunCli("chart --date 1990-05-17T14:23 --place '札幌' --json");
  ASSERT_EQ(c.iExit, 0) << c.err;
  EXPECT_EQ(c.out, d.out);
  const CliResult e = RunCli("chart --date 1990-05-17T14:23 --lat 35.5 --lon -70");
  EXPECT_TRUE(Contains(e.out, std::string("  出生地  +35.5000 : -70.0000")));
}

TEST(CliChart, EveryChartKind) {
  const CliResult prog = RunCli(std::string("chart ") + kPerson + " --progressed 2020-05-17 --report time");
  ASSERT_EQ(prog.iExit, 0) << prog.err;
  EXPECT_TRUE(Contains(prog.out, std::string("－ プログレス基音(30歳)")));
  EXPECT_TRUE(Contains(prog.out, std::string("★ 1太陽日 for 1回帰年 (厳密な1日1年法)")));

  const CliResult now = RunCli(std::string("chart ") + kPerson + " --transit now");
  ASSERT_EQ(now.iExit, 0) << now.err;
  EXPECT_TRUE(Contains(now.out, std::string("  経過地  東京都")));

  const CliResult harm = RunCli(std::string("chart ") + kPerson + " --harmonic 5");
  ASSERT_EQ(harm.iExit, 0) << harm.err;
  EXPECT_TRUE(Contains(harm.out, std::string("－ ネイタル第5倍音(0歳)")));

  // The autumnal equinox of 2024 fell on September 22 at 21:43:40 JST.
  const CliResult season = RunCli("chart --season 2024 autumnal --place '京都'");
  ASSERT_EQ(season.iExit, 0) << season.err;
  EXPECT_TRUE(Contains(season.out, std::string("秋分図 － トランジット基音")));
  EXPECT_TRUE(Contains(season.out, std::string("日本時間 2024年 9月22日 21時43分")));
  EXPECT_TRUE(Contains(season.out, std::string(" 太　陽  てんびん   0° 0′00.0″= 180.000000°")));
  EXPECT_TRUE(Contains(season.out, std::string("  経過地  京都")));
  EXPECT_EQ(RunCli("chart --season 2024 '冬至' --json").iExit, 0);
}

TEST(CliChart, Reports) {
  const CliResult t = RunCli(std::string("chart ") + kPerson + " --report time");
  ASSERT_EQ(t.iExit, 0);
  EXPECT_TRUE(Contains(t.out, std::string("グリニジ平均恒星時      21時 1分36.7秒")));
  EXPECT_TRUE(Contains(t.out, std::string("地方視恒星時             6時20分36.6秒")));
  const CliResult x = RunCli(std::string("chart ") + kPerson + " --report extended");
  ASSERT_EQ(x.iExit, 0);
  EXPECT_TRUE(Contains(x.out, std::string("[ プラシーダス・ハウスシステム ]\n")));
  EXPECT_TRUE(Contains(x.out, std::string(" 1990年 5月17日 14時23分00秒JST\n")));
}

TEST(CliChart, Json) {
  const CliResult r = RunCli(std::string("chart ") + kPerson + " --transit 2100-01-01 --json");
  ASSERT_EQ(r.iExit, 0) << r.err;
  EXPECT_EQ(r.out.rfind("{\"jd_ut\": 2488069.125, \"jde\": ", 0), 0u) << r.out;
  // 2100-01-01 00:00 JST is still 2099 in UT: Delta T is 121 s (single precision).
  EXPECT_TRUE(Contains(r.out, "\"delta_t_s\": 120.99999"));
  EXPECT_TRUE(Contains(r.out, "\"Pluto\": null"));
  EXPECT_TRUE(Contains(r.out, "\"Sun\": {\"lon\": 280."));
  EXPECT_TRUE(Contains(r.out, "\"motion\": 1}"));  // something is retrograde
  EXPECT_TRUE(Contains(r.out, "\"cusps\": ["));
  EXPECT_TRUE(Contains(r.out, "\"house_mode\": 1}"));
}

// JSON cusps are longitudes in [0, 360) like every other, equal houses far
// north and Placidus cusps past 0° included, and they are the text's cusps;
// at a pole, where the angles are undefined, Asc, MC and the cusps are null.
TEST(CliChart, JsonCuspsAreReducedAndNullAtAPole) {
  const char* const kCases[][2] = {{"1990-05-17T14:23", "--lat 65 --lon 25"},
                                   {"2000-01-01T06:00", "--lat 35.7 --lon 139.7"},
                                   {"2010-10-10T20:10", "--lat -40 --lon 175"}};
  for (const auto& c : kCases) {
    {
      const std::string args = std::string("chart --date ") + c[0] + " " + c[1];
      SCOPED_TRACE(args);
      const CliResult r = RunCli(args + " --json");
      ASSERT_EQ(r.iExit, 0) << r.err;
      const size_t i = r.out.find("\"cusps\": [");
      ASSERT_NE(i, std::string::npos) << r.out;
      const CliResult text = RunCli(args);
      const char* p = r.out.c_str() + i + 10;
      for (int k = 0; k < 12; ++k) {
        char* pEnd;
        const double d = strtod(p, &pEnd);
        EXPECT_GE(d, 0.0) << "cusp " << k + 1;
        EXPECT_LT(d, 360.0) << "cusp " << k + 1;
        char sz[32];
        snprintf(sz, sizeof sz, "= %10.6f°", d);
        EXPECT_TRUE(Contains(text.out, sz)) << "cusp " << k + 1 << " " << sz;
        p = pEnd + 1;
      }
    }
  }
  const CliResult pole = RunCli("chart --date 2000-01-01T12:00 --lat 90 --lon 0 --json");
  ASSERT_EQ(pole.iExit, 0) << pole.err;
  EXPECT_TRUE(Contains(pole.out, "\"Asc\": null")) << pole.out;
  EXPECT_TRUE(Contains(pole.out, "\"MC\": null"));
  EXPECT_TRUE(Contains(pole.out, "\"cusps\": null, \"house_mode\": null}"));
  EXPECT_TRUE(Contains(pole.out, "\"Sun\": {\"lon\": 279.98"));
}

TEST(CliChart, BadInputIsRefusedWithTheProgramsMessage) {
  struct Case {
    const char* szArgs;
    const char* szMessage;  // CP932
  } cases[] = {
      {"chart --date 1990-13-01", "年月日の「月」の指定がおかしい。"},
      {"chart --date 1582-10-10", "グレゴリオ暦には存在しない日付です。"},
      {"chart --date 8001-01-01", "年数を確認！"},
      {"chart --date yesterday", "日時の形式が正しくありません"},
      {"chart --place '東京都'", "--date"},
      {"chart --date 1990-05-17 --place 'ロンドン'", "地名一覧にない場所です"},
      {"chart --date 1990-05-17 --lat 91 --lon 0", "無効な経緯度"},
      {"chart --date 1990-05-17 --lat 35 --lon 181", "無効な経緯度"},
      {"chart --date 1990-05-17 --lat nan --lon 0", "経緯度は10進数"},
      {"chart --date 1990-05-17 --lat 35", "両方"},
      {"chart --date 1990-05-17T10:00 --unknown-time", "--unknown-time"},
      {"chart --date 1990-05-17 --harmonic 0.05", "絶対値が大きすぎるか小さすぎます"},
      {"chart --date 1990-05-17 --harmonic 5x", "正常な半角数字でない"},
      {"chart --date 1990-05-17 --progressed 2020-02-30", "2月に30日はありません。"},
      {"chart --date 1990-05-17 --progressed now --transit now", "どれか一つ"},
      {"chart --season 10000 vernal", "入力が未完了または無効"},
      {"chart --season 2024 spring-ish", "季節は"},
      {"chart --date 1990-05-17 --report all", "--report"},
      {"chart --date 1990-05-17 --frobnicate", "不明な引数"},
      {"chart --date", "--date には値が必要です"},
  };
  for (const Case& c : cases) {
    const CliResult r = RunCli(c.szArgs);
    EXPECT_NE(r.iExit, 0) << c.szArgs;
    EXPECT_EQ(r.out, "") << c.szArgs;
    EXPECT_TRUE(Contains(r.err, c.szMessage)) << c.szArgs << "\n" << r.err;
  }
}

// --svg writes the picture and nothing else; a bad request writes nothing.
TEST(CliChart, SvgPicture) {
  const std::string sPath = testing::TempDir() + "horomira_chart_" + std::to_string(getpid()) + ".svg";
  remove(sPath.c_str());
  const CliResult ok = RunCli("chart --default-person --svg " + sPath + " --size 640x480 --view 2 --background 5");
  ASSERT_EQ(ok.iExit, 0) << ok.err;
  EXPECT_EQ(ok.out, "");
  std::ifstream in(sPath);
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string sSvg = Utf8ToCp932(ss.str());
  EXPECT_TRUE(Contains(sSvg, "width=\"640\" height=\"480\""));
  EXPECT_TRUE(Contains(sSvg, "class=\"background\" x=\"0\" y=\"0\" width=\"640\" height=\"480\" fill=\"#000000\""));
  EXPECT_TRUE(Contains(sSvg, "［測地系と時刻系］"));
  remove(sPath.c_str());

  struct Case {
    const char* szArgs;
    const char* szMessage;
  };
  const Case cases[] = {
      {"--size 0x100", "--size は 幅x高さ"},
      {"--size 800", "--size は 幅x高さ"},
      {"--size 800x10001", "--size は 幅x高さ"},
      {"--size -800x560", "--size は 幅x高さ"},
      {"--view 4", "--view は 0"},
      {"--view x", "--view は 0"},
      {"--background 6", "--background は 0～5"},
      {"--view 3", "--view 3 (2重円) には --transit"},
      {"--view 3 --progressed 2020-01-01", "--view 3 (2重円) には --transit"},
      {"--json", "--svg は --json, --report と同時に指定できません"},
      {"--report time", "--svg は --json, --report と同時に指定できません"},
  };
  for (const Case& c : cases) {
    const CliResult r = RunCli("chart --default-person --svg " + sPath + " " + c.szArgs);
    EXPECT_NE(r.iExit, 0) << c.szArgs;
    EXPECT_TRUE(Contains(r.err, c.szMessage)) << c.szArgs << "\n" << r.err;
    EXPECT_FALSE(std::ifstream(sPath).good()) << c.szArgs;
  }
  const CliResult lone = RunCli("chart --default-person --view 1");
  EXPECT_NE(lone.iExit, 0);
  EXPECT_TRUE(Contains(lone.err, "--svg FILE と一緒に"));
  const CliResult dir = RunCli("chart --default-person --svg /nonexistent-dir/x.svg");
  EXPECT_NE(dir.iExit, 0);
  EXPECT_TRUE(Contains(dir.err, "SVGファイルを作れません"));
}

TEST(CliChart, UnknownBirthTimeIsNoon) {
  const CliResult r = RunCli("chart --date 1990-05-17 --unknown-time --json");
  const CliResult noon = RunCli("chart --date 1990-05-17T12:00 --json");
  ASSERT_EQ(r.iExit, 0) << r.err;
  EXPECT_EQ(r.out, noon.out);
}

TEST(CliChart, PlaceList) {
  const CliResult r = RunCli("places");
  ASSERT_EQ(r.iExit, 0);
  EXPECT_TRUE(Contains(r.out, std::string("東京都")));
  EXPECT_TRUE(Contains(r.out, std::string("   札幌")));
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 98);
}

}  // namespace

// horomira pos: the text and the JSON contract.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "ephemeris/ephemeris.h"
#include "test_support.h"

namespace {

// Runs horomira with the arguments; returns its stdout turned from UTF-8
// into CP932 (as the test's literals are), sets the exit code.
std::string RunCli(const std::string& sArgs, int* piExit) {
  const std::string sCmd = std::string(HORO_CLI_PATH) + " " + sArgs + " 2>/dev/null";
  FILE* f = popen(sCmd.c_str(), "r");
  std::string sOut;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) sOut.append(buf, n);
  const int iStatus = pclose(f);
  *piExit = WIFEXITED(iStatus) ? WEXITSTATUS(iStatus) : -1;
  return Utf8ToCp932(sOut);
}

// The number after "\"Name\": {\"lon\": " in a JSON text.
double JsonLon(const std::string& s, const std::string& sName) {
  const std::string sKey = "\"" + sName + "\": {\"lon\": ";
  const size_t i = s.find(sKey);
  if (i == std::string::npos) return -1.0;
  return strtod(s.c_str() + i + sKey.size(), nullptr);
}

TEST(CliPos, JsonGivesEveryBodyInFullPrecision) {
  int iExit = -1;
  const std::string s = RunCli("pos 2000-01-01T21:00 --json", &iExit);
  ASSERT_EQ(iExit, 0);
  for (const char* sz : {"\"jd_ut\": ", "\"jde\": ", "\"delta_t_s\": ", "\"points\": {"}) {
    EXPECT_TRUE(Contains(s, sz)) << sz;
  }
  const size_t iJde = s.find("\"jde\": ");
  const long double ldJde = strtold(s.c_str() + iJde + 7, nullptr);
  EXPECT_NEAR(static_cast<double>(ldJde), 2451545.0 + 64.184 / 86400.0, 1e-6);
  PositionData pd{};
  GetPositionData(ldJde, &pd, -1);
  const char* const names[] = {"Sun", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};
  const int slots[] = {Sun, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto};
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(JsonLon(s, names[i]), pd.dLong[slots[i]], 1e-9) << names[i];
  double dNode = 0.0;
  EXPECT_NEAR(JsonLon(s, "Moon"), GetMoonData(static_cast<double>(ldJde), &dNode, nullptr), 1e-9);
  EXPECT_NEAR(JsonLon(s, "DragonH"), dNode, 1e-9);
  EXPECT_NEAR(JsonLon(s, "DragonT"), dNode + 180.0 - (dNode >= 180.0 ? 360.0 : 0.0), 1e-9);
  EXPECT_TRUE(Contains(s, "\"Saturn\": {\"lon\": 40.39")) << s;
  EXPECT_TRUE(Contains(s, ", \"motion\": 1}")) << s;  // Saturn is retrograde
}

TEST(CliPos, PlutoOutsideItsPeriod) {
  int iExit = -1;
  EXPECT_TRUE(Contains(RunCli("pos 1884-12-31T23:59 --json", &iExit), "\"Pluto\": null"));
  EXPECT_EQ(iExit, 0);
  EXPECT_TRUE(Contains(RunCli("pos 2099-12-31T23:59 --json", &iExit), "\"Pluto\": {\"lon\": "));
  const std::string sText = RunCli("pos 2100-01-01", &iExit);
  EXPECT_TRUE(Contains(sText, "冥王星  計算可能期間外")) << sText;
}

TEST(CliPos, TextLinesAndBadInput) {
  int iExit = -1;
  const std::string s = RunCli("pos 2000-01-01T21:00", &iExit);
  EXPECT_EQ(iExit, 0);
  EXPECT_TRUE(Contains(s, "土　星  おうし　 10°23′44.5″   40.395704°  逆行\n")) << s;
  EXPECT_TRUE(Contains(s, "太　陽  や　ぎ　 10°22′07.8″  280.368853°\n")) << s;
  EXPECT_EQ(RunCli("pos 2000-13-01", &iExit), "");
  EXPECT_EQ(iExit, 2);
  EXPECT_EQ(RunCli("pos 2000-01-01 2000-01-02", &iExit), "");
  EXPECT_EQ(iExit, 2);
  EXPECT_EQ(RunCli("pos yesterday", &iExit), "");
  EXPECT_EQ(iExit, 2);
}

}  // namespace

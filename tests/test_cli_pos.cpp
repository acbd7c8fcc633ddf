// horomira pos: the text and the JSON contract.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "ephemeris/ephemeris.h"
#include "cli_test_support.h"

namespace {

// The number after "\"Name\": {\"lon\": " in a JSON text.
double JsonLon(const std::string& s, const std::string& sName) {
  const std::string sKey = "\"" + sName + "\": {\"lon\": ";
  const size_t i = s.find(sKey);
  if (i == std::string::npos) return -1.0;
  return strtod(s.c_str() + i + sKey.size(), nullptr);
}

TEST(CliPos, JsonGivesEveryBodyInFullPrecision) {
  int iExit = -1;
  const std::string s = RunCliOut("pos 2000-01-01T21:00 --json", &iExit);
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
  EXPECT_TRUE(Contains(RunCliOut("pos 1884-12-31T23:59 --json", &iExit), "\"Pluto\": null"));
  EXPECT_EQ(iExit, 0);
  EXPECT_TRUE(Contains(RunCliOut("pos 2099-12-31T23:59 --json", &iExit), "\"Pluto\": {\"lon\": "));
  const std::string sText = RunCliOut("pos 2100-01-01", &iExit);
  EXPECT_TRUE(Contains(sText, "冥王星  計算可能期間外")) << sText;
}

TEST(CliPos, TextLinesAndBadInput) {
  int iExit = -1;
  const std::string s = RunCliOut("pos 2000-01-01T21:00", &iExit);
  EXPECT_EQ(iExit, 0);
  EXPECT_TRUE(Contains(s, "土　星  おうし　 10°23′44.5″   40.395704°  逆行\n")) << s;
  EXPECT_TRUE(Contains(s, "太　陽  や　ぎ　 10°22′07.8″  280.368853°\n")) << s;
  EXPECT_EQ(RunCliOut("pos 2000-13-01", &iExit), "");
  EXPECT_EQ(iExit, 2);
  EXPECT_EQ(RunCliOut("pos 2000-01-01 2000-01-02", &iExit), "");
  EXPECT_EQ(iExit, 2);
  EXPECT_EQ(RunCliOut("pos yesterday", &iExit), "");
  EXPECT_EQ(iExit, 2);
}

}  // namespace

// horomira --help: every command listed once, in its fixed order, and each
// command's own help behind its name.
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli_test_support.h"

namespace {

// The order of the command list, which scripts and the README rely on.
const char* const kCommandOrder[] = {"chart",   "places", "zones",  "data",   "ingress", "sekki",
                                     "moon-ingress", "phases", "almanac", "ephem", "return",
                                     "pos",     "aspects", "reading", "fortune", "time"};

// The names of the usage lines under "commands:", in the order shown.
std::vector<std::string> ListedCommands(const std::string& sHelp) {
  std::vector<std::string> names;
  std::istringstream in(sHelp.substr(sHelp.find("commands:\n") + 10));
  std::string line;
  while (std::getline(in, line) && line.rfind("  ", 0) == 0) names.push_back(line.substr(2, line.find(' ', 2) - 2));
  return names;
}

TEST(CliHelp, ListsEveryCommandInItsOrder) {
  const CliResult r = RunCli("--help");
  EXPECT_EQ(r.iExit, 0);
  const std::vector<std::string> want(std::begin(kCommandOrder), std::end(kCommandOrder));
  EXPECT_EQ(ListedCommands(r.out), want);
  // Without a command the same list goes to stderr with the exit code of bad input.
  const CliResult bare = RunCli("");
  EXPECT_EQ(bare.iExit, 2);
  EXPECT_EQ(ListedCommands(bare.err), want);
  const CliResult unknown = RunCli("nosuch");
  EXPECT_EQ(unknown.iExit, 2);
  EXPECT_TRUE(Contains(unknown.err, "unknown command 'nosuch'"));
  EXPECT_EQ(ListedCommands(unknown.err), want);
}

TEST(CliHelp, EachCommandExplainsItself) {
  for (const char* szName : kCommandOrder) {
    const CliResult r = RunCli(std::string(szName) + " --help");
    EXPECT_EQ(r.iExit, 0) << szName;
    EXPECT_EQ(r.out.rfind(std::string("usage: horomira ") + szName, 0), 0u) << szName;
  }
}

// --version names the version the program shows everywhere: the product
// name on the chart and the default person's name carry the same number.
TEST(CliHelp, VersionIsTheOneTheChartShows) {
  const CliResult r = RunCli("--version");
  EXPECT_EQ(r.iExit, 0);
  std::smatch m;
  ASSERT_TRUE(std::regex_match(r.out, m, std::regex("horomira ([0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+)\n")))
      << r.out;
  const CliResult chart = RunCli("chart --default-person");
  EXPECT_TRUE(Contains(chart.out, "[ Horomira " + m[1].str() + " ]")) << chart.out;
  EXPECT_TRUE(Contains(chart.out, "HoroMira " + m[1].str() + " ")) << chart.out;
  EXPECT_TRUE(Contains(RunCli("--help").out, "'horomira --version'"));
}

}  // namespace

// Which commands of the main window no test reached.  Every Horomap.exe
// the Wine tests start appends each command that reaches its dispatcher to
// the log named by HOROMAP_COMMAND_LOG (run.sh sets it and runs this test
// after all the others).  The commands are written out here, number by
// number as the program's command table has them, not taken from the
// program: a command whose row is missing is still counted as a command
// to reach.  The test prints the commands not reached and fails when there
// is one.
//
// Usage (as run.sh calls every test): test_command_coverage HOROMAP_EXE WORK_DIR SHOT_DIR
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "wine_common.h"

namespace {

// The command numbers, by range, in the order of the command table.
struct CommandRange {
  int iFirst, iLast;
};
const CommandRange kCommands[] = {
    {101, 105},     {201, 205},     {301, 305},     {401, 405},     // time steps backward
    {1101, 1105},   {1201, 1205},   {1210, 1210},   {1301, 1305},   {1401, 1405},  // forward
    {2000, 2000},   {2010, 2010},   {2050, 2050},   {3199, 3199},
    {10000, 10021},  // recall .. help index, every number
    {12000, 12003}, {12345, 12345}, {23456, 23456}, {24000, 24001}, {24005, 24006},
    {30000, 30000}, {30099, 30099}, {31770, 31773}, {32000, 32000}, {32099, 32099},
    {36000, 36005}, {37298, 37299}, {38241, 38243}, {38246, 38246}, {38250, 38251},
    {38300, 38300}, {38310, 38310}, {39077, 39077}, {40208, 40209},
    {41003, 41006}, {41008, 41008}, {41010, 41010},  // orbs: there is none of 7 or 9 degrees
    {44401, 44404}, {45700, 45709}, {50001, 50001}, {50003, 50003}, {53237, 53237},
    {53250, 53250}, {53259, 53259}, {53290, 53290}, {55000, 55000}, {55555, 55555},
    {57049, 57052}, {60001, 60001}, {65000, 65000},
};

std::set<int> ReachedCommands(const char* szLog) {
  std::set<int> reached;
  FILE* f = fopen(szLog, "r");
  if (!f) return reached;
  int i;
  while (fscanf(f, "%d", &i) == 1) reached.insert(i);
  fclose(f);
  return reached;
}

std::string Numbers(const std::set<int>& s) {
  std::string out;
  for (int i : s) out += " " + std::to_string(i);
  return out.empty() ? " (none)" : out;
}

}  // namespace

int main() {
  const char* szLog = getenv("HOROMAP_COMMAND_LOG");
  if (!szLog || !szLog[0]) Abandon("HOROMAP_COMMAND_LOG is not set (run by tests/wine/run.sh)");
  const std::set<int> reached = ReachedCommands(szLog);
  ExpectTrue("the tests logged their commands", !reached.empty());
  std::set<int> missing;
  int nCommands = 0;
  for (const CommandRange& r : kCommands) {
    for (int i = r.iFirst; i <= r.iLast; ++i) {
      ++nCommands;
      if (!reached.count(i)) missing.insert(i);
    }
  }
  printf("measure: %d commands, %d reached by the tests\n", nCommands, nCommands - static_cast<int>(missing.size()));
  printf("commands no test reached:%s\n", Numbers(missing).c_str());
  ExpectTrue("every command is reached by a test", missing.empty());
  return Finish("test_command_coverage");
}

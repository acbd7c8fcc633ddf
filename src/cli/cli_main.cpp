// horomira: the engine of Horomap.exe for Linux users and scripts.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/version.h"
#include "cli/cli.h"
#include "platform/native/native_control.h"
#include "time/timescale.h"

namespace {

// The commands in the order `horomira --help` lists them.  Pointers: the
// commands are read only once main runs, after every file has set its own.
const CliCommand* const kCommands[] = {
    &kChartCommand,   &kPlacesCommand, &kZonesCommand, &kDataCommand,
    &kIngressCommand, &kSekkiCommand,  &kMoonIngressCommand, &kPhasesCommand,
    &kAlmanacCommand, &kEphemCommand,  &kReturnCommand,
    &kPosCommand,     &kAspectsCommand, &kReadingCommand, &kFortuneCommand, &kTimeCommand,
};

void PrintUsage(FILE* f) {
  fputs("usage: horomira COMMAND [ARGS...] [--json]\n\ncommands:\n", f);
  for (const CliCommand* c : kCommands) fputs(Cp932ToUtf8(std::string("  ") + c->szUsage + "\n").c_str(), f);
  fputs("\nTimes are Japan Standard Time (UT + 9 h), astronomical years:\n"
        "  YYYY-MM-DD, YYYY-MM-DDTHH:MM or YYYY-MM-DDTHH:MM:SS[.s...]\n"
        "A birth's --date may be a clock reading of another zone: --zone ('horomira zones').\n"
        "'horomira COMMAND --help' explains a command, 'horomira --version' the version.\n",
        f);
}

const CliCommand* FindCommand(const char* szName) {
  for (const CliCommand* c : kCommands) {
    if (strcmp(c->szName, szName) == 0) return c;
  }
  return nullptr;
}

}  // namespace

bool CliArgs::TakeFlag(const char* szName) {
  for (auto it = args.begin(); it != args.end(); ++it) {
    if (*it == szName) {
      args.erase(it);
      return true;
    }
  }
  return false;
}

bool CliArgs::TakeOption(const char* szName, std::string* pValue) {
  for (auto it = args.begin(); it != args.end(); ++it) {
    if (*it != szName) continue;
    if (it + 1 == args.end()) {
      bValueMissing = true;
      sMissingOption = szName;
      args.erase(it);
      return false;
    }
    *pValue = *(it + 1);
    args.erase(it, it + 2);
    return true;
  }
  return false;
}

namespace {

// Control characters other than the line break and the tab never reach the
// terminal raw: a name read from a file might carry an escape sequence.
std::string WithoutControls(std::string s) {
  for (char& c : s) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\n' && c != '\t') || u == 0x7F) c = '?';
  }
  return s;
}

}  // namespace

void Print(const std::string& sCp932) { fputs(WithoutControls(Cp932ToUtf8(sCp932)).c_str(), stdout); }
void PrintLine(const std::string& sCp932) { Print(sCp932 + "\n"); }
void PrintJson(const std::string& sUtf8) { fputs((sUtf8 + "\n").c_str(), stdout); }

int Fail(const std::string& sCp932) {
  fprintf(stderr, "horomira: %s\n", WithoutControls(Cp932ToUtf8(sCp932)).c_str());
  return kExitBadInput;
}

void Note(const std::string& sCp932) { fprintf(stderr, "horomira: %s\n", WithoutControls(Cp932ToUtf8(sCp932)).c_str()); }

CliTimeScales ChartTimeScales(const DateTime& jst) {
  CliTimeScales t;
  t.ldJd = DateToJd(jst, kJstZoneHours);
  DateTime ut;
  JdToDate(t.ldJd, &ut);
  const double dDeltaT = static_cast<float>(GetDeltaT(ut, t.ldJd));
  const long double ldLeap = jst.second >= 60.0 ? 1.0L / 86400.0L : 0.0L;
  t.ldJde = t.ldJd + dDeltaT + ldLeap;
  t.dDeltaTSeconds = dDeltaT * 86400.0;
  return t;
}

std::string JsonNumber(double d) {
  if (!std::isfinite(d)) return "null";
  char sz[40];
  snprintf(sz, sizeof sz, "%.17g", d);
  return sz;
}

std::string JsonString(const std::string& sCp932) {
  const std::string s = Cp932ToUtf8(sCp932);
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char sz[8];
      snprintf(sz, sizeof sz, "\\u%04x", c);
      out += sz;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

namespace {

// Exit code of an output that could not be written (a full disk, a closed
// pipe): what was printed is incomplete.
constexpr int kExitOutputFailed = 1;

int RunCommandLine(int argc, char** argv) {
  if (argc < 2 || strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0) {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? kExitBadInput : 0;
  }
  if (strcmp(argv[1], "--version") == 0) {
    fputs("horomira " HORO_VERSION_TEXT "\n", stdout);
    return 0;
  }
  const CliCommand* pCmd = FindCommand(argv[1]);
  if (!pCmd) {
    fprintf(stderr, "horomira: unknown command '%s'\n", WithoutControls(argv[1]).c_str());
    PrintUsage(stderr);
    return kExitBadInput;
  }
  CliArgs args;
  for (int i = 2; i < argc; ++i) {
    // Every text of the program is Shift-JIS: a character it cannot hold
    // is refused rather than turned into "?".
    std::string sArg;
    if (!Utf8ToCp932Strict(argv[i], &sArg)) {
      fprintf(stderr, "horomira: %s%s\n", Cp932ToUtf8("Shift-JIS (CP932) で表せない文字を含む引数です: ").c_str(),
              WithoutControls(argv[i]).c_str());
      return kExitBadInput;
    }
    args.args.push_back(sArg);
  }
  if (args.TakeFlag("--help") || args.TakeFlag("-h")) {
    Print(std::string("usage: horomira ") + pCmd->szUsage + "\n\n" + pCmd->szHelp + "\n");
    return 0;
  }
  return pCmd->Run(args);
}

}  // namespace

int main(int argc, char** argv) {
  NativeSetBoxMode(kNativeBoxesStderr);
  const int iExit = RunCommandLine(argc, argv);
  // Everything printed must have reached its destination: a failed write
  // is a failed run, whatever the command computed.
  if (fflush(stdout) != 0 || ferror(stdout)) {
    fprintf(stderr, "horomira: %s\n", Cp932ToUtf8("出力を書き込めませんでした").c_str());
    return iExit != 0 ? iExit : kExitOutputFailed;
  }
  return iExit;
}

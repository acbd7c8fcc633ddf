// The command-line front end: shared argument handling and output.
//
// Every text of the engine is CP932; the terminal speaks UTF-8.  Commands
// print through Print()/PrintLine() (converted) and report bad input with
// Fail(), which prints the message on stderr and returns the exit code.
#pragma once

#include <string>
#include <vector>

#include "time/calendar.h"

// Arguments of one command after its name; arguments are already CP932.
struct CliArgs {
  std::vector<std::string> args;  // positional arguments and options, in order

  // Removes a flag ("--json") and says whether it was there.
  bool TakeFlag(const char* szName);
  // Removes an option with a value ("--orb 5"); false when absent.  A
  // missing value leaves szValueMissing set.
  bool TakeOption(const char* szName, std::string* pValue);
  // Whether an option was given without its value.
  bool bValueMissing = false;
  std::string sMissingOption;
};

// One command of horomira.
struct CliCommand {
  const char* szName;     // "time"
  const char* szUsage;    // one line: "time DATE [--json]"
  const char* szHelp;     // what it does, UTF-8
  int (*Run)(CliArgs& args);
};

// The commands, each defined in its command file; cli_main.cpp lists them
// in the order of `horomira --help`.
extern const CliCommand kChartCommand, kPlacesCommand;                       // cli_chart.cpp
extern const CliCommand kDataCommand;                                        // cli_data.cpp
extern const CliCommand kIngressCommand, kSekkiCommand, kMoonIngressCommand,  // cli_events.cpp
    kPhasesCommand, kAlmanacCommand, kEphemCommand, kReturnCommand;
extern const CliCommand kPosCommand;                                         // cli_pos.cpp
extern const CliCommand kAspectsCommand, kReadingCommand, kFortuneCommand;   // cli_readings.cpp
extern const CliCommand kTimeCommand;                                        // cli_time.cpp
extern const CliCommand kZonesCommand;                                       // cli_zones.cpp

// Output in UTF-8 of CP932 text.
void Print(const std::string& sCp932);
void PrintLine(const std::string& sCp932);
// Prints a CP932 message on stderr (UTF-8) and returns 2, the exit code of
// bad input.
int Fail(const std::string& sCp932);
// Exit code of bad input rejected with a message already shown.
constexpr int kExitBadInput = 2;
// Prints a CP932 notice on stderr (UTF-8) about input that was taken with
// a choice the user may want to make otherwise; the command goes on.
void Note(const std::string& sCp932);

// Strict numbers (cli_parse.cpp): decimal digits only, no blanks, no
// hexadecimal, no exponent.
// ParseWholeNumber: "-"? digits, within lMin..lMax.  False otherwise.
bool ParseWholeNumber(const std::string& s, long lMin, long lMax, long* pValue);
// ParseDecimalNumber: ("+" | "-")? digits ("." digits)? (digits on at least
// one side of the point).  False otherwise.
bool ParseDecimalNumber(const std::string& s, double* pd);

// What a moment text gave besides the date.
struct MomentParts {
  bool bHasTime;     // hours and minutes were written
  bool bHasSeconds;  // seconds were written too
};

// A moment "YYYY-MM-DD[THH:MM[:SS[.s...]]]" (astronomical year of at least
// four digits, "-" before years up to 1 B.C.; " " may stand for "T") into
// a DateTime; a missing time is 00:00.  Not checked against the calendar:
// callers pass it to ValidateDateTime.  False when the text is not of that
// form.  Every moment IsoMoment prints is read back as it was.
bool ParseMoment(const std::string& s, DateTime* pTime, MomentParts* pParts = nullptr);

// The time scales of a JST moment as the chart driver takes them: JD(UT),
// Delta T of the UT date held in single precision, and the JDE, one second
// later for a leap second (60.x s).
struct CliTimeScales {
  long double ldJd;
  long double ldJde;
  double dDeltaTSeconds;
};
CliTimeScales ChartTimeScales(const DateTime& jst);

// JSON output is built in UTF-8: JsonString converts a CP932 text and
// quotes it; PrintJson prints a finished UTF-8 document as it is.
std::string JsonNumber(double d);
std::string JsonString(const std::string& sCp932);
void PrintJson(const std::string& sUtf8);
// "YYYY-MM-DDTHH:MM:SS.sss" of a JST record ("-0501-..." before year 0).
std::string IsoMoment(const DateTime& t);

// Running horomira from the tests, as a user runs it in a UTF-8 terminal.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "test_support.h"

struct CliResult {
  int iExit;
  std::string out;  // stdout, back in CP932 like the tests' literals
  std::string err;  // stderr, back in CP932
  std::string All() const { return out + err; }
};

// Runs horomira with arguments written as CP932 literals (single-quote
// anything the shell must not split); they reach it in UTF-8.  sLauncher
// (a command and its options) starts it when not empty.
inline CliResult RunCliThrough(const std::string& sLauncher, const std::string& sArgsCp932) {
  // ctest runs tests in parallel processes: one stderr file per process.
  const std::string sErrPath =
      testing::TempDir() + "horomira_stderr_" + std::to_string(getpid()) + ".txt";
  const std::string sCmd = sLauncher + " " + HORO_CLI_PATH + " " + Cp932ToUtf8(sArgsCp932) + " 2>" + sErrPath;
  CliResult r{-1, "", ""};
  FILE* p = popen(sCmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  const int iStatus = pclose(p);
  r.iExit = WIFEXITED(iStatus) ? WEXITSTATUS(iStatus) : -1;
  std::ifstream in(sErrPath);
  std::stringstream ss;
  ss << in.rdbuf();
  remove(sErrPath.c_str());
  r.out = Utf8ToCp932(r.out);
  r.err = Utf8ToCp932(ss.str());
  return r;
}

inline CliResult RunCli(const std::string& sArgsCp932) { return RunCliThrough("", sArgsCp932); }

// Runs horomira as an ordinary user (nobody) when the tests run as root, so
// that permission bits apply to it; otherwise as the tests' own user.
inline CliResult RunCliAsOtherUser(const std::string& sArgsCp932) {
  return RunCliThrough(geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "", sArgsCp932);
}

// The stdout of a run, with its exit code.
inline std::string RunCliOut(const std::string& sArgsCp932, int* piExit) {
  const CliResult r = RunCli(sArgsCp932);
  *piExit = r.iExit;
  return r.out;
}

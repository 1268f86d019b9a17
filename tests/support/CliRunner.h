#pragma once

#include <string>
#include <vector>

namespace kestrel::test {

struct CliRun {
  int status = -1;  // the exit status; -1 when the program did not exit normally
  std::string output;
  std::string error;
};

// Runs a program (a path, or a name looked up in PATH) with the arguments, in
// the C locale unless `locale` names another (a Windows program has the
// system's code page whatever it is given), and collects its exit status,
// stdout and stderr. With `stdoutPath` its stdout goes to that file instead
// (and output stays empty). With `stdinPath` its stdin reads that file (or
// terminal); else it has the test's own.
CliRun RunProgram(const std::string& program, const std::vector<std::string>& args, const char* locale = "C",
                  const char* stdoutPath = nullptr, const char* stdinPath = nullptr);

// Runs the built kestrel-cli.
CliRun RunCli(const std::vector<std::string>& args, const char* locale = "C", const char* stdoutPath = nullptr,
              const char* stdinPath = nullptr);

// Linux only: loads `json` with Python's json module and prints `expression` over it (the
// document is `d`), so the tests judge the output with a parser other than
// our own. A document Python refuses gives the status 1 and its reason.
CliRun PythonJson(const std::string& json, const std::string& expression);

}  // namespace kestrel::test

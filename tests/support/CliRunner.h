#pragma once

#include <string>
#include <vector>

namespace kestrel::test {

struct CliRun {
  int status = -1;  // the exit status; -1 when the program did not exit normally
  std::string output;
  std::string error;
};

// Runs the built kestrel-cli with the arguments, in the C locale unless
// `locale` names another (on Windows in the system's code page), and collects
// its exit status, stdout and stderr.
CliRun RunCli(const std::vector<std::string>& args, const char* locale = "C");

}  // namespace kestrel::test

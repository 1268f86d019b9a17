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
// `locale` names another, and collects its exit status, stdout and stderr.
// With `stdoutPath` its stdout goes to that file instead (and output stays
// empty).
CliRun RunCli(const std::vector<std::string>& args, const char* locale = "C", const char* stdoutPath = nullptr);

}  // namespace kestrel::test

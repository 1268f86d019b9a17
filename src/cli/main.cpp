#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "version/Version.h"

namespace kestrel::cli {
namespace {

int RunCommand(const std::string& name, const Arguments& args) {
  if (name == "--help" || name == "-h") {
    WithStdout(PrintUsage);
    return 0;
  }
  if (name == "--version") {
    PrintOut("kestrel-cli %s\n", kestrel::GetVersionText().c_str());
    return 0;
  }
  const CliCommand* command = FindCommand(name);
  if (command == nullptr) return UnknownCommand(name);
  if (std::find(args.begin(), args.end(), "--help") != args.end()) {
    WithStdout([command](std::FILE* out) { PrintCommandHelp(*command, out); });
    return 0;
  }
  return command->run(args, command->options);
}

}  // namespace
}  // namespace kestrel::cli

int main(int argc, char** argv) {
  using namespace kestrel::cli;
  if (argc < 2) return UsageError("");
  return FinishOutput(RunCommand(argv[1], Arguments(argv + 2, argv + argc)));
}

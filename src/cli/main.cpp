#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/ProcessIo.h"
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
  Arguments args = ProgramArguments(argc, argv);
  if (args.empty()) return UsageError("");
  const std::string name = args.front();
  args.erase(args.begin());
  return FinishOutput(RunCommand(name, args));
}

#include <cstdio>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/ProcessIo.h"
#include "version/Version.h"

namespace kestrel::cli {
namespace {

ExitStatus RunCommand(const std::string& name, const Arguments& args) {
  if (name == "--help" || name == "-h") {
    WithStdout(PrintUsage);
    return ExitStatus::kDone;
  }
  if (name == "--version" || name == "-V" || name == "version") {
    PrintOut("kestrel-cli %s\n", kestrel::GetVersionText().c_str());
    return ExitStatus::kDone;
  }
  const CliCommand* command = FindCommand(name);
  if (command == nullptr) return UnknownCommand(name);
  if (AsksForHelp(args, command->options)) {
    WithStdout([command](std::FILE* out) { PrintCommandHelp(*command, out); });
    return ExitStatus::kDone;
  }
  return command->run(args, *command);
}

}  // namespace
}  // namespace kestrel::cli

int main(int argc, char** argv) {
  using namespace kestrel::cli;
  Arguments args = ProgramArguments(argc, argv);
  if (args.empty()) return ExitCode(UsageError(nullptr, "which command?"));
  const std::string name = args.front();
  args.erase(args.begin());
  return ExitCode(FinishOutput(RunCommand(name, args)));
}

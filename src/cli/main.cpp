#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/CliCommands.h"
#include "cli/ProcessIo.h"
#include "version/Version.h"

int main(int argc, char** argv) {
  using namespace kestrel::cli;
  Arguments args = ProgramArguments(argc, argv);
  if (args.empty()) return UsageError("");
  const std::string name = args.front();
  args.erase(args.begin());
  if (name == "--help" || name == "-h") {
    PrintUsage(stdout);
    return 0;
  }
  if (name == "--version") {
    const std::string version = kestrel::GetVersionText();
    std::printf("kestrel-cli %s\n", version.c_str());
    return 0;
  }
  const CliCommand* command = FindCommand(name);
  if (command == nullptr) return UnknownCommand(name);
  if (std::find(args.begin(), args.end(), "--help") != args.end()) {
    PrintCommandHelp(*command, stdout);
    return 0;
  }
  return command->run(args, command->options);
}

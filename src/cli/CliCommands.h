#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace kestrel::cli {

using Arguments = std::vector<std::string>;

// An option that only some commands take (the aging command's --interval).
struct ExtraOption {
  std::string name;  // with its dashes: "--interval"
  bool takesValue = true;
};

// Which options a command takes besides the job options, which every command
// that composes a job takes.
struct OptionSet {
  bool jobOptions = true;  // false: of the job options only --lang
  bool language = true;    // --lang, when the job options are off
  bool output = false;     // --output FILE
  bool link = false;       // --port PORT, --baud RATE
  std::vector<ExtraOption> extras;
};

// Each subcommand takes the arguments after its name and the options its
// table row accepts, and returns the exit status: 0 done, 1 the printer could
// not be reached or the write failed, 2 bad usage.
using CommandRunner = int (*)(const Arguments& args, const OptionSet& accepted);

// One row of the command table: main() dispatches through it and `help`
// prints it, so a new command is one row.
struct CliCommand {
  const char* name;
  CommandRunner run;
  const char* synopsis;  // the arguments after the name
  const char* meaning;   // one line
  const char* example;   // a whole command line
  OptionSet options;
};

const std::vector<CliCommand>& CommandTable();
const CliCommand* FindCommand(const std::string& name);

int RunListPorts(const Arguments& args, const OptionSet& accepted);
int RunJobs(const Arguments& args, const OptionSet& accepted);
int RunCompose(const Arguments& args, const OptionSet& accepted);
int RunPrint(const Arguments& args, const OptionSet& accepted);
int RunSend(const Arguments& args, const OptionSet& accepted);
int RunAging(const Arguments& args, const OptionSet& accepted);
int RunHelp(const Arguments& args, const OptionSet& accepted);
int RunDump(const Arguments& args, const OptionSet& accepted);
int RunRender(const Arguments& args, const OptionSet& accepted);
int RunPreview(const Arguments& args, const OptionSet& accepted);
int RunEmulate(const Arguments& args, const OptionSet& accepted);
int RunRun(const Arguments& args, const OptionSet& accepted);

// The overview: every command with its meaning.
void PrintUsage(std::FILE* stream);
// One command: its synopsis, meaning, options with their meanings, example.
void PrintCommandHelp(const CliCommand& command, std::FILE* stream);
// A usage error naming the closest command.
int UnknownCommand(const std::string& name);
// Prints the reason and the overview on stderr and returns 2.
int UsageError(const std::string& reason);

}  // namespace kestrel::cli

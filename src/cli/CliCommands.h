#pragma once

#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "cli/ExitStatus.h"

namespace kestrel::cli {

using Arguments = std::vector<std::string>;
struct CliOptions;

// Takes an option's value into the options; returns why the value is
// refused, or nothing. A flag's setter is handed an empty value.
using OptionSetter = std::optional<std::string> (*)(CliOptions& options, const std::string& value);

// One option as a command takes it: the parser, the help page and the
// suggestions for a slip all read this row.
struct OptionRow {
  const char* name;     // with its dashes: "--interval"
  const char* value;    // the placeholder the help shows, "MS"; "" for a flag
  const char* meaning;  // one line of help, with the default
  // Null: the value (a flag's "") is kept in CliOptions::extras by name, for
  // the command to read.
  OptionSetter set = nullptr;
  const char* shortName = nullptr;  // "-h"

  bool TakesValue() const { return *value != '\0'; }
};

using OptionList = std::vector<OptionRow>;

// The row of an option by its long or short name, or null.
const OptionRow* FindOption(const OptionList& options, const std::string& name);

// Each subcommand takes the arguments after its name and its own table row.
struct CliCommand;
using CommandRunner = ExitStatus (*)(const Arguments& args, const CliCommand& command);

// One row of the command table: main() dispatches through it and `help`
// prints it, so a new command is one row and the file of its runner.
struct CliCommand {
  const char* name;
  CommandRunner run;
  const char* synopsis;  // the arguments after the name
  const char* meaning;   // one line
  const char* example;   // a whole command line
  OptionList options;    // in the order the help lists them

  const OptionRow* FindOption(const std::string& name) const { return cli::FindOption(options, name); }
  bool TakesOption(const char* name) const { return FindOption(name) != nullptr; }
};

const std::vector<CliCommand>& CommandTable();
const CliCommand* FindCommand(const std::string& name);

// The groups of options that several commands share, in the help's order.
const OptionList& LinkOptions();  // --port, --baud
const OptionList& JobOptions();   // the window's controls: --lang ... --at
const OptionRow& LanguageOption();
OptionRow OutputOption(const char* meaning);
OptionRow JsonOption();
OptionRow QuietOption();
OptionRow StrictOption();
// Setters of options that keep their text in CliOptions::extras and tell
// how the window would read it.
std::optional<std::string> SetSendCount(CliOptions& options, const std::string& value);
std::optional<std::string> SetAgingInterval(CliOptions& options, const std::string& value);
// The rows of several groups, in order; --help (-h) is added last.
OptionList Options(std::initializer_list<OptionList> groups);

ExitStatus RunListPorts(const Arguments& args, const CliCommand& command);
ExitStatus RunJobs(const Arguments& args, const CliCommand& command);
ExitStatus RunCompose(const Arguments& args, const CliCommand& command);
ExitStatus RunPrint(const Arguments& args, const CliCommand& command);
ExitStatus RunSend(const Arguments& args, const CliCommand& command);
ExitStatus RunAging(const Arguments& args, const CliCommand& command);
ExitStatus RunHelp(const Arguments& args, const CliCommand& command);
ExitStatus RunStatus(const Arguments& args, const CliCommand& command);
ExitStatus RunInfo(const Arguments& args, const CliCommand& command);
ExitStatus RunDump(const Arguments& args, const CliCommand& command);
ExitStatus RunRender(const Arguments& args, const CliCommand& command);
ExitStatus RunPreview(const Arguments& args, const CliCommand& command);
ExitStatus RunEmulate(const Arguments& args, const CliCommand& command);
ExitStatus RunRun(const Arguments& args, const CliCommand& command);
// The emulate row: the ports it offers are the system's (a pseudo-terminal
// where there are any, and TCP).
CliCommand EmulateCommandRow();

// The overview: every command with its meaning.
void PrintUsage(std::FILE* stream);
// One command: its synopsis, meaning, options with their meanings, example.
void PrintCommandHelp(const CliCommand& command, std::FILE* stream);
// A usage error: the problem on one line, then the command's synopsis (or
// the program's, without a command) and where its help is. Returns kBadUsage.
ExitStatus UsageError(const CliCommand* command, const std::string& problem);
// An unknown command, with the closest known one when it is close.
ExitStatus UnknownCommand(const std::string& name);

}  // namespace kestrel::cli

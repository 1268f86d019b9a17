#pragma once

#include <cstdint>
#include <ctime>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "commands/JobSettings.h"
#include "commands/NamedJob.h"

namespace kestrel::cli {

// One command line: the job context built from the job options (the window's
// start-up values where an option is absent), the link and output options,
// the words that are not options, and the values of the extra options.
struct CliOptions {
  JobContext context;
  std::int32_t codePage = 0;  // --lang: 936 or 1252; 0 follows the locale
  std::string port;
  std::vector<std::string> ports;  // every --port, in order, where a command takes several
  std::string baud = "115200";  // the baud-rate list's start-up item
  std::optional<std::string> output;
  std::vector<std::string> words;
  std::map<std::string, std::string> extras;  // by name; a flag's value is empty
  bool timeGiven = false;                     // --at fixed context.now; else it is the time of parsing
  std::set<std::string> given;                // the options the command line holds
  // How values were read that the window would read as something else:
  // "--copies 'abc' is read as 1".
  std::vector<std::string> notes;
};

// Of `candidates`, the one fewest edits away from `name` (a swap of two
// neighbours is one edit; ties: the first), when it is close enough to be
// the name a typing slip meant; nothing for a name unlike all of them.
std::optional<std::string> ClosestName(const std::string& name, const std::vector<std::string>& candidates);

// " (did you mean NAME?)" with the closest name, or "" when none is close.
std::string DidYouMean(const std::string& name, const std::vector<std::string>& candidates);

// Every option name a command with these options takes, --help included.
std::vector<std::string> AcceptedOptionNames(const OptionList& accepted);

// True when the arguments ask for the command's help (-h or --help where an
// option may stand), whatever else they hold.
bool AsksForHelp(const Arguments& args, const OptionList& accepted);

// Parses args ("--name value", "--name=value", "--" ending the options) into
// options, which holds the defaults on entry; --port, --baud and --lang that
// the line leaves out come from the default printer (the environment, the
// settings file) where the command takes them. Returns nothing, or the reason
// the arguments are not valid: an unknown option (naming the closest one the
// command takes), a missing value, a value out of range.
std::optional<std::string> ParseCliOptions(const Arguments& args, const OptionList& accepted, CliOptions& options);

// ParseCliOptions for a command: the notes on how values were read go to
// stderr, led by the command's name (with --strict the first is the problem).
std::optional<std::string> ParseCommandLine(const CliCommand& command, const Arguments& args, CliOptions& options);

// Parses the options of a command that takes no other words.
std::optional<std::string> ParseOptionsOnly(const CliCommand& command, const Arguments& args, CliOptions& options);

// The problem of a command that needs a printer and was given none.
std::string PortMissing();

// Parses "JOB [options]" for `command` and finds the job; a command that
// takes --port requires it. Returns the usage problem, or nothing with *job set.
std::optional<std::string> ParseJobCommand(const CliCommand& command, const Arguments& args, CliOptions& options,
                                           const NamedJob** job);

// A whole number, optionally signed, nothing else; false when out of the
// 32-bit range too, or (NumberInRange) out of low to high.
bool ParseWholeNumber(const std::string& text, std::int32_t* value);
bool NumberInRange(const std::string& text, std::int32_t low, std::int32_t high, std::int32_t* value);

// The whole number of an extra option, low to high; *value keeps its value
// when the option is absent. False for any other value.
bool ParseNumberOption(const CliOptions& options, const char* name, std::int32_t low, std::int32_t high,
                       std::int32_t* value);

// --width DOTS of the virtual printer, 8 to 2304 dots; *width keeps its value
// when the option is absent. False for any other value.
bool ParseWidthOption(const CliOptions& options, int* width);

// True when a long write shows its progress: stderr is a terminal and the
// command line does not say --quiet.
bool ShowsProgress(const CliOptions& options);

// Loads the translations of the chosen language, or of the locale.
void ApplyLanguage(const CliOptions& options);

// The local time now as "YYYY-MM-DD HH:MM:SS", for logs.
std::string LocalTimeText();

// "YYYY-MM-DD HH:MM:SS" as a local time; false for any other text or an
// impossible date.
bool ParseLocalTime(const std::string& text, std::tm* time);

}  // namespace kestrel::cli

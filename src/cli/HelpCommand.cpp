#include <cstdio>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/PortNaming.h"

namespace kestrel::cli {
namespace {

void PrintExitStatuses(std::FILE* stream) {
  std::fputs(
      "\nExit status: 0 done; 1 the printer could not be reached, the write failed or the output could not be\n"
      "written whole; 2 bad usage; 3 the printer answered that it has a fault (status, print --wait, aging\n"
      "--check-status); for dump, render and preview, 4 the stream has problems (the pictures are written all\n"
      "the same) and 5 a limit was reached (a stream over 64 MB, --max-pages or --max-disk), so the output is\n"
      "incomplete; for run, 0 every printer passed, 3 some failed and 1 none could be reached; 130 Ctrl+C\n"
      "ended a send, a print or a run. A stream that prints nothing is 0, with a message.\n",
      stream);
}

// "-h, --help" for an option with a short name, as GNU programs show it.
std::string OptionHead(const OptionRow& option) {
  std::string head = option.shortName != nullptr ? std::string(option.shortName) + ", " : std::string();
  head += option.name;
  if (option.TakesValue()) head += std::string(" ") + option.value;
  return head;
}

}  // namespace

void PrintUsage(std::FILE* stream) {
  std::fputs("usage: kestrel-cli COMMAND [arguments]\n       kestrel-cli -h | --help | -V | --version\n\ncommands:\n",
             stream);
  for (const CliCommand& command : CommandTable()) std::fprintf(stream, "  %-11s %s\n", command.name, command.meaning);
  std::fputs("\n`kestrel-cli help COMMAND` or `kestrel-cli COMMAND --help` shows a command's options and an example.\n",
             stream);
  std::fputs(kPortParagraph, stream);
  std::fputs(
      "\nText goes out in UTF-8. On Windows a console shows it in Chinese and English whatever its code page;\n"
      "output redirected to a file or a pipe stays UTF-8.\n",
      stream);
  PrintExitStatuses(stream);
}

void PrintCommandHelp(const CliCommand& command, std::FILE* stream) {
  std::fprintf(stream, "usage: kestrel-cli %s %s\n  %s\n\noptions:\n", command.name, command.synopsis, command.meaning);
  for (const OptionRow& option : command.options)
    std::fprintf(stream, "  %-28s %s\n", OptionHead(option).c_str(), option.meaning);
  if (std::string(command.synopsis).starts_with("JOB"))
    std::fputs("\nJOB is one of the names `kestrel-cli jobs` lists.\n", stream);
  std::fprintf(stream, "\nexample:\n  %s\n", command.example);
  if (command.TakesOption("--port")) std::fputs(kPortParagraph, stream);
  PrintExitStatuses(stream);
}

ExitStatus RunHelp(const Arguments& args, const CliCommand& help) {
  CliOptions options;
  std::optional<std::string> problem = ParseCliOptions(args, help.options, options);
  if (!problem && options.words.size() > 1) problem = "unexpected argument '" + options.words[1] + "'";
  if (problem) return UsageError(&help, *problem);
  if (options.words.empty()) {
    WithStdout(PrintUsage);
    return ExitStatus::kDone;
  }
  const CliCommand* command = FindCommand(options.words[0]);
  if (command == nullptr) return UnknownCommand(options.words[0]);
  WithStdout([command](std::FILE* out) { PrintCommandHelp(*command, out); });
  return ExitStatus::kDone;
}

ExitStatus UnknownCommand(const std::string& name) {
  std::vector<std::string> names;
  for (const CliCommand& command : CommandTable()) names.push_back(command.name);
  return UsageError(nullptr, "unknown command '" + name + "'" + DidYouMean(name, names));
}

ExitStatus UsageError(const CliCommand* command, const std::string& problem) {
  if (command == nullptr) {
    std::fprintf(stderr, "kestrel-cli: %s\nusage: kestrel-cli COMMAND [arguments]\nsee `kestrel-cli help`\n",
                 problem.c_str());
  } else {
    std::fprintf(stderr, "kestrel-cli: %s: %s\nusage: kestrel-cli %s %s\nsee `kestrel-cli help %s`\n", command->name,
                 problem.c_str(), command->name, command->synopsis, command->name);
  }
  return ExitStatus::kBadUsage;
}

}  // namespace kestrel::cli

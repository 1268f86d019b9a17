#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"

namespace kestrel::cli {
namespace {

struct OptionHelp {
  const char* name;
  const char* value;  // "" for a flag
  const char* meaning;
};

// Every option of every command, in the order the help lists them. The job
// options mirror the window's controls and default to its start-up values.
constexpr OptionHelp kOptionHelp[] = {
    {"--port", "PORT", "usb (the first USB printer), a serial device path such as /dev/ttyUSB0, or COMn"},
    {"--baud", "RATE", "serial rate: 1200 2400 4800 9600 19200 38400 57600 115200 (default 115200)"},
    {"--lang", "zh|en", "language of the texts and messages (default: from the locale)"},
    {"--paper", "0..2", "paper type: 0 continuous, 1 label (recycle), 2 label (not recycle) (default 2)"},
    {"--direction", "N", "print direction: 0 left to right, 1 bottom to top, 2 right to left, 3 top to bottom"},
    {"--speed", "TEXT", "print speed as the speed list shows it: 1, 10, 20 ... 240 (default 1)"},
    {"--copies", "TEXT", "print copies as typed into the copies box (default 1)"},
    {"--size", "INDEX", "label size of the single-item tests: 0 60x20 ... 12 80x60 (default 3, 60x50)"},
    {"--barcode-type", "INDEX",
     "bar code: 0 UPC-A 1 UPC-E 2 JAN13 3 JAN8 4 CODE39 5 ITF 6 CODE93 7 CODE128 (default 7)"},
    {"--backfeed", "TEXT", "backfeed before printing, in dots, as typed (default 35)"},
    {"--density", "1..8", "print density level (default 3)"},
    {"--printer-baud", "TEXT", "the serial rate to set in the printer: 9600 ... 115200 (default 115200)"},
    {"--aging", "", "compose as during an aging run (no copies command)"},
    {"--at", "\"YYYY-MM-DD HH:MM:SS\"", "the local time the labels print (default: now)"},
    {"--output", "FILE", "compose: the raw bytes into FILE instead of hex on stdout; render, preview: the pictures"},
    {"--width", "DOTS", "print width of the virtual printer: 384, 448, 576 (default: the job's paper, else 576)"},
    {"--interval", "MS", "time between ticks in milliseconds (default 5000)"},
    {"--ticks", "N", "stop after N ticks (default: run until Ctrl+C)"},
    {"--log", "FILE", "append one CSV line per tick and a summary line at the end to FILE"},
    {"--text", "TEXT", "the text to send"},
    {"--file", "FILE", "send the content of FILE as it stands"},
    {"--count", "N", "how many copies to send, 1 ms apart (default 1)"},
    {"--hex", "", "the text is hexadecimal bytes: \"1b 40 0a\""},
    {"--pty", "", "open a pseudo-terminal and print its path: the port to print to"},
    {"--link", "PATH", "also make PATH a symbolic link to the pseudo-terminal"},
    {"--listen", "HOST:PORT", "a raw TCP printer port (default 127.0.0.1:9100), one connection at a time"},
    {"--idle-timeout", "SECONDS", "let go of a TCP client that sends nothing this long; 0 never (default 90)"},
    {"--output-dir", "FOLDER", "where page-NNNN.png and page-NNNN.txt go; made if missing (default pages)"},
    {"--json", "", "machine-readable output: one JSON document on stdout"},
    {"--help", "", "show this help"},
};

void PrintFooter(std::FILE* stream) {
  std::fputs(
      "\nPORT is usb (the first USB printer), a serial device path, or COMn.\n"
      "Exit status: 0 done, 1 the printer could not be reached or the write failed, 2 bad usage.\n",
      stream);
}

}  // namespace

void PrintUsage(std::FILE* stream) {
  std::fputs("usage: kestrel-cli COMMAND [arguments]\n       kestrel-cli --help | --version\n\ncommands:\n", stream);
  for (const CliCommand& command : CommandTable()) std::fprintf(stream, "  %-11s %s\n", command.name, command.meaning);
  std::fputs("\n`kestrel-cli help COMMAND` or `kestrel-cli COMMAND --help` shows a command's options and an example.\n",
             stream);
  PrintFooter(stream);
}

void PrintCommandHelp(const CliCommand& command, std::FILE* stream) {
  std::fprintf(stream, "usage: kestrel-cli %s %s\n  %s\n\noptions:\n", command.name, command.synopsis, command.meaning);
  const std::vector<std::string> accepted = AcceptedOptionNames(command.options);
  for (const OptionHelp& option : kOptionHelp) {
    if (std::find(accepted.begin(), accepted.end(), option.name) == accepted.end()) continue;
    const std::string head = std::string(option.name) + (*option.value ? " " : "") + option.value;
    std::fprintf(stream, "  %-28s %s\n", head.c_str(), option.meaning);
  }
  if (std::string(command.synopsis).starts_with("JOB"))
    std::fputs("\nJOB is one of the names `kestrel-cli jobs` lists.\n", stream);
  std::fprintf(stream, "\nexample:\n  %s\n", command.example);
  PrintFooter(stream);
}

int RunHelp(const Arguments& args, const OptionSet& accepted) {
  CliOptions options;
  std::string problem = ParseCliOptions(args, accepted, options);
  if (problem.empty() && options.words.size() > 1) problem = "unexpected argument '" + options.words[1] + "'";
  if (!problem.empty()) return UsageError("help: " + problem);
  if (options.words.empty()) {
    WithStdout(PrintUsage);
    return 0;
  }
  const CliCommand* command = FindCommand(options.words[0]);
  if (command == nullptr) return UnknownCommand(options.words[0]);
  WithStdout([command](std::FILE* out) { PrintCommandHelp(*command, out); });
  return 0;
}

int UnknownCommand(const std::string& name) {
  std::vector<std::string> names;
  for (const CliCommand& command : CommandTable()) names.push_back(command.name);
  return UsageError("unknown command '" + name + "' (did you mean " + ClosestName(name, names) + "?)");
}

int UsageError(const std::string& reason) {
  if (!reason.empty()) std::fprintf(stderr, "kestrel-cli: %s\n", reason.c_str());
  PrintUsage(stderr);
  return 2;
}

}  // namespace kestrel::cli

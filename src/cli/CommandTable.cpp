#include "cli/CliCommands.h"

#include <string>

#include "cli/PortNaming.h"

namespace kestrel::cli {
namespace {

constexpr const char* kPictureOutput = "the pictures: FILE.png for one page, FILE-1.png, FILE-2.png ... for several";

OptionList SendOptions() {
  return Options({LinkOptions(),
                  {LanguageOption(),
                   {"--text", "TEXT", "the text to send"},
                   {"--file", "FILE", "send the content of FILE as it stands"},
                   {"--count", "N", "how many copies to send, 1 ms apart (default 1)"},
                   {"--hex", "", "the text is hexadecimal bytes: \"1b 40 0a\""}}});
}

OptionList AgingOptions() {
  return Options({LinkOptions(),
                  JobOptions(),
                  {{"--interval", "MS", "time between ticks in milliseconds (default 5000)"},
                   {"--ticks", "N", "stop after N ticks (default: run until Ctrl+C)"},
                   {"--log", "FILE", "append one CSV line per tick and a summary line at the end to FILE"}}});
}

// The examples name a serial port as the system does.
const std::string& PrintExample() {
  static const std::string example =
      std::string("kestrel-cli print density --density 8 --port ") + kSerialPortExample + " --baud 9600";
  return example;
}

const std::string& AgingExample() {
  static const std::string example =
      std::string("kestrel-cli aging 60x40 --port ") + kSerialPortExample + " --ticks 5 --log run.csv";
  return example;
}

}  // namespace

const std::vector<CliCommand>& CommandTable() {
  static const std::vector<CliCommand> commands = {
    {"list-ports", RunListPorts, "[--json]", "list the USB printers and the serial ports present",
     "kestrel-cli list-ports --json", Options({{JsonOption()}})},
    {"jobs", RunJobs, "[--json]", "list the job names; with --json also their kinds and button captions",
     "kestrel-cli jobs --json", Options({{JsonOption()}})},
    {"compose", RunCompose, "JOB [options] [--output FILE] [--json]",
     "compose a job without a printer: its bytes as hex on stdout, or raw into FILE",
     "kestrel-cli compose 60x20 --lang zh --at \"2024-03-05 14:07:09\"",
     Options({JobOptions(), {OutputOption("the raw bytes into FILE instead of hex on stdout"), JsonOption()}})},
    {"print", RunPrint, "JOB --port PORT [--baud RATE] [options]", "compose a job and write it to the printer",
     PrintExample().c_str(), Options({LinkOptions(), JobOptions()})},
    {"send", RunSend, "--port PORT [--baud RATE] [--lang zh|en] [--hex] [--count N] (--text TEXT | --file FILE)",
     "send text, or hexadecimal bytes with --hex, as the window's console does",
     "kestrel-cli send --port usb --hex --count 3 --text \"1b 40 0a\"", SendOptions()},
    {"aging", RunAging, "JOB --port PORT [--baud RATE] [--interval MS] [--ticks N] [--log FILE] [options]",
     "reprint a job on a timer and count the sends, until Ctrl+C or N ticks",
     AgingExample().c_str(), AgingOptions()},
    {"dump", RunDump, "(FILE | JOB [options])",
     "list the commands of a byte file or a job, one a line with its offset; problems marked !!",
     "kestrel-cli dump 80x60", Options({JobOptions()})},
    {"render", RunRender, "FILE [--width DOTS] --output FILE.png",
     "print a byte file on the virtual printer: one PNG picture a page",
     "kestrel-cli render label.bin --width 384 --output label.png",
     Options({{{"--width", "DOTS", "print width of the virtual printer: 384, 448, 576 (default 576)"},
               OutputOption(kPictureOutput)}})},
    {"preview", RunPreview, "JOB [options] [--width DOTS] --output FILE.png",
     "compose a job and print it on the virtual printer: one PNG picture a page",
     "kestrel-cli preview 60x50 --lang zh --output label.png",
     Options({JobOptions(),
              {{"--width", "DOTS", "print width of the virtual printer: 384, 448, 576 (default: the job's paper)"},
               OutputOption(kPictureOutput)}})},
    EmulateCommandRow(),
    {"help", RunHelp, "[COMMAND]", "show the commands, or one command's options and an example",
     "kestrel-cli help aging", Options({})},
  };
  return commands;
}

const CliCommand* FindCommand(const std::string& name) {
  for (const CliCommand& command : CommandTable())
    if (name == command.name) return &command;
  return nullptr;
}

}  // namespace kestrel::cli

#include "cli/CliCommands.h"

namespace kestrel::cli {

const std::vector<CliCommand>& CommandTable() {
  static const ExtraOption kJson{"--json", false};
  static const std::vector<CliCommand> commands = {
    {"list-ports", RunListPorts, "[--json]", "list the USB printers and the serial ports present",
     "kestrel-cli list-ports --json", OptionSet{.jobOptions = false, .language = false, .extras = {kJson}}},
    {"jobs", RunJobs, "[--json]", "list the job names; with --json also their kinds and button captions",
     "kestrel-cli jobs --json", OptionSet{.jobOptions = false, .language = false, .extras = {kJson}}},
    {"compose", RunCompose, "JOB [options] [--output FILE] [--json]",
     "compose a job without a printer: its bytes as hex on stdout, or raw into FILE",
     "kestrel-cli compose 60x20 --lang zh --at \"2024-03-05 14:07:09\"", OptionSet{.output = true, .extras = {kJson}}},
    {"print", RunPrint, "JOB --port PORT [--baud RATE] [options]", "compose a job and write it to the printer",
     "kestrel-cli print density --density 8 --port /dev/ttyUSB0 --baud 9600", OptionSet{.link = true, .extras = {}}},
    {"send", RunSend, "--port PORT [--baud RATE] [--lang zh|en] [--hex] [--count N] (--text TEXT | --file FILE)",
     "send text, or hexadecimal bytes with --hex, as the window's console does",
     "kestrel-cli send --port usb --hex --count 3 --text \"1b 40 0a\"",
     OptionSet{.jobOptions = false, .link = true, .extras = {{"--text"}, {"--file"}, {"--count"}, {"--hex", false}}}},
    {"aging", RunAging, "JOB --port PORT [--baud RATE] [--interval MS] [--ticks N] [--log FILE] [options]",
     "reprint a job on a timer and count the sends, until Ctrl+C or N ticks",
     "kestrel-cli aging 60x40 --port /dev/ttyUSB0 --ticks 5 --log run.csv",
     OptionSet{.link = true, .extras = {{"--interval"}, {"--ticks"}, {"--log"}}}},
#if KESTREL_VIRTUAL_PRINTER
    {"dump", RunDump, "(FILE | JOB [options])",
     "list the commands of a byte file or a job, one a line with its offset; problems marked !!",
     "kestrel-cli dump 80x60", OptionSet{.extras = {}}},
    {"render", RunRender, "FILE [--width DOTS] --output FILE.png",
     "print a byte file on the virtual printer: one PNG picture a page",
     "kestrel-cli render label.bin --width 384 --output label.png",
     OptionSet{.jobOptions = false,
               .language = false,
               .output = true,
               .extras = {{"--width"}, {"--max-pages"}, {"--max-disk"}}}},
    {"preview", RunPreview, "JOB [options] [--width DOTS] --output FILE.png",
     "compose a job and print it on the virtual printer: one PNG picture a page",
     "kestrel-cli preview 60x50 --lang zh --output label.png",
     OptionSet{.output = true, .extras = {{"--width"}, {"--max-pages"}, {"--max-disk"}}}},
    {"emulate", RunEmulate,
     "(--pty [--link PATH] | --listen HOST:PORT [--idle-timeout SECONDS]) [--output-dir FOLDER] [--width DOTS]",
     "be a printer on a pseudo-terminal or a TCP port: each printed page a picture in FOLDER, until Ctrl+C",
     "kestrel-cli emulate --pty --link /tmp/printer --output-dir pages",
     OptionSet{.jobOptions = false,
               .language = false,
               .extras = {{"--pty", false},
                          {"--listen"},
                          {"--idle-timeout"},
                          {"--link"},
                          {"--output-dir"},
                          {"--width"},
                          {"--max-pages"},
                          {"--max-disk"}}}},
#endif
    {"help", RunHelp, "[COMMAND]", "show the commands, or one command's options and an example",
     "kestrel-cli help aging", OptionSet{.jobOptions = false, .language = false, .extras = {}}},
  };
  return commands;
}

const CliCommand* FindCommand(const std::string& name) {
  for (const CliCommand& command : CommandTable())
    if (name == command.name) return &command;
  return nullptr;
}

}  // namespace kestrel::cli

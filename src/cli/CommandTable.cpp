#include <deque>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/OutputLimitOptions.h"
#include "cli/PortNaming.h"

namespace kestrel::cli {
namespace {

constexpr const char* kPictureOutput =
    "the pictures: FILE.png for one page, FILE-1.png, FILE-2.png ... for several; - for stdout";

OptionList SendOptions() {
  return Options({LinkOptions(),
                  {LanguageOption(),
                   {"--text", "TEXT", "the text to send"},
                   {"--file", "FILE", "send the content of FILE as it stands, - for stdin (24574 characters at most)"},
                   {"--count", "N", "how many copies to send, 1 ms apart (default 1)", SetSendCount},
                   {"--hex", "", "the text is hexadecimal bytes: \"1b 40 0a\""},
                   QuietOption(),
                   StrictOption()}});
}

OptionRow TimeoutOption() {
  return {"--timeout", "MS", "how long to wait for each answer, in milliseconds (default 2000)"};
}

OptionList StatusOptions() {
  return Options({LinkOptions(),
                  {JsonOption(),
                   TimeoutOption(),
                   {"--watch", "", "ask every second until Ctrl+C; a line each time the status changes"}}});
}

OptionList AgingOptions() {
  return Options(
      {LinkOptions(),
       JobOptions(),
       {{"--interval", "MS", "time between ticks in milliseconds (default 3000, as in the window)", SetAgingInterval},
        {"--ticks", "N", "stop after N ticks (default: run until Ctrl+C)"},
        {"--log", "FILE", "append a CSV line per tick and a summary line to FILE (a header when new); - for stdout"},
        {"--wait", "", "after each label wait until the printer has printed it; log the time it took"},
        {"--check-status", "", "ask the printer's status after each tick; a fault is logged with its reason"},
        {"--on-fault", "stop|wait",
         "with --check-status: end the run on a fault (exit 3), or wait until the printer is ready "
         "(default stop)"},
        {"--timeout", "MS",
         "how long to wait for an answer: the status (default 2000), a label to print (default 60000)"}}});
}

// Every --port is one printer of the run.
std::optional<std::string> AddPort(CliOptions& o, const std::string& v) {
  if (v.empty()) return "--port needs a port";
  o.ports.push_back(v);
  return std::nullopt;
}

OptionList PlanRunOptions() {
  return Options(
      {{{"--port", "PORT", "a printer to run the plan on, once for each: usb, a serial device path, COMn or tcp:HOST",
         AddPort},
        {"--unattended", "", "skip the plan's questions to the operator"},
        {"--jsonl", "FILE", "append one JSON line per printer to FILE (default kestrel-runs.jsonl)"},
        {"--junit", "FILE", "write the JUnit XML report to FILE (default PLAN-junit.xml)"}}});
}

// An example on a serial port, named as the system names it. The table is
// made once, and the examples live as long as it.
const char* SerialExample(const char* before, const char* after) {
  static std::deque<std::string> examples;
  examples.push_back(before + std::string(kSerialPortExample) + after);
  return examples.back().c_str();
}

}  // namespace

const std::vector<CliCommand>& CommandTable() {
  static const std::vector<CliCommand> commands = {
      {"list-ports", RunListPorts, "[--json]", "list the USB printers and the serial ports present",
       "kestrel-cli list-ports --json", Options({{JsonOption()}})},
      {"jobs", RunJobs, "[--json]", "list the job names; with --json also their kinds and button captions",
       "kestrel-cli jobs --json", Options({{JsonOption()}})},
      {"compose", RunCompose, "JOB [options] [--output FILE|-] [--json]",
       "compose a job without a printer: its bytes as hex on stdout, or raw into FILE",
       "kestrel-cli compose 60x20 --lang zh --at \"2024-03-05 14:07:09\"",
       Options({JobOptions(),
                {OutputOption("the raw bytes into FILE instead of hex on stdout; - writes them raw to stdout"),
                 JsonOption()}})},
      {"print", RunPrint, "JOB --port PORT [--baud RATE] [--wait [--timeout MS]] [--quiet] [options]",
       "compose a job and write it to the printer",
       SerialExample("kestrel-cli print density --density 8 --port ", " --baud 9600"),
       Options({LinkOptions(),
                JobOptions(),
                {{"--wait", "", "then wait until the printer has printed the job and tell how long it took"},
                 {"--timeout", "MS", "with --wait: how long the job may take to print (default 60000)"},
                 QuietOption()}})},
      {"send", RunSend, "--port PORT [--baud RATE] [--lang zh|en] [--hex] [--count N] (--text TEXT | --file FILE|-)",
       "send text, or hexadecimal bytes with --hex, as the window's console does",
       "kestrel-cli send --port usb --hex --count 3 --text \"1b 40 0a\"", SendOptions()},
      {"aging", RunAging,
       "JOB --port PORT [--baud RATE] [--interval MS] [--ticks N] [--log FILE] [--wait] [--check-status\n"
       "        [--on-fault stop|wait]] [--timeout MS] [options]",
       "reprint a job on a timer and count the sends, until Ctrl+C or N ticks",
       SerialExample("kestrel-cli aging 60x40 --port ", " --ticks 5 --log run.csv"), AgingOptions()},
      {"status", RunStatus, "--port PORT [--baud RATE] [--json] [--timeout MS] [--watch]",
       "ask the printer for its status: online, cover, paper, errors; exit 3 when it reports a fault",
       "kestrel-cli status --port tcp:192.168.1.50 --json", StatusOptions()},
      {"info", RunInfo, "--port PORT [--baud RATE] [--json] [--timeout MS]",
       "ask the printer who it is: model, firmware, maker, serial number, code page, as far as it answers",
       SerialExample("kestrel-cli info --port ", ""), Options({LinkOptions(), {JsonOption(), TimeoutOption()}})},
      {"run", RunRun, "PLAN --port PORT [--port PORT ...] [--unattended] [--jsonl FILE] [--junit FILE]",
       "run a test plan on every printer at once: a verdict per printer, JSON Lines and JUnit reports",
       SerialExample("kestrel-cli run examples/plans/quick-check.toml --port ", " --port tcp:192.168.1.20"),
       PlanRunOptions()},
      {"dump", RunDump, "(FILE|- | JOB [options])",
       "list the commands of a byte file (- for stdin) or a job, one a line with its offset; problems marked !!",
       "kestrel-cli dump 80x60", Options({JobOptions()})},
      {"render", RunRender, "FILE|- [--width DOTS] [--max-pages N] [--max-disk MB] --output FILE.png|-",
       "print a byte file (- for stdin) on the virtual printer: one PNG picture a page",
       "kestrel-cli render label.bin --width 384 --output label.png",
       Options({{{"--width", "DOTS", "print width of the virtual printer: 384, 448, 576 (default 576)"},
                 OutputOption(kPictureOutput)},
                OutputLimitOptions()})},
      {"preview", RunPreview, "JOB [options] [--width DOTS] [--max-pages N] [--max-disk MB] --output FILE.png|-",
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

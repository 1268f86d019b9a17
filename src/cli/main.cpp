#include <cstdio>
#include <cstring>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "version/Version.h"

namespace kestrel::cli {

namespace {

const char* UsageText() {
  return "usage:\n"
         "  kestrel-cli list-ports\n"
         "  kestrel-cli jobs\n"
         "  kestrel-cli compose JOB [options] [--output FILE]   (hex on stdout, raw bytes to FILE)\n"
         "  kestrel-cli print JOB --port PORT [--baud RATE] [options]\n"
         "  kestrel-cli send --port PORT [--baud RATE] [--lang zh|en] [--hex] [--count N] (--text TEXT | --file FILE)\n"
         "  kestrel-cli aging JOB --port PORT [--baud RATE] [--interval MS] [--ticks N] [options]\n"
         "  kestrel-cli --help | --version\n"
         "\n"
         "options: --lang zh|en  --paper 0..2  --direction N  --speed TEXT  --copies TEXT\n"
         "         --size INDEX  --barcode-type INDEX  --backfeed TEXT  --density 1..8\n"
         "         --printer-baud TEXT  --aging  --at \"YYYY-MM-DD HH:MM:SS\"\n"
         "PORT is usb (the first USB printer), a serial device path, or COMn.\n"
         "exit status: 0 done, 1 printer unreachable or write failed, 2 bad usage\n";
}

int RunCommand(const std::string& command, const Arguments& args) {
  if (command == "--help" || command == "-h") {
    WriteOut(UsageText());
    return 0;
  }
  if (command == "--version") {
    PrintOut("kestrel-cli %s\n", kestrel::GetVersionText().c_str());
    return 0;
  }
  if (command == "list-ports") return RunListPorts(args);
  if (command == "jobs") return RunJobs(args);
  if (command == "compose") return RunCompose(args);
  if (command == "print") return RunPrint(args);
  if (command == "send") return RunSend(args);
  if (command == "aging") return RunAging(args);
  return UsageError("unknown command '" + command + "'");
}

}  // namespace

int UsageError(const std::string& reason) {
  if (!reason.empty()) std::fprintf(stderr, "kestrel-cli: %s\n", reason.c_str());
  std::fputs(UsageText(), stderr);
  return 2;
}

}  // namespace kestrel::cli

int main(int argc, char** argv) {
  using namespace kestrel::cli;
  if (argc < 2) return UsageError("");
  return FinishOutput(RunCommand(argv[1], Arguments(argv + 2, argv + argc)));
}

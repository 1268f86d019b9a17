#include "cli/EmulatorPageLog.h"

#include <cstdio>

#include "cli/CliOptions.h"
#include "cli/CliOutput.h"

namespace kestrel::cli {

EmulatorPageLog::EmulatorPageLog(emu::StreamPrinter& printer, std::string folder, emu::OutputLimits limits)
    : printer_(printer), folder_(std::move(folder), limits) {
  printer_.SetPageSink([this](emu::PrintedPage&& printed) { Write(printed); });
}

void EmulatorPageLog::Take() {
  for (const std::string& message : printer_.TakeMessages())
    PrintOut("%s %s\n", LocalTimeText().c_str(), message.c_str());
  FlushOut();
}

void EmulatorPageLog::Write(const emu::PrintedPage& printed) {
  Take();
  emu::PageFolderReport report;
  folder_.Write(printed, &report);
  Report(report);
}

void EmulatorPageLog::Finish() {
  Take();
  Report({folder_.Summary(), {}});
}

void EmulatorPageLog::Report(const emu::PageFolderReport& report) {
  for (const std::string& line : report.log) PrintOut("%s %s\n", LocalTimeText().c_str(), line.c_str());
  for (const std::string& problem : report.problems)
    std::fprintf(stderr, "kestrel-cli: emulate: %s\n", problem.c_str());
  FlushOut();
}

}  // namespace kestrel::cli

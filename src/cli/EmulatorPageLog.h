#pragma once

#include <string>

#include "emulator/PageFolder.h"
#include "emulator/StreamPrinter.h"

namespace kestrel::cli {

// The emulate command's output on every system: each page goes into the
// output folder the moment it is printed (within the run's limits), and what
// became of it goes to the log on stdout, after the printer's messages that
// came before it, each with the time; problems go to stderr.
class EmulatorPageLog {
 public:
  EmulatorPageLog(emu::StreamPrinter& printer, std::string folder, emu::OutputLimits limits);
  EmulatorPageLog(const EmulatorPageLog&) = delete;
  EmulatorPageLog& operator=(const EmulatorPageLog&) = delete;

  // The printer's messages so far; called after every piece of bytes.
  void Take();
  // At the end of the run: what the limits kept out.
  void Finish();

 private:
  void Write(const emu::PrintedPage& printed);
  void Report(const emu::PageFolderReport& report);

  emu::StreamPrinter& printer_;
  emu::PageFolder folder_;
};

}  // namespace kestrel::cli

#pragma once

#include <string>
#include <vector>

#include "emulator/OutputBounds.h"
#include "emulator/StreamPrinter.h"

namespace kestrel::emu {

// What writing a page gave: lines for the log (stdout) and problems (stderr).
struct PageFolderReport {
  std::vector<std::string> log;
  std::vector<std::string> problems;
};

// The virtual printer's output folder: FOLDER/page-0001.png with the commands
// that drew it in page-0001.txt, each copy a page of its own, every file
// written safely. Bounded by the run's limits: past either, nothing more is
// written, which is said once; the pages are still listed. A blank page that only bad bytes made (random
// data, a wrong baud rate) is listed and not written.
class PageFolder {
 public:
  PageFolder(std::string folder, OutputLimits limits) : folder_(std::move(folder)), budget_(limits) {}

  void Write(const PrintedPage& printed, PageFolderReport* report);
  // At the end of the run: how many pages a limit kept out, when it did.
  std::vector<std::string> Summary() const;

 private:
  std::string folder_;
  OutputBudget budget_;
  int count_ = 0;
};

}  // namespace kestrel::emu

#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cli/plan/RunReport.h"

namespace kestrel::cli {

// What the operator sees while a plan runs. On a terminal, one live line per
// printer (its step, its count, its last status), redrawn in place by
// Refresh; otherwise one line per event, with the time, for a log. Every
// worker calls in from its own thread.
class RunDisplay {
 public:
  RunDisplay(std::vector<std::string> ports, bool live);

  void StepStarted(std::size_t printer, std::size_t index, std::size_t total, const std::string& name);
  void Count(std::size_t printer, const std::string& text);
  void Status(std::size_t printer, const std::string& text);
  // Something worth a line of its own in a log: a fault, a printer ready again.
  void Note(std::size_t printer, const std::string& text);
  void StepEnded(std::size_t printer, std::size_t index, std::size_t total, const StepRecord& record);
  void Finished(std::size_t printer, const PrinterReport& report);

  // Draws the live lines again (nothing without them).
  void Refresh();

  // Asks the operator a yes/no question about one printer, one question at a
  // time; the live lines hold still meanwhile. No answer (the input ended, or
  // Ctrl+C) gives nothing.
  std::optional<bool> Ask(std::size_t printer, const std::string& question);

 private:
  struct Line {
    std::string step;
    std::string count;
    std::string status;
    std::string verdict;
  };

  void Event(std::size_t printer, const std::string& text);  // with mutex_ held
  std::string LiveText(std::size_t printer) const;           // with mutex_ held

  const std::vector<std::string> ports_;
  const bool live_;
  std::size_t portWidth_ = 0;
  std::mutex mutex_;     // the lines and stdout
  std::mutex askMutex_;  // one question at a time
  std::atomic<bool> asking_ = false;
  std::vector<Line> lines_;
  bool drawn_ = false;  // the live lines stand above the cursor
};

}  // namespace kestrel::cli

#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/AgingLog.h"
#include "cli/CliOptions.h"
#include "cli/ExitStatus.h"
#include "link/PrinterLink.h"

namespace kestrel::cli {

// What an aging run does after each label when asked to: wait until the
// printer has printed it (--wait), ask its status (--check-status) and, on a
// fault, end the run or wait until the printer is ready again (--on-fault
// stop|wait). Without these options nothing is asked and nothing is added to
// what aging sends.
class AgingChecks {
 public:
  using Clock = std::chrono::steady_clock;

  // Reads --wait, --check-status, --on-fault and --timeout; the usage
  // problem, or nothing.
  std::optional<std::string> Parse(const CliOptions& options);

  // After a label went out: with --wait, asks GS r 1 and gives the note for
  // the tick's log line ("printed in 812 ms"); nullopt with *failure set when
  // the label is not known to have printed.
  std::optional<std::string> WaitUntilPrinted(PrinterLink& link, Clock::time_point firstByte, std::string* failure);

  // With --check-status, asks the status after a tick; a fault is logged
  // with its reason and either ends the run (its exit status is returned) or
  // is waited out. Nothing when the run goes on.
  std::optional<ExitStatus> CheckStatus(PrinterLink& link, std::int64_t tick, AgingLog& log);

  // ", 12.5 labels a minute, 3200 ms lost to faults": what the checks
  // measured, for the end of the run; empty without checks.
  std::string Summary() const;

 private:
  bool WaitUntilReady(PrinterLink& link, const std::string& fault, std::int64_t tick, AgingLog& log);

  bool wait_ = false;
  bool checkStatus_ = false;
  bool stopOnFault_ = true;
  int timeoutMs_ = 0;
  // Measured.
  std::int64_t printed_ = 0;
  std::optional<Clock::time_point> firstLabel_;
  Clock::time_point lastPrinted_{};
  std::int64_t slowestMs_ = 0;
  std::int64_t lostMs_ = 0;
};

}  // namespace kestrel::cli

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/plan/Plan.h"

namespace kestrel::cli {

enum class StepResult { kPassed, kFailed, kSkipped, kNotRun };

// "passed", "failed", "skipped", "not-run".
const char* StepResultName(StepResult result);

// What one step did on one printer.
struct StepRecord {
  std::string name;
  StepKind kind = StepKind::kStatus;
  StepResult result = StepResult::kNotRun;
  std::string reason;  // why it failed, was skipped or did not run
  double seconds = 0;

  std::string status;        // status, aging: the last status the printer gave, in words
  std::int64_t labels = 0;   // job, aging: labels sent
  std::int64_t printed = 0;  // with wait: labels the printer said it had printed
  double printSeconds = 0;   // with wait: the time from first byte to answer, all labels together
  std::int64_t faults = 0;   // aging with status checks: faults seen
  double secondsLost = 0;    // aging, on-fault = "wait": the time spent waiting for the printer
  std::string answer;        // prompt: "yes" or "no"

  // With wait: the labels the printer confirmed, per minute of printing.
  std::optional<double> LabelsPerMinute() const;
};

enum class Verdict { kPass, kFail, kInterrupted };

// "pass", "fail", "interrupted".
const char* VerdictName(Verdict verdict);

// One printer's run of a plan.
struct PrinterReport {
  std::string port;
  std::string started;  // local time, "YYYY-MM-DD HH:MM:SS"
  double seconds = 0;
  bool reached = false;  // the port opened at least once
  Verdict verdict = Verdict::kPass;
  int failedStep = -1;                                        // index into steps
  std::string reason;                                         // of the failed step, or why the run stopped
  std::vector<std::pair<std::string, std::string>> identity;  // what the printer said it is
  std::vector<StepRecord> steps;
};

// One run of a plan over its printers.
struct RunReport {
  std::string plan;
  std::string planFile;
  std::string started;
  std::string host;
  std::vector<PrinterReport> printers;
};

}  // namespace kestrel::cli

#include "cli/plan/RunReport.h"

namespace kestrel::cli {

const char* StepResultName(StepResult result) {
  switch (result) {
    case StepResult::kPassed:
      return "passed";
    case StepResult::kFailed:
      return "failed";
    case StepResult::kSkipped:
      return "skipped";
    case StepResult::kNotRun:
      return "not-run";
  }
  return "";
}

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::kPass:
      return "pass";
    case Verdict::kFail:
      return "fail";
    case Verdict::kInterrupted:
      return "interrupted";
  }
  return "";
}

std::optional<double> StepRecord::LabelsPerMinute() const {
  if (printed == 0 || printSeconds <= 0) return std::nullopt;
  return static_cast<double>(printed) * 60.0 / printSeconds;
}

}  // namespace kestrel::cli

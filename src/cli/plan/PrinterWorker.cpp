#include "cli/plan/PrinterWorker.h"

#include <algorithm>
#include <thread>

#include "cli/CliOptions.h"
#include "cli/ProcessIo.h"
#include "cli/plan/JobBytes.h"

namespace kestrel::cli {
namespace {

std::string LabelCount(std::int64_t tick, std::int64_t ticks) {
  std::string text = "label " + std::to_string(tick);
  return ticks > 0 ? text + " of " + std::to_string(ticks) : text;
}

}  // namespace

bool FailStep(StepRecord& record, std::string reason) {
  record.result = StepResult::kFailed;
  record.reason = std::move(reason);
  return false;
}

PrinterReport PrinterWorker::Run() {
  report_.port = session_.port();
  report_.started = LocalTimeText();
  const Clock::time_point start = Clock::now();
  const std::size_t total = plan_.steps.size();
  for (const PlanStep& step : plan_.steps) {
    StepRecord& record = report_.steps.emplace_back();
    record.name = step.name;
    record.kind = step.kind;
  }

  for (std::size_t i = 0; i < total; ++i) {
    StepRecord& record = report_.steps[i];
    if (Interrupted()) {
      report_.verdict = Verdict::kInterrupted;
      report_.reason = "stopped by Ctrl+C before step " + std::to_string(i + 1);
      for (std::size_t rest = i; rest < total; ++rest) report_.steps[rest].reason = "stopped by Ctrl+C";
      break;
    }
    display_.StepStarted(printer_, i, total, record.name);
    const Clock::time_point began = Clock::now();
    record.result = StepResult::kPassed;
    RunStep(plan_.steps[i], record);
    record.seconds = std::chrono::duration<double>(Clock::now() - began).count();
    display_.StepEnded(printer_, i, total, record);

    const bool failed = record.result == StepResult::kFailed;
    const bool stopped = !failed && Interrupted();
    if (failed || stopped) {
      report_.verdict = failed ? Verdict::kFail : Verdict::kInterrupted;
      report_.failedStep = failed ? static_cast<int>(i) : -1;
      report_.reason = failed ? "step " + std::to_string(i + 1) + " " + record.name + ": " + record.reason
                              : "stopped by Ctrl+C after step " + std::to_string(i + 1);
      for (std::size_t rest = i + 1; rest < total; ++rest) {
        report_.steps[rest].result = failed ? StepResult::kSkipped : StepResult::kNotRun;
        report_.steps[rest].reason = failed ? "an earlier step failed" : "stopped by Ctrl+C";
      }
      break;
    }
  }
  report_.reached = session_.reached();
  report_.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  display_.Finished(printer_, report_);
  return report_;
}

void PrinterWorker::RunStep(const PlanStep& step, StepRecord& record) {
  switch (step.kind) {
    case StepKind::kInfo:
      return RunInfo(step, record);
    case StepKind::kStatus:
      return RunStatus(step, record);
    case StepKind::kJob:
      return RunJob(step, record);
    case StepKind::kAging:
      return RunAging(step, record);
    case StepKind::kPrompt:
      return RunPrompt(step, record);
    case StepKind::kPause:
      return RunPause(step, record);
  }
}

JobContext PrinterWorker::ContextNow() const {
  JobContext context = plan_.context;
  if (!plan_.timeGiven) context.now = LocalTimeNow();
  return context;
}

bool PrinterWorker::SleepUntil(Clock::time_point until) {
  while (!Interrupted()) {
    const Clock::time_point now = Clock::now();
    if (now >= until) return true;
    std::this_thread::sleep_for(std::min<Clock::duration>(until - now, std::chrono::milliseconds(50)));
  }
  return false;
}

void PrinterWorker::RunJob(const PlanStep& step, StepRecord& record) {
  JobContext context = ContextNow();
  if (!step.copies.empty()) context.copiesText = step.copies;
  const std::int64_t labels = IsTestLabel(*step.job) ? ReadPrintCopies(context.copiesText) : 0;
  display_.Count(printer_, labels > 0 ? std::to_string(labels) + " label(s)" : std::string());
  SendJob(*step.job, context, step, labels, record);
}

// Labels go out one interval apart, measured from the start of each, until
// the ticks are sent or the duration is over, whichever comes first.
void PrinterWorker::RunAging(const PlanStep& step, StepRecord& record) {
  const Clock::time_point start = Clock::now();
  const Clock::time_point end = step.duration.count() > 0 ? start + step.duration : Clock::time_point::max();
  for (std::int64_t tick = 1;; ++tick) {
    const Clock::time_point next = Clock::now() + std::chrono::milliseconds(step.intervalMs);
    display_.Count(printer_, LabelCount(tick, step.ticks));
    if (!AgingLabel(step, tick, end, record)) return;
    if (tick == step.ticks || Clock::now() >= end) return;
    if (!SleepUntil(std::min(next, end))) {
      record.result = StepResult::kSkipped;
      record.reason = "stopped by Ctrl+C after " + std::to_string(tick) + " label(s)";
      return;
    }
    if (Clock::now() >= end) return;
  }
}

bool PrinterWorker::AgingLabel(const PlanStep& step, std::int64_t tick, Clock::time_point end, StepRecord& record) {
  JobContext context = ContextNow();
  context.agingRunning = true;
  if (!SendJob(*step.job, context, step, 1, record)) {
    record.reason = "label " + std::to_string(tick) + ": " + record.reason;
    return false;
  }
  if (!step.checkStatus || CheckAgingStatus(step, end, record)) return true;
  record.reason = "label " + std::to_string(tick) + ": " + record.reason;
  return false;
}

void PrinterWorker::RunPrompt(const PlanStep& step, StepRecord& record) {
  if (options_.unattended) {
    record.result = StepResult::kSkipped;
    record.reason = "unattended";
    return;
  }
  const std::optional<bool> answer = display_.Ask(printer_, step.question);
  if (!answer) {
    if (Interrupted()) {
      record.result = StepResult::kSkipped;
      record.reason = "stopped by Ctrl+C before an answer";
    } else {
      FailStep(record, "no answer (the input ended; --unattended skips the questions)");
    }
    return;
  }
  record.answer = *answer ? "yes" : "no";
  if (!*answer) FailStep(record, "the operator answered no to \"" + step.question + "\"");
}

void PrinterWorker::RunPause(const PlanStep& step, StepRecord& record) {
  if (SleepUntil(Clock::now() + step.pause)) return;
  record.result = StepResult::kSkipped;
  record.reason = "stopped by Ctrl+C";
}

}  // namespace kestrel::cli

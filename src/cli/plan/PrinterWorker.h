#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "cli/plan/Plan.h"
#include "cli/plan/PrinterSession.h"
#include "cli/plan/RunDisplay.h"
#include "cli/plan/RunReport.h"

namespace kestrel::cli {

// How a run goes besides its plan.
struct RunOptions {
  bool unattended = false;  // prompts are skipped, not asked
};

// Runs every step of a plan on one printer, in order, on the calling thread
// (each printer has a thread of its own). The first failing step fails the
// printer and the rest are skipped; Ctrl+C ends the run after the step in
// progress (an aging run after its label in progress).
class PrinterWorker {
 public:
  PrinterWorker(const Plan& plan, std::size_t printer, PrinterSession& session, RunDisplay& display,
                const RunOptions& options)
      : plan_(plan), printer_(printer), session_(session), display_(display), options_(options) {}

  PrinterReport Run();

 private:
  using Clock = std::chrono::steady_clock;

  void RunStep(const PlanStep& step, StepRecord& record);
  void RunInfo(const PlanStep& step, StepRecord& record);
  void RunStatus(const PlanStep& step, StepRecord& record);
  void RunJob(const PlanStep& step, StepRecord& record);
  void RunAging(const PlanStep& step, StepRecord& record);
  void RunPrompt(const PlanStep& step, StepRecord& record);
  void RunPause(const PlanStep& step, StepRecord& record);

  // One label of an aging run: sent, confirmed when the step waits, the
  // status checked when it asks. False when the step has failed.
  bool AgingLabel(const PlanStep& step, std::int64_t tick, Clock::time_point end, StepRecord& record);
  // Sends one job, composed now; with `wait`, until the printer says it has
  // printed it. False when the step has failed.
  bool SendJob(const NamedJob& job, const JobContext& context, const PlanStep& step, std::int64_t labels,
               StepRecord& record);
  // The status after an aging label: a fault the step does not allow fails
  // it, or (on-fault = "wait") is waited out. False when the step has failed.
  bool CheckAgingStatus(const PlanStep& step, Clock::time_point end, StepRecord& record);
  // Asks the status once a second until the printer has no fault the step
  // does not allow, the aging run's end passes or Ctrl+C comes; counts the
  // time lost. False when the step has failed or was stopped.
  bool WaitUntilReady(const PlanStep& step, Clock::time_point end, StepRecord& record);

  // The plan's settings with the time now (unless the plan fixed it).
  JobContext ContextNow() const;
  // Waits until `until`; false when Ctrl+C came first.
  static bool SleepUntil(Clock::time_point until);

  const Plan& plan_;
  const std::size_t printer_;
  PrinterSession& session_;
  RunDisplay& display_;
  const RunOptions& options_;
  PrinterReport report_;
};

// Fails a step with its reason; returns false for the callers' convenience.
bool FailStep(StepRecord& record, std::string reason);

}  // namespace kestrel::cli

#include <algorithm>
#include <chrono>
#include <optional>

#include "cli/plan/JobBytes.h"
#include "cli/plan/PrinterWorker.h"
#include "commands/PrinterReplies.h"
#include "link/PrinterQueries.h"

// The steps that listen to the printer: its identity, its status, and the
// wait until a job has printed.
namespace kestrel::cli {
namespace {

int QueryTimeout(const PlanStep& step) {
  return step.timeout.count() > 0 ? static_cast<int>(step.timeout.count()) : kDefaultQueryTimeoutMs;
}

int PrintTimeout(const PlanStep& step) {
  return step.timeout.count() > 0 ? static_cast<int>(step.timeout.count()) : kDefaultPrintTimeoutMs;
}

std::string StatusText(const RealTimeStatus& status) {
  std::string text;
  for (const std::string& word : StatusWords(status)) text += (text.empty() ? "" : ", ") + word;
  return text;
}

// The faults a plan's `allow` does not name, in the plan's words ("paper
// end" is "paper-end").
std::vector<std::string> FaultsNotAllowed(const RealTimeStatus& status, const std::vector<std::string>& allowed) {
  std::vector<std::string> faults;
  const std::string text = FaultText(status);
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t comma = std::min(text.find(", ", at), text.size());
    std::string fault = text.substr(at, comma - at);
    std::replace(fault.begin(), fault.end(), ' ', '-');
    if (std::find(allowed.begin(), allowed.end(), fault) == allowed.end()) faults.push_back(fault);
    at = comma + 2;
  }
  return faults;
}

std::optional<std::string> IdentityValue(const PrinterReport& report, const char* key) {
  for (const auto& [name, value] : report.identity)
    if (name == key) return value;
  return std::nullopt;
}

}  // namespace

void PrinterWorker::RunInfo(const PlanStep& step, StepRecord& record) {
  std::string reason;
  if (!session_.EnsureOpen(&reason)) return void(FailStep(record, reason));
  const IdentityResult identity = QueryIdentity(session_.link(), QueryTimeout(step));
  if (!identity.answered) return void(FailStep(record, identity.reason));
  report_.identity.clear();
  for (const IdentityAnswer& answer : identity.items)
    if (answer.value) report_.identity.emplace_back(answer.item.key, *answer.value);
  const std::pair<const char*, const std::string*> required[] = {{"model", &step.modelPattern},
                                                                 {"firmware", &step.firmwarePattern}};
  for (const auto& [key, pattern] : required) {
    if (pattern->empty()) continue;
    const std::optional<std::string> value = IdentityValue(report_, key);
    if (!value) return void(FailStep(record, std::string("the printer does not tell its ") + key));
    if (!MatchesPattern(*value, *pattern))
      return void(FailStep(record, std::string(key) + " \"" + *value + "\" is not \"" + *pattern + "\""));
  }
  if (const auto model = IdentityValue(report_, "model")) display_.Status(printer_, *model);
}

void PrinterWorker::RunStatus(const PlanStep& step, StepRecord& record) {
  std::string reason;
  if (!session_.EnsureOpen(&reason)) return void(FailStep(record, reason));
  const StatusResult status = QueryStatus(session_.link(), QueryTimeout(step));
  if (!status.answered) return void(FailStep(record, status.reason));
  record.status = StatusText(status.status);
  display_.Status(printer_, record.status);
  if (!status.Ready()) FailStep(record, FaultText(status.status));
}

bool PrinterWorker::SendJob(const NamedJob& job, const JobContext& context, const PlanStep& step, std::int64_t labels,
                            StepRecord& record) {
  const std::vector<std::uint8_t> bytes = ComposeJobBytes(job, context);
  std::string reason;
  if (!session_.Reopen(&reason)) return FailStep(record, reason);
  const Clock::time_point firstByte = Clock::now();
  if (!session_.Send(bytes, &reason)) return FailStep(record, reason);
  record.labels += labels;
  if (!step.wait) return true;
  const PrintedResult printed = WaitUntilPrinted(session_.link(), firstByte, PrintTimeout(step));
  if (!printed.printed) return FailStep(record, "not printed: " + printed.reason);
  record.printed += labels;
  record.printSeconds += static_cast<double>(printed.milliseconds) / 1000.0;
  if (printed.paper.paperEnd) return FailStep(record, "paper end");
  return true;
}

bool PrinterWorker::CheckAgingStatus(const PlanStep& step, Clock::time_point end, StepRecord& record) {
  const StatusResult status = QueryStatus(session_.link(), QueryTimeout(step));
  if (!status.answered) return FailStep(record, status.reason);
  record.status = StatusText(status.status);
  display_.Status(printer_, record.status);
  if (status.Ready()) return true;
  ++record.faults;
  display_.Note(printer_, "fault: " + FaultText(status.status));
  if (FaultsNotAllowed(status.status, step.allowedFaults).empty()) return true;
  if (!step.waitOnFault) return FailStep(record, FaultText(status.status));
  return WaitUntilReady(step, end, record);
}

bool PrinterWorker::WaitUntilReady(const PlanStep& step, Clock::time_point end, StepRecord& record) {
  const Clock::time_point began = Clock::now();
  const auto lost = [&] { record.secondsLost += std::chrono::duration<double>(Clock::now() - began).count(); };
  for (;;) {
    if (!SleepUntil(std::min(end, Clock::now() + std::chrono::seconds(1)))) {
      lost();
      record.result = StepResult::kSkipped;
      record.reason = "stopped by Ctrl+C while waiting for the printer";
      return false;
    }
    const StatusResult status = QueryStatus(session_.link(), QueryTimeout(step));
    if (!status.answered) {
      lost();
      return FailStep(record, status.reason);
    }
    record.status = StatusText(status.status);
    display_.Status(printer_, record.status);
    if (FaultsNotAllowed(status.status, step.allowedFaults).empty()) break;
    if (Clock::now() >= end) {
      lost();
      return FailStep(record, FaultText(status.status) + " until the end of the run");
    }
  }
  lost();
  display_.Note(printer_, "ready again");
  return true;
}

}  // namespace kestrel::cli

#include "cli/AgingChecks.h"

#include <cstdio>
#include <thread>

#include "cli/ProcessIo.h"
#include "link/PrinterQueries.h"

namespace kestrel::cli {
namespace {

// How often a printer with a fault is asked again while the run waits.
constexpr auto kReadyPoll = std::chrono::milliseconds(500);

std::int64_t MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

std::optional<std::string> AgingChecks::Parse(const CliOptions& options) {
  wait_ = options.extras.count("--wait") != 0;
  checkStatus_ = options.extras.count("--check-status") != 0;
  const auto onFault = options.extras.find("--on-fault");
  if (onFault != options.extras.end()) {
    if (!checkStatus_) return "--on-fault goes with --check-status";
    if (onFault->second != "stop" && onFault->second != "wait") return "--on-fault takes stop or wait";
    stopOnFault_ = onFault->second == "stop";
  }
  std::int32_t timeout = wait_ ? kDefaultPrintTimeoutMs : kDefaultQueryTimeoutMs;
  if (!ParseNumberOption(options, "--timeout", 1, 600000, &timeout)) return "--timeout takes 1 to 600000 milliseconds";
  if (options.extras.count("--timeout") && !wait_ && !checkStatus_)
    return "--timeout goes with --wait or --check-status";
  timeoutMs_ = timeout;
  return std::nullopt;
}

std::optional<std::string> AgingChecks::WaitUntilPrinted(PrinterLink& link, Clock::time_point firstByte,
                                                         std::string* failure) {
  if (!wait_) return std::string();
  const PrintedResult result = kestrel::WaitUntilPrinted(link, firstByte, timeoutMs_);
  if (!result.printed) {
    *failure = "not known to have printed: " + result.reason;
    return std::nullopt;
  }
  if (!firstLabel_) firstLabel_ = firstByte;
  lastPrinted_ = Clock::now();
  ++printed_;
  slowestMs_ = std::max(slowestMs_, result.milliseconds);
  return "printed in " + std::to_string(result.milliseconds) + " ms";
}

std::optional<ExitStatus> AgingChecks::CheckStatus(PrinterLink& link, std::int64_t tick, AgingLog& log) {
  if (!checkStatus_) return std::nullopt;
  const StatusResult status = QueryStatus(link, timeoutMs_);
  if (!status.answered) {
    std::fprintf(stderr, "kestrel-cli: aging: no status: %s\n", status.reason.c_str());
    log.Note(tick, "no-status", status.reason);
    return ExitStatus::kNotWritten;
  }
  if (status.Ready()) return std::nullopt;
  const std::string fault = FaultText(status.status);
  std::fprintf(stderr, "kestrel-cli: aging: the printer reports %s\n", fault.c_str());
  if (!log.Note(tick, "printer-fault", fault)) return ExitStatus::kNotWritten;
  if (stopOnFault_) return ExitStatus::kPrinterFault;
  return WaitUntilReady(link, fault, tick, log) ? std::nullopt : std::optional(ExitStatus::kNotWritten);
}

// Asks again until the printer is ready, an interrupt, or it stops
// answering; the time is counted as lost.
bool AgingChecks::WaitUntilReady(PrinterLink& link, const std::string& fault, std::int64_t tick, AgingLog& log) {
  const Clock::time_point start = Clock::now();
  while (!Interrupted()) {
    std::this_thread::sleep_for(kReadyPoll);
    const StatusResult status = QueryStatus(link, timeoutMs_);
    if (!status.answered) {
      std::fprintf(stderr, "kestrel-cli: aging: no status: %s\n", status.reason.c_str());
      log.Note(tick, "no-status", status.reason);
      return false;
    }
    if (status.Ready()) break;
  }
  const std::int64_t waited = MillisecondsSince(start);
  lostMs_ += waited;
  return log.Note(tick, Interrupted() ? "interrupted" : "ready",
                  "waited " + std::to_string(waited) + " ms for " + fault);
}

std::string AgingChecks::Summary() const {
  std::string summary;
  if (wait_ && printed_ > 0) {
    const std::int64_t span =
        std::chrono::duration_cast<std::chrono::milliseconds>(lastPrinted_ - *firstLabel_).count();
    char rate[64];
    std::snprintf(rate, sizeof rate, "%.1f", span > 0 ? printed_ * 60000.0 / static_cast<double>(span) : 0.0);
    summary += ", " + std::string(rate) + " labels a minute, slowest " + std::to_string(slowestMs_) + " ms";
  }
  if (checkStatus_ && lostMs_ > 0) summary += ", " + std::to_string(lostMs_) + " ms lost to faults";
  return summary;
}

}  // namespace kestrel::cli

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>

#include "cli/AgingChecks.h"
#include "cli/AgingLog.h"
#include "cli/CliCommands.h"
#include "cli/CliLinkHost.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/ProcessIo.h"
#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "link/PrinterLink.h"
#include "operations/AgingTest.h"

namespace kestrel::cli {
namespace {

using Clock = std::chrono::steady_clock;

// The aging test's owner on the command line: the count on stdout after each
// send, the stop messages on stderr.
class CliAgingHost : public AgingHost {
 public:
  void StopAging() override { stopped = true; }
  void CountSuccessfulSend() override {
    ++sendCount;
    PrintOut("%lu\n", static_cast<unsigned long>(sendCount));
    FlushOut();
  }
  void ShowMessage(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "kestrel-cli: aging: %s\n", text.c_str());
    lastMessage = text;
  }

  bool stopped = false;
  std::uint32_t sendCount = 0;
  std::string lastMessage;
};

// Waits until `until`, in short steps so that an interrupt ends the wait.
void WaitForNextTick(Clock::time_point until) {
  while (!Interrupted() && Clock::now() < until)
    std::this_thread::sleep_for(std::min<Clock::duration>(until - Clock::now(), std::chrono::milliseconds(20)));
}

// --ticks: a positive whole number; absent means until interrupted (0).
std::optional<std::string> ParseTicks(const CliOptions& options, std::int64_t* ticks) {
  *ticks = 0;
  const auto given = options.extras.find("--ticks");
  if (given == options.extras.end()) return std::nullopt;
  const std::string& text = given->second;
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos ||
      std::stoll(text) < 1)
    return "--ticks takes a whole number from 1";
  *ticks = std::stoll(text);
  return std::nullopt;
}

// A log that can no longer be written ends the run: the record is what a
// long run is for.
ExitStatus LogFailed() {
  std::fprintf(stderr, "kestrel-cli: aging: the log could not be written; the run is stopped\n");
  return ExitStatus::kNotWritten;
}

// The ticks until --ticks is reached, an interrupt or a failed tick; returns
// the exit status and records each tick in the log.
ExitStatus RunTicks(PrinterLink& link, const NamedJob& job, CliOptions& options, std::int64_t ticks, AgingLog& log,
                    AgingChecks& checks) {
  const auto interval = options.extras.find("--interval");
  const std::chrono::milliseconds period(AgingInterval(interval == options.extras.end() ? "" : interval->second));
  CliAgingHost host;
  for (std::int64_t tick = 1; !Interrupted(); ++tick) {
    const Clock::time_point next = Clock::now() + period;
    // A time given with --at stays fixed; otherwise every label prints the
    // time of its own tick, as in the window.
    if (!options.timeGiven) options.context.now = LocalTimeNow();
    Clock::time_point firstByte;
    const AgingTickResult result = RunAgingTick(link, job, options.context, host, &firstByte);
    const std::size_t bytes = result == AgingTickResult::kNotConnected ? 0 : ComposedBytes().size();
    std::string notPrinted;
    const std::optional<std::string> printed =
        result == AgingTickResult::kSent ? checks.WaitUntilPrinted(link, firstByte, &notPrinted) : std::string();
    const std::string reason = host.stopped ? host.lastMessage : printed.value_or(notPrinted);
    if (!log.Tick(tick, bytes, result, reason)) return LogFailed();
    if (host.stopped) return log.End("stopped", checks.Summary()) ? ExitStatus::kNotWritten : LogFailed();
    if (!printed) {
      std::fprintf(stderr, "kestrel-cli: aging: label %lld %s\n", static_cast<long long>(tick), notPrinted.c_str());
      return log.End("stopped", checks.Summary()) ? ExitStatus::kNotWritten : LogFailed();
    }
    if (const std::optional<ExitStatus> end = checks.CheckStatus(link, tick, log))
      return log.End("stopped", checks.Summary()) ? *end : LogFailed();
    if (tick == ticks) break;
    WaitForNextTick(next);
  }
  return log.End(Interrupted() ? "interrupted" : "done", checks.Summary()) ? ExitStatus::kDone : LogFailed();
}

}  // namespace

ExitStatus RunAging(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  const NamedJob* job = nullptr;
  if (const auto problem = ParseJobCommand(command, args, options, &job)) return UsageError(&command, *problem);
  std::int64_t ticks = 0;
  if (const auto problem = ParseTicks(options, &ticks)) return UsageError(&command, *problem);
  AgingChecks checks;
  if (const auto problem = checks.Parse(options)) return UsageError(&command, *problem);
  AgingLog log;
  std::string problem;
  if (options.extras.count("--log") && !log.Open(options.extras.at("--log"), &problem)) {
    std::fprintf(stderr, "kestrel-cli: aging: cannot open the log %s\n", problem.c_str());
    return ExitStatus::kBadUsage;
  }

  ApplyLanguage(options);
  CliLinkHost linkHost(options.port, options.baud);
  linkHost.SetAgingRunning(true);
  PrinterLink link(linkHost);
  options.context.agingRunning = true;
  // The operator's Ctrl+C is the stop button: the run ends after the tick in
  // progress.
  CatchInterrupts();
  return RunTicks(link, *job, options, ticks, log, checks);
}

}  // namespace kestrel::cli

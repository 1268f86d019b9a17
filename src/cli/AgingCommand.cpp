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
#include "cli/SettingsFileCheck.h"
#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "link/PrinterLink.h"
#include "operations/AgingTest.h"

namespace kestrel::cli {
namespace {

using Clock = std::chrono::steady_clock;

// The interval edit's start-up text in the window.
constexpr const char* kWindowInterval = "3000";

// The aging test's owner on the command line. The window's stop message is
// kept, not shown: the run reports each tick itself, with the reason.
class CliAgingHost : public AgingHost {
 public:
  void StopAging() override { stopped = true; }
  void CountSuccessfulSend() override {}
  void ShowMessage(const std::string& text, const std::string&) override { lastMessage = text; }

  bool stopped = false;
  std::string lastMessage;
};

// Why a tick failed: the system's reason for a port that would not open,
// else the window's message.
std::string TickFailure(AgingTickResult result, const PrinterLink& link, const CliAgingHost& host) {
  const std::string reason = result == AgingTickResult::kNotConnected ? link.LastError() : std::string();
  return reason.empty() ? host.lastMessage : reason;
}

// One line a tick on stdout, or on stderr when the log itself goes to stdout.
void TickLine(bool toStderr, const std::string& line) {
  if (toStderr) {
    std::fprintf(stderr, "%s\n", line.c_str());
    return;
  }
  PrintOut("%s\n", line.c_str());
  FlushOut();
}

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

// The summary line, "done: 3 of 3 ticks sent, 987 bytes", and the log's last line.
bool Finish(AgingLog& log, const char* outcome, const AgingChecks& checks, bool toStderr) {
  TickLine(toStderr, std::string(outcome) + ": " + log.Summary() + checks.Summary());
  return log.End(outcome, checks.Summary());
}

// The ticks until --ticks is reached, an interrupt or a failed tick; returns
// the exit status and records each tick in the log.
ExitStatus RunTicks(PrinterLink& link, const NamedJob& job, CliOptions& options, std::int64_t ticks, AgingLog& log,
                    AgingChecks& checks) {
  const auto interval = options.extras.find("--interval");
  const std::chrono::milliseconds period(
      AgingInterval(interval == options.extras.end() ? kWindowInterval : interval->second));
  const bool linesToStderr = log.ToStdout();
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
    const std::string reason = host.stopped ? TickFailure(result, link, host) : printed.value_or(notPrinted);
    if (!log.Tick(tick, bytes, result, reason)) return LogFailed();
    const std::string label = "tick " + std::to_string(tick) + ": ";
    if (result == AgingTickResult::kSent) {
      TickLine(linesToStderr, label + std::to_string(bytes) + " bytes sent" +
                                  (printed && !printed->empty() ? ", " + *printed : std::string()));
    } else {
      TickLine(linesToStderr, label + (result == AgingTickResult::kNotConnected ? "not connected" : "send failed"));
      std::fprintf(stderr, "kestrel-cli: aging: tick %lld: %s; the run is stopped\n", static_cast<long long>(tick),
                   reason.c_str());
    }
    if (host.stopped) return Finish(log, "stopped", checks, linesToStderr) ? ExitStatus::kNotWritten : LogFailed();
    if (!printed) {
      std::fprintf(stderr, "kestrel-cli: aging: label %lld %s\n", static_cast<long long>(tick), notPrinted.c_str());
      return Finish(log, "stopped", checks, linesToStderr) ? ExitStatus::kNotWritten : LogFailed();
    }
    if (const std::optional<ExitStatus> end = checks.CheckStatus(link, tick, log))
      return Finish(log, "stopped", checks, linesToStderr) ? *end : LogFailed();
    if (tick == ticks) break;
    WaitForNextTick(next);
  }
  return Finish(log, Interrupted() ? "interrupted" : "done", checks, linesToStderr) ? ExitStatus::kDone : LogFailed();
}

}  // namespace

ExitStatus RunAging(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  const NamedJob* job = nullptr;
  if (const auto problem = ParseJobCommand(command, args, options, &job)) return UsageError(&command, *problem);
  if (const auto unreadable = CheckJobSettings(*job)) return *unreadable;
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

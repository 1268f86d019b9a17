#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/CliLinkHost.h"
#include "cli/CliOptions.h"
#include "commands/NamedJob.h"
#include "link/PrinterLink.h"
#include "operations/AgingTest.h"

namespace kestrel::cli {
namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) { interrupted = 1; }

// The operator's Ctrl+C (or a TERM from the line's controller) is the stop
// button: the run ends after the tick in progress.
void CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

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
  }

  bool stopped = false;
  std::uint32_t sendCount = 0;
};

// Waits until `until`, in short steps so that an interrupt ends the wait.
void WaitForNextTick(Clock::time_point until) {
  while (!interrupted && Clock::now() < until)
    std::this_thread::sleep_for(std::min<Clock::duration>(until - Clock::now(), std::chrono::milliseconds(20)));
}

// --ticks: a positive whole number; absent means until interrupted (0).
std::string ParseTicks(const CliOptions& options, std::int64_t* ticks) {
  *ticks = 0;
  const auto given = options.extras.find("--ticks");
  if (given == options.extras.end()) return "";
  const std::string& text = given->second;
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos ||
      std::stoll(text) < 1)
    return "aging: --ticks takes a whole number from 1";
  *ticks = std::stoll(text);
  return "";
}

}  // namespace

int RunAging(const Arguments& args) {
  CliOptions options;
  const OptionSet accepted{.link = true, .extras = {{"--interval"}, {"--ticks"}}};
  const NamedJob* job = nullptr;
  std::string problem = ParseJobCommand("aging", args, accepted, options, &job);
  if (!problem.empty()) return UsageError(problem);
  std::int64_t ticks = 0;
  problem = ParseTicks(options, &ticks);
  if (!problem.empty()) return UsageError(problem);
  const auto interval = options.extras.count("--interval") ? options.extras.at("--interval") : std::string();
  const std::chrono::milliseconds period(AgingInterval(interval));

  ApplyLanguage(options);
  CliLinkHost linkHost(options.port, options.baud);
  linkHost.SetAgingRunning(true);
  PrinterLink link(linkHost);
  options.context.agingRunning = true;
  CliAgingHost host;
  CatchInterrupts();

  for (std::int64_t tick = 1; !interrupted; ++tick) {
    const Clock::time_point next = Clock::now() + period;
    // A time given with --at stays fixed; otherwise every label prints the
    // time of its own tick, as in the window.
    if (!options.timeGiven) options.context.now = LocalTimeNow();
    RunAgingTick(link, *job, options.context, host);
    if (host.stopped) return 1;
    if (tick == ticks) break;
    WaitForNextTick(next);
  }
  return 0;
}

}  // namespace kestrel::cli

#include <chrono>
#include <cstdio>
#include <thread>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/PrinterAnswers.h"
#include "cli/ProcessIo.h"

// kestrel-cli status: what the printer says of itself (DLE EOT 1 to 4).
namespace kestrel::cli {
namespace {

constexpr auto kWatchPeriod = std::chrono::seconds(1);

void Show(const CliOptions& options, const StatusResult& result, bool stamped) {
  const std::string stamp = stamped ? LocalTimeText() + " " : "";
  if (options.extras.count("--json")) {
    WriteOut(StatusJson(options.port, result) + "\n");
  } else if (stamped) {
    std::string text = StatusText(result);
    for (char& c : text)
      if (c == '\n') c = ';';
    PrintOut("%s%s\n", stamp.c_str(), text.c_str());
  } else if (result.answered) {
    PrintOut("%s\n", StatusText(result).c_str());
  }
  if (!result.answered && !stamped) std::fprintf(stderr, "kestrel-cli: status: %s\n", result.reason.c_str());
  FlushOut();
}

// Every second until Ctrl+C, a line when what the printer says has changed.
// A printer that stops answering is opened again at the next poll, as one
// switched off and on.
ExitStatus Watch(QueriedPrinter& printer, const CliOptions& options, int timeoutMs) {
  CatchInterrupts();
  std::optional<std::string> last;
  StatusResult result;
  while (!Interrupted()) {
    const auto next = std::chrono::steady_clock::now() + kWatchPeriod;
    if (!printer.link.Connected()) printer.link.ReconnectPrinter();
    result = printer.link.Connected() ? QueryStatus(printer.link, timeoutMs) : StatusResult{};
    if (!printer.link.Connected()) result.reason = "the printer could not be reached: " + printer.link.LastError();
    const std::string shown = StatusJson(options.port, result);
    if (shown != last) Show(options, result, true);
    last = shown;
    if (!result.answered && printer.link.Connected()) printer.link.ReconnectPrinter();
    while (!Interrupted() && std::chrono::steady_clock::now() < next)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return StatusExit(result);
}

}  // namespace

ExitStatus RunStatus(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  int timeout = kDefaultQueryTimeoutMs;
  if (const auto usage = ReadQueryOptions(args, command, options, timeout)) return *usage;

  ApplyLanguage(options);
  QueriedPrinter printer(options);
  if (options.extras.count("--watch")) return FinishOutput(Watch(printer, options, timeout));
  if (!printer.Open("status")) return ExitStatus::kNotWritten;
  const StatusResult result = QueryStatus(printer.link, timeout);
  Show(options, result, false);
  return FinishOutput(StatusExit(result));
}

}  // namespace kestrel::cli

#include "cli/PrinterAnswers.h"

#include <cstdio>

#include "cli/CliOutput.h"
#include "cli/JsonText.h"

namespace kestrel::cli {
namespace {

std::string Flag(const char* name, bool value) {
  return ", \"" + std::string(name) + "\": " + (value ? "true" : "false");
}

}  // namespace

bool QueriedPrinter::Open(const char* command) {
  link.ReconnectPrinter();
  if (link.Connected()) return true;
  const std::string reason = host.FailureReason(link);
  std::fprintf(stderr, "kestrel-cli: %s: the printer could not be reached%s%s\n", command, reason.empty() ? "" : ": ",
               reason.c_str());
  return false;
}

std::optional<int> QueryTimeout(const CliOptions& options, int fallback) {
  std::int32_t timeout = fallback;
  if (!ParseNumberOption(options, "--timeout", 1, 600000, &timeout)) return std::nullopt;
  return timeout;
}

std::optional<ExitStatus> ReadQueryOptions(const Arguments& args, const CliCommand& command, CliOptions& options,
                                           int& timeoutMs) {
  if (const auto problem = ParseOptionsOnly(command, args, options)) return UsageError(&command, *problem);
  if (options.port.empty()) return UsageError(&command, "--port is required");
  const std::optional<int> timeout = QueryTimeout(options, kDefaultQueryTimeoutMs);
  if (!timeout) return UsageError(&command, "--timeout takes 1 to 600000 milliseconds");
  timeoutMs = *timeout;
  return std::nullopt;
}

std::string StatusJson(const std::string& port, const StatusResult& result) {
  std::string json = "{\"port\": " + JsonString(port);
  if (!result.answered) return json + ", \"answered\": false, \"reason\": " + JsonString(result.reason) + "}";
  const RealTimeStatus& s = result.status;
  json += ", \"answered\": true" + Flag("ready", result.Ready()) + ", \"fault\": " + JsonString(FaultText(s));
  json += Flag("online", !s.offline) + Flag("drawerOpen", s.drawerPin3High) + Flag("coverOpen", s.coverOpen) +
          Flag("feedButton", s.feedButtonPressed || s.feedingByButton) +
          Flag("paperEnd", s.paperEnd || s.stoppedByPaperEnd) + Flag("paperNearEnd", s.paperNearEnd) +
          Flag("cutterError", s.cutterError) + Flag("unrecoverableError", s.unrecoverableError) +
          Flag("autoRecoverableError", s.autoRecoverableError) + Flag("recoverableError", s.recoverableError) +
          Flag("waitingForOnline", s.waitingForOnline);
  json += ", \"words\": [";
  const std::vector<std::string> words = StatusWords(s);
  for (std::size_t i = 0; i < words.size(); ++i) json += (i ? ", " : "") + JsonString(words[i]);
  return json + "], \"replies\": " + JsonString(ReplyHex(result.replies)) + "}";
}

std::string StatusText(const StatusResult& result) {
  if (!result.answered) return result.reason;
  std::string words;
  for (const std::string& word : StatusWords(result.status)) words += (words.empty() ? "" : ", ") + word;
  return (result.Ready() ? std::string("ready") : "fault: " + FaultText(result.status)) + "\n" + words;
}

ExitStatus ReportPrinted(PrinterLink& link, std::chrono::steady_clock::time_point firstByte,
                         const CliOptions& options) {
  const PrintedResult result = WaitUntilPrinted(link, firstByte, QueryTimeout(options, kDefaultPrintTimeoutMs).value());
  if (!result.printed) {
    std::fprintf(stderr, "kestrel-cli: print: sent, but not known to have printed: %s\n", result.reason.c_str());
    return ExitStatus::kNotWritten;
  }
  PrintOut("printed in %lld ms%s\n", static_cast<long long>(result.milliseconds),
           result.paper.paperEnd  ? ", paper end"
           : result.paper.nearEnd ? ", paper near end"
                                  : "");
  return FinishOutput(result.paper.paperEnd ? ExitStatus::kPrinterFault : ExitStatus::kDone);
}

ExitStatus StatusExit(const StatusResult& result) {
  if (!result.answered) return ExitStatus::kNotWritten;
  return result.Ready() ? ExitStatus::kDone : ExitStatus::kPrinterFault;
}

}  // namespace kestrel::cli

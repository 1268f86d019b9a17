#include <cstdio>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/JsonText.h"
#include "cli/PrinterAnswers.h"

// kestrel-cli info: who the printer says it is (GS I). Each item the printer
// does not answer is shown as such, never filled in.
namespace kestrel::cli {
namespace {

// {"port": ..., "items": {"modelId": "0x20", "serialNumber": null, ...},
//  "unanswered": {"serialNumber": "no answer in 2000 ms"}}
std::string IdentityJson(const std::string& port, const IdentityResult& result) {
  std::string items, unanswered;
  for (const IdentityAnswer& answer : result.items) {
    items += std::string(items.empty() ? "" : ", ") + JsonString(answer.item.key) + ": " +
             (answer.value ? JsonString(*answer.value) : "null");
    if (!answer.value)
      unanswered +=
          std::string(unanswered.empty() ? "" : ", ") + JsonString(answer.item.key) + ": " + JsonString(answer.problem);
  }
  return "{\"port\": " + JsonString(port) + ", \"items\": {" + items + "}, \"unanswered\": {" + unanswered + "}}\n";
}

}  // namespace

ExitStatus RunInfo(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  int timeout = kDefaultQueryTimeoutMs;
  if (const auto usage = ReadQueryOptions(args, command, options, timeout)) return *usage;

  ApplyLanguage(options);
  QueriedPrinter printer(options);
  if (!printer.Open("info")) return ExitStatus::kNotWritten;
  const IdentityResult result = QueryIdentity(printer.link, timeout);
  if (options.extras.count("--json")) {
    WriteOut(IdentityJson(options.port, result));
  } else {
    for (const IdentityAnswer& answer : result.items)
      PrintOut("%-17s %s\n", (std::string(answer.item.label) + ":").c_str(),
               answer.value ? answer.value->c_str() : ("(" + answer.problem + ")").c_str());
  }
  if (!result.answered) std::fprintf(stderr, "kestrel-cli: info: %s\n", result.reason.c_str());
  return FinishOutput(result.answered ? ExitStatus::kDone : ExitStatus::kNotWritten);
}

}  // namespace kestrel::cli

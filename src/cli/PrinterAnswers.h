#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliLinkHost.h"
#include "cli/CliOptions.h"
#include "link/PrinterLink.h"
#include "link/PrinterQueries.h"

namespace kestrel::cli {

// The printer a query command talks to: the port and rate of its options,
// opened once.
struct QueriedPrinter {
  explicit QueriedPrinter(const CliOptions& options) : host(options.port, options.baud), link(host) {}
  // Opens the port; false with the reason on stderr, led by the command's name.
  bool Open(const char* command);

  CliLinkHost host;
  PrinterLink link;
};

// --timeout MS: 1 to 600000, `fallback` when absent; nullopt for any other value.
std::optional<int> QueryTimeout(const CliOptions& options, int fallback);

// The start of status and info: the options read, --port required and
// --timeout (the query's default when absent) put in `timeoutMs`; the status of
// the usage error, already told, when any of it is wrong.
std::optional<ExitStatus> ReadQueryOptions(const Arguments& args, const CliCommand& command, CliOptions& options,
                                           int& timeoutMs);

// The status as one JSON object on one line, or as text: "ready" or "fault:
// paper end", then the words.
std::string StatusJson(const std::string& port, const StatusResult& result);
std::string StatusText(const StatusResult& result);

// The exit status a status tells: done when ready, a printer fault when not,
// not reached when the printer did not answer.
ExitStatus StatusExit(const StatusResult& result);

// print --wait: asks whether the job written from `firstByte` on has printed
// and says how long it took ("printed in 812 ms"); the printer's paper end is
// a fault, no answer within --timeout a failure.
ExitStatus ReportPrinted(PrinterLink& link, std::chrono::steady_clock::time_point firstByte, const CliOptions& options);

}  // namespace kestrel::cli

#include <chrono>
#include <cstdio>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliLinkHost.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/JsonText.h"
#include "cli/PrinterAnswers.h"
#include "cli/ProcessIo.h"
#include "cli/SettingsFileCheck.h"
#include "cli/WriteMonitor.h"
#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "link/JobRunner.h"
#include "link/PrinterLink.h"
#include "operations/HexText.h"

namespace kestrel::cli {
namespace {

// The bytes in the console's hexadecimal form, on one line.
std::string HexLine(std::span<const std::uint8_t> bytes) {
  std::string line = FormatHexText({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  if (!line.empty()) line.pop_back();  // the blank after the last byte
  return line;
}

void PrintJson(const NamedJob& job, std::span<const std::uint8_t> bytes) {
  const std::string json = "{\"job\": " + JsonString(job.name) + ", \"bytes\": " + std::to_string(bytes.size()) +
                           ", \"hex\": " + JsonString(HexLine(bytes)) + "}\n";
  WriteOut(json);
}

// Raw bytes to a file; false with the reason on stderr when it cannot be written.
bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::FILE* file = OpenFile(path, "wb");
  bool written = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file != nullptr && std::fclose(file) != 0) written = false;
  if (!written) std::perror(("kestrel-cli: " + path).c_str());
  return written;
}

}  // namespace

ExitStatus RunCompose(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  const NamedJob* job = nullptr;
  if (const auto problem = ParseJobCommand(command, args, options, &job)) return UsageError(&command, *problem);
  if (const auto unreadable = CheckJobSettings(*job)) return *unreadable;

  ApplyLanguage(options);
  BeginJob();
  job->compose(options.context);
  // With --json and --output both, the file gets the bytes and stdout the summary.
  if (options.output == "-") {
    if (options.extras.count("--json")) return UsageError(&command, "--json and --output - both write to stdout");
    WriteOut({reinterpret_cast<const char*>(ComposedBytes().data()), ComposedBytes().size()});
    return ExitStatus::kDone;
  }
  if (options.output && !WriteFile(*options.output, ComposedBytes())) return ExitStatus::kNotWritten;
  if (options.extras.count("--json"))
    PrintJson(*job, ComposedBytes());
  else if (!options.output)
    WriteOut(HexLine(ComposedBytes()) + "\n");
  return ExitStatus::kDone;
}

ExitStatus RunPrint(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  const NamedJob* job = nullptr;
  if (const auto problem = ParseJobCommand(command, args, options, &job)) return UsageError(&command, *problem);
  if (!QueryTimeout(options, kDefaultPrintTimeoutMs) ||
      (options.extras.count("--timeout") && !options.extras.count("--wait")))
    return UsageError(&command, "--timeout goes with --wait and takes 1 to 600000 milliseconds");
  if (const auto unreadable = CheckJobSettings(*job)) return *unreadable;

  ApplyLanguage(options);
  CliLinkHost host(options.port, options.baud);
  PrinterLink link(host);
  if (!ComposeJob(link, *job, options.context)) {
    std::fprintf(stderr, "kestrel-cli: print: %s\n", host.FailureReason(link).c_str());
    return ExitStatus::kNotWritten;
  }
  // The job is one copy as far as the line knows; its copies are the printer's.
  WriteMonitor monitor("print", link, SendLength, 1, ShowsProgress(options));
  monitor.StartCopy(1);
  const std::chrono::steady_clock::time_point firstByte = std::chrono::steady_clock::now();
  const bool written = link.WritePrinter(SendBuffer, SendLength);
  monitor.EndCopy(written);
  if (monitor.ReportInterruption()) return ExitStatus::kInterrupted;
  if (!written) {
    std::fprintf(stderr, "kestrel-cli: print: the write to %s failed\n", options.port.c_str());
    return ExitStatus::kNotWritten;
  }
  if (options.extras.count("--wait")) return ReportPrinted(link, firstByte, options);
  return ExitStatus::kDone;
}

}  // namespace kestrel::cli

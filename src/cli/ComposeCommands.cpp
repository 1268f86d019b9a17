#include <cstdio>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliLinkHost.h"
#include "cli/CliOptions.h"
#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "link/JobRunner.h"
#include "link/PrinterLink.h"

namespace kestrel::cli {
namespace {

// Parses "JOB [options]" for a command and finds the job; returns the usage
// problem, or "" with *job set.
std::string ParseJobCommand(const char* command, const Arguments& args, const OptionSet& accepted, CliOptions& options,
                            const NamedJob** job) {
  const std::string problem = ParseCliOptions(args, accepted, options);
  if (!problem.empty()) return std::string(command) + ": " + problem;
  if (options.words.empty()) return std::string(command) + ": which job? (kestrel-cli jobs lists them)";
  if (options.words.size() > 1) return std::string(command) + ": unexpected argument '" + options.words[1] + "'";
  *job = FindJob(options.words[0]);
  if (*job == nullptr) return std::string(command) + ": unknown job '" + options.words[0] + "'";
  return "";
}

void PrintHex(std::span<const std::uint8_t> bytes) {
  std::string line;
  line.reserve(bytes.size() * 3 + 1);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) line += ' ';
    line += kDigits[bytes[i] >> 4];
    line += kDigits[bytes[i] & 0x0F];
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
}

// Raw bytes to a file; false with the reason on stderr when it cannot be written.
bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  bool written = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file != nullptr && std::fclose(file) != 0) written = false;
  if (!written) std::perror(("kestrel-cli: " + path).c_str());
  return written;
}

}  // namespace

int RunCompose(const Arguments& args) {
  CliOptions options;
  const NamedJob* job = nullptr;
  OptionSet accepted;
  accepted.output = true;
  const std::string problem = ParseJobCommand("compose", args, accepted, options, &job);
  if (!problem.empty()) return UsageError(problem);

  ApplyLanguage(options);
  BeginJob();
  job->compose(options.context);
  if (options.output) return WriteFile(*options.output, ComposedBytes()) ? 0 : 1;
  PrintHex(ComposedBytes());
  return 0;
}

int RunPrint(const Arguments& args) {
  CliOptions options;
  const NamedJob* job = nullptr;
  OptionSet accepted;
  accepted.link = true;
  std::string problem = ParseJobCommand("print", args, accepted, options, &job);
  if (problem.empty() && options.port.empty()) problem = "print: --port is required";
  if (!problem.empty()) return UsageError(problem);

  ApplyLanguage(options);
  CliLinkHost host(options.port, options.baud);
  PrinterLink link(host);
  bool written = false;
  if (!RunJob(link, *job, options.context, &written)) {
    const std::string reason = link.LastError().empty() ? host.LastMessage() : link.LastError();
    std::fprintf(stderr, "kestrel-cli: print: the printer could not be reached%s%s\n", reason.empty() ? "" : ": ",
                 reason.c_str());
    return 1;
  }
  if (!written) {
    std::fprintf(stderr, "kestrel-cli: print: the write to %s failed\n", options.port.c_str());
    return 1;
  }
  return 0;
}

}  // namespace kestrel::cli

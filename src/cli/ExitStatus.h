#pragma once

namespace kestrel::cli {

// What kestrel-cli's exit status tells a script.
enum class ExitStatus : int {
  kDone = 0,
  // The printer could not be reached, or a write failed: to the printer, or
  // of an output file or of stdout, which then is not whole.
  kNotWritten = 1,
  // The command line is not valid; nothing was sent.
  kBadUsage = 2,
  // The printer answered that it has a fault (paper out, cover open, ...).
  kPrinterFault = 3,
  // The byte stream that dump, render or preview read has problems: commands
  // unknown or cut short.
  kStreamProblems = 4,
  // dump, render or preview stopped at a limit: a stream larger than 64 MB,
  // or more pictures than --max-pages or --max-disk allow; what is written
  // is incomplete.
  kLimitReached = 5,
  // Ctrl+C ended a send or a print: 128 + SIGINT, as a shell reports it.
  kInterrupted = 130,
};

constexpr int ExitCode(ExitStatus status) { return static_cast<int>(status); }

}  // namespace kestrel::cli

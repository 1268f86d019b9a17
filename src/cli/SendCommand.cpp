#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliLinkHost.h"
#include "cli/CliOptions.h"
#include "cli/ProcessIo.h"
#include "cli/WriteMonitor.h"
#include "language/CodePageText.h"
#include "language/TranslationMap.h"
#include "link/PrinterLink.h"
#include "operations/ConsoleSend.h"

namespace kestrel::cli {
namespace {

// Returns the reason the arguments are not a valid send, or nothing.
std::optional<std::string> ParseSendOptions(const CliCommand& command, const Arguments& args, CliOptions& options) {
  if (auto problem = ParseOptionsOnly(command, args, options)) return problem;
  if (options.port.empty()) return PortMissing();
  if (options.extras.count("--text") == options.extras.count("--file")) return "give either --text or --file";
  return std::nullopt;
}

// The content as the console's text box would hold it: the --text value, or
// the file's text taken as it stands (UTF-8, line ends unchanged; "-" reads
// standard input). The file is read no further than a text the console could
// still take, so a device without end or a huge file costs neither time nor
// memory. Returns the reason it cannot be read, or nothing.
std::optional<std::string> ReadContent(const CliOptions& options, std::string& content) {
  if (const auto text = options.extras.find("--text"); text != options.extras.end()) {
    content = text->second;
    return std::nullopt;
  }
  const std::string& path = options.extras.at("--file");
  std::FILE* file = path == "-" ? StandardInput() : OpenFile(path, "rb");
  if (file == nullptr) return "cannot read " + path + ": " + std::strerror(errno);
  content.resize(kConsoleTextLimit + 1);
  errno = 0;
  content.resize(std::fread(content.data(), 1, content.size(), file));
  const int readError = std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
  if (file != stdin) std::fclose(file);
  if (readError != 0) return "cannot read " + path + ": " + std::strerror(readError);
  if (content.size() > kConsoleTextLimit)
    return path + " is longer than the console takes (" + std::to_string(kConsoleContentLimit - 1) +
           " characters at most)";
  return std::nullopt;
}

// The first blank-separated word of hexadecimal content that is not
// hexadecimal, for naming it.
std::string BadHexToken(const std::string& content) {
  std::size_t start = 0;
  while (start < content.size()) {
    start = content.find_first_not_of(" \t\r\n", start);
    if (start == std::string::npos) break;
    const std::size_t end = std::min(content.find_first_of(" \t\r\n", start), content.size());
    const std::string token = content.substr(start, end - start);
    if (token.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return token;
    start = end;
  }
  return {};
}

// Why the console refuses the content, naming the limit or the bad word.
std::string ContentProblem(ConsoleError error, const std::string& content) {
  if (error == ConsoleError::kHexInput)
    return "'" + BadHexToken(content) + "' is not hexadecimal (--hex takes bytes such as \"1b 40 0a\")";
  return "the text is " + std::to_string(ToCodePage(content, TranslationMap::Instance().CodePage).size()) +
         " bytes in the printer's code page; the console takes " + std::to_string(kConsoleContentLimit - 1) +
         " at most (a character of English text is one byte, a Chinese character two)";
}

// Writes the prepared bytes as the console's send button does: one copy for a
// count of 1 or less, else the copies 1 ms apart. Unlike the window, which
// ignores write results and goes on, the first failed copy ends the run, and
// the exit status reports it with the number of copies that went out; so does
// Ctrl+C, after the copy in progress.
ExitStatus WriteCopies(PrinterLink& link, const ConsoleBuffer& buffer, std::int32_t count, const CliOptions& options) {
  if (SendsOnce(count)) count = 1;
  WriteMonitor monitor("send", link, buffer.length, count, ShowsProgress(options));
  std::atomic<bool> stop = false;
  bool failed = false;
  std::int32_t copy = 0;
  RepeatSend(
      buffer, count,
      [&](const std::uint8_t* bytes, std::int32_t length) {
        monitor.StartCopy(++copy);
        const bool written = link.WritePrinter(bytes, length);
        monitor.EndCopy(written);
        failed = !written;
        stop = failed || monitor.StopRequested();
        return written;
      },
      stop);
  if (monitor.ReportInterruption()) return ExitStatus::kInterrupted;
  if (!failed) return ExitStatus::kDone;
  std::fprintf(stderr, "kestrel-cli: send: the write of copy %d of %d to %s failed; %d went out\n", copy, count,
               options.port.c_str(), copy - 1);
  return ExitStatus::kNotWritten;
}

}  // namespace

// Sends text, or hexadecimal bytes with --hex, --count times, as the console
// does: the content is converted to the code page and checked before the port
// is opened, so bad content never touches the printer.
ExitStatus RunSend(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  if (const auto problem = ParseSendOptions(command, args, options)) return UsageError(&command, *problem);

  ApplyLanguage(options);
  std::string content;
  if (const auto problem = ReadContent(options, content)) return UsageError(&command, *problem);
  auto buffer = std::make_unique<ConsoleBuffer>();
  const ConsoleError error = PrepareConsoleSend(content, options.extras.count("--hex") > 0, *buffer);
  if (error != ConsoleError::kNone) return UsageError(&command, ContentProblem(error, content));

  CliLinkHost host(options.port, options.baud);
  PrinterLink link(host);
  link.ReconnectPrinter();
  if (!link.Connected()) {
    std::fprintf(stderr, "kestrel-cli: send: %s\n", host.FailureReason(link).c_str());
    return ExitStatus::kNotWritten;
  }
  return WriteCopies(link, *buffer, ReadSendCount(options.extras.count("--count") ? options.extras.at("--count") : "1"),
                     options);
}

}  // namespace kestrel::cli

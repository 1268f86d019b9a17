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
#include "language/CodePageText.h"
#include "language/TranslationMap.h"
#include "link/PrinterLink.h"
#include "operations/ConsoleSend.h"

namespace kestrel::cli {
namespace {

// Returns the reason the arguments are not a valid send, or nothing.
std::optional<std::string> ParseSendOptions(const CliCommand& command, const Arguments& args, CliOptions& options) {
  if (auto problem = ParseOptionsOnly(command, args, options)) return problem;
  if (options.port.empty()) return "--port is required";
  if (options.extras.count("--text") == options.extras.count("--file")) return "give either --text or --file";
  return std::nullopt;
}

// The content as the console's text box would hold it: the --text value, or
// the file's text taken as it stands (UTF-8, line ends unchanged). The file is
// read no further than a text the console could still take, so a device
// without end or a huge file costs neither time nor memory. Returns the
// reason it cannot be read, or an empty text.
std::string ReadContent(const CliOptions& options, std::string& content) {
  if (const auto text = options.extras.find("--text"); text != options.extras.end()) {
    content = text->second;
    return {};
  }
  std::FILE* file = OpenFile(options.extras.at("--file"), "rb");
  if (file == nullptr) return std::strerror(errno);
  content.resize(kConsoleTextLimit + 1);
  errno = 0;
  content.resize(std::fread(content.data(), 1, content.size(), file));
  const int readError = std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
  std::fclose(file);
  if (readError != 0) return std::strerror(readError);
  if (content.size() > kConsoleTextLimit)
    return "longer than the console takes (" + std::to_string(kConsoleTextLimit) + " bytes at most)";
  return {};
}

// Writes the prepared bytes as the console's send button does: one copy for a
// count of 1 or less, else the copies 1 ms apart. Unlike the window, which
// ignores write results and goes on, the first failed copy ends the run, and
// the exit status reports it with the number of copies that went out.
ExitStatus WriteCopies(PrinterLink& link, const ConsoleBuffer& buffer, std::int32_t count, const std::string& port) {
  if (SendsOnce(count)) count = 1;
  std::atomic<bool> failed = false;
  const std::int32_t tried = RepeatSend(
      buffer, count,
      [&](const std::uint8_t* bytes, std::int32_t length) {
        if (!link.WritePrinter(bytes, length)) failed = true;
        return !failed;
      },
      failed);
  if (!failed) return ExitStatus::kDone;
  std::fprintf(stderr, "kestrel-cli: the write of copy %d of %d to %s failed; %d went out\n", tried, count,
               port.c_str(), tried - 1);
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
  if (const std::string reason = ReadContent(options, content); !reason.empty()) {
    std::fprintf(stderr, "kestrel-cli: send: cannot read %s: %s\n", options.extras.at("--file").c_str(),
                 reason.c_str());
    return ExitStatus::kBadUsage;
  }
  auto buffer = std::make_unique<ConsoleBuffer>();
  const ConsoleError error = PrepareConsoleSend(content, options.extras.count("--hex") > 0, *buffer);
  if (error != ConsoleError::kNone) {
    std::fprintf(stderr, "kestrel-cli: %s\n", Translate(ConsoleErrorText(error)).c_str());
    return ExitStatus::kBadUsage;
  }

  CliLinkHost host(options.port, options.baud);
  PrinterLink link(host);
  link.ReconnectPrinter();
  if (!link.Connected()) {
    std::fprintf(stderr, "kestrel-cli: %s\n", link.LastError().c_str());
    return ExitStatus::kNotWritten;
  }
  return WriteCopies(link, *buffer, ReadSendCount(options.extras.count("--count") ? options.extras.at("--count") : "1"),
                     options.port);
}

}  // namespace kestrel::cli

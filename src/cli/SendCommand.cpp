#include <atomic>
#include <cstdio>
#include <memory>
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

// Returns the reason the arguments are not a valid send, or an empty text.
std::string ParseSendOptions(const Arguments& args, const OptionSet& accepted, CliOptions& options) {
  if (std::string problem = ParseOptionsOnly("send", args, accepted, options); !problem.empty()) return problem;
  if (options.port.empty()) return "send: --port is required";
  if (options.extras.count("--text") == options.extras.count("--file")) return "send: give either --text or --file";
  return {};
}

// The content as the console's text box would hold it: the --text value, or
// the file's text taken as it stands (UTF-8, line ends unchanged).
bool ReadContent(const CliOptions& options, std::string& content) {
  if (const auto text = options.extras.find("--text"); text != options.extras.end()) {
    content = text->second;
    return true;
  }
  std::FILE* file = OpenFile(options.extras.at("--file"), "rb");
  if (file == nullptr) return false;
  content.clear();
  char chunk[4096];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) content.append(chunk, got);
  const bool read = !std::ferror(file);
  std::fclose(file);
  return read;
}

// Writes the prepared bytes as the console's send button does: one copy for a
// count of 1 or less, else the copies 1 ms apart. Unlike the window, which
// ignores write results, the exit status reports a failed copy.
int WriteCopies(PrinterLink& link, const ConsoleBuffer& buffer, std::int32_t count, const std::string& port) {
  if (SendsOnce(count)) count = 1;
  std::int32_t failed = 0;
  const std::atomic<bool> stop = false;
  RepeatSend(
      buffer, count,
      [&](const std::uint8_t* bytes, std::int32_t length) {
        const bool written = link.WritePrinter(bytes, length);
        if (!written) ++failed;
        return written;
      },
      stop);
  if (failed == 0) return 0;
  std::fprintf(stderr, "kestrel-cli: %d of %d writes to %s failed\n", failed, count, port.c_str());
  return 1;
}

}  // namespace

// Sends text, or hexadecimal bytes with --hex, --count times, as the console
// does: the content is converted to the code page and checked before the port
// is opened, so bad content never touches the printer.
int RunSend(const Arguments& args, const OptionSet& accepted) {
  CliOptions options;
  const std::string usageProblem = ParseSendOptions(args, accepted, options);
  if (!usageProblem.empty()) return UsageError(usageProblem);

  ApplyLanguage(options);
  std::string content;
  if (!ReadContent(options, content)) {
    std::fprintf(stderr, "kestrel-cli: send: cannot read %s\n", options.extras.at("--file").c_str());
    return 2;
  }
  auto buffer = std::make_unique<ConsoleBuffer>();
  const ConsoleError error = PrepareConsoleSend(content, options.extras.count("--hex") > 0, *buffer);
  if (error != ConsoleError::kNone) {
    std::fprintf(stderr, "kestrel-cli: %s\n", Translate(ConsoleErrorText(error)).c_str());
    return 2;
  }

  CliLinkHost host(options.port, options.baud);
  PrinterLink link(host);
  link.ReconnectPrinter();
  if (!link.Connected()) {
    std::fprintf(stderr, "kestrel-cli: %s\n", link.LastError().c_str());
    return 1;
  }
  return WriteCopies(link, *buffer, ReadSendCount(options.extras.count("--count") ? options.extras.at("--count") : "1"),
                     options.port);
}

}  // namespace kestrel::cli

#include <atomic>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliLinkHost.h"
#include "language/CodePageText.h"
#include "language/TranslationMap.h"
#include "link/PrinterLink.h"
#include "operations/ConsoleSend.h"

namespace kestrel::cli {
namespace {

struct SendOptions {
  std::string port;
  std::string baud = "115200";  // the baud-rate list's start-up item
  std::string text;
  bool hasText = false;
  std::string file;
  bool hasFile = false;
  bool hex = false;
  std::string countText = "1";  // the count edit's start-up text
};

using OptionSetter = std::function<void(SendOptions&, const std::string& value)>;

// Options that take a value; a new option is one more row.
const std::map<std::string, OptionSetter>& ValueOptions() {
  static const std::map<std::string, OptionSetter> options = {
      {"--port", [](SendOptions& o, const std::string& v) { o.port = v; }},
      {"--baud", [](SendOptions& o, const std::string& v) { o.baud = v; }},
      {"--text",
       [](SendOptions& o, const std::string& v) {
         o.text = v;
         o.hasText = true;
       }},
      {"--file",
       [](SendOptions& o, const std::string& v) {
         o.file = v;
         o.hasFile = true;
       }},
      {"--count", [](SendOptions& o, const std::string& v) { o.countText = v; }},
  };
  return options;
}

// Returns the reason the arguments are not a valid send, or an empty text.
std::string ParseSendOptions(const Arguments& args, SendOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--hex") {
      options.hex = true;
      continue;
    }
    const auto option = ValueOptions().find(args[i]);
    if (option == ValueOptions().end()) return "send: unknown argument '" + args[i] + "'";
    if (i + 1 >= args.size()) return "send: " + args[i] + " needs a value";
    option->second(options, args[++i]);
  }
  if (options.port.empty()) return "send: --port is required";
  if (options.hasText == options.hasFile) return "send: give either --text or --file";
  return {};
}

// The content as the console's text box would hold it: the --text value, or
// the file's text taken as it stands (UTF-8, line ends unchanged).
bool ReadContent(const SendOptions& options, std::string& content) {
  if (options.hasText) {
    content = options.text;
    return true;
  }
  std::ifstream file(options.file, std::ios::binary);
  if (!file) return false;
  content.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
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
int RunSend(const Arguments& args) {
  SendOptions options;
  const std::string usageProblem = ParseSendOptions(args, options);
  if (!usageProblem.empty()) return UsageError(usageProblem);

  LoadTranslations();
  std::string content;
  if (!ReadContent(options, content)) {
    std::fprintf(stderr, "kestrel-cli: send: cannot read %s\n", options.file.c_str());
    return 2;
  }
  auto buffer = std::make_unique<ConsoleBuffer>();
  const ConsoleError error = PrepareConsoleSend(content, options.hex, *buffer);
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
  return WriteCopies(link, *buffer, ReadSendCount(options.countText), options.port);
}

}  // namespace kestrel::cli

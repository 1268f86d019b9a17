#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliLinkHost.h"
#include "language/CodePageText.h"
#include "language/TranslationMap.h"
#include "link/PrinterLink.h"

namespace kestrel::cli {
namespace {

struct SendOptions {
  std::string port;
  std::string baud = "115200";  // the baud-rate list's start-up item
  std::string text;
  bool hasText = false;
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
  };
  return options;
}

// Returns the reason the arguments are not a valid send, or an empty text.
std::string ParseSendOptions(const Arguments& args, SendOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const auto option = ValueOptions().find(args[i]);
    if (option == ValueOptions().end()) return "send: unknown argument '" + args[i] + "'";
    if (i + 1 >= args.size()) return "send: " + args[i] + " needs a value";
    option->second(options, args[++i]);
  }
  if (options.port.empty()) return "send: --port is required";
  if (!options.hasText) return "send: --text is required";
  return {};
}

}  // namespace

// Sends the text once, as the console's send button does with a count of 1:
// reconnect, stop when the port cannot be opened, one write.
int RunSend(const Arguments& args) {
  SendOptions options;
  const std::string usageProblem = ParseSendOptions(args, options);
  if (!usageProblem.empty()) return UsageError(usageProblem);

  LoadTranslations();
  const std::string bytes = ToCodePage(options.text, TranslationMap::Instance().CodePage);

  CliLinkHost host(options.port, options.baud);
  PrinterLink link(host);
  link.ReconnectPrinter();
  if (!link.Connected()) {
    std::fprintf(stderr, "kestrel-cli: %s\n", link.LastError().c_str());
    return 1;
  }
  if (!link.WritePrinter(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                         static_cast<std::int32_t>(bytes.size()))) {
    std::fprintf(stderr, "kestrel-cli: the write to %s failed\n", options.port.c_str());
    return 1;
  }
  return 0;
}

}  // namespace kestrel::cli

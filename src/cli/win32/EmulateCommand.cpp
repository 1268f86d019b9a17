#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/EmulatorServing.h"

// kestrel-cli emulate: the virtual printer on a TCP port, writing each printed
// page as a picture and its commands as text. Windows has no pseudo-terminals.
namespace kestrel::cli {

CliCommand EmulateCommandRow() {
  return {"emulate",
          RunEmulate,
          "[--listen HOST:PORT] [--idle-timeout SECONDS] [--output-dir FOLDER] [--width DOTS]\n"
          "        [--fault KIND[@PAGE] [--fault-for SECONDS]] [--mute]",
          "be a printer on a TCP port: each printed page a picture in FOLDER, until Ctrl+C",
          "kestrel-cli emulate --listen 127.0.0.1:9100 --output-dir pages",
          Options({EmulatePrinterOptions()})};
}

ExitStatus RunEmulate(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  if (const auto problem = ParseOptionsOnly(command, args, options)) return UsageError(&command, *problem);
  EmulateSettings settings;
  if (const auto problem = ReadEmulateSettings(options, &settings)) return UsageError(&command, *problem);
  return RunEmulator(settings,
                     [&](EmulatorRun& run, std::string* error) { return ServeTcpPort(settings, run, error); });
}

}  // namespace kestrel::cli

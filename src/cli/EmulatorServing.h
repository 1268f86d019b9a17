#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/EmulatorPageLog.h"
#include "emulator/OutputBounds.h"
#include "emulator/PrinterResponder.h"
#include "emulator/StreamPrinter.h"

namespace kestrel::cli {

struct CliOptions;

// The emulate options that every port takes.
struct EmulateSettings {
  int width = 576;
  std::int32_t idleSeconds = 90;  // of a TCP client that sends nothing; 0 never
  std::string folder = "pages";
  std::string listen = "127.0.0.1:9100";
  emu::FaultPlan fault;
  bool mute = false;
  emu::OutputLimits limits;
};

// The rows of --listen, --idle-timeout, --output-dir, --width, the fault
// options and the output limits, in the help's order.
OptionList EmulatePrinterOptions();
// Reads those options; the problem, if any.
std::optional<std::string> ReadEmulateSettings(const CliOptions& options, EmulateSettings* settings);

// How long one wait on a port lasts: Ctrl+C is seen within this time.
inline constexpr int kPortWaitMs = 100;

// One virtual printer at work on a port: the model, its answers to queries,
// and the pages it writes.
class EmulatorRun {
 public:
  explicit EmulatorRun(const EmulateSettings& settings);

  void Feed(std::span<const std::uint8_t> bytes);
  // The connection has closed: a command still waiting is cut short.
  void EndStream() { printer_.EndStream(); }
  // After each wait on the port: prints the roll once the line has been
  // quiet a while, writes the pages printed, and returns the answers to send
  // back, which go once the pages before them are written, so that an answer
  // to GS r means the page is there.
  std::vector<std::uint8_t> Step();
  // The printer is switched off: the page in progress is printed.
  void Finish();

 private:
  emu::StreamPrinter printer_;
  emu::PrinterResponder responder_;
  EmulatorPageLog log_;
  std::chrono::steady_clock::time_point lastData_ = std::chrono::steady_clock::now();
  bool rollDue_ = false;
};

// Opens the port and serves it until Ctrl+C; false with the reason when the
// port cannot be opened.
using PortServer = std::function<bool(EmulatorRun& run, std::string* error)>;

// One emulate run: makes the folder, serves the port, and prints the page in
// progress when Ctrl+C ends it.
ExitStatus RunEmulator(const EmulateSettings& settings, const PortServer& serve);

// The TCP printer port of settings.listen.
bool ServeTcpPort(const EmulateSettings& settings, EmulatorRun& run, std::string* error);

}  // namespace kestrel::cli

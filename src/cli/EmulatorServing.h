#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "cli/CliCommands.h"
#include "emulator/StreamPrinter.h"

namespace kestrel::cli {

struct CliOptions;

// Writes FOLDER/page-NNNN.png and FOLDER/page-NNNN.txt for every page, a copy
// being a page of its own, and one line a page on stdout.
class PageWriter {
 public:
  explicit PageWriter(std::string folder) : folder_(std::move(folder)) {}

  void Take(emu::StreamPrinter& printer);

 private:
  void Write(const emu::PrintedPage& printed, int copy);

  std::string folder_;
  int count_ = 0;
};

// Prints the roll once after the line has been quiet for a while.
class QuietTimer {
 public:
  void Data();
  void Check(emu::StreamPrinter& printer);

 private:
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
  bool due_ = false;
};

// The rows of --listen, --idle-timeout, --output-dir and --width.
OptionList EmulateTcpOptions();

// How long one wait on a port lasts: Ctrl+C is seen within this time.
inline constexpr int kPortWaitMs = 100;

// The emulate options that every port takes.
struct EmulateSettings {
  int width = 576;
  std::int32_t idleSeconds = 90;  // of a TCP client that sends nothing; 0 never
  std::string folder = "pages";
  std::string listen = "127.0.0.1:9100";
};

// Reads --width, --idle-timeout, --output-dir and --listen; the problem, if any.
std::optional<std::string> ReadEmulateSettings(const CliOptions& options, EmulateSettings* settings);

// Opens the port and serves it until Ctrl+C; false with the reason when the
// port cannot be opened.
using PortServer = std::function<bool(emu::StreamPrinter& printer, PageWriter& writer, std::string* error)>;

// One emulate run: makes the folder, serves the port, and prints the page in
// progress when Ctrl+C ends it.
ExitStatus RunEmulator(const EmulateSettings& settings, const PortServer& serve);

// The TCP printer port of settings.listen.
bool ServeTcpPort(const EmulateSettings& settings, emu::StreamPrinter& printer, PageWriter& writer, std::string* error);

}  // namespace kestrel::cli

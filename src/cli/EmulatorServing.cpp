#include "cli/EmulatorServing.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/EmulatorSocket.h"
#include "cli/ProcessIo.h"
#include "emulator/PngFile.h"

namespace kestrel::cli {
namespace {

using Clock = std::chrono::steady_clock;

// The roll of standard-mode text is printed once the line has been quiet this long.
constexpr auto kQuietBeforeRoll = std::chrono::seconds(1);

}  // namespace

void PageWriter::Take(emu::StreamPrinter& printer) {
  for (const std::string& message : printer.TakeMessages())
    PrintOut("%s %s\n", LocalTimeText().c_str(), message.c_str());
  for (const emu::PrintedPage& printed : printer.TakePages())
    for (int copy = 1; copy <= printed.page.copies; ++copy) Write(printed, copy);
  FlushOut();
}

void PageWriter::Write(const emu::PrintedPage& printed, int copy) {
  char name[32];
  std::snprintf(name, sizeof name, "/page-%04d", ++count_);
  const std::string stem = folder_ + name;
  std::string error;
  if (!emu::WritePng(stem + ".png", printed.page.canvas, &error))
    std::fprintf(stderr, "kestrel-cli: emulate: %s\n", error.c_str());
  std::ofstream text(std::filesystem::u8path(stem + ".txt"), std::ios::binary);
  if (copy > 1) text << "copy " << copy << " of the page before\n";
  for (const std::string& line : copy == 1 ? printed.commands : std::vector<std::string>()) text << line << '\n';
  text.close();
  if (!text) std::fprintf(stderr, "kestrel-cli: emulate: %s.txt could not be written\n", stem.c_str());
  PrintOut("page %d: %d x %d dots, %s.png\n", count_, printed.page.canvas.width(), printed.page.canvas.height(),
           stem.c_str());
}

void QuietTimer::Data() {
  last_ = Clock::now();
  due_ = true;
}

void QuietTimer::Check(emu::StreamPrinter& printer) {
  if (due_ && Clock::now() - last_ >= kQuietBeforeRoll) {
    printer.Idle();
    due_ = false;
  }
}

OptionList EmulateTcpOptions() {
  return {{"--listen", "HOST:PORT", "a raw TCP printer port (default 127.0.0.1:9100), one connection at a time"},
          {"--idle-timeout", "SECONDS", "let go of a TCP client that sends nothing this long; 0 never (default 90)"},
          {"--output-dir", "FOLDER", "where page-NNNN.png and page-NNNN.txt go; made if missing (default pages)"},
          {"--width", "DOTS", "print width of the virtual printer: 384, 448, 576 (default 576)"}};
}

bool SplitListenAddress(const std::string& address, std::string* host, std::string* port, std::string* error) {
  const std::size_t colon = address.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == address.size()) {
    *error = "--listen takes HOST:PORT";
    return false;
  }
  *host = address.substr(0, colon);
  *port = address.substr(colon + 1);
  return true;
}

std::optional<std::string> ReadEmulateSettings(const CliOptions& options, EmulateSettings* settings) {
  if (!ParseWidthOption(options, &settings->width)) return "--width takes 8 to 2304 dots";
  if (!ParseNumberOption(options, "--idle-timeout", 0, 86400, &settings->idleSeconds))
    return "--idle-timeout takes 0 to 86400 seconds";
  if (const auto folder = options.extras.find("--output-dir"); folder != options.extras.end())
    settings->folder = folder->second;
  if (const auto listen = options.extras.find("--listen"); listen != options.extras.end())
    settings->listen = listen->second;
  return std::nullopt;
}

ExitStatus RunEmulator(const EmulateSettings& settings, const PortServer& serve) {
  std::error_code made;
  std::filesystem::create_directories(std::filesystem::u8path(settings.folder), made);
  if (made) {
    std::fprintf(stderr, "kestrel-cli: emulate: %s: %s\n", settings.folder.c_str(), made.message().c_str());
    return ExitStatus::kNotWritten;
  }
  CatchInterrupts();
  emu::StreamPrinter printer(settings.width);
  PageWriter writer(settings.folder);
  std::string error;
  if (!serve(printer, writer, &error)) {
    std::fprintf(stderr, "kestrel-cli: emulate: %s\n", error.c_str());
    return ExitStatus::kNotWritten;
  }
  printer.Shutdown();
  writer.Take(printer);
  return FinishOutput(ExitStatus::kDone);
}

// A client that holds the port without sending is let go after the idle
// time (zero: never), as network printers do, so that the next one in the
// queue gets its turn.
bool ServeTcpPort(const EmulateSettings& settings, emu::StreamPrinter& printer, PageWriter& writer,
                  std::string* error) {
  EmulatorSocket socket;
  if (!socket.Listen(settings.listen, error)) return false;
  PrintOut("printer port: tcp %s, port %d\n", settings.listen.c_str(), socket.port());
  FlushOut();
  const std::chrono::seconds idleLimit(settings.idleSeconds);
  QuietTimer quiet;
  Clock::time_point lastData;
  std::vector<std::uint8_t> chunk(65536);
  while (!Interrupted()) {
    if (!socket.HasClient()) {
      if (socket.Accept(kPortWaitMs)) lastData = Clock::now();
      continue;
    }
    std::size_t count = 0;
    const PortState state = socket.Read(chunk.data(), chunk.size(), kPortWaitMs, &count);
    if (state == PortState::Data) {
      printer.Feed({chunk.data(), count});
      quiet.Data();
      lastData = Clock::now();
    }
    const bool idle = idleLimit.count() > 0 && Clock::now() - lastData >= idleLimit;
    if (state == PortState::Ended || idle) {
      if (idle)
        std::fprintf(stderr, "kestrel-cli: emulate: closed a connection idle for %lld s\n",
                     static_cast<long long>(idleLimit.count()));
      socket.CloseClient();
      printer.EndStream();
    }
    quiet.Check(printer);
    writer.Take(printer);
  }
  return true;
}

}  // namespace kestrel::cli

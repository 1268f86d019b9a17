#include "cli/EmulatorServing.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/EmulatorSocket.h"
#include "cli/OutputLimitOptions.h"
#include "cli/ProcessIo.h"

namespace kestrel::cli {
namespace {

using Clock = std::chrono::steady_clock;

// The roll of standard-mode text is printed once the line has been quiet this long.
constexpr auto kQuietBeforeRoll = std::chrono::seconds(1);

// The program's paths are UTF-8, which Windows does not take as narrow names.
std::filesystem::path Utf8Path(const std::string& text) { return std::u8string(text.begin(), text.end()); }

}  // namespace

OptionList EmulatePrinterOptions() {
  return {{"--listen", "HOST:PORT", "a raw TCP printer port (default 127.0.0.1:9100), one connection at a time"},
          {"--idle-timeout", "SECONDS", "let go of a TCP client that sends nothing this long; 0 never (default 90)"},
          {"--output-dir", "FOLDER", "where page-NNNN.png and page-NNNN.txt go; made if missing (default pages)"},
          {"--width", "DOTS", "print width of the virtual printer: 384, 448, 576 (default 576)"},
          {"--fault", "KIND[@PAGE]",
           "play a fault from page PAGE on (default: from the start): paper-end, near-end, cover-open, "
           "cutter-error, offline"},
          {"--fault-for", "SECONDS", "the fault clears SECONDS after it arose (default: it stays)"},
          {"--mute", "", "never answer a status or identity query"},
          OutputLimitOptions()[0],
          OutputLimitOptions()[1]};
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
    return "--idle-timeout goes with --listen and takes 0 to 86400 seconds";
  if (const auto folder = options.extras.find("--output-dir"); folder != options.extras.end())
    settings->folder = folder->second;
  if (const auto listen = options.extras.find("--listen"); listen != options.extras.end())
    settings->listen = listen->second;
  if (const auto fault = options.extras.find("--fault"); fault != options.extras.end()) {
    std::string problem;
    const std::optional<emu::FaultPlan> plan = emu::ParseFault(fault->second, &problem);
    if (!plan) return problem;
    settings->fault = *plan;
  }
  std::int32_t faultSeconds = 0;
  if (!ParseNumberOption(options, "--fault-for", 1, 86400, &faultSeconds) ||
      (faultSeconds > 0 && settings->fault.kind == emu::FaultKind::kNone))
    return "--fault-for goes with --fault and takes 1 to 86400 seconds";
  settings->fault.lastsMs = faultSeconds * 1000;
  settings->mute = options.extras.count("--mute") != 0;
  return ParseOutputLimits(options, &settings->limits);
}

EmulatorRun::EmulatorRun(const EmulateSettings& settings)
    : printer_(settings.width),
      responder_(settings.fault, settings.mute),
      log_(printer_, settings.folder, settings.limits) {
  printer_.SetListener([this](std::span<const std::uint8_t> stream, const emu::Command& command, int pages) {
    responder_.Run(stream, command, pages);
  });
}

void EmulatorRun::Feed(std::span<const std::uint8_t> bytes) {
  printer_.Feed(bytes);
  lastData_ = Clock::now();
  rollDue_ = true;
}

std::vector<std::uint8_t> EmulatorRun::Step() {
  if (rollDue_ && Clock::now() - lastData_ >= kQuietBeforeRoll) {
    printer_.Idle();
    rollDue_ = false;
  }
  log_.Take();
  responder_.Update(printer_.PagesPrinted());
  return responder_.TakeAnswers();
}

void EmulatorRun::Finish() {
  printer_.Shutdown();
  log_.Finish();
}

ExitStatus RunEmulator(const EmulateSettings& settings, const PortServer& serve) {
  std::error_code made;
  std::filesystem::create_directories(Utf8Path(settings.folder), made);
  if (made) {
    std::fprintf(stderr, "kestrel-cli: emulate: %s: %s\n", settings.folder.c_str(), made.message().c_str());
    return ExitStatus::kNotWritten;
  }
  CatchInterrupts();
  EmulatorRun run(settings);
  std::string error;
  if (!serve(run, &error)) {
    std::fprintf(stderr, "kestrel-cli: emulate: %s\n", error.c_str());
    return ExitStatus::kNotWritten;
  }
  run.Finish();
  return FinishOutput(ExitStatus::kDone);
}

// A client that holds the port without sending is let go after the idle
// time (zero: never), as network printers do, so that the next one in the
// queue gets its turn.
bool ServeTcpPort(const EmulateSettings& settings, EmulatorRun& run, std::string* error) {
  EmulatorSocket socket;
  if (!socket.Listen(settings.listen, error)) return false;
  PrintOut("printer port: tcp %s, port %d\n", settings.listen.c_str(), socket.port());
  FlushOut();
  const std::chrono::seconds idleLimit(settings.idleSeconds);
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
      run.Feed({chunk.data(), count});
      lastData = Clock::now();
    }
    const bool idle = idleLimit.count() > 0 && Clock::now() - lastData >= idleLimit;
    if (state == PortState::Ended || idle) {
      if (idle)
        std::fprintf(stderr, "kestrel-cli: emulate: closed a connection idle for %lld s\n",
                     static_cast<long long>(idleLimit.count()));
      socket.CloseClient();
      run.EndStream();
    }
    socket.Send(run.Step());
  }
  return true;
}

}  // namespace kestrel::cli

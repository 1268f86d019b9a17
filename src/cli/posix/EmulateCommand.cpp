#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/EmulatorPageLog.h"
#include "cli/OutputLimitOptions.h"
#include "cli/ProcessIo.h"
#include "cli/posix/EmulatorPorts.h"
#include "emulator/PrinterResponder.h"
#include "emulator/StreamPrinter.h"

// kestrel-cli emulate: the virtual printer on a pseudo-terminal or a TCP port,
// writing each printed page as a picture and its commands as text.
namespace kestrel::cli {
namespace {

using Clock = std::chrono::steady_clock;

// The roll of standard-mode text is printed once the line has been quiet this long.
constexpr auto kQuietBeforeRoll = std::chrono::seconds(1);
constexpr int kPollMs = 100;
// How long a TCP client may hold the port without sending, by default.
constexpr std::int32_t kDefaultIdleSeconds = 90;

enum class PortState { Data, Quiet, Ended };

// Waits for bytes on fd and feeds what is there.
PortState ReadPort(int fd, emu::StreamPrinter& printer) {
  pollfd wait{fd, POLLIN, 0};
  if (poll(&wait, 1, kPollMs) <= 0) return PortState::Quiet;
  std::uint8_t chunk[65536];
  const ssize_t count = read(fd, chunk, sizeof chunk);
  if (count > 0) {
    printer.Feed({chunk, static_cast<std::size_t>(count)});
    return PortState::Data;
  }
  if (count < 0 && (errno == EAGAIN || errno == EINTR)) return PortState::Quiet;
  return PortState::Ended;
}

// Prints the roll once after the line has been quiet for a while.
class QuietTimer {
 public:
  void Data() {
    last_ = Clock::now();
    due_ = true;
  }
  void Check(emu::StreamPrinter& printer) {
    if (due_ && Clock::now() - last_ >= kQuietBeforeRoll) {
      printer.Idle();
      due_ = false;
    }
  }

 private:
  Clock::time_point last_ = Clock::now();
  bool due_ = false;
};

// The printer's answers to queries go back on the line once the pages before
// them are written, so an answer to GS r means the page is there. A host that
// reads nothing cannot hold the printer: what does not fit is dropped.
void SendAnswers(int fd, bool socket, emu::PrinterResponder& responder, const emu::StreamPrinter& printer) {
  responder.Update(printer.PagesPrinted());
  const std::vector<std::uint8_t> answers = responder.TakeAnswers();
  if (answers.empty() || fd < 0) return;
  if (socket)
    (void)!send(fd, answers.data(), answers.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  else
    (void)!write(fd, answers.data(), answers.size());
}

void ServePty(EmulatorPty& pty, emu::StreamPrinter& printer, emu::PrinterResponder& responder,
              EmulatorPageLog& writer) {
  QuietTimer quiet;
  while (!Interrupted()) {
    const PortState state = ReadPort(pty.fd(), printer);
    if (state == PortState::Data) quiet.Data();
    if (state != PortState::Data) pty.ReleaseExclusive();
    quiet.Check(printer);
    writer.Take();
    SendAnswers(pty.fd(), false, responder, printer);
  }
}

// A client that holds the port without sending is let go after idleLimit
// (zero: never), as network printers do, so that the next one in the queue
// gets its turn.
void ServeSocket(EmulatorSocket& socket, std::chrono::seconds idleLimit, emu::StreamPrinter& printer,
                 emu::PrinterResponder& responder, EmulatorPageLog& writer) {
  QuietTimer quiet;
  int client = -1;
  Clock::time_point lastData;
  while (!Interrupted()) {
    if (client < 0) {
      pollfd wait{socket.fd(), POLLIN, 0};
      if (poll(&wait, 1, kPollMs) > 0) {
        client = accept4(socket.fd(), nullptr, nullptr, SOCK_CLOEXEC);
        lastData = Clock::now();
      }
      continue;
    }
    const PortState state = ReadPort(client, printer);
    if (state == PortState::Data) {
      quiet.Data();
      lastData = Clock::now();
    }
    const bool idle = idleLimit.count() > 0 && Clock::now() - lastData >= idleLimit;
    if (state == PortState::Ended || idle) {
      if (idle)
        std::fprintf(stderr, "kestrel-cli: emulate: closed a connection idle for %lld s\n",
                     static_cast<long long>(idleLimit.count()));
      close(client);
      client = -1;
      printer.EndStream();
    }
    quiet.Check(printer);
    writer.Take();
    SendAnswers(client, true, responder, printer);
  }
  if (client >= 0) close(client);
}

}  // namespace

ExitStatus RunEmulate(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  if (const auto problem = ParseOptionsOnly(command, args, options)) return UsageError(&command, *problem);
  const auto extra = [&](const char* name, const char* otherwise) {
    const auto found = options.extras.find(name);
    return found == options.extras.end() ? std::string(otherwise) : found->second;
  };
  const bool pty = options.extras.count("--pty") != 0;
  if (pty && options.extras.count("--listen")) return UsageError(&command, "--pty or --listen, not both");
  if (!pty && options.extras.count("--link")) return UsageError(&command, "--link goes with --pty");
  int width = 576;
  if (!ParseWidthOption(options, &width)) return UsageError(&command, "--width takes 8 to 2304 dots");
  std::int32_t idleSeconds = kDefaultIdleSeconds;
  if ((pty && options.extras.count("--idle-timeout")) ||
      !ParseNumberOption(options, "--idle-timeout", 0, 86400, &idleSeconds))
    return UsageError(&command, "--idle-timeout goes with --listen and takes 0 to 86400 seconds");
  emu::OutputLimits limits;
  if (const auto problem = ParseOutputLimits(options, &limits)) return UsageError(&command, *problem);
  const std::string folder = extra("--output-dir", "pages");
  std::error_code made;
  std::filesystem::create_directories(folder, made);
  if (made) {
    std::fprintf(stderr, "kestrel-cli: emulate: %s: %s\n", folder.c_str(), made.message().c_str());
    return ExitStatus::kNotWritten;
  }

  emu::FaultPlan fault;
  if (options.extras.count("--fault")) {
    std::string faultProblem;
    const std::optional<emu::FaultPlan> plan = emu::ParseFault(options.extras.at("--fault"), &faultProblem);
    if (!plan) return UsageError(&command, faultProblem);
    fault = *plan;
  }
  std::int32_t faultSeconds = 0;
  if (!ParseNumberOption(options, "--fault-for", 1, 86400, &faultSeconds) ||
      (faultSeconds > 0 && fault.kind == emu::FaultKind::kNone))
    return UsageError(&command, "--fault-for goes with --fault and takes 1 to 86400 seconds");
  fault.lastsMs = faultSeconds * 1000;

  CatchInterrupts();
  emu::StreamPrinter printer(width);
  emu::PrinterResponder responder(fault, options.extras.count("--mute") != 0);
  printer.SetListener([&responder](std::span<const std::uint8_t> stream, const emu::Command& command, int pages) {
    responder.Run(stream, command, pages);
  });
  EmulatorPageLog writer(printer, folder, limits);
  std::string error;
  if (pty) {
    EmulatorPty port;
    const std::string link = extra("--link", "");
    if (!port.Open(&error) || (!link.empty() && !MakePortLink(link, port.path(), &error))) {
      std::fprintf(stderr, "kestrel-cli: emulate: %s\n", error.c_str());
      return ExitStatus::kNotWritten;
    }
    PrintOut("printer port: %s%s%s\n", port.path().c_str(), link.empty() ? "" : " linked as ", link.c_str());
    FlushOut();
    ServePty(port, printer, responder, writer);
    if (!link.empty()) unlink(link.c_str());
  } else {
    EmulatorSocket socket;
    if (!socket.Listen(extra("--listen", "127.0.0.1:9100"), &error)) {
      std::fprintf(stderr, "kestrel-cli: emulate: %s\n", error.c_str());
      return ExitStatus::kNotWritten;
    }
    PrintOut("printer port: tcp %s, port %d\n", extra("--listen", "127.0.0.1:9100").c_str(), socket.port());
    FlushOut();
    ServeSocket(socket, std::chrono::seconds(idleSeconds), printer, responder, writer);
  }
  printer.Shutdown();
  writer.Finish();
  return FinishOutput(ExitStatus::kDone);
}

}  // namespace kestrel::cli

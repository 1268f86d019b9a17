#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/EmulatorServing.h"
#include "cli/EmulatorSocket.h"
#include "cli/ProcessIo.h"
#include "cli/posix/EmulatorPorts.h"

// kestrel-cli emulate: the virtual printer on a pseudo-terminal or a TCP port,
// writing each printed page as a picture and its commands as text.
namespace kestrel::cli {
namespace {

// Waits for bytes on fd and feeds what is there.
PortState ReadPort(int fd, EmulatorRun& run) {
  pollfd wait{fd, POLLIN, 0};
  if (poll(&wait, 1, kPortWaitMs) <= 0) return PortState::Quiet;
  std::uint8_t chunk[65536];
  const ssize_t count = read(fd, chunk, sizeof chunk);
  if (count > 0) {
    run.Feed({chunk, static_cast<std::size_t>(count)});
    return PortState::Data;
  }
  if (count < 0 && (errno == EAGAIN || errno == EINTR)) return PortState::Quiet;
  return PortState::Ended;
}

bool ServePty(const std::string& link, EmulatorRun& run, std::string* error) {
  EmulatorPty pty;
  if (!pty.Open(error) || (!link.empty() && !MakePortLink(link, pty.path(), error))) return false;
  PrintOut("printer port: %s%s%s\n", pty.path().c_str(), link.empty() ? "" : " linked as ", link.c_str());
  FlushOut();
  while (!Interrupted()) {
    if (ReadPort(pty.fd(), run) != PortState::Data) pty.ReleaseExclusive();
    const std::vector<std::uint8_t> answers = run.Step();
    if (!answers.empty()) (void)!write(pty.fd(), answers.data(), answers.size());
  }
  if (!link.empty()) unlink(link.c_str());
  return true;
}

}  // namespace

CliCommand EmulateCommandRow() {
  return {"emulate",
          RunEmulate,
          "(--pty [--link PATH] | --listen HOST:PORT [--idle-timeout SECONDS]) [--output-dir FOLDER] [--width DOTS]\n"
          "        [--fault KIND[@PAGE] [--fault-for SECONDS]] [--mute]",
          "be a printer on a pseudo-terminal or a TCP port: each printed page a picture in FOLDER, until Ctrl+C",
          "kestrel-cli emulate --pty --link /tmp/printer --output-dir pages",
          Options({{{"--pty", "", "open a pseudo-terminal and print its path: the port to print to"},
                    {"--link", "PATH", "also make PATH a symbolic link to the pseudo-terminal"}},
                   EmulatePrinterOptions()})};
}

ExitStatus RunEmulate(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  if (const auto problem = ParseOptionsOnly(command, args, options)) return UsageError(&command, *problem);
  const bool pty = options.extras.count("--pty") != 0;
  if (pty && options.extras.count("--listen")) return UsageError(&command, "--pty or --listen, not both");
  if (!pty && options.extras.count("--link")) return UsageError(&command, "--link goes with --pty");
  if (pty && options.extras.count("--idle-timeout"))
    return UsageError(&command, "--idle-timeout goes with --listen and takes 0 to 86400 seconds");
  EmulateSettings settings;
  if (const auto problem = ReadEmulateSettings(options, &settings)) return UsageError(&command, *problem);
  if (!pty)
    return RunEmulator(settings,
                       [&](EmulatorRun& run, std::string* error) { return ServeTcpPort(settings, run, error); });
  const auto link = options.extras.find("--link");
  const std::string linkPath = link == options.extras.end() ? std::string() : link->second;
  return RunEmulator(settings, [&](EmulatorRun& run, std::string* error) { return ServePty(linkPath, run, error); });
}

}  // namespace kestrel::cli

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

#include "commands/JobSettings.h"
#include "emulator/PrinterResponder.h"
#include "emulator/StreamPrinter.h"
#include "link/LinkHost.h"
#include "link/PortDiscovery.h"
#include "link/PrinterLink.h"
#include "link/PrinterQueries.h"

// The status round trip: DLE EOT 1 to 4 written and their four replies read
// and decoded, against the virtual printer's own answering code on the far
// side of a pseudo-terminal and of a loopback TCP connection. The goal is a
// whole status under 5 ms, so that `status --watch` and aging with
// --check-status cost the printer nothing noticeable.
namespace kestrel {
namespace {

// The virtual printer reading one descriptor on a thread of its own.
class AnsweringLine {
 public:
  explicit AnsweringLine(int fd) : fd_(fd), responder_({}, false), thread_([this] { Serve(); }) {}
  ~AnsweringLine() {
    stop_ = true;
    thread_.join();
  }

 private:
  void Serve() {
    printer_.SetListener([this](std::span<const std::uint8_t> stream, const emu::Command& command, int pages) {
      responder_.Run(stream, command, pages);
    });
    std::uint8_t chunk[4096];
    while (!stop_) {
      pollfd waiting{fd_, POLLIN, 0};
      if (poll(&waiting, 1, 20) <= 0) continue;
      const ssize_t count = read(fd_, chunk, sizeof chunk);
      if (count <= 0) continue;
      printer_.Feed({chunk, static_cast<std::size_t>(count)});
      const std::vector<std::uint8_t> answers = responder_.TakeAnswers();
      if (!answers.empty() && write(fd_, answers.data(), answers.size()) < 0) return;
    }
  }

  int fd_;
  emu::StreamPrinter printer_{576};
  emu::PrinterResponder responder_;
  std::atomic<bool> stop_ = false;
  std::thread thread_;
};

// The link's owner: a port name and nothing shown.
class PortHost : public LinkHost {
 public:
  // The port is picked by its name, as a pick in the port-type list stores it.
  explicit PortHost(std::string port) : port_(std::move(port)) { JobSettings.PortKind = 1; }
  int PortSelection() const override { return 1; }
  std::string PortText() const override { return port_; }
  std::string BaudText() const override { return "115200"; }
  bool AgingRunning() const override { return false; }
  void ShowMessage(const std::string&, const std::string&) override {}
  void SetConnectCaption(const std::string&) override {}
  void EnablePortList(bool) override {}
  void EnableBaudList(bool) override {}

 private:
  std::string port_;
};

class PathDiscovery : public PortDiscovery {
 public:
  std::vector<std::string> SerialPorts() const override { return {}; }
  std::vector<UsbPrinterInfo> UsbPrinters() const override { return {}; }
  std::string UsbPrinterSource() const override { return ""; }
  std::string SerialDevicePath(const std::string& name) const override { return name; }
  std::string LockFolder() const override { return "/tmp"; }
};

void RoundTrips(benchmark::State& state, PrinterLink& link) {
  if (!link.Connected()) {
    state.SkipWithError(("cannot open the port: " + link.LastError()).c_str());
    return;
  }
  for (auto _ : state) {
    const StatusResult result = QueryStatus(link, 1000);
    if (!result.answered) {
      state.SkipWithError(result.reason.c_str());
      return;
    }
    benchmark::DoNotOptimize(result.status);
  }
}

void BM_StatusRoundTripPty(benchmark::State& state) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  grantpt(master);
  unlockpt(master);
  const std::string slave = ptsname(master);
  termios line{};
  const int raw = open(slave.c_str(), O_RDWR | O_NOCTTY);
  tcgetattr(raw, &line);
  cfmakeraw(&line);
  tcsetattr(raw, TCSANOW, &line);
  {
    AnsweringLine printer(master);
    PortHost host(slave);
    PathDiscovery discovery;
    PrinterLink link(host, discovery);
    link.ReconnectPrinter();
    RoundTrips(state, link);
  }
  close(raw);
  close(master);
}
BENCHMARK(BM_StatusRoundTripPty)->Unit(benchmark::kMicrosecond);

void BM_StatusRoundTripTcp(benchmark::State& state) {
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listener, 1);
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  const std::string port = "tcp:127.0.0.1:" + std::to_string(ntohs(address.sin_port));
  int client = -1;
  PortHost host(port);
  PathDiscovery discovery;
  {
    PrinterLink link(host, discovery);
    link.ReconnectPrinter();
    // The connection waits in the listen queue until it is taken.
    if (link.Connected()) client = accept(listener, nullptr, nullptr);
    AnsweringLine printer(client);
    RoundTrips(state, link);
  }
  close(client);
  close(listener);
}
BENCHMARK(BM_StatusRoundTripTcp)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrel

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "link/PortDevice.h"

// Serial terminals, usblp nodes and sockets are all descriptors opened
// non-blocking: one poll and one read serve the three.
namespace kestrel {
namespace {

using Clock = std::chrono::steady_clock;

// A drain never runs for ever on a printer that keeps sending.
constexpr std::size_t kMaxDrainBytes = 1u << 20;

}  // namespace

ReadOutcome ReadPortWithin(const OpenedPort& port, std::uint8_t* into, std::size_t capacity, int timeoutMs) {
  ReadOutcome outcome;
  if (port.handle == kNoPort) {
    outcome.failed = true;
    outcome.error = "no port is open";
    return outcome;
  }
  const int fd = static_cast<int>(port.handle);
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const ssize_t count = read(fd, into, capacity);
    if (count > 0) {
      outcome.count = static_cast<std::size_t>(count);
      return outcome;
    }
    if (count == 0 && port.type == PortType::kTcp) {
      outcome.failed = true;
      outcome.error = "the printer closed the connection";
      return outcome;
    }
    if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      outcome.failed = true;
      outcome.error = std::string("read failed: ") + std::strerror(errno);
      return outcome;
    }
    // A terminal or printer node with nothing to read may also answer 0.
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return outcome;
    pollfd waiting{fd, POLLIN, 0};
    // usblp reports new data to poll only after a read was started, so the
    // wait is short and the read is tried again.
    const int slice = port.type == PortType::kUsb ? 20 : static_cast<int>(left);
    if (poll(&waiting, 1, static_cast<int>(std::min<long long>(left, slice))) < 0 && errno != EINTR) {
      outcome.failed = true;
      outcome.error = std::string("read failed: ") + std::strerror(errno);
      return outcome;
    }
    if (waiting.revents & (POLLERR | POLLNVAL)) {
      outcome.failed = true;
      outcome.error = "the port reports an error";
      return outcome;
    }
    // A pty whose other side is closed reports POLLHUP for ever; a serial
    // line has no other side to lose, so it is read again until the limit.
    if ((waiting.revents & POLLHUP) && !(waiting.revents & POLLIN)) {
      if (port.type == PortType::kTcp) {
        outcome.failed = true;
        outcome.error = "the printer closed the connection";
        return outcome;
      }
      const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (rest > 0) usleep(static_cast<useconds_t>(std::min<long long>(rest, 20)) * 1000);
    }
  }
}

void DrainPort(const OpenedPort& port) {
  if (port.handle == kNoPort) return;
  std::uint8_t chunk[4096];
  std::size_t drained = 0;
  while (drained < kMaxDrainBytes) {
    const ssize_t count = read(static_cast<int>(port.handle), chunk, sizeof chunk);
    if (count <= 0 && !(count < 0 && errno == EINTR)) return;
    if (count > 0) drained += static_cast<std::size_t>(count);
  }
}

}  // namespace kestrel

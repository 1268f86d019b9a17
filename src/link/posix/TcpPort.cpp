#include <fcntl.h>
#include <linux/sockios.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "link/PortDevice.h"
#include "link/TcpAddress.h"

namespace kestrel {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Small, so that a printer that stops reading is noticed after little has
// been handed to the system, and the progress shown is what the printer took.
constexpr int kSendBufferBytes = 64 * 1024;

OpenedPort Failed(std::string reason) {
  OpenedPort failed;
  failed.error = std::move(reason);
  return failed;
}

long long MillisecondsLeft(Clock::time_point deadline) {
  return std::max<long long>(0, std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count());
}

// Connects one address within the deadline; 0 or the errno of the failure
// (ETIMEDOUT when the deadline passed).
int ConnectWithin(int fd, const addrinfo& address, Clock::time_point deadline) {
  if (connect(fd, address.ai_addr, address.ai_addrlen) == 0) return 0;
  if (errno != EINPROGRESS) return errno;
  for (;;) {
    pollfd waiting{fd, POLLOUT, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(MillisecondsLeft(deadline)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return ETIMEDOUT;
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) return errno;
    return error;
  }
}

}  // namespace

OpenedPort OpenTcpPort(const std::string& host, int port, int connectTimeoutMs) {
  const std::string where = TcpAddressText(host, port);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || found == nullptr)
    return Failed(TcpUnknownHost(host));

  const auto deadline = Clock::now() + milliseconds(connectTimeoutMs);
  int lastError = ETIMEDOUT;
  for (const addrinfo* address = found; address != nullptr; address = address->ai_next) {
    const int fd =
        socket(address->ai_family, address->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, address->ai_protocol);
    if (fd < 0) {
      lastError = errno;
      continue;
    }
    lastError = ConnectWithin(fd, *address, deadline);
    if (lastError == 0) {
      freeaddrinfo(found);
      const int on = 1;
      setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
      setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &kSendBufferBytes, sizeof kSendBufferBytes);
      OpenedPort opened;
      opened.handle = fd;
      opened.type = PortType::kTcp;
      return opened;
    }
    close(fd);
    if (lastError == ETIMEDOUT) break;
  }
  freeaddrinfo(found);
  switch (lastError) {
    case ECONNREFUSED:
      return Failed(TcpRefused(where));
    case ENETUNREACH:
    case EHOSTUNREACH:
    case EADDRNOTAVAIL:
      return Failed(TcpUnreachable(where));
    case ETIMEDOUT:
      return Failed(TcpNoAnswer(where, connectTimeoutMs));
    default:
      return Failed("cannot connect to " + where + ": " + std::strerror(lastError));
  }
}

bool WriteTcpInTime(DeviceHandle port, const std::uint8_t* bytes, std::size_t count, int stallLimitMs,
                    const WriteWatch& watch, std::string* error) {
  const int fd = static_cast<int>(port);
  std::size_t done = 0;
  auto stallDeadline = Clock::now() + milliseconds(stallLimitMs);
  if (watch.sent != nullptr) *watch.sent = 0;
  while (done < count) {
    if (watch.abandon != nullptr && *watch.abandon) return false;
    const ssize_t written = send(fd, bytes + done, count - done, MSG_NOSIGNAL);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      if (watch.sent != nullptr) *watch.sent = static_cast<std::int64_t>(done);
      stallDeadline = Clock::now() + milliseconds(stallLimitMs);
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      *error =
          errno == ECONNRESET || errno == EPIPE ? TcpReset() : std::string("write failed: ") + std::strerror(errno);
      return false;
    }
    const long long left = MillisecondsLeft(stallDeadline);
    if (left == 0) {
      *error = TcpStalled(stallLimitMs);
      return false;
    }
    pollfd waiting{fd, POLLOUT, 0};
    poll(&waiting, 1, static_cast<int>(std::min<long long>(left, 100)));
  }
  // Done means the printer's side has taken every byte, as on a serial line.
  int unsent = 0;
  int before = 0;
  while (ioctl(fd, SIOCOUTQ, &unsent) == 0 && unsent > 0) {
    if (watch.abandon != nullptr && *watch.abandon) return false;
    if (unsent != before) stallDeadline = Clock::now() + milliseconds(stallLimitMs);
    before = unsent;
    if (MillisecondsLeft(stallDeadline) == 0) {
      *error = TcpStalled(stallLimitMs);
      return false;
    }
    std::this_thread::sleep_for(milliseconds(5));
  }
  // A reset empties the queue too.
  int failure = 0;
  socklen_t size = sizeof failure;
  if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &failure, &size) == 0 && failure != 0) {
    *error =
        failure == ECONNRESET || failure == EPIPE ? TcpReset() : std::string("write failed: ") + std::strerror(failure);
    return false;
  }
  return true;
}

}  // namespace kestrel

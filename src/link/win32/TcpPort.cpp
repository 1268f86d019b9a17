#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <mutex>

#include "link/PortDevice.h"
#include "link/TcpAddress.h"
#include "link/win32/TcpSocket.h"

namespace kestrel {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Small, so that a printer that stops reading is noticed after little has
// been handed to the system.
constexpr int kSendBufferBytes = 64 * 1024;

SOCKET Native(DeviceHandle port) { return static_cast<SOCKET>(port); }

bool StartWinsock() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] {
    WSADATA data{};
    started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  });
  return started;
}

OpenedPort Failed(std::string reason) {
  OpenedPort failed;
  failed.error = std::move(reason);
  return failed;
}

long long MillisecondsLeft(Clock::time_point deadline) {
  return std::max<long long>(0, std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count());
}

timeval Interval(long long ms) {
  timeval interval{};
  interval.tv_sec = static_cast<long>(ms / 1000);
  interval.tv_usec = static_cast<long>((ms % 1000) * 1000);
  return interval;
}

// Connects one address within the deadline; 0 or the winsock error
// (WSAETIMEDOUT when the deadline passed).
int ConnectWithin(SOCKET socket, const addrinfo& address, Clock::time_point deadline) {
  if (connect(socket, address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0) return 0;
  const int error = WSAGetLastError();
  if (error != WSAEWOULDBLOCK) return error;
  fd_set writable, failed;
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  FD_SET(socket, &writable);
  FD_SET(socket, &failed);
  timeval wait = Interval(MillisecondsLeft(deadline));
  if (select(0, nullptr, &writable, &failed, &wait) <= 0) return WSAETIMEDOUT;
  int result = 0;
  int size = sizeof result;
  if (getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&result), &size) != 0) return WSAGetLastError();
  return FD_ISSET(socket, &failed) && result == 0 ? WSAECONNREFUSED : result;
}

std::string SocketError(const char* what, int error) {
  return std::string(what) + ": winsock error " + std::to_string(error);
}

}  // namespace

namespace win32 {
void CloseTcpSocket(DeviceHandle socket) { closesocket(Native(socket)); }
}  // namespace win32

OpenedPort OpenTcpPort(const std::string& host, int port, int connectTimeoutMs) {
  const std::string where = TcpAddressText(host, port);
  if (!StartWinsock()) return Failed("cannot connect to " + where + ": the network is not available");
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || found == nullptr)
    return Failed(TcpUnknownHost(host));

  const auto deadline = Clock::now() + milliseconds(connectTimeoutMs);
  int lastError = WSAETIMEDOUT;
  for (const addrinfo* address = found; address != nullptr; address = address->ai_next) {
    const SOCKET socket = ::socket(address->ai_family, address->ai_socktype, address->ai_protocol);
    if (socket == INVALID_SOCKET) {
      lastError = WSAGetLastError();
      continue;
    }
    u_long nonBlocking = 1;
    ioctlsocket(socket, FIONBIO, &nonBlocking);
    lastError = ConnectWithin(socket, *address, deadline);
    if (lastError == 0) {
      freeaddrinfo(found);
      const BOOL on = TRUE;
      setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
      setsockopt(socket, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&kSendBufferBytes),
                 sizeof kSendBufferBytes);
      OpenedPort opened;
      opened.handle = static_cast<DeviceHandle>(socket);
      opened.type = PortType::kTcp;
      return opened;
    }
    closesocket(socket);
    if (lastError == WSAETIMEDOUT) break;
  }
  freeaddrinfo(found);
  switch (lastError) {
    case WSAECONNREFUSED:
      return Failed(TcpRefused(where));
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH:
    case WSAEADDRNOTAVAIL:
      return Failed(TcpUnreachable(where));
    case WSAETIMEDOUT:
      return Failed(TcpNoAnswer(where, connectTimeoutMs));
    default:
      return Failed(SocketError(("cannot connect to " + where).c_str(), lastError));
  }
}

bool WriteTcpInTime(DeviceHandle port, const std::uint8_t* bytes, std::size_t count, int stallLimitMs,
                    const WriteWatch& watch, std::string* error) {
  const SOCKET socket = Native(port);
  std::size_t done = 0;
  auto stallDeadline = Clock::now() + milliseconds(stallLimitMs);
  if (watch.sent != nullptr) *watch.sent = 0;
  while (done < count) {
    if (watch.abandon != nullptr && *watch.abandon) return false;
    const int chunk = static_cast<int>(std::min<std::size_t>(count - done, 65536));
    const int written = send(socket, reinterpret_cast<const char*>(bytes + done), chunk, 0);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      if (watch.sent != nullptr) *watch.sent = static_cast<std::int64_t>(done);
      stallDeadline = Clock::now() + milliseconds(stallLimitMs);
      continue;
    }
    const int failure = WSAGetLastError();
    if (failure != WSAEWOULDBLOCK) {
      *error = failure == WSAECONNRESET || failure == WSAECONNABORTED || failure == WSAESHUTDOWN
                   ? TcpReset()
                   : SocketError("write failed", failure);
      return false;
    }
    const long long left = MillisecondsLeft(stallDeadline);
    if (left == 0) {
      *error = TcpStalled(stallLimitMs);
      return false;
    }
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(socket, &writable);
    timeval wait = Interval(std::min<long long>(left, 100));
    select(0, nullptr, &writable, nullptr, &wait);
  }
  return true;
}

namespace win32 {

// What the socket holds to read: up to `capacity` bytes after at most
// timeoutMs.
ReadOutcome ReadSocketWithin(DeviceHandle port, std::uint8_t* into, std::size_t capacity, int timeoutMs) {
  const SOCKET socket = Native(port);
  ReadOutcome outcome;
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket, &readable);
  timeval wait = Interval(timeoutMs);
  if (select(0, &readable, nullptr, nullptr, &wait) <= 0) return outcome;
  const int count =
      recv(socket, reinterpret_cast<char*>(into), static_cast<int>(std::min<std::size_t>(capacity, 65536)), 0);
  if (count > 0) {
    outcome.count = static_cast<std::size_t>(count);
    return outcome;
  }
  const int failure = count == 0 ? 0 : WSAGetLastError();
  if (failure == WSAEWOULDBLOCK) return outcome;
  outcome.failed = true;
  outcome.error = count == 0                                               ? "the printer closed the connection"
                  : failure == WSAECONNRESET || failure == WSAECONNABORTED ? TcpReset()
                                                                           : SocketError("read failed", failure);
  return outcome;
}

void DrainSocket(DeviceHandle port) {
  char chunk[4096];
  for (int round = 0; round < 256; ++round)
    if (recv(Native(port), chunk, sizeof chunk, 0) <= 0) return;
}

}  // namespace win32
}  // namespace kestrel

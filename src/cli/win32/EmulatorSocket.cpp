#include "cli/EmulatorSocket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include "language/win32/WideText.h"

namespace kestrel::cli {
namespace {

std::string SocketErrorText(int error) {
  wchar_t* message = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::string text = message ? win32::Narrow(message) : "socket error " + std::to_string(error);
  if (message) LocalFree(message);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

// Waits up to `ms` until `socket` can be read (or accepted from).
bool WaitReadable(SOCKET socket, int ms) {
  fd_set ready;
  FD_ZERO(&ready);
  FD_SET(socket, &ready);
  timeval limit{ms / 1000, ms % 1000 * 1000};
  return select(0, &ready, nullptr, nullptr, &limit) > 0;
}

}  // namespace

struct EmulatorSocket::Handles {
  bool started = false;
  SOCKET listener = INVALID_SOCKET;
  SOCKET client = INVALID_SOCKET;
};

EmulatorSocket::EmulatorSocket() : handles_(std::make_unique<Handles>()) {
  WSADATA data;
  handles_->started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

EmulatorSocket::~EmulatorSocket() {
  CloseClient();
  if (handles_->listener != INVALID_SOCKET) closesocket(handles_->listener);
  if (handles_->started) WSACleanup();
}

bool EmulatorSocket::Listen(const std::string& address, std::string* error) {
  std::string host, service;
  if (!SplitListenAddress(address, &host, &service, error)) return false;
  if (!handles_->started) {
    *error = "Windows sockets could not be started";
    return false;
  }
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const int status = getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
  if (status != 0) {
    *error = address + ": " + SocketErrorText(status);
    return false;
  }
  SOCKET& listener = handles_->listener;
  listener = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  // Another program may not take the port over while the printer holds it.
  const BOOL exclusive = TRUE;
  if (listener != INVALID_SOCKET)
    setsockopt(listener, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive), sizeof exclusive);
  const bool bound = listener != INVALID_SOCKET &&
                     bind(listener, found->ai_addr, static_cast<int>(found->ai_addrlen)) == 0 &&
                     listen(listener, 16) == 0;
  const int bindError = WSAGetLastError();
  freeaddrinfo(found);
  if (!bound) {
    *error = address + ": " + SocketErrorText(bindError);
    return false;
  }
  sockaddr_storage local{};
  int length = sizeof local;
  getsockname(listener, reinterpret_cast<sockaddr*>(&local), &length);
  port_ = ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&local)->sin6_port
                                            : reinterpret_cast<sockaddr_in*>(&local)->sin_port);
  return true;
}

bool EmulatorSocket::Accept(int ms) {
  if (!WaitReadable(handles_->listener, ms)) return false;
  handles_->client = accept(handles_->listener, nullptr, nullptr);
  if (handles_->client == INVALID_SOCKET) return false;
  // Answers are sent without waiting; reads wait in select() alone.
  u_long nonBlocking = 1;
  ioctlsocket(handles_->client, FIONBIO, &nonBlocking);
  return true;
}

bool EmulatorSocket::HasClient() const { return handles_->client != INVALID_SOCKET; }

PortState EmulatorSocket::Read(std::uint8_t* buffer, std::size_t size, int ms, std::size_t* count) {
  if (!WaitReadable(handles_->client, ms)) return PortState::Quiet;
  const int got = recv(handles_->client, reinterpret_cast<char*>(buffer), static_cast<int>(size), 0);
  if (got > 0) {
    *count = static_cast<std::size_t>(got);
    return PortState::Data;
  }
  if (got == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) return PortState::Quiet;
  return PortState::Ended;
}

void EmulatorSocket::Send(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty() || handles_->client == INVALID_SOCKET) return;
  send(handles_->client, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0);
}

void EmulatorSocket::CloseClient() {
  if (handles_->client != INVALID_SOCKET) closesocket(handles_->client);
  handles_->client = INVALID_SOCKET;
}

}  // namespace kestrel::cli

#include "cli/EmulatorSocket.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kestrel::cli {

struct EmulatorSocket::Handles {
  int listener = -1;
  int client = -1;
};

EmulatorSocket::EmulatorSocket() : handles_(std::make_unique<Handles>()) {}

EmulatorSocket::~EmulatorSocket() {
  CloseClient();
  if (handles_->listener >= 0) close(handles_->listener);
}

bool EmulatorSocket::Listen(const std::string& address, std::string* error) {
  std::string host, service;
  if (!SplitListenAddress(address, &host, &service, error)) return false;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const int status = getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
  if (status != 0) {
    *error = address + ": " + gai_strerror(status);
    return false;
  }
  int& listener = handles_->listener;
  listener = socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC, found->ai_protocol);
  const int reuse = 1;
  if (listener >= 0) setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
  const bool bound =
      listener >= 0 && bind(listener, found->ai_addr, found->ai_addrlen) == 0 && listen(listener, 16) == 0;
  freeaddrinfo(found);
  if (!bound) {
    *error = address + ": " + std::strerror(errno);
    return false;
  }
  sockaddr_storage local{};
  socklen_t length = sizeof local;
  getsockname(listener, reinterpret_cast<sockaddr*>(&local), &length);
  port_ = ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&local)->sin6_port
                                            : reinterpret_cast<sockaddr_in*>(&local)->sin_port);
  return true;
}

bool EmulatorSocket::Accept(int ms) {
  pollfd wait{handles_->listener, POLLIN, 0};
  if (poll(&wait, 1, ms) <= 0) return false;
  handles_->client = accept4(handles_->listener, nullptr, nullptr, SOCK_CLOEXEC);
  return handles_->client >= 0;
}

bool EmulatorSocket::HasClient() const { return handles_->client >= 0; }

PortState EmulatorSocket::Read(std::uint8_t* buffer, std::size_t size, int ms, std::size_t* count) {
  pollfd wait{handles_->client, POLLIN, 0};
  if (poll(&wait, 1, ms) <= 0) return PortState::Quiet;
  const ssize_t got = read(handles_->client, buffer, size);
  if (got > 0) {
    *count = static_cast<std::size_t>(got);
    return PortState::Data;
  }
  if (got < 0 && (errno == EAGAIN || errno == EINTR)) return PortState::Quiet;
  return PortState::Ended;
}

void EmulatorSocket::Send(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty() || handles_->client < 0) return;
  (void)!send(handles_->client, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

void EmulatorSocket::CloseClient() {
  if (handles_->client >= 0) close(handles_->client);
  handles_->client = -1;
}

}  // namespace kestrel::cli

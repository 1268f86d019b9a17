#include "cli/posix/EmulatorPorts.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace kestrel::cli {

EmulatorPty::~EmulatorPty() {
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
}

bool EmulatorPty::Open(std::string* error) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  char name[128] = {};
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0) {
    *error = std::string("no pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  path_ = name;
  slave_ = open(name, O_RDWR | O_NOCTTY);
  termios line{};
  if (slave_ < 0 || tcgetattr(slave_, &line) != 0) {
    *error = path_ + ": " + std::strerror(errno);
    return false;
  }
  cfmakeraw(&line);  // bytes pass unchanged, also from programs that set no mode
  tcsetattr(slave_, TCSANOW, &line);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  return true;
}

void EmulatorPty::ReleaseExclusive() {
  if (slave_ >= 0) ioctl(slave_, TIOCNXCL);
}

EmulatorSocket::~EmulatorSocket() {
  if (listener_ >= 0) close(listener_);
}

bool EmulatorSocket::Listen(const std::string& address, std::string* error) {
  const std::size_t colon = address.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == address.size()) {
    *error = "--listen takes HOST:PORT";
    return false;
  }
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const int status = getaddrinfo(address.substr(0, colon).c_str(), address.substr(colon + 1).c_str(), &hints, &found);
  if (status != 0) {
    *error = address + ": " + gai_strerror(status);
    return false;
  }
  listener_ = socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC, found->ai_protocol);
  const int reuse = 1;
  if (listener_ >= 0) setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
  const bool bound =
      listener_ >= 0 && bind(listener_, found->ai_addr, found->ai_addrlen) == 0 && listen(listener_, 16) == 0;
  freeaddrinfo(found);
  if (!bound) {
    *error = address + ": " + std::strerror(errno);
    return false;
  }
  sockaddr_storage local{};
  socklen_t length = sizeof local;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&local), &length);
  port_ = ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&local)->sin6_port
                                            : reinterpret_cast<sockaddr_in*>(&local)->sin_port);
  return true;
}

bool MakePortLink(const std::string& link, const std::string& target, std::string* error) {
  struct stat existing {};
  if (lstat(link.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode)) {
      *error = link + " exists and is not a symbolic link";
      return false;
    }
    unlink(link.c_str());
  }
  if (symlink(target.c_str(), link.c_str()) != 0) {
    *error = link + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace kestrel::cli

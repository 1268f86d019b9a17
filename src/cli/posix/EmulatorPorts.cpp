#include "cli/posix/EmulatorPorts.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
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

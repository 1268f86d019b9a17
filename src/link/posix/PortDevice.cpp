#include "link/PortDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace kestrel {
namespace {

using Clock = std::chrono::steady_clock;

std::string ErrorText(const std::string& what) { return what + ": " + std::strerror(errno); }

// TIOCEXCL keeps out other openers except root; the lock keeps out every
// other open that asks for it, root included.
bool ClaimExclusive(int fd) { return flock(fd, LOCK_EX | LOCK_NB) == 0; }

// Opens the device for reading and writing, never as the controlling
// terminal, and claims it for this program alone.
OpenedPort OpenExclusive(const std::string& path, int extraFlags) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | extraFlags);
  if (fd < 0) return {kNoPort, ErrorText("cannot open " + path)};
  if (!ClaimExclusive(fd)) {
    OpenedPort failed{kNoPort, ErrorText("cannot open " + path + " for this program alone")};
    close(fd);
    return failed;
  }
  return {fd, {}};
}

speed_t SpeedFor(int rate) {
  switch (rate) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return B9600;
  }
}

void ApplyLineSettings(int fd, int rate) {
  termios line{};
  if (tcgetattr(fd, &line) == 0) {
    cfmakeraw(&line);
    line.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    line.c_cflag |= CS8 | CLOCAL | CREAD;
    line.c_iflag &= ~(IXON | IXOFF | IXANY);
    cfsetispeed(&line, SpeedFor(rate));
    cfsetospeed(&line, SpeedFor(rate));
    tcsetattr(fd, TCSANOW, &line);
  }
  int lines = TIOCM_DTR | TIOCM_RTS;
  ioctl(fd, TIOCMBIC, &lines);
  tcflush(fd, TCIOFLUSH);
}

}  // namespace

OpenedPort OpenSerialDevice(const std::string& path, int rate) {
  // Non-blocking, so that neither a missing carrier at open nor a stalled
  // line at write can hold the caller; writes wait with poll.
  OpenedPort opened = OpenExclusive(path, O_NONBLOCK);
  if (opened.handle == kNoPort) return opened;
  const int fd = static_cast<int>(opened.handle);
  ioctl(fd, TIOCEXCL);
  ApplyLineSettings(fd, rate);
  return opened;
}

OpenedPort OpenPrinterNode(const std::string& path) { return OpenExclusive(path, 0); }

void ClosePort(DeviceHandle port) {
  if (port >= 0) close(static_cast<int>(port));
}

bool WriteAllBlocking(DeviceHandle port, const std::uint8_t* bytes, std::size_t count) {
  const int fd = static_cast<int>(port);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t written = write(fd, bytes + done, count - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

bool WriteSerialInTime(DeviceHandle port, const std::uint8_t* bytes, std::size_t count, int rate) {
  const int fd = static_cast<int>(port);
  // Ten bit times per byte at 8N1; bytes still queued from an earlier write
  // go out first, so they count towards the limit too.
  int queued = 0;
  if (ioctl(fd, TIOCOUTQ, &queued) != 0 || queued < 0) queued = 0;
  const auto lineTime =
      std::chrono::milliseconds((static_cast<long long>(count) + queued) * 10 * 1000 / (rate > 0 ? rate : 9600));
  const auto deadline = Clock::now() + lineTime + std::chrono::seconds(2);

  std::size_t done = 0;
  while (done < count) {
    const ssize_t written = write(fd, bytes + done, count - done);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;

    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    // Waits in short slices and tries again after each: not every driver
    // reports new room in its queue to a waiting poll.
    pollfd waiting{fd, POLLOUT, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(std::min<long long>(left.count(), 100)));
    if (ready < 0 && errno != EINTR) return false;
    if (ready > 0 && (waiting.revents & (POLLERR | POLLHUP | POLLNVAL))) return false;
  }
  return true;
}

}  // namespace kestrel

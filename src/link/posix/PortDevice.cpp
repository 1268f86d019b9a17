#include "link/PortDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "link/posix/PortLock.h"

namespace kestrel {

using posix::PortLock;
using posix::PortLockFile;
using posix::ReleasePortLock;
using posix::TakePortLock;

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The time a write may take beyond what the bytes themselves need.
constexpr auto kWriteGrace = std::chrono::seconds(2);
// A label printer on paper takes far more than this even printing solid
// pictures at its slowest speed; a node slower than this has stopped.
constexpr long long kSlowestPrinterBytesPerSecond = 4000;
// How often a wait looks again: not every driver reports new room in its
// queue to a waiting poll.
constexpr int kWaitSliceMs = 100;
constexpr auto kDrainSlice = milliseconds(10);

std::string ErrorText(const std::string& what) { return what + ": " + std::strerror(errno); }

OpenedPort Failed(std::string reason) { return {kNoPort, std::move(reason), {}}; }

// TIOCEXCL keeps out other openers except root; the lock keeps out every
// other open that asks for it, root included.
bool ClaimExclusive(int fd) { return flock(fd, LOCK_EX | LOCK_NB) == 0; }

bool IsCharacterDevice(const struct stat& info) { return S_ISCHR(info.st_mode); }

// A port must be a terminal: a regular file, a pipe or a disk named as a port
// is never opened for writing.
std::string RefusalOfSerialPath(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return ErrorText("cannot open " + path);
  if (!IsCharacterDevice(info)) return "not a serial port: " + path;
  return {};
}

bool IsTerminal(int fd) {
  struct stat info {};
  termios line{};
  return fstat(fd, &info) == 0 && IsCharacterDevice(info) && tcgetattr(fd, &line) == 0;
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

// What the previous job queued keeps going out; only what came in from the
// printer is dropped.
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
  tcflush(fd, TCIFLUSH);
}

// Bytes the device still holds to send; 0 where it does not say.
long long Unsent(int fd) {
  int queued = 0;
  if (ioctl(fd, TIOCOUTQ, &queued) != 0 || queued < 0) return 0;
  return queued;
}

bool Abandoned(const WriteWatch& watch) { return watch.abandon != nullptr && watch.abandon->load(); }

void Report(const WriteWatch& watch, long long sent) {
  if (watch.sent != nullptr) watch.sent->store(std::max(0LL, sent));
}

// Hands every byte to a non-blocking device before the deadline.
bool WriteBefore(int fd, const std::uint8_t* bytes, std::size_t count, Clock::time_point deadline,
                 const WriteWatch& watch) {
  std::size_t done = 0;
  while (done < count) {
    if (Abandoned(watch)) return false;
    const ssize_t written = write(fd, bytes + done, count - done);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      Report(watch, static_cast<long long>(done) - Unsent(fd));
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;

    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd waiting{fd, POLLOUT, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(std::min<long long>(left.count(), kWaitSliceMs)));
    if (ready < 0 && errno != EINTR) return false;
    if (ready > 0 && (waiting.revents & (POLLERR | POLLHUP | POLLNVAL))) return false;
  }
  return true;
}

// Waits until the device's queue is empty, so that a write counts as done
// only once its bytes have left, not when the kernel holds them.
bool DrainBefore(int fd, std::size_t count, Clock::time_point deadline, const WriteWatch& watch) {
  for (;;) {
    const long long unsent = Unsent(fd);
    Report(watch, static_cast<long long>(count) - unsent);
    if (unsent == 0) return true;
    if (Abandoned(watch) || Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kDrainSlice);
  }
}

}  // namespace

OpenedPort OpenSerialDevice(const std::string& path, int rate, const std::string& lockFolder) {
  if (std::string refusal = RefusalOfSerialPath(path); !refusal.empty()) return Failed(std::move(refusal));
  const std::string lockFile = PortLockFile(path, lockFolder);
  const PortLock lock = TakePortLock(lockFile);
  if (!lock.refusal.empty()) return Failed(path + " is " + lock.refusal);
  OpenedPort opened{kNoPort, {}, lock.held ? lockFile : std::string()};

  // Non-blocking, so that neither a missing carrier at open nor a stalled
  // line at write can hold the caller; writes wait with poll.
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (fd >= 0) opened.handle = fd;
  if (fd < 0) {
    opened.error = ErrorText("cannot open " + path);
  } else if (!IsTerminal(fd)) {
    opened.error = "not a serial port: " + path;  // the node changed since it was looked at
  } else if (!ClaimExclusive(fd)) {
    opened.error = ErrorText("cannot open " + path + " for this program alone");
  }
  if (!opened.error.empty()) {
    std::string reason = std::move(opened.error);
    ClosePort(opened);
    return Failed(std::move(reason));
  }
  opened.exclusive = ioctl(fd, TIOCEXCL) == 0;
  opened.type = PortType::kSerial;
  ApplyLineSettings(fd, rate);
  return opened;
}

OpenedPort OpenPrinterNode(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return Failed(ErrorText("cannot open " + path));
  if (!IsCharacterDevice(info)) return Failed("not a printer device: " + path);
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Failed(ErrorText("cannot open " + path));
  OpenedPort opened{fd, {}, {}};
  if (fstat(fd, &info) != 0 || !IsCharacterDevice(info)) {
    opened.error = "not a printer device: " + path;
  } else if (!ClaimExclusive(fd)) {
    opened.error = ErrorText("cannot open " + path + " for this program alone");
  }
  opened.type = PortType::kUsb;
  if (opened.error.empty()) return opened;
  std::string reason = std::move(opened.error);
  ClosePort(opened);
  return Failed(std::move(reason));
}

void ClosePort(OpenedPort& port) {
  // A terminal's exclusive mode belongs to the device, not to the descriptor:
  // on some devices it outlives the close and would keep the next program out.
  if (port.handle != kNoPort && port.exclusive) ioctl(static_cast<int>(port.handle), TIOCNXCL);
  if (port.handle != kNoPort) close(static_cast<int>(port.handle));
  ReleasePortLock(port.lockFile);
  port = {};
}

bool WriteSerialInTime(DeviceHandle port, const std::uint8_t* bytes, std::size_t count, int rate,
                       const WriteWatch& watch) {
  const int fd = static_cast<int>(port);
  // Ten bit times per byte at 8N1; bytes still queued from an earlier write
  // go out first, so they count towards the limit too.
  const long long queued = Unsent(fd);
  const auto lineTime = milliseconds((static_cast<long long>(count) + queued) * 10 * 1000 / (rate > 0 ? rate : 9600));
  const auto deadline = Clock::now() + lineTime + kWriteGrace;
  Report(watch, 0);
  return WriteBefore(fd, bytes, count, deadline, watch) && DrainBefore(fd, count, deadline, watch);
}

bool WritePrinterNodeInTime(DeviceHandle port, const std::uint8_t* bytes, std::size_t count, const WriteWatch& watch) {
  const int fd = static_cast<int>(port);
  const auto acceptTime = milliseconds(static_cast<long long>(count) * 1000 / kSlowestPrinterBytesPerSecond);
  Report(watch, 0);
  return WriteBefore(fd, bytes, count, Clock::now() + acceptTime + kWriteGrace, watch);
}

}  // namespace kestrel

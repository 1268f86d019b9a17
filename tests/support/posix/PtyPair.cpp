#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "support/TestSupport.h"

namespace kestrel::test {

PtyPair::PtyPair() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    ADD_FAILURE() << "no pseudo-terminal available";
    return;
  }
  slavePath_ = ptsname(master_);
}

PtyPair::~PtyPair() { Close(); }

void PtyPair::Close() {
  if (master_ >= 0) close(master_);
  master_ = -1;
}

// The line settings outlive this open while the master stays open.
void PtyPair::MakeRaw() {
  const int slave = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios line{};
  tcgetattr(slave, &line);
  cfmakeraw(&line);
  tcsetattr(slave, TCSANOW, &line);
  close(slave);
}

std::size_t PtyPair::Stall() {
  MakeRaw();
  const int slave = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  // The kernel moves the first bytes on towards this side after a while.
  const std::vector<std::uint8_t> block(4096, 0x55);
  std::size_t filled = 0;
  for (int round = 0; round < 3; ++round, usleep(100'000))
    for (ssize_t wrote; (wrote = write(slave, block.data(), block.size())) > 0;)
      filled += static_cast<std::size_t>(wrote);
  close(slave);
  return filled;
}

void PtyPair::ReadAvailable(std::vector<std::uint8_t>& bytes, int pollMs) {
  pollfd ready{master_, POLLIN, 0};
  if (master_ < 0 || poll(&ready, 1, pollMs) <= 0 || !(ready.revents & POLLIN)) return;
  std::uint8_t chunk[4096];
  const ssize_t got = read(master_, chunk, sizeof chunk);
  if (got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
}

std::vector<std::uint8_t> PtyPair::Read(std::size_t count, std::chrono::milliseconds limit) {
  std::vector<std::uint8_t> bytes;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (bytes.size() < count) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd waiting{master_, POLLIN, 0};
    if (poll(&waiting, 1, static_cast<int>(left.count())) <= 0) break;
    std::uint8_t chunk[4096];
    const ssize_t got = read(master_, chunk, std::min(sizeof chunk, count - bytes.size()));
    if (got <= 0) {
      // No slave open at the moment: wait for the next open.
      usleep(1000);
      continue;
    }
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return bytes;
}

}  // namespace kestrel::test

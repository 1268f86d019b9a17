#include "support/TestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "commands/SendBuffer.h"

namespace kestrel::test {

std::vector<std::uint8_t> Hex(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  int high = -1;
  for (char c : text) {
    int value;
    if (c >= '0' && c <= '9')
      value = c - '0';
    else if (c >= 'A' && c <= 'F')
      value = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
      value = c - 'a' + 10;
    else
      continue;
    if (high < 0) {
      high = value;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high * 16 + value));
      high = -1;
    }
  }
  EXPECT_LT(high, 0) << "odd number of hex digits in: " << text;
  return bytes;
}

std::string ToHex(std::span<const std::uint8_t> bytes) {
  std::string text;
  char pair[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(pair, sizeof(pair), i ? " %02X" : "%02X", bytes[i]);
    text += pair;
  }
  return text;
}

::testing::AssertionResult BytesEqual(std::span<const std::uint8_t> actual, std::span<const std::uint8_t> expected) {
  if (actual.size() == expected.size() && std::equal(actual.begin(), actual.end(), expected.begin()))
    return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  return ::testing::AssertionFailure() << "bytes differ at index " << at << " (actual " << actual.size()
                                       << " bytes, expected " << expected.size() << ")\n  actual:   " << ToHex(actual)
                                       << "\n  expected: " << ToHex(expected);
}

::testing::AssertionResult BytesEqual(std::span<const std::uint8_t> actual, const std::string& expectedHex) {
  const std::vector<std::uint8_t> expected = Hex(expectedHex);
  return BytesEqual(actual, std::span<const std::uint8_t>(expected));
}

std::vector<std::uint8_t> Composed() {
  auto bytes = ComposedBytes();
  return {bytes.begin(), bytes.end()};
}

std::tm FixedTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm time{};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  return time;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::string& path, const std::string& text) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

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

void PtyPair::Stall() {
  const int slave = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios line{};
  tcgetattr(slave, &line);
  cfmakeraw(&line);
  tcsetattr(slave, TCSANOW, &line);
  // The kernel moves the first bytes on towards this side after a while.
  const std::vector<std::uint8_t> block(4096, 0x55);
  for (int round = 0; round < 3; ++round, usleep(100'000))
    while (write(slave, block.data(), block.size()) > 0) {
    }
  close(slave);
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

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kestrel-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp failed";
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace kestrel::test

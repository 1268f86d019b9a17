#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "emulator/EmulatorTestSupport.h"
#include "emulator/PngFile.h"
#include "support/CliRunner.h"
#include "support/EmulatorProcess.h"
#include "support/TestSupport.h"

namespace kestrel::cli {
namespace {

using namespace std::chrono_literals;

int Connect(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? fd : -1;
}

int ListeningPort(const test::Emulator& emulator) {
  const std::string line = emulator.Output();
  const std::size_t at = line.find(", port ");
  return at == std::string::npos ? 0 : std::stoi(line.substr(at + 7));
}

// Kestrel prints every label to its own virtual printer on a pseudo-terminal;
// each page comes out at its size, and its codes scan as sent.
TEST(EmulateCommandTest, EveryLabelPrintedThroughAPseudoTerminal) {
  test::TempDir folder;
  const std::string port = folder.path() + "/printer";
  test::Emulator emulator({"--pty", "--link", port});
  ASSERT_NE(emulator.Output().find("linked as " + port), std::string::npos) << emulator.Output();
  struct Label {
    const char* job;
    int width, height;
    std::vector<std::string> symbols;
  };
  const Label labels[] = {
      {"60x20", 448, 104, {"UPC-A:123456789012"}},
      {"60x30", 480, 224, {}},
      {"60x40", 480, 300, {}},
      {"60x50", 480, 384, {"CODE-128:409", "QR-Code:www.tarnwick.example"}},
      {"58x20", 384, 104, {"UPC-A:123456789012"}},
      {"58x30", 384, 224, {"CODE-128:2500004"}},
      {"58x40", 384, 300, {}},
      {"58x50", 384, 384, {"CODE-128:409", "QR-Code:www.tarnwick.example"}},
      {"80x20", 576, 104, {"UPC-A:123456789012"}},
      {"80x30", 576, 224, {"CODE-128:2500004"}},
      {"80x40", 576, 300, {}},
      {"80x50", 576, 384, {"CODE-128:409111", "QR-Code:www.tarnwick.example"}},
      {"80x60", 576, 464, {"CODE-128:2500004"}},
  };
  int number = 0;
  for (const Label& label : labels) {
    const test::CliRun print = test::RunCli({"print", label.job, "--port", port, "--lang", "zh"});
    ASSERT_EQ(print.status, 0) << label.job << ": " << print.error;
    ASSERT_TRUE(emulator.WaitForPage(++number)) << label.job << "\n" << emulator.Output();
    emu::Canvas page;
    std::string error;
    ASSERT_TRUE(emu::ReadPng(emulator.PagePath(number), &page, &error)) << error;
    EXPECT_EQ(page.width(), label.width) << label.job;
    EXPECT_EQ(page.height(), label.height) << label.job;
    EXPECT_EQ(test::ScanSymbols(page), label.symbols) << label.job;
  }
  EXPECT_EQ(emulator.Stop(), 0);
  EXPECT_FALSE(std::filesystem::exists(port));  // the link goes with the emulator
  EXPECT_FALSE(std::filesystem::exists(emulator.PagePath(number + 1)));
}

// SIGTERM while a page is being drawn: the page is printed, the exit is clean.
TEST(EmulateCommandTest, StopFinishesThePageInProgress) {
  test::Emulator emulator({"--listen", "127.0.0.1:0"});
  const int fd = Connect(ListeningPort(emulator));
  ASSERT_GE(fd, 0) << emulator.Output();
  const std::vector<std::uint8_t> page =
      test::Hex("1B 40 1B 4C 1B 57 00 00 00 00 C8 00 64 00 18 1B 6E 05 1B 6D 00 00 00 00 0A 00 05 00 1B 99 41 42");
  ASSERT_EQ(write(fd, page.data(), page.size()), static_cast<ssize_t>(page.size()));
  ASSERT_TRUE(test::Emulator::WaitFor([&] {
    return emulator.Output().find("unknown command 1B 99") != std::string::npos;
  })) << emulator.Output();
  EXPECT_EQ(emulator.Stop(), 0);
  close(fd);
  emu::Canvas printed;
  std::string error;
  ASSERT_TRUE(emu::ReadPng(emulator.PagePath(1), &printed, &error)) << error;
  EXPECT_EQ(printed.width(), 200);
  EXPECT_EQ(printed.Count(0, 0, 10, 5), 50);
  EXPECT_NE(test::ReadText(emulator.pages() + "/page-0001.txt").find("ESC m  rectangle"), std::string::npos);
}

// A client that connects and sends nothing is let go, and the one queued
// behind it prints; with no limit it would wait for ever.
TEST(EmulateCommandTest, AnIdleConnectionMakesWayForTheNextOne) {
  test::Emulator emulator({"--listen", "127.0.0.1:0", "--idle-timeout", "1"});
  const int idle = Connect(ListeningPort(emulator));
  const int next = Connect(ListeningPort(emulator));
  ASSERT_GE(idle, 0) << emulator.Output();
  ASSERT_GE(next, 0) << emulator.Output();
  const std::vector<std::uint8_t> page = test::Hex("1B 40 1B 4C 1B 57 00 00 00 00 40 00 20 00 18 1B 0C");
  ASSERT_EQ(write(next, page.data(), page.size()), static_cast<ssize_t>(page.size()));
  EXPECT_TRUE(emulator.WaitForPage(1)) << emulator.Output();
  char byte = 0;
  EXPECT_EQ(read(idle, &byte, 1), 0) << "the idle connection is closed";
  close(idle);
  close(next);
  EXPECT_EQ(emulator.Stop(), 0);
}

// About 100 MB in a plain build; AddressSanitizer keeps freed memory in
// quarantine and adds its shadow.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kResidentBound = 700 * 1024;
#else
constexpr long kResidentBound = 250 * 1024;
#endif

// Random bytes for a few seconds, paced like a fast serial line: the emulator
// keeps running in bounded memory.
TEST(EmulateCommandTest, RandomBytesKeepMemoryBounded) {
  test::Emulator emulator({"--listen", "127.0.0.1:0", "--width", "384"});
  const int fd = Connect(ListeningPort(emulator));
  ASSERT_GE(fd, 0) << emulator.Output();
  std::mt19937 random(20261210);
  std::vector<std::uint8_t> chunk(32 * 1024);
  long largest = 0;
  const auto end = std::chrono::steady_clock::now() + 3s;
  while (std::chrono::steady_clock::now() < end) {
    for (std::uint8_t& byte : chunk) byte = static_cast<std::uint8_t>(random());
    ASSERT_EQ(write(fd, chunk.data(), chunk.size()), static_cast<ssize_t>(chunk.size()));
    largest = std::max(largest, emulator.ResidentKilobytes());
    std::this_thread::sleep_for(100ms);
  }
  close(fd);
  EXPECT_TRUE(emulator.Running());
  EXPECT_LT(largest, kResidentBound) << "kB resident";
  EXPECT_EQ(emulator.Stop(), 0);
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

bool SendAll(int port, const std::vector<std::uint8_t>& bytes) {
  const int fd = Connect(port);
  bool sent = fd >= 0;
  for (std::size_t done = 0; sent && done < bytes.size();) {
    const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
    sent = put > 0;
    done += sent ? static_cast<std::size_t>(put) : 0;
  }
  if (fd >= 0) close(fd);
  return sent;
}

// A flood stops being written at either limit, which is said once, and the
// printer goes on: the next good job is printed and listed with its size.
TEST(EmulateCommandTest, AFloodStopsAtTheLimitsAndTheNextJobStillPrints) {
  std::mt19937 random(20261210);
  std::vector<std::uint8_t> noise(32 * 1024);
  for (std::uint8_t& byte : noise) byte = static_cast<std::uint8_t>(random());
  // Pages of random raster (72 x 2000 bytes each) that no compression
  // shrinks: 1 MB is full after seven of them.
  std::vector<std::uint8_t> rasters;
  for (int page = 0; page < 10; ++page) {
    const std::vector<std::uint8_t> head =
        test::Hex("1B 40 1B 4C 1B 57 00 00 00 00 40 02 D0 07 1D 76 30 00 48 00 D0 07");
    rasters.insert(rasters.end(), head.begin(), head.end());
    for (int i = 0; i < 72 * 2000; ++i) rasters.push_back(static_cast<std::uint8_t>(random()));
    rasters.insert(rasters.end(), {0x1B, 0x0C});
  }
  const struct {
    const char* limit;
    const char* value;
    const std::vector<std::uint8_t>& flood;
    std::size_t written;
    const char* said;
  } rows[] = {{"--max-pages", "5", noise, 5, "the page limit (--max-pages 5) reached"},
              {"--max-disk", "1", rasters, 7, "the disk limit (--max-disk 1 MB) reached"}};
  const std::vector<std::uint8_t> good =
      test::Hex("1B 40 1B 4C 1B 57 00 00 00 00 C8 00 64 00 18 1B 6D 00 00 00 00 0A 00 05 00 1B 0C");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.limit);
    test::Emulator emulator({"--listen", "127.0.0.1:0", row.limit, row.value});
    ASSERT_TRUE(SendAll(ListeningPort(emulator), row.flood));
    ASSERT_TRUE(test::Emulator::WaitFor([&] { return emulator.Output().find(row.said) != std::string::npos; }))
        << emulator.Output();
    ASSERT_TRUE(SendAll(ListeningPort(emulator), good));
    EXPECT_TRUE(test::Emulator::WaitFor([&] {
      return emulator.Output().find("page not written: 200 x 100 dots") != std::string::npos;
    })) << emulator.Output();
    EXPECT_TRUE(std::filesystem::exists(emulator.PagePath(static_cast<int>(row.written))));
    EXPECT_FALSE(std::filesystem::exists(emulator.PagePath(static_cast<int>(row.written) + 1)));
    EXPECT_EQ(emulator.Stop(), 0);
    EXPECT_EQ(Count(emulator.Output(), row.said), 1u);
    EXPECT_EQ(Count(emulator.Errors(), row.said), 1u) << emulator.Errors();
    EXPECT_NE(emulator.Output().find("pages not written past " +
                                     std::string(row.said).substr(0, std::string(row.said).size() - 8)),
              std::string::npos);
  }
}

TEST(EmulateCommandTest, BadUsageExitsWithTwo) {
  const std::vector<std::vector<std::string>> rows = {{"emulate", "--pty", "--listen", "127.0.0.1:9100"},
                                                      {"emulate", "--link", "/tmp/x"},
                                                      {"emulate", "--width", "2"},
                                                      {"emulate", "--idle-timeout", "-1"},
                                                      {"emulate", "--pty", "--idle-timeout", "5"},
                                                      {"emulate", "--max-pages", "0"},
                                                      {"emulate", "--max-disk", "many"},
                                                      {"emulate", "extra"}};
  for (const auto& row : rows) EXPECT_EQ(test::RunCli(row).status, 2) << row[1];
  EXPECT_EQ(test::RunCli({"emulate", "--listen", "no-port"}).status, 1);
}

}  // namespace
}  // namespace kestrel::cli

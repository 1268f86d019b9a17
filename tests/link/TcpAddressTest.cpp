#include <gtest/gtest.h>

#include "link/TcpAddress.h"

namespace kestrel::test {
namespace {

TEST(TcpAddressTest, PortNamesParseOrSayWhy) {
  struct Row {
    const char* name;
    const char* host;  // nullptr: refused
    int port;
  };
  const Row rows[] = {
      {"tcp:192.168.1.50", "192.168.1.50", 9100},
      {"tcp:printer.local:6101", "printer.local", 6101},
      {"TCP:localhost:1", "localhost", 1},
      {"tcp:[::1]", "::1", 9100},
      {"tcp:[fe80::1]:9101", "fe80::1", 9101},
      {"tcp:", nullptr, 0},
      {"tcp::9100", nullptr, 0},
      {"tcp:host:", nullptr, 0},
      {"tcp:host:0", nullptr, 0},
      {"tcp:host:65536", nullptr, 0},
      {"tcp:host:91x0", nullptr, 0},
      {"tcp:::1", nullptr, 0},
      {"tcp:[::1", nullptr, 0},
      {"tcp:a b", nullptr, 0},
  };
  for (const Row& row : rows) {
    std::string problem;
    const auto address = ParseTcpPortName(row.name, &problem);
    if (row.host == nullptr) {
      EXPECT_FALSE(address) << row.name;
      EXPECT_NE(problem.find(row.name), std::string::npos) << problem;
      continue;
    }
    ASSERT_TRUE(address) << row.name << ": " << problem;
    EXPECT_EQ(address->host, row.host);
    EXPECT_EQ(address->port, row.port);
  }
  EXPECT_FALSE(IsTcpPortName("/dev/ttyUSB0"));
  EXPECT_FALSE(IsTcpPortName("COM3"));
  EXPECT_EQ(TcpAddressText("::1", 9100), "[::1]:9100");
}

}  // namespace
}  // namespace kestrel::test

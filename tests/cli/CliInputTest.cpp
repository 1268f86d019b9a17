#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/CliRunner.h"

namespace kestrel::cli {
namespace {

using test::CliRun;
using test::RunCli;

// A value the window would read as another is read the same way (the bytes
// are those of the value it is read as) and said on stderr; --strict makes it
// a usage error.
TEST(CliInputTest, CoercedValuesAreToldAndRefusedWithStrict) {
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> sameBytesAs;  // empty: not compared
    std::string note;
  } rows[] = {
      {{"60x20", "--copies", "abc"}, {"60x20", "--copies", "1"}, "--copies 'abc' is read as 1"},
      {{"60x20", "--copies", "300"}, {"60x20", "--copies", "255"}, "--copies '300' is read as 255"},
      {{"backfeed", "--backfeed", "xyz"}, {"backfeed", "--backfeed", "0"}, "--backfeed 'xyz' is read as 0"},
      {{"backfeed", "--backfeed", " 12ab"}, {"backfeed", "--backfeed", "12"}, "--backfeed ' 12ab' is read as 12"},
      {{"speed", "--speed", "7"}, {}, "--speed '7' is read as 7, not an item of the speed list (1, 10 ... 240)"},
      {{"printer-baud", "--printer-baud", "4800"},
       {"printer-baud", "--printer-baud", "9600"},
       "--printer-baud '4800' is read as 9600, not an item of the printer's rate list (9600 ... 115200)"},
      {{"60x20", "--direction", "5"}, {}, "--direction '5' is outside the direction list (0 to 3)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.note);
    std::vector<std::string> args = {"compose"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    args.insert(args.end(), {"--at", "2024-03-05 14:07:09"});
    const CliRun told = RunCli(args);
    EXPECT_EQ(told.status, 0);
    EXPECT_EQ(told.error.rfind("kestrel-cli: compose: " + row.note, 0), 0u) << told.error;
    if (!row.sameBytesAs.empty()) {
      std::vector<std::string> plain = {"compose"};
      plain.insert(plain.end(), row.sameBytesAs.begin(), row.sameBytesAs.end());
      plain.insert(plain.end(), {"--at", "2024-03-05 14:07:09"});
      const CliRun expected = RunCli(plain);
      EXPECT_EQ(expected.error, "");
      EXPECT_EQ(told.output, expected.output);
    }
    args.push_back("--strict");
    const CliRun strict = RunCli(args);
    EXPECT_EQ(strict.status, 2);
    EXPECT_EQ(strict.output, "");
    EXPECT_EQ(strict.error.rfind("kestrel-cli: compose: " + row.note, 0), 0u) << strict.error;
  }
  // Values the window's lists hold pass silently, --strict or not.
  const CliRun plain = RunCli({"compose", "60x20", "--copies", "2", "--speed", "20", "--strict"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.error, "");
}

TEST(CliInputTest, SendCountAndAgingIntervalAreToldToo) {
  const CliRun count = RunCli({"send", "--port", "/nonexistent/tty", "--text", "A", "--count", "x", "--strict"});
  EXPECT_EQ(count.status, 2);
  EXPECT_EQ(count.error.rfind("kestrel-cli: send: --count 'x' is read as 0: one copy (--strict)\n", 0), 0u)
      << count.error;
  const CliRun interval = RunCli({"aging", "beeper", "--port", "/nonexistent/tty", "--interval", "0", "--strict"});
  EXPECT_EQ(interval.status, 2);
  EXPECT_EQ(interval.error.rfind("kestrel-cli: aging: --interval '0' is read as 5000 ms (--strict)\n", 0), 0u)
      << interval.error;
}

// "-" is standard output, and "--" ends the options.
TEST(CliInputTest, DashIsStdoutAndDoubleDashEndsOptions) {
  const CliRun hex = RunCli({"compose", "density", "--density", "8"});
  const CliRun raw = RunCli({"compose", "density", "--density", "8", "--output", "-"});
  EXPECT_EQ(hex.output, "1B 4E 04 08\n");
  EXPECT_EQ(raw.status, 0);
  EXPECT_EQ(raw.output, std::string("\x1B\x4E\x04\x08", 4));
  EXPECT_EQ(RunCli({"compose", "density", "--output", "-", "--json"}).status, 2);

  EXPECT_EQ(RunCli({"compose", "--density", "8", "--", "density"}).output, hex.output);
  const CliRun ended = RunCli({"compose", "density", "--", "--density", "8"});
  EXPECT_EQ(ended.status, 2);
  EXPECT_NE(ended.error.find("unexpected argument '--density'"), std::string::npos) << ended.error;
}

}  // namespace
}  // namespace kestrel::cli

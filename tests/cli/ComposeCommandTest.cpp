#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/CliOptions.h"
#include "support/TestSupport.h"

namespace kestrel::cli {
namespace {

struct RunResult {
  int status = -1;
  std::string out;
};

// Runs kestrel-cli with the arguments (already quoted for the shell); stderr
// is dropped.
RunResult RunCli(const std::string& arguments) {
  RunResult result;
  const std::string command = std::string(KESTREL_CLI_PATH) + " " + arguments + " 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof(chunk), pipe)) > 0;) result.out.append(chunk, n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TEST(ComposeCommandTest, PrintsTheJobBytesAsHex) {
  const RunResult backfeed = RunCli("compose backfeed --backfeed -1");
  EXPECT_EQ(backfeed.status, 0);
  EXPECT_EQ(backfeed.out, "1E 47 FF FF\n");
  const RunResult density = RunCli("compose density --density 8");
  EXPECT_EQ(density.status, 0);
  EXPECT_EQ(density.out, "1B 4E 04 08\n");
  EXPECT_EQ(RunCli("compose selflearn --paper=1").out, "1B 63 30 01 1D 6A 02 00\n");
  EXPECT_EQ(RunCli("compose speed --speed 240").out, "1F 55 20 F0 0A\n");
  EXPECT_EQ(RunCli("compose printer-baud --printer-baud 9600").out, "1B 4E 01 01\n");
}

TEST(ComposeCommandTest, WritesRawBytesToAFile) {
  test::TempDir dir;
  const std::string path = dir.path() + "/job.bin";
  const RunResult result = RunCli("compose backfeed --backfeed 300 --output '" + path + "'");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, std::string("\x1E\x47\x2C\x01", 4));
  EXPECT_EQ(RunCli("compose backfeed --output '" + dir.path() + "/missing/job.bin'").status, 1);
}

TEST(ComposeCommandTest, BadUsageExitsWithTwo) {
  for (const char* arguments :
       {"compose", "compose nosuchjob", "compose density --density 9", "compose density --density 0",
        "compose density --density", "compose backfeed --frobnicate 1", "compose backfeed extra",
        "compose backfeed --port usb", "compose backfeed --lang fr", "compose backfeed --paper 3",
        "compose backfeed --size 13", "compose backfeed --barcode-type 8", "compose backfeed --at 2024-02-30",
        "compose backfeed --at '2024-02-30 10:00:00'", "compose backfeed --aging=1", "print backfeed",
        "print backfeed --port usb --baud 1234", "print backfeed --port usb --output x"}) {
    SCOPED_TRACE(arguments);
    const RunResult result = RunCli(arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
  }
}

TEST(ComposeCommandTest, PrintReportsAnUnreachablePort) {
  test::TempDir dir;
  EXPECT_EQ(RunCli("print selftest --port '" + dir.path() + "/no-such-port'").status, 1);
  EXPECT_EQ(RunCli("print backfeed --port '" + dir.path() + "/no-such-port'").status, 1);
}

TEST(CliOptionsTest, JobOptionsFillTheContext) {
  CliOptions options;
  OptionSet accepted;
  accepted.extras = {{"--interval", true}, {"--once", false}};
  const std::string problem = ParseCliOptions({"60x50",
                                               "--lang",
                                               "en",
                                               "--paper",
                                               "0",
                                               "--direction",
                                               "-1",
                                               "--speed",
                                               "20",
                                               "--copies",
                                               "3",
                                               "--size",
                                               "12",
                                               "--barcode-type",
                                               "6",
                                               "--backfeed",
                                               " 12ab",
                                               "--density",
                                               "1",
                                               "--printer-baud",
                                               "57600",
                                               "--aging",
                                               "--at",
                                               "2024-02-29 23:59:58",
                                               "--interval=500",
                                               "--once"},
                                              accepted, options);
  ASSERT_EQ(problem, "");
  const JobContext& c = options.context;
  EXPECT_EQ(options.words, std::vector<std::string>{"60x50"});
  EXPECT_EQ(options.codePage, 1252);
  EXPECT_EQ(c.settings.PaperType, 0);
  EXPECT_EQ(c.settings.PrintDirection, -1);
  EXPECT_EQ(c.speedText, "20");
  EXPECT_EQ(c.copiesText, "3");
  EXPECT_EQ(c.settings.AreaWidthDots, 576);
  EXPECT_EQ(c.settings.AreaHeightDots, 448);
  EXPECT_EQ(c.settings.BarcodeSystem, 72);
  EXPECT_EQ(c.settings.BackfeedValue, 12);
  EXPECT_EQ(c.densityIndex, 0);
  EXPECT_EQ(c.printerBaudText, "57600");
  EXPECT_TRUE(c.agingRunning);
  EXPECT_EQ(c.now.tm_year, 124);
  EXPECT_EQ(c.now.tm_mon, 1);
  EXPECT_EQ(c.now.tm_mday, 29);
  EXPECT_EQ(c.now.tm_hour, 23);
  EXPECT_EQ(c.now.tm_min, 59);
  EXPECT_EQ(c.now.tm_sec, 58);
  EXPECT_EQ(c.now.tm_wday, 4);
  EXPECT_EQ(options.extras.at("--interval"), "500");
  EXPECT_EQ(options.extras.count("--once"), 1u);
}

TEST(CliOptionsTest, DefaultsAreTheWindowsStartUpValues) {
  CliOptions options;
  ASSERT_EQ(ParseCliOptions({}, OptionSet{}, options), "");
  EXPECT_EQ(options.codePage, 0);
  EXPECT_EQ(options.baud, "115200");
  EXPECT_EQ(options.context.settings.PaperType, 2);
  EXPECT_EQ(options.context.settings.BarcodeSystem, 73);
  EXPECT_EQ(options.context.densityIndex, 2);
  EXPECT_GT(options.context.now.tm_year, 100) << "the clock when --at is absent";
}

TEST(CliOptionsTest, LocalTimeIsCheckedWhole) {
  std::tm time{};
  EXPECT_TRUE(ParseLocalTime("2023-12-31 00:00:00", &time));
  for (const char* text : {"2023-02-29 00:00:00", "2023-13-01 00:00:00", "2023-12-31 24:00:00", "2023-12-31 00:60:00",
                           "2023-12-31 00:00:00x", "2023-12-31T00:00:00", "2023-1-31 00:00:00", ""})
    EXPECT_FALSE(ParseLocalTime(text, &time)) << text;
}

}  // namespace
}  // namespace kestrel::cli

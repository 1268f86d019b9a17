#include <gtest/gtest.h>

#include <string>

#include "cli/CliOptions.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace kestrel::cli {
namespace {

using test::CliRun;
using test::RunCli;

TEST(ComposeCommandTest, PrintsTheJobBytesAsHex) {
  const CliRun backfeed = RunCli({"compose", "backfeed", "--backfeed", "-1"});
  EXPECT_EQ(backfeed.status, 0);
  EXPECT_EQ(backfeed.output, "1E 47 FF FF\n");
  const CliRun density = RunCli({"compose", "density", "--density", "8"});
  EXPECT_EQ(density.status, 0);
  EXPECT_EQ(density.output, "1B 4E 04 08\n");
  EXPECT_EQ(RunCli({"compose", "selflearn", "--paper=1"}).output, "1B 63 30 01 1D 6A 02 00\n");
  EXPECT_EQ(RunCli({"compose", "speed", "--speed", "240"}).output, "1F 55 20 F0 0A\n");
  EXPECT_EQ(RunCli({"compose", "printer-baud", "--printer-baud", "9600"}).output, "1B 4E 01 01\n");
}

TEST(ComposeCommandTest, WritesRawBytesToAFile) {
  test::TempDir dir;
  const std::string path = dir.path() + "/job.bin";
  const CliRun result = RunCli({"compose", "backfeed", "--backfeed", "300", "--output", path});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "");
  EXPECT_EQ(test::ReadText(path), std::string("\x1E\x47\x2C\x01", 4));
  EXPECT_EQ(RunCli({"compose", "backfeed", "--output", dir.path() + "/missing/job.bin"}).status, 1);
}

TEST(ComposeCommandTest, BadUsageExitsWithTwo) {
  const std::vector<std::vector<std::string>> rows = {{"compose"},
                                                      {"compose", "nosuchjob"},
                                                      {"compose", "density", "--density", "9"},
                                                      {"compose", "density", "--density", "0"},
                                                      {"compose", "density", "--density"},
                                                      {"compose", "backfeed", "--frobnicate", "1"},
                                                      {"compose", "backfeed", "extra"},
                                                      {"compose", "backfeed", "--port", "usb"},
                                                      {"compose", "backfeed", "--lang", "fr"},
                                                      {"compose", "backfeed", "--paper", "3"},
                                                      {"compose", "backfeed", "--size", "13"},
                                                      {"compose", "backfeed", "--barcode-type", "8"},
                                                      {"compose", "backfeed", "--at", "2024-02-30"},
                                                      {"compose", "backfeed", "--at", "2024-02-30 10:00:00"},
                                                      {"compose", "backfeed", "--aging=1"},
                                                      {"print", "backfeed"},
                                                      {"print", "backfeed", "--port", "usb", "--baud", "1234"},
                                                      {"print", "backfeed", "--port", "usb", "--output", "x"}};
  for (const auto& arguments : rows) {
    SCOPED_TRACE(testing::PrintToString(arguments));
    const CliRun result = RunCli(arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.output, "");
  }
}

TEST(ComposeCommandTest, NamesItsVersion) {
  EXPECT_EQ(RunCli({"--version"}).output, "kestrel-cli V" KESTREL_VERSION_TEXT "\n");
}

// Names outside ASCII reach the program and the file system unchanged.
TEST(ComposeCommandTest, WritesToAFileNamedInAnyLanguage) {
  test::TempDir dir;
  const std::string path = dir.path() + "/标签 é.bin";
  const CliRun result = RunCli({"compose", "density", "--density", "3", "--output", path});
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_EQ(test::ReadText(path), std::string("\x1B\x4E\x04\x03", 4));
}

TEST(ComposeCommandTest, PrintReportsAnUnreachablePort) {
  test::TempDir dir;
  EXPECT_EQ(RunCli({"print", "selftest", "--port", dir.path() + "/no-such-port"}).status, 1);
  EXPECT_EQ(RunCli({"print", "backfeed", "--port", dir.path() + "/no-such-port"}).status, 1);

  // A file named as the port is not a printer: refused and left as it was.
  const std::string notes = dir.path() + "/notes.txt";
  test::WriteText(notes, "keep me");
  const CliRun refused = RunCli({"print", "60x20", "--port", notes});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.error.find("not a serial port: " + notes), std::string::npos) << refused.error;
  EXPECT_EQ(test::ReadText(notes), "keep me");
}

TEST(CliOptionsTest, JobOptionsFillTheContext) {
  CliOptions options;
  OptionList accepted = JobOptions();
  accepted.push_back(OptionRow{"--interval", "MS", ""});
  accepted.push_back(OptionRow{"--once", "", ""});
  const std::optional<std::string> problem = ParseCliOptions({"60x50",
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
  ASSERT_EQ(problem, std::nullopt);
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
  EXPECT_TRUE(options.timeGiven);
  EXPECT_EQ(options.extras.at("--interval"), "500");
  EXPECT_EQ(options.extras.count("--once"), 1u);
}

TEST(CliOptionsTest, DefaultsAreTheWindowsStartUpValues) {
  CliOptions options;
  ASSERT_EQ(ParseCliOptions({}, JobOptions(), options), std::nullopt);
  EXPECT_EQ(options.codePage, 0);
  EXPECT_EQ(options.baud, "115200");
  EXPECT_EQ(options.context.settings.PaperType, 2);
  EXPECT_EQ(options.context.settings.BarcodeSystem, 73);
  EXPECT_EQ(options.context.densityIndex, 2);
  EXPECT_GT(options.context.now.tm_year, 100) << "the clock when --at is absent";
  EXPECT_FALSE(options.timeGiven);
}

TEST(CliOptionsTest, LocalTimeIsCheckedWhole) {
  std::tm time{};
  EXPECT_TRUE(ParseLocalTime("2023-12-31 00:00:00", &time));
  // The weekday and day of the year, for dates a time zone could move.
  struct DateRow {
    const char* text;
    int weekday;
    int yearDay;
  };
  for (const DateRow& row : {DateRow{"2024-03-05 14:07:09", 2, 64}, DateRow{"2023-12-31 23:59:59", 0, 364},
                             DateRow{"2024-12-31 00:00:00", 2, 365}, DateRow{"2000-02-29 12:00:00", 2, 59},
                             DateRow{"1900-01-01 00:00:00", 1, 0}}) {
    ASSERT_TRUE(ParseLocalTime(row.text, &time)) << row.text;
    EXPECT_EQ(time.tm_wday, row.weekday) << row.text;
    EXPECT_EQ(time.tm_yday, row.yearDay) << row.text;
  }
  for (const char* text :
       {"2023-02-29 00:00:00", "2023-13-01 00:00:00", "2023-12-31 24:00:00", "2023-12-31 00:60:00",
        "2023-12-31 00:00:00x", "2023-12-31T00:00:00", "2023-1-31 00:00:00", "1900-02-29 00:00:00", ""})
    EXPECT_FALSE(ParseLocalTime(text, &time)) << text;
}

}  // namespace
}  // namespace kestrel::cli

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/CliRunner.h"
#include "support/TestSupport.h"

// The CLI against the system's own special files: /dev/full, /dev/zero,
// /proc, sparse files.
namespace kestrel::test {
namespace {

TEST(CliSystemFilesTest, OutputThatCannotBeWrittenFails) {
  // Output larger than the C library's buffer fails while it is written, a
  // short one only at the final flush.
  const std::vector<std::vector<std::string>> rows = {{"compose", "80x60"}, {"compose", "backfeed"}, {"jobs"},
                                                      {"list-ports"},       {"dump", "backfeed"},    {"--version"},
                                                      {"--help"},           {"compose", "--help"}};
  for (const auto& arguments : rows) {
    SCOPED_TRACE(testing::PrintToString(arguments));
    const CliRun result = RunCli(arguments, "C", "/dev/full");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.error.find("cannot write the output: No space left on device"), std::string::npos) << result.error;
  }
}

TEST(CliSystemFilesTest, SendFilesAreReadNoFurtherThanTheConsoleTakes) {
  PtyPair pty;
  TempDir dir;
  const std::string huge = dir.path() + "/huge.txt";
  WriteText(huge, "");
  std::filesystem::resize_file(huge, 100'000'000);
  const struct {
    std::string file;
    const char* reason;
  } rows[] = {
      {dir.path(), "cannot read {}: Is a directory"},
      {"/proc/self/mem", "cannot read {}: Input/output error"},
      {"/dev/zero", "{} is longer than the console takes (24574 characters at most)"},
      {huge, "{} is longer than the console takes (24574 characters at most)"},
  };
  for (const auto& row : rows) {
    const CliRun result = RunCli({"send", "--port", pty.slavePath(), "--file", row.file});
    EXPECT_EQ(result.status, 2) << row.file;
    std::string reason = row.reason;
    reason.replace(reason.find("{}"), 2, row.file);
    EXPECT_NE(result.error.find("kestrel-cli: send: " + reason + "\n"), std::string::npos) << result.error;
  }
  EXPECT_TRUE(pty.Read(1, std::chrono::milliseconds(200)).empty());

  // Four bytes of UTF-8 that become one '?' in the code page: the longest
  // file that can still fit goes out whole, one byte more is refused.
  std::string faces;
  for (int i = 0; i < 24'574; ++i) faces += "\U0001F600";
  const std::string longest = dir.path() + "/faces.txt";
  WriteText(longest, faces);
  std::vector<std::uint8_t> arrived;
  std::thread reader([&] { arrived = pty.Read(24'574, std::chrono::seconds(60)); });
  CliRun result = RunCli({"send", "--port", pty.slavePath(), "--file", longest});
  reader.join();
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_EQ(arrived, std::vector<std::uint8_t>(24'574, '?'));
  WriteText(longest, faces + "x");
  result = RunCli({"send", "--port", pty.slavePath(), "--file", longest});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.error.find("longer than the console takes"), std::string::npos) << result.error;
}

// dump - and render - read stdin as they read a file: bounded, its errors
// named; a terminal with nothing piped in is told, not waited on.
TEST(CliSystemFilesTest, StreamsOnStdinAreBoundedAndATerminalIsNotWaitedOn) {
  TempDir dir;
  const std::string huge = dir.path() + "/huge.bin";
  WriteText(huge, "");
  std::filesystem::resize_file(huge, (64 << 20) + 1);
  PtyPair pty;
  const std::string picture = dir.path() + "/p.png";
  const struct {
    const char* command;
    std::string stdinPath;
    int status;
    const char* message;
  } rows[] = {
      {"dump", huge, 5, "stdin is larger than 64 MB"},
      {"render", huge, 5, "stdin is larger than 64 MB"},
      {"dump", dir.path(), 1, "cannot read stdin: Is a directory"},
      {"dump", "/dev/null", 0, ""},
      {"render", "/dev/null", 0, "no page was printed"},
      {"dump", pty.slavePath(), 2, "stdin is a terminal; pipe the bytes in"},
      {"render", pty.slavePath(), 2, "stdin is a terminal; pipe the bytes in"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.command) + " < " + row.stdinPath);
    std::vector<std::string> args = {row.command, "-"};
    if (std::string(row.command) == "render") args.insert(args.end(), {"--output", picture});
    const CliRun result = RunCli(args, "C", nullptr, row.stdinPath.c_str());
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.output, "");
    const std::string expected = *row.message ? "kestrel-cli: " + std::string(row.command) + ": " + row.message : "";
    EXPECT_EQ(result.error.substr(0, expected.size()), expected) << result.error;
  }
}

}  // namespace
}  // namespace kestrel::test

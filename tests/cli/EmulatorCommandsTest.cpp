#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "emulator/PngFile.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace kestrel::cli {
namespace {

using test::CliRun;
using test::RunCli;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

TEST(EmulatorCommandsTest, DumpListsEveryCommandAndItsProblems) {
  const CliRun job = RunCli({"dump", "80x60", "--lang", "en"});
  EXPECT_EQ(job.status, 0);
  const std::vector<std::string> lines = Lines(job.output);
  ASSERT_GT(lines.size(), 20u);
  EXPECT_EQ(lines[0], "00000000  1B 40" + std::string(48, ' ') + "ESC @  initialize");
  // The page the ESC FF printed follows it, with what drew on it.
  const auto printed =
      std::find(lines.begin(), lines.end(), "00000F16  1B 0C" + std::string(48, ' ') + "ESC FF  print the page");
  ASSERT_LT(printed + 2, lines.end());
  EXPECT_EQ(printed[1], "-- page 1: 576 x 464 dots");
  EXPECT_EQ(printed[2], "--   drawn: ESC l x2, ESC m x1, GS k x1, GS v 0 x5, text x9");
  EXPECT_EQ(lines.back().rfind("--   ", 0), 0u) << lines.back();

  test::TempDir dir;
  const std::string path = dir.path() + "/user.bin";
  test::WriteText(path, std::string("\x1B\x40"
                                    "AB\x1B\x99\n\x1D\x76\x30\x00\x01",
                                    12));
  const CliRun file = RunCli({"dump", path});
  EXPECT_EQ(file.status, 1);
  const std::vector<std::string> fileLines = Lines(file.output);
  ASSERT_EQ(fileLines.size(), 7u) << file.output;  // and the strip the line feed printed, at the end
  EXPECT_EQ(fileLines[5], "-- page 1: 576 x 30 dots");
  EXPECT_EQ(fileLines[6], "--   drawn: text x1");
  EXPECT_EQ(fileLines[2], "00000004  1B 99" + std::string(48, ' ') + "!! unknown command 1B 99");
  EXPECT_EQ(fileLines[4].substr(0, 9), "00000007 ");
  EXPECT_NE(fileLines[4].find("!! cut short"), std::string::npos);
  EXPECT_EQ(RunCli({"dump", dir.path() + "/missing.bin"}).status, 1);
}

// preview names one picture FILE.png and several FILE-1.png, FILE-2.png, ...
TEST(EmulatorCommandsTest, PreviewAndRenderWritePictures) {
  test::TempDir dir;
  const CliRun one = RunCli({"preview", "60x30", "--output", dir.path() + "/l.png"});
  EXPECT_EQ(one.status, 0) << one.error;
  EXPECT_EQ(one.output, "page 1: 480 x 224 dots, " + dir.path() + "/l.png\n");
  emu::Canvas picture;
  std::string error;
  ASSERT_TRUE(emu::ReadPng(dir.path() + "/l.png", &picture, &error)) << error;
  EXPECT_EQ(picture.width(), 480);  // the frame spans the whole 60 mm label
  EXPECT_FALSE(picture.blank());

  const CliRun copies = RunCli({"preview", "60x30", "--copies", "2", "--output", dir.path() + "/q.png"});
  EXPECT_EQ(copies.status, 0) << copies.error;
  EXPECT_EQ(Lines(copies.output), (std::vector<std::string>{"page 1: 480 x 224 dots, " + dir.path() + "/q-1.png",
                                                            "page 2: 480 x 224 dots, " + dir.path() + "/q-2.png"}));

  // A user's file in standard mode: a strip as wide as the head asked for.
  const std::string bytes = dir.path() + "/text.bin";
  test::WriteText(bytes, "Hello\n");
  const CliRun strip = RunCli({"render", bytes, "--width", "384", "--output", dir.path() + "/s.png"});
  EXPECT_EQ(strip.status, 0) << strip.error;
  EXPECT_EQ(strip.output, "page 1: 384 x 30 dots, " + dir.path() + "/s.png\n");

  const CliRun unwritable = RunCli({"render", bytes, "--output", dir.path() + "/missing/s.png"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.error.find("missing/s.png"), std::string::npos);
}

TEST(EmulatorCommandsTest, BadUsageExitsWithTwo) {
  const std::vector<std::vector<std::string>> rows = {
      {"dump"},
      {"dump", "a", "b"},
      {"render", "x.bin"},
      {"preview", "60x30"},
      {"preview", "nosuchjob", "--output", "x.png"},
      {"render", "x.bin", "--width", "4", "--output", "x.png"},
      {"preview", "60x30", "--width", "wide", "--output", "x.png"},
  };
  for (const auto& row : rows) EXPECT_EQ(RunCli(row).status, 2) << row[0] << " " << row.size();
}

}  // namespace
}  // namespace kestrel::cli

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
  EXPECT_EQ(file.status, 4);
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

// Each status means one thing: 0 done (a stream that prints nothing too, with
// the message), 1 a picture not written, 4 problems in the stream, 5 a limit.
TEST(EmulatorCommandsTest, ExitStatusesOfTheVirtualPrinter) {
  test::TempDir dir;
  const struct {
    const char* name;
    std::string bytes;
    std::vector<std::string> args;  // after the file
    int status;
    const char* said;
  } rows[] = {
      {"empty", "", {}, 0, "no page was printed"},
      {"settings only", "\x1B\x40\x1B\x4E\x04\x08", {}, 0, "no page was printed"},
      {"nothing but an unknown command", "\x1B\x99", {}, 4, "no page was printed"},
      {"a page and a problem", "Hello\n\x1B\x99", {}, 4, "unknown command 1B 99"},
      {"a folder that is missing", "Hello\n", {"--output", dir.path() + "/none/x.png"}, 1, "none/x.png"},
      {"three pages past a limit of two", "A\fB\fC\f", {"--max-pages", "2"}, 5, "(--max-pages 2) reached"},
      {"a limit of nothing", "A\n", {"--max-pages", "0"}, 2, "--max-pages"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = dir.path() + "/stream.bin";
    test::WriteText(path, row.bytes);
    std::vector<std::string> args = {"render", path};
    args.insert(args.end(), row.args.begin(), row.args.end());
    if (row.args.empty() || row.args[0] != "--output") args.insert(args.end(), {"--output", dir.path() + "/p.png"});
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, row.status) << run.error;
    EXPECT_NE(run.error.find(row.said), std::string::npos) << run.error;
    const CliRun dump = RunCli({"dump", path});
    EXPECT_EQ(dump.status, row.bytes.find('\x99') == std::string::npos ? 0 : 4);
  }
}

// A long run's capture renders whole: each page is written as it is printed,
// none waits in memory to be dropped.
TEST(EmulatorCommandsTest, ThreeHundredLabelsRenderThreeHundredPictures) {
  test::TempDir dir;
  const std::string one = dir.path() + "/one.bin";
  ASSERT_EQ(RunCli({"compose", "80x60", "--output", one}).status, 0);
  std::string many;
  for (int i = 0; i < 300; ++i) many += test::ReadText(one);
  test::WriteText(dir.path() + "/many.bin", many);
  const CliRun run = RunCli({"render", dir.path() + "/many.bin", "--output", dir.path() + "/p.png"});
  EXPECT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.error, "");
  const std::vector<std::string> lines = Lines(run.output);
  ASSERT_EQ(lines.size(), 300u);
  EXPECT_EQ(lines.back(), "page 300: 576 x 464 dots, " + dir.path() + "/p-300.png");
  emu::Canvas last;
  std::string error;
  EXPECT_TRUE(emu::ReadPng(dir.path() + "/p-300.png", &last, &error)) << error;
}

// "-" reads the stream from stdin: the same lines and pictures as from a file
// of the same bytes.
TEST(EmulatorCommandsTest, DashReadsTheStreamFromStdin) {
  test::TempDir dir;
  const std::string path = dir.path() + "/label.bin";
  ASSERT_EQ(RunCli({"compose", "60x20", "--lang", "en", "--output", path}).status, 0);
  const struct {
    std::vector<std::string> fromFile;
    std::vector<std::string> fromStdin;
  } rows[] = {
      {{"dump", path}, {"dump", "-"}},
      {{"render", path, "--output", "-"}, {"render", "-", "--output", "-"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fromStdin[0]);
    const CliRun file = RunCli(row.fromFile);
    const CliRun piped = RunCli(row.fromStdin, "C", nullptr, path.c_str());
    EXPECT_EQ(piped.status, 0) << piped.error;
    EXPECT_FALSE(piped.output.empty());
    EXPECT_TRUE(piped.output == file.output) << "the output from stdin differs from the file's";
    EXPECT_EQ(piped.error, file.error);
  }
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

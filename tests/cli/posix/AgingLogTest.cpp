#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace kestrel {
namespace {

using test::CliRun;
using test::PtyPair;
using test::RunCli;
using test::TempDir;

constexpr const char* kHeader = "time,tick,bytes,result,reason";

// The log's lines after its header, with the time (ISO 8601 with the zone's
// offset) checked and cut off: "1,4,sent,".
std::vector<std::string> LogLines(const std::string& path) {
  static const std::regex stamped(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d,(.*)$)");
  std::vector<std::string> lines;
  std::istringstream text(test::ReadText(path));
  for (std::string line; std::getline(text, line);) {
    if (line == kHeader) continue;
    std::smatch match;
    lines.push_back(std::regex_match(line, match, stamped) ? match[1].str() : "unstamped: " + line);
  }
  return lines;
}

TEST(AgingLogTest, EachTickIsALineAndARunEndsWithItsSummaryAppended) {
  PtyPair pty;
  TempDir dir;
  const std::string log = dir.path() + "/run.csv";
  const std::vector<std::string> args = {"aging",      "beeper", "--port", pty.slavePath(),
                                         "--interval", "10",     "--log",  log};
  std::vector<std::string> threeTicks = args;
  threeTicks.insert(threeTicks.end(), {"--ticks", "3"});
  const CliRun first = RunCli(threeTicks);
  ASSERT_EQ(first.status, 0) << first.error;
  EXPECT_EQ(test::ReadText(log).rfind(std::string(kHeader) + "\n", 0), 0u) << "a new log starts with its header";
  EXPECT_BYTES(pty.Read(12), "1B 42 03 02 1B 42 03 02 1B 42 03 02");
  EXPECT_EQ(LogLines(log),
            (std::vector<std::string>{"1,4,sent,", "2,4,sent,", "3,4,sent,", "end,12,done,3 of 3 ticks sent"}));

  // A second run appends; its ticks count from 1 again.
  std::vector<std::string> oneTick = args;
  oneTick.insert(oneTick.end(), {"--ticks", "1"});
  ASSERT_EQ(RunCli(oneTick).status, 0);
  EXPECT_EQ(LogLines(log).size(), 6u);
  EXPECT_EQ(test::ReadText(log).find(kHeader, 1), std::string::npos) << "one header";
  EXPECT_EQ(LogLines(log).back(), "end,4,done,1 of 1 ticks sent");
}

TEST(AgingLogTest, AFailedTickRecordsItsReasonAsOneField) {
  TempDir dir;
  const std::string log = dir.path() + "/run.csv";
  // The reason is the cause, the one stderr gives too; the comma in the
  // port's name stays inside the quoted field.
  const std::string port = dir.path() + "/no,port";
  const CliRun run = RunCli({"aging", "60x40", "--port", port, "--lang", "zh", "--log", log});
  EXPECT_EQ(run.status, 1);
  const std::string reason = "cannot open " + port + ": No such file or directory";
  EXPECT_EQ(LogLines(log),
            (std::vector<std::string>{"1,0,not-connected,\"" + reason + "\"", "end,0,stopped,0 of 1 ticks sent"}));
  EXPECT_EQ(run.error, "kestrel-cli: aging: tick 1: " + reason + "; the run is stopped\n");
}

TEST(AgingLogTest, AnUnwritableLogIsRefusedBeforeThePrinterIsTouched) {
  PtyPair pty;
  TempDir dir;
  const CliRun run = RunCli({"aging", "beeper", "--port", pty.slavePath(), "--log", dir.path() + "/missing/run.csv"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.error.find("cannot open the log"), std::string::npos) << run.error;
  EXPECT_TRUE(pty.Read(1, std::chrono::milliseconds(200)).empty());
}

// A run killed without warning leaves every tick it finished, and one stopped
// with Ctrl+C also its summary.
TEST(AgingLogTest, ALineIsOnDiskAsSoonAsItsTickEnds) {
  PtyPair pty;
  TempDir dir;
  for (const int signal : {SIGKILL, SIGINT}) {
    SCOPED_TRACE(signal);
    const std::string log = dir.path() + "/run" + std::to_string(signal) + ".csv";
    const pid_t child = fork();
    if (child == 0) {
      execl(KESTREL_CLI_PATH, KESTREL_CLI_PATH, "aging", "beeper", "--port", pty.slavePath().c_str(), "--interval",
            "50", "--log", log.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (LogLines(log).size() < 2 && std::chrono::steady_clock::now() < limit)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(child, signal);
    int status = 0;
    waitpid(child, &status, 0);
    const std::vector<std::string> lines = LogLines(log);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "1,4,sent,");
    EXPECT_EQ(lines[1], "2,4,sent,");
    if (signal == SIGINT) {
      EXPECT_EQ(lines.back().rfind("end,", 0), 0u) << lines.back();
      EXPECT_NE(lines.back().find(",interrupted,"), std::string::npos) << lines.back();
    }
    std::vector<std::uint8_t> drained;
    pty.ReadAvailable(drained, 20);
  }
}

}  // namespace
}  // namespace kestrel

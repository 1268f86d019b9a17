#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "commands/JobSettings.h"
#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "link/LinkTestSupport.h"
#include "link/PrinterLink.h"
#include "operations/AgingTest.h"
#include "support/CliRunner.h"

namespace kestrel {
namespace {

using test::FakeLinkHost;
using test::FakePortDiscovery;
using test::PtyPair;

// Records what a tick asks of its owner, in order.
class RecordingAgingHost : public AgingHost {
 public:
  void StopAging() override { events.push_back("stop"); }
  void CountSuccessfulSend() override {
    ++count;
    events.push_back("count " + std::to_string(count));
  }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    events.push_back(caption + ": " + text);
  }

  std::uint32_t count = 0;
  std::vector<std::string> events;
};

TEST(AgingIntervalTest, EmptyNonNumericZeroAndNegativeRunEveryFiveSeconds) {
  const struct {
    const char* text;
    std::int32_t interval;
  } rows[] = {
      {"", 5000}, {"0", 5000}, {"-5", 5000}, {"abc", 5000}, {"3000", 3000}, {"1", 1}, {" 250", 250}, {"12ab", 12},
  };
  for (const auto& row : rows) EXPECT_EQ(AgingInterval(row.text), row.interval) << '"' << row.text << '"';
}

class AgingTickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadTranslations(936);
    JobSettings = {};
    JobSettings.PortKind = 1;
    link_.aging = true;
    context_.agingRunning = true;
    context_.now = test::FixedTime();
  }

  AgingTickResult Tick(const std::string& port, const char* jobName = "60x20") {
    link_.SelectSerial(port);
    return RunAgingTick(printer_, *FindJob(jobName), context_, host_);
  }

  FakeLinkHost link_;
  FakePortDiscovery ports_;
  PrinterLink printer_{link_, ports_};
  RecordingAgingHost host_;
  JobContext context_;
};

TEST_F(AgingTickTest, EachTickSendsTheLabelWithoutCopiesAndCountsOnce) {
  PtyPair pty;
  for (std::uint32_t tick = 1; tick <= 3; ++tick) {
    ASSERT_EQ(Tick(pty.slavePath()), AgingTickResult::kSent);
    EXPECT_EQ(host_.count, tick);
    const std::vector<std::uint8_t> composed = test::Composed();
    ASSERT_GT(composed.size(), 6u);
    EXPECT_TRUE(test::BytesEqual(pty.Read(composed.size()), composed));
    // The 60 x 20 label while aging: no US U 8 between ESC @ and ESC c 0.
    EXPECT_BYTES(std::vector<std::uint8_t>(composed.begin(), composed.begin() + 6), "1B 40 1B 63 30 02");
  }
  EXPECT_EQ(host_.events, (std::vector<std::string>{"count 1", "count 2", "count 3"}));
  EXPECT_TRUE(link_.messages.empty());
}

TEST_F(AgingTickTest, MissingPortStopsBeforeTheConnectionMessageAndTheLinkStaysQuiet) {
  EXPECT_EQ(Tick("/nonexistent/ttyUSB7"), AgingTickResult::kNotConnected);
  EXPECT_EQ(host_.events, (std::vector<std::string>{"stop", "Kestrel: 连接失败,已停止发送"}));
  EXPECT_TRUE(link_.messages.empty());  // no "此端口被占用或已损坏" while aging
}

test::CliRun RunAgingCli(std::vector<std::string> args) {
  args.insert(args.begin(), "aging");
  return test::RunCli(args);
}

TEST(AgingCommandTest, CountsEachSendAndStopsAfterTheTicks) {
  PtyPair pty;
  const test::CliRun run = RunAgingCli({"beeper", "--port", pty.slavePath(), "--interval", "10", "--ticks", "3"});
  EXPECT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.output,
            "tick 1: 4 bytes sent\ntick 2: 4 bytes sent\ntick 3: 4 bytes sent\ndone: 3 of 3 ticks sent, 12 bytes\n");
  EXPECT_BYTES(pty.Read(12), "1B 42 03 02 1B 42 03 02 1B 42 03 02");
}

// The failure is told once, by its cause, whatever the language.
TEST(AgingCommandTest, MissingPortStopsWithItsReasonAndBadUsageIsRefused) {
  for (const char* language : {"zh", "en"}) {
    const test::CliRun run = RunAgingCli({"60x40", "--port", "/nonexistent/ttyUSB7", "--lang", language});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "tick 1: not connected\nstopped: 0 of 1 ticks sent, 0 bytes\n");
    EXPECT_EQ(run.error,
              "kestrel-cli: aging: tick 1: cannot open /nonexistent/ttyUSB7: No such file or directory; the run is "
              "stopped\n");
  }

  EXPECT_EQ(RunAgingCli({"60x40", "--port", "/dev/null", "--ticks", "0"}).status, 2);
  EXPECT_EQ(RunAgingCli({"60x40", "--ticks", "2"}).status, 2);
  EXPECT_EQ(RunAgingCli({"nolabel", "--port", "/dev/null"}).status, 2);
}

}  // namespace
}  // namespace kestrel

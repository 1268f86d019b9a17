#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "commands/JobSettings.h"
#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "link/LinkTestSupport.h"
#include "link/PrinterLink.h"
#include "operations/AgingTest.h"

namespace kestrel {
namespace {

using test::FakeLinkHost;
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
      {"", 5000}, {"0", 5000},   {"-5", 5000}, {"abc", 5000}, {"3000", 3000},
      {"1", 1},   {" 250", 250}, {"12ab", 12}, {"00", 5000},  {"99999999999", 2147483647},
  };
  for (const auto& row : rows) EXPECT_EQ(AgingInterval(row.text), row.interval) << '"' << row.text << '"';
}

TEST(AgingLabelJobTest, SizeListItemsMapToTheLabelJobsInOrder) {
  const struct {
    int index;
    const char* job;
  } rows[] = {{0, "60x20"}, {2, "60x40"}, {4, "58x20"}, {7, "58x50"}, {8, "80x20"}, {12, "80x60"}};
  for (const auto& row : rows) {
    const NamedJob* job = AgingLabelJob(row.index);
    ASSERT_NE(job, nullptr) << row.index;
    EXPECT_STREQ(job->name, row.job);
  }
  EXPECT_EQ(AgingLabelJob(-1), nullptr);
  EXPECT_EQ(AgingLabelJob(13), nullptr);
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
  PrinterLink printer_{link_};
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

TEST_F(AgingTickTest, WriteThatDoesNotGoOutStopsBeforeTheSendMessageInEnglishToo) {
  // A FIFO that the test holds open and has filled: the port opens, but the
  // line takes no more bytes, so the write runs out of time.
  test::TempDir dir;
  const std::string fifo = dir.path() + "/ttyStalled";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int holder = open(fifo.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(holder, 0);
  const std::vector<std::uint8_t> filler(4096, 0x55);
  while (write(holder, filler.data(), filler.size()) > 0) {
  }

  LoadTranslations(1252);
  EXPECT_EQ(Tick(fifo, "80x20"), AgingTickResult::kSendFailed);
  EXPECT_EQ(host_.events, (std::vector<std::string>{"stop", "Kestrel: Sending failed. Sending has stopped"}));
  EXPECT_EQ(host_.count, 0u);
  close(holder);
}

}  // namespace
}  // namespace kestrel

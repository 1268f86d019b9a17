#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "version/Version.h"
#include "window/ControllerTestSupport.h"
#include "window/JobPreview.h"

namespace kestrel::test {

const std::string& DeviceOf(const PtyPair& line) { return line.slavePath(); }

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

// The printer at the end of a pseudo-terminal that the test reads when it
// chooses: a printer that stops reading, reads slowly or goes away.
class HeldLineTest : public ControllerTestOn<PtyPair> {
 protected:
  void SetUp() override {
    ControllerTestOn<PtyPair>::SetUp();
    SelectLine();
  }
  void TearDown() override { StopReading(); }

  // From `after` on, a thread reads `piece` bytes every 10 ms into received_.
  void ReadSlowly(std::chrono::milliseconds after, std::size_t piece) {
    reader_ = std::thread([this, after, piece] {
      std::this_thread::sleep_for(after);
      while (!stopReading_) {
        const Bytes read = line_.Read(piece, 20ms);
        received_.insert(received_.end(), read.begin(), read.end());
        std::this_thread::sleep_for(10ms);
      }
    });
  }
  // Stops the reader and takes what is left on the line.
  void StopReading() {
    stopReading_ = true;
    if (reader_.joinable()) reader_.join();
    for (std::size_t before = 1; before != received_.size();) {
      before = received_.size();
      line_.ReadAvailable(received_, 100);
    }
  }
  // The composed job's bytes as a job button composes them now.
  Bytes Compose(const char* name) {
    BeginJob();
    FindJob(name)->compose(controller_.CurrentJobContext());
    return Composed();
  }

  Bytes received_;
  std::atomic<bool> stopReading_ = false;
  std::thread reader_;
};

// An operator closed the window 0.6 s into 50 copies of a 16 KB text: the
// copy going out finishes, no other starts, and the printer gets whole copies.
TEST_F(HeldLineTest, ClosingDuringAMultiCopySendLetsTheCopyGoingOutFinish) {
  const std::size_t filled = line_.Stall();
  std::string text;
  while (text.size() < 16384) text += "0123456789ABCDEF";
  window_.controls.SetText(kConsoleBox, text);
  window_.controls.SetText(kConsoleCountEdit, "50");
  Click(kConsoleSendButton);
  ReadSlowly(0ms, 1024);  // about 100 KB a second: a copy takes 0.16 s
  window_.HandleEventsUntil([] { return false; }, 600ms);
  controller_.Shutdown();
  StopReading();

  ASSERT_GE(received_.size(), filled);
  const std::size_t sent = received_.size() - filled;
  EXPECT_EQ(sent % text.size(), 0u) << static_cast<double>(sent) / static_cast<double>(text.size()) << " copies";
  EXPECT_GE(sent / text.size(), 1u);
  EXPECT_LT(sent / text.size(), 50u);
}

TEST_F(HeldLineTest, ClosingWhileALabelGoesOutLetsItOutWhole) {
  const std::size_t filled = line_.Stall();
  const Bytes label = Compose("80x60");
  Click(k80x60Button);
  ASSERT_TRUE(controller_.Sending());
  ReadSlowly(300ms, 4096);  // the printer reads again only once the close has begun
  controller_.Shutdown();
  StopReading();

  ASSERT_EQ(received_.size(), filled + label.size());
  EXPECT_BYTES(Bytes(received_.begin() + static_cast<std::ptrdiff_t>(filled), received_.end()), label);
  EXPECT_EQ(window_.sendingShown, std::vector<bool>{true});  // the window had gone: nothing applied
}

// The write of a label reads the send buffer until the label is out: a
// preview asked for meanwhile composes nothing, and the printer gets the
// label it was sent.
TEST_F(HeldLineTest, APreviewWhileALabelGoesOutLeavesItWhole) {
  const std::size_t filled = line_.Stall();
  const Bytes label = Compose("60x20");
  Click(k60x20Button);
  ASSERT_TRUE(controller_.Sending());
  EXPECT_FALSE(ComposePreview(controller_, "80x60"));
  ReadSlowly(0ms, 4096);
  FinishSending();
  StopReading();

  ASSERT_EQ(received_.size(), filled + label.size());
  EXPECT_BYTES(Bytes(received_.begin() + static_cast<std::ptrdiff_t>(filled), received_.end()), label);
  EXPECT_EQ(ComposePreview(controller_, "60x20"), label);
}

// The line is full: nothing of the label has left yet.
TEST_F(HeldLineTest, TitleShowsTheShareSentWhileALabelGoesOut) {
  line_.Stall();
  const std::string idle = "Kestrel - " + GetVersionText();
  EXPECT_EQ(controller_.ProgressTitle(), idle);
  Click(k80x60Button);
  EXPECT_EQ(controller_.ProgressTitle(), idle + " - 发送中 0%");
  EXPECT_EQ(window_.sendingShown, std::vector<bool>{true});
  ReadSlowly(0ms, 4096);
  FinishSending();
  EXPECT_EQ(controller_.ProgressTitle(), idle);
  EXPECT_EQ(window_.sendingShown, (std::vector<bool>{true, false}));
}

TEST_F(HeldLineTest, AgingStopsAtTheNextTickOnceThePrinterSideIsGone) {
  window_.controls.SetText(kIntervalEdit, "30");
  Click(kAgingStartButton);
  FinishSending();
  controller_.OnAgingTimer();
  FinishSending();
  ASSERT_EQ(controller_.SendCount, 2u);

  // The other side going away removes the port, so the tick's reopen fails.
  line_.Close();
  controller_.OnAgingTimer();
  FinishSending();
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_EQ(window_.messages[0].text, "连接失败,已停止发送");
  EXPECT_FALSE(window_.agingTimer);
  EXPECT_TRUE(window_.EveryControlEnabled());
  EXPECT_EQ(controller_.SendCount, 2u);
}

// A line whose printer stopped reading and which is full: the port opens at
// every tick, but the write cannot go out within its time limit.
TEST_F(HeldLineTest, AgingOnALineThatTakesNoMoreBytesStopsWithTheSendMessage) {
  line_.Stall();
  bool stoppedFirst = false;
  window_.onMessage = [&](const FakeWindowHost::Message&) {
    stoppedFirst = !window_.agingTimer && window_.EveryControlEnabled();
  };
  Click(kAgingStartButton);
  ASSERT_TRUE(window_.HandleEventsUntil([&] { return !window_.messages.empty(); }, 10s));
  EXPECT_EQ(window_.messages[0].caption, "Kestrel");
  EXPECT_EQ(window_.messages[0].text, "发送失败,已停止发送");
  EXPECT_TRUE(stoppedFirst);
  EXPECT_FALSE(controller_.AgingRunning());
  EXPECT_EQ(*window_.controls.Text(kSendCountDisplay), "0");
}

}  // namespace
}  // namespace kestrel::test

#include <algorithm>
#include <string>
#include <vector>

#include "commands/SendBuffer.h"
#include "window/ControllerTestSupport.h"

namespace kestrel::test {
namespace {

class AgingPanelTest : public ControllerTest {
 protected:
  // The window's timer expires once and the tick's write goes out.
  void Tick() {
    controller_.OnAgingTimer();
    FinishSending();
  }
  std::vector<int> EnabledIds() const {
    std::vector<int> enabled;
    for (const auto& [id, control] : window_.controls.controls)
      if (control.enabled) enabled.push_back(id);
    return enabled;
  }
  std::string Count() const { return *window_.controls.Text(kSendCountDisplay); }

  // Each message box with whether the run had stopped, with every control
  // enabled again, when it showed.
  void RecordMessages() {
    window_.onMessage = [this](const FakeWindowHost::Message&) {
      stoppedFirst_.push_back(!window_.agingTimer && window_.EveryControlEnabled());
    };
  }
  std::vector<bool> stoppedFirst_;
};

TEST_F(AgingPanelTest, SendsAreCountedOneByOneWithoutCopiesWhileOnlyStopIsEnabled) {
  SelectLine();
  Type(kIntervalEdit, "30");
  Pick(kAgingSizeList, 0);  // 60mm * 20mm

  // The first label goes out at Start, without waiting one interval, and
  // counts once its write has ended.
  Click(kAgingStartButton);
  EXPECT_TRUE(controller_.Sending());
  EXPECT_EQ(Count(), "0");
  FinishSending();
  EXPECT_EQ(controller_.SendCount, 1u);
  EXPECT_TRUE(controller_.AgingRunning());
  EXPECT_EQ(window_.agingTimer, 30);
  EXPECT_EQ(EnabledIds(), std::vector<int>{kAgingStopButton});

  Tick();
  Tick();
  Click(kAgingStopButton);
  EXPECT_FALSE(controller_.AgingRunning());
  EXPECT_FALSE(window_.agingTimer);
  EXPECT_TRUE(window_.EveryControlEnabled());
  EXPECT_EQ(controller_.SendCount, 3u);
  EXPECT_EQ(Count(), "3");
  const std::vector<std::uint8_t> label = Composed();
  const std::string wire = line_.Received(3 * label.size());
  ASSERT_EQ(wire.size(), 3 * label.size());
  EXPECT_BYTES(std::vector<std::uint8_t>(wire.begin(), wire.begin() + label.size()), label);
  EXPECT_EQ(wire.substr(0, 6), "\x1B\x40\x1B\x63\x30\x02");
  EXPECT_EQ(wire.find("\x1F\x55\x38"), std::string::npos);  // no copies command

  // Start goes on counting; Reset while stopped shows 0.
  Click(kAgingStartButton);
  FinishSending();
  EXPECT_EQ(controller_.SendCount, 4u);
  Click(kAgingStopButton);
  Click(kResetCountButton);
  EXPECT_EQ(Count(), "0");
  EXPECT_EQ(controller_.SendCount, 0u);
  EXPECT_TRUE(window_.messages.empty());
}

// "USB" is selected and no USB printer is listed; the port's own warning
// stays quiet while aging.
TEST_F(AgingPanelTest, NoPrinterStopsAtTheFirstTickWithEveryControlEnabledAndTheCountKept) {
  controller_.SendCount = 7;
  RecordMessages();
  Click(kAgingStartButton);

  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_EQ(window_.messages[0].caption, "Kestrel");
  EXPECT_EQ(window_.messages[0].text, "连接失败,已停止发送");
  EXPECT_EQ(stoppedFirst_, std::vector<bool>{true});
  EXPECT_FALSE(controller_.AgingRunning());
  EXPECT_FALSE(window_.agingTimer);
  EXPECT_EQ(controller_.SendCount, 7u);
}

// A tick that comes while a write is still going out follows once it ends;
// a start while a job goes out is refused.
TEST_F(AgingPanelTest, TickDuringAWriteFollowsItAndStartIsRefusedWhileSending) {
  SelectLine();
  Click(k60x20Button);
  ASSERT_TRUE(controller_.Sending());
  Click(kAgingStartButton);
  EXPECT_FALSE(controller_.AgingRunning());
  FinishSending();

  Click(kAgingStartButton);
  ASSERT_TRUE(controller_.Sending());
  controller_.OnAgingTimer();  // due while the first label goes out
  ASSERT_TRUE(window_.HandleEventsUntil([this] { return controller_.SendCount == 2 && !controller_.Sending(); }));
  Click(kAgingStopButton);
  EXPECT_EQ(Count(), "2");
}

}  // namespace
}  // namespace kestrel::test

#include <windows.h>

#include <ctime>

#include "commands/NamedJob.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"
#include "win32ui/WindowTestSupport.h"
#include "window/ControlIds.h"
#include "window/JobButtons.h"
#include "window/MainWindowJobs.h"

namespace kestrel::test {
namespace {

std::string AtOption(const std::tm& time) {
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &time);
  return text;
}

// What `kestrel-cli compose` gives for a job with the options that stand for
// the window's controls in these tests.
std::vector<std::uint8_t> ComposedByCli(const std::string& job, const std::tm& time) {
  TempDir folder;
  const std::string output = folder.path() + "/job.bin";
  const CliRun run = RunCli({"compose", job, "--lang", "zh", "--copies", "3", "--backfeed", "-1", "--at",
                             AtOption(time), "--output", output});
  EXPECT_EQ(run.status, 0) << run.error;
  const std::string bytes = ReadText(output);
  return {bytes.begin(), bytes.end()};
}

// The window with a COM port of the Wine prefix picked as its printer's line.
class SerialLineTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(port_.Ready()) << "no pseudo-terminal behind " << port_.Name();
    SelectPort(port_.Name());
  }

  CapturedComPort port_;
};

// Pressed in the window, each button's job reaches the printer whole, built
// from what the window's controls hold, byte for byte as `kestrel-cli
// compose` gives it for the same values; no button needs Connect first.
TEST_F(SerialLineTest, EveryJobButtonPutsItsJobOnTheLine) {
  SetDlgItemTextW(Window(), kCopiesEdit, L"3");     // copies
  SetDlgItemTextW(Window(), kBackfeedEdit, L"-1");  // backfeed
  ModalWatcher watcher;
  for (const JobButton& button : JobButtons()) {
    SCOPED_TRACE(std::string(button.job) + " on button " + std::to_string(button.id));
    port_.Clear();
    Click(Window(), button.id);
    // The write reads SendBuffer until it ends; only then is it composed again here.
    ASSERT_TRUE(PumpUntil([this] { return !dialog_->Controller().Sending(); }));
    const JobContext context = ReadJobContext(dialog_->Controls(), false);
    FindJob(button.job)->compose(context);
    const std::vector<std::uint8_t> expected = Composed();
    ASSERT_FALSE(expected.empty());
    EXPECT_BYTES(ComposedByCli(button.job, context.now), expected);
    std::vector<std::uint8_t> wire = port_.Read(expected.size());
    PumpMessages(30);  // nothing more follows
    wire = port_.Read(wire.size() + 1, 0);
    EXPECT_BYTES(wire, expected);
    EXPECT_TRUE(dialog_->Controller().Link().Connected());
  }
  EXPECT_TRUE(watcher.Seen().empty()) << watcher.Texts().front();
}

// Connect opens the port and locks the port lists until Disconnect.
TEST_F(SerialLineTest, ConnectTogglesTheCaptionAndThePortLists) {
  Click(Window(), kConnectButton);
  EXPECT_TRUE(dialog_->Controller().Link().Connected());
  EXPECT_EQ(ItemText(Window(), kConnectButton), "断开");
  EXPECT_FALSE(IsWindowEnabled(Item(kPortList)));
  EXPECT_FALSE(IsWindowEnabled(Item(kBaudList)));
  Click(Window(), kConnectButton);
  EXPECT_FALSE(dialog_->Controller().Link().Connected());
  EXPECT_EQ(ItemText(Window(), kConnectButton), "连接");
  EXPECT_TRUE(IsWindowEnabled(Item(kPortList)));
  EXPECT_TRUE(IsWindowEnabled(Item(kBaudList)));
}

// Window timer 1 sends the chosen label without its copies command and counts
// each send; stop ends the run, reset clears the count.
TEST_F(SerialLineTest, AgingSendsAndCountsUntilStopped) {
  SetDlgItemTextW(Window(), kIntervalEdit, L"100");
  PickListItem(Window(), kAgingSizeList, 0);
  Click(Window(), kAgingStartButton);
  EXPECT_TRUE(dialog_->Controller().AgingRunning());
  EXPECT_FALSE(IsWindowEnabled(Item(kAgingStartButton)));
  EXPECT_TRUE(IsWindowEnabled(Item(kAgingStopButton)));
  EXPECT_TRUE(PumpUntil([this] { return dialog_->Controller().SendCount >= 3; }));
  Click(Window(), kAgingStopButton);
  // A label still going out when the run stopped is counted when it has left.
  ASSERT_TRUE(PumpUntil([this] { return !dialog_->Controller().Sending(); }));
  const std::uint32_t sent = dialog_->Controller().SendCount;
  EXPECT_EQ(ItemText(Window(), kSendCountDisplay), std::to_string(sent));

  FindJob("60x20")->compose(ReadJobContext(dialog_->Controls(), true));
  const std::vector<std::uint8_t> label = Composed();
  const std::vector<std::uint8_t> wire = port_.Read(label.size() * sent);
  ASSERT_EQ(wire.size(), label.size() * sent);
  EXPECT_BYTES(std::vector<std::uint8_t>(wire.end() - label.size(), wire.end()), label);
  PumpMessages(300);
  EXPECT_EQ(dialog_->Controller().SendCount, sent);
  EXPECT_TRUE(IsWindowEnabled(Item(kAgingStartButton)));
  Click(Window(), kResetCountButton);
  EXPECT_EQ(ItemText(Window(), kSendCountDisplay), "0");
}

// Two copies and more go out from the console's worker, which reads the
// controls through the window's thread.
TEST_F(SerialLineTest, ConsoleSendsTheTextTheChosenNumberOfTimes) {
  SetDlgItemTextW(Window(), kConsoleBox, L"AB\r\nC");
  SetDlgItemTextW(Window(), kConsoleCountEdit, L"3");
  Click(Window(), kConsoleSendButton);
  EXPECT_BYTES(port_.Read(15), Hex("41 42 0D 0A 43  41 42 0D 0A 43  41 42 0D 0A 43"));

  port_.Clear();
  Click(Window(), kHexBox);  // HEX
  EXPECT_EQ(*dialog_->Controls().Text(kConsoleBox), "41 42 0D 0A 43 ");
  SetDlgItemTextW(Window(), kConsoleCountEdit, L"1");
  Click(Window(), kConsoleSendButton);
  EXPECT_BYTES(port_.Read(5), Hex("41 42 0D 0A 43"));
}

}  // namespace
}  // namespace kestrel::test

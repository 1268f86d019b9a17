#include <windows.h>

#include <ctime>

#include "commands/NamedJob.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"
#include "win32ui/WindowTestSupport.h"
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
  SetDlgItemTextW(Window(), 1044, L"3");   // copies
  SetDlgItemTextW(Window(), 1022, L"-1");  // backfeed
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
  Click(Window(), 1003);
  EXPECT_TRUE(dialog_->Controller().Link().Connected());
  EXPECT_EQ(ItemText(Window(), 1003), "断开");
  EXPECT_FALSE(IsWindowEnabled(Item(1000)));
  EXPECT_FALSE(IsWindowEnabled(Item(1001)));
  Click(Window(), 1003);
  EXPECT_FALSE(dialog_->Controller().Link().Connected());
  EXPECT_EQ(ItemText(Window(), 1003), "连接");
  EXPECT_TRUE(IsWindowEnabled(Item(1000)));
  EXPECT_TRUE(IsWindowEnabled(Item(1001)));
}

// Window timer 1 sends the chosen label without its copies command and counts
// each send; stop ends the run, reset clears the count.
TEST_F(SerialLineTest, AgingSendsAndCountsUntilStopped) {
  SetDlgItemTextW(Window(), 1047, L"100");
  PickListItem(Window(), 1075, 0);
  Click(Window(), 1076);
  EXPECT_TRUE(dialog_->Controller().AgingRunning());
  EXPECT_FALSE(IsWindowEnabled(Item(1076)));
  EXPECT_TRUE(IsWindowEnabled(Item(1077)));
  EXPECT_TRUE(PumpUntil([this] { return dialog_->Controller().SendCount >= 3; }));
  Click(Window(), 1077);
  // A label still going out when the run stopped is counted when it has left.
  ASSERT_TRUE(PumpUntil([this] { return !dialog_->Controller().Sending(); }));
  const std::uint32_t sent = dialog_->Controller().SendCount;
  EXPECT_EQ(ItemText(Window(), 1078), std::to_string(sent));

  FindJob("60x20")->compose(ReadJobContext(dialog_->Controls(), true));
  const std::vector<std::uint8_t> label = Composed();
  const std::vector<std::uint8_t> wire = port_.Read(label.size() * sent);
  ASSERT_EQ(wire.size(), label.size() * sent);
  EXPECT_BYTES(std::vector<std::uint8_t>(wire.end() - label.size(), wire.end()), label);
  PumpMessages(300);
  EXPECT_EQ(dialog_->Controller().SendCount, sent);
  EXPECT_TRUE(IsWindowEnabled(Item(1076)));
  Click(Window(), 1079);
  EXPECT_EQ(ItemText(Window(), 1078), "0");
}

// Two copies and more go out from the console's worker, which reads the
// controls through the window's thread.
TEST_F(SerialLineTest, ConsoleSendsTheTextTheChosenNumberOfTimes) {
  SetDlgItemTextW(Window(), 1039, L"AB\r\nC");
  SetDlgItemTextW(Window(), 1034, L"3");
  Click(Window(), 1035);
  EXPECT_BYTES(port_.Read(15), Hex("41 42 0D 0A 43  41 42 0D 0A 43  41 42 0D 0A 43"));

  port_.Clear();
  Click(Window(), 1037);  // HEX
  EXPECT_EQ(*dialog_->Controls().Text(1039), "41 42 0D 0A 43 ");
  SetDlgItemTextW(Window(), 1034, L"1");
  Click(Window(), 1035);
  EXPECT_BYTES(port_.Read(5), Hex("41 42 0D 0A 43"));
}

}  // namespace
}  // namespace kestrel::test

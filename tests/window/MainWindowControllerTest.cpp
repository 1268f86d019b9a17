#include <string>
#include <vector>

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "version/Version.h"
#include "window/ControllerTestSupport.h"
#include "window/JobButtons.h"

namespace kestrel::test {
namespace {

using MainWindowControllerTest = ControllerTest;

// Each button's job reaches the printer whole, built from what the controls
// hold, and no button needs Connect first. (The custom label reads the
// operator's settings file; the windows' own tests press it.)
TEST_F(MainWindowControllerTest, EveryJobButtonPutsItsJobOnTheLine) {
  SelectLine();
  Type(kCopiesEdit, "3");
  Type(kBackfeedEdit, "-1");
  std::vector<std::uint8_t> expected;
  for (const JobButton& button : JobButtons()) {
    if (std::string(button.job) == "custom") continue;
    SCOPED_TRACE(std::string(button.job) + " on button " + std::to_string(button.id));
    BeginJob();
    FindJob(button.job)->compose(controller_.CurrentJobContext());
    const std::vector<std::uint8_t> job = Composed();
    ASSERT_FALSE(job.empty());
    expected.insert(expected.end(), job.begin(), job.end());
    Click(button.id);
    FinishSending();
    EXPECT_TRUE(controller_.Link().Connected());
  }
  const std::string wire = line_.Received(expected.size());
  EXPECT_BYTES(std::vector<std::uint8_t>(wire.begin(), wire.end()), expected);
  EXPECT_TRUE(window_.messages.empty());
  EXPECT_EQ(window_.sendingShown.size() % 2, 0u);
}

// The settings lists and the backfeed edit go into JobSettings; other lists
// and edits are read when a job needs them. Nothing is sent.
TEST_F(MainWindowControllerTest, SelectionsAndTheBackfeedTextStoreJobSettings) {
  SendLength = 7;
  Pick(kPaperTypeList, 1);  // 标签纸(回收)
  Pick(kDirectionList, 3);
  Pick(kLabelSizeList, 12);  // 80(72)mm * 60mm
  Pick(kBarcodeTypeList, 6);
  Pick(kDensityList, 7);
  Type(kBackfeedEdit, "120");
  Type(kCopiesEdit, "9");
  EXPECT_EQ(JobSettings.PaperType, 1);
  EXPECT_EQ(JobSettings.PrintDirection, 3);
  EXPECT_EQ(JobSettings.AreaWidthDots, 576);
  EXPECT_EQ(JobSettings.AreaHeightDots, 448);
  EXPECT_EQ(JobSettings.BarcodeSystem, 72);
  EXPECT_EQ(JobSettings.BackfeedValue, 120);
  Type(kBackfeedEdit, "");
  EXPECT_EQ(JobSettings.BackfeedValue, 0);

  // A serial port in the port-type list: the baud-rate list is the operator's.
  EXPECT_FALSE(*window_.controls.Enabled(kBaudList));
  SelectLine();
  EXPECT_EQ(JobSettings.PortKind, 1);
  EXPECT_TRUE(*window_.controls.Enabled(kBaudList));
  EXPECT_EQ(SendLength, 7);
  EXPECT_FALSE(controller_.Link().Connected());
  EXPECT_EQ(line_.Received(0, std::chrono::milliseconds(200)), "");
}

TEST_F(MainWindowControllerTest, ConnectTogglesTheCaptionAndThePortLists) {
  SelectLine();
  Click(kConnectButton);
  EXPECT_TRUE(controller_.Link().Connected());
  EXPECT_EQ(*window_.controls.Text(kConnectButton), "断开");
  EXPECT_FALSE(*window_.controls.Enabled(kPortList));
  EXPECT_FALSE(*window_.controls.Enabled(kBaudList));
  Click(kConnectButton);
  EXPECT_FALSE(controller_.Link().Connected());
  EXPECT_EQ(*window_.controls.Text(kConnectButton), "连接");
  EXPECT_TRUE(*window_.controls.Enabled(kPortList));
  EXPECT_TRUE(*window_.controls.Enabled(kBaudList));
}

// "USB" is selected and the test lists no USB printer.
TEST_F(MainWindowControllerTest, WithoutAPrinterOnlyTheBarcodeTestSaysSo) {
  Click(kPictureButton);
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_EQ(window_.messages[0].text, "找不到任何USB设备");
  Click(kBarcodeButton);
  ASSERT_EQ(window_.messages.size(), 3u);
  EXPECT_EQ(window_.messages[2].text, "打印机未连接！");
  EXPECT_EQ(window_.messages[2].caption, "Kestrel");
  EXPECT_FALSE(controller_.Sending());
}

TEST_F(MainWindowControllerTest, DesignButtonOpensTheEditorAndOtherIdsDoNothing) {
  Click(kDesignLabelButton);
  EXPECT_EQ(window_.editorsOpened, 1);
  for (int id : std::vector<int>{kPortGroup, kSendCountDisplay, 0, 4242}) {
    controller_.OnClicked(id);
    controller_.OnSelection(id, 1);
    controller_.OnTextChanged(id, "5");
  }
  EXPECT_EQ(window_.editorsOpened, 1);
  EXPECT_TRUE(window_.messages.empty());
  EXPECT_FALSE(controller_.Sending());
  EXPECT_EQ(controller_.ProgressTitle(), "Kestrel - " + GetVersionText());
}

}  // namespace
}  // namespace kestrel::test

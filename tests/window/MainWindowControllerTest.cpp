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

// A port typed into the port list is used as a picked row is: by the jobs,
// by Connect and by the aging test, while the list still shows "USB" picked.
// Typed "usb" is the USB entry, as for the CLI; a pick ends the typing.
TEST_F(MainWindowControllerTest, ATypedPortIsUsedAsAPickedOne) {
  Type(kPortList, DeviceOf(line_));
  EXPECT_EQ(*window_.controls.Selection(kPortList), 0);
  EXPECT_NE(JobSettings.PortKind, 0);
  EXPECT_TRUE(*window_.controls.Enabled(kBaudList));

  Click(kBeeperButton);
  FinishSending();
  BeginJob();
  FindJob("beeper")->compose(controller_.CurrentJobContext());
  const std::vector<std::uint8_t> beeper = Composed();
  const std::string wire = line_.Received(beeper.size());
  EXPECT_BYTES(std::vector<std::uint8_t>(wire.begin(), wire.end()), beeper);
  EXPECT_EQ(*window_.controls.Text(kConnectButton), "断开");
  EXPECT_FALSE(*window_.controls.Enabled(kPortList));
  Click(kConnectButton);
  EXPECT_FALSE(controller_.Link().Connected());
  EXPECT_TRUE(*window_.controls.Enabled(kPortList));
  EXPECT_TRUE(*window_.controls.Enabled(kBaudList));

  Type(kIntervalEdit, "10000");
  Click(kAgingStartButton);
  FinishSending();
  Click(kAgingStopButton);
  EXPECT_EQ(controller_.SendCount, 1u);
  EXPECT_TRUE(window_.messages.empty());
  Click(kConnectButton);  // aging left the port open

  Type(kPortList, "usb");
  EXPECT_EQ(JobSettings.PortKind, 0);
  EXPECT_FALSE(*window_.controls.Enabled(kBaudList));
  Type(kPortList, "tcp:");
  SelectLine();
  EXPECT_EQ(JobSettings.PortKind, 1);
  Click(kConnectButton);
  EXPECT_TRUE(controller_.Link().Connected());
  EXPECT_TRUE(window_.messages.empty());
}

// What the CLI refuses as --port the window refuses when the port is used,
// with a message in the interface language; nothing is opened or sent, and
// while aging the run stops as for any port that does not open.
TEST_F(MainWindowControllerTest, ATypedPortTheCliWouldRefuseIsSaidAndNothingIsSent) {
  struct Row {
    const char* typed;
    const char* chinese;
    const char* english;
  };
  const Row rows[] = {
      {"", "请选择或输入端口", "Choose a port from the list or type one"},
      {"tcp:", "不是有效的网络地址：tcp:\n请输入 tcp:主机 或 tcp:主机:端口",
       "Not a network address: tcp:\nType tcp:HOST or tcp:HOST:PORT"},
      {"TCP:fe80::1", "不是有效的网络地址：TCP:fe80::1\nIPv6 地址请写在方括号中，例如 tcp:[::1]:9100",
       "Not a network address: TCP:fe80::1\nAn IPv6 address goes in brackets, as in tcp:[::1]:9100"},
      {"tcp:[::1", "不是有效的网络地址：tcp:[::1\n请输入 tcp:[IPv6 地址]:端口",
       "Not a network address: tcp:[::1\nType tcp:[IPv6 ADDRESS]:PORT"},
      {"tcp:printer:65536", "不是有效的网络端口：tcp:printer:65536\n端口号为 1 到 65535",
       "Not a network port: tcp:printer:65536\nThe port number is 1 to 65535"},
  };
  for (const Row& row : rows) {
    for (const bool chinese : {true, false}) {
      SCOPED_TRACE(std::string(row.typed) + (chinese ? " zh" : " en"));
      LoadTranslations(chinese ? 936 : 1252);
      window_.messages.clear();
      Type(kPortList, row.typed);
      Click(kConnectButton);
      Click(k60x40Button);
      ASSERT_EQ(window_.messages.size(), 2u);
      for (const FakeWindowHost::Message& message : window_.messages) {
        EXPECT_EQ(message.text, chinese ? row.chinese : row.english);
        EXPECT_EQ(message.caption, chinese ? "警告" : "Warnning");
      }
      EXPECT_FALSE(controller_.Sending());
      EXPECT_FALSE(controller_.Link().Connected());
      EXPECT_EQ(*window_.controls.Text(kConnectButton), chinese ? "连接" : "Connect");
    }
  }
  window_.messages.clear();
  Click(kAgingStartButton);
  EXPECT_FALSE(controller_.AgingRunning());
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_EQ(window_.messages[0].text, "Connection failed, sending stopped");
  EXPECT_EQ(controller_.Link().LastError(), "not a network port: tcp:printer:65536 (PORT is 1 to 65535)");
  EXPECT_EQ(line_.Received(0, std::chrono::milliseconds(200)), "");
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

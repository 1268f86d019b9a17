#include <filesystem>

#include "LinkTestSupport.h"
#include "commands/JobSettings.h"
#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "link/JobRunner.h"
#include "link/PrinterLink.h"

namespace kestrel::test {
namespace {

namespace fs = std::filesystem;

void ComposeInit(const JobContext&) { AppendBytes({0x1B, 0x40}); }

using LinkStateTest = LinkTest;

TEST_F(LinkStateTest, JobWithUsbSelectedConnectsWithoutConnectBeingPressed) {
  tree_.AddPrinter(0);
  PrinterLink link(host_, tree_.paths());
  const NamedJob job{"init", ComposeInit};
  EXPECT_TRUE(RunJob(link, job, JobContext{}));

  EXPECT_TRUE(link.Connected());
  EXPECT_EQ(host_.Caption(), "断开");
  EXPECT_FALSE(host_.portListEnabled);
  EXPECT_FALSE(host_.baudListEnabled);
  EXPECT_EQ(tree_.NodeContent(0), "\x1B\x40");
}

TEST_F(LinkStateTest, ConnectButtonFollowsTheStateTable) {
  PtyPair pty;
  PrinterLink link(host_, tree_.paths());
  host_.SelectSerial(pty.slavePath());
  link.PortTypeChanged(1);
  EXPECT_EQ(JobSettings.PortKind, 1);
  EXPECT_TRUE(host_.baudListEnabled);

  link.ToggleConnection();
  EXPECT_TRUE(link.Connected());
  EXPECT_EQ(host_.Caption(), "断开");
  EXPECT_FALSE(host_.portListEnabled);
  EXPECT_FALSE(host_.baudListEnabled);

  link.ToggleConnection();
  EXPECT_FALSE(link.Connected());
  EXPECT_EQ(link.PortHandle(), -1);
  EXPECT_EQ(host_.Caption(), "连接");
  EXPECT_TRUE(host_.portListEnabled);
  EXPECT_TRUE(host_.baudListEnabled);

  // Back on USB the rate list stays disabled after a disconnect.
  tree_.AddPrinter(0);
  host_.selection = 0;
  link.PortTypeChanged(0);
  EXPECT_EQ(JobSettings.PortKind, 0);
  EXPECT_FALSE(host_.baudListEnabled);
  link.ToggleConnection();
  EXPECT_TRUE(link.Connected());
  link.ToggleConnection();
  EXPECT_TRUE(host_.portListEnabled);
  EXPECT_FALSE(host_.baudListEnabled);
}

TEST_F(LinkStateTest, FailedConnectChangesNothingButTheMessage) {
  PrinterLink link(host_, tree_.paths());
  link.ToggleConnection();
  EXPECT_FALSE(link.Connected());
  EXPECT_EQ(host_.messages.size(), 1u);
  EXPECT_TRUE(host_.captions.empty());
  EXPECT_TRUE(host_.portListEnabled);
}

TEST_F(LinkStateTest, UnpluggedPortFailsTheReopenAndConnectRecoversIt) {
  PtyPair pty;
  const std::string port = tree_.root() + "/dev/ttyUSB0";
  fs::create_symlink(pty.slavePath(), port);
  host_.SelectSerial(port);
  PrinterLink link(host_, tree_.paths());
  link.PortTypeChanged(1);
  link.ToggleConnection();
  ASSERT_TRUE(link.Connected());

  fs::remove(port);
  link.ReconnectPrinter();
  EXPECT_FALSE(link.Connected());
  EXPECT_EQ(link.PortHandle(), -1);
  EXPECT_EQ(host_.Caption(), "连接");
  EXPECT_FALSE(host_.portListEnabled);
  EXPECT_TRUE(host_.baudListEnabled);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "此端口被占用或已损坏");

  fs::create_symlink(pty.slavePath(), port);
  link.ToggleConnection();
  EXPECT_TRUE(link.Connected());
  EXPECT_EQ(host_.Caption(), "断开");
  const auto bytes = Hex("1B 53");
  EXPECT_TRUE(link.WritePrinter(bytes.data(), 2));
  EXPECT_BYTES(pty.Read(2), "1B 53");
}

TEST_F(LinkStateTest, WritesAreRefusedWithoutPortAndDuringAging) {
  const auto bytes = Hex("1B 40");
  PrinterLink link(host_, tree_.paths());
  EXPECT_FALSE(link.WritePrinter(bytes.data(), 2));
  BeginJob();
  AppendBytes({0x1B, 0x40});
  EXPECT_FALSE(link.WriteSendBuffer());

  tree_.AddPrinter(0);
  link.ReconnectPrinter();
  ASSERT_TRUE(link.Connected());
  host_.aging = true;
  EXPECT_FALSE(link.WritePrinter(bytes.data(), 2));
  EXPECT_EQ(tree_.NodeContent(0), "");

  BeginJob();
  AppendBytes({0x1F, 0x11, 0x04});
  EXPECT_TRUE(link.WriteSendBuffer());
  EXPECT_EQ(tree_.NodeContent(0), "\x1F\x11\x04");
}

TEST_F(LinkStateTest, NegativeLengthWritesNothing) {
  tree_.AddPrinter(0);
  PrinterLink link(host_, tree_.paths());
  link.ReconnectPrinter();
  const auto bytes = Hex("41");
  EXPECT_FALSE(link.WritePrinter(bytes.data(), -1));
  EXPECT_TRUE(link.WritePrinter(bytes.data(), 0));
  EXPECT_EQ(tree_.NodeContent(0), "");
}

}  // namespace
}  // namespace kestrel::test

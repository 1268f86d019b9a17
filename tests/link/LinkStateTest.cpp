#include "commands/JobSettings.h"
#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "link/JobRunner.h"
#include "link/LinkTestSupport.h"
#include "link/PrinterLink.h"

namespace kestrel::test {
namespace {

void ComposeInit(const JobContext&) { AppendBytes({0x1B, 0x40}); }

using LinkStateTest = LinkTest;

TEST_F(LinkStateTest, JobWithUsbSelectedConnectsWithoutConnectBeingPressed) {
  PrinterLine& printer = AddUsbPrinter();
  PrinterLink link(host_, ports_);
  const NamedJob job{"init", ComposeInit};
  EXPECT_TRUE(RunJob(link, job, JobContext{}));

  EXPECT_TRUE(link.Connected());
  EXPECT_EQ(host_.Caption(), "断开");
  EXPECT_FALSE(host_.portListEnabled);
  EXPECT_FALSE(host_.baudListEnabled);
  EXPECT_EQ(printer.Received(2), "\x1B\x40");
}

TEST_F(LinkStateTest, ConnectButtonFollowsTheStateTable) {
  PrinterLine line;
  PrinterLink link(host_, ports_);
  host_.SelectSerial(line.Device());
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
  AddUsbPrinter();
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
  PrinterLink link(host_, ports_);
  link.ToggleConnection();
  EXPECT_FALSE(link.Connected());
  EXPECT_EQ(host_.messages.size(), 1u);
  EXPECT_TRUE(host_.captions.empty());
  EXPECT_TRUE(host_.portListEnabled);
}

// Unplugged, the port's name leads to no device until the adapter is back.
TEST_F(LinkStateTest, UnpluggedPortFailsTheReopenAndConnectRecoversIt) {
  PrinterLine line;
  TempDir gone;
  const std::string port = "ttyUSB0";
  ports_.devices[port] = line.Device();
  host_.SelectSerial(port);
  PrinterLink link(host_, ports_);
  link.PortTypeChanged(1);
  link.ToggleConnection();
  ASSERT_TRUE(link.Connected());

  ports_.devices[port] = gone.path() + "/ttyUSB0";
  link.ReconnectPrinter();
  EXPECT_FALSE(link.Connected());
  EXPECT_EQ(link.PortHandle(), -1);
  EXPECT_EQ(host_.Caption(), "连接");
  EXPECT_FALSE(host_.portListEnabled);
  EXPECT_TRUE(host_.baudListEnabled);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "此端口被占用或已损坏");

  ports_.devices[port] = line.Device();
  link.ToggleConnection();
  EXPECT_TRUE(link.Connected());
  EXPECT_EQ(host_.Caption(), "断开");
  const auto bytes = Hex("1B 53");
  EXPECT_TRUE(link.WritePrinter(bytes.data(), 2));
  EXPECT_EQ(line.Received(2), "\x1B\x53");
}

TEST_F(LinkStateTest, WritesAreRefusedWithoutPortAndDuringAging) {
  const auto bytes = Hex("1B 40");
  PrinterLink link(host_, ports_);
  EXPECT_FALSE(link.WritePrinter(bytes.data(), 2));
  BeginJob();
  AppendBytes({0x1B, 0x40});
  EXPECT_FALSE(link.WriteSendBuffer());

  PrinterLine& printer = AddUsbPrinter();
  link.ReconnectPrinter();
  ASSERT_TRUE(link.Connected());
  host_.aging = true;
  EXPECT_FALSE(link.WritePrinter(bytes.data(), 2));
  EXPECT_EQ(printer.Received(), "");

  BeginJob();
  AppendBytes({0x1F, 0x11, 0x04});
  EXPECT_TRUE(link.WriteSendBuffer());
  EXPECT_EQ(printer.Received(3), "\x1F\x11\x04");
}

TEST_F(LinkStateTest, NegativeLengthWritesNothing) {
  PrinterLine& printer = AddUsbPrinter();
  PrinterLink link(host_, ports_);
  link.ReconnectPrinter();
  const auto bytes = Hex("41");
  EXPECT_FALSE(link.WritePrinter(bytes.data(), -1));
  EXPECT_TRUE(link.WritePrinter(bytes.data(), 0));
  EXPECT_EQ(printer.Received(), "");
}

}  // namespace
}  // namespace kestrel::test

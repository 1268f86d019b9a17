#include <gtest/gtest.h>

#include "language/TranslationMap.h"
#include "link/FakeLinkHost.h"
#include "link/PortDiscovery.h"
#include "link/PrinterLink.h"
#include "support/TestSupport.h"

namespace kestrel::test {
namespace {

// Wine has no USB printer and no COM9; the messages are the window's.
class WindowsPortTest : public ::testing::Test {
 protected:
  void SetUp() override { LoadTranslations(936); }
  FakeLinkHost host_;
};

TEST_F(WindowsPortTest, NoUsbPrinterShowsItsMessageExceptDuringAging) {
  PrinterLink link(host_);
  EXPECT_FALSE(link.OpenUsbPrinter());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "找不到任何USB设备");
  EXPECT_EQ(host_.messages[0].caption, "Kestrel");
  EXPECT_NE(link.LastError().find("28d78fad-5a12-11d1-ae5b-0000f803a8c2"), std::string::npos) << link.LastError();

  host_.aging = true;
  EXPECT_FALSE(link.OpenUsbPrinter());
  EXPECT_EQ(host_.messages.size(), 1u);
  EXPECT_FALSE(link.WriteSendBuffer());
}

TEST_F(WindowsPortTest, OnlyASerialDeviceOpensAsASerialPort) {
  TempDir dir;
  const std::string file = dir.path() + "/not-a-port";
  WriteText(file, "kept");
  PrinterLink link(host_);
  for (const std::string& name : {std::string("COM9"), file, std::string("NUL")}) {
    SCOPED_TRACE(name);
    host_.messages.clear();
    EXPECT_FALSE(link.OpenSerialPort(name));
    EXPECT_EQ(link.PortHandle(), kNoPort);
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].text, "此端口被占用或已损坏");
    EXPECT_EQ(host_.messages[0].caption, "警告");
  }
  EXPECT_NE(link.LastError().find("not a serial port"), std::string::npos) << link.LastError();
  EXPECT_EQ(ReadText(file), "kept");
}

TEST(WindowsPortNameTest, PortNamesOpenInTheDeviceNamespace) {
  const PortDiscovery& ports = SystemPortDiscovery();
  EXPECT_EQ(ports.SerialDevicePath("COM3"), "\\\\.\\COM3");
  EXPECT_EQ(ports.SerialDevicePath("COM12"), "\\\\.\\COM12");
  EXPECT_EQ(ports.SerialDevicePath("\\\\.\\COM4"), "\\\\.\\COM4");
  EXPECT_EQ(ports.SerialDevicePath("C:\\ports\\com4"), "C:\\ports\\com4");
}

}  // namespace
}  // namespace kestrel::test

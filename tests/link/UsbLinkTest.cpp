#include <filesystem>

#include "commands/JobSettings.h"
#include "language/TranslationMap.h"
#include "link/LinkTestSupport.h"
#include "link/PrinterLink.h"

namespace kestrel::test {
namespace {

using UsbLinkTest = LinkTest;

TEST_F(UsbLinkTest, NoPrinterShowsTheMessageOnceAndNeverDuringAging) {
  PrinterLink link(host_, ports_);
  EXPECT_FALSE(link.OpenUsbPrinter());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "找不到任何USB设备");
  EXPECT_EQ(host_.messages[0].caption, "Kestrel");
  EXPECT_EQ(link.LastError(), "no USB printer (the test's list)");

  host_.aging = true;
  EXPECT_FALSE(link.OpenUsbPrinter());
  link.ReconnectPrinter();
  EXPECT_EQ(host_.messages.size(), 1u);
  EXPECT_FALSE(link.Connected());
}

TEST_F(UsbLinkTest, OnlyTheFirstPrinterIsOpened) {
  PrinterLine& first = AddUsbPrinter();
  PrinterLine& second = AddUsbPrinter();
  PrinterLink link(host_, ports_);
  ASSERT_TRUE(link.OpenUsbPrinter()) << link.LastError();
  EXPECT_TRUE(Write(link, "1B 40 1F 11 04"));
  EXPECT_EQ(first.Received(5), "\x1B\x40\x1F\x11\x04");
  EXPECT_EQ(second.Received(), "");
}

TEST_F(UsbLinkTest, UnreadableIdentifierOrMissingNodeFailsSilently) {
  TempDir dir;
  const std::string file = dir.path() + "/lp0";
  WriteText(file, "");
  PrinterLine line;  // never tried: only the first printer counts
  ports_.usbPrinters = {{file, ""}, {line.Device(), "USB\\VID_0FE6&PID_811E"}};
  PrinterLink link(host_, ports_);
  EXPECT_FALSE(link.OpenUsbPrinter());
  EXPECT_EQ(link.LastError(), "cannot read the hardware identifier of " + file);
  EXPECT_FALSE(Write(link, "41"));
  EXPECT_EQ(line.Received(), "");

  const std::string missing = dir.path() + "/lp1";
  ports_.usbPrinters = {{missing, "USB\\VID_0FE6&PID_811E"}};
  EXPECT_FALSE(link.OpenUsbPrinter());
  EXPECT_NE(link.LastError().find("cannot open " + missing), std::string::npos) << link.LastError();
  EXPECT_FALSE(std::filesystem::exists(Utf8Path(missing)));  // no stray file made in its place
  EXPECT_TRUE(host_.messages.empty());
}

}  // namespace
}  // namespace kestrel::test

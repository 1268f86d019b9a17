#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "LinkTestSupport.h"
#include "commands/JobSettings.h"
#include "language/TranslationMap.h"
#include "link/PrinterLink.h"

namespace kestrel::test {
namespace {

using namespace std::chrono_literals;
using Node = FakeUsbTree::Node;
using Identifier = FakeUsbTree::Identifier;

using UsbLinkTest = LinkTest;

TEST_F(UsbLinkTest, NoPrinterShowsTheMessageOnceAndNeverDuringAging) {
  PrinterLink link(host_, tree_.paths());
  EXPECT_FALSE(link.OpenUsbPrinter());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "找不到任何USB设备");
  EXPECT_EQ(host_.messages[0].caption, "Kestrel");

  host_.aging = true;
  EXPECT_FALSE(link.OpenUsbPrinter());
  link.ReconnectPrinter();
  EXPECT_EQ(host_.messages.size(), 1u);
  EXPECT_FALSE(link.Connected());
}

TEST_F(UsbLinkTest, OnlyTheFirstPrinterIsOpened) {
  tree_.AddPrinter(1);
  tree_.AddPrinter(0);
  PrinterLink link(host_, tree_.paths());
  ASSERT_TRUE(link.OpenUsbPrinter());
  EXPECT_TRUE(Write(link, "1B 40 1F 11 04"));
  EXPECT_EQ(tree_.NodeContent(0), "\x1B\x40\x1F\x11\x04");
  EXPECT_EQ(tree_.NodeContent(1), "");
}

TEST_F(UsbLinkTest, UnreadableIdentifierOrMissingNodeFailsSilently) {
  tree_.AddPrinter(0, Node::kRegularFile, Identifier::kNone);
  tree_.AddPrinter(1);  // never tried: only the first printer counts
  PrinterLink link(host_, tree_.paths());
  EXPECT_FALSE(link.OpenUsbPrinter());
  EXPECT_FALSE(Write(link, "41"));
  EXPECT_EQ(tree_.NodeContent(1), "");

  tree_.RemovePrinter(0);
  tree_.RemovePrinter(1);
  tree_.AddPrinter(0, Node::kMissing);
  EXPECT_FALSE(link.OpenUsbPrinter());
  EXPECT_FALSE(std::filesystem::exists(tree_.NodePath(0)));  // no stray file made in its place
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(UsbLinkTest, ANodeThatIsNoDeviceIsNeverWritten) {
  for (const Node node : {Node::kRegularFile, Node::kFifo}) {
    FakeUsbTree tree;
    tree.AddPrinter(0, node);
    const int reader = open(tree.NodePath(0).c_str(), O_RDONLY | O_NONBLOCK);
    PrinterLink link(host_, tree.paths());
    EXPECT_FALSE(link.OpenUsbPrinter());
    EXPECT_FALSE(Write(link, "1B 40"));
    std::uint8_t got[4];
    EXPECT_LE(read(reader, got, sizeof got), 0);
    EXPECT_NE(link.LastError().find("not a printer device"), std::string::npos) << link.LastError();
    close(reader);
  }
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(UsbLinkTest, APrinterThatStopsTakingBytesFailsTheWriteWithinSeconds) {
  tree_.AddPrinter(0);
  PrinterLink link(host_, tree_.paths());
  ASSERT_TRUE(link.OpenUsbPrinter());
  tree_.PrinterSide(0).Stall();

  const auto start = std::chrono::steady_clock::now();
  auto write = std::async(std::launch::async, [&] { return Write(link, "1B 40 0A 1B 0C"); });
  const bool ended = write.wait_for(10s) == std::future_status::ready;
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(ended) << "the write still waits on the printer";
  tree_.PrinterSide(0).Close();  // frees a write that would wait for ever
  EXPECT_FALSE(write.get());
  RecordProperty("stalled_usb_write_ms", static_cast<int>(took / 1ms));
}

TEST_F(UsbLinkTest, APrinterHeldByAnotherLinkFailsSilently) {
  tree_.AddPrinter(0);
  PrinterLink holder(host_, tree_.paths());
  ASSERT_TRUE(holder.OpenUsbPrinter());
  FakeLinkHost otherHost;
  PrinterLink other(otherHost, tree_.paths());
  EXPECT_FALSE(other.OpenUsbPrinter());
  EXPECT_TRUE(otherHost.messages.empty());
}

}  // namespace
}  // namespace kestrel::test

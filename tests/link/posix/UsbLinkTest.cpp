#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "LinkTestSupport.h"
#include "commands/JobSettings.h"
#include "language/TranslationMap.h"
#include "link/PrinterLink.h"

namespace kestrel::test {
namespace {

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

TEST_F(UsbLinkTest, FifoNodeReceivesTheWholeJob) {
  tree_.AddPrinter(0, Node::kFifo);
  const int reader = open(tree_.NodePath(0).c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  PrinterLink link(host_, tree_.paths());
  ASSERT_TRUE(link.OpenUsbPrinter());
  EXPECT_TRUE(Write(link, "1B 40 0A 1B 0C"));
  std::uint8_t got[16] = {};
  ASSERT_EQ(read(reader, got, sizeof got), 5);
  EXPECT_BYTES(std::span(got, 5), "1B 40 0A 1B 0C");
  close(reader);
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

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "link/LinkTestSupport.h"
#include "link/PrinterLink.h"

namespace kestrel::test {
namespace {

using namespace std::chrono_literals;

using UsbNodeTest = LinkTest;

TEST_F(UsbNodeTest, ANodeThatIsNoDeviceIsNeverWritten) {
  TempDir dir;
  const std::string file = dir.path() + "/lp0", fifo = dir.path() + "/lp1";
  WriteText(file, "");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& node : {file, fifo}) {
    const int reader = open(node.c_str(), O_RDONLY | O_NONBLOCK);
    ports_.usbPrinters = {{node, "USB\\VID_0FE6&PID_811E"}};
    PrinterLink link(host_, ports_);
    EXPECT_FALSE(link.OpenUsbPrinter());
    EXPECT_FALSE(Write(link, "1B 40"));
    std::uint8_t got[4];
    EXPECT_LE(read(reader, got, sizeof got), 0);
    EXPECT_EQ(link.LastError(), "not a printer device: " + node);
    close(reader);
  }
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(UsbNodeTest, APrinterThatStopsTakingBytesFailsTheWriteWithinSeconds) {
  PtyPair printer;
  ports_.usbPrinters = {{printer.slavePath(), "USB\\VID_0FE6&PID_811E"}};
  PrinterLink link(host_, ports_);
  ASSERT_TRUE(link.OpenUsbPrinter());
  printer.Stall();

  const auto start = std::chrono::steady_clock::now();
  auto write = std::async(std::launch::async, [&] { return Write(link, "1B 40 0A 1B 0C"); });
  const bool ended = write.wait_for(10s) == std::future_status::ready;
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(ended) << "the write still waits on the printer";
  printer.Close();  // frees a write that would wait for ever
  EXPECT_FALSE(write.get());
  RecordProperty("stalled_usb_write_ms", static_cast<int>(took / 1ms));
}

// Wine lets a second program open a COM device it holds, so the printer's
// exclusivity is checked on Linux alone.
TEST_F(UsbNodeTest, APrinterHeldByAnotherLinkFailsSilently) {
  AddUsbPrinter();
  PrinterLink holder(host_, ports_);
  ASSERT_TRUE(holder.OpenUsbPrinter()) << holder.LastError();
  FakeLinkHost otherHost;
  PrinterLink other(otherHost, ports_);
  EXPECT_FALSE(other.OpenUsbPrinter());
  EXPECT_TRUE(otherHost.messages.empty());
}

}  // namespace
}  // namespace kestrel::test

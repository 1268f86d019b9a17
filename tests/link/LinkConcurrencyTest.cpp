#include <atomic>
#include <cstdio>
#include <thread>

#include "commands/JobSettings.h"
#include "language/TranslationMap.h"
#include "link/LinkTestSupport.h"
#include "link/PrinterLink.h"

namespace kestrel::test {
namespace {

constexpr int kReconnects = 1000;

// Record n: "R" and six digits, a run of one letter, a line feed; so a torn,
// doubled or reordered write shows in the stream.
std::string Record(int n) {
  char head[16];
  std::snprintf(head, sizeof head, "R%06d", n);
  return head + std::string(193, static_cast<char>('a' + n % 26)) + "\n";
}

// Writes records until told to stop, as the console worker does; counts the
// writes the link accepted and those it refused.
struct RecordWriter {
  explicit RecordWriter(PrinterLink& link)
      : thread([this, &link] {
          for (int n = 0; !stop; ++n) {
            const std::string record = Record(n);
            const bool ok = link.WritePrinter(reinterpret_cast<const std::uint8_t*>(record.data()),
                                              static_cast<std::int32_t>(record.size()));
            (ok ? accepted : refused)++;
          }
        }) {}
  void Finish() {
    stop = true;
    thread.join();
  }

  std::atomic<bool> stop = false;
  std::atomic<int> accepted = 0;
  std::atomic<int> refused = 0;
  std::thread thread;
};

struct WriteCounts {
  int accepted;
  int refused;
};

// Connects, then reopens the port kReconnects times while records are written
// through it from another thread; stops the writer afterwards.
WriteCounts ReconnectWhileWriting(PrinterLink& link) {
  link.ReconnectPrinter();
  EXPECT_TRUE(link.Connected());
  RecordWriter writer(link);
  for (int i = 0; i < kReconnects && link.Connected(); ++i) link.ReconnectPrinter();
  EXPECT_TRUE(link.Connected()) << "a reconnect failed";
  writer.Finish();
  return {writer.accepted, writer.refused};
}

// Every accepted record arrived once, whole and in order.
void ExpectEveryRecordWhole(const WriteCounts& writes, const PrinterLine& printer) {
  EXPECT_EQ(writes.refused, 0);
  ASSERT_GT(writes.accepted, 0);
  std::string expected;
  for (int n = 0; n < writes.accepted; ++n) expected += Record(n);
  const std::string received = printer.Received(expected.size(), std::chrono::seconds(20));
  EXPECT_EQ(received.size(), expected.size());
  EXPECT_TRUE(received == expected) << "the records arrived torn, cut or out of order";
}

using LinkConcurrencyTest = LinkTest;

TEST_F(LinkConcurrencyTest, ReconnectsNeverTearAWriteToTheUsbPrinter) {
  const PrinterLine& printer = AddUsbPrinter();
  PrinterLink link(host_, ports_);
  const WriteCounts writes = ReconnectWhileWriting(link);
  RecordProperty("writes", writes.accepted);
  ExpectEveryRecordWhole(writes, printer);
}

// A reopen keeps what the line has not sent yet, so nothing goes missing.
TEST_F(LinkConcurrencyTest, ReconnectsNeverCutASerialWrite) {
  PrinterLine printer;
  host_.SelectSerial(printer.Device());
  JobSettings.PortKind = 1;
  PrinterLink link(host_, ports_);
  ExpectEveryRecordWhole(ReconnectWhileWriting(link), printer);
}

}  // namespace
}  // namespace kestrel::test

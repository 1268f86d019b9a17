#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "LinkTestSupport.h"
#include "commands/JobSettings.h"
#include "language/TranslationMap.h"
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

// Drains a descriptor on its own thread until told to stop and nothing is left.
struct Drain {
  explicit Drain(int source)
      : thread([this, source] {
          for (;;) {
            pollfd waiting{source, POLLIN, 0};
            const int ready = poll(&waiting, 1, 50);
            std::uint8_t chunk[8192];
            const ssize_t got = ready > 0 ? read(source, chunk, sizeof chunk) : 0;
            if (got > 0) {
              received.append(reinterpret_cast<char*>(chunk), static_cast<std::size_t>(got));
            } else if (stop) {
              return;
            } else if (ready > 0) {
              usleep(200);  // the other side is between a close and the reopen
            }
          }
        }) {}
  void Finish() {
    stop = true;
    thread.join();
  }

  std::atomic<bool> stop = false;
  std::string received;
  std::thread thread;
};

struct WriteCounts {
  int accepted;
  int refused;
};

// Connects, then reopens the port kReconnects times while records are written
// through it from another thread; stops the writer and the drain afterwards.
WriteCounts ReconnectWhileWriting(PrinterLink& link, Drain& drain) {
  link.ReconnectPrinter();
  EXPECT_TRUE(link.Connected());
  RecordWriter writer(link);
  for (int i = 0; i < kReconnects && link.Connected(); ++i) link.ReconnectPrinter();
  EXPECT_TRUE(link.Connected()) << "a reconnect failed";
  writer.Finish();
  drain.Finish();
  return {writer.accepted, writer.refused};
}

// Every accepted record arrived once, whole and in order.
void ExpectEveryRecordWhole(const WriteCounts& writes, const Drain& drain) {
  EXPECT_EQ(writes.refused, 0);
  ASSERT_GT(writes.accepted, 0);
  std::string expected;
  for (int n = 0; n < writes.accepted; ++n) expected += Record(n);
  EXPECT_EQ(drain.received.size(), expected.size());
  EXPECT_TRUE(drain.received == expected) << "the records arrived torn, cut or out of order";
}

using LinkConcurrencyTest = LinkTest;

TEST_F(LinkConcurrencyTest, ReconnectsNeverTearAWriteToTheUsbPrinter) {
  tree_.AddPrinter(0);
  Drain drain(tree_.PrinterSide(0).master());

  PrinterLink link(host_, tree_.paths());
  const WriteCounts writes = ReconnectWhileWriting(link, drain);
  RecordProperty("writes", writes.accepted);
  ExpectEveryRecordWhole(writes, drain);
}

// A reopen keeps what the line has not sent yet, so nothing goes missing.
TEST_F(LinkConcurrencyTest, ReconnectsNeverCutASerialWrite) {
  PtyPair pty;
  host_.SelectSerial(pty.slavePath());
  JobSettings.PortKind = 1;
  Drain drain(pty.master());

  PrinterLink link(host_, tree_.paths());
  ExpectEveryRecordWhole(ReconnectWhileWriting(link, drain), drain);
}

}  // namespace
}  // namespace kestrel::test

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <map>
#include <thread>

#include "commands/JobSettings.h"
#include "link/LinkTestSupport.h"
#include "link/PrinterLink.h"
#include "link/PrinterQueries.h"
#include "link/posix/ScriptedPrinter.h"

namespace kestrel::test {
namespace {

using Clock = std::chrono::steady_clock;

const std::map<std::string, std::string> kPaperEnd = {
    {"10 04 01", "1A"}, {"10 04 02", "32"}, {"10 04 03", "12"}, {"10 04 04", "7E"}, {"1D 72 01", "0C"}};

class PrinterQueriesTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    pty_.MakeRaw();
    host_.SelectSerial(pty_.slavePath());
    JobSettings.PortKind = 1;
    link_.ReconnectPrinter();
    ASSERT_TRUE(link_.Connected()) << link_.LastError();
  }

  PtyPair pty_;
  PrinterLink link_{host_, ports_};
};

TEST_F(PrinterQueriesTest, StatusComesFromTheFourReplies) {
  ScriptedPrinter printer(pty_.master(), kPaperEnd);
  const StatusResult result = QueryStatus(link_, 1000);
  ASSERT_TRUE(result.answered) << result.reason;
  EXPECT_FALSE(result.Ready());
  EXPECT_EQ(FaultText(result.status), "paper end");
  EXPECT_BYTES(result.replies, "1A 32 12 7E");
}

TEST_F(PrinterQueriesTest, BytesWaitingBeforeAQueryAreNotItsAnswer) {
  // An answer to an earlier query that came too late, and line noise.
  ASSERT_EQ(write(pty_.master(), "\x12\x00\x55", 3), 3);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ScriptedPrinter printer(pty_.master(), kPaperEnd);
  const StatusResult result = QueryStatus(link_, 1000);
  ASSERT_TRUE(result.answered) << result.reason;
  EXPECT_BYTES(result.replies, "1A 32 12 7E");
}

TEST_F(PrinterQueriesTest, ASilentPrinterTimesOutWithinItsLimit) {
  ScriptedPrinter printer(pty_.master(), {});
  const auto start = Clock::now();
  const StatusResult status = QueryStatus(link_, 200);
  EXPECT_FALSE(status.answered);
  EXPECT_EQ(status.reason, "no answer in 200 ms");
  const IdentityResult identity = QueryIdentity(link_, 200);
  EXPECT_FALSE(identity.answered);
  EXPECT_EQ(identity.reason, "no answer in 200 ms");
  // One status query and two identity items waited; the rest were not asked.
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2000));
  for (const IdentityAnswer& item : identity.items) EXPECT_FALSE(item.value) << item.item.label;
}

TEST_F(PrinterQueriesTest, RepliesOutsideThePatternAreReportedWithTheirBytes) {
  ScriptedPrinter printer(pty_.master(), {{"10 04 01", "12"}, {"10 04 02", "00"}, {"1D 72 01", "12"}});
  EXPECT_EQ(QueryStatus(link_, 500).reason, "invalid reply to DLE EOT 2: 00");
  const PrintedResult printed = WaitUntilPrinted(link_, Clock::now(), 500);
  EXPECT_FALSE(printed.printed);
  EXPECT_EQ(printed.reason, "invalid reply to GS r 1: 12");
}

TEST_F(PrinterQueriesTest, IdentityShowsWhatWasAnsweredAndNothingElse) {
  ScriptedPrinter printer(pty_.master(), {{"1D 49 01", "20"},
                                          {"1D 49 02", "02"},
                                          {"1D 49 41", "5F 31 2E 32 00"},
                                          {"1D 49 42", "5F 41 43 4D 45 00"},
                                          {"1D 49 43", "5F 4C 42 00"},
                                          {"1D 49 44", "41 00"}});
  const IdentityResult result = QueryIdentity(link_, 300);
  ASSERT_TRUE(result.answered) << result.reason;
  std::map<std::string, std::string> shown;
  for (const IdentityAnswer& item : result.items) shown[item.item.key] = item.value.value_or("? " + item.problem);
  EXPECT_EQ(shown["modelId"], "0x20");
  EXPECT_EQ(shown["typeId"], "0x02");
  EXPECT_EQ(shown["romVersion"], "? no answer in 300 ms");
  EXPECT_EQ(shown["firmware"], "1.2");
  EXPECT_EQ(shown["maker"], "ACME");
  EXPECT_EQ(shown["model"], "LB");
  EXPECT_EQ(shown["serialNumber"], "? invalid reply to GS I 68: 41 00");
  EXPECT_EQ(shown["codePage"], "? no answer in 300 ms");
}

TEST_F(PrinterQueriesTest, WaitUntilPrintedAnswersAfterTheJob) {
  ScriptedPrinter printer(pty_.master(), {{"1D 72 01", "00"}});
  const auto start = Clock::now();
  ASSERT_TRUE(Write(link_, "1B 40 0A"));
  const PrintedResult result = WaitUntilPrinted(link_, start, 1000);
  ASSERT_TRUE(result.printed) << result.reason;
  EXPECT_FALSE(result.paper.paperEnd);
  EXPECT_GE(result.milliseconds, 0);
  EXPECT_LT(result.milliseconds, 1000);
}

// A listening socket on a free port of the loopback address.
class Listener {
 public:
  Listener() {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    const int small = 4096;
    setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);  // fills soon when nobody reads
    EXPECT_EQ(bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(listen(fd_, 4), 0);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  ~Listener() {
    if (client_ >= 0) close(client_);
    if (fd_ >= 0) close(fd_);
  }
  int port() const { return port_; }
  std::string PortName() const { return "tcp:127.0.0.1:" + std::to_string(port_); }
  int Accept() {
    client_ = accept(fd_, nullptr, nullptr);
    return client_;
  }
  // Ends the connection with a reset, as a printer that is switched off.
  void Reset() {
    const linger abort{1, 0};
    setsockopt(client_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    close(client_);
    client_ = -1;
  }
  void CloseListener() {
    close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
  int client_ = -1;
  int port_ = 0;
};

class TcpPrinterTest : public LinkTest {
 protected:
  void Open(const std::string& name) {
    host_.SelectSerial(name);
    JobSettings.PortKind = 1;
    link_.ReconnectPrinter();
  }
  PrinterLink link_{host_, ports_};
};

TEST_F(TcpPrinterTest, QueriesAndJobsGoOverTheConnection) {
  Listener listener;
  Open(listener.PortName());
  ASSERT_TRUE(link_.Connected()) << link_.LastError();
  ScriptedPrinter printer(listener.Accept(), kPaperEnd);
  EXPECT_EQ(FaultText(QueryStatus(link_, 1000).status), "paper end");
  EXPECT_TRUE(Write(link_, "1B 40"));
}

TEST_F(TcpPrinterTest, ARefusedConnectionSaysSo) {
  Listener listener;
  const std::string name = listener.PortName();
  listener.CloseListener();
  Open(name);
  EXPECT_FALSE(link_.Connected());
  EXPECT_EQ(link_.LastError(), "connection refused by 127.0.0.1:" + std::to_string(listener.port()));
  EXPECT_EQ(QueryStatus(link_, 100).reason, "the printer is not connected");
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "无法连接网络打印机：" + link_.LastError());
  EXPECT_EQ(host_.messages[0].caption, "警告");
}

TEST_F(TcpPrinterTest, AResetMidJobFailsTheWrite) {
  Listener listener;
  Open(listener.PortName());
  ASSERT_TRUE(link_.Connected()) << link_.LastError();
  std::thread printer([&] {
    const int client = listener.Accept();
    char some[1024];
    (void)!read(client, some, sizeof some);
    listener.Reset();
  });
  const std::vector<std::uint8_t> job(8 << 20, 0x55);
  EXPECT_FALSE(link_.WritePrinter(job.data(), static_cast<std::int32_t>(job.size())));
  printer.join();
  EXPECT_EQ(link_.LastError(), "the printer reset the connection");
}

TEST_F(TcpPrinterTest, APrinterThatNeverReadsStallsTheWriteAndNeverAnswers) {
  Listener listener;
  const OpenedPort port = OpenTcpPort("127.0.0.1", listener.port(), 1000);
  ASSERT_NE(port.handle, kNoPort) << port.error;
  listener.Accept();
  const std::vector<std::uint8_t> job(8 << 20, 0x55);
  std::string error;
  EXPECT_FALSE(WriteTcpInTime(port.handle, job.data(), job.size(), 300, {}, &error));
  EXPECT_EQ(error, "the printer took no bytes for 300 ms");
  OpenedPort closing = port;
  ClosePort(closing);
}

}  // namespace
}  // namespace kestrel::test

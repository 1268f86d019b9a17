#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "commands/JobSettings.h"
#include "language/TranslationMap.h"
#include "link/LinkTestSupport.h"
#include "link/PrinterLink.h"
#include "link/posix/SysfsPortDiscovery.h"

namespace kestrel::test {
namespace {

class SerialLinkTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    host_.SelectSerial(pty_.slavePath());
  }

  // The lock file other programs look for beside the printer's line.
  std::string LockFile() const {
    std::string name = pty_.slavePath().substr(5);  // "pts/3"
    name.replace(name.find('/'), 1, "_");
    return ports_.LockFolder() + "/LCK.." + name;
  }

  termios LineOf(const PrinterLink& link) {
    termios line{};
    EXPECT_EQ(tcgetattr(link.PortHandle(), &line), 0);
    return line;
  }

  PtyPair pty_;
};

struct RateRow {
  const char* text;
  speed_t speed;
};

class SerialRateTest : public SerialLinkTest, public ::testing::WithParamInterface<RateRow> {};

TEST_P(SerialRateTest, OpensRaw8N1WithoutHandshakeAtTheListedRate) {
  host_.baudText = GetParam().text;
  PrinterLink link(host_, ports_);
  ASSERT_TRUE(link.OpenSerialPort(pty_.slavePath()));

  const termios line = LineOf(link);
  EXPECT_EQ(cfgetospeed(&line), GetParam().speed);
  EXPECT_EQ(cfgetispeed(&line), GetParam().speed);
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_NE(line.c_cflag & CLOCAL, 0u);
  EXPECT_EQ(line.c_oflag & OPOST, 0u);  // a 0A goes out as it is
  EXPECT_EQ(line.c_lflag & (ICANON | ECHO), 0u);

  const auto bytes = Hex("1B 40 0A 0D 00 FF 1B 0C");
  ASSERT_TRUE(link.WritePrinter(bytes.data(), static_cast<std::int32_t>(bytes.size())));
  EXPECT_BYTES(pty_.Read(bytes.size()), "1B 40 0A 0D 00 FF 1B 0C");
}

INSTANTIATE_TEST_SUITE_P(Rates, SerialRateTest,
                         ::testing::Values(RateRow{"1200", B1200}, RateRow{"115200", B115200}, RateRow{"19200", B19200},
                                           RateRow{"", B9600}, RateRow{"1200 ", B9600}, RateRow{"abc", B9600}));

TEST_F(SerialLinkTest, ASecondOpenOfAHeldPortFailsWithTheWarning) {
  auto holder = std::make_unique<PrinterLink>(host_, ports_);
  ASSERT_TRUE(holder->OpenSerialPort(pty_.slavePath()));

  FakeLinkHost otherHost;
  PrinterLink other(otherHost, ports_);
  EXPECT_FALSE(other.OpenSerialPort(pty_.slavePath()));
  EXPECT_EQ(other.PortHandle(), -1);
  ASSERT_EQ(otherHost.messages.size(), 1u);
  EXPECT_EQ(otherHost.messages[0].text, "此端口被占用或已损坏");
  EXPECT_EQ(otherHost.messages[0].caption, "警告");
  EXPECT_NE(other.LastError().find(pty_.slavePath()), std::string::npos);

  holder.reset();  // the holder's end releases the port
  EXPECT_TRUE(other.OpenSerialPort(pty_.slavePath()));
}

TEST_F(SerialLinkTest, MissingPortWarnsExceptDuringAging) {
  PrinterLink link(host_, ports_);
  EXPECT_FALSE(link.OpenSerialPort("/nonexistent/ttyUSB9"));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].caption, "警告");

  host_.aging = true;
  EXPECT_FALSE(link.OpenSerialPort("/nonexistent/ttyUSB9"));
  EXPECT_EQ(host_.messages.size(), 1u);
}

TEST_F(SerialLinkTest, ComNameOpensTheMatchingTtyS) {
  TempDir dev;
  std::filesystem::create_symlink(pty_.slavePath(), dev.path() + "/ttyS2");
  const posix::SysfsPortDiscovery ports("/sys", dev.path(), ports_.LockFolder());
  PrinterLink link(host_, ports);
  ASSERT_TRUE(link.OpenSerialPort("COM3"));
  const auto bytes = Hex("41");
  EXPECT_TRUE(link.WritePrinter(bytes.data(), 1));
  EXPECT_BYTES(pty_.Read(1), "41");
}

TEST_F(SerialLinkTest, AnythingButATerminalIsRefusedAndLeftAsItIs) {
  TempDir dir;
  const std::string notes = dir.path() + "/notes.txt", pipe = dir.path() + "/pipe";
  WriteText(notes, "keep me");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const int pipeReader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);

  for (const std::string& port : {notes, pipe, std::string("/dev/null")}) {
    FakeLinkHost host;
    PrinterLink link(host, ports_);
    EXPECT_FALSE(link.OpenSerialPort(port)) << port;
    EXPECT_EQ(link.LastError(), "not a serial port: " + port);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "此端口被占用或已损坏");
    EXPECT_FALSE(link.WritePrinter(Hex("41").data(), 1));
  }
  EXPECT_EQ(ReadText(notes), "keep me");
  char got[4];
  EXPECT_LE(read(pipeReader, got, sizeof got), 0);
  close(pipeReader);
}

// The terminal's exclusive mode stays with the device after a close (a
// pseudo-terminal keeps it while its other side is open); the link clears it.
TEST_F(SerialLinkTest, AClosedPortIsLeftOpenToTheNextProgram) {
  auto link = std::make_unique<PrinterLink>(host_, ports_);
  ASSERT_TRUE(link->OpenSerialPort(pty_.slavePath()));
  int exclusive = 0;
  ASSERT_EQ(ioctl(link->PortHandle(), TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 1) << "kept to the link while open";
  link.reset();

  const int next = open(pty_.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(next, 0);
  exclusive = 1;
  EXPECT_EQ(ioctl(next, TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 0);
  close(next);
}

TEST_F(SerialLinkTest, TheLockFileOfARunningProgramKeepsThePortAndAStaleOneIsReplaced) {
  WriteText(LockFile(), "         1\n");  // the init process runs as long as the system
  PrinterLink link(host_, ports_);
  EXPECT_FALSE(link.OpenSerialPort(pty_.slavePath()));
  EXPECT_NE(link.LastError().find("in use by process 1"), std::string::npos) << link.LastError();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].caption, "警告");

  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  ASSERT_EQ(waitpid(ended, nullptr, 0), ended);
  WriteText(LockFile(), std::to_string(ended) + "\n");
  ASSERT_TRUE(link.OpenSerialPort(pty_.slavePath())) << link.LastError();
  char expected[16];
  std::snprintf(expected, sizeof expected, "%10d\n", static_cast<int>(getpid()));
  EXPECT_EQ(ReadText(LockFile()), expected);

  link.ToggleConnection();  // connect, then disconnect: the port and its lock file go
  link.ToggleConnection();
  EXPECT_EQ(link.PortHandle(), -1);
  EXPECT_FALSE(std::filesystem::exists(LockFile()));
}

TEST_F(SerialLinkTest, AReopenKeepsWhatThePreviousJobQueued) {
  host_.selection = 1;
  JobSettings.PortKind = 1;
  PrinterLink link(host_, ports_);
  link.ReconnectPrinter();
  // More than the printer's side holds before it reads: the rest waits in the line.
  const std::vector<std::uint8_t> label(8000, 0x41);
  ASSERT_TRUE(link.WritePrinter(label.data(), static_cast<std::int32_t>(label.size())));
  link.ReconnectPrinter();  // the next job
  ASSERT_TRUE(link.WritePrinter(Hex("1B 53").data(), 2));

  std::vector<std::uint8_t> expected = label;
  expected.insert(expected.end(), {0x1B, 0x53});
  EXPECT_BYTES(pty_.Read(expected.size()), expected);
}

TEST_F(SerialLinkTest, StalledLineFailsTheWriteWithinSeconds) {
  pty_.Stall();
  PrinterLink link(host_, ports_);
  ASSERT_TRUE(link.OpenSerialPort(pty_.slavePath()));

  const std::vector<std::uint8_t> job(100, 0x41);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(link.WritePrinter(job.data(), static_cast<std::int32_t>(job.size())));
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  EXPECT_LT(took.count(), 10000);
  RecordProperty("stalled_write_ms", static_cast<int>(took.count()));
}

TEST_F(SerialLinkTest, VanishedOtherSideFailsTheWrite) {
  auto pty = std::make_unique<PtyPair>();
  PrinterLink link(host_, ports_);
  ASSERT_TRUE(link.OpenSerialPort(pty->slavePath()));
  pty.reset();  // the line hangs up
  const auto bytes = Hex("41 42");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(link.WritePrinter(bytes.data(), 2));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
}  // namespace kestrel::test

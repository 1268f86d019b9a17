#include <fcntl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "link/posix/LinkTestSupport.h"
#include "support/CliRunner.h"

namespace kestrel::test {
namespace {

TEST(SendCommandTest, SendsTheTextAtTheGivenRate) {
  PtyPair pty;
  // Held open here so the line settings outlive the command's own close.
  const int slave = open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(slave, 0);

  const CliRun result = RunCli({"send", "--port", pty.slavePath(), "--baud", "9600", "--text", "ABC"});
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_BYTES(pty.Read(3), "41 42 43");

  termios line{};
  ASSERT_EQ(tcgetattr(slave, &line), 0);
  EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  close(slave);
}

TEST(SendCommandTest, TheLanguagePicksTheCodePageOfTheText) {
  PtyPair pty;
  CliRun result = RunCli({"send", "--port=" + pty.slavePath(), "--lang", "zh", "--text", "A中\u00e9"});
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_BYTES(pty.Read(5), "41 D6 D0 A8 A6");
  result = RunCli({"send", "--port=" + pty.slavePath(), "--lang=en", "--text", "A中\u00e9"});
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_BYTES(pty.Read(4, std::chrono::milliseconds(300)), "41 3F E9");
}

TEST(SendCommandTest, UnreachablePortOrBadUsageFails) {
  const CliRun missing = RunCli({"send", "--port", "/nonexistent/ttyUSB7", "--text", "ABC"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.error.find("/nonexistent/ttyUSB7"), std::string::npos) << missing.error;

  EXPECT_EQ(RunCli({"send", "--port", "/dev/null"}).status, 2);
  EXPECT_EQ(RunCli({"send", "--text", "A"}).status, 2);
  EXPECT_EQ(RunCli({"send", "--port", "/dev/null", "--text"}).status, 2);
  EXPECT_EQ(RunCli({"send", "--port", "/dev/null", "--text", "A", "--bogus", "1"}).status, 2);
  EXPECT_EQ(RunCli({"send", "--port", "/dev/null", "--text", "A", "--baud", "12345"}).status, 2);
  EXPECT_EQ(RunCli({"send", "--port", "/dev/null", "--text", "A", "--copies", "2"}).status, 2);
  EXPECT_EQ(RunCli({"send", "--port", "/dev/null", "--text", "A", "stray"}).status, 2);
}

}  // namespace
}  // namespace kestrel::test

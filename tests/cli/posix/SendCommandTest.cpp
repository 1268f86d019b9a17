#include <fcntl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <thread>

#include "link/LinkTestSupport.h"
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

TEST(SendCommandTest, AFileOfDashIsStandardInput) {
  PtyPair pty;
  const CliRun result = RunProgram(
      "sh", {"-c", "printf 'AB\\nC' | \"$0\" send --port \"$1\" --file -", KESTREL_CLI_PATH, pty.slavePath()});
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_BYTES(pty.Read(4), "41 42 0A 43");
}

TEST(SendCommandTest, AFailedCopyEndsTheRun) {
  // The printer takes the first copy whole and then hangs up while the second
  // is still in the line's queue, which holds less than one copy.
  PtyPair pty;
  const std::string copy(16'384, 'x');
  std::vector<std::uint8_t> arrived;
  std::thread printer([&] {
    arrived = pty.Read(copy.size());
    pty.Close();
  });
  const CliRun result = RunCli({"send", "--port", pty.slavePath(), "--count", "1000", "--text", copy});
  printer.join();
  EXPECT_EQ(arrived.size(), copy.size());
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.error.find("copy 2 of 1000"), std::string::npos) << result.error;
  EXPECT_NE(result.error.find("1 went out"), std::string::npos) << result.error;
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

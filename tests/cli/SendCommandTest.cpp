#include <fcntl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "link/LinkTestSupport.h"

namespace kestrel::test {
namespace {

struct CliResult {
  int status = -1;
  std::string error;
};

CliResult RunCli(const std::vector<std::string>& args) {
  TempDir dir;
  const std::string errorFile = dir.path() + "/stderr";
  const pid_t child = fork();
  if (child == 0) {
    const int err = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int null = open("/dev/null", O_WRONLY);
    dup2(err, 2);
    dup2(null, 1);
    std::vector<char*> argv{const_cast<char*>(KESTREL_CLI_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(KESTREL_CLI_PATH, argv.data());
    _exit(127);
  }
  CliResult result;
  int status = 0;
  waitpid(child, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream file(errorFile);
  result.error.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return result;
}

TEST(SendCommandTest, SendsTheTextAtTheGivenRate) {
  PtyPair pty;
  // Held open here so the line settings outlive the command's own close.
  const int slave = open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(slave, 0);

  const CliResult result = RunCli({"send", "--port", pty.slavePath(), "--baud", "9600", "--text", "ABC"});
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_BYTES(pty.Read(3), "41 42 43");

  termios line{};
  ASSERT_EQ(tcgetattr(slave, &line), 0);
  EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  close(slave);
}

TEST(SendCommandTest, UnreachablePortOrBadUsageFails) {
  const CliResult missing = RunCli({"send", "--port", "/nonexistent/ttyUSB7", "--text", "ABC"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.error.find("/nonexistent/ttyUSB7"), std::string::npos) << missing.error;

  EXPECT_EQ(RunCli({"send", "--port", "/dev/null"}).status, 2);
  EXPECT_EQ(RunCli({"send", "--text", "A"}).status, 2);
  EXPECT_EQ(RunCli({"send", "--port", "/dev/null", "--text"}).status, 2);
  EXPECT_EQ(RunCli({"send", "--port", "/dev/null", "--text", "A", "--bogus", "1"}).status, 2);
}

}  // namespace
}  // namespace kestrel::test

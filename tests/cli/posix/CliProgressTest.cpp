#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "cli/WriteMonitor.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace kestrel::test {
namespace {

// A printer that takes about 10 kB a second, so a write of a few copies
// lasts seconds.
class SlowPrinter {
 public:
  explicit SlowPrinter(PtyPair& line) : line_(line), reader_([this] { Read(); }) {}
  ~SlowPrinter() { Stop(); }
  std::size_t Stop() {
    stop_ = true;
    if (reader_.joinable()) reader_.join();
    return received_.size();
  }

 private:
  void Read() {
    while (!stop_) {
      pollfd ready{line_.master(), POLLIN, 0};
      std::uint8_t piece[1000];
      const ssize_t got = poll(&ready, 1, 100) > 0 ? read(line_.master(), piece, sizeof piece) : 0;
      if (got > 0) received_.insert(received_.end(), piece, piece + got);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    // What is still under way arrives too.
    for (std::size_t before = SIZE_MAX; before != received_.size();) {
      before = received_.size();
      line_.ReadAvailable(received_, 300);
    }
  }

  PtyPair& line_;
  std::atomic<bool> stop_ = false;
  std::vector<std::uint8_t> received_;
  std::thread reader_;
};

struct Spawned {
  pid_t pid = -1;
  int status = -1;
  std::string error;  // what stderr's terminal showed
};

// Starts kestrel-cli with stderr on a terminal of its own (the pty `terminal`)
// and stdout on /dev/null; `whileRunning` runs once it has started.
Spawned RunOnTerminal(const std::vector<std::string>& args, const std::function<void(pid_t)>& whileRunning = {}) {
  PtyPair terminal;
  const int screen = open(terminal.slavePath().c_str(), O_RDWR | O_NOCTTY);
  Spawned run;
  run.pid = fork();
  if (run.pid == 0) {
    setenv("LC_ALL", "C", 1);
    dup2(open("/dev/null", O_WRONLY), 1);
    dup2(screen, 2);
    std::vector<char*> argv{const_cast<char*>(KESTREL_CLI_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(KESTREL_CLI_PATH, argv.data());
    _exit(127);
  }
  close(screen);
  std::vector<std::uint8_t> shown;
  std::thread screenReader([&] {
    while (waitpid(run.pid, &run.status, WNOHANG) == 0) terminal.ReadAvailable(shown, 50);
    terminal.ReadAvailable(shown, 100);
  });
  if (whileRunning) whileRunning(run.pid);
  screenReader.join();
  run.status = WIFEXITED(run.status) ? WEXITSTATUS(run.status) : -1;
  run.error.assign(shown.begin(), shown.end());
  return run;
}

TEST(CliProgressTest, ProgressTextGivesBytesShareRateAndTimeLeft) {
  using cli::ProgressText;
  EXPECT_EQ(ProgressText(49152, 245760, 5.12, 1, 1), "49152 of 245760 bytes (20%), 9.6 kB/s, 0:20 left");
  EXPECT_EQ(ProgressText(900, 3000, 1, 2, 3), "copy 2 of 3: 900 of 3000 bytes (30%), 900 B/s, 0:02 left");
  EXPECT_EQ(ProgressText(0, 3000, 1.5, 1, 1), "0 of 3000 bytes (0%), 0 B/s, -:-- left");
  EXPECT_EQ(ProgressText(1000, 3'601'000, 1, 1, 1), "1000 of 3601000 bytes (0%), 1.0 kB/s, 1:00:00 left");
}

// A send that lasts seconds shows a progress line on a terminal, and none
// when stderr is a pipe or --quiet is given.
TEST(CliProgressTest, ALongWriteShowsProgressOnlyOnATerminal) {
  // The line's buffer takes some 20 kB at once, so the writing lasts about two seconds.
  const std::vector<std::string> send = {"--baud", "9600", "--count", "2", "--text", std::string(20000, 'x')};
  {
    PtyPair line;
    SlowPrinter printer(line);
    std::vector<std::string> args = {"send", "--port", line.slavePath()};
    args.insert(args.end(), send.begin(), send.end());
    const Spawned run = RunOnTerminal(args);
    EXPECT_EQ(printer.Stop(), 40000u);
    EXPECT_EQ(run.status, 0) << run.error;
    EXPECT_NE(run.error.find("\rcopy "), std::string::npos) << run.error;
    EXPECT_NE(run.error.find(" of 40000 bytes ("), std::string::npos) << run.error;
    EXPECT_NE(run.error.find(" left"), std::string::npos) << run.error;
  }
  for (const bool quiet : {false, true}) {
    PtyPair line;
    SlowPrinter printer(line);
    std::vector<std::string> args = {"send", "--port", line.slavePath()};
    args.insert(args.end(), send.begin(), send.end());
    if (quiet) args.push_back("--quiet");
    const CliRun run = quiet ? [&] {
      const Spawned onTerminal = RunOnTerminal(args);
      return CliRun{onTerminal.status, "", onTerminal.error};
    }()
                             : RunCli(args);
    EXPECT_EQ(printer.Stop(), 40000u);
    EXPECT_EQ(run.status, 0) << run.error;
    EXPECT_EQ(run.error, "") << (quiet ? "--quiet on a terminal" : "a pipe");
  }
}

// The first Ctrl+C lets the copy in progress go out whole, then the command
// says what went out and exits 130.
TEST(CliProgressTest, CtrlCEndsASendAfterTheCopyInProgress) {
  PtyPair line;
  SlowPrinter printer(line);
  const std::string copy(5000, 'x');
  const Spawned run =
      RunOnTerminal({"send", "--port", line.slavePath(), "--baud", "9600", "--count", "50", "--text", copy, "--quiet"},
                    [](pid_t pid) {
                      std::this_thread::sleep_for(std::chrono::milliseconds(1200));
                      kill(pid, SIGINT);
                    });
  const std::size_t received = printer.Stop();
  EXPECT_EQ(run.status, 130) << run.error;
  EXPECT_GT(received, 0u);
  EXPECT_LT(received, 50 * copy.size());
  EXPECT_EQ(received % copy.size(), 0u) << received << " bytes: a copy was cut";
  const std::string copies = std::to_string(received / copy.size());
  EXPECT_NE(run.error.find("kestrel-cli: send: interrupted: " + copies + " of 50 copies (" + std::to_string(received) +
                           " of 250000 bytes) went out"),
            std::string::npos)
      << run.error;
}

}  // namespace
}  // namespace kestrel::test

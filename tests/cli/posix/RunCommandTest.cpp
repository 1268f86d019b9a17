#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/EmulatorProcess.h"
#include "support/TestSupport.h"

namespace kestrel {
namespace {

// The port a virtual printer announced: its pseudo-terminal, or tcp:HOST:PORT.
std::string PortOf(const test::Emulator& emulator) {
  const std::string output = emulator.Output();
  const std::size_t tcp = output.find(", port ");
  if (tcp != std::string::npos) return "tcp:127.0.0.1:" + std::to_string(std::stoi(output.substr(tcp + 7)));
  const std::size_t at = output.find("printer port: ");
  return output.substr(at + 14, output.find_first_of(" \n", at + 14) - at - 14);
}

std::unique_ptr<test::Emulator> PtyPrinter(std::vector<std::string> args = {}) {
  args.insert(args.begin(), "--pty");
  return std::make_unique<test::Emulator>(args);
}

std::unique_ptr<test::Emulator> TcpPrinter(std::vector<std::string> args = {}) {
  args.insert(args.begin(), {"--listen", "127.0.0.1:0"});
  return std::make_unique<test::Emulator>(args);
}

// A run in a folder of its own: the plan, the reports and the program's output.
class PlanRun {
 public:
  explicit PlanRun(const std::string& plan) { test::WriteText(PlanPath(), plan); }

  std::string PlanPath() const { return dir_.path() + "/plan.toml"; }
  std::string Jsonl() const { return dir_.path() + "/runs.jsonl"; }
  std::string Junit() const { return dir_.path() + "/run.xml"; }

  std::vector<std::string> Args(const std::vector<std::string>& ports) const {
    std::vector<std::string> args{"run", PlanPath(), "--jsonl", Jsonl(), "--junit", Junit(), "--unattended"};
    for (const std::string& port : ports) args.insert(args.end(), {"--port", port});
    return args;
  }

  test::CliRun Run(const std::vector<std::string>& ports) const { return test::RunCli(Args(ports)); }

  // Starts the run beside the test, for what happens while it goes.
  void Start(const std::vector<std::string>& ports) {
    const std::vector<std::string> args = Args(ports);
    const std::string out = dir_.path() + "/stdout";
    pid_ = fork();
    if (pid_ == 0) {
      dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
      dup2(open("/dev/null", O_RDONLY), 0);
      std::vector<const char*> argv{KESTREL_CLI_PATH};
      for (const std::string& arg : args) argv.push_back(arg.c_str());
      argv.push_back(nullptr);
      execv(KESTREL_CLI_PATH, const_cast<char* const*>(argv.data()));
      _exit(127);
    }
  }
  void Interrupt() const { kill(pid_, SIGINT); }
  // The exit status of the run started, and its output.
  int Wait(std::string* output) {
    int status = 0;
    const bool exited = waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status);
    *output = test::ReadText(dir_.path() + "/stdout");
    return exited ? WEXITSTATUS(status) : -1;
  }

  // Python's own parsers judge the reports: each printer's verdict from the
  // JSON Lines, and the JUnit counts per test suite.
  std::string Verdicts() const {
    return test::RunProgram("python3", {"-c",
                                        "import json, sys\n"
                                        "for line in open(sys.argv[1]):\n"
                                        "  d = json.loads(line)\n"
                                        "  print(d['verdict'], d.get('reason', ''))\n",
                                        Jsonl()})
        .output;
  }
  std::string JunitCounts() const {
    return test::RunProgram("python3", {"-c",
                                        "import sys, xml.etree.ElementTree as E\n"
                                        "for s in E.parse(sys.argv[1]).getroot().iter('testsuite'):\n"
                                        "  print(s.get('tests'), s.get('failures'), s.get('skipped'),\n"
                                        "        len(s.findall('testcase')))\n",
                                        Junit()})
        .output;
  }

 private:
  test::TempDir dir_;
  pid_t pid_ = -1;
};

constexpr char kLabels[] = R"(name = "Labels"
[settings]
lang = "en"
[[step]]
type = "job"
job = "60x20"
[[step]]
type = "aging"
label = "60x30"
interval = 50
ticks = 2
[[step]]
type = "prompt"
question = "Dark enough?"
)";

TEST(RunCommandTest, EveryPrinterPassesOnPtysAndTcp) {
  auto first = PtyPrinter(), second = PtyPrinter(), third = TcpPrinter();
  PlanRun run(kLabels);
  const test::CliRun result = run.Run({PortOf(*first), PortOf(*second), PortOf(*third)});
  EXPECT_EQ(result.status, 0) << result.output << result.error;
  EXPECT_NE(result.output.find("Labels: 3 of 3 printer(s) passed"), std::string::npos) << result.output;
  for (const auto* printer : {first.get(), second.get(), third.get()})
    EXPECT_TRUE(printer->WaitForPage(3)) << printer->Output();
  EXPECT_EQ(run.Verdicts(), "pass \npass \npass \n");
  // Three steps each, the prompt skipped by --unattended.
  EXPECT_EQ(run.JunitCounts(), "3 0 1 3\n3 0 1 3\n3 0 1 3\n");
  // A second run appends to the same JSON Lines.
  EXPECT_EQ(run.Run({PortOf(*first)}).status, 0);
  EXPECT_EQ(run.Verdicts(), "pass \npass \npass \npass \n");
}

// A printer out of paper from its second page and one that never answers
// fail with their reasons; the others pass, and finish first: the silent one
// holds up no one while its query waits out its time.
TEST(RunCommandTest, FaultyAndMutedPrintersFailAloneWithTheirReasons) {
  constexpr char kChecked[] = R"([[step]]
type = "status"
timeout = 1500
[[step]]
type = "job"
job = "60x20"
wait = true
[[step]]
type = "job"
job = "60x30"
wait = true
)";
  auto good = PtyPrinter(), paperEnd = PtyPrinter({"--fault", "paper-end@2"}), muted = TcpPrinter({"--mute"}),
       goodTcp = TcpPrinter();
  PlanRun run(kChecked);
  const std::vector<std::string> ports = {PortOf(*good), PortOf(*paperEnd), PortOf(*muted), PortOf(*goodTcp)};
  const test::CliRun result = run.Run(ports);
  EXPECT_EQ(result.status, 3) << result.output << result.error;
  EXPECT_EQ(run.Verdicts(),
            "pass \n"
            "fail step 3 job 60x30: paper end\n"
            "fail step 1 status: no answer in 1500 ms\n"
            "pass \n");
  const std::size_t mutedFails = result.output.find(ports[2] + " fail");
  EXPECT_LT(result.output.find(ports[0] + " pass"), mutedFails) << result.output;
  EXPECT_LT(result.output.find(ports[3] + " pass"), mutedFails) << result.output;
}

// Paper runs out at the second label and comes back a second later: the
// aging step stops there, waits it out, or counts it as allowed.
TEST(RunCommandTest, AgingWithStatusChecksStopsWaitsOrAllows) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"on-fault = \"stop\"", "fail step 1 aging 60x20: label 2: paper end; faults 1, waited False\n"},
      {"on-fault = \"wait\"", "pass ; faults 1, waited True\n"},
      {"allow = [\"paper-end\"]", "pass ; faults 2, waited False\n"},
  };
  for (const auto& [onFault, expected] : rows) {
    auto printer = PtyPrinter({"--fault", "paper-end@2", "--fault-for", "1"});
    PlanRun run("[[step]]\ntype = \"aging\"\nlabel = \"60x20\"\ninterval = 100\nticks = 3\ncheck-status = true\n" +
                onFault + "\n");
    run.Run({PortOf(*printer)});
    const test::CliRun report =
        test::RunProgram("python3", {"-c",
                                     "import json, sys\n"
                                     "d = json.loads(open(sys.argv[1]).read())\n"
                                     "s = d['steps'][0]\n"
                                     "print(d['verdict'], d.get('reason', '') + '; faults', s['faults'], end=', ')\n"
                                     "print('waited', s['secondsLost'] > 0.5)\n",
                                     run.Jsonl()});
    EXPECT_EQ(report.output, expected) << onFault << report.error;
  }
}

TEST(RunCommandTest, APrinterRemovedMidRunFailsAloneAndNoneReachedIsOne) {
  constexpr char kLongAging[] = R"([[step]]
type = "aging"
label = "60x20"
interval = 100
ticks = 15
)";
  auto going = PtyPrinter(), staying = PtyPrinter();
  PlanRun run(kLongAging);
  run.Start({PortOf(*going), PortOf(*staying)});
  ASSERT_TRUE(going->WaitForPage(2)) << going->Output();
  going->Stop();
  std::string output;
  EXPECT_EQ(run.Wait(&output), 3) << output;
  EXPECT_TRUE(staying->WaitForPage(15)) << staying->Output();
  const std::string verdicts = run.Verdicts();
  EXPECT_EQ(verdicts.find("fail step 1 aging 60x20: label "), 0u) << verdicts;
  EXPECT_NE(verdicts.find("\npass \n"), std::string::npos) << verdicts;

  EXPECT_EQ(run.Run({"/dev/pts/999999", "/dev/null"}).status, 1);
}

TEST(RunCommandTest, CtrlCStopsEveryPrinterAndTheReportIsWhole) {
  constexpr char kEndless[] = R"([[step]]
type = "aging"
label = "60x20"
interval = 100
duration = "1h"
[[step]]
type = "job"
job = "60x30"
)";
  auto first = PtyPrinter(), second = TcpPrinter();
  PlanRun run(kEndless);
  run.Start({PortOf(*first), PortOf(*second)});
  ASSERT_TRUE(first->WaitForPage(2)) << first->Output();
  ASSERT_TRUE(second->WaitForPage(2)) << second->Output();
  run.Interrupt();
  std::string output;
  EXPECT_EQ(run.Wait(&output), 130) << output;
  EXPECT_NE(output.find("interrupted"), std::string::npos) << output;
  EXPECT_EQ(run.Verdicts(), "interrupted stopped by Ctrl+C after step 1\ninterrupted stopped by Ctrl+C after step 1\n");
  EXPECT_EQ(run.JunitCounts(), "2 0 2 2\n2 0 2 2\n");
}

TEST(RunCommandTest, ABadPlanSendsNothing) {
  auto printer = PtyPrinter();
  PlanRun run("[[step]]\ntype = \"job\"\njob = \"60x20\"\n[[step]]\ntype = \"job\"\njob = \"6x20\"\n");
  const test::CliRun result = run.Run({PortOf(*printer)});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.error.find("plan.toml:6:7: unknown job '6x20'"), std::string::npos) << result.error;
  EXPECT_EQ(test::ReadText(run.Jsonl()), "");
  usleep(200000);
  EXPECT_EQ(printer->Output().find("page 1"), std::string::npos) << printer->Output();
}

}  // namespace
}  // namespace kestrel

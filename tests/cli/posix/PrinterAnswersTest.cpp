#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/EmulatorProcess.h"
#include "support/TestSupport.h"

// kestrel-cli asking the virtual printer, on a pseudo-terminal and on TCP,
// for its status and identity, and whether a job has printed.
namespace kestrel::cli {
namespace {

using test::CliRun;
using test::Emulator;
using test::RunCli;

// A virtual printer on a TCP port of its own choosing (port 0), and the port
// name that reaches it.
struct NetworkPrinter {
  explicit NetworkPrinter(std::vector<std::string> args) : emulator(With(std::move(args))) {
    const std::string line = emulator.Output();
    const std::size_t at = line.find(", port ");
    port =
        "tcp:127.0.0.1:" + (at == std::string::npos ? std::string("0") : line.substr(at + 7, line.find('\n') - at - 7));
  }
  static std::vector<std::string> With(std::vector<std::string> args) {
    args.insert(args.begin(), {"--listen", "127.0.0.1:0"});
    return args;
  }
  Emulator emulator;
  std::string port;
};

struct SerialPrinter {
  explicit SerialPrinter(std::vector<std::string> args)
      : port(folder.path() + "/printer"), emulator(With(args, port)) {}
  static std::vector<std::string> With(std::vector<std::string> args, const std::string& link) {
    args.insert(args.begin(), {"--pty", "--link", link});
    return args;
  }
  test::TempDir folder;
  std::string port;
  Emulator emulator;
};

TEST(PrinterAnswersTest, StatusTellsEachFaultAndExitsWithIt) {
  struct Row {
    const char* fault;
    const char* json;  // a part of the JSON
    int status;
  };
  const Row rows[] = {
      {"paper-end", "\"fault\": \"paper end\", \"online\": false", 3},
      {"near-end", "\"ready\": true, \"fault\": \"\", \"online\": true", 0},
      {"cover-open", "\"fault\": \"cover open\"", 3},
      {"cutter-error", "\"fault\": \"cutter error\"", 3},
      {"offline", "\"fault\": \"offline\"", 3},
  };
  for (const Row& row : rows) {
    NetworkPrinter printer({"--fault", row.fault});
    const CliRun run = RunCli({"status", "--port", printer.port, "--json"});
    EXPECT_EQ(run.status, row.status) << row.fault << ": " << run.error;
    EXPECT_NE(run.output.find(row.json), std::string::npos) << run.output;
    const CliRun parsed = test::PythonJson(run.output, "d['answered'], d['words'][0]");
    EXPECT_EQ(parsed.output, row.status == 0 ? "True online\n" : "True offline\n") << row.fault;
  }
  SerialPrinter ready({});
  const CliRun run = RunCli({"status", "--port", ready.port});
  EXPECT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.output, "ready\nonline, drawer closed\n");
}

TEST(PrinterAnswersTest, AMutePrinterTimesOutAndInfoShowsOnlyWhatWasAnswered) {
  SerialPrinter mute({"--mute"});
  const auto start = std::chrono::steady_clock::now();
  CliRun run = RunCli({"status", "--port", mute.port, "--timeout", "300"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.error.find("no answer in 300 ms"), std::string::npos) << run.error;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

  NetworkPrinter printer({});
  run = RunCli({"info", "--port", printer.port, "--timeout", "300"});
  EXPECT_EQ(run.status, 0) << run.error;
  EXPECT_NE(run.output.find("firmware version: 1.0.0.16\n"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("serial number:    (no answer in 300 ms)\n"), std::string::npos) << run.output;
  run = RunCli({"info", "--port", printer.port, "--timeout", "300", "--json"});
  EXPECT_EQ(test::PythonJson(run.output, "d['items']['maker'], d['items']['serialNumber'], d['unanswered']").output,
            "Tarnwick None {'serialNumber': 'no answer in 300 ms'}\n");
}

TEST(PrinterAnswersTest, PrintWaitReportsOnceThePageIsThere) {
  for (const bool network : {false, true}) {
    std::unique_ptr<NetworkPrinter> tcp;
    std::unique_ptr<SerialPrinter> pty;
    if (network)
      tcp = std::make_unique<NetworkPrinter>(std::vector<std::string>{});
    else
      pty = std::make_unique<SerialPrinter>(std::vector<std::string>{});
    const Emulator& emulator = network ? tcp->emulator : pty->emulator;
    const CliRun run = RunCli({"print", "60x30", "--port", network ? tcp->port : pty->port, "--wait"});
    EXPECT_EQ(run.status, 0) << run.error;
    EXPECT_EQ(run.output.rfind("printed in ", 0), 0u) << run.output;
    // The answer came after the page was written, not merely received.
    EXPECT_TRUE(std::filesystem::exists(emulator.PagePath(1))) << (network ? "tcp" : "pty");
  }
  SerialPrinter mute({"--mute"});
  const CliRun run = RunCli({"print", "60x30", "--port", mute.port, "--wait", "--timeout", "300"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.error.find("sent, but not known to have printed: no answer in 300 ms"), std::string::npos) << run.error;
}

TEST(PrinterAnswersTest, AgingStopsOrWaitsOnAFaultFromItsPageAndLogsIt) {
  test::TempDir folder;
  const std::string log = folder.path() + "/run.csv";
  {
    SerialPrinter printer({"--fault", "paper-end@2"});
    const CliRun run = RunCli({"aging", "60x40", "--port", printer.port, "--ticks", "4", "--interval", "50",
                               "--check-status", "--on-fault", "stop", "--log", log});
    EXPECT_EQ(run.status, 3) << run.error;
    const std::string text = test::ReadText(log);
    EXPECT_NE(text.find(",2,0,printer-fault,paper end\n"), std::string::npos) << text;
    EXPECT_NE(text.find(",end,658,stopped,2 of 2 ticks sent\n"), std::string::npos) << text;
  }
  std::filesystem::remove(log);
  NetworkPrinter printer({"--fault", "cover-open@1", "--fault-for", "1"});
  const CliRun run = RunCli({"aging", "60x40", "--port", printer.port, "--ticks", "2", "--interval", "50",
                             "--check-status", "--on-fault", "wait", "--wait", "--log", log});
  EXPECT_EQ(run.status, 0) << run.error;
  const std::string text = test::ReadText(log);
  EXPECT_NE(text.find(",1,329,sent,printed in "), std::string::npos) << text;
  EXPECT_NE(text.find(",1,0,printer-fault,cover open\n"), std::string::npos) << text;
  EXPECT_NE(text.find(",1,0,ready,waited "), std::string::npos) << text;
  EXPECT_NE(text.find(",end,658,done,\"2 of 2 ticks sent, "), std::string::npos) << text;
  EXPECT_NE(text.find(" ms lost to faults\"\n"), std::string::npos) << text;
}

TEST(PrinterAnswersTest, OptionsThatDoNotFitAreRefused) {
  const std::vector<std::vector<std::string>> lines = {
      {"emulate", "--pty", "--fault", "paper-out"},
      {"emulate", "--pty", "--fault-for", "3"},
      {"aging", "60x40", "--port", "/dev/null", "--on-fault", "wait"},
      {"aging", "60x40", "--port", "/dev/null", "--check-status", "--on-fault", "later"},
      {"print", "60x40", "--port", "/dev/null", "--timeout", "100"},
      {"status", "--port", "tcp:printer:99999"},
      {"status"},
  };
  for (const auto& line : lines) EXPECT_EQ(RunCli(line).status, 2) << line[0] << " " << line.back();
}

}  // namespace
}  // namespace kestrel::cli

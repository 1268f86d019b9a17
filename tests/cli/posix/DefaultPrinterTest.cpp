#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/DefaultPrinter.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace kestrel::test {
namespace {

// The environment of the programs a test starts: a settings folder of its
// own and the default-printer variables, put back as they were at the end.
class PrinterEnvironment {
 public:
  PrinterEnvironment() {
    for (const char* name : kNames)
      if (const char* value = std::getenv(name)) saved_.emplace_back(name, value);
    setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
    unsetenv("KESTREL_PORT");
    unsetenv("KESTREL_BAUD");
  }
  ~PrinterEnvironment() {
    for (const char* name : kNames) unsetenv(name);
    for (const auto& [name, value] : saved_) setenv(name.c_str(), value.c_str(), 1);
  }
  void SettingsFile(const std::string& text) { WriteText(SettingsPath(), text); }
  std::string SettingsPath() const { return config_.path() + "/kestrel/kestrel.conf"; }
  static void Set(const char* name, const std::string& value) {
    if (value.empty())
      unsetenv(name);
    else
      setenv(name, value.c_str(), 1);
  }

 private:
  static constexpr const char* kNames[] = {"XDG_CONFIG_HOME", "KESTREL_PORT", "KESTREL_BAUD"};
  TempDir config_;
  std::vector<std::pair<std::string, std::string>> saved_;
};

speed_t LineSpeed(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  termios line{};
  tcgetattr(fd, &line);
  close(fd);
  return cfgetospeed(&line);
}

// The command line wins over the environment, the environment over the
// settings file; the language comes from the file alone.
TEST(DefaultPrinterTest, CommandLineWinsOverEnvironmentOverFile) {
  PrinterEnvironment environment;
  PtyPair filePort, envPort, linePort;
  // Held open so the line settings outlive the command's own close.
  std::vector<int> held;
  for (PtyPair* pty : {&filePort, &envPort, &linePort}) held.push_back(open(pty->slavePath().c_str(), O_RDWR));
  environment.SettingsFile("# the printer on the bench\nport = " + filePort.slavePath() + "\nbaud = 9600\nlang = zh\n");
  const struct {
    std::string envPort, envBaud;
    std::vector<std::string> line;
    PtyPair* expectedPort;
    speed_t expectedSpeed;
  } rows[] = {
      {"", "", {}, &filePort, B9600},
      {envPort.slavePath(), "19200", {}, &envPort, B19200},
      {envPort.slavePath(), "19200", {"--port", linePort.slavePath(), "--baud", "38400"}, &linePort, B38400},
      {"", "19200", {"--port", linePort.slavePath()}, &linePort, B19200},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expectedPort->slavePath());
    PrinterEnvironment::Set("KESTREL_PORT", row.envPort);
    PrinterEnvironment::Set("KESTREL_BAUD", row.envBaud);
    std::vector<std::string> args = {"send", "--text", "中"};
    args.insert(args.end(), row.line.begin(), row.line.end());
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 0) << run.error;
    EXPECT_BYTES(row.expectedPort->Read(2), "D6 D0");  // lang = zh: GBK
    EXPECT_EQ(LineSpeed(row.expectedPort->slavePath()), row.expectedSpeed);
  }
  PrinterEnvironment::Set("KESTREL_PORT", envPort.slavePath());
  EXPECT_EQ(RunCli({"send", "--text", "中", "--lang", "en"}).status, 0);
  EXPECT_BYTES(envPort.Read(1), "3F");  // --lang en over the file's zh
  for (const int fd : held) close(fd);
}

TEST(DefaultPrinterTest, BadDefaultsAreUsageErrorsNamingWhereTheyCameFrom) {
  PrinterEnvironment environment;
  const std::string file = environment.SettingsPath();
  const struct {
    std::string text, envBaud, message;
  } rows[] = {
      {"port = usb\nprot = x\n", "", file + ":2: unknown setting 'prot' (did you mean port?)"},
      {"\xEF\xBB\xBFport\n", "", file + ":1: expected key = value, found 'port'"},
      {"baud = 1234\n", "", file + ":1: --baud takes one of"},
      {"port = usb\n", "12", "KESTREL_BAUD: --baud takes one of"},
      {"", "", "--port is required (or KESTREL_PORT, or port = ... in " + file + ")"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.message);
    environment.SettingsFile(row.text);
    PrinterEnvironment::Set("KESTREL_BAUD", row.envBaud);
    const CliRun run = RunCli({"print", "60x20"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.error.rfind("kestrel-cli: print: " + row.message, 0), 0u) << run.error;
  }
  // A command that needs no printer is not held up by the file.
  environment.SettingsFile("prot = x\n");
  EXPECT_EQ(RunCli({"jobs"}).status, 0);
}

TEST(DefaultPrinterTest, ListPortsMarksTheDefault) {
  PrinterEnvironment environment;
  environment.SettingsFile("port = /dev/ttyKESTREL9\n");
  const CliRun fromFile = RunCli({"list-ports"});
  EXPECT_NE(
      fromFile.output.find("Default port: /dev/ttyKESTREL9 (from " + environment.SettingsPath() + ":1; not present)\n"),
      std::string::npos)
      << fromFile.output;
  PrinterEnvironment::Set("KESTREL_PORT", "usb");
  const CliRun json = RunCli({"list-ports", "--json"});
  EXPECT_NE(json.output.find("\"default\": {\"port\": \"usb\", \"from\": \"KESTREL_PORT\"}"), std::string::npos)
      << json.output;
}

TEST(DefaultPrinterTest, SettingsTextIsReadLineByLine) {
  const cli::PrinterDefaults defaults =
      cli::ReadSettingsText("; comment\r\n\r\n  port = \"/dev/ttyUSB0\"  \r\nbaud=9600\nlang = en", "k.conf");
  EXPECT_EQ(defaults.problem, std::nullopt);
  ASSERT_TRUE(defaults.port && defaults.baud && defaults.lang);
  EXPECT_EQ(defaults.port->value, "/dev/ttyUSB0");
  EXPECT_EQ(defaults.port->source, "k.conf:3");
  EXPECT_EQ(defaults.baud->value, "9600");
  EXPECT_EQ(defaults.lang->value, "en");
  EXPECT_EQ(defaults.lang->source, "k.conf:5");
}

}  // namespace
}  // namespace kestrel::test

#include <gtest/gtest.h>

#include <string>

#include "cli/CliCommands.h"
#include "support/CliRunner.h"

namespace kestrel::cli {
namespace {

using test::CliRun;
using test::RunCli;

// A Windows operator reads COM ports in the help, never a Linux device path,
// and emulate offers only what Windows has: a TCP port, no pseudo-terminal.
TEST(WindowsHelpTest, SpeaksOfComPortsAndOffersNoPseudoTerminal) {
  for (const CliCommand& command : CommandTable()) {
    SCOPED_TRACE(command.name);
    const CliRun page = RunCli({"help", command.name});
    ASSERT_EQ(page.status, 0);
    EXPECT_EQ(page.output.find("/dev/"), std::string::npos) << page.output;
    EXPECT_EQ(page.output.find("--pty"), std::string::npos) << page.output;
  }
  EXPECT_NE(RunCli({"help", "print"}).output.find("--port COM3"), std::string::npos);
  EXPECT_NE(RunCli({"help", "aging"}).output.find("PORT is usb (the first USB printer), a COM port"),
            std::string::npos);
  EXPECT_EQ(RunCli({"emulate", "--pty"}).status, 2);
}

}  // namespace
}  // namespace kestrel::cli

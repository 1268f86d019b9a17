#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "support/CliRunner.h"

namespace kestrel::cli {
namespace {

using test::CliRun;
using test::RunCli;

// `help COMMAND` and `COMMAND --help` print the same page: the synopsis, the
// meaning, one line per option the command takes and a runnable example.
TEST(CliHelpTest, EveryCommandDocumentsEachOptionItTakesAndAnExample) {
  const CliRun overview = RunCli({"help"});
  ASSERT_EQ(overview.status, 0);
  for (const CliCommand& command : CommandTable()) {
    SCOPED_TRACE(command.name);
    EXPECT_NE(overview.output.find("  " + std::string(command.name) + " "), std::string::npos);
    const CliRun page = RunCli({"help", command.name});
    ASSERT_EQ(page.status, 0);
    EXPECT_EQ(page.output.rfind("usage: kestrel-cli " + std::string(command.name) + " ", 0), 0u) << page.output;
    EXPECT_NE(page.output.find("example:\n  kestrel-cli " + std::string(command.name)), std::string::npos);
    for (const std::string& option : AcceptedOptionNames(command.options))
      EXPECT_NE(page.output.find("\n  " + option + " "), std::string::npos) << option << " has no line";
    EXPECT_EQ(RunCli({command.name, "--help"}).output, page.output);
  }
  EXPECT_EQ(RunCli({"--help"}).output, overview.output);
}

// The examples are real command lines: the ones that need no printer run.
TEST(CliHelpTest, ExamplesWithoutAPrinterRun) {
  for (const char* name : {"list-ports", "jobs", "compose", "help"}) {
    std::vector<std::string> words;
    std::string example = FindCommand(name)->example;
    ASSERT_EQ(example.rfind("kestrel-cli ", 0), 0u);
    example.erase(0, 12);
    // Split at blanks outside double quotes.
    std::string word;
    bool quoted = false;
    for (const char c : example + ' ') {
      if (c == '"') {
        quoted = !quoted;
      } else if (c == ' ' && !quoted) {
        if (!word.empty()) words.push_back(word);
        word.clear();
      } else {
        word += c;
      }
    }
    EXPECT_EQ(RunCli(words).status, 0) << FindCommand(name)->example;
  }
}

TEST(CliHelpTest, SlipsNameTheClosestKnownCommandOrOption) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
      {{"comopse", "density"}, "unknown command 'comopse' (did you mean compose?)"},
      {{"help", "agin"}, "unknown command 'agin' (did you mean aging?)"},
      {{"help", "aging", "jobs"}, "help: unexpected argument 'jobs'"},
      {{"compose", "density", "--densty", "3"}, "unknown option '--densty' (did you mean --density?)"},
      {{"compose", "density", "--ouptut", "x"}, "unknown option '--ouptut' (did you mean --output?)"},
      {{"aging", "60x40", "--port", "usb", "--tick", "2"}, "unknown option '--tick' (did you mean --ticks?)"},
      {{"send", "--port", "usb", "--hx"}, "unknown option '--hx' (did you mean --hex?)"},
      {{"list-ports", "--jsn"}, "unknown option '--jsn' (did you mean --json?)"},
  };
  for (const auto& [args, message] : rows) {
    SCOPED_TRACE(testing::PrintToString(args));
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "");
    EXPECT_NE(run.error.find(message), std::string::npos) << run.error;
  }
}

}  // namespace
}  // namespace kestrel::cli

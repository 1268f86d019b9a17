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
    for (const OptionRow& option : command.options) {
      const std::string head = option.shortName ? std::string(option.shortName) + ", " + option.name : option.name;
      EXPECT_NE(page.output.find("\n  " + head + " "), std::string::npos) << option.name << " has no line";
    }
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

// A slip is answered with the closest name of the right kind (commands,
// that command's options, job names), and only when it is close.
TEST(CliHelpTest, SlipsNameTheClosestKnownCommandOptionOrJob) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
      {{"comopse", "density"}, "unknown command 'comopse' (did you mean compose?)\n"},
      {{"prnt"}, "unknown command 'prnt' (did you mean print?)\n"},
      {{"-x"}, "unknown command '-x'\n"},
      {{"help", "agin"}, "unknown command 'agin' (did you mean aging?)\n"},
      {{"help", "aging", "jobs"}, "help: unexpected argument 'jobs'\n"},
      {{"compose", "density", "--densty", "3"}, "unknown option '--densty' (did you mean --density?)\n"},
      {{"compose", "density", "--ouptut", "x"}, "unknown option '--ouptut' (did you mean --output?)\n"},
      {{"compose", "density", "--baud", "9600"}, "compose: unknown option '--baud'\n"},
      {{"compose", "60x2"}, "compose: unknown job '60x2' (did you mean 60x20?)\n"},
      {{"compose", "labelx"}, "compose: unknown job 'labelx'\n"},
      {{"aging", "60x40", "--port", "usb", "--tick", "2"}, "unknown option '--tick' (did you mean --ticks?)\n"},
      {{"send", "--port", "usb", "--hx"}, "unknown option '--hx' (did you mean --hex?)\n"},
      {{"list-ports", "--jsn"}, "unknown option '--jsn' (did you mean --json?)\n"},
  };
  for (const auto& [args, message] : rows) {
    SCOPED_TRACE(testing::PrintToString(args));
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "");
    EXPECT_NE(run.error.find(message), std::string::npos) << run.error;
  }
}

// A usage error is three lines: what is wrong, the command's usage, and where
// its help is; never the whole overview.
TEST(CliHelpTest, UsageErrorsShowTheCommandsOwnUsage) {
  EXPECT_EQ(RunCli({"jobs", "extra"}).error,
            "kestrel-cli: jobs: unexpected argument 'extra'\n"
            "usage: kestrel-cli jobs [--json]\n"
            "see `kestrel-cli help jobs`\n");
  EXPECT_EQ(RunCli({}).error,
            "kestrel-cli: which command?\nusage: kestrel-cli COMMAND [arguments]\nsee `kestrel-cli help`\n");
}

// -h and --help stand for the command's help wherever an option may stand,
// even after an option it refuses; a value that reads "-h" is a value.
TEST(CliHelpTest, HelpOnEveryCommandAndVersionAliases) {
  const std::string page = RunCli({"help", "print"}).output;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"print", "-h"}, {"print", "60x20", "--port", "usb", "--help"}, {"print", "--bogus", "-h"}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, page);
  }
  const CliRun text = RunCli({"compose", "60x20", "--copies", "-h", "--", "-h"});
  EXPECT_EQ(text.status, 2);
  EXPECT_NE(text.error.find("unexpected argument '-h'"), std::string::npos) << text.error;
  const std::string version = RunCli({"--version"}).output;
  EXPECT_EQ(version.rfind("kestrel-cli ", 0), 0u);
  EXPECT_EQ(RunCli({"-V"}).output, version);
  EXPECT_EQ(RunCli({"version"}).output, version);
}

}  // namespace
}  // namespace kestrel::cli

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/plan/PlanFile.h"

namespace kestrel::cli {
namespace {

std::vector<std::string> Problems(const std::string& text) {
  Plan plan;
  std::vector<std::string> lines;
  for (const PlanProblem& problem : ParsePlan(text, &plan)) lines.push_back(PlanProblemText("p.toml", problem));
  return lines;
}

// Every step kind with its fields, as the runner takes them.
TEST(PlanFileTest, ReadsEveryStepKind) {
  Plan plan;
  const std::string text = R"(name = "Line 3"
[settings]
lang = "en"
density = 5
copies = 2
baud = 9600
at = "2024-03-05 14:07:09"
[[step]]
type = "info"
model = "KP-2*"
firmware = "1.?"
[[step]]
type = "status"
timeout = 500
[[step]]
type = "job"
job = "60x40"
copies = 3
wait = true
[[step]]
type = "aging"
label = "80x60"
interval = 250
duration = "1h30m"
check-status = true
allow = ["cover-open"]
on-fault = "wait"
[[step]]
type = "prompt"
name = "darkness"
question = "Dark enough?"
[[step]]
type = "pause"
seconds = 1.5
)";
  ASSERT_TRUE(ParsePlan(text, &plan).empty());
  EXPECT_EQ(plan.name, "Line 3");
  EXPECT_EQ(plan.codePage, 1252);
  EXPECT_EQ(plan.context.densityIndex, 4);
  EXPECT_EQ(plan.context.copiesText, "2");
  EXPECT_EQ(plan.baud, "9600");
  EXPECT_TRUE(plan.timeGiven);
  EXPECT_EQ(plan.context.now.tm_hour, 14);
  ASSERT_EQ(plan.steps.size(), 6u);
  EXPECT_EQ(plan.steps[0].modelPattern, "KP-2*");
  EXPECT_EQ(plan.steps[0].firmwarePattern, "1.?");
  EXPECT_EQ(plan.steps[0].place.line, 8);
  EXPECT_EQ(plan.steps[1].timeout.count(), 500);
  EXPECT_EQ(plan.steps[2].name, "job 60x40");
  EXPECT_EQ(plan.steps[2].copies, "3");
  EXPECT_TRUE(plan.steps[2].wait);
  const PlanStep& aging = plan.steps[3];
  EXPECT_STREQ(aging.job->name, "80x60");
  EXPECT_EQ(aging.intervalMs, 250);
  EXPECT_EQ(aging.ticks, 0);
  EXPECT_EQ(aging.duration.count(), 5400);
  EXPECT_TRUE(aging.checkStatus);
  EXPECT_TRUE(aging.waitOnFault);
  EXPECT_EQ(aging.allowedFaults, std::vector<std::string>{"cover-open"});
  EXPECT_EQ(plan.steps[4].name, "darkness");
  EXPECT_EQ(plan.steps[4].question, "Dark enough?");
  EXPECT_EQ(plan.steps[5].pause.count(), 1500);
}

// Every mistake is found in one reading, each at its line and column.
TEST(PlanFileTest, ReportsEveryProblemWithItsPlace) {
  const std::string text = R"(name = "Bad"
colour = "red"
[settings]
density = 9
densty = 3
port = "usb"
[[step]]
type = "jb"
[[step]]
type = "job"
job = "60x99"
copies = 0
wait = "yes"
[[step]]
type = "aging"
label = "selftest"
interval = 0
allow = ["paper_end"]
[[step]]
type = "pause"
seconds = -1
[[step]]
type = "prompt"
question = 3
colour = 1
[[step]]
name = "no type"
)";
  const std::vector<std::string> expected = {
      "p.toml:2:1: unknown key 'colour' (a plan has name, [settings] and [[step]])",
      "p.toml:4:11: 'density' takes a level from 1 to 8",
      "p.toml:5:1: unknown setting 'densty' (did you mean density?)",
      "p.toml:6:1: the ports are given on the command line, with --port",
      "p.toml:8:8: unknown step type 'jb' (did you mean job?)",
      "p.toml:11:7: unknown job '60x99' (kestrel-cli jobs lists them)",
      "p.toml:12:10: 'copies' takes a whole number from 1 to 255",
      "p.toml:13:8: 'wait' takes true or false",
      "p.toml:14:1: an aging step needs 'ticks', 'duration' or both",
      "p.toml:14:1: 'allow' and 'on-fault' need check-status = true",
      "p.toml:16:9: an aging step prints a test label (60x20 ... 80x60), not 'selftest'",
      "p.toml:17:12: 'interval' takes a whole number from 1 to 86400000",
      "p.toml:18:10: unknown fault 'paper_end' (did you mean paper-end?)",
      "p.toml:21:11: 'seconds' takes seconds above 0 (at most 86400), or a text such as \"90s\", \"30m\", \"12h\"",
      "p.toml:24:12: 'question' takes a text in quotes",
      "p.toml:25:1: a prompt step has no 'colour'",
      "p.toml:26:1: step 6 needs a type: info, status, job, aging, prompt, pause",
  };
  EXPECT_EQ(Problems(text), expected);
}

TEST(PlanFileTest, SyntaxErrorsAndEmptyPlans) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"name = \"x\"\n[[step]\n", "p.toml:2:8: Error while parsing table header: expected ']', saw '\\n'"},
      {"name = \"x\"\n", "p.toml:1:1: the plan has no steps: add one under [[step]]"},
      {"step = 3\n", "p.toml:1:8: the steps are tables, each under [[step]]"},
      {"[[step]]\ntype = \"aging\"\nlabel = \"60x40\"\nduration = \"12x\"\n",
       "p.toml:4:12: 'duration' takes seconds above 0 (at most 2592000), or a text such as \"90s\", \"30m\", \"12h\""},
      {"[[step]]\ntype = \"aging\"\nlabel = \"60x40\"\nticks = 2\non-fault = \"pause\"\ncheck-status = true\n",
       "p.toml:5:12: 'on-fault' takes \"stop\" or \"wait\""},
  };
  for (const auto& [text, problem] : rows) EXPECT_EQ(Problems(text), std::vector<std::string>{problem}) << text;
}

TEST(PlanFileTest, TheExamplePlansAreValid) {
  for (const auto& entry : std::filesystem::directory_iterator(KESTREL_SOURCE_DIR "/examples/plans")) {
    Plan plan;
    const std::vector<PlanProblem> problems = ReadPlanFile(entry.path().string(), &plan);
    EXPECT_TRUE(problems.empty()) << PlanProblemText(entry.path().string(), problems.front());
    EXPECT_FALSE(plan.name.empty()) << entry.path();
  }
  Plan plan;
  const std::vector<PlanProblem> missing = ReadPlanFile("no-such-plan.toml", &plan);
  ASSERT_EQ(missing.size(), 1u);
  EXPECT_EQ(PlanProblemText("no-such-plan.toml", missing[0]),
            "no-such-plan.toml: cannot read the plan: No such file or directory");
}

TEST(PlanFileTest, PatternsMatchLikeShellGlobs) {
  const std::vector<std::tuple<const char*, const char*, bool>> rows = {
      {"KP-206", "KP-2*", true},
      {"KP-306", "KP-2*", false},
      {"kp-206", "KP-2??", true},
      {"KP-2", "KP-2?", false},
      {"V1.2.3", "*1.2*", true},
      {"V1.2.3", "*", true},
      {"", "*", true},
      {"", "?", false},
      {"abcbcd", "a*bcd", true},
      {"abcbce", "a*bcd", false},
      {"exact", "exact", true},
      {"exactly", "exact", false},
  };
  for (const auto& [text, pattern, matches] : rows)
    EXPECT_EQ(MatchesPattern(text, pattern), matches) << text << " ~ " << pattern;
}

}  // namespace
}  // namespace kestrel::cli

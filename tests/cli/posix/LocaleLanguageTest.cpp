#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/CliRunner.h"

namespace kestrel::test {
namespace {

// Without --lang the locale's character set picks the job's texts.
TEST(LocaleLanguageTest, TheLocalePicksTheLanguageOfAJob) {
  const std::vector<std::string> job{"compose", "60x20", "--at", "2024-03-05 14:07:09"};
  std::vector<std::string> chinese = job, english = job;
  chinese.insert(chinese.end(), {"--lang", "zh"});
  english.insert(english.end(), {"--lang", "en"});
  const CliRun fromChineseLocale = RunCli(job, "zh_CN.UTF-8");
  EXPECT_EQ(fromChineseLocale.status, 0);
  EXPECT_EQ(fromChineseLocale.output, RunCli(chinese).output);
  EXPECT_EQ(RunCli(job, "C").output, RunCli(english).output);
  EXPECT_NE(fromChineseLocale.output, RunCli(english).output);
}

}  // namespace
}  // namespace kestrel::test

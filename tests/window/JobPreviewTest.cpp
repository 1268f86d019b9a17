#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/TranslationMap.h"
#include "window/ControlIds.h"
#include "window/FakeDialogControls.h"
#include "window/JobPreview.h"

namespace kestrel::test {
namespace {

// A row a job, in the order of the buttons, named by the button's caption
// without its access key; the self-test's two buttons give one row, named by
// the first; a button without caption gives the job's name.
TEST(JobPreviewTest, JobRowsFollowTheButtons) {
  FakeDialogControls controls(MainWindowTemplate());
  controls.SetText(kSelfLearnButton, "Self-&learn");
  controls.SetText(kPrintSelfTestButton, "Self test");
  controls.SetText(kSelfTestButton, "Self test (2)");
  controls.SetText(k60x20Button, "");

  const std::vector<PreviewJob> jobs = PreviewJobs(controls);
  ASSERT_EQ(jobs.size(), 36u);
  EXPECT_EQ(jobs.front().name, "selflearn");
  EXPECT_EQ(jobs.front().caption, "Self-learn");
  std::vector<std::string> selfTests;
  for (const PreviewJob& job : jobs)
    if (job.name == "selftest") selfTests.push_back(job.caption);
  EXPECT_EQ(selfTests, std::vector<std::string>{"Self test"});
  for (const PreviewJob& job : jobs) {
    if (job.name == "60x20") {
      EXPECT_EQ(job.caption, "60x20");
    }
  }
}

TEST(JobPreviewTest, PageEntriesInBothLanguages) {
  struct Row {
    std::int32_t codePage;
    std::size_t pages;
    std::vector<std::string> entries;
  };
  const Row rows[] = {
      {1252, 0, {"No page printed"}},
      {1252, 2, {"Page 1 of 2", "Page 2 of 2"}},
      {936, 0, {"没有打印页"}},
      {936, 1, {"第 1 页，共 1 页"}},
  };
  const std::int32_t before = TranslationMap::Instance().CodePage;
  for (const Row& row : rows) {
    TranslationMap::Instance().CodePage = row.codePage;
    EXPECT_EQ(PreviewPageEntries(row.pages), row.entries) << row.codePage << " " << row.pages;
  }
  TranslationMap::Instance().CodePage = before;
}

}  // namespace
}  // namespace kestrel::test

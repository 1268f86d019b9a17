#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "link/JobRunner.h"
#include "link/LinkTestSupport.h"

namespace kestrel::test {
namespace {

int composeCalls = 0;
void ComposeStandardMode(const JobContext&) {
  ++composeCalls;
  AppendBytes({0x1B, 0x53});
}

class JobRunnerTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    composeCalls = 0;
  }
};

TEST_F(JobRunnerTest, UnreachablePrinterEndsTheJobBeforeComposing) {
  PrinterLink link(host_, ports_);
  bool written = true;
  EXPECT_FALSE(RunJob(link, NamedJob{"plain", ComposeStandardMode}, JobContext{}, &written));
  EXPECT_EQ(composeCalls, 0);
  EXPECT_FALSE(written);
  EXPECT_EQ(host_.messages.size(), 1u);
}

TEST_F(JobRunnerTest, JobThatWritesWithoutConnectionComposesAndSendsNothing) {
  PrinterLink link(host_, ports_);
  bool written = true;
  EXPECT_TRUE(RunJob(link, NamedJob{"standardmode", ComposeStandardMode, true}, JobContext{}, &written));
  EXPECT_EQ(composeCalls, 1);
  EXPECT_FALSE(written);
  EXPECT_BYTES(Composed(), "1B 53");
}

TEST_F(JobRunnerTest, SecondReconnectBeforeComposingAndTheWriteStillGoesOut) {
  PrinterLine& printer = AddUsbPrinter();
  PrinterLink link(host_, ports_);
  bool written = false;
  EXPECT_TRUE(RunJob(link, NamedJob{"density", ComposeStandardMode, false, true}, JobContext{}, &written));
  EXPECT_EQ(host_.captions.size(), 2u);  // one caption per reconnect
  EXPECT_TRUE(written);
  EXPECT_EQ(printer.Received(2), "\x1B\x53");

  host_.captions.clear();
  EXPECT_TRUE(RunJob(link, NamedJob{"plain", ComposeStandardMode}, JobContext{}, &written));
  EXPECT_EQ(host_.captions.size(), 1u);
}

}  // namespace
}  // namespace kestrel::test

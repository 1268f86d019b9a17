#include <gtest/gtest.h>

#include <string>

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "operations/SettingTables.h"
#include "support/TestSupport.h"

namespace kestrel {
namespace {

using test::Composed;

// Composes a setting job by name after some earlier job, so a leftover byte
// would show.
std::vector<std::uint8_t> Compose(const std::string& name, const JobContext& context) {
  BeginJob();
  AppendBytes({0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE});
  const NamedJob* job = FindJob(name);
  if (job == nullptr) {
    ADD_FAILURE() << "no job " << name;
    return {};
  }
  job->compose(context);
  return Composed();
}

TEST(SettingJobsTest, FixedSequences) {
  JobContext initial;
  EXPECT_BYTES(Compose("selflearn", initial), "1B 63 30 02 1D 6A 02 00");
  EXPECT_BYTES(Compose("locate", initial), "1B 63 30 02 1D 0C");
  EXPECT_BYTES(Compose("selftest", initial), "1F 11 04");
  EXPECT_BYTES(Compose("factoryreset", initial), "1F 1B 19");
  EXPECT_BYTES(Compose("blackmark-on", initial), "1F 55 37 01");
  EXPECT_BYTES(Compose("blackmark-off", initial), "1F 55 37 00");
  JobContext continuous;
  continuous.settings.PaperType = 0;
  EXPECT_BYTES(Compose("selflearn", continuous), "1B 63 30 00 1D 6A 02 00");
  EXPECT_BYTES(Compose("locate", continuous), "1B 63 30 00 1D 0C");
}

TEST(SettingJobsTest, BackfeedSendsLowSixteenBitsOfTheEditValue) {
  const struct {
    const char* text;
    const char* bytes;
  } rows[] = {{"35", "1E 47 23 00"},   {"300", "1E 47 2C 01"}, {"", "1E 47 00 00"},
              {"12ab", "1E 47 0C 00"}, {"-1", "1E 47 FF FF"},  {"65537", "1E 47 01 00"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    JobContext context;
    context.settings.BackfeedValue = ParseDecimal(row.text);
    EXPECT_BYTES(Compose("backfeed", context), row.bytes);
  }
}

TEST(SettingJobsTest, DensitySpeedAndPrinterRate) {
  JobContext context;
  EXPECT_BYTES(Compose("density", context), "1B 4E 04 03");
  context.densityIndex = 7;
  EXPECT_BYTES(Compose("density", context), "1B 4E 04 08");

  EXPECT_BYTES(Compose("speed", context), "1F 55 20 01 0A");
  context.speedText = "240";
  EXPECT_BYTES(Compose("speed", context), "1F 55 20 F0 0A");
  context.speedText = "999";
  EXPECT_BYTES(Compose("speed", context), "1F 55 20 FF 0A");

  const struct {
    const char* text;
    const char* bytes;
  } rates[] = {{"115200", "1B 4E 01 05"}, {"9600", "1B 4E 01 01"}, {"19200", "1B 4E 01 02"},   {"38400", "1B 4E 01 03"},
               {"57600", "1B 4E 01 04"},  {"4800", "1B 4E 01 01"}, {"115200 ", "1B 4E 01 01"}, {"", "1B 4E 01 01"}};
  for (const auto& rate : rates) {
    SCOPED_TRACE(rate.text);
    context.printerBaudText = rate.text;
    EXPECT_BYTES(Compose("printer-baud", context), rate.bytes);
  }
}

TEST(SettingJobsTest, HowTheHandlersRunThem) {
  for (const NamedJob& job : SettingJobs()) {
    SCOPED_TRACE(job.name);
    const std::string name = job.name;
    EXPECT_EQ(job.writesWithoutConnection, name == "backfeed");
    EXPECT_EQ(job.reconnectsTwice, name == "density" || name == "printer-baud");
  }
  EXPECT_EQ(SettingJobs().size(), 10u);
}

TEST(SettingTablesTest, LabelAreasAtTheirBoundaries) {
  const struct {
    int index;
    std::int32_t width;
    std::int32_t height;
  } rows[] = {{0, 448, 128}, {3, 448, 368}, {4, 384, 128}, {7, 384, 368}, {8, 576, 128}, {12, 576, 448}};
  for (const auto& row : rows) {
    std::int32_t width = 0, height = 0;
    EXPECT_TRUE(LabelAreaFor(row.index, &width, &height));
    EXPECT_EQ(width, row.width) << row.index;
    EXPECT_EQ(height, row.height) << row.index;
  }
  std::int32_t width = 1, height = 2;
  EXPECT_FALSE(LabelAreaFor(-1, &width, &height));
  EXPECT_FALSE(LabelAreaFor(13, &width, &height));
  EXPECT_EQ(width, 1);
  EXPECT_EQ(height, 2);
}

TEST(SettingTablesTest, BarcodeListSkipsCodabar) {
  const std::int32_t expected[] = {65, 66, 67, 68, 69, 70, 72, 73};
  for (int index = 0; index < 8; ++index) EXPECT_EQ(BarcodeSystemFor(index), expected[index]) << index;
  EXPECT_EQ(BarcodeSystemFor(-1), -1);
  EXPECT_EQ(BarcodeSystemFor(8), -1);
}

}  // namespace
}  // namespace kestrel

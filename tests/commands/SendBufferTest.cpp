#include <gtest/gtest.h>

#include "commands/Commands.h"
#include "commands/DisplayText.h"
#include "commands/PageFrame.h"
#include "commands/SendBuffer.h"
#include "support/TestSupport.h"

namespace kestrel {
namespace {

using test::Composed;

TEST(SendBufferTest, SixteenBitValuesGoLowByteFirst) {
  BeginJob();
  AppendU16(300);
  AppendU16(448);
  AppendU16(-1);
  AppendByte(0x1234);
  EXPECT_BYTES(Composed(), "2C 01 C0 01 FF FF 34");
}

TEST(SendBufferTest, AppendPastCapacityIsRefusedWhole) {
  BeginJob();
  SendLength = kSendBufferCapacity - 2;
  EXPECT_FALSE(AppendBytes({0x01, 0x02, 0x03}));
  EXPECT_EQ(SendLength, kSendBufferCapacity - 2);
  EXPECT_TRUE(AppendBytes({0x01, 0x02}));
  EXPECT_EQ(SendLength, kSendBufferCapacity);
  EXPECT_FALSE(AppendByte(0));
  EXPECT_FALSE(AppendImage(kImageBufferCapacity + 1));
  BeginJob();
}

TEST(SendBufferTest, ImageWriterStopsAtCapacity) {
  ImageWriter writer;
  std::vector<std::uint8_t> block(kImageBufferCapacity - 1, 0xAA);
  EXPECT_TRUE(writer.Put(block.data(), block.size()));
  EXPECT_FALSE(writer.Put({0x01, 0x02}));
  EXPECT_TRUE(writer.Put({0x01}));
  EXPECT_EQ(writer.Count(), kImageBufferCapacity);
  EXPECT_FALSE(writer.Put({0x02}));
}

TEST(SendBufferTest, SecondJobStartsAtIndexZero) {
  BeginJob();
  cmd::EscAt();
  cmd::UsSelfTest();
  BeginJob();
  cmd::EscS();
  EXPECT_BYTES(Composed(), "1B 53");
}

TEST(JobSettingsTest, CopiesAndSpeedReadings) {
  struct Row {
    const char* text;
    int copies;
    int speed;
  };
  const Row rows[] = {{"", 1, 1},        {"0", 1, 1},        {"-5", 1, 1},
                      {"3", 3, 3},       {"240", 240, 240},  {"255", 255, 255},
                      {"256", 255, 255}, {"  12ab", 12, 12}, {"99999999999", 255, 255}};
  for (const Row& row : rows) {
    EXPECT_EQ(ReadPrintCopies(row.text), row.copies) << row.text;
    EXPECT_EQ(ReadPrintSpeed(row.text), row.speed) << row.text;
  }
  EXPECT_EQ(ParseDecimal(" -12x"), -12);
  EXPECT_EQ(ParseDecimal("+7"), 7);
  EXPECT_EQ(ParseDecimal("abc"), 0);
  EXPECT_EQ(ParseDecimal("-99999999999"), INT32_MIN);
}

TEST(PageFrameTest, TestLabelFrameWithInitialSettings) {
  JobContext context;
  ASSERT_TRUE(OpenPageJob(context, kTestLabelFrame, 448, 104));
  EXPECT_BYTES(Composed(), "1B 40 1F 55 38 01 1B 63 30 02 1B 4C 1F 55 20 01 1B 54 00 1B 57 00 00 00 00 C0 01 68 00 18");
}

TEST(PageFrameTest, VariantsDifferOnlyWhereTheyShould) {
  JobContext context;
  context.copiesText = "3";
  context.speedText = "240";
  OpenPageJob(context, kLabel60x40Frame, 448, 300);
  EXPECT_BYTES(Composed(), "1B 40 1B 63 30 02 1F 55 38 03 1B 4C 1F 55 20 F0 1B 54 00 1B 57 00 00 00 00 C0 01 2C 01 18");

  context.agingRunning = true;
  OpenPageJob(context, kTestLabelFrame, 448, 104);
  EXPECT_BYTES(Composed(), "1B 40 1B 63 30 02 1B 4C 1F 55 20 F0 1B 54 00 1B 57 00 00 00 00 C0 01 68 00 18");
  OpenPageJob(context, kSmallFontFrame, 384, 304);
  EXPECT_BYTES(Composed(), "1B 40 1F 55 38 03 1B 63 30 02 1B 4C 1F 55 20 F0 1B 54 00 1B 57 00 00 00 00 80 01 30 01 18");
  OpenPageJob(context, kLabel80x20Frame, 576, 128);
  EXPECT_BYTES(Composed(), "1B 40 1B 63 30 02 1B 4C 1B 54 00 1B 57 00 00 00 00 40 02 80 00 18");
  OpenPageJob(context, kPictureTestFrame, 448, 368);
  EXPECT_BYTES(Composed(), "1B 40 1B 63 30 02 1B 4C 1F 55 20 F0 1B 54 00 1B 57 00 00 00 00 C0 01 70 01");
  OpenPageJob(context, kCustomLabelFrame, 384, 320, 8, 16);
  EXPECT_BYTES(Composed(), "1B 40 1B 63 30 02 1B 4C 1B 54 00 1B 6E 02 1B 57 08 00 10 00 80 01 40 01 18 00 00");
}

TEST(PageFrameTest, DirectionOutsideRangeMakesTheJobPrintOnly) {
  JobContext context;
  context.settings.PrintDirection = 4;
  EXPECT_FALSE(OpenPageJob(context, kTestLabelFrame, 448, 104));
  EXPECT_BYTES(Composed(), "1B 0C");
  context.settings.PrintDirection = -1;
  EXPECT_FALSE(OpenPageJob(context, kTestLabelFrame, 448, 104));
  EXPECT_BYTES(Composed(), "1B 0C");
  // The single-item tests have no guard and send the low byte.
  EXPECT_TRUE(OpenPageJob(context, kAreaTestFrame, 448, 368));
  EXPECT_BYTES(Composed(), "1B 40 1B 63 30 02 1B 4C 1F 55 20 01 1B 54 FF 1B 57 00 00 00 00 C0 01 70 01 18");
}

TEST(DisplayTextTest, ChineseTextIsGbkWithItsLineFeedAndNoTerminator) {
  LoadTranslations(936);
  BeginJob();
  AppendDisplayText("合格证\n");
  EXPECT_BYTES(Composed(), "BA CF B8 F1 D6 A4 0A");
  LoadTranslations(1252);
  BeginJob();
  AppendDisplayText("合格证\n");
  AppendDisplayText("件数：  2件");
  EXPECT_BYTES(Composed(), "43 65 72 74 69 66 69 63 61 74 65 0A 4E 75 6D 62 65 72 A3 BA 20 20 32");
}

TEST(DisplayTextTest, FormatIsTranslatedAndConvertedBeforeFormatting) {
  LoadTranslations(936);
  BeginJob();
  AppendDisplayFormat("日期：%04d年%02d月%02d日", 2024, 3, 5);
  EXPECT_BYTES(Composed(), "C8 D5 C6 DA A3 BA 32 30 32 34 C4 EA 30 33 D4 C2 30 35 C8 D5");
  LoadTranslations(1252);
  BeginJob();
  AppendDisplayFormat("日期：%04d年%02d月%02d日", 2024, 3, 5);
  EXPECT_BYTES(Composed(), "44 61 74 65 A3 BA 32 30 32 34 2D 30 33 2D 30 35");
}

}  // namespace
}  // namespace kestrel

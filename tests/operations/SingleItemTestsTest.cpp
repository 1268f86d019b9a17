#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "commands/JobSettings.h"
#include "commands/Raster.h"
#include "commands/SendBuffer.h"
#include "labels/LabelTestParts.h"
#include "language/TranslationMap.h"
#include "operations/SingleItemTests.h"
#include "support/TestSupport.h"

namespace kestrel {
namespace {

using namespace labeltest;
using test::Hex;

JobContext Area(std::int32_t width, std::int32_t height) {
  JobContext context;
  context.settings.AreaWidthDots = width;
  context.settings.AreaHeightDots = height;
  return context;
}

// Frame of the rectangle, circle, bar code, QR code and line tests: no copies,
// speed 1, direction 0, then the area (wL wH hL hH) and CAN.
std::string AreaFrame(const std::string& area) {
  return "1B 40 1B 63 30 02 1B 4C 1F 55 20 01 1B 54 00 1B 57 00 00 00 00 " + area + " 18 ";
}

struct AreaCase {
  std::int32_t width;
  std::int32_t height;
  std::string expected;
};

void ExpectAreaCases(Composer composer, const std::vector<AreaCase>& cases) {
  for (const AreaCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    EXPECT_BYTES(Compose(composer, kChinese, Area(c.width, c.height)), c.expected);
  }
}

TEST(SingleItemTestsTest, PictureIsCentredAndTheAreaClearedJustBeforeIt) {
  struct Case {
    std::int32_t width;
    std::int32_t height;
    std::string head;
  };
  const Case cases[] = {
      {384, 128,
       "1B 40 1B 63 30 02 1B 4C 1F 55 20 01 1B 54 00 1B 57 00 00 00 00 80 01 80 00 1B 24 4D 00 1D 24 04 00 18"},
      {576, 448,
       "1B 40 1B 63 30 02 1B 4C 1F 55 20 01 1B 54 00 1B 57 00 00 00 00 40 02 C0 01 1B 24 AD 00 1D 24 A4 00 18"},
      {448, 368,
       "1B 40 1B 63 30 02 1B 4C 1F 55 20 01 1B 54 00 1B 57 00 00 00 00 C0 01 70 01 1B 24 6D 00 1D 24 7C 00 18"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    EXPECT_BYTES(Compose(ComposePictureTest, kChinese, Area(c.width, c.height)),
                 Join({Hex(c.head), Picture(132), Hex("1B 0C")}));
  }
}

TEST(SingleItemTestsTest, RectanglesNestTenDotsApartWithinNinetyFivePercentOfTheHeight) {
  ExpectAreaCases(ComposeRectangleTest, {
                                            {384, 128,
                                             AreaFrame("80 01 80 00") + "1B 6E 04 1B 6D 00 00 00 00 80 01 79 00"
                                                                        "1B 6E 03 1B 6D 0A 00 0A 00 6C 01 65 00"
                                                                        "1B 6E 02 1B 6D 14 00 14 00 58 01 51 00"
                                                                        "1B 6E 01 1B 6D 1E 00 1E 00 44 01 3D 00"
                                                                        "1B 6E 02 1B 6D 28 00 28 00 30 01 29 00"
                                                                        "1B 6E 02 1B 6D 32 00 32 00 1C 01 15 00"
                                                                        "1B 0C"},
                                            {576, 448,
                                             AreaFrame("40 02 C0 01") + "1B 6E 04 1B 6D 00 00 00 00 40 02 A9 01"
                                                                        "1B 6E 03 1B 6D 0A 00 0A 00 2C 02 95 01"
                                                                        "1B 6E 02 1B 6D 14 00 14 00 18 02 81 01"
                                                                        "1B 6E 01 1B 6D 1E 00 1E 00 04 02 6D 01"
                                                                        "1B 6E 02 1B 6D 28 00 28 00 F0 01 59 01"
                                                                        "1B 6E 02 1B 6D 32 00 32 00 DC 01 45 01"
                                                                        "1B 0C"},
                                        });
}

TEST(SingleItemTestsTest, CirclesShareTheirCentreAndShrinkByFiveDots) {
  ExpectAreaCases(ComposeCircleTest,
                  {
                      {384, 128,
                       AreaFrame("80 01 80 00") + "1B 6F C0 00 3C 00 3C 00 1B 6F C0 00 3C 00 37 00"
                                                  "1B 6F C0 00 3C 00 32 00 1B 6F C0 00 3C 00 2D 00 1B 0C"},
                      {576, 448,
                       AreaFrame("40 02 C0 01") + "1B 6F 20 01 D4 00 D4 00 1B 6F 20 01 D4 00 CF 00"
                                                  "1B 6F 20 01 D4 00 CA 00 1B 6F 20 01 D4 00 C5 00 1B 0C"},
                      {448, 368,
                       AreaFrame("C0 01 70 01") + "1B 6F E0 00 AE 00 AE 00 1B 6F E0 00 AE 00 A9 00"
                                                  "1B 6F E0 00 AE 00 A4 00 1B 6F E0 00 AE 00 9F 00 1B 0C"},
                  });
}

TEST(SingleItemTestsTest, BarcodePrintsTheSampleDataOfEverySystemOfTheList) {
  struct Case {
    std::int32_t system;
    std::string symbol;  // m n d1 ... dn
  };
  const Case cases[] = {
      {65, "41 0C 31 32 33 34 35 36 37 38 39 30 31 31"},
      {66, "42 06 31 32 33 34 35 36"},
      {67, "43 0C 31 32 33 34 35 36 37 38 39 30 31 32"},
      {68, "44 07 30 32 33 34 35 36 37"},
      {69, "45 05 31 32 33 34 35"},
      {70, "46 09 31 32 33 34 35 36 37 38 39"},
      {72, "48 08 31 36 32 32 32 37 41 61"},
      {73, "49 08 31 32 33 34 35 36 37 31"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.system);
    JobContext context;
    context.settings.BarcodeSystem = c.system;
    EXPECT_BYTES(
        Compose(ComposeBarcodeTest, kChinese, context),
        AreaFrame("C0 01 70 01") + "1B 24 00 00 1D 24 00 00 1D 48 02 1D 68 46 1D 77 03 1D 6B " + c.symbol + " 1B 0C");
  }
}

TEST(SingleItemTestsTest, BarcodeOfASystemWithoutSampleDataPrintsTheCheckMessageInstead) {
  JobContext context;
  context.settings.BarcodeSystem = 71;  // CODABAR: not in the barcode list
  EXPECT_BYTES(Compose(ComposeBarcodeTest, kChinese, context),
               AreaFrame("C0 01 70 01") +
                   "1B 24 00 00 1D 24 00 00 D7 D6 B7 FB B8 F6 CA FD D3 A6 D4 DA D4 DA 31 2D 32 35 35 0A 1B 0C");
  context.settings.BarcodeSystem = 0;
  EXPECT_BYTES(Compose(ComposeBarcodeTest, kChinese, context),
               AreaFrame("C0 01 70 01") + "1B 24 00 00 1D 24 00 00 CC F5 C2 EB C0 E0 D0 CD D3 D0 CE F3 0A 1B 0C");
}

TEST(SingleItemTestsTest, QrCodeAtTheOrigin) {
  EXPECT_BYTES(Compose(ComposeQrCodeTest, kChinese, Area(384, 128)),
               AreaFrame("80 01 80 00") +
                   "1B 24 00 00 1D 24 00 00"
                   "1D 28 6B 03 00 31 43 05 1D 28 6B 03 00 31 45 30 1D 28 6B 12 00 31 50 30"
                   "54 61 72 6E 77 69 63 6B 50 72 69 6E 74 65 72"
                   "1B 61 31 1D 28 6B 03 00 31 51 30 1B 61 30 1B 0C");
}

TEST(SingleItemTestsTest, BeeperAndCashDrawerSendTheirCommandsAloneEvenAfterALongerJob) {
  Compose(ComposeRectangleTest, kChinese);
  EXPECT_BYTES(Compose(ComposeBeeperTest, kChinese), "1B 42 03 02");
  EXPECT_BYTES(Compose(ComposeCashDrawerTest, kChinese), "1B 70 00 30 30 00 1B 70 01 30 30");
}

TEST(SingleItemTestsTest, LineTestsDrawBarsAcrossTheAreaAndEndWithFormFeed) {
  ExpectAreaCases(ComposeLineTest1,
                  {
                      {384, 128,
                       AreaFrame("80 01 80 00") +
                           "1B 6E 14 1B 6D 00 00 00 00 80 01 14 00 1B 6E 14 1B 6D 00 00 40 00 80 01 14 00 0C"},
                      {576, 448,
                       AreaFrame("40 02 C0 01") +
                           "1B 6E 14 1B 6D 00 00 00 00 40 02 14 00 1B 6E 14 1B 6D 00 00 E0 00 40 02 14 00 0C"},
                  });
  ExpectAreaCases(ComposeLineTest2,
                  {
                      {384, 128, AreaFrame("80 01 80 00") + "1B 6E 78 1B 6D 00 00 00 00 80 01 78 00 0C"},
                      {576, 448, AreaFrame("40 02 C0 01") + "1B 6E 78 1B 6D 00 00 00 00 40 02 78 00 0C"},
                  });
}

const char kPrintTest1[] =
    "1B 40 1F 55 38 01 1B 63 30 02 1B 4C 1B 54 00 1B 57 00 00 00 00 80 01 A0 00 18"
    "1B 24 00 00 1D 24 19 00 1D 21 11"
    "D4 B2 CC F8 B6 AF BC EC B2 E2 D6 B5 28 6D 6D 29 0A"  // 圆跳动检测值(mm)\n
    "30 30 2E 30 30 30 1D 21 00 0C";

const char kPrintTest2[] =
    "1B 40 1F 55 38 01 1B 63 30 02 1B 4C 1F 55 20 01 1B 54 00 1B 57 00 00 00 00 C8 01 40 01 18"
    "1B 6E 03 1B 24 00 00 1D 24 05 00 1B 6D 00 00 00 00 C8 01 20 01"
    "1B 24 30 00 1D 24 17 00 B2 A8 C2 D6 C4 DA CD B2 BC EC B2 E2 B1 A8 B8 E6"  // 波轮内筒检测报告
    "1B 6C 03 00 00 4A 00 C8 01 4A 00"
    "1B 24 0A 00 1D 24 4F 00 BE B6 CC F8 1B 6C 03 00 00 6F 00 C8 01 6F 00"  // 径跳
    "1B 24 0A 00 1D 24 74 00 D6 B1 BE B6 1B 6C 03 00 00 94 00 C8 01 94 00"  // 直径
    "1B 24 0A 00 1D 24 99 00 B6 CB CC F8 1B 6C 03 00 00 B9 00 C8 01 B9 00"  // 端跳
    "1B 24 0A 00 1D 24 BE 00 B8 DF B6 C8 1B 6C 03 00 00 DE 00 C8 01 DE 00"  // 高度
    "1B 24 0A 00 1D 24 E3 00 C8 D5 C6 DA 1B 6C 03 00 00 03 01 C8 01 03 01"  // 日期
    "1B 24 0A 00 1D 24 08 01 CA B1 BC E4"                                   // 时间
    "1B 6C 03 46 00 4A 00 46 00 20 01 0C";

// The patient's name, 苏禾, is CB D5 BA CC.
const char kSmallFontTest[] =
    "1B 40 1F 55 38 01 1B 63 30 02 1B 4C 1F 55 20 01 1B 54 00 1B 57 00 00 00 00 80 01 30 01 18"
    "1B 6E 03 1B 24 1E 00 1D 24 05 00 1D 48 02 1D 68 50 1D 77 02 1D 6B 49 08 31 32 33 34 35 36 37 38"
    "1B 24 2C 01 1D 24 0A 00 39 39 20 B4 B2"        // 99 床
    "1B 24 2C 01 1D 24 28 00 CB D5 BA CC"           // patient
    "1B 24 2C 01 1D 24 46 00 C4 D0 20 39 39 CB EA"  // 男 99岁
    "1B 45 00"
    "1B 24 C0 00 1D 24 6E 00 1F 1E 02 D7 A1 D4 BA BA C5 1B 24 10 01 31 32 33 34 35 36"  // 住院号 123456
    "1B 24 C0 00 1D 24 82 00 1F 1E 02 BD AD C4 CF C8 AB BF C6 D2 BD D1 A7 BF C6 B2 A1 C7 F8 1F 1E 01 1B 45 00"
    "1B 24 05 00 1D 24 82 00 BD AD C4 CF C9 FA BB AF CA D2"                     // 江南生化室
    "1B 24 05 00 1D 24 BE 00 B8 CE B9 A6 C4 DC 39 CF EE 1B 24 33 01 D7 CF 0C";  // 肝功能9项, 紫

TEST(SingleItemTestsTest, PrintAndSmallFontTestsSendTheirLiteralsAsGbkInBothLanguages) {
  for (const int codePage : {kChinese, kEnglish}) {
    SCOPED_TRACE(codePage);
    EXPECT_BYTES(Compose(ComposePrintTest1, codePage), kPrintTest1);
    EXPECT_BYTES(Compose(ComposePrintTest2, codePage), kPrintTest2);
    EXPECT_BYTES(Compose(ComposeSmallFontTest, codePage), kSmallFontTest);
  }
}

TEST(SingleItemTestsTest, WhileAgingOnlyTheSmallFontTestKeepsItsCopies) {
  JobContext aging;
  aging.agingRunning = true;
  aging.copiesText = "3";
  std::string smallFont = kSmallFontTest;
  smallFont.replace(smallFont.find("1F 55 38 01"), 11, "1F 55 38 03");
  EXPECT_BYTES(Compose(ComposeSmallFontTest, kChinese, aging), smallFont);

  std::string printTest2 = kPrintTest2;
  printTest2.erase(printTest2.find("1F 55 38 01"), 11);
  EXPECT_BYTES(Compose(ComposePrintTest2, kChinese, aging), printTest2);
}

}  // namespace
}  // namespace kestrel

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "labels/LabelTestParts.h"
#include "labels/Labels80mm.h"
#include "support/TestSupport.h"

namespace kestrel {
namespace {

using namespace labeltest;
using test::Hex;

// The frame with the initial settings for a 576-dot area of the given height (hL hH).
std::string FullFrame(const std::string& height) { return Frame("40 02", height); }

constexpr void (*kAllLabels[])(const JobContext&) = {ComposeLabel80x20, ComposeLabel80x30, ComposeLabel80x40,
                                                     ComposeLabel80x50, ComposeLabel80x60};

TEST(Labels80mmTest, ProductLabelIsTheSameInBothLanguagesAndIgnoresSpeedAndCopies) {
  const std::string expected = Rows({
      "1B 40 1B 63 30 02 1B 4C 1B 54 00 1B 57 00 00 00 00 40 02 68 00 18",
      "1B 24 2C 01 1D 24 0A 00 00 00",
      "1B 6E 02",
      "1B 6D 00 00 00 00 40 02 5E 00",
      "1B 24 05 00 1D 24 05 00",
      "B4 F2 D3 A1 BB FA 0A",  // 打印机\n
      "1B 24 C0 00 1D 24 05 00",
      "C3 FB B3 C6 A3 BA 51 35 32",  // 名称：Q52
      "1B 24 B0 01 1D 24 05 00",
      "B5 A5 CE BB A3 BA 50 43 53",  // 单位：PCS
      "1B 24 71 00 1D 24 28 00",
      "1D 48 02 1D 68 14 1D 77 03 1D 6B 41 0C 31 32 33 34 35 36 37 38 39 30 31 32",
      "0A",
      "1B 0C",
  });
  JobContext busy;
  busy.speedText = "7";
  busy.copiesText = "3";
  EXPECT_BYTES(Compose(ComposeLabel80x20, kChinese), expected);
  EXPECT_BYTES(Compose(ComposeLabel80x20, kEnglish), expected);
  EXPECT_BYTES(Compose(ComposeLabel80x20, kChinese, busy), expected);
}

TEST(Labels80mmTest, DataPlateInBothLanguages) {
  const std::string opening = Rows({
      FullFrame("E0 00"),  // the opening with speed "1" and copies "1", through ESC n 3
      "1B 6E 03",
      "1B 6D 00 00 00 00 40 02 D6 00",
      "1B 6E 02",
      "1B 24 00 00 1D 24 05 00",
      "1D 21 01 1B 45 22",
      "1B 24 9C 00",
      Ascii("Label Thermal Printer\n"),
      "1D 21 00 1B 45 00",
      "1B 6C 02 00 00 32 00 40 02 32 00",
  });
  const std::string chinese = Rows({
      "1B 24 1A 00 1D 24 3A 00",
      // 打印机型号(Model):3寸热敏打印机
      "B4 F2 D3 A1 BB FA D0 CD BA C5 28 4D 6F 64 65 6C 29 3A 33 B4 E7 C8 C8 C3 F4 B4 F2 D3 A1 BB FA",
      "1B 24 1A 00 1D 24 58 00",
      // 纸张宽度(Page Width):80(72)MM
      "D6 BD D5 C5 BF ED B6 C8 28 50 61 67 65 20 57 69 64 74 68 29 3A 38 30 28 37 32 29 4D 4D",
      "1B 24 1A 00 1D 24 76 00",
      // 输入电源(Power):24V/2A\n
      "CA E4 C8 EB B5 E7 D4 B4 28 50 6F 77 65 72 29 3A 32 34 56 2F 32 41 0A",
  });
  const std::string english = Rows({
      "1B 24 1A 00 1D 24 3A 00",
      Ascii("Printer Model:3\" thermal printer"),
      "1B 24 1A 00 1D 24 58 00",
      Ascii("Paper Width :80(72)MM"),
      "1B 24 1A 00 1D 24 76 00",
      Ascii("Input Power supply :24V/2A\n"),
  });
  const std::string barcodeAndCe = Rows({
      "1B 24 76 00 1D 24 94 00",
      "1D 48 02 1D 68 23 1D 77 03 1D 6B 49 07 32 35 30 30 30 30 34",
      "1B 24 F0 01 1D 24 4B 00",
  });
  for (const auto& [codePage, lines] : {std::pair{kChinese, chinese}, std::pair{kEnglish, english}}) {
    EXPECT_BYTES(Compose(ComposeLabel80x30, codePage),
                 Join({Hex(opening + lines + barcodeAndCe), Picture(139), Hex("1B 24 AA 01 1D 24 4B 00"), Picture(140),
                       Hex("1B 0C")}))
        << codePage;
  }
}

// One field of the outbound form: its position row, its name, X 135 and its ruled line.
std::string LeftField(const std::string& y, const std::string& name, const std::string& lineY) {
  return Rows({"1B 24 05 00 1D 24 " + y, name, "1B 24 87 00", "1B 6C 03 82 00 " + lineY + " 0C 01 " + lineY});
}
std::string RightField(const std::string& y, const std::string& name, const std::string& lineY) {
  return Rows({"1B 24 2A 01 1D 24 " + y, name, "1B 24 87 00", "1B 6C 03 AC 01 " + lineY + " 36 02 " + lineY});
}

TEST(Labels80mmTest, OutboundFormTitleAndColumnsInBothLanguages) {
  const std::string opening = Rows({
      FullFrame("2C 01"),
      "1B 6E 03",
      "1B 24 00 00 1D 24 05 00",
      "1D 21 11 1B 45 22",
  });
  const std::string rightColumn = Rows({
      RightField("3E 00", Ascii("Customer:"), "54 00"),
      RightField("6E 00", Ascii("Product :"), "84 00"),
      RightField("9E 00", Ascii("Specific:"), "B4 00"),
      RightField("CE 00", Ascii("Quantity:"), "E4 00"),
      RightField("FE 00", Ascii("Shipping:"), "14 01"),
      "1B 0C",
  });
  const std::string chinese = Rows({
      opening,
      "1B 24 B4 00 B3 F6 BB F5 B1 EA C7 A9 0A",  // X 180, 出货标签\n
      "1D 21 00 1B 45 00",
      LeftField("3E 00", "BF CD BB A7 C3 FB B3 C6 3A", "54 00"),  // 客户名称:
      LeftField("6E 00", "B2 FA C6 B7 C3 FB B3 C6 3A", "84 00"),  // 产品名称:
      LeftField("9E 00", "B9 E6 20 20 20 20 B8 F1 3A", "B4 00"),  // 规    格:
      LeftField("CE 00", "CA FD 20 20 20 20 C1 BF 3A", "E4 00"),  // 数    量:
      LeftField("FE 00", "B3 F6 BB F5 CA B1 BC E4 3A", "14 01"),  // 出货时间:
      rightColumn,
  });
  const std::string english = Rows({
      opening,
      "1B 24 C0 00" + Ascii("Outbound"),  // X 192
      "1D 21 00 1B 45 00",
      LeftField("3E 00", Ascii("Name:"), "54 00"),
      LeftField("6E 00", Ascii("Product:"), "84 00"),
      LeftField("9E 00", Ascii("Specs:"), "B4 00"),
      LeftField("CE 00", Ascii("Quantity:"), "E4 00"),
      LeftField("FE 00", Ascii("Time:"), "14 01"),
      rightColumn,
  });
  EXPECT_BYTES(Compose(ComposeLabel80x40, kChinese), chinese);
  EXPECT_BYTES(Compose(ComposeLabel80x40, kEnglish), english);
}

TEST(Labels80mmTest, OutboundLabelInBothLanguages) {
  const std::string top = Rows({
      FullFrame("80 01"),
      "1B 6E 03",
      "1B 6D 00 00 00 00 40 02 7C 01",
      "1B 24 0A 00 1D 24 0A 00",
  });
  const std::string barcode = Rows({
      "1B 24 02 01 1D 24 0A 00",
      "1D 48 00 1D 68 14 1D 77 03 1D 6B 49 06 34 30 39 31 31 31",
      "1B 24 02 01 1D 24 0A 00",
      "1B 6C 03 02 01 23 00 2C 02 23 00",
  });
  const std::string chinese = Rows({
      barcode,
      "1B 24 35 01 1D 24 26 00",  // X 309
      "20 20 B4 F2 D3 A1 BB FA B3 F6 BB F5 B1 EA C7 A9 20 20", "1D 42 00",
      "1B 24 0A 00 1D 24 5A 00 BF CD BB A7 A3 BA",  // 客户：
      "1B 6C 02 52 00 7C 00 2C 02 7C 00",
      "1B 24 0A 00 1D 24 96 00 C3 FB B3 C6 A3 BA",  // 名称：
      "1B 6C 02 52 00 AE 00 2C 02 AE 00",
      "1B 24 0A 00 1D 24 D2 00 B9 E6 B8 F1 A3 BA",  // 规格：
      "1B 6C 02 52 00 EA 00 2C 02 EA 00",
      "1B 24 0A 00 1D 24 0E 01 CD F8 D5 BE 3A" + Ascii("www.tarnwick.example"),  // 网站:
      "1B 24 0A 00 1D 24 2C 01 B5 E7 BB B0 3A" + Ascii("400-555-0100"),          // 电话:
  });
  const std::string english = Rows({
      barcode,
      "1B 24 17 01 1D 24 26 00",  // X 279
      Ascii("outbound delivery label"),
      "1D 42 00",
      "1B 24 0A 00 1D 24 5A 00" + Ascii("User:"),
      "1B 6C 02 52 00 7C 00 2C 02 7C 00",
      "1B 24 0A 00 1D 24 96 00" + Ascii("Item:"),
      "1B 6C 02 52 00 AE 00 2C 02 AE 00",
      "1B 24 0A 00 1D 24 D2 00" + Ascii("Specs:"),
      "1B 6C 02 52 00 EA 00 2C 02 EA 00",
      "1B 24 0A 00 1D 24 0E 01" + Ascii("Web:www.tarnwick.example"),
      "1B 24 0A 00 1D 24 2C 01" + Ascii("Tel:400-555-0100"),
  });
  const std::string bottom = Rows({
      "1B 24 0A 00 1D 24 4A 01",
      "C8 D5 C6 DA A3 BA 32 30 32 34 C4 EA 30 33 D4 C2 30 35 C8 D5 20",  // 日期：2024年03月05日 and a blank
      "1D 42 00",
      "1B 24 66 01 1D 24 FA 00",
      WebQrCode(),
      "1B 0C",
  });
  for (const auto& [codePage, middle] : {std::pair{kChinese, chinese}, std::pair{kEnglish, english}}) {
    EXPECT_BYTES(Compose(ComposeLabel80x50, codePage), Join({Hex(top), Picture(129), Hex(middle + bottom)}))
        << codePage;
  }
}

TEST(Labels80mmTest, OutboundLabelDateFollowsTheClock) {
  JobContext context;
  context.now = test::FixedTime(1999, 12, 31);
  const Bytes actual = Compose(ComposeLabel80x50, kEnglish, context);
  const Bytes date = Hex(Rows({
      "1B 24 0A 00 1D 24 4A 01",
      "C8 D5 C6 DA A3 BA 31 39 39 39 C4 EA 31 32 D4 C2 33 31 C8 D5 20",  // 日期：1999年12月31日 and a blank
      "1D 42 00",
  }));
  EXPECT_NE(std::search(actual.begin(), actual.end(), date.begin(), date.end()), actual.end()) << test::ToHex(actual);
}

TEST(Labels80mmTest, ParcelLabelIsTheSameInBothLanguages) {
  const std::string top = Rows({
      FullFrame("D0 01"), "1B 6E 03", "1B 6D 00 00 00 00 40 02 C6 01", "1B 6E 02",
      "1B 24 AD 00 1D 24 1E 00",  // the 229 x 120 brand picture centred
  });
  const std::string rest = Rows({
      "1B 24 0A 00 1D 24 B0 00" + Ascii("From"),
      "1B 24 EA 00 1D 24 B0 00" + Ascii("ePactket"),
      "1B 24 1E 02 1D 24 B0 00" + Ascii("1"),
      "1B 6C 02 00 00 C8 00 40 02 C8 00",
      "1B 24 0A 00 1D 24 CF 00" + Ascii("Nora Vellacott"),
      "1B 24 0A 00 1D 24 E7 00" + Ascii("Unit 12, Fenwick Trade Park"),
      "1B 24 0A 00 1D 24 FF 00" + Ascii("41 Alder Lane, Eastmoor"),
      "1B 24 0A 00 1D 24 17 01" + Ascii("Brackenford BF4 7QX"),
      "1B 4D 01",
      "1B 24 0A 00 1D 24 2F 01" + Ascii("Tarnwick Printers"),
      "1B 24 0A 00 1D 24 47 01" + Ascii("Clear prints and steady feeds, parcel by parcel"),
      "1B 4D 00",
      "1B 6C 02 00 00 65 01 40 02 65 01",
      "1B 24 76 00 1D 24 7E 01",
      "1D 48 02 1D 68 23 1D 77 03 1D 6B 49 07 32 35 30 30 30 30 34",
      "1B 0C",
  });
  for (int codePage : {kChinese, kEnglish}) {
    EXPECT_BYTES(Compose(ComposeLabel80x60, codePage), Join({Hex(top), Picture(132), Hex(rest)})) << codePage;
  }
}

TEST(Labels80mmTest, DirectionAboveThreeSendsOnlyThePrintCommand) {
  JobContext context;
  for (std::int32_t direction : {4, 5, -1}) {  // -1: no item selected in the direction list
    context.settings.PrintDirection = direction;
    for (auto composer : kAllLabels) EXPECT_BYTES(Compose(composer, kChinese, context), "1B 0C") << direction;
  }
}

TEST(Labels80mmTest, AgingLeavesOutOnlyTheCopiesCommand) {
  JobContext copies;
  copies.copiesText = "2";
  JobContext aging = copies;
  aging.agingRunning = true;
  for (auto composer : {ComposeLabel80x30, ComposeLabel80x40, ComposeLabel80x50, ComposeLabel80x60}) {
    Bytes withCopies = Compose(composer, kChinese, copies);
    ASSERT_GT(withCopies.size(), 6u);
    EXPECT_BYTES(Bytes(withCopies.begin(), withCopies.begin() + 6), "1B 40 1F 55 38 02");
    withCopies.erase(withCopies.begin() + 2, withCopies.begin() + 6);
    EXPECT_BYTES(Compose(composer, kChinese, aging), withCopies);
  }
  const Bytes product = Compose(ComposeLabel80x20, kChinese, copies);
  ASSERT_GT(product.size(), 4u);
  EXPECT_BYTES(Bytes(product.begin(), product.begin() + 4), "1B 40 1B 63");
  EXPECT_BYTES(Compose(ComposeLabel80x20, kChinese, aging), product);
}

}  // namespace
}  // namespace kestrel

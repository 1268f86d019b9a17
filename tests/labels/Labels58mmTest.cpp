#include <gtest/gtest.h>

#include <string>

#include "labels/LabelTestParts.h"
#include "labels/Labels58mm.h"

namespace kestrel {
namespace {

using namespace labeltest;
using test::Hex;

TEST(Labels58mmTest, NameLabelInBothLanguages) {
  const auto label = [](const std::string& printer, const std::string& name) {
    return Rows({
        "1B 40 1F 55 38 01 1B 63 30 02 1B 4C 1F 55 20 01 1B 54 00 1B 57 00 00 00 00 80 01 68 00 18",
        "1B 24 2C 01 1D 24 0A 00 00 00 1B 6E 02 1B 6D 00 00 00 00 80 01 5E 00 1B 24 05 00 1D 24 05 00",
        printer,
        "1B 24 E8 00 1D 24 05 00",
        name,
        "1B 24 2D 00 1D 24 28 00 1D 48 02 1D 68 14 1D 77 03 1D 6B 41 0C 31 32 33 34 35 36 37 38 39 30 31 32 0A 1B 0C",
    });
  };
  EXPECT_BYTES(Compose(ComposeLabel58x20, kChinese), label("B4 F2 D3 A1 BB FA 0A",          // 打印机\n
                                                           "C3 FB B3 C6 A3 BA 51 35 31"));  // 名称：Q51
  EXPECT_BYTES(Compose(ComposeLabel58x20, kEnglish), label(Ascii("Printer\n"), Ascii("Name: Q51")));
}

TEST(Labels58mmTest, NameplateIsTheSameInBothLanguages) {
  const std::string before = Rows({
      Frame("80 01", "E0 00"),
      "1B 6E 03 1B 6D 00 00 00 00 80 01 D6 00 1B 6E 02",
      "1B 24 00 00 1D 24 05 00 1D 21 01 1B 45 22",
      "1B 24 3C 00",
      Ascii("Label Thermal Printer\n"),  // X 60
      "1D 21 00 1B 45 00",
      "1B 6C 02 00 00 32 00 80 01 32 00",
      "1B 24 1A 00 1D 24 3A 00",
      Ascii("Model:2 Inch Printer"),
      "1B 24 1A 00 1D 24 58 00",
      Ascii("Page Width:58(48)MM"),
      "1B 24 1A 00 1D 24 76 00",
      Ascii("Power:8.4V/1A\n"),
      "1B 24 10 00 1D 24 94 00 1D 48 02 1D 68 23 1D 77 03 1D 6B 49 07 32 35 30 30 30 30 34",
      "1B 24 30 01 1D 24 4B 00",
  });
  const Bytes expected = Join({Hex(before), Picture(139), Hex("1B 0C")});
  EXPECT_BYTES(Compose(ComposeLabel58x30, kChinese), expected);
  EXPECT_BYTES(Compose(ComposeLabel58x30, kEnglish), expected);
}

// One field of the shipping form: its name at (5, y), X 135 and its underline.
std::string FormField(const std::string& y, const std::string& name, const std::string& lineY) {
  return Rows({"1B 24 05 00 1D 24 " + y, name, "1B 24 87 00", "1B 6C 03 82 00 " + lineY + " 76 01 " + lineY});
}

Bytes ShippingForm(const std::string& title, const std::string& fields) {
  const std::string before = Rows({
      Frame("80 01", "2C 01"),
      "1B 6E 03",
      "1B 24 00 00 1D 24 05 00 1D 21 11 1B 45 22",
      title,
      "1B 24 0A 00 1D 24 00 00",
  });
  return Join({Hex(before), Picture(145), Hex("1D 21 00 1B 45 00 " + fields + " 1B 0C")});
}

TEST(Labels58mmTest, ShippingFormTitleAndFieldsInBothLanguages) {
  EXPECT_BYTES(Compose(ComposeLabel58x40, kChinese),
               ShippingForm("1B 24 68 00 B3 F6 BB F5 B1 EA C7 A9 0A",  // X 104, 出货标签\n
                            Rows({
                                FormField("3E 00", "BF CD BB A7 C3 FB B3 C6 3A", "54 00"),  // 客户名称:
                                FormField("6E 00", "B2 FA C6 B7 C3 FB B3 C6 3A", "84 00"),  // 产品名称:
                                FormField("9E 00", "B9 E6 20 20 20 20 B8 F1 3A", "B4 00"),  // 规    格:
                                FormField("CE 00", "CA FD 20 20 20 20 C1 BF 3A", "E4 00"),  // 数    量:
                                FormField("FE 00", "B3 F6 BB F5 CA B1 BC E4 3A", "14 01"),  // 出货时间:
                            })));
  EXPECT_BYTES(Compose(ComposeLabel58x40, kEnglish),
               ShippingForm("1B 24 74 00 " + Ascii("Outbound"),  // X 116
                            Rows({
                                FormField("3E 00", Ascii("Name:"), "54 00"),
                                FormField("6E 00", Ascii("Product:"), "84 00"),
                                FormField("9E 00", Ascii("Specs:"), "B4 00"),
                                FormField("CE 00", Ascii("Quantity:"), "E4 00"),
                                FormField("FE 00", Ascii("Time:"), "14 01"),
                            })));
}

TEST(Labels58mmTest, ShippingLabelInBothLanguages) {
  const auto label = [](const std::string& title, const std::string& customer, const std::string& item,
                        const std::string& specs, const std::string& web, const std::string& telephone,
                        const std::string& date) {
    const std::string before =
        Rows({Frame("80 01", "80 01"), "1B 6E 03 1B 6D 00 00 00 00 80 01 7C 01", "1B 24 0A 00 1D 24 0A 00"});
    const std::string after = Rows({
        "1B 24 A2 00 1D 24 0A 00",
        "1D 48 00 1D 68 14 1D 77 03 1D 6B 49 03 34 30 39",
        "1B 24 A2 00 1D 24 0A 00",
        "1B 6C 03 A2 00 23 00 6C 01 23 00",
        "1B 24 C4 00 1D 24 26 00",
        title,
        "1B 24 0A 00 1D 24 5A 00",
        customer,
        "1B 6C 02 52 00 7C 00 6C 01 7C 00",
        "1B 24 0A 00 1D 24 96 00",
        item,
        "1B 6C 02 52 00 AE 00 6C 01 AE 00",
        "1B 24 0A 00 1D 24 D2 00",
        specs,
        "1B 6C 02 52 00 EA 00 6C 01 EA 00",
        "1B 24 0A 00 1D 24 0E 01",
        web,
        "1B 24 0A 00 1D 24 2C 01",
        telephone,
        "1B 24 0A 00 1D 24 4A 01",
        date,
        "1B 24 06 01 1D 24 FA 00",
        WebQrCode(),
        "1B 0C",
    });
    return Join({Hex(before), Picture(129), Hex(after)});
  };
  EXPECT_BYTES(Compose(ComposeLabel58x50, kChinese),
               label("B4 F2 D3 A1 BB FA B3 F6 BB F5 B1 EA C7 A9",                      // 打印机出货标签
                     "BF CD BB A7 A3 BA", "C3 FB B3 C6 A3 BA", "B9 E6 B8 F1 A3 BA",    // 客户： 名称： 规格：
                     "CD F8 D5 BE 3A " + Ascii("www.tarnwick.example"),                // 网站:
                     "B5 E7 BB B0 3A " + Ascii("400-555-0100"),                        // 电话:
                     "C8 D5 C6 DA A3 BA 32 30 32 34 C4 EA 30 33 D4 C2 30 35 C8 D5"));  // 日期：2024年03月05日
  EXPECT_BYTES(Compose(ComposeLabel58x50, kEnglish),
               label(Ascii("Outbound label"), Ascii("User:"), Ascii("Item:"), Ascii("Specs:"),
                     Ascii("Web:www.tarnwick.example"), Ascii("Tel:400-555-0100"),
                     "44 61 74 65 A3 BA " + Ascii("2024-03-05")));  // Date：, full-width colon
}

constexpr Composer kLabels[] = {ComposeLabel58x20, ComposeLabel58x30, ComposeLabel58x40, ComposeLabel58x50};

TEST(Labels58mmTest, FrameCarriesCopiesSpeedAndDirection) {
  JobContext busy;
  busy.copiesText = "3";
  busy.speedText = "240";
  busy.settings.PrintDirection = 1;
  for (Composer label : kLabels) {
    const Bytes plain = Compose(label, kEnglish);
    ASSERT_GE(plain.size(), 19u);
    const Bytes expected =
        Join({Hex("1B 40 1F 55 38 03 1B 63 30 02 1B 4C 1F 55 20 F0 1B 54 01"), Bytes(plain.begin() + 19, plain.end())});
    EXPECT_BYTES(Compose(label, kEnglish, busy), expected);
  }
}

TEST(Labels58mmTest, AgingLeavesOutTheCopiesCommand) {
  JobContext aging;
  aging.agingRunning = true;
  for (Composer label : kLabels) {
    Bytes expected = Compose(label, kChinese);
    ASSERT_GE(expected.size(), 6u);
    EXPECT_BYTES(Bytes(expected.begin() + 2, expected.begin() + 6), "1F 55 38 01");
    expected.erase(expected.begin() + 2, expected.begin() + 6);
    EXPECT_BYTES(Compose(label, kChinese, aging), expected);
  }
}

TEST(Labels58mmTest, DirectionOutsideTheListSendsOnlyThePrintCommand) {
  JobContext unselected;
  unselected.settings.PrintDirection = 5;
  for (Composer label : kLabels) EXPECT_BYTES(Compose(label, kEnglish, unselected), "1B 0C");
}

}  // namespace
}  // namespace kestrel

#include <gtest/gtest.h>

#include <string>

#include "labels/LabelTestParts.h"
#include "labels/Labels60mm.h"

namespace kestrel {
namespace {

using namespace labeltest;
using test::Hex;

TEST(Labels60mmTest, CertificateLabelInBothLanguages) {
  const std::string chinese =
      "1B 40 1F 55 38 01 1B 63 30 02 1B 4C 1F 55 20 01 1B 54 00 1B 57 00 00 00 00 C0 01 68 00 18 1B 24 2C 01 1D 24 "
      "0A 00 00 00 1B 6E 02 1B 24 05 00 1D 24 05 00 BA CF B8 F1 D6 A4 0A 1B 24 E0 00 1D 24 05 00 B5 C8 BC B6 A3 BA "
      "D2 BB B5 C8 C6 B7 1B 24 00 00 1D 24 28 00 B4 F2 D3 A1 BB FA 1B 24 E0 00 BC DB B8 F1 A3 BA 32 39 39 1B 24 64 "
      "00 1D 24 46 00 1D 48 02 1D 48 00 1D 68 14 1D 77 02 1D 6B 41 0C 31 32 33 34 35 36 37 38 39 30 31 32 0A 1B 0C";
  EXPECT_BYTES(Compose(ComposeLabel60x20, kChinese), chinese);

  const std::string english = Rows({
      Frame("C0 01", "68 00"),
      "1B 24 2C 01 1D 24 0A 00 00 00",
      "1B 6E 02",
      "1B 24 05 00 1D 24 05 00",
      Ascii("Certificate\n"),
      "1B 24 E0 00 1D 24 05 00",
      Ascii("Grade: First"),
      "1B 24 00 00 1D 24 28 00",
      Ascii(" Printer"),
      "1B 24 E0 00",
      Ascii("Price: 299"),
      "1B 24 64 00 1D 24 46 00",
      "1D 48 02",
      "1D 48 00 1D 68 14 1D 77 02 1D 6B 41 0C 31 32 33 34 35 36 37 38 39 30 31 32",
      "0A 1B 0C",
  });
  EXPECT_BYTES(Compose(ComposeLabel60x20, kEnglish), english);
}

TEST(Labels60mmTest, ConsignmentLabelInBothLanguages) {
  // The consignment label around its six texts.
  const auto label = [](const std::string& count, const std::string& number, const std::string& name,
                        const std::string& origin, const std::string& time, const std::string& address) {
    return Rows({
        Frame("C0 01", "E0 00"),
        "1B 6E 03 1B 6D 00 00 00 00 E0 01 D6 00",
        "1B 6E 02 1B 6C 02 E0 00 00 00 E0 00 32 00",
        "1B 24 06 00 1D 24 0C 00",
        count,
        "1B 24 FA 00",
        number,
        "1B 6C 02 00 00 32 00 C0 01 32 00",
        "1B 24 06 00 1D 24 3A 00",
        name,
        "1B 6C 02 00 00 5A 00 C0 01 5A 00",
        "1B 24 06 00 1D 24 62 00",
        origin,
        "1B 6C 02 00 00 82 00 C0 01 82 00",
        "1B 24 06 00 1D 24 8A 00",
        time,
        "1B 6C 02 00 00 AA 00 C0 01 AA 00",
        "1B 24 06 00 1D 24 B6 00",
        address,
        "1B 0C",
    });
  };
  EXPECT_BYTES(Compose(ComposeLabel60x30, kChinese),
               label("BC FE CA FD A3 BA 20 20 32 BC FE",                                     // 件数：  2件
                     "B7 A2 BB F5 B1 E0 BA C5 A3 BA 32 2D 31 32",                            // 发货编号：2-12
                     "C3 FB B3 C6 A3 BA B4 F2 D3 A1 BB FA",                                  // 名称：打印机
                     "B2 FA B5 D8 A3 BA E1 B0 B8 DB",                                        // 产地：岚港
                     "C9 FA B2 FA CA B1 BC E4 A3 BA 32 30 32 34 C4 EA 20"                    // 生产时间：2024年
                     " 30 33 D4 C2 20 30 35 C8 D5 20 31 34 3A 30 37 3A 30 39 20",            // 03月 05日 14:07:09
                     "B3 A7 D6 B7 A3 BA E1 B0 B8 DB CA D0 C7 E0 CA AF C2 B7 38 38 BA C5"));  // 厂址：岚港市青石路88号
  EXPECT_BYTES(Compose(ComposeLabel60x30, kEnglish),
               label("4E 75 6D 62 65 72 A3 BA 20 20 32",  // Number：  2, full-width colon
                     Ascii("2-12"), Ascii("Name: Printer"), Ascii("Origin: Langang"),
                     Ascii("Time: 2024-03-05-14:07:09"), Ascii("Address:88 Qingshi Road, Langang")));
}

// The nutrition table's rows from "项目" on, the same in every direction.
std::string NutritionBody(bool chinese) {
  const auto row = [](const std::string& y, const std::string& item, const std::string& valueX,
                      const std::string& value, const std::string& percentage) {
    return Rows({"1B 24 05 00 1D 24 " + y, item, "1B 24 " + valueX, value, "1B 24 70 01", percentage});
  };
  if (chinese) {
    return Rows({
        "1B 24 05 00 1D 24 3A 00 CF EE C4 BF",     // 项目
        "1B 24 AA 00 C3 BF 31 30 30 BA C1 C9 FD",  // X 170, 每100毫升
        "1B 24 66 01",
        Ascii("NRV%"),
        "1B 6C 03 00 00 55 00 C0 01 55 00",
        row("5A 00", "C8 C8 C1 BF", "B6 00", "33 35 31 C7 A7 BD B9", "33 25"),              // 热量 351千焦 3%
        row("78 00", "B5 B0 B0 D7 D6 CA", "C2 00", "35 2E 38 BF CB", "35 25"),              // 蛋白质 5.8克
        row("96 00", "D6 AC B7 BE", "C2 00", "35 2E 38 BF CB", "35 25"),                    // 脂肪
        row("B4 00", "CC BC CB AE BB AF BA CF CE EF", "C2 00", "35 2E 38 BF CB", "35 25"),  // 碳水化合物
        row("D2 00", "C4 C6", "BC 00", "37 32 BA C1 BF CB", "35 25"),                       // 钠 72毫克
        row("EB 00", "D1 CE", "BC 00", "37 32 BA C1 BF CB", "35 25"),                       // 盐
        row("09 01", "CB AE", "BC 00", "37 32 BA C1 BF CB", "35 25"),                       // 水
        "1B 0C",
    });
  }
  return Rows({
      "1B 24 05 00 1D 24 3A 00",
      Ascii("Item"),
      "1B 24 86 00",
      Ascii("Amount per 100g"),  // X 134
      "1B 24 66 01",
      Ascii("NRV%"),
      "1B 6C 03 00 00 55 00 C0 01 55 00",
      row("5A 00", Ascii("Energy"), "C2 00", Ascii("351KJ"), Ascii("3%")),
      row("78 00", Ascii("Protein"), "C8 00", Ascii("5.8g"), Ascii("5%")),
      row("96 00", Ascii("Fat"), "C8 00", Ascii("5.8g"), Ascii("5%")),
      row("B4 00", Ascii("Carbohydrate"), "C8 00", Ascii("5.8g"), Ascii("5%")),
      row("D2 00", Ascii("Sodium"), "C8 00", Ascii("72mg"), Ascii("5%")),
      row("EB 00", Ascii("Salt"), "C8 00", Ascii("72mg"), Ascii("5%")),
      row("09 01", Ascii("water"), "C8 00", Ascii("72mg"), Ascii("5%")),
      "1B 0C",
  });
}

// Paper type before copies; direction as "1B 54 d".
std::string NutritionOpening(const std::string& direction) {
  return Rows({"1B 40 1B 63 30 02 1F 55 38 01 1B 4C 1F 55 20 01", direction, "1B 57 00 00 00 00 C0 01 2C 01 18",
               "1B 6E 03 1B 6D 00 00 00 00 E0 01 27 01", "1B 24 00 00 1D 24 05 00 1D 21 11 1B 45 22"});
}

TEST(Labels60mmTest, NutritionTitleIsDatedOnlyInChinese) {
  const std::string chinese = Rows({
      "1B 24 5C 00 D3 AA D1 F8 B3 C9 B7 DD B1 ED 0A",  // X 92, 营养成份表\n
      "1D 21 00 1B 45 00",
      "1B 24 4C 01 1D 24 1D 00",
      Ascii("(0305)"),  // (332, 29)
      "1B 6C 03 00 00 37 00 C0 01 37 00",
  });
  const std::string english = Rows({
      "1B 24 C2 00",
      Ascii("Info\n"),  // X 194
      "1D 21 00 1B 45 00",
      "1B 6C 03 00 00 37 00 C0 01 37 00",
  });
  EXPECT_BYTES(Compose(ComposeLabel60x40, kChinese), NutritionOpening("1B 54 00") + chinese + NutritionBody(true));
  EXPECT_BYTES(Compose(ComposeLabel60x40, kEnglish), NutritionOpening("1B 54 00") + english + NutritionBody(false));

  JobContext turned;
  turned.settings.PrintDirection = 1;
  turned.now = test::FixedTime(2025, 12, 31, 23, 59, 58);
  const std::string december = Rows({
      "1B 24 5C 00 D3 AA D1 F8 B3 C9 B7 DD B1 ED 0A",
      "1D 21 00 1B 45 00",
      "1B 24 4C 01 1D 24 1D 00",
      Ascii("(1231)"),
      "1B 6C 03 00 00 37 00 C0 01 37 00",
  });
  EXPECT_BYTES(Compose(ComposeLabel60x40, kChinese, turned),
               NutritionOpening("1B 54 01") + december + NutritionBody(true));
}

TEST(Labels60mmTest, ShippingLabelInBothLanguages) {
  const auto label = [](const std::string& title, const std::string& customer, const std::string& name,
                        const std::string& quantity, const std::string& web, const std::string& telephone,
                        const std::string& date) {
    const std::string after = Rows({
        "1B 24 E0 00 1D 24 0A 00",
        "1D 48 00 1D 68 14 1D 77 03 1D 6B 49 03 34 30 39",
        "1B 24 E0 00 1D 24 0A 00",
        "1B 6C 03 E0 00 23 00 AC 01 23 00",
        "1B 24 EE 00 1D 24 26 00",
        title,
        "1B 24 0A 00 1D 24 5A 00",
        customer,
        "1B 6C 02 52 00 7C 00 AC 01 7C 00",
        "1B 24 0A 00 1D 24 96 00",
        name,
        "1B 6C 02 52 00 AE 00 B6 00 AE 00",
        "1B 24 D6 00",
        quantity,
        "1B 6C 02 28 01 AE 00 AC 01 AE 00",
        "1B 24 0A 00 1D 24 D2 00",
        name,
        "1B 6C 02 52 00 EA 00 B6 00 EA 00",
        "1B 24 D6 00",
        quantity,
        "1B 6C 02 28 01 EA 00 AC 01 EA 00",
        "1B 24 0A 00 1D 24 0E 01",
        web,
        "1B 24 0A 00 1D 24 2C 01",
        telephone,
        "1B 24 0A 00 1D 24 4A 01",
        date,
        "1B 24 26 01 1D 24 FA 00",
        WebQrCode(),
        "1B 0C",
    });
    const std::string before =
        Rows({Frame("C0 01", "80 01"), "1B 6E 03 1B 6D 00 00 00 00 E0 01 7C 01", "1B 24 0A 00 1D 24 0A 00"});
    return Join({Hex(before), Picture(129), Hex(after)});
  };
  EXPECT_BYTES(Compose(ComposeLabel60x50, kChinese),
               label("B4 F2 D3 A1 BB FA B3 F6 BB F5 B1 EA C7 A9",                    // 打印机出货标签
                     "BF CD BB A7 A3 BA", "C6 B7 C3 FB A3 BA", "CA FD C1 BF A3 BA",  // 客户： 品名： 数量：
                     "CD F8 D5 BE 3A " + Ascii("www.tarnwick.example"),              // 网站:
                     "B5 E7 BB B0 3A " + Ascii("400-555-0100"),                      // 电话:
                     "C8 D5 C6 DA A3 BA 32 30 32 34 C4 EA 20 30 33 D4 C2 20 30 35 C8 D5"));  // 日期：2024年 03月 05日
  EXPECT_BYTES(Compose(ComposeLabel60x50, kEnglish),
               label(Ascii("Outbound label"), Ascii("User:"), Ascii("Name:"), Ascii("Mark:"),
                     Ascii("Web:www.tarnwick.example"), Ascii("Tel:400-555-0100"),
                     "44 61 74 65 A3 BA " + Ascii("2024-03-05")));  // Date：, full-width colon
}

// Where each label's copies command sits in its frame.
struct FrameCase {
  const char* name;
  Composer composer;
  std::size_t copiesAt;
};
constexpr FrameCase kLabels[] = {{"60x20", ComposeLabel60x20, 2},
                                 {"60x30", ComposeLabel60x30, 2},
                                 {"60x40", ComposeLabel60x40, 6},
                                 {"60x50", ComposeLabel60x50, 2}};

TEST(Labels60mmTest, FrameCarriesCopiesAndSpeed) {
  JobContext busy;
  busy.copiesText = "3";
  busy.speedText = "240";
  for (const FrameCase& label : kLabels) {
    SCOPED_TRACE(label.name);
    const Bytes plain = Compose(label.composer, kChinese);
    const Bytes expected = Join({Hex(label.copiesAt == 2 ? "1B 40 1F 55 38 03 1B 63 30 02 1B 4C 1F 55 20 F0"
                                                         : "1B 40 1B 63 30 02 1F 55 38 03 1B 4C 1F 55 20 F0"),
                                 Bytes(plain.begin() + 16, plain.end())});
    EXPECT_BYTES(Compose(label.composer, kChinese, busy), expected);
  }
}

TEST(Labels60mmTest, AgingLeavesOutTheCopiesCommand) {
  JobContext aging;
  aging.agingRunning = true;
  for (const FrameCase& label : kLabels) {
    SCOPED_TRACE(label.name);
    Bytes expected = Compose(label.composer, kEnglish);
    ASSERT_GE(expected.size(), label.copiesAt + 4);
    EXPECT_BYTES(Bytes(expected.begin() + label.copiesAt, expected.begin() + label.copiesAt + 4), "1F 55 38 01");
    expected.erase(expected.begin() + label.copiesAt, expected.begin() + label.copiesAt + 4);
    EXPECT_BYTES(Compose(label.composer, kEnglish, aging), expected);
  }
}

TEST(Labels60mmTest, DirectionOutsideTheListSendsOnlyThePrintCommand) {
  JobContext unselected;
  unselected.settings.PrintDirection = 5;
  for (const FrameCase& label : kLabels) {
    SCOPED_TRACE(label.name);
    EXPECT_BYTES(Compose(label.composer, kChinese, unselected), "1B 0C");
  }
}

}  // namespace
}  // namespace kestrel

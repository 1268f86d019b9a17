#include <gtest/gtest.h>

#include <cstdio>

#include "commands/NamedJob.h"
#include "commands/Raster.h"
#include "commands/SendBuffer.h"
#include "customlabel/CustomLabel.h"
#include "labels/LabelTestParts.h"
#include "support/TestSupport.h"

namespace kestrel {
namespace {

using namespace labeltest;
using test::Composed;
using test::Hex;
using test::TempDir;

// GBK of "文本测试1 Text Test1" and "文本测试2 Text Test2".
const char kText1[] = "CE C4 B1 BE B2 E2 CA D4 31 20 54 65 78 74 20 54 65 73 74 31";
const char kText2[] = "CE C4 B1 BE B2 E2 CA D4 32 20 54 65 78 74 20 54 65 73 74 32";
const char kBarcode409[] = "1D 48 00 1D 68 14 1D 77 03 1D 6B 49 03 34 30 39";
const char kBarcode400[] = "1D 48 00 1D 68 14 1D 77 03 1D 6B 49 03 34 30 30";
// QR codes of "tarnwick.example/a" and "tarnwick.example/b".
const char kQr1[] =
    "1D 28 6B 03 00 31 43 05 1D 28 6B 03 00 31 45 30 "
    "1D 28 6B 15 00 31 50 30 74 61 72 6E 77 69 63 6B 2E 65 78 61 6D 70 6C 65 2F 61 "
    "1B 61 31 1D 28 6B 03 00 31 51 30 1B 61 30";
const char kQr2[] =
    "1D 28 6B 03 00 31 43 05 1D 28 6B 03 00 31 45 30 "
    "1D 28 6B 15 00 31 50 30 74 61 72 6E 77 69 63 6B 2E 65 78 61 6D 70 6C 65 2F 62 "
    "1B 61 31 1D 28 6B 03 00 31 51 30 1B 61 30";

// The brand mark, as the raster encoder writes it.
Bytes BrandMarkRaster() { return Picture(129); }

class CustomLabelTest : public ::testing::Test {
 protected:
  void Rewrite(const std::string& lines) { test::WriteText(settings_.FilePath, "[CustomLabel]\r\n" + lines); }
  void Set(const char* key, std::int32_t value) { settings_.WriteSettingInt("CustomLabel", key, value); }
  std::vector<std::uint8_t> Compose(const JobContext& context = {}) {
    ComposeCustomLabel(context, settings_);
    return Composed();
  }

  TempDir dir_;
  LabelSettings settings_{dir_.path()};
};

TEST_F(CustomLabelTest, FreshFileGivesTheDefaultLayout) {
  const auto raster = BrandMarkRaster();
  const std::string head =
      Rows({"1B 40 1B 63 30 02 1B 4C 1B 54 00 1B 6E 02 1B 57 00 00 00 00 80 01 40 01 18 00 00",
            "1B 6D 00 00 00 00 80 01 28 01", "1B 24 00 00 1D 24 00 00", kText1, "1B 24 00 00 1D 24 34 00", kText2,
            "1B 24 78 00 1D 24 18 00", kBarcode409, "1B 24 78 00 1D 24 78 00", kQr1, "1B 24 E6 00 1D 24 C8 00"});
  const Bytes expected = Join({Hex(head), raster, Hex("1B 0C")});
  EXPECT_BYTES(Compose(), expected);

  Set("IsPrint_Image2", 1);
  Set("Custom_X_Image2", 10);
  Set("Custom_Y_Image2", 300);
  EXPECT_BYTES(Compose(), Join({Bytes(expected.begin(), expected.end() - 2), Hex("1B 24 0A 00 1D 24 2C 01"), raster,
                                Hex("1B 0C")}));
}

TEST_F(CustomLabelTest, EveryElementInOrderWithTheFilesValuesUnchecked) {
  Rewrite(
      "CustomLabel_X=8\r\nCustomLabel_Y=16\r\nCustomLabel_Width=-8\r\nCustomLabel_Height=70000\r\n"
      "IsPrint_Rect=0\r\nCustom_X_Rect=1\r\nCustom_Y_Rect=2\r\nCustom_dX_Rect=3\r\nCustom_dY_Rect=4\r\n"
      "IsPrint_Image2=2\r\nCustom_X_Image2=9\r\nCustom_Y_Image2=10\r\n"
      "IsPrint_Image1=-1\r\nCustom_X_Image1=7\r\nCustom_Y_Image1=8\r\n"
      "IsPrint_Qrcode2=1\r\nCustom_X_Qrcode2=5\r\nCustom_Y_Qrcode2=6\r\n"
      "IsPrint_Qrcode1=1\r\nCustom_X_Qrcode1=-8\r\nCustom_Y_Qrcode1=65536\r\n"
      "IsPrint_Barcode2=1\r\nCustom_X_Barcode2=3\r\nCustom_Y_Barcode2=4\r\n"
      "IsPrint_Barcode1=1\r\nCustom_X_Barcode1=1\r\nCustom_Y_Barcode1=2\r\n"
      "IsPrint_Text2=1\r\nCustom_X_Text2=300\r\nCustom_Y_Text2=0\r\n"
      "IsPrint_Text1=1\r\nCustom_X_Text1=0\r\nCustom_Y_Text1=300\r\n");
  JobContext context;
  context.settings.PaperType = 1;
  context.settings.PrintDirection = 260;  // sent as its low byte, no guard
  context.copiesText = "5";               // neither copies nor speed belong to this job
  context.speedText = "9";
  context.agingRunning = true;
  const auto raster = BrandMarkRaster();
  EXPECT_BYTES(
      Compose(context),
      Join({Hex(Rows({"1B 40 1B 63 30 01 1B 4C 1B 54 04 1B 6E 02 1B 57 08 00 10 00 F8 FF 70 11 18 00 00",
                      "1B 24 00 00 1D 24 2C 01", kText1, "1B 24 2C 01 1D 24 00 00", kText2, "1B 24 01 00 1D 24 02 00",
                      kBarcode409, "1B 24 03 00 1D 24 04 00", kBarcode400, "1B 24 F8 FF 1D 24 00 00", kQr1,
                      "1B 24 05 00 1D 24 06 00", kQr2, "1B 24 07 00 1D 24 08 00"})),
            raster, Hex("1B 24 09 00 1D 24 0A 00"), raster, Hex("1B 0C")}));
}

TEST_F(CustomLabelTest, NoFlagsOrNoFileGiveTheBareFrame) {
  Rewrite("CustomLabel_Width=384\r\nCustomLabel_Height=320\r\n");
  EXPECT_BYTES(Compose(), "1B 40 1B 63 30 02 1B 4C 1B 54 00 1B 6E 02 1B 57 00 00 00 00 80 01 40 01 18 00 00 1B 0C");
  std::remove(settings_.FilePath.c_str());
  ASSERT_NE(FindJob("custom"), nullptr);  // the CLI reaches the same composer by name
  EXPECT_BYTES(Compose(), "1B 40 1B 63 30 02 1B 4C 1B 54 00 1B 6E 02 1B 57 00 00 00 00 00 00 00 00 18 00 00 1B 0C");
}

}  // namespace
}  // namespace kestrel

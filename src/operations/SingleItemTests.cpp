#include "operations/SingleItemTests.h"

#include <cstdint>
#include <string>

#include "commands/Barcode.h"
#include "commands/Commands.h"
#include "commands/DisplayText.h"
#include "commands/PageFrame.h"
#include "commands/Raster.h"
#include "labels/LabelParts.h"

namespace kestrel {
namespace {

using labels::PlaceLiteralText;

// The patient of the small-font specimen label: a made-up name.
constexpr const char kPatientName[] = "苏禾";

// The sample data of the bar code test, by system m.
struct BarcodeSample {
  std::int32_t system;
  const char* data;
};
constexpr BarcodeSample kBarcodeSamples[] = {
    {65, "123456789011"},  // UPC-A
    {66, "123456"},        // UPC-E
    {67, "123456789012"},  // JAN13
    {68, "0234567"},       // JAN8
    {69, "12345"},         // CODE39
    {70, "123456789"},     // ITF
    {72, "162227Aa"},      // CODE93
    {73, "12345671"},      // CODE128
};

// A system without sample data (only reachable through a setting outside the
// barcode list) gets empty data, so the encoder's check prints its message in
// the bar code's place instead of a bar code of undefined content.
std::string BarcodeSampleData(std::int32_t system) {
  for (const BarcodeSample& sample : kBarcodeSamples)
    if (sample.system == system) return sample.data;
  return "";
}

// The part of the area height that the rectangles and circles use.
std::int32_t UsableHeight(std::int32_t height) { return static_cast<std::int32_t>(0.95 * height); }

bool OpenAreaJob(const JobContext& context, const FrameOptions& frame) {
  return OpenPageJob(context, frame, context.settings.AreaWidthDots, context.settings.AreaHeightDots);
}

}  // namespace

void ComposePictureTest(const JobContext& context) {
  if (!OpenAreaJob(context, kPictureTestFrame)) return;
  const std::int32_t width = context.settings.AreaWidthDots;
  const std::int32_t height = context.settings.AreaHeightDots;
  const PictureSize picture = GetBrandPictureSize();
  cmd::Position((width - picture.width) / 2, (height - picture.height) / 2);
  // This test clears the area only once the picture's place is set.
  cmd::CAN();
  AppendPicture(kBrandPictureBitmap);
  cmd::EscFF();
}

void ComposeRectangleTest(const JobContext& context) {
  if (!OpenAreaJob(context, kAreaTestFrame)) return;
  const std::int32_t width = context.settings.AreaWidthDots;
  const std::int32_t height = UsableHeight(context.settings.AreaHeightDots);
  static constexpr std::int32_t kLineWidths[] = {4, 3, 2, 1, 2, 2};
  for (std::int32_t i = 0; i < 6; ++i) {
    cmd::EscLineWidth(kLineWidths[i]);
    cmd::EscRect(10 * i, 10 * i, width - 20 * i, height - 20 * i);
  }
  cmd::EscFF();
}

void ComposeCircleTest(const JobContext& context) {
  if (!OpenAreaJob(context, kAreaTestFrame)) return;
  const std::int32_t height = UsableHeight(context.settings.AreaHeightDots);
  const std::int32_t centreX = context.settings.AreaWidthDots / 2;
  const std::int32_t centreY = height / 2;
  for (std::int32_t inset = 0; inset <= 30; inset += 10) cmd::EscCircle(centreX, centreY, (height - inset) / 2);
  cmd::EscFF();
}

void ComposeBarcodeTest(const JobContext& context) {
  if (!OpenAreaJob(context, kAreaTestFrame)) return;
  const std::int32_t system = context.settings.BarcodeSystem;
  cmd::Position(0, 0);
  AppendBarcode(BarcodeSampleData(system), system, 3, 70, kTextBelowBars);
  cmd::EscFF();
}

void ComposeQrCodeTest(const JobContext& context) {
  if (!OpenAreaJob(context, kAreaTestFrame)) return;
  cmd::Position(0, 0);
  AppendQrCode("TarnwickPrinter");
  cmd::EscFF();
}

void ComposeBeeperTest(const JobContext&) {
  BeginJob();
  cmd::EscB(3, 2);
}

void ComposeCashDrawerTest(const JobContext&) {
  BeginJob();
  cmd::EscP(0x00, 0x30, 0x30);
  AppendByte(0x00);
  cmd::EscP(0x01, 0x30, 0x30);
}

void ComposeLineTest1(const JobContext& context) {
  if (!OpenAreaJob(context, kLineTestFrame)) return;
  const std::int32_t width = context.settings.AreaWidthDots;
  cmd::EscLineWidth(20);
  cmd::EscRect(0, 0, width, 20);
  cmd::EscLineWidth(20);
  cmd::EscRect(0, context.settings.AreaHeightDots / 2, width, 20);
  cmd::FF();
}

void ComposeLineTest2(const JobContext& context) {
  if (!OpenAreaJob(context, kLineTestFrame)) return;
  cmd::EscLineWidth(120);
  cmd::EscRect(0, 0, context.settings.AreaWidthDots, 120);
  cmd::FF();
}

void ComposePrintTest1(const JobContext& context) {
  if (!OpenPageJob(context, kPrintTest1Frame, 384, 160)) return;
  cmd::Position(0, 25);
  cmd::GsExclaim(kDoubleSize);
  AppendLiteralText("圆跳动检测值(mm)\n");
  AppendLiteralText("00.000");
  cmd::GsExclaim(kNormalSize);
  cmd::FF();
}

// An inspection report: a framed form of seven rows, ruled under each row but
// the last, with a column line after the row captions.
void ComposePrintTest2(const JobContext& context) {
  if (!OpenPageJob(context, kPrintTest2Frame, 456, 320)) return;
  cmd::EscLineWidth(3);
  cmd::Position(0, 5);
  cmd::EscRect(0, 0, 456, 288);
  PlaceLiteralText({48, 23, "波轮内筒检测报告"});
  cmd::EscLine(3, 0, 74, 456, 74);
  static constexpr const char* kRowCaptions[] = {"径跳", "直径", "端跳", "高度", "日期", "时间"};
  for (std::int32_t row = 1; row <= 6; ++row) {
    PlaceLiteralText({10, 37 * row + 42, kRowCaptions[row - 1]});
    if (row < 6) cmd::EscLine(3, 0, 37 * (row + 2), 456, 37 * (row + 2));
  }
  cmd::EscLine(3, 70, 74, 70, 288);
  cmd::FF();
}

// A ward specimen label: bar code, bed, patient and ward in two font sizes.
void ComposeSmallFontTest(const JobContext& context) {
  if (!OpenPageJob(context, kSmallFontFrame, 384, 304)) return;
  cmd::EscLineWidth(3);
  cmd::Position(30, 5);
  AppendBarcode("12345678", kCode128, 2, 80, kTextBelowBars);
  PlaceLiteralText({300, 10, "99 床"});
  PlaceLiteralText({300, 40, kPatientName});
  PlaceLiteralText({300, 70, "男 99岁"});
  cmd::EscE(kEmphasisOff);

  cmd::Position(192, 110);
  cmd::UsFont(kSmallFont);
  AppendLiteralText("住院号");
  cmd::EscDollar(272);
  AppendLiteralText("123456");

  cmd::Position(192, 130);
  cmd::UsFont(kSmallFont);
  AppendLiteralText("江南全科医学科病区");
  cmd::UsFont(kNormalFont);
  cmd::EscE(kEmphasisOff);

  PlaceLiteralText({5, 130, "江南生化室"});
  PlaceLiteralText({5, 190, "肝功能9项"});
  cmd::EscDollar(307);
  AppendLiteralText("紫");
  cmd::FF();
}

}  // namespace kestrel

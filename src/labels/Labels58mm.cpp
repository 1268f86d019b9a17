#include "labels/Labels58mm.h"

#include <string>

#include "commands/Barcode.h"
#include "commands/Commands.h"
#include "commands/DisplayText.h"
#include "commands/PageFrame.h"
#include "commands/Raster.h"
#include "labels/LabelParts.h"
#include "language/ContactTexts.h"

namespace kestrel {
namespace {

using namespace labels;

// 48 mm of printable width at 8 dots per millimetre.
constexpr std::int32_t kPrintWidth = 384;

// The nameplate's data lines, one every 30 dots from y 58; the bar code takes
// the next step.
constexpr std::int32_t kPlateTop = 58;
constexpr std::int32_t kPlateStep = 30;
constexpr const char* kPlateLines[] = {"Model:2 Inch Printer", "Page Width:58(48)MM", "Power:8.4V/1A\n"};

constexpr UnderlinedField kShippingFields[] = {
    {{10, 90, "客户："}, 82, 364, 124},
    {{10, 150, "名称："}, 82, 364, 174},
    {{10, 210, "规格："}, 82, 364, 234},
};

}  // namespace

// Printer name label.
void ComposeLabel58x20(const JobContext& context) {
  if (!OpenPageJob(context, kTestLabelFrame, kPrintWidth, 104)) return;
  AppendNameLabelLead();
  cmd::EscLineWidth(2);
  cmd::EscRect(0, 0, kPrintWidth, 94);
  PlaceDisplayText({5, 5, "打印机\n"});
  PlaceDisplayText({232, 5, "名称：Q51"});
  cmd::Position(45, 40);
  AppendBarcode("123456789012", kUpcA, 3, 20, kTextBelowBars);
  cmd::LF();
  cmd::EscFF();
}

// Printer nameplate: English literals in every interface language.
void ComposeLabel58x30(const JobContext& context) {
  if (!OpenPageJob(context, kTestLabelFrame, kPrintWidth, 224)) return;
  cmd::EscLineWidth(3);
  cmd::EscRect(0, 0, kPrintWidth, 214);
  cmd::EscLineWidth(2);
  const std::string title = "Label Thermal Printer\n";
  BeginTitle(kDoubleHeight);
  cmd::EscDollar(CentredX(kPrintWidth, kCellWidth, title.size()));
  AppendBytes(title);
  EndTitle();
  cmd::EscLine(2, 0, 50, kPrintWidth, 50);
  std::int32_t y = kPlateTop;
  for (const char* line : kPlateLines) {
    PlaceLiteralText({26, y, line});
    y += kPlateStep;
  }
  cmd::Position(16, y);
  AppendBarcode("2500004", kCode128, 3, 35, kTextBelowBars);
  cmd::Position(304, 75);
  AppendPicture(kCeMarkBitmap);
  cmd::EscFF();
}

// Shipping form: the small brand mark beside a centred title, then five named
// fields with underlines.
void ComposeLabel58x40(const JobContext& context) {
  if (!OpenPageJob(context, kTestLabelFrame, kPrintWidth, 300)) return;
  cmd::EscLineWidth(3);
  const std::string title = DisplayText("出货标签\n");
  BeginTitle(kDoubleSize);
  // Centred, then moved 20 dots right, away from the brand mark.
  cmd::EscDollar(CentredX(kPrintWidth, kDoubleCellWidth, title.size()) + 20);
  AppendBytes(title);
  cmd::Position(10, 0);
  AppendPicture(kSmallBrandMarkBitmap);
  EndTitle();
  AppendFormColumn({.textX = 5, .lineFrom = 130, .lineTo = 374, .translated = true, .names = kOutboundFieldNames});
  cmd::EscFF();
}

// Shipping label: the 60 mm shipping label narrowed to 384 dots, with other
// field names.
void ComposeLabel58x50(const JobContext& context) {
  if (!OpenPageJob(context, kTestLabelFrame, kPrintWidth, 384)) return;
  AppendShippingHeader({.frameWidth = kPrintWidth, .barcodeX = 162, .ruleTo = 364, .titleX = 196});
  AppendUnderlinedFields(kShippingFields);
  AppendContactBlock("日期：%04d年%02d月%02d日", context.now);
  cmd::Position(262, 250);
  AppendQrCode(kWebAddress);
  cmd::EscFF();
}

}  // namespace kestrel

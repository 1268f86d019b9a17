#include "labels/Labels60mm.h"

#include <string>

#include "commands/Barcode.h"
#include "commands/Commands.h"
#include "commands/DisplayText.h"
#include "commands/PageFrame.h"
#include "labels/LabelParts.h"
#include "language/ContactTexts.h"

namespace kestrel {
namespace {

using namespace labels;

// 56 mm of printable width at 8 dots per millimetre.
constexpr std::int32_t kPrintWidth = 448;
// The outer frames span the whole 60 mm label, wider than the print area.
constexpr std::int32_t kLabelWidth = 480;

// A ruled line of width 2 across the print area.
void RuleAcross(std::int32_t y) { cmd::EscLine(2, 0, y, kPrintWidth, y); }

// A row of the nutrition table: the item at x 5, its value centred in the
// middle column and its share of the daily reference value at x 368.
struct NutritionRow {
  std::int32_t y;
  const char* item;
  const char* value;
  const char* percentage;
};

constexpr NutritionRow kNutritionRows[] = {
    {90, "热量", "351千焦", "3%"},      {120, "蛋白质", "5.8克", "5%"}, {150, "脂肪", "5.8克", "5%"},
    {180, "碳水化合物", "5.8克", "5%"}, {210, "钠", "72毫克", "5%"},    {235, "盐", "72毫克", "5%"},
    {265, "水", "72毫克", "5%"},
};

// The values are centred on normal-width cells in both languages.
void PlaceCentredValue(const char* source) {
  const std::string value = DisplayText(source);
  cmd::EscDollar(CentredX(kPrintWidth, kCellWidth, value.size()));
  AppendBytes(value);
}

// The title is measured on its display text, line feed included. The Chinese
// title is measured on double-width cells and followed by the month and day;
// the English one keeps the normal cell width and has no date.
void AppendNutritionTitle(const std::tm& now) {
  const bool chinese = InterfaceIsChinese();
  const std::string title = DisplayText("营养成份表\n");
  BeginTitle(kDoubleSize);
  cmd::EscDollar(CentredX(kPrintWidth, chinese ? kDoubleCellWidth : kCellWidth, title.size()));
  AppendBytes(title);
  EndTitle();
  if (chinese) {
    cmd::Position(kCellWidth * static_cast<std::int32_t>(title.size()) + 200, 29);
    AppendMonthDay(now);
  }
}

void AppendNutritionRows() {
  for (const NutritionRow& row : kNutritionRows) {
    PlaceDisplayText({5, row.y, row.item});
    PlaceCentredValue(row.value);
    PlaceLiteralText({368, kSameLine, row.percentage});
  }
}

constexpr UnderlinedField kShippingFields[] = {
    {{10, 90, "客户："}, 82, 428, 124},          {{10, 150, "品名："}, 82, 182, 174},
    {{214, kSameLine, "数量："}, 296, 428, 174}, {{10, 210, "品名："}, 82, 182, 234},
    {{214, kSameLine, "数量："}, 296, 428, 234},
};

}  // namespace

// Certificate label.
void ComposeLabel60x20(const JobContext& context) {
  if (!OpenPageJob(context, kTestLabelFrame, kPrintWidth, 104)) return;
  AppendNameLabelLead();
  cmd::EscLineWidth(2);
  constexpr PlacedText kTexts[] = {
      {5, 5, "合格证\n"}, {224, 5, "等级：一等品"}, {0, 40, "打印机"}, {224, kSameLine, "价格：299"}};
  for (const PlacedText& item : kTexts) PlaceDisplayText(item);
  cmd::Position(100, 70);
  cmd::GsH(kTextBelowBars);
  AppendBarcode("123456789012", kUpcA, 2, 20, kNoBarText);
  cmd::LF();
  cmd::EscFF();
}

// Consignment label: a frame, a short divider at the top and four rules that
// split the label into rows.
void ComposeLabel60x30(const JobContext& context) {
  if (!OpenPageJob(context, kTestLabelFrame, kPrintWidth, 224)) return;
  const std::tm& now = context.now;
  cmd::EscLineWidth(3);
  cmd::EscRect(0, 0, kLabelWidth, 214);
  cmd::EscLineWidth(2);
  cmd::EscLine(2, 224, 0, 224, 50);
  PlaceDisplayText({6, 12, "件数：  2件"});
  PlaceDisplayText({250, kSameLine, "发货编号：2-12"});
  RuleAcross(50);
  PlaceDisplayText({6, 58, "名称：打印机"});
  RuleAcross(90);
  PlaceDisplayText({6, 98, kOriginLine});
  RuleAcross(130);
  cmd::Position(6, 138);
  AppendDisplayFormat("生产时间：%04d年 %02d月 %02d日 %02d:%02d:%02d ", Year(now), Month(now), now.tm_mday, now.tm_hour,
                      now.tm_min, now.tm_sec);
  RuleAcross(170);
  PlaceDisplayText({6, 182, kAddressLine});
  cmd::EscFF();
}

// Nutrition table: a centred title, a header row and seven rows of values.
void ComposeLabel60x40(const JobContext& context) {
  if (!OpenPageJob(context, kLabel60x40Frame, kPrintWidth, 300)) return;
  cmd::EscLineWidth(3);
  cmd::EscRect(0, 0, kLabelWidth, 295);
  AppendNutritionTitle(context.now);
  cmd::EscLine(3, 0, 55, kPrintWidth, 55);
  PlaceDisplayText({5, 58, "项目"});
  PlaceCentredValue("每100毫升");
  PlaceLiteralText({358, kSameLine, "NRV%"});
  cmd::EscLine(3, 0, 85, kPrintWidth, 85);
  AppendNutritionRows();
  cmd::EscFF();
}

// Shipping label: brand mark, bar code and title in the top row, a form of
// underlined fields, the contact lines with the date, and a QR code.
void ComposeLabel60x50(const JobContext& context) {
  if (!OpenPageJob(context, kTestLabelFrame, kPrintWidth, 384)) return;
  AppendShippingHeader({.frameWidth = kLabelWidth, .barcodeX = 224, .ruleTo = 428, .titleX = 238});
  AppendUnderlinedFields(kShippingFields);
  AppendContactBlock("日期：%04d年 %02d月 %02d日", context.now);
  cmd::Position(294, 250);
  AppendQrCode(kWebAddress);
  cmd::EscFF();
}

}  // namespace kestrel

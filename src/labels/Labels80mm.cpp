#include "labels/Labels80mm.h"

#include <cstdint>
#include <cstdio>
#include <ctime>
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

// The parcel label's sender block: a fictional sender and a two-line slogan
// that opens with the maker's name. All plain ASCII; the slogan prints in
// font B, 17 and 47 characters long.
constexpr const char kSenderName[] = "Nora Vellacott";
constexpr const char kSenderStreet[] = "Unit 12, Fenwick Trade Park";
constexpr const char kSenderDistrict[] = "41 Alder Lane, Eastmoor";
constexpr const char kSenderTown[] = "Brackenford BF4 7QX";
constexpr const char kSloganFirstLine[] = "Tarnwick Printers";
constexpr const char kSloganSecondLine[] = "Clear prints and steady feeds, parcel by parcel";

// 72 mm of printable width at 8 dots per millimetre.
constexpr std::int32_t kPrintWidth = 576;

constexpr const char kProductBarcode[] = "123456789012";
constexpr const char kParcelBarcode[] = "2500004";
constexpr const char kOutboundBarcode[] = "409111";

// A title on the top line: the x that centres the text's bytes across the
// label, the text, then normal size and emphasis off.
void AppendCentredTitle(const std::string& bytes, std::int32_t size, std::int32_t cellWidth) {
  BeginTitle(size);
  cmd::EscDollar(CentredX(kPrintWidth, cellWidth, bytes.size()));
  AppendBytes(bytes);
  EndTitle();
}

// The outbound label's date, a literal sent as GBK in both languages.
void AppendDateLine(const std::tm& now) {
  char text[96];
  std::snprintf(text, sizeof(text), "日期：%04lld年%02lld月%02lld日 ", static_cast<long long>(now.tm_year) + 1900,
                static_cast<long long>(now.tm_mon) + 1, static_cast<long long>(now.tm_mday));
  AppendLiteralText(text);
}

constexpr const char* kEnglishFieldNames[] = {"Customer:", "Product :", "Specific:", "Quantity:", "Shipping:"};
constexpr FormColumn kFormLeftColumn{
    .textX = 5, .lineFrom = 130, .lineTo = 268, .translated = true, .names = kOutboundFieldNames};
constexpr FormColumn kFormRightColumn{
    .textX = 298, .lineFrom = 428, .lineTo = 566, .translated = false, .names = kEnglishFieldNames};

}  // namespace

// Product label: literal texts only, so it prints the same in both languages.
void ComposeLabel80x20(const JobContext& context) {
  if (!OpenPageJob(context, kLabel80x20Frame, kPrintWidth, 104)) return;
  AppendNameLabelLead();
  cmd::EscLineWidth(2);
  cmd::EscRect(0, 0, kPrintWidth, 94);
  constexpr PlacedText kTexts[] = {{5, 5, "打印机\n"}, {192, 5, "名称：Q52"}, {432, 5, "单位：PCS"}};
  for (const PlacedText& item : kTexts) PlaceLiteralText(item);
  cmd::Position(113, 40);
  AppendBarcode(kProductBarcode, kUpcA, 3, 20, kTextBelowBars);
  cmd::LF();
  cmd::EscFF();
}

// Printer data plate: a literal title, three translated data lines, the
// parcel bar code and the CE and FCC marks.
void ComposeLabel80x30(const JobContext& context) {
  if (!OpenPageJob(context, kTestLabelFrame, kPrintWidth, 224)) return;
  cmd::EscLineWidth(3);
  cmd::EscRect(0, 0, kPrintWidth, 214);
  cmd::EscLineWidth(2);
  AppendCentredTitle(ToPrinterText("Label Thermal Printer\n"), kDoubleHeight, kCellWidth);
  cmd::EscLine(2, 0, 50, kPrintWidth, 50);
  constexpr PlacedText kDataLines[] = {
      {26, 58, "打印机型号(Model):3寸热敏打印机"},
      {26, 88, "纸张宽度(Page Width):80(72)MM"},
      {26, 118, "输入电源(Power):24V/2A\n"},
  };
  for (const PlacedText& item : kDataLines) PlaceDisplayText(item);
  cmd::Position(118, 148);
  AppendBarcode(kParcelBarcode, kCode128, 3, 35, kTextBelowBars);
  cmd::Position(496, 75);
  AppendPicture(kCeMarkBitmap);
  cmd::Position(426, 75);
  AppendPicture(kFccMarkBitmap);
  cmd::EscFF();
}

// Outbound form: a centred double-size title over two columns of five
// underlined fields, translated names on the left, English ones on the right.
void ComposeLabel80x40(const JobContext& context) {
  if (!OpenPageJob(context, kTestLabelFrame, kPrintWidth, 300)) return;
  cmd::EscLineWidth(3);
  AppendCentredTitle(DisplayText("出货标签\n"), kDoubleSize, kDoubleCellWidth);
  AppendFormColumn(kFormLeftColumn);
  AppendFormColumn(kFormRightColumn);
  cmd::EscFF();
}

// Outbound label: brand mark, bar code and title on top, three underlined
// fields, the contact lines and the date, and a QR code of the web address.
void ComposeLabel80x50(const JobContext& context) {
  if (!OpenPageJob(context, kTestLabelFrame, kPrintWidth, 384)) return;
  // The title is centred in the 258 dots right of the brand mark's half.
  constexpr const char kTitle[] = "  打印机出货标签  ";
  AppendShippingHeader({.frameWidth = kPrintWidth,
                        .barcodeX = 258,
                        .ruleTo = 556,
                        .titleX = 288 + CentredX(258, kCellWidth, DisplayText(kTitle).size()),
                        .barcode = kOutboundBarcode,
                        .title = kTitle});
  cmd::GsB(0);
  constexpr UnderlinedField kFields[] = {
      {{10, 90, "客户："}, 82, 556, 124}, {{10, 150, "名称："}, 82, 556, 174}, {{10, 210, "规格："}, 82, 556, 234}};
  AppendUnderlinedFields(kFields);
  AppendContactLines();
  AppendDateLine(context.now);
  cmd::GsB(0);
  cmd::Position(358, 250);
  AppendQrCode(kWebAddress);
  cmd::EscFF();
}

// Parcel label: the brand picture centred in the top 160 dots, the service
// line, the sender block with its slogan in font B, and the parcel bar code.
void ComposeLabel80x60(const JobContext& context) {
  if (!OpenPageJob(context, kTestLabelFrame, kPrintWidth, 464)) return;
  cmd::EscLineWidth(3);
  cmd::EscRect(0, 0, kPrintWidth, 454);
  cmd::EscLineWidth(2);
  const PictureSize brand = GetBrandPictureSize();
  cmd::Position((kPrintWidth - brand.width) / 2, 10 + (160 - brand.height) / 2);
  AppendPicture(kBrandPictureBitmap);
  constexpr PlacedText kServiceLine[] = {{10, 176, "From"}, {234, 176, "ePactket"}, {542, 176, "1"}};
  for (const PlacedText& item : kServiceLine) PlaceLiteralText(item);
  cmd::EscLine(2, 0, 200, kPrintWidth, 200);
  constexpr const char* kSenderLines[] = {kSenderName, kSenderStreet,    kSenderDistrict,
                                          kSenderTown, kSloganFirstLine, kSloganSecondLine};
  for (std::int32_t i = 0; i < 6; ++i) {
    PlaceLiteralText({10, 207 + 24 * i, kSenderLines[i]});
    if (i == 3) cmd::EscM(1);  // the slogan lines print in font B
  }
  cmd::EscM(0);
  cmd::EscLine(2, 0, 357, kPrintWidth, 357);
  cmd::Position(118, 382);
  AppendBarcode(kParcelBarcode, kCode128, 3, 35, kTextBelowBars);
  cmd::EscFF();
}

}  // namespace kestrel

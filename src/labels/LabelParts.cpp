#include "labels/LabelParts.h"

#include <cstdio>

#include "commands/Barcode.h"
#include "commands/Commands.h"
#include "commands/DisplayText.h"
#include "commands/Raster.h"
#include "language/ContactTexts.h"

namespace kestrel::labels {

void MoveTo(std::int32_t x, std::int32_t y) {
  cmd::EscDollar(x);
  if (y != kSameLine) cmd::GsDollar(y);
}

void PlaceDisplayText(const PlacedText& item) {
  MoveTo(item.x, item.y);
  AppendDisplayText(item.text);
}

void PlaceLiteralText(const PlacedText& item) {
  MoveTo(item.x, item.y);
  AppendLiteralText(item.text);
}

std::int32_t CentredX(std::int32_t span, std::int32_t cellWidth, std::size_t length) {
  return (span - cellWidth * static_cast<std::int32_t>(length)) / 2;
}

void BeginTitle(std::int32_t size) {
  cmd::Position(0, 5);
  cmd::GsExclaim(size);
  cmd::EscE(kTitleEmphasis);
}

void EndTitle() {
  cmd::GsExclaim(kNormalSize);
  cmd::EscE(kEmphasisOff);
}

void AppendNameLabelLead() {
  cmd::Position(300, 10);
  AppendBytes({0x00, 0x00});
}

void AppendMonthDay(const std::tm& now) {
  char text[32];
  const int length = std::snprintf(text, sizeof(text), "(%02d%02d)", Month(now), now.tm_mday);
  if (length > 0 && length < static_cast<int>(sizeof(text))) AppendBytes(std::string(text, length));
}

void AppendUnderlinedFields(std::span<const UnderlinedField> fields) {
  for (const UnderlinedField& field : fields) {
    PlaceDisplayText(field.name);
    cmd::EscLine(2, field.lineFrom, field.lineY, field.lineTo, field.lineY);
  }
}

void AppendShippingHeader(const ShippingHeader& header) {
  cmd::EscLineWidth(3);
  cmd::EscRect(0, 0, header.frameWidth, 380);
  cmd::Position(10, 10);
  AppendPicture(kBrandMarkBitmap);
  cmd::Position(header.barcodeX, 10);
  AppendBarcode(header.barcode, kCode128, 3, 20, kNoBarText);
  cmd::Position(header.barcodeX, 10);
  cmd::EscLine(3, header.barcodeX, 35, header.ruleTo, 35);
  PlaceDisplayText({header.titleX, 38, header.title});
}

void AppendContactLines() {
  PlaceDisplayText({10, 270, kWebLine});
  PlaceDisplayText({10, 300, kTelephoneLine});
  cmd::Position(10, 330);
}

void AppendContactBlock(const char* dateFormat, const std::tm& now) {
  AppendContactLines();
  AppendDisplayFormat(dateFormat, Year(now), Month(now), now.tm_mday);
}

void AppendFormColumn(const FormColumn& column) {
  for (std::size_t i = 0; i < column.names.size(); ++i) {
    const std::int32_t y = 84 + 48 * static_cast<std::int32_t>(i);
    const PlacedText name{column.textX, y - 22, column.names[i]};
    if (column.translated) {
      PlaceDisplayText(name);
    } else {
      PlaceLiteralText(name);
    }
    // x 135 is set before every line; the line carries its own coordinates,
    // so this only keeps the byte layout the printers know.
    cmd::EscDollar(135);
    cmd::EscLine(3, column.lineFrom, y, column.lineTo, y);
  }
}

}  // namespace kestrel::labels

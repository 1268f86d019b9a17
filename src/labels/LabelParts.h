#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <span>
#include <string>

// Pieces that several sample labels share: placed texts, titles, ruled form
// fields and the shipping labels' header and contact block.
namespace kestrel::labels {

// A y of kSameLine keeps the line of the element before: only ESC $ is sent.
inline constexpr std::int32_t kSameLine = -1;

// The titles' emphasis byte is 22, not 01.
inline constexpr std::int32_t kTitleEmphasis = 0x22;

// Dots per byte of a text in font A: a normal cell, and a double-width one.
inline constexpr std::int32_t kCellWidth = 12;
inline constexpr std::int32_t kDoubleCellWidth = 24;

// A Chinese source text (or a literal) and the point it prints at.
struct PlacedText {
  std::int32_t x;
  std::int32_t y;
  const char* text;
};

// ESC $ x, then GS $ y unless y is kSameLine.
void MoveTo(std::int32_t x, std::int32_t y);
void PlaceDisplayText(const PlacedText& item);
void PlaceLiteralText(const PlacedText& item);

// Start of a text of `length` bytes centred across `span` dots.
std::int32_t CentredX(std::int32_t span, std::int32_t cellWidth, std::size_t length);

// The title line at (0, 5): size and emphasis on. EndTitle turns both off.
void BeginTitle(std::int32_t size);
void EndTitle();

// The position (300, 10) and two zero bytes that open the name labels.
void AppendNameLabelLead();

// The year, month, day, hour, minute and second that a label prints.
inline int Year(const std::tm& now) { return now.tm_year + 1900; }
inline int Month(const std::tm& now) { return now.tm_mon + 1; }

// "(MMDD)", sent as is in every language.
void AppendMonthDay(const std::tm& now);

// A field name followed by its underline, drawn in width 2 from (lineFrom, lineY)
// to (lineTo, lineY).
struct UnderlinedField {
  PlacedText name;
  std::int32_t lineFrom;
  std::int32_t lineTo;
  std::int32_t lineY;
};
void AppendUnderlinedFields(std::span<const UnderlinedField> fields);

// The top row of the shipping and outbound labels: the outer frame, the
// brand mark at (10, 10), a bar code with a rule under it, and the title (a
// Chinese source text) below the rule, placed from the bar code's column.
struct ShippingHeader {
  std::int32_t frameWidth;
  std::int32_t barcodeX;
  std::int32_t ruleTo;
  std::int32_t titleX;
  const char* barcode = "409";
  const char* title = "打印机出货标签";
};
void AppendShippingHeader(const ShippingHeader& header);

// The web line and the telephone line of the shipping labels at x 10 from
// y 270 down, then the place of the date line below them.
void AppendContactLines();
// The contact lines and the date through the given translated format.
void AppendContactBlock(const char* dateFormat, const std::tm& now);

// One column of an outbound form: five field names, each 22 dots above a
// ruled line at y = 84 + 48 i that runs from lineFrom to lineTo.
struct FormColumn {
  std::int32_t textX;
  std::int32_t lineFrom;
  std::int32_t lineTo;
  bool translated;  // Chinese source texts, else literals
  std::span<const char* const> names;
};
inline constexpr const char* kOutboundFieldNames[] = {"客户名称:", "产品名称:", "规    格:", "数    量:", "出货时间:"};
void AppendFormColumn(const FormColumn& column);

}  // namespace kestrel::labels

#include <algorithm>

#include "emulator/CodeTables.h"
#include "emulator/GlyphSource.h"
#include "emulator/PrinterModel.h"
#include "emulator/Symbols.h"

// What the printer model prints: characters, bar codes and two-dimensional
// codes, in page mode at the print position, in standard mode on the roll.
namespace kestrel::emu {
namespace {

// Bytes of one GB18030 character starting at `at`; the decoder has checked them.
std::size_t CharacterLength(std::span<const std::uint8_t> text, std::size_t at) {
  if (text[at] < 0x80) return 1;
  const std::size_t length = at + 1 < text.size() && text[at + 1] >= 0x30 && text[at + 1] <= 0x39 ? 4 : 2;
  return std::min(length, text.size() - at);
}

// The gap between a bar code and its human-readable text.
constexpr int kTextGap = 2;

// Far down the page, past any page's bound, so that a flood of feeds cannot
// overflow the position.
constexpr int kFarDown = 1 << 24;

// A character cell of `width` dots with the glyph `left` dots in, white on
// black when reversed, turned when rotated.
Canvas Cell(const Canvas& glyph, int width, int left, const TextStyle& style) {
  Canvas cell(width, glyph.height());
  for (int y = 0; y < glyph.height(); ++y)
    for (int x = 0; x < width; ++x)
      if (glyph.At(x - left, y) != style.reverse) cell.Fill(x, y, 1, 1);
  return style.rotated ? cell.Turned() : cell;
}

void DrawItem(PageView& view, const LineItem& item, int x, int y) {
  DrawPicture(view, item.picture, x, y, item.scaleX, item.scaleY);
  if (item.emphasized) DrawPicture(view, item.picture, x + 1, y, item.scaleX, item.scaleY);
  if (item.underline > 0)
    view.Fill(x, y + item.picture.height() * item.scaleY - item.underline, item.advance, item.underline);
}

}  // namespace

void PrinterModel::PrintText(std::span<const std::uint8_t> text, std::int32_t codeTable) {
  GlyphSource& glyphs = GlyphSource::Shared();
  const TextStyle& style = state_.style;
  const bool singleByte = codeTable != Command::kChineseText;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = singleByte ? 1 : CharacterLength(text, at);
    const bool fullWidth = length > 1;
    int width = style.small ? 16 : 24;
    int height = width;
    if (!fullWidth) {
      width = style.small ? 8 : style.fontB ? 9 : 12;
      height = style.small ? 16 : style.fontB ? 17 : 24;
    }
    Canvas glyph = singleByte && text[at] >= 0x80 ? glyphs.Glyph(CodeTableCharacter(codeTable, text[at]), width, height)
                                                  : glyphs.Glyph(text.subspan(at, length), width, height);
    const int left = fullWidth ? style.chineseLeft : 0;
    const int cellWidth = width + (fullWidth ? style.chineseLeft + style.chineseRight : style.rightSpacing);
    if (style.reverse || style.rotated || left > 0) glyph = Cell(glyph, cellWidth, left, style);
    PlaceCharacter(std::move(glyph), cellWidth * style.widthMultiple, fullWidth);
    at += length;
  }
}

// A character that does not fit on the line any more starts the next one.
// ESC - underlines every character, FS - the Chinese ones too.
void PrinterModel::PlaceCharacter(Canvas glyph, int advance, bool fullWidth) {
  PrinterState& s = state_;
  const TextStyle& style = s.style;
  const int tall = glyph.height() * style.heightMultiple;
  LineItem item{std::move(glyph),
                0,
                advance,
                style.widthMultiple,
                style.heightMultiple,
                style.emphasized,
                fullWidth ? std::max(style.underline, style.chineseUnderline) : style.underline};
  if (!s.pageMode) return PlaceOnLine(std::move(item), tall);
  PageView view = View();
  if (s.x > 0 && s.x + advance > view.width()) LineFeed();
  DrawItem(view, item, s.x, s.y);
  s.x += advance;
  s.lineHeight = std::max(s.lineHeight, tall);
}

void PrinterModel::PlaceOnLine(LineItem item, int tall) {
  PrinterState& s = state_;
  if (s.lineX > 0 && s.lineX + item.advance > LineWidth()) LineFeed();
  item.x = s.lineX;
  s.lineX += item.advance;
  s.lineTall = std::max(s.lineTall, tall);
  s.line.push_back(std::move(item));
}

void PrinterModel::MoveX(int dots) {
  int& x = state_.pageMode ? state_.x : state_.lineX;
  x = std::max(x + dots, 0);
}

void PrinterModel::LineFeed() {
  PrinterState& s = state_;
  if (s.pageMode) {
    s.x = 0;
    s.y = std::min(s.y + std::max(s.lineSpacing, s.lineHeight), kFarDown);
    s.lineHeight = 0;
    return;
  }
  FeedRoll(std::max(s.lineSpacing, FlushLine()));
}

void PrinterModel::Feed(int dots) {
  PrinterState& s = state_;
  if (s.pageMode) {
    s.x = 0;
    s.y = std::min(s.y + dots, kFarDown);
    s.lineHeight = 0;
    return;
  }
  FeedRoll(std::max(dots, FlushLine()));
}

// The standard-mode line runs from the left margin (GS L) over the print area
// width (GS W), within the head.
int PrinterModel::LineWidth() const { return std::max(std::min(state_.areaWidth, printWidth_ - state_.leftMargin), 1); }

// Prints the standard-mode line at the top of the free roll, its characters
// standing on one base line, placed by the justification and turned upside
// down by ESC {. Returns its height.
int PrinterModel::FlushLine() {
  PrinterState& s = state_;
  if (s.line.empty()) return 0;
  const int tall = s.lineTall;
  const int free = std::max(LineWidth() - s.lineX, 0);
  const int shift = s.leftMargin + (s.justification == 1 ? free / 2 : s.justification == 2 ? free : 0);
  roll_.GrowTo(std::min(rollY_ + tall, kMaxPageHeight));
  Canvas strip;
  if (s.upsideDown) strip.Resize(printWidth_, tall);
  PageView view = s.upsideDown ? PageView(strip, 2) : PageView(roll_, 0);
  const int top = s.upsideDown ? 0 : rollY_;
  for (const LineItem& item : s.line)
    DrawItem(view, item, shift + item.x, top + tall - item.picture.height() * item.scaleY);
  if (s.upsideDown) {
    PageView roll(roll_, 0);
    DrawPicture(roll, strip, 0, rollY_);
    if (strip.TakeClipped()) roll_.MarkClipped();
  }
  s.line.clear();
  s.lineX = s.lineTall = 0;
  return tall;
}

// Feeding only moves the roll's position: the paper is drawn as far as
// something is printed on it, so that blank paper costs nothing. The roll is
// printed as a strip when it reaches the page bound.
void PrinterModel::FeedRoll(int dots) {
  rollY_ = std::min(rollY_ + std::max(dots, 0), kMaxPageHeight);
  if (rollY_ == kMaxPageHeight) FlushRoll();
}

// Prints the roll fed so far as one strip, with a line still waiting. Paper
// that was only fed makes no picture.
void PrinterModel::FlushRoll() {
  const int tall = FlushLine();
  if (tall > 0) FeedRoll(tall);
  if (rollY_ == 0) return;
  if (!roll_.blank()) {
    roll_.GrowTo(rollY_);
    roll_.CutTo(rollY_);
    Hold({roll_, false, current_, 1, {}});
  }
  roll_.Resize(printWidth_, 0);
  rollY_ = 0;
}

void PrinterModel::PlaceBlock(const Canvas& picture, int scaleX, int scaleY, bool belowInPageMode) {
  PrinterState& s = state_;
  const int width = picture.width() * scaleX;
  const int height = picture.height() * scaleY;
  if (s.pageMode) {
    PageView view = View();
    DrawPicture(view, picture, s.x, s.y, scaleX, scaleY);
    if (belowInPageMode) {
      s.y = std::min(s.y + height, kFarDown);
    } else {
      s.x += width;
      s.lineHeight = std::max(s.lineHeight, height);
    }
    return;
  }
  const int tall = FlushLine();
  if (tall > 0) FeedRoll(std::max(s.lineSpacing, tall));
  const int free = std::max(LineWidth() - width, 0);
  const int shift = s.leftMargin + (s.justification == 1 ? free / 2 : s.justification == 2 ? free : 0);
  roll_.GrowTo(std::min(rollY_ + height, kMaxPageHeight));
  PageView view(roll_, 0);
  DrawPicture(view, picture, shift, rollY_, scaleX, scaleY);
  FeedRoll(height);
}

// The human-readable text of a bar code, in font A or B (GS f).
Canvas PrinterModel::TextPicture(const std::string& text) {
  const int width = state_.barTextFontB ? 9 : 12;
  const int height = state_.barTextFontB ? 17 : 24;
  Canvas picture(static_cast<int>(text.size()) * width, height);
  PageView view(picture, 0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::uint8_t byte = static_cast<std::uint8_t>(text[i]);
    DrawPicture(view, GlyphSource::Shared().Glyph(std::span(&byte, 1), width, height), static_cast<int>(i) * width, 0);
  }
  return picture;
}

void PrinterModel::PrintBarcode(std::span<const std::uint8_t> stream, const Command& command) {
  const PrinterState& s = state_;
  const Symbol symbol = EncodeBarcode(command.args[0], stream.subspan(command.dataOffset, command.dataLength));
  if (!symbol.problem.empty()) return Remark(command, "not printed: " + symbol.problem);
  if (!symbol.note.empty()) Remark(command, symbol.note);
  const bool above = (s.barTextPosition & 1) != 0;
  const bool below = (s.barTextPosition & 2) != 0;
  const Canvas text = above || below ? TextPicture(symbol.text) : Canvas();
  const int textRows = text.height() + kTextGap;
  const int barsTop = above ? textRows : 0;
  Canvas picture(symbol.modules.width() * s.moduleWidth, barsTop + s.barHeight + (below ? textRows : 0));
  for (int module = 0; module < symbol.modules.width(); ++module)
    if (symbol.modules.At(module, 0)) picture.Fill(module * s.moduleWidth, barsTop, s.moduleWidth, s.barHeight);
  PageView view(picture, 0);
  const int textX = (picture.width() - text.width()) / 2;
  if (above) DrawPicture(view, text, textX, 0);
  if (below) DrawPicture(view, text, textX, barsTop + s.barHeight + kTextGap);
  PlaceBlock(picture, 1, 1, false);
}

void PrinterModel::RunQrFunction(std::span<const std::uint8_t> stream, const Command& command) {
  PrinterState& s = state_;
  if (command.args[0] != 0x31) return;
  switch (command.args[1]) {
    case 0x43:
      if (command.args[2] >= 1 && command.args[2] <= 16) s.qrModule = command.args[2];
      break;
    case 0x45:
      s.qrLevel = command.args[2];
      break;
    case 0x50: {  // the byte m = 30 leads the data
      const auto data = stream.subspan(command.dataOffset, command.dataLength);
      s.qrData.assign(data.begin() + (data.empty() ? 0 : 1), data.end());
      break;
    }
    case 0x51: {
      if (s.qrData.empty()) return Remark(command, "no QR code data stored");
      const Symbol symbol = EncodeQrCode(s.qrData, s.qrLevel);
      if (!symbol.problem.empty()) return Remark(command, "not printed: " + symbol.problem);
      PlaceBlock(symbol.modules, s.qrModule, s.qrModule, false);
      break;
    }
    default:
      break;
  }
}

// GS ( k 30: columns, rows, module width, row height, error correction,
// options, store and print.
void PrinterModel::RunPdf417Function(std::span<const std::uint8_t> stream, const Command& command) {
  Pdf417Settings& pdf = state_.pdf417;
  const auto data = stream.subspan(command.dataOffset, command.dataLength);
  const int n = command.args[2];
  switch (command.args[1]) {
    case 0x41:
      if (n <= 30) pdf.columns = n;
      break;
    case 0x42:
      if (n == 0 || (n >= 3 && n <= 90)) pdf.rows = n;
      break;
    case 0x43:
      if (n >= 2 && n <= 8) pdf.moduleWidth = n;
      break;
    case 0x44:
      if (n >= 2 && n <= 8) pdf.rowHeight = n;
      break;
    case 0x45:  // m 30: level n from '0' to '8'; m 31: a share of the data, left to the encoder
      pdf.errorLevel = n == 0x30 && data.size() >= 2 && data[1] >= 0x30 && data[1] <= 0x38 ? data[1] - 0x30 : -1;
      break;
    case 0x46:
      pdf.truncated = (n & 1) != 0;
      break;
    case 0x50:
      state_.pdf417Data.assign(data.begin() + (data.empty() ? 0 : 1), data.end());
      break;
    case 0x51: {
      if (state_.pdf417Data.empty()) return Remark(command, "no PDF417 data stored");
      const Symbol symbol = EncodePdf417(state_.pdf417Data, pdf.columns, pdf.rows, pdf.errorLevel, pdf.truncated);
      if (!symbol.problem.empty()) return Remark(command, "not printed: " + symbol.problem);
      PlaceBlock(symbol.modules, pdf.moduleWidth, pdf.moduleWidth * pdf.rowHeight, false);
      break;
    }
    default:
      break;
  }
}

}  // namespace kestrel::emu

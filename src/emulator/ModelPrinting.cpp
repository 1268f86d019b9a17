#include <algorithm>

#include "emulator/GlyphSource.h"
#include "emulator/PrinterModel.h"
#include "emulator/Symbols.h"

// What the printer model prints: characters, bar codes, QR codes and raster
// images, in page mode at the print position, in standard mode on the roll.
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

}  // namespace

void PrinterModel::PrintText(std::span<const std::uint8_t> text) {
  GlyphSource& glyphs = GlyphSource::Shared();
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = CharacterLength(text, at);
    const bool halfWidth = length == 1;
    int width = style_.small ? 16 : 24;
    int height = width;
    if (halfWidth) {
      width = style_.small ? 8 : style_.fontB ? 9 : 12;
      height = style_.small ? 16 : style_.fontB ? 17 : 24;
    }
    const Canvas glyph = glyphs.Glyph(text.subspan(at, length), width, height);
    PlaceGlyph(glyph, (width + (halfWidth ? style_.rightSpacing : 0)) * style_.widthMultiple);
    at += length;
  }
}

namespace {

void DrawGlyph(PageView& view, const Canvas& glyph, int x, int y, int scaleX, int scaleY, bool emphasized,
               int underline, int advance) {
  DrawPicture(view, glyph, x, y, scaleX, scaleY);
  if (emphasized) DrawPicture(view, glyph, x + 1, y, scaleX, scaleY);
  if (underline > 0) view.Fill(x, y + glyph.height() * scaleY - underline, advance, underline);
}

}  // namespace

// A character that does not fit on the line any more starts the next one.
void PrinterModel::PlaceGlyph(const Canvas& glyph, int advance) {
  const int height = glyph.height() * style_.heightMultiple;
  if (pageMode_) {
    PageView view = View();
    if (x_ > 0 && x_ + advance > view.width()) LineFeed();
    DrawGlyph(view, glyph, x_, y_, style_.widthMultiple, style_.heightMultiple, style_.emphasized, style_.underline,
              advance);
    x_ += advance;
    lineHeight_ = std::max(lineHeight_, height);
    return;
  }
  if (lineX_ > 0 && lineX_ + advance > printWidth_) LineFeed();
  line_.push_back({glyph, lineX_, advance, style_});
  lineX_ += advance;
  lineTall_ = std::max(lineTall_, height);
}

void PrinterModel::LineFeed() {
  if (pageMode_) {
    x_ = 0;
    y_ += std::max(lineSpacing_, lineHeight_);
    lineHeight_ = 0;
    return;
  }
  FeedRoll(std::max(lineSpacing_, FlushLine()));
}

void PrinterModel::Feed(int dots) {
  if (pageMode_) {
    x_ = 0;
    y_ += dots;
    lineHeight_ = 0;
    return;
  }
  FeedRoll(std::max(dots, FlushLine()));
}

// Prints the standard-mode line at the top of the free roll, its characters
// standing on one base line, placed by the justification. Returns its height.
int PrinterModel::FlushLine() {
  if (line_.empty()) return 0;
  const int tall = lineTall_;
  const int free = std::max(printWidth_ - lineX_, 0);
  const int shift = justification_ == 1 ? free / 2 : justification_ == 2 ? free : 0;
  roll_.GrowTo(std::min(rollY_ + tall, kMaxPageHeight));
  PageView view(roll_, 0);
  for (const LineItem& item : line_) {
    const int top = rollY_ + tall - item.glyph.height() * item.style.heightMultiple;
    DrawGlyph(view, item.glyph, shift + item.x, top, item.style.widthMultiple, item.style.heightMultiple,
              item.style.emphasized, item.style.underline, item.advance);
  }
  line_.clear();
  lineX_ = lineTall_ = 0;
  return tall;
}

// The roll is printed as a strip when it reaches the page bound.
void PrinterModel::FeedRoll(int dots) {
  rollY_ = std::min(rollY_ + std::max(dots, 0), kMaxPageHeight);
  roll_.GrowTo(rollY_);
  if (rollY_ == kMaxPageHeight) FlushRoll();
}

// Prints the roll fed so far as one strip, with a line still waiting. Paper
// that was only fed makes no picture.
void PrinterModel::FlushRoll() {
  const int tall = FlushLine();
  if (tall > 0) FeedRoll(tall);
  if (rollY_ == 0) return;
  roll_.CutTo(rollY_);
  if (!roll_.blank()) Hold({roll_, false, current_, 1});
  roll_.Resize(printWidth_, 0);
  rollY_ = 0;
}

void PrinterModel::PlaceBlock(const Canvas& picture, int scaleX, int scaleY, bool belowInPageMode) {
  const int width = picture.width() * scaleX;
  const int height = picture.height() * scaleY;
  if (pageMode_) {
    PageView view = View();
    DrawPicture(view, picture, x_, y_, scaleX, scaleY);
    if (belowInPageMode) {
      y_ += height;
    } else {
      x_ += width;
      lineHeight_ = std::max(lineHeight_, height);
    }
    return;
  }
  const int tall = FlushLine();
  if (tall > 0) FeedRoll(std::max(lineSpacing_, tall));
  const int free = std::max(printWidth_ - width, 0);
  const int shift = justification_ == 1 ? free / 2 : justification_ == 2 ? free : 0;
  roll_.GrowTo(std::min(rollY_ + height, kMaxPageHeight));
  PageView view(roll_, 0);
  DrawPicture(view, picture, shift, rollY_, scaleX, scaleY);
  FeedRoll(height);
}

// The human-readable text of a bar code, in font A.
Canvas PrinterModel::TextPicture(const std::string& text) {
  Canvas picture(static_cast<int>(text.size()) * 12, 24);
  PageView view(picture, 0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::uint8_t byte = static_cast<std::uint8_t>(text[i]);
    DrawPicture(view, GlyphSource::Shared().Glyph({&byte, 1}, 12, 24), static_cast<int>(i) * 12, 0);
  }
  return picture;
}

void PrinterModel::PrintBarcode(std::span<const std::uint8_t> stream, const Command& command) {
  const Symbol symbol = EncodeBarcode(command.args[0], stream.subspan(command.dataOffset, command.dataLength));
  if (!symbol.problem.empty()) return Remark(command, "not printed: " + symbol.problem);
  if (!symbol.note.empty()) Remark(command, symbol.note);
  const bool above = (barTextPosition_ & 1) != 0;
  const bool below = (barTextPosition_ & 2) != 0;
  const Canvas text = above || below ? TextPicture(symbol.text) : Canvas();
  const int textRows = text.height() + kTextGap;
  const int barsTop = above ? textRows : 0;
  Canvas picture(symbol.modules.width() * moduleWidth_, barsTop + barHeight_ + (below ? textRows : 0));
  for (int module = 0; module < symbol.modules.width(); ++module)
    if (symbol.modules.At(module, 0)) picture.Fill(module * moduleWidth_, barsTop, moduleWidth_, barHeight_);
  PageView view(picture, 0);
  const int textX = (picture.width() - text.width()) / 2;
  if (above) DrawPicture(view, text, textX, 0);
  if (below) DrawPicture(view, text, textX, barsTop + barHeight_ + kTextGap);
  PlaceBlock(picture, 1, 1, false);
}

void PrinterModel::RunQrFunction(std::span<const std::uint8_t> stream, const Command& command) {
  if (command.args[0] != 0x31) return;
  switch (command.args[1]) {
    case 0x43:
      if (command.args[2] >= 1 && command.args[2] <= 16) qrModule_ = command.args[2];
      break;
    case 0x45:
      qrLevel_ = command.args[2];
      break;
    case 0x50: {  // the byte m = 30 leads the data
      const auto data = stream.subspan(command.dataOffset, command.dataLength);
      qrData_.assign(data.begin() + (data.empty() ? 0 : 1), data.end());
      break;
    }
    case 0x51: {
      if (qrData_.empty()) return Remark(command, "no QR code data stored");
      const Symbol symbol = EncodeQrCode(qrData_, qrLevel_);
      if (!symbol.problem.empty()) return Remark(command, "not printed: " + symbol.problem);
      PlaceBlock(symbol.modules, qrModule_, qrModule_, false);
      break;
    }
    default:
      break;
  }
}

// Only the part of an image that can reach the paper is unpacked.
void PrinterModel::PrintRaster(std::span<const std::uint8_t> stream, const Command& command) {
  const int mode = command.args[0] >= 48 ? command.args[0] - 48 : command.args[0];
  const int bytesPerRow = command.args[1];
  const int columns = std::min(bytesPerRow * 8, printWidth_);
  const int rows = std::min(command.args[2], kMaxPageHeight);
  const std::uint8_t* data = stream.data() + command.dataOffset;
  Canvas picture(columns, rows);
  for (int row = 0; row < rows; ++row) {
    const std::uint8_t* bits = data + static_cast<std::size_t>(row) * bytesPerRow;
    for (int column = 0; column < columns; ++column)
      if ((bits[column / 8] & (0x80 >> (column % 8))) != 0) picture.Fill(column, row, 1, 1);
  }
  PlaceBlock(picture, (mode & 1) != 0 ? 2 : 1, (mode & 2) != 0 ? 2 : 1, true);
}

}  // namespace kestrel::emu

#include <algorithm>
#include <utility>

#include "emulator/PrinterModel.h"

// Images: raster images (GS v 0), bit images (ESC *), graphics (GS ( L and
// GS 8 L), NV bit images (FS q, FS p) and the downloaded bit image (GS *,
// GS /).
namespace kestrel::emu {
namespace {

using Bytes = std::span<const std::uint8_t>;

// Rows of (width + 7) / 8 bytes, the first dot in the top bit.
Canvas RasterDots(Bytes data, int width, int height) {
  Canvas dots(width, height);
  const std::size_t perRow = (static_cast<std::size_t>(width) + 7) / 8;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((data[y * perRow + x / 8] & (0x80 >> (x % 8))) != 0) dots.Fill(x, y, 1, 1);
  return dots;
}

// Columns of (height + 7) / 8 bytes, the top dot in the top bit.
Canvas ColumnDots(Bytes data, int width, int height) {
  Canvas dots(width, height);
  const std::size_t perColumn = (static_cast<std::size_t>(height) + 7) / 8;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      if ((data[x * perColumn + y / 8] & (0x80 >> (y % 8))) != 0) dots.Fill(x, y, 1, 1);
  return dots;
}

std::size_t RasterBytes(int width, int height) { return (static_cast<std::size_t>(width) + 7) / 8 * height; }
std::size_t ColumnBytes(int width, int height) { return (static_cast<std::size_t>(height) + 7) / 8 * width; }

int Word(Bytes data, std::size_t at) { return data[at] | data[at + 1] << 8; }

// A scale of GS ( L: 1 or 2, also as '1' or '2'.
int Scale(int value) { return value == 2 || value == 0x32 ? 2 : 1; }

}  // namespace

// Only the part of an image that can reach the paper is unpacked.
void PrinterModel::PrintRaster(Bytes stream, const Command& command) {
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

// ESC * prints on the line like a character: 8-dot single density doubles the
// dots across and triples them down, 8-dot double density triples them down,
// 24-dot single density doubles them across.
void PrinterModel::PrintBitImage(Bytes stream, const Command& command) {
  const int mode = command.args[0];
  if (mode != 0 && mode != 1 && mode != 32 && mode != 33)
    return Remark(command, "bit image mode " + std::to_string(mode) + " does not exist");
  const int height = mode >= 32 ? 24 : 8;
  const int columns = std::min(command.args[1], printWidth_);
  const int scaleX = mode == 0 || mode == 32 ? 2 : 1;
  const int scaleY = mode < 32 ? 3 : 1;
  Canvas dots = ColumnDots(stream.subspan(command.dataOffset, command.dataLength), columns, height);
  PrinterState& s = state_;
  if (!s.pageMode)
    return PlaceOnLine({std::move(dots), 0, columns * scaleX, scaleX, scaleY, false, 0}, height * scaleY);
  PageView view = View();
  DrawPicture(view, dots, s.x, s.y, scaleX, scaleY);
  s.x += columns * scaleX;
  s.lineHeight = std::max(s.lineHeight, height * scaleY);
}

// GS ( L and GS 8 L: m fn and the function's parameters.
void PrinterModel::RunGraphics(Bytes stream, const Command& command) {
  const Bytes data = stream.subspan(command.dataOffset, command.dataLength);
  if (data.size() < 2) return Remark(command, "no function given");
  const int fn = data[1];
  const int key = data.size() >= 4 ? data[2] << 8 | data[3] : 0;
  switch (fn) {
    case 2:
    case 50: {  // print the graphics stored by function 112 or 113
      const StoredImage image = std::exchange(state_.graphics, {});
      return PrintStored(command, image.dots.empty() ? nullptr : &image, 1, 1);
    }
    case 112:
    case 113:
    case 67:
    case 68:
    case 83:
    case 84:
      return StoreGraphics(data, command);
    case 69:
    case 85: {
      std::map<int, StoredImage>& images = fn == 69 ? nvGraphics_ : downloadGraphics_;
      const auto found = data.size() >= 6 ? images.find(key) : images.end();
      if (data.size() < 6) return Remark(command, "the key code and the scale are missing");
      return PrintStored(command, found != images.end() ? &found->second : nullptr, Scale(data[4]), Scale(data[5]));
    }
    case 65:
      nvGraphics_.clear();
      return;
    case 81:
      downloadGraphics_.clear();
      return;
    case 66:
    case 82:
      (fn == 66 ? nvGraphics_ : downloadGraphics_).erase(key);
      return;
    default:  // capacity and key code queries, dot density
      Ignore(std::string(command.name) + " function " + std::to_string(fn) +
             " (answered by the printer or a density setting; nothing prints)");
      return;
  }
}

// Functions 112 and 113 fill the graphics buffer; 67, 68 (NV) and 83, 84
// (downloaded) keep an image under a key code. 113, 68 and 84 send columns.
void PrinterModel::StoreGraphics(Bytes data, const Command& command) {
  const int fn = data[1];
  const bool buffer = fn == 112 || fn == 113;
  const bool columns = fn == 113 || fn == 68 || fn == 84;
  const std::size_t header = buffer ? 10 : 11;  // ... xL xH yL yH, and the colour c of a kept image
  if (data.size() < header) return Remark(command, "the image's size is missing");
  const int width = Word(data, 6);
  const int height = Word(data, 8);
  const Bytes dots = data.subspan(header);
  if ((columns ? ColumnBytes(width, height) : RasterBytes(width, height)) > dots.size())
    return Remark(command, "the image is shorter than its size");
  if (!MayStore(width, height, buffer, command)) return;
  StoredImage image{columns ? ColumnDots(dots, width, height) : RasterDots(dots, width, height), 1, 1};
  if (buffer) {
    image.scaleX = Scale(data[3]);
    image.scaleY = Scale(data[4]);
    state_.graphics = std::move(image);
    return;
  }
  const int key = data[3] << 8 | data[4];
  (fn == 67 || fn == 68 ? nvGraphics_ : downloadGraphics_)[key] = std::move(image);
}

// FS q n: n images, each xL xH yL yH (in units of 8 dots) and its columns;
// they replace those defined before and are printed by FS p.
void PrinterModel::DefineNvBitImages(Bytes stream, const Command& command) {
  nvBitImages_.clear();
  const Bytes data = stream.subspan(command.offset + 3, command.length - 3);
  for (std::size_t at = 0; at + 4 <= data.size();) {
    const int width = Word(data, at) * 8;
    const int height = Word(data, at + 2) * 8;
    if (!MayStore(width, height, false, command)) return;
    nvBitImages_.push_back({ColumnDots(data.subspan(at + 4), width, height), 1, 1});
    at += 4 + ColumnBytes(width, height);
  }
}

// GS * x y: an image of x * 8 columns of y bytes, printed by GS /.
void PrinterModel::DefineDownloadedImage(Bytes stream, const Command& command) {
  const int width = command.args[0] * 8;
  const int height = command.args[1] * 8;
  if (!MayStore(width, height, true, command)) return;
  state_.downloaded = {ColumnDots(stream.subspan(command.offset + 4), width, height), 1, 1};
}

// Images are kept within one bound, the graphics buffer's single image as
// well, checked before one is unpacked.
bool PrinterModel::MayStore(int width, int height, bool buffer, const Command& command) {
  std::size_t stored = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (!buffer) {
    for (const auto* images : {&nvGraphics_, &downloadGraphics_})
      for (const auto& [key, kept] : *images)
        stored += static_cast<std::size_t>(kept.dots.width()) * kept.dots.height();
    for (const StoredImage& kept : nvBitImages_)
      stored += static_cast<std::size_t>(kept.dots.width()) * kept.dots.height();
  }
  if (stored <= kMaxStoredDots) return true;
  Remark(command, "not kept: the printer's image memory is full");
  return false;
}

// A stored image prints as a block: on a strip of its own in standard mode,
// at the print position in page mode.
void PrinterModel::PrintStored(const Command& command, const StoredImage* image, int scaleX, int scaleY) {
  if (image == nullptr) return Remark(command, "no such image is stored");
  PlaceBlock(image->dots, image->scaleX * scaleX, image->scaleY * scaleY, true);
}

}  // namespace kestrel::emu

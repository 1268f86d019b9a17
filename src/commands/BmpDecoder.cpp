#include "commands/BmpDecoder.h"

#include <cstdlib>

namespace kestrel {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;
// Far beyond any picture the program prints; keeps a damaged header from
// asking for gigabytes.
constexpr std::int64_t kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = 16 * 1024 * 1024;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}
std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

struct BmpLayout {
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool topDown = false;
  int bitsPerPixel = 0;
  std::size_t pixelOffset = 0;
  std::size_t stride = 0;
  std::size_t paletteOffset = 0;
  std::size_t paletteCount = 0;
};

// Reads and checks the headers; false for anything this decoder does not take.
bool ReadLayout(std::span<const std::uint8_t> file, BmpLayout* layout) {
  if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M') return false;
  const std::uint32_t infoSize = ReadU32(file, 14);
  if (infoSize < kInfoHeaderSize || infoSize > file.size() - kFileHeaderSize) return false;
  const auto width = static_cast<std::int32_t>(ReadU32(file, 18));
  const auto height = static_cast<std::int32_t>(ReadU32(file, 22));
  const int bits = ReadU16(file, 28);
  if (ReadU16(file, 26) != 1 || ReadU32(file, 30) != kUncompressed) return false;
  if (bits != 1 && bits != 8 && bits != 24 && bits != 32) return false;
  layout->width = width;
  layout->height = std::llabs(static_cast<std::int64_t>(height));
  layout->topDown = height < 0;
  if (layout->width <= 0 || layout->height <= 0 || layout->width > kMaxSide || layout->height > kMaxSide ||
      layout->width * layout->height > kMaxPixels)
    return false;
  layout->bitsPerPixel = bits;
  layout->stride = static_cast<std::size_t>((layout->width * bits + 31) / 32 * 4);
  layout->pixelOffset = ReadU32(file, 10);
  if (layout->pixelOffset > file.size() ||
      layout->stride * static_cast<std::size_t>(layout->height) > file.size() - layout->pixelOffset)
    return false;
  if (bits <= 8) {
    const std::size_t maxColours = std::size_t{1} << bits;
    const std::uint32_t used = ReadU32(file, 46);
    layout->paletteCount = used == 0 ? maxColours : used;
    layout->paletteOffset = kFileHeaderSize + infoSize;
    if (layout->paletteCount > maxColours || layout->paletteOffset > file.size() ||
        layout->paletteCount * 4 > file.size() - layout->paletteOffset)
      return false;
  }
  return true;
}

// Copies one stored row into 32-bit pixels; false when a palette index points
// past the palette.
bool DecodeRow(std::span<const std::uint8_t> file, const BmpLayout& layout, const std::uint8_t* row,
               std::uint8_t* out) {
  for (std::int64_t x = 0; x < layout.width; ++x, out += 4) {
    const std::uint8_t* colour = nullptr;
    switch (layout.bitsPerPixel) {
      case 32:
      case 24:
        colour = row + x * (layout.bitsPerPixel / 8);
        break;
      default: {
        const std::size_t index = layout.bitsPerPixel == 8 ? row[x] : (row[x / 8] >> (7 - x % 8)) & 1;
        if (index >= layout.paletteCount) return false;
        colour = file.data() + layout.paletteOffset + index * 4;
      }
    }
    out[0] = colour[0];
    out[1] = colour[1];
    out[2] = colour[2];
    out[3] = 0;
  }
  return true;
}

}  // namespace

Bitmap DecodeBmp(std::span<const std::uint8_t> file) {
  BmpLayout layout;
  if (!ReadLayout(file, &layout)) return {};
  Bitmap bitmap;
  bitmap.width = static_cast<std::int32_t>(layout.width);
  bitmap.height = static_cast<std::int32_t>(layout.height);
  bitmap.bytesPerRow = bitmap.width * 4;
  bitmap.pixels.resize(static_cast<std::size_t>(bitmap.bytesPerRow) * static_cast<std::size_t>(bitmap.height));
  for (std::int64_t y = 0; y < layout.height; ++y) {
    const std::int64_t stored = layout.topDown ? y : layout.height - 1 - y;
    const std::uint8_t* row = file.data() + layout.pixelOffset + static_cast<std::size_t>(stored) * layout.stride;
    if (!DecodeRow(file, layout, row, bitmap.pixels.data() + y * bitmap.bytesPerRow)) return {};
  }
  return bitmap;
}

}  // namespace kestrel

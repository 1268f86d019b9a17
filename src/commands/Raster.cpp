#include "commands/Raster.h"

#include "commands/BmpDecoder.h"
#include "commands/SendBuffer.h"
#include "resources/Resources.h"

namespace kestrel {
namespace {

constexpr std::int32_t kBandRows = 24;
// GS v 0 carries the band width in one byte (xH stays 0).
constexpr std::int32_t kMaxBandBytes = 255;

enum class PixelFormat { kUnsupported, kOneBit, kThirtyTwoBit };

// The format as the loaded picture tells it: bytesPerRow / width.
PixelFormat FormatOf(const Bitmap& bitmap) {
  if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.bytesPerRow <= 0) return PixelFormat::kUnsupported;
  const std::size_t needed = static_cast<std::size_t>(bitmap.bytesPerRow) * static_cast<std::size_t>(bitmap.height);
  if (bitmap.pixels.size() < needed) return PixelFormat::kUnsupported;
  switch (bitmap.bytesPerRow / bitmap.width) {
    case 4:
      return PixelFormat::kThirtyTwoBit;
    case 0:
      // A row must still hold all its bits.
      return bitmap.bytesPerRow >= (bitmap.width + 7) / 8 ? PixelFormat::kOneBit : PixelFormat::kUnsupported;
    default:
      return PixelFormat::kUnsupported;
  }
}

// The picture's last row and last column never print.
bool DotPrints(const Bitmap& bitmap, PixelFormat format, std::int32_t x, std::int32_t y) {
  if (y >= bitmap.height - 1 || x >= bitmap.width - 1) return false;
  const std::uint8_t* row = bitmap.pixels.data() + static_cast<std::size_t>(y) * bitmap.bytesPerRow;
  if (format == PixelFormat::kOneBit) return ((row[x / 8] >> (7 - x % 8)) & 1) == 0;
  const std::uint8_t* pixel = row + static_cast<std::size_t>(x) * 4;
  const std::int32_t brightness = 30 * pixel[2] + 59 * pixel[1] + 11 * pixel[0];
  return brightness < 12800;
}

void PackRow(const Bitmap& bitmap, PixelFormat format, std::int32_t y, std::int32_t bandBytes, std::uint8_t* out) {
  for (std::int32_t i = 0; i < bandBytes; ++i) {
    std::uint8_t packed = 0;
    for (std::int32_t bit = 0; bit < 8; ++bit)
      if (DotPrints(bitmap, format, i * 8 + bit, y)) packed |= static_cast<std::uint8_t>(0x80 >> bit);
    out[i] = packed;
  }
}

}  // namespace

Bitmap LoadBitmap(int bitmapId) { return DecodeBmp(FindResource(bitmapId)); }

std::int32_t ComposeRaster(const Bitmap& bitmap) {
  const PixelFormat format = FormatOf(bitmap);
  if (format == PixelFormat::kUnsupported) return 0;
  const std::int32_t bandBytes = (bitmap.width + 7) / 8;
  if (bandBytes > kMaxBandBytes) return 0;
  const std::int32_t bands = (bitmap.height + kBandRows - 1) / kBandRows;
  // Refuse whole rather than leave a band cut off in the output.
  if (static_cast<std::int64_t>(bands) * (8 + kBandRows * bandBytes) > kImageBufferCapacity) return 0;

  ImageWriter out;
  std::uint8_t row[kMaxBandBytes];
  for (std::int32_t top = 0; top < bitmap.height; top += kBandRows) {
    out.Put({0x1D, 0x76, 0x30, 0x00, static_cast<std::uint8_t>(bandBytes), 0x00, kBandRows, 0x00});
    for (std::int32_t y = top; y < top + kBandRows; ++y) {
      PackRow(bitmap, format, y, bandBytes, row);
      out.Put(row, static_cast<std::size_t>(bandBytes));
    }
  }
  return out.Count();
}

std::int32_t ComposeBitmapRaster(int bitmapId) { return ComposeRaster(LoadBitmap(bitmapId)); }

PictureSize GetBrandPictureSize() {
  const Bitmap picture = LoadBitmap(kBrandPictureBitmap);
  return {picture.width, picture.height};
}

bool AppendPicture(int bitmapId) { return AppendImage(ComposeBitmapRaster(bitmapId)); }

}  // namespace kestrel

#pragma once

#include <cstdint>
#include <vector>

namespace kestrel {

// The program's pictures by resource number.
inline constexpr int kBrandMarkBitmap = 129;       // 80 x 80
inline constexpr int kBrandPictureBitmap = 132;    // 229 x 120
inline constexpr int kCeMarkBitmap = 139;          // 50 x 39
inline constexpr int kFccMarkBitmap = 140;         // 50 x 43
inline constexpr int kSmallBrandMarkBitmap = 145;  // 60 x 60

// Rows of pixels from top to bottom. bytesPerRow / width tells the format:
// 4 is 32 bits per pixel (blue, green, red, unused), 0 is 1 bit per pixel
// (leftmost pixel in the most significant bit).
struct Bitmap {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bytesPerRow = 0;
  std::vector<std::uint8_t> pixels;
};

// Decodes an embedded picture to 32-bit pixels; empty (width 0) when missing.
Bitmap LoadBitmap(int bitmapId);

// Writes the GS v 0 bands of 24 rows of a picture into ImageBuffer and returns
// the byte count.
std::int32_t ComposeRaster(const Bitmap& bitmap);
std::int32_t ComposeBitmapRaster(int bitmapId);

struct PictureSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};
// The size of the brand picture, bitmap 132.
PictureSize GetBrandPictureSize();

// Encode into ImageBuffer, then append the bands to SendBuffer.
bool AppendPicture(int bitmapId);

}  // namespace kestrel

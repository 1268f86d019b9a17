#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "commands/BmpDecoder.h"
#include "commands/Raster.h"
#include "commands/SendBuffer.h"
#include "support/TestSupport.h"

namespace kestrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::span<const std::uint8_t> Output(std::int32_t count) { return {ImageBuffer, static_cast<std::size_t>(count)}; }

// A 32-bit picture of one colour (red, green, blue).
Bitmap Filled(std::int32_t width, std::int32_t height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  Bitmap bitmap{width, height, width * 4, Bytes(static_cast<std::size_t>(width) * height * 4)};
  for (std::size_t i = 0; i < bitmap.pixels.size(); i += 4) {
    bitmap.pixels[i] = b;
    bitmap.pixels[i + 1] = g;
    bitmap.pixels[i + 2] = r;
    bitmap.pixels[i + 3] = 0xFF;
  }
  return bitmap;
}

void SetPixel(Bitmap& bitmap, int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  std::uint8_t* pixel = bitmap.pixels.data() + y * bitmap.bytesPerRow + x * 4;
  pixel[0] = b;
  pixel[1] = g;
  pixel[2] = r;
}

std::string Repeat(const std::string& hex, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += hex + " ";
  return out;
}

TEST(RasterTest, WhitePictureGivesBlankBands) {
  const std::int32_t count = ComposeRaster(Filled(20, 30, 255, 255, 255));
  ASSERT_EQ(count, 2 * (8 + 24 * 3));
  EXPECT_BYTES(Output(count),
               "1D 76 30 00 03 00 18 00" + Repeat("00 00 00", 24) + "1D 76 30 00 03 00 18 00" + Repeat("00 00 00", 24));
}

TEST(RasterTest, BlackPictureLeavesLastRowAndColumnBlank) {
  const std::int32_t count = ComposeRaster(Filled(16, 24, 0, 0, 0));
  EXPECT_BYTES(Output(count), "1D 76 30 00 02 00 18 00" + Repeat("FF FE", 23) + "00 00");
}

TEST(RasterTest, BrightnessDecidesWhichColoursPrint) {
  // Row 0: red 7650 prints, green 15045 does not, blue 2805 prints, grey 127
  // (12700) prints, grey 128 (12800) does not; the sixth column is the last.
  Bitmap bitmap = Filled(6, 2, 255, 255, 255);
  SetPixel(bitmap, 0, 0, 255, 0, 0);
  SetPixel(bitmap, 1, 0, 0, 255, 0);
  SetPixel(bitmap, 2, 0, 0, 0, 255);
  SetPixel(bitmap, 3, 0, 127, 127, 127);
  SetPixel(bitmap, 4, 0, 128, 128, 128);
  SetPixel(bitmap, 5, 0, 0, 0, 0);
  EXPECT_BYTES(Output(ComposeRaster(bitmap)), "1D 76 30 00 01 00 18 00 B0" + Repeat("00", 23));
}

TEST(RasterTest, TwentyFiveRowsGiveASecondBlankBand) {
  const std::int32_t count = ComposeRaster(Filled(8, 25, 0, 0, 0));
  EXPECT_BYTES(Output(count),
               "1D 76 30 00 01 00 18 00" + Repeat("FE", 24) + "1D 76 30 00 01 00 18 00" + Repeat("00", 24));
}

TEST(RasterTest, OneBitPictureZeroBitsPrint) {
  // 9 dots wide, rows padded to 4 bytes: bytesPerRow / width is 0.
  Bitmap bitmap{9, 3, 4, {0x0F, 0x00, 0, 0, 0xAA, 0x80, 0, 0, 0x00, 0x00, 0, 0}};
  EXPECT_BYTES(Output(ComposeRaster(bitmap)), "1D 76 30 00 02 00 18 00 F0 00 55 00" + Repeat("00 00", 22));
}

TEST(RasterTest, RefusesWhatItCannotSend) {
  Bitmap threeBytes{4, 2, 12, Bytes(24, 0)};
  EXPECT_EQ(ComposeRaster(threeBytes), 0) << "24-bit rows are not converted";
  EXPECT_EQ(ComposeRaster(Bitmap{}), 0);
  Bitmap shortPixels = Filled(8, 8, 0, 0, 0);
  shortPixels.pixels.resize(10);
  EXPECT_EQ(ComposeRaster(shortPixels), 0);
  EXPECT_EQ(ComposeRaster(Filled(2041, 1, 0, 0, 0)), 0) << "band width past one byte";
  const std::int32_t widest = ComposeRaster(Filled(2040, 1, 0, 0, 0));
  EXPECT_EQ(widest, 8 + 24 * 255);
  EXPECT_BYTES(Output(8), "1D 76 30 00 FF 00 18 00");
  const Bitmap tallest{2040, 24 * 168, 255, Bytes(255 * 24 * 168, 0xFF)};
  EXPECT_EQ(ComposeRaster(tallest), 0) << "more than ImageBuffer holds";
}

TEST(RasterTest, ProgramPicturesGiveTheirSizes) {
  EXPECT_EQ(ComposeBitmapRaster(kBrandPictureBitmap), 3520);
  EXPECT_EQ(ComposeBitmapRaster(kCeMarkBitmap), 352);
  EXPECT_EQ(ComposeBitmapRaster(kFccMarkBitmap), 352);
  EXPECT_EQ(ComposeBitmapRaster(kSmallBrandMarkBitmap), 600);
  const std::int32_t count = ComposeBitmapRaster(kBrandMarkBitmap);
  ASSERT_EQ(count, 992);
  EXPECT_BYTES(Output(8), "1D 76 30 00 0A 00 18 00");
  const PictureSize size = GetBrandPictureSize();
  EXPECT_EQ(size.width, 229);
  EXPECT_EQ(size.height, 120);
  EXPECT_EQ(ComposeBitmapRaster(1), 0) << "no such picture";
}

TEST(RasterTest, AppendPictureCopiesTheBands) {
  BeginJob();
  AppendBytes({0x18});
  ASSERT_TRUE(AppendPicture(kCeMarkBitmap));
  EXPECT_EQ(SendLength, 1 + 352);
  BeginJob();
  EXPECT_TRUE(AppendPicture(1));
  EXPECT_EQ(SendLength, 0);
}

// --- The picture files ------------------------------------------------------

// A BMP file with a 40-byte header; rows are given top to bottom and stored
// bottom-up unless the height is negative.
Bytes MakeBmp(std::int32_t width, std::int32_t height, int bits, const Bytes& palette,
              const std::vector<Bytes>& rowsTopDown) {
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  Bytes data;
  for (std::size_t i = 0; i < rowsTopDown.size(); ++i) {
    Bytes row = rowsTopDown[height > 0 ? rowsTopDown.size() - 1 - i : i];
    row.resize(stride, 0);
    data.insert(data.end(), row.begin(), row.end());
  }
  auto u32 = [](Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  const std::uint32_t offset = 54 + static_cast<std::uint32_t>(palette.size());
  Bytes file = {'B', 'M'};
  u32(file, offset + static_cast<std::uint32_t>(data.size()));
  u32(file, 0);
  u32(file, offset);
  u32(file, 40);
  u32(file, static_cast<std::uint32_t>(width));
  u32(file, static_cast<std::uint32_t>(height));
  file.insert(file.end(), {1, 0, static_cast<std::uint8_t>(bits), 0});
  u32(file, 0);  // uncompressed
  u32(file, static_cast<std::uint32_t>(data.size()));
  u32(file, 2835);
  u32(file, 2835);
  u32(file, static_cast<std::uint32_t>(palette.size() / 4));
  u32(file, 0);
  file.insert(file.end(), palette.begin(), palette.end());
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

// Two rows of three pixels: red green blue / white black grey, as BGR0.
const Bytes kExpectedPixels = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 0, 0, 9, 9, 9, 0};

TEST(BmpDecoderTest, DecodesEveryStoredFormatTopToBottom) {
  const Bytes palette = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 0, 0, 9, 9, 9, 0};
  const std::vector<Bytes> rows24 = {{0, 0, 255, 0, 255, 0, 255, 0, 0}, {255, 255, 255, 0, 0, 0, 9, 9, 9}};
  const std::vector<Bytes> rows32 = {{0, 0, 255, 7, 0, 255, 0, 7, 255, 0, 0, 7},
                                     {255, 255, 255, 7, 0, 0, 0, 7, 9, 9, 9, 7}};
  const std::vector<Bytes> rows8 = {{0, 1, 2}, {3, 4, 5}};
  struct Case {
    const char* what;
    Bytes file;
  };
  const Case cases[] = {
      {"24-bit bottom-up", MakeBmp(3, 2, 24, {}, rows24)},
      {"24-bit top-down", MakeBmp(3, -2, 24, {}, rows24)},
      {"32-bit", MakeBmp(3, 2, 32, {}, rows32)},
      {"8-bit palette", MakeBmp(3, 2, 8, palette, rows8)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bitmap bitmap = DecodeBmp(c.file);
    ASSERT_EQ(bitmap.width, 3);
    ASSERT_EQ(bitmap.height, 2);
    EXPECT_EQ(bitmap.bytesPerRow, 12);
    EXPECT_BYTES(bitmap.pixels, kExpectedPixels);
  }
}

TEST(BmpDecoderTest, OneBitPicturesGoThroughTheirPalette) {
  // Palette entry 0 white, 1 black: the opposite of what the bits would say.
  const Bytes palette = {255, 255, 255, 0, 0, 0, 0, 0};
  const Bitmap bitmap = DecodeBmp(MakeBmp(10, 1, 1, palette, {{0xC0, 0x40}}));
  ASSERT_EQ(bitmap.width, 10);
  EXPECT_EQ(bitmap.pixels[0], 0);
  EXPECT_EQ(bitmap.pixels[4 * 1], 0);
  EXPECT_EQ(bitmap.pixels[4 * 2], 255);
  EXPECT_EQ(bitmap.pixels[4 * 9], 0);
  EXPECT_EQ(bitmap.pixels[4 * 8], 255);
}

TEST(BmpDecoderTest, MalformedFilesGiveNothing) {
  const Bytes good = MakeBmp(3, 2, 8, {0, 0, 0, 0, 255, 255, 255, 0}, {{0, 1, 0}, {1, 0, 1}});
  ASSERT_EQ(DecodeBmp(good).width, 3);
  auto patched = [&](std::size_t at, std::uint8_t value) {
    Bytes file = good;
    file[at] = value;
    return file;
  };
  struct Case {
    const char* what;
    Bytes file;
  };
  const Case cases[] = {
      {"empty", {}},
      {"truncated pixels", Bytes(good.begin(), good.end() - 1)},
      {"header only", Bytes(good.begin(), good.begin() + 54)},
      {"not BM", patched(0, 'X')},
      {"compressed", patched(30, 1)},
      {"4 bits", patched(28, 4)},
      {"zero width", patched(18, 0)},
      {"huge width", patched(21, 0x7F)},
      {"pixels past the end", patched(11, 0x10)},
      {"palette index past the palette", patched(58 + 8, 2)},
      {"palette larger than the file", patched(46, 200)},
      {"header size past the end", patched(16, 0x01)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DecodeBmp(c.file).width, 0);
    EXPECT_EQ(ComposeRaster(DecodeBmp(c.file)), 0);
  }
}

}  // namespace
}  // namespace kestrel

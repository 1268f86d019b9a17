#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "commands/JobSettings.h"
#include "commands/Raster.h"
#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "support/TestSupport.h"

// What the 60 mm and 58 mm label tests share: hex rows, ASCII texts as hex,
// pictures as the raster encoder writes them, and composing at a fixed clock.
namespace kestrel::labeltest {

using Bytes = std::vector<std::uint8_t>;
using Composer = void (*)(const JobContext&);

inline constexpr int kChinese = 936;
inline constexpr int kEnglish = 1252;

// An ASCII text exactly as typed in the test, as hex pairs.
inline std::string Ascii(std::string_view text) {
  return test::ToHex({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

inline std::string Rows(std::initializer_list<std::string> rows) {
  std::string all;
  for (const std::string& row : rows) all += row + " ";
  return all;
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The bands of an embedded picture; the encoder's own tests check them.
inline Bytes Picture(int bitmapId) {
  const std::int32_t count = ComposeBitmapRaster(bitmapId);
  EXPECT_GT(count, 0) << "picture " << bitmapId;
  return Bytes(ImageBuffer, ImageBuffer + (count > 0 ? count : 0));
}

// Composes at 2024-03-05 14:07:09 unless the context brings a clock.
inline Bytes Compose(Composer composer, int codePage, JobContext context = {}) {
  LoadTranslations(codePage);
  if (context.now.tm_mday == 0) context.now = test::FixedTime();
  composer(context);
  return test::Composed();
}

// The frame of the test labels with the initial settings (copies "1", paper
// type 2, speed "1", direction 0) for an area of width and height given as
// "wL wH" and "hL hH".
inline std::string Frame(const std::string& width, const std::string& height) {
  return "1B 40 1F 55 38 01 1B 63 30 02 1B 4C 1F 55 20 01 1B 54 00 1B 57 00 00 00 00 " + width + " " + height + " 18 ";
}

// The QR code of the web address "www.tarnwick.example" (20 bytes, p = 23).
inline std::string WebQrCode() {
  return Rows({"1D 28 6B 03 00 31 43 05", "1D 28 6B 03 00 31 45 30", "1D 28 6B 17 00 31 50 30",
               Ascii("www.tarnwick.example"), "1B 61 31", "1D 28 6B 03 00 31 51 30", "1B 61 30"});
}

}  // namespace kestrel::labeltest

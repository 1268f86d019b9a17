#include "emulator/PngFile.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "files/ReplaceFile.h"

namespace kestrel::emu {

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* bytes = static_cast<std::string*>(png_get_io_ptr(png));
  bytes->append(reinterpret_cast<const char*>(data), length);
}

// libpng reports errors by longjmp, so nothing here owns memory.
bool WriteRows(png_structp png, png_infop info, std::string* bytes, const Canvas& page, png_byte* row) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_set_write_fn(png, bytes, AppendBytes, nullptr);
  png_set_IHDR(png, info, page.width(), page.height(), 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_pHYs(png, info, 8000, 8000, PNG_RESOLUTION_METER);  // 8 dots per millimetre
  png_write_info(png, info);
  const std::size_t rowBytes = (page.width() + 7) / 8;
  for (int y = 0; y < page.height(); ++y) {
    std::memset(row, 0xFF, rowBytes);  // a set bit is white
    const std::uint8_t* dots = page.Row(y);
    for (int x = 0; x < page.width(); ++x)
      if (dots[x] != 0) row[x / 8] &= static_cast<png_byte>(~(0x80 >> (x % 8)));
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

std::string EncodePng(const Canvas& page) {
  std::string bytes;
  if (page.empty()) return bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row((page.width() + 7) / 8);
  const bool encoded = info != nullptr && WriteRows(png, info, &bytes, page, row.data());
  png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
  if (!encoded) bytes.clear();
  return bytes;
}

bool WritePng(const std::string& path, const Canvas& page, std::string* error) {
  const std::string bytes = EncodePng(page);
  if (bytes.empty()) {
    *error = path + ": " + (page.empty() ? "the page has no dots" : "the picture could not be made");
    return false;
  }
  const FileResult written = ReplaceFileContents(path, bytes, Durability::Cached);
  if (!written.ok()) *error = written.detail;
  return written.ok();
}

bool ReadPng(const std::string& path, Canvas* page, std::string* error) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
    *error = path + ": " + image.message;
    return false;
  }
  image.format = PNG_FORMAT_GRAY;
  std::vector<png_byte> grey(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, grey.data(), 0, nullptr) == 0) {
    *error = path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  page->Resize(static_cast<int>(image.width), static_cast<int>(image.height));
  for (int y = 0; y < page->height(); ++y)
    for (int x = 0; x < page->width(); ++x)
      if (grey[static_cast<std::size_t>(y) * image.width + x] < 128) page->Fill(x, y, 1, 1);
  return true;
}

}  // namespace kestrel::emu

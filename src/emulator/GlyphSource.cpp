#include "emulator/GlyphSource.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

#include "emulator/PrinterText.h"

namespace kestrel::emu {
namespace {

// Fonts that scripts/setup installs, the first one present wins.
constexpr const char* kFontFiles[] = {
    "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
    "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc",
};

// Grey levels from this value up print; thinner strokes would break up.
constexpr int kInkThreshold = 96;

// Far more than the characters of any label, in every cell size.
constexpr std::size_t kMaxCachedGlyphs = 8192;

}  // namespace

struct GlyphSource::Face {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

GlyphSource& GlyphSource::Shared() {
  static GlyphSource source;
  return source;
}

GlyphSource::GlyphSource() : face_(std::make_unique<Face>()) {
  if (FT_Init_FreeType(&face_->library) != 0) return;
  for (const char* path : kFontFiles) {
    if (FT_New_Face(face_->library, path, 0, &face_->face) == 0) {
      fontPath_ = path;
      return;
    }
  }
}

GlyphSource::~GlyphSource() {
  if (face_->face != nullptr) FT_Done_Face(face_->face);
  if (face_->library != nullptr) FT_Done_FreeType(face_->library);
}

// Cells are smaller than 256 dots a side; the top bit tells a Unicode
// character from GB18030 bytes.
template <typename MakeCode>
Canvas GlyphSource::Cached(std::uint64_t key, MakeCode code, int cellWidth, int cellHeight) {
  key |= static_cast<std::uint64_t>(cellWidth & 0xFF) << 40 | static_cast<std::uint64_t>(cellHeight & 0xFF) << 32;
  std::lock_guard lock(mutex_);
  auto found = cache_.find(key);
  if (found != cache_.end()) return found->second;
  if (cache_.size() >= kMaxCachedGlyphs) cache_.clear();
  return cache_.emplace(key, Draw(code(), cellWidth, cellHeight)).first->second;
}

Canvas GlyphSource::Glyph(std::span<const std::uint8_t> character, int cellWidth, int cellHeight) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < character.size() && i < 4; ++i)
    key |= static_cast<std::uint64_t>(character[i]) << (8 * i);
  return Cached(
      key, [character] { return CharacterOf(character); }, cellWidth, cellHeight);
}

Canvas GlyphSource::Glyph(char32_t character, int cellWidth, int cellHeight) {
  return Cached(
      std::uint64_t{1} << 63 | character, [character] { return character; }, cellWidth, cellHeight);
}

// The outline is scaled so that a full-width character fills its square cell
// and a half-width one keeps the cell's height; a glyph wider than its cell is
// narrowed to fit, as the printer's own half-width characters are.
Canvas GlyphSource::Draw(char32_t code, int cellWidth, int cellHeight) {
  Canvas cell(cellWidth, cellHeight);
  if (code == U' ' || code == U'\u3000') return cell;
  FT_Face face = face_->face;
  const bool fullWidth = cellWidth >= cellHeight;
  if (face == nullptr || FT_Get_Char_Index(face, code) == 0) {
    PageView view(cell, 0);
    DrawFrame(view, 1, 1, cellWidth - 2, cellHeight - 2, 1);
    return cell;
  }
  const int em = fullWidth ? cellHeight : cellHeight * 7 / 8;
  FT_Set_Pixel_Sizes(face, 0, em);
  FT_Set_Transform(face, nullptr, nullptr);
  FT_Load_Char(face, code, FT_LOAD_DEFAULT);
  const int inkWidth = static_cast<int>(face->glyph->metrics.width >> 6);
  if (inkWidth > cellWidth - 1 && inkWidth > 0) {
    FT_Matrix narrow{(cellWidth - 1) * 0x10000L / inkWidth, 0, 0, 0x10000L};
    FT_Set_Transform(face, &narrow, nullptr);
  }
  if (FT_Load_Char(face, code, FT_LOAD_RENDER) != 0) return cell;
  const FT_Bitmap& bitmap = face->glyph->bitmap;
  const int ascent = static_cast<int>(std::lround(em * 0.86)) + (cellHeight - em) / 2;
  const int left = (cellWidth - static_cast<int>(bitmap.width)) / 2;
  const int top = ascent - face->glyph->bitmap_top;
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const unsigned char* grey = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
    for (unsigned column = 0; column < bitmap.width; ++column)
      if (grey[column] >= kInkThreshold) cell.Fill(left + static_cast<int>(column), top + static_cast<int>(row), 1, 1);
  }
  return cell;
}

}  // namespace kestrel::emu

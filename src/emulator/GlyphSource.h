#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <unordered_map>

#include "emulator/Canvas.h"

namespace kestrel::emu {

// Character pictures from a CJK outline font, drawn into the printer's cells
// (12 x 24 for font A, 24 x 24 for a Chinese character, ...) and kept once
// drawn. Shared by every printer model of the program.
class GlyphSource {
 public:
  static GlyphSource& Shared();
  ~GlyphSource();

  // The font file in use; empty when none of the known fonts is installed,
  // in which case every character is an outlined box.
  const std::string& fontPath() const { return fontPath_; }

  // The picture of one character (its GB18030 bytes) in a cell of the size
  // given. A copy: the cache is emptied when it grows past its bound, which a
  // stream of ever new characters would otherwise push without end.
  Canvas Glyph(std::span<const std::uint8_t> character, int cellWidth, int cellHeight);
  // The same for a Unicode character (of a single-byte code table).
  Canvas Glyph(char32_t character, int cellWidth, int cellHeight);

 private:
  GlyphSource();
  Canvas Draw(char32_t code, int cellWidth, int cellHeight);
  template <typename MakeCode>
  Canvas Cached(std::uint64_t key, MakeCode code, int cellWidth, int cellHeight);

  struct Face;
  std::unique_ptr<Face> face_;
  std::string fontPath_;
  std::mutex mutex_;
  std::unordered_map<std::uint64_t, Canvas> cache_;
};

}  // namespace kestrel::emu

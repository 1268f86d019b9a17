#pragma once

#include <cstdint>
#include <span>

#include "commands/Raster.h"

namespace kestrel {

// Decodes an uncompressed Windows bitmap file (1, 8, 24 or 32 bits per pixel,
// rows stored bottom-up or top-down) to 32-bit pixels: blue, green, red and an
// unused fourth byte, rows from top to bottom, bytesPerRow = 4 * width.
// Anything malformed or of another kind gives an empty Bitmap (width 0); the
// decoder never reads outside the bytes it is given.
Bitmap DecodeBmp(std::span<const std::uint8_t> file);

}  // namespace kestrel

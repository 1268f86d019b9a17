#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "emulator/Canvas.h"

namespace kestrel::emu {

// A symbol as libzint encodes it: one dot a module (a bar code is one row),
// the human-readable text, and what went wrong or was changed, if anything.
struct Symbol {
  Canvas modules;
  std::string text;
  std::string problem;  // the symbol could not be made; modules stay empty
  std::string note;     // made, but not from the data as sent (a check digit replaced)
};

// GS k: system 65 to 73, 75 to 77 and 79 (0 to 6 in the old form) and the
// data as sent.
Symbol EncodeBarcode(std::int32_t system, std::span<const std::uint8_t> data);

// GS ( k: the stored data and the error-correction byte (48 L, 49 M, 50 Q, 51 H).
Symbol EncodeQrCode(std::span<const std::uint8_t> data, std::int32_t level);

// GS ( k 30: the stored data; columns and rows 0 for as many as the data
// needs, error level 0 to 8 or -1 for the encoder's choice. One dot a module,
// one row a symbol row.
Symbol EncodePdf417(std::span<const std::uint8_t> data, int columns, int rows, int errorLevel, bool truncated);

}  // namespace kestrel::emu

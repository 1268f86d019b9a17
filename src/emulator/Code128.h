#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "emulator/Symbols.h"

namespace kestrel::emu {

// GS k 73 data that chooses its code sets as the printer's reference defines:
// it starts with "{A", "{B" or "{C"; "{A", "{B", "{C" change the set, "{S"
// shifts one character between A and B, "{1" to "{4" are FNC1 to FNC4 and
// "{{" is the brace. In code set C each byte is one code value, 0 to 99.
// Nothing when the data does not start with a code set: the printer then
// picks the sets itself.
std::optional<Symbol> EncodeCode128Sets(std::span<const std::uint8_t> data);

}  // namespace kestrel::emu

#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kestrel::emu {

// The printer reads text bytes as GB18030 (GBK and ASCII included).
// One character's bytes to its Unicode code point; U+FFFD when they are not one.
char32_t CharacterOf(std::span<const std::uint8_t> bytes);
// Printer text as UTF-8, for dumps; bytes that are no character become U+FFFD.
std::string PrinterTextToUtf8(std::span<const std::uint8_t> bytes);

}  // namespace kestrel::emu

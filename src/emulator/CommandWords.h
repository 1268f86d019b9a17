#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "emulator/Command.h"

namespace kestrel::emu {

// "ESC W  print area: x 0, y 0, width 448, height 104"
std::string DescribeCommand(std::span<const std::uint8_t> bytes, const Command& command);

// One line of a dump: the offset in hex, the command's bytes (the first 16 of
// a long one), and its description; problems are marked "!!".
std::string DumpLine(std::span<const std::uint8_t> bytes, const Command& command);

// The name of a GS k bar code system: "CODE128", or "system 90".
std::string BarcodeSystemName(std::int32_t system);

}  // namespace kestrel::emu

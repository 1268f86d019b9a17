#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "emulator/Command.h"

namespace kestrel::emu {

// Decodes the command that starts at `offset` (< bytes.size()). A run of
// printable characters is one Text command; a command the stream ends inside
// is CutShort and spans the rest of the stream; a byte that starts nothing
// known is Unknown or BadByte, and decoding goes on right after it. Never
// reads past the end.
Command DecodeCommand(std::span<const std::uint8_t> bytes, std::size_t offset);

// Every command of a stream, in order; their lengths add up to its size.
std::vector<Command> DecodeStream(std::span<const std::uint8_t> bytes);

}  // namespace kestrel::emu

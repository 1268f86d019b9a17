#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "emulator/Command.h"

namespace kestrel::emu {

// Reads a stream command by command. A run of printable characters is one
// Text command; how bytes above 7F make characters follows FS & and FS .
// (Chinese character mode, GB18030) and ESC t (a single-byte code table),
// which the decoder keeps track of. A command the stream ends inside is
// CutShort and spans the rest of the stream; a run of bytes that start nothing
// known is one Unknown (or BadByte) command, and decoding goes on right after
// it. Never reads past the end.
class Decoder {
 public:
  // The command that starts at `offset` (< bytes.size()).
  Command Next(std::span<const std::uint8_t> bytes, std::size_t offset);

 private:
  bool chinese_ = true;
  std::int32_t codeTable_ = 0;
};

// The command at `offset` as a printer just switched on reads it.
Command DecodeCommand(std::span<const std::uint8_t> bytes, std::size_t offset);

// Every command of a stream, in order; their lengths add up to its size.
std::vector<Command> DecodeStream(std::span<const std::uint8_t> bytes);

}  // namespace kestrel::emu

#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace kestrel::emu {

// The dump of a stream, line by line as it is read: one line a command (see
// DumpLine), and after the command that printed a page the page's size and
// its account: "-- page 1: 448 x 104 dots", "--   drawn: text x12, ESC m x1",
// "--   without effect: GS r (...)", "--   clipped: ESC m at 0000001A".
// True when the stream has problems.
bool DumpStream(std::span<const std::uint8_t> bytes, int printWidth,
                const std::function<void(const std::string&)>& out);

}  // namespace kestrel::emu

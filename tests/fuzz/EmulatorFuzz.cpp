// Random and mutated byte streams through the decoder and the printer model.
// Built and run by scripts/fuzz-emulator under libFuzzer, not by ctest.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "emulator/VirtualPrinter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int widths[] = {kestrel::emu::kWidth58mm, kestrel::emu::kWidth60mm, kestrel::emu::kWidth80mm};
  const std::span<const std::uint8_t> stream(data + 1, size - 1);
  const kestrel::emu::Rendering rendering = kestrel::emu::RenderStream(stream, widths[data[0] % 3], true);
  std::size_t covered = 0;
  for (const kestrel::emu::Command& command : rendering.commands) {
    if (command.offset != covered || command.length == 0) std::abort();
    covered += command.length;
  }
  if (covered != stream.size()) std::abort();
  return 0;
}

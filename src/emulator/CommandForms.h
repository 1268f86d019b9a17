#pragma once

#include <cstdint>
#include <span>

#include "emulator/Command.h"

namespace kestrel::emu {

// How a command is written: its leading bytes, then its parameters as a layout
// with a label each: 'b' one byte, 'w' nL nH, 'n' a count nL nH (or 'N'
// p1 p2 p3 p4) of data bytes that follow. Commands whose length depends on
// their parameters in other ways (GS k, ESC *, GS V, ...) have layout "*".
// A command the printer does not act on says why in `ignored`.
struct CommandForm {
  std::uint8_t lead[3];
  std::uint8_t leadLength;
  Op op;
  const char* name;
  const char* meaning;
  const char* layout;
  const char* labels[6];
  const char* ignored = nullptr;
};

std::span<const CommandForm> CommandForms();
// The first form of an op; nullptr for text and the problems.
const CommandForm* FormOf(Op op);

}  // namespace kestrel::emu

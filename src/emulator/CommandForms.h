#pragma once

#include <cstdint>
#include <span>

#include "emulator/Command.h"

namespace kestrel::emu {

// How a command is written: its leading bytes, then its parameters as a layout
// of 'b' (one byte) and 'w' (nL nH) with a label each. Commands whose length
// depends on their data (GS k, GS ( k, GS v 0, GS V) have layout "*".
struct CommandForm {
  std::uint8_t lead[3];
  std::uint8_t leadLength;
  Op op;
  const char* name;
  const char* meaning;
  const char* layout;
  const char* labels[5];
};

std::span<const CommandForm> CommandForms();
// The form of an op; nullptr for text and the problems.
const CommandForm* FormOf(Op op);

}  // namespace kestrel::emu

#pragma once

#include "cli/CliOptions.h"
#include "emulator/OutputBounds.h"

namespace kestrel::cli {

// --max-pages N and --max-disk MB of the virtual printer's commands; the
// defaults when they are not given. False when a value is out of range.
bool ParseOutputLimits(const CliOptions& options, emu::OutputLimits* limits);

}  // namespace kestrel::cli

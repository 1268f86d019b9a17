#pragma once

#include <optional>
#include <string>

#include "cli/CliOptions.h"
#include "emulator/OutputBounds.h"

namespace kestrel::cli {

// --max-pages N and --max-disk MB of the virtual printer's commands; the
// defaults stay when they are not given. Nothing, or why a value is refused.
std::optional<std::string> ParseOutputLimits(const CliOptions& options, emu::OutputLimits* limits);

}  // namespace kestrel::cli

#pragma once

#include <cstdint>
#include <vector>

#include "commands/JobSettings.h"
#include "commands/NamedJob.h"

namespace kestrel::cli {

// Composes a job and hands back a copy of its bytes. The composers fill the
// one shared SendBuffer, so the printers of a run compose one at a time and
// each writes from its own copy.
std::vector<std::uint8_t> ComposeJobBytes(const NamedJob& job, const JobContext& context);

}  // namespace kestrel::cli

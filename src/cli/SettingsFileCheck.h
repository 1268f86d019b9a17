#pragma once

#include <optional>

#include "cli/ExitStatus.h"
#include "commands/NamedJob.h"

namespace kestrel::cli {

// The custom label is composed from the settings file: a file that could not
// be made or cannot be read (too large, damaged, no regular file, no
// permission) is said on stderr, with the status to end with, rather than
// printed as a label of zeros. Nothing for the other jobs.
std::optional<ExitStatus> CheckJobSettings(const NamedJob& job);

}  // namespace kestrel::cli

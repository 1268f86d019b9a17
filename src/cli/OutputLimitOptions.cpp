#include "cli/OutputLimitOptions.h"

namespace kestrel::cli {

bool ParseOutputLimits(const CliOptions& options, emu::OutputLimits* limits) {
  std::int32_t pages = static_cast<std::int32_t>(limits->maxPages);
  std::int32_t megabytes = static_cast<std::int32_t>(limits->maxMegabytes);
  if (!ParseNumberOption(options, "--max-pages", 1, 1000000000, &pages) ||
      !ParseNumberOption(options, "--max-disk", 1, 1000000, &megabytes))
    return false;
  limits->maxPages = static_cast<std::uint64_t>(pages);
  limits->maxMegabytes = static_cast<std::uint64_t>(megabytes);
  return true;
}

}  // namespace kestrel::cli

#include "cli/OutputLimitOptions.h"

namespace kestrel::cli {

std::optional<std::string> ParseOutputLimits(const CliOptions& options, emu::OutputLimits* limits) {
  std::int32_t pages = static_cast<std::int32_t>(limits->maxPages);
  std::int32_t megabytes = static_cast<std::int32_t>(limits->maxMegabytes);
  if (!ParseNumberOption(options, "--max-pages", 1, 1000000000, &pages))
    return "--max-pages takes 1 to 1000000000 pages";
  if (!ParseNumberOption(options, "--max-disk", 1, 1000000, &megabytes)) return "--max-disk takes 1 to 1000000 MB";
  limits->maxPages = static_cast<std::uint64_t>(pages);
  limits->maxMegabytes = static_cast<std::uint64_t>(megabytes);
  return std::nullopt;
}

}  // namespace kestrel::cli

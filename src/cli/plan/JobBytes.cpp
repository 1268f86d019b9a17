#include "cli/plan/JobBytes.h"

#include <mutex>

#include "commands/SendBuffer.h"

namespace kestrel::cli {

std::vector<std::uint8_t> ComposeJobBytes(const NamedJob& job, const JobContext& context) {
  static std::mutex composing;
  std::lock_guard lock(composing);
  BeginJob();
  job.compose(context);
  const std::span<const std::uint8_t> bytes = ComposedBytes();
  return {bytes.begin(), bytes.end()};
}

}  // namespace kestrel::cli

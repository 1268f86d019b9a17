#include <cstdio>

#include "cli/CliCommands.h"
#include "commands/NamedJob.h"

namespace kestrel::cli {

int RunJobs(const Arguments& args) {
  if (!args.empty()) return UsageError("jobs takes no arguments");
  for (const NamedJob& job : AllJobs()) std::printf("%s\n", job.name);
  return 0;
}

}  // namespace kestrel::cli

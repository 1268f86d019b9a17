#include <cstdio>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "commands/NamedJob.h"

namespace kestrel::cli {

int RunJobs(const Arguments& args) {
  if (!args.empty()) return UsageError("jobs takes no arguments");
  for (const NamedJob& job : AllJobs()) PrintOut("%s\n", job.name);
  return 0;
}

}  // namespace kestrel::cli

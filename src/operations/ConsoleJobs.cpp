#include "commands/Commands.h"
#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"

namespace kestrel {
namespace {

void ComposeStandardMode(const JobContext&) {
  BeginJob();
  cmd::EscS();
}

}  // namespace

const std::vector<NamedJob>& ConsoleJobs() {
  static const std::vector<NamedJob> jobs = {
      // The standard-mode button writes whether or not the reopen succeeded.
      {"standardmode", ComposeStandardMode, /*writesWithoutConnection=*/true},
  };
  return jobs;
}

}  // namespace kestrel

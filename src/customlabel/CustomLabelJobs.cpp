#include "commands/NamedJob.h"

namespace kestrel {

const std::vector<NamedJob>& CustomLabelJobs() {
  static const std::vector<NamedJob> jobs = {};
  return jobs;
}

}  // namespace kestrel

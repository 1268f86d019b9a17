#include "commands/NamedJob.h"

namespace kestrel {

const std::vector<NamedJob>& SingleItemJobs() {
  static const std::vector<NamedJob> jobs = {};
  return jobs;
}

}  // namespace kestrel

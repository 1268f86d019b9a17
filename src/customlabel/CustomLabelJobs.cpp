#include "commands/NamedJob.h"
#include "customlabel/CustomLabel.h"

namespace kestrel {

namespace {
void ComposeCustomLabelJob(const JobContext& context) { ComposeCustomLabel(context); }
}  // namespace

const std::vector<NamedJob>& CustomLabelJobs() {
  static const std::vector<NamedJob> jobs = {{"custom", ComposeCustomLabelJob}};
  return jobs;
}

}  // namespace kestrel

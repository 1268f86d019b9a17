#include "commands/NamedJob.h"

namespace kestrel {

std::vector<JobGroup> JobGroups() {
  return {{"label", &LabelJobs()},
          {"single-item", &SingleItemJobs()},
          {"custom", &CustomLabelJobs()},
          {"setting", &SettingJobs()},
          {"console", &ConsoleJobs()}};
}

std::vector<NamedJob> AllJobs() {
  std::vector<NamedJob> jobs;
  for (const JobGroup& group : JobGroups()) jobs.insert(jobs.end(), group.jobs->begin(), group.jobs->end());
  return jobs;
}

const NamedJob* FindJob(const std::string& name) {
  for (const JobGroup& group : JobGroups())
    for (const NamedJob& job : *group.jobs)
      if (name == job.name) return &job;
  return nullptr;
}

}  // namespace kestrel

#include "commands/NamedJob.h"

namespace kestrel {

std::vector<NamedJob> AllJobs() {
  std::vector<NamedJob> jobs;
  for (const auto* list : {&LabelJobs(), &SingleItemJobs(), &CustomLabelJobs(), &SettingJobs(), &ConsoleJobs()})
    jobs.insert(jobs.end(), list->begin(), list->end());
  return jobs;
}

const NamedJob* FindJob(const std::string& name) {
  for (const auto* list : {&LabelJobs(), &SingleItemJobs(), &CustomLabelJobs(), &SettingJobs(), &ConsoleJobs()})
    for (const NamedJob& job : *list)
      if (name == job.name) return &job;
  return nullptr;
}

}  // namespace kestrel

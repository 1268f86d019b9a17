#pragma once

#include <string>
#include <vector>

#include "commands/JobSettings.h"

namespace kestrel {

// A job as the CLI and the aging test reach it by name: a composer that fills
// SendBuffer from a context, and how its handler runs the job pattern.
struct NamedJob {
  const char* name;
  void (*compose)(const JobContext& context);
  bool writesWithoutConnection = false;  // backfeed and standard mode skip the Connected test
  bool reconnectsTwice = false;          // density and printer baud reconnect again before composing
};

// Each module lists its own jobs.
const std::vector<NamedJob>& LabelJobs();
const std::vector<NamedJob>& SettingJobs();
const std::vector<NamedJob>& SingleItemJobs();
const std::vector<NamedJob>& CustomLabelJobs();
const std::vector<NamedJob>& ConsoleJobs();

// A module's jobs with the kind of test they are: "label", "single-item",
// "custom", "setting" or "console".
struct JobGroup {
  const char* kind;
  const std::vector<NamedJob>* jobs;
};
// The groups in the order `kestrel-cli jobs` lists them.
std::vector<JobGroup> JobGroups();

// All jobs, in the order `kestrel-cli jobs` lists them; nullptr when unknown.
std::vector<NamedJob> AllJobs();
const NamedJob* FindJob(const std::string& name);

}  // namespace kestrel

#include <cstdio>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/JsonText.h"
#include "commands/NamedJob.h"
#include "language/TranslationMap.h"
#include "window/DialogTemplate.h"
#include "window/JobButtons.h"

namespace kestrel::cli {
namespace {

// The main window's button that runs a job: a job button, or the console's
// standard-mode button (1036), which the console runs itself.
int JobButtonId(const std::string& job) {
  for (const JobButton& button : JobButtons())
    if (job == button.job) return button.id;
  return job == "standardmode" ? 1036 : kNoControlId;
}

// A button's captions as the window shows them in Chinese and in English: the
// caption table's pair, else the template's own caption in both languages.
std::pair<std::string, std::string> ButtonCaptions(int id) {
  for (std::size_t i = 0; i < kCaptionCount; ++i)
    if (kCaptionTable[i].control == id) return {kCaptionTable[i].key, kCaptionTable[i].english};
  for (const DialogControl& control : MainWindowTemplate().controls)
    if (control.id == id) return {control.caption, control.caption};
  return {};
}

void PrintJobsJson() {
  std::string json = "[";
  for (const JobGroup& group : JobGroups()) {
    for (const NamedJob& job : *group.jobs) {
      const auto [chinese, english] = ButtonCaptions(JobButtonId(job.name));
      json += std::string(json.size() > 1 ? ",\n " : "\n ") + "{\"name\": " + JsonString(job.name) +
              ", \"kind\": " + JsonString(group.kind) + ", \"caption\": {\"zh\": " + JsonString(chinese) +
              ", \"en\": " + JsonString(english) + "}}";
    }
  }
  json += "\n]\n";
  WriteOut(json);
}

}  // namespace

ExitStatus RunJobs(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  if (const auto problem = ParseOptionsOnly(command, args, options)) return UsageError(&command, *problem);
  if (options.extras.count("--json")) {
    PrintJobsJson();
    return ExitStatus::kDone;
  }
  for (const NamedJob& job : AllJobs()) PrintOut("%s\n", job.name);
  return ExitStatus::kDone;
}

}  // namespace kestrel::cli

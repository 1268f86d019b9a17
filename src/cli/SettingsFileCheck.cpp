#include "cli/SettingsFileCheck.h"

#include <cstdio>
#include <string>

#include "customlabel/LabelSettings.h"

namespace kestrel::cli {

std::optional<ExitStatus> CheckJobSettings(const NamedJob& job) {
  if (std::string(job.name) != "custom") return std::nullopt;
  const LabelSettings& settings = GetLabelSettings();
  FileResult problem = settings.Made();
  if (problem.ok()) problem = settings.CheckFile();
  if (problem.ok()) return std::nullopt;
  std::fprintf(stderr, "kestrel-cli: the custom label's settings cannot be read: %s\n", problem.detail.c_str());
  return ExitStatus::kNotWritten;
}

}  // namespace kestrel::cli

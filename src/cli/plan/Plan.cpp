#include "cli/plan/Plan.h"

#include <cctype>
#include <cstring>

namespace kestrel::cli {

const char* StepKindName(StepKind kind) {
  switch (kind) {
    case StepKind::kInfo:
      return "info";
    case StepKind::kStatus:
      return "status";
    case StepKind::kJob:
      return "job";
    case StepKind::kAging:
      return "aging";
    case StepKind::kPrompt:
      return "prompt";
    case StepKind::kPause:
      return "pause";
  }
  return "";
}

// The printer's own words for what keeps it from printing, joined with
// hyphens: "paper end" is "paper-end".
const std::vector<std::string>& KnownFaultNames() {
  static const std::vector<std::string> names = {
      "offline",           "cover-open", "paper-end", "cutter-error", "unrecoverable-error", "auto-recoverable-error",
      "recoverable-error", "error"};
  return names;
}

bool IsTestLabel(const NamedJob& job) {
  for (const NamedJob& label : LabelJobs())
    if (std::strcmp(label.name, job.name) == 0) return true;
  return false;
}

bool MatchesPattern(const std::string& text, const std::string& pattern) {
  // Greedy matching with one point to return to: the last * seen.
  std::size_t t = 0, p = 0, starAt = std::string::npos, resumeAt = 0;
  const auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && same(pattern[p], text[t])))) {
      ++t;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = t;
    } else if (starAt != std::string::npos) {
      p = starAt + 1;
      t = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace kestrel::cli

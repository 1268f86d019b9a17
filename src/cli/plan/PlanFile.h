#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/plan/Plan.h"

namespace kestrel::cli {

// A plan file is TOML:
//
//   name = "Quick check"
//   [settings]              # the job options of the command line, without --
//   lang = "en"
//   density = 5
//   [[step]]
//   type = "info"           # info, status, job, aging, prompt, pause
//   model = "KP-2*"
//
// Every problem is found before anything is sent, each with its line and
// column.
struct PlanProblem {
  PlanPlace place;
  std::string text;
};

// Reads and checks `text` as a plan; the problems in the order they stand in
// the file. A plan with problems is not to be run.
std::vector<PlanProblem> ParsePlan(std::string_view text, Plan* plan);

// Reads the file and parses it; a file that cannot be read is one problem at
// line 0.
std::vector<PlanProblem> ReadPlanFile(const std::string& path, Plan* plan);

// "FILE:LINE:COLUMN: TEXT", as compilers write theirs.
std::string PlanProblemText(const std::string& file, const PlanProblem& problem);

}  // namespace kestrel::cli

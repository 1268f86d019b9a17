#pragma once

#include <string>
#include <vector>

#include "cli/plan/Plan.h"
#include "cli/plan/PrinterWorker.h"
#include "cli/plan/RunReport.h"

namespace kestrel::cli {

// Runs the plan on every port at once, one worker thread per printer, and
// returns when all have ended. A printer that fails, hangs or goes away holds
// up only its own worker. `live` draws one line per printer in place (on a
// terminal); otherwise each event is a line of its own.
RunReport RunPlan(const Plan& plan, const std::vector<std::string>& ports, const RunOptions& options, bool live);

}  // namespace kestrel::cli

#pragma once

#include <string>

#include "cli/plan/RunReport.h"

namespace kestrel::cli {

// The record of a run in the three forms it is kept in.

// One JSON object per printer, each on a line of its own, for appending to a
// file that collects a day's runs.
std::string JsonLinesText(const RunReport& run);

// JUnit XML: one test suite per printer, one test case per step, so that
// continuous-integration and quality systems read the verdicts.
std::string JunitXml(const RunReport& run);

// A plain table for the operator: each printer's verdict, time, steps passed,
// model and the reason it failed.
std::string SummaryTable(const RunReport& run);

}  // namespace kestrel::cli

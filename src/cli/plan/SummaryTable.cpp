#include <algorithm>
#include <cstdio>

#include "cli/plan/RunReports.h"

namespace kestrel::cli {
namespace {

std::string Model(const PrinterReport& printer) {
  for (const auto& [key, value] : printer.identity)
    if (key == "model") return value;
  return "";
}

std::string Row(const std::vector<std::string>& cells, const std::vector<std::size_t>& widths) {
  std::string row;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    std::string cell = cells[i];
    if (i + 1 < cells.size()) cell.resize(std::max(widths[i], cell.size()) + 2, ' ');
    row += cell;
  }
  while (!row.empty() && row.back() == ' ') row.pop_back();
  return row + "\n";
}

}  // namespace

std::string SummaryTable(const RunReport& run) {
  std::vector<std::vector<std::string>> rows = {{"PORT", "VERDICT", "TIME", "STEPS", "MODEL", "REASON"}};
  std::size_t passed = 0;
  for (const PrinterReport& printer : run.printers) {
    std::size_t stepsPassed = 0;
    for (const StepRecord& step : printer.steps) stepsPassed += step.result == StepResult::kPassed ? 1 : 0;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s", printer.seconds);
    rows.push_back({printer.port, VerdictName(printer.verdict), seconds,
                    std::to_string(stepsPassed) + "/" + std::to_string(printer.steps.size()), Model(printer),
                    printer.reason});
    passed += printer.verdict == Verdict::kPass ? 1 : 0;
  }
  std::vector<std::size_t> widths(rows.front().size(), 0);
  for (const auto& row : rows)
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
  std::string table =
      run.plan + ": " + std::to_string(passed) + " of " + std::to_string(run.printers.size()) + " printer(s) passed\n";
  for (const auto& row : rows) table += Row(row, widths);
  return table;
}

}  // namespace kestrel::cli

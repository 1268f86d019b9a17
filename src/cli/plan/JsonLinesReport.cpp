#include <cstdio>

#include "cli/JsonText.h"
#include "cli/plan/RunReports.h"

namespace kestrel::cli {
namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

std::string Field(const char* name, const std::string& json) { return std::string(", \"") + name + "\": " + json; }

std::string StepJson(std::size_t index, const StepRecord& step) {
  std::string json = "{\"index\": " + std::to_string(index + 1) + Field("type", JsonString(StepKindName(step.kind))) +
                     Field("name", JsonString(step.name)) + Field("result", JsonString(StepResultName(step.result))) +
                     Field("seconds", Number(step.seconds));
  if (!step.reason.empty()) json += Field("reason", JsonString(step.reason));
  if (!step.status.empty()) json += Field("status", JsonString(step.status));
  if (step.kind == StepKind::kJob || step.kind == StepKind::kAging) {
    json += Field("labels", std::to_string(step.labels)) + Field("printed", std::to_string(step.printed));
    if (const auto rate = step.LabelsPerMinute()) json += Field("labelsPerMinute", Number(*rate));
  }
  if (step.kind == StepKind::kAging)
    json += Field("faults", std::to_string(step.faults)) + Field("secondsLost", Number(step.secondsLost));
  if (!step.answer.empty()) json += Field("answer", JsonString(step.answer));
  return json + "}";
}

std::string PrinterJson(const RunReport& run, const PrinterReport& printer) {
  std::string json = "{\"plan\": " + JsonString(run.plan) + Field("planFile", JsonString(run.planFile)) +
                     Field("host", JsonString(run.host)) + Field("port", JsonString(printer.port)) +
                     Field("started", JsonString(printer.started)) + Field("seconds", Number(printer.seconds)) +
                     Field("verdict", JsonString(VerdictName(printer.verdict))) +
                     Field("reached", printer.reached ? "true" : "false");
  if (printer.failedStep >= 0) {
    const auto index = static_cast<std::size_t>(printer.failedStep);
    json += Field("failedStep", "{\"index\": " + std::to_string(index + 1) +
                                    Field("name", JsonString(printer.steps[index].name)) +
                                    Field("reason", JsonString(printer.steps[index].reason)) + "}");
  } else {
    json += Field("failedStep", "null");
  }
  if (!printer.reason.empty()) json += Field("reason", JsonString(printer.reason));
  std::string identity = "{";
  for (const auto& [key, value] : printer.identity)
    identity += (identity.size() > 1 ? ", " : "") + JsonString(key) + ": " + JsonString(value);
  json += Field("identity", identity + "}");
  std::string steps = "[";
  for (std::size_t i = 0; i < printer.steps.size(); ++i) steps += (i > 0 ? ", " : "") + StepJson(i, printer.steps[i]);
  return json + Field("steps", steps + "]") + "}";
}

}  // namespace

std::string JsonLinesText(const RunReport& run) {
  std::string text;
  for (const PrinterReport& printer : run.printers) text += PrinterJson(run, printer) + "\n";
  return text;
}

}  // namespace kestrel::cli

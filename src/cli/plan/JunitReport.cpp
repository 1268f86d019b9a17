#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "cli/JsonText.h"
#include "cli/plan/RunReports.h"

namespace kestrel::cli {
namespace {

// A text as XML 1.0 attribute or element content: the five special
// characters escaped; control characters, which XML 1.0 cannot carry, and
// bytes that are not UTF-8 become U+FFFD.
std::string XmlText(std::string_view text) {
  std::string xml;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<std::uint8_t>(text[i]);
    std::size_t length = 1;
    if (c == '&') {
      xml += "&amp;";
    } else if (c == '<') {
      xml += "&lt;";
    } else if (c == '>') {
      xml += "&gt;";
    } else if (c == '"') {
      xml += "&quot;";
    } else if (c == '\'') {
      xml += "&apos;";
    } else if (c == '\n' || c == '\t') {
      xml += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      xml += "\xEF\xBF\xBD";
    } else if (c >= 0x80) {
      length = Utf8SequenceLength(text, i);
      if (length == 0) {
        xml += "\xEF\xBF\xBD";
        length = 1;
      } else {
        xml.append(text.substr(i, length));
      }
    } else {
      xml += static_cast<char>(c);
    }
    i += length;
  }
  return xml;
}

std::string Attribute(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + XmlText(value) + "\"";
}

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  return text;
}

// The ISO form JUnit readers expect: "2024-03-05T14:07:09".
std::string Timestamp(std::string localTime) {
  if (localTime.size() > 10 && localTime[10] == ' ') localTime[10] = 'T';
  return localTime;
}

struct Counts {
  std::size_t tests = 0, failures = 0, skipped = 0;
  double seconds = 0;
};

Counts CountSteps(const PrinterReport& printer) {
  Counts counts;
  counts.tests = printer.steps.size();
  counts.seconds = printer.seconds;
  for (const StepRecord& step : printer.steps) {
    if (step.result == StepResult::kFailed) ++counts.failures;
    if (step.result == StepResult::kSkipped || step.result == StepResult::kNotRun) ++counts.skipped;
  }
  return counts;
}

std::string CountAttributes(const Counts& counts) {
  return Attribute("tests", std::to_string(counts.tests)) + Attribute("failures", std::to_string(counts.failures)) +
         Attribute("errors", "0") + Attribute("skipped", std::to_string(counts.skipped)) +
         Attribute("time", Seconds(counts.seconds));
}

// What a step measured, for the test case's output.
std::string StepOutput(const StepRecord& step) {
  std::string out;
  if (!step.status.empty()) out += "status: " + step.status + "\n";
  if (step.kind == StepKind::kJob || step.kind == StepKind::kAging)
    out += "labels: " + std::to_string(step.labels) + ", printed: " + std::to_string(step.printed) + "\n";
  if (const auto rate = step.LabelsPerMinute()) out += "labels per minute: " + Seconds(*rate) + "\n";
  if (step.kind == StepKind::kAging)
    out += "faults: " + std::to_string(step.faults) + ", seconds lost: " + Seconds(step.secondsLost) + "\n";
  if (!step.answer.empty()) out += "answer: " + step.answer + "\n";
  return out;
}

std::string TestCase(const RunReport& run, const PrinterReport& printer, std::size_t index) {
  const StepRecord& step = printer.steps[index];
  std::string xml = "    <testcase" + Attribute("name", std::to_string(index + 1) + " " + step.name) +
                    Attribute("classname", run.plan + "." + printer.port) + Attribute("time", Seconds(step.seconds)) +
                    ">\n";
  if (step.result == StepResult::kFailed)
    xml += "      <failure" + Attribute("message", step.reason) + Attribute("type", StepKindName(step.kind)) + "/>\n";
  if (step.result == StepResult::kSkipped || step.result == StepResult::kNotRun)
    xml += "      <skipped" + Attribute("message", step.reason) + "/>\n";
  if (const std::string out = StepOutput(step); !out.empty())
    xml += "      <system-out>" + XmlText(out) + "</system-out>\n";
  return xml + "    </testcase>\n";
}

std::string TestSuite(const RunReport& run, const PrinterReport& printer) {
  std::string xml = "  <testsuite" + Attribute("name", printer.port) + CountAttributes(CountSteps(printer)) +
                    Attribute("timestamp", Timestamp(printer.started)) + Attribute("hostname", run.host) + ">\n";
  xml += "    <properties>\n";
  xml += "      <property" + Attribute("name", "verdict") + Attribute("value", VerdictName(printer.verdict)) + "/>\n";
  if (!printer.reason.empty())
    xml += "      <property" + Attribute("name", "reason") + Attribute("value", printer.reason) + "/>\n";
  for (const auto& [key, value] : printer.identity)
    xml += "      <property" + Attribute("name", key) + Attribute("value", value) + "/>\n";
  xml += "    </properties>\n";
  for (std::size_t i = 0; i < printer.steps.size(); ++i) xml += TestCase(run, printer, i);
  return xml + "  </testsuite>\n";
}

}  // namespace

std::string JunitXml(const RunReport& run) {
  Counts all;
  for (const PrinterReport& printer : run.printers) {
    const Counts counts = CountSteps(printer);
    all.tests += counts.tests;
    all.failures += counts.failures;
    all.skipped += counts.skipped;
    all.seconds = std::max(all.seconds, counts.seconds);
  }
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" + Attribute("name", run.plan) +
                    CountAttributes(all) + Attribute("timestamp", Timestamp(run.started)) + ">\n";
  for (const PrinterReport& printer : run.printers) xml += TestSuite(run, printer);
  return xml + "</testsuites>\n";
}

}  // namespace kestrel::cli

#include "cli/plan/RunDisplay.h"

#include <algorithm>
#include <cstdio>

#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/plan/OperatorConsole.h"

namespace kestrel::cli {
namespace {

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", seconds);
  return text;
}

std::string StepNumber(std::size_t index, std::size_t total) {
  return "step " + std::to_string(index + 1) + "/" + std::to_string(total);
}

}  // namespace

RunDisplay::RunDisplay(std::vector<std::string> ports, bool live)
    : ports_(std::move(ports)), live_(live), lines_(ports_.size()) {
  for (const std::string& port : ports_) portWidth_ = std::max(portWidth_, port.size());
}

void RunDisplay::Event(std::size_t printer, const std::string& text) {
  if (live_) return;
  PrintOut("%s %s %s\n", LocalTimeText().c_str(), ports_[printer].c_str(), text.c_str());
  FlushOut();
}

void RunDisplay::StepStarted(std::size_t printer, std::size_t index, std::size_t total, const std::string& name) {
  std::lock_guard lock(mutex_);
  lines_[printer].step = StepNumber(index, total) + " " + name;
  lines_[printer].count.clear();
  Event(printer, lines_[printer].step);
}

void RunDisplay::Count(std::size_t printer, const std::string& text) {
  std::lock_guard lock(mutex_);
  lines_[printer].count = text;
}

void RunDisplay::Status(std::size_t printer, const std::string& text) {
  std::lock_guard lock(mutex_);
  lines_[printer].status = text;
}

void RunDisplay::Note(std::size_t printer, const std::string& text) {
  std::lock_guard lock(mutex_);
  Event(printer, text);
}

void RunDisplay::StepEnded(std::size_t printer, std::size_t index, std::size_t total, const StepRecord& record) {
  std::lock_guard lock(mutex_);
  std::string text = StepNumber(index, total) + " " + record.name + ": " + StepResultName(record.result) + " (" +
                     Seconds(record.seconds) + ")";
  if (!record.reason.empty()) text += ": " + record.reason;
  Event(printer, text);
}

void RunDisplay::Finished(std::size_t printer, const PrinterReport& report) {
  std::lock_guard lock(mutex_);
  std::string text = VerdictName(report.verdict);
  if (!report.reason.empty()) text += ": " + report.reason;
  lines_[printer].verdict = text;
  Event(printer, text);
}

std::string RunDisplay::LiveText(std::size_t printer) const {
  const Line& line = lines_[printer];
  std::string text = ports_[printer];
  text.resize(portWidth_ + 2, ' ');
  if (!line.verdict.empty()) return text + line.verdict;
  text += line.step.empty() ? "waiting" : line.step;
  if (!line.count.empty()) text += "  " + line.count;
  if (!line.status.empty()) text += "  [" + line.status + "]";
  return text;
}

void RunDisplay::Refresh() {
  if (!live_ || asking_) return;
  std::lock_guard lock(mutex_);
  // Back to the first live line, then each line rewritten and cleared to its end.
  if (drawn_) WriteOut("\x1b[" + std::to_string(lines_.size()) + "A");
  for (std::size_t i = 0; i < lines_.size(); ++i) PrintOut("\r%s\x1b[K\n", LiveText(i).c_str());
  drawn_ = true;
  FlushOut();
}

std::optional<bool> RunDisplay::Ask(std::size_t printer, const std::string& question) {
  std::lock_guard ask(askMutex_);
  asking_ = true;
  std::optional<bool> answer;
  {
    std::lock_guard lock(mutex_);
    PrintOut("%s: %s [y/n] ", ports_[printer].c_str(), question.c_str());
    FlushOut();
  }
  std::string line;
  while (!answer && ReadOperatorLine(&line)) {
    if (line == "y" || line == "Y" || line == "yes") answer = true;
    if (line == "n" || line == "N" || line == "no") answer = false;
    if (!answer) {
      std::lock_guard lock(mutex_);
      PrintOut("y or n? ");
      FlushOut();
    }
  }
  {
    // The live lines start again below the question.
    std::lock_guard lock(mutex_);
    if (!answer) PrintOut("\n");
    drawn_ = false;
  }
  asking_ = false;
  return answer;
}

}  // namespace kestrel::cli

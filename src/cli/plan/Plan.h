#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "commands/JobSettings.h"
#include "commands/NamedJob.h"

namespace kestrel::cli {

// Where something stands in a plan file, counted from 1.
struct PlanPlace {
  int line = 0;
  int column = 0;
};

enum class StepKind { kInfo, kStatus, kJob, kAging, kPrompt, kPause };

// The word a plan writes for a step kind: "info", "status", "job", "aging",
// "prompt", "pause".
const char* StepKindName(StepKind kind);

// One step of a plan, as the file gives it; the fields a kind does not use
// keep their defaults.
struct PlanStep {
  StepKind kind = StepKind::kStatus;
  std::string name;  // what the reports call it: the file's `name`, else "job 60x40" and the like
  PlanPlace place;

  // info: glob patterns (* and ?) the identity must match; empty takes any.
  std::string modelPattern;
  std::string firmwarePattern;

  // job; aging (its label)
  const NamedJob* job = nullptr;
  std::string copies;  // job: the copies text; empty keeps the plan's
  bool wait = false;   // wait until printed, timing each label

  // aging
  std::int32_t intervalMs = 5000;
  std::int64_t ticks = 0;            // 0: until the duration ends
  std::chrono::seconds duration{0};  // 0: until the ticks are sent
  bool checkStatus = false;          // ask the status after every label
  std::vector<std::string> allowedFaults;
  bool waitOnFault = false;  // on a fault not allowed: wait until ready (true) or fail the step

  // How long the printer may take to answer; 0 takes the link's defaults (a
  // query a few seconds, a label until printed a minute).
  std::chrono::milliseconds timeout{0};

  // prompt
  std::string question;

  // pause
  std::chrono::milliseconds pause{0};
};

// A plan: its name, the settings every job is composed with (the job options
// of the command line) and the steps, run in order on every printer.
struct Plan {
  std::string name;
  std::string file;  // the path it was read from
  JobContext context;
  bool timeGiven = false;     // `at` fixed the time the labels print
  std::int32_t codePage = 0;  // `lang`: 936 or 1252; 0 follows the locale
  std::string baud = "115200";
  std::vector<PlanStep> steps;
};

// The faults a printer's status can report, as a plan's `allow` names them.
const std::vector<std::string>& KnownFaultNames();

// One of the 13 test labels, which the aging test prints.
bool IsTestLabel(const NamedJob& job);

// A glob pattern: * any run of characters, ? any one; the rest as it stands,
// case ignored (ASCII).
bool MatchesPattern(const std::string& text, const std::string& pattern);

}  // namespace kestrel::cli

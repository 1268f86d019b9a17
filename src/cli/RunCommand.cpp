#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/ProcessIo.h"
#include "cli/plan/OperatorConsole.h"
#include "cli/plan/PlanFile.h"
#include "cli/plan/PlanRun.h"
#include "cli/plan/RunReports.h"
#include "language/TranslationMap.h"

namespace kestrel::cli {
namespace {

struct RunArguments {
  std::string planFile;
  std::vector<std::string> ports;
  std::string jsonl = "kestrel-runs.jsonl";
  std::string junit;  // default: PLAN-junit.xml beside where the run starts
  RunOptions options;
};

std::optional<std::string> ParseRunArguments(const CliCommand& command, const Arguments& args, RunArguments& run) {
  CliOptions options;
  if (auto problem = ParseCliOptions(args, command.options, options)) return problem;
  if (options.words.empty()) return "which plan? (a TOML file; examples/plans has some)";
  if (options.words.size() > 1) return "unexpected argument '" + options.words[1] + "'";
  run.planFile = options.words[0];
  run.ports = options.ports;
  if (run.ports.empty()) return "--port is required, once for each printer";
  for (std::size_t i = 0; i < run.ports.size(); ++i)
    if (std::find(run.ports.begin(), run.ports.begin() + static_cast<long>(i), run.ports[i]) !=
        run.ports.begin() + static_cast<long>(i))
      return "the port " + run.ports[i] + " is given twice";
  run.options.unattended = options.extras.count("--unattended") > 0;
  if (const auto jsonl = options.extras.find("--jsonl"); jsonl != options.extras.end()) run.jsonl = jsonl->second;
  const auto junit = options.extras.find("--junit");
  run.junit = junit != options.extras.end() ? junit->second
                                            : std::filesystem::path(run.planFile).stem().string() + "-junit.xml";
  if (run.jsonl.empty() || run.junit.empty()) return "--jsonl and --junit need a file name";
  return std::nullopt;
}

// A folder a report goes into must be there before anything is sent.
bool ReportFolderMissing(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code error;
  return !folder.empty() && !std::filesystem::is_directory(folder, error);
}

// The JUnit file is written whole beside its place and then renamed over it,
// so a reader never sees half of one.
bool WriteJunit(const std::string& path, const std::string& xml, std::string* reason) {
  const std::string part = path + ".part";
  std::FILE* file = OpenFile(part, "wb");
  if (file == nullptr) {
    *reason = std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(xml.data(), 1, xml.size(), file) == xml.size();
  const bool closed = std::fclose(file) == 0;
  std::error_code error;
  if (written && closed) std::filesystem::rename(part, path, error);
  if (written && closed && !error) return true;
  *reason = error ? error.message() : "the disk took only part of it";
  std::filesystem::remove(part, error);
  return false;
}

// A day's runs collect in one file: each run appends its printers' lines.
bool AppendJsonLines(std::FILE* file, const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
}

ExitStatus ExitStatusOf(const RunReport& run) {
  bool anyReached = false, allPassed = true, anyFailed = false;
  for (const PrinterReport& printer : run.printers) {
    anyReached = anyReached || printer.reached;
    allPassed = allPassed && printer.verdict == Verdict::kPass;
    anyFailed = anyFailed || printer.verdict == Verdict::kFail;
  }
  if (allPassed) return ExitStatus::kDone;
  if (!anyReached) return ExitStatus::kNotWritten;
  return anyFailed ? ExitStatus::kPrinterFault : ExitStatus::kInterrupted;
}

}  // namespace

// Reads and checks the whole plan before any port is opened, runs it on every
// printer at once, then writes the reports and the summary.
ExitStatus RunRun(const Arguments& args, const CliCommand& command) {
  RunArguments arguments;
  if (const auto problem = ParseRunArguments(command, args, arguments)) return UsageError(&command, *problem);

  Plan plan;
  const std::vector<PlanProblem> problems = ReadPlanFile(arguments.planFile, &plan);
  for (const PlanProblem& problem : problems)
    std::fprintf(stderr, "%s\n", PlanProblemText(arguments.planFile, problem).c_str());
  if (!problems.empty()) {
    std::fprintf(stderr, "kestrel-cli: run: the plan has %zu problem(s); nothing was sent\n", problems.size());
    return ExitStatus::kBadUsage;
  }
  if (plan.name.empty()) plan.name = std::filesystem::path(arguments.planFile).stem().string();
  for (const std::string& path : {arguments.jsonl, arguments.junit})
    if (ReportFolderMissing(path)) {
      std::fprintf(stderr, "kestrel-cli: run: the folder of %s does not exist\n", path.c_str());
      return ExitStatus::kBadUsage;
    }
  std::FILE* jsonl = OpenFile(arguments.jsonl, "ab");
  if (jsonl == nullptr) {
    std::fprintf(stderr, "kestrel-cli: run: cannot open %s: %s\n", arguments.jsonl.c_str(), std::strerror(errno));
    return ExitStatus::kBadUsage;
  }

  if (plan.codePage == 0)
    LoadTranslations();
  else
    LoadTranslations(plan.codePage);
  // Ctrl+C lets every printer end its step in progress, then the reports
  // are written all the same.
  CatchInterrupts();
  const RunReport run = RunPlan(plan, arguments.ports, arguments.options, StdoutIsTerminal());

  ExitStatus status = ExitStatusOf(run);
  WriteOut(SummaryTable(run));
  const bool appended = AppendJsonLines(jsonl, JsonLinesText(run));
  const bool closed = std::fclose(jsonl) == 0;
  if (!appended || !closed) {
    std::fprintf(stderr, "kestrel-cli: run: the report %s could not be written whole\n", arguments.jsonl.c_str());
    if (status == ExitStatus::kDone) status = ExitStatus::kNotWritten;
  }
  std::string reason;
  if (!WriteJunit(arguments.junit, JunitXml(run), &reason)) {
    std::fprintf(stderr, "kestrel-cli: run: cannot write %s: %s\n", arguments.junit.c_str(), reason.c_str());
    if (status == ExitStatus::kDone) status = ExitStatus::kNotWritten;
  }
  PrintOut("reports: %s (appended), %s\n", arguments.jsonl.c_str(), arguments.junit.c_str());
  return status;
}

}  // namespace kestrel::cli

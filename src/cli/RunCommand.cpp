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

std::string ParseRunArguments(const Arguments& args, RunArguments& run) {
  std::vector<std::string> words;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool hasValue = false;
    if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
      hasValue = true;
    }
    if (name == "--unattended") {
      if (hasValue) return "run: --unattended takes no value";
      run.options.unattended = true;
      continue;
    }
    if (name == "--port" || name == "--jsonl" || name == "--junit") {
      if (!hasValue) {
        if (i + 1 >= args.size()) return "run: " + name + " needs a value";
        value = args[++i];
      }
      if (value.empty()) return "run: " + name + " needs a value";
      if (name == "--port") run.ports.push_back(value);
      if (name == "--jsonl") run.jsonl = value;
      if (name == "--junit") run.junit = value;
      continue;
    }
    if (name.rfind("--", 0) == 0)
      return "run: unknown option '" + name + "' (did you mean " +
             ClosestName(name, {"--port", "--unattended", "--jsonl", "--junit", "--help"}) + "?)";
    words.push_back(name);
  }
  if (words.empty()) return "run: which plan? (a TOML file; examples/plans has some)";
  if (words.size() > 1) return "run: unexpected argument '" + words[1] + "'";
  run.planFile = words[0];
  if (run.ports.empty()) return "run: --port is required, once for each printer";
  for (std::size_t i = 0; i < run.ports.size(); ++i)
    if (std::find(run.ports.begin(), run.ports.begin() + static_cast<long>(i), run.ports[i]) !=
        run.ports.begin() + static_cast<long>(i))
      return "run: the port " + run.ports[i] + " is given twice";
  if (run.junit.empty()) run.junit = std::filesystem::path(run.planFile).stem().string() + "-junit.xml";
  return "";
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

int ExitStatusOf(const RunReport& run) {
  bool anyReached = false, allPassed = true, anyFailed = false;
  for (const PrinterReport& printer : run.printers) {
    anyReached = anyReached || printer.reached;
    allPassed = allPassed && printer.verdict == Verdict::kPass;
    anyFailed = anyFailed || printer.verdict == Verdict::kFail;
  }
  if (allPassed) return 0;
  if (!anyReached) return 1;
  return anyFailed ? 3 : 130;
}

}  // namespace

// Reads and checks the whole plan before any port is opened, runs it on every
// printer at once, then writes the reports and the summary.
int RunRun(const Arguments& args, const OptionSet&) {
  RunArguments arguments;
  if (const std::string problem = ParseRunArguments(args, arguments); !problem.empty()) return UsageError(problem);

  Plan plan;
  const std::vector<PlanProblem> problems = ReadPlanFile(arguments.planFile, &plan);
  for (const PlanProblem& problem : problems)
    std::fprintf(stderr, "%s\n", PlanProblemText(arguments.planFile, problem).c_str());
  if (!problems.empty()) {
    std::fprintf(stderr, "kestrel-cli: run: the plan has %zu problem(s); nothing was sent\n", problems.size());
    return 2;
  }
  if (plan.name.empty()) plan.name = std::filesystem::path(arguments.planFile).stem().string();
  for (const std::string& path : {arguments.jsonl, arguments.junit})
    if (ReportFolderMissing(path)) {
      std::fprintf(stderr, "kestrel-cli: run: the folder of %s does not exist\n", path.c_str());
      return 2;
    }
  std::FILE* jsonl = OpenFile(arguments.jsonl, "ab");
  if (jsonl == nullptr) {
    std::fprintf(stderr, "kestrel-cli: run: cannot open %s: %s\n", arguments.jsonl.c_str(), std::strerror(errno));
    return 2;
  }

  if (plan.codePage == 0)
    LoadTranslations();
  else
    LoadTranslations(plan.codePage);
  // Ctrl+C lets every printer end its step in progress, then the reports
  // are written all the same.
  CatchInterrupts();
  const RunReport run = RunPlan(plan, arguments.ports, arguments.options, StdoutIsTerminal());

  int status = ExitStatusOf(run);
  WriteOut(SummaryTable(run));
  const bool appended = AppendJsonLines(jsonl, JsonLinesText(run));
  const bool closed = std::fclose(jsonl) == 0;
  if (!appended || !closed) {
    std::fprintf(stderr, "kestrel-cli: run: the report %s could not be written whole\n", arguments.jsonl.c_str());
    if (status == 0) status = 1;
  }
  std::string reason;
  if (!WriteJunit(arguments.junit, JunitXml(run), &reason)) {
    std::fprintf(stderr, "kestrel-cli: run: cannot write %s: %s\n", arguments.junit.c_str(), reason.c_str());
    if (status == 0) status = 1;
  }
  PrintOut("reports: %s (appended), %s\n", arguments.jsonl.c_str(), arguments.junit.c_str());
  return status;
}

}  // namespace kestrel::cli

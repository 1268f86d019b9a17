#include "cli/plan/PlanFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

#include "cli/CliOptions.h"
#include "cli/ProcessIo.h"

#define TOML_EXCEPTIONS 0
#define TOML_ENABLE_FORMATTERS 0
#include <toml++/toml.h>

namespace kestrel::cli {
namespace {

// A plan is a few hundred lines at most; a file past this is not one.
constexpr std::size_t kPlanFileLimit = 1 << 20;
// Waits longer than a day are typing slips (an aging run uses ticks or its
// duration instead).
constexpr double kLongestPause = 86400;
constexpr std::int64_t kLongestTimeoutMs = 600'000;

PlanPlace PlaceOf(const toml::source_region& region) {
  return {static_cast<int>(region.begin.line), static_cast<int>(region.begin.column)};
}

// The keys each kind of step takes besides `type` and `name`.
const std::map<StepKind, std::vector<std::string>>& StepKeys() {
  static const std::map<StepKind, std::vector<std::string>> keys = {
      {StepKind::kInfo, {"model", "firmware", "timeout"}},
      {StepKind::kStatus, {"timeout"}},
      {StepKind::kJob, {"job", "copies", "wait", "timeout"}},
      {StepKind::kAging,
       {"label", "interval", "ticks", "duration", "wait", "check-status", "allow", "on-fault", "timeout"}},
      {StepKind::kPrompt, {"question"}},
      {StepKind::kPause, {"seconds"}},
  };
  return keys;
}

// Collects the problems of one file and reads typed values off its nodes.
class PlanReader {
 public:
  explicit PlanReader(std::vector<PlanProblem>& problems) : problems_(problems) {}

  void Problem(const toml::source_region& at, std::string text) { problems_.push_back({PlaceOf(at), std::move(text)}); }

  bool Text(const toml::node& node, const std::string& key, std::string* text) {
    if (const auto value = node.value_exact<std::string>()) {
      *text = *value;
      return true;
    }
    Problem(node.source(), "'" + key + "' takes a text in quotes");
    return false;
  }

  bool Flag(const toml::node& node, const std::string& key, bool* flag) {
    if (const auto value = node.value_exact<bool>()) {
      *flag = *value;
      return true;
    }
    Problem(node.source(), "'" + key + "' takes true or false");
    return false;
  }

  bool Whole(const toml::node& node, const std::string& key, std::int64_t low, std::int64_t high,
             std::int64_t* number) {
    const auto value = node.value_exact<std::int64_t>();
    if (value && *value >= low && *value <= high) {
      *number = *value;
      return true;
    }
    Problem(node.source(),
            "'" + key + "' takes a whole number from " + std::to_string(low) + " to " + std::to_string(high));
    return false;
  }

  // Seconds as a number, or a text of hours, minutes and seconds: "12h",
  // "1h30m", "45s".
  bool Duration(const toml::node& node, const std::string& key, double longest, double* seconds) {
    double total = -1;
    if (const auto number = node.value<double>()) {
      total = *number;
    } else if (const auto text = node.value_exact<std::string>()) {
      total = DurationText(*text);
    }
    if (total > 0 && total <= longest && std::isfinite(total)) {
      *seconds = total;
      return true;
    }
    Problem(node.source(), "'" + key + "' takes seconds above 0 (at most " + std::to_string(std::llround(longest)) +
                               "), or a text such as \"90s\", \"30m\", \"12h\"");
    return false;
  }

  void Settings(const toml::table& table, Plan* plan);
  void Step(const toml::table& table, std::size_t index, Plan* plan);

 private:
  // "1h30m" in seconds; -1 for any other text.
  static double DurationText(const std::string& text) {
    double total = 0;
    std::size_t at = 0;
    while (at < text.size()) {
      std::size_t digits = at;
      while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
      if (digits == at || digits - at > 6 || digits == text.size()) return -1;
      const double amount = std::stod(text.substr(at, digits - at));
      const char unit = text[digits];
      if (unit == 'h')
        total += amount * 3600;
      else if (unit == 'm')
        total += amount * 60;
      else if (unit == 's')
        total += amount;
      else
        return -1;
      at = digits + 1;
    }
    return at == 0 ? -1 : total;
  }

  void KindFields(const toml::table& table, PlanStep& step);
  void JobField(const toml::node& node, const std::string& key, PlanStep& step);
  void AllowField(const toml::node& node, PlanStep& step);
  void CheckCombination(const toml::table& table, PlanStep& step);

  std::vector<PlanProblem>& problems_;
};

// The settings go through the command line's own option parser, so they take
// exactly what the options take: each alone first, for the place of its
// problem, then all together. Only the rows of the settings given are handed
// to it, so a plan reads the same on every station: the station's default
// printer, rate and language (KESTREL_PORT, kestrel.conf) do not enter it.
void PlanReader::Settings(const toml::table& table, Plan* plan) {
  const OptionList accepted = Options({LinkOptions(), JobOptions()});
  OptionList given;
  std::vector<std::string> names;
  for (const std::string& name : AcceptedOptionNames(accepted))
    if (name != "--port" && name != "--help" && name != "--aging") names.push_back(name.substr(2));
  std::vector<std::string> args;
  for (const auto& [key, node] : table) {
    const std::string name(key.str());
    if (name == "port") {
      Problem(key.source(), "the ports are given on the command line, with --port");
      continue;
    }
    if (std::find(names.begin(), names.end(), name) == names.end()) {
      Problem(key.source(), "unknown setting '" + name + "'" + DidYouMean(name, names));
      continue;
    }
    std::string value;
    if (const auto number = node.value_exact<std::int64_t>())
      value = std::to_string(*number);
    else if (!Text(node, name, &value))
      continue;
    const OptionRow* row = FindOption(accepted, "--" + name);
    CliOptions alone;
    std::string problem = ParseCliOptions({"--" + name, value}, {*row}, alone).value_or("");
    // The option's message in the plan's words: "'density' takes ..."
    if (problem.rfind("--" + name, 0) == 0) problem = "'" + name + "'" + problem.substr(name.size() + 2);
    if (!problem.empty()) {
      Problem(node.source(), problem);
      continue;
    }
    args.insert(args.end(), {"--" + name, value});
    given.push_back(*row);
  }
  CliOptions options;
  ParseCliOptions(args, given, options);
  plan->context = options.context;
  plan->timeGiven = options.timeGiven;
  plan->codePage = options.codePage;
  plan->baud = options.baud;
}

void PlanReader::JobField(const toml::node& node, const std::string& key, PlanStep& step) {
  std::string name;
  if (!Text(node, key, &name)) return;
  step.job = FindJob(name);
  if (step.job == nullptr) {
    Problem(node.source(), "unknown job '" + name + "' (kestrel-cli jobs lists them)");
  } else if (step.kind == StepKind::kAging && !IsTestLabel(*step.job)) {
    step.job = nullptr;
    Problem(node.source(), "an aging step prints a test label (60x20 ... 80x60), not '" + name + "'");
  }
}

void PlanReader::AllowField(const toml::node& node, PlanStep& step) {
  const toml::array* list = node.as_array();
  if (list == nullptr) {
    Problem(node.source(), "'allow' takes a list of faults: [\"near-end\"]");
    return;
  }
  for (const toml::node& item : *list) {
    std::string fault;
    if (!Text(item, "allow", &fault)) continue;
    const std::vector<std::string>& known = KnownFaultNames();
    if (std::find(known.begin(), known.end(), fault) == known.end())
      Problem(item.source(), "unknown fault '" + fault + "'" + DidYouMean(fault, known));
    else
      step.allowedFaults.push_back(fault);
  }
}

void PlanReader::KindFields(const toml::table& table, PlanStep& step) {
  const std::vector<std::string>& keys = StepKeys().at(step.kind);
  for (const auto& [key, node] : table) {
    const std::string name(key.str());
    std::int64_t number = 0;
    double seconds = 0;
    if (name == "type" || name == "name") continue;
    if (std::find(keys.begin(), keys.end(), name) == keys.end()) {
      Problem(key.source(),
              std::string("a ") + StepKindName(step.kind) + " step has no '" + name + "'" + DidYouMean(name, keys));
    } else if (name == "model") {
      Text(node, name, &step.modelPattern);
    } else if (name == "firmware") {
      Text(node, name, &step.firmwarePattern);
    } else if (name == "job" || name == "label") {
      JobField(node, name, step);
    } else if (name == "copies") {
      if (Whole(node, name, 1, 255, &number)) step.copies = std::to_string(number);
    } else if (name == "wait") {
      Flag(node, name, &step.wait);
    } else if (name == "check-status") {
      Flag(node, name, &step.checkStatus);
    } else if (name == "interval") {
      if (Whole(node, name, 1, 86'400'000, &number)) step.intervalMs = static_cast<std::int32_t>(number);
    } else if (name == "ticks") {
      Whole(node, name, 1, 100'000'000, &step.ticks);
    } else if (name == "duration") {
      if (Duration(node, name, 30 * 86400.0, &seconds)) step.duration = std::chrono::seconds(std::llround(seconds));
    } else if (name == "timeout") {
      if (Whole(node, name, 1, kLongestTimeoutMs, &number)) step.timeout = std::chrono::milliseconds(number);
    } else if (name == "allow") {
      AllowField(node, step);
    } else if (name == "on-fault") {
      std::string action;
      if (Text(node, name, &action) && action != "stop" && action != "wait")
        Problem(node.source(), "'on-fault' takes \"stop\" or \"wait\"");
      step.waitOnFault = action == "wait";
    } else if (name == "question") {
      Text(node, name, &step.question);
    } else if (name == "seconds") {
      if (Duration(node, name, kLongestPause, &seconds))
        step.pause = std::chrono::milliseconds(std::llround(seconds * 1000));
    }
  }
}

// What a kind needs that no single key can say.
void PlanReader::CheckCombination(const toml::table& table, PlanStep& step) {
  const auto missing = [&](const char* key) {
    if (!table.contains(key))
      Problem(table.source(), std::string("a ") + StepKindName(step.kind) + " step needs '" + key + "'");
  };
  switch (step.kind) {
    case StepKind::kJob:
      missing("job");
      break;
    case StepKind::kAging:
      missing("label");
      if (!table.contains("ticks") && !table.contains("duration"))
        Problem(table.source(), "an aging step needs 'ticks', 'duration' or both");
      if ((table.contains("allow") || table.contains("on-fault")) && !step.checkStatus)
        Problem(table.source(), "'allow' and 'on-fault' need check-status = true");
      break;
    case StepKind::kPrompt:
      missing("question");
      break;
    case StepKind::kPause:
      missing("seconds");
      break;
    default:
      break;
  }
}

void PlanReader::Step(const toml::table& table, std::size_t index, Plan* plan) {
  PlanStep step;
  step.place = PlaceOf(table.source());
  const toml::node* type = table.get("type");
  std::string kindName;
  if (type == nullptr) {
    Problem(table.source(), "step " + std::to_string(index) + " needs a type: info, status, job, aging, prompt, pause");
    return;
  }
  if (!Text(*type, "type", &kindName)) return;
  std::vector<std::string> kinds;
  bool known = false;
  for (const auto& [kind, keys] : StepKeys()) {
    kinds.push_back(StepKindName(kind));
    if (kindName == StepKindName(kind)) {
      step.kind = kind;
      known = true;
    }
  }
  if (!known) {
    Problem(type->source(), "unknown step type '" + kindName + "'" + DidYouMean(kindName, kinds));
    return;
  }
  if (const toml::node* name = table.get("name")) Text(*name, "name", &step.name);
  KindFields(table, step);
  CheckCombination(table, step);
  if (step.name.empty()) {
    step.name = StepKindName(step.kind);
    if (step.job != nullptr) step.name += std::string(" ") + step.job->name;
  }
  plan->steps.push_back(std::move(step));
}

}  // namespace

std::vector<PlanProblem> ParsePlan(std::string_view text, Plan* plan) {
  std::vector<PlanProblem> problems;
  toml::parse_result parsed = toml::parse(text, plan->file);
  if (!parsed) {
    problems.push_back({PlaceOf(parsed.error().source()), std::string(parsed.error().description())});
    return problems;
  }
  const toml::table& root = parsed.table();
  PlanReader reader(problems);
  bool stepsGiven = false;
  for (const auto& [key, node] : root) {
    const std::string name(key.str());
    if (name == "name") {
      reader.Text(node, name, &plan->name);
    } else if (name == "settings") {
      if (const toml::table* settings = node.as_table())
        reader.Settings(*settings, plan);
      else
        reader.Problem(node.source(), "'settings' is a table: [settings]");
    } else if (name == "step") {
      stepsGiven = true;
      const toml::array* steps = node.as_array();
      if (steps == nullptr || !steps->is_array_of_tables()) {
        reader.Problem(node.source(), "the steps are tables, each under [[step]]");
        continue;
      }
      std::size_t index = 0;
      for (const toml::node& step : *steps) reader.Step(*step.as_table(), ++index, plan);
    } else {
      reader.Problem(key.source(), "unknown key '" + name + "' (a plan has name, [settings] and [[step]])");
    }
  }
  if (!stepsGiven) reader.Problem(root.source(), "the plan has no steps: add one under [[step]]");
  std::stable_sort(problems.begin(), problems.end(), [](const PlanProblem& a, const PlanProblem& b) {
    return a.place.line != b.place.line ? a.place.line < b.place.line : a.place.column < b.place.column;
  });
  return problems;
}

std::vector<PlanProblem> ReadPlanFile(const std::string& path, Plan* plan) {
  plan->file = path;
  std::FILE* file = OpenFile(path, "rb");
  if (file == nullptr) return {{{}, std::string("cannot read the plan: ") + std::strerror(errno)}};
  std::string text(kPlanFileLimit + 1, '\0');
  errno = 0;
  text.resize(std::fread(text.data(), 1, text.size(), file));
  const int readError = std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
  std::fclose(file);
  if (readError != 0) return {{{}, std::string("cannot read the plan: ") + std::strerror(readError)}};
  if (text.size() > kPlanFileLimit) return {{{}, "the plan is longer than 1 MiB; is it the right file?"}};
  return ParsePlan(text, plan);
}

std::string PlanProblemText(const std::string& file, const PlanProblem& problem) {
  if (problem.place.line == 0) return file + ": " + problem.text;
  return file + ":" + std::to_string(problem.place.line) + ":" + std::to_string(problem.place.column) + ": " +
         problem.text;
}

}  // namespace kestrel::cli

#include "cli/CliOptions.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>

#include "cli/DefaultPrinter.h"
#include "cli/ProcessIo.h"
#include "language/TranslationMap.h"

namespace kestrel::cli {
namespace {

// Edits from one name to the other: letters put in, left out, changed, or two
// neighbours swapped.
std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

std::string WithoutDashes(const std::string& name) {
  return name.substr(std::min(name.find_first_not_of('-'), name.size()));
}

std::string UnknownOption(const std::string& name, const OptionList& accepted) {
  return "unknown option '" + name + "'" + DidYouMean(name, AcceptedOptionNames(accepted));
}

// The default printer's port, rate and language for the shared rows of a
// command that the command line left out, checked by the same setters.
std::optional<std::string> ApplyDefaultPrinter(const OptionList& accepted, CliOptions& options) {
  const PrinterDefaults& defaults = CurrentPrinterDefaults();
  for (const OptionRow& shared : {LinkOptions()[0], LinkOptions()[1], LanguageOption()}) {
    const OptionRow* row = FindOption(accepted, shared.name);
    if (row == nullptr || row->set != shared.set || options.given.count(shared.name)) continue;
    if (defaults.problem) return *defaults.problem;
    const std::optional<DefaultValue>& value = defaults.For(shared.name);
    if (!value) continue;
    if (std::optional<std::string> problem = row->set(options, value->value)) return value->source + ": " + *problem;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ClosestName(const std::string& name, const std::vector<std::string>& candidates) {
  const std::string typed = WithoutDashes(name);
  std::optional<std::string> closest;
  std::size_t best = SIZE_MAX;
  for (const std::string& candidate : candidates) {
    const std::size_t edits = EditDistance(typed, WithoutDashes(candidate));
    if (edits < best) {
      best = edits;
      closest = candidate;
    }
  }
  // Close: at most two edits, and no more than half of what was typed, so
  // that "-V" or "--baud" are not taken for a name they only share a letter
  // with.
  if (best > 2 || 2 * best > typed.size()) return std::nullopt;
  return closest;
}

bool ParseWholeNumber(const std::string& text, std::int32_t* value) {
  std::size_t i = text.size() > 1 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (i == text.size() || text.size() - i > 10) return false;
  std::int64_t number = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    number = number * 10 + (text[i] - '0');
  }
  if (text[0] == '-') number = -number;
  if (number < INT32_MIN || number > INT32_MAX) return false;
  *value = static_cast<std::int32_t>(number);
  return true;
}

bool NumberInRange(const std::string& text, std::int32_t low, std::int32_t high, std::int32_t* value) {
  return ParseWholeNumber(text, value) && *value >= low && *value <= high;
}

std::string DidYouMean(const std::string& name, const std::vector<std::string>& candidates) {
  const std::optional<std::string> closest = ClosestName(name, candidates);
  return closest ? " (did you mean " + *closest + "?)" : "";
}

std::vector<std::string> AcceptedOptionNames(const OptionList& accepted) {
  std::vector<std::string> names;
  for (const OptionRow& option : accepted) names.push_back(option.name);
  return names;
}

bool AsksForHelp(const Arguments& args, const OptionList& accepted) {
  // As the parser reads the line, except that an option it does not know is
  // passed over, so no problem anywhere hides the help asked for.
  for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
    const OptionRow* row = FindOption(accepted, args[i]);
    if (row == nullptr) continue;
    if (std::string(row->name) == "--help") return true;
    if (row->TakesValue()) ++i;
  }
  return false;
}

std::optional<std::string> ParseCliOptions(const Arguments& args, const OptionList& accepted, CliOptions& options) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    // "-" is a word: standard input or output.
    if (optionsEnded || name.size() < 2 || name[0] != '-') {
      options.words.push_back(name);
      continue;
    }
    if (name == "--") {
      optionsEnded = true;
      continue;
    }
    std::optional<std::string> value;
    if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    const OptionRow* row = FindOption(accepted, name);
    if (row == nullptr) return UnknownOption(name, accepted);
    if (!row->TakesValue()) {
      if (value) return name + " takes no value";
      value = "";
    } else if (!value) {
      if (i + 1 >= args.size()) return name + " needs a value";
      value = args[++i];
    }
    options.given.insert(row->name);
    if (row->set == nullptr)
      options.extras[row->name] = *value;
    else if (std::optional<std::string> problem = row->set(options, *value))
      return problem;
  }
  if (!options.timeGiven) options.context.now = LocalTimeNow();
  if (options.extras.count("--strict") && !options.notes.empty()) return options.notes.front() + " (--strict)";
  return ApplyDefaultPrinter(accepted, options);
}

std::optional<std::string> ParseCommandLine(const CliCommand& command, const Arguments& args, CliOptions& options) {
  std::optional<std::string> problem = ParseCliOptions(args, command.options, options);
  if (!problem)
    for (const std::string& note : options.notes)
      std::fprintf(stderr, "kestrel-cli: %s: %s\n", command.name, note.c_str());
  return problem;
}

std::optional<std::string> ParseOptionsOnly(const CliCommand& command, const Arguments& args, CliOptions& options) {
  if (std::optional<std::string> problem = ParseCommandLine(command, args, options)) return problem;
  if (!options.words.empty()) return "unexpected argument '" + options.words[0] + "'";
  return std::nullopt;
}

std::string PortMissing() {
  return "--port is required (or KESTREL_PORT, or port = ... in " + SettingsFilePath() + ")";
}

std::optional<std::string> ParseJobCommand(const CliCommand& command, const Arguments& args, CliOptions& options,
                                           const NamedJob** job) {
  if (std::optional<std::string> problem = ParseCommandLine(command, args, options)) return problem;
  if (options.words.empty()) return "which job? (kestrel-cli jobs lists them)";
  if (options.words.size() > 1) return "unexpected argument '" + options.words[1] + "'";
  *job = FindJob(options.words[0]);
  if (*job == nullptr) {
    std::vector<std::string> names;
    for (const NamedJob& known : AllJobs()) names.push_back(known.name);
    return "unknown job '" + options.words[0] + "'" + DidYouMean(options.words[0], names);
  }
  if (command.TakesOption("--port") && options.port.empty()) return PortMissing();
  return std::nullopt;
}

bool ParseNumberOption(const CliOptions& options, const char* name, std::int32_t low, std::int32_t high,
                       std::int32_t* value) {
  const auto found = options.extras.find(name);
  if (found == options.extras.end()) return true;
  std::int32_t given = 0;
  if (!NumberInRange(found->second, low, high, &given)) return false;
  *value = given;
  return true;
}

bool ParseWidthOption(const CliOptions& options, int* width) {
  return ParseNumberOption(options, "--width", 8, 2304, width);
}

bool ShowsProgress(const CliOptions& options) { return options.extras.count("--quiet") == 0 && StderrIsTerminal(); }

void ApplyLanguage(const CliOptions& options) {
  if (options.codePage == 0)
    LoadTranslations();
  else
    LoadTranslations(options.codePage);
}

std::string LocalTimeText() {
  const std::tm local = LocalTimeNow();
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

bool ParseLocalTime(const std::string& text, std::tm* time) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, used = 0;
  if (text.size() != 19 ||
      std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &year, &month, &day, &hour, &minute, &second, &used) !=
          6 ||
      used != 19)
    return false;
  if (year < 1900 || hour > 23 || minute > 59 || second > 59 || hour < 0 || minute < 0 || second < 0) return false;
  // The calendar alone gives the weekday and the day of the year, so no time
  // zone can move the date.
  using namespace std::chrono;
  const year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                            std::chrono::day(static_cast<unsigned>(day))};
  if (month < 1 || day < 1 || !date.ok()) return false;
  const sys_days dayNumber(date);
  std::tm parsed{};
  parsed.tm_year = year - 1900;
  parsed.tm_mon = month - 1;
  parsed.tm_mday = day;
  parsed.tm_hour = hour;
  parsed.tm_min = minute;
  parsed.tm_sec = second;
  parsed.tm_wday = static_cast<int>(weekday(dayNumber).c_encoding());
  parsed.tm_yday = (dayNumber - sys_days(date.year() / January / 1)).count();
  parsed.tm_isdst = -1;
  *time = parsed;
  return true;
}

}  // namespace kestrel::cli

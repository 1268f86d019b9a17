#include "cli/CliOptions.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>

#include "language/TranslationMap.h"
#include "link/SerialRate.h"
#include "operations/SettingTables.h"

namespace kestrel::cli {
namespace {

// A whole number, optionally signed, nothing else; false when out of the
// 32-bit range too.
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

// Applies one job option's value; returns the reason it is refused, or "".
using ValueSetter = std::function<std::string(CliOptions&, const std::string&)>;

// The texts of the speed list, the copies edit and the printer-rate list are
// taken as typed; the composers read them as the window's handlers do.
ValueSetter TextInto(std::string JobContext::*field) {
  return [field](CliOptions& o, const std::string& v) {
    o.context.*field = v;
    return std::string();
  };
}

const std::map<std::string, ValueSetter>& JobValueOptions() {
  static const std::map<std::string, ValueSetter> options = {
      {"--lang",
       [](CliOptions& o, const std::string& v) -> std::string {
         if (v != "zh" && v != "en") return "--lang takes zh or en";
         o.codePage = v == "zh" ? 936 : 1252;
         return "";
       }},
      {"--paper",
       [](CliOptions& o, const std::string& v) -> std::string {
         return NumberInRange(v, 0, 2, &o.context.settings.PaperType) ? "" : "--paper takes 0, 1 or 2";
       }},
      {"--direction",
       [](CliOptions& o, const std::string& v) -> std::string {
         return ParseWholeNumber(v, &o.context.settings.PrintDirection) ? "" : "--direction takes a whole number";
       }},
      {"--speed", TextInto(&JobContext::speedText)},
      {"--copies", TextInto(&JobContext::copiesText)},
      {"--size",
       [](CliOptions& o, const std::string& v) -> std::string {
         std::int32_t index = -1;
         const bool known = ParseWholeNumber(v, &index) &&
                            LabelAreaFor(index, &o.context.settings.AreaWidthDots, &o.context.settings.AreaHeightDots);
         return known ? "" : "--size takes a label-size index from 0 to 12";
       }},
      {"--barcode-type",
       [](CliOptions& o, const std::string& v) -> std::string {
         std::int32_t index = -1;
         const std::int32_t system = ParseWholeNumber(v, &index) ? BarcodeSystemFor(index) : -1;
         if (system < 0) return "--barcode-type takes a barcode-list index from 0 to 7";
         o.context.settings.BarcodeSystem = system;
         return "";
       }},
      {"--backfeed",
       [](CliOptions& o, const std::string& v) -> std::string {
         // Any text, converted as the backfeed edit's text is.
         o.context.settings.BackfeedValue = ParseDecimal(v);
         return "";
       }},
      {"--density",
       [](CliOptions& o, const std::string& v) -> std::string {
         std::int32_t level = 0;
         if (!NumberInRange(v, 1, 8, &level)) return "--density takes a level from 1 to 8";
         o.context.densityIndex = level - 1;
         return "";
       }},
      {"--printer-baud", TextInto(&JobContext::printerBaudText)},
      {"--at",
       [](CliOptions& o, const std::string& v) -> std::string {
         return ParseLocalTime(v, &o.context.now) ? "" : "--at takes a local time \"YYYY-MM-DD HH:MM:SS\"";
       }},
  };
  return options;
}

std::string ApplyLinkOrOutput(const std::string& name, const std::string& value, CliOptions& options) {
  if (name == "--output") {
    if (value.empty()) return "--output needs a file name";
    options.output = value;
  } else if (name == "--port") {
    if (value.empty()) return "--port needs a port";
    options.port = value;
  } else if (!ListedSerialRate(value)) {
    return "--baud takes one of 1200 2400 4800 9600 19200 38400 57600 115200";
  } else {
    options.baud = value;
  }
  return "";
}

const ExtraOption* FindExtra(const OptionSet& accepted, const std::string& name) {
  for (const ExtraOption& extra : accepted.extras)
    if (extra.name == name) return &extra;
  return nullptr;
}

bool TakesJobOption(const OptionSet& accepted, const std::string& name) {
  return accepted.jobOptions || (accepted.language && name == "--lang");
}

}  // namespace

std::string ClosestName(const std::string& name, const std::vector<std::string>& candidates) {
  // Levenshtein distance, one row at a time.
  const auto distance = [&name](const std::string& other) {
    std::vector<std::size_t> row(other.size() + 1);
    for (std::size_t j = 0; j < row.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= name.size(); ++i) {
      std::size_t diagonal = row[0];
      row[0] = i;
      for (std::size_t j = 1; j <= other.size(); ++j) {
        const std::size_t replaced = diagonal + (name[i - 1] == other[j - 1] ? 0 : 1);
        diagonal = row[j];
        row[j] = std::min({replaced, row[j] + 1, row[j - 1] + 1});
      }
    }
    return row.back();
  };
  std::string closest;
  std::size_t best = SIZE_MAX;
  for (const std::string& candidate : candidates) {
    const std::size_t edits = distance(candidate);
    if (edits < best) {
      best = edits;
      closest = candidate;
    }
  }
  return closest;
}

std::vector<std::string> AcceptedOptionNames(const OptionSet& accepted) {
  std::vector<std::string> names;
  for (const auto& [name, setter] : JobValueOptions())
    if (TakesJobOption(accepted, name)) names.push_back(name);
  if (accepted.jobOptions) names.push_back("--aging");
  if (accepted.output) names.push_back("--output");
  if (accepted.link) names.insert(names.end(), {"--port", "--baud"});
  for (const ExtraOption& extra : accepted.extras) names.push_back(extra.name);
  names.push_back("--help");
  return names;
}

std::string ParseCliOptions(const Arguments& args, const OptionSet& accepted, CliOptions& options) {
  bool timeGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    if (name.size() < 3 || name.compare(0, 2, "--") != 0) {
      options.words.push_back(name);
      continue;
    }
    std::optional<std::string> value;
    if (const auto equals = name.find('='); equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    auto job = JobValueOptions().find(name);
    if (!TakesJobOption(accepted, name)) job = JobValueOptions().end();
    const ExtraOption* extra = FindExtra(accepted, name);
    const bool linkOrOutput =
        (accepted.output && name == "--output") || (accepted.link && (name == "--port" || name == "--baud"));
    const bool aging = accepted.jobOptions && name == "--aging";
    const bool isFlag = aging || (extra != nullptr && !extra->takesValue);
    if (job == JobValueOptions().end() && extra == nullptr && !linkOrOutput && !aging)
      return "unknown option '" + name + "' (did you mean " + ClosestName(name, AcceptedOptionNames(accepted)) + "?)";
    if (isFlag) {
      if (value) return name + " takes no value";
      if (extra != nullptr)
        options.extras[name] = "";
      else
        options.context.agingRunning = true;
      continue;
    }
    if (!value) {
      if (i + 1 >= args.size()) return name + " needs a value";
      value = args[++i];
    }
    std::string problem;
    if (job != JobValueOptions().end())
      problem = job->second(options, *value);
    else if (extra != nullptr)
      options.extras[name] = *value;
    else
      problem = ApplyLinkOrOutput(name, *value, options);
    if (!problem.empty()) return problem;
    timeGiven = timeGiven || name == "--at";
  }
  options.timeGiven = timeGiven;
  if (!timeGiven) options.context.now = LocalTimeNow();
  return "";
}

std::string ParseOptionsOnly(const char* command, const Arguments& args, const OptionSet& accepted,
                             CliOptions& options) {
  std::string problem = ParseCliOptions(args, accepted, options);
  if (problem.empty() && !options.words.empty()) problem = "unexpected argument '" + options.words[0] + "'";
  return problem.empty() ? problem : std::string(command) + ": " + problem;
}

std::string ParseJobCommand(const char* command, const Arguments& args, const OptionSet& accepted, CliOptions& options,
                            const NamedJob** job) {
  const std::string prefix = std::string(command) + ": ";
  const std::string problem = ParseCliOptions(args, accepted, options);
  if (!problem.empty()) return prefix + problem;
  if (options.words.empty()) return prefix + "which job? (kestrel-cli jobs lists them)";
  if (options.words.size() > 1) return prefix + "unexpected argument '" + options.words[1] + "'";
  *job = FindJob(options.words[0]);
  if (*job == nullptr) return prefix + "unknown job '" + options.words[0] + "'";
  if (accepted.link && options.port.empty()) return prefix + "--port is required";
  return "";
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

#include "cli/DefaultPrinter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/CliOptions.h"
#include "cli/ProcessIo.h"

namespace kestrel::cli {
namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The file may hold a byte order mark; the values may be quoted.
std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
  return value;
}

// The whole file, or nothing with the reason when it exists but cannot be read.
std::optional<std::string> ReadWhole(const std::string& path, std::string* reason) {
  std::FILE* file = OpenFile(path, "rb");
  if (file == nullptr) {
    if (errno != ENOENT) *reason = path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  std::string text;
  char piece[4096];
  // A settings file is a few lines; more than this is not one.
  while (text.size() < 65536) {
    const std::size_t count = std::fread(piece, 1, sizeof piece, file);
    if (count == 0) break;
    text.append(piece, count);
  }
  if (std::ferror(file)) *reason = path + ": " + std::strerror(errno);
  std::fclose(file);
  return text;
}

}  // namespace

const std::optional<DefaultValue>& PrinterDefaults::For(const std::string& option) const {
  static const std::optional<DefaultValue> none;
  if (option == "--port") return port;
  if (option == "--baud") return baud;
  if (option == "--lang") return lang;
  return none;
}

PrinterDefaults ReadSettingsText(const std::string& text, const std::string& path) {
  PrinterDefaults defaults;
  std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  for (int number = 1; start < text.size(); ++number) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    const std::string where = path + ":" + std::to_string(number);
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      defaults.problem = where + ": expected key = value, found '" + line + "'";
      return defaults;
    }
    const std::string key = Trimmed(line.substr(0, equals));
    const DefaultValue value{Unquoted(Trimmed(line.substr(equals + 1))), where};
    if (key == "port")
      defaults.port = value;
    else if (key == "baud")
      defaults.baud = value;
    else if (key == "lang")
      defaults.lang = value;
    else {
      defaults.problem = where + ": unknown setting '" + key + "'" + DidYouMean(key, {"port", "baud", "lang"});
      return defaults;
    }
  }
  return defaults;
}

const PrinterDefaults& CurrentPrinterDefaults() {
  static const PrinterDefaults defaults = [] {
    const std::string path = SettingsFilePath();
    std::string reason;
    const std::optional<std::string> text = path.empty() ? std::nullopt : ReadWhole(path, &reason);
    PrinterDefaults read = text ? ReadSettingsText(*text, path) : PrinterDefaults{};
    if (!reason.empty()) read.problem = reason;
    for (const auto& [variable, field] :
         {std::pair{"KESTREL_PORT", &PrinterDefaults::port}, std::pair{"KESTREL_BAUD", &PrinterDefaults::baud}})
      if (const std::optional<std::string> value = EnvironmentValue(variable); value && !value->empty())
        read.*field = DefaultValue{*value, variable};
    return read;
  }();
  return defaults;
}

}  // namespace kestrel::cli

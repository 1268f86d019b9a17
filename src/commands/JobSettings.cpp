#include "commands/JobSettings.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace kestrel {

JobSettingsRecord JobSettings;

std::int32_t ParseDecimal(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min(value * 10 + (text[i] - '0'), kLimit);
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t ReadPrintCopies(const std::string& copiesText) {
  if (copiesText.empty()) return 1;
  return std::clamp(ParseDecimal(copiesText), 1, 255);
}

std::int32_t ReadPrintSpeed(const std::string& speedText) { return std::clamp(ParseDecimal(speedText), 1, 255); }

}  // namespace kestrel

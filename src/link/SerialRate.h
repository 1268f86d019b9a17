#pragma once

#include <optional>
#include <string>

namespace kestrel {

// The rates of the baud-rate list, in its order.
inline constexpr int kSerialRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// The rate a text names when it is one of the list's.
inline std::optional<int> ListedSerialRate(const std::string& text) {
  for (int rate : kSerialRates) {
    if (text == std::to_string(rate)) return rate;
  }
  return std::nullopt;
}

// The rate the baud-rate list's text names; any other text gives 9600.
inline int SerialRateFromText(const std::string& text) { return ListedSerialRate(text).value_or(9600); }

}  // namespace kestrel

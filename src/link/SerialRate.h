#pragma once

#include <string>

namespace kestrel {

// The rate the baud-rate list's text names; any other text gives 9600.
inline int SerialRateFromText(const std::string& text) {
  for (int rate : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200}) {
    if (text == std::to_string(rate)) return rate;
  }
  return 9600;
}

}  // namespace kestrel

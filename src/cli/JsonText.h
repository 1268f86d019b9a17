#pragma once

#include <string>
#include <string_view>

namespace kestrel::cli {

// A text as a JSON string literal, quotes included. Control characters,
// quotes and backslashes are escaped; bytes that are not UTF-8 (a hardware
// identifier read from a device may hold any) become U+FFFD, so the output is
// always valid JSON.
std::string JsonString(std::string_view text);

}  // namespace kestrel::cli

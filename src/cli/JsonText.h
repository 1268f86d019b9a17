#pragma once

#include <string>
#include <string_view>

namespace kestrel::cli {

// A text as a JSON string literal, quotes included. Control characters,
// quotes and backslashes are escaped; bytes that are not UTF-8 (a hardware
// identifier read from a device may hold any) become U+FFFD, so the output is
// always valid JSON.
std::string JsonString(std::string_view text);

// The length of the well-formed UTF-8 sequence of 2 to 4 bytes at `at`, or 0
// (no overlong forms, no surrogates, nothing past U+10FFFF).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

}  // namespace kestrel::cli

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// The console's hexadecimal form of its content. Both sides work on bytes in
// the code page of the interface, never on decoded text.

// Reads hexadecimal text into bytes: digit pairs make a byte, a lone digit
// before a separator (space, tab, LF, CR) or at the end makes a byte of its
// own value. Any other byte fails the whole parse. The result is never longer
// than the text.
std::optional<std::string> ParseHexText(std::string_view text);

// Every byte as two uppercase digits followed by one space: 41 42 -> "41 42 ".
std::string FormatHexText(std::string_view bytes);

}  // namespace kestrel

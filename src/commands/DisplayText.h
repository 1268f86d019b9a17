#pragma once

#include <cstdio>
#include <string>

#include "commands/SendBuffer.h"
#include "language/CodePageText.h"
#include "language/TranslationMap.h"

namespace kestrel {

// The bytes a Chinese source text prints as: Translate, then GBK.
inline std::string DisplayText(const std::string& source) { return ToPrinterText(Translate(source)); }

// Appends the display text of a source text, without a terminator.
inline bool AppendDisplayText(const std::string& source) { return AppendBytes(DisplayText(source)); }

// Appends a text that is not translated (a literal), as GBK.
inline bool AppendLiteralText(const std::string& utf8) { return AppendBytes(ToPrinterText(utf8)); }

// A translated format string: converted first, formatted afterwards with the
// C conversions it holds (%04d, %02d) and the values given.
template <typename... Values>
bool AppendDisplayFormat(const std::string& source, Values... values) {
  const std::string format = DisplayText(source);
  char text[512];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
  const int length = std::snprintf(text, sizeof(text), format.c_str(), values...);
#pragma GCC diagnostic pop
  if (length < 0) return false;
  return AppendBytes(reinterpret_cast<const std::uint8_t*>(text),
                     static_cast<std::size_t>(length < static_cast<int>(sizeof(text)) ? length : sizeof(text) - 1));
}

}  // namespace kestrel

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrel {

// Conversion between the UTF-8 texts of the program and the narrow bytes of a
// Windows code page (936 GBK, 54936 GB18030, 950, 932, 949, 1252). A character
// the code page lacks becomes '?', as the Windows conversion does.
std::string ToCodePage(const std::string& utf8, std::int32_t codePage);
std::string FromCodePage(const std::string& bytes, std::int32_t codePage);

// Length of the UTF-8 character at `at`: its lead byte and the continuation
// bytes that follow it, 1 for a stray byte. Both conversions step over an
// unconvertible character by this length, so it becomes one '?'.
std::size_t Utf8SequenceLength(const char* at, std::size_t left);

// The system's ANSI code page: on Linux the one its locale stands for (see
// CodePageFromLocaleName), on Windows the one the system reports.
std::int32_t SystemCodePage();

// Printed texts always reach the printer as GBK, in both interface languages.
inline constexpr std::int32_t kPrinterCodePage = 936;
inline std::string ToPrinterText(const std::string& utf8) { return ToCodePage(utf8, kPrinterCodePage); }

}  // namespace kestrel

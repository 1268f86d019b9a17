#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kestrel::emu {

// The single-byte character code tables that ESC t selects while Chinese
// character mode is off (FS .): PC437 (0), Katakana (1), PC850 (2), PC860
// (3), PC863 (4), PC865 (5), WPC1252 (16), PC866 (17), PC852 (18), PC858 (19).
inline constexpr std::int32_t kKatakana = 1;

// "PC437"; nullptr for a table this printer does not have.
const char* CodeTableName(std::int32_t table);
// The Unicode character of a byte in a table; U+FFFD where the table has none.
char32_t CodeTableCharacter(std::int32_t table, std::uint8_t byte);
// Text in a table as UTF-8, for dumps.
std::string CodeTableTextToUtf8(std::int32_t table, std::span<const std::uint8_t> bytes);

}  // namespace kestrel::emu

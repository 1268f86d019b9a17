#include "operations/HexText.h"

namespace kestrel {
namespace {

// The value of a hexadecimal digit, or -1 for any other byte.
int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

std::optional<std::string> ParseHexText(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() / 2 + 1);
  int value = 0;
  int digits = 0;
  for (const char c : text) {
    const int digit = DigitValue(c);
    if (digit >= 0) {
      value = value * 16 + digit;
      if (++digits == 2) {
        bytes.push_back(static_cast<char>(value));
        value = 0;
        digits = 0;
      }
    } else if (IsSeparator(c)) {
      if (digits == 1) bytes.push_back(static_cast<char>(value));
      value = 0;
      digits = 0;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 1) bytes.push_back(static_cast<char>(value));
  return bytes;
}

std::string FormatHexText(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 0x0F]);
    text.push_back(' ');
  }
  return text;
}

}  // namespace kestrel

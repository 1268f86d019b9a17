#include "emulator/PrinterText.h"

#include <windows.h>

#include <string>

namespace kestrel::emu {
namespace {

// GB18030 where the system converts it; Wine 8 has no code page 54936, and
// there GBK, which holds every one- and two-byte character the labels print,
// stands in for it.
UINT PrinterCodePage() {
  static const UINT page = IsValidCodePage(54936) ? 54936 : 936;
  return page;
}

// Length of the GB18030 character at the start of `bytes`: ASCII one byte,
// a second byte from '0' to '9' makes four, any other lead byte two.
std::size_t CharacterLength(std::span<const std::uint8_t> bytes) {
  if (bytes[0] < 0x81 || bytes[0] == 0xFF || bytes.size() < 2) return 1;
  return bytes[1] >= 0x30 && bytes[1] <= 0x39 ? 4 : 2;
}

// One character's bytes as UTF-16; empty when they are not one.
std::wstring Widen(std::span<const std::uint8_t> bytes) {
  wchar_t wide[4];
  const int count =
      MultiByteToWideChar(PrinterCodePage(), MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes.data()),
                          static_cast<int>(bytes.size()), wide, 4);
  return count > 0 ? std::wstring(wide, static_cast<std::size_t>(count)) : std::wstring();
}

char32_t CodePointOf(const std::wstring& wide) {
  if (wide.size() == 1 && (wide[0] < 0xD800 || wide[0] > 0xDFFF)) return wide[0];
  if (wide.size() == 2 && wide[0] >= 0xD800 && wide[0] <= 0xDBFF && wide[1] >= 0xDC00 && wide[1] <= 0xDFFF)
    return 0x10000 + ((static_cast<char32_t>(wide[0]) - 0xD800) << 10) + (wide[1] - 0xDC00);
  return U'\uFFFD';
}

void AppendUtf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

char32_t CharacterOf(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return U'\uFFFD';
  if (bytes.size() == 1) return bytes[0] < 0x80 ? bytes[0] : U'\uFFFD';
  if (CharacterLength(bytes) != bytes.size()) return U'\uFFFD';
  return CodePointOf(Widen(bytes));
}

// As on Linux, the text is converted up to the first byte sequence that is no
// character, which becomes U+FFFD and ends it.
std::string PrinterTextToUtf8(std::span<const std::uint8_t> bytes) {
  std::string out;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = CharacterLength(bytes.subspan(at));
    const char32_t code = length > bytes.size() - at ? U'\uFFFD' : CharacterOf(bytes.subspan(at, length));
    AppendUtf8(code, out);
    if (code == U'\uFFFD') break;
    at += length;
  }
  return out;
}

}  // namespace kestrel::emu

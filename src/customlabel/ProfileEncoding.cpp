#include "customlabel/ProfileEncoding.h"

#include <cstdint>

namespace kestrel {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

void AppendUtf8(std::string& text, std::uint32_t point) {
  if (point < 0x80) {
    text += static_cast<char>(point);
  } else if (point < 0x800) {
    text += static_cast<char>(0xC0 | point >> 6);
    text += static_cast<char>(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    text += static_cast<char>(0xE0 | point >> 12);
    text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | point >> 18);
    text += static_cast<char>(0x80 | (point >> 12 & 0x3F));
    text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (point & 0x3F));
  }
}

void AppendUnit(std::string& bytes, std::uint32_t unit, bool bigEndian) {
  const char high = static_cast<char>(unit >> 8);
  const char low = static_cast<char>(unit & 0xFF);
  bytes += bigEndian ? high : low;
  bytes += bigEndian ? low : high;
}

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
  const auto unitAt = [&](std::size_t i) {
    const auto a = static_cast<std::uint8_t>(bytes[i]);
    const auto b = static_cast<std::uint8_t>(bytes[i + 1]);
    return static_cast<std::uint32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
  };
  std::string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    std::uint32_t unit = unitAt(i);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      const std::uint32_t next = unitAt(i + 2);
      if (next >= 0xDC00 && next < 0xE000) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(text, unit);
  }
  return text;
}

std::string ToUtf16(std::string_view text, bool bigEndian) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    std::uint32_t point = 0xFFFD;  // a byte that starts no sequence
    if (length == 1) point = lead;
    if (length > 1 && i + length <= text.size()) {
      point = lead & (0x7F >> length);
      for (std::size_t k = 1; k < length; ++k) point = point << 6 | (static_cast<std::uint8_t>(text[i + k]) & 0x3F);
    }
    i += length == 0 || i + length > text.size() ? 1 : length;
    if (point >= 0x10000) {
      AppendUnit(bytes, 0xD800 + ((point - 0x10000) >> 10), bigEndian);
      AppendUnit(bytes, 0xDC00 + ((point - 0x10000) & 0x3FF), bigEndian);
    } else {
      AppendUnit(bytes, point, bigEndian);
    }
  }
  return bytes;
}

}  // namespace

DecodedProfile DecodeProfile(std::string_view bytes) {
  if (bytes.starts_with(kUtf16LEMark) || bytes.starts_with(kUtf16BEMark)) {
    const bool bigEndian = bytes.starts_with(kUtf16BEMark);
    bytes.remove_prefix(2);
    return {bigEndian ? ProfileEncoding::Utf16BE : ProfileEncoding::Utf16LE, FromUtf16(bytes, bigEndian),
            bytes.size() % 2 != 0};
  }
  if (bytes.starts_with(kUtf8Mark)) return {ProfileEncoding::Utf8WithMark, std::string(bytes.substr(3))};
  return {ProfileEncoding::Utf8, std::string(bytes)};
}

std::string EncodeProfile(ProfileEncoding encoding, std::string_view text) {
  switch (encoding) {
    case ProfileEncoding::Utf8WithMark:
      return std::string(kUtf8Mark) + std::string(text);
    case ProfileEncoding::Utf16LE:
      return std::string(kUtf16LEMark) + ToUtf16(text, false);
    case ProfileEncoding::Utf16BE:
      return std::string(kUtf16BEMark) + ToUtf16(text, true);
    case ProfileEncoding::Utf8:
      break;
  }
  return std::string(text);
}

}  // namespace kestrel

#pragma once

#include <string>
#include <string_view>

namespace kestrel {

// How a settings file is encoded. Kestrel writes plain ASCII; editors add a
// UTF-8 byte order mark, and Windows programs write UTF-16 with a byte order
// mark (little-endian, the system's own). A rewrite keeps the encoding found.
enum class ProfileEncoding { Utf8, Utf8WithMark, Utf16LE, Utf16BE };

struct DecodedProfile {
  ProfileEncoding encoding = ProfileEncoding::Utf8;
  std::string text;      // UTF-8 without the byte order mark
  bool damaged = false;  // UTF-16 of an odd number of bytes
};

// The file's bytes as UTF-8 text. UTF-16 converts without loss: a lone
// surrogate, which Windows allows in its files, is carried through as its
// three-byte form and written back unchanged.
DecodedProfile DecodeProfile(std::string_view bytes);

// The UTF-8 text in the encoding, with its byte order mark.
std::string EncodeProfile(ProfileEncoding encoding, std::string_view text);

}  // namespace kestrel

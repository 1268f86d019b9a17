#include <windows.h>

#include "language/CodePageText.h"

namespace kestrel {
namespace {

// A code page the system cannot convert is taken as 1252, as on Linux for a
// code page without a converter. Wine 8 has no 54936 (GB18030), so there a
// GB18030 system converts as 1252.
UINT UsableCodePage(std::int32_t codePage) {
  const UINT page = static_cast<UINT>(codePage);
  return codePage > 0 && IsValidCodePage(page) ? page : 1252;
}

// Length of the code-page character that starts at `at`: GB18030 has four-byte
// characters (a second byte from '0' to '9'), the double-byte code pages
// two-byte ones after a lead byte.
std::size_t CharacterLength(UINT page, const char* at, std::size_t left) {
  const unsigned char lead = static_cast<unsigned char>(at[0]);
  if (page == CP_UTF8) return Utf8SequenceLength(at, left);
  if (page == 54936) {
    if (lead < 0x81 || lead == 0xFF || left < 2) return 1;
    const unsigned char second = static_cast<unsigned char>(at[1]);
    return second >= 0x30 && second <= 0x39 ? 4 : 2;
  }
  return IsDBCSLeadByteEx(page, lead) ? 2 : 1;
}

// One character from UTF-16 into the code page; false when it has none.
bool AppendInCodePage(UINT page, const wchar_t* wide, int wideCount, std::string& output) {
  char bytes[8];
  BOOL usedDefault = FALSE;
  const bool exact = page == CP_UTF8 || page == 54936;
  // Without best fit a character the code page lacks is never swapped for a
  // look-alike; it is reported, and becomes '?'.
  const int count = WideCharToMultiByte(page, exact ? 0 : WC_NO_BEST_FIT_CHARS, wide, wideCount, bytes, sizeof bytes,
                                        nullptr, exact ? nullptr : &usedDefault);
  if (count <= 0 || usedDefault) return false;
  output.append(bytes, static_cast<std::size_t>(count));
  return true;
}

}  // namespace

std::string ToCodePage(const std::string& utf8, std::int32_t codePage) {
  const UINT page = UsableCodePage(codePage);
  std::string output;
  // Character by character, so that each one the code page lacks, or a broken
  // UTF-8 sequence, becomes exactly one '?'.
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t length = Utf8SequenceLength(utf8.data() + at, utf8.size() - at);
    wchar_t wide[2];
    const int wideCount =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data() + at, static_cast<int>(length), wide, 2);
    if (wideCount <= 0 || !AppendInCodePage(page, wide, wideCount, output)) output += '?';
    at += length;
  }
  return output;
}

std::string FromCodePage(const std::string& bytes, std::int32_t codePage) {
  const UINT page = UsableCodePage(codePage);
  std::string output;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t left = bytes.size() - at;
    std::size_t length = CharacterLength(page, bytes.data() + at, left);
    wchar_t wide[2];
    const int wideCount = length > left ? 0
                                        : MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data() + at,
                                                              static_cast<int>(length), wide, 2);
    if (wideCount <= 0 || !AppendInCodePage(CP_UTF8, wide, wideCount, output)) {
      // A lead byte without its trail byte, or an unmapped byte: one '?', and
      // the bytes after the lead byte are read again on their own.
      output += '?';
      length = 1;
    }
    at += length;
  }
  return output;
}

}  // namespace kestrel

#pragma once

#include <string>
#include <string_view>

namespace kestrel::win32 {

// The window's UTF-16 text and the program's UTF-8 text, converted without
// loss; a broken UTF-8 sequence becomes U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace kestrel::win32

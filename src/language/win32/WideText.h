#pragma once

#include <string>

namespace kestrel::win32 {

// The program keeps its texts in UTF-8; the system's wide calls take UTF-16.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

}  // namespace kestrel::win32

#include "language/win32/WideText.h"

#include <windows.h>

namespace kestrel::win32 {

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(count > 0 ? count : 0), L'\0');
  if (count > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), count);
  return wide;
}

std::string Narrow(const std::wstring& utf16) {
  if (utf16.empty()) return {};
  const int count =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(count > 0 ? count : 0), '\0');
  if (count > 0)
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), utf8.data(), count, nullptr,
                        nullptr);
  return utf8;
}

}  // namespace kestrel::win32

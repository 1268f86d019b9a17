#include "emulator/FontFiles.h"

#include <windows.h>

#include <string>

namespace kestrel::emu {
namespace {

std::filesystem::path SystemFontFolder() {
  wchar_t windows[MAX_PATH];
  const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::filesystem::path(windows) / L"Fonts";
}

std::filesystem::path ProgramFolder() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      return std::filesystem::path(name).parent_path();
    }
    name.resize(name.size() * 2);
  }
}

}  // namespace

// The system's Chinese sans-serif and Song fonts where Windows has them, else
// the WenQuanYi Micro Hei that comes with the program, the font the Linux
// build draws with.
std::vector<std::filesystem::path> CjkFontFiles() {
  std::vector<std::filesystem::path> files;
  const std::filesystem::path system = SystemFontFolder();
  if (!system.empty()) {
    files.push_back(system / L"msyh.ttc");
    files.push_back(system / L"simsun.ttc");
  }
  const std::filesystem::path program = ProgramFolder();
  if (!program.empty()) files.push_back(program / L"wqy-microhei.ttc");
  return files;
}

}  // namespace kestrel::emu

#pragma once

#include <filesystem>
#include <vector>

namespace kestrel::emu {

// The CJK outline fonts the virtual printer may draw its characters with, in
// the order they are tried; the first that opens is used.
std::vector<std::filesystem::path> CjkFontFiles();

}  // namespace kestrel::emu

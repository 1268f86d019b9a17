#pragma once

#include <string>

#include "emulator/Canvas.h"

namespace kestrel::emu {

// A page as a one-bit greyscale PNG: printed dots black, the rest white.
// Empty for a page without dots.
std::string EncodePng(const Canvas& page);

// The PNG written safely in the place of path (see ReplaceFileContents): what was
// there is kept when the write fails, and a device, a pipe or a folder at
// path is refused. False, with the reason in *error, when it is not written.
bool WritePng(const std::string& path, const Canvas& page, std::string* error);

// Reads any PNG back as dots: a pixel darker than mid grey is a printed dot.
bool ReadPng(const std::string& path, Canvas* page, std::string* error);

}  // namespace kestrel::emu

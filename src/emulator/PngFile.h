#pragma once

#include <string>

#include "emulator/Canvas.h"

namespace kestrel::emu {

// A page as a one-bit greyscale PNG: printed dots black, the rest white.
// False, with the reason in *error, when the file cannot be written.
bool WritePng(const std::string& path, const Canvas& page, std::string* error);

// Reads any PNG back as dots: a pixel darker than mid grey is a printed dot.
bool ReadPng(const std::string& path, Canvas* page, std::string* error);

}  // namespace kestrel::emu

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "emulator/Command.h"
#include "emulator/PrinterModel.h"

namespace kestrel::emu {

// A whole byte stream run through the virtual printer.
struct Rendering {
  std::vector<Command> commands;         // every command, when asked for
  std::vector<Command> problemCommands;  // the first kMaxListedProblems
  std::vector<Page> pages;
  std::vector<Note> notes;       // what was not printed as sent
  std::vector<Note> settingLog;  // the setting commands, in words
  std::size_t problems = 0;      // unknown, cut-short and bad-byte commands
};

// A file of nothing but bad bytes would give a record for each.
inline constexpr std::size_t kMaxListedProblems = 1000;

// Decodes and prints the stream command by command. The list of every command
// is kept only when `keepCommands` is set: for a large stream of short
// commands it is many times the stream's size. With `onPage` each page is
// handed over as soon as it is printed instead of being kept, so no page is
// ever dropped for want of room.
using PageSink = std::function<void(Page&& page)>;
Rendering RenderStream(std::span<const std::uint8_t> bytes, int printWidth, bool keepCommands = false,
                       const PageSink& onPage = {});

// The print width of a job's paper from its name: 58 mm labels 384 dots, 60 mm
// labels 480 (as wide as their frames are drawn); the other jobs name no paper
// and get the widest head, 576, so that none of their print areas is cut.
int PrintWidthOfJob(const std::string& jobName);

// The file names of the pictures of `pageCount` pages, copies counted: FILE.png
// for one, FILE-1.png, FILE-2.png, ... for more.
std::vector<std::string> PictureNames(const std::string& path, std::size_t pageCount);
// FILE-N.png, the name of picture `number` (from 1) of several.
std::string NumberedPictureName(const std::string& path, std::size_t number);

}  // namespace kestrel::emu

#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "emulator/Canvas.h"
#include "emulator/OutputBounds.h"
#include "files/FileResult.h"

namespace kestrel::emu {

// A picture of the series once it is written.
struct WrittenPicture {
  std::size_t number = 0;  // from 1
  int width = 0;
  int height = 0;
  std::string name;  // "-" for stdout
};

// The pictures of one render, written as the pages are printed so that
// memory never holds more than one: TARGET for a single picture, STEM-1.EXT,
// STEM-2.EXT, ... for several (PictureNames). Each is written safely
// (WritePng); a target, or a name made from it, that is no regular file is
// refused before anything is written to it. With the target "-" the pictures
// go one after another to `toStdout`.
class PictureSeries {
 public:
  using StdoutWriter = std::function<void(std::string_view png)>;
  using Reporter = std::function<void(const WrittenPicture&)>;

  PictureSeries(std::string target, OutputLimits limits, Reporter report, StdoutWriter toStdout = {});

  // Whether the target may be written; checked before the first page.
  FileResult CheckTarget() const;
  // The next page, once for each copy. Nothing more is written after the
  // first failure or once a limit is reached.
  void Add(const Canvas& page, int copies);
  // Writes the picture held back until it was known whether it is the only one.
  void Finish();

  std::size_t pictures() const { return count_; }
  // The first failure: its words, with the file's name.
  const std::optional<std::string>& failure() const { return failure_; }
  const OutputBudget& budget() const { return budget_; }

 private:
  void Write(std::size_t number, const std::string& png, int width, int height);

  std::string target_;
  OutputBudget budget_;
  Reporter report_;
  StdoutWriter toStdout_;
  std::size_t count_ = 0;
  // The first picture, until a second shows that it is NAME-1 and not NAME.
  std::string firstPng_;
  int firstWidth_ = 0;
  int firstHeight_ = 0;
  std::optional<std::string> failure_;
};

}  // namespace kestrel::emu

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "emulator/Canvas.h"
#include "emulator/PrinterModel.h"

namespace kestrel::emu {

// What a preview window shows of a stream printed on the virtual printer: a
// line a decoded command (as the dump writes it, problems marked "!!"), then
// a line a note, "!! " and what was not printed as sent; and the pages as
// they come out, each copy a page of its own.
class StreamPreview {
 public:
  StreamPreview() = default;
  StreamPreview(std::span<const std::uint8_t> bytes, int printWidth);

  const std::vector<std::string>& Lines() const { return lines_; }
  // The lines that tell a problem: bad commands, then the notes.
  const std::vector<std::string>& Problems() const { return problems_; }
  // Pages out of the printer, copies counted.
  std::size_t PageCount() const { return pageCount_; }
  // Page `index` of PageCount(); the copies of a page share its picture.
  const Canvas& PageAt(std::size_t index) const;

 private:
  std::vector<std::string> lines_;
  std::vector<std::string> problems_;
  std::vector<Page> pages_;
  std::size_t pageCount_ = 0;
};

}  // namespace kestrel::emu

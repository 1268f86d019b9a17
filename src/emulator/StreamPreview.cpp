#include "emulator/StreamPreview.h"

#include "emulator/CommandWords.h"
#include "emulator/VirtualPrinter.h"

namespace kestrel::emu {

StreamPreview::StreamPreview(std::span<const std::uint8_t> bytes, int printWidth) {
  Rendering rendering = RenderStream(bytes, printWidth, true);
  lines_.reserve(rendering.commands.size() + rendering.notes.size());
  for (const Command& command : rendering.commands) {
    lines_.push_back(DumpLine(bytes, command));
    if (IsProblem(command.op)) problems_.push_back(lines_.back());
  }
  for (const Note& note : rendering.notes) {
    lines_.push_back("!! " + note.text);
    problems_.push_back(lines_.back());
  }
  pages_ = std::move(rendering.pages);
  for (const Page& page : pages_) pageCount_ += static_cast<std::size_t>(page.copies);
}

const Canvas& StreamPreview::PageAt(std::size_t index) const {
  for (const Page& page : pages_) {
    const auto copies = static_cast<std::size_t>(page.copies);
    if (index < copies) return page.canvas;
    index -= copies;
  }
  static const Canvas none;
  return none;
}

}  // namespace kestrel::emu

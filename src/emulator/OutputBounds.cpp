#include "emulator/OutputBounds.h"

namespace kestrel::emu {

bool OutputBudget::TakePage(std::uint64_t bytes) {
  if (reached_ == Reached::No && pages_ + 1 > limits_.maxPages) reached_ = Reached::Pages;
  if (reached_ == Reached::No && bytes_ + bytes > (limits_.maxMegabytes << 20)) reached_ = Reached::Disk;
  if (reached_ != Reached::No) {
    ++refused_;
    return false;
  }
  ++pages_;
  bytes_ += bytes;
  return true;
}

std::string OutputBudget::LimitText() const {
  if (reached_ == Reached::Disk) return "the disk limit (--max-disk " + std::to_string(limits_.maxMegabytes) + " MB)";
  return "the page limit (--max-pages " + std::to_string(limits_.maxPages) + ")";
}

}  // namespace kestrel::emu

#pragma once

#include <cstdint>
#include <string>

namespace kestrel::emu {

// How much one run of the virtual printer may write: a stream of any length,
// hostile or not, never fills the disk.
struct OutputLimits {
  std::uint64_t maxPages = 10000;
  std::uint64_t maxMegabytes = 1024;
};

// Counts the pictures and bytes a run writes. Once a page would pass a limit
// nothing more is written, even a smaller page, so the output ends at one
// place instead of leaving gaps.
class OutputBudget {
 public:
  explicit OutputBudget(OutputLimits limits = {}) : limits_(limits) {}

  // Whether a page whose files take `bytes` may be written; counted when it may.
  bool TakePage(std::uint64_t bytes);
  bool reached() const { return reached_ != Reached::No; }
  std::uint64_t pages() const { return pages_; }
  std::uint64_t refused() const { return refused_; }
  // "the page limit (--max-pages 10000)", "the disk limit (--max-disk 1024 MB)".
  std::string LimitText() const;

 private:
  enum class Reached { No, Pages, Disk };

  OutputLimits limits_;
  std::uint64_t pages_ = 0;
  std::uint64_t bytes_ = 0;
  std::uint64_t refused_ = 0;
  Reached reached_ = Reached::No;
};

}  // namespace kestrel::emu

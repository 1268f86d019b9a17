#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "emulator/Decoder.h"
#include "emulator/PrinterModel.h"

namespace kestrel::emu {

// A printed page with the commands that drew it, in dump lines, and its
// account ("-- drawn: ...").
struct PrintedPage {
  Page page;
  std::vector<std::string> commands;
  std::size_t problems = 0;  // unknown, cut-short and bad-byte commands among them
};

// The virtual printer on a line: bytes arrive in pieces of any size, a
// command split between pieces waits for its rest. Memory stays bounded
// whatever arrives: a command longer than kMaxPendingBytes is given up as a
// problem, the commands listed for one page are bounded, and the caller takes
// the pages as they are printed, or is handed each at once (SetPageSink).
class StreamPrinter {
 public:
  using PageSink = std::function<void(PrintedPage&& printed)>;

  static constexpr std::size_t kMaxPendingBytes = 4u << 20;
  static constexpr std::size_t kMaxListedCommands = 100000;

  explicit StreamPrinter(int printWidth) : model_(printWidth) {}

  void Feed(std::span<const std::uint8_t> bytes);
  // The stream has ended (a connection closed): a command still waiting is
  // cut short, and the roll is printed.
  void EndStream();
  // The printer is switched off: also prints the page in page mode that no
  // ESC FF printed yet, if anything is drawn on it.
  void Shutdown();
  // Prints the roll when no more bytes came for a while.
  void Idle() { Collect(&PrinterModel::Finish); }

  // Hears every command after the model has run it, with the pages printed
  // so far (copies counted): the printer's answers to queries come from there.
  using Listener = std::function<void(std::span<const std::uint8_t> stream, const Command& command, int pagesPrinted)>;
  void SetListener(Listener listener) { listener_ = std::move(listener); }
  int PagesPrinted() const;

  std::vector<PrintedPage> TakePages();
  // Each page goes to `sink` the moment it is printed, so however many pages
  // one piece of bytes prints, none waits in memory and none is dropped.
  void SetPageSink(PageSink sink) { sink_ = std::move(sink); }
  // "print density 8", "!! unknown command 1B 99 at 00000012", in order.
  std::vector<std::string> TakeMessages();

 private:
  void Decode(bool endOfStream);
  void Run(std::span<const std::uint8_t> stream, const Command& command);
  void Collect(void (PrinterModel::*step)());
  void CollectPages();
  // The commands listed so far belong to the page just printed.
  void CloseList();

  Decoder decoder_;
  PrinterModel model_;
  std::vector<std::uint8_t> pending_;
  std::size_t offset_ = 0;  // stream offset of pending_[0]
  std::vector<std::string> listed_;
  std::vector<std::vector<std::string>> pageLists_;  // of the pages waiting in the model
  std::vector<std::size_t> pageProblems_;            // of the same pages
  std::size_t problems_ = 0;                         // since the last page
  std::vector<PrintedPage> pages_;
  PageSink sink_;
  std::vector<std::string> messages_;
  Listener listener_;
  int pagesTaken_ = 0;  // copies counted, of the pages that left the model
};

}  // namespace kestrel::emu

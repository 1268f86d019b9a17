#include <cstdio>

#include "emulator/CommandForms.h"
#include "emulator/PrinterModel.h"

// The account of each page: what drew on it, what was read without effect,
// what reached past its edges.
namespace kestrel::emu {
namespace {

// Beyond this, a page's lists say only how many more there were.
constexpr std::size_t kMaxAccountLines = 50;

void AddOnce(std::vector<std::string>& list, const std::string& line) {
  if (list.size() > kMaxAccountLines) return;
  for (const std::string& present : list)
    if (present == line) return;
  list.push_back(list.size() == kMaxAccountLines ? "and more" : line);
}

}  // namespace

std::vector<std::string> PageAccount::Lines() const {
  std::vector<std::string> lines;
  std::string line = "drawn:";
  for (std::size_t i = 0; i < drawn.size(); ++i) line += (i == 0 ? " " : ", ") + drawn[i];
  lines.push_back(drawn.empty() ? "drawn: nothing" : line);
  for (const std::string& entry : ignored) lines.push_back("without effect: " + entry);
  if (!clipped.empty()) {
    line = "clipped:";
    for (std::size_t i = 0; i < clipped.size(); ++i) line += (i == 0 ? " " : ", ") + clipped[i];
    lines.push_back(line);
  }
  return lines;
}

void PrinterModel::Account(const Command& command, bool drew) {
  NoteClipped();
  if (drew) {
    ++drawnCounts_[command.name];
    return;
  }
  if (command.form != nullptr && command.form->ignored != nullptr)
    Ignore(std::string(command.name) + " (" + command.form->ignored + ")");
}

void PrinterModel::Ignore(const std::string& entry) { AddOnce(account_.ignored, entry); }

// A fill past the edge of the page or the roll is put down to the command
// being run: the drawing command, or the line feed that prints a line.
void PrinterModel::NoteClipped() {
  const bool pageClipped = page_.TakeClipped();
  const bool rollClipped = roll_.TakeClipped();
  if ((!pageClipped && !rollClipped) || running_ == nullptr) return;
  char offset[24];
  std::snprintf(offset, sizeof offset, " at %08zX", running_->offset);
  Clip(running_->name + std::string(offset));
}

void PrinterModel::Clip(const std::string& entry) { AddOnce(account_.clipped, entry); }

}  // namespace kestrel::emu

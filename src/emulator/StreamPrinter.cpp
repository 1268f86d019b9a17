#include "emulator/StreamPrinter.h"

#include <cstdio>

#include "emulator/CommandWords.h"
#include "emulator/Decoder.h"

namespace kestrel::emu {
namespace {

std::string Hex8(std::size_t offset) {
  char text[24];
  std::snprintf(text, sizeof text, "%08zX", offset);
  return text;
}

}  // namespace

void StreamPrinter::Feed(std::span<const std::uint8_t> bytes) {
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  Decode(false);
}

void StreamPrinter::EndStream() {
  Decode(true);
  Collect(&PrinterModel::Finish);
}

void StreamPrinter::Shutdown() {
  EndStream();
  Collect(&PrinterModel::PrintUnfinishedPage);
}

// Runs every whole command; a command cut short waits for more bytes unless
// the stream has ended or it is longer than the bound.
void StreamPrinter::Decode(bool endOfStream) {
  std::size_t at = 0;
  while (at < pending_.size()) {
    Command command = decoder_.Next(pending_, at);
    if (command.op == Op::CutShort && !endOfStream) {
      if (pending_.size() - at <= kMaxPendingBytes) break;
      command.op = Op::Unknown;  // given up: decoding goes on at the next byte
      command.name = "too long";
      command.length = 1;
    }
    Run(pending_, command);
    at += command.length;
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(at));
  offset_ += at;
  CollectPages();
}

void StreamPrinter::Run(std::span<const std::uint8_t> stream, const Command& command) {
  const bool listed = listed_.size() < kMaxListedCommands;
  if (listed || IsProblem(command.op)) {
    const std::string offset = Hex8(offset_ + command.offset);  // offsets count from the start of the stream
    if (IsProblem(command.op)) messages_.push_back("!! " + DescribeCommand(stream, command) + " at " + offset);
    if (listed) {
      listed_.push_back(DumpLine(stream, command));
      listed_.back().replace(0, 8, offset);
    }
  }
  if (IsProblem(command.op)) ++problems_;
  model_.Run(stream, command);
  if (listener_) listener_(stream, command, PagesPrinted());
  // The commands so far belong to the page this one printed, if it did.
  while (pageLists_.size() < model_.pages().size()) CloseList();
  if (sink_ && !model_.pages().empty()) CollectPages();
}

void StreamPrinter::CloseList() {
  pageLists_.push_back(std::move(listed_));
  listed_.clear();
  pageProblems_.push_back(problems_);
  problems_ = 0;
}

void StreamPrinter::Collect(void (PrinterModel::*step)()) {
  (model_.*step)();
  CollectPages();
}

// Without a sink, pages wait in the model, within its bound, until the end of
// each piece.
void StreamPrinter::CollectPages() {
  for (Note& setting : model_.TakeSettingLog()) messages_.push_back(std::move(setting.text));
  for (Note& note : model_.TakeNotes()) messages_.push_back(std::move(note.text));
  std::vector<Page> pages = model_.TakePages();
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i >= pageLists_.size()) CloseList();  // printed by Finish or PrintUnfinishedPage
    std::vector<std::string>& listed = pageLists_[i];
    for (const std::string& line : pages[i].account.Lines()) listed.push_back("-- " + line);
    PrintedPage printed{std::move(pages[i]), std::move(listed), pageProblems_[i]};
    if (sink_) {
      pagesTaken_ += printed.page.copies;
      sink_(std::move(printed));
    } else {
      pages_.push_back(std::move(printed));
    }
  }
  pageLists_.clear();
  pageProblems_.clear();
}

int StreamPrinter::PagesPrinted() const {
  int printed = pagesTaken_;
  for (const Page& page : model_.pages()) printed += page.copies;
  for (const PrintedPage& page : pages_) printed += page.page.copies;
  return printed;
}

std::vector<PrintedPage> StreamPrinter::TakePages() {
  for (const PrintedPage& page : pages_) pagesTaken_ += page.page.copies;
  std::vector<PrintedPage> pages;
  pages.swap(pages_);
  return pages;
}

std::vector<std::string> StreamPrinter::TakeMessages() {
  std::vector<std::string> messages;
  messages.swap(messages_);
  return messages;
}

}  // namespace kestrel::emu

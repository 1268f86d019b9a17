#include "emulator/StreamDump.h"

#include "emulator/CommandWords.h"
#include "emulator/Decoder.h"
#include "emulator/PrinterModel.h"

namespace kestrel::emu {
namespace {

// The pages printed so far, each with its account; they are let go at once,
// so that a long stream keeps no pictures.
void ListPages(PrinterModel& model, std::size_t& pageNumber, const std::function<void(const std::string&)>& out) {
  for (const Page& page : model.TakePages()) {
    out("-- page " + std::to_string(++pageNumber) + ": " + std::to_string(page.canvas.width()) + " x " +
        std::to_string(page.canvas.height()) + " dots" +
        (page.copies > 1 ? ", " + std::to_string(page.copies) + " copies" : ""));
    for (const std::string& line : page.account.Lines()) out("--   " + line);
  }
}

}  // namespace

bool DumpStream(std::span<const std::uint8_t> bytes, int printWidth,
                const std::function<void(const std::string&)>& out) {
  Decoder decoder;
  PrinterModel model(printWidth);
  bool problems = false;
  std::size_t pageNumber = 0;
  for (std::size_t offset = 0; offset < bytes.size();) {
    const Command command = decoder.Next(bytes, offset);
    problems = problems || IsProblem(command.op);
    out(DumpLine(bytes, command));
    model.Run(bytes, command);
    ListPages(model, pageNumber, out);
    model.TakeNotes();
    model.TakeSettingLog();
    offset += command.length;
  }
  model.Finish();
  ListPages(model, pageNumber, out);
  return problems;
}

}  // namespace kestrel::emu

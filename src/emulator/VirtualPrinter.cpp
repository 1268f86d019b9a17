#include "emulator/VirtualPrinter.h"

#include "emulator/Decoder.h"

namespace kestrel::emu {

Rendering RenderStream(std::span<const std::uint8_t> bytes, int printWidth, bool keepCommands, const PageSink& onPage) {
  Rendering rendering;
  PrinterModel model(printWidth);
  const auto handOver = [&] {
    if (onPage && !model.pages().empty())
      for (Page& page : model.TakePages()) onPage(std::move(page));
  };
  Decoder decoder;
  for (std::size_t offset = 0; offset < bytes.size();) {
    const Command command = decoder.Next(bytes, offset);
    if (IsProblem(command.op) && ++rendering.problems <= kMaxListedProblems)
      rendering.problemCommands.push_back(command);
    if (keepCommands) rendering.commands.push_back(command);
    model.Run(bytes, command);
    handOver();
    offset += command.length;
  }
  model.Finish();
  handOver();
  rendering.pages = model.TakePages();
  rendering.notes = model.notes();
  rendering.settingLog = model.settingLog();
  return rendering;
}

int PrintWidthOfJob(const std::string& jobName) {
  if (jobName.rfind("58x", 0) == 0) return kWidth58mm;
  if (jobName.rfind("60x", 0) == 0) return kWidth60mm;
  return kWidth80mm;
}

std::string NumberedPictureName(const std::string& path, std::size_t number) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.find_last_of("/\\");
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string stem = hasExtension ? path.substr(0, dot) : path;
  const std::string extension = hasExtension ? path.substr(dot) : ".png";
  return stem + "-" + std::to_string(number) + extension;
}

std::vector<std::string> PictureNames(const std::string& path, std::size_t pageCount) {
  if (pageCount == 1) return {path};
  std::vector<std::string> names;
  for (std::size_t i = 1; i <= pageCount; ++i) names.push_back(NumberedPictureName(path, i));
  return names;
}

}  // namespace kestrel::emu

#include "emulator/VirtualPrinter.h"

#include "emulator/Decoder.h"
#include "emulator/PngFile.h"

namespace kestrel::emu {

Rendering RenderStream(std::span<const std::uint8_t> bytes, int printWidth, bool keepCommands) {
  Rendering rendering;
  PrinterModel model(printWidth);
  Decoder decoder;
  for (std::size_t offset = 0; offset < bytes.size();) {
    const Command command = decoder.Next(bytes, offset);
    if (IsProblem(command.op) && ++rendering.problems <= kMaxListedProblems)
      rendering.problemCommands.push_back(command);
    if (keepCommands) rendering.commands.push_back(command);
    model.Run(bytes, command);
    offset += command.length;
  }
  model.Finish();
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

std::vector<std::string> PictureNames(const std::string& path, std::size_t pageCount) {
  if (pageCount == 1) return {path};
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.rfind('/');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string stem = hasExtension ? path.substr(0, dot) : path;
  const std::string extension = hasExtension ? path.substr(dot) : ".png";
  std::vector<std::string> names;
  for (std::size_t i = 1; i <= pageCount; ++i) names.push_back(stem + "-" + std::to_string(i) + extension);
  return names;
}

bool WritePictures(const std::string& path, const std::vector<Page>& pages, std::vector<std::string>* written,
                   std::string* error) {
  std::vector<const Canvas*> pictures;
  for (const Page& page : pages)
    for (int copy = 0; copy < page.copies; ++copy) pictures.push_back(&page.canvas);
  const std::vector<std::string> names = PictureNames(path, pictures.size());
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    if (!WritePng(names[i], *pictures[i], error)) return false;
    written->push_back(names[i]);
  }
  return true;
}

}  // namespace kestrel::emu

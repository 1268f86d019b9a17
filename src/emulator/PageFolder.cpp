#include "emulator/PageFolder.h"

#include <cstdio>

#include "emulator/PngFile.h"
#include "files/ReplaceFile.h"

namespace kestrel::emu {
namespace {

std::string Size(const Canvas& canvas) {
  return std::to_string(canvas.width()) + " x " + std::to_string(canvas.height()) + " dots";
}

std::string CommandText(const PrintedPage& printed, int copy) {
  if (copy > 1) return "copy " + std::to_string(copy) + " of the page before\n";
  std::string text;
  for (const std::string& line : printed.commands) text.append(line).append("\n");
  return text;
}

}  // namespace

void PageFolder::Write(const PrintedPage& printed, PageFolderReport* report) {
  const Canvas& canvas = printed.page.canvas;
  if (printed.problems > 0 && canvas.blank()) {
    report->log.push_back("blank page of bad bytes not written (" + Size(canvas) + ")");
    return;
  }
  const std::string png = budget_.reached() ? std::string() : EncodePng(canvas);
  if (png.empty() && !budget_.reached()) {
    report->problems.push_back("a page without dots (" + Size(canvas) + ") is not written");
    return;
  }
  for (int copy = 1; copy <= printed.page.copies; ++copy) {
    const std::string text = CommandText(printed, copy);
    if (!budget_.TakePage(png.size() + text.size())) {
      if (budget_.refused() == 1) {
        const std::string reached = budget_.LimitText() + " reached: no more pages are written";
        report->log.push_back(reached);
        report->problems.push_back(reached);
      }
      // Still listed, so the log shows that the printer goes on printing.
      report->log.push_back("page not written: " + Size(canvas));
      continue;
    }
    char name[32];
    std::snprintf(name, sizeof name, "/page-%04d", ++count_);
    const std::string stem = folder_ + name;
    for (const FileResult& written : {ReplaceFileContents(stem + ".png", png, Durability::Cached),
                                      ReplaceFileContents(stem + ".txt", text, Durability::Cached)})
      if (!written.ok()) report->problems.push_back(written.detail);
    report->log.push_back("page " + std::to_string(count_) + ": " + Size(canvas) + ", " + stem + ".png");
  }
}

std::vector<std::string> PageFolder::Summary() const {
  if (budget_.refused() == 0) return {};
  return {std::to_string(budget_.refused()) + " pages not written past " + budget_.LimitText()};
}

}  // namespace kestrel::emu

#include "emulator/PictureSeries.h"

#include "emulator/PngFile.h"
#include "emulator/VirtualPrinter.h"
#include "files/ReplaceFile.h"

namespace kestrel::emu {

PictureSeries::PictureSeries(std::string target, OutputLimits limits, Reporter report, StdoutWriter toStdout)
    : target_(std::move(target)), budget_(limits), report_(std::move(report)), toStdout_(std::move(toStdout)) {}

FileResult PictureSeries::CheckTarget() const {
  return target_ == "-" ? FileResult::Done() : CheckReplaceable(target_);
}

void PictureSeries::Add(const Canvas& page, int copies) {
  if (failure_) return;
  if (budget_.reached()) {
    for (int copy = 0; copy < copies; ++copy) budget_.TakePage(0);
    return;
  }
  const std::string png = EncodePng(page);
  if (png.empty()) {
    failure_ = target_ + ": page " + std::to_string(count_ + 1) + " has no dots";
    return;
  }
  for (int copy = 0; copy < copies && !failure_; ++copy) {
    if (!budget_.TakePage(png.size())) continue;
    ++count_;
    if (count_ == 1 && target_ != "-") {
      firstPng_ = png;
      firstWidth_ = page.width();
      firstHeight_ = page.height();
      continue;
    }
    if (count_ == 2 && target_ != "-") {
      Write(1, firstPng_, firstWidth_, firstHeight_);
      firstPng_.clear();
    }
    Write(count_, png, page.width(), page.height());
  }
}

void PictureSeries::Finish() {
  if (count_ == 1 && !firstPng_.empty()) Write(1, firstPng_, firstWidth_, firstHeight_);
  firstPng_.clear();
}

void PictureSeries::Write(std::size_t number, const std::string& png, int width, int height) {
  if (failure_) return;
  std::string name = "-";
  if (target_ == "-") {
    toStdout_(png);
  } else {
    name = count_ == 1 ? target_ : NumberedPictureName(target_, number);
    const FileResult written = ReplaceFileContents(name, png, Durability::Cached);
    if (!written.ok()) {
      failure_ = written.detail;
      return;
    }
  }
  report_({number, width, height, name});
}

}  // namespace kestrel::emu

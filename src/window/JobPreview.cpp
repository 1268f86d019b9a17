#include "window/JobPreview.h"

#include <algorithm>

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "files/ReplaceFile.h"
#include "language/TranslationMap.h"
#include "window/DialogControls.h"
#include "window/JobButtons.h"
#include "window/MainWindowController.h"

namespace kestrel {

namespace {

struct TextPair {
  const char* chinese;
  const char* english;
};

// In the order of PreviewText.
constexpr TextPair kTexts[] = {
    {"预览", "Preview"},
    {"适合窗口", "Fit to window"},
    {"保存图片...", "Save PNG..."},
    {"保存数据...", "Save bytes..."},
    {"关闭", "Close"},
    {"保存图片", "Save PNG"},
    {"保存数据", "Save bytes"},
    {"无法保存：", "Could not save: "},
    {"正在向打印机发送作业，发送完成后再预览。", "A job is going out to the printer: preview again once it has gone."},
};

std::string ReplaceNumber(std::string text, const std::string& mark, std::size_t number) {
  const std::size_t at = text.find(mark);
  if (at != std::string::npos) text.replace(at, mark.size(), std::to_string(number));
  return text;
}

}  // namespace

std::vector<PreviewJob> PreviewJobs(const DialogControls& controls) {
  std::vector<PreviewJob> jobs;
  for (const JobButton& button : JobButtons()) {
    const auto same = [&button](const PreviewJob& job) { return job.name == button.job; };
    if (std::any_of(jobs.begin(), jobs.end(), same)) continue;
    std::string caption = controls.Text(button.id).value_or("");
    std::erase(caption, '&');
    jobs.push_back({button.job, caption.empty() ? std::string(button.job) : caption});
  }
  return jobs;
}

std::optional<std::vector<std::uint8_t>> ComposePreview(const MainWindowController& controller,
                                                        const std::string& job) {
  const NamedJob* named = FindJob(job);
  if (named == nullptr || controller.Sending()) return std::nullopt;
  BeginJob();
  named->compose(controller.CurrentJobContext());
  const auto composed = ComposedBytes();
  return std::vector<std::uint8_t>(composed.begin(), composed.end());
}

std::string PreviewCaption(PreviewText text) {
  const TextPair& pair = kTexts[static_cast<std::size_t>(text)];
  return InterfaceIsChinese() ? pair.chinese : pair.english;
}

std::vector<std::string> PreviewPageEntries(std::size_t pageCount) {
  if (pageCount == 0) return {InterfaceIsChinese() ? "没有打印页" : "No page printed"};
  const std::string pattern = InterfaceIsChinese() ? "第 %1 页，共 %2 页" : "Page %1 of %2";
  std::vector<std::string> entries;
  entries.reserve(pageCount);
  for (std::size_t page = 1; page <= pageCount; ++page)
    entries.push_back(ReplaceNumber(ReplaceNumber(pattern, "%1", page), "%2", pageCount));
  return entries;
}

FileResult SavePreviewBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::string_view contents(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return ReplaceFileContents(path, contents, Durability::Cached);
}

}  // namespace kestrel

#include "cli/WriteMonitor.h"

#include <cinttypes>
#include <cstdio>

#include "cli/ProcessIo.h"
#include "link/PrinterLink.h"

namespace kestrel::cli {
namespace {

using Clock = std::chrono::steady_clock;

// Progress appears once a write has taken this long, and is redrawn this often.
constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRedraw = std::chrono::milliseconds(200);
constexpr auto kPoll = std::chrono::milliseconds(20);

std::string Rate(double bytesPerSecond) {
  char text[32];
  if (bytesPerSecond >= 1e6)
    std::snprintf(text, sizeof text, "%.1f MB/s", bytesPerSecond / 1e6);
  else if (bytesPerSecond >= 1e3)
    std::snprintf(text, sizeof text, "%.1f kB/s", bytesPerSecond / 1e3);
  else
    std::snprintf(text, sizeof text, "%.0f B/s", bytesPerSecond);
  return text;
}

std::string Duration(double seconds) {
  const auto whole = static_cast<std::int64_t>(seconds + 0.5);
  char text[32];
  if (whole >= 3600)
    std::snprintf(text, sizeof text, "%" PRId64 ":%02d:%02d", whole / 3600, static_cast<int>(whole / 60 % 60),
                  static_cast<int>(whole % 60));
  else
    std::snprintf(text, sizeof text, "%d:%02d", static_cast<int>(whole / 60), static_cast<int>(whole % 60));
  return text;
}

}  // namespace

std::string ProgressText(std::int64_t sent, std::int64_t total, double seconds, std::int32_t copy,
                         std::int32_t copies) {
  const double rate = seconds > 0 ? static_cast<double>(sent) / seconds : 0;
  const int percent = total > 0 ? static_cast<int>(sent * 100 / total) : 100;
  std::string text = copies > 1 ? "copy " + std::to_string(copy) + " of " + std::to_string(copies) + ": " : "";
  text += std::to_string(sent) + " of " + std::to_string(total) + " bytes (" + std::to_string(percent) + "%), " +
          Rate(rate) + ", " + (rate > 0 ? Duration(static_cast<double>(total - sent) / rate) : "-:--") + " left";
  return text;
}

WriteMonitor::WriteMonitor(const char* command, PrinterLink& link, std::int64_t copyBytes, std::int32_t copies,
                           bool show)
    : command_(command), link_(link), copyBytes_(copyBytes), copies_(copies), show_(show) {
  CatchInterrupts();
  watcher_ = std::thread([this] { Watch(); });
}

WriteMonitor::~WriteMonitor() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  wake_.notify_all();
  if (watcher_.joinable()) watcher_.join();
}

void WriteMonitor::StartCopy(std::int32_t copy) { copy_ = copy; }

void WriteMonitor::EndCopy(bool written) {
  if (written) ++copiesDone_;
}

bool WriteMonitor::StopRequested() const { return Interrupted(); }

void WriteMonitor::Watch() {
  bool told = false;
  Clock::time_point lastDraw;
  std::unique_lock lock(mutex_);
  while (!wake_.wait_for(lock, kPoll, [this] { return ending_; })) {
    const PrinterLink::WriteProgress progress = link_.Progress();
    if (Interruptions() >= 2 && partialBytes_ == 0 && progress.total > 0) {
      partialBytes_ = progress.sent;
      link_.AbandonWrites();
    }
    if (Interrupted() && !told && copies_ > 0) {
      told = true;
      DrawLine("");
      std::fprintf(stderr, "kestrel-cli: %s: stopping after copy %d of %d; Ctrl+C again stops at once\n", command_,
                   copy_.load(), copies_);
    }
    const Clock::time_point now = Clock::now();
    if (!show_ || now - start_ < kQuietStart || now - lastDraw < kRedraw || progress.total == 0) continue;
    lastDraw = now;
    const std::int64_t before = copiesDone_ * copyBytes_;
    DrawLine(ProgressText(before + progress.sent, copyBytes_ * copies_,
                          std::chrono::duration<double>(now - start_).count(), copy_, copies_));
  }
  DrawLine("");
}

// Overwrites the line drawn before; an empty text clears it.
void WriteMonitor::DrawLine(const std::string& text) {
  if (lineWidth_ == 0 && text.empty()) return;
  std::string line = "\r" + text;
  if (text.size() < lineWidth_) line += std::string(lineWidth_ - text.size(), ' ') + "\r" + text;
  lineWidth_ = text.size();
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

bool WriteMonitor::ReportInterruption() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  wake_.notify_all();
  if (watcher_.joinable()) watcher_.join();
  if (!Interrupted()) return false;
  const std::int64_t bytes = copiesDone_ * copyBytes_ + partialBytes_;
  std::fprintf(stderr, "kestrel-cli: %s: interrupted: %d of %d copies (%" PRId64 " of %" PRId64 " bytes) went out\n",
               command_, copiesDone_.load(), copies_, bytes, copyBytes_ * copies_);
  return true;
}

}  // namespace kestrel::cli

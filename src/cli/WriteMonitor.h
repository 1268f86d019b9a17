#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace kestrel {
class PrinterLink;
}

namespace kestrel::cli {

// The progress line of a write: "49152 of 245760 bytes (20%), 9.6 kB/s, 0:20
// left", led by "copy 3 of 50: " when there are several copies. A rate of 0
// leaves the time open.
std::string ProgressText(std::int64_t sent, std::int64_t total, double seconds, std::int32_t copy, std::int32_t copies);

// Watches the copies a command writes, one after the other: once the writing
// has taken more than a second, a progress line on stderr, redrawn in place
// (only when `show`: stderr is a terminal and --quiet is not given); and the
// operator's Ctrl+C: the first lets the copy in progress go out whole, so the
// printer is never left inside a job, the second ends the write at once.
class WriteMonitor {
 public:
  WriteMonitor(const char* command, PrinterLink& link, std::int64_t copyBytes, std::int32_t copies, bool show);
  ~WriteMonitor();
  WriteMonitor(const WriteMonitor&) = delete;
  WriteMonitor& operator=(const WriteMonitor&) = delete;

  // Around each copy's write, numbered from 1.
  void StartCopy(std::int32_t copy);
  void EndCopy(bool written);
  // True once Ctrl+C asked to stop: no further copy is to start.
  bool StopRequested() const;

  // Ends the watching. When Ctrl+C stopped the run, says how many copies and
  // bytes went out and returns true.
  bool ReportInterruption();

 private:
  void Watch();
  void DrawLine(const std::string& text);

  const char* command_;
  PrinterLink& link_;
  const std::int64_t copyBytes_;
  const std::int32_t copies_;
  const bool show_;
  const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();

  std::atomic<std::int32_t> copy_ = 0;
  std::atomic<std::int32_t> copiesDone_ = 0;
  std::atomic<std::int64_t> partialBytes_ = 0;  // of a copy cut short by a second Ctrl+C
  std::size_t lineWidth_ = 0;

  std::mutex mutex_;
  std::condition_variable wake_;
  bool ending_ = false;
  std::thread watcher_;
};

}  // namespace kestrel::cli

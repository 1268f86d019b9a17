#pragma once

#include <atomic>
#include <cstdint>

#include "operations/AgingTest.h"
#include "window/WindowHost.h"

namespace kestrel {

// The aging test of the main window (start 1076, stop 1077, reset 1079, the
// count display 1078) and its window timer. Holds AgingRunning, which the
// link also asks from a console worker, and SendCount.
class AgingPanel : private AgingHost {
 public:
  explicit AgingPanel(WindowHost& window) : window_(window) {}

  void Start();
  void Stop() { StopAging(); }
  void ResetCount();
  // One expiry of the timer.
  void Tick();

  bool Running() const { return running_.load(); }
  std::uint32_t SendCount() const { return sendCount_; }

 private:
  void StopAging() override;
  void CountSuccessfulSend() override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void ShowSendCount();

  WindowHost& window_;
  std::atomic<bool> running_ = false;
  std::uint32_t sendCount_ = 0;
  bool ticking_ = false;
};

}  // namespace kestrel

#pragma once

#include <atomic>
#include <cstdint>

#include "operations/AgingTest.h"
#include "window/WindowHost.h"

namespace kestrel {

class MainWindowController;

// The aging test of the main window (start, stop, reset and the count
// display) and its window timer. Works on the controller's AgingRunning,
// which the link also asks from a console worker, and its SendCount.
class AgingPanel : private AgingHost {
 public:
  AgingPanel(MainWindowController& controller, WindowHost& window, std::atomic<bool>& running, std::uint32_t& sendCount)
      : controller_(controller), window_(window), running_(running), sendCount_(sendCount) {}

  void Start();
  void Stop() { StopAging(); }
  void ResetCount();
  // One expiry of the timer.
  void Tick();

 private:
  void SendLabel(const NamedJob& job);
  void StopAging() override;
  void CountSuccessfulSend() override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void ShowSendCount();

  MainWindowController& controller_;
  WindowHost& window_;
  std::atomic<bool>& running_;
  std::uint32_t& sendCount_;
  bool ticking_ = false;
  bool tickDue_ = false;  // the timer expired while a write was going out
};

}  // namespace kestrel

#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "window/FakeDialogControls.h"
#include "window/WindowHost.h"

namespace kestrel::test {

// Stands in for a toolkit's main window: the main window's controls filled
// with their start-up contents, a record of the messages, timers and titles,
// and a window's thread that is the test's own. What other threads post or
// wait on runs when the test handles the window's events (HandleEventsUntil),
// as a window's message loop would run it.
class FakeWindowHost : public WindowHost {
 public:
  struct Message {
    std::string text;
    std::string caption;
  };

  // The start-up contents with `ports` in the port-type list ("USB" first),
  // the baud-rate list disabled.
  explicit FakeWindowHost(const std::vector<std::string>& ports);

  DialogControls& Controls() override { return controls; }
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void EnableAllControls(bool enabled) override;
  void StartAgingTimer(std::int32_t intervalMs) override { agingTimer = intervalMs; }
  void StopAgingTimer() override { agingTimer.reset(); }
  void ShowSending(bool sending) override { sendingShown.push_back(sending); }
  void OpenCustomLabelEditor() override { ++editorsOpened; }
  void Post(std::function<void()> call) override;
  void CallOnWindowThread(const std::function<void()>& call) override;
  void ServeWindowThreadCalls() override;

  // Runs what other threads posted or wait on until `done` holds or `limit`
  // has passed; returns `done()`.
  bool HandleEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5));
  bool EveryControlEnabled() const;

  FakeDialogControls controls;
  std::vector<Message> messages;
  std::optional<std::int32_t> agingTimer;  // the running timer's interval
  std::vector<bool> sendingShown;
  int editorsOpened = 0;
  // Called with each message box, as the operator answers it.
  std::function<void(const Message&)> onMessage;

 private:
  // Runs one waiting or posted call, if any; false when none was there.
  bool RunOneCall();

  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<std::function<void()>> posted_;
  struct Waiting {
    const std::function<void()>* call;
    bool done = false;
  };
  std::deque<Waiting*> waiting_;
  std::condition_variable served_;
};

}  // namespace kestrel::test

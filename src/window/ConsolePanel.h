#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "operations/ConsoleSend.h"
#include "window/WindowHost.h"

namespace kestrel {

// The standard-mode console of the main window: send (1035), standard mode
// (1036), HEX (1037), clear (1038), the text box (1039), the send count
// (1034), and the repeat-send workers. StopWorkers(), which the destructor
// also runs, ends and joins them; call it before the window's controls go.
class ConsolePanel {
 public:
  explicit ConsolePanel(WindowHost& window) : window_(window) {}
  ~ConsolePanel() { StopWorkers(); }
  ConsolePanel(const ConsolePanel&) = delete;
  ConsolePanel& operator=(const ConsolePanel&) = delete;

  // `agingRunning` is the aging flag the standard-mode job composes with.
  void Send();
  void SendStandardMode(bool agingRunning);
  void Clear();
  void HexClicked(bool checked);
  void StopWorkers();

 private:
  // What a send reads from the controls, taken on the window's thread.
  struct ConsoleInput {
    bool hexMode = false;
    std::string content;  // UTF-8, lines ending in CR LF
    std::string countText;
  };
  struct Worker {
    std::thread thread;
    std::atomic<bool> done = false;
  };

  ConsoleInput ReadInput() const;
  void ShowConsoleError(ConsoleError error);
  void StartWorker();
  void RepeatSendWorker();
  void JoinFinishedWorkers();
  // Runs `call` on the window's thread and waits; false, without running it,
  // once the workers are being stopped.
  bool OnWindowThread(const std::function<void()>& call);

  WindowHost& window_;
  std::atomic<bool> stopping_ = false;
  std::vector<std::unique_ptr<Worker>> workers_;  // touched on the window's thread only
};

}  // namespace kestrel

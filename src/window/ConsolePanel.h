#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "operations/ConsoleSend.h"
#include "window/WindowHost.h"

namespace kestrel {

class MainWindowController;

// The standard-mode console of the main window: send, standard mode, HEX,
// clear, the text box, the send count, and the repeat-send workers.
// StopWorkers(), which the destructor also runs, ends and joins them; call it
// before the window's controls go.
class ConsolePanel {
 public:
  ConsolePanel(MainWindowController& controller, WindowHost& window) : controller_(controller), window_(window) {}
  ~ConsolePanel() { StopWorkers(); }
  ConsolePanel(const ConsolePanel&) = delete;
  ConsolePanel& operator=(const ConsolePanel&) = delete;

  void Send();
  void SendStandardMode();
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

  MainWindowController& controller_;
  WindowHost& window_;
  std::atomic<bool> stopping_ = false;
  std::vector<std::unique_ptr<Worker>> workers_;  // touched on the window's thread only
};

}  // namespace kestrel

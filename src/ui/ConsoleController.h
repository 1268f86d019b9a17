#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "operations/ConsoleSend.h"

namespace kestrel {

class CKestrelDlg;

// The standard-mode console of the main window: send, standard mode, clear,
// HEX, and the repeat-send workers. Connects its own controls (1035, 1036,
// 1037, 1038) in its constructor; the destructor stops and joins the workers.
class ConsoleController : public QObject {
  Q_OBJECT

 public:
  explicit ConsoleController(CKestrelDlg& dialog);
  ~ConsoleController() override;
  ConsoleController(const ConsoleController&) = delete;
  ConsoleController& operator=(const ConsoleController&) = delete;

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

  void Send();
  void SendStandardMode();
  void Clear();
  void HexClicked(bool checked);

  ConsoleInput ReadInput() const;
  std::string ContentText() const;
  void SetContentText(const std::string& text);
  void ShowConsoleError(ConsoleError error);

  void StartWorker();
  void RepeatSendWorker();
  void JoinFinishedWorkers();
  // Runs `call` on the window's thread and waits for it. Returns false, without
  // running it, once the window is closing.
  template <typename Call>
  bool OnWindowThread(Call&& call);

  CKestrelDlg& dialog_;
  std::atomic<bool> stopping_ = false;
  std::vector<std::unique_ptr<Worker>> workers_;  // touched on the window's thread only
};

}  // namespace kestrel

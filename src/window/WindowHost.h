#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "window/DialogControls.h"

namespace kestrel {

// What the main window's controller needs from the window itself, whatever
// the toolkit draws it with: its controls, message boxes, timers and the
// window's thread. Called on the window's thread, except Post and
// CallOnWindowThread.
class WindowHost {
 public:
  virtual ~WindowHost() = default;

  virtual DialogControls& Controls() = 0;
  // An OK-only message box without icon, owned by the main window.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
  // Every child control, visible or not; windows the main window owns
  // (message boxes) are not controls.
  virtual void EnableAllControls(bool enabled) = 0;
  // Window timer 1 of the aging test; each expiry calls
  // MainWindowController::OnAgingTimer.
  virtual void StartAgingTimer(std::int32_t intervalMs) = 0;
  virtual void StopAgingTimer() = 0;
  // A job's write has started (true) or its result has been applied (false).
  // Meanwhile the window shows a busy cursor and, refreshed a few times a
  // second, MainWindowController::ProgressTitle as its title.
  virtual void ShowSending(bool sending) = 0;
  // The custom label editor, modal over the main window.
  virtual void OpenCustomLabelEditor() = 0;
  // From any thread: hands `call` to the window's thread, to run there once
  // the event in hand has been handled.
  virtual void Post(std::function<void()> call) = 0;
  // From another thread: runs `call` on the window's thread and waits for it.
  virtual void CallOnWindowThread(const std::function<void()>& call) = 0;
  // On the window's thread: runs the calls other threads are waiting on.
  virtual void ServeWindowThreadCalls() = 0;
};

}  // namespace kestrel

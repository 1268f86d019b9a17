#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "link/PrinterLink.h"
#include "window/DialogControls.h"

namespace kestrel {

// What the main window's operations need from the window itself, whatever
// the toolkit draws it with. Called on the window's thread, except
// CallOnWindowThread.
class WindowHost {
 public:
  virtual ~WindowHost() = default;

  virtual DialogControls& Controls() = 0;
  virtual PrinterLink& Link() = 0;
  // An OK-only message box without icon, owned by the main window.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
  // Every child control, visible or not; windows the main window owns
  // (message boxes) are not controls.
  virtual void EnableAllControls(bool enabled) = 0;
  virtual void EnableControl(int id, bool enabled) = 0;
  // Window timer 1 of the aging test; each expiry calls AgingPanel::Tick.
  virtual void StartAgingTimer(std::int32_t intervalMs) = 0;
  virtual void StopAgingTimer() = 0;
  // True from the start of a job's write until its result has been applied.
  // Meanwhile the window answers, shows that a job is going out, and refuses
  // everything that would use the link.
  virtual bool Sending() const = 0;
  // Runs `write` off the window's thread; `done`, if any, gets its answer on
  // the window's thread once it has ended. False, with nothing started, while
  // another job goes out.
  virtual bool SendOffThread(std::function<bool()> write, std::function<void(bool)> done) = 0;
  // From another thread: runs `call` on the window's thread and waits for it.
  virtual void CallOnWindowThread(const std::function<void()>& call) = 0;
  // On the window's thread: runs the calls other threads are waiting on.
  virtual void ServeWindowThreadCalls() = 0;
};

}  // namespace kestrel

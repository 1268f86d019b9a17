#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "commands/JobSettings.h"
#include "link/JobSender.h"
#include "link/LinkHost.h"
#include "link/PrinterLink.h"
#include "window/WindowHost.h"

namespace kestrel {

class AgingPanel;
class ConsolePanel;

// What the main window does, whatever toolkit draws it: it owns the link, the
// job sender and the aging and console panels, and the window hands it every
// control event in one call each, by control id. It composes nothing itself
// and touches the controls only through the window's DialogControls. Every
// call comes on the window's thread.
class MainWindowController : private LinkHost {
 public:
  // `discovery` lists the ports for the link; it and `window` outlive the
  // controller.
  MainWindowController(WindowHost& window, const PortDiscovery& discovery);
  ~MainWindowController() override;
  MainWindowController(const MainWindowController&) = delete;
  MainWindowController& operator=(const MainWindowController&) = delete;

  // At the window's start, before its title and captions are set: the
  // interface language, the title, and the aging flag and count reset.
  void Start();

  // A button or check box clicked (after a check box changed its state).
  void OnClicked(int id);
  // The operator picked item `index` of a drop-down list.
  void OnSelection(int id, int index);
  // The text of an edit changed, by the operator or by the program; for the
  // port-type list, the operator typed into it.
  void OnTextChanged(int id, const std::string& text);
  // An expiry of the aging timer.
  void OnAgingTimer();

  // The window's title: "Kestrel - " and the version text, and while a job
  // goes out " - 发送中 42%" ("Sending") with the share that has left.
  std::string ProgressTitle() const;

  // The window is closing: no new copy or job starts, the one going out is
  // let out whole (each write ends within its time limit) so the printer is
  // never left inside half a page, and every worker has ended on return.
  // Called once more by the destructor; later calls do nothing.
  void Shutdown();

  PrinterLink& Link() { return link_; }
  bool AgingRunning() const override { return agingRunning_.load(); }
  // True from the start of a job's write until its result has been applied.
  // Meanwhile everything that would use the link is refused.
  bool Sending() const { return sender_.Busy(); }
  // Runs `write` off the window's thread; `done`, if any, gets its answer on
  // the window's thread once it has ended. False, with nothing started,
  // while another job goes out or once the window is closing.
  bool SendOffThread(std::function<bool()> write, std::function<void(bool)> done);

  // The context a job reads now from the controls, JobSettings, the aging
  // flag and the clock.
  JobContext CurrentJobContext() const;
  // The job pattern for a named job, its write going out off the window's
  // thread; false when the printer could not be reached, when no job has
  // that name, or while another job goes out (then nothing is done).
  bool RunNamedJob(const std::string& name);

  // Sends counted by the aging test since the last reset.
  std::uint32_t SendCount = 0;

 private:
  // LinkHost, over the port and baud-rate lists and the Connect button.
  int PortSelection() const override;
  std::string PortText() const override;
  std::string BaudText() const override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void SetConnectCaption(const std::string& caption) override;
  void EnablePortList(bool enabled) override;
  void EnableBaudList(bool enabled) override;

  // What a typed port stands for in JobSettings.PortKind: 0 for "USB",
  // else a port that is in no list row.
  static int TypedPortKind(const std::string& text);

  bool PressJobButton(int id);
  bool PressPanelButton(int id);

  WindowHost& window_;
  std::atomic<bool> agingRunning_ = false;
  PrinterLink link_;
  JobSender sender_;
  std::unique_ptr<AgingPanel> aging_;
  std::unique_ptr<ConsolePanel> console_;
  std::string idleTitle_;
  // The operator typed the port rather than picking a row of the list, so
  // the list's selection says nothing about it.
  bool portTyped_ = false;
  bool closing_ = false;
};

}  // namespace kestrel

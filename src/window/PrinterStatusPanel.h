#pragma once

#include <memory>

#include "window/DialogControls.h"
#include "window/PrinterReport.h"

namespace kestrel {

class MainWindowController;

// The "Printer status..." dialog's logic for both windows. Refresh (and the
// dialog's opening) asks the printer on the port the main window shows: the
// port is opened as for a job, the questions and answers go off the window's
// thread, and the report fills the dialog's text when they have ended.
class PrinterStatusPanel {
 public:
  // Both outlive the panel.
  PrinterStatusPanel(MainWindowController& controller, DialogControls& controls);
  // An answer that arrives after the dialog has closed is dropped.
  ~PrinterStatusPanel();
  PrinterStatusPanel(const PrinterStatusPanel&) = delete;
  PrinterStatusPanel& operator=(const PrinterStatusPanel&) = delete;

  // The dialog's texts in the interface language, then the first question.
  void Open();
  void Refresh();
  // True while the printer is being asked.
  bool Asking() const { return asking_; }

 private:
  void Show(const std::string& text);

  MainWindowController& controller_;
  DialogControls& controls_;
  bool asking_ = false;
  std::shared_ptr<PrinterStatusPanel*> self_ = std::make_shared<PrinterStatusPanel*>(this);
};

}  // namespace kestrel

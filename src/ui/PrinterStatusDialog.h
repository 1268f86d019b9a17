#pragma once

#include <QDialog>
#include <memory>

#include "ui/DialogBuilder.h"
#include "ui/QtDialogControls.h"
#include "window/PrinterStatusPanel.h"

namespace kestrel {

class MainWindowController;

// "打印机状态..." / "Printer status...": the status and the identity of the
// printer on the main window's port (template 140), asked again with Refresh.
// The window keeps answering while the printer is asked.
class PrinterStatusDialog : public QDialog {
  Q_OBJECT

 public:
  PrinterStatusDialog(QWidget* parent, MainWindowController& controller);

  // The report as it is shown.
  QString ReportText() const;

 private:
  DialogBuilder builder_;
  QtDialogControls controls_{builder_};
  PrinterStatusPanel panel_;
};

}  // namespace kestrel

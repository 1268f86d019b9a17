#pragma once

#include <QObject>

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

 private:
  CKestrelDlg& dialog_;
};

}  // namespace kestrel

#pragma once

#include <QObject>

namespace kestrel {

class CKestrelDlg;

// The aging test of the main window: start, stop, reset and the timer.
// Connects its own buttons (1076, 1077, 1079) in its constructor.
class AgingController : public QObject {
  Q_OBJECT

 public:
  explicit AgingController(CKestrelDlg& dialog);
  ~AgingController() override;

 private:
  CKestrelDlg& dialog_;
};

}  // namespace kestrel

#include <QTimer>

#include "ui/CKestrelDlg.h"

namespace kestrel {

namespace {

constexpr int kProgressIntervalMs = 100;

}  // namespace

void CKestrelDlg::ShowSending(bool sending) {
  if (sending) {
    setCursor(Qt::BusyCursor);
    progressTimer_->start(kProgressIntervalMs);
  } else {
    progressTimer_->stop();
    unsetCursor();
  }
  setWindowTitle(QString::fromStdString(controller_->ProgressTitle()));
}

}  // namespace kestrel

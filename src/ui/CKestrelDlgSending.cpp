#include <QTimer>

#include "language/TranslationMap.h"
#include "ui/CKestrelDlg.h"

namespace kestrel {

namespace {

constexpr int kProgressIntervalMs = 100;

}  // namespace

bool CKestrelDlg::Sending() const { return sender_->Busy(); }

bool CKestrelDlg::SendOffThread(std::function<bool()> write, std::function<void(bool)> done) {
  const bool started = sender_->Start(std::move(write), [this, done = std::move(done)](bool written) {
    EndSendProgress();
    if (done) done(written);
  });
  if (!started) return false;
  setCursor(Qt::BusyCursor);
  ShowSendProgress();
  progressTimer_->start(kProgressIntervalMs);
  return true;
}

// "Kestrel - 1.0.0.16 - 发送中 42%": the share of the job that has left.
void CKestrelDlg::ShowSendProgress() {
  const PrinterLink::WriteProgress progress = link_->Progress();
  const auto percent = progress.total > 0 ? progress.sent * 100 / progress.total : 0;
  const QString sending = InterfaceIsChinese() ? QStringLiteral("发送中") : QStringLiteral("Sending");
  setWindowTitle(QStringLiteral("%1 - %2 %3%").arg(idleTitle_, sending).arg(percent));
}

void CKestrelDlg::EndSendProgress() {
  progressTimer_->stop();
  unsetCursor();
  setWindowTitle(idleTitle_);
}

}  // namespace kestrel

#pragma once

#include <QObject>
#include <QTimer>

#include "operations/AgingTest.h"

namespace kestrel {

class CKestrelDlg;

// The aging test of the main window: start, stop, reset and the timer.
// Connects its own buttons (1076, 1077, 1079) in its constructor. The timer
// stands for the window timer with identifier 1; it is a child of the window
// named "AgingTimer", so that it can be found from outside.
class AgingController : public QObject, private AgingHost {
  Q_OBJECT

 public:
  explicit AgingController(CKestrelDlg& dialog);
  ~AgingController() override;

  void StartAging();
  void StopAging() override;
  void ResetSendCount();
  void AgingTick();
  void ShowSendCount();

 private:
  void SendLabel(const NamedJob& job);
  void CountSuccessfulSend() override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  // Every child control of the window, visible or not; windows owned by it
  // (message boxes) are not controls.
  void EnableAllControls(bool enabled);

  CKestrelDlg& dialog_;
  QTimer* timer_ = nullptr;
  bool ticking_ = false;
  bool tickDue_ = false;  // the timer expired while a write was going out
};

}  // namespace kestrel

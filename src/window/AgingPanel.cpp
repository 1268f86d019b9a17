#include "window/AgingPanel.h"

#include <utility>

#include "language/TranslationMap.h"
#include "link/JobRunner.h"
#include "window/ControlIds.h"
#include "window/MainWindowController.h"
#include "window/MainWindowJobs.h"

namespace kestrel {

void AgingPanel::Start() {
  if (controller_.Sending()) return;  // refused while a job goes out
  running_ = true;
  window_.EnableAllControls(false);
  window_.Controls().SetEnabled(kAgingStopButton, true);
  window_.StopAgingTimer();
  window_.StartAgingTimer(AgingInterval(window_.Controls().Text(kIntervalEdit).value_or("")));
  Tick();
}

void AgingPanel::StopAging() {
  window_.EnableAllControls(true);
  window_.StopAgingTimer();
  running_ = false;
}

void AgingPanel::ResetCount() {
  sendCount_ = 0;
  ShowSendCount();
}

void AgingPanel::Tick() {
  // A tick runs to its end, its write included, before the next one; a
  // message box's own message loop inside a tick must not start another.
  if (ticking_ || !running_) return;
  if (controller_.Sending()) {
    tickDue_ = true;  // follows as soon as the write in progress has ended
    return;
  }
  ticking_ = true;
  const NamedJob* job = AgingLabelJob(window_.Controls().Selection(kAgingSizeList).value_or(-1));
  if (job == nullptr) {
    // No size chosen: nothing can be sent, so the run ends as a failed send.
    StopAging();
    ShowMessage(Translate("发送失败,已停止发送"), "Kestrel");
  } else {
    SendLabel(*job);
  }
  ticking_ = false;
}

// The label is composed here and sent off the window's thread; the count or
// the stop is applied when the write has ended.
void AgingPanel::SendLabel(const NamedJob& job) {
  PrinterLink& link = controller_.Link();
  ComposeJob(link, job, ReadJobContext(window_.Controls(), true));
  if (!link.Connected()) {
    ApplyAgingTickResult(AgingTickResult::kNotConnected, *this);
    return;
  }
  controller_.SendOffThread([&link] { return link.WriteSendBuffer(); },
                            [this](bool written) {
                              ApplyAgingTickResult(written ? AgingTickResult::kSent : AgingTickResult::kSendFailed,
                                                   *this);
                              if (std::exchange(tickDue_, false)) Tick();
                            });
}

void AgingPanel::CountSuccessfulSend() {
  ++sendCount_;
  ShowSendCount();
}

void AgingPanel::ShowSendCount() { window_.Controls().SetText(kSendCountDisplay, std::to_string(sendCount_)); }

void AgingPanel::ShowMessage(const std::string& text, const std::string& caption) {
  window_.ShowMessage(text, caption);
}

}  // namespace kestrel

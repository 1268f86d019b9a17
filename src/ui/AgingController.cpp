#include "ui/AgingController.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <utility>

#include "language/TranslationMap.h"
#include "link/JobRunner.h"
#include "ui/CKestrelDlg.h"

namespace kestrel {
namespace {

constexpr int kIntervalEdit = 1047;
constexpr int kSizeList = 1075;
constexpr int kStartButton = 1076;
constexpr int kStopButton = 1077;
constexpr int kCountDisplay = 1078;
constexpr int kResetButton = 1079;

}  // namespace

AgingController::AgingController(CKestrelDlg& dialog) : dialog_(dialog), timer_(new QTimer(&dialog)) {
  timer_->setObjectName(QStringLiteral("AgingTimer"));
  connect(timer_, &QTimer::timeout, this, &AgingController::AgingTick);
  if (auto* start = dialog_.ControlAs<QAbstractButton>(kStartButton))
    connect(start, &QAbstractButton::clicked, this, &AgingController::StartAging);
  if (auto* stop = dialog_.ControlAs<QAbstractButton>(kStopButton))
    connect(stop, &QAbstractButton::clicked, this, &AgingController::StopAging);
  if (auto* reset = dialog_.ControlAs<QAbstractButton>(kResetButton))
    connect(reset, &QAbstractButton::clicked, this, &AgingController::ResetSendCount);
}

AgingController::~AgingController() { timer_->stop(); }

void AgingController::StartAging() {
  if (dialog_.Sending()) return;  // refused while a job goes out, as the job buttons are
  dialog_.SetAgingRunning(true);
  EnableAllControls(false);
  if (QWidget* stop = dialog_.Control(kStopButton)) stop->setEnabled(true);
  timer_->stop();
  const auto* interval = dialog_.ControlAs<QLineEdit>(kIntervalEdit);
  timer_->start(AgingInterval(interval ? interval->text().toStdString() : std::string()));
  AgingTick();
}

void AgingController::StopAging() {
  EnableAllControls(true);
  timer_->stop();
  dialog_.SetAgingRunning(false);
}

void AgingController::ResetSendCount() {
  dialog_.SendCount = 0;
  ShowSendCount();
}

void AgingController::AgingTick() {
  // A tick runs to its end, its write included, before the next one; a
  // message box's own message loop inside a tick must not start another.
  if (ticking_ || !dialog_.AgingRunning()) return;
  if (dialog_.Sending()) {
    tickDue_ = true;  // follows as soon as the write in progress has ended
    return;
  }
  ticking_ = true;
  const auto* sizes = dialog_.ControlAs<QComboBox>(kSizeList);
  const NamedJob* job = AgingLabelJob(sizes ? sizes->currentIndex() : -1);
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
void AgingController::SendLabel(const NamedJob& job) {
  PrinterLink& link = dialog_.Link();
  ComposeJob(link, job, dialog_.CurrentJobContext());
  if (!link.Connected()) {
    ApplyAgingTickResult(AgingTickResult::kNotConnected, *this);
    return;
  }
  dialog_.SendOffThread([&link] { return link.WriteSendBuffer(); },
                        [this](bool written) {
                          ApplyAgingTickResult(written ? AgingTickResult::kSent : AgingTickResult::kSendFailed, *this);
                          if (std::exchange(tickDue_, false)) AgingTick();
                        });
}

void AgingController::ShowSendCount() {
  if (auto* count = dialog_.ControlAs<QLabel>(kCountDisplay))
    count->setText(QString::asprintf("%lu", static_cast<unsigned long>(dialog_.SendCount)));
}

void AgingController::CountSuccessfulSend() {
  ++dialog_.SendCount;
  ShowSendCount();
}

void AgingController::ShowMessage(const std::string& text, const std::string& caption) {
  dialog_.ShowMessage(text, caption);
}

void AgingController::EnableAllControls(bool enabled) {
  for (QWidget* child : dialog_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!child->isWindow()) child->setEnabled(enabled);
}

}  // namespace kestrel

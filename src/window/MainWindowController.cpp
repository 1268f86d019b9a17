#include "window/MainWindowController.h"

#include <utility>

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "link/JobRunner.h"
#include "version/Version.h"
#include "window/AgingPanel.h"
#include "window/ConsolePanel.h"
#include "window/ControlIds.h"
#include "window/InterfaceItems.h"
#include "window/JobButtons.h"
#include "window/MainWindowJobs.h"
#include "window/MainWindowStart.h"

namespace kestrel {

MainWindowController::MainWindowController(WindowHost& window, const PortDiscovery& discovery)
    : window_(window),
      link_(*this, discovery),
      sender_([this](std::function<void()> call) { window_.Post(std::move(call)); }),
      aging_(std::make_unique<AgingPanel>(*this, window_, agingRunning_, SendCount)),
      console_(std::make_unique<ConsolePanel>(*this, window_)) {}

MainWindowController::~MainWindowController() { Shutdown(); }

void MainWindowController::Start() {
  LoadInterfaceLanguage();
  idleTitle_ = WindowTitle(GetVersionText());
  agingRunning_ = false;
  SendCount = 0;
}

void MainWindowController::OnClicked(int id) {
  if (PressJobButton(id) || PressPanelButton(id)) return;
  switch (id) {
    case kConnectButton:
      if (!Sending()) link_.ToggleConnection();
      break;
    case kDesignLabelButton:
      window_.OpenCustomLabelEditor();
      break;
    default:
      break;
  }
}

// A job button's job through the job pattern; refused while a job goes out,
// as the link is busy and SendBuffer in use. Of the job buttons only the bar
// code test says that the printer is missing.
bool MainWindowController::PressJobButton(int id) {
  for (const JobButton& button : JobButtons()) {
    if (button.id != id) continue;
    if (Sending()) return true;
    if (!RunNamedJob(button.job) && id == kBarcodeButton) window_.ShowMessage(Translate("打印机未连接！"), "Kestrel");
    return true;
  }
  return false;
}

bool MainWindowController::PressPanelButton(int id) {
  switch (id) {
    case kAgingStartButton:
      aging_->Start();
      return true;
    case kAgingStopButton:
      aging_->Stop();
      return true;
    case kResetCountButton:
      aging_->ResetCount();
      return true;
    case kConsoleSendButton:
      console_->Send();
      return true;
    case kStandardModeButton:
      console_->SendStandardMode();
      return true;
    case kHexBox:
      console_->HexClicked(window_.Controls().Checked(kHexBox).value_or(false));
      return true;
    case kClearButton:
      console_->Clear();
      return true;
    default:
      return false;
  }
}

// The operator's choices go into JobSettings; nothing is sent. Other lists
// are read when a job needs them.
void MainWindowController::OnSelection(int id, int index) {
  if (id == kPortList) {
    portTyped_ = false;
    link_.PortTypeChanged(index);
  } else {
    StoreListSelection(id, index);
  }
}

// A typed port is used as a picked one: it is checked when it is opened, as
// the CLI checks its --port, so half-typed text never says anything.
void MainWindowController::OnTextChanged(int id, const std::string& text) {
  if (id == kBackfeedEdit) StoreBackfeedText(text);
  if (id == kPortList) {
    portTyped_ = true;
    link_.PortTypeChanged(TypedPortKind(text));
  }
}

int MainWindowController::TypedPortKind(const std::string& text) { return IsUsbPortName(text) ? 0 : -1; }

void MainWindowController::OnAgingTimer() { aging_->Tick(); }

std::string MainWindowController::ProgressTitle() const {
  if (!Sending()) return idleTitle_;
  const PrinterLink::WriteProgress progress = link_.Progress();
  const auto percent = progress.total > 0 ? progress.sent * 100 / progress.total : 0;
  return idleTitle_ + " - " + (InterfaceIsChinese() ? "发送中" : "Sending") + " " + std::to_string(percent) + "%";
}

void MainWindowController::Shutdown() {
  if (std::exchange(closing_, true)) return;
  window_.StopAgingTimer();
  // Neither the console's workers nor the sender are cut short: a write in
  // progress goes out whole, within the time limit every write has. Cutting
  // a copy would leave a label printer inside a page-mode buffer, and its
  // next job would print garbage. The workers start no further copy.
  console_->StopWorkers();
  sender_.Wait();
}

bool MainWindowController::SendOffThread(std::function<bool()> write, std::function<void(bool)> done) {
  if (closing_) return false;
  const bool started = sender_.Start(std::move(write), [this, done = std::move(done)](bool written) {
    window_.ShowSending(false);
    if (done) done(written);
  });
  if (started) window_.ShowSending(true);
  return started;
}

JobContext MainWindowController::CurrentJobContext() const {
  return ReadJobContext(window_.Controls(), AgingRunning());
}

bool MainWindowController::RunNamedJob(const std::string& name) {
  const NamedJob* job = FindJob(name);
  if (!job || Sending() || closing_) return false;
  if (!ComposeJob(link_, *job, CurrentJobContext())) return false;
  SendOffThread([this] { return link_.WritePrinter(SendBuffer, SendLength); }, {});
  return true;
}

int MainWindowController::PortSelection() const {
  if (portTyped_) return TypedPortKind(PortText());
  return window_.Controls().Selection(kPortList).value_or(0);
}

std::string MainWindowController::PortText() const { return window_.Controls().Text(kPortList).value_or(""); }

std::string MainWindowController::BaudText() const { return window_.Controls().Text(kBaudList).value_or(""); }

void MainWindowController::ShowMessage(const std::string& text, const std::string& caption) {
  window_.ShowMessage(text, caption);
}

void MainWindowController::SetConnectCaption(const std::string& caption) {
  window_.Controls().SetText(kConnectButton, caption);
}

void MainWindowController::EnablePortList(bool enabled) { window_.Controls().SetEnabled(kPortList, enabled); }

void MainWindowController::EnableBaudList(bool enabled) { window_.Controls().SetEnabled(kBaudList, enabled); }

}  // namespace kestrel

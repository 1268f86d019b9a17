#include "window/ConsolePanel.h"

#include <chrono>

#include "language/TranslationMap.h"
#include "window/ControlIds.h"
#include "window/MainWindowController.h"

namespace kestrel {

void ConsolePanel::Send() {
  if (controller_.Sending()) return;  // refused while a job goes out
  PrinterLink& link = controller_.Link();
  link.ReconnectPrinter();
  if (!link.Connected()) return;

  const ConsoleInput input = ReadInput();
  const auto buffer = std::make_shared<ConsoleBuffer>();
  const ConsoleError error = PrepareConsoleSend(input.content, input.hexMode, *buffer);
  if (error != ConsoleError::kNone) {
    ShowConsoleError(error);
    return;
  }
  if (SendsOnce(ReadSendCount(input.countText))) {
    controller_.SendOffThread([&link, buffer] { return link.WritePrinter(buffer->bytes.data(), buffer->length); }, {});
    return;
  }
  StartWorker();
}

void ConsolePanel::SendStandardMode() { controller_.RunNamedJob("standardmode"); }

void ConsolePanel::Clear() { window_.Controls().SetText(kConsoleBox, ""); }

void ConsolePanel::HexClicked(bool checked) {
  const std::string content = window_.Controls().Text(kConsoleBox).value_or("");
  if (content.empty()) return;
  const std::optional<std::string> converted = ConvertForHexBox(content, checked);
  if (!converted) {
    window_.ShowMessage(Translate(ConsoleErrorText(ConsoleError::kHexInput)), Translate("错误"));
    return;
  }
  window_.Controls().SetText(kConsoleBox, *converted);
}

void ConsolePanel::StopWorkers() {
  // A worker may be waiting for the window's thread to read the controls or
  // to show a message. With stopping_ set those calls return at once, so
  // serving them here lets every worker reach its end instead of waiting
  // forever on a thread that is waiting for it.
  stopping_ = true;
  for (;;) {
    bool allDone = true;
    for (const auto& worker : workers_) allDone = allDone && worker->done.load();
    if (allDone) break;
    window_.ServeWindowThreadCalls();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  for (const auto& worker : workers_) worker->thread.join();
  workers_.clear();
}

ConsolePanel::ConsoleInput ConsolePanel::ReadInput() const {
  const DialogControls& controls = window_.Controls();
  ConsoleInput input;
  input.hexMode = controls.Checked(kHexBox).value_or(false);
  input.content = controls.Text(kConsoleBox).value_or("");
  input.countText = controls.Text(kConsoleCountEdit).value_or("");
  return input;
}

void ConsolePanel::ShowConsoleError(ConsoleError error) {
  window_.ShowMessage(Translate(ConsoleErrorText(error)), Translate("Kestrel"));
}

void ConsolePanel::StartWorker() {
  JoinFinishedWorkers();
  auto worker = std::make_unique<Worker>();
  Worker& started = *worker;
  workers_.push_back(std::move(worker));
  started.thread = std::thread([this, &started] {
    RepeatSendWorker();
    started.done = true;
  });
}

void ConsolePanel::JoinFinishedWorkers() {
  std::erase_if(workers_, [](const std::unique_ptr<Worker>& worker) {
    if (!worker->done.load()) return false;
    worker->thread.join();
    return true;
  });
}

// Runs on its own thread: reads the controls once, through the window's
// thread, then writes its copies; a later change of the controls does not
// reach it. It does not reconnect: it writes to whatever port is open.
void ConsolePanel::RepeatSendWorker() {
  ConsoleInput input;
  if (!OnWindowThread([&] { input = ReadInput(); })) return;

  auto buffer = std::make_unique<ConsoleBuffer>();
  const ConsoleError error = PrepareConsoleSend(input.content, input.hexMode, *buffer);
  if (error != ConsoleError::kNone) {
    OnWindowThread([&] { ShowConsoleError(error); });
    return;
  }
  PrinterLink& link = controller_.Link();
  RepeatSend(
      *buffer, ReadSendCount(input.countText),
      [&link](const std::uint8_t* bytes, std::int32_t length) { return link.WritePrinter(bytes, length); }, stopping_);
}

bool ConsolePanel::OnWindowThread(const std::function<void()>& call) {
  bool ran = false;
  window_.CallOnWindowThread([&] {
    if (stopping_.load()) return;
    call();
    ran = true;
  });
  return ran;
}

}  // namespace kestrel

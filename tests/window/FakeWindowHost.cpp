#include "window/FakeWindowHost.h"

#include "window/ControlIds.h"
#include "window/InterfaceItems.h"

namespace kestrel::test {

FakeWindowHost::FakeWindowHost(const std::vector<std::string>& ports) : controls(MainWindowTemplate()) {
  for (const StartupContent& content : StartupContents(ports)) {
    if (content.IsList()) {
      controls.FillList(content.id, content.items, content.selected);
    } else {
      controls.SetText(content.id, content.text);
    }
  }
  controls.SetEnabled(kBaudList, false);
}

void FakeWindowHost::ShowMessage(const std::string& text, const std::string& caption) {
  messages.push_back({text, caption});
  if (onMessage) onMessage(messages.back());
}

void FakeWindowHost::EnableAllControls(bool enabled) {
  for (auto& [id, control] : controls.controls) control.enabled = enabled;
}

bool FakeWindowHost::EveryControlEnabled() const {
  for (const auto& [id, control] : controls.controls)
    if (!control.enabled) return false;
  return true;
}

void FakeWindowHost::Post(std::function<void()> call) {
  std::lock_guard lock(mutex_);
  posted_.push_back(std::move(call));
  arrived_.notify_all();
}

void FakeWindowHost::CallOnWindowThread(const std::function<void()>& call) {
  Waiting waiting{&call};
  std::unique_lock lock(mutex_);
  waiting_.push_back(&waiting);
  arrived_.notify_all();
  served_.wait(lock, [&] { return waiting.done; });
}

void FakeWindowHost::ServeWindowThreadCalls() {
  std::unique_lock lock(mutex_);
  while (!waiting_.empty()) {
    Waiting* waiting = waiting_.front();
    waiting_.pop_front();
    lock.unlock();
    (*waiting->call)();
    lock.lock();
    waiting->done = true;
    served_.notify_all();
  }
}

bool FakeWindowHost::RunOneCall() {
  ServeWindowThreadCalls();
  std::unique_lock lock(mutex_);
  if (posted_.empty()) return false;
  std::function<void()> call = std::move(posted_.front());
  posted_.pop_front();
  lock.unlock();
  call();
  return true;
}

bool FakeWindowHost::HandleEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    if (RunOneCall()) continue;
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, std::chrono::milliseconds(5), [this] { return !posted_.empty() || !waiting_.empty(); });
  }
  return done();
}

}  // namespace kestrel::test

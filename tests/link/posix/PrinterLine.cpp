#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "link/LinkTestSupport.h"

namespace kestrel::test {

// The reader drains the line as a printer does, so that a long write is
// never held up by a full pseudo-terminal.
struct PrinterLine::State {
  PtyPair pty;
  mutable std::mutex mutex;
  std::string received;
  std::atomic<bool> stop = false;
  std::thread reader;
};

PrinterLine::PrinterLine() : state_(std::make_unique<State>()) {
  state_->pty.MakeRaw();
  state_->reader = std::thread([state = state_.get()] {
    while (!state->stop) {
      std::vector<std::uint8_t> bytes;
      state->pty.ReadAvailable(bytes, 20);
      if (bytes.empty()) {
        usleep(500);  // no reader of the device at the moment: between a close and the reopen
        continue;
      }
      std::lock_guard lock(state->mutex);
      state->received.append(bytes.begin(), bytes.end());
    }
  });
}

PrinterLine::~PrinterLine() {
  state_->stop = true;
  state_->reader.join();
}

const std::string& PrinterLine::Device() const { return state_->pty.slavePath(); }

std::string PrinterLine::Arrived() const {
  std::lock_guard lock(state_->mutex);
  return state_->received;
}

}  // namespace kestrel::test

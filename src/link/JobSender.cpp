#include "link/JobSender.h"

namespace kestrel {

bool JobSender::Start(std::function<bool()> write, std::function<void(bool)> done) {
  if (state_->busy.exchange(true)) return false;
  if (thread_.joinable()) thread_.join();  // the last write has ended: its answer has run
  const unsigned generation = state_->generation;
  thread_ = std::thread([post = post_, state = state_, generation, write = std::move(write), done = std::move(done)] {
    const bool written = write();
    post([state, generation, written, done] {
      if (generation != state->generation) return;
      state->busy = false;
      done(written);
    });
  });
  return true;
}

void JobSender::Wait() {
  ++state_->generation;
  if (thread_.joinable()) thread_.join();
  state_->busy = false;
}

}  // namespace kestrel

#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace kestrel {

// Runs the write of a job off the window's thread, one job at a time, so the
// window keeps answering while the line takes the bytes. The window composes
// on its own thread, starts the write here and gets the write's answer back
// on its own thread through `post`, where it applies the job's result.
class JobSender {
 public:
  // Hands a call to the window's thread, to run there later.
  using Post = std::function<void(std::function<void()>)>;

  explicit JobSender(Post post) : post_(std::move(post)) {}
  ~JobSender() { Wait(); }
  JobSender(const JobSender&) = delete;
  JobSender& operator=(const JobSender&) = delete;

  // Starts `write` on the sender's thread; `done` gets its answer on the
  // window's thread. False, with nothing started, while a write is going out.
  bool Start(std::function<bool()> write, std::function<void(bool)> done);
  // True from Start until `done` has run.
  bool Busy() const { return state_->busy.load(); }
  // Waits for the write in progress; its `done` then never runs.
  void Wait();

 private:
  // Shared with answers on their way, which may arrive after the sender ended.
  struct State {
    std::atomic<bool> busy = false;
    std::atomic<unsigned> generation = 0;  // Wait drops the answers of earlier writes
  };

  Post post_;
  std::shared_ptr<State> state_ = std::make_shared<State>();
  std::thread thread_;  // touched on the window's thread only
};

}  // namespace kestrel

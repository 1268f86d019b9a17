#pragma once

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "support/TestSupport.h"

namespace kestrel::test {

// A printer on the far side of a descriptor that answers each three-byte
// query it knows from its table and keeps silent at the others.
class ScriptedPrinter {
 public:
  ScriptedPrinter(int fd, std::map<std::string, std::string> answers)
      : fd_(fd), answers_(std::move(answers)), thread_([this] { Serve(); }) {}
  ~ScriptedPrinter() {
    stop_ = true;
    thread_.join();
  }

 private:
  void Serve() {
    std::vector<std::uint8_t> pending;
    while (!stop_) {
      pollfd waiting{fd_, POLLIN, 0};
      if (poll(&waiting, 1, 20) <= 0) continue;
      std::uint8_t chunk[256];
      const ssize_t count = read(fd_, chunk, sizeof chunk);
      if (count <= 0) continue;
      pending.insert(pending.end(), chunk, chunk + count);
      while (pending.size() >= 3) {
        const auto answer = answers_.find(ToHex({pending.data(), 3}));
        pending.erase(pending.begin(), pending.begin() + 3);
        if (answer == answers_.end()) continue;
        const std::vector<std::uint8_t> bytes = Hex(answer->second);
        if (write(fd_, bytes.data(), bytes.size()) < 0) return;
      }
    }
  }

  int fd_;
  std::map<std::string, std::string> answers_;
  std::atomic<bool> stop_ = false;
  std::thread thread_;
};

}  // namespace kestrel::test

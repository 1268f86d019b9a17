#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/TestSupport.h"

namespace kestrel::test {

// `kestrel-cli emulate --output-dir FOLDER ARGS` running beside the test, its
// stdout and stderr in files; stopped with SIGTERM at the latest when it goes.
class Emulator {
 public:
  explicit Emulator(const std::vector<std::string>& args);
  ~Emulator();
  Emulator(const Emulator&) = delete;
  Emulator& operator=(const Emulator&) = delete;

  std::string pages() const { return folder_.path() + "/pages"; }
  std::string Output() const;
  std::string Errors() const;
  // FOLDER/page-NNNN.png
  std::string PagePath(int number) const;
  // Waits until page `number` is written and announced.
  bool WaitForPage(int number) const;
  // SIGTERM; the exit status, or -1.
  int Stop();
  long ResidentKilobytes() const;
  bool Running() const;

  template <typename Condition>
  static bool WaitFor(Condition done, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }

 private:
  TempDir folder_;
  pid_t pid_ = -1;
};

}  // namespace kestrel::test

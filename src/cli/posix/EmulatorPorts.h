#pragma once

#include <string>

namespace kestrel::cli {

// The virtual printer's side of a pseudo-terminal: programs open `path()`
// as a serial port and write; the printer reads `fd()`.
class EmulatorPty {
 public:
  EmulatorPty() = default;
  ~EmulatorPty();
  EmulatorPty(const EmulatorPty&) = delete;
  EmulatorPty& operator=(const EmulatorPty&) = delete;

  // Opens the pair and puts the line in raw mode; false with the reason.
  bool Open(std::string* error);
  int fd() const { return master_; }
  const std::string& path() const { return path_; }
  // A program that opened the port exclusively leaves the flag behind when
  // it closes, since the printer keeps the line open; clearing it lets the
  // next program in. Called whenever the line is quiet.
  void ReleaseExclusive();

 private:
  int master_ = -1;
  int slave_ = -1;  // held so that the line keeps its settings and never hangs up
  std::string path_;
};

// A symbolic link to the pty's path; replaces an old link, never a file.
bool MakePortLink(const std::string& link, const std::string& target, std::string* error);

}  // namespace kestrel::cli

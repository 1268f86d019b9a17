#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::test {

// Runs a shell command line of the host system and waits for it; Wine starts
// host programs as it starts Windows ones.
bool RunHostShell(const std::string& script);

// The host path of a file under /tmp as this program opens it.
std::wstring FromHost(const std::string& path);

// A whole file's bytes, read while others may still write it.
std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path);

// A COM port of the test's Wine prefix mapped onto a pseudo-terminal whose
// other side a socat process copies into a file: what the program writes to
// the port, the test reads back from the file. Each one made in a process
// has a name of its own.
class MappedComPort {
 public:
  MappedComPort();
  ~MappedComPort();
  MappedComPort(const MappedComPort&) = delete;
  MappedComPort& operator=(const MappedComPort&) = delete;

  // Whether the mapping is in place yet: the host shell may return before
  // it is, so the caller waits for it in its own way.
  bool Ready() const;
  const std::string& Name() const { return name_; }  // "COM57"
  // Everything written to the port so far.
  std::vector<std::uint8_t> Wire() const;
  // Forgets what arrived so far.
  void Clear() const;

 private:
  std::string DeviceLink() const;

  std::string name_;
  std::string unixFolder_;
};

}  // namespace kestrel::test

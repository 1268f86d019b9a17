#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kestrel::cli {

// What one wait on a printer port brought.
enum class PortState { Data, Quiet, Ended };

// "HOST:PORT" split at its last colon (so "::1:9100" is IPv6); false with the
// reason when either part is missing.
bool SplitListenAddress(const std::string& address, std::string* host, std::string* port, std::string* error);

// A raw TCP printer port, as network label printers offer: one connection at
// a time, the others wait in the listen queue.
class EmulatorSocket {
 public:
  EmulatorSocket();
  ~EmulatorSocket();
  EmulatorSocket(const EmulatorSocket&) = delete;
  EmulatorSocket& operator=(const EmulatorSocket&) = delete;

  // "HOST:PORT"; false with the reason.
  bool Listen(const std::string& address, std::string* error);
  // The port actually bound (for port 0).
  int port() const { return port_; }

  // Waits up to `ms` for the next client and takes it; false when none came.
  bool Accept(int ms);
  bool HasClient() const;
  // Waits up to `ms` for the client's bytes: Data with *count of them in
  // `buffer`, Quiet, or Ended when the client has closed.
  PortState Read(std::uint8_t* buffer, std::size_t size, int ms, std::size_t* count);
  // Sends the printer's answers to the client, as much as goes without
  // waiting: a host that reads nothing cannot hold the printer.
  void Send(const std::vector<std::uint8_t>& bytes);
  void CloseClient();

 private:
  struct Handles;
  std::unique_ptr<Handles> handles_;
  int port_ = 0;
};

}  // namespace kestrel::cli

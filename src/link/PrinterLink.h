#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "link/LinkHost.h"
#include "link/PortDevice.h"
#include "link/PortDiscovery.h"

namespace kestrel {

// The one printer connection: the first USB printer (usblp), a serial port,
// or a network printer ("tcp:HOST[:PORT]" as the port's name). The ports are
// looked up through `discovery`, which outlives the link. One lock serialises
// open, close, write and query, so a reconnect on the window's thread never
// closes the port under a write from the console worker, and no job's bytes
// come between a query and its answer.
class PrinterLink {
 public:
  explicit PrinterLink(LinkHost& host, const PortDiscovery& discovery = SystemPortDiscovery());
  ~PrinterLink();
  PrinterLink(const PrinterLink&) = delete;
  PrinterLink& operator=(const PrinterLink&) = delete;

  bool OpenUsbPrinter();
  bool OpenSerialPort(const std::string& portName);
  void ToggleConnection();
  void PortTypeChanged(int index);  // stores JobSettings.PortKind
  void ReconnectPrinter();
  bool WritePrinter(const std::uint8_t* bytes, std::int32_t length);
  bool WriteSendBuffer();

  bool Connected() const;
  DeviceHandle PortHandle() const;  // kNoPort when none is open
  // Why the last open or write failed (the system's reason), for the CLI's
  // exit message.
  std::string LastError() const;

  // The answer to a query: the bytes the printer sent, or why none came.
  struct Reply {
    enum class Outcome { kAnswered, kNoAnswer, kNotConnected, kFailed };
    Outcome outcome = Outcome::kNotConnected;
    std::vector<std::uint8_t> bytes;  // with kNoAnswer, what came before the time ran out
    std::string error;                // why, for every outcome but kAnswered
  };
  // Whether the bytes read so far make a whole reply.
  using ReplyComplete = std::function<bool(std::span<const std::uint8_t>)>;
  // Drops what the printer sent before, writes `query` and reads until
  // `complete` says the reply is whole, for at most timeoutMs: "no answer in
  // N ms" when the printer stays silent. The port must be open.
  Reply Ask(std::span<const std::uint8_t> query, const ReplyComplete& complete, int timeoutMs);

  // The write in progress: the bytes that have gone out and the bytes in
  // all; both 0 when none runs. Safe from any thread.
  struct WriteProgress {
    std::int64_t sent = 0;
    std::int64_t total = 0;
  };
  WriteProgress Progress() const;
  // Ends the write in progress and every later one at once, failed: for a
  // window that closes while a job goes out.
  void AbandonWrites();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// "no answer in 2000 ms": what a query says when the printer stays silent.
std::string NoAnswerText(int timeoutMs);

}  // namespace kestrel

#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "link/LinkHost.h"
#include "link/PortDevice.h"
#include "link/PortDiscovery.h"

namespace kestrel {

// The one printer connection: the first USB printer (usblp) or a serial port.
// Write-only. The ports are looked up through `discovery`, which outlives
// the link. One lock serialises open, close and write, so a reconnect on the
// window's thread never closes the port under a write from the console worker.
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
  // Why the last open failed (the system's reason), for the CLI's exit message.
  std::string LastError() const;

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

}  // namespace kestrel

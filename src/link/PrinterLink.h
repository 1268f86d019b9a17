#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "link/LinkHost.h"
#include "link/LinkPaths.h"
#include "link/PortDevice.h"

namespace kestrel {

// The one printer connection: the first USB printer (usblp) or a serial port.
// Write-only. One lock serialises open, close and write, so a reconnect on the
// window's thread never closes the port under a write from the console worker.
class PrinterLink {
 public:
  explicit PrinterLink(LinkHost& host, LinkPaths paths = {});
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

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace kestrel

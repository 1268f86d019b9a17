#pragma once

#include <map>
#include <string>
#include <vector>

#include "link/PortDiscovery.h"
#include "support/TestSupport.h"

namespace kestrel::test {

// Ports a test lists itself: no USB printer and no serial port until it adds
// some, and a lock folder of its own.
class FakePortDiscovery : public PortDiscovery {
 public:
  std::vector<std::string> SerialPorts() const override { return serialPorts; }
  std::vector<UsbPrinterInfo> UsbPrinters() const override { return usbPrinters; }
  std::string UsbPrinterSource() const override { return "the test's list"; }
  std::string SerialDevicePath(const std::string& portName) const override {
    const auto device = devices.find(portName);
    if (device != devices.end()) return device->second;
#ifdef _WIN32
    return SystemPortDiscovery().SerialDevicePath(portName);  // only names it, never looks anything up
#else
    return portName;  // the system's mapping would reach the machine's own ttyS0 for "COM1"
#endif
  }
  std::string LockFolder() const override { return locks_.path(); }

  std::vector<std::string> serialPorts;
  std::vector<UsbPrinterInfo> usbPrinters;
  // The device a port name opens; any other name opens as it is, on Windows
  // in the device namespace ("COM12" as "\\.\COM12").
  std::map<std::string, std::string> devices;

 private:
  TempDir locks_;
};

}  // namespace kestrel::test

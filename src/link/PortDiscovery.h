#pragma once

#include <string>
#include <vector>

#include "link/LinkPaths.h"

namespace kestrel {

// The serial port names that follow "USB" in the port-type list: the device
// paths of the serial devices present (for example "/dev/ttyUSB0") in natural
// order, or "COM1" to "COM9" when none is found. The list is read once, at
// start-up.
std::vector<std::string> ListSerialPorts(const LinkPaths& paths = {});

// The whole port-type list: "USB" followed by ListSerialPorts.
std::vector<std::string> PortTypeEntries(const LinkPaths& paths = {});

// The device a port name opens: "COMn" opens ttyS(n-1), a path is taken as
// it is, a bare name is looked up under the device root when the kernel lists
// a terminal of that name and is otherwise taken as a relative path.
std::string SerialDevicePath(const std::string& portName, const LinkPaths& paths = {});

// A USB printer interface (usblp) present in the system.
struct UsbPrinterInfo {
  std::string node;        // for example "/dev/usb/lp0"
  std::string hardwareId;  // "USB\VID_xxxx&PID_xxxx", else the IEEE 1284 id; empty when unreadable
};

// The present USB printers in numeric order (lp0 before lp1 before lp10).
std::vector<UsbPrinterInfo> ListUsbPrinters(const LinkPaths& paths = {});

// "ttyS2" before "ttyS10": digit runs compare by value.
bool NaturalLess(const std::string& a, const std::string& b);

}  // namespace kestrel

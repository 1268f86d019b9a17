#pragma once

#include <string>
#include <vector>

#include "link/LinkPaths.h"

namespace kestrel {

// The serial ports the system reports. On Linux the device paths of the
// serial devices present (for example "/dev/ttyUSB0") in natural order; on
// Windows the port names registered under HARDWARE\DEVICEMAP\SERIALCOMM
// (for example "COM3"), in the registry's order.
std::vector<std::string> SystemSerialPorts(const LinkPaths& paths = {});

// The serial port names that follow "USB" in the port-type list: the system's
// serial ports, or "COM1" to "COM9" when it reports none. The list is read
// once, at start-up.
std::vector<std::string> ListSerialPorts(const LinkPaths& paths = {});

// The whole port-type list: "USB" followed by ListSerialPorts.
std::vector<std::string> PortTypeEntries(const LinkPaths& paths = {});

// The device a port name opens. On Linux "COMn" opens ttyS(n-1), a path is
// taken as it is, a bare name is looked up under the device root when the
// kernel lists a terminal of that name and is otherwise taken as a relative
// path; on Windows a port name opens its device in the \\.\ namespace.
std::string SerialDevicePath(const std::string& portName, const LinkPaths& paths = {});

// A USB printer interface present in the system.
struct UsbPrinterInfo {
  std::string node;        // "/dev/usb/lp0"; on Windows the interface's device path
  std::string hardwareId;  // "USB\VID_xxxx&PID_xxxx", else the IEEE 1284 id; empty when unreadable
};

// The present USB printers: on Linux the usblp nodes in numeric order (lp0
// before lp1 before lp10), on Windows the interfaces of the USB printer
// class in the system's order.
std::vector<UsbPrinterInfo> ListUsbPrinters(const LinkPaths& paths = {});
// Where ListUsbPrinters looks, for the reason an open found no printer.
std::string UsbPrinterSource(const LinkPaths& paths = {});

// "ttyS2" before "ttyS10": digit runs compare by value.
bool NaturalLess(const std::string& a, const std::string& b);

}  // namespace kestrel

#pragma once

#include <string>
#include <vector>

namespace kestrel {

// A USB printer interface present in the system.
struct UsbPrinterInfo {
  std::string node;        // "/dev/usb/lp0"; on Windows the interface's device path
  std::string hardwareId;  // "USB\VID_xxxx&PID_xxxx", else the IEEE 1284 id; empty when unreadable
};

// Where the link finds its ports. The system's discovery reads the kernel's
// device classes on Linux and the registry and the printer device interfaces
// on Windows; a caller may hand the link another, such as a list of its own.
class PortDiscovery {
 public:
  virtual ~PortDiscovery() = default;

  // The serial ports the system reports. On Linux the device paths of the
  // serial devices present (for example "/dev/ttyUSB0") in natural order; on
  // Windows the port names registered under HARDWARE\DEVICEMAP\SERIALCOMM
  // (for example "COM3"), in the registry's order.
  virtual std::vector<std::string> SerialPorts() const = 0;

  // The present USB printers: on Linux the usblp nodes in numeric order (lp0
  // before lp1 before lp10), on Windows the interfaces of the USB printer
  // class in the system's order.
  virtual std::vector<UsbPrinterInfo> UsbPrinters() const = 0;
  // Where UsbPrinters looks, for the reason an open found no printer.
  virtual std::string UsbPrinterSource() const = 0;

  // The device a port name opens. On Linux "COMn" opens ttyS(n-1), a path is
  // taken as it is, a bare name is looked up among the devices when the
  // kernel lists a terminal of that name and is otherwise taken as a relative
  // path; on Windows a port name opens its device in the \\.\ namespace.
  virtual std::string SerialDevicePath(const std::string& portName) const = 0;

  // The folder of the serial ports' lock files (Linux); empty where the
  // system keeps a port to one program by itself (Windows).
  virtual std::string LockFolder() const = 0;
};

// The system's own discovery, alive for the whole run.
const PortDiscovery& SystemPortDiscovery();

// The serial port names that follow "USB" in the port-type list: the
// discovery's serial ports, or "COM1" to "COM9" when it reports none. The
// list is read once, at start-up.
std::vector<std::string> ListSerialPorts(const PortDiscovery& discovery);

// The whole port-type list: "USB" followed by ListSerialPorts.
std::vector<std::string> PortTypeEntries(const PortDiscovery& discovery);

// Whether a port name stands for the port-type list's "USB" entry: "USB", or
// "usb" as the CLI writes it.
bool IsUsbPortName(const std::string& name);

// "ttyS2" before "ttyS10": digit runs compare by value.
bool NaturalLess(const std::string& a, const std::string& b);

}  // namespace kestrel

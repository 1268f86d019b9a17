#pragma once

#include <string>
#include <vector>

#include "link/PortDiscovery.h"

namespace kestrel::posix {

// The folder where serial ports' lock files live: /run/lock, or /var/lock on
// systems without it.
std::string SystemLockFolder();

// Finds the ports as the kernel lists them: the tty and usbmisc classes under
// the sysfs root, their devices under the device root. The roots are given
// so that the reader can be checked against a tree laid out as the kernel's.
class SysfsPortDiscovery final : public PortDiscovery {
 public:
  explicit SysfsPortDiscovery(std::string sysRoot = "/sys", std::string devRoot = "/dev",
                              std::string lockFolder = SystemLockFolder());

  std::vector<std::string> SerialPorts() const override;
  std::vector<UsbPrinterInfo> UsbPrinters() const override;
  std::string UsbPrinterSource() const override;
  std::string SerialDevicePath(const std::string& portName) const override;
  std::string LockFolder() const override { return lockFolder_; }

 private:
  std::string sysRoot_;
  std::string devRoot_;
  std::string lockFolder_;
};

}  // namespace kestrel::posix

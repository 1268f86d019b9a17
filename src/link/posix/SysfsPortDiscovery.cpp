#include "link/posix/SysfsPortDiscovery.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

namespace kestrel::posix {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> ReadFirstLine(const std::string& path) {
  std::ifstream file(path);
  if (!file) return std::nullopt;
  std::string line;
  if (!std::getline(file, line) && !file.eof()) return std::nullopt;
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
  return line;
}

std::vector<std::string> EntryNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    names.push_back(it->path().filename().string());
  }
  return names;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// A ttyS entry exists for every 8250 slot the kernel reserves; only a slot
// with a UART fitted reports a port type other than 0 (unknown).
bool IsSerialDevice(const std::string& ttyFolder, const std::string& name) {
  std::error_code error;
  if (!fs::exists(ttyFolder + "/device", error)) return false;
  if (!StartsWith(name, "ttyS")) return true;
  return ReadFirstLine(ttyFolder + "/type").value_or("") != "0";
}

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The USB device above the printer interface carries the vendor and product;
// the usblp interface itself offers the printer's IEEE 1284 device id.
std::string ReadHardwareId(const std::string& lpFolder) {
  const auto vendor = ReadFirstLine(lpFolder + "/device/../idVendor");
  const auto product = ReadFirstLine(lpFolder + "/device/../idProduct");
  if (vendor && product && !vendor->empty() && !product->empty()) {
    return "USB\\VID_" + UpperCase(*vendor) + "&PID_" + UpperCase(*product);
  }
  return ReadFirstLine(lpFolder + "/device/ieee1284_id").value_or("");
}

}  // namespace

std::string SystemLockFolder() {
  std::error_code error;
  return fs::is_directory("/run/lock", error) ? "/run/lock" : "/var/lock";
}

SysfsPortDiscovery::SysfsPortDiscovery(std::string sysRoot, std::string devRoot, std::string lockFolder)
    : sysRoot_(std::move(sysRoot)), devRoot_(std::move(devRoot)), lockFolder_(std::move(lockFolder)) {}

std::vector<std::string> SysfsPortDiscovery::SerialPorts() const {
  const std::string classFolder = sysRoot_ + "/class/tty";
  std::vector<std::string> names;
  for (const std::string& name : EntryNames(classFolder)) {
    if (IsSerialDevice(classFolder + "/" + name, name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), NaturalLess);

  std::vector<std::string> ports;
  for (const std::string& name : names) ports.push_back(devRoot_ + "/" + name);
  return ports;
}

std::string SysfsPortDiscovery::SerialDevicePath(const std::string& portName) const {
  if (StartsWith(portName, "COM") && AllDigits(portName.substr(3)) && portName.size() <= 8) {
    const int number = std::stoi(portName.substr(3));
    if (number >= 1) return devRoot_ + "/ttyS" + std::to_string(number - 1);
  }
  if (portName.find('/') != std::string::npos) return portName;
  // Only a terminal the kernel knows is looked for among the devices: a bare
  // "sda" must never reach the disk. Any other name is a file of the working
  // folder, which the open refuses unless it is a terminal.
  std::error_code error;
  if (!portName.empty() && fs::exists(sysRoot_ + "/class/tty/" + portName, error)) {
    return devRoot_ + "/" + portName;
  }
  return portName;
}

std::string SysfsPortDiscovery::UsbPrinterSource() const { return "usblp under " + sysRoot_ + "/class/usbmisc"; }

std::vector<UsbPrinterInfo> SysfsPortDiscovery::UsbPrinters() const {
  const std::string classFolder = sysRoot_ + "/class/usbmisc";
  std::vector<std::string> names;
  for (const std::string& name : EntryNames(classFolder)) {
    if (StartsWith(name, "lp") && AllDigits(name.substr(2))) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), NaturalLess);

  std::vector<UsbPrinterInfo> printers;
  for (const std::string& name : names) {
    printers.push_back({devRoot_ + "/usb/" + name, ReadHardwareId(classFolder + "/" + name)});
  }
  return printers;
}

}  // namespace kestrel::posix

namespace kestrel {

const PortDiscovery& SystemPortDiscovery() {
  static const posix::SysfsPortDiscovery system;
  return system;
}

}  // namespace kestrel

#include "link/PortDiscovery.h"

#include <windows.h>

#include <initguid.h>
#include <setupapi.h>

#include <vector>

#include "language/win32/WideText.h"

namespace kestrel {
namespace {

// The class of the USB printer device interfaces.
DEFINE_GUID(kUsbPrinterInterface, 0x28d78fad, 0x5a12, 0x11d1, 0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2);

// The registry value's data as text, up to its first terminating zero.
std::string RegistryText(const std::vector<BYTE>& data) {
  std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
  text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
  return win32::Narrow(text);
}

// The interface's device path, the name it is opened by; empty when the
// system cannot give it.
std::string InterfacePath(HDEVINFO devices, SP_DEVICE_INTERFACE_DATA& interfaceData, SP_DEVINFO_DATA& device) {
  DWORD size = 0;
  SetupDiGetDeviceInterfaceDetailW(devices, &interfaceData, nullptr, 0, &size, nullptr);
  if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return {};
  std::vector<BYTE> buffer(size);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  device.cbSize = sizeof(SP_DEVINFO_DATA);
  if (!SetupDiGetDeviceInterfaceDetailW(devices, &interfaceData, detail, size, nullptr, &device)) return {};
  return win32::Narrow(detail->DevicePath);
}

// The first of the device's hardware identifiers ("USB\VID_xxxx&PID_xxxx").
std::string HardwareId(HDEVINFO devices, SP_DEVINFO_DATA& device) {
  DWORD size = 0;
  SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_HARDWAREID, nullptr, nullptr, 0, &size);
  if (size == 0) return {};
  std::vector<BYTE> buffer(size + sizeof(wchar_t) * 2, 0);
  if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_HARDWAREID, nullptr, buffer.data(), size, nullptr))
    return {};
  return RegistryText(buffer);
}

// The registry's serial ports and the printer device interfaces.
class WindowsPortDiscovery final : public PortDiscovery {
 public:
  std::vector<std::string> SerialPorts() const override;
  std::vector<UsbPrinterInfo> UsbPrinters() const override;
  std::string UsbPrinterSource() const override;
  std::string SerialDevicePath(const std::string& portName) const override;
  std::string LockFolder() const override { return {}; }
};

}  // namespace

const PortDiscovery& SystemPortDiscovery() {
  static const WindowsPortDiscovery system;
  return system;
}

// Each value of the key names one port; its data is the port's name. A value
// the system cannot read ends the list, so a key that keeps failing cannot
// hold the start-up.
std::vector<std::string> WindowsPortDiscovery::SerialPorts() const {
  std::vector<std::string> ports;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
    return ports;
  for (DWORD index = 0;; ++index) {
    wchar_t name[261] = {};
    DWORD nameLength = 261;
    std::vector<BYTE> data(522 + sizeof(wchar_t), 0);
    DWORD dataSize = 522;
    const LONG result = RegEnumValueW(key, index, name, &nameLength, nullptr, nullptr, data.data(), &dataSize);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) break;
    ports.push_back(RegistryText(data));
  }
  RegCloseKey(key);
  return ports;
}

// "COM10" and above open only through the device namespace, and "COM3" opens
// there as well; a path (with a folder or a drive) is taken as it is.
std::string WindowsPortDiscovery::SerialDevicePath(const std::string& portName) const {
  if (portName.find_first_of("\\/:") != std::string::npos) return portName;
  return "\\\\.\\" + portName;
}

std::string WindowsPortDiscovery::UsbPrinterSource() const {
  return "device interfaces of class {28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
}

std::vector<UsbPrinterInfo> WindowsPortDiscovery::UsbPrinters() const {
  std::vector<UsbPrinterInfo> printers;
  HDEVINFO devices = SetupDiGetClassDevsW(&kUsbPrinterInterface, nullptr, nullptr,
                                          DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (devices == INVALID_HANDLE_VALUE) return printers;
  for (DWORD index = 0;; ++index) {
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof interfaceData;
    if (!SetupDiEnumDeviceInterfaces(devices, nullptr, &kUsbPrinterInterface, index, &interfaceData)) break;
    // An interface whose path cannot be read keeps its place, so that the
    // first printer stays the first and simply fails to open.
    SP_DEVINFO_DATA device{};
    const std::string path = InterfacePath(devices, interfaceData, device);
    printers.push_back({path, path.empty() ? std::string() : HardwareId(devices, device)});
  }
  SetupDiDestroyDeviceInfoList(devices);
  return printers;
}

}  // namespace kestrel

#include "support/win32/HostShell.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>

#include "language/win32/WideText.h"

namespace kestrel::test {

bool RunHostShell(const std::string& script) {
  std::wstring commandLine = L"Z:\\bin\\sh -c \"" + win32::Widen(script) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

std::wstring FromHost(const std::string& path) {
  std::wstring windowsPath = L"Z:" + win32::Widen(path);
  std::replace(windowsPath.begin(), windowsPath.end(), L'/', L'\\');
  return windowsPath;
}

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path) {
  std::vector<std::uint8_t> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  std::uint8_t chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  CloseHandle(file);
  return bytes;
}

// Wine finds COMn as the link "comn" in the prefix's dosdevices folder.
std::string MappedComPort::DeviceLink() const {
  std::string device = name_;
  std::transform(device.begin(), device.end(), device.begin(),
                 [](char c) { return static_cast<char>(std::tolower(c)); });
  return "${WINEPREFIX:-$HOME/.wine}/dosdevices/" + device;
}

// Four names a process, apart from those of the other test processes that
// run at the same time, within the numbers Windows gives COM ports.
MappedComPort::MappedComPort() {
  static std::atomic<unsigned> made = 0;
  const DWORD process = GetCurrentProcessId();
  const unsigned number = made++;
  name_ = "COM" + std::to_string(20 + (process / 4) % 59 * 4 + number % 4);
  unixFolder_ = "/tmp/kestrel-com-" + std::to_string(process) + "-" + std::to_string(number);
  const std::string& folder = unixFolder_;
  RunHostShell("mkdir -p " + folder + "; socat -u PTY,link=" + folder + "/port,raw,echo=0 OPEN:" + folder +
               "/wire,creat,append & echo $! > " + folder + "/socat.pid; i=0; while [ ! -e " + folder +
               "/port ] && [ $i -lt 50 ]; do sleep 0.1; i=$((i+1)); done; ln -sfn " + folder + "/port " + DeviceLink() +
               "; touch " + folder + "/ready");
}

MappedComPort::~MappedComPort() {
  const std::string& folder = unixFolder_;
  RunHostShell("pid=$(cat " + folder + "/socat.pid); grep -qx socat /proc/$pid/comm && kill $pid; rm -f " +
               DeviceLink() + "; rm -rf " + folder);
}

bool MappedComPort::Ready() const {
  return GetFileAttributesW(FromHost(unixFolder_ + "/ready").c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::uint8_t> MappedComPort::Wire() const { return ReadWholeFile(FromHost(unixFolder_ + "/wire")); }

void MappedComPort::Clear() const {
  HANDLE file = CreateFileW(FromHost(unixFolder_ + "/wire").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace kestrel::test

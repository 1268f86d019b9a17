#include "link/PortDevice.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

#include "language/win32/WideText.h"
#include "link/win32/TcpSocket.h"

namespace kestrel {
namespace {

using Clock = std::chrono::steady_clock;

HANDLE Native(DeviceHandle port) { return reinterpret_cast<HANDLE>(port); }

std::string ErrorText(const std::string& what) {
  const DWORD error = GetLastError();
  wchar_t* message = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::string text = message ? win32::Narrow(message) : "error " + std::to_string(error);
  if (message) LocalFree(message);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return what + ": " + text;
}

// Opened overlapped, so that every write can be given up after its time.
// No sharing: the port belongs to this program alone while open.
OpenedPort OpenDevice(const std::string& path) {
  HANDLE device = CreateFileW(win32::Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
  if (device == INVALID_HANDLE_VALUE) return {kNoPort, ErrorText("cannot open " + path), {}};
  return {reinterpret_cast<DeviceHandle>(device), {}, {}};
}

// Raw 8N1 at the rate, no handshake of any kind (a printer's XOFF must not
// hold the line, and no XON/XOFF byte may enter the job), DTR and RTS off.
void ApplyLineSettings(HANDLE port, int rate) {
  DCB line{};
  line.DCBlength = sizeof line;
  if (GetCommState(port, &line)) {
    line.BaudRate = static_cast<DWORD>(rate);
    line.ByteSize = 8;
    line.Parity = NOPARITY;
    line.StopBits = ONESTOPBIT;
    line.fBinary = TRUE;
    line.fParity = FALSE;
    line.fOutxCtsFlow = FALSE;
    line.fOutxDsrFlow = FALSE;
    line.fDtrControl = DTR_CONTROL_DISABLE;
    line.fRtsControl = RTS_CONTROL_DISABLE;
    line.fOutX = FALSE;
    line.fInX = FALSE;
    SetCommState(port, &line);
  }
  SetupComm(port, 1024, 1024);
  COMMTIMEOUTS timeouts{65535, 65535, 65535, 65535, 65535};
  SetCommTimeouts(port, &timeouts);
  // Bytes of an earlier job still on their way out are left to finish; only
  // what the printer sent back is dropped.
  PurgeComm(port, PURGE_RXABORT | PURGE_RXCLEAR);
}

// Bytes the serial driver still holds for sending; 0 when it does not say.
DWORD QueuedForSending(HANDLE port) {
  DWORD errors = 0;
  COMSTAT status{};
  return ClearCommError(port, &errors, &status) ? status.cbOutQue : 0;
}

void Report(const WriteWatch& watch, std::size_t sent) {
  if (watch.sent != nullptr) *watch.sent = static_cast<std::int64_t>(sent);
}

bool Abandoned(const WriteWatch& watch) { return watch.abandon != nullptr && *watch.abandon; }

// One overlapped write of the whole range, given up at the deadline or when
// the watcher abandons it; waits in short slices so that either is seen.
bool WriteUntil(HANDLE port, const std::uint8_t* bytes, std::size_t count, Clock::time_point deadline,
                const WriteWatch& watch) {
  std::size_t done = 0;
  OVERLAPPED pending{};
  pending.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (pending.hEvent == nullptr) return false;
  bool ok = true;
  while (ok && done < count) {
    ResetEvent(pending.hEvent);
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 4096));
    DWORD written = 0;
    if (!WriteFile(port, bytes + done, chunk, &written, &pending)) {
      if (GetLastError() != ERROR_IO_PENDING) {
        ok = false;
        break;
      }
      while (WaitForSingleObject(pending.hEvent, 20) == WAIT_TIMEOUT) {
        if (Clock::now() >= deadline || Abandoned(watch)) {
          CancelIoEx(port, &pending);
          break;
        }
      }
      // The system owns the record until the write has ended, given up or not.
      if (!GetOverlappedResult(port, &pending, &written, TRUE)) ok = false;
    }
    if (written == 0) ok = false;
    done += written;
    Report(watch, done);
  }
  CloseHandle(pending.hEvent);
  return ok && done == count;
}

Clock::time_point LineDeadline(std::size_t count, DWORD queued, int rate) {
  // Ten bit times per byte at 8N1; bytes still queued from an earlier write
  // go out first, so they count towards the limit too.
  const auto lineTime =
      std::chrono::milliseconds((static_cast<long long>(count) + queued) * 10 * 1000 / (rate > 0 ? rate : 9600));
  return Clock::now() + lineTime + std::chrono::seconds(2);
}

}  // namespace

OpenedPort OpenSerialDevice(const std::string& path, int rate, const std::string&) {
  OpenedPort opened = OpenDevice(path);
  if (opened.handle == kNoPort) return opened;
  HANDLE port = Native(opened.handle);
  DCB line{};
  line.DCBlength = sizeof line;
  if (GetFileType(port) != FILE_TYPE_CHAR || !GetCommState(port, &line)) {
    CloseHandle(port);
    return {kNoPort, "not a serial port: " + path, {}};
  }
  ApplyLineSettings(port, rate);
  opened.type = PortType::kSerial;
  return opened;
}

OpenedPort OpenPrinterNode(const std::string& path) {
  OpenedPort opened = OpenDevice(path);
  if (opened.handle != kNoPort && GetFileType(Native(opened.handle)) == FILE_TYPE_DISK) {
    CloseHandle(Native(opened.handle));
    return {kNoPort, "not a printer device: " + path, {}};
  }
  opened.type = PortType::kUsb;
  return opened;
}

void ClosePort(OpenedPort& port) {
  if (port.handle != kNoPort && port.type == PortType::kTcp)
    CloseTcpSocket(port.handle);
  else if (port.handle != kNoPort)
    CloseHandle(Native(port.handle));
  port = {};
}

bool WritePrinterNodeInTime(DeviceHandle port, const std::uint8_t* bytes, std::size_t count,
                            const WriteWatch& watch) {
  // The slowest printer takes some 4000 bytes a second; one that has taken
  // them no faster has stopped reading (paper out, offline).
  const auto deadline = Clock::now() + std::chrono::seconds(2) +
                        std::chrono::milliseconds(static_cast<long long>(count) * 1000 / 4000);
  Report(watch, 0);
  return WriteUntil(Native(port), bytes, count, deadline, watch);
}

bool WriteSerialInTime(DeviceHandle port, const std::uint8_t* bytes, std::size_t count, int rate,
                       const WriteWatch& watch) {
  HANDLE native = Native(port);
  const Clock::time_point deadline = LineDeadline(count, QueuedForSending(native), rate);
  Report(watch, 0);
  if (!WriteUntil(native, bytes, count, deadline, watch)) return false;
  // Done means sent: the driver's queue has run empty.
  while (QueuedForSending(native) > 0) {
    if (Clock::now() >= deadline || Abandoned(watch)) return false;
    Sleep(5);
  }
  return true;
}

}  // namespace kestrel

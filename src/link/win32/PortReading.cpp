#include <windows.h>

#include <algorithm>
#include <chrono>

#include "link/PortDevice.h"
#include "link/win32/TcpSocket.h"

namespace kestrel {
namespace {

using Clock = std::chrono::steady_clock;

HANDLE Native(DeviceHandle port) { return reinterpret_cast<HANDLE>(port); }

long long MillisecondsLeft(Clock::time_point deadline) {
  return std::max<long long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
}

ReadOutcome Failed(const char* what) {
  ReadOutcome outcome;
  outcome.failed = true;
  outcome.error = std::string(what) + ": error " + std::to_string(GetLastError());
  return outcome;
}

// One overlapped read of up to `capacity` bytes, given up after timeoutMs.
// The handles are opened overlapped, so a read that waits can be cancelled.
ReadOutcome ReadOverlapped(HANDLE port, std::uint8_t* into, std::size_t capacity, int timeoutMs) {
  ReadOutcome outcome;
  OVERLAPPED pending{};
  pending.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (pending.hEvent == nullptr) return Failed("read failed");
  DWORD count = 0;
  const DWORD size = static_cast<DWORD>(std::min<std::size_t>(capacity, 65536));
  bool ok = ReadFile(port, into, size, &count, &pending) != 0;
  if (!ok && GetLastError() == ERROR_IO_PENDING) {
    if (WaitForSingleObject(pending.hEvent, static_cast<DWORD>(std::max(0, timeoutMs))) == WAIT_TIMEOUT)
      CancelIoEx(port, &pending);
    // The system owns the record until the read has ended, cancelled or not.
    ok = GetOverlappedResult(port, &pending, &count, TRUE) != 0;
    if (!ok && GetLastError() == ERROR_OPERATION_ABORTED) ok = true;
  }
  CloseHandle(pending.hEvent);
  if (!ok) return Failed("read failed");
  outcome.count = count;
  return outcome;
}

// Bytes the serial driver holds that have not been read; 0 when it does not say.
DWORD Received(HANDLE port) {
  DWORD errors = 0;
  COMSTAT status{};
  return ClearCommError(port, &errors, &status) ? status.cbInQue : 0;
}

// A serial port is read only once bytes are there: its read time-outs stay
// as the link set them, and a read of what is queued returns at once.
ReadOutcome ReadSerialWithin(HANDLE port, std::uint8_t* into, std::size_t capacity, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const DWORD waiting = Received(port);
    if (waiting > 0) return ReadOverlapped(port, into, std::min<std::size_t>(capacity, waiting), timeoutMs);
    if (MillisecondsLeft(deadline) == 0) return {};
    Sleep(5);
  }
}

}  // namespace

ReadOutcome ReadPortWithin(const OpenedPort& port, std::uint8_t* into, std::size_t capacity, int timeoutMs) {
  if (port.handle == kNoPort) {
    ReadOutcome outcome;
    outcome.failed = true;
    outcome.error = "no port is open";
    return outcome;
  }
  switch (port.type) {
    case PortType::kTcp:
      return win32::ReadSocketWithin(port.handle, into, capacity, timeoutMs);
    case PortType::kSerial:
      return ReadSerialWithin(Native(port.handle), into, capacity, timeoutMs);
    default:
      return ReadOverlapped(Native(port.handle), into, capacity, timeoutMs);
  }
}

void DrainPort(const OpenedPort& port) {
  if (port.handle == kNoPort) return;
  switch (port.type) {
    case PortType::kTcp:
      win32::DrainSocket(port.handle);
      break;
    case PortType::kSerial:
      PurgeComm(Native(port.handle), PURGE_RXABORT | PURGE_RXCLEAR);
      break;
    default: {
      // The USB printer class keeps no queue of its own: what the printer
      // sent is read and dropped until a short read finds nothing.
      std::uint8_t chunk[512];
      for (int round = 0; round < 64; ++round)
        if (ReadOverlapped(Native(port.handle), chunk, sizeof chunk, 5).count == 0) break;
      break;
    }
  }
}

}  // namespace kestrel

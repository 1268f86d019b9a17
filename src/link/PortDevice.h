#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrel {

// An open port as the system knows it: a file descriptor on Linux, a handle
// on Windows; kNoPort when none is open.
using DeviceHandle = std::intptr_t;
inline constexpr DeviceHandle kNoPort = -1;

// An open port and the lock file it holds (Linux), or kNoPort and the reason
// it could not be opened.
struct OpenedPort {
  DeviceHandle handle = kNoPort;
  std::string error;
  std::string lockFile;    // empty when none is held
  bool exclusive = false;  // the terminal is kept to this program until closed (Linux)
};

// Opens a serial device for this program alone and sets the line to raw 8N1
// at the given rate without handshake, DTR and RTS held off, what came in
// discarded. Anything but a terminal is refused before a byte could reach it;
// so is a port whose lock file in `lockFolder` names another running program
// (Linux; Windows keeps a port to one program by itself).
// Line settings the device rejects are left as they are.
OpenedPort OpenSerialDevice(const std::string& path, int rate, const std::string& lockFolder);

// Opens a USB printer node read-write for this program alone; refuses
// anything but a character device.
OpenedPort OpenPrinterNode(const std::string& path);

// Closes the port and releases its lock file.
void ClosePort(OpenedPort& port);

// What a running write reports and what ends it early.
struct WriteWatch {
  std::atomic<std::int64_t>* sent = nullptr;   // bytes that have left so far
  const std::atomic<bool>* abandon = nullptr;  // once set, the write ends, failed
};

// Writes every byte to a serial device and waits until they have left the
// line, within the time the line needs for them and for what was already
// queued, plus two seconds; false when the device stalls past that or
// reports an error.
bool WriteSerialInTime(DeviceHandle port, const std::uint8_t* bytes, std::size_t count, int rate,
                       const WriteWatch& watch = {});

// Hands every byte to a USB printer node within two seconds plus the time the
// slowest printer takes to accept them; false when the printer stops taking
// bytes past that (paper out, offline) or reports an error.
bool WritePrinterNodeInTime(DeviceHandle port, const std::uint8_t* bytes, std::size_t count,
                            const WriteWatch& watch = {});

}  // namespace kestrel

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrel {

// An open port as the system knows it: a file descriptor on Linux, a handle
// on Windows; kNoPort when none is open.
using DeviceHandle = std::intptr_t;
inline constexpr DeviceHandle kNoPort = -1;

// An open port, or kNoPort and the reason it could not be opened.
struct OpenedPort {
  DeviceHandle handle = kNoPort;
  std::string error;
};

// Opens a serial device for this program alone and sets the line to raw 8N1
// at the given rate without handshake, DTR and RTS held off, both queues
// discarded. Only the open and the exclusive claim can fail; line settings
// the device rejects are left as they are.
OpenedPort OpenSerialDevice(const std::string& path, int rate);

// Opens a USB printer node read-write for this program alone.
OpenedPort OpenPrinterNode(const std::string& path);

void ClosePort(DeviceHandle port);

// Hands every byte to a blocking device; false on the first error.
bool WriteAllBlocking(DeviceHandle port, const std::uint8_t* bytes, std::size_t count);

// Hands every byte to a non-blocking serial device within the time the line
// needs to send them and what was already queued, plus two seconds; false
// when the device stalls past that or reports an error.
bool WriteSerialInTime(DeviceHandle port, const std::uint8_t* bytes, std::size_t count, int rate);

}  // namespace kestrel

#pragma once

#include "link/PortDevice.h"

namespace kestrel::win32 {

// A network printer's port is a winsock socket, closed its own way.
void CloseTcpSocket(DeviceHandle socket);

}  // namespace kestrel::win32

namespace kestrel {
using win32::CloseTcpSocket;
}  // namespace kestrel

namespace kestrel::win32 {

// Reading a socket: at most timeoutMs for the first bytes; a drain takes what
// is there without waiting.
ReadOutcome ReadSocketWithin(DeviceHandle port, std::uint8_t* into, std::size_t capacity, int timeoutMs);
void DrainSocket(DeviceHandle port);

}  // namespace kestrel::win32

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

// What kind of port a handle is: each reads and writes its own way on Windows.
enum class PortType { kNone, kUsb, kSerial, kTcp };

// An open port and the lock file it holds (Linux), or kNoPort and the reason
// it could not be opened.
struct OpenedPort {
  DeviceHandle handle = kNoPort;
  std::string error;
  std::string lockFile;    // empty when none is held
  bool exclusive = false;  // the terminal is kept to this program until closed (Linux)
  PortType type = PortType::kNone;
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

// Opens a raw TCP printer port (HOST:PORT, as network printers offer on
// 9100), giving up after connectTimeoutMs. The reason on failure names the
// address: refused, unreachable, unknown host, no answer in time.
OpenedPort OpenTcpPort(const std::string& host, int port, int connectTimeoutMs);

// Hands every byte to a TCP printer port; false, with the reason in *error,
// when the connection is reset or closed, or when the printer has taken no
// byte for stallLimitMs (it accepted the connection but does not read).
bool WriteTcpInTime(DeviceHandle port, const std::uint8_t* bytes, std::size_t count, int stallLimitMs,
                    const WriteWatch& watch, std::string* error);

// What one read brought: `count` bytes, none when nothing came in time, or
// the reason the port failed.
struct ReadOutcome {
  std::size_t count = 0;
  bool failed = false;
  std::string error;
};

// Waits at most timeoutMs for the printer to send and reads what has arrived,
// up to `capacity` bytes; never waits longer, whatever the port.
ReadOutcome ReadPortWithin(const OpenedPort& port, std::uint8_t* into, std::size_t capacity, int timeoutMs);

// Drops every byte that has arrived and not been read, without waiting for
// more, so that an old answer is never taken for the next one.
void DrainPort(const OpenedPort& port);

}  // namespace kestrel

#pragma once

#include <string>

namespace kestrel::posix {

// The lock file that terminal programs, modem tools and Qt's serial port
// class take for a serial device: "LCK..ttyS0" in the system's lock folder,
// holding the owner's process id as ten right-aligned digits and a line feed.
// Honouring it keeps Kestrel and those programs off each other's ports.
std::string PortLockFile(const std::string& devicePath, const std::string& lockFolder);

struct PortLock {
  bool held = false;    // the lock file is ours: release it when the port closes
  std::string refusal;  // why the port must not be opened; empty when it may
};

// Takes the lock file for this process. A lock of a process that no longer
// runs is stale and replaced. A folder that takes no lock files (missing,
// read-only) leaves the port to the other claims of the open.
PortLock TakePortLock(const std::string& lockFile);

// Removes the lock file while it still names this process.
void ReleasePortLock(const std::string& lockFile);

}  // namespace kestrel::posix

#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace kestrel {

// The folder where serial ports' lock files live: /run/lock, or /var/lock on
// systems without it.
inline std::string SystemLockFolder() {
  std::error_code error;
  return std::filesystem::is_directory("/run/lock", error) ? "/run/lock" : "/var/lock";
}

// The roots discovery and opening look under; tests point them at a fake tree.
struct LinkPaths {
  std::string sysRoot = "/sys";
  std::string devRoot = "/dev";
  std::string lockRoot = SystemLockFolder();
};

}  // namespace kestrel

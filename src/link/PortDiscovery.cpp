#include "link/PortDiscovery.h"

#include <algorithm>
#include <cctype>

namespace kestrel {

bool NaturalLess(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const bool digitA = std::isdigit(static_cast<unsigned char>(a[i]));
    const bool digitB = std::isdigit(static_cast<unsigned char>(b[j]));
    if (digitA && digitB) {
      std::size_t endA = i, endB = j;
      while (endA < a.size() && std::isdigit(static_cast<unsigned char>(a[endA]))) ++endA;
      while (endB < b.size() && std::isdigit(static_cast<unsigned char>(b[endB]))) ++endB;
      // Compare by value without converting, so long runs cannot overflow.
      std::string runA = a.substr(i, endA - i), runB = b.substr(j, endB - j);
      runA.erase(0, std::min(runA.find_first_not_of('0'), runA.size()));
      runB.erase(0, std::min(runB.find_first_not_of('0'), runB.size()));
      if (runA.size() != runB.size()) return runA.size() < runB.size();
      if (runA != runB) return runA < runB;
      i = endA;
      j = endB;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j];
    ++i;
    ++j;
  }
  if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j;
  return a < b;
}

bool IsUsbPortName(const std::string& name) { return name == "USB" || name == "usb"; }

std::vector<std::string> ListSerialPorts(const PortDiscovery& discovery) {
  std::vector<std::string> ports = discovery.SerialPorts();
  if (ports.empty()) {
    for (int n = 1; n <= 9; ++n) ports.push_back("COM" + std::to_string(n));
  }
  return ports;
}

std::vector<std::string> PortTypeEntries(const PortDiscovery& discovery) {
  std::vector<std::string> entries{"USB"};
  for (std::string& port : ListSerialPorts(discovery)) entries.push_back(std::move(port));
  return entries;
}

}  // namespace kestrel

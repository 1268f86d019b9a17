#pragma once

#include <string>

namespace kestrel {

// The roots discovery and opening look under; tests point them at a fake tree.
struct LinkPaths {
  std::string sysRoot = "/sys";
  std::string devRoot = "/dev";
};

}  // namespace kestrel

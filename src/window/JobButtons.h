#pragma once

#include <span>

namespace kestrel {

// A button of the main window that runs a named job (see FindJob).
struct JobButton {
  int id;
  const char* job;
};

// Every job button of the main window: settings, test labels, single-item
// tests and the custom label. Two buttons may run the same job (1031, 1081).
std::span<const JobButton> JobButtons();

}  // namespace kestrel

#pragma once

#include <string>
#include <vector>

namespace kestrel {

// What the window program does with its command line before it opens a
// display: `--help` and `--version` answer without one, Qt's own options pass
// on to Qt, and anything else is refused, so that a mistyped option is not
// silently ignored by a window that opens all the same.
struct WindowStart {
  bool openWindow = true;
  int status = 0;      // the exit status when the window does not open
  std::string output;  // for stdout
  std::string error;   // for stderr
};

// `args` without the program's name.
WindowStart ReadWindowArguments(const std::vector<std::string>& args);

}  // namespace kestrel

#include "cli/plan/OperatorConsole.h"

#include <io.h>
#include <windows.h>

#include <cstdio>

#include "cli/ProcessIo.h"

namespace kestrel::cli {

std::string HostName() {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof name;
  return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

// The live lines move the cursor with terminal sequences, which not every
// Windows console follows; a run there writes one line per event.
bool StdoutIsTerminal() { return false; }

bool ReadOperatorLine(std::string* line) {
  line->clear();
  char buffer[4096];
  if (Interrupted() || std::fgets(buffer, sizeof buffer, stdin) == nullptr) return false;
  *line = buffer;
  while (!line->empty() && (line->back() == '\n' || line->back() == '\r')) line->pop_back();
  return !Interrupted();
}

}  // namespace kestrel::cli

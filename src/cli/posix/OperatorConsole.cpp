#include "cli/plan/OperatorConsole.h"

#include <poll.h>
#include <unistd.h>

#include "cli/ProcessIo.h"

namespace kestrel::cli {

std::string HostName() {
  char name[256] = {};
  return gethostname(name, sizeof name - 1) == 0 ? name : "";
}

bool StdoutIsTerminal() { return isatty(STDOUT_FILENO) == 1; }

// Byte by byte, so nothing after the line is taken from the input that a
// later question reads; waits in short steps so Ctrl+C ends the wait.
bool ReadOperatorLine(std::string* line) {
  line->clear();
  while (!Interrupted()) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 100) <= 0) continue;
    char c = 0;
    const ssize_t got = read(STDIN_FILENO, &c, 1);
    if (got < 0) continue;
    if (got == 0) return !line->empty();
    if (c == '\n') return true;
    if (c != '\r' && line->size() < 4096) line->push_back(c);
  }
  return false;
}

}  // namespace kestrel::cli

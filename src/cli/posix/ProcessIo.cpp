#include "cli/ProcessIo.h"

#include <csignal>

namespace kestrel::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) { interrupted = 1; }

}  // namespace

Arguments ProgramArguments(int argc, char** argv) { return Arguments(argv + (argc > 0 ? 1 : 0), argv + argc); }

std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

// A TERM from the line's controller counts as Ctrl+C.
void CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool Interrupted() { return interrupted != 0; }

}  // namespace kestrel::cli

#include "cli/ProcessIo.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "customlabel/LabelSettings.h"

namespace kestrel::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
  if (interrupted < 1000) interrupted = interrupted + 1;
}

}  // namespace

Arguments ProgramArguments(int argc, char** argv) { return Arguments(argv + (argc > 0 ? 1 : 0), argv + argc); }

std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

std::FILE* StandardInput() { return stdin; }

std::optional<std::string> EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

std::string SettingsFilePath() {
  const std::string root = ConfigRootFromEnvironment();
  return root.empty() ? std::string() : root + "/kestrel/kestrel.conf";
}

bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

bool StdinIsTerminal() { return isatty(STDIN_FILENO) == 1; }

// A TERM from the line's controller counts as Ctrl+C.
void CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool Interrupted() { return interrupted != 0; }

int Interruptions() { return interrupted; }

}  // namespace kestrel::cli

#include "support/EmulatorProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace kestrel::test {

Emulator::Emulator(const std::vector<std::string>& args) {
  const std::string out = folder_.path() + "/stdout";
  const std::string err = folder_.path() + "/stderr";
  const std::string folder = pages();
  pid_ = fork();
  if (pid_ == 0) {
    dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    std::vector<const char*> argv{KESTREL_CLI_PATH, "emulate", "--output-dir", folder.c_str()};
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    execv(KESTREL_CLI_PATH, const_cast<char* const*>(argv.data()));
    _exit(127);
  }
  WaitFor([&] { return Output().find('\n') != std::string::npos; });
}

Emulator::~Emulator() {
  if (pid_ > 0) Stop();
}

std::string Emulator::Output() const { return ReadText(folder_.path() + "/stdout"); }

std::string Emulator::Errors() const { return ReadText(folder_.path() + "/stderr"); }

std::string Emulator::PagePath(int number) const {
  char name[32];
  std::snprintf(name, sizeof name, "/page-%04d.png", number);
  return pages() + name;
}

bool Emulator::WaitForPage(int number) const {
  return WaitFor([&] {
    return std::filesystem::exists(PagePath(number)) &&
           Output().find("page " + std::to_string(number) + ":") != std::string::npos;
  });
}

int Emulator::Stop() {
  kill(pid_, SIGTERM);
  int status = 0;
  const bool exited = waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status);
  pid_ = -1;
  return exited ? WEXITSTATUS(status) : -1;
}

long Emulator::ResidentKilobytes() const {
  const std::string status = ReadText("/proc/" + std::to_string(pid_) + "/status");
  const std::size_t at = status.find("VmRSS:");
  return at == std::string::npos ? -1 : std::stol(status.substr(at + 6));
}

bool Emulator::Running() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

}  // namespace kestrel::test

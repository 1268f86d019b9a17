#include "support/CliRunner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/TestSupport.h"

namespace kestrel::test {

CliRun RunCli(const std::vector<std::string>& args, const char* locale, const char* stdoutPath) {
  TempDir dir;
  const std::string outFile = stdoutPath ? stdoutPath : dir.path() + "/stdout";
  const std::string errFile = dir.path() + "/stderr";
  const pid_t child = fork();
  if (child == 0) {
    setenv("LC_ALL", locale, 1);
    dup2(open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    std::vector<char*> argv{const_cast<char*>(KESTREL_CLI_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(KESTREL_CLI_PATH, argv.data());
    _exit(127);
  }
  CliRun run;
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  if (!stdoutPath) run.output = ReadText(outFile);
  run.error = ReadText(errFile);
  return run;
}

}  // namespace kestrel::test

#include "support/CliRunner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/TestSupport.h"

namespace kestrel::test {

CliRun RunProgram(const std::string& program, const std::vector<std::string>& args, const char* locale,
                  const char* stdoutPath, const char* stdinPath) {
  TempDir dir;
  const std::string outFile = stdoutPath ? stdoutPath : dir.path() + "/stdout";
  const std::string errFile = dir.path() + "/stderr";
  const pid_t child = fork();
  if (child == 0) {
    setenv("LC_ALL", locale, 1);
    dup2(open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    if (stdinPath) dup2(open(stdinPath, O_RDONLY | O_NOCTTY), 0);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execvp(program.c_str(), argv.data());
    _exit(127);
  }
  CliRun run;
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  if (!stdoutPath) run.output = ReadText(outFile);
  run.error = ReadText(errFile);
  return run;
}

CliRun RunCli(const std::vector<std::string>& args, const char* locale, const char* stdoutPath, const char* stdinPath) {
  return RunProgram(KESTREL_CLI_PATH, args, locale, stdoutPath, stdinPath);
}

CliRun PythonJson(const std::string& json, const std::string& expression) {
  TempDir dir;
  const std::string path = dir.path() + "/document.json";
  WriteText(path, json);
  const std::string script =
      "import json, sys\n"
      "sys.stdout.reconfigure(encoding='utf-8')\n"
      "d = json.load(open(sys.argv[1], encoding='utf-8'))\n"
      "print(" +
      expression + ")\n";
  return RunProgram("python3", {"-c", script, path});
}

}  // namespace kestrel::test

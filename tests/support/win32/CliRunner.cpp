#include "support/CliRunner.h"

#include <windows.h>

#include <string>

#include "language/win32/WideText.h"
#include "support/TestSupport.h"

namespace kestrel::test {
namespace {

// One argument quoted for the command line, as CommandLineToArgvW reads it
// back: backslashes before a quotation mark doubled, the mark escaped.
std::wstring Quoted(const std::wstring& arg) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

HANDLE InheritableFile(const std::wstring& path) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

HANDLE InheritableInput(const std::wstring& path) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, &inherit, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

}  // namespace

// A Windows program has the system's code page whatever its environment says,
// so the locale is not passed on.
CliRun RunProgram(const std::string& program, const std::vector<std::string>& args, const char*, const char* stdoutPath,
                  const char* stdinPath) {
  TempDir dir;
  const std::string outFile = stdoutPath ? stdoutPath : dir.path() + "/stdout";
  const std::string errFile = dir.path() + "/stderr";
  std::wstring commandLine = Quoted(win32::Widen(program));
  for (const std::string& arg : args) commandLine += L" " + Quoted(win32::Widen(arg));

  HANDLE out = InheritableFile(win32::Widen(outFile));
  HANDLE err = InheritableFile(win32::Widen(errFile));
  HANDLE in = stdinPath ? InheritableInput(win32::Widen(stdinPath)) : GetStdHandle(STD_INPUT_HANDLE);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  // Wine, just after making its prefix, now and then fails a start that
  // works a moment later; a program that never starts is a failed test.
  BOOL started = FALSE;
  DWORD startError = 0;
  for (int attempt = 0; attempt < 5 && !started; ++attempt) {
    if (attempt > 0) Sleep(200);
    started =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    if (!started) startError = GetLastError();
  }
  CliRun run;
  if (started) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(process.hProcess, &code)) run.status = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(out);
  CloseHandle(err);
  if (stdinPath) CloseHandle(in);
  if (!stdoutPath) run.output = ReadText(outFile);
  run.error = ReadText(errFile);
  if (!started) run.error += "could not start " + program + ": error " + std::to_string(startError) + "\n";
  return run;
}

CliRun RunCli(const std::vector<std::string>& args, const char* locale, const char* stdoutPath, const char* stdinPath) {
  return RunProgram(KESTREL_CLI_PATH, args, locale, stdoutPath, stdinPath);
}

}  // namespace kestrel::test

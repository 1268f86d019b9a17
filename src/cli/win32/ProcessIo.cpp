#include "cli/ProcessIo.h"

#include <windows.h>
// After windows.h, which it needs.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <atomic>

#include "cli/win32/ConsoleOutput.h"
#include "customlabel/LabelSettings.h"
#include "language/win32/WideText.h"

namespace kestrel::cli {
namespace {

std::atomic<int> interrupted = 0;

// Ctrl+C, Ctrl+Break and closing the console window all stop the run; the
// program then ends by itself.
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  ++interrupted;
  return TRUE;
}

}  // namespace

// The narrow argv holds the arguments in the ANSI code page, which cannot
// carry every name; the UTF-16 command line can. Job bytes and hex lines go
// out unchanged: no LF becomes CR LF on the way; a console shows the text in
// UTF-16, whatever its code page.
Arguments ProgramArguments(int, char**) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  WriteConsolesAsUtf16();
  Arguments args;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return args;
  for (int i = 1; i < count; ++i) args.push_back(win32::Narrow(wide[i]));
  LocalFree(wide);
  return args;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return _wfopen(win32::Widen(path).c_str(), win32::Widen(mode).c_str());
}

std::FILE* StandardInput() {
  _setmode(_fileno(stdin), _O_BINARY);
  return stdin;
}

std::optional<std::string> EnvironmentValue(const char* name) {
  const wchar_t* value = _wgetenv(win32::Widen(name).c_str());
  return value == nullptr ? std::nullopt : std::optional<std::string>(win32::Narrow(value));
}

std::string SettingsFilePath() {
  const std::string root = ConfigRootFromEnvironment();
  return root.empty() ? std::string() : root + "\\Kestrel\\kestrel.conf";
}

// A console, whose screen the progress line redraws; a pipe or a file is not.
bool StderrIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

bool StdinIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

void CatchInterrupts() { SetConsoleCtrlHandler(OnConsoleControl, TRUE); }

bool Interrupted() { return interrupted > 0; }

int Interruptions() { return interrupted; }

}  // namespace kestrel::cli

#include "cli/ProcessIo.h"

#include <windows.h>
// After windows.h, which it needs.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <atomic>

#include "cli/win32/ConsoleOutput.h"
#include "language/win32/WideText.h"

namespace kestrel::cli {
namespace {

std::atomic<bool> interrupted = false;

// Ctrl+C, Ctrl+Break and closing the console window all stop the run; the
// program then ends by itself.
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  interrupted = true;
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

void CatchInterrupts() { SetConsoleCtrlHandler(OnConsoleControl, TRUE); }

bool Interrupted() { return interrupted; }

}  // namespace kestrel::cli

#include "cli/win32/ConsoleOutput.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kestrel::cli {
namespace {

// One console stream: the pipe its C stream now writes into, and the thread
// that empties the pipe onto the console.
struct ConsoleStream {
  int fd = -1;
  HANDLE console = nullptr;
  HANDLE readEnd = nullptr;
  HANDLE thread = nullptr;
};

std::vector<ConsoleStream>& Streams() {
  static std::vector<ConsoleStream> streams;
  return streams;
}

// The length of the start of `bytes` that ends on a whole UTF-8 character;
// the rest waits for the next read.
std::size_t WholeCharacters(const std::string& bytes) {
  std::size_t end = bytes.size();
  for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
    const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    if (length > back) end = bytes.size() - back;
    break;
  }
  return end;
}

void WriteWide(HANDLE console, const std::string& text) {
  if (text.empty()) return;
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  DWORD written = 0;
  WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

DWORD WINAPI Pump(void* parameter) {
  const auto& stream = *static_cast<const ConsoleStream*>(parameter);
  std::string pending;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(stream.readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    pending.append(buffer, got);
    const std::size_t whole = WholeCharacters(pending);
    WriteWide(stream.console, pending.substr(0, whole));
    pending.erase(0, whole);
  }
  WriteWide(stream.console, pending);  // a character cut short shows as U+FFFD
  return 0;
}

// At the end of the program: the C streams' last bytes into the pipes, the
// pipes closed, and everything in them onto the console.
void DrainAtExit() {
  std::fflush(stdout);
  std::fflush(stderr);
  for (ConsoleStream& stream : Streams()) _close(stream.fd);
  for (ConsoleStream& stream : Streams()) {
    WaitForSingleObject(stream.thread, INFINITE);
    CloseHandle(stream.thread);
    CloseHandle(stream.readEnd);
    CloseHandle(stream.console);
  }
}

bool Redirect(std::FILE* file, DWORD handleId) {
  const int fd = _fileno(file);
  HANDLE console = GetStdHandle(handleId);
  DWORD mode = 0;
  if (console == nullptr || console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode)) return false;
  // The stream's own handle closes when the pipe takes its place; the
  // console is kept through a copy.
  HANDLE kept = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), console, GetCurrentProcess(), &kept, 0, FALSE, DUPLICATE_SAME_ACCESS))
    return false;
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, nullptr, 0)) {
    CloseHandle(kept);
    return false;
  }
  const int writeFd = _open_osfhandle(reinterpret_cast<intptr_t>(writeEnd), _O_BINARY | _O_WRONLY);
  if (writeFd < 0 || _dup2(writeFd, fd) != 0) {
    if (writeFd >= 0)
      _close(writeFd);
    else
      CloseHandle(writeEnd);
    CloseHandle(readEnd);
    CloseHandle(kept);
    return false;
  }
  _close(writeFd);
  // Each printf reaches the console as it is made, as it did before.
  std::setvbuf(file, nullptr, _IONBF, 0);
  Streams().push_back({fd, kept, readEnd, nullptr});
  return true;
}

}  // namespace

void WriteConsolesAsUtf16() {
  Streams().reserve(2);
  const bool out = Redirect(stdout, STD_OUTPUT_HANDLE);
  const bool err = Redirect(stderr, STD_ERROR_HANDLE);
  if (!out && !err) return;
  for (ConsoleStream& stream : Streams()) stream.thread = CreateThread(nullptr, 0, Pump, &stream, 0, nullptr);
  std::atexit(DrainAtExit);
}

}  // namespace kestrel::cli

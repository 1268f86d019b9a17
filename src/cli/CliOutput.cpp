#include "cli/CliOutput.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace kestrel::cli {
namespace {

int firstFailure = 0;

void NoteFailure() {
  if (firstFailure == 0 && std::ferror(stdout)) firstFailure = errno != 0 ? errno : EIO;
}

}  // namespace

void PrintOut(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  errno = 0;
  std::vfprintf(stdout, format, arguments);
  va_end(arguments);
  NoteFailure();
}

void WriteOut(std::string_view bytes) {
  errno = 0;
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  NoteFailure();
}

void FlushOut() {
  errno = 0;
  std::fflush(stdout);
  NoteFailure();
}

void WithStdout(const std::function<void(std::FILE*)>& write) {
  errno = 0;
  write(stdout);
  NoteFailure();
}

ExitStatus FinishOutput(ExitStatus status) {
  FlushOut();
  if (firstFailure == 0) return status;
  std::fprintf(stderr, "kestrel-cli: cannot write the output: %s\n", std::strerror(firstFailure));
  return status == ExitStatus::kDone ? ExitStatus::kNotWritten : status;
}

}  // namespace kestrel::cli

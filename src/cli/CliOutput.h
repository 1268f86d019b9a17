#pragma once

#include <cstdio>
#include <functional>
#include <string_view>

#include "cli/ExitStatus.h"

namespace kestrel::cli {

// Everything the commands print goes through these, so that output cut short
// (a full disk, a closed pipe, /dev/full) is noticed. The C library forgets a
// failed write's reason once it drops the buffer, so the first one is kept.
void PrintOut(const char* format, ...) __attribute__((format(printf, 1, 2)));
void WriteOut(std::string_view bytes);
void FlushOut();
// For routines that take a stream: hands them stdout and notes a failure.
void WithStdout(const std::function<void(std::FILE*)>& write);

// The status of a command after its output is flushed: unchanged when every
// byte went out, else kNotWritten (unless it failed already) with the reason
// on stderr.
ExitStatus FinishOutput(ExitStatus status);

}  // namespace kestrel::cli

#pragma once

#include <cstdio>
#include <string>

#include "cli/CliCommands.h"

namespace kestrel::cli {

// What the command line needs from the system: its arguments in UTF-8 (the
// command name first), standard streams that pass bytes unchanged, files
// opened by UTF-8 names, and the operator's Ctrl+C.
Arguments ProgramArguments(int argc, char** argv);
std::FILE* OpenFile(const std::string& path, const char* mode);

// After this, Ctrl+C (or a request to end the program) sets Interrupted()
// instead of ending it, so a run stops after the step in progress.
void CatchInterrupts();
bool Interrupted();

}  // namespace kestrel::cli

#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "cli/CliCommands.h"

namespace kestrel::cli {

// What the command line needs from the system: its arguments in UTF-8 (the
// command name first), standard streams that pass bytes unchanged, files
// opened by UTF-8 names, and the operator's Ctrl+C.
Arguments ProgramArguments(int argc, char** argv);
std::FILE* OpenFile(const std::string& path, const char* mode);
// Standard input, passing bytes unchanged: what a FILE of "-" reads.
std::FILE* StandardInput();

// A variable of the environment in UTF-8; nothing when it is not set.
std::optional<std::string> EnvironmentValue(const char* name);
// Where kestrel-cli's settings file is: $XDG_CONFIG_HOME/kestrel/kestrel.conf
// (~/.config when the variable is not set), %APPDATA%\Kestrel\kestrel.conf
// on Windows; "" when there is no such folder.
std::string SettingsFilePath();
// True when stderr is a terminal a person watches, not a pipe or a file.
bool StderrIsTerminal();
// True when stdin is a terminal, so nothing was piped or redirected in.
bool StdinIsTerminal();

// After this, Ctrl+C (or a request to end the program) sets Interrupted()
// instead of ending it, so a run stops after the step in progress;
// Interruptions() counts them, for a second Ctrl+C that means "now".
void CatchInterrupts();
bool Interrupted();
int Interruptions();

}  // namespace kestrel::cli

#pragma once

#include <string>

namespace kestrel::cli {

// The operator's terminal as a run uses it.

// True when stdout is a terminal that the live lines can be drawn on.
bool StdoutIsTerminal();

// The name of this machine, for the reports; empty when unknown.
std::string HostName();

// Reads one line the operator types on stdin, without its line end. False at
// the end of the input, or when Ctrl+C comes while waiting.
bool ReadOperatorLine(std::string* line);

}  // namespace kestrel::cli

#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace kestrel::cli {

using Arguments = std::vector<std::string>;

// Each subcommand takes the arguments after its name and returns the exit
// status: 0 done, 1 the printer could not be reached or the write failed,
// 2 bad usage.
int RunListPorts(const Arguments& args);
int RunJobs(const Arguments& args);
int RunCompose(const Arguments& args);
int RunPrint(const Arguments& args);
int RunSend(const Arguments& args);
int RunAging(const Arguments& args);

// Prints the usage on stderr and returns 2.
int UsageError(const std::string& reason);

}  // namespace kestrel::cli

#include "cli/CliCommands.h"

namespace kestrel::cli {

int RunListPorts(const Arguments&) { return UsageError("this command is not available yet"); }

int RunSend(const Arguments&) { return UsageError("this command is not available yet"); }

}  // namespace kestrel::cli

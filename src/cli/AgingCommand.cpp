#include "cli/CliCommands.h"

namespace kestrel::cli {

int RunAging(const Arguments&) { return UsageError("this command is not available yet"); }

}  // namespace kestrel::cli

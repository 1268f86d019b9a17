#include "cli/CliCommands.h"

namespace kestrel::cli {

int RunCompose(const Arguments&) { return UsageError("this command is not available yet"); }

int RunPrint(const Arguments&) { return UsageError("this command is not available yet"); }

}  // namespace kestrel::cli

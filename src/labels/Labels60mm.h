#pragma once

#include "commands/JobSettings.h"

namespace kestrel {

void ComposeLabel60x20(const JobContext& context);
void ComposeLabel60x30(const JobContext& context);
void ComposeLabel60x40(const JobContext& context);
void ComposeLabel60x50(const JobContext& context);

}  // namespace kestrel

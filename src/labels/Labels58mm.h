#pragma once

#include "commands/JobSettings.h"

namespace kestrel {

void ComposeLabel58x20(const JobContext& context);
void ComposeLabel58x30(const JobContext& context);
void ComposeLabel58x40(const JobContext& context);
void ComposeLabel58x50(const JobContext& context);

}  // namespace kestrel

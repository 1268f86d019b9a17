#pragma once

#include "commands/JobSettings.h"

namespace kestrel {

void ComposeLabel80x20(const JobContext& context);
void ComposeLabel80x30(const JobContext& context);
void ComposeLabel80x40(const JobContext& context);
void ComposeLabel80x50(const JobContext& context);
void ComposeLabel80x60(const JobContext& context);

}  // namespace kestrel

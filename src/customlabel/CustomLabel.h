#pragma once

#include "commands/JobSettings.h"
#include "customlabel/LabelSettings.h"

namespace kestrel {

// The custom label: a page-mode job whose print area and element positions
// come from the settings file, read afresh at every call, and whose contents
// are fixed samples. Reads PaperType and PrintDirection from the context;
// copies, speed and the aging flag play no part.
void ComposeCustomLabel(const JobContext& context, const LabelSettings& settings);
// The same with the program's settings file.
void ComposeCustomLabel(const JobContext& context);

}  // namespace kestrel

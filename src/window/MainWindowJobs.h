#pragma once

#include <string>

#include "commands/JobSettings.h"
#include "window/DialogControls.h"

namespace kestrel {

// The context a job reads now: JobSettings and the texts of the speed list,
// the copies edit, the density and printer-rate lists, the aging flag and
// the local time.
JobContext ReadJobContext(const DialogControls& controls, bool agingRunning);

// A new selection the operator made in a list of the printer settings
// (paper type, direction, label size, bar code), stored in JobSettings.
// Other lists are read when a job needs them.
void StoreListSelection(int id, int index);
// The backfeed edit's text changed.
void StoreBackfeedText(const std::string& text);

}  // namespace kestrel

#pragma once

#include <string>

#include "commands/JobSettings.h"
#include "window/WindowHost.h"

namespace kestrel {

// The context a job reads now: JobSettings and the texts of the speed list,
// the copies edit, the density and printer-rate lists, the aging flag and
// the local time.
JobContext ReadJobContext(const DialogControls& controls, bool agingRunning);

// The job pattern for a named job (see ComposeJob), its write going out off
// the window's thread; false when the printer could not be reached, when no
// job has that name, or while another job goes out (then nothing is done).
bool RunWindowJob(WindowHost& window, const std::string& name, bool agingRunning);

// A job button pressed: its job through the job pattern; refused while a job
// goes out, as the link is busy and SendBuffer in use. Of the button jobs
// only the bar code test says that the printer is missing.
void PressJobButton(WindowHost& window, int id, const std::string& job, bool agingRunning);

// A new selection the operator made in a list of the printer settings
// (paper type, direction, label size, bar code), stored in JobSettings.
// Other lists are read when a job needs them.
void StoreListSelection(int id, int index);
// The backfeed edit's text changed.
void StoreBackfeedText(const std::string& text);

}  // namespace kestrel

#pragma once

#include "commands/JobSettings.h"
#include "commands/NamedJob.h"
#include "link/PrinterLink.h"

namespace kestrel {

// The pattern every job handler runs: ReconnectPrinter; stop unless Connected
// (the backfeed and standard-mode jobs write anyway); compose into SendBuffer;
// WritePrinter. Returns false when nothing was composed because the printer
// could not be reached; otherwise true, whatever the write answered (callers
// that care ask `written`).
bool RunJob(PrinterLink& link, const NamedJob& job, const JobContext& context, bool* written = nullptr);

}  // namespace kestrel

#pragma once

#include <chrono>

#include "commands/JobSettings.h"
#include "commands/NamedJob.h"
#include "link/PrinterLink.h"

namespace kestrel {

// The job pattern up to the write: ReconnectPrinter; stop unless Connected
// (the backfeed and standard-mode jobs go on anyway); compose into
// SendBuffer. False when nothing was composed because the printer could not
// be reached. A window calls this on its own thread and hands the write to a
// JobSender.
bool ComposeJob(PrinterLink& link, const NamedJob& job, const JobContext& context);

// The whole pattern: ComposeJob, then WritePrinter. Returns false when nothing
// was composed because the printer could not be reached; otherwise true,
// whatever the write answered (callers that care ask `written`). `firstByte`,
// when given, gets the moment the write began.
bool RunJob(PrinterLink& link, const NamedJob& job, const JobContext& context, bool* written = nullptr,
            std::chrono::steady_clock::time_point* firstByte = nullptr);

}  // namespace kestrel

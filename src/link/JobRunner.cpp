#include "link/JobRunner.h"

#include "commands/SendBuffer.h"

namespace kestrel {

bool ComposeJob(PrinterLink& link, const NamedJob& job, const JobContext& context) {
  link.ReconnectPrinter();
  if (!link.Connected() && !job.writesWithoutConnection) return false;
  // The density and printer-rate settings reopen the port once more before
  // composing; that second outcome is not tested, the write decides.
  if (job.reconnectsTwice) link.ReconnectPrinter();

  BeginJob();
  job.compose(context);
  return true;
}

bool RunJob(PrinterLink& link, const NamedJob& job, const JobContext& context, bool* written,
            std::chrono::steady_clock::time_point* firstByte) {
  if (written != nullptr) *written = false;
  if (!ComposeJob(link, job, context)) return false;
  if (firstByte != nullptr) *firstByte = std::chrono::steady_clock::now();
  const bool sent = link.WritePrinter(SendBuffer, SendLength);
  if (written != nullptr) *written = sent;
  return true;
}

}  // namespace kestrel

#include "link/JobRunner.h"

#include "commands/SendBuffer.h"

namespace kestrel {

bool RunJob(PrinterLink& link, const NamedJob& job, const JobContext& context, bool* written) {
  if (written != nullptr) *written = false;
  link.ReconnectPrinter();
  if (!link.Connected() && !job.writesWithoutConnection) return false;
  // The density and printer-rate settings reopen the port once more before
  // composing; that second outcome is not tested, the write decides.
  if (job.reconnectsTwice) link.ReconnectPrinter();

  BeginJob();
  job.compose(context);
  const bool sent = link.WritePrinter(SendBuffer, SendLength);
  if (written != nullptr) *written = sent;
  return true;
}

}  // namespace kestrel

#pragma once

#include <string>

#include "link/PrinterLink.h"
#include "link/PrinterQueries.h"

namespace kestrel {

// What the "Printer status..." dialog shows: the status and the identity of
// the printer on the chosen port, or why it could not be reached.
struct PrinterReport {
  std::string unreachable;  // the link's reason when the port did not open
  StatusResult status;
  IdentityResult identity;
};

// How long the dialog waits for each answer.
inline constexpr int kReportTimeoutMs = 1000;

// Asks the printer on an open link; runs off the window's thread.
PrinterReport AskPrinter(PrinterLink& link, int timeoutMs = kReportTimeoutMs);

// The report as the dialog's text, in the interface language, one item a
// line: the status first ("就绪" / "Ready", or the faults), its conditions,
// then each identity item or why it is missing.
std::string PrinterReportText(const PrinterReport& report);

}  // namespace kestrel

#include "cli/CliLinkHost.h"

#include "commands/JobSettings.h"
#include "link/PortDiscovery.h"
#include "link/PrinterLink.h"

namespace kestrel::cli {

CliLinkHost::CliLinkHost(std::string port, std::string baud) : port_(std::move(port)), baud_(std::move(baud)) {
  // The port option is the CLI's selection in the port-type list, made once
  // before any job, as the window's selection handler would store it.
  JobSettings.PortKind = PortSelection();
}

int CliLinkHost::PortSelection() const { return IsUsbPortName(port_) ? 0 : 1; }

std::string CliLinkHost::PortText() const { return PortSelection() == 0 ? "USB" : port_; }

std::string CliLinkHost::BaudText() const { return baud_; }

bool CliLinkHost::AgingRunning() const { return agingRunning_; }

void CliLinkHost::ShowMessage(const std::string& text, const std::string&) { lastMessage_ = text; }

std::string CliLinkHost::FailureReason(const PrinterLink& link) const {
  const std::string reason = link.LastError();
  return reason.empty() ? lastMessage_ : reason;
}

}  // namespace kestrel::cli

#include "cli/CliLinkHost.h"

#include <cstdio>

#include "commands/JobSettings.h"

namespace kestrel::cli {

CliLinkHost::CliLinkHost(std::string port, std::string baud) : port_(std::move(port)), baud_(std::move(baud)) {
  // The port option is the CLI's selection in the port-type list, made once
  // before any job, as the window's selection handler would store it.
  JobSettings.PortKind = PortSelection();
}

int CliLinkHost::PortSelection() const { return port_ == "usb" || port_ == "USB" ? 0 : 1; }

std::string CliLinkHost::PortText() const { return PortSelection() == 0 ? "USB" : port_; }

std::string CliLinkHost::BaudText() const { return baud_; }

bool CliLinkHost::AgingRunning() const { return agingRunning_; }

void CliLinkHost::ShowMessage(const std::string& text, const std::string&) {
  std::fprintf(stderr, "kestrel-cli: %s\n", text.c_str());
  lastMessage_ = text;
}

}  // namespace kestrel::cli

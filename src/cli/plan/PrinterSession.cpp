#include "cli/plan/PrinterSession.h"

namespace kestrel::cli {

PrinterSession::PrinterSession(std::string port, std::string baud)
    : port_(port), host_(std::move(port), std::move(baud)), link_(host_) {}

// The run's printers differ in kind, so the port is opened by its own kind
// rather than through the shared port-type selection.
bool PrinterSession::Reopen(std::string* reason) {
  open_ = host_.PortSelection() == 0 ? link_.OpenUsbPrinter() : link_.OpenSerialPort(host_.PortText());
  if (!open_) {
    *reason = link_.LastError();
    return false;
  }
  reached_ = true;
  return true;
}

bool PrinterSession::Send(const std::vector<std::uint8_t>& bytes, std::string* reason) {
  if (!EnsureOpen(reason)) return false;
  if (link_.WritePrinter(bytes.data(), static_cast<std::int32_t>(bytes.size()))) return true;
  open_ = false;
  *reason = "the write to " + port_ + " failed";
  return false;
}

}  // namespace kestrel::cli

#pragma once

#include <atomic>
#include <string>

#include "link/LinkHost.h"

namespace kestrel {
class PrinterLink;
}

namespace kestrel::cli {

// The link's owner in the CLI: the port and rate come from the options. The
// window's messages are kept, not shown: a command says why it failed in
// one line of its own. PORT "usb" stands for the port-type list's "USB"
// entry (index 0); anything else is a serial port name or device path.
class CliLinkHost : public LinkHost {
 public:
  CliLinkHost(std::string port, std::string baud);

  int PortSelection() const override;
  std::string PortText() const override;
  std::string BaudText() const override;
  bool AgingRunning() const override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void SetConnectCaption(const std::string&) override {}
  void EnablePortList(bool) override {}
  void EnableBaudList(bool) override {}

  void SetAgingRunning(bool running) { agingRunning_ = running; }
  // Why the port could not be opened: the system's reason, else the
  // window's message.
  std::string FailureReason(const PrinterLink& link) const;

 private:
  std::string port_;
  std::string baud_;
  std::atomic<bool> agingRunning_ = false;
  std::string lastMessage_;
};

}  // namespace kestrel::cli

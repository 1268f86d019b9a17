#pragma once

#include <atomic>
#include <string>

#include "link/LinkHost.h"

namespace kestrel::cli {

// The link's owner in the CLI: the port and rate come from the options, the
// messages go to stderr. PORT "usb" stands for the port-type list's "USB"
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
  // The last message shown, for the exit reason.
  const std::string& LastMessage() const { return lastMessage_; }

 private:
  std::string port_;
  std::string baud_;
  std::atomic<bool> agingRunning_ = false;
  std::string lastMessage_;
};

}  // namespace kestrel::cli

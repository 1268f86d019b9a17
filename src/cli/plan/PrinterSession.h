#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "link/LinkHost.h"
#include "link/PrinterLink.h"

namespace kestrel::cli {

// The link's owner for one printer of a run: the port named on the command
// line, messages kept for the step's reason instead of shown.
class PlanLinkHost : public LinkHost {
 public:
  PlanLinkHost(std::string port, std::string baud) : port_(std::move(port)), baud_(std::move(baud)) {}

  int PortSelection() const override { return port_ == "usb" || port_ == "USB" ? 0 : 1; }
  std::string PortText() const override { return PortSelection() == 0 ? "USB" : port_; }
  std::string BaudText() const override { return baud_; }
  bool AgingRunning() const override { return false; }
  void ShowMessage(const std::string&, const std::string&) override {}
  void SetConnectCaption(const std::string&) override {}
  void EnablePortList(bool) override {}
  void EnableBaudList(bool) override {}

 private:
  std::string port_;
  std::string baud_;
};

// One printer's port for the steps of a plan, used by its worker alone. Each
// job opens the port afresh, as every job does; queries use it as it is.
class PrinterSession {
 public:
  PrinterSession(std::string port, std::string baud);

  const std::string& port() const { return port_; }
  // The port opened at least once.
  bool reached() const { return reached_; }

  // Closes the port if open and opens it again; false with the reason.
  bool Reopen(std::string* reason);
  // Opens the port unless it is open; false with the reason.
  bool EnsureOpen(std::string* reason) { return open_ || Reopen(reason); }
  // For the queries, on a port EnsureOpen has opened.
  PrinterLink& link() { return link_; }
  // Writes the bytes in one piece; false with the reason.
  bool Send(const std::vector<std::uint8_t>& bytes, std::string* reason);

 private:
  std::string port_;
  PlanLinkHost host_;
  PrinterLink link_;
  bool open_ = false;
  bool reached_ = false;
};

}  // namespace kestrel::cli
